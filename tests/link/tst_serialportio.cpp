// SerialportIO over a pseudo-terminal: the test holds the master side, the link opens
// the slave side as its serial port.
#include "LinkSpies.h"
#include "SerialportIO.h"

#include <QSignalSpy>
#include <QtTest>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The device end of a pseudo-terminal.
struct Pty
{
    int master = -1;
    QString slave;

    Pty()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
            return;
        slave = QString::fromLocal8Bit(ptsname(master));
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    }
    ~Pty() { hangUp(); }
    void hangUp()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
    bool send(const QByteArray &bytes) const
    {
        return ::write(master, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size();
    }
    QByteArray take() const
    {
        QByteArray out;
        char buf[256];
        ssize_t n;
        while ((n = ::read(master, buf, sizeof buf)) > 0)
            out.append(buf, static_cast<int>(n));
        return out;
    }
};

using Spies = LinkSpies;

} // namespace

class TestSerialportIO : public QObject
{
    Q_OBJECT
private slots:
    void openConfiguresAndPassesBytes();
    void otherEndClosingDisconnectsOnce();
    void closeAndMissingPorts();
};

void TestSerialportIO::openConfiguresAndPassesBytes()
{
    Pty pty;
    QVERIFY(!pty.slave.isEmpty());
    SerialportIO link(pty.slave, 115200);
    Spies spy(link);
    QVERIFY(link.open());
    QCOMPARE(spy.connected.count(), 1); // before open() returned
    QCOMPARE(spy.disconnected.count(), 0);

    termios tio;
    QCOMPARE(tcgetattr(pty.master, &tio), 0);
    QCOMPARE(cfgetospeed(&tio), speed_t(B115200));
    QCOMPARE(cfgetispeed(&tio), speed_t(B115200));
    QCOMPARE(tio.c_cflag & CSIZE, tcflag_t(CS8));
    QCOMPARE(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), tcflag_t(0));
    QCOMPARE(tio.c_iflag & (IXON | IXOFF), tcflag_t(0));

    // Panel to device, bytes unchanged (no CR/LF translation).
    QCOMPARE(link.write("PING\r\n"), 1);
    QByteArray got;
    QTRY_VERIFY((got += pty.take()) == "PING\r\n");
    QCOMPARE(link.write(QByteArray()), 1);

    // Device to panel.
    QVERIFY(pty.send("SWS 1 2\r\n"));
    QVERIFY(spy.readReady.wait(2000));
    QByteArray in = link.read();
    QTRY_VERIFY((in += link.read()).size() == 9);
    QCOMPARE(in, QByteArray("SWS 1 2\r\n"));

    QVERIFY(link.close());
    QCOMPARE(spy.disconnected.count(), 1);
    QCOMPARE(link.write("PING\r\n"), 0);
    QCOMPARE(link.read(), QByteArray());
}

void TestSerialportIO::otherEndClosingDisconnectsOnce()
{
    Pty pty;
    SerialportIO link(pty.slave, 9600);
    Spies spy(link);
    QVERIFY(link.open());
    pty.hangUp();
    QVERIFY(spy.disconnected.wait(2000));
    // The port is closed on the first error, so no storm of further reports follows.
    QTest::qWait(100);
    QCOMPARE(spy.disconnected.count(), 1);
    QCOMPARE(link.write("PING\r\n"), 0);
    QCOMPARE(link.read(), QByteArray());
    QVERIFY(link.close());
    QCOMPARE(spy.disconnected.count(), 1);
    QCOMPARE(spy.connected.count(), 1);
}

void TestSerialportIO::closeAndMissingPorts()
{
    SerialportIO never(QStringLiteral("/dev/tessaro-no-such-port"), 115200);
    Spies neverSpy(never);
    QVERIFY(never.close());
    QCOMPARE(neverSpy.disconnected.count(), 0);

    // A port that cannot be opened reports a disconnection and stays closed.
    QVERIFY(!never.open());
    QCOMPARE(neverSpy.disconnected.count(), 1);
    QCOMPARE(neverSpy.connected.count(), 0);
    QCOMPARE(never.write("PING\r\n"), 0);
    QVERIFY(never.close());
    QCOMPARE(neverSpy.disconnected.count(), 1);
}

QTEST_GUILESS_MAIN(TestSerialportIO)
#include "tst_serialportio.moc"
