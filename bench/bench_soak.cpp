// Soak run: the application context against tessaro-sim processes that misbehave in
// every way they can (pieces, garbage, missing line ends, dropped links, delays), through
// many connect / traffic / drop / reconnect cycles; then language switches and settings
// saves. Prints the cycles completed, resident memory along the way and every stuck state
// (a connection attempt still pending, or "connected" without a link). Run by hand:
//
//     build/bench/bench_soak [CYCLES]        (default 1000; sims on 127.0.0.151-156)
#include "AppContext.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct Sim
{
    QString address;
    QStringList faults;
    std::unique_ptr<QProcess> process;
};

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// Runs the event loop until the condition holds or the time is up; true when it holds.
template <typename Condition> bool waitFor(Condition condition, int ms)
{
    return QTest::qWaitFor(condition, ms);
}

bool accepting(const QString &address)
{
    QTcpSocket probe;
    probe.connectToHost(address, 8080);
    const bool up = probe.waitForConnected(500);
    probe.abort();
    return up;
}

struct Tally
{
    int cycles = 0;
    int noConnection = 0;
    int quiet = 0; // connected, but no routing or output report came back
    int droppedByDevice = 0;
    int stuckPending = 0;
    int connectedWithoutLink = 0;
};

// Records any stuck state the context is in right now.
void checkStuck(const AppContext &ctx, Tally &t, int cycle, const char *when)
{
    if (ctx.isConnectPending()) {
        ++t.stuckPending;
        std::printf("  cycle %d %s: isConnectPending left true\n", cycle, when);
    }
    if (ctx.isConnected() && !ctx.clientIO()) {
        ++t.connectedWithoutLink;
        std::printf("  cycle %d %s: connected with no link\n", cycle, when);
    }
}

void cycle(AppContext &ctx, const Sim &sim, int n, Tally &t)
{
    ctx.setCurrentIP(sim.address);
    ctx.connectTerminal();
    if (!waitFor([&] { return ctx.isConnected() || !ctx.isConnectPending(); }, 15000) || !ctx.isConnected()) {
        ++t.noConnection;
        std::printf("  cycle %d: no connection to %s (%s)\n", n, qPrintable(sim.address),
                    qPrintable(sim.faults.join(' ')));
        ctx.disconnectTerminal();
        waitFor([&] { return !ctx.isConnectPending(); }, 15000);
        checkStuck(ctx, t, n, "after a failed attempt");
        return;
    }

    int reports = 0;
    const auto counter = [&] { ++reports; };
    const auto a = QObject::connect(&ctx, &AppContext::swsChanged, counter);
    const auto b = QObject::connect(&ctx, &AppContext::outputSTChanged, counter);
    ctx.sendCmd_Ping();
    ctx.sendCmd_GetSW();
    ctx.sendCmd_SW(n % 16 + 1, QJsonArray{1, 2, 3});
    ctx.sendCmd_GetOutput();
    ctx.sendCmd_SetOutput(n % 16 + 1, n % 2 == 0);
    ctx.sendCmd_GetIP();
    waitFor([&] { return reports >= 3 || !ctx.isConnected(); }, 3000);
    QObject::disconnect(a);
    QObject::disconnect(b);
    if (reports == 0)
        ++t.quiet;
    checkStuck(ctx, t, n, "during traffic");

    if (!ctx.isConnected()) {
        ++t.droppedByDevice;
    } else if (n % 3 == 2) {
        // Reconnect straight away: the old link is replaced while it is up.
        ctx.connectTerminal();
        waitFor([&] { return ctx.isConnected() || !ctx.isConnectPending(); }, 15000);
        checkStuck(ctx, t, n, "after reconnecting");
        ctx.disconnectTerminal();
    } else {
        ctx.disconnectTerminal();
    }
    waitFor([&] { return !ctx.isConnected() && !ctx.isConnectPending(); }, 15000);
    checkStuck(ctx, t, n, "after the drop");
    ++t.cycles;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("SOAK_DEBUG"))
        QLoggingCategory::setFilterRules(QStringLiteral("tessaro.*.debug=false"));
    const int cycles = argc > 1 ? QByteArray(argv[1]).toInt() : 1000;
    const QString simProgram = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/tessaro-sim");
    QTemporaryDir work; // the context's settings file
    QDir::setCurrent(work.path());

    std::vector<Sim> sims;
    const QList<QStringList> faults{
        {},
        {"--chunk", "5", "--chunk-gap", "1"},
        {"--garbage-on-connect", "--garbage-every", "40"},
        {"--no-crlf-every", "3"},
        {"--close-after", "3"},
        {"--delay", "25"},
    };
    for (int i = 0; i < faults.size(); ++i) {
        Sim sim;
        sim.address = QStringLiteral("127.0.0.%1").arg(151 + i);
        sim.faults = faults.at(i);
        sim.process = std::make_unique<QProcess>();
        sim.process->setProgram(simProgram);
        sim.process->setArguments(
            QStringList{"--listen", sim.address + ":8080", "--model", "DV-42", "--quiet"} + sim.faults);
        sim.process->setStandardOutputFile(work.filePath(QStringLiteral("sim%1.log").arg(i)));
        sim.process->setStandardErrorFile(work.filePath(QStringLiteral("sim%1.log").arg(i)),
                                          QIODevice::Append);
        sim.process->start();
        // A simulator that exits at once could not listen: another program holds the address.
        if (!sim.process->waitForStarted(10000) || !waitFor([&] { return accepting(sim.address); }, 20000) ||
            sim.process->state() != QProcess::Running) {
            std::fprintf(stderr, "tessaro-sim on %s did not come up\n", qPrintable(sim.address));
            return 1;
        }
        sims.push_back(std::move(sim));
    }

    AppContext ctx;
    ctx.init();
    ctx.setConnectType(1);
    std::printf("Soak: %d cycles against %zu simulators (faults: none; chunks of 5 bytes; garbage; "
                "no CR LF every 3rd line; close after 3 commands; 25 ms delay)\n",
                cycles, sims.size());
    Tally t;
    long rssAt100 = 0;
    const long rssStart = residentKiB();
    QElapsedTimer clock;
    clock.start();
    for (int n = 1; n <= cycles; ++n) {
        cycle(ctx, sims[size_t(n) % sims.size()], n, t);
        if (n == 100)
            rssAt100 = residentKiB();
        if (n % 100 == 0) {
            std::printf("  cycle %4d: RSS %ld KiB, %.0f s\n", n, residentKiB(), clock.elapsed() / 1000.0);
            std::fflush(stdout);
        }
    }
    const long rssEnd = residentKiB();
    std::printf("cycles completed %d of %d; no connection %d; quiet %d; dropped by the device %d\n", t.cycles,
                cycles, t.noConnection, t.quiet, t.droppedByDevice);
    std::printf("stuck: pending %d, connected without link %d\n", t.stuckPending, t.connectedWithoutLink);
    std::printf("RSS: start %ld KiB, after cycle 100 %ld KiB, after cycle %d %ld KiB: growth %ld KiB "
                "(target < 2048)\n",
                rssStart, rssAt100, cycles, rssEnd, rssEnd - rssAt100);

    // Language switches, each saved to the settings file.
    long before = residentKiB();
    clock.restart();
    for (int n = 0; n < 1000; ++n)
        ctx.changeLangeuageZhCN(n % 2 == 0);
    std::printf("1000 language switches: %.2f s, RSS %ld -> %ld KiB, language %s\n", clock.elapsed() / 1000.0,
                before, residentKiB(), ctx.language() ? "zh_CN" : "en");

    // Settings saves with every channel and scene named.
    QJsonObject names;
    for (int k = 1; k <= 36; ++k)
        names.insert(QStringLiteral("%1").arg(k, 3, 10, QLatin1Char('0')), QStringLiteral("Name %1").arg(k));
    QJsonObject setting = ctx.setting();
    setting.insert("in", names);
    setting.insert("out", names);
    setting.insert("sence", names);
    before = residentKiB();
    clock.restart();
    int failedSaves = 0;
    for (int n = 0; n < 1000; ++n) {
        names.insert("001", QStringLiteral("Camera %1").arg(n));
        setting.insert("in", names);
        ctx.setSetting(setting);
        ctx.saveSetting();
        ctx.loadSetting();
        if (ctx.setting().value("in").toObject().value("001").toString() !=
            QStringLiteral("Camera %1").arg(n))
            ++failedSaves;
    }
    std::printf("1000 settings saves: %.2f s, RSS %ld -> %ld KiB, %d not read back\n",
                clock.elapsed() / 1000.0, before, residentKiB(), failedSaves);

    for (size_t i = 0; i < sims.size(); ++i) {
        Sim &sim = sims[i];
        if (sim.process->state() != QProcess::Running) {
            std::printf("simulator %s (%s) ended early, exit code %d%s; its output:\n",
                        qPrintable(sim.address), qPrintable(sim.faults.join(' ')), sim.process->exitCode(),
                        sim.process->exitStatus() == QProcess::CrashExit ? " (crashed)" : "");
            QFile log(work.filePath(QStringLiteral("sim%1.log").arg(i)));
            if (log.open(QIODevice::ReadOnly))
                std::printf("%s\n", log.readAll().right(2000).constData());
        }
        sim.process->terminate();
        sim.process->waitForFinished(5000);
    }
    const bool ok = t.cycles == cycles && t.stuckPending == 0 && t.connectedWithoutLink == 0 &&
                    rssEnd - rssAt100 < 2048 && failedSaves == 0;
    return ok ? 0 : 1;
}
