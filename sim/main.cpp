// tessaro-sim: a simulated device for the panel, over TCP and/or a pseudo-terminal.
#include "ModelCatalogue.h"
#include "SimDevice.h"
#include "SimServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <csignal>

namespace {

bool parseHostPort(const QString &text, QHostAddress *address, quint16 *port)
{
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    QString host = colon < 0 ? text : text.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    bool ok = true;
    const int p = colon < 0 ? 8080 : text.mid(colon + 1).toInt(&ok);
    if (!ok || p < 0 || p > 65535)
        return false;
    if (host == QLatin1String("localhost"))
        host = QStringLiteral("127.0.0.1");
    if (!address->setAddress(host))
        return false;
    *port = static_cast<quint16>(p);
    return true;
}

int intOption(const QCommandLineParser &parser, const QCommandLineOption &option, bool *ok)
{
    if (!parser.isSet(option))
        return 0;
    bool good = false;
    const int v = parser.value(option).toInt(&good);
    if (!good || v < 0) {
        QTextStream(stderr) << "invalid value for --" << option.names().constFirst() << ": "
                            << parser.value(option) << "\n";
        *ok = false;
    }
    return v;
}

void quit(int)
{
    QCoreApplication::quit();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tessaro-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulated matrix switcher for the Tessaro panel. It serves one panel at a time over "
                       "TCP and/or a pseudo-terminal and prints every line it receives and sends."));
    parser.addHelpOption();
    const QCommandLineOption listen(
        QStringLiteral("listen"),
        QStringLiteral("Listen for the panel on HOST:PORT (default 127.0.0.1:8080); "
                       "\"none\" for no TCP."),
        QStringLiteral("HOST:PORT"), QStringLiteral("127.0.0.1:8080"));
    const QCommandLineOption pty(
        QStringLiteral("pty"),
        QStringLiteral("Also serve a pseudo-terminal and make PATH a symbolic link to "
                       "it (\"-\" for no link)."),
        QStringLiteral("PATH"));
    const QCommandLineOption model(QStringLiteral("model"),
                                   QStringLiteral("Model identifier (default DV-42)."), QStringLiteral("ID"),
                                   QStringLiteral("DV-42"));
    const QCommandLineOption listModels(QStringLiteral("list-models"),
                                        QStringLiteral("List the known models."));
    const QCommandLineOption log(QStringLiteral("log"), QStringLiteral("Append the log to FILE as well."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption quiet(QStringLiteral("quiet"), QStringLiteral("Print nothing to stdout."));
    const QCommandLineOption chunk(QStringLiteral("chunk"),
                                   QStringLiteral("Send replies in pieces of N bytes."), QStringLiteral("N"));
    const QCommandLineOption chunkGap(QStringLiteral("chunk-gap"),
                                      QStringLiteral("Milliseconds between pieces (default 20)."),
                                      QStringLiteral("MS"), QStringLiteral("20"));
    const QCommandLineOption delay(QStringLiteral("delay"),
                                   QStringLiteral("Delay every reply by MS milliseconds."),
                                   QStringLiteral("MS"));
    const QCommandLineOption closeAfter(QStringLiteral("close-after"),
                                        QStringLiteral("Close the connection after answering N commands."),
                                        QStringLiteral("N"));
    const QCommandLineOption garbageConnect(QStringLiteral("garbage-on-connect"),
                                            QStringLiteral("Send a junk line when a panel connects."));
    const QCommandLineOption garbageEvery(QStringLiteral("garbage-every"),
                                          QStringLiteral("Send a junk line every MS milliseconds."),
                                          QStringLiteral("MS"));
    const QCommandLineOption noCrlf(QStringLiteral("no-crlf-every"),
                                    QStringLiteral("Send every N-th line without its CR LF."),
                                    QStringLiteral("N"));
    const QCommandLineOption acceptDelay(QStringLiteral("accept-delay"),
                                         QStringLiteral("Complete TCP connections only MS milliseconds after "
                                                        "being ready for a panel."),
                                         QStringLiteral("MS"));
    const QCommandLineOption autoRoute(
        QStringLiteral("auto-route"),
        QStringLiteral("Switch output 1 by itself every S seconds and report it."), QStringLiteral("S"));
    const QCommandLineOption msPerSecond(
        QStringLiteral("ms-per-second"),
        QStringLiteral("Real milliseconds per device second (default 1000)."), QStringLiteral("MS"));
    const QCommandLineOption ignoreRouting(QStringLiteral("ignore-routing"),
                                           QStringLiteral("Ignore routing commands (SW, SWOTO) without an answer."));
    const QCommandLineOption partialRouting(
        QStringLiteral("partial-routing"), QStringLiteral("Apply only the first N outputs of every SW command."),
        QStringLiteral("N"));
    const QCommandLineOption randomRoute(
        QStringLiteral("random-route"),
        QStringLiteral("Switch a random output to another input by itself every S seconds."), QStringLiteral("S"));
    const QCommandLineOption silentOpt(QStringLiteral("silent"),
                                       QStringLiteral("Accept the link but never answer."));
    const QCommandLineOption stopAfter(QStringLiteral("stop-answering-after"),
                                       QStringLiteral("Stop answering S seconds after a panel connects, "
                                                      "keeping the link open."),
                                       QStringLiteral("S"));
    const QCommandLineOption unanswered(QStringLiteral("unanswered"),
                                        QStringLiteral("Lose the lines of command CMD: N times, or always without "
                                                       ":N. May be given more than once."),
                                        QStringLiteral("CMD[:N]"));
    parser.addOptions({listen, pty, model, listModels, log, quiet, chunk, chunkGap, delay, closeAfter,
                       garbageConnect, garbageEvery, noCrlf, acceptDelay, autoRoute, msPerSecond,
                       ignoreRouting, partialRouting, randomRoute, silentOpt, stopAfter, unanswered});
    parser.process(app);

    QTextStream err(stderr);
    if (parser.isSet(listModels)) {
        QTextStream out(stdout);
        for (const QString &id : ModelCatalogue::knownModels()) {
            ModelCatalogue::Counts c;
            ModelCatalogue::lookup(id, &c);
            out << id << "\t" << c.inputs << " x " << c.outputs << "\n";
        }
        return 0;
    }

    const QString modelId = parser.value(model);
    ModelCatalogue::Counts counts;
    if (!ModelCatalogue::lookup(modelId, &counts)) {
        err << "unknown model " << modelId << " (see --list-models)\n";
        return 2;
    }

    bool ok = true;
    const int chunkBytes = intOption(parser, chunk, &ok);
    const int gapMs = parser.value(chunkGap).toInt();
    const int delayMs = intOption(parser, delay, &ok);
    const int closeN = intOption(parser, closeAfter, &ok);
    const int garbageMs = intOption(parser, garbageEvery, &ok);
    const int noCrlfN = intOption(parser, noCrlf, &ok);
    const int acceptMs = intOption(parser, acceptDelay, &ok);
    const int autoSecs = intOption(parser, autoRoute, &ok);
    const int msSecond = intOption(parser, msPerSecond, &ok);
    const int partialN = intOption(parser, partialRouting, &ok);
    const int randomSecs = intOption(parser, randomRoute, &ok);
    const int stopSecs = intOption(parser, stopAfter, &ok);
    if (!ok)
        return 2;

    SimServer sim(modelId);
    sim.setEcho(!parser.isSet(quiet));
    if (parser.isSet(log) && !sim.setLogFile(parser.value(log))) {
        err << "cannot open log file " << parser.value(log) << "\n";
        return 1;
    }
    sim.setChunkSize(chunkBytes, gapMs);
    sim.setReplyDelay(delayMs);
    sim.setCloseAfterCommands(closeN);
    sim.setGarbageOnConnect(parser.isSet(garbageConnect));
    sim.setGarbageInterval(garbageMs);
    sim.setDropLineEndEvery(noCrlfN);
    sim.setAcceptDelay(acceptMs);
    if (msSecond > 0)
        sim.setMsPerSecond(msSecond);
    sim.setAutoRouteInterval(autoSecs);
    sim.setIgnoreRouting(parser.isSet(ignoreRouting));
    sim.setPartialRouting(partialN);
    if (randomSecs > 0)
        sim.device()->setRandomRouteInterval(randomSecs);
    sim.setSilent(parser.isSet(silentOpt));
    sim.setStopAnsweringAfter(stopSecs * 1000);
    for (const QString &rule : parser.values(unanswered)) {
        const QString command = rule.section(QLatin1Char(':'), 0, 0);
        bool countOk = true;
        const int times = rule.contains(QLatin1Char(':')) ? rule.section(QLatin1Char(':'), 1).toInt(&countOk) : -1;
        if (command.isEmpty() || !countOk || (rule.contains(QLatin1Char(':')) && times < 1)) {
            err << "invalid --unanswered value " << rule << " (CMD or CMD:N with N at least 1)\n";
            return 2;
        }
        sim.setUnanswered(command, times);
    }

    bool serving = false;
    if (parser.value(listen) != QLatin1String("none")) {
        QHostAddress address;
        quint16 port = 0;
        if (!parseHostPort(parser.value(listen), &address, &port)) {
            err << "invalid --listen value " << parser.value(listen) << "\n";
            return 2;
        }
        if (!sim.listenTcp(address, port)) {
            err << "cannot listen on " << parser.value(listen) << ": " << sim.tcpError() << "\n";
            return 1;
        }
        serving = true;
    }
    if (parser.isSet(pty)) {
        const QString link = parser.value(pty) == QLatin1String("-") ? QString() : parser.value(pty);
        if (!sim.openPty(link)) {
            err << "cannot open a pseudo-terminal\n";
            return 1;
        }
        QTextStream(stdout) << "serial port: " << sim.ptyPath() << Qt::endl;
        serving = true;
    }
    if (!serving) {
        err << "nothing to serve: give --listen or --pty\n";
        return 2;
    }

    std::signal(SIGINT, quit);
    std::signal(SIGTERM, quit);
    return app.exec();
}
