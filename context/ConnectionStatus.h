#pragma once

#include "ClientIO.h"

#include <QString>

// The waits of the connection lifecycle. The panel uses the defaults; tests shorten them.
struct ConnectionTimings
{
    int firstQueriesDelayMs = 1000; // link up to the first queries
    int connectCheckMs = 5000;      // a TCP attempt that has not connected by then is given up
    int receiveIdleMs = 500;        // silence after which an unfinished reply line is discarded
    int presenceMs = 3000;          // first PING to "no device answers"
    int keepAliveMs = 15000;        // silence before a keep-alive PING; 0: no keep-alive
    int keepAliveAnswerMs = 5000;   // wait for the answer to each keep-alive PING
    int reconnectBaseMs = 1000;     // reconnect after 1, 2, 4, 8, 16, then every 30 of these
    bool reconnect = true;          // reconnect after a loss the operator did not ask for
    int confirmMs = 1500;           // a route not reported by then is queried once, then failed
    int pollMs = 30000;             // routing query while idle, for changes made elsewhere; 0: off
};

// What the connection screen tells the operator about the last attempt or the link, as a
// key the screen turns into its text; empty when there is nothing to say.
namespace ConnectProblem {
inline const QString SettingsUnreadable = QStringLiteral("settingsUnreadable");
inline const QString NoDeviceAnswer = QStringLiteral("noDeviceAnswer");
inline const QString StoppedAnswering = QStringLiteral("stoppedAnswering");
inline const QString NoBaudRate = QStringLiteral("noBaudRate");
QString forFailure(ClientIO::Failure failure);
// The problem in plain English, for logs and programs without a window (the screens
// have their own translated texts); an unknown key comes back as it is.
QString describe(const QString &key);
} // namespace ConnectProblem
