// tessaro-ctl as a script runs it, against the simulator in this process: exit statuses,
// the JSON it prints, and the lines a restore sends.
#include "SimListen.h"
#include "SimServer.h"
#include "TestWorkDir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QtTest>

class TstCtl : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void readsAndSetsTheDeviceWithExitStatuses();
    void backupDiffAndRestoreRoundTrip();
    void refusesWhatItCannotUseWithStatusTwoOrThree();

private:
    struct Result
    {
        int status = -1;
        QString out;
        QString err;
    };
    // Runs the program while this process's event loop keeps the simulator answering.
    Result ctl(const QStringList &args);
    Result onDevice(const QStringList &args)
    {
        return ctl(QStringList{QStringLiteral("--device"), _sim->tcpAddress().toString(),
                               QStringLiteral("--timeout"), QStringLiteral("1000")} +
                   args);
    }
    QStringList changeLines() const;

    std::unique_ptr<TestWorkDir> _dir;
    std::unique_ptr<SimServer> _sim;
};

void TstCtl::init()
{
    _dir = std::make_unique<TestWorkDir>();
    _sim = std::make_unique<SimServer>(QStringLiteral("DV-16"));
    QVERIFY(listenOnRandomLoopback(*_sim));
}

void TstCtl::cleanup()
{
    _sim.reset();
    _dir.reset();
}

TstCtl::Result TstCtl::ctl(const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY")); // it needs none
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(_dir->path());
    p.start(QStringLiteral(TESSARO_CTL_BIN), args);
    Result r;
    [&] {
        QVERIFY(p.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(p.state() == QProcess::NotRunning, 60000);
    }();
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QStringList TstCtl::changeLines() const
{
    QStringList lines;
    for (const QString &l : _sim->receivedLines())
        if (!l.startsWith(QLatin1String("Get")) && !l.startsWith(QLatin1String("ReadRXTXInfo")) &&
            l != QLatin1String("PING") && l != QLatin1String("BeepONOnce"))
            lines.append(l);
    return lines;
}

void TstCtl::readsAndSetsTheDeviceWithExitStatuses()
{
    Result r = onDevice({QStringLiteral("info")});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.startsWith(QStringLiteral("DV-16: 4 inputs, 4 outputs\n")));
    QVERIFY(r.err.isEmpty()); // no progress when not on a terminal

    r = onDevice({QStringLiteral("route"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("3")});
    QCOMPARE(r.status, 0);
    QCOMPARE(_sim->device()->routing(), (QVector<int>{2, 2, 2, 4}));
    QCOMPARE(changeLines(), QStringList{QStringLiteral("SW 2 1 3")});
    QCOMPARE(onDevice({QStringLiteral("output"), QStringLiteral("4"), QStringLiteral("off")}).status, 0);
    QCOMPARE(_sim->device()->outputStates(), (QVector<bool>{true, true, true, false}));

    r = onDevice({QStringLiteral("info"), QStringLiteral("--json")});
    QCOMPARE(r.status, 0);
    const QJsonObject info = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QCOMPARE(info.value("device").toObject().value("model").toString(), QStringLiteral("DV-16"));
    QCOMPARE(info.value("device").toObject().value("outputs").toInt(), 4);
    QCOMPARE(info.value("routing").toObject().value("3").toInt(), 2);
    QCOMPARE(info.value("outputs").toObject().value("4").toBool(true), false);

    QCOMPARE(onDevice({QStringLiteral("scene"), QStringLiteral("store"), QStringLiteral("3")}).status, 0);
    QVERIFY(_sim->device()->sceneStored(3));
    _sim->device()->handleLine(QStringLiteral("SWOTO"));
    QCOMPARE(onDevice({QStringLiteral("scene"), QStringLiteral("recall"), QStringLiteral("3")}).status, 0);
    QCOMPARE(_sim->device()->routing(), (QVector<int>{2, 2, 2, 4}));

    // A device that takes the line but does not switch.
    _sim->setIgnoreRouting(true);
    r = onDevice({QStringLiteral("route"), QStringLiteral("4"), QStringLiteral("1")});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(QStringLiteral("not confirmed")), qPrintable(r.err));
    _sim->setUnanswered(QStringLiteral("SceneCall"));
    r = onDevice({QStringLiteral("scene"), QStringLiteral("recall"), QStringLiteral("3")});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(QStringLiteral("scene 3")), qPrintable(r.err));
}

void TstCtl::backupDiffAndRestoreRoundTrip()
{
    QCOMPARE(onDevice({QStringLiteral("backup"), QStringLiteral("room.json")}).status, 0);
    Result r = onDevice({QStringLiteral("diff"), QStringLiteral("room.json")});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.isEmpty());

    for (const char *line : {"SW 4 1", "SetOutPE 3 2", "SetBeepEn 0", "SetIPGateWay 10.1.1.1"})
        _sim->device()->handleLine(QLatin1String(line));
    r = onDevice({QStringLiteral("diff"), QStringLiteral("room.json"), QStringLiteral("--json")});
    QCOMPARE(r.status, 1);
    QStringList keys;
    for (const QJsonValue &row :
         QJsonDocument::fromJson(r.out.toUtf8()).object().value("differences").toArray())
        keys.append(row.toObject().value("key").toString());
    QCOMPARE(keys, (QStringList{"routing/1", "beep", "signal/pe/3", "network/gateway"}));

    _sim->clearReceived();
    r = onDevice({QStringLiteral("restore"), QStringLiteral("room.json"), QStringLiteral("--dry-run")});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out.count('\n'), 4);
    QCOMPARE(changeLines(), QStringList());

    QCOMPARE(onDevice({QStringLiteral("restore"), QStringLiteral("room.json"), QStringLiteral("--only"),
                       QStringLiteral("routing,signal")})
                 .status,
             0);
    QCOMPARE(changeLines(), (QStringList{"SW 1 1", "SetOutPE 3 0"}));
    _sim->clearReceived();
    QCOMPARE(onDevice({QStringLiteral("restore"), QStringLiteral("room.json")}).status, 0);
    QCOMPARE(changeLines(), (QStringList{"SetBeepEn 1", "SetIPGateWay 192.168.1.1"}));
    QCOMPARE(onDevice({QStringLiteral("diff"), QStringLiteral("room.json")}).status, 0);
}

void TstCtl::refusesWhatItCannotUseWithStatusTwoOrThree()
{
    const QList<QStringList> usage = {
        {},
        {QStringLiteral("info")}, // no device
        {QStringLiteral("--device"), QStringLiteral("127.0.0.1"), QStringLiteral("frobnicate")},
        {QStringLiteral("--device"), QStringLiteral("127.0.0.1"), QStringLiteral("route"),
         QStringLiteral("0"), QStringLiteral("1")},
        {QStringLiteral("--device"), QStringLiteral("127.0.0.1"), QStringLiteral("output"),
         QStringLiteral("1"), QStringLiteral("dim")},
        {QStringLiteral("--device"), QStringLiteral("127.0.0.1"), QStringLiteral("restore"),
         QStringLiteral("x.json"), QStringLiteral("--only"), QStringLiteral("lights")},
        {QStringLiteral("--device"), QStringLiteral("127.0.0.1"), QStringLiteral("info"),
         QStringLiteral("--dry-run")},
        {QStringLiteral("--device"), QStringLiteral("127.0.0.1:99999"), QStringLiteral("info")},
    };
    for (const QStringList &args : usage) {
        const Result r = ctl(args);
        QVERIFY2(r.status == 2 && !r.err.isEmpty(), qPrintable(args.join(' ')));
    }

    QVERIFY(onDevice({QStringLiteral("backup"), QStringLiteral("room.json")}).status == 0);
    const QByteArray good = _dir->read("room.json");
    _dir->write("cut.json", good.left(good.size() / 2));
    _dir->write("noise.json", QByteArray("\x89PNG\r\n\x1a\n", 8));
    _dir->write("dv42.json", QByteArray(good)
                                 .replace("\"DV-16\"", "\"DV-42\"")
                                 .replace("\"inputs\": 4", "\"inputs\": 16")
                                 .replace("\"outputs\": 4", "\"outputs\": 16"));
    _dir->write("dv17.json", QByteArray(good).replace("\"DV-16\"", "\"DV-17\""));
    _sim->clearReceived();
    for (const char *file : {"cut.json", "noise.json", "absent.json"}) {
        const Result r = onDevice({QStringLiteral("restore"), QLatin1String(file)});
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains(QLatin1String(file)), qPrintable(r.err));
    }
    QVERIFY(!_sim->clientConnected() || _sim->receivedLines().isEmpty()); // refused before connecting
    Result r = onDevice({QStringLiteral("restore"), QStringLiteral("dv42.json")});
    QCOMPARE(r.status, 2);
    QVERIFY2(r.err.contains(QStringLiteral("refused")), qPrintable(r.err));
    r = onDevice({QStringLiteral("diff"), QStringLiteral("dv17.json")});
    QCOMPARE(r.status, 2);
    QVERIFY2(r.err.contains(QStringLiteral("--force")), qPrintable(r.err));
    QCOMPARE(
        onDevice({QStringLiteral("restore"), QStringLiteral("dv17.json"), QStringLiteral("--force")}).status,
        0);

    QTcpServer nobody; // a loopback port with nothing behind it once closed
    QVERIFY(nobody.listen(QHostAddress::LocalHost, 0));
    const QString address = QStringLiteral("127.0.0.1:%1").arg(nobody.serverPort());
    nobody.close();
    r = ctl({QStringLiteral("--device"), address, QStringLiteral("info")});
    QCOMPARE(r.status, 3);
    QVERIFY2(r.err.contains(address), qPrintable(r.err));
}

QTEST_GUILESS_MAIN(TstCtl)
#include "tst_ctl.moc"
