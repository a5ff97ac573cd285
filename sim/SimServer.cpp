#include "SimServer.h"

#include "SimDevice.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace {
constexpr int kMaxLineBytes = 64 * 1024; // a line longer than this is junk: dropped
constexpr int kPtyPollMs = 100;
const QByteArray kGarbage("\x00\xff\x55\xaa~#\x7f\x1b[garbage]\xfe", 17);

enum Channel
{
    Tcp = 0,
    Pty = 1,
    ChannelCount = 2
};
} // namespace

class SimServerPrivate
{
public:
    explicit SimServerPrivate(SimServer *q) : q(q) {}

    struct Out
    {
        QByteArray bytes;
        bool close = false;
    };

    SimServer *q;
    SimDevice *device = nullptr;

    QTcpServer *server = nullptr;
    QString tcpError; // why the last listenTcp() failed
    QPointer<QTcpSocket> socket;
    int connections = 0;
    QTcpSocket *gateDummy = nullptr;
    QTimer *gateTimer = nullptr;

    int ptyMaster = -1;
    QString ptySlave;
    QString ptyLink;
    bool ptyOpen = false; // the panel holds the slave side open
    QSocketNotifier *ptyRead = nullptr;
    QSocketNotifier *ptyWrite = nullptr;
    QByteArray ptyPending;
    QTimer *ptyPoll = nullptr;

    QByteArray inBuffer[ChannelCount];
    QList<Out> outQueue[ChannelCount];
    QTimer *pump[ChannelCount] = {nullptr, nullptr};
    int generation[ChannelCount] = {0, 0};
    int commands[ChannelCount] = {0, 0};
    bool closing[ChannelCount] = {false, false}; // a close is queued: no more commands
    bool rebootPending = false;

    QStringList received;
    bool connected = false;

    int chunkSize = 0;
    int chunkGapMs = 20;
    int replyDelayMs = 0;
    int closeAfter = 0;
    bool garbageOnConnect = false;
    QTimer *garbageTimer = nullptr;
    int dropLineEndEvery = 0;
    int linesSent = 0;
    int acceptDelayMs = 0;
    bool silent = false;
    QHash<QString, int> unanswered; // command word -> lines still to lose (-1: all)
    int stopAnsweringMs = 0;
    QTimer *stopAnswering = nullptr;

    bool echo = false;
    QFile logFile;

    void log(const QString &text)
    {
        emit q->logMessage(text);
        if (!echo && !logFile.isOpen())
            return;
        const QString entry =
            QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz ")) + text +
            QLatin1Char('\n');
        const QByteArray bytes = entry.toUtf8();
        if (echo) {
            fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
            fflush(stdout);
        }
        if (logFile.isOpen()) {
            logFile.write(bytes);
            logFile.flush();
        }
    }

    bool channelUp(int ch) const { return ch == Tcp ? !socket.isNull() : ptyOpen; }

    void updateConnected()
    {
        const bool now = channelUp(Tcp) || channelUp(Pty);
        if (now == connected)
            return;
        connected = now;
        if (connected && stopAnsweringMs > 0) {
            if (!stopAnswering) {
                stopAnswering = new QTimer(q);
                stopAnswering->setSingleShot(true);
                QObject::connect(stopAnswering, &QTimer::timeout, q, [this] {
                    log(QStringLiteral("!! the device stops answering"));
                    silent = true;
                });
            }
            stopAnswering->start(stopAnsweringMs);
        }
        emit q->clientConnectedChanged();
    }

    // --- receiving -------------------------------------------------------------

    void feed(int ch, const QByteArray &bytes)
    {
        QByteArray &buf = inBuffer[ch];
        buf.append(bytes);
        int end;
        while (!closing[ch] && (end = buf.indexOf("\r\n")) >= 0) {
            const QByteArray raw = buf.left(end);
            buf.remove(0, end + 2);
            handleLine(ch, QString::fromLocal8Bit(raw));
            if (!channelUp(ch)) // the line closed the connection
                return;
        }
        if (buf.size() > kMaxLineBytes) {
            log(QStringLiteral("!! %1 bytes without a line end dropped").arg(buf.size()));
            buf.clear();
        }
    }

    void handleLine(int ch, const QString &line)
    {
        received.append(line);
        log(QStringLiteral("<- ") + line);
        emit q->lineReceived(line);
        if (silent) {
            log(QStringLiteral("!! silent: no answer"));
            return;
        }
        const auto lost = unanswered.find(line.section(QLatin1Char(' '), 0, 0));
        if (lost != unanswered.end() && lost.value() != 0) {
            if (lost.value() > 0)
                --lost.value();
            log(QStringLiteral("!! line lost: no answer"));
            return;
        }
        const QStringList replies = device->handleLine(line);
        for (const QString &reply : replies)
            sendLine(ch, reply);
        if (rebootPending) { // a networked device restarts: its TCP connection goes
            rebootPending = false;
            if (socket)
                closeLater(Tcp);
        }
        ++commands[ch];
        if (closeAfter > 0 && commands[ch] >= closeAfter) {
            log(QStringLiteral("!! closing the connection after %1 commands").arg(commands[ch]));
            closeLater(ch);
        }
    }

    // --- sending ---------------------------------------------------------------

    void sendLine(int ch, const QString &line)
    {
        if (silent)
            return;
        QByteArray bytes = line.toLocal8Bit();
        ++linesSent;
        const bool cut = dropLineEndEvery > 0 && linesSent % dropLineEndEvery == 0;
        if (!cut)
            bytes.append("\r\n");
        log((cut ? QStringLiteral("-> (no CR LF) ") : QStringLiteral("-> ")) + line);
        emit q->lineSent(line);
        deliver(ch, Out{bytes, false});
    }

    // Closes the channel once everything queued before has gone out.
    void closeLater(int ch)
    {
        if (closing[ch])
            return;
        closing[ch] = true;
        inBuffer[ch].clear();
        deliver(ch, Out{QByteArray(), true});
    }

    void deliver(int ch, const Out &out)
    {
        if (replyDelayMs <= 0) {
            enqueue(ch, out);
            return;
        }
        const int gen = generation[ch];
        QTimer::singleShot(replyDelayMs, q, [this, ch, out, gen] {
            if (gen == generation[ch])
                enqueue(ch, out);
        });
    }

    void enqueue(int ch, const Out &out)
    {
        outQueue[ch].append(out);
        if (!pump[ch]->isActive())
            pumpOut(ch);
    }

    void pumpOut(int ch)
    {
        while (!outQueue[ch].isEmpty()) {
            Out &head = outQueue[ch].first();
            if (head.close) {
                outQueue[ch].clear();
                dropChannel(ch);
                return;
            }
            // The queue is settled before the write: a write to a panel that has gone
            // reports the loss at once, and that empties the queue.
            QByteArray piece;
            if (chunkSize <= 0 || head.bytes.size() <= chunkSize) {
                piece = head.bytes;
                outQueue[ch].removeFirst();
            } else {
                piece = head.bytes.left(chunkSize);
                head.bytes.remove(0, chunkSize);
            }
            writeRaw(ch, piece);
            if (!channelUp(ch))
                return;
            if (chunkSize > 0) { // let each piece arrive on its own
                pump[ch]->start(chunkGapMs);
                return;
            }
        }
    }

    void writeRaw(int ch, const QByteArray &bytes)
    {
        if (bytes.isEmpty())
            return;
        if (ch == Tcp) {
            if (socket) {
                socket->write(bytes);
                socket->flush();
            }
            return;
        }
        if (ptyMaster < 0)
            return;
        ptyPending.append(bytes);
        flushPty();
    }

    void flushPty()
    {
        while (!ptyPending.isEmpty() && ptyMaster >= 0) {
            const ssize_t n =
                ::write(ptyMaster, ptyPending.constData(), static_cast<size_t>(ptyPending.size()));
            if (n > 0) {
                ptyPending.remove(0, static_cast<int>(n));
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                ptyWrite->setEnabled(true);
                return;
            }
            log(QStringLiteral("!! pty write failed: %1").arg(QString::fromLocal8Bit(strerror(errno))));
            ptyPending.clear();
            break;
        }
        if (ptyWrite)
            ptyWrite->setEnabled(false);
    }

    // Lines that go to every connected panel.
    void broadcast(const QString &line)
    {
        for (int ch = 0; ch < ChannelCount; ++ch) {
            if (channelUp(ch))
                sendLine(ch, line);
        }
    }

    void sendGarbage(int ch)
    {
        log(QStringLiteral("!! junk line sent"));
        deliver(ch, Out{kGarbage + "\r\n", false});
    }

    void resetChannel(int ch)
    {
        ++generation[ch];
        inBuffer[ch].clear();
        outQueue[ch].clear();
        pump[ch]->stop();
        commands[ch] = 0;
        closing[ch] = false;
    }

    void dropChannel(int ch)
    {
        if (ch == Tcp)
            dropTcp();
        else
            replacePty();
    }

    // --- TCP -------------------------------------------------------------------

    void onNewConnection()
    {
        while (QTcpSocket *s = server->nextPendingConnection()) {
            if (gateDummy && s->peerPort() == gateDummy->localPort()) {
                s->abort();
                s->deleteLater();
                gateDummy->abort();
                gateDummy->deleteLater();
                gateDummy = nullptr;
                continue;
            }
            if (socket) {
                log(QStringLiteral("a new panel replaces the connected one"));
                dropTcp();
            }
            socket = s;
            ++connections;
            resetChannel(Tcp);
            log(QStringLiteral("panel connected from %1:%2")
                    .arg(s->peerAddress().toString())
                    .arg(s->peerPort()));
            QObject::connect(s, &QTcpSocket::readyRead, q, [this, s] {
                if (s == socket)
                    feed(Tcp, s->readAll());
            });
            QObject::connect(s, &QTcpSocket::disconnected, q, [this, s] {
                if (s != socket)
                    return;
                log(QStringLiteral("panel disconnected"));
                socket = nullptr;
                resetChannel(Tcp);
                s->deleteLater();
                updateConnected();
                armGate();
            });
            updateConnected();
            if (garbageOnConnect)
                sendGarbage(Tcp);
        }
    }

    // A panel whose connect has completed is connected as far as a device is concerned:
    // the kernel finished the handshake. Before the simulator acts on "the connected
    // panel" it takes such a connection even if the event loop has not yet reported it,
    // so a line sent (or a drop made) right after the panel saw its link come up is not
    // lost. Nothing is taken while the accept gate holds connections back. Likewise a
    // panel that has opened the pseudo-terminal since the last look is noticed now.
    void takeWaitingPanel()
    {
        if (server && server->isListening() && !gateDummy)
            server->waitForNewConnection(0);
        if (ptyMaster >= 0 && !ptyOpen)
            pollPty();
    }

    void dropTcp()
    {
        QTcpSocket *s = socket;
        if (!s)
            return;
        socket = nullptr;
        resetChannel(Tcp);
        s->disconnect(q);
        log(QStringLiteral("connection closed by the device"));
        QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        s->disconnectFromHost();
        if (s->state() == QAbstractSocket::UnconnectedState)
            s->deleteLater();
        updateConnected();
        armGate();
    }

    // Holds new connections back: the accept queue is filled by a connection of our
    // own and shortened to it, so the kernel drops further handshakes until the gate
    // opens and the panel's stack retries.
    void armGate()
    {
        if (acceptDelayMs <= 0 || !server || !server->isListening() || socket || gateDummy)
            return;
        server->pauseAccepting();
        gateDummy = new QTcpSocket();
        gateDummy->connectToHost(server->serverAddress(), server->serverPort());
        if (!gateDummy->waitForConnected(1000)) {
            log(QStringLiteral("!! accept delay not armed: %1").arg(gateDummy->errorString()));
            delete gateDummy;
            gateDummy = nullptr;
            server->resumeAccepting();
            return;
        }
        ::listen(static_cast<int>(server->socketDescriptor()), 0);
        log(QStringLiteral("!! accepting connections in %1 ms").arg(acceptDelayMs));
        gateTimer->start(acceptDelayMs);
    }

    void openGate()
    {
        if (!server || !server->isListening())
            return;
        ::listen(static_cast<int>(server->socketDescriptor()), 50);
        server->resumeAccepting();
        log(QStringLiteral("accepting connections"));
    }

    // --- pseudo-terminal -----------------------------------------------------

    bool openPtyDevice()
    {
        const int fd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            return false;
        if (grantpt(fd) != 0 || unlockpt(fd) != 0 || !ptsname(fd)) {
            ::close(fd);
            return false;
        }
        const QString slave = QString::fromLocal8Bit(ptsname(fd));
        // Raw mode on the slave side so that bytes pass unchanged whoever opens it.
        const int s = ::open(ptsname(fd), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (s >= 0) {
            termios tio;
            if (tcgetattr(s, &tio) == 0) {
                cfmakeraw(&tio);
                tcsetattr(s, TCSANOW, &tio);
            }
            ::close(s);
        }
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        ptyMaster = fd;
        ptySlave = slave;
        ptyOpen = false;
        resetChannel(Pty);
        ptyRead = new QSocketNotifier(fd, QSocketNotifier::Read, q);
        ptyRead->setEnabled(false);
        QObject::connect(ptyRead, &QSocketNotifier::activated, q, [this] { readPty(); });
        ptyWrite = new QSocketNotifier(fd, QSocketNotifier::Write, q);
        ptyWrite->setEnabled(false);
        QObject::connect(ptyWrite, &QSocketNotifier::activated, q, [this] { flushPty(); });
        ptyPoll->start(kPtyPollMs);
        if (!ptyLink.isEmpty()) {
            const QFileInfo info(ptyLink);
            if (info.isSymLink())
                QFile::remove(ptyLink);
            if (!QFile::link(ptySlave, ptyLink))
                log(QStringLiteral("!! cannot make the link %1").arg(ptyLink));
        }
        log(QStringLiteral("pseudo-terminal %1%2")
                .arg(ptySlave,
                     ptyLink.isEmpty() ? QString() : QStringLiteral(" (link ") + ptyLink + QLatin1Char(')')));
        return true;
    }

    void closePtyDevice()
    {
        if (ptyMaster < 0)
            return;
        // Possibly called from the notifier's own signal: let the event loop delete it.
        for (QSocketNotifier *n : {ptyRead, ptyWrite}) {
            n->setEnabled(false);
            n->disconnect(q);
            n->deleteLater();
        }
        ptyRead = nullptr;
        ptyWrite = nullptr;
        ptyPoll->stop();
        ::close(ptyMaster);
        ptyMaster = -1;
        ptyPending.clear();
        resetChannel(Pty);
        if (ptyOpen) {
            ptyOpen = false;
            log(QStringLiteral("pseudo-terminal closed"));
        }
        updateConnected();
    }

    void replacePty()
    {
        log(QStringLiteral("hanging up the pseudo-terminal"));
        closePtyDevice();
        if (!openPtyDevice())
            log(QStringLiteral("!! no new pseudo-terminal"));
    }

    // While no one holds the slave side open, the master reports a hang-up without
    // end; it is watched by polling until the panel opens the port.
    void pollPty()
    {
        if (ptyMaster < 0)
            return;
        pollfd p = {ptyMaster, POLLIN, 0};
        if (::poll(&p, 1, 0) < 0)
            return;
        if (p.revents & POLLIN)
            readPty();
        if (!(p.revents & POLLHUP) && !ptyOpen && ptyMaster >= 0) {
            ptyOpen = true;
            ptyPoll->stop();
            ptyRead->setEnabled(true);
            resetChannel(Pty);
            log(QStringLiteral("panel opened the pseudo-terminal"));
            updateConnected();
            if (garbageOnConnect)
                sendGarbage(Pty);
        }
    }

    void readPty()
    {
        const int fd = ptyMaster;
        char buf[4096];
        for (;;) {
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n > 0) {
                feed(Pty, QByteArray(buf, static_cast<int>(n)));
                if (ptyMaster != fd) // a command closed (and replaced) the pty
                    return;
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return;
            // EIO: the panel closed the slave side.
            if (ptyRead)
                ptyRead->setEnabled(false);
            if (ptyOpen) {
                ptyOpen = false;
                resetChannel(Pty);
                log(QStringLiteral("panel closed the pseudo-terminal"));
                updateConnected();
            }
            ptyPoll->start(kPtyPollMs);
            return;
        }
    }
};

SimServer::SimServer(const QString &model, QObject *parent) : QObject(parent), d(new SimServerPrivate(this))
{
    d->device = new SimDevice(model, this);
    connect(d->device, &SimDevice::report, this, [this](const QString &line) { d->broadcast(line); });
    connect(d->device, &SimDevice::logMessage, this,
            [this](const QString &text) { d->log(QStringLiteral("   ") + text); });
    connect(d->device, &SimDevice::rebootRequested, this, [this] {
        d->rebootPending = true; // acted on once the reply is queued
    });
    connect(d->device, &SimDevice::modelChanged, this, &SimServer::modelChanged);
    for (int ch = 0; ch < ChannelCount; ++ch) {
        d->pump[ch] = new QTimer(this);
        d->pump[ch]->setSingleShot(true);
        connect(d->pump[ch], &QTimer::timeout, this, [this, ch] { d->pumpOut(ch); });
    }
    d->gateTimer = new QTimer(this);
    d->gateTimer->setSingleShot(true);
    connect(d->gateTimer, &QTimer::timeout, this, [this] { d->openGate(); });
    d->ptyPoll = new QTimer(this);
    connect(d->ptyPoll, &QTimer::timeout, this, [this] { d->pollPty(); });
    d->garbageTimer = new QTimer(this);
    connect(d->garbageTimer, &QTimer::timeout, this, [this] {
        for (int ch = 0; ch < ChannelCount; ++ch) {
            if (d->channelUp(ch))
                d->sendGarbage(ch);
        }
    });
}

SimServer::~SimServer()
{
    d->device->disconnect(this);
    d->acceptDelayMs = 0;
    closeTcp();
    d->closePtyDevice();
    if (!d->ptyLink.isEmpty() && QFileInfo(d->ptyLink).isSymLink())
        QFile::remove(d->ptyLink);
    delete d;
}

bool SimServer::listenTcp(const QHostAddress &address, quint16 port)
{
    closeTcp();
    d->server = new QTcpServer(this);
    connect(d->server, &QTcpServer::newConnection, this, [this] { d->onNewConnection(); });
    if (!d->server->listen(address, port)) {
        d->tcpError = d->server->errorString();
        d->log(QStringLiteral("!! cannot listen on %1:%2: %3")
                   .arg(address.toString())
                   .arg(port)
                   .arg(d->tcpError));
        delete d->server;
        d->server = nullptr;
        return false;
    }
    d->tcpError.clear();
    d->log(QStringLiteral("listening on %1:%2").arg(address.toString()).arg(d->server->serverPort()));
    d->armGate();
    return true;
}

QString SimServer::tcpError() const
{
    return d->tcpError;
}

void SimServer::closeTcp()
{
    if (d->server)
        d->server->close(); // first, so that no accept gate is armed again
    d->dropTcp();
    d->gateTimer->stop();
    delete d->gateDummy;
    d->gateDummy = nullptr;
    delete d->server;
    d->server = nullptr;
}

QHostAddress SimServer::tcpAddress() const
{
    return d->server ? d->server->serverAddress() : QHostAddress();
}

quint16 SimServer::tcpPort() const
{
    return d->server ? d->server->serverPort() : 0;
}

int SimServer::connectionCount() const
{
    return d->connections;
}

bool SimServer::openPty(const QString &linkPath)
{
    d->closePtyDevice();
    d->ptyLink = linkPath;
    return d->openPtyDevice();
}

void SimServer::closePty()
{
    d->closePtyDevice();
}

QString SimServer::ptyPath() const
{
    return d->ptyMaster >= 0 ? d->ptySlave : QString();
}

SimDevice *SimServer::device() const
{
    return d->device;
}

QString SimServer::model() const
{
    return d->device->model();
}

void SimServer::setModel(const QString &model)
{
    if (!d->device->setModel(model))
        d->log(QStringLiteral("!! unknown model %1").arg(model));
}

bool SimServer::clientConnected() const
{
    return d->connected;
}

QStringList SimServer::receivedLines() const
{
    return d->received;
}

void SimServer::clearReceived()
{
    d->received.clear();
}

void SimServer::sendLine(const QString &line)
{
    d->takeWaitingPanel();
    d->broadcast(line);
}

void SimServer::sendRaw(const QByteArray &bytes)
{
    d->takeWaitingPanel();
    d->log(QStringLiteral("-> (raw) ") + QString::fromLatin1(bytes.toPercentEncoding(" ")));
    for (int ch = 0; ch < ChannelCount; ++ch) {
        if (d->channelUp(ch))
            d->deliver(ch, SimServerPrivate::Out{bytes, false});
    }
}

void SimServer::dropConnection()
{
    d->takeWaitingPanel();
    d->dropTcp();
    if (d->ptyMaster >= 0)
        d->replacePty();
}

void SimServer::setChunkSize(int bytes, int gapMs)
{
    d->chunkSize = qMax(0, bytes);
    d->chunkGapMs = qMax(0, gapMs);
}

void SimServer::setReplyDelay(int ms)
{
    d->replyDelayMs = qMax(0, ms);
}

void SimServer::setCloseAfterCommands(int n)
{
    d->closeAfter = qMax(0, n);
}

void SimServer::setGarbageOnConnect(bool on)
{
    d->garbageOnConnect = on;
}

void SimServer::setGarbageInterval(int ms)
{
    if (ms > 0)
        d->garbageTimer->start(ms);
    else
        d->garbageTimer->stop();
}

void SimServer::setDropLineEndEvery(int n)
{
    d->dropLineEndEvery = qMax(0, n);
    d->linesSent = 0;
}

void SimServer::setAcceptDelay(int ms)
{
    d->acceptDelayMs = qMax(0, ms);
    if (d->acceptDelayMs > 0)
        d->armGate();
}

void SimServer::setAutoRouteInterval(int seconds)
{
    d->device->setAutoRouteInterval(seconds);
}

void SimServer::setSilent(bool on)
{
    d->silent = on;
    d->log(on ? QStringLiteral("!! silent") : QStringLiteral("answering again"));
}

void SimServer::setStopAnsweringAfter(int ms)
{
    d->stopAnsweringMs = qMax(0, ms);
}

void SimServer::setIgnoreRouting(bool on)
{
    d->device->setIgnoreRouting(on);
}

void SimServer::setUnanswered(const QString &command, int times)
{
    d->unanswered.insert(command, times);
    if (times != 0)
        d->log(
            QStringLiteral("!! %1 goes unanswered %2")
                .arg(command, times < 0 ? QStringLiteral("always") : QStringLiteral("%1 times").arg(times)));
}

void SimServer::setPartialRouting(int outputs)
{
    d->device->setPartialRouting(outputs);
}

void SimServer::setMsPerSecond(double ms)
{
    d->device->setMsPerSecond(ms);
}

void SimServer::setEcho(bool on)
{
    d->echo = on;
}

bool SimServer::setLogFile(const QString &path)
{
    d->logFile.close();
    if (path.isEmpty())
        return true;
    d->logFile.setFileName(path);
    return d->logFile.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}
