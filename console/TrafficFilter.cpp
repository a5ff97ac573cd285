#include "TrafficFilter.h"

#include "TrafficLog.h"

#include <QClipboard>
#include <QGuiApplication>

TrafficFilter::TrafficFilter(TrafficLog *log, QObject *parent) : QSortFilterProxyModel(parent), _log(log)
{
    setSourceModel(log);
}

void TrafficFilter::setFilterText(const QString &text)
{
    if (text == _text)
        return;
    _text = text;
    _log->clearSelection();
    invalidateFilter();
    emit filterTextChanged();
}

bool TrafficFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    if (_text.isEmpty())
        return true;
    const QModelIndex i = _log->index(sourceRow, 0, sourceParent);
    return _log->data(i, TrafficLog::TextRole).toString().contains(_text, Qt::CaseInsensitive);
}

void TrafficFilter::selectRows(int from, int to)
{
    for (int r = qMax(0, from); r <= to && r < rowCount(); ++r)
        _log->setSelected(mapToSource(index(r, 0)).row(), true);
}

void TrafficFilter::toggle(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    const int source = mapToSource(index(row, 0)).row();
    _log->setSelected(source, !_log->data(_log->index(source), TrafficLog::SelectedRole).toBool());
}

void TrafficFilter::selectRange(int from, int to)
{
    if (from > to)
        std::swap(from, to);
    _log->clearSelection();
    selectRows(from, to);
}

void TrafficFilter::selectAll()
{
    selectRows(0, rowCount() - 1);
}

bool TrafficFilter::copySelected() const
{
    const QString text = _log->selectedText();
    if (text.isEmpty())
        return false;
    if (QClipboard *clip = QGuiApplication::clipboard())
        clip->setText(text);
    return true;
}
