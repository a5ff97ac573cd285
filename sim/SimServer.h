#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QStringList>

class SimDevice;

// A simulated device serving one panel over TCP and/or a pseudo-terminal. Usable
// in-process (tests publish it to QML as "sim") and by the tessaro-sim program.
class SimServer : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(bool clientConnected READ clientConnected NOTIFY clientConnectedChanged)
public:
    explicit SimServer(const QString &model = QStringLiteral("DV-42"), QObject *parent = nullptr);
    ~SimServer() override;

    // Listens for one panel at a time; false when the address cannot be bound.
    bool listenTcp(const QHostAddress &address, quint16 port = 8080);
    // Opens a pseudo-terminal; when linkPath is given, a symbolic link to the slave side
    // is made there. The slave side's path is ptyPath().
    bool openPty(const QString &linkPath = QString());
    QString ptyPath() const;

    SimDevice *device() const;

    QString model() const;
    void setModel(const QString &model);
    bool clientConnected() const;

    // Every command line received, without its CR LF, oldest first.
    Q_INVOKABLE QStringList receivedLines() const;
    Q_INVOKABLE void clearReceived();
    // Sends one report line (CR LF is added) to the connected panel.
    Q_INVOKABLE void sendLine(const QString &line);
    // Sends raw bytes as they are.
    Q_INVOKABLE void sendRaw(const QByteArray &bytes);
    // Closes the connection to the panel, as a device that drops the link.
    Q_INVOKABLE void dropConnection();

signals:
    void modelChanged();
    void clientConnectedChanged();
    void lineReceived(const QString &line);

private:
    class Private;
    Private *d;
};
