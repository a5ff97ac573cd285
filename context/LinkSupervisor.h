#pragma once

#include "ConnectionStatus.h"

#include <QObject>
#include <QTimer>

#include <functional>

// Watches a device link beyond what the link itself knows: whether a device answers at
// all, whether it keeps answering (keep-alive PINGs after silence), and reconnecting after
// a loss the operator did not ask for (after 1, 2, 4, 8, 16 s, then every 30 s). It asks
// the context to act through its signals and never writes to the link itself.
class LinkSupervisor : public QObject
{
    Q_OBJECT
    // A device answered anything on the current link.
    Q_PROPERTY(bool answered READ answered NOTIFY answeredChanged)
    // Waiting to connect again after a loss; reconnectIn() seconds to go.
    Q_PROPERTY(bool reconnecting READ reconnecting NOTIFY reconnectChanged)
    Q_PROPERTY(int reconnectIn READ reconnectIn NOTIFY reconnectChanged)

public:
    explicit LinkSupervisor(QObject *parent = nullptr);

    void setTimings(const ConnectionTimings &t) { _t = t; }
    bool answered() const { return _answered; }
    bool reconnecting() const { return _waitTimer.isActive(); }
    int reconnectIn() const;

    // What happened, as the context sees it.
    void linkUp();
    // asked: the operator (or a new connection) closed it.
    void linkDown(bool asked);
    void firstPingSent();
    void lineReceived();
    // The operator connects or disconnects: no reconnect from then on until a new loss.
    void operatorAction();

    // Stops waiting to reconnect.
    Q_INVOKABLE void cancelReconnect();

signals:
    void answeredChanged();
    void reconnectChanged();
    // The context sends a keep-alive PING (only when no multi-line sequence is running;
    // it says so through busy()).
    void pingRequested();
    void deviceSilent();       // nothing answered within the presence wait
    void stoppedAnswering();   // the keep-alive got no answer: the link is to be closed
    void reconnectRequested(); // connect again now
    void reconnected();        // a device answered on a link made by reconnecting

public:
    // Set by the context: true while a multi-line sequence is between its lines.
    std::function<bool()> busy;

private:
    void onKeepAlive();
    void onNoAnswer();
    void scheduleReconnect();
    void setAnswered(bool on);

    ConnectionTimings _t;
    bool _up = false;
    bool _answered = false;
    bool _reconnectLink = false; // the current link was made by reconnecting
    int _attempt = 0;
    int _unanswered = 0;         // keep-alive PINGs without an answer
    QTimer _presence;
    QTimer _keepAlive;
    QTimer _answerWait;
    QTimer _waitTimer;
    QTimer _countdown;
};
