#include "Headless.h"

#include "AppContext.h"
#include "ConnectionStatus.h"
#include "LinkSupervisor.h"
#include "LogFilter.h"
#include "MqttBridge.h"
#include "RouterServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QHostInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalFd[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    // Nothing else is safe in a signal handler; the event loop reads the byte.
    [[maybe_unused]] const ssize_t n = ::write(g_signalFd[1], &byte, 1);
}

void logLine(const QString &text)
{
    const QByteArray line =
        (QDateTime::currentDateTime().toString(Qt::ISODate) + QLatin1Char(' ') + text + QLatin1Char('\n'))
            .toUtf8();
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

int fail(const QString &text, int status)
{
    logLine(QStringLiteral("tessaro: ") + text);
    return status;
}

// "HOST:PORT", "HOST" (port 9990) or "[V6]:PORT".
bool parseListen(const QString &text, QString *host, quint16 *port)
{
    QString h = text.trimmed();
    QString p;
    if (h.startsWith(QLatin1Char('['))) {
        const int close = h.indexOf(QLatin1Char(']'));
        if (close < 0)
            return false;
        p = h.mid(close + 1);
        h = h.mid(1, close - 1);
        if (!p.isEmpty() && !p.startsWith(QLatin1Char(':')))
            return false;
        p = p.mid(1);
    } else if (h.count(QLatin1Char(':')) == 1) {
        p = h.section(QLatin1Char(':'), 1);
        h = h.section(QLatin1Char(':'), 0, 0);
    }
    bool ok = true;
    const int n = p.isEmpty() ? RouterServer::kDefaultPort : p.toInt(&ok);
    if (!ok || n < 0 || n > 65535 || h.isEmpty())
        return false;
    *host = h;
    *port = quint16(n);
    return true;
}

// The broker options of the command line; false (with *why) when they cannot be used.
// Without --friendly-name or --mqtt-id the device goes by this machine's name and the
// device's address, so that several instances on one machine never share topics.
bool mqttConfig(const QCommandLineParser &parser, const QString &linkHost, MqttBridge::Config *config,
                QString *why)
{
    if (!MqttAddress::parseUrl(parser.value(QStringLiteral("mqtt")), &config->url, why)) {
        *why = QStringLiteral("--mqtt: ") + *why;
        return false;
    }
    if (parser.isSet(QStringLiteral("mqtt-ca"))) {
        config->caFile = parser.value(QStringLiteral("mqtt-ca"));
        if (!config->url.tls) {
            *why = QStringLiteral("--mqtt-ca needs an mqtts:// address");
            return false;
        }
        if (!QFileInfo(config->caFile).isReadable()) {
            *why = QStringLiteral("--mqtt-ca: %1 cannot be read").arg(config->caFile);
            return false;
        }
    }
    if (parser.isSet(QStringLiteral("friendly-name")))
        config->name = parser.value(QStringLiteral("friendly-name")).trimmed();
    else
        config->name = linkHost.isEmpty() ? QHostInfo::localHostName()
                                          : QStringLiteral("%1 %2").arg(QHostInfo::localHostName(), linkHost);
    config->deviceId = parser.value(QStringLiteral("mqtt-id"));
    if (parser.isSet(QStringLiteral("mqtt-id")) && !MqttAddress::validDeviceId(config->deviceId)) {
        *why = QStringLiteral("--mqtt-id may only have lower-case letters, digits, '-' and '_', not \"%1\"")
                   .arg(config->deviceId);
        return false;
    }
    config->base = parser.value(QStringLiteral("mqtt-base"));
    if (parser.isSet(QStringLiteral("mqtt-base")) && !MqttAddress::validBaseTopic(config->base)) {
        *why = QStringLiteral("--mqtt-base needs topic levels without '+', '#' or empty levels, not \"%1\"")
                   .arg(config->base);
        return false;
    }
    return true;
}

// --mqtt-forget: clears the device's discovery messages and retained topics, then ends.
int forgetOnBroker(const MqttBridge::Config &config)
{
    AppContext ctx;
    ctx.init();
    MqttBridge bridge(&ctx);
    QObject::connect(&bridge, &MqttBridge::logLine, &logLine);
    int status = 1;
    QObject::connect(&bridge, &MqttBridge::forgotten, [&](bool ok) {
        status = ok ? 0 : 1;
        QCoreApplication::quit();
    });
    bridge.forget(config);
    if (bridge.status() == QLatin1String("removing"))
        QCoreApplication::exec();
    return status;
}

} // namespace

bool wantsHeadless(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--headless") == 0)
            return true;
    return false;
}

int runHeadless(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tessaro"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tessaro"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("tessaro.local"));
    if (QCoreApplication::applicationVersion().isEmpty())
        QCoreApplication::setApplicationVersion(QStringLiteral(TESSARO_VERSION));

    LogFilter::apply(QCoreApplication::arguments());
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Serves one switcher to router control clients and MQTT brokers, without a window."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("headless"), QStringLiteral("Run without a window.")});
    parser.addOption({QStringLiteral("verbose"), QStringLiteral("Print the link's traffic and checks too.")});
    parser.addOption({QStringLiteral("device"), QStringLiteral("Device address (TCP port 8080)."),
                      QStringLiteral("ADDR")});
    parser.addOption(
        {QStringLiteral("serial"), QStringLiteral("Serial port path or name."), QStringLiteral("PATH")});
    parser.addOption({QStringLiteral("baud"), QStringLiteral("Serial baud rate (default 9600)."),
                      QStringLiteral("N"), QStringLiteral("9600")});
    parser.addOption(
        {QStringLiteral("listen"),
         QStringLiteral("Router-protocol address and port (default 127.0.0.1:9990, or none with --mqtt); "
                        "\"none\" serves nothing."),
         QStringLiteral("ADDR:PORT"), QStringLiteral("127.0.0.1:9990")});
    parser.addOption({QStringLiteral("friendly-name"),
                      QStringLiteral("Name shown to router clients (default: the host name)."),
                      QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("retry-ms"),
                      QStringLiteral("Wait before connecting again after a loss (default 3000)."),
                      QStringLiteral("MS"), QStringLiteral("3000")});
    parser.addOption({QStringLiteral("mqtt"),
                      QStringLiteral("Publish to an MQTT broker and take commands from it: "
                                     "mqtt://[user:password@]host[:port] or mqtts://..."),
                      QStringLiteral("URL")});
    parser.addOption({QStringLiteral("mqtt-ca"),
                      QStringLiteral("CA certificates (PEM) that signed an mqtts:// broker's certificate "
                                     "(default: the system's)."),
                      QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("mqtt-base"),
                      QStringLiteral("Base topic (default tessaro/<device id>)."), QStringLiteral("TOPIC")});
    parser.addOption({QStringLiteral("mqtt-id"),
                      QStringLiteral("Device ID in topics and Home Assistant (default: from --friendly-name, "
                                     "or this machine's name and the device's address)."),
                      QStringLiteral("ID")});
    parser.addOption(
        {QStringLiteral("mqtt-forget"),
         QStringLiteral("Remove the device's Home Assistant entities and retained topics from the "
                        "broker, then exit.")});
    if (!parser.parse(QCoreApplication::arguments()))
        return fail(parser.errorText(), 2);
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("tessaro %s\n", qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()),
                    2);
    if (parser.isSet(QStringLiteral("device")) && parser.isSet(QStringLiteral("serial")))
        return fail(QStringLiteral("give either --device or --serial, not both"), 2);
    bool ok = false;
    const int baud = parser.value(QStringLiteral("baud")).toInt(&ok);
    if (!ok || baud <= 0)
        return fail(QStringLiteral("--baud needs a positive number, not \"%1\"")
                        .arg(parser.value(QStringLiteral("baud"))),
                    2);
    const int retryMs = parser.value(QStringLiteral("retry-ms")).toInt(&ok);
    if (!ok || retryMs < 10)
        return fail(QStringLiteral("--retry-ms needs a number of at least 10"), 2);
    const bool mqtt = parser.isSet(QStringLiteral("mqtt"));
    for (const char *needsMqtt : {"mqtt-ca", "mqtt-base", "mqtt-id", "mqtt-forget"})
        if (!mqtt && parser.isSet(QLatin1String(needsMqtt)))
            return fail(QStringLiteral("--%1 needs --mqtt URL").arg(QLatin1String(needsMqtt)), 2);
    MqttBridge::Config mqttCfg;
    if (mqtt) {
        const QString linkHost = parser.isSet(QStringLiteral("device"))
                                     ? parser.value(QStringLiteral("device"))
                                     : parser.value(QStringLiteral("serial"));
        QString why;
        if (!mqttConfig(parser, linkHost, &mqttCfg, &why))
            return fail(why, 2);
        if (parser.isSet(QStringLiteral("mqtt-forget")))
            return forgetOnBroker(mqttCfg);
    }
    const QString listen = parser.value(QStringLiteral("listen"));
    QString host;
    quint16 port = 0;
    // With a broker to publish to, the router protocol is served only when asked for:
    // several instances on one machine would otherwise all want port 9990.
    const bool serve = listen != QLatin1String("none") && (!mqtt || parser.isSet(QStringLiteral("listen")));
    if (serve && !parseListen(listen, &host, &port))
        return fail(QStringLiteral("--listen needs ADDR:PORT, not \"%1\"").arg(listen), 2);

    AppContext ctx;
    ctx.init();
    if (parser.isSet(QStringLiteral("device")))
        ctx.useLink(1, parser.value(QStringLiteral("device")), 0);
    else if (parser.isSet(QStringLiteral("serial")))
        ctx.useLink(0, parser.value(QStringLiteral("serial")), baud);
    if ((ctx.connectType() == 1 && ctx.currentIP().isEmpty()) ||
        (ctx.connectType() == 0 && ctx.currentSerialport().isEmpty()))
        return fail(QStringLiteral("no device: give --device ADDR or --serial PATH"), 2);

    RouterServer server(&ctx);
    QObject::connect(&server, &RouterServer::logLine, &logLine);
    if (parser.isSet(QStringLiteral("friendly-name")))
        server.setFriendlyName(parser.value(QStringLiteral("friendly-name")));
    if (serve && !server.listen(host, port))
        return fail(QStringLiteral("cannot listen for router clients: %1").arg(server.errorDetail()), 1);
    MqttBridge bridge(&ctx);
    QObject::connect(&bridge, &MqttBridge::logLine, &logLine);
    // A broker that cannot be reached is tried again and again; only bad names end here.
    if (mqtt && !bridge.start(mqttCfg))
        return fail(bridge.errorDetail(), 2);

    // SIGTERM and SIGINT end the event loop through a socket pair.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalFd) != 0)
        return fail(QStringLiteral("cannot set up signal handling"), 1);
    QSocketNotifier signalNotifier(g_signalFd[0], QSocketNotifier::Read);
    bool stopping = false;
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, [&] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(g_signalFd[0], &byte, 1);
        logLine(QStringLiteral("stopping"));
        stopping = true;
        server.close();
        // The broker hears "offline" and a clean disconnect (no last will) first.
        const bool waitForBroker = bridge.client()->isConnected();
        if (waitForBroker) {
            QObject::connect(&bridge, &MqttBridge::stopped, &app, &QCoreApplication::quit);
            QTimer::singleShot(3000, &app, &QCoreApplication::quit);
        }
        bridge.stop();
        ctx.disconnectTerminal();
        if (!waitForBroker)
            QCoreApplication::quit();
    });
    struct sigaction sa;
    std::memset(&sa, 0, sizeof sa);
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);

    const QString target =
        ctx.connectType() == 1 ? ctx.currentIP() + QStringLiteral(":8080") : ctx.currentSerialport();
    QTimer retry;
    retry.setSingleShot(true);
    retry.setInterval(retryMs);
    QObject::connect(&retry, &QTimer::timeout, &retry, [&] {
        logLine(QStringLiteral("connecting to %1").arg(target));
        ctx.connectTerminal();
    });
    // This timer covers a device that is not there at start; after a loss the context's
    // own back-off reconnects, and the timer stands down while it does.
    const auto scheduleRetry = [&] {
        if (stopping || ctx.isConnected() || ctx.isConnectPending() || retry.isActive() ||
            ctx.supervisor()->reconnecting())
            return;
        logLine(QStringLiteral("trying again in %1 ms").arg(retryMs));
        retry.start();
    };
    QObject::connect(&ctx, &AppContext::isConnectedChanged, &retry, [&] {
        logLine(ctx.isConnected() ? QStringLiteral("link to %1 is up").arg(target)
                                  : QStringLiteral("link to %1 is down").arg(target));
        scheduleRetry();
    });
    QObject::connect(&ctx, &AppContext::isConnectPendingChanged, &retry, scheduleRetry);
    bool backingOff = false; // the countdown notifies every second: log its start only
    QObject::connect(ctx.supervisor(), &LinkSupervisor::reconnectChanged, &retry, [&] {
        const bool now = ctx.supervisor()->reconnecting();
        if (now && !backingOff) {
            retry.stop();
            logLine(QStringLiteral("trying again in %1 s").arg(ctx.supervisor()->reconnectIn()));
        }
        backingOff = now;
    });
    QObject::connect(&ctx, &AppContext::connectProblemChanged, &retry, [&] {
        if (!ctx.connectProblem().isEmpty())
            logLine(QStringLiteral("%1: %2").arg(target, ConnectProblem::describe(ctx.connectProblem())));
    });

    logLine(QStringLiteral("tessaro %1 without a window; connecting to %2")
                .arg(QCoreApplication::applicationVersion(), target));
    ctx.connectTerminal();
    scheduleRetry(); // an attempt refused at once
    const int status = app.exec();
    logLine(QStringLiteral("stopped"));
    return status;
}
