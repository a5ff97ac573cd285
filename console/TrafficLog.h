#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QString>
#include <QTimer>

#include <deque>

// The last lines exchanged with the device, oldest first: lines written to the link,
// lines received, received lines no reply matched, and unfinished lines the receive
// path threw away.
//
// Lines are taken in at the rate the link delivers them but reach the model's rows in
// batches: an append only queues the line, and a short timer moves everything queued
// into the rows with one insertion (and one removal at the top once the ring is full).
// While paused, queued lines stay queued: they are kept (and saved) but not shown.
class TrafficLog : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(bool paused READ paused WRITE setPaused NOTIFY pausedChanged)
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
    // How long appended lines may wait before they are shown.
    static constexpr int kBatchMs = 40;

    // Milliseconds since the epoch, for the time stamps.
    using Clock = qint64 (*)();

    explicit TrafficLog(QObject *parent = nullptr, int capacity = kCapacity);
    void setClock(Clock clock) { _clock = clock; }

    // Takes one line; without its CR LF. A sent chunk may hold several CR LF lines.
    void addSent(const QByteArray &bytes);
    void addReceived(const QByteArray &line);
    // The line last received was not recognised: marks it (or adds it when it is not
    // the last one taken).
    void markUnrecognised(const QByteArray &line);
    void addDiscarded(const QByteArray &partial);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    QHash<int, QByteArray> roleNames() const override;

    bool paused() const { return _paused; }
    void setPaused(bool on);
    int count() const { return int(_rows.size() + _held.size()); }
    int heldCount() const { return int(_held.size()); }
    int capacity() const { return _capacity; }

    // Shows what is queued now (the batch timer does this by itself).
    Q_INVOKABLE void flush();
    Q_INVOKABLE void clear();
    // Writes every kept line, shown or held, to the file: UTF-8, one line per entry.
    Q_INVOKABLE bool save(const QString &pathOrUrl) const;
    // The saved form of every kept line, as save() writes it.
    QByteArray savedText() const;

    // "2026-12-08 21:05:03.123<TAB>→<TAB>PING"; marked lines say so in the middle field.
    static QByteArray formatLine(qint64 msecsSinceEpoch, Kind kind, const QString &text);
    // Device bytes as text: valid UTF-8 kept, control and stray bytes as \xHH.
    static QString lineText(const QByteArray &bytes);

    // Selection, kept on the rows themselves.
    void setSelected(int row, bool on);
    Q_INVOKABLE void clearSelection();
    int selectedCount() const { return _selectedCount; }
    // The selected rows, formatted as saved, one per line, oldest first.
    QString selectedText() const;

signals:
    void pausedChanged();
    void countChanged();
    void selectionChanged();

private:
    struct Entry
    {
        qint64 time;
        Kind kind;
        bool selected;
        QByteArray bytes;
    };

    void append(Kind kind, const QByteArray &bytes);
    void trimRows();

    const int _capacity;
    std::deque<Entry> _rows; // shown, oldest first
    std::deque<Entry> _held; // taken but not shown yet, oldest first
    bool _paused = false;
    Clock _clock;
    int _selectedCount = 0;
    QTimer _batch;
};
