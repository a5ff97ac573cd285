// SerialportIO over a pseudo-terminal: the test holds the master side, the link opens
// the slave side as its serial port.
#include "LinkSpies.h"
#include "SerialportIO.h"
#include "TestPty.h"
#include "Unprivileged.h"

#include <QSignalSpy>
#include <QtTest>

#include <sys/stat.h>
#include <termios.h>

namespace {
using Pty = TestPty;
using Spies = LinkSpies;
} // namespace

class TestSerialportIO : public QObject
{
    Q_OBJECT
private slots:
    void openConfiguresAndPassesBytes();
    void otherEndClosingDisconnectsOnce();
    void closeAndMissingPorts();
    void closeAfterHangUpReportsOnce();
    void openFailureNamesItsCause();
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

void TestSerialportIO::closeAfterHangUpReportsOnce()
{
    // The adapter is pulled and the operator disconnects before the port has noticed:
    // clearing and closing the vanished port raise errors of their own, and still one
    // disconnection is reported, as a close that was asked for.
    Pty pty;
    SerialportIO link(pty.slave, 115200);
    Spies spy(link);
    QVERIFY(link.open());
    QVERIFY(link.write("PING\r\n")); // bytes waiting in the port when it vanishes
    pty.hangUp();
    QVERIFY(link.close());
    QCOMPARE(spy.disconnected.count(), 1);
    QCOMPARE(link.failure(), ClientIO::Failure::None);
    QTest::qWait(100); // anything queued by the dead port would arrive now
    QCOMPARE(spy.disconnected.count(), 1);
    QVERIFY(link.close());
    QCOMPARE(spy.disconnected.count(), 1);
}

void TestSerialportIO::openFailureNamesItsCause()
{
    // Missing.
    SerialportIO missing(QStringLiteral("/dev/tessaro-no-such-port"), 9600);
    QVERIFY(!missing.open());
    QCOMPARE(missing.failure(), ClientIO::Failure::PortNotFound);

    // Busy: held open by another link.
    Pty pty;
    SerialportIO holder(pty.slave, 9600);
    QVERIFY(holder.open());
    SerialportIO second(pty.slave, 9600);
    Spies secondSpy(second);
    QVERIFY(!second.open());
    QCOMPARE(second.failure(), ClientIO::Failure::PortBusy);
    QCOMPARE(secondSpy.disconnected.count(), 1);
    QVERIFY(holder.close());

    // Not allowed: a device file this user may not open (what a user outside the
    // "dialout" group meets), tried as an unprivileged user.
    Pty locked;
    QCOMPARE(chmod(QFile::encodeName(locked.slave).constData(), 0), 0);
    const QString path = locked.slave;
    const int failure = runUnprivileged([path] {
        SerialportIO link(path, 9600);
        return link.open() ? 100 : static_cast<int>(link.failure());
    });
    QCOMPARE(failure, static_cast<int>(ClientIO::Failure::PermissionDenied));

    // A lost link names the loss; the next attempt starts clean.
    Pty gone;
    SerialportIO link(gone.slave, 9600);
    Spies spy(link);
    QVERIFY(link.open());
    gone.hangUp();
    QVERIFY(spy.disconnected.wait(5000));
    QCOMPARE(link.failure(), ClientIO::Failure::Lost);
    QVERIFY(!link.open());
    QVERIFY(link.failure() != ClientIO::Failure::Lost);
}

QTEST_GUILESS_MAIN(TestSerialportIO)
#include "tst_serialportio.moc"
