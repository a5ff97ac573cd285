#include "TrafficConsole.h"

TrafficConsole::TrafficConsole(QObject *parent) : QObject(parent), _log(this) {}

QByteArray TrafficConsole::rawLine(const QString &typed)
{
    QByteArray line = typed.toUtf8();
    line.replace('\r', QByteArray());
    line.replace('\n', QByteArray());
    if (line.isEmpty())
        return {};
    return line + "\r\n";
}

bool TrafficConsole::sendRaw(const QString &typed)
{
    const QByteArray line = rawLine(typed);
    if (line.isEmpty() || !_sender)
        return false;
    return _sender(line);
}
