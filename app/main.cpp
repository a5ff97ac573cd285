#include "AppContext.h"
#include "ConfigPanel.h"
#include "Headless.h"
#include "LogFilter.h"
#include "MqttBridge.h"
#include "QmlTypes.h"
#include "RouterServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QUrl>

namespace {

// Address of the update manifest, handed to the updater; the panel never fetches it.
const QString DEFS_URL = QStringLiteral("http://" TESSARO_UPDATE_HOST "/tessaro/updates.json");

// The updater is only ever taken from the panel's own directory, never from the working
// directory or PATH, so a file dropped elsewhere is never run.
void startUpdater(const QString &version, const QString &pid)
{
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("update.exe");
#else
    const QString name = QStringLiteral("update");
#endif
    const QString program = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(name);
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable())
        return;
    QProcess::startDetached(program, {version, pid, DEFS_URL});
}

// With OpenGL (when the environment chooses it) the scene graph packs small images into
// a shared texture sized to the window: 1024 x 1024 here, 4 MiB that a GPU-less driver
// keeps in main memory. The panel's images are a handful of control indicators, so a
// quarter of that holds them all, and any larger image gets a texture of its own. A size
// set in the environment is left as it is.
void limitTextureAtlas()
{
    for (const char *name : {"QSG_ATLAS_WIDTH", "QSG_ATLAS_HEIGHT"}) {
        if (!qEnvironmentVariableIsSet(name))
            qputenv(name, "512");
    }
}

// The panel draws with Qt Quick's software renderer unless the environment picks a
// scene graph backend itself (QT_QUICK_BACKEND or QMLSCENE_DEVICE, even set empty, which
// leaves Qt's own choice, OpenGL). The panel is flat rectangles, text and a few small
// images with no shader effects, so the software renderer's partial repaints cost little,
// while OpenGL brings the whole graphics driver into the process: measured on a machine
// without a GPU (Mesa's llvmpipe), peak memory 132 -> 53 MiB and launch to visible
// 360 -> 255 ms, and no dropped frames while the traffic console scrolls under load.
// It is also the renderer every screen test runs on, and it needs no working GL driver.
void preferSoftwareRenderer()
{
    if (qEnvironmentVariableIsSet("QT_QUICK_BACKEND") || qEnvironmentVariableIsSet("QMLSCENE_DEVICE"))
        return;
    QQuickWindow::setSceneGraphBackend(QSGRendererInterface::Software);
}

} // namespace

int main(int argc, char *argv[])
{
    if (wantsHeadless(argc, argv))
        return runHeadless(argc, argv);
    limitTextureAtlas();
    preferSoftwareRenderer();
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QGuiApplication app(argc, argv);
    LogFilter::apply(QCoreApplication::arguments());
    // A Linux executable carries no version record, so the build provides it.
    if (QCoreApplication::applicationVersion().isEmpty())
        QCoreApplication::setApplicationVersion(QStringLiteral(TESSARO_VERSION));
    QCoreApplication::setOrganizationName(QStringLiteral("Tessaro"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("tessaro.local"));
    AppContext::Instance()->chooseSettingsFile(); // the working directory's, else the user's

    const QString version = QCoreApplication::applicationVersion();
    const QString pid = QString::number(QCoreApplication::applicationPid());
    startUpdater(version, pid);

    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/key.ico")));

    // The router-protocol server of the "Remote control" window, started as the operator
    // left it once the settings are read. Made before the engine, so it outlives it.
    RouterServer remote(AppContext::Instance());
    QObject::connect(&remote, &RouterServer::logLine, [](const QString &line) { qInfo().noquote() << line; });
    QObject::connect(AppContext::Instance(), &AppContext::initedChanged, &remote, &RouterServer::loadStored);
    // The MQTT bridge of the same window, likewise.
    MqttBridge mqtt(AppContext::Instance());
    QObject::connect(&mqtt, &MqttBridge::logLine, [](const QString &line) { qInfo().noquote() << line; });
    QObject::connect(AppContext::Instance(), &AppContext::initedChanged, &mqtt, &MqttBridge::loadStored);

    // Back-up and restore of the Setting screen.
    ConfigPanel configTool(AppContext::Instance());

    QQmlApplicationEngine engine;
    registerTessaroQmlTypes();
    engine.rootContext()->setContextProperty(QStringLiteral("appContext"), AppContext::Instance());
    AppContext::Instance()->setEngine(&engine);
    engine.rootContext()->setContextProperty(QStringLiteral("remoteControl"), &remote);
    engine.rootContext()->setContextProperty(QStringLiteral("mqttBridge"), &mqtt);
    engine.rootContext()->setContextProperty(QStringLiteral("configTool"), &configTool);

    QUrl url(QStringLiteral("qrc:/main.qml"));
#ifdef TESSARO_TEST_MAIN_QML
    // Only in the copy of the program that the test suite builds: the start-up test
    // replaces the main window. The installed program never loads QML from outside.
    const QByteArray override = qgetenv("TESSARO_MAIN_QML");
    if (!override.isEmpty())
        url = QUrl(QString::fromLocal8Bit(override));
#endif

    QObject::connect(
        &engine, &QQmlApplicationEngine::objectCreated, &app,
        [url](QObject *obj, const QUrl &objUrl) {
            if (!obj && url == objUrl)
                QCoreApplication::exit(-1);
        },
        Qt::QueuedConnection);
    engine.load(url);

    return app.exec();
}
