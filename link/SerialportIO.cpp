#include "SerialportIO.h"

#include <QDebug>

SerialportIO::SerialportIO(QString name, int baudrate, QObject *parent)
    : ClientIO(parent), _name(std::move(name)), _baudrate(baudrate)
{
}

bool SerialportIO::open()
{
    if (_port.isOpen()) {
        _port.clear(QSerialPort::AllDirections);
        _port.close();
    }
    _port.setPortName(_name);
    if (!_port.open(QIODevice::ReadWrite)) {
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

bool SerialportIO::close()
{
    if (_port.isOpen()) {
        _port.clear(QSerialPort::AllDirections);
        _port.close();
        emit onDisconnected();
    }
    return true;
}

int SerialportIO::write(QByteArray data)
{
    qDebug() << "SerialportIO::write" << data;
    if (!_port.isOpen())
        return 0;
    const qint64 written = _port.write(data);
    _port.flush();
    qDebug() << "write ok" << written;
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
    // that is not a failure of the link.
    if (error == QSerialPort::NoError)
        return;
    if (_inError) // closing a broken port can report further errors
        return;
    qDebug() << "SerialportIO::onError" << error;
    // A port whose other end went away keeps reporting errors in a busy loop while it
    // stays open, so close it on the first one.
    _inError = true;
    if (_port.isOpen())
        _port.close();
    _inError = false;
    emit onDisconnected();
}
