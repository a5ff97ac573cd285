#pragma once

#include "ConfigDiff.h"
#include "ConfigItems.h"

#include <QJsonValue>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class AppContext;

// The lines a configuration is read and applied with: every query and change goes out
// through the context's operations, and its answer is learnt from the context's property
// notifications.
namespace Config {

// Notifications of the context that answer a step.
enum class Note
{
    None, // nothing to wait for (names: no device line)
    Routing,
    Outputs,
    Beep,
    Ip,
    Mask,
    Gateway,
    ServiceType,
    ServiceNum,
    OutPE,
    OutSwing,
    InEQ,
    Edid,
    AudioInsert,
    AudioSource,
    Board,
    OutRes,
    LinkDown,
};

struct Step
{
    QString what; // for the progress line
    Note note = Note::None;
    std::function<void()> send;
    // Reads the answer; false when the notification was not this step's answer.
    std::function<bool()> take;
    QStringList keys; // the items a query reads
    // Per-port queries of one kind: when the first one is never answered, the device
    // does not know it and the rest are not asked.
    QString family;
    bool query = true; // queries are asked again once; changes are sent once
    QVector<int> rows; // a change: the rows (indexes into the rows given) it sends
};

// Connects every notification that answers a step to fn.
void connectNotes(AppContext *ctx, QObject *receiver, const std::function<void(Note)> &fn);

// The queries reading these items into values (names are not among them).
QVector<Step> querySteps(AppContext *ctx, const Model &model, const QVector<Item> &items,
                         QMap<QString, QJsonValue> *values);
// Names as the panel keeps them, read at once.
void readNames(const AppContext *ctx, const QVector<Item> &items, QMap<QString, QJsonValue> *values);

// The fewest lines that send the rows' file values: routing as one line per input,
// names as one settings change per list.
QVector<Step> changeSteps(AppContext *ctx, const Model &model, const QVector<Row> &rows);

} // namespace Config
