#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QString>
#include <QTimer>

#include <deque>
#include <memory>

// The last lines exchanged with the device, oldest first: lines written to the link,
// lines received, received lines no reply matched, and unfinished lines the receive
// path threw away.
//
// Lines are taken in at the rate the link delivers them but reach the model's rows in
// batches: an append only stores the line, and a short timer shows everything new with
// one insertion (and one removal at the top for lines the ring has dropped). The rows
// are the kept lines that contain the filter text; while paused, new lines are kept
// (and saved) but not shown.
class TrafficLog : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(bool paused READ paused WRITE setPaused NOTIFY pausedChanged)
    Q_PROPERTY(QString filterText READ filterText WRITE setFilterText NOTIFY filterTextChanged)
    // Both counts are notified once per batch, not per line.
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(int heldCount READ heldCount NOTIFY countChanged)
    Q_PROPERTY(int capacity READ capacity CONSTANT)
    Q_PROPERTY(int selectedCount READ selectedCount NOTIFY selectionChanged)

public:
    enum Kind : quint8
    {
        Sent,
        Received,
        Unrecognised,
        Discarded
    };
    Q_ENUM(Kind)
    enum Role
    {
        TimeRole = Qt::UserRole + 1,
        KindRole,
        TextRole,
        LineRole,
        SelectedRole
    };

    static constexpr int kCapacity = 10000;
    // Longest line text kept; the rest is replaced by a note of the full length.
    static constexpr int kMaxLineBytes = 4096;
    // How long new lines may wait before they are shown.
    static constexpr int kBatchMs = 250;
    // While the link is busy (this many lines in a batch) batches come half as often:
    // each costs the view a layout and a frame, whatever its size.
    static constexpr int kBusyLines = 1000;
    static constexpr int kBusyBatchMs = 500;

    // Milliseconds since the epoch, for the time stamps.
    using Clock = qint64 (*)();

    explicit TrafficLog(QObject *parent = nullptr, int capacity = kCapacity);
    void setClock(Clock clock) { _clock = clock; }

    // Takes what was written; a chunk of several CR LF lines becomes several lines.
    void addSent(const QByteArray &bytes);
    // Takes one received line, without its CR LF.
    void addReceived(const QByteArray &line);
    // The line last received was not recognised: marks it (or adds it when it is not
    // the last one taken).
    void markUnrecognised(const QByteArray &line);
    void addDiscarded(const QByteArray &partial);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    bool paused() const { return _paused; }
    void setPaused(bool on);
    // Rows are the lines whose text contains this (case-insensitive); changing it
    // clears the selection, so that only shown lines are ever selected.
    QString filterText() const { return _filter; }
    void setFilterText(const QString &text);
    int count() const { return int(_nextSeq - firstKept()); }
    int heldCount() const { return int(_nextSeq - qMax(_shownUpTo, firstKept())); }
    int capacity() const { return _capacity; }

    // Shows what is new now (the batch timer does this by itself).
    Q_INVOKABLE void flush();
    Q_INVOKABLE void clear();
    // Writes every kept line, shown or not, to the file: UTF-8, one line per entry.
    Q_INVOKABLE bool save(const QString &pathOrUrl) const;
    // The saved form of every kept line, as save() writes it.
    QByteArray savedText() const;

    // Selection of rows.
    Q_INVOKABLE void toggle(int row);
    // Selects the rows from..to (either order) and nothing else.
    Q_INVOKABLE void selectRange(int from, int to);
    Q_INVOKABLE void selectAll();
    Q_INVOKABLE void clearSelection();
    int selectedCount() const { return _selectedCount; }
    // The selected lines, formatted as saved, one per line, oldest first.
    Q_INVOKABLE QString selectedText() const;
    // Puts selectedText() on the clipboard; false when nothing is selected.
    Q_INVOKABLE bool copySelected() const;

    // "2026-12-08 21:05:03.123<TAB>→<TAB>PING"; marked lines say so in the middle field.
    static QByteArray formatLine(qint64 msecsSinceEpoch, Kind kind, const QString &text);
    // Device bytes as text: valid UTF-8 kept, control and stray bytes as \xHH.
    static QString lineText(const QByteArray &bytes);

signals:
    void pausedChanged();
    void filterTextChanged();
    void countChanged();
    void selectionChanged();

private:
    // A line's bytes are copied into the log's own blocks, so the receive path's buffers
    // are freed at once instead of lingering until the ring drops them.
    struct Entry
    {
        qint64 time;
        qint64 at; // position in the byte store
        int size;
        Kind kind;
        bool selected;
    };
    // Lines never straddle two blocks; a block goes when no kept line starts in it.
    static constexpr qint64 kBlockBytes = 64 * 1024;
    static_assert(kMaxLineBytes + 64 < kBlockBytes, "a kept line fits into one block");

    void append(Kind kind, const QByteArray &bytes);
    // Drops what the ring no longer keeps, with the rows showing it.
    void trim();
    bool matches(const Entry &e) const;
    // Sequence number of the oldest line kept (older ones wait for trim() to go).
    qint64 firstKept() const { return qMax(_firstSeq, _nextSeq - _capacity); }
    const Entry &entry(qint64 seq) const { return _lines[size_t(seq - _firstSeq)]; }
    Entry &entry(qint64 seq) { return _lines[size_t(seq - _firstSeq)]; }
    QByteArray formatted(const Entry &e) const;
    // The line's bytes, valid until the next change of the log.
    QByteArray bytes(const Entry &e) const;
    qint64 store(const char *data, int size);
    // Frees the blocks before the oldest kept line.
    void releaseBlocks();
    void setSelected(int row, bool on);

    const int _capacity;
    // Every line taken, oldest first; numbered from _firstSeq on.
    std::deque<Entry> _lines;
    // The byte store: block n holds positions n * kBlockBytes on; blocks from _firstBlock.
    std::deque<std::unique_ptr<char[]>> _blocks;
    std::unique_ptr<char[]> _spareBlock;
    qint64 _firstBlock = 0;
    qint64 _storeEnd = 0;
    qint64 _firstSeq = 0;
    qint64 _nextSeq = 0;
    // Lines before this one have been shown (or left out by the filter).
    qint64 _shownUpTo = 0;
    // Lines taken before the last batch.
    qint64 _batchFrom = 0;
    // The rows: sequence numbers of the shown lines, ascending.
    std::deque<qint64> _rows;
    bool _paused = false;
    QString _filter;
    int _selectedCount = 0;
    Clock _clock;
    QTimer _batch;
};
