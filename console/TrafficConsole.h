#pragma once

#include "TrafficLog.h"

#include <QObject>

#include <functional>

// What the console window works with: the log of the link's traffic and a way to send
// a line typed by the operator.
class TrafficConsole : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TrafficLog *log READ log CONSTANT)

public:
    // Writes one complete line (CR LF included) to the device; false when it cannot.
    using Sender = std::function<bool(const QByteArray &line)>;

    explicit TrafficConsole(QObject *parent = nullptr);

    TrafficLog *log() { return &_log; }
    void setSender(Sender sender) { _sender = std::move(sender); }

    // The line a typed command becomes: CR and LF taken out, CR LF appended, UTF-8.
    // Empty when nothing but line ends was typed.
    static QByteArray rawLine(const QString &typed);
    // Sends the typed command; false (and nothing sent) when it is empty or the link
    // is not connected.
    Q_INVOKABLE bool sendRaw(const QString &typed);

private:
    TrafficLog _log;
    Sender _sender;
};
