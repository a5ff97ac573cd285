#include "QmlTypes.h"

#include "AddressValidator.h"
#include "AdvanceLists.h"
#include "EdidInspector.h"
#include "FontCheck.h"
#include "ModelGroups.h"
#include "MyCustomType.h"

#include <QQmlEngine>

void registerTessaroQmlTypes()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    qRegisterMetaType<MyCustomType>("MyCustomType");
    qmlRegisterType<EdidInspector>("Tessaro", 1, 0, "EdidInspector");
    qmlRegisterSingletonType<ModelGroups>(
        "Tessaro", 1, 0, "Models", [](QQmlEngine *, QJSEngine *) -> QObject * { return new ModelGroups; });
    qmlRegisterType<AdvanceLists>("Tessaro", 1, 0, "AdvanceLists");
    qmlRegisterType<AddressValidator>("Tessaro", 1, 0, "AddressValidator");
    qmlRegisterSingletonType<FontCheck>("Tessaro", 1, 0, "Fonts",
                                        [](QQmlEngine *, QJSEngine *) -> QObject * { return new FontCheck; });
}
