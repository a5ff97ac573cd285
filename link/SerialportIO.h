#pragma once

#include "ClientIO.h"

#include <QSerialPort>

// ClientIO over a serial port, 8N1 without flow control.
class SerialportIO : public ClientIO
{
    Q_OBJECT
public:
    SerialportIO(QString name, int baudrate, QObject *parent = nullptr);

    bool open() override;
    bool close() override;
    int write(QByteArray data) override;
    QByteArray read() override;

private slots:
    void onError(QSerialPort::SerialPortError error);

private:
    QString _name;
    int _baudrate = 0;
    QSerialPort _port;
    bool _inError = false;
};
