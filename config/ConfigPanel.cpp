#include "ConfigPanel.h"

#include "AppContext.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>

using namespace Config;

namespace {

// Two sentences one after the other, as the language writes them.
QString sentences(const QString &first, const QString &second)
{
    return Config::tr("%1 %2").arg(first, second);
}

QSet<Area> everyArea()
{
    QSet<Area> areas;
    for (Area a : allAreas())
        areas.insert(a);
    return areas;
}

} // namespace

// ---- rows ----

int ConfigRows::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : _rows.size();
}

QHash<int, QByteArray> ConfigRows::roleNames() const
{
    return {{AreaIdRole, "areaId"},   {AreaRole, "area"},     {ItemRole, "item"},
            {DeviceRole, "device"},   {FileRole, "file"},     {CheckedRole, "checked"},
            {NetworkRole, "network"}, {ResultRole, "result"}, {ResultTextRole, "resultText"}};
}

QVariant ConfigRows::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= _rows.size())
        return QVariant();
    const Row &row = _rows.at(index.row());
    const bool hasOutcome = index.row() < _outcomes.size();
    const ConfigEngine::RowOutcome outcome =
        hasOutcome ? _outcomes.at(index.row()) : ConfigEngine::RowOutcome();
    switch (role) {
    case AreaIdRole:
        return areaId(row.item.area);
    case AreaRole:
        return Config::areaLabel(row.item.area);
    case ItemRole:
        return itemLabel(row.item, _model);
    case DeviceRole:
        return valueText(row.item, row.device);
    case FileRole:
        return valueText(row.item, row.file);
    case CheckedRole:
        return _checked.at(index.row());
    case NetworkRole:
        return row.item.area == Area::Network;
    case ResultRole:
        if (!hasOutcome)
            return QString();
        switch (outcome.outcome) {
        case ConfigEngine::Outcome::Matches:
            return QStringLiteral("matches");
        case ConfigEngine::Outcome::Differs:
            return QStringLiteral("differs");
        case ConfigEngine::Outcome::NotReadBack:
            return QStringLiteral("notReadBack");
        case ConfigEngine::Outcome::NotSent:
            return QStringLiteral("notSent");
        }
        return QString();
    case ResultTextRole:
        if (!hasOutcome)
            return QString();
        switch (outcome.outcome) {
        case ConfigEngine::Outcome::Matches:
            return Config::tr("Matches the file");
        case ConfigEngine::Outcome::Differs:
            return Config::tr("Still differs: %1").arg(valueText(row.item, outcome.now));
        case ConfigEngine::Outcome::NotReadBack:
            return outcome.note.isEmpty() ? Config::tr("Sent, not read back")
                                          : Config::tr("Sent, not read back: %1").arg(outcome.note);
        case ConfigEngine::Outcome::NotSent:
            if (!_checked.at(index.row()))
                return Config::tr("Not sent (unchecked)");
            return outcome.note.isEmpty() ? Config::tr("Not sent")
                                          : Config::tr("Not sent: %1").arg(outcome.note);
        }
        return QString();
    default:
        return QVariant();
    }
}

void ConfigRows::reset(const Model &model, const QVector<Row> &rows)
{
    beginResetModel();
    _model = model;
    _rows = rows;
    _checked = QVector<bool>(rows.size(), true);
    _outcomes.clear();
    endResetModel();
}

void ConfigRows::setOutcomes(const QVector<ConfigEngine::RowOutcome> &ofChecked)
{
    // The engine saw the checked rows only, in order; the others were not sent.
    _outcomes = QVector<ConfigEngine::RowOutcome>(_rows.size());
    int next = 0;
    for (int i = 0; i < _rows.size(); ++i)
        if (_checked.at(i) && next < ofChecked.size())
            _outcomes[i] = ofChecked.at(next++);
    if (!_rows.isEmpty())
        emit dataChanged(index(0), index(_rows.size() - 1), {ResultRole, ResultTextRole});
}

void ConfigRows::setChecked(int row, bool on)
{
    if (row < 0 || row >= _rows.size() || _checked.at(row) == on)
        return;
    _checked[row] = on;
    emit dataChanged(index(row), index(row), {CheckedRole});
}

void ConfigRows::setAreaChecked(const QString &id, bool on)
{
    for (int i = 0; i < _rows.size(); ++i)
        if (areaId(_rows.at(i).item.area) == id)
            setChecked(i, on);
}

int ConfigRows::areaState(const QString &id) const
{
    int rows = 0, checked = 0;
    for (int i = 0; i < _rows.size(); ++i)
        if (areaId(_rows.at(i).item.area) == id) {
            ++rows;
            checked += _checked.at(i) ? 1 : 0;
        }
    return checked == 0 ? 0 : checked == rows ? 2 : 1;
}

void ConfigRows::retranslate()
{
    if (!_rows.isEmpty())
        emit dataChanged(index(0), index(_rows.size() - 1));
}

QVector<Row> ConfigRows::checkedRows() const
{
    QVector<Row> rows;
    for (int i = 0; i < _rows.size(); ++i)
        if (_checked.at(i))
            rows.append(_rows.at(i));
    return rows;
}

int ConfigRows::checkedCount() const
{
    return int(std::count(_checked.cbegin(), _checked.cend(), true));
}

int ConfigRows::matching() const
{
    int n = 0;
    for (const ConfigEngine::RowOutcome &o : _outcomes)
        n += o.outcome == ConfigEngine::Outcome::Matches ? 1 : 0;
    return n;
}

// ---- panel ----

ConfigPanel::ConfigPanel(AppContext *ctx, QObject *parent) : QObject(parent), _ctx(ctx), _engine(ctx)
{
    connect(&_engine, &ConfigEngine::progress, this, [this](int done, int total, const QString &what) {
        _done = done;
        _total = total;
        _progressText = what;
        emit progressChanged();
    });
    connect(&_engine, &ConfigEngine::finished, this, &ConfigPanel::onFinished);
    connect(ctx, &AppContext::languageChanged, this, [this] {
        _rows.retranslate();
        bump();
    });
}

void ConfigPanel::setStage(const QString &stage)
{
    _stage = stage;
    emit stageChanged();
}

void ConfigPanel::setMessage(const QString &message)
{
    _message = message;
    emit messageChanged();
}

void ConfigPanel::bump()
{
    ++_revision;
    emit rowsChanged();
}

QString ConfigPanel::suggestedName() const
{
    const QString model = _ctx->mode().isEmpty() ? QStringLiteral("device") : _ctx->mode();
    return QStringLiteral("%1-%2.json")
        .arg(model, QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmm")));
}

void ConfigPanel::backup(const QString &file)
{
    if (_engine.busy())
        return;
    _restoring = false;
    _file = localPath(file);
    _notes.clear();
    _rows.reset(Model(), {});
    bump();
    if (!_engine.deviceModel().valid()) {
        setMessage(Config::tr("No device is connected."));
        setStage(QStringLiteral("done"));
        return;
    }
    setMessage(QString());
    setStage(QStringLiteral("reading"));
    _engine.read(everyArea());
}

void ConfigPanel::restore(const QString &file)
{
    if (_engine.busy())
        return;
    _restoring = true;
    _file = localPath(file);
    _notes.clear();
    _rows.reset(Model(), {});
    bump();
    const Model device = _engine.deviceModel();
    if (!device.valid()) {
        setMessage(Config::tr("No device is connected."));
        setStage(QStringLiteral("done"));
        return;
    }
    _parsed = Config::load(_file);
    if (!_parsed.ok) {
        setMessage(Config::tr("%1 cannot be restored: %2.").arg(QFileInfo(_file).fileName(), _parsed.error));
        setStage(QStringLiteral("done"));
        return;
    }
    _notes = _parsed.warnings;
    _fileValues = _parsed.snapshot.values;
    const Model &fileModel = _parsed.snapshot.model;
    switch (compareModels(fileModel, device)) {
    case Match::Same:
        readForRestore();
        return;
    case Match::SameCounts:
        setMessage(
            Config::tr(
                "The file is for a %1, the device is a %2. Both have %3 inputs and %4 outputs, but not "
                "every setting may mean the same. Restore it all the same?")
                .arg(fileModel.id, device.id)
                .arg(device.inputs)
                .arg(device.outputs));
        setStage(QStringLiteral("question"));
        return;
    case Match::Different:
        setMessage(
            Config::tr(
                "The file is for a %1 with %2 inputs and %3 outputs; the device is a %4 with %5 and %6. It "
                "cannot be restored to this device.")
                .arg(fileModel.id)
                .arg(fileModel.inputs)
                .arg(fileModel.outputs)
                .arg(device.id)
                .arg(device.inputs)
                .arg(device.outputs));
        setStage(QStringLiteral("done"));
        return;
    }
}

void ConfigPanel::acceptOtherModel()
{
    if (_stage != QLatin1String("question"))
        return;
    _notes.clear();
    _fileValues = valuesFor(_parsed.raw, _engine.deviceModel(), &_notes);
    readForRestore();
}

void ConfigPanel::readForRestore()
{
    // Only the areas the file holds are read.
    QSet<Area> areas;
    for (const Item &item : plan(_engine.deviceModel()))
        if (_fileValues.contains(item.key))
            areas.insert(item.area);
    if (areas.isEmpty()) {
        setMessage(Config::tr("The file holds no setting this device has: nothing to restore."));
        setStage(QStringLiteral("done"));
        return;
    }
    setMessage(QString());
    setStage(QStringLiteral("reading"));
    _engine.read(areas);
}

void ConfigPanel::onFinished(bool completed, const QString &problem)
{
    const Model device = _engine.deviceModel();
    if (_stage == QLatin1String("applying")) {
        _rows.setOutcomes(_engine.outcomes());
        QString text = Config::tr("%1 of %2 checked settings now match the file.")
                           .arg(_rows.matching())
                           .arg(_rows.checkedCount());
        if (!completed)
            text = sentences(text, problem);
        _notes += _engine.unread();
        setMessage(text);
        setStage(QStringLiteral("done"));
        return;
    }
    if (!completed) {
        setMessage(sentences(problem, _restoring ? Config::tr("Nothing was changed.")
                                                 : Config::tr("Nothing was saved.")));
        setStage(QStringLiteral("done"));
        return;
    }
    _notes += _engine.unread();
    if (!_restoring) {
        Snapshot s;
        s.model = device;
        s.values = _engine.values();
        s.time = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
        s.toolName = QStringLiteral("tessaro");
        s.toolVersion = QCoreApplication::applicationVersion();
        QString error;
        if (!Config::save(_file, s, &error)) {
            setMessage(
                Config::tr(
                    "Cannot write %1: %2. Nothing was saved; choose another folder or free some space.")
                    .arg(_file, error));
        } else {
            QString text =
                Config::tr("Saved %1 settings of the %2 to %3.").arg(s.values.size()).arg(device.id, _file);
            if (!_engine.unread().isEmpty())
                text = sentences(text, Config::tr("Settings the device did not report are not in the file."));
            setMessage(text);
        }
        setStage(QStringLiteral("done"));
        return;
    }
    QSet<Area> areas;
    for (Area a : allAreas())
        areas.insert(a);
    _reviewed = device;
    _rows.reset(device, diff(device, _engine.values(), _fileValues, areas));
    bump();
    if (_rows.count() == 0) {
        setMessage(Config::tr("The device already matches the file: nothing to restore."));
        setStage(QStringLiteral("done"));
        return;
    }
    setMessage(QString());
    setStage(QStringLiteral("review"));
}

void ConfigPanel::setChecked(int row, bool on)
{
    _rows.setChecked(row, on);
    bump();
}

void ConfigPanel::setAreaChecked(const QString &areaId, bool on)
{
    _rows.setAreaChecked(areaId, on);
    bump();
}

int ConfigPanel::areaState(const QString &areaId) const
{
    return _rows.areaState(areaId);
}

QString ConfigPanel::areaLabel(const QString &id) const
{
    Area area;
    return areaFromId(id, &area) ? Config::areaLabel(area) : id;
}

void ConfigPanel::apply()
{
    if (_stage != QLatin1String("review") || _rows.checkedCount() == 0)
        return;
    const Model device = _engine.deviceModel();
    if (device.id != _reviewed.id || device.inputs != _reviewed.inputs) {
        // Another device (or none) answers now: the differences are not its own.
        setMessage(Config::tr("The device is not the one that was read. Nothing was sent; start the restore "
                              "again."));
        setStage(QStringLiteral("done"));
        return;
    }
    setStage(QStringLiteral("applying"));
    const QVector<Row> checked = _rows.checkedRows();
    _engine.apply(checked);
}

void ConfigPanel::cancel()
{
    if (_engine.busy()) {
        _engine.cancel();
        return;
    }
    close();
}

void ConfigPanel::close()
{
    if (_engine.busy())
        return;
    setMessage(QString());
    _notes.clear();
    setStage(QStringLiteral("idle"));
}
