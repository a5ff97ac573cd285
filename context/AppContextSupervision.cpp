// Knowing what the device did: presence and keep-alive of the link, reconnecting after
// a loss, confirmation of routing commands and changes made elsewhere.
#include "AppContext.h"

#include "CommandAdapter.h"
#include "DelayMSec.h"
#include "LinkSupervisor.h"
#include "RouteTable.h"
#include "RouteWatch.h"
#include "RoutingHistory.h"

#include "ContextLog.h"

#include <QDebug>

void AppContext::wireSupervision()
{
    _supervisor = new LinkSupervisor(this);
    _routes = new RouteWatch(this);
    setConnectionTimings(_timings);
    _supervisor->busy = [this] { return _inFirstQueries || Delay_MSecDepth() > 0; };
    connect(_supervisor, &LinkSupervisor::pingRequested, this, [this] {
        ++_keepAlivePings;
        send(CommandAdapter::genPing());
    });
    connect(_supervisor, &LinkSupervisor::deviceSilent, this, [this] {
        qCDebug(lcContext) << "no device answers on" << linkDescription();
        setConnectProblem(ConnectProblem::NoDeviceAnswer);
        emit notice(ConnectProblem::NoDeviceAnswer, {});
    });
    connect(_supervisor, &LinkSupervisor::stoppedAnswering, this, [this] {
        emit notice(ConnectProblem::StoppedAnswering, {});
        loseLink(ConnectProblem::StoppedAnswering);
    });
    connect(_supervisor, &LinkSupervisor::reconnectRequested, this, [this] {
        qCDebug(lcContext) << "reconnecting to" << linkDescription();
        openLink();
    });
    connect(_supervisor, &LinkSupervisor::reconnected, this,
            [this] { emit notice(QStringLiteral("reconnected"), {}); });
    connect(_routes, &RouteWatch::queryRequested, this, [this](bool poll) {
        // The poll waits for a quiet moment; the confirmation query goes at once, but
        // never into the first queries.
        if (!isConnected() || !_supervisor->answered() || _inFirstQueries || (poll && Delay_MSecDepth() > 0))
            return;
        ++_ownRoutingQueries;
        send(CommandAdapter::genGetSW());
    });
    connect(_routes, &RouteWatch::notConfirmed, this,
            [this](const QVariantList &failures) { emit notice(QStringLiteral("notConfirmed"), failures); });
    connect(_routes, &RouteWatch::restoreRequested, this, [this](const QMap<int, int> &routes) {
        _history->beginStep(); // the whole restore is one step to undo
        for (const auto &line : RouteTable::byInput(routes)) {
            QJsonArray outs;
            for (int o : line.second)
                outs.append(o);
            sendCmd_SW(line.first, outs);
        }
        _history->endStep();
    });
}

void AppContext::setConnectionTimings(const ConnectionTimings &timings)
{
    _timings = timings;
    _supervisor->setTimings(timings);
    _routes->setTimings(timings.confirmMs, timings.pollMs);
}

void AppContext::applyRoutingReport(const QJsonArray &sws)
{
    _routes->report(RouteTable::perOutput(sws, _outchannels));
    // The answer to a query of our own that changes nothing is not news to the screens
    // (a new report clears the operator's selection there).
    if (_ownRoutingQueries > 0) {
        --_ownRoutingQueries;
        if (sws == _sws)
            return;
    }
    setSws(sws);
}

void AppContext::applyModelReply(const QString &id, int inputs, int outputs)
{
    // A keep-alive's answer naming the same model is only a sign of life: applying it
    // would rebuild the output states and make the device beep.
    if (_keepAlivePings > 0) {
        --_keepAlivePings;
        if (id == _mode && inputs == _inchannels && outputs == _outchannels)
            return;
    }
    setInChannels(inputs);
    setOutChannels(outputs);
    setMode(id);
}

void AppContext::replyRecognised()
{
    _supervisor->lineReceived();
}

void AppContext::applySupervisionSettings(const QJsonObject &saved)
{
    // Seconds in the file; 0 turns the keep-alive or the poll off.
    ConnectionTimings t = _timings;
    const auto seconds = [&saved](const char *key, int fallbackMs) {
        const QJsonValue v = saved.value(QLatin1String(key));
        return v.isDouble() ? qBound(0, v.toInt(), 3600) * 1000 : fallbackMs;
    };
    t.keepAliveMs = seconds("keepAliveSeconds", t.keepAliveMs);
    t.pollMs = seconds("pollSeconds", t.pollMs);
    if (saved.value(QStringLiteral("reconnect")).isBool())
        t.reconnect = saved.value(QStringLiteral("reconnect")).toBool();
    setConnectionTimings(t);
}
