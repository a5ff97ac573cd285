#pragma once

#include "SimDevice.h"

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QStringList>

class SimServerPrivate;

// A simulated device serving one panel over TCP and/or a pseudo-terminal. Usable
// in-process (tests publish it to QML as "sim") and by the tessaro-sim program.
class SimServer : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(bool clientConnected READ clientConnected NOTIFY clientConnectedChanged)
public:
    explicit SimServer(const QString &model = QStringLiteral("DV-42"), QObject *parent = nullptr);
    ~SimServer() override;

    // Listens for one panel at a time; false when the address cannot be bound, and
    // tcpError() then says why (e.g. the address is already in use).
    bool listenTcp(const QHostAddress &address, quint16 port = 8080);
    QString tcpError() const;
    // Opens a pseudo-terminal; when linkPath is given, a symbolic link to the slave side
    // is made there. The slave side's path is ptyPath().
    bool openPty(const QString &linkPath = QString());
    QString ptyPath() const;

    SimDevice *device() const;

    QString model() const;
    void setModel(const QString &model);
    bool clientConnected() const;

    // Every command line received, without its CR LF, oldest first.
    Q_INVOKABLE QStringList receivedLines() const;
    Q_INVOKABLE void clearReceived();
    // Sends one report line (CR LF is added) to the connected panel.
    Q_INVOKABLE void sendLine(const QString &line);
    // Sends raw bytes as they are.
    Q_INVOKABLE void sendRaw(const QByteArray &bytes);
    // Closes the connection to the panel, as a device that drops the link. A
    // pseudo-terminal cannot be hung up from the device side without closing it, so
    // the pty is replaced by a fresh one (ptyPath() changes; the symbolic link, if
    // any, is pointed at the new one).
    Q_INVOKABLE void dropConnection();

    // Where the server listens (null address and 0 when not listening).
    QHostAddress tcpAddress() const;
    quint16 tcpPort() const;
    void closeTcp();
    void closePty();
    // TCP connections accepted so far.
    int connectionCount() const;

    // Faults, all off (0) by default; each applies from the next byte it concerns.
    // Sends every reply in pieces of `bytes` bytes, `gapMs` apart.
    void setChunkSize(int bytes, int gapMs = 20);
    // Holds every reply back for `ms` milliseconds (order is kept).
    void setReplyDelay(int ms);
    // Closes the connection after answering the n-th command of a connection.
    void setCloseAfterCommands(int n);
    // A junk line (binary bytes and CR LF) when a panel connects, and/or every `ms`.
    void setGarbageOnConnect(bool on);
    void setGarbageInterval(int ms);
    // Every n-th line the device sends goes out without its CR LF.
    void setDropLineEndEvery(int n);
    // Completes TCP handshakes only `ms` after the device is ready for a panel (after
    // listenTcp() and after each panel leaves); earlier attempts hang.
    void setAcceptDelay(int ms);
    // The device switches output 1 to the next input by itself every `seconds`.
    void setAutoRouteInterval(int seconds);
    // Answers nothing and reports nothing, keeping the link open (a device that hangs).
    Q_INVOKABLE void setSilent(bool on);
    // Goes silent `ms` after each panel connects (0: never).
    void setStopAnsweringAfter(int ms);
    // "SW" and "SWOTO" are ignored without an answer.
    Q_INVOKABLE void setIgnoreRouting(bool on);
    // Only the first n outputs of every "SW" are applied (0: all).
    Q_INVOKABLE void setPartialRouting(int outputs);
    // The next `times` lines of this command word ("GetIPMask") are lost: not applied,
    // not answered. -1 loses every one; 0 ends the fault.
    Q_INVOKABLE void setUnanswered(const QString &command, int times = -1);
    // Real milliseconds per device second (scene loop, own reports); 1000 by default.
    void setMsPerSecond(double ms);

    // Prints every line with a timestamp to stdout (off by default).
    void setEcho(bool on);
    // Appends the same log to a file; false when it cannot be opened.
    bool setLogFile(const QString &path);

signals:
    void modelChanged();
    void clientConnectedChanged();
    void lineReceived(const QString &line);
    // Every line sent to the panel (without CR LF), replies and reports alike.
    void lineSent(const QString &line);
    // Every log entry, without its timestamp.
    void logMessage(const QString &text);

private:
    friend class SimServerPrivate;
    class SimServerPrivate *d;
};
