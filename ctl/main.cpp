// tessaro-ctl: reads and sets a switcher from a shell, without a window.
//   tessaro-ctl (--device HOST[:PORT] | --serial PATH [--baud N]) COMMAND
#include "AppContext.h"
#include "ConfigEngine.h"
#include "ConnectionStatus.h"
#include "CtlCommands.h"
#include "LogFilter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

const char *const kUsage =
    "Usage: tessaro-ctl (--device HOST[:PORT] | --serial PATH [--baud N]) COMMAND\n"
    "\n"
    "Commands:\n"
    "  info [--json]                      model, counts, routing and output states\n"
    "  route IN OUT...                    route input IN to the outputs\n"
    "  output OUT on|off                  switch an output on or off\n"
    "  scene recall|store N               recall or store scene N (1-16)\n"
    "  backup FILE                        write the device's configuration to FILE\n"
    "  diff FILE [--json]                 list where the device differs from FILE\n"
    "  restore FILE [--dry-run] [--only AREA,...] [--force]\n"
    "                                     send what differs, then read it back\n"
    "\n"
    "Areas: names, routing, outputs, beep, signal, edid, audio, boards, resolution, network.\n"
    "Exit status: 0 done, 1 not confirmed by the device or differences found, 2 usage or\n"
    "file error, 3 no connection.\n";

int usage(const QString &problem)
{
    Ctl::complain(problem);
    std::fputs("Try 'tessaro-ctl --help'.\n", stderr);
    return Ctl::UsageOrFile;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tessaro-ctl"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tessaro"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSARO_VERSION));
    LogFilter::apply(QCoreApplication::arguments());

    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Show the version."));
    const QCommandLineOption device(QStringLiteral("device"),
                                    QStringLiteral("Device address, TCP port 8080 unless given."),
                                    QStringLiteral("HOST[:PORT]"));
    const QCommandLineOption serial(QStringLiteral("serial"), QStringLiteral("Serial port path or name."),
                                    QStringLiteral("PATH"));
    const QCommandLineOption baud(QStringLiteral("baud"), QStringLiteral("Serial baud rate (default 9600)."),
                                  QStringLiteral("N"), QStringLiteral("9600"));
    const QCommandLineOption timeout(QStringLiteral("timeout"),
                                     QStringLiteral("Wait for each answer, in ms (default 1500)."),
                                     QStringLiteral("MS"), QStringLiteral("1500"));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("JSON output (info, diff)."));
    const QCommandLineOption dryRun(QStringLiteral("dry-run"),
                                    QStringLiteral("Show what restore would send."));
    const QCommandLineOption only(QStringLiteral("only"), QStringLiteral("Only these areas."),
                                  QStringLiteral("AREA,..."));
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("Use a file of another model with the same counts."));
    const QCommandLineOption verbose(QStringLiteral("verbose"), QStringLiteral("Print the link's traffic."));
    parser.addOptions({help, version, device, serial, baud, timeout, json, dryRun, only, force, verbose});
    if (!parser.parse(QCoreApplication::arguments()))
        return usage(parser.errorText());
    if (parser.isSet(help)) {
        std::fputs(kUsage, stdout);
        return Ctl::Ok;
    }
    if (parser.isSet(version)) {
        std::printf("tessaro-ctl %s\n", TESSARO_VERSION);
        return Ctl::Ok;
    }

    Ctl::Options options;
    const QStringList positional = parser.positionalArguments();
    options.command = positional.value(0);
    options.args = positional.mid(1);
    options.json = parser.isSet(json);
    options.dryRun = parser.isSet(dryRun);
    options.force = parser.isSet(force);
    options.progress = ::isatty(STDERR_FILENO) == 1;
    if (parser.isSet(only)) {
        for (const QString &id : parser.value(only).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            Config::Area area;
            if (!Config::areaFromId(id.trimmed(), &area))
                return usage(QStringLiteral("--only: unknown area \"%1\"").arg(id));
            options.only.insert(area);
        }
        if (options.only.isEmpty())
            return usage(QStringLiteral("--only needs at least one area"));
    }
    bool ok = false;
    options.timeoutMs = parser.value(timeout).toInt(&ok);
    if (!ok || options.timeoutMs < 10 || options.timeoutMs > 60000)
        return usage(QStringLiteral("--timeout needs a number of milliseconds from 10 to 60000"));
    const int baudRate = parser.value(baud).toInt(&ok);
    if (!ok || baudRate <= 0)
        return usage(QStringLiteral("--baud needs a positive number, not \"%1\"").arg(parser.value(baud)));
    if (parser.isSet(device) == parser.isSet(serial))
        return usage(QStringLiteral("give either --device HOST[:PORT] or --serial PATH"));
    const QString problem = Ctl::checkUsage(options);
    if (!problem.isEmpty())
        return usage(problem);

    AppContext ctx;
    ConnectionTimings timings;
    timings.firstQueriesDelayMs = 200;
    timings.keepAliveMs = 0; // one command, then gone: no keep-alive, no polling,
    timings.pollMs = 0;      // no reconnecting
    timings.reconnect = false;
    timings.confirmMs = options.timeoutMs;
    ctx.setConnectionTimings(timings);
    ctx.init(); // names and the rest of "setting.data", as the panel finds it
    const QString target = parser.isSet(device) ? parser.value(device) : parser.value(serial);
    ctx.useLink(parser.isSet(device) ? 1 : 0, target, baudRate);

    // Connected once a device has named its model and the first queries are answered.
    bool beepAnswered = false;
    QObject::connect(&ctx, &AppContext::beepChanged, [&] { beepAnswered = ctx.deviceIdentified(); });
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (ctx.deviceIdentified() || (!ctx.isConnectPending() && !ctx.connectProblem().isEmpty()))
            loop.quit();
    });
    QTimer::singleShot(timings.connectCheckMs + timings.presenceMs + 1000, &loop, &QEventLoop::quit);
    poll.start(10);
    ctx.connectTerminal();
    loop.exec();
    if (!ctx.deviceIdentified()) {
        const QString why = ctx.connectProblem().isEmpty() ? QStringLiteral("no device answered")
                                                           : ConnectProblem::describe(ctx.connectProblem());
        Ctl::complain(QStringLiteral("%1: %2").arg(ctx.linkDescription(), why));
        // An address that is none is a usage error; anything else is no connection.
        return ctx.connectProblem() == QLatin1String("badAddress") ? Ctl::UsageOrFile : Ctl::NoConnection;
    }
    QTimer::singleShot(options.timeoutMs, &loop, &QEventLoop::quit);
    QObject::disconnect(&poll, nullptr, &loop, nullptr);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (beepAnswered || !ctx.isConnected())
            loop.quit();
    });
    if (!beepAnswered)
        loop.exec();

    ConfigEngine engine(&ctx);
    engine.setTimeoutMs(options.timeoutMs);
    const int status = Ctl::run(&ctx, &engine, options);
    ctx.disconnectTerminal();
    return status;
}
