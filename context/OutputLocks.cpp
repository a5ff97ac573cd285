#include "OutputLocks.h"

bool OutputLocks::lock(int output, const QString &owner, const QString &holderText)
{
    const auto it = _locks.constFind(output);
    if (it != _locks.constEnd())
        return it->owner == owner;
    _locks.insert(output, {owner, holderText, QDateTime::currentDateTime()});
    notify(output);
    return true;
}

bool OutputLocks::unlock(int output, const QString &owner)
{
    const auto it = _locks.constFind(output);
    if (it == _locks.constEnd())
        return true;
    if (it->owner != owner)
        return false;
    _locks.remove(output);
    notify(output);
    return true;
}

void OutputLocks::forceUnlock(int output)
{
    if (_locks.remove(output) > 0)
        notify(output);
}

QString OutputLocks::since(int output) const
{
    const auto it = _locks.constFind(output);
    return it == _locks.constEnd() ? QString() : it->since.toString(QStringLiteral("hh:mm:ss"));
}

QList<int> OutputLocks::lockedAmong(const QList<int> &outputs) const
{
    QList<int> locked;
    for (int o : outputs)
        if (_locks.contains(o))
            locked.append(o);
    return locked;
}

QVariantList OutputLocks::lockedAmong(const QVariantList &outputs) const
{
    QVariantList locked;
    for (const QVariant &v : outputs)
        if (_locks.contains(v.toInt()))
            locked.append(v.toInt());
    return locked;
}

bool OutputLocks::lockedAgainst(int output, const QString &owner) const
{
    const auto it = _locks.constFind(output);
    return it != _locks.constEnd() && (owner.isEmpty() || it->owner != owner);
}

void OutputLocks::notify(int output)
{
    ++_revision;
    emit changed({output});
}
