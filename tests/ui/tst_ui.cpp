// Qt Quick Test entry: every engine sees the one application context, the in-process
// simulator ("sim") and the test helper ("helper").
#include "AppContext.h"
#include "QmlTypes.h"
#include "SimServer.h"
#include "UiTestHelper.h"

#include <QDir>
#include <QGuiApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtQuickTest>

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
    }

    void qmlEngineAvailable(QQmlEngine *engine)
    {
        AppContext *ctx = AppContext::Instance();
        engine->rootContext()->setContextProperty(QStringLiteral("appContext"), ctx);
        engine->rootContext()->setContextProperty(QStringLiteral("sim"), _sim);
        engine->rootContext()->setContextProperty(QStringLiteral("helper"), _helper);
        ctx->setEngine(engine);
    }

private:
    QTemporaryDir _dir;
    SimServer *_sim = nullptr;
    UiTestHelper *_helper = nullptr;
    QString _address;
};

QUICK_TEST_MAIN_WITH_SETUP(tst_ui, Setup)

#include "tst_ui.moc"
