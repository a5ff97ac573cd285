// Qt Quick Test entry: every engine sees the one application context, the in-process
// simulator ("sim") and the test helper ("helper"). ctest runs each tst_*.qml file in a
// process of its own, so every file starts with a fresh context, simulator and settings
// file.
//
// A QML warning (a TypeError, a binding loop, "Unable to assign" ...) fails the test
// function that was running when it was reported; the files' TessaroTestCase starts its
// functions after creation, so the engine reports binding errors at once. A warning
// outside any test function (while a file's objects are created) fails the file's run,
// with its file and line.
#include "AppContext.h"
#include "ConfigPanel.h"
#include "ConnectionStatus.h"
#include "MqttBridge.h"
#include "QmlTypes.h"
#include "RouterServer.h"
#include "SimServer.h"
#include "UiTestHelper.h"

#include <QDir>
#include <QGuiApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlError>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtQuickTest>

#include <cstdio>

namespace {
QStringList g_strayWarnings; // reported while no test function ran
}

class Setup : public QObject
{
    Q_OBJECT
public slots:
    void applicationAvailable()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Tessaro"));
        QCoreApplication::setApplicationVersion(QStringLiteral("1.2.3.3"));
        QDir::setCurrent(_dir.path()); // "setting.data" goes here
        registerTessaroQmlTypes();
        _sim = new SimServer(QStringLiteral("DV-42"), this);
        // A random loopback address keeps parallel runs apart; the panel always uses 8080.
        for (int attempt = 0; attempt < 20; ++attempt) {
            const quint32 host = 0x7f000000u | (QRandomGenerator::global()->bounded(1u, 250u) << 16) |
                                 (QRandomGenerator::global()->bounded(1u, 250u) << 8) |
                                 QRandomGenerator::global()->bounded(2u, 250u);
            if (_sim->listenTcp(QHostAddress(host), 8080)) {
                _address = QHostAddress(host).toString();
                break;
            }
        }
        _helper = new UiTestHelper(_sim, _address, this);
        _remote = new RouterServer(AppContext::Instance(), this);
        _config = new ConfigPanel(AppContext::Instance(), this);
        _config->engine()->setTimeoutMs(2000);
        // Screens are tested link by link: a dropped link stays down unless a test
        // turns reconnecting on.
        ConnectionTimings timings;
        timings.reconnect = false;
        AppContext::Instance()->setConnectionTimings(timings);
        _mqtt = new MqttBridge(AppContext::Instance(), this);
    }

    void qmlEngineAvailable(QQmlEngine *engine)
    {
        AppContext *ctx = AppContext::Instance();
        engine->rootContext()->setContextProperty(QStringLiteral("appContext"), ctx);
        engine->rootContext()->setContextProperty(QStringLiteral("sim"), _sim);
        engine->rootContext()->setContextProperty(QStringLiteral("helper"), _helper);
        engine->rootContext()->setContextProperty(QStringLiteral("remoteControl"), _remote);
        engine->rootContext()->setContextProperty(QStringLiteral("mqttBridge"), _mqtt);
        engine->rootContext()->setContextProperty(QStringLiteral("configTool"), _config);
        ctx->setEngine(engine);
        connect(engine, &QQmlEngine::warnings, this, &Setup::onQmlWarnings);
    }

private slots:
    void onQmlWarnings(const QList<QQmlError> &warnings)
    {
        for (const QQmlError &w : warnings) {
            const QString text = QStringLiteral("QML warning: ") + w.toString();
            if (QTest::currentTestFunction())
                QTest::qFail(qPrintable(text), qPrintable(w.url().toString()), w.line());
            else
                g_strayWarnings << text;
        }
    }

private:
    QTemporaryDir _dir;
    SimServer *_sim = nullptr;
    UiTestHelper *_helper = nullptr;
    RouterServer *_remote = nullptr;
    MqttBridge *_mqtt = nullptr;
    ConfigPanel *_config = nullptr;
    QString _address;
};

int main(int argc, char **argv)
{
    QTEST_SET_MAIN_SOURCE_PATH
    Setup setup;
    int status = quick_test_main_with_setup(argc, argv, "tst_ui", QUICK_TEST_SOURCE_DIR, &setup);
    for (const QString &w : qAsConst(g_strayWarnings))
        std::fprintf(stdout, "FAIL!  : tst_ui %s\n", qPrintable(w));
    if (!g_strayWarnings.isEmpty() && status == 0)
        status = 1;
    return status;
}

#include "tst_ui.moc"
