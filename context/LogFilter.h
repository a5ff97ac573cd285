#pragma once

#include <QString>
#include <QStringList>

// Which of the panel's own messages (the "tessaro.*" logging categories) are printed.
// A release build keeps their debug chatter (lines sent and received, connection checks)
// off the terminal and the journal unless asked for with --verbose. Qt's own logging rules
// (QT_LOGGING_RULES, QT_LOGGING_CONF) are evaluated after the rules set here and so win:
// QT_LOGGING_RULES="tessaro.link.debug=true" shows the link's messages alone.
namespace LogFilter {

// The filter rules for the program's arguments: empty when everything is to be printed.
QString rulesFor(const QStringList &arguments, bool releaseBuild);

// Sets the rules for this process (QLoggingCategory::setFilterRules).
void apply(const QStringList &arguments);

} // namespace LogFilter
