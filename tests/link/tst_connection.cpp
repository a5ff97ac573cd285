// The application context's connection lifecycle and receive path against the simulated
// device, over TCP (always port 8080) and over a pseudo-terminal.
#include "AppContext.h"
#include "SerialPortList.h"
#include "SimListen.h"
#include "SimServer.h"
#include "StalledListener.h"
#include "TestPty.h"
#include "TestWorkDir.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

#include <memory>

#include <sys/resource.h>

namespace {

// Short waits for the connection lifecycle, so tests do not sit out the product's
// seconds: first queries after 50 ms, TCP attempts given up after 300 ms.
ConnectionTimings fastTimings()
{
    ConnectionTimings t;
    t.firstQueriesDelayMs = 50;
    t.connectCheckMs = 300;
    t.receiveIdleMs = 500;
    return t;
}

// Debug output, collected so a test can wait for a log line.
QStringList g_log;
void collectLog(QtMsgType, const QMessageLogContext &, const QString &message)
{
    g_log << message;
}

// CPU time this process has used, in milliseconds.
qint64 cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000LL +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

void connectTcp(AppContext &ctx, const SimServer &sim)
{
    ctx.setConnectionTimings(fastTimings());
    ctx.init();
    ctx.setConnectType(1);
    ctx.setCurrentIP(sim.tcpAddress().toString());
    ctx.connectTerminal();
}

} // namespace

class TestConnection : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void firstQueriesThenDroppedLink();
    void connectWithoutSerialport_data();
    void connectWithoutSerialport();
    void serialLinkEndToEnd();
    void receivePathFraming();
    void receiveBufferIsCapped();
    void disconnectTerminal();
    void serialPortByPath_data();
    void serialPortByPath();
    void failedAttemptsSayWhy();
    void unpluggedPortIsNoticedWithoutSpinning();
    void overlongLineIsDiscardedToItsEnd();
    void reconnectWhileConnected();
    void typedPortIsUsed();

private:
    std::unique_ptr<TestWorkDir> _dir;
};

void TestConnection::init()
{
    _dir = std::make_unique<TestWorkDir>();
}

void TestConnection::cleanup()
{
    SerialPortList::setSource({});
    _dir.reset();
}

void TestConnection::firstQueriesThenDroppedLink()
{
    SimServer sim;
    QVERIFY(listenOnRandomLoopback(sim));
    AppContext ctx;
    QElapsedTimer clock;
    QHash<QString, qint64> at;
    connect(&ctx, &AppContext::isConnectedChanged, this, [&] {
        if (ctx.isConnected())
            clock.start();
    });
    connect(&sim, &SimServer::lineReceived, this,
            [&](const QString &line) { at.insert(line, clock.elapsed()); });

    connectTcp(ctx, sim);
    QVERIFY(ctx.isConnectPending());
    QTRY_VERIFY(ctx.isConnected());
    QVERIFY(!ctx.isConnectPending());
    QTRY_COMPARE_WITH_TIMEOUT(sim.receivedLines().size(), 5, 5000);
    QCOMPARE(sim.receivedLines(),
             (QStringList{QStringLiteral("PING"), QStringLiteral("GetSW"), QStringLiteral("BeepONOnce"),
                          QStringLiteral("GetOutput"), QStringLiteral("GetBeepEn")}));
    // PING and GetSW no earlier than the delay after the link came up, then 100 ms pauses.
    QVERIFY2(at.value("PING") >= fastTimings().firstQueriesDelayMs * 9 / 10,
             QByteArray::number(at.value("PING")));
    QVERIFY(at.value("GetSW") >= at.value("PING"));
    QVERIFY(at.value("GetOutput") - at.value("GetSW") >= 95);
    QVERIFY(at.value("GetBeepEn") - at.value("GetOutput") >= 95);

    QCOMPARE(ctx.mode(), QStringLiteral("DV-42"));
    QCOMPARE(ctx.inChannels(), 16);
    QCOMPARE(ctx.outChannels(), 16);
    QTRY_VERIFY(ctx.beep());
    QTRY_COMPARE(ctx.sws().size(), 16);
    QCOMPARE(ctx.outputST().size(), 16);

    // The device drops the link: the model state goes, the routing stays.
    const QJsonArray routing = ctx.sws();
    QSignalSpy modeChanged(&ctx, &AppContext::modeChanged);
    sim.dropConnection();
    QTRY_VERIFY(!ctx.isConnected());
    QVERIFY(!ctx.isConnectPending());
    QCOMPARE(ctx.mode(), QString());
    QCOMPARE(modeChanged.count(), 1);
    QCOMPARE(ctx.inChannels(), 0);
    QCOMPARE(ctx.outChannels(), 0);
    QVERIFY(ctx.outputST().isEmpty());
    QCOMPARE(ctx.sws(), routing);
    QTest::qWait(50);
    QCOMPARE(sim.receivedLines().count(QStringLiteral("BeepONOnce")), 1); // no beep on the way down
}

void TestConnection::connectWithoutSerialport_data()
{
    QTest::addColumn<QString>("port");
    QTest::newRow("blank") << QStringLiteral("   ");
    QTest::newRow("empty") << QString();
    QTest::newRow("not listed") << QStringLiteral("/dev/ttyTESSARO9");
    QTest::newRow("other case") << QStringLiteral("/DEV/PTS/0");
}

void TestConnection::connectWithoutSerialport()
{
    QFETCH(QString, port);
    SerialPortList::setSource([] { return QStringList{QStringLiteral("/dev/pts/0")}; });
    AppContext ctx;
    ctx.init();
    ctx.setConnectType(0);
    ctx.setCurrentSerialport(port);
    ctx.setCurrentSerialportBaudrate(115200);
    QSignalSpy pending(&ctx, &AppContext::isConnectPendingChanged);
    QTest::ignoreMessage(QtDebugMsg, "connect without serialport");
    ctx.connectTerminal();
    QVERIFY(!ctx.isConnectPending());
    QVERIFY(!ctx.isConnected());
    QCOMPARE(pending.count(), 2); // set, then cleared
}

void TestConnection::serialLinkEndToEnd()
{
    SimServer sim(QStringLiteral("DV-47"));
    QVERIFY(sim.openPty());
    const QString port = sim.ptyPath();
    SerialPortList::setSource([port] { return QStringList{QStringLiteral("ttyS0"), port}; });
    AppContext ctx;
    // The simulator notices an opened pseudo-terminal by polling (every 100 ms); the
    // product's delay before the first queries leaves it time to.
    ctx.setConnectionTimings(ConnectionTimings());
    ctx.init();
    ctx.scanSerialPorts();
    QCOMPARE(ctx.serialPorts().size(), 2);
    ctx.setConnectType(0);
    ctx.setCurrentSerialport(port);
    ctx.setCurrentSerialportBaudrate(115200);
    ctx.connectTerminal();
    QVERIFY(ctx.isConnected()); // a serial link is up as soon as the port opens
    QVERIFY(!ctx.isConnectPending());
    QTRY_VERIFY(sim.clientConnected());

    QTRY_COMPARE_WITH_TIMEOUT(ctx.mode(), QStringLiteral("DV-47"), 5000);
    QCOMPARE(ctx.inChannels(), 8);
    QCOMPARE(ctx.outChannels(), 16);
    QTRY_COMPARE(sim.receivedLines().size(), 5);
    QCOMPARE(sim.receivedLines().first(), QStringLiteral("PING"));

    ctx.sendCmd_SW(2, QJsonArray{1, 16});
    QTRY_COMPARE(sim.device()->routing().at(15), 2);
    // Input 1 feeds nothing now; input 2 feeds outputs 1, 2 and 16.
    QTRY_COMPARE(ctx.sws().first().toObject().value(QStringLiteral("in")).toString(), QStringLiteral("02"));
    QCOMPARE(ctx.sws().first().toObject().value(QStringLiteral("out")).toArray(),
             (QJsonArray{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("16")}));

    ctx.disconnectTerminal();
    QVERIFY(!ctx.isConnected());
    QVERIFY(!ctx.isConnectPending());
    QTRY_VERIFY(!sim.clientConnected());
}

void TestConnection::receivePathFraming()
{
    SimServer sim;
    QVERIFY(listenOnRandomLoopback(sim));
    AppContext ctx;
    connectTcp(ctx, sim);
    QTRY_VERIFY(ctx.isConnected());
    QTRY_COMPARE_WITH_TIMEOUT(sim.receivedLines().size(), 5, 3000); // first queries done
    QTRY_VERIFY(ctx.beep());

    // Two replies in one chunk, applied in order.
    QStringList order;
    connect(&ctx, &AppContext::ipChanged, this, [&] { order << QStringLiteral("ip"); });
    connect(&ctx, &AppContext::ipMaskChanged, this, [&] { order << QStringLiteral("mask"); });
    sim.sendRaw("IP 10.1.1.1\r\nIPMask 255.0.0.0\r\n");
    QTRY_COMPARE(order, (QStringList{QStringLiteral("ip"), QStringLiteral("mask")}));
    QCOMPARE(ctx.ip(), QStringLiteral("10.1.1.1"));
    QCOMPARE(ctx.ipMask(), QStringLiteral("255.0.0.0"));

    // A reply split over chunks is parsed once, at its CR LF. (The idle time is long
    // here, so a slow machine cannot make the pieces look like separate lines.)
    ConnectionTimings patient = fastTimings();
    patient.receiveIdleMs = 60000;
    ctx.setConnectionTimings(patient);
    QSignalSpy chunks(ctx.clientIO(), &ClientIO::onReadReady);
    QSignalSpy ipChanged(&ctx, &AppContext::ipChanged);
    sim.sendRaw("IP 10.2.");
    QTRY_COMPARE(chunks.count(), 1);
    sim.sendRaw("2.2\r");
    QTRY_COMPARE(chunks.count(), 2);
    QCOMPARE(ipChanged.count(), 0);
    sim.sendRaw("\n");
    QTRY_COMPARE(ipChanged.count(), 1);
    QCOMPARE(ctx.ip(), QStringLiteral("10.2.2.2"));

    // A partial line followed by silence is thrown away; the next chunk starts afresh.
    ConnectionTimings hasty = fastTimings();
    hasty.receiveIdleMs = 100;
    ctx.setConnectionTimings(hasty);
    g_log.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectLog);
    sim.sendRaw("IP 10.3.3.3");
    QTRY_VERIFY_WITH_TIMEOUT(g_log.filter(QStringLiteral("Recived timerout:")).size() == 1, 5000);
    qInstallMessageHandler(previous);
    QVERIFY(
        g_log.filter(QStringLiteral("Recived timerout:")).first().contains(QStringLiteral("IP 10.3.3.3")));
    sim.sendRaw("IPGateWay 10.0.0.254\r\n");
    QTRY_COMPARE(ctx.ipGateway(), QStringLiteral("10.0.0.254"));
    QCOMPARE(ctx.ip(), QStringLiteral("10.2.2.2"));
    QCOMPARE(ipChanged.count(), 1);
}

void TestConnection::receiveBufferIsCapped()
{
    SimServer sim;
    QVERIFY(listenOnRandomLoopback(sim));
    AppContext ctx;
    connectTcp(ctx, sim);
    QTRY_VERIFY(ctx.isConnected());
    // The first queries answered, so no reply to them ends the stream below early.
    QTRY_COMPARE_WITH_TIMEOUT(sim.receivedLines().size(), 5, 5000);
    // The megabyte comes in many pieces; on a busy machine a pause between two of them
    // must not count as the device falling silent, or the line goes before the cap.
    ConnectionTimings patient = fastTimings();
    patient.receiveIdleMs = 20000;
    ctx.setConnectionTimings(patient);

    // A device that streams without line ends does not make the panel hoard memory: the
    // unfinished line is dropped once it passes the cap, and reading goes on.
    g_log.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectLog);
    // Put back even when the wait fails, so later tests see their messages.
    const auto restore = qScopeGuard([previous] { qInstallMessageHandler(previous); });
    sim.sendRaw(QByteArray(AppContext::kMaxReceiveBuffer + 4096, 'x'));
    QTRY_VERIFY_WITH_TIMEOUT(!g_log.filter(QStringLiteral("receive buffer over")).isEmpty(), 30000);
    sim.sendRaw("\r\nIP 10.9.9.9\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(ctx.ip(), QStringLiteral("10.9.9.9"), 5000);
    QVERIFY(ctx.isConnected());
}

void TestConnection::disconnectTerminal()
{
    AppContext ctx;
    ctx.init();
    // No link at all.
    ctx.disconnectTerminal();
    QVERIFY(!ctx.isConnectPending());

    SimServer sim;
    QVERIFY(listenOnRandomLoopback(sim));
    connectTcp(ctx, sim);
    QTRY_VERIFY(ctx.isConnected());

    // Asked while connected: pending until the link reports the disconnection.
    QSignalSpy pending(&ctx, &AppContext::isConnectPendingChanged);
    ctx.disconnectTerminal();
    QTRY_VERIFY(!ctx.isConnected());
    QVERIFY(!ctx.isConnectPending());
    QVERIFY(pending.count() >= 2);

    // Again, with the link down (here dropped by the device): nothing changes and
    // nothing is left pending.
    connectTcp(ctx, sim);
    QTRY_VERIFY(ctx.isConnected());
    sim.dropConnection();
    QTRY_VERIFY(!ctx.isConnected());
    pending.clear();
    ctx.disconnectTerminal();
    QVERIFY(!ctx.isConnectPending());
    QCOMPARE(pending.count(), 0);
    QVERIFY(!ctx.isConnected());
}

void TestConnection::serialPortByPath_data()
{
    QTest::addColumn<bool>("shortName");
    QTest::newRow("device path") << false; // "/dev/pts/N", as run.sh --serial stores it
    QTest::newRow("short name") << true;   // "pts/N", the form the system lists
}

void TestConnection::serialPortByPath()
{
    // Pseudo-terminals (and adapters the system does not list) are never enumerated; a
    // port that exists is tried all the same.
    QFETCH(bool, shortName);
    SimServer sim(QStringLiteral("DV-47"));
    QVERIFY(sim.openPty());
    QString port = sim.ptyPath();
    if (shortName)
        port.remove(0, QStringLiteral("/dev/").size());
    SerialPortList::setSource([] { return QStringList{QStringLiteral("ttyS0")}; });
    AppContext ctx;
    ctx.setConnectionTimings(fastTimings());
    ctx.init();
    ctx.setConnectType(0);
    ctx.setCurrentSerialport(port);
    ctx.setCurrentSerialportBaudrate(115200);
    ctx.connectTerminal();
    QVERIFY(ctx.isConnected());
    QTRY_COMPARE_WITH_TIMEOUT(ctx.mode(), QStringLiteral("DV-47"), 5000);
    QCOMPARE(ctx.currentSerialport(), port); // stored as given
}

void TestConnection::failedAttemptsSayWhy()
{
    AppContext ctx;
    ctx.setConnectionTimings(fastTimings());
    ctx.init();
    QSignalSpy problem(&ctx, &AppContext::connectProblemChanged);

    // Nothing listens on port 8080 of this address.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0));
    QHostAddress closed;
    for (int attempt = 0; attempt < 20 && closed.isNull(); ++attempt) {
        QTcpServer server;
        const QHostAddress a((127u << 24) | (QRandomGenerator::global()->bounded(1u, 250u) << 16) | 77u);
        if (server.listen(a, 8080))
            closed = a; // free now that the server is gone
    }
    QVERIFY(!closed.isNull());
    ctx.setConnectType(1);
    ctx.setCurrentIP(closed.toString());
    ctx.connectTerminal();
    QTRY_VERIFY_WITH_TIMEOUT(!ctx.isConnectPending(), 5000);
    QCOMPARE(ctx.connectProblem(), QStringLiteral("refused"));

    // The next attempt clears it as it starts.
    StalledListener stalled;
    QVERIFY(stalled.open(8080));
    ctx.setCurrentIP(stalled.address().toString());
    ctx.connectTerminal();
    QCOMPARE(ctx.connectProblem(), QString());
    QVERIFY(ctx.isConnectPending());
    QTRY_VERIFY_WITH_TIMEOUT(!ctx.isConnectPending(), 5000);
    QCOMPARE(ctx.connectProblem(), QStringLiteral("noAnswer"));

    ctx.setCurrentIP(QStringLiteral("192.168.1."));
    ctx.connectTerminal();
    QTRY_VERIFY_WITH_TIMEOUT(!ctx.isConnectPending(), 5000);
    QCOMPARE(ctx.connectProblem(), QStringLiteral("badAddress"));

    // Serial: a port that is not there, and one that another program holds.
    ctx.setConnectType(0);
    ctx.setCurrentSerialport(QStringLiteral("/dev/tessaro-no-such-port"));
    QTest::ignoreMessage(QtDebugMsg, "connect without serialport");
    ctx.connectTerminal();
    QCOMPARE(ctx.connectProblem(), QStringLiteral("portNotFound"));
    TestPty pty;
    ctx.setCurrentSerialport(pty.slave);
    ctx.connectTerminal(); // no baud rate chosen yet
    QVERIFY(!ctx.isConnected());
    QVERIFY(!ctx.isConnectPending());
    QCOMPARE(ctx.connectProblem(), QStringLiteral("noBaudRate"));
    ctx.setCurrentSerialportBaudrate(9600);
    QSerialPort other(pty.slave);
    QVERIFY(other.open(QIODevice::ReadWrite));
    ctx.connectTerminal();
    QVERIFY(!ctx.isConnected());
    QCOMPARE(ctx.connectProblem(), QStringLiteral("portBusy"));
    other.close();

    // Success clears it; a disconnection asked for says nothing.
    ctx.connectTerminal();
    QVERIFY(ctx.isConnected());
    QCOMPARE(ctx.connectProblem(), QString());
    ctx.disconnectTerminal();
    QVERIFY(!ctx.isConnected());
    QCOMPARE(ctx.connectProblem(), QString());
    QVERIFY(problem.count() >= 8);
}

void TestConnection::unpluggedPortIsNoticedWithoutSpinning()
{
    TestPty pty;
    SerialPortList::setSource([] { return QStringList(); });
    AppContext ctx;
    ctx.setConnectionTimings(fastTimings());
    ctx.init();
    ctx.setConnectType(0);
    ctx.setCurrentSerialport(pty.slave);
    ctx.setCurrentSerialportBaudrate(9600);
    ctx.connectTerminal();
    QVERIFY(ctx.isConnected());

    pty.hangUp(); // the adapter is pulled
    QTRY_VERIFY_WITH_TIMEOUT(!ctx.isConnected(), 5000);
    QCOMPARE(ctx.connectProblem(), QStringLiteral("lost"));
    QCOMPARE(ctx.mode(), QString());

    // Afterwards the process idles: a port left reporting read errors would keep a core
    // busy. (A loaded machine only lowers this figure.)
    QElapsedTimer wall;
    const qint64 cpuBefore = cpuMs();
    wall.start();
    QTest::qWait(1000);
    const qint64 used = cpuMs() - cpuBefore;
    QVERIFY2(used < wall.elapsed() / 2,
             qPrintable(QStringLiteral("%1 ms CPU in %2 ms").arg(used).arg(wall.elapsed())));
    QVERIFY(!ctx.isConnected());
}

void TestConnection::overlongLineIsDiscardedToItsEnd()
{
    SimServer sim;
    QVERIFY(listenOnRandomLoopback(sim));
    AppContext ctx;
    connectTcp(ctx, sim);
    QTRY_VERIFY(ctx.isConnected());
    QTRY_COMPARE_WITH_TIMEOUT(sim.receivedLines().size(), 5, 5000); // first queries done
    ConnectionTimings patient = fastTimings();
    patient.receiveIdleMs = 60000; // the line's rest follows, however slow the machine
    ctx.setConnectionTimings(patient);

    QStringList ips;
    connect(&ctx, &AppContext::ipChanged, this, [&] { ips << ctx.ip(); });
    g_log.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectLog);
    // One byte over the cap: the drop comes with the junk's last byte, so what follows
    // is exactly the rest of that line.
    sim.sendRaw(QByteArray(AppContext::kMaxReceiveBuffer + 1, 'x'));
    QTRY_VERIFY_WITH_TIMEOUT(!g_log.filter(QStringLiteral("receive buffer over")).isEmpty(), 30000);
    qInstallMessageHandler(previous);
    // The dropped line goes on with something that looks like a reply, then ends; only
    // the line after it is a reply. The CR LF of the dropped line is split over chunks.
    sim.sendRaw("IP 10.7.7.7\r");
    QSignalSpy chunks(ctx.clientIO(), &ClientIO::onReadReady);
    QTRY_VERIFY(chunks.count() >= 1);
    sim.sendRaw("\nIP 10.9.9.9\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(ctx.ip(), QStringLiteral("10.9.9.9"), 5000);
    QCOMPARE(ips, QStringList{QStringLiteral("10.9.9.9")});
    QVERIFY(ctx.isConnected());
}

void TestConnection::reconnectWhileConnected()
{
    // Connecting to another device while a link is up: the attempt stays pending until
    // the new link answers, and a disconnection then closes the new link.
    SimServer first("DV-42");
    SimServer second("DV-42");
    QVERIFY(listenOnRandomLoopback(first));
    QVERIFY(listenOnRandomLoopback(second));
    AppContext ctx;
    connectTcp(ctx, first);
    QTRY_VERIFY_WITH_TIMEOUT(ctx.isConnected(), 10000);

    ctx.setCurrentIP(second.tcpAddress().toString());
    ctx.connectTerminal();
    QVERIFY(ctx.isConnectPending());
    QVERIFY(!ctx.isConnected());
    QTRY_VERIFY_WITH_TIMEOUT(second.clientConnected() && ctx.isConnected(), 10000);
    QVERIFY(!ctx.isConnectPending());
    QTRY_VERIFY_WITH_TIMEOUT(!first.clientConnected(), 10000);

    ctx.disconnectTerminal();
    QTRY_VERIFY_WITH_TIMEOUT(!ctx.isConnected() && !ctx.isConnectPending(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!second.clientConnected(), 10000);
}

void TestConnection::typedPortIsUsed()
{
    SimServer sim;
    QVERIFY(listenOnRandomLoopback(sim, 0));
    AppContext ctx;
    ctx.setConnectionTimings(fastTimings());
    ctx.init();
    ctx.setConnectType(1);
    const QString host = sim.tcpAddress().toString();
    const QString typed = host + QLatin1Char(':') + QString::number(sim.tcpPort());
    ctx.setCurrentIP(typed);
    QCOMPARE(ctx.linkAddress(), typed);
    ctx.connectTerminal();
    QTRY_VERIFY(ctx.isConnected());
    QCOMPARE(ctx.currentIP(), typed);
    QCOMPARE(QJsonDocument::fromJson(_dir->read("setting.data")).object().value("currentIP").toString(),
             typed);
    ctx.disconnectTerminal();
    QTRY_VERIFY(!ctx.isConnected());

    // Without a port the device's 8080 is tried (nothing listens there), and the problem
    // names the address and port.
    ctx.setCurrentIP(host);
    ctx.connectTerminal();
    QTRY_VERIFY_WITH_TIMEOUT(!ctx.isConnectPending(), 5000);
    QVERIFY(!ctx.isConnected());
    QCOMPARE(ctx.connectTarget(), host + QStringLiteral(":8080"));
    QVERIFY(!ctx.connectProblem().isEmpty());

    // A port out of range is refused before any attempt.
    ctx.setCurrentIP(host + QStringLiteral(":70000"));
    ctx.connectTerminal();
    QVERIFY(!ctx.isConnectPending());
    QCOMPARE(ctx.connectProblem(), QStringLiteral("badAddress"));
    QVERIFY(!ctx.clientIO());
}

QTEST_MAIN(TestConnection)
#include "tst_connection.moc"
