#pragma once

#include "ClientIO.h"

#include <QString>

// The waits of the connection lifecycle. The panel uses the defaults; tests shorten them.
struct ConnectionTimings
{
    int firstQueriesDelayMs = 1000; // link up to the first queries
    int connectCheckMs = 5000;      // a TCP attempt that has not connected by then is given up
    int receiveIdleMs = 500;        // silence after which an unfinished reply line is discarded
};

// What the connection screen tells the operator about the last attempt or the link, as a
// key the screen turns into its text; empty when there is nothing to say.
namespace ConnectProblem {
inline const QString SettingsUnreadable = QStringLiteral("settingsUnreadable");
QString forFailure(ClientIO::Failure failure);
} // namespace ConnectProblem
