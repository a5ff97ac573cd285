#pragma once

#include "DevicePresence.h"

#include "MqttAddress.h"
#include "MqttClient.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QVector>

class AppContext;
class QTimer;

// Publishes the connected switcher to an MQTT broker and takes commands from it.
//
// Under the base topic ("tessaro/<device id>" unless configured): retained
// "availability" ("online" while the broker link is up and the device answers, "offline"
// otherwise and as the last will), "state" (one JSON document), "output/<n>/input" (the
// confirmed input), "output/<n>/input/name" (its option label) and "output/<n>/enabled"
// ("ON"/"OFF"); commands on "output/<n>/input/set", "output/<n>/enabled/set",
// "scene/recall" and "route/set". With discovery on, Home Assistant's config messages.
//
// Everything published is what the device reported (its routing report and output
// states), never an echo of a command. A command is checked whole before anything is
// sent: a malformed one, a retained one, one for a locked output or one that arrives
// while the device is absent is logged and dropped, never queued.
class MqttBridge : public QObject
{
    Q_OBJECT
    // The panel's stored choice ("mqtt" in the settings file), for the window.
    Q_PROPERTY(bool enabled READ enabled NOTIFY settingsChanged)
    Q_PROPERTY(QString brokerUrl READ brokerUrl NOTIFY settingsChanged)
    Q_PROPERTY(bool passwordStored READ passwordStored NOTIFY settingsChanged)
    Q_PROPERTY(QString caFile READ caFile NOTIFY settingsChanged)
    Q_PROPERTY(QString deviceName READ deviceName NOTIFY settingsChanged)
    Q_PROPERTY(QString deviceId READ deviceId NOTIFY settingsChanged)
    Q_PROPERTY(bool discovery READ discovery NOTIFY settingsChanged)
    Q_PROPERTY(QString baseTopic READ baseTopic NOTIFY settingsChanged)
    // "off", "connecting", "connected", "waiting" (to try again), "removing".
    Q_PROPERTY(QString status READ status NOTIFY statusChanged)
    // Why the last apply, connection or removal failed: "", "badUrl", "badId",
    // "removeFailed" or MqttClient's keys; errorDetail() says it in English.
    Q_PROPERTY(QString error READ error NOTIFY statusChanged)
    Q_PROPERTY(QString errorDetail READ errorDetail NOTIFY statusChanged)
    Q_PROPERTY(int retrySeconds READ retrySeconds NOTIFY statusChanged)
    Q_PROPERTY(QString brokerAddress READ brokerAddress NOTIFY statusChanged)

public:
    struct Config
    {
        MqttAddress::BrokerUrl url;
        QString caFile;
        QString name;     // the friendly name (Home Assistant's device name)
        QString deviceId; // empty: from the name
        QString base;     // empty: "tessaro/<device id>"
        bool discovery = true;
        QString discoveryPrefix = QStringLiteral("homeassistant");
        int keepAliveSeconds = 30;
        int retryMinMs = 1000;
        int retryMaxMs = 60000;
        int connectTimeoutMs = 10000;
    };
    static constexpr const char *kLockOwner = "mqtt";
    static constexpr int kForgetTimeoutMs = 10000;

    explicit MqttBridge(AppContext *context, QObject *parent = nullptr);
    ~MqttBridge() override;

    // Connects (again) with this configuration and keeps the broker up to date. False,
    // with error(), for a device ID or base topic that cannot be used.
    bool start(const Config &config);
    // Publishes "offline", disconnects cleanly and stops; stopped() follows.
    void stop();
    // Clears the device's discovery messages and every retained topic under its base,
    // then disconnects; forgotten() says whether the broker confirmed it. Connects
    // first when needed (without a last will, which would bring "offline" back).
    void forget(const Config &config);

    bool running() const { return _running; }
    QString baseTopic() const { return _base; }
    MqttClient *client() const { return _client; }

    bool enabled() const { return _storedEnabled; }
    QString brokerUrl() const;
    bool passwordStored() const { return !_stored.url.password.isEmpty(); }
    QString caFile() const { return _stored.caFile; }
    QString deviceName() const { return _stored.name; }
    QString deviceId() const;
    bool discovery() const { return _stored.discovery; }
    QString status() const;
    QString error() const;
    QString errorDetail() const;
    int retrySeconds() const { return (_client->nextRetryMs() + 999) / 1000; }
    QString brokerAddress() const;

    // The panel's window (MqttBridgeSettings.cpp): the stored choice, applied at start;
    // apply() stores a new one and connects or stops accordingly. An empty password
    // keeps the stored one while the user name stays. removeFromBroker() forgets the
    // device on the broker and turns publishing off.
    Q_INVOKABLE void loadStored();
    Q_INVOKABLE bool apply(bool enabled, const QString &url, const QString &password, const QString &caFile,
                           const QString &name, const QString &deviceId, bool discovery);
    Q_INVOKABLE void removeFromBroker();
    // A device ID made from a friendly name, as apply() makes it when none is given.
    Q_INVOKABLE QString deviceIdFor(const QString &name) const;

signals:
    void settingsChanged();
    void statusChanged();
    void stopped();
    void forgotten(bool ok);
    // One line per event, in English (connections, commands, refusals, errors).
    void logLine(const QString &text);

private:
    // Device state as reported.
    void updatePresence();
    void onRoutingReport();
    void onOutputStates();
    void onOutputCount();
    void schedulePublish();
    void publishAll();
    QHash<QString, QByteArray> wanted() const;
    bool obsolete(const QString &topic) const;
    QByteArray stateDocument() const;
    QStringList inputLabels() const;
    QStringList outputLabels() const;
    QStringList sceneNames() const;
    bool availableNow() const;

    // The broker.
    MqttClient::Options clientOptions(const Config &config, bool withWill) const;
    bool resolveNames(Config *config);
    void onConnected();
    void onMessage(const QString &topic, const QByteArray &payload, bool retained);
    void handleCommand(const QString &suffix, const QByteArray &payload);
    void refuse(const QString &topic, const QString &why);

    // Forgetting.
    void beginForget();
    void onForgetMessage(const QString &topic, const QByteArray &payload, bool retained);
    void finishForget(bool ok);

    // The window's settings (MqttBridgeSettings.cpp).
    void setError(const QString &key, const QString &detail);
    void storeSettings();

    AppContext *_ctx;
    MqttClient *_client;
    QTimer *_publishTimer;
    QTimer *_forgetTimer;
    Config _config;
    QString _base;
    bool _running = false;

    DevicePresence _device;
    QVector<int> _routing; // per output, 0 while the device has not reported it
    QVector<int> _enabled; // per output: 1 on, 0 off, -1 not reported
    QVector<int> _enabledBefore;
    bool _routingKnown = false;
    QHash<QString, QByteArray> _sent; // retained topics as published on this connection

    enum class Forget
    {
        No,
        Connecting,
        Collecting,
        Clearing
    };
    Forget _forget = Forget::No;
    QString _forgetMarker;
    bool _disableAfterForget = false;

    // The stored choice (the panel).
    Config _stored;
    bool _storedEnabled = false;
    QString _error;
    QString _errorDetail;
};
