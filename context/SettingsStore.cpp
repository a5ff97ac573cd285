#include "SettingsStore.h"

#include "ContextLog.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// True when the bytes are a JSON document whose top level is an object.
bool holdsObject(const QByteArray &bytes, QJsonObject *out)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return false;
    if (out)
        *out = doc.object();
    return true;
}

} // namespace

SettingsStore::SettingsStore(QString path) : _path(std::move(path)) {}

QString SettingsStore::panelPath()
{
    const QString name = QStringLiteral("setting.data");
    const QFileInfo here(QDir::current(), name);
    if (here.exists())
        return here.absoluteFilePath();
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).absoluteFilePath(name);
}

QJsonObject SettingsStore::load() const
{
    QFile file(_path);
    if (!file.open(QIODevice::ReadOnly))
        return QJsonObject();
    const QByteArray bytes = file.readAll();
    file.close();
    QJsonObject object;
    if (!holdsObject(bytes, &object))
        return QJsonObject();
    return object;
}

void SettingsStore::backupIfDamaged() const
{
    QFile file(_path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    file.close();
    if (holdsObject(bytes, nullptr))
        return;
    const QString backup = backupPath();
    QFile::remove(backup);
    if (!QFile::copy(_path, backup))
        qCDebug(lcContext) << "settings: could not keep the unreadable" << _path << "as" << backup;
    else
        qCDebug(lcContext) << "settings: kept the unreadable" << _path << "as" << backup;
}

bool SettingsStore::unreadable() const
{
    QFile file(_path);
    return file.exists() && !file.open(QIODevice::ReadOnly);
}

bool SettingsStore::save(const QJsonObject &settings) const
{
    if (unreadable()) {
        qCDebug(lcContext) << "settings:" << _path << "cannot be read; not saving over it";
        return false;
    }
    backupIfDamaged();
    const QString folder = QFileInfo(_path).absolutePath();
    if (!QDir().mkpath(folder)) {
        qDebug() << "settings: cannot make the folder" << folder;
        return false;
    }
    QSaveFile file(_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = QJsonDocument(settings).toJson(QJsonDocument::Indented);
    // A full disk shows up as a short write that QSaveFile would still commit.
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}
