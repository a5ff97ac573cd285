// Receive-path and command-builder throughput: device bytes in, through the reply
// parser and the context setters with their notifications, no UI.
//
// With --console the realistic mix is also fed with the traffic console window open
// (offscreen, software renderer unless QT_QPA_PLATFORM / QT_QUICK_BACKEND say
// otherwise), the event loop turning after every chunk as it does in the panel, and
// compared with the same feeding while the window is closed.
#include "AppContext.h"
#include "ClientIO.h"
#include "CommandAdapter.h"
#include "QmlTypes.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QRandomGenerator>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

namespace {

using Lines = std::vector<QByteArray>;

// CPU time of this thread: other processes on a shared machine do not count.
qint64 cpuNanoseconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// A link that is always up, counts what is written and hands over fed bytes.
class BenchLink : public ClientIO
{
public:
    bool open() override
    {
        emit onConnected();
        return true;
    }
    bool close() override
    {
        emit onDisconnected();
        return true;
    }
    int write(QByteArray data) override
    {
        ++writes;
        return data.size();
    }
    QByteArray read() override
    {
        QByteArray out;
        out.swap(_pending);
        return out;
    }
    void feed(const QByteArray &bytes)
    {
        _pending = bytes;
        emit onReadReady();
    }
    long long writes = 0;

private:
    QByteArray _pending;
};

QByteArray numbers(int count, int max, QRandomGenerator &rng)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += ' ' + QByteArray::number(rng.bounded(1, max + 1));
    return out;
}

// What a busy 36 x 36 device sends: per cycle a routing report in which one output has
// moved to another input since the last one, the output states with one output
// toggled, a pre-emphasis and a swing report, one board's information, a 256-byte EDID
// and a model reply.
Lines realisticLines(size_t count)
{
    QRandomGenerator rng(42);
    std::vector<int> routing(36);
    for (int &in : routing)
        in = rng.bounded(1, 37);
    std::vector<bool> open(36, true);
    QByteArray edid = "EDIDData 1";
    for (int i = 0; i < 256; ++i)
        edid += ' ' + QByteArray::number((i * 37 + 11) & 0xff, 16).rightJustified(2, '0');
    const QByteArray info = R"(GetReadRXTXInfo {"BoardID":"5","BoardVersion":"V1.2","InputResolution":)"
                            R"("1920x1080@60","OutResolution":"3840x2160@30","AudioSelect":"0","Brt":"50",)"
                            R"("Contrs":"50","Sharp":"50","TempR":"128","TempG":"128","TempB":"128"})";
    Lines lines;
    lines.reserve(count);
    for (int i = 0; lines.size() < count; ++i) {
        routing[static_cast<size_t>(rng.bounded(36))] = rng.bounded(1, 37);
        const auto toggled = static_cast<size_t>(rng.bounded(36));
        open[toggled] = !open[toggled];
        QByteArray sws = "SWS";
        QByteArray st = "OutPutST";
        for (size_t k = 0; k < 36; ++k) {
            sws += ' ' + QByteArray::number(routing[k]);
            st += open[k] ? " 1" : " 0";
        }
        const QByteArray port = QByteArray::number(i % 36 + 1);
        for (const QByteArray &line :
             {sws, st, "OutPE " + port + " 2", "OutSW " + port + " 1", info, edid, QByteArray("DV-52")})
            if (lines.size() < count)
                lines.push_back(line);
    }
    return lines;
}

// Shorter replies for the chunking comparison (about 2.5 MiB per 100,000 lines).
Lines shortLines(size_t count)
{
    QRandomGenerator rng(7);
    const Lines mix{"SWS" + numbers(36, 36, rng),
                    "OutPutST 1 1 0 1 1 1 1 1 0 1 1 1 1 1 1 1",
                    "OutPE 3 2",
                    "OutSW 4 1",
                    "DisplayMode 1",
                    "IP 192.168.1.100",
                    "BeepEn 1",
                    "RXEQ 1 3",
                    "GetHDMIAudioInsert 2 1",
                    "AudioSelHA 7 1"};
    Lines lines;
    lines.reserve(count);
    for (size_t i = 0; i < count; ++i)
        lines.push_back(mix[i % mix.size()]);
    return lines;
}

struct Run
{
    double seconds = 0;
    double lines = 0;
    int frames = 0; // drawn while the lines came in
    double linesPerSecond() const { return lines / seconds; }
    double nsPerLine() const { return seconds * 1e9 / lines; }
};

enum class Loop
{
    None,
    Turns,
    TurnsWithConsole
};

// Feeds the lines, linesPerChunk at a time, to a fresh context. With Loop::Turns the
// event loop runs after every chunk and the console window exists but is closed, as in
// the panel; with Loop::TurnsWithConsole it is open.
Run feed(const Lines &lines, size_t linesPerChunk, Loop loop = Loop::None)
{
    AppContext ctx;
    auto *link = new BenchLink;
    ctx.attachLink(link);
    std::unique_ptr<QQmlEngine> engine;
    std::unique_ptr<QObject> window;
    int frames = 0;
    if (loop != Loop::None) {
        engine = std::make_unique<QQmlEngine>();
        engine->rootContext()->setContextProperty(QStringLiteral("appContext"), &ctx);
        QQmlComponent component(engine.get(), QUrl(QStringLiteral("qrc:/ConsoleWindow.qml")));
        window.reset(component.create());
        if (!window) {
            std::fprintf(stderr, "cannot load the console: %s\n", qPrintable(component.errorString()));
            std::exit(1);
        }
        auto *quick = qobject_cast<QQuickWindow *>(window.get());
        QObject::connect(quick, &QQuickWindow::frameSwapped, quick, [&frames] { ++frames; });
        if (loop == Loop::TurnsWithConsole) {
            QMetaObject::invokeMethod(window.get(), "open");
            while (frames == 0)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
    }
    Lines chunks;
    QByteArray chunk;
    size_t inChunk = 0;
    for (const QByteArray &line : lines) {
        chunk += line;
        chunk += "\r\n";
        if (++inChunk == linesPerChunk) {
            chunks.push_back(chunk);
            chunk.clear();
            inChunk = 0;
        }
    }
    if (!chunk.isEmpty())
        chunks.push_back(chunk);

    const int framesBefore = frames;
    const qint64 start = cpuNanoseconds();
    if (loop == Loop::None) {
        for (const QByteArray &c : chunks)
            link->feed(c);
    } else {
        for (const QByteArray &c : chunks) {
            link->feed(c);
            QCoreApplication::processEvents();
        }
        // The last batch is shown too.
        ctx.traffic()->log()->flush();
        QCoreApplication::processEvents();
    }
    Run run;
    run.seconds = double(cpuNanoseconds() - start) / 1e9;
    run.lines = double(lines.size());
    run.frames = frames - framesBefore;
    return run;
}

template <typename F> double nsPerCall(F build, long long calls)
{
    long long bytes = 0;
    const qint64 start = cpuNanoseconds();
    for (long long i = 0; i < calls; ++i)
        bytes += build(i).size();
    const double ns = double(cpuNanoseconds() - start) / double(calls);
    if (bytes == 42) // keeps the calls from being optimised away
        std::puts("");
    return ns;
}

void discard(QtMsgType, const QMessageLogContext &, const QString &) {}

QByteArray keyword(const QByteArray &line)
{
    const int space = line.indexOf(' ');
    return space < 0 ? line : line.left(space);
}

} // namespace

// The realistic mix with the event loop turning, console window closed and open.
bool consoleFigures(const Lines &lines)
{
    registerTessaroQmlTypes();
    feed(Lines(lines.begin(), lines.begin() + 7000), 25, Loop::TurnsWithConsole); // warm-up
    std::printf("Console window (event loop turning after every ~4 KiB chunk, best of 3):\n");
    std::printf("  (closed: the window exists, hidden, as in the panel; open: shown, following)\n");
    Run closed, open;
    for (int i = 0; i < 3; ++i) {
        const Run c = feed(lines, 25, Loop::Turns);
        const Run o = feed(lines, 25, Loop::TurnsWithConsole);
        if (i == 0 || c.linesPerSecond() > closed.linesPerSecond())
            closed = c;
        if (i == 0 || o.linesPerSecond() > open.linesPerSecond())
            open = o;
    }
    const double loss = 1.0 - open.linesPerSecond() / closed.linesPerSecond();
    std::printf("  console closed: %10.0f lines/s (%5.0f ns/line)\n", closed.linesPerSecond(),
                closed.nsPerLine());
    std::printf("  console open  : %10.0f lines/s (%5.0f ns/line), %d frames drawn\n", open.linesPerSecond(),
                open.nsPerLine(), open.frames);
    std::printf("  loss %.1f %%, target <= 10 %%: %s\n\n", loss * 100, loss <= 0.10 ? "met" : "NOT MET");
    return loss <= 0.10;
}

int main(int argc, char **argv)
{
    bool console = false;
    for (int i = 1; i < argc; ++i)
        console = console || std::strcmp(argv[i], "--console") == 0;
    std::unique_ptr<QCoreApplication> app;
    if (console) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
            qputenv("QT_QUICK_BACKEND", "software");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // Every received line and every write is logged; the figures are for the receive
    // path, not for the console.
    QLoggingCategory::setFilterRules(QStringLiteral("tessaro.*.debug=false"));

    const Lines lines = realisticLines(140000);
    double bytes = 0;
    for (const QByteArray &l : lines)
        bytes += l.size() + 2;
    std::printf(
        "Receive path: fresh AppContext + recording link, debug output off, CPU time of the thread\n");
    std::printf("  realistic mix, 7 lines per cycle: SWS 36 (one output moved each time), OutPutST 36\n"
                "  (one output toggled), OutPE, OutSW, board JSON, EDIDData 256 bytes, model reply;\n"
                "  %zu lines, %.0f bytes per line on average\n",
                lines.size(), bytes / double(lines.size()));

    feed(Lines(lines.begin(), lines.begin() + 7000), 25); // warm-up
    const Run chunked = feed(lines, 25);                  // about 4 KiB per chunk, as links deliver
    const Run perLine = feed(lines, 1);
    const bool mixOk = chunked.linesPerSecond() >= 50000 && perLine.linesPerSecond() >= 50000;
    std::printf("  ~4 KiB chunks : %10.0f lines/s (%5.0f ns/line)\n", chunked.linesPerSecond(),
                chunked.nsPerLine());
    std::printf("  line per chunk: %10.0f lines/s (%5.0f ns/line)\n", perLine.linesPerSecond(),
                perLine.nsPerLine());
    std::printf("  target >= 50000 lines/s: %s\n", mixOk ? "met" : "NOT MET");

    std::printf("  per kind, ns/line:");
    for (size_t i = 0; i < 7; ++i) {
        Lines same;
        for (size_t j = i; j < lines.size() && same.size() < 20000; j += 7)
            same.push_back(lines[j]);
        std::printf(" %s %.0f;", keyword(lines[i]).constData(), feed(same, 25).nsPerLine());
    }
    std::printf("\n");
    {
        // Worst case for the routing report: a new random routing every time.
        QRandomGenerator rng(9);
        Lines fresh;
        for (int i = 0; i < 20000; ++i)
            fresh.push_back("SWS" + numbers(36, 36, rng));
        std::printf("  (SWS 36 with a new random routing every time: %.0f ns/line)\n",
                    feed(fresh, 25).nsPerLine());
    }
    qInstallMessageHandler(discard);
    QLoggingCategory::setFilterRules(QStringLiteral("tessaro.*.debug=true"));
    const Run logged = feed(Lines(lines.begin(), lines.begin() + 70000), 25);
    QLoggingCategory::setFilterRules(QStringLiteral("tessaro.*.debug=false"));
    qInstallMessageHandler(nullptr);
    std::printf("  (debug messages on, formatted and discarded: %.0f lines/s)\n\n", logged.linesPerSecond());
    const bool consoleOk = !console || consoleFigures(lines);

    const size_t n = 100000;
    const Lines small = shortLines(n);
    double smallBytes = 0;
    for (const QByteArray &l : small)
        smallBytes += l.size() + 2;
    const Run oneChunk = feed(small, n);
    const Run manyChunks = feed(small, 1);
    const double ratio = oneChunk.nsPerLine() / manyChunks.nsPerLine();
    std::printf("Chunking: %zu lines, %.2f MiB\n", n, smallBytes / 1048576.0);
    std::printf("  one chunk     : %5.0f ns/line\n", oneChunk.nsPerLine());
    std::printf("  line per chunk: %5.0f ns/line\n", manyChunks.nsPerLine());
    std::printf("  ratio %.2f, target <= 1.5: %s\n\n", ratio, ratio <= 1.5 ? "met" : "NOT MET");

    const long long calls = 5000000;
    const double ping = nsPerCall([](long long) { return CommandAdapter::genPing(); }, calls);
    const double beep = nsPerCall([](long long) { return CommandAdapter::genBeepONOnce(); }, calls);
    const double banner =
        nsPerCall([](long long i) { return CommandAdapter::genDisplayBanner(int(i), true); }, calls);
    const double setPe =
        nsPerCall([](long long i) { return CommandAdapter::genSetOutPE(int(i & 31), 2); }, calls / 10);
    const double sw = nsPerCall(
        [](long long i) {
            return CommandAdapter::genSW(int(i & 15), {1, 2, 3, 4});
        },
        calls / 10);
    const bool fixedOk = ping < 250 && beep < 250 && banner < 250;
    std::printf("Command builders, ns per call\n");
    std::printf("  genPing %.1f, genBeepONOnce %.1f, genDisplayBanner %.1f\n", ping, beep, banner);
    std::printf("  fixed commands, target well under 1000 ns: %s\n", fixedOk ? "met" : "NOT MET");
    std::printf("  (with arguments, for reference: genSetOutPE %.0f, genSW with 4 outputs %.0f)\n", setPe,
                sw);

    return mixOk && ratio <= 1.5 && fixedOk && consoleOk ? 0 : 1;
}
