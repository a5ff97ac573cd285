#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

class QSocketNotifier;
class QTimer;
struct mosquitto;
struct mosquitto_message;

// One connection to an MQTT broker through libmosquitto, driven by Qt's event loop: the
// library's socket is watched with socket notifiers (for writing only while the library
// has something to send) and a one-second timer keeps the connection alive. No thread.
//
// Each attempt uses a fresh library instance; a failed or lost connection is tried again
// after a wait that doubles from retryMinMs up to retryMaxMs, and goes back to the
// shortest once the broker accepts a connection. Library callbacks only record what
// happened; the signals are emitted afterwards from the event loop, never from inside
// the library.
class MqttClient : public QObject
{
    Q_OBJECT
public:
    enum class State
    {
        Idle,       // not started, or stopped
        Connecting, // an attempt is under way
        Connected,  // the broker accepted the connection
        Waiting     // the last attempt failed; the next one is due after nextRetryMs()
    };
    Q_ENUM(State)

    struct Options
    {
        QString host;
        int port = 1883;
        bool tls = false;
        QString caFile; // with tls: the CA certificates; empty: the system's
        QString user;
        QString password;
        QString clientId;
        int keepAliveSeconds = 30;
        QString willTopic; // empty: no last will
        QByteArray willPayload;
        bool willRetain = true;
        int retryMinMs = 1000;
        int retryMaxMs = 60000;
        int connectTimeoutMs = 10000;
    };

    explicit MqttClient(QObject *parent = nullptr);
    ~MqttClient() override;

    // Starts connecting (again, with these options; a connection of earlier ones ends
    // cleanly first). False, with error(), when the options cannot be used at all (the
    // CA file cannot be read).
    bool start(const Options &options);
    // Ends the connection with a DISCONNECT (so the broker does not send the last will)
    // after what is already queued, and stops trying. stopped() follows.
    void stop();

    State state() const { return _state; }
    bool isConnected() const { return _state == State::Connected; }
    int nextRetryMs() const { return _nextRetryMs; }
    // Why the last attempt failed or the connection dropped: "", "refused",
    // "unreachable", "timeout", "auth", "tls", "lost", "other". errorDetail() says it in
    // English for logs.
    QString error() const { return _error; }
    QString errorDetail() const { return _errorDetail; }
    const Options &options() const { return _options; }

    // QoS 1. False while not connected or when the library refuses the message.
    bool publish(const QString &topic, const QByteArray &payload, bool retain);
    bool subscribe(const QStringList &filters);
    // Messages published or subscriptions asked for that the broker has not confirmed.
    int unconfirmed() const { return _unconfirmed.size(); }

signals:
    void stateChanged();
    void connected();
    // The connection dropped or an attempt failed (error() says why), or stop() ended it.
    void disconnected();
    void stopped();
    void message(const QString &topic, const QByteArray &payload, bool retained);
    // The broker confirmed every message and subscription sent so far.
    void allConfirmed();
    void logLine(const QString &text);

private:
    struct Event
    {
        enum Kind
        {
            Connack,
            Disconnect,
            Message,
            Confirmed
        };
        explicit Event(Kind k) : kind(k) {}
        Kind kind;
        int generation = 0; // the library instance it came from
        int code = 0;
        int sysErrno = 0;
        QString topic;
        QByteArray payload;
        bool retained = false;
    };

    static void onConnect(mosquitto *, void *self, int rc);
    static void onDisconnect(mosquitto *, void *self, int rc);
    static void onMessage(mosquitto *, void *self, const mosquitto_message *msg);
    static void onPublish(mosquitto *, void *self, int mid);
    static void onSubscribe(mosquitto *, void *self, int mid, int, const int *);
    void record(Event e);

    void attempt();
    bool configure(mosquitto *m);
    void failed(const QString &key, const QString &detail);
    void sendDisconnect();
    void finishStop();
    void release();
    void setState(State s);
    void service();
    void afterCall(int rc, int sysErrno);
    void syncNotifiers();
    void dispatch();
    void handle(const Event &e);
    void setError(const QString &key, const QString &detail);
    QString where() const;

    Options _options;
    mosquitto *_mosq = nullptr;
    State _state = State::Idle;
    int _generation = 0;
    bool _stopping = false;
    bool _restartPending = false;
    int _fd = -1;
    QSocketNotifier *_readNotifier = nullptr;
    QSocketNotifier *_writeNotifier = nullptr;
    QTimer *_misc = nullptr;
    QTimer *_retry = nullptr;
    QTimer *_connectTimeout = nullptr;
    int _nextRetryMs = 0;
    QList<Event> _events;
    bool _dispatchQueued = false;
    QSet<int> _unconfirmed;
    QString _error;
    QString _errorDetail;
};
