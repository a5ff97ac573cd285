// The panel's stored choice for the broker ("mqtt" in the settings file) and what the
// window shows of it. The password is stored, since the panel reconnects at start, but
// never shown back.
#include "MqttBridge.h"

#include "AppContext.h"

#include <QHostInfo>
#include <QJsonObject>

namespace {
const QString kSettingsKey = QStringLiteral("mqtt");
}

QString MqttBridge::error() const
{
    if (_error.isEmpty() && _running && _client->state() == MqttClient::State::Waiting)
        return _client->error();
    return _error;
}

QString MqttBridge::errorDetail() const
{
    if (_error.isEmpty() && _running && _client->state() == MqttClient::State::Waiting)
        return _client->errorDetail();
    return _errorDetail;
}

void MqttBridge::setError(const QString &key, const QString &detail)
{
    if (key == _error && detail == _errorDetail)
        return;
    _error = key;
    _errorDetail = detail;
    if (!key.isEmpty())
        emit logLine(QStringLiteral("MQTT: %1").arg(detail));
    emit statusChanged();
}

QString MqttBridge::brokerUrl() const
{
    return _stored.url.host.isEmpty() ? QString() : MqttAddress::displayUrl(_stored.url);
}

QString MqttBridge::deviceId() const
{
    return _stored.deviceId.isEmpty() ? MqttAddress::deviceIdFrom(_stored.name) : _stored.deviceId;
}

QString MqttBridge::deviceIdFor(const QString &name) const
{
    const QString trimmed = name.trimmed();
    return MqttAddress::deviceIdFrom(trimmed.isEmpty() ? QHostInfo::localHostName() : trimmed);
}

void MqttBridge::loadStored()
{
    const QJsonObject s = _ctx->setting().value(kSettingsKey).toObject();
    Config c;
    MqttAddress::BrokerUrl url;
    QString why;
    if (MqttAddress::parseUrl(s.value(QStringLiteral("url")).toString(), &url, &why))
        c.url = url;
    c.url.password = c.url.user.isEmpty() ? QString() : s.value(QStringLiteral("password")).toString();
    c.caFile = s.value(QStringLiteral("caFile")).toString();
    c.name = s.value(QStringLiteral("name")).toString(QHostInfo::localHostName());
    c.deviceId = s.value(QStringLiteral("deviceId")).toString();
    c.discovery = s.value(QStringLiteral("discovery")).toBool(true);
    _stored = c;
    _storedEnabled = s.value(QStringLiteral("enabled")).toBool(false) && !c.url.host.isEmpty();
    emit settingsChanged();
    if (_storedEnabled)
        start(_stored);
}

void MqttBridge::storeSettings()
{
    _ctx->storeSetting(kSettingsKey, QJsonObject{
                                         {QStringLiteral("enabled"), _storedEnabled},
                                         {QStringLiteral("url"), brokerUrl()},
                                         {QStringLiteral("password"), _stored.url.password},
                                         {QStringLiteral("caFile"), _stored.caFile},
                                         {QStringLiteral("name"), _stored.name},
                                         {QStringLiteral("deviceId"), _stored.deviceId},
                                         {QStringLiteral("discovery"), _stored.discovery},
                                     });
    emit settingsChanged();
}

bool MqttBridge::apply(bool enabled, const QString &url, const QString &password, const QString &caFile,
                       const QString &name, const QString &deviceId, bool discovery)
{
    Config c;
    QString why;
    if (!MqttAddress::parseUrl(url, &c.url, &why)) {
        if (enabled || !url.trimmed().isEmpty()) {
            setError(QStringLiteral("badUrl"), why);
            return false;
        }
        c.url = MqttAddress::BrokerUrl();
    }
    // A password written into the address wins; an empty field keeps the stored one
    // for the same user.
    if (c.url.password.isEmpty() && !c.url.user.isEmpty())
        c.url.password = !password.isEmpty()
                             ? password
                             : (c.url.user == _stored.url.user ? _stored.url.password : QString());
    c.caFile = caFile.trimmed();
    c.name = name.trimmed();
    c.deviceId = deviceId.trimmed();
    c.discovery = discovery;
    Config resolved = c;
    if (!resolveNames(&resolved))
        return false;
    c.name = resolved.name;
    _stored = c;
    _storedEnabled = enabled;
    storeSettings();
    if (!enabled) {
        stop();
        setError(QString(), QString());
        return true;
    }
    return start(_stored);
}

void MqttBridge::removeFromBroker()
{
    if (_stored.url.host.isEmpty()) {
        setError(QStringLiteral("badUrl"), QStringLiteral("no broker address given"));
        return;
    }
    _storedEnabled = false;
    storeSettings();
    forget(_stored);
}
