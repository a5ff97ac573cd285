#include "SendPacer.h"

void SendPacer::setIntervalMs(int ms)
{
    if (ms == _intervalMs || ms < 0)
        return;
    _intervalMs = ms;
    emit intervalMsChanged();
}

void SendPacer::push(const QString &key, const QVariant &value)
{
    auto &c = _controls[key];
    if (!c) {
        c = std::make_shared<Control>();
        c->timer.setSingleShot(true);
        c->timer.setTimerType(Qt::PreciseTimer); // "at most one per interval" holds to the ms
        connect(&c->timer, &QTimer::timeout, this, [this, key] { onInterval(key); });
    }
    if (c->timer.isActive()) { // within the interval: only the latest value waits
        c->pending = value;
        c->waiting = true;
        return;
    }
    c->timer.start(_intervalMs);
    emit fire(key, value);
}

void SendPacer::flush()
{
    for (auto it = _controls.begin(); it != _controls.end(); ++it) {
        if (it.value()->waiting) {
            it.value()->waiting = false;
            emit fire(it.key(), it.value()->pending);
        }
    }
}

void SendPacer::onInterval(const QString &key)
{
    const auto c = _controls.value(key);
    if (!c || !c->waiting)
        return;
    c->waiting = false;
    c->timer.start(_intervalMs);
    emit fire(key, c->pending);
}
