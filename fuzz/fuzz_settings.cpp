// Arbitrary bytes as the settings file: the context loads and applies it, and a save
// followed by a load gives back the same object.
#include "AppContext.h"
#include "FuzzSupport.h"
#include "SettingsStore.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::init(true);
    const QString path = QStringLiteral("setting.data");
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    {
        AppContext ctx;
        ctx.init();
        FUZZ_CHECK(FuzzSupport::propertiesHoldTheirTypes(ctx));
        ctx.saveSetting();
    }
    const SettingsStore store(path);
    const QJsonObject loaded = store.load();
    FUZZ_CHECK(store.save(loaded));
    FUZZ_CHECK(store.load() == loaded);
    QFile::remove(path);
    QFile::remove(store.backupPath());
    FuzzSupport::flushDeferredDeletes();
    return 0;
}
