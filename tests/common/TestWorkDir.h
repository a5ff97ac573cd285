#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Makes a fresh temporary directory the working directory (where "setting.data" lives)
// for the lifetime of the object, and goes back afterwards. The user's configuration folder
// (XDG_CONFIG_HOME) is its "config" subfolder meanwhile, so nothing a test does reaches the
// real one.
class TestWorkDir
{
public:
    TestWorkDir();
    ~TestWorkDir();

    QString path() const { return _dir.path(); }
    QString file(const QString &name) const { return _dir.filePath(name); }
    void write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;

private:
    QTemporaryDir _dir;
    QString _previous;
    QByteArray _previousConfig;
    bool _hadConfig = false;
};
