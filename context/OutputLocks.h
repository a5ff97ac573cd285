#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariantList>

// Outputs locked against routing by a remote controller. A lock has an owner (an opaque
// key the locking side chooses, e.g. one per router-protocol connection) and a text the
// panel shows for it. Locks live as long as the process: they survive the owner going
// away until they are released or forced open, and they are never stored.
class OutputLocks : public QObject
{
    Q_OBJECT
    // Bumped on every change, for bindings that look locks up.
    Q_PROPERTY(int revision READ revision NOTIFY changed)
public:
    explicit OutputLocks(QObject *parent = nullptr) : QObject(parent) {}

    int revision() const { return _revision; }

    // Takes the lock of an output (from 1) for owner; false when another owner holds it.
    bool lock(int output, const QString &owner, const QString &holderText);
    // Releases owner's own lock; false when another owner holds it (unlocked is fine).
    bool unlock(int output, const QString &owner);
    // Opens the lock whoever holds it.
    Q_INVOKABLE void forceUnlock(int output);

    Q_INVOKABLE bool isLocked(int output) const { return _locks.contains(output); }
    QString owner(int output) const { return _locks.value(output).owner; }
    // Who holds the lock, as the panel says it ("router client 127.0.0.1:50412").
    Q_INVOKABLE QString holder(int output) const { return _locks.value(output).holder; }
    // When the lock was taken, local time "hh:mm:ss"; empty when unlocked.
    Q_INVOKABLE QString since(int output) const;
    // The locked ones among outputs, in the order given.
    Q_INVOKABLE QVariantList lockedAmong(const QVariantList &outputs) const;
    QList<int> lockedAmong(const QList<int> &outputs) const;
    // Locks held by another owner than this one (empty owner: by anyone).
    bool lockedAgainst(int output, const QString &owner) const;

signals:
    // The outputs whose lock state changed.
    void changed(const QList<int> &outputs);

private:
    struct Lock
    {
        QString owner;
        QString holder;
        QDateTime since;
    };
    void notify(int output);

    QHash<int, Lock> _locks;
    int _revision = 0;
};
