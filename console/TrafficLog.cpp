#include "TrafficLog.h"

#include <QDateTime>
#include <QFile>
#include <QSaveFile>
#include <QUrl>

namespace {

const char *kindField(TrafficLog::Kind kind)
{
    switch (kind) {
    case TrafficLog::Sent:
        return "\xe2\x86\x92"; // →
    case TrafficLog::Received:
        return "\xe2\x86\x90"; // ←
    case TrafficLog::Unrecognised:
        return "\xe2\x86\x90 (unrecognised)";
    case TrafficLog::Discarded:
        return "\xe2\x86\x90 (discarded partial line)";
    }
    return "?";
}

// Length of the valid UTF-8 sequence of two or more bytes starting at p, or 0.
int utf8Sequence(const unsigned char *p, int left)
{
    const unsigned char c = p[0];
    int len = 0;
    unsigned int min = 0;
    unsigned int cp = 0;
    if (c >= 0xc2 && c <= 0xdf) {
        len = 2;
        cp = c & 0x1f;
        min = 0x80;
    } else if (c >= 0xe0 && c <= 0xef) {
        len = 3;
        cp = c & 0x0f;
        min = 0x800;
    } else if (c >= 0xf0 && c <= 0xf4) {
        len = 4;
        cp = c & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (left < len)
        return 0;
    for (int i = 1; i < len; ++i) {
        if ((p[i] & 0xc0) != 0x80)
            return 0;
        cp = (cp << 6) | (p[i] & 0x3f);
    }
    if (cp < min || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff))
        return 0;
    return len;
}

} // namespace

TrafficLog::TrafficLog(QObject *parent, int capacity)
    : QAbstractListModel(parent), _capacity(qMax(1, capacity)), _clock(&QDateTime::currentMSecsSinceEpoch)
{
    _batch.setSingleShot(true);
    _batch.setInterval(kBatchMs);
    connect(&_batch, &QTimer::timeout, this, &TrafficLog::flush);
}

void TrafficLog::append(Kind kind, const QByteArray &bytes)
{
    Entry e{_clock(), kind, false, bytes};
    if (bytes.size() > kMaxLineBytes) {
        e.bytes = bytes.left(kMaxLineBytes);
        e.bytes += " ... (" + QByteArray::number(bytes.size()) + " bytes)";
    }
    _held.push_back(std::move(e));
    // Queued lines are newer than every shown one: a full queue leaves no room for
    // rows either, and flush() drops them all.
    if (int(_held.size()) > _capacity)
        _held.pop_front();
    if (!_batch.isActive())
        _batch.start();
}

void TrafficLog::addSent(const QByteArray &bytes)
{
    int from = 0;
    while (from < bytes.size()) {
        int end = bytes.indexOf("\r\n", from);
        if (end < 0)
            end = bytes.size();
        append(Sent, bytes.mid(from, end - from));
        from = end + 2;
    }
}

void TrafficLog::addReceived(const QByteArray &line)
{
    append(Received, line);
}

void TrafficLog::markUnrecognised(const QByteArray &line)
{
    if (!_held.empty()) {
        Entry &last = _held.back();
        const bool same = last.bytes == line ||
                          (line.size() > kMaxLineBytes && last.bytes.startsWith(line.left(kMaxLineBytes)));
        if (last.kind == Received && same) {
            last.kind = Unrecognised;
            return;
        }
    }
    append(Unrecognised, line);
}

void TrafficLog::addDiscarded(const QByteArray &partial)
{
    if (!partial.isEmpty())
        append(Discarded, partial);
}

void TrafficLog::trimRows()
{
    const int excess = count() - _capacity;
    const int drop = qMin(excess, int(_rows.size()));
    if (drop <= 0)
        return;
    int unselected = 0;
    for (int i = 0; i < drop; ++i)
        unselected += _rows[size_t(i)].selected ? 1 : 0;
    beginRemoveRows(QModelIndex(), 0, drop - 1);
    _rows.erase(_rows.begin(), _rows.begin() + drop);
    endRemoveRows();
    if (unselected > 0) {
        _selectedCount -= unselected;
        emit selectionChanged();
    }
}

void TrafficLog::flush()
{
    _batch.stop();
    trimRows();
    if (!_paused && !_held.empty()) {
        const int first = int(_rows.size());
        beginInsertRows(QModelIndex(), first, first + int(_held.size()) - 1);
        for (Entry &e : _held)
            _rows.push_back(std::move(e));
        _held.clear();
        endInsertRows();
    }
    emit countChanged();
}

void TrafficLog::setPaused(bool on)
{
    if (_paused == on)
        return;
    _paused = on;
    emit pausedChanged();
    if (!on)
        flush();
}

void TrafficLog::clear()
{
    beginResetModel();
    _rows.clear();
    _held.clear();
    endResetModel();
    emit countChanged();
    if (_selectedCount > 0) {
        _selectedCount = 0;
        emit selectionChanged();
    }
}

int TrafficLog::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(_rows.size());
}

QVariant TrafficLog::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= int(_rows.size()))
        return {};
    const Entry &e = _rows[size_t(index.row())];
    switch (role) {
    case TimeRole:
        return QDateTime::fromMSecsSinceEpoch(e.time).toString(QStringLiteral("HH:mm:ss.zzz"));
    case KindRole:
        return int(e.kind);
    case Qt::DisplayRole:
    case TextRole:
        return lineText(e.bytes);
    case LineRole:
        return QString::fromUtf8(formatLine(e.time, e.kind, lineText(e.bytes)));
    case SelectedRole:
        return e.selected;
    default:
        return {};
    }
}

bool TrafficLog::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != SelectedRole || !index.isValid() || index.row() >= int(_rows.size()))
        return false;
    setSelected(index.row(), value.toBool());
    return true;
}

void TrafficLog::setSelected(int row, bool on)
{
    if (row < 0 || row >= int(_rows.size()))
        return;
    Entry &e = _rows[size_t(row)];
    if (e.selected == on)
        return;
    e.selected = on;
    _selectedCount += on ? 1 : -1;
    const QModelIndex i = index(row);
    emit dataChanged(i, i, {SelectedRole});
    emit selectionChanged();
}

void TrafficLog::clearSelection()
{
    if (_selectedCount == 0)
        return;
    for (Entry &e : _rows)
        e.selected = false;
    _selectedCount = 0;
    emit dataChanged(index(0), index(int(_rows.size()) - 1), {SelectedRole});
    emit selectionChanged();
}

QHash<int, QByteArray> TrafficLog::roleNames() const
{
    return {{TimeRole, "time"},
            {KindRole, "kind"},
            {TextRole, "text"},
            {LineRole, "line"},
            {SelectedRole, "selected"}};
}

QString TrafficLog::lineText(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const int n = bytes.size();
    int i = 0;
    while (i < n && p[i] >= 0x20 && p[i] < 0x7f)
        ++i;
    if (i == n) // the usual reply: printable ASCII only
        return QString::fromLatin1(bytes);
    QByteArray out = bytes.left(i);
    static const char hex[] = "0123456789ABCDEF";
    while (i < n) {
        const unsigned char c = p[i];
        if (c >= 0x20 && c < 0x7f) {
            out += char(c);
            ++i;
            continue;
        }
        const int len = c >= 0x80 ? utf8Sequence(p + i, n - i) : 0;
        if (len > 0) {
            out.append(bytes.constData() + i, len);
            i += len;
            continue;
        }
        out += "\\x";
        out += hex[c >> 4];
        out += hex[c & 0xf];
        ++i;
    }
    return QString::fromUtf8(out);
}

QByteArray TrafficLog::formatLine(qint64 msecsSinceEpoch, Kind kind, const QString &text)
{
    QByteArray line = QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch)
                          .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"))
                          .toLatin1();
    line += '\t';
    line += kindField(kind);
    line += '\t';
    line += text.toUtf8();
    return line;
}

QByteArray TrafficLog::savedText() const
{
    QByteArray out;
    for (const std::deque<Entry> *part : {&_rows, &_held})
        for (const Entry &e : *part) {
            out += formatLine(e.time, e.kind, lineText(e.bytes));
            out += '\n';
        }
    return out;
}

bool TrafficLog::save(const QString &pathOrUrl) const
{
    const QUrl url(pathOrUrl);
    const QString path = url.isLocalFile() ? url.toLocalFile() : pathOrUrl;
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray text = savedText();
    if (file.write(text) != text.size())
        return false;
    return file.commit();
}

QString TrafficLog::selectedText() const
{
    QByteArray out;
    if (_selectedCount > 0)
        for (const Entry &e : _rows)
            if (e.selected) {
                out += formatLine(e.time, e.kind, lineText(e.bytes));
                out += '\n';
            }
    return QString::fromUtf8(out);
}
