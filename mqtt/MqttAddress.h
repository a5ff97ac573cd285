#pragma once

#include <QString>

// The broker address as the operator writes it, and the names the device goes by there.
namespace MqttAddress {

constexpr int kPlainPort = 1883;
constexpr int kTlsPort = 8883;
constexpr int kMaxDeviceId = 48;

struct BrokerUrl
{
    bool tls = false;
    QString host;
    int port = kPlainPort;
    QString user;
    QString password;
};

// "mqtt://[user[:password]@]host[:port]" or "mqtts://..." (ports 1883 and 8883 unless
// given; user and password percent-encoded as in any URL). False, with an English
// reason in *error, for anything else.
bool parseUrl(const QString &text, BrokerUrl *url, QString *error);
// The URL without its password (for logs, the window and the settings file).
QString displayUrl(const BrokerUrl &url);

// The device's identifier in topics and in Home Assistant: lower-case letters, digits,
// '-' and '_' taken from a friendly name ("Hall A" -> "hall-a"); a name with none of
// them gives "device-" and eight hex digits of its hash.
QString deviceIdFrom(const QString &name);
bool validDeviceId(const QString &id);
// A topic prefix to publish under: one or more levels of at most 200 characters in
// all, no wildcards, no empty level, no '/' at either end, no '$' at the start.
bool validBaseTopic(const QString &base);

} // namespace MqttAddress
