// The application context's connection lifecycle and receive path against the simulated
// device, over TCP (always port 8080) and over a pseudo-terminal.
#include "AppContext.h"
#include "SerialPortList.h"
#include "SimServer.h"
#include "TestWorkDir.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

// Each test's device gets its own loopback address, so parallel runs do not meet.
bool listenOnRandomLoopback(SimServer &sim)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        const quint32 host = (127u << 24) | (QRandomGenerator::global()->bounded(1u, 250u) << 16) |
                             (QRandomGenerator::global()->bounded(0u, 250u) << 8) |
                             QRandomGenerator::global()->bounded(2u, 250u);
        if (sim.listenTcp(QHostAddress(host), 8080))
            return true;
    }
    return false;
}

void connectTcp(AppContext &ctx, const SimServer &sim)
{
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
    QTRY_COMPARE_WITH_TIMEOUT(sim.receivedLines().size(), 5, 3000);
    QCOMPARE(sim.receivedLines(),
             (QStringList{QStringLiteral("PING"), QStringLiteral("GetSW"), QStringLiteral("BeepONOnce"),
                          QStringLiteral("GetOutput"), QStringLiteral("GetBeepEn")}));
    // PING and GetSW about a second after the link came up, then 100 ms pauses.
    QVERIFY2(at.value("PING") >= 950 && at.value("PING") < 1600, QByteArray::number(at.value("PING")));
    QVERIFY(at.value("GetSW") - at.value("PING") < 50);
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

    QTRY_COMPARE_WITH_TIMEOUT(ctx.mode(), QStringLiteral("DV-47"), 3000);
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

    // A reply split over chunks within 500 ms is parsed once, at its CR LF.
    QSignalSpy ipChanged(&ctx, &AppContext::ipChanged);
    sim.sendRaw("IP 10.2.");
    QTest::qWait(250);
    sim.sendRaw("2.2\r");
    QTest::qWait(250);
    QCOMPARE(ipChanged.count(), 0);
    sim.sendRaw("\n");
    QTRY_COMPARE(ipChanged.count(), 1);
    QCOMPARE(ctx.ip(), QStringLiteral("10.2.2.2"));

    // A partial line followed by silence is thrown away; the next chunk starts afresh.
    sim.sendRaw("IP 10.3.3.3");
    QTest::qWait(700);
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

    // A device that streams without line ends does not make the panel hoard memory: the
    // unfinished line is dropped once it passes the cap, and reading goes on.
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^receive buffer over")));
    sim.sendRaw(QByteArray(AppContext::kMaxReceiveBuffer + 4096, 'x'));
    QTest::qWait(200);
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

QTEST_MAIN(TestConnection)
#include "tst_connection.moc"
