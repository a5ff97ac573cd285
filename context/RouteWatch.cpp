#include "RouteWatch.h"

#include <QVariantMap>

namespace {
constexpr int kConfirmedMarkMs = 3000;
}

RouteWatch::RouteWatch(QObject *parent) : QObject(parent)
{
    _confirm.setSingleShot(true);
    connect(&_confirm, &QTimer::timeout, this, &RouteWatch::onConfirmWait);
    connect(&_poll, &QTimer::timeout, this, [this] {
        if (idle())
            emit queryRequested(true);
    });
    _fade.setSingleShot(true);
    connect(&_fade, &QTimer::timeout, this, [this] {
        for (auto it = _marks.begin(); it != _marks.end();) {
            if (it.value() == Confirmed)
                it = _marks.erase(it);
            else
                ++it;
        }
        ++_revision;
        emit marksChanged();
    });
}

void RouteWatch::setTimings(int confirmMs, int pollMs)
{
    _confirmMs = confirmMs;
    _poll.setInterval(qMax(0, pollMs));
    if (pollMs <= 0)
        _poll.stop();
    if (pollMs > 0 && !_known.isEmpty() && !_poll.isActive())
        _poll.start();
}

QVariantList RouteWatch::changesElsewhere() const
{
    QVariantList list;
    for (const Change &c : _changes)
        list.append(QVariantMap{{QStringLiteral("output"), c.output},
                                {QStringLiteral("from"), c.from},
                                {QStringLiteral("to"), c.to}});
    return list;
}

void RouteWatch::expect(const QMap<int, int> &outputToInput)
{
    if (outputToInput.isEmpty())
        return;
    bool changesTouched = false;
    for (auto it = outputToInput.cbegin(); it != outputToInput.cend(); ++it) {
        _expected.insert(it.key(), it.value());
        setMark(it.key(), Pending);
        // A new command for an output changed elsewhere settles that change.
        for (int i = _changes.size() - 1; i >= 0; --i)
            if (_changes.at(i).output == it.key()) {
                _changes.removeAt(i);
                changesTouched = true;
            }
    }
    if (changesTouched)
        emit changesElsewhereChanged();
    _queried = false;
    _confirm.start(_confirmMs);
}

void RouteWatch::report(const QVector<int> &routing)
{
    const bool baseline = _known.isEmpty();
    struct NotifyKnown
    {
        RouteWatch *w;
        bool before;
        ~NotifyKnown()
        {
            if (w->known() != before)
                emit w->knownChanged();
        }
    } notifyKnown{this, known()};
    bool changesAdded = false;
    for (int o = 1; o <= routing.size(); ++o) {
        const int now = routing.at(o - 1);
        if (now == 0)
            continue;
        const int before = o <= _known.size() ? _known.at(o - 1) : 0;
        const auto pending = _expected.constFind(o);
        if (pending != _expected.constEnd()) {
            if (pending.value() == 0 || pending.value() == now) {
                _expected.remove(o);
                setMark(o, Confirmed);
            }
        } else if (!baseline && !_deviceRoutes && before != 0 && before != now) {
            bool merged = false;
            for (Change &c : _changes)
                if (c.output == o) { // changed again: still from where it was before
                    c.to = now;
                    merged = true;
                }
            if (!merged)
                _changes.append({o, before, now});
            setMark(o, ChangedElsewhere);
            changesAdded = true;
        }
    }
    // Changed elsewhere and then back where they were: nothing to tell.
    for (int i = _changes.size() - 1; i >= 0; --i) {
        const Change &c = _changes.at(i);
        if (c.output <= routing.size() && routing.at(c.output - 1) == c.from) {
            setMark(c.output, None);
            _changes.removeAt(i);
            changesAdded = true;
        }
    }
    _known.resize(qMax(_known.size(), routing.size()));
    for (int o = 0; o < routing.size(); ++o)
        if (routing.at(o) != 0)
            _known[o] = routing.at(o);
    if (_expected.isEmpty())
        _confirm.stop();
    if (_marks.values().contains(Confirmed))
        _fade.start(kConfirmedMarkMs);
    if (changesAdded)
        emit changesElsewhereChanged();
    if (_poll.interval() > 0 && !_poll.isActive())
        _poll.start();
}

void RouteWatch::onConfirmWait()
{
    if (_expected.isEmpty())
        return;
    if (!_queried) {
        _queried = true;
        emit queryRequested(false);
        _confirm.start(_confirmMs);
        return;
    }
    QVariantList failures;
    for (auto it = _expected.cbegin(); it != _expected.cend(); ++it) {
        setMark(it.key(), NotConfirmed);
        failures.append(QVariantMap{{QStringLiteral("output"), it.key()}, {QStringLiteral("input"), it.value()}});
    }
    _expected.clear();
    emit notConfirmed(failures);
}

void RouteWatch::linkUp()
{
    const bool was = known();
    _known.clear(); // the first report is this device's routing, not a change
    if (was)
        emit knownChanged();
}

void RouteWatch::linkDown()
{
    const bool was = known();
    _expected.clear();
    _marks.clear();
    _known.clear();
    if (was)
        emit knownChanged();
    _confirm.stop();
    _poll.stop();
    _deviceRoutes = false;
    const bool hadChanges = !_changes.isEmpty();
    _changes.clear();
    ++_revision;
    emit marksChanged();
    if (hadChanges)
        emit changesElsewhereChanged();
}

void RouteWatch::keepChanges()
{
    for (const Change &c : qAsConst(_changes))
        setMark(c.output, None);
    _changes.clear();
    emit changesElsewhereChanged();
}

void RouteWatch::restoreChanges()
{
    QMap<int, int> back;
    for (const Change &c : qAsConst(_changes))
        back.insert(c.output, c.from);
    keepChanges();
    if (!back.isEmpty())
        emit restoreRequested(back);
}

void RouteWatch::setMark(int output, Mark mark)
{
    if (mark == None)
        _marks.remove(output);
    else
        _marks.insert(output, mark);
    ++_revision;
    emit marksChanged();
}
