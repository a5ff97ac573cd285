#pragma once

#include "ClientIO.h"

#include <QByteArrayList>

// A link that records every write and lets a test feed bytes as if the device had
// sent them.
class RecordingClientIO : public ClientIO
{
    Q_OBJECT
public:
    explicit RecordingClientIO(QObject *parent = nullptr) : ClientIO(parent) {}

    bool open() override;
    bool close() override;
    int write(QByteArray data) override;
    QByteArray read() override;

    // Bytes the "device" sends: queued for read() and announced with onReadReady().
    void feed(const QByteArray &bytes);
    // Reports the link as up (onConnected) or down (onDisconnected).
    void bringUp();
    void bringDown();

    bool isOpen() const { return _open; }
    QByteArrayList writes;

private:
    bool _open = false;
    QByteArray _pending;
};
