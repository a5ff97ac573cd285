#pragma once

#include <QByteArray>
#include <QObject>

// The byte channel to one device. Knows nothing of commands or replies.
class ClientIO : public QObject
{
    Q_OBJECT
public:
    explicit ClientIO(QObject *parent = nullptr);
    ~ClientIO() override;

public slots:
    virtual bool open() = 0;
    virtual bool close() = 0;
    virtual int write(QByteArray data) = 0;
    virtual QByteArray read() = 0;

signals:
    void onConnected();
    void onDisconnected();
    void onReadReady();
};
