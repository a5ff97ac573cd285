#pragma once

#include "ConfigItems.h"

#include <QJsonValue>
#include <QMap>
#include <QSet>
#include <QVector>

namespace Config {

// One setting where the device and the file differ.
struct Row
{
    Item item;
    QJsonValue device; // on the device now
    QJsonValue file;   // in the file: what a restore sends
};

// The differences between what the device reported and the file, in plan order, for
// the areas asked for. Items missing on either side (not read, not in the file) are no
// difference: nothing is guessed.
QVector<Row> diff(const Model &model, const QMap<QString, QJsonValue> &device,
                  const QMap<QString, QJsonValue> &file, const QSet<Area> &areas);

} // namespace Config
