#include "LinkSupervisor.h"

#include "ContextLog.h"

#include <QDebug>

LinkSupervisor::LinkSupervisor(QObject *parent) : QObject(parent)
{
    for (QTimer *t : {&_presence, &_keepAlive, &_answerWait, &_waitTimer})
        t->setSingleShot(true);
    connect(&_presence, &QTimer::timeout, this, [this] {
        if (_up && !_answered)
            emit deviceSilent();
    });
    connect(&_keepAlive, &QTimer::timeout, this, &LinkSupervisor::onKeepAlive);
    connect(&_answerWait, &QTimer::timeout, this, &LinkSupervisor::onNoAnswer);
    connect(&_waitTimer, &QTimer::timeout, this, [this] {
        _countdown.stop();
        emit reconnectChanged();
        _reconnectLink = true;
        emit reconnectRequested();
    });
    _countdown.setInterval(1000);
    connect(&_countdown, &QTimer::timeout, this, &LinkSupervisor::reconnectChanged);
}

int LinkSupervisor::reconnectIn() const
{
    if (!_waitTimer.isActive())
        return 0;
    return (_waitTimer.remainingTime() + 999) / 1000;
}

void LinkSupervisor::linkUp()
{
    _up = true;
    _unanswered = 0;
    setAnswered(false);
    cancelReconnect();
    if (_t.keepAliveMs > 0)
        _keepAlive.start(_t.keepAliveMs);
}

void LinkSupervisor::linkDown(bool asked)
{
    const bool wasUp = _up;
    _up = false;
    _presence.stop();
    _keepAlive.stop();
    _answerWait.stop();
    setAnswered(false);
    if (asked || !_t.reconnect) {
        _reconnectLink = false;
        return;
    }
    // A loss, or a failed attempt while reconnecting: try again later.
    if (wasUp || _reconnectLink)
        scheduleReconnect();
}

void LinkSupervisor::firstPingSent()
{
    if (_up && !_answered)
        _presence.start(_t.presenceMs);
}

void LinkSupervisor::lineReceived()
{
    if (!_up)
        return;
    _unanswered = 0;
    _answerWait.stop();
    _presence.stop();
    if (_t.keepAliveMs > 0)
        _keepAlive.start(_t.keepAliveMs);
    if (!_answered) {
        setAnswered(true);
        _attempt = 0;
        if (_reconnectLink) {
            _reconnectLink = false;
            emit reconnected();
        }
    }
}

void LinkSupervisor::operatorAction()
{
    _reconnectLink = false;
    _attempt = 0;
    cancelReconnect();
}

void LinkSupervisor::cancelReconnect()
{
    if (!_waitTimer.isActive())
        return;
    _waitTimer.stop();
    _countdown.stop();
    emit reconnectChanged();
}

void LinkSupervisor::onKeepAlive()
{
    if (!_up)
        return;
    if (busy && busy()) { // never inside a multi-line sequence: look again shortly
        _keepAlive.start(qMin(_t.keepAliveMs, 250));
        return;
    }
    ++_unanswered;
    emit pingRequested();
    _answerWait.start(_t.keepAliveAnswerMs);
}

void LinkSupervisor::onNoAnswer()
{
    if (!_up)
        return;
    if (_unanswered < 2) {
        onKeepAlive();
        return;
    }
    qCDebug(lcContext) << "keep-alive: no answer to" << _unanswered << "PINGs";
    emit stoppedAnswering();
}

void LinkSupervisor::scheduleReconnect()
{
    static const int kSteps[] = {1, 2, 4, 8, 16, 30};
    const int step = kSteps[qMin(_attempt, int(std::size(kSteps)) - 1)];
    ++_attempt;
    _waitTimer.start(step * _t.reconnectBaseMs);
    _countdown.start();
    emit reconnectChanged();
}

void LinkSupervisor::setAnswered(bool on)
{
    if (_answered == on)
        return;
    _answered = on;
    emit answeredChanged();
}
