#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A Mosquitto broker of the test's own, on a random port of 127.0.0.1, from a config
// file it writes (anonymous access, nothing kept on disk, so a restart starts empty).
class TestBroker
{
public:
    ~TestBroker() { stop(); }
    // Starts on `port`, or on a random free one when 0, with `extra` lines added to the
    // listener's configuration (TLS files). False when it does not listen.
    bool start(quint16 port = 0, const QByteArray &extra = QByteArray());
    // Stops it (SIGTERM) and waits for it to end.
    void stop();
    quint16 port() const { return _port; }
    QString url() const { return QStringLiteral("mqtt://127.0.0.1:%1").arg(_port); }

private:
    bool launch(quint16 port);
    QByteArray _extra;
    QTemporaryDir _dir;
    QProcess _proc;
    quint16 _port = 0;
};

// An independent client: mosquitto_sub for reading, mosquitto_pub for writing.
class BrokerWatch
{
public:
    struct Message
    {
        QString topic;
        QByteArray payload;
        bool retained = false;
    };

    ~BrokerWatch() { stop(); }
    // Subscribes to the filters and returns once the subscription is known to be active
    // (a probe message of its own came back). Retained messages arrive first.
    bool start(quint16 port, const QStringList &filters);
    void stop();

    // Reads what mosquitto_sub printed so far.
    void poll();
    QList<Message> messages() { return (poll(), _all); }
    // The last payload of each topic ("" once cleared); contains() is false for a topic
    // never seen.
    QByteArray latest(const QString &topic) { return (poll(), _latest.value(topic)); }
    bool has(const QString &topic) { return (poll(), _latest.contains(topic)); }
    // Topics whose last message is not empty and whose topic starts with prefix.
    QStringList topics(const QString &prefix);
    // The retained messages that came with the subscription (payload not empty).
    QHash<QString, QByteArray> retained();

    // Publishes with QoS 1 and returns once the broker took it.
    static bool publish(quint16 port, const QString &topic, const QByteArray &payload, bool retain = false);

private:
    QProcess _proc;
    QByteArray _pending;
    QList<Message> _all;
    QHash<QString, QByteArray> _latest;
    quint16 _port = 0;
};
