#pragma once

#include "DevicePresence.h"

#include "VideohubBlocks.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVector>

#include <memory>

class AppContext;
class QTcpServer;
class QTcpSocket;
class RemoteClientModel;

// Serves the connected switcher to router control clients over the Videohub Ethernet
// Protocol (text blocks, version 2.8). Ports count from 0 there and from 1 on the device.
// What it reports is what the device reported: routing from the routing report, labels
// from the panel's channel names, locks from the context's lock table. Routing requests
// become the device's routing lines through the context; nothing else a client sends
// reaches the device.
class RouterServer : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool enabled READ enabled NOTIFY settingsChanged)
    Q_PROPERTY(QString listenAddress READ listenAddress NOTIFY settingsChanged)
    Q_PROPERTY(int port READ port NOTIFY settingsChanged)
    Q_PROPERTY(QString friendlyName READ friendlyName NOTIFY settingsChanged)
    Q_PROPERTY(bool listening READ listening NOTIFY listeningChanged)
    // Why the last listen failed: "", "addressInUse", "addressNotAvailable",
    // "badAddress", "badPort", "other"; errorDetail() says it in English for logs.
    Q_PROPERTY(QString error READ error NOTIFY errorChanged)
    Q_PROPERTY(QString errorDetail READ errorDetail NOTIFY errorChanged)
    Q_PROPERTY(QString uniqueId READ uniqueId NOTIFY deviceChanged)
    Q_PROPERTY(RemoteClientModel *clients READ clients CONSTANT)

public:
    static constexpr quint16 kDefaultPort = 9990;
    static constexpr int kMaxClients = 16;
    static constexpr qint64 kMaxPendingBytes = 1024 * 1024;

    explicit RouterServer(AppContext *context, QObject *parent = nullptr);
    ~RouterServer() override;

    bool enabled() const { return _enabled; }
    QString listenAddress() const { return _address; }
    int port() const { return _port; }
    QString friendlyName() const { return _friendlyName; }
    bool listening() const;
    QString error() const { return _error; }
    QString errorDetail() const { return _errorDetail; }
    QString uniqueId() const;
    RemoteClientModel *clients() const { return _clients; }
    // The port actually listened on (a requested port 0 picks a free one).
    quint16 serverPort() const;

    // Listens on address:port (a literal address, or "localhost"); false, with error(),
    // when it cannot. Clients of an earlier listen stay connected.
    bool listen(const QString &address, quint16 port);
    // Stops listening and closes every client.
    void close();
    void setFriendlyName(const QString &name);
    // A client that has this many bytes waiting to be sent is dropped (tests lower it).
    void setMaxPendingBytes(qint64 bytes) { _maxPending = bytes; }

    // The panel's window: the stored choice ("remoteControl" in the settings file),
    // applied at start; apply() stores a new one and listens or stops accordingly.
    Q_INVOKABLE void loadStored();
    Q_INVOKABLE bool apply(bool enabled, const QString &address, int port, const QString &friendlyName);

signals:
    void settingsChanged();
    void listeningChanged();
    void errorChanged();
    void deviceChanged();
    // One line per event, in English (connections, requests, refusals, errors).
    void logLine(const QString &text);

private:
    struct Client
    {
        int id = 0;
        QPointer<QTcpSocket> socket;
        QString address;
        Videohub::BlockReader reader;
    };
    using ClientPtr = std::shared_ptr<Client>;

    void onNewConnection();
    void onReadyRead(const ClientPtr &client);
    void dropClient(const ClientPtr &client, const QString &why);
    void send(const ClientPtr &client, const QByteArray &bytes);
    void broadcast(const QByteArray &bytes);
    void setError(const QString &key, const QString &detail);

    // Requests (RouterRequests.cpp).
    void handle(const ClientPtr &client, const Videohub::Block &block);
    bool handleLabels(const ClientPtr &client, const Videohub::Block &block, bool inputs);
    bool handleLocks(const ClientPtr &client, const Videohub::Block &block);
    bool handleRouting(const ClientPtr &client, const Videohub::Block &block);
    // Refuses a block with more lines than there are ports.
    bool tooLong(const ClientPtr &client, const Videohub::Block &block, int ports);

    // State as last sent to the clients, and the blocks that describe it.
    void updatePresence();
    void onRoutingReport();
    void onNamesChanged();
    void onLocksChanged(const QList<int> &outputs);
    void sendDeviceState(const ClientPtr &client, bool withPreamble);
    QByteArray deviceBlock() const;
    QByteArray labelsBlock(bool inputs) const;
    QByteArray locksBlock(const ClientPtr &client, const QList<int> &outputs) const;
    // The given outputs (from 1), or with everyKnown every output the device reported.
    QByteArray routingBlock(const QList<int> &outputs, bool everyKnown = false) const;
    QStringList currentLabels(bool inputs) const;
    QString ownerKey(const ClientPtr &client) const;
    QList<int> allOutputs() const;

    AppContext *_ctx;
    QTcpServer *_server = nullptr;
    RemoteClientModel *_clients = nullptr;
    QList<ClientPtr> _connected;
    int _nextId = 1;
    qint64 _maxPending = kMaxPendingBytes;

    bool _enabled = false;
    QString _address = QStringLiteral("127.0.0.1");
    int _port = kDefaultPort;
    QString _friendlyName;
    QString _error;
    QString _errorDetail;

    DevicePresence _device;
    QVector<int> _routing; // per output, 0 while the device has not reported it
    QStringList _inLabels;
    QStringList _outLabels;
};
