#pragma once

#include <QJsonObject>
#include <QString>

// The settings file: one JSON object, written in indented form. Saving replaces the
// file atomically, and a file that does not hold a JSON object is kept as "<name>.bak"
// before it is first overwritten, so names stored in a damaged file can be recovered.
class SettingsStore
{
public:
    explicit SettingsStore(QString path = QStringLiteral("setting.data"));

    // The file the panel keeps: "setting.data" in the working directory when there is one
    // (scripts/run.sh's run/ folder, a copy the operator keeps beside the program), else
    // "setting.data" in the user's configuration folder (QStandardPaths::AppConfigLocation,
    // e.g. ~/.config/Tessaro/tessaro/), which is made when first saved to. An absolute path.
    static QString panelPath();

    // The file's object; an empty object when the file is missing, unreadable, not JSON
    // or not an object.
    QJsonObject load() const;
    // Writes the whole object, making the file's folder if needed; false when the file
    // could not be written (the previous file is then left as it was). A file that exists but cannot be read
    // is never written over: what it holds is unknown, not empty.
    bool save(const QJsonObject &settings) const;
    // True when the file exists but this process cannot read it (its permissions).
    bool unreadable() const;

    QString path() const { return _path; }
    QString backupPath() const { return _path + QStringLiteral(".bak"); }

private:
    void backupIfDamaged() const;

    QString _path;
};
