#pragma once

#include <QMap>
#include <QObject>
#include <QTimer>
#include <QVariantList>
#include <QVector>

// What became of each routing command: every output a command touched is pending until a
// routing report shows the input asked for, then confirmed. A report that has not shown
// it after the confirmation wait brings one routing query; still not shown after a second
// wait, the output did not switch. A report that changes outputs no command of ours is
// waiting for is a change made elsewhere (front panel, infrared, another controller).
class RouteWatch : public QObject
{
    Q_OBJECT
    // Bumped on every change of a mark, for bindings that look marks up.
    Q_PROPERTY(int revision READ revision NOTIFY marksChanged)
    // The changes made elsewhere not yet kept or restored: {output, from, to} each.
    Q_PROPERTY(QVariantList changesElsewhere READ changesElsewhere NOTIFY changesElsewhereChanged)
    // The device reported its routing on the current link: before that, a routing kept
    // from an earlier link or device is not to be shown as current.
    Q_PROPERTY(bool known READ known NOTIFY knownChanged)

public:
    enum Mark
    {
        None = 0,
        Pending = 1,
        Confirmed = 2,
        NotConfirmed = 3,
        ChangedElsewhere = 4,
    };
    Q_ENUM(Mark)

    explicit RouteWatch(QObject *parent = nullptr);

    // confirmMs: the wait before the query and again before giving up; pollMs: routing
    // query while idle (0: never).
    void setTimings(int confirmMs, int pollMs);
    int revision() const { return _revision; }
    bool known() const { return !_known.isEmpty(); }
    QVariantList changesElsewhere() const;
    Q_INVOKABLE int markOf(int output) const { return _marks.value(output, None); }
    // The input a pending or failed output was asked to show (0: any).
    Q_INVOKABLE int expectedInput(int output) const { return _expected.value(output, 0); }

    // A routing command went out: the input each output was asked to show; 0 for "what
    // the device reports" (a scene recall).
    void expect(const QMap<int, int> &outputToInput);
    // A routing report: the input of each output, index 0 for output 1 (0: not named).
    void report(const QVector<int> &routing);
    // The device changes routes by itself while its scene loop runs.
    void setDeviceRoutesByItself(bool on) { _deviceRoutes = on; }
    void linkUp();
    void linkDown();
    // No command is waiting for its report.
    bool idle() const { return _expected.isEmpty(); }

    // Accept the changes made elsewhere as they are.
    Q_INVOKABLE void keepChanges();
    // Ask for the outputs changed elsewhere to go back to their inputs before the change.
    Q_INVOKABLE void restoreChanges();

signals:
    void marksChanged();
    void changesElsewhereChanged();
    void knownChanged();
    // The context sends one routing query.
    void queryRequested(bool poll);
    // Outputs that did not switch: {output, input} each.
    void notConfirmed(const QVariantList &failures);
    // Send these routes back (output -> input).
    void restoreRequested(const QMap<int, int> &outputToInput);

private:
    struct Change
    {
        int output;
        int from;
        int to;
    };
    void setMark(int output, Mark mark);
    void onConfirmWait();
    void clearConfirmedLater();

    QMap<int, int> _expected; // pending outputs and the input each waits for (0: any)
    QMap<int, Mark> _marks;
    QVector<int> _known;      // last reported input per output
    QList<Change> _changes;
    bool _queried = false;    // the one query of this wait went out
    bool _deviceRoutes = false;
    int _revision = 0;
    int _confirmMs = 1500;
    QTimer _confirm;
    QTimer _poll;
    QTimer _fade;             // confirmed marks go after a while
};
