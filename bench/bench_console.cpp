// Frame times of the traffic console while it scrolls and the simulator reports as fast
// as it can (tessaro-sim --auto-route 1 --ms-per-second 1, a routing report every
// millisecond). Runs offscreen with the software renderer unless QT_QPA_PLATFORM /
// QT_QUICK_BACKEND say otherwise; with the software renderer every frame is drawn on
// the main thread, the one that also takes the device's lines in. Exits 1 when a frame
// took longer than 16 ms.
#include "AppContext.h"
#include "QmlTypes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHostAddress>
#include <QLoggingCategory>
#include <QProcess>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSeconds = 10;

// Records how long each frame takes, from the update request to the swap.
class FrameClock : public QObject
{
public:
    explicit FrameClock(QQuickWindow *window) : _window(window)
    {
        window->installEventFilter(this);
        connect(window, &QQuickWindow::frameSwapped, this, [this] {
            if (_start >= 0 && _measuring)
                frames.push_back(double(_clock.nsecsElapsed() - _start) / 1e6);
            _start = -1;
        });
        _clock.start();
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == _window && event->type() == QEvent::UpdateRequest)
            _start = _clock.nsecsElapsed();
        return false;
    }
    void setMeasuring(bool on) { _measuring = on; }
    std::vector<double> frames;

private:
    QQuickWindow *_window;
    QElapsedTimer _clock;
    qint64 _start = -1;
    bool _measuring = false;
};

QObject *findNamed(QObject *root, const char *name)
{
    for (QObject *o : root->findChildren<QObject *>())
        if (o->objectName() == QLatin1String(name))
            return o;
    return nullptr;
}

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND")) // set it empty for OpenGL
        qputenv("QT_QUICK_BACKEND", "software");
    QGuiApplication app(argc, argv);
    // The panel logs every line; the figures are for the console, not for the log output.
    QLoggingCategory::setFilterRules(QStringLiteral("tessaro.*.debug=false"));
    registerTessaroQmlTypes();
    QTemporaryDir dir; // the context keeps its settings file in the working directory
    QDir::setCurrent(dir.path());

    // The simulator on a loopback address of its own.
    const quint32 host = 0x7f000000u | (QRandomGenerator::global()->bounded(1u, 250u) << 16) |
                         (QRandomGenerator::global()->bounded(1u, 250u) << 8) |
                         QRandomGenerator::global()->bounded(2u, 250u);
    const QString address = QHostAddress(host).toString();
    QProcess sim;
    sim.start(QStringLiteral(TESSARO_SIM_BIN),
              {QStringLiteral("--listen"), address + QStringLiteral(":8080"), QStringLiteral("--quiet"),
               QStringLiteral("--auto-route"), QStringLiteral("1"), QStringLiteral("--ms-per-second"),
               QStringLiteral("1")});
    if (!sim.waitForStarted(10000)) {
        std::fprintf(stderr, "cannot start %s\n", TESSARO_SIM_BIN);
        return 1;
    }

    AppContext ctx;
    ctx.init();
    ctx.setConnectType(1);
    ctx.setCurrentIP(address);
    QElapsedTimer wait;
    wait.start();
    while (!ctx.isConnected() && wait.elapsed() < 20000) {
        if (!ctx.isConnectPending())
            ctx.connectTerminal(); // until the simulator listens
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    }
    if (!ctx.isConnected()) {
        std::fprintf(stderr, "no connection to the simulator at %s\n", qPrintable(address));
        return 1;
    }

    QQmlEngine engine;
    engine.rootContext()->setContextProperty(QStringLiteral("appContext"), &ctx);
    QQmlComponent component(&engine, QUrl(QStringLiteral("qrc:/ConsoleWindow.qml")));
    std::unique_ptr<QObject> root(component.create());
    auto *window = qobject_cast<QQuickWindow *>(root.get());
    if (!window) {
        std::fprintf(stderr, "cannot load the console: %s\n", qPrintable(component.errorString()));
        return 1;
    }
    QMetaObject::invokeMethod(window, "open");
    QObject *list = findNamed(window, "consoleList");
    FrameClock frames(window);

    // Let the log fill up to its 10,000 lines first.
    TrafficLog *log = ctx.traffic()->log();
    wait.restart();
    while (log->count() < log->capacity() && wait.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);

    // Scrolling: a flick up or down every 400 ms, and back to the newest line every
    // third time, so that the list both moves by itself and follows the new lines.
    int step = 0;
    QTimer scroller;
    QObject::connect(&scroller, &QTimer::timeout, [&] {
        ++step;
        if (step % 3 == 0) {
            QMetaObject::invokeMethod(list, "positionViewAtEnd");
            list->setProperty("follow", true);
        } else {
            list->setProperty("follow", false);
            QMetaObject::invokeMethod(list, "flick", Q_ARG(qreal, 0), Q_ARG(qreal, step % 2 ? 4000 : -4000));
        }
    });
    // Event loop latency: how late a 1 ms timer fires.
    QElapsedTimer beat;
    beat.start();
    qint64 last = 0;
    double worstLateMs = 0;
    QTimer heartbeat;
    heartbeat.setTimerType(Qt::PreciseTimer);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        const qint64 now = beat.nsecsElapsed();
        worstLateMs = std::max(worstLateMs, double(now - last) / 1e6 - 1.0);
        last = now;
    });

    // Lines shown during the run (the ring itself stays at its size).
    long long lines = 0;
    QObject::connect(log, &QAbstractItemModel::rowsInserted,
                     [&](const QModelIndex &, int first, int lastRow) { lines += lastRow - first + 1; });

    frames.setMeasuring(true);
    scroller.start(400);
    last = beat.nsecsElapsed();
    heartbeat.start(1);
    QElapsedTimer run;
    run.start();
    while (run.elapsed() < kSeconds * 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    frames.setMeasuring(false);
    heartbeat.stop();
    scroller.stop();

    const std::vector<double> &f = frames.frames;
    const auto over = std::count_if(f.begin(), f.end(), [](double ms) { return ms > 16.0; });
    std::printf("Traffic console scrolling for %d s, simulator reporting every millisecond\n", kSeconds);
    std::printf("  lines shown: %.0f per second; %zu frames\n", double(lines) / kSeconds, f.size());
    std::printf("  frame time (update request to swap): median %.2f ms, 99th percentile %.2f ms, "
                "worst %.2f ms\n",
                percentile(f, 0.5), percentile(f, 0.99),
                f.empty() ? 0.0 : *std::max_element(f.begin(), f.end()));
    std::printf("  frames over 16 ms: %lld of %zu\n", static_cast<long long>(over), f.size());
    std::printf("  event loop: a 1 ms timer fired at most %.1f ms late\n", worstLateMs);
    sim.kill();
    sim.waitForFinished(5000);
    return over == 0 ? 0 : 1;
}
