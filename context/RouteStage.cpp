#include "RouteStage.h"

#include "AppContext.h"
#include "OutputLocks.h"
#include "RouteTable.h"
#include "RoutingHistory.h"

#include <QJsonArray>
#include <QVariantMap>

RouteStage::RouteStage(AppContext *context) : QObject(context), _ctx(context)
{
    // A lost link drops what was staged for the device that went.
    connect(_ctx, &AppContext::isConnectedChanged, this, [this] {
        if (!_ctx->isConnected())
            clear();
    });
}

void RouteStage::setActive(bool on)
{
    if (on == _active)
        return;
    _active = on;
    if (!on)
        clear();
    emit activeChanged();
}

QVariantList RouteStage::changes() const
{
    const QVector<int> now = _ctx->confirmedRouting();
    QVariantList list;
    for (auto it = _staged.cbegin(); it != _staged.cend(); ++it)
        list.append(QVariantMap{{QStringLiteral("output"), it.key()},
                                {QStringLiteral("from"), now.value(it.key() - 1, 0)},
                                {QStringLiteral("to"), it.value()}});
    return list;
}

QVariantList RouteStage::stage(int in, const QVariantList &outputs)
{
    QVariantList refused;
    if (in < 1 || in > _ctx->inChannels())
        return refused;
    const QVector<int> now = _ctx->confirmedRouting();
    for (const QVariant &v : outputs) {
        const int o = v.toInt();
        if (o < 1 || o > _ctx->outChannels())
            continue;
        if (_ctx->locks()->isLocked(o)) {
            refused.append(o);
            continue;
        }
        if (now.value(o - 1, 0) == in)
            _staged.remove(o); // already there: nothing to change
        else
            _staged.insert(o, in);
    }
    emit changed();
    return refused;
}

QVariantList RouteStage::stageOneToOne()
{
    QVariantList refused;
    const int inputs = _ctx->inChannels();
    for (int o = 1; o <= _ctx->outChannels() && inputs > 0; ++o) {
        const QVariantList r = stage(qMin(o, inputs), {o});
        refused += r;
    }
    return refused;
}

void RouteStage::take()
{
    if (_staged.isEmpty())
        return;
    const QMap<int, int> staged = _staged;
    _staged.clear();
    emit changed();
    _ctx->history()->beginStep();
    for (const auto &line : RouteTable::byInput(staged)) {
        QJsonArray outs;
        for (int o : line.second)
            outs.append(o);
        _ctx->sendCmd_SW(line.first, outs);
    }
    _ctx->history()->endStep();
}

void RouteStage::clear()
{
    if (_staged.isEmpty())
        return;
    _staged.clear();
    emit changed();
}
