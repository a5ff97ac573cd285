#include "MqttBridge.h"

#include "AppContext.h"
#include "MqttCommands.h"
#include "MqttDiscovery.h"
#include "OutputLocks.h"
#include "RouteTable.h"

#include <QCoreApplication>
#include <QHostInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTimer>

namespace {
const QString kAvailability = QStringLiteral("availability");
const QString kState = QStringLiteral("state");
const QByteArray kOnline = QByteArrayLiteral("online");
const QByteArray kOffline = QByteArrayLiteral("offline");

QString joined(const QList<int> &numbers)
{
    QStringList parts;
    for (int n : numbers)
        parts.append(QString::number(n));
    return parts.join(QLatin1Char(' '));
}

QString printable(QString text)
{
    for (QChar &c : text)
        if (!c.isPrint())
            c = QLatin1Char(' ');
    return text;
}
} // namespace

MqttBridge::MqttBridge(AppContext *context, QObject *parent)
    : QObject(parent), _ctx(context), _client(new MqttClient(this)), _publishTimer(new QTimer(this)),
      _forgetTimer(new QTimer(this))
{
    _stored.name = QHostInfo::localHostName();
    // Reports come in bursts (a routing report, then output states, then names): one
    // publication after each burst.
    _publishTimer->setSingleShot(true);
    _publishTimer->setInterval(0);
    connect(_publishTimer, &QTimer::timeout, this, &MqttBridge::publishAll);
    _forgetTimer->setSingleShot(true);
    connect(_forgetTimer, &QTimer::timeout, this, [this] { finishForget(false); });

    connect(_client, &MqttClient::logLine, this, &MqttBridge::logLine);
    connect(_client, &MqttClient::stateChanged, this, &MqttBridge::statusChanged);
    connect(_client, &MqttClient::connected, this, &MqttBridge::onConnected);
    connect(_client, &MqttClient::message, this, &MqttBridge::onMessage);
    connect(_client, &MqttClient::allConfirmed, this, [this] {
        if (_forget == Forget::Clearing)
            finishForget(true);
    });
    connect(_client, &MqttClient::stopped, this, &MqttBridge::stopped);

    connect(_ctx, &AppContext::isConnectedChanged, this, [this] {
        updatePresence();
        schedulePublish(); // the state document carries the link state
    });
    connect(_ctx, &AppContext::modeChanged, this, &MqttBridge::updatePresence);
    connect(_ctx, &AppContext::swsChanged, this, &MqttBridge::onRoutingReport);
    connect(_ctx, &AppContext::outputSTChanged, this, &MqttBridge::onOutputStates);
    connect(_ctx, &AppContext::outChannelsChanged, this, &MqttBridge::onOutputCount);
    connect(_ctx, &AppContext::settingChanged, this, &MqttBridge::schedulePublish);
    updatePresence();
}

MqttBridge::~MqttBridge()
{
    // A clean end says "offline" itself; the client then disconnects, so the broker
    // keeps the last will for a crash.
    if (_running && _forget == Forget::No && _client->isConnected())
        _client->publish(_base + QLatin1Char('/') + kAvailability, kOffline, true);
}

QString MqttBridge::status() const
{
    if (_forget != Forget::No)
        return QStringLiteral("removing");
    if (!_running)
        return QStringLiteral("off");
    switch (_client->state()) {
    case MqttClient::State::Connected:
        return QStringLiteral("connected");
    case MqttClient::State::Waiting:
        return QStringLiteral("waiting");
    case MqttClient::State::Connecting:
        return QStringLiteral("connecting");
    case MqttClient::State::Idle:
        break;
    }
    return QStringLiteral("off");
}

QString MqttBridge::brokerAddress() const
{
    const MqttAddress::BrokerUrl &u = _running || _forget != Forget::No ? _config.url : _stored.url;
    return u.host.isEmpty() ? QString() : QStringLiteral("%1:%2").arg(u.host).arg(u.port);
}

// ---- the broker ----

bool MqttBridge::resolveNames(Config *config)
{
    config->name = printable(config->name).trimmed();
    if (config->name.isEmpty())
        config->name = QHostInfo::localHostName();
    if (config->deviceId.isEmpty())
        config->deviceId = MqttAddress::deviceIdFrom(config->name);
    if (!MqttAddress::validDeviceId(config->deviceId)) {
        setError(QStringLiteral("badId"), QStringLiteral("device ID \"%1\" may only have lower-case letters, "
                                                         "digits, '-' and '_' (at most %2)")
                                              .arg(config->deviceId)
                                              .arg(MqttAddress::kMaxDeviceId));
        return false;
    }
    if (config->base.isEmpty())
        config->base = QStringLiteral("tessaro/") + config->deviceId;
    if (!MqttAddress::validBaseTopic(config->base)) {
        setError(QStringLiteral("badBase"),
                 QStringLiteral("base topic \"%1\" must be levels of text without '+', '#' or empty levels")
                     .arg(config->base));
        return false;
    }
    return true;
}

MqttClient::Options MqttBridge::clientOptions(const Config &config, bool withWill) const
{
    MqttClient::Options o;
    o.host = config.url.host;
    o.port = config.url.port;
    o.tls = config.url.tls;
    o.caFile = config.caFile;
    o.user = config.url.user;
    o.password = config.url.password;
    o.clientId = QStringLiteral("tessaro-") + config.deviceId;
    o.keepAliveSeconds = config.keepAliveSeconds;
    if (withWill) {
        o.willTopic = config.base + QLatin1Char('/') + kAvailability;
        o.willPayload = kOffline;
    }
    o.retryMinMs = config.retryMinMs;
    o.retryMaxMs = config.retryMaxMs;
    o.connectTimeoutMs = config.connectTimeoutMs;
    return o;
}

bool MqttBridge::start(const Config &config)
{
    Config c = config;
    if (!resolveNames(&c))
        return false;
    _forgetTimer->stop();
    // The earlier base says "offline" before the connection is replaced.
    if (_running && _forget == Forget::No && _client->isConnected())
        _client->publish(_base + QLatin1Char('/') + kAvailability, kOffline, true);
    _forget = Forget::No;
    _config = c;
    _base = c.base;
    _sent.clear();
    _running = true;
    setError(QString(), QString());
    emit logLine(
        QStringLiteral("MQTT: publishing %1 as %2/ on %3:%4").arg(c.name, _base, c.url.host).arg(c.url.port));
    if (!_client->start(clientOptions(c, true))) {
        _running = false;
        setError(_client->error(), _client->errorDetail());
        return false;
    }
    emit statusChanged();
    return true;
}

void MqttBridge::stop()
{
    const bool wasRunning = _running;
    _running = false;
    _publishTimer->stop();
    if (wasRunning && _forget == Forget::No && _client->isConnected())
        _client->publish(_base + QLatin1Char('/') + kAvailability, kOffline, true);
    _sent.clear();
    _client->stop();
    emit statusChanged();
}

void MqttBridge::onConnected()
{
    if (_forget == Forget::Connecting) {
        beginForget();
        return;
    }
    if (!_running)
        return;
    _sent.clear(); // a broker that restarted without its store has none of it
    QStringList filters;
    for (const QString &s : {MqttCommands::kInputSet, MqttCommands::kEnabledSet, MqttCommands::kSceneRecall,
                             MqttCommands::kRouteSet})
        filters.append(_base + QLatin1Char('/') + s);
    // With discovery off, config messages an earlier run left are found and cleared.
    if (!_config.discovery)
        filters.append(MqttDiscovery::configFilter(_config.discoveryPrefix, _config.deviceId));
    _client->subscribe(filters);
    publishAll();
}

void MqttBridge::onMessage(const QString &topic, const QByteArray &payload, bool retained)
{
    if (_forget != Forget::No) {
        onForgetMessage(topic, payload, retained);
        return;
    }
    if (!_running)
        return;
    if (topic.startsWith(_config.discoveryPrefix + QLatin1Char('/'))) {
        if (retained && !payload.isEmpty() && !_config.discovery) {
            emit logLine(QStringLiteral("MQTT: discovery is off: clearing %1").arg(topic));
            _client->publish(topic, QByteArray(), true);
        }
        return;
    }
    if (!topic.startsWith(_base + QLatin1Char('/')))
        return;
    // A retained command would be carried out again at every reconnection.
    if (retained)
        return refuse(topic,
                      QStringLiteral("retained commands are not carried out (publish without retain)"));
    handleCommand(topic.mid(_base.size() + 1), payload);
}

void MqttBridge::refuse(const QString &topic, const QString &why)
{
    emit logLine(QStringLiteral("MQTT: command on %1 refused: %2").arg(topic, why));
}

void MqttBridge::handleCommand(const QString &suffix, const QByteArray &payload)
{
    const QString topic = _base + QLatin1Char('/') + suffix;
    if (!_device.present || !_ctx->isConnected())
        return refuse(topic, QStringLiteral("no device is connected"));
    const MqttCommands::DeviceView view{_device.inputs, _device.outputs,
                                        MqttCommands::inputOptions(inputLabels())};
    const MqttCommands::Command cmd = MqttCommands::parse(suffix, payload, view);
    const OutputLocks *locks = _ctx->locks();
    const QString me = QLatin1String(kLockOwner);
    switch (cmd.kind) {
    case MqttCommands::Command::Invalid:
        return refuse(topic, cmd.error);
    case MqttCommands::Command::Route:
        for (auto it = cmd.routes.cbegin(); it != cmd.routes.cend(); ++it)
            if (locks->lockedAgainst(it.key(), me))
                return refuse(
                    topic,
                    QStringLiteral("output %1 is locked by %2").arg(it.key()).arg(locks->holder(it.key())));
        for (const auto &line : RouteTable::byInput(cmd.routes)) {
            emit logLine(QStringLiteral("MQTT: routing input %1 to outputs %2")
                             .arg(line.first)
                             .arg(joined(line.second)));
            _ctx->routeOutputs(line.first, line.second);
        }
        return;
    case MqttCommands::Command::Enable:
        emit logLine(QStringLiteral("MQTT: output %1 %2").arg(cmd.output).arg(cmd.on ? "on" : "off"));
        _ctx->sendCmd_SetOutput(cmd.output, cmd.on);
        return;
    case MqttCommands::Command::RecallScene:
        // A scene reroutes every output.
        for (int o = 1; o <= _device.outputs; ++o)
            if (locks->lockedAgainst(o, me))
                return refuse(topic,
                              QStringLiteral("output %1 is locked by %2").arg(o).arg(locks->holder(o)));
        emit logLine(QStringLiteral("MQTT: recalling scene %1").arg(cmd.scene));
        _ctx->sendCmd_CallSence(cmd.scene);
        return;
    }
}

// ---- device state as reported ----

void MqttBridge::updatePresence()
{
    const DevicePresence now = DevicePresence::of(*_ctx);
    if (now == _device)
        return;
    _device = now;
    // Reports from before this device answered are not this device's state.
    _routing = QVector<int>(now.outputs, 0);
    _enabled = QVector<int>(now.outputs, -1);
    _enabledBefore = _enabled;
    _routingKnown = false;
    if (_running)
        emit logLine(now.present ? QStringLiteral("MQTT: device %1 present: %2 inputs, %3 outputs")
                                       .arg(now.model)
                                       .arg(now.inputs)
                                       .arg(now.outputs)
                                 : QStringLiteral("MQTT: device absent"));
    schedulePublish();
}

void MqttBridge::onRoutingReport()
{
    updatePresence();
    if (!_device.present)
        return;
    const QVector<int> now = _ctx->confirmedRouting();
    for (int o = 0; o < _routing.size() && o < now.size(); ++o) {
        if (now.at(o) != 0) {
            _routing[o] = now.at(o);
            _routingKnown = true;
        }
    }
    schedulePublish();
}

void MqttBridge::onOutputStates()
{
    updatePresence();
    if (!_device.present)
        return;
    _enabledBefore = _enabled;
    for (const QJsonValue &entry : _ctx->outputST()) {
        const QJsonObject st = entry.toObject();
        const int index = st.value(QStringLiteral("index")).toInt();
        const QJsonValue open = st.value(QStringLiteral("isOpen"));
        if (index >= 1 && index <= _enabled.size())
            _enabled[index - 1] = (open.isBool() ? open.toBool() : open.toInt() != 0) ? 1 : 0;
    }
    schedulePublish();
}

void MqttBridge::onOutputCount()
{
    // A model reply refills the output states with "on" for every output before the
    // channel count is announced: those are no report, so what was known stays.
    if (_device.present && _ctx->outChannels() == _device.outputs)
        _enabled = _enabledBefore;
    updatePresence();
}

void MqttBridge::schedulePublish()
{
    if (_running && !_publishTimer->isActive())
        _publishTimer->start();
}

bool MqttBridge::availableNow() const
{
    return _device.present && _routingKnown;
}

QStringList MqttBridge::inputLabels() const
{
    QStringList labels;
    for (int i = 1; i <= _device.inputs; ++i)
        labels.append(printable(_ctx->channelLabel(true, i)));
    return labels;
}

QStringList MqttBridge::outputLabels() const
{
    QStringList labels;
    for (int o = 1; o <= _device.outputs; ++o) {
        const QString name = printable(_ctx->channelLabel(false, o)).trimmed();
        // An unnamed output shows its number on the screens; here it needs a word too.
        labels.append(name.isEmpty() || name == QString::number(o) ? QStringLiteral("Output %1").arg(o)
                                                                   : name);
    }
    return labels;
}

QStringList MqttBridge::sceneNames() const
{
    const QJsonObject names = _ctx->setting().value(QStringLiteral("sence")).toObject();
    QStringList out;
    for (int s = 1; s <= MqttCommands::kScenes; ++s) {
        const QJsonValue v = names.value(QStringLiteral("%1").arg(s, 3, 10, QLatin1Char('0')));
        out.append(v.isString() ? printable(v.toString()).trimmed()
                                : (v.isDouble() ? QString::number(v.toDouble()) : QString()));
    }
    return out;
}

QByteArray MqttBridge::stateDocument() const
{
    QJsonArray routing;
    QJsonArray enabled;
    for (int o = 0; o < _device.outputs; ++o) {
        routing.append(_routing.at(o) > 0 ? QJsonValue(_routing.at(o)) : QJsonValue());
        enabled.append(_enabled.at(o) >= 0 ? QJsonValue(_enabled.at(o) == 1) : QJsonValue());
    }
    QStringList outNames;
    for (int o = 1; o <= _device.outputs; ++o)
        outNames.append(printable(_ctx->channelLabel(false, o)));
    const QJsonObject doc{
        {QStringLiteral("name"), _config.name},
        {QStringLiteral("device_id"), _config.deviceId},
        {QStringLiteral("software"), QCoreApplication::applicationVersion()},
        {QStringLiteral("link"), _ctx->isConnected() ? QStringLiteral("up") : QStringLiteral("down")},
        {QStringLiteral("present"), _device.present},
        {QStringLiteral("model"), _device.present ? QJsonValue(_device.model) : QJsonValue()},
        {QStringLiteral("inputs"), _device.inputs},
        {QStringLiteral("outputs"), _device.outputs},
        {QStringLiteral("routing"), routing},
        {QStringLiteral("enabled"), enabled},
        {QStringLiteral("input_names"), QJsonArray::fromStringList(inputLabels())},
        {QStringLiteral("output_names"), QJsonArray::fromStringList(outNames)},
        {QStringLiteral("scene_names"), QJsonArray::fromStringList(sceneNames())},
    };
    return QJsonDocument(doc).toJson(QJsonDocument::Compact);
}

QHash<QString, QByteArray> MqttBridge::wanted() const
{
    QHash<QString, QByteArray> w;
    const QString b = _base + QLatin1Char('/');
    w.insert(b + kAvailability, availableNow() ? kOnline : kOffline);
    w.insert(b + kState, stateDocument());
    if (_device.present) {
        const QStringList options = MqttCommands::inputOptions(inputLabels());
        for (int o = 1; o <= _device.outputs; ++o) {
            const QString out = b + QStringLiteral("output/%1/").arg(o);
            const int in = _routing.at(o - 1);
            if (in >= 1 && in <= options.size()) {
                w.insert(out + QStringLiteral("input"), QByteArray::number(in));
                w.insert(out + QStringLiteral("input/name"), options.at(in - 1).toUtf8());
            }
            if (_enabled.at(o - 1) >= 0)
                w.insert(out + QStringLiteral("enabled"), _enabled.at(o - 1) == 1 ? "ON" : "OFF");
        }
        if (_config.discovery) {
            MqttDiscovery::Device d;
            d.id = _config.deviceId;
            d.name = _config.name;
            d.model = _device.model;
            d.version = QCoreApplication::applicationVersion();
            d.base = _base;
            d.prefix = _config.discoveryPrefix;
            const auto configs = MqttDiscovery::configs(d, outputLabels(), options, sceneNames());
            for (auto it = configs.cbegin(); it != configs.cend(); ++it)
                w.insert(it.key(), it.value());
        }
    }
    // What the device has not reported again since it came back keeps its last value.
    for (auto it = _sent.cbegin(); it != _sent.cend(); ++it)
        if (!w.contains(it.key()) && !obsolete(it.key()))
            w.insert(it.key(), it.value());
    return w;
}

bool MqttBridge::obsolete(const QString &topic) const
{
    if (topic.startsWith(_config.discoveryPrefix + QLatin1Char('/')))
        return _device.present || !_config.discovery; // with the device present, the set is complete
    const QString outputs = _base + QStringLiteral("/output/");
    if (topic.startsWith(outputs)) {
        const int n = topic.mid(outputs.size()).section(QLatin1Char('/'), 0, 0).toInt();
        return _device.present && n > _device.outputs;
    }
    return false;
}

void MqttBridge::publishAll()
{
    if (!_running || _forget != Forget::No || !_client->isConnected())
        return;
    const QHash<QString, QByteArray> want = wanted();
    const QString availability = _base + QLatin1Char('/') + kAvailability;
    const auto send = [this](const QString &topic, const QByteArray &value) {
        if (_sent.contains(topic) && _sent.value(topic) == value)
            return;
        if (_client->publish(topic, value, true))
            _sent.insert(topic, value);
    };
    // "offline" goes first; "online" last, once everything it vouches for is out.
    const bool online = want.value(availability) == kOnline;
    if (!online)
        send(availability, kOffline);
    const QStringList gone = [&] {
        QStringList g;
        for (auto it = _sent.cbegin(); it != _sent.cend(); ++it)
            if (!want.contains(it.key()))
                g.append(it.key());
        return g;
    }();
    for (const QString &topic : gone) {
        if (_client->publish(topic, QByteArray(), true)) // an empty retained message removes it
            _sent.remove(topic);
    }
    // In topic order: discovery first, then the outputs, then the state document, so a
    // reader that has the state document has every output topic published with it.
    QStringList topics = want.keys();
    topics.sort();
    for (const QString &topic : qAsConst(topics))
        if (topic != availability)
            send(topic, want.value(topic));
    if (online)
        send(availability, kOnline);
}

// ---- forgetting ----

void MqttBridge::forget(const Config &config)
{
    Config c = config;
    if (!resolveNames(&c)) {
        emit forgotten(false);
        return;
    }
    const bool sameLink = _client->isConnected() && _base == c.base && _config.url.host == c.url.host &&
                          _config.url.port == c.url.port;
    _running = false;
    _publishTimer->stop();
    _config = c;
    _base = c.base;
    _sent.clear();
    setError(QString(), QString());
    _forget = Forget::Connecting;
    _forgetTimer->start(kForgetTimeoutMs);
    emit logLine(QStringLiteral("MQTT: removing %1/ and its Home Assistant entities from %2:%3")
                     .arg(_base, c.url.host)
                     .arg(c.url.port));
    emit statusChanged();
    if (sameLink) {
        beginForget();
    } else if (!_client->start(clientOptions(c, false))) {
        finishForget(false);
    }
}

void MqttBridge::beginForget()
{
    _forget = Forget::Collecting;
    _forgetMarker = QStringLiteral("%1/forget/%2")
                        .arg(_base)
                        .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    // The broker sends the retained messages of a subscription before anything published
    // after it on the same connection: the marker coming back means all of them are in.
    _client->subscribe({_base + QStringLiteral("/#"),
                        MqttDiscovery::configFilter(_config.discoveryPrefix, _config.deviceId)});
    _client->publish(_forgetMarker, QByteArrayLiteral("done"), false);
}

void MqttBridge::onForgetMessage(const QString &topic, const QByteArray &payload, bool retained)
{
    if (_forget == Forget::Collecting && topic == _forgetMarker) {
        _forget = Forget::Clearing;
        if (_client->unconfirmed() == 0)
            finishForget(true);
        return;
    }
    if (_forget == Forget::Collecting && retained && !payload.isEmpty()) {
        emit logLine(QStringLiteral("MQTT: clearing %1").arg(topic));
        _client->publish(topic, QByteArray(), true);
    }
}

void MqttBridge::finishForget(bool ok)
{
    if (_forget == Forget::No)
        return;
    _forgetTimer->stop();
    _forget = Forget::No;
    if (ok) {
        emit logLine(QStringLiteral("MQTT: %1/ removed from the broker").arg(_base));
    } else {
        const QString why = _client->errorDetail().isEmpty() ? QStringLiteral("no answer from the broker")
                                                             : _client->errorDetail();
        setError(QStringLiteral("removeFailed"), why);
        emit logLine(QStringLiteral("MQTT: %1/ could not be removed: %2").arg(_base, why));
    }
    _client->stop();
    emit statusChanged();
    emit forgotten(ok);
}
