#include "TestWorkDir.h"

#include <QDir>
#include <QFile>

TestWorkDir::TestWorkDir()
    : _previous(QDir::currentPath()), _previousConfig(qgetenv("XDG_CONFIG_HOME")),
      _hadConfig(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
{
    QDir::setCurrent(_dir.path());
    qputenv("XDG_CONFIG_HOME", _dir.filePath(QStringLiteral("config")).toLocal8Bit());
}

TestWorkDir::~TestWorkDir()
{
    QDir::setCurrent(_previous);
    if (_hadConfig)
        qputenv("XDG_CONFIG_HOME", _previousConfig);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

void TestWorkDir::write(const QString &name, const QByteArray &bytes) const
{
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray TestWorkDir::read(const QString &name) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}
