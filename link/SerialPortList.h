#pragma once

#include <QStringList>

#include <functional>

// The operating system's serial port names, in the order it lists them. Tests replace
// the source (a test machine has no real ports, and pseudo-terminals are never listed).
namespace SerialPortList {

QStringList available();

using Source = std::function<QStringList()>;
// Installs a replacement source; an empty function restores the system's list.
void setSource(Source source);

// True when a port can be tried under this name: a listed name, or (where ports are
// device files) an existing device path such as "/dev/ttyUSB0" or "/dev/pts/7", or a
// short name whose "/dev/" path exists. Names are compared exactly.
bool exists(const QString &name);

} // namespace SerialPortList
