#pragma once

#include <QAbstractListModel>
#include <QDateTime>
#include <QVector>

// The router-protocol clients connected now, for the remote-control window.
class RemoteClientModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)
public:
    enum Role
    {
        AddressRole = Qt::UserRole + 1,
        SinceRole,       // "hh:mm:ss" local time
        LastRequestRole, // "hh:mm:ss HEADER", empty before the first request
    };

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    void add(int id, const QString &address);
    void remove(int id);
    void request(int id, const QString &header);

signals:
    void countChanged();

private:
    struct Row
    {
        int id;
        QString address;
        QDateTime since;
        QString lastRequest;
    };
    int rowOf(int id) const;
    QVector<Row> _rows;
};
