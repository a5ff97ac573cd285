#include "RouteTable.h"

#include <QJsonObject>

namespace RouteTable {

namespace {
int number(const QJsonValue &v)
{
    if (v.isDouble())
        return v.toInt();
    bool ok = false;
    const int n = v.toString().toInt(&ok, 10);
    return ok ? n : 0;
}
} // namespace

QVector<int> perOutput(const QJsonArray &sws, int outputs)
{
    if (outputs <= 0) { // before the model is known: as many as the report names
        for (const QJsonValue &entry : sws)
            for (const QJsonValue &out : entry.toObject().value(QStringLiteral("out")).toArray())
                outputs = qMax(outputs, qMin(number(out), 256));
    }
    QVector<int> routing(qMax(0, outputs), 0);
    for (const QJsonValue &entry : sws) {
        const QJsonObject route = entry.toObject();
        const int in = number(route.value(QStringLiteral("in")));
        if (in < 1)
            continue;
        for (const QJsonValue &out : route.value(QStringLiteral("out")).toArray()) {
            const int o = number(out);
            if (o >= 1 && o <= routing.size())
                routing[o - 1] = in;
        }
    }
    return routing;
}

QList<QPair<int, QList<int>>> byInput(const QMap<int, int> &outputToInput)
{
    QMap<int, QList<int>> groups;
    for (auto it = outputToInput.cbegin(); it != outputToInput.cend(); ++it)
        groups[it.value()].append(it.key()); // the map walks outputs in ascending order
    QList<QPair<int, QList<int>>> lines;
    for (auto it = groups.cbegin(); it != groups.cend(); ++it)
        lines.append({it.key(), it.value()});
    return lines;
}

} // namespace RouteTable
