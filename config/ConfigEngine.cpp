#include "ConfigEngine.h"

#include "AppContext.h"
#include "OutputLocks.h"

#include <QCoreApplication>

using namespace Config;

ConfigEngine::ConfigEngine(AppContext *ctx, QObject *parent) : QObject(parent), _ctx(ctx)
{
    _timer.setSingleShot(true);
    connect(&_timer, &QTimer::timeout, this, &ConfigEngine::onTimeout);
    connectNotes(ctx, this, [this](Note note) { onNote(note); });
}

Model ConfigEngine::deviceModel() const
{
    Model m;
    if (_ctx->deviceIdentified()) {
        m.id = _ctx->mode();
        m.inputs = _ctx->inChannels();
        m.outputs = _ctx->outChannels();
    }
    return m;
}

void ConfigEngine::read(const QSet<Area> &areas)
{
    _values.clear();
    _unread.clear();
    _model = deviceModel();
    const QVector<Item> items = plan(_model, areas);
    readNames(_ctx, items, &_values);
    start({Phase{querySteps(_ctx, _model, items, &_values), {}}});
}

ConfigEngine::Phase ConfigEngine::readBackPhase(const QVector<int> &rowIndexes)
{
    QVector<Item> items;
    for (int i : rowIndexes)
        items.append(_rows.at(i).item);
    Phase phase;
    Step names;
    names.what = areaLabel(Area::Names);
    names.query = false;
    names.send = [this, items] { readNames(_ctx, items, &_readBack); };
    phase.steps.append(names);
    phase.steps += querySteps(_ctx, _model, items, &_readBack);
    phase.after = [this, rowIndexes] {
        for (int i : rowIndexes) {
            if (!_sentRows.contains(i))
                continue;
            RowOutcome &o = _outcomes[i];
            const Row &row = _rows.at(i);
            const auto now = _readBack.constFind(row.item.key);
            if (now == _readBack.constEnd()) {
                o.outcome = Outcome::NotReadBack;
                o.note = Config::tr("the device did not report it");
                continue;
            }
            o.now = now.value();
            o.outcome = sameValue(row.item, now.value(), row.file) ? Outcome::Matches : Outcome::Differs;
        }
    };
    return phase;
}

void ConfigEngine::apply(const QVector<Row> &rows)
{
    _rows = rows;
    _outcomes = QVector<RowOutcome>(rows.size());
    _sentRows.clear();
    _readBack.clear();
    _unread.clear();
    _model = deviceModel();
    QVector<Row> parts[2]; // everything else, then the network
    QVector<int> indexes[2];
    for (int i = 0; i < rows.size(); ++i) {
        const Item &item = rows.at(i).item;
        if (item.kind == Kind::Route && _ctx->locks()->isLocked(item.port)) {
            _outcomes[i].note = Config::tr("output locked by a remote controller");
            continue;
        }
        const int part = item.area == Area::Network ? 1 : 0;
        parts[part].append(rows.at(i));
        indexes[part].append(i);
    }
    QVector<Phase> phases;
    for (int part = 0; part < 2; ++part) {
        if (parts[part].isEmpty())
            continue;
        QVector<Step> steps = changeSteps(_ctx, _model, parts[part]);
        for (Step &s : steps)
            for (int &r : s.rows)
                r = indexes[part].at(r);
        phases.append(Phase{steps, {}});
        phases.append(readBackPhase(indexes[part]));
    }
    start(phases);
}

void ConfigEngine::start(QVector<Phase> phases)
{
    _phases = std::move(phases);
    _phase = 0;
    _step = 0;
    _done = 0;
    _total = 0;
    for (const Phase &p : qAsConst(_phases))
        _total += p.steps.size();
    _cancelled = false;
    _running = true;
    _waiting = false;
    _answeredFamilies.clear();
    _deadFamilies.clear();
    ++_token;
    QMetaObject::invokeMethod(this, &ConfigEngine::runNext, Qt::QueuedConnection);
}

void ConfigEngine::cancel()
{
    if (_running)
        _cancelled = true;
}

void ConfigEngine::runNext()
{
    if (!_running)
        return;
    if (_cancelled) {
        finish(false, Config::tr("Cancelled."));
        return;
    }
    if (!_ctx->isConnected()) {
        finish(false, Config::tr("The link to the device is down."));
        return;
    }
    while (_phase < _phases.size() && _step >= _phases.at(_phase).steps.size()) {
        if (_phases.at(_phase).after)
            _phases.at(_phase).after();
        ++_phase;
        _step = 0;
    }
    if (_phase >= _phases.size()) {
        finish(true, QString());
        return;
    }
    const Step &s = _phases.at(_phase).steps.at(_step);
    if (!s.family.isEmpty() && _deadFamilies.contains(s.family)) {
        advance();
        return;
    }
    emit progress(_done, _total, s.what);
    for (int r : s.rows)
        _sentRows.insert(r);
    _attempt = 1;
    _waiting = s.note != Note::None;
    const int token = ++_token;
    if (_waiting)
        _timer.start(_timeoutMs);
    if (s.send)
        s.send(); // may run the event loop and see its answer already
    if (token == _token && !_waiting)
        advance();
}

void ConfigEngine::advance()
{
    _timer.stop();
    _waiting = false;
    ++_token;
    ++_step;
    ++_done;
    QMetaObject::invokeMethod(this, &ConfigEngine::runNext, Qt::QueuedConnection);
}

void ConfigEngine::onNote(Note note)
{
    if (!_running)
        return;
    if (note == Note::LinkDown) {
        finish(false, Config::tr("The link to the device went down."));
        return;
    }
    if (!_waiting || _phase >= _phases.size())
        return;
    const Step &s = _phases.at(_phase).steps.at(_step);
    if (note != s.note || (s.take && !s.take()))
        return;
    if (!s.family.isEmpty())
        _answeredFamilies.insert(s.family);
    advance();
}

void ConfigEngine::onTimeout()
{
    if (!_running || !_waiting)
        return;
    const QVector<Step> &steps = _phases.at(_phase).steps;
    const Step &s = steps.at(_step);
    if (s.query && _attempt == 1) {
        _attempt = 2;
        _timer.start(_timeoutMs);
        s.send();
        return;
    }
    if (s.query) {
        if (!s.family.isEmpty() && !_answeredFamilies.contains(s.family)) {
            _deadFamilies.insert(s.family);
            int others = 0;
            for (int i = _step + 1; i < steps.size(); ++i)
                others += steps.at(i).family == s.family ? 1 : 0;
            _unread.append(others > 0
                               ? Config::tr("%1: no answer after two tries; %2 more of its kind not asked")
                                     .arg(s.what)
                                     .arg(others)
                               : Config::tr("%1: no answer after two tries").arg(s.what));
        } else {
            _unread.append(Config::tr("%1: no answer after two tries").arg(s.what));
        }
    }
    // A change without an answer goes on: reading back tells what it did.
    advance();
}

void ConfigEngine::finish(bool completed, const QString &problem)
{
    if (!_running)
        return;
    _running = false;
    _waiting = false;
    _timer.stop();
    ++_token;
    for (int i : qAsConst(_sentRows)) {
        RowOutcome &o = _outcomes[i];
        if (o.outcome == Outcome::NotSent) {
            o.outcome = Outcome::NotReadBack;
            o.note = problem;
        }
    }
    for (int i = 0; i < _outcomes.size(); ++i)
        if (_outcomes.at(i).outcome == Outcome::NotSent && _outcomes.at(i).note.isEmpty())
            _outcomes[i].note = problem;
    emit progress(_total, _total, QString());
    emit finished(completed, problem);
}
