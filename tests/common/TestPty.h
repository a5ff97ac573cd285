#pragma once

#include <QByteArray>
#include <QString>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

// The device end of a pseudo-terminal: the test holds the master side, the panel opens
// the slave side as its serial port. Hanging up is what unplugging an adapter looks like.
struct TestPty
{
    int master = -1;
    QString slave;

    TestPty()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
            return;
        slave = QString::fromLocal8Bit(ptsname(master));
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    }
    ~TestPty() { hangUp(); }
    TestPty(const TestPty &) = delete;
    TestPty &operator=(const TestPty &) = delete;

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
