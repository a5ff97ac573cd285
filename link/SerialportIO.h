#pragma once

#include "ClientIO.h"

#include <QSerialPort>

// ClientIO over a serial port, 8N1 without flow control. The name is either the short
// name the system lists ("ttyUSB0", "COM3") or the device's path ("/dev/pts/7").
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
    // Why opening failed, from the port's error and, where it is ambiguous, the device file.
    Failure openFailure() const;

    QString _name;
    int _baudrate = 0;
    QSerialPort _port;
    bool _closing = false; // errors raised while the link closes the port are its own
};
