#include "RouterServer.h"

#include "AppContext.h"
#include "OutputLocks.h"
#include "RemoteClientModel.h"

#include <QCryptographicHash>
#include <QHostInfo>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>

using Videohub::Block;

namespace {
const QString kSettingsKey = QStringLiteral("remoteControl");
const char *const kPreamble = "PROTOCOL PREAMBLE";
} // namespace

RouterServer::RouterServer(AppContext *context, QObject *parent)
    : QObject(parent), _ctx(context), _clients(new RemoteClientModel(this)),
      _friendlyName(QHostInfo::localHostName())
{
    qRegisterMetaType<RemoteClientModel *>();
    connect(_ctx, &AppContext::modeChanged, this, &RouterServer::updatePresence);
    connect(_ctx, &AppContext::isConnectedChanged, this, &RouterServer::updatePresence);
    connect(_ctx, &AppContext::swsChanged, this, &RouterServer::onRoutingReport);
    connect(_ctx, &AppContext::settingChanged, this, &RouterServer::onNamesChanged);
    connect(_ctx->locks(), &OutputLocks::changed, this, &RouterServer::onLocksChanged);
    updatePresence();
}

RouterServer::~RouterServer()
{
    for (const ClientPtr &c : qAsConst(_connected))
        if (c->socket)
            c->socket->disconnect(this);
}

bool RouterServer::listening() const
{
    return _server && _server->isListening();
}

quint16 RouterServer::serverPort() const
{
    return listening() ? _server->serverPort() : 0;
}

QString RouterServer::uniqueId() const
{
    // Twelve hex digits like a router's own, the same for the same link and model.
    const QByteArray seed = (_ctx->linkTarget() + QLatin1Char('|') + _device.model).toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(seed, QCryptographicHash::Sha1).toHex().left(12))
        .toUpper();
}

void RouterServer::setError(const QString &key, const QString &detail)
{
    if (key == _error && detail == _errorDetail)
        return;
    _error = key;
    _errorDetail = detail;
    emit errorChanged();
}

bool RouterServer::listen(const QString &address, quint16 port)
{
    const bool wasListening = listening();
    if (_server) {
        _server->close();
        _server->deleteLater();
        _server = nullptr;
    }
    QHostAddress host;
    const QString text = address.trimmed();
    if (text.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        host = QHostAddress(QHostAddress::LocalHost);
    else if (!host.setAddress(text)) {
        setError(QStringLiteral("badAddress"), QStringLiteral("\"%1\" is not an IP address").arg(text));
        emit logLine(QStringLiteral("router protocol: cannot listen: %1").arg(_errorDetail));
        if (wasListening)
            emit listeningChanged();
        return false;
    }
    _server = new QTcpServer(this);
    _server->setMaxPendingConnections(kMaxClients + 4);
    connect(_server, &QTcpServer::newConnection, this, &RouterServer::onNewConnection);
    if (!_server->listen(host, port)) {
        const auto err = _server->serverError();
        const QString where = QStringLiteral("%1:%2").arg(host.toString()).arg(port);
        if (err == QAbstractSocket::AddressInUseError)
            setError(QStringLiteral("addressInUse"),
                     QStringLiteral("%1 is in use by another program").arg(where));
        else if (err == QAbstractSocket::SocketAddressNotAvailableError)
            setError(QStringLiteral("addressNotAvailable"),
                     QStringLiteral("%1 is not an address of this machine").arg(where));
        else
            setError(QStringLiteral("other"), QStringLiteral("%1: %2").arg(where, _server->errorString()));
        emit logLine(QStringLiteral("router protocol: cannot listen on %1").arg(_errorDetail));
        _server->deleteLater();
        _server = nullptr;
        if (wasListening)
            emit listeningChanged();
        return false;
    }
    setError(QString(), QString());
    emit logLine(QStringLiteral("router protocol: listening on %1:%2")
                     .arg(_server->serverAddress().toString())
                     .arg(_server->serverPort()));
    emit listeningChanged();
    return true;
}

void RouterServer::close()
{
    const bool wasListening = listening();
    if (_server) {
        _server->close();
        _server->deleteLater();
        _server = nullptr;
        emit logLine(QStringLiteral("router protocol: stopped listening"));
    }
    const QList<ClientPtr> clients = _connected;
    for (const ClientPtr &c : clients)
        dropClient(c, QStringLiteral("the server was stopped"));
    if (wasListening)
        emit listeningChanged();
}

void RouterServer::setFriendlyName(const QString &name)
{
    QString clean;
    for (const QChar c : name)
        if (c.isPrint())
            clean.append(c);
    clean = clean.trimmed().left(64);
    if (clean.isEmpty())
        clean = QHostInfo::localHostName();
    if (clean == _friendlyName)
        return;
    _friendlyName = clean;
    emit settingsChanged();
    broadcast(deviceBlock());
}

void RouterServer::loadStored()
{
    const QJsonObject stored = _ctx->setting().value(kSettingsKey).toObject();
    _enabled = stored.value(QStringLiteral("enabled")).toBool(false);
    _address = stored.value(QStringLiteral("address")).toString(QStringLiteral("127.0.0.1"));
    const int port = stored.value(QStringLiteral("port")).toInt(kDefaultPort);
    _port = (port >= 1 && port <= 65535) ? port : kDefaultPort;
    const QString name = stored.value(QStringLiteral("friendlyName")).toString();
    emit settingsChanged();
    if (!name.isEmpty())
        setFriendlyName(name);
    if (_enabled)
        listen(_address, quint16(_port));
}

bool RouterServer::apply(bool enabled, const QString &address, int port, const QString &friendlyName)
{
    if (port < 1 || port > 65535) {
        setError(QStringLiteral("badPort"), QStringLiteral("port %1 is not between 1 and 65535").arg(port));
        return false;
    }
    _enabled = enabled;
    _address = address.trimmed();
    _port = port;
    const QString before = _friendlyName;
    setFriendlyName(friendlyName);
    _ctx->storeSetting(kSettingsKey, QJsonObject{{QStringLiteral("enabled"), _enabled},
                                                 {QStringLiteral("address"), _address},
                                                 {QStringLiteral("port"), _port},
                                                 {QStringLiteral("friendlyName"), _friendlyName}});
    emit settingsChanged();
    if (!enabled) {
        close();
        setError(QString(), QString());
        return true;
    }
    if (listening() && _server->serverPort() == port && _server->serverAddress().toString() == _address)
        return true;
    return listen(_address, quint16(port));
}

// ---- connections ----

void RouterServer::onNewConnection()
{
    while (_server && _server->hasPendingConnections()) {
        QTcpSocket *socket = _server->nextPendingConnection();
        const QString address =
            QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
        if (_connected.size() >= kMaxClients) {
            emit logLine(QStringLiteral("router client %1 refused: %2 clients are connected already")
                             .arg(address)
                             .arg(kMaxClients));
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto client = std::make_shared<Client>();
        client->id = _nextId++;
        client->socket = socket;
        client->address = address;
        _connected.append(client);
        _clients->add(client->id, address);
        emit logLine(QStringLiteral("router client %1 connected").arg(address));
        std::weak_ptr<Client> weak = client;
        connect(socket, &QTcpSocket::readyRead, this, [this, weak] {
            if (ClientPtr c = weak.lock())
                onReadyRead(c);
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, weak] {
            if (ClientPtr c = weak.lock())
                dropClient(c, QStringLiteral("it closed the connection"));
        });
        sendDeviceState(client, true);
        send(client, Videohub::block(QStringLiteral("END PRELUDE")));
    }
}

void RouterServer::onReadyRead(const ClientPtr &client)
{
    if (!client->socket)
        return;
    const QByteArray bytes = client->socket->readAll();
    const QList<Block> blocks = client->reader.feed(bytes);
    for (const Block &b : blocks) {
        if (!_connected.contains(client))
            return; // dropped while answering
        handle(client, b);
    }
}

void RouterServer::dropClient(const ClientPtr &client, const QString &why)
{
    if (!_connected.removeOne(client))
        return;
    _clients->remove(client->id);
    emit logLine(QStringLiteral("router client %1 left: %2").arg(client->address, why));
    if (QTcpSocket *s = client->socket) {
        s->disconnect(this);
        s->abort();
        s->deleteLater();
    }
}

void RouterServer::send(const ClientPtr &client, const QByteArray &bytes)
{
    QTcpSocket *s = client->socket;
    if (!s || bytes.isEmpty())
        return;
    s->write(bytes);
    if (s->bytesToWrite() > _maxPending)
        dropClient(client, QStringLiteral("it stopped reading (%1 bytes waiting)").arg(s->bytesToWrite()));
}

void RouterServer::broadcast(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    const QList<ClientPtr> clients = _connected;
    for (const ClientPtr &c : clients)
        send(c, bytes);
}

// ---- state sent to the clients ----

void RouterServer::updatePresence()
{
    const DevicePresence now = DevicePresence::of(*_ctx);
    if (now == _device)
        return;
    _device = now;
    // A routing report from before this device answered is not this device's routing.
    _routing = QVector<int>(now.outputs, 0);
    _inLabels = currentLabels(true);
    _outLabels = currentLabels(false);
    emit logLine(now.present ? QStringLiteral("device %1 present: %2 inputs, %3 outputs")
                                   .arg(now.model)
                                   .arg(now.inputs)
                                   .arg(now.outputs)
                             : QStringLiteral("device absent"));
    emit deviceChanged();
    const QList<ClientPtr> clients = _connected;
    for (const ClientPtr &c : clients)
        sendDeviceState(c, false);
}

void RouterServer::onRoutingReport()
{
    updatePresence();
    if (!_device.present)
        return;
    const QVector<int> now = _ctx->confirmedRouting();
    QList<int> changed;
    for (int o = 0; o < _routing.size() && o < now.size(); ++o) {
        if (now.at(o) != 0 && now.at(o) != _routing.at(o)) {
            _routing[o] = now.at(o);
            changed.append(o + 1);
        }
    }
    broadcast(routingBlock(changed));
}

void RouterServer::onNamesChanged()
{
    updatePresence();
    for (bool inputs : {true, false}) {
        QStringList &sent = inputs ? _inLabels : _outLabels;
        const QStringList now = currentLabels(inputs);
        QStringList lines;
        for (int i = 0; i < now.size(); ++i) {
            if (i >= sent.size() || sent.at(i) != now.at(i))
                lines.append(QStringLiteral("%1 %2").arg(i).arg(now.at(i)));
        }
        sent = now;
        if (!lines.isEmpty())
            broadcast(Videohub::block(
                inputs ? QStringLiteral("INPUT LABELS") : QStringLiteral("OUTPUT LABELS"), lines));
    }
}

void RouterServer::onLocksChanged(const QList<int> &outputs)
{
    QList<int> shown;
    for (int o : outputs)
        if (o >= 1 && o <= _device.outputs)
            shown.append(o);
    if (shown.isEmpty())
        return;
    const QList<ClientPtr> clients = _connected;
    for (const ClientPtr &c : clients)
        send(c, locksBlock(c, shown));
}

void RouterServer::sendDeviceState(const ClientPtr &client, bool withPreamble)
{
    QByteArray bytes;
    if (withPreamble)
        bytes += Videohub::block(QLatin1String(kPreamble), {QStringLiteral("Version: 2.8")});
    bytes += deviceBlock();
    bytes += labelsBlock(true);
    bytes += labelsBlock(false);
    bytes += locksBlock(client, allOutputs());
    bytes += routingBlock(QList<int>(), true);
    send(client, bytes);
}

QByteArray RouterServer::deviceBlock() const
{
    const QString model =
        _device.present ? QStringLiteral("Tessaro %1").arg(_device.model) : QStringLiteral("Tessaro");
    return Videohub::block(
        QStringLiteral("VIDEOHUB DEVICE"),
        {QStringLiteral("Device present: %1").arg(_device.present ? "true" : "false"),
         QStringLiteral("Model name: ") + model, QStringLiteral("Friendly name: ") + _friendlyName,
         QStringLiteral("Unique ID: ") + uniqueId(), QStringLiteral("Video inputs: %1").arg(_device.inputs),
         QStringLiteral("Video processing units: 0"),
         QStringLiteral("Video outputs: %1").arg(_device.outputs),
         QStringLiteral("Video monitoring outputs: 0"), QStringLiteral("Serial ports: 0")});
}

QByteArray RouterServer::labelsBlock(bool inputs) const
{
    const QStringList &labels = inputs ? _inLabels : _outLabels;
    QStringList lines;
    for (int i = 0; i < labels.size(); ++i)
        lines.append(QStringLiteral("%1 %2").arg(i).arg(labels.at(i)));
    return Videohub::block(inputs ? QStringLiteral("INPUT LABELS") : QStringLiteral("OUTPUT LABELS"), lines);
}

QByteArray RouterServer::locksBlock(const ClientPtr &client, const QList<int> &outputs) const
{
    const OutputLocks *locks = _ctx->locks();
    const QString me = ownerKey(client);
    QStringList lines;
    for (int o : outputs) {
        const char *state = !locks->isLocked(o) ? "U" : (locks->owner(o) == me ? "O" : "L");
        lines.append(QStringLiteral("%1 %2").arg(o - 1).arg(QLatin1String(state)));
    }
    return Videohub::block(QStringLiteral("VIDEO OUTPUT LOCKS"), lines);
}

QByteArray RouterServer::routingBlock(const QList<int> &outputs, bool everyKnown) const
{
    QStringList lines;
    if (everyKnown) {
        // Outputs the device has not reported yet are left out rather than guessed.
        for (int o = 0; o < _routing.size(); ++o)
            if (_routing.at(o) != 0)
                lines.append(QStringLiteral("%1 %2").arg(o).arg(_routing.at(o) - 1));
    } else {
        if (outputs.isEmpty())
            return {};
        for (int o : outputs)
            lines.append(QStringLiteral("%1 %2").arg(o - 1).arg(_routing.value(o - 1) - 1));
    }
    return Videohub::block(QStringLiteral("VIDEO OUTPUT ROUTING"), lines);
}

QStringList RouterServer::currentLabels(bool inputs) const
{
    QStringList labels;
    const int n = inputs ? _device.inputs : _device.outputs;
    for (int i = 1; i <= n; ++i) {
        QString label = _ctx->channelLabel(inputs, i);
        label.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
        labels.append(label);
    }
    return labels;
}

QString RouterServer::ownerKey(const ClientPtr &client) const
{
    return QStringLiteral("router:%1").arg(client->id);
}

QList<int> RouterServer::allOutputs() const
{
    QList<int> all;
    for (int o = 1; o <= _device.outputs; ++o)
        all.append(o);
    return all;
}
