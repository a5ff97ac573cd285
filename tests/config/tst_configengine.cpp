// The configuration engine against the simulated device: a back-up, changes made at the
// device, the differences and a restore of the checked rows read back clean, for a 4 x 4,
// a board, a splitter and a 36 x 36 model; unanswered queries; files it must refuse.
#include "AppContext.h"
#include "ConfigEngine.h"
#include "ConfigFile.h"
#include "ConfigPanel.h"
#include "SimListen.h"
#include "SimServer.h"
#include "TestWorkDir.h"

#include <QDir>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <memory>

using namespace Config;

class TstConfigEngine : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void restoreUndoesExactlyTheChangesMadeAtTheDevice_data();
    void restoreUndoesExactlyTheChangesMadeAtTheDevice();
    void unansweredQueryIsAskedOnceMoreThenReportedAndLeftOut();
    void fileOfAnotherModelIsRefusedUnlessItsCountsMatchAndTheOperatorAgrees();
    void differencesAreAppliedOnlyToTheDeviceTheyWereReadFrom();
    void damagedFileIsRefusedWithAReason_data();
    void damagedFileIsRefusedWithAReason();
    void fileValuesThatCouldHarmTheDeviceAreLeftOut();
    void failedWriteSaysSoAndLeavesNoFile();

private:
    void connectDevice(const QString &model);
    QMap<QString, QJsonValue> read(const QSet<Area> &areas = {});
    QStringList changeLines() const;

    std::unique_ptr<TestWorkDir> _dir;
    std::unique_ptr<SimServer> _sim;
    std::unique_ptr<AppContext> _ctx;
    std::unique_ptr<ConfigEngine> _engine;
};

void TstConfigEngine::init()
{
    _dir = std::make_unique<TestWorkDir>();
    _sim = std::make_unique<SimServer>(QStringLiteral("DV-16"));
    QVERIFY(listenOnRandomLoopback(*_sim));
    _ctx = std::make_unique<AppContext>();
    ConnectionTimings t;
    t.firstQueriesDelayMs = 20;
    t.keepAliveMs = 0;
    t.pollMs = 0;
    t.reconnect = false;
    _ctx->setConnectionTimings(t);
    _ctx->init();
    _engine = std::make_unique<ConfigEngine>(_ctx.get());
    _engine->setTimeoutMs(2000);
}

void TstConfigEngine::cleanup()
{
    _engine.reset();
    _ctx.reset();
    _sim.reset();
    _dir.reset();
}

void TstConfigEngine::connectDevice(const QString &model)
{
    if (_ctx->isConnected()) {
        _ctx->disconnectTerminal();
        QTRY_VERIFY_WITH_TIMEOUT(!_ctx->isConnected(), 10000);
    }
    _sim->setModel(model);
    QSignalSpy beep(_ctx.get(), &AppContext::beepChanged);
    _ctx->setConnectType(1);
    _ctx->setCurrentIP(_sim->tcpAddress().toString());
    _ctx->connectTerminal();
    QTRY_VERIFY_WITH_TIMEOUT(_ctx->deviceIdentified() && _ctx->mode() == model, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(beep.count() > 0, 10000); // the first queries are over
    _sim->clearReceived();
}

QMap<QString, QJsonValue> TstConfigEngine::read(const QSet<Area> &areas)
{
    QSet<Area> all = areas;
    if (all.isEmpty())
        for (Area a : allAreas())
            all.insert(a);
    QSignalSpy done(_engine.get(), &ConfigEngine::finished);
    _engine->read(all);
    [&] { QTRY_VERIFY_WITH_TIMEOUT(done.count() == 1, 60000); }();
    [&] { QVERIFY(done.at(0).at(0).toBool()); }();
    return _engine->values();
}

// Lines that change the device: everything the simulator received but the queries.
QStringList TstConfigEngine::changeLines() const
{
    QStringList lines;
    for (const QString &l : _sim->receivedLines())
        if (!l.startsWith(QLatin1String("Get")) && !l.startsWith(QLatin1String("ReadRXTXInfo")) &&
            l != QLatin1String("PING"))
            lines.append(l);
    return lines;
}

void TstConfigEngine::restoreUndoesExactlyTheChangesMadeAtTheDevice_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QStringList>("before");    // at the device before the back-up
    QTest::addColumn<QStringList>("changes");   // at the device after it
    QTest::addColumn<QStringList>("differing"); // keys the diff must list
    QTest::addColumn<QString>("unchecked");
    QTest::addColumn<QStringList>("sent"); // the restore's lines, in order

    const QString edid2 =
        QStringLiteral("SetEDIDData 6 ") + QString::fromLatin1(SimDevice::defaultEdid().toHex(' '));
    QTest::newRow("4 x 4") << "DV-16" << QStringList()
                           << QStringList{"SW 3 1 2",
                                          "SetOutput 4 0",
                                          "SetOutPE 2 6",
                                          "SetRXEQ 3 9",
                                          "SetEDIDData 6 " + QString(256, QLatin1Char('a')),
                                          "SetBeepEn 0",
                                          "SetIPMask 255.255.0.0"}
                           << QStringList{"names/outputs/2", "routing/1",  "routing/2",
                                          "outputs/4",       "beep",       "signal/pe/2",
                                          "signal/eq/3",     "edid/USER2", "network/mask"}
                           << "beep"
                           << QStringList{"SW 1 1",      "SW 2 2", "SetOutput 4 1",          "SetOutPE 2 0",
                                          "SetRXEQ 3 0", edid2,    "SetIPMask 255.255.255.0"};
    QTest::newRow("board") << "DV-42" << QStringList()
                           << QStringList{"SW 5 16", "SetRXTXBrtn 3 70", "SetRXTXResolution 20 4",
                                          "SetRXTXAudioSelect 2 1", "SetServiceNum 9000"}
                           << QStringList{"names/outputs/2",      "routing/16",
                                          "boards/2/audio",       "boards/3/brightness",
                                          "boards/20/resolution", "network/serviceNumber"}
                           << "boards/2/audio"
                           << QStringList{"SW 16 16", "SetRXTXBrtn 3 50", "SetRXTXResolution 20 5",
                                          "SetServiceNum 8080"};
    QTest::newRow("splitter") << "DV-35" << QStringList()
                              << QStringList{"SetAudioHdmiOrAnalog 2 1", "SetOutput 1 0", "SetIP 192.168.1.7"}
                              << QStringList{"names/outputs/2", "outputs/1", "audio/source/2", "network/ip"}
                              << "outputs/1"
                              << QStringList{"SetAudioHdmiOrAnalog 2 0", "SetIP 192.168.1.100"};
    QTest::newRow("36 x 36") << "DV-52" << QStringList{"SW 1 20 21 22"}
                             << QStringList{"SW 9 20 21 22", "SW 7 30", "SetRXTXColorB 40 200"}
                             << QStringList{"names/outputs/2", "routing/20", "routing/21",
                                            "routing/22",      "routing/30", "boards/40/blue"}
                             << QString() << QStringList{"SW 1 20 21 22", "SW 30 30", "SetRXTXColorB 40 128"};
}

void TstConfigEngine::restoreUndoesExactlyTheChangesMadeAtTheDevice()
{
    QFETCH(QString, model);
    QFETCH(QStringList, before);
    QFETCH(QStringList, changes);
    QFETCH(QStringList, differing);
    QFETCH(QString, unchecked);
    QFETCH(QStringList, sent);

    connectDevice(model);
    for (const QString &line : before)
        _sim->device()->handleLine(line);
    Snapshot backup;
    backup.model = _engine->deviceModel();
    backup.values = read();
    QVERIFY(_engine->unread().isEmpty());
    QString error;
    QVERIFY(Config::save(_dir->file("backup.json"), backup, &error));
    const Parsed file = Config::load(_dir->file("backup.json"));
    QVERIFY2(file.ok, qPrintable(file.error));
    QVERIFY2(file.warnings.isEmpty(), qPrintable(file.warnings.join('\n')));
    QCOMPARE(file.snapshot.values, backup.values);

    for (const QString &line : changes)
        _sim->device()->handleLine(line);
    _ctx->setChannelName(false, 2, QStringLiteral("Projector"));
    QSet<Area> all;
    for (Area a : allAreas())
        all.insert(a);
    const QVector<Row> rows = diff(backup.model, read(), file.snapshot.values, all);
    QStringList keys;
    for (const Row &row : rows)
        keys.append(row.item.key);
    QCOMPARE(keys, differing);

    QVector<Row> checked;
    for (const Row &row : rows)
        if (row.item.key != unchecked)
            checked.append(row);
    _sim->clearReceived();
    QSignalSpy done(_engine.get(), &ConfigEngine::finished);
    _engine->apply(checked);
    QTRY_VERIFY_WITH_TIMEOUT(done.count() == 1, 60000);
    QVERIFY(done.at(0).at(0).toBool());
    QCOMPARE(changeLines(), sent); // the fewest lines, the network last, nothing else
    for (const ConfigEngine::RowOutcome &o : _engine->outcomes())
        QCOMPARE(o.outcome, ConfigEngine::Outcome::Matches);
    QCOMPARE(_ctx->channelLabel(false, 2), QStringLiteral("2"));

    const QVector<Row> after = diff(backup.model, read(), file.snapshot.values, all);
    QCOMPARE(after.size(), unchecked.isEmpty() ? 0 : 1);
    if (!unchecked.isEmpty())
        QCOMPARE(after.first().item.key, unchecked);
}

void TstConfigEngine::unansweredQueryIsAskedOnceMoreThenReportedAndLeftOut()
{
    connectDevice(QStringLiteral("DV-16"));
    _engine->setTimeoutMs(300);
    _sim->setUnanswered(QStringLiteral("GetIPMask"), 1);     // lost once
    _sim->setUnanswered(QStringLiteral("GetIPGateWay"), -1); // never answered
    _sim->setUnanswered(QStringLiteral("GetRXEQ"), -1);      // a query the device lacks
    Snapshot s;
    s.model = _engine->deviceModel();
    s.values = read({Area::Network, Area::Signal});
    const QStringList lines = _sim->receivedLines();
    QCOMPARE(lines.count(QStringLiteral("GetIPMask")), 2);
    QCOMPARE(s.values.value(QStringLiteral("network/mask")).toString(), QStringLiteral("255.255.255.0"));
    QCOMPARE(lines.count(QStringLiteral("GetIPGateWay")), 2);
    QVERIFY(!s.values.contains(QStringLiteral("network/gateway")));
    // The first input's EQ twice, the other inputs never.
    QCOMPARE(lines.filter(QStringLiteral("GetRXEQ")), (QStringList{"GetRXEQ 1", "GetRXEQ 1"}));
    QCOMPARE(_engine->unread().size(), 2);
    QVERIFY(
        _engine->unread().filter(QStringLiteral("Input 1 EQ")).first().contains(QStringLiteral("3 more")));
    QCOMPARE(_engine->unread().filter(QStringLiteral("Gateway")).size(), 1);
    const QByteArray json = toJson(s);
    QVERIFY(!json.contains("gateway") && !json.contains("\"eq\"") && json.contains("\"pe\""));
}

void TstConfigEngine::fileOfAnotherModelIsRefusedUnlessItsCountsMatchAndTheOperatorAgrees()
{
    ConfigPanel panel(_ctx.get());
    panel.engine()->setTimeoutMs(2000);
    connectDevice(QStringLiteral("DV-16"));
    const QString file = _dir->file("dv16.json");
    panel.backup(file);
    QTRY_COMPARE_WITH_TIMEOUT(panel.stage(), QStringLiteral("done"), 30000);
    QVERIFY(QFile::exists(file));

    connectDevice(QStringLiteral("DV-17")); // also 4 x 4
    panel.restore(file);
    QCOMPARE(panel.stage(), QStringLiteral("question"));
    QVERIFY(panel.message().contains(QStringLiteral("DV-16")));
    QCOMPARE(changeLines(), QStringList());
    panel.acceptOtherModel();
    QTRY_COMPARE_WITH_TIMEOUT(panel.stage(), QStringLiteral("done"), 30000);
    QVERIFY(panel.message().contains(QStringLiteral("already matches")));

    connectDevice(QStringLiteral("DV-42")); // 16 x 16
    panel.restore(file);
    QCOMPARE(panel.stage(), QStringLiteral("done"));
    QVERIFY(panel.message().contains(QStringLiteral("cannot be restored")));
    QCOMPARE(_sim->receivedLines(), QStringList()); // not even read
}

void TstConfigEngine::differencesAreAppliedOnlyToTheDeviceTheyWereReadFrom()
{
    ConfigPanel panel(_ctx.get());
    panel.engine()->setTimeoutMs(2000);
    connectDevice(QStringLiteral("DV-16"));
    const QString file = _dir->file("dv16.json");
    panel.backup(file);
    QTRY_COMPARE_WITH_TIMEOUT(panel.stage(), QStringLiteral("done"), 30000);
    _sim->device()->handleLine(QStringLiteral("SetOutPE 1 4"));
    panel.restore(file);
    QTRY_COMPARE_WITH_TIMEOUT(panel.stage(), QStringLiteral("review"), 30000);
    QCOMPARE(panel.checkedCount(), 1);

    connectDevice(QStringLiteral("DV-17")); // the operator plugged in another unit meanwhile
    panel.apply();
    QCOMPARE(panel.stage(), QStringLiteral("done"));
    QVERIFY(panel.message().contains(QStringLiteral("not the one that was read")));
    QCOMPARE(changeLines(), QStringList());
}

void TstConfigEngine::damagedFileIsRefusedWithAReason_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const QByteArray good =
        R"({"format":"tessaro-config","formatVersion":1,"device":{"model":"DV-16","inputs":4,)"
        R"("outputs":4},"routing":{"1":2}})";
    QTest::newRow("cut short") << good.left(good.size() / 2) << "not JSON";
    QTest::newRow("not JSON") << QByteArray("hello\x01\x02") << "not JSON";
    QTest::newRow("empty") << QByteArray() << "not JSON";
    QTest::newRow("array") << QByteArray("[1,2]") << "no JSON object";
    QTest::newRow("other format") << QByteArray(good).replace("tessaro-config", "other") << "format";
    QTest::newRow("no version") << QByteArray(good).replace("\"formatVersion\":1,", "") << "version";
    QTest::newRow("unknown model") << QByteArray(good).replace("DV-16", "XY-1") << "does not know";
    QTest::newRow("counts") << QByteArray(good).replace("\"inputs\":4", "\"inputs\":8") << "counts";
    QTest::newRow("too large") << good + QByteArray(int(kMaxFileBytes), ' ') << "larger";
    QByteArray many = "{\"format\":\"tessaro-config\",\"formatVersion\":1,\"x\":[";
    for (int i = 0; i < kMaxEntries + 1; ++i)
        many += "0,";
    QTest::newRow("too many entries") << many + "0]}"
                                      << "entries";
}

void TstConfigEngine::damagedFileIsRefusedWithAReason()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const Parsed p = parse(bytes);
    QVERIFY(!p.ok);
    QVERIFY2(p.error.contains(reason), qPrintable(p.error));
}

void TstConfigEngine::fileValuesThatCouldHarmTheDeviceAreLeftOut()
{
    const Parsed p = parse(R"({"format":"tessaro-config","formatVersion":2,"time":"t",
        "device":{"model":"DV-16","inputs":4,"outputs":4},
        "routing":{"1":2,"2":9,"3":1.5,"4":"1"},
        "outputs":{"1":false,"2":1},
        "network":{"ip":"192.168.1.300","mask":"255.0.255.0","gateway":"10.0.0.1","serviceType":"Hall A",
                   "serviceNumber":"08080"},
        "signal":{"pe":{"1":12,"2":7}},
        "edid":{"USER1":"00ff","USER2":"zz"},
        "names":{"inputs":{"1":"Cam\nera","2":"Stage"}},
        "future":{"thing":1}})");
    QVERIFY2(p.ok, qPrintable(p.error));
    QStringList keys = p.snapshot.values.keys();
    std::sort(keys.begin(), keys.end());
    QCOMPARE(keys, (QStringList{"names/inputs/2", "names/inputs/3", "names/inputs/4", "network/gateway",
                                "outputs/1", "routing/1", "signal/pe/2"}));
    const QString warnings = p.warnings.join('\n');
    for (const char *left : {"routing/2", "routing/3", "routing/4", "outputs/2", "network/ip", "network/mask",
                             "network/serviceType", "network/serviceNumber", "signal/pe/1", "edid/USER1",
                             "edid/USER2", "names/inputs/1", "future/thing", "newer version"})
        QVERIFY2(warnings.contains(QLatin1String(left)), left);
}

void TstConfigEngine::failedWriteSaysSoAndLeavesNoFile()
{
    Snapshot s;
    s.model = Model{QStringLiteral("DV-16"), 4, 4};
    QString error;
    QVERIFY(!Config::save(_dir->file("missing/backup.json"), s, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QDir(_dir->path()).mkdir(QStringLiteral("taken.json")));
    QVERIFY(!Config::save(_dir->file("taken.json"), s, &(error = QString())));
    QVERIFY(!error.isEmpty());
    QCOMPARE(QDir(_dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{QStringLiteral("taken.json")});

    ConfigPanel panel(_ctx.get());
    connectDevice(QStringLiteral("DV-16"));
    panel.backup(_dir->file("missing/backup.json"));
    QTRY_COMPARE_WITH_TIMEOUT(panel.stage(), QStringLiteral("done"), 30000);
    QVERIFY2(panel.message().contains(QStringLiteral("Nothing was saved")), qPrintable(panel.message()));
}

QTEST_GUILESS_MAIN(TstConfigEngine)
#include "tst_configengine.moc"
