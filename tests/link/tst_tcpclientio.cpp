// TcpClientIO against local servers: connection, peer close, refused addresses and the
// five-second connection check.
#include "LinkSpies.h"
#include "SimServer.h"
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
    void connectionCheckAfterFiveSeconds();
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

void TestTcpClientIO::connectionCheckAfterFiveSeconds()
{
    // Three attempts share one wait for the check: a refused address, a device that
    // completes the handshake only after the check, and a prompt device.
    QTcpServer probe;
    QVERIFY(listenSomewhere(probe));
    const QHostAddress refusedAddress = probe.serverAddress();
    const quint16 refusedPort = probe.serverPort();
    probe.close();

    SimServer slow;
    slow.setAcceptDelay(6000);
    QVERIFY(listenSim(slow));
    SimServer prompt;
    QVERIFY(listenSim(prompt));

    TcpClientIO refused(refusedAddress.toString(), refusedPort);
    TcpClientIO late(slow.tcpAddress().toString(), slow.tcpPort());
    TcpClientIO good(prompt.tcpAddress().toString(), prompt.tcpPort());
    Spies refusedSpy(refused), lateSpy(late), goodSpy(good);

    QElapsedTimer clock;
    clock.start();
    refused.open();
    late.open();
    good.open();
    QVERIFY(goodSpy.connected.wait(2000));

    // The refusal is known at once, but reported only by the check.
    // (The check is a coarse timer: it may fire up to 5 % early.)
    QTest::qWait(4600 - static_cast<int>(clock.elapsed()));
    QCOMPARE(refusedSpy.disconnected.count(), 0);
    QCOMPARE(lateSpy.disconnected.count(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(refusedSpy.disconnected.count(), 1, 2000);
    QVERIFY(clock.elapsed() >= TcpClientIO::kConnectCheckMs * 95 / 100);
    QTRY_COMPARE_WITH_TIMEOUT(lateSpy.disconnected.count(), 1, 1000);
    QCOMPARE(refusedSpy.connected.count(), 0);
    QCOMPARE(lateSpy.connected.count(), 0);

    // The check on a live link changes nothing.
    QCOMPARE(goodSpy.disconnected.count(), 0);
    QCOMPARE(good.write("PING\r\n"), 6);
    QTRY_COMPARE(prompt.receivedLines(), QStringList{QStringLiteral("PING")});

    // Closing after the check emits nothing more.
    refused.close();
    late.close();
    QTest::qWait(20);
    QCOMPARE(refusedSpy.disconnected.count(), 1);
    QCOMPARE(lateSpy.disconnected.count(), 1);
}

QTEST_GUILESS_MAIN(TestTcpClientIO)
#include "tst_tcpclientio.moc"
