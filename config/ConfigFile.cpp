#include "ConfigFile.h"

#include "ModelCatalogue.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QUrl>

namespace Config {

namespace {

constexpr int kMaxMetaText = 200;

void insertPath(QJsonObject &object, const QStringList &path, int at, const QJsonValue &value)
{
    const QString &name = path.at(at);
    if (at == path.size() - 1) {
        object.insert(name, value);
        return;
    }
    QJsonObject child = object.value(name).toObject();
    insertPath(child, path, at + 1, value);
    object.insert(name, child);
}

// The value at a key path; undefined when a part is missing.
QJsonValue valueAt(const QJsonObject &object, const QString &key)
{
    const QStringList path = key.split(QLatin1Char('/'));
    QJsonValue v = object;
    for (const QString &part : path) {
        if (!v.isObject())
            return QJsonValue(QJsonValue::Undefined);
        v = v.toObject().value(part);
    }
    return v;
}

// Every leaf below object as its key path; false when there are more than the limit.
bool leaves(const QJsonValue &value, const QString &path, QStringList *out, int *budget)
{
    if (--*budget < 0)
        return false;
    if (value.isObject() && !value.toObject().isEmpty()) {
        const QJsonObject o = value.toObject();
        for (auto it = o.begin(); it != o.end(); ++it)
            if (!leaves(it.value(), path.isEmpty() ? it.key() : path + QLatin1Char('/') + it.key(), out,
                        budget))
                return false;
        return true;
    }
    if (value.isArray()) {
        const QJsonArray a = value.toArray();
        for (int i = 0; i < a.size(); ++i)
            if (!leaves(a.at(i), path + QLatin1Char('/') + QString::number(i), out, budget))
                return false;
        return true;
    }
    out->append(path);
    return true;
}

bool isMeta(const QString &leaf)
{
    static const QStringList meta = {QStringLiteral("format"),        QStringLiteral("formatVersion"),
                                     QStringLiteral("time"),          QStringLiteral("tool/name"),
                                     QStringLiteral("tool/version"),  QStringLiteral("device/model"),
                                     QStringLiteral("device/inputs"), QStringLiteral("device/outputs")};
    return meta.contains(leaf);
}

void addWarning(QStringList *warnings, const QString &text)
{
    if (warnings->size() < kMaxListedWarnings)
        warnings->append(text);
    else if (warnings->size() == kMaxListedWarnings)
        warnings->append(tr("... and more"));
}

QString shortText(const QJsonValue &v)
{
    const QString s = v.toString();
    return s.size() > kMaxMetaText ? s.left(kMaxMetaText) : s;
}

} // namespace

QByteArray toJson(const Snapshot &s)
{
    QJsonObject root;
    root.insert(QStringLiteral("format"), QLatin1String(kFormatName));
    root.insert(QStringLiteral("formatVersion"), kFormatVersion);
    root.insert(QStringLiteral("time"), s.time);
    root.insert(QStringLiteral("tool"), QJsonObject{{QStringLiteral("name"), s.toolName},
                                                    {QStringLiteral("version"), s.toolVersion}});
    root.insert(QStringLiteral("device"), QJsonObject{{QStringLiteral("model"), s.model.id},
                                                      {QStringLiteral("inputs"), s.model.inputs},
                                                      {QStringLiteral("outputs"), s.model.outputs}});
    for (const Item &item : plan(s.model)) {
        const auto it = s.values.constFind(item.key);
        if (it == s.values.constEnd())
            continue;
        QStringList path = item.key.split(QLatin1Char('/'));
        if (item.kind == Kind::Name && it.value().toString().isEmpty()) {
            // No name: the list is there (the names were read), the entry is not.
            path.removeLast();
            if (!valueAt(root, path.join(QLatin1Char('/'))).isObject())
                insertPath(root, path, 0, QJsonObject());
            continue;
        }
        insertPath(root, path, 0, it.value());
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QMap<QString, QJsonValue> valuesFor(const QJsonObject &raw, const Model &model, QStringList *warnings)
{
    QMap<QString, QJsonValue> values;
    const QVector<Item> items = plan(model);
    QSet<QString> known;
    for (const Item &item : items) {
        known.insert(item.key);
        QJsonValue v = valueAt(raw, item.key);
        if (v.isUndefined()) {
            // A name list that is there names every channel: one missing has no name.
            if (item.kind != Kind::Name)
                continue;
            QStringList list = item.key.split(QLatin1Char('/'));
            list.removeLast();
            if (!valueAt(raw, list.join(QLatin1Char('/'))).isObject())
                continue;
            v = QString();
        }
        const QString problem = checkValue(item, v, model);
        if (!problem.isEmpty()) {
            addWarning(warnings, tr("%1: left out, %2").arg(item.key, problem));
            continue;
        }
        values.insert(item.key, v);
    }
    QStringList found;
    int budget = kMaxEntries;
    leaves(raw, QString(), &found, &budget);
    for (const QString &leaf : qAsConst(found)) {
        if (isMeta(leaf) || known.contains(leaf))
            continue;
        // An empty name list is a leaf of its own.
        if (leaf.startsWith(QLatin1String("names/")) && valueAt(raw, leaf).isObject())
            continue;
        addWarning(warnings, tr("%1: unknown entry, ignored").arg(leaf));
    }
    return values;
}

Parsed parse(const QByteArray &bytes)
{
    Parsed p;
    if (bytes.size() > kMaxFileBytes) {
        p.error = tr("the file is larger than %1 KiB").arg(kMaxFileBytes / 1024);
        return p;
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        p.error = tr("not JSON (%1 at byte %2); the file may be cut short or not a configuration")
                      .arg(error.errorString())
                      .arg(error.offset);
        return p;
    }
    if (!doc.isObject()) {
        p.error = tr("not a configuration file (no JSON object)");
        return p;
    }
    const QJsonObject root = doc.object();
    if (root.value(QStringLiteral("format")).toString() != QLatin1String(kFormatName)) {
        p.error = tr("not a configuration file (\"format\" is not \"%1\")").arg(QLatin1String(kFormatName));
        return p;
    }
    const QJsonValue version = root.value(QStringLiteral("formatVersion"));
    if (!version.isDouble() || version.toDouble() < 1 || version.toDouble() > 1e6) {
        p.error = tr("the format version is missing or not a number");
        return p;
    }
    QStringList found;
    int budget = kMaxEntries;
    if (!leaves(root, QString(), &found, &budget)) {
        p.error = tr("the file holds more than %1 entries").arg(kMaxEntries);
        return p;
    }
    if (version.toInt() > kFormatVersion)
        addWarning(&p.warnings,
                   tr("written by a newer version (format %1, this program reads %2): parts it does "
                      "not know are ignored")
                       .arg(version.toInt())
                       .arg(kFormatVersion));

    const QJsonObject device = root.value(QStringLiteral("device")).toObject();
    Model model;
    model.id = shortText(device.value(QStringLiteral("model")));
    ModelCatalogue::Counts counts;
    if (model.id.isEmpty() || !ModelCatalogue::lookup(model.id, &counts)) {
        p.error = model.id.isEmpty()
                      ? tr("the file names no device model")
                      : tr("the file is for a model this program does not know (%1)").arg(model.id);
        return p;
    }
    model.inputs = counts.inputs;
    model.outputs = counts.outputs;
    if (device.value(QStringLiteral("inputs")).toInt(-1) != model.inputs ||
        device.value(QStringLiteral("outputs")).toInt(-1) != model.outputs) {
        p.error = tr("the file's input and output counts do not match its model %1").arg(model.id);
        return p;
    }

    p.raw = root;
    p.snapshot.model = model;
    p.snapshot.time = shortText(root.value(QStringLiteral("time")));
    const QJsonObject tool = root.value(QStringLiteral("tool")).toObject();
    p.snapshot.toolName = shortText(tool.value(QStringLiteral("name")));
    p.snapshot.toolVersion = shortText(tool.value(QStringLiteral("version")));
    p.snapshot.values = valuesFor(root, model, &p.warnings);
    p.ok = true;
    return p;
}

QString localPath(const QString &pathOrUrl)
{
    if (pathOrUrl.startsWith(QLatin1String("file:")))
        return QUrl(pathOrUrl).toLocalFile();
    return pathOrUrl;
}

Parsed load(const QString &pathOrUrl)
{
    const QString path = localPath(pathOrUrl);
    Parsed p;
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        p.error = tr("not a file");
        return p;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        p.error = tr("cannot be read: %1").arg(file.errorString());
        return p;
    }
    if (file.size() > kMaxFileBytes) {
        p.error = tr("the file is larger than %1 KiB").arg(kMaxFileBytes / 1024);
        return p;
    }
    return parse(file.read(kMaxFileBytes + 1));
}

bool save(const QString &pathOrUrl, const Snapshot &snapshot, QString *error)
{
    QSaveFile file(localPath(pathOrUrl));
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    const QByteArray bytes = toJson(snapshot);
    // A full disk shows up as a short write, which must not be committed.
    if (file.write(bytes) != bytes.size()) {
        *error = file.errorString();
        file.cancelWriting();
        file.commit();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

Match compareModels(const Model &file, const Model &device)
{
    if (file.id == device.id)
        return Match::Same;
    if (file.inputs == device.inputs && file.outputs == device.outputs)
        return Match::SameCounts;
    return Match::Different;
}

} // namespace Config
