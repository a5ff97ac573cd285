#pragma once

#include "ClientIO.h"

#include <QTcpSocket>

// ClientIO over a TCP client connection. The connection is confirmed when the socket
// reports it; a refusal or error the system reports ends the attempt at once, and an
// attempt that has heard nothing within the connection check (5 s) is given up.
class TcpClientIO : public ClientIO
{
    Q_OBJECT
public:
    TcpClientIO(QString host, int port, QObject *parent = nullptr);

    bool open() override;
    bool close() override;
    int write(QByteArray data) override;
    QByteArray read() override;

    static constexpr int kConnectCheckMs = 5000;
    // Time the next open() allows the attempt (tests shorten it).
    void setConnectCheckMs(int ms) { _checkMs = ms; }

private slots:
    void onError(QAbstractSocket::SocketError error);
    void onCheckTimeout();
    void onTCPConnected();
    void reportFailure();

private:
    QString _host;
    int _port = 0;
    QTcpSocket _client;
    bool _connected = false;
    bool _closeRequested = false; // close() was called during this attempt
    bool _reported = false;       // this attempt's failure went out already
    int _checkMs = kConnectCheckMs;
};
