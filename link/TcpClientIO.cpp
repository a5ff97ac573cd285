#include "TcpClientIO.h"

#include "DeviceAddress.h"
#include "LinkLog.h"

#include <QTimer>

namespace {

ClientIO::Failure failureOf(QAbstractSocket::SocketError error, bool connected)
{
    if (connected)
        return ClientIO::Failure::Lost;
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return ClientIO::Failure::Refused;
    case QAbstractSocket::HostNotFoundError:
        return ClientIO::Failure::BadAddress;
    case QAbstractSocket::NetworkError:
        return ClientIO::Failure::Unreachable;
    case QAbstractSocket::SocketTimeoutError:
        return ClientIO::Failure::NoAnswer;
    default:
        return ClientIO::Failure::Unreachable;
    }
}

} // namespace

TcpClientIO::TcpClientIO(QString host, int port, QObject *parent)
    : ClientIO(parent), _host(std::move(host)), _port(port)
{
    qRegisterMetaType<QAbstractSocket::SocketError>("QAbstractSocket::SocketError");
    // Connected first, so the cause is in place when onDisconnected() goes out: a
    // connection that ends without being asked to has been lost.
    connect(&_client, &QTcpSocket::disconnected, this, [this] {
        if (!_closeRequested && failure() == Failure::None)
            setFailure(Failure::Lost);
    });
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
    _closeRequested = false;
    _reported = false;
    setFailure(Failure::None);
    QTimer::singleShot(_checkMs, Qt::PreciseTimer, this, &TcpClientIO::onCheckTimeout);
    // Digits and dots that are no complete dotted quad ("192.168.1.", "10.0.300.1") would
    // otherwise go to the name resolver as a host name.
    if (DeviceAddress::isBadNumericHost(_host)) {
        // Nothing to try: reported as soon as the caller is back in the event loop.
        qCDebug(lcLink) << "TcpClientIO: not a valid address" << _host;
        setFailure(Failure::BadAddress);
        QTimer::singleShot(0, this, &TcpClientIO::reportFailure);
        return true;
    }
    _client.connectToHost(_host, static_cast<quint16>(_port), QIODevice::ReadWrite,
                          QAbstractSocket::AnyIPProtocol);
    return true;
}

bool TcpClientIO::close()
{
    if (_client.isOpen() || _client.state() != QAbstractSocket::UnconnectedState) {
        // Asked for: whatever the socket reports while it closes is no failure.
        _closeRequested = true;
        setFailure(Failure::None);
        _client.close();
    }
    return false;
}

int TcpClientIO::write(QByteArray data)
{
    qCDebug(lcLink) << "TcpClientIO::write" << data;
    if (!_client.isOpen())
        return 0;
    const qint64 written = _client.write(data);
    _client.flush();
    qCDebug(lcLink) << "write ok" << written;
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
    qCDebug(lcLink) << "TcpClientIO::onError" << error;
    // The first error of an attempt names its cause; the close below may add more.
    if (!_closeRequested && failure() == Failure::None)
        setFailure(failureOf(error, _connected));
    _client.close();
    // An attempt the system turned down (refused, unreachable, no such host) ends now
    // rather than at the check; a live link reports its loss through the socket.
    if (!_connected && !_closeRequested)
        reportFailure();
}

void TcpClientIO::reportFailure()
{
    if (_reported || _connected || _closeRequested)
        return;
    _reported = true;
    emit onDisconnected();
}

void TcpClientIO::onCheckTimeout()
{
    qCDebug(lcLink) << "检查连接状态" << _connected;
    if (!_connected && !_reported) {
        _client.close();
        if (failure() == Failure::None)
            setFailure(Failure::NoAnswer);
        _reported = true;
        emit onDisconnected();
    }
}

void TcpClientIO::onTCPConnected()
{
    _connected = true;
    emit onConnected();
}
