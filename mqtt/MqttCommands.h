#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// Commands that arrive on the broker, checked whole before anything reaches the device.
// Nothing here sends: the bridge turns a valid command into the device's lines.
namespace MqttCommands {

constexpr int kMaxPayload = 4096; // route/set; the other commands take at most kMaxShortPayload
constexpr int kMaxShortPayload = 256;
constexpr int kScenes = 16;

// Command topics below the device's base topic.
inline const QString kInputSet = QStringLiteral("output/+/input/set");
inline const QString kEnabledSet = QStringLiteral("output/+/enabled/set");
inline const QString kSceneRecall = QStringLiteral("scene/recall");
inline const QString kRouteSet = QStringLiteral("route/set");

// What a command may name: the device's channel counts and its inputs' option labels
// (index 0 for input 1), as inputOptions() makes them.
struct DeviceView
{
    int inputs = 0;
    int outputs = 0;
    QStringList inputOptions;
};

struct Command
{
    enum Kind
    {
        Invalid,
        Route,
        Enable,
        RecallScene
    };
    Kind kind = Invalid;
    QMap<int, int> routes; // Route: output -> input, both from 1
    int output = 0;        // Enable
    bool on = false;       // Enable
    int scene = 0;         // RecallScene, from 1
    QString error;         // Invalid: why, in English
};

// The command on `suffix` (the topic after "<base>/") with its payload.
Command parse(const QString &suffix, const QByteArray &payload, const DeviceView &device);

// One option per input, as a selection list shows them: the input's name, or its number
// when it has none. A name that another input shares, or that is another input's number,
// gets its own number added ("PC (3)"), so that every option names one input.
QStringList inputOptions(const QStringList &labels);

// An input (from 1) named by an option label or by its number; 0 for neither.
int resolveInput(const QString &text, const DeviceView &device);

} // namespace MqttCommands
