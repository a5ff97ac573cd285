#pragma once

#include <QByteArray>
#include <QObject>

// The byte channel to one device. Knows nothing of commands or replies.
class ClientIO : public QObject
{
    Q_OBJECT
public:
    // Why the link went down (or never came up), as far as the link itself knows it.
    // Read it when onDisconnected() arrives; None after a close that was asked for.
    enum class Failure
    {
        None,
        Refused,          // the device's address refused the connection
        NoAnswer,         // nothing answered within the connection check
        Unreachable,      // host or network unreachable
        BadAddress,       // not a usable address
        PortNotFound,     // the serial port does not exist
        PortBusy,         // the serial port is held by another program
        PermissionDenied, // the serial port may not be opened by this user
        Lost,             // a live link dropped (device unplugged or closed the link)
    };

    explicit ClientIO(QObject *parent = nullptr);
    ~ClientIO() override;

    Failure failure() const { return _failure; }

public slots:
    virtual bool open() = 0;
    virtual bool close() = 0;
    virtual int write(QByteArray data) = 0;
    virtual QByteArray read() = 0;

signals:
    void onConnected();
    void onDisconnected();
    void onReadReady();

protected:
    void setFailure(Failure failure) { _failure = failure; }

private:
    Failure _failure = Failure::None;
};
