#pragma once

#include "ConfigItems.h"

#include <QByteArray>
#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QStringList>

// A device's configuration as the file keeps it: JSON, UTF-8, one section per area
// (README.md, "Configuration files"). Values are stored by item key; what the device did
// not report is absent, never guessed.
namespace Config {

struct Snapshot
{
    Model model;
    QMap<QString, QJsonValue> values; // by item key
    QString time;                     // ISO 8601, UTC
    QString toolName;
    QString toolVersion;
};

constexpr int kFormatVersion = 1;
const char *const kFormatName = "tessaro-config";
// Limits of what a file may hold before it is refused.
constexpr qint64 kMaxFileBytes = 1024 * 1024;
constexpr int kMaxEntries = 20000;
constexpr int kMaxListedWarnings = 20;

QByteArray toJson(const Snapshot &snapshot);

struct Parsed
{
    bool ok = false;
    QString error;        // why the file cannot be used, for the operator
    QStringList warnings; // parts ignored: unknown entries, values that are not acceptable
    QJsonObject raw;
    Snapshot snapshot; // the values, read for the file's own model
};

Parsed parse(const QByteArray &bytes);
// The file at path (a local path or a file: URL).
Parsed load(const QString &path);
// The values of a parsed file read for another model with the same counts (restoring a
// file to another model when the operator says so).
QMap<QString, QJsonValue> valuesFor(const QJsonObject &raw, const Model &model, QStringList *warnings);

// Writes the whole file or nothing (QSaveFile); false with the reason otherwise.
bool save(const QString &path, const Snapshot &snapshot, QString *error);

enum class Match
{
    Same,       // the device is the file's model
    SameCounts, // another model with as many inputs and outputs: only when the operator says so
    Different,  // never
};
Match compareModels(const Model &file, const Model &device);

// A path from a file: URL or a plain path.
QString localPath(const QString &pathOrUrl);

} // namespace Config
