#include "TestWorkDir.h"

#include <QDir>
#include <QFile>

TestWorkDir::TestWorkDir() : _previous(QDir::currentPath())
{
    QDir::setCurrent(_dir.path());
}

TestWorkDir::~TestWorkDir()
{
    QDir::setCurrent(_previous);
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
