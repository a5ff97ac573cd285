#include "TrafficLog.h"

#include <QClipboard>
#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>
#include <QUrl>

#include <cstring>

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

qint64 TrafficLog::store(const char *data, int size)
{
    if (_storeEnd % kBlockBytes + size > kBlockBytes)
        _storeEnd += kBlockBytes - _storeEnd % kBlockBytes;
    const qint64 block = _storeEnd / kBlockBytes;
    if (_blocks.empty())
        _firstBlock = block;
    while (_firstBlock + qint64(_blocks.size()) <= block)
        _blocks.push_back(_spareBlock ? std::move(_spareBlock)
                                      : std::unique_ptr<char[]>(new char[kBlockBytes]));
    const qint64 at = _storeEnd;
    if (size > 0)
        std::memcpy(_blocks[size_t(block - _firstBlock)].get() + at % kBlockBytes, data, size_t(size));
    _storeEnd += size;
    return at;
}

void TrafficLog::releaseBlocks()
{
    const qint64 keepFrom = (_lines.empty() ? _storeEnd : _lines.front().at) / kBlockBytes;
    while (!_blocks.empty() && _firstBlock < keepFrom) {
        _spareBlock = std::move(_blocks.front());
        _blocks.pop_front();
        ++_firstBlock;
    }
}

QByteArray TrafficLog::bytes(const Entry &e) const
{
    const char *block = _blocks[size_t(e.at / kBlockBytes - _firstBlock)].get();
    return QByteArray::fromRawData(block + e.at % kBlockBytes, e.size);
}

void TrafficLog::append(Kind kind, const QByteArray &bytes)
{
    Entry e{_clock(), 0, 0, kind, false};
    if (bytes.size() > kMaxLineBytes) {
        const QByteArray cut =
            bytes.left(kMaxLineBytes) + " ... (" + QByteArray::number(bytes.size()) + " bytes)";
        e.at = store(cut.constData(), cut.size());
        e.size = cut.size();
    } else {
        e.at = store(bytes.constData(), bytes.size());
        e.size = bytes.size();
    }
    _lines.push_back(e);
    ++_nextSeq;
    // Lines the ring has dropped stay until the next batch, as rows may show them;
    // a flood between two batches is cut short here.
    if (int(_lines.size()) >= 2 * _capacity)
        flush();
    else if (!_batch.isActive())
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
    if (_nextSeq > _shownUpTo && _nextSeq > _firstSeq) {
        Entry &last = _lines.back();
        const QByteArray kept = bytes(last);
        const bool same =
            kept == line || (line.size() > kMaxLineBytes && kept.startsWith(line.left(kMaxLineBytes)));
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

bool TrafficLog::matches(const Entry &e) const
{
    return _filter.isEmpty() || lineText(bytes(e)).contains(_filter, Qt::CaseInsensitive);
}

void TrafficLog::trim()
{
    const qint64 first = firstKept();
    if (first == _firstSeq)
        return;
    size_t gone = 0;
    int unselected = 0;
    while (gone < _rows.size() && _rows[gone] < first) {
        unselected += entry(_rows[gone]).selected ? 1 : 0;
        ++gone;
    }
    if (gone > 0) {
        beginRemoveRows(QModelIndex(), 0, int(gone) - 1);
        _rows.erase(_rows.begin(), _rows.begin() + qint64(gone));
    }
    _lines.erase(_lines.begin(), _lines.begin() + (first - _firstSeq));
    _firstSeq = first;
    releaseBlocks();
    if (gone > 0)
        endRemoveRows();
    if (unselected > 0) {
        _selectedCount -= unselected;
        emit selectionChanged();
    }
}

void TrafficLog::flush()
{
    _batch.stop();
    _batch.setInterval(_nextSeq - _batchFrom >= kBusyLines ? kBusyBatchMs : kBatchMs);
    _batchFrom = _nextSeq;
    std::vector<qint64> fresh;
    if (!_paused) {
        for (qint64 seq = qMax(_shownUpTo, firstKept()); seq < _nextSeq; ++seq)
            if (matches(entry(seq)))
                fresh.push_back(seq);
        _shownUpTo = _nextSeq;
    }
    // New lines that push every shown one out replace the rows in one go: a view
    // that saw the rows go first would scroll back from beyond its end.
    if (!fresh.empty() && !_rows.empty() && _rows.back() < firstKept()) {
        const int unselected = _selectedCount;
        beginResetModel();
        _lines.erase(_lines.begin(), _lines.begin() + (firstKept() - _firstSeq));
        _firstSeq = firstKept();
        releaseBlocks();
        _rows.assign(fresh.begin(), fresh.end());
        _selectedCount = 0;
        endResetModel();
        if (unselected > 0)
            emit selectionChanged();
    } else {
        trim();
        if (!fresh.empty()) {
            const int first = int(_rows.size());
            beginInsertRows(QModelIndex(), first, first + int(fresh.size()) - 1);
            _rows.insert(_rows.end(), fresh.begin(), fresh.end());
            endInsertRows();
        }
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

void TrafficLog::setFilterText(const QString &text)
{
    if (text == _filter)
        return;
    trim();
    beginResetModel();
    _filter = text;
    for (Entry &e : _lines)
        e.selected = false;
    _rows.clear();
    for (qint64 seq = _firstSeq; seq < _shownUpTo; ++seq)
        if (matches(entry(seq)))
            _rows.push_back(seq);
    endResetModel();
    emit filterTextChanged();
    if (_selectedCount > 0) {
        _selectedCount = 0;
        emit selectionChanged();
    }
}

void TrafficLog::clear()
{
    beginResetModel();
    _lines.clear();
    releaseBlocks();
    _rows.clear();
    _firstSeq = _nextSeq;
    _shownUpTo = _nextSeq;
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
    const Entry &e = entry(_rows[size_t(index.row())]);
    switch (role) {
    case TimeRole:
        return QDateTime::fromMSecsSinceEpoch(e.time).toString(QStringLiteral("HH:mm:ss.zzz"));
    case KindRole:
        return int(e.kind);
    case Qt::DisplayRole:
    case TextRole:
        return lineText(bytes(e));
    case LineRole:
        return QString::fromUtf8(formatted(e));
    case SelectedRole:
        return e.selected;
    default:
        return {};
    }
}

QHash<int, QByteArray> TrafficLog::roleNames() const
{
    return {{TimeRole, "time"},
            {KindRole, "kind"},
            {TextRole, "text"},
            {LineRole, "line"},
            {SelectedRole, "selected"}};
}

void TrafficLog::setSelected(int row, bool on)
{
    if (row < 0 || row >= int(_rows.size()))
        return;
    Entry &e = entry(_rows[size_t(row)]);
    if (e.selected == on)
        return;
    e.selected = on;
    _selectedCount += on ? 1 : -1;
    const QModelIndex i = index(row);
    emit dataChanged(i, i, {SelectedRole});
    emit selectionChanged();
}

void TrafficLog::toggle(int row)
{
    if (row >= 0 && row < int(_rows.size()))
        setSelected(row, !entry(_rows[size_t(row)]).selected);
}

void TrafficLog::selectRange(int from, int to)
{
    if (from > to)
        std::swap(from, to);
    clearSelection();
    for (int r = qMax(0, from); r <= to && r < int(_rows.size()); ++r)
        setSelected(r, true);
}

void TrafficLog::selectAll()
{
    selectRange(0, int(_rows.size()) - 1);
}

void TrafficLog::clearSelection()
{
    if (_selectedCount == 0)
        return;
    for (Entry &e : _lines)
        e.selected = false;
    _selectedCount = 0;
    if (!_rows.empty())
        emit dataChanged(index(0), index(int(_rows.size()) - 1), {SelectedRole});
    emit selectionChanged();
}

QString TrafficLog::selectedText() const
{
    QByteArray out;
    if (_selectedCount > 0)
        for (qint64 seq : _rows) {
            const Entry &e = entry(seq);
            if (e.selected) {
                out += formatted(e);
                out += '\n';
            }
        }
    return QString::fromUtf8(out);
}

bool TrafficLog::copySelected() const
{
    const QString text = selectedText();
    if (text.isEmpty())
        return false;
    if (QClipboard *clip = QGuiApplication::clipboard())
        clip->setText(text);
    return true;
}

QByteArray TrafficLog::formatted(const Entry &e) const
{
    return formatLine(e.time, e.kind, lineText(bytes(e)));
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
    for (qint64 seq = firstKept(); seq < _nextSeq; ++seq) {
        out += formatted(entry(seq));
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
