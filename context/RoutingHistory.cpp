#include "RoutingHistory.h"

void RoutingHistory::beginStep()
{
    if (_openDepth++ == 0)
        _open = Step();
}

void RoutingHistory::endStep()
{
    if (_openDepth == 0 || --_openDepth > 0)
        return;
    if (!_open.empty())
        add(_open);
    _open = Step();
}

void RoutingHistory::recordRoute(const QMap<int, int> &before, const QMap<int, int> &after)
{
    if (_replaying)
        return;
    Step step;
    Step &s = _openDepth > 0 ? _open : step;
    // Within one step the first "before" of an output counts, the last "after".
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        if (!s.routesBefore.contains(it.key()))
            s.routesBefore.insert(it.key(), it.value());
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        s.routesAfter.insert(it.key(), it.value());
    if (_openDepth == 0)
        add(step);
}

void RoutingHistory::recordScene(int scene, const QMap<int, int> &before)
{
    if (_replaying)
        return;
    Step step;
    step.scene = scene;
    step.routesBefore = before;
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        step.routesAfter.insert(it.key(), 0);
    add(step);
}

void RoutingHistory::recordOutputs(const QMap<int, bool> &before, const QMap<int, bool> &after)
{
    if (_replaying)
        return;
    Step step;
    Step &s = _openDepth > 0 ? _open : step;
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        if (!s.outputsBefore.contains(it.key()))
            s.outputsBefore.insert(it.key(), it.value());
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        s.outputsAfter.insert(it.key(), it.value());
    if (_openDepth == 0)
        add(step);
}

void RoutingHistory::add(const Step &step)
{
    _undo.append(step);
    while (_undo.size() > kDepth)
        _undo.removeFirst();
    _redo.clear();
    emit changed();
}

void RoutingHistory::undo()
{
    if (_undo.isEmpty())
        return;
    const Step step = _undo.takeLast();
    _redo.append(step);
    emit changed();
    replay(step, false);
}

void RoutingHistory::redo()
{
    if (_redo.isEmpty())
        return;
    const Step step = _redo.takeLast();
    _undo.append(step);
    emit changed();
    replay(step, true);
}

void RoutingHistory::replay(const Step &step, bool forward)
{
    _replaying = true;
    if (forward && step.scene > 0) {
        emit sceneRequested(step.scene);
    } else {
        QMap<int, int> routes;
        const QMap<int, int> &source = forward ? step.routesAfter : step.routesBefore;
        for (auto it = source.cbegin(); it != source.cend(); ++it)
            if (it.value() > 0)
                routes.insert(it.key(), it.value());
        if (!routes.isEmpty())
            emit routesRequested(routes);
    }
    const QMap<int, bool> &outputs = forward ? step.outputsAfter : step.outputsBefore;
    if (!outputs.isEmpty())
        emit outputsRequested(outputs);
    _replaying = false;
}

void RoutingHistory::clear()
{
    if (_undo.isEmpty() && _redo.isEmpty())
        return;
    _undo.clear();
    _redo.clear();
    emit changed();
}
