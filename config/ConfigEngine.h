#pragma once

#include "ConfigDiff.h"
#include "ConfigItems.h"
#include "ConfigSteps.h"

#include <QJsonValue>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <QVector>

#include <functional>

class AppContext;

// Reads a device's configuration and applies one, over the panel's link (the context is
// the transport). One line in flight at a time: each query waits for its answer, is asked
// again once after a silence, and is then reported as unread; each change waits for the
// device's answer (or the same silence) before the next goes out. Works without a window.
class ConfigEngine : public QObject
{
    Q_OBJECT
public:
    enum class Outcome
    {
        NotSent,     // not sent: cancelled, the link went down first, or the output is locked
        Matches,     // read back: the device now has the file's value
        Differs,     // read back: it has something else
        NotReadBack, // sent, but the device did not report it afterwards
    };
    struct RowOutcome
    {
        Outcome outcome = Outcome::NotSent;
        QJsonValue now; // what the device reported afterwards
        QString note;   // why not sent or not read back
    };

    explicit ConfigEngine(AppContext *ctx, QObject *parent = nullptr);

    static constexpr int kDefaultTimeoutMs = 1500;
    void setTimeoutMs(int ms) { _timeoutMs = qMax(1, ms); }
    int timeoutMs() const { return _timeoutMs; }

    // The connected device: model and counts, invalid while none is identified.
    Config::Model deviceModel() const;
    bool busy() const { return _running; }

    // Reads these areas of the device (names from the panel's settings).
    void read(const QSet<Config::Area> &areas);
    // Sends the rows' file values (names, routing and the rest, the network last), reading
    // back what each touched: all but the network, then the network.
    void apply(const QVector<Config::Row> &rows);
    // Stops after the line in flight.
    void cancel();

    // After read(): the values read, and a line per query that got no answer.
    QMap<QString, QJsonValue> values() const { return _values; }
    QStringList unread() const { return _unread; }
    // After apply(): what became of each row, in the order given.
    QVector<RowOutcome> outcomes() const { return _outcomes; }

signals:
    // Lines done and to do; what is under way.
    void progress(int done, int total, const QString &what);
    // completed is false when cancelled or the link went down (problem says which).
    void finished(bool completed, const QString &problem);

private:
    struct Phase
    {
        QVector<Config::Step> steps;
        std::function<void()> after;
    };

    void start(QVector<Phase> phases);
    void runNext();
    void advance();
    void onNote(Config::Note note);
    void onTimeout();
    void finish(bool completed, const QString &problem);
    Phase readBackPhase(const QVector<int> &rowIndexes);

    AppContext *_ctx;
    int _timeoutMs = kDefaultTimeoutMs;
    QTimer _timer;
    bool _running = false;
    bool _cancelled = false;
    Config::Model _model;

    QVector<Phase> _phases;
    int _phase = 0;
    int _step = 0;
    int _attempt = 0;
    int _token = 0; // bumped whenever the step in flight ends
    bool _waiting = false;
    int _done = 0;
    int _total = 0;
    QSet<QString> _answeredFamilies;
    QSet<QString> _deadFamilies;

    QMap<QString, QJsonValue> _values;
    QMap<QString, QJsonValue> _readBack;
    QStringList _unread;
    QVector<Config::Row> _rows;
    QVector<RowOutcome> _outcomes;
    QSet<int> _sentRows;
};
