#include "ConfigDiff.h"

namespace Config {

QVector<Row> diff(const Model &model, const QMap<QString, QJsonValue> &device,
                  const QMap<QString, QJsonValue> &file, const QSet<Area> &areas)
{
    QVector<Row> rows;
    for (const Item &item : plan(model, areas)) {
        const auto now = device.constFind(item.key);
        const auto wanted = file.constFind(item.key);
        if (now == device.constEnd() || wanted == file.constEnd())
            continue;
        if (!sameValue(item, now.value(), wanted.value()))
            rows.append(Row{item, now.value(), wanted.value()});
    }
    return rows;
}

} // namespace Config
