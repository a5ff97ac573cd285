#pragma once

#include <QList>
#include <QMap>
#include <QObject>

// Undo and redo of the operator's routing actions. A step is one action (a routing
// click, "One To All", "One To One", a scene recall, a restore of changes made elsewhere,
// a remote client's route, switching outputs on or off) and remembers what the touched
// outputs showed before it, as the device last confirmed it. Undo asks for exactly that
// back; redo asks for the action again. The last 20 steps are kept; a new action drops
// what could be redone; a lost link clears everything.
class RoutingHistory : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool canUndo READ canUndo NOTIFY changed)
    Q_PROPERTY(bool canRedo READ canRedo NOTIFY changed)
public:
    static constexpr int kDepth = 20;

    explicit RoutingHistory(QObject *parent = nullptr) : QObject(parent) {}

    bool canUndo() const { return !_undo.isEmpty(); }
    bool canRedo() const { return !_redo.isEmpty(); }
    int undoDepth() const { return _undo.size(); }

    // Several commands as one step (a take, a restore, a remote client's block).
    Q_INVOKABLE void beginStep();
    Q_INVOKABLE void endStep();

    // Routing went out: for each output, the input it showed before (only outputs whose
    // input is known) and the input asked for (0: whatever a recalled scene holds).
    void recordRoute(const QMap<int, int> &before, const QMap<int, int> &after);
    // A scene recall: redone by recalling the scene again.
    void recordScene(int scene, const QMap<int, int> &before);
    // Outputs switched on or off: their states before and after.
    void recordOutputs(const QMap<int, bool> &before, const QMap<int, bool> &after);

    Q_INVOKABLE void undo();
    Q_INVOKABLE void redo();
    void clear();
    // True while an undo or redo sends its commands: they are not recorded again.
    bool replaying() const { return _replaying; }

signals:
    void changed();
    // What undo and redo ask the context to send.
    void routesRequested(const QMap<int, int> &outputToInput);
    void sceneRequested(int scene);
    void outputsRequested(const QMap<int, bool> &states);

private:
    struct Step
    {
        QMap<int, int> routesBefore;
        QMap<int, int> routesAfter; // 0 entries are left to the device
        QMap<int, bool> outputsBefore;
        QMap<int, bool> outputsAfter;
        int scene = 0;
        bool empty() const { return routesBefore.isEmpty() && routesAfter.isEmpty() && outputsAfter.isEmpty(); }
    };
    void add(const Step &step);
    void replay(const Step &step, bool forward);

    QList<Step> _undo;
    QList<Step> _redo;
    Step _open;
    int _openDepth = 0;
    bool _replaying = false;
};
