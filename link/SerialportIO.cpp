#include "SerialportIO.h"

#include "LinkLog.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

SerialportIO::SerialportIO(QString name, int baudrate, QObject *parent)
    : ClientIO(parent), _name(std::move(name)), _baudrate(baudrate)
{
}

bool SerialportIO::open()
{
    if (_port.isOpen()) {
        _closing = true;
        _port.clear(QSerialPort::AllDirections);
        _port.close();
        _closing = false;
    }
    setFailure(Failure::None);
    _port.setPortName(_name);
    if (!_port.open(QIODevice::ReadWrite)) {
        qCDebug(lcLink) << "SerialportIO::open" << _name << _port.errorString();
        setFailure(openFailure());
        emit onDisconnected();
        return false;
    }
    _port.setBaudRate(_baudrate, QSerialPort::AllDirections);
    _port.setStopBits(QSerialPort::OneStop);
    _port.setDataBits(QSerialPort::Data8);
    _port.setParity(QSerialPort::NoParity);
    _port.setFlowControl(QSerialPort::NoFlowControl);

    connect(&_port, &QSerialPort::readyRead, this, &ClientIO::onReadReady);
    connect(&_port, &QSerialPort::errorOccurred, this, &SerialportIO::onError);
    emit onConnected();
    return true;
}

ClientIO::Failure SerialportIO::openFailure() const
{
    switch (_port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return Failure::PortNotFound;
    case QSerialPort::PermissionError:
        break;
    default:
        return Failure::PortBusy;
    }
#ifdef Q_OS_UNIX
    // The port reports a lock held by another program, an exclusive open elsewhere and
    // a device file this user may not open all as a permission error; only the last is
    // the user's rights.
    const QString path = _name.startsWith(QLatin1Char('/')) ? _name : QStringLiteral("/dev/") + _name;
    if (::access(QFile::encodeName(path).constData(), R_OK | W_OK) != 0 && errno == EACCES)
        return Failure::PermissionDenied;
#endif
    return Failure::PortBusy;
}

bool SerialportIO::close()
{
    if (!_port.isOpen())
        return true;
    // Clearing or closing a port whose device has gone raises errors; they belong to this
    // close, which reports the disconnection once below.
    _closing = true;
    _port.clear(QSerialPort::AllDirections);
    _port.close();
    _closing = false;
    setFailure(Failure::None);
    emit onDisconnected();
    return true;
}

int SerialportIO::write(QByteArray data)
{
    qCDebug(lcLink) << "SerialportIO::write" << data;
    if (!_port.isOpen())
        return 0;
    const qint64 written = _port.write(data);
    _port.flush();
    qCDebug(lcLink) << "write ok" << written;
    return 1;
}

QByteArray SerialportIO::read()
{
    if (!_port.isOpen())
        return QByteArray();
    return _port.readAll();
}

void SerialportIO::onError(QSerialPort::SerialPortError error)
{
    // QSerialPort reports NoError when an error is cleared (for example by close());
    // that is not a failure of the link. Neither is an error raised while the link
    // closes the port itself, nor one on a port that is closed already (it has been
    // reported).
    if (error == QSerialPort::NoError || _closing || !_port.isOpen())
        return;
    qCDebug(lcLink) << "SerialportIO::onError" << error;
    // A port whose other end went away keeps reporting errors in a busy loop while it
    // stays open, so close it on the first one.
    _closing = true;
    _port.close();
    _closing = false;
    setFailure(Failure::Lost);
    emit onDisconnected();
}
