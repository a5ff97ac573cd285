// Arbitrary bytes as a configuration file: what is accepted holds only values the device
// may be sent, writes out and reads back the same values, differs from itself nowhere, and read
// for another model with the same counts holds only values that model takes.
#include "ConfigDiff.h"
#include "ConfigFile.h"
#include "FuzzSupport.h"

using namespace Config;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::init();
    const Parsed p = parse(QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)));
    if (!p.ok) {
        FUZZ_CHECK(!p.error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(p.warnings.size() <= kMaxListedWarnings + 1);
    const Model &model = p.snapshot.model;
    QSet<Area> all;
    for (Area a : allAreas())
        all.insert(a);
    for (const Item &item : plan(model)) {
        const auto v = p.snapshot.values.constFind(item.key);
        if (v == p.snapshot.values.constEnd())
            continue;
        FUZZ_CHECK(checkValue(item, v.value(), model).isEmpty());
        FUZZ_CHECK(!valueText(item, v.value()).isEmpty());
    }
    FUZZ_CHECK(diff(model, p.snapshot.values, p.snapshot.values, all).isEmpty());

    // Written out and read back: the same values. A name left out of a list (it was not
    // acceptable) reads back as no name, the meaning of a list's missing entry.
    const Parsed again = parse(toJson(p.snapshot));
    FUZZ_CHECK(again.ok && again.warnings.isEmpty());
    for (auto it = again.snapshot.values.cbegin(); it != again.snapshot.values.cend(); ++it) {
        const auto before = p.snapshot.values.constFind(it.key());
        if (before != p.snapshot.values.constEnd())
            FUZZ_CHECK(before.value() == it.value());
        else
            FUZZ_CHECK(it.key().startsWith(QLatin1String("names/")) && it.value().toString().isEmpty());
    }
    FUZZ_CHECK(again.snapshot.values.size() >= p.snapshot.values.size());

    // Read for another model with the same counts, only values that model takes.
    if (model.inputs == 4 && model.outputs == 4) {
        QStringList warnings;
        const Model twin{QStringLiteral("DV-35"), 4, 4};
        const QMap<QString, QJsonValue> values = valuesFor(p.raw, twin, &warnings);
        for (const Item &item : plan(twin))
            if (values.contains(item.key))
                FUZZ_CHECK(checkValue(item, values.value(item.key), twin).isEmpty());
    }
    return 0;
}
