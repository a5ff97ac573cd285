// TcpClientIO against local servers: connection, peer close, refused and silent addresses,
// the connection check and the cause each failure names.
#include "LinkSpies.h"
#include "SimServer.h"
#include "StalledListener.h"
#include "TcpClientIO.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {

QHostAddress randomLoopback()
{
    const quint32 host = (127u << 24) | (QRandomGenerator::global()->bounded(1u, 250u) << 16) |
                         (QRandomGenerator::global()->bounded(0u, 250u) << 8) |
                         QRandomGenerator::global()->bounded(2u, 250u);
    return QHostAddress(host);
}

// A simulated device on a random loopback address and any free port.
bool listenSim(SimServer &sim)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (sim.listenTcp(randomLoopback(), 0))
            return true;
    }
    return false;
}

bool listenSomewhere(QTcpServer &server)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (server.listen(randomLoopback(), 0))
            return true;
    }
    return false;
}

using Spies = LinkSpies;

} // namespace

class TestTcpClientIO : public QObject
{
    Q_OBJECT
private slots:
    void connectsOnceAndPassesBytes();
    void peerCloseReportsOneDisconnection();
    void closeAndWriteWhenClosed();
    void reopenWhileConnected();
    void connectionCheckNamesTheCause();
    void badAddressIsNeverLookedUp_data();
    void badAddressIsNeverLookedUp();
    void lostAndClosedLinks();
};

void TestTcpClientIO::connectsOnceAndPassesBytes()
{
    QTcpServer server;
    QVERIFY(listenSomewhere(server));
    TcpClientIO link(server.serverAddress().toString(), server.serverPort());
    Spies spy(link);
    QCOMPARE(link.write("early\r\n"), 0); // not open yet
    QVERIFY(link.open());
    QVERIFY(spy.connected.wait(2000));
    QTRY_VERIFY(server.hasPendingConnections());
    QTcpSocket *peer = server.nextPendingConnection();
    QVERIFY(peer);

    QCOMPARE(link.write("PING\r\n"), 6);
    QTRY_COMPARE(peer->bytesAvailable(), qint64(6));
    QCOMPARE(peer->readAll(), QByteArray("PING\r\n"));

    peer->write("DV-42\r\n");
    peer->flush();
    QVERIFY(spy.readReady.wait(2000));
    QCOMPARE(link.read(), QByteArray("DV-42\r\n"));
    QCOMPARE(link.read(), QByteArray());
    QCOMPARE(spy.connected.count(), 1);
    QCOMPARE(spy.disconnected.count(), 0);
}

void TestTcpClientIO::peerCloseReportsOneDisconnection()
{
    SimServer sim;
    QVERIFY(listenSim(sim));
    TcpClientIO link(sim.tcpAddress().toString(), sim.tcpPort());
    Spies spy(link);
    link.open();
    QVERIFY(spy.connected.wait(2000));
    QTRY_VERIFY(sim.clientConnected());
    sim.dropConnection();
    QVERIFY(spy.disconnected.wait(2000));
    QTest::qWait(50);
    QCOMPARE(spy.disconnected.count(), 1);
    QCOMPARE(link.write("PING\r\n"), 0);
    QCOMPARE(link.read(), QByteArray());
    // A second close of the closed socket emits nothing.
    QCOMPARE(link.close(), false);
    QTest::qWait(20);
    QCOMPARE(spy.disconnected.count(), 1);
}

void TestTcpClientIO::closeAndWriteWhenClosed()
{
    QTcpServer server;
    QVERIFY(listenSomewhere(server));
    TcpClientIO link(server.serverAddress().toString(), server.serverPort());
    Spies spy(link);

    // Never opened: closing does nothing.
    QCOMPARE(link.close(), false);
    QCOMPARE(spy.disconnected.count(), 0);

    link.open();
    QVERIFY(spy.connected.wait(2000));
    QCOMPARE(link.close(), false);
    QTRY_COMPARE(spy.disconnected.count(), 1);
    QCOMPARE(link.write("PING\r\n"), 0);
    link.close();
    QTest::qWait(20);
    QCOMPARE(spy.disconnected.count(), 1);
}

void TestTcpClientIO::reopenWhileConnected()
{
    SimServer sim;
    QVERIFY(listenSim(sim));
    TcpClientIO link(sim.tcpAddress().toString(), sim.tcpPort());
    Spies spy(link);
    link.open();
    QVERIFY(spy.connected.wait(2000));
    // open() on a live link drops it and starts a new attempt.
    link.open();
    QCOMPARE(spy.disconnected.count(), 1);
    QTRY_COMPARE(spy.connected.count(), 2);
    QTRY_COMPARE(sim.connectionCount(), 2);
    link.write("PING\r\n");
    QTRY_COMPARE(sim.receivedLines(), QStringList{QStringLiteral("PING")});
}

void TestTcpClientIO::connectionCheckNamesTheCause()
{
    // Four attempts share one wait for the (shortened) check: a refused address, an
    // address whose listener never completes the handshake, a device that accepts only
    // after the check, and a prompt device.
    constexpr int kCheckMs = 1500;
    QTcpServer probe;
    QVERIFY(listenSomewhere(probe));
    const QHostAddress refusedAddress = probe.serverAddress();
    const quint16 refusedPort = probe.serverPort();
    probe.close();

    StalledListener stalled;
    QVERIFY(stalled.open());
    SimServer slow;
    slow.setAcceptDelay(60000);
    QVERIFY(listenSim(slow));
    SimServer prompt;
    QVERIFY(listenSim(prompt));

    TcpClientIO refused(refusedAddress.toString(), refusedPort);
    TcpClientIO silent(stalled.address().toString(), stalled.port());
    TcpClientIO late(slow.tcpAddress().toString(), slow.tcpPort());
    TcpClientIO good(prompt.tcpAddress().toString(), prompt.tcpPort());
    for (TcpClientIO *link : {&refused, &silent, &late, &good})
        link->setConnectCheckMs(kCheckMs);
    Spies refusedSpy(refused), silentSpy(silent), lateSpy(late), goodSpy(good);

    QElapsedTimer clock;
    clock.start();
    for (TcpClientIO *link : {&refused, &silent, &late, &good})
        link->open();
    QVERIFY(goodSpy.connected.wait(5000));

    // The refusal is reported as soon as the system says so, not at the check.
    QTRY_COMPARE_WITH_TIMEOUT(refusedSpy.disconnected.count(), 1, 5000);
    QVERIFY2(silentSpy.disconnected.isEmpty(), "the refusal came before the check");
    QCOMPARE(refused.failure(), ClientIO::Failure::Refused);
    QTRY_COMPARE_WITH_TIMEOUT(silentSpy.disconnected.count(), 1, 5000);
    QCOMPARE(silent.failure(), ClientIO::Failure::NoAnswer);
    QTRY_COMPARE_WITH_TIMEOUT(lateSpy.disconnected.count(), 1, 5000);
    QCOMPARE(late.failure(), ClientIO::Failure::NoAnswer);
    QCOMPARE(refusedSpy.connected.count() + silentSpy.connected.count() + lateSpy.connected.count(), 0);

    // The check on a live link changes nothing.
    QTest::qWait(kCheckMs);
    QCOMPARE(goodSpy.disconnected.count(), 0);
    QCOMPARE(good.failure(), ClientIO::Failure::None);
    QCOMPARE(good.write("PING\r\n"), 6);
    QTRY_COMPARE(prompt.receivedLines(), QStringList{QStringLiteral("PING")});

    // Closing after the check emits nothing more.
    refused.close();
    late.close();
    QTest::qWait(20);
    QCOMPARE(refusedSpy.disconnected.count(), 1);
    QCOMPARE(lateSpy.disconnected.count(), 1);
}

void TestTcpClientIO::badAddressIsNeverLookedUp_data()
{
    QTest::addColumn<QString>("host");
    QTest::newRow("unfinished") << QStringLiteral("192.168.1.");
    QTest::newRow("three parts") << QStringLiteral("127.0.1");
    QTest::newRow("octet over 255") << QStringLiteral("127.0.0.256");
    QTest::newRow("blank") << QStringLiteral("  ");
}

void TestTcpClientIO::badAddressIsNeverLookedUp()
{
    // Digits and dots that are no address would go to the name resolver (and off this
    // machine) as a host name; the link reports them without trying.
    QFETCH(QString, host);
    TcpClientIO link(host, 8080);
    link.setConnectCheckMs(50);
    Spies spy(link);
    link.open();
    QVERIFY(spy.disconnected.wait(5000));
    QCOMPARE(link.failure(), ClientIO::Failure::BadAddress);
    QCOMPARE(spy.connected.count(), 0);
}

void TestTcpClientIO::lostAndClosedLinks()
{
    SimServer sim;
    QVERIFY(listenSim(sim));
    TcpClientIO link(sim.tcpAddress().toString(), sim.tcpPort());
    Spies spy(link);
    link.open();
    QVERIFY(spy.connected.wait(5000));
    QTRY_VERIFY(sim.clientConnected());
    sim.dropConnection();
    QVERIFY(spy.disconnected.wait(5000));
    QCOMPARE(link.failure(), ClientIO::Failure::Lost);

    // A close that was asked for is no failure.
    link.open();
    QTRY_COMPARE_WITH_TIMEOUT(spy.connected.count(), 2, 5000);
    QCOMPARE(link.failure(), ClientIO::Failure::None);
    link.close();
    QTRY_COMPARE(spy.disconnected.count(), 2);
    QCOMPARE(link.failure(), ClientIO::Failure::None);
}

QTEST_GUILESS_MAIN(TestTcpClientIO)
#include "tst_tcpclientio.moc"
