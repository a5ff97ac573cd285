#include "RemoteClientModel.h"

int RemoteClientModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : _rows.size();
}

QVariant RemoteClientModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= _rows.size())
        return {};
    const Row &r = _rows.at(index.row());
    switch (role) {
    case AddressRole:
        return r.address;
    case SinceRole:
        return r.since.toString(QStringLiteral("hh:mm:ss"));
    case LastRequestRole:
        return r.lastRequest;
    default:
        return {};
    }
}

QHash<int, QByteArray> RemoteClientModel::roleNames() const
{
    return {{AddressRole, "address"}, {SinceRole, "since"}, {LastRequestRole, "lastRequest"}};
}

void RemoteClientModel::add(int id, const QString &address)
{
    beginInsertRows({}, _rows.size(), _rows.size());
    _rows.append({id, address, QDateTime::currentDateTime(), QString()});
    endInsertRows();
    emit countChanged();
}

void RemoteClientModel::remove(int id)
{
    const int row = rowOf(id);
    if (row < 0)
        return;
    beginRemoveRows({}, row, row);
    _rows.remove(row);
    endRemoveRows();
    emit countChanged();
}

void RemoteClientModel::request(int id, const QString &header)
{
    const int row = rowOf(id);
    if (row < 0)
        return;
    _rows[row].lastRequest = QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss ")) + header;
    const QModelIndex i = index(row);
    emit dataChanged(i, i, {LastRequestRole});
}

int RemoteClientModel::rowOf(int id) const
{
    for (int i = 0; i < _rows.size(); ++i)
        if (_rows.at(i).id == id)
            return i;
    return -1;
}
