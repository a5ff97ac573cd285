#include "TcpClientIO.h"

#include <QDebug>
#include <QTimer>

TcpClientIO::TcpClientIO(QString host, int port, QObject *parent)
    : ClientIO(parent), _host(std::move(host)), _port(port)
{
    qRegisterMetaType<QAbstractSocket::SocketError>("QAbstractSocket::SocketError");
    connect(&_client, SIGNAL(connected()), this, SLOT(onTCPConnected()));
    connect(&_client, SIGNAL(disconnected()), this, SIGNAL(onDisconnected()));
    connect(&_client, SIGNAL(readyRead()), this, SIGNAL(onReadReady()));
    connect(&_client, SIGNAL(error(QAbstractSocket::SocketError)), this,
            SLOT(onError(QAbstractSocket::SocketError)));
}

bool TcpClientIO::open()
{
    if (_client.isOpen() || _client.state() != QAbstractSocket::UnconnectedState)
        _client.close();
    _connected = false;
    QTimer::singleShot(kConnectCheckMs, Qt::PreciseTimer, this, &TcpClientIO::onCheckTimeout);
    _client.connectToHost(_host, static_cast<quint16>(_port), QIODevice::ReadWrite,
                          QAbstractSocket::AnyIPProtocol);
    return true;
}

bool TcpClientIO::close()
{
    if (_client.isOpen() || _client.state() != QAbstractSocket::UnconnectedState)
        _client.close();
    return false;
}

int TcpClientIO::write(QByteArray data)
{
    qDebug() << "TcpClientIO::write" << data;
    if (!_client.isOpen())
        return 0;
    const qint64 written = _client.write(data);
    _client.flush();
    qDebug() << "write ok" << written;
    return static_cast<int>(written);
}

QByteArray TcpClientIO::read()
{
    if (!_client.isOpen())
        return QByteArray();
    return _client.readAll();
}

void TcpClientIO::onError(QAbstractSocket::SocketError error)
{
    qDebug() << "TcpClientIO::onError" << error;
    _client.close();
}

void TcpClientIO::onCheckTimeout()
{
    qDebug() << "检查连接状态" << _connected;
    if (!_connected) {
        _client.close();
        emit onDisconnected();
    }
}

void TcpClientIO::onTCPConnected()
{
    _connected = true;
    emit onConnected();
}
