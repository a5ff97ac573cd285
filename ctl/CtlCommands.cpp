#include "CtlCommands.h"

#include "AppContext.h"
#include "ConfigDiff.h"
#include "ConfigEngine.h"
#include "ConfigFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

#include <cstdio>
#include <functional>

using namespace Config;

namespace Ctl {

namespace {

void print(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void printJson(const QJsonObject &object)
{
    print(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)));
}

// A whole number from 1 to high written plainly; 0 when it is not one.
int number(const QString &text, int high = 1000000)
{
    bool ok = false;
    const int n = text.toInt(&ok, 10);
    return ok && n >= 1 && n <= high && text == QString::number(n) ? n : 0;
}

// Runs the event loop until the engine has done what start() set it to do.
bool runEngine(ConfigEngine *engine, const Options &options, const std::function<void()> &start,
               QString *problem)
{
    QEventLoop loop;
    bool completed = false;
    const auto done =
        QObject::connect(engine, &ConfigEngine::finished, &loop, [&](bool ok, const QString &why) {
            completed = ok;
            *problem = why;
            loop.quit();
        });
    QMetaObject::Connection shown;
    if (options.progress)
        shown = QObject::connect(
            engine, &ConfigEngine::progress, &loop, [](int doneSteps, int total, const QString &what) {
                const QString line = QStringLiteral("\r%1/%2 %3\033[K").arg(doneSteps).arg(total).arg(what);
                std::fputs(line.toLocal8Bit().constData(), stderr);
                std::fflush(stderr);
            });
    start();
    if (engine->busy())
        loop.exec();
    QObject::disconnect(done);
    if (options.progress) {
        QObject::disconnect(shown);
        std::fputs("\r\033[K", stderr);
    }
    return completed;
}

bool waitUntil(const std::function<bool()> &condition, int ms)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    poll.start(10);
    if (!condition())
        loop.exec();
    return condition();
}

void reportUnread(const ConfigEngine *engine)
{
    for (const QString &line : engine->unread())
        complain(QStringLiteral("not read: ") + line);
}

QSet<Area> areasOr(const QSet<Area> &only)
{
    if (!only.isEmpty())
        return only;
    QSet<Area> all;
    for (Area a : allAreas())
        all.insert(a);
    return all;
}

// The file's values for this device, after the model check; a status other than Ok
// when the file cannot be used.
int fileValues(const Options &options, const Model &device, QMap<QString, QJsonValue> *values)
{
    const QString path = options.args.value(0);
    const Parsed parsed = Config::load(path);
    if (!parsed.ok) {
        complain(QStringLiteral("%1: %2").arg(path, parsed.error));
        return UsageOrFile;
    }
    QStringList warnings = parsed.warnings;
    const Model &model = parsed.snapshot.model;
    switch (compareModels(model, device)) {
    case Match::Same:
        *values = parsed.snapshot.values;
        break;
    case Match::SameCounts:
        if (!options.force) {
            complain(
                QStringLiteral("%1 is for a %2, the device is a %3 (both %4 x %5); give --force to use it "
                               "all the same")
                    .arg(path, model.id, device.id)
                    .arg(device.inputs)
                    .arg(device.outputs));
            return UsageOrFile;
        }
        warnings.clear();
        *values = valuesFor(parsed.raw, device, &warnings);
        break;
    case Match::Different:
        complain(QStringLiteral("%1 is for a %2 (%3 x %4); the device is a %5 (%6 x %7): refused")
                     .arg(path, model.id)
                     .arg(model.inputs)
                     .arg(model.outputs)
                     .arg(device.id)
                     .arg(device.inputs)
                     .arg(device.outputs));
        return UsageOrFile;
    }
    for (const QString &w : qAsConst(warnings))
        complain(QStringLiteral("warning: ") + w);
    return Ok;
}

QSet<Area> areasIn(const Model &model, const QMap<QString, QJsonValue> &values, const QSet<Area> &wanted)
{
    QSet<Area> areas;
    for (const Item &item : plan(model, wanted))
        if (values.contains(item.key))
            areas.insert(item.area);
    return areas;
}

QJsonObject rowJson(const Row &row, const Model &model)
{
    return QJsonObject{{QStringLiteral("area"), areaId(row.item.area)},
                       {QStringLiteral("key"), row.item.key},
                       {QStringLiteral("item"), itemLabel(row.item, model)},
                       {QStringLiteral("device"), row.device},
                       {QStringLiteral("file"), row.file},
                       {QStringLiteral("deviceText"), valueText(row.item, row.device)},
                       {QStringLiteral("fileText"), valueText(row.item, row.file)}};
}

QString rowLine(const Row &row, const Model &model)
{
    return QStringLiteral("%1\t%2\t%3\t%4\n")
        .arg(areaId(row.item.area), itemLabel(row.item, model), valueText(row.item, row.device),
             valueText(row.item, row.file));
}

// Sends rows and reads them back: Ok when every one now matches.
int applyRows(ConfigEngine *engine, const Options &options, const QVector<Row> &rows, bool printEach)
{
    QString problem;
    const bool completed = runEngine(
        engine, options, [&] { engine->apply(rows); }, &problem);
    const QVector<ConfigEngine::RowOutcome> outcomes = engine->outcomes();
    const Model model = engine->deviceModel();
    int matching = 0;
    for (int i = 0; i < rows.size(); ++i) {
        const ConfigEngine::RowOutcome &o = outcomes.value(i);
        QString result;
        switch (o.outcome) {
        case ConfigEngine::Outcome::Matches:
            ++matching;
            result = QStringLiteral("matches");
            break;
        case ConfigEngine::Outcome::Differs:
            result = QStringLiteral("still differs: ") + valueText(rows.at(i).item, o.now);
            break;
        case ConfigEngine::Outcome::NotReadBack:
            result = QStringLiteral("sent, not read back") +
                     (o.note.isEmpty() ? QString() : QStringLiteral(": ") + o.note);
            break;
        case ConfigEngine::Outcome::NotSent:
            result =
                QStringLiteral("not sent") + (o.note.isEmpty() ? QString() : QStringLiteral(": ") + o.note);
            break;
        }
        if (printEach)
            print(QStringLiteral("%1\t%2\t%3\t%4\n")
                      .arg(areaId(rows.at(i).item.area), itemLabel(rows.at(i).item, model),
                           valueText(rows.at(i).item, rows.at(i).file), result));
        else if (o.outcome != ConfigEngine::Outcome::Matches)
            complain(QStringLiteral("%1: %2").arg(itemLabel(rows.at(i).item, model), result));
    }
    if (!completed)
        complain(problem);
    if (matching == rows.size())
        return Ok;
    complain(QStringLiteral("%1 of %2 settings not confirmed by the device")
                 .arg(rows.size() - matching)
                 .arg(rows.size()));
    return NotConfirmed;
}

// ---- commands ----

int info(ConfigEngine *engine, const Options &options)
{
    QString problem;
    if (!runEngine(
            engine, options,
            [&] {
                engine->read({Area::Routing, Area::Outputs});
            },
            &problem)) {
        complain(problem);
        return NoConnection;
    }
    reportUnread(engine);
    const Model m = engine->deviceModel();
    const QMap<QString, QJsonValue> v = engine->values();
    if (options.json) {
        QJsonObject routing, outputs;
        for (int o = 1; o <= m.outputs; ++o) {
            const QString n = QString::number(o);
            if (v.contains(QStringLiteral("routing/") + n))
                routing.insert(n, v.value(QStringLiteral("routing/") + n));
            if (v.contains(QStringLiteral("outputs/") + n))
                outputs.insert(n, v.value(QStringLiteral("outputs/") + n));
        }
        printJson(QJsonObject{{QStringLiteral("device"), QJsonObject{{QStringLiteral("model"), m.id},
                                                                     {QStringLiteral("inputs"), m.inputs},
                                                                     {QStringLiteral("outputs"), m.outputs}}},
                              {QStringLiteral("routing"), routing},
                              {QStringLiteral("outputs"), outputs}});
    } else {
        print(QStringLiteral("%1: %2 inputs, %3 outputs\n").arg(m.id).arg(m.inputs).arg(m.outputs));
        print(QStringLiteral("output\tinput\tstate\n"));
        for (int o = 1; o <= m.outputs; ++o) {
            const QJsonValue in = v.value(QStringLiteral("routing/%1").arg(o));
            const QJsonValue on = v.value(QStringLiteral("outputs/%1").arg(o));
            print(QStringLiteral("%1\t%2\t%3\n")
                      .arg(o)
                      .arg(in.isDouble() ? QString::number(in.toInt()) : QStringLiteral("?"))
                      .arg(on.isBool() ? (on.toBool() ? QStringLiteral("on") : QStringLiteral("off"))
                                       : QStringLiteral("?")));
        }
    }
    return engine->unread().isEmpty() ? Ok : NotConfirmed;
}

int route(ConfigEngine *engine, const Options &options)
{
    const Model m = engine->deviceModel();
    const int in = number(options.args.at(0));
    if (in > m.inputs) {
        complain(QStringLiteral("input %1: the %2 has inputs 1 to %3").arg(in).arg(m.id).arg(m.inputs));
        return UsageOrFile;
    }
    QVector<Row> rows;
    for (int i = 1; i < options.args.size(); ++i) {
        const int out = number(options.args.at(i));
        if (out > m.outputs) {
            complain(
                QStringLiteral("output %1: the %2 has outputs 1 to %3").arg(out).arg(m.id).arg(m.outputs));
            return UsageOrFile;
        }
        for (const Item &item : plan(m, {Area::Routing}))
            if (item.port == out)
                rows.append(Row{item, QJsonValue(), in});
    }
    return applyRows(engine, options, rows, false);
}

int output(ConfigEngine *engine, const Options &options)
{
    const Model m = engine->deviceModel();
    const int out = number(options.args.at(0));
    if (out > m.outputs) {
        complain(QStringLiteral("output %1: the %2 has outputs 1 to %3").arg(out).arg(m.id).arg(m.outputs));
        return UsageOrFile;
    }
    const bool on = options.args.at(1) == QLatin1String("on");
    QVector<Row> rows;
    for (const Item &item : plan(m, {Area::Outputs}))
        if (item.port == out)
            rows.append(Row{item, QJsonValue(), on});
    return applyRows(engine, options, rows, false);
}

int scene(AppContext *ctx, ConfigEngine *engine, const Options &options)
{
    const int n = number(options.args.at(1), kScenes);
    if (options.args.at(0) == QLatin1String("store")) {
        ctx->sendCmd_SaveSence(n);
        // The device does not answer a store; its answer to the next query shows it took
        // the line before.
        QString problem;
        if (!runEngine(
                engine, options, [&] { engine->read({Area::Routing}); }, &problem)) {
            complain(problem);
            return NoConnection;
        }
        if (!engine->unread().isEmpty()) {
            complain(QStringLiteral("the device did not answer after the store of scene %1").arg(n));
            return NotConfirmed;
        }
        return Ok;
    }
    // The device answers a recall with its routing report.
    bool reported = false;
    const auto report = QObject::connect(ctx, &AppContext::swsChanged, [&] { reported = true; });
    ctx->sendCmd_CallSence(n);
    waitUntil([&] { return reported || !ctx->isConnected(); }, options.timeoutMs);
    QObject::disconnect(report);
    if (!ctx->isConnected()) {
        complain(QStringLiteral("the link went down"));
        return NoConnection;
    }
    if (!reported) {
        complain(QStringLiteral("the device did not report its routing after the recall of scene %1").arg(n));
        return NotConfirmed;
    }
    return Ok;
}

int backup(ConfigEngine *engine, const Options &options)
{
    QString problem;
    if (!runEngine(
            engine, options, [&] { engine->read(areasOr(options.only)); }, &problem)) {
        complain(problem + QStringLiteral(" Nothing was saved."));
        return NoConnection;
    }
    reportUnread(engine);
    Snapshot s;
    s.model = engine->deviceModel();
    s.values = engine->values();
    s.time = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    s.toolName = QStringLiteral("tessaro-ctl");
    s.toolVersion = QCoreApplication::applicationVersion();
    QString error;
    const QString path = options.args.at(0);
    if (!Config::save(path, s, &error)) {
        complain(QStringLiteral("cannot write %1: %2; nothing was saved").arg(path, error));
        return UsageOrFile;
    }
    complain(QStringLiteral("saved %1 settings of the %2 to %3").arg(s.values.size()).arg(s.model.id, path));
    return Ok;
}

int diffOrRestore(ConfigEngine *engine, const Options &options)
{
    const Model device = engine->deviceModel();
    QMap<QString, QJsonValue> file;
    const int status = fileValues(options, device, &file);
    if (status != Ok)
        return status;
    const QSet<Area> areas = areasIn(device, file, areasOr(options.only));
    QString problem;
    if (!runEngine(
            engine, options, [&] { engine->read(areas); }, &problem)) {
        complain(problem);
        return NoConnection;
    }
    reportUnread(engine);
    const QVector<Row> rows = diff(device, engine->values(), file, areas);
    const bool isDiff = options.command == QLatin1String("diff");

    if (isDiff && options.json) {
        QJsonArray list;
        for (const Row &row : rows)
            list.append(rowJson(row, device));
        printJson(QJsonObject{{QStringLiteral("model"), device.id},
                              {QStringLiteral("file"), options.args.at(0)},
                              {QStringLiteral("differences"), list},
                              {QStringLiteral("unread"), QJsonArray::fromStringList(engine->unread())}});
        return rows.isEmpty() ? Ok : NotConfirmed;
    }
    if (isDiff || options.dryRun) {
        for (const Row &row : rows)
            print(rowLine(row, device));
        if (options.dryRun)
            complain(
                rows.isEmpty()
                    ? QStringLiteral("the device matches the file: nothing would be sent")
                    : QStringLiteral("%1 settings would be sent (network settings last)").arg(rows.size()));
        return isDiff && !rows.isEmpty() ? NotConfirmed : Ok;
    }
    if (rows.isEmpty()) {
        complain(QStringLiteral("the device matches the file: nothing to restore"));
        return Ok;
    }
    return applyRows(engine, options, rows, true);
}

} // namespace

void complain(const QString &text)
{
    const QByteArray bytes = (QStringLiteral("tessaro-ctl: ") + text + QLatin1Char('\n')).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

QString checkUsage(const Options &o)
{
    const QString &c = o.command;
    const QStringList &a = o.args;
    const auto allNumbers = [&](int from) {
        for (int i = from; i < a.size(); ++i)
            if (number(a.at(i)) == 0)
                return false;
        return true;
    };
    if (c.isEmpty())
        return QStringLiteral("no command given");
    if (o.json && c != QLatin1String("info") && c != QLatin1String("diff"))
        return QStringLiteral("--json goes with info and diff only");
    if (o.dryRun && c != QLatin1String("restore"))
        return QStringLiteral("--dry-run goes with restore only");
    if (o.force && c != QLatin1String("restore") && c != QLatin1String("diff"))
        return QStringLiteral("--force goes with restore and diff only");
    if (!o.only.isEmpty() && c != QLatin1String("restore") && c != QLatin1String("diff") &&
        c != QLatin1String("backup"))
        return QStringLiteral("--only goes with backup, diff and restore only");
    if (c == QLatin1String("info"))
        return a.isEmpty() ? QString() : QStringLiteral("info takes no arguments");
    if (c == QLatin1String("route"))
        return a.size() >= 2 && allNumbers(0) ? QString() : QStringLiteral("usage: route IN OUT...");
    if (c == QLatin1String("output"))
        return a.size() == 2 && number(a.at(0)) > 0 &&
                       (a.at(1) == QLatin1String("on") || a.at(1) == QLatin1String("off"))
                   ? QString()
                   : QStringLiteral("usage: output OUT on|off");
    if (c == QLatin1String("scene"))
        return a.size() == 2 && (a.at(0) == QLatin1String("recall") || a.at(0) == QLatin1String("store")) &&
                       number(a.at(1), kScenes) > 0
                   ? QString()
                   : QStringLiteral("usage: scene recall|store N (N from 1 to %1)").arg(kScenes);
    if (c == QLatin1String("backup")) {
        if (a.size() != 1)
            return QStringLiteral("usage: backup FILE");
        const QFileInfo target(a.at(0));
        if (!target.absoluteDir().exists())
            return QStringLiteral("backup: the folder of %1 does not exist").arg(a.at(0));
        if (target.isDir())
            return QStringLiteral("backup: %1 is a folder").arg(a.at(0));
        return QString();
    }
    if (c == QLatin1String("diff") || c == QLatin1String("restore")) {
        if (a.size() != 1)
            return QStringLiteral("usage: %1 FILE").arg(c);
        // A file that cannot be used is refused before the device is asked anything.
        const Parsed parsed = Config::load(a.at(0));
        return parsed.ok ? QString() : QStringLiteral("%1: %2").arg(a.at(0), parsed.error);
    }
    return QStringLiteral("unknown command \"%1\"").arg(c);
}

int run(AppContext *ctx, ConfigEngine *engine, const Options &options)
{
    const QString &c = options.command;
    if (c == QLatin1String("info"))
        return info(engine, options);
    if (c == QLatin1String("route"))
        return route(engine, options);
    if (c == QLatin1String("output"))
        return output(engine, options);
    if (c == QLatin1String("scene"))
        return scene(ctx, engine, options);
    if (c == QLatin1String("backup"))
        return backup(engine, options);
    return diffOrRestore(engine, options);
}

} // namespace Ctl
