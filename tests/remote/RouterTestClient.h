#pragma once

#include <QElapsedTimer>
#include <QStringList>
#include <QTcpSocket>
#include <QtTest>

// A router control client as the tests use it: connects, sends blocks, and keeps every
// block the server sent (split at empty lines; ACK and NAK are blocks of their own).
class RouterTestClient : public QObject
{
public:
    struct Block
    {
        QString header; // the first line, without a trailing ':'
        QStringList lines;
    };

    bool connectTo(quint16 port)
    {
        connect(&socket, &QTcpSocket::readyRead, this, [this] { take(socket.readAll()); });
        socket.connectToHost(QHostAddress::LocalHost, port);
        return socket.waitForConnected(10000);
    }

    void send(const QByteArray &bytes)
    {
        socket.write(bytes);
        socket.flush();
    }

    // Waits for the first block from index `from` on with this header; its index or -1.
    int waitFor(const QString &header, int from = 0, int timeoutMs = 10000)
    {
        QElapsedTimer t;
        t.start();
        for (;;) {
            for (int i = from; i < blocks.size(); ++i)
                if (blocks.at(i).header == header)
                    return i;
            if (t.elapsed() > timeoutMs || socket.state() != QAbstractSocket::ConnectedState)
                return -1;
            QTest::qWait(10);
        }
    }

    // Sends a request and waits for its answer; "ACK", "NAK" or "" on a timeout.
    QString request(const QByteArray &bytes)
    {
        const int from = blocks.size();
        send(bytes);
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 10000) {
            for (int i = from; i < blocks.size(); ++i)
                if (blocks.at(i).header == QLatin1String("ACK") || blocks.at(i).header == QLatin1String("NAK"))
                    return blocks.at(i).header;
            QTest::qWait(10);
        }
        return QString();
    }

    QStringList headers(int from = 0) const
    {
        QStringList h;
        for (int i = from; i < blocks.size(); ++i)
            h.append(blocks.at(i).header);
        return h;
    }

    QTcpSocket socket;
    QList<Block> blocks;

private:
    void take(const QByteArray &bytes)
    {
        _pending += bytes;
        int end;
        while ((end = _pending.indexOf("\n\n")) >= 0) {
            const QStringList lines = QString::fromUtf8(_pending.left(end)).split(QLatin1Char('\n'));
            _pending.remove(0, end + 2);
            Block b;
            b.header = lines.first();
            if (b.header.endsWith(QLatin1Char(':')))
                b.header.chop(1);
            b.lines = lines.mid(1);
            blocks.append(b);
        }
    }
    QByteArray _pending;
};
