#pragma once

#include "ConfigItems.h"

#include <QSet>
#include <QString>
#include <QStringList>

class AppContext;
class ConfigEngine;

// tessaro-ctl's commands, run against a connected, identified device.
namespace Ctl {

enum Status
{
    Ok = 0,
    NotConfirmed = 1, // the device did not confirm, or the diff is not empty
    UsageOrFile = 2,
    NoConnection = 3,
};

struct Options
{
    QString command;
    QStringList args;
    bool json = false;
    bool dryRun = false;
    bool force = false;
    QSet<Config::Area> only; // empty: every area
    int timeoutMs = 1500;
    bool progress = false; // standard error is a terminal
};

// Checks a command and its arguments before anything is connected; empty when fine.
QString checkUsage(const Options &options);

// Runs the command; the return value is the exit status.
int run(AppContext *ctx, ConfigEngine *engine, const Options &options);

// Writes "tessaro-ctl: text" to standard error.
void complain(const QString &text);

} // namespace Ctl
