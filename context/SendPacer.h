#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QTimer>
#include <QVariant>

#include <memory>

// Paces controls that send while they move (sliders, spin boxes): per control, the first
// change goes at once, later ones at most one per interval, and the last value always
// goes. A serial line at 9600 baud is not flooded by a slider dragged across its range.
class SendPacer : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int intervalMs READ intervalMs WRITE setIntervalMs NOTIFY intervalMsChanged)
public:
    explicit SendPacer(QObject *parent = nullptr) : QObject(parent) {}

    int intervalMs() const { return _intervalMs; }
    void setIntervalMs(int ms);

    // A new value of the control `key`; `fire` goes out now or when its interval ends.
    Q_INVOKABLE void push(const QString &key, const QVariant &value);
    // Sends whatever is waiting now (for example before the board changes).
    Q_INVOKABLE void flush();

signals:
    void intervalMsChanged();
    void fire(const QString &key, const QVariant &value);

private:
    struct Control
    {
        QTimer timer;
        QVariant pending;
        bool waiting = false;
    };
    void onInterval(const QString &key);

    int _intervalMs = 100;
    QHash<QString, std::shared_ptr<Control>> _controls;
};
