#include "SerialPortList.h"

#include <QFileInfo>
#include <QSerialPortInfo>

namespace {
SerialPortList::Source &source()
{
    static SerialPortList::Source s;
    return s;
}
} // namespace

QStringList SerialPortList::available()
{
    if (source())
        return source()();
    QStringList names;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        names << info.portName();
    return names;
}

void SerialPortList::setSource(Source s)
{
    source() = std::move(s);
}

bool SerialPortList::exists(const QString &name)
{
    if (name.trimmed().isEmpty())
        return false;
    if (available().contains(name))
        return true;
#ifdef Q_OS_UNIX
    // Enumeration leaves out pseudo-terminals and some adapters; a device file that is
    // there can still be opened.
    const QString path = name.startsWith(QLatin1Char('/')) ? name : QStringLiteral("/dev/") + name;
    const QFileInfo info(path);
    return info.exists() && !info.isDir() && !info.isFile();
#else
    return false;
#endif
}
