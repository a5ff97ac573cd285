#include "SerialPortList.h"

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
