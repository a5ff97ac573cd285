// Getting ready, finding serial ports, opening and closing the device link, the first
// queries after a link comes up, and the receive path.
#include "AppContext.h"

#include "CommandAdapter.h"
#include "ContextLog.h"
#include "DelayMSec.h"
#include "LinkSupervisor.h"
#include "RouteWatch.h"
#include "DeviceAddress.h"
#include "SerialPortList.h"
#include "SerialportIO.h"
#include "SettingsStore.h"
#include "TcpClientIO.h"

#include <QTimer>

namespace {
constexpr int kQueryPauseMs = 100;
} // namespace

void AppContext::init()
{
    loadSetting();
    if (_store->unreadable()) {
        qCDebug(lcContext) << "settings:" << _store->path()
                           << "exists but cannot be read; running with defaults"
                           << "and leaving the file as it is";
        setConnectProblem(ConnectProblem::SettingsUnreadable);
    }
    const QJsonObject saved = _setting;
    if (saved.contains(QStringLiteral("languageCN"))) {
        const QJsonValue v = saved.value(QStringLiteral("languageCN"));
        changeLangeuageZhCN(v.isBool() && v.toBool());
    }
    if (saved.contains(QStringLiteral("connectType")))
        setConnectType(saved.value(QStringLiteral("connectType")).toInt(0));
    if (saved.contains(QStringLiteral("currentSerialport")))
        setCurrentSerialport(saved.value(QStringLiteral("currentSerialport")).toString());
    if (saved.contains(QStringLiteral("currentSerialportBaudrate")))
        setCurrentSerialportBaudrate(saved.value(QStringLiteral("currentSerialportBaudrate")).toInt(0));
    if (saved.contains(QStringLiteral("currentIP")))
        setCurrentIP(saved.value(QStringLiteral("currentIP")).toString());
    applySupervisionSettings(saved);

    if (!rx_timer) {
        rx_timer = new QTimer(this);
        connect(rx_timer, &QTimer::timeout, this, &AppContext::onRead_timerout);
    }
    _inited = true;
    emit initedChanged();
}

void AppContext::scanSerialPorts()
{
    _serialports = QJsonArray();
    const QStringList names = SerialPortList::available();
    for (const QString &name : names)
        _serialports.append(name);
    qCDebug(lcContext) << "scan serial ports:" << names;
    emit serialPortsChanged();
}

void AppContext::dropLink()
{
    if (!_clientio)
        return;
    ClientIO *old = _clientio;
    old->close(); // an open link reports its disconnection here
    old->disconnect(this);
    old->deleteLater();
    _clientio = nullptr;
}

void AppContext::attachLink(ClientIO *link)
{
    dropLink();
    link->setParent(this);
    _clientio = link;
    connect(link, &ClientIO::onConnected, this, &AppContext::onConnected);
    connect(link, &ClientIO::onDisconnected, this, &AppContext::onDisconnected);
    connect(link, &ClientIO::onReadReady, this, &AppContext::onReadReady);
    link->open();
}

void AppContext::connectTerminal()
{
    _supervisor->operatorAction();
    openLink();
}

void AppContext::openLink()
{
    // The link being replaced reports its disconnection first, which clears the pending
    // state: only then does the new attempt begin.
    _askedClose = true;
    dropLink();
    _askedClose = false;
    _connectTarget = _conntype == 0 ? QString() : linkAddress();
    setConnectProblem(QString());
    setIsConnectPending(true);
    qCDebug(lcContext) << "AppContext::connectTerminal";

    ClientIO *link = nullptr;
    if (_conntype == 0) {
        qCDebug(lcContext) << "connect" << _currentSerialport << _currentSerialportBaudrate;
        // A listed name, or the path of a port that enumeration leaves out (a
        // pseudo-terminal, or a path given on the command line).
        if (!SerialPortList::exists(_currentSerialport)) {
            qCDebug(lcContext) << "connect without serialport";
            setConnectProblem(ConnectProblem::forFailure(ClientIO::Failure::PortNotFound));
            setIsConnectPending(false);
            return;
        }
        if (_currentSerialportBaudrate <= 0) {
            qCDebug(lcContext) << "connect without baud rate";
            setConnectProblem(ConnectProblem::NoBaudRate);
            setIsConnectPending(false);
            return;
        }
        link = new SerialportIO(_currentSerialport, _currentSerialportBaudrate, this);
    } else {
        // "192.168.1.50" goes to port 8080, "192.168.1.50:9000" to port 9000.
        const DeviceAddress address = DeviceAddress::parse(_currentIP);
        qCDebug(lcContext) << "connect" << _currentIP << address.port;
        if (_currentIP.trimmed().isEmpty() || !address.valid) {
            qCDebug(lcContext) << (_currentIP.trimmed().isEmpty() ? "connect without ip"
                                                                  : "connect: not a valid address");
            setConnectProblem(ConnectProblem::forFailure(ClientIO::Failure::BadAddress));
            setIsConnectPending(false);
            return;
        }
        auto *tcp = new TcpClientIO(address.host, address.port, this);
        tcp->setConnectCheckMs(_timings.connectCheckMs);
        link = tcp;
    }

    attachLink(link);
}

QString AppContext::linkAddress() const
{
    return DeviceAddress::display(_currentIP);
}

void AppContext::disconnectTerminal()
{
    // With the link already down (a device that dropped the connection, for example
    // while it reboots after a factory reset) there is nothing to wait for: a pending
    // state here would never be cleared.
    _supervisor->operatorAction();
    if (!_clientio || !_isConnected)
        return;
    setIsConnectPending(true);
    _askedClose = true;
    _clientio->close();
}

void AppContext::cancelConnect()
{
    _supervisor->operatorAction();
    if (!_clientio || _isConnected)
        return;
    qCDebug(lcContext) << "connection attempt cancelled";
    _askedClose = true;
    dropLink();
    _askedClose = false;
    setIsConnectPending(false);
}

QString AppContext::linkDescription() const
{
    if (_conntype == 0)
        return _currentSerialport;
    return linkAddress();
}

void AppContext::loseLink(const QString &problem)
{
    if (!_clientio || !_isConnected)
        return;
    _lossProblem = problem;
    _clientio->close();
}

void AppContext::onConnected()
{
    setIsConnected(true);
    setIsConnectPending(false);
    setConnectProblem(QString());
    _keepAlivePings = 0;
    _ownRoutingQueries = 0;
    _routes->linkUp();
    _supervisor->linkUp();
    // Bound to the link that came up: a link replaced within the second takes its
    // first queries with it.
    QTimer::singleShot(_timings.firstQueriesDelayMs, sender() ? sender() : this,
                       [this] { afterConnected(); });
}

void AppContext::afterConnected()
{
    _inFirstQueries = true;
    sendCmd_Ping();
    _supervisor->firstPingSent();
    sendCmd_GetSW();
    Delay_MSec(kQueryPauseMs);
    sendCmd_GetOutput();
    Delay_MSec(kQueryPauseMs);
    sendCmd_GetBeepEn();
    _inFirstQueries = false;
}

void AppContext::onDisconnected()
{
    bool asked = _askedClose;
    _askedClose = false;
    if (auto *link = qobject_cast<ClientIO *>(sender()))
        setConnectProblem(ConnectProblem::forFailure(link->failure()));
    if (!_lossProblem.isEmpty()) {
        setConnectProblem(_lossProblem);
        _lossProblem.clear();
        asked = false;
    }
    setIsConnected(false);
    setIsConnectPending(false);
    setMode(QString());
    setInChannels(0);
    setOutChannels(0);
    _routes->linkDown();
    _supervisor->linkDown(asked);
}

void AppContext::onReadReady()
{
    if (!_clientio)
        return;
    const QByteArray chunk = _clientio->read();
    // Only a chunk that completes a line needs a parse: an unfinished line is not
    // scanned again for every further piece of it.
    bool completesLine = chunk.contains("\r\n") || (_data.endsWith('\r') && chunk.startsWith('\n'));
    _data.append(chunk);
    if (rx_timer)
        rx_timer->start(_timings.receiveIdleMs);
    // A reply handler that waits (and so runs the event loop) can bring more bytes in
    // while a chunk is being parsed; the running pass picks them up.
    if (_analyzing)
        return;
    if (_discardingLine) {
        if (!skipDiscardedLine())
            return;
        completesLine = _data.contains("\r\n");
    }
    if (!completesLine) {
        dropOversizedLine();
        return;
    }
    _analyzing = true;
    _cmdadapter->AnalyzeData(_data);
    _analyzing = false;
    dropOversizedLine();
}

void AppContext::dropOversizedLine()
{
    // A device that never ends its line must not make the buffer grow without bound.
    if (_data.size() > kMaxReceiveBuffer) {
        qCDebug(lcContext) << "receive buffer over" << kMaxReceiveBuffer
                           << "bytes without a line end; discarded";
        _traffic->log()->addDiscarded(_data);
        _data.clear();
        _discardingLine = true;
    }
}

bool AppContext::skipDiscardedLine()
{
    const int end = _data.indexOf("\r\n");
    if (end < 0) {
        // Keep a final CR: its LF may open the next chunk.
        _data = _data.endsWith('\r') ? QByteArray("\r") : QByteArray();
        return false;
    }
    _data.remove(0, end + 2);
    _discardingLine = false;
    return true;
}

void AppContext::setConnectProblem(const QString &problem)
{
    if (_connectProblem == problem)
        return;
    _connectProblem = problem;
    emit connectProblemChanged();
}

void AppContext::onRead_timerout()
{
    if (_analyzing) // never pull the buffer from under a running parse
        return;
    qCDebug(lcContext) << "Recived timerout:" << _data;
    if (rx_timer)
        rx_timer->stop();
    _traffic->log()->addDiscarded(_data);
    _data.clear();
    _discardingLine = false; // bytes after the silence start a new line
}
