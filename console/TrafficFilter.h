#pragma once

#include <QSortFilterProxyModel>

class TrafficLog;

// The traffic rows the operator asked to see: those whose text contains the filter
// text (case-insensitive). Row numbers in its invokables are its own rows. Changing
// the filter clears the selection, so that only shown lines are ever selected.
class TrafficFilter : public QSortFilterProxyModel
{
    Q_OBJECT
    Q_PROPERTY(QString filterText READ filterText WRITE setFilterText NOTIFY filterTextChanged)

public:
    explicit TrafficFilter(TrafficLog *log, QObject *parent = nullptr);

    QString filterText() const { return _text; }
    void setFilterText(const QString &text);

    Q_INVOKABLE void toggle(int row);
    // Selects the rows from..to (either order) and nothing else.
    Q_INVOKABLE void selectRange(int from, int to);
    Q_INVOKABLE void selectAll();
    // Puts the selected lines on the clipboard; false when nothing is selected.
    Q_INVOKABLE bool copySelected() const;

signals:
    void filterTextChanged();

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    void selectRows(int from, int to);

    TrafficLog *_log;
    QString _text;
};
