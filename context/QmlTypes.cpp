#include "QmlTypes.h"

#include "AddressValidator.h"
#include "AdvanceLists.h"
#include "EdidInspector.h"
#include "FontCheck.h"
#include "ModelGroups.h"
#include "MyCustomType.h"
#include "LinkSupervisor.h"
#include "OutputLocks.h"
#include "RouteStage.h"
#include "RouteWatch.h"
#include "RoutingHistory.h"
#include "SendPacer.h"

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
    qmlRegisterType<SendPacer>("Tessaro", 1, 0, "SendPacer");
    qmlRegisterUncreatableType<OutputLocks>("Tessaro", 1, 0, "OutputLocks",
                                            QStringLiteral("the context's locks are appContext.locks"));
    qmlRegisterUncreatableType<LinkSupervisor>("Tessaro", 1, 0, "LinkSupervisor",
                                               QStringLiteral("the context's link watch is appContext.link"));
    qmlRegisterUncreatableType<RouteWatch>("Tessaro", 1, 0, "RouteWatch",
                                           QStringLiteral("the context's route watch is appContext.routes"));
    qmlRegisterUncreatableType<RoutingHistory>("Tessaro", 1, 0, "RoutingHistory",
                                               QStringLiteral("the context's history is appContext.history"));
    qmlRegisterUncreatableType<RouteStage>("Tessaro", 1, 0, "RouteStage",
                                           QStringLiteral("the context's stage is appContext.stage"));
    qmlRegisterType<AddressValidator>("Tessaro", 1, 0, "AddressValidator");
    qmlRegisterSingletonType<FontCheck>("Tessaro", 1, 0, "Fonts",
                                        [](QQmlEngine *, QJSEngine *) -> QObject * { return new FontCheck; });
}
