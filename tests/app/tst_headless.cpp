// The program without a window: serves the simulated device to a router client, stops
// cleanly on SIGTERM, and refuses bad arguments and a port in use with a message.
#include "RouterTestClient.h"
#include "SimListen.h"
#include "SimServer.h"
#include "TestWorkDir.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QtTest>

#include <csignal>

class TstHeadless : public QObject
{
    Q_OBJECT
private slots:
    void servesTheDeviceAndStopsOnSigterm();
    void refusesAPortInUseAndBadArguments();

private:
    static QProcess *start(const QStringList &args, QObject *parent)
    {
        auto *p = new QProcess(parent);
        p->setProcessChannelMode(QProcess::SeparateChannels);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY")); // it needs none
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        // Settings stay in the test's own folder, wherever the program looks for them.
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), QDir::currentPath());
        env.insert(QStringLiteral("HOME"), QDir::currentPath());
        p->setProcessEnvironment(env);
        p->start(QStringLiteral(TESSARO_BIN), QStringList{QStringLiteral("--headless")} + args);
        return p;
    }
};

void TstHeadless::servesTheDeviceAndStopsOnSigterm()
{
    TestWorkDir dir;
    SimServer sim(QStringLiteral("DV-16"));
    QVERIFY(listenOnRandomLoopback(sim));
    QProcess *p = start({QStringLiteral("--device"), sim.tcpAddress().toString(), QStringLiteral("--listen"),
                         QStringLiteral("127.0.0.1:0"), QStringLiteral("--friendly-name"), QStringLiteral("Hall A")},
                        this);
    QVERIFY(p->waitForStarted(10000));
    QString log;
    const QRegularExpression listening(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"));
    QTRY_VERIFY_WITH_TIMEOUT((log += QString::fromUtf8(p->readAllStandardError()), listening.match(log).hasMatch()),
                             15000);
    const quint16 port = quint16(listening.match(log).captured(1).toInt());
    QTRY_VERIFY_WITH_TIMEOUT((log += QString::fromUtf8(p->readAllStandardError()), log.contains("present")), 15000);

    RouterTestClient c;
    QVERIFY(c.connectTo(port));
    QVERIFY(c.waitFor(QStringLiteral("END PRELUDE")) >= 0);
    QVERIFY(c.blocks[1].lines.contains(QStringLiteral("Device present: true")));
    QVERIFY(c.blocks[1].lines.contains(QStringLiteral("Friendly name: Hall A")));
    QCOMPARE(c.request("VIDEO OUTPUT ROUTING:\n3 0\n\n"), QStringLiteral("ACK"));
    QTRY_VERIFY_WITH_TIMEOUT(sim.receivedLines().contains(QStringLiteral("SW 1 4")), 10000);
    QVERIFY(c.waitFor(QStringLiteral("VIDEO OUTPUT ROUTING"), 7) >= 0);

    ::kill(pid_t(p->processId()), SIGTERM);
    QVERIFY(p->waitForFinished(15000));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QCOMPARE(p->exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(c.socket.state(), QAbstractSocket::UnconnectedState, 5000);
}

void TstHeadless::refusesAPortInUseAndBadArguments()
{
    TestWorkDir dir;
    QTcpServer taken;
    QVERIFY(taken.listen(QHostAddress::LocalHost, 0));
    const QString where = QStringLiteral("127.0.0.1:%1").arg(taken.serverPort());
    QProcess *p = start({QStringLiteral("--device"), QStringLiteral("127.0.0.1"), QStringLiteral("--listen"), where},
                        this);
    QVERIFY(p->waitForFinished(15000));
    QCOMPARE(p->exitCode(), 1);
    QVERIFY2(QString::fromUtf8(p->readAllStandardError()).contains(where), "the message names the address");

    const QList<QStringList> bad = {
        {QStringLiteral("--device"), QStringLiteral("127.0.0.1"), QStringLiteral("--listen"), QStringLiteral("nowhere:x")},
        {QStringLiteral("--serial"), QStringLiteral("/dev/null"), QStringLiteral("--baud"), QStringLiteral("fast")},
        {QStringLiteral("--device"), QStringLiteral("127.0.0.1"), QStringLiteral("--serial"), QStringLiteral("ttyS0")},
        {QStringLiteral("--no-such-option")},
        {}, // no device given or stored
    };
    for (const QStringList &args : bad) {
        QProcess *q = start(args, this);
        QVERIFY(q->waitForFinished(15000));
        QVERIFY2(q->exitCode() == 2, qPrintable(args.join(' ')));
        QVERIFY(!q->readAllStandardError().isEmpty());
    }
}

QTEST_GUILESS_MAIN(TstHeadless)
#include "tst_headless.moc"
