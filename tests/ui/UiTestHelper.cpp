#include "UiTestHelper.h"

#include "AppContext.h"
#include "FontCheck.h"
#include "OutputLocks.h"
#include "SerialPortList.h"
#include "SimServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTimer>
#include <QUrl>

UiTestHelper::UiTestHelper(SimServer *sim, QString simAddress, QObject *parent)
    : QObject(parent), _sim(sim), _simAddress(std::move(simAddress))
{
}

void UiTestHelper::connectToSim(const QString &model)
{
    AppContext *ctx = AppContext::Instance();
    _sim->setModel(model);
    _sim->clearReceived();
    ctx->setConnectType(1);
    ctx->setCurrentIP(_simAddress);
    ctx->connectTerminal();
}

void UiTestHelper::setChineseFont(int available) const
{
    FontCheck::setChineseOverride(available);
}

void UiTestHelper::disconnectNow()
{
    AppContext *ctx = AppContext::Instance();
    if (!ctx->isConnected())
        return;
    QSignalSpy spy(ctx, &AppContext::isConnectedChanged);
    ctx->disconnectTerminal();
    for (int i = 0; i < 60 && ctx->isConnected(); ++i)
        spy.wait(100);
}

QString UiTestHelper::readSettingFile() const
{
    QFile f(QStringLiteral("setting.data"));
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

void UiTestHelper::writeSettingFile(const QString &text) const
{
    QFile f(QStringLiteral("setting.data"));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(text.toUtf8());
}

void UiTestHelper::removeSettingFile() const
{
    QFile::remove(QStringLiteral("setting.data"));
}

void UiTestHelper::setSerialPorts(const QStringList &ports) const
{
    SerialPortList::setSource([ports] { return ports; });
}

void UiTestHelper::startWhenShown(QObject *testCase)
{
    QPointer<QObject> target(testCase);
    auto *poll = new QTimer(this);
    poll->setInterval(5);
    connect(poll, &QTimer::timeout, this, [poll, target] {
        if (!target) {
            poll->deleteLater();
        } else if (target->property("windowShown").toBool()) {
            poll->deleteLater();
            target->setProperty("when", true);
        }
    });
    poll->start();
}

QString UiTestHelper::workFileUrl(const QString &name) const
{
    return QUrl::fromLocalFile(QDir::current().absoluteFilePath(name)).toString();
}

bool UiTestHelper::fileExists(const QString &url) const
{
    return QFileInfo::exists(QUrl(url).toLocalFile());
}

qint64 UiTestHelper::fileSize(const QString &url) const
{
    const QFileInfo info(QUrl(url).toLocalFile());
    return info.exists() ? info.size() : -1;
}

double UiTestHelper::now() const
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<double>(clock.elapsed());
}

void UiTestHelper::lockOutput(int output, const QString &holder)
{
    AppContext::Instance()->locks()->lock(output, QStringLiteral("test"), holder);
}

int UiTestHelper::takenPort()
{
    if (!_taken) {
        _taken = new QTcpServer(this);
        _taken->listen(QHostAddress::LocalHost, 0);
    }
    return _taken->serverPort();
}

int UiTestHelper::freePort() const
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

QStringList UiTestHelper::deviceLine(const QString &line)
{
    return _sim->device()->handleLine(line);
}

void UiTestHelper::routeAtDevice(int output, int input, bool quietly)
{
    _sim->device()->routeAtDevice(output, input, !quietly);
}
