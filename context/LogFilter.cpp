#include "LogFilter.h"

#include <QLoggingCategory>

QString LogFilter::rulesFor(const QStringList &arguments, bool releaseBuild)
{
    if (!releaseBuild || arguments.contains(QStringLiteral("--verbose")))
        return QString();
    return QStringLiteral("tessaro.*.debug=false");
}

void LogFilter::apply(const QStringList &arguments)
{
#ifdef QT_NO_DEBUG
    const bool release = true;
#else
    const bool release = false;
#endif
    const QString rules = rulesFor(arguments, release);
    if (!rules.isEmpty())
        QLoggingCategory::setFilterRules(rules);
}
