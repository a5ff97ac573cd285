// Broker payloads on the command topics: a command is refused with a reason, or names only
// outputs, inputs and scenes the device has, so nothing else can reach the device line.
#include "FuzzSupport.h"
#include "MqttCommands.h"

#include <QSet>

using MqttCommands::Command;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::init();
    if (size < 2)
        return 0;
    // The first byte picks the topic (or takes it from the input, up to a NUL), the second
    // the device's size; the rest is the payload.
    static const QStringList topics = {
        QStringLiteral("output/1/input/set"),  QStringLiteral("output/4/input/set"),
        QStringLiteral("output/37/input/set"), QStringLiteral("output/2/enabled/set"),
        QStringLiteral("scene/recall"),        QStringLiteral("route/set"),
        QStringLiteral("output/01/input/set"), QStringLiteral("output/1/other/set"),
    };
    QByteArray payload(reinterpret_cast<const char *>(data + 2), int(size - 2));
    QString suffix = topics.at(data[0] % topics.size());
    if (data[0] >= 0xf0) {
        const int nul = payload.indexOf('\0');
        suffix = QString::fromUtf8(payload.left(nul < 0 ? payload.size() : nul));
        payload = nul < 0 ? QByteArray() : payload.mid(nul + 1);
    }
    const int ports = 1 + data[1] % 36;
    QStringList labels;
    for (int i = 1; i <= ports; ++i)
        labels.append(i % 3 == 0 ? QStringLiteral("PC") : i % 3 == 1 ? QString() : QString::number(i + 1));
    const MqttCommands::DeviceView view{ports, ports, MqttCommands::inputOptions(labels)};
    FUZZ_CHECK(QSet<QString>(view.inputOptions.cbegin(), view.inputOptions.cend()).size() == ports);

    const Command c = MqttCommands::parse(suffix, payload, view);
    FUZZ_CHECK((c.kind == Command::Invalid) == !c.error.isEmpty());
    switch (c.kind) {
    case Command::Invalid:
        break;
    case Command::Route:
        FUZZ_CHECK(!c.routes.isEmpty() && c.routes.size() <= view.outputs);
        for (auto it = c.routes.cbegin(); it != c.routes.cend(); ++it) {
            FUZZ_CHECK(it.key() >= 1 && it.key() <= view.outputs);
            FUZZ_CHECK(it.value() >= 1 && it.value() <= view.inputs);
        }
        break;
    case Command::Enable:
        FUZZ_CHECK(c.output >= 1 && c.output <= view.outputs);
        break;
    case Command::RecallScene:
        FUZZ_CHECK(c.scene >= 1 && c.scene <= MqttCommands::kScenes);
        break;
    }
    return 0;
}
