// What controllers other than the screens need: the confirmed routing, routing without
// the screens' lock check, channel names, and a link chosen for one run.
#include "AppContext.h"

#include "CommandAdapter.h"
#include "RouteTable.h"
#include "RouteWatch.h"
#include "RoutingHistory.h"

#include <QJsonObject>

namespace {
QString threeDigits(int n)
{
    return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
}
QString namesKey(bool input)
{
    return input ? QStringLiteral("in") : QStringLiteral("out");
}
} // namespace

QVector<int> AppContext::confirmedRouting() const
{
    return RouteTable::perOutput(_sws, _outchannels);
}

void AppContext::routeOutputs(int in, const QList<int> &outs)
{
    if (!isConnected() || in < 1 || in > _inchannels || outs.isEmpty())
        return;
    for (int o : outs)
        if (o < 1 || o > _outchannels)
            return;
    const QMap<int, int> before = routingOf(outs);
    send(CommandAdapter::genSW(in, outs));
    QMap<int, int> asked;
    for (int o : outs)
        asked.insert(o, in);
    _routes->expect(asked);
    _history->recordRoute(before, asked);
}

QString AppContext::channelLabel(bool input, int n) const
{
    const QJsonObject names = _setting.value(namesKey(input)).toObject();
    const QJsonValue v = names.value(threeDigits(n));
    if (v.isString())
        return v.toString();
    if (v.isDouble())
        return QString::number(v.toDouble());
    return QString::number(n);
}

void AppContext::setChannelName(bool input, int n, const QString &name)
{
    setChannelNames(input, {{n, name}});
}

void AppContext::setChannelNames(bool input, const QMap<int, QString> &changes)
{
    QJsonObject settings = _setting;
    QJsonObject names = settings.value(namesKey(input)).toObject();
    for (auto it = changes.cbegin(); it != changes.cend(); ++it) {
        if (it.key() < 1 || it.key() > 999)
            continue;
        if (it.value().isEmpty())
            names.remove(threeDigits(it.key()));
        else
            names.insert(threeDigits(it.key()), it.value());
    }
    settings.insert(namesKey(input), names);
    setSetting(settings);
    saveSetting();
}

QString AppContext::linkTarget() const
{
    if (_conntype == 0)
        return QStringLiteral("serial:") + _currentSerialport;
    return QStringLiteral("tcp:") + _currentIP;
}

void AppContext::useLink(int connectType, const QString &target, int baudrate)
{
    _conntype = connectType;
    emit connectTypeChanged();
    if (connectType == 0) {
        _currentSerialport = target;
        _currentSerialportBaudrate = baudrate;
        emit currentSerialportChanged();
        emit currentSerialportBaudrateChanged();
    } else {
        _currentIP = target;
        emit currentIPChanged();
    }
}
