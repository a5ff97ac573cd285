// A minimal Qt Quick Controls 2 window, built like the panel, that bench/startup.sh
// starts alternately with it.
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QUrl>

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QGuiApplication app(argc, argv);
    QQmlApplicationEngine engine(QUrl(QStringLiteral("qrc:/startup_baseline.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    return app.exec();
}
