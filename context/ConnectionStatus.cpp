#include "ConnectionStatus.h"

#include <QHash>

QString ConnectProblem::forFailure(ClientIO::Failure failure)
{
    switch (failure) {
    case ClientIO::Failure::None:
        return QString();
    case ClientIO::Failure::Refused:
        return QStringLiteral("refused");
    case ClientIO::Failure::NoAnswer:
        return QStringLiteral("noAnswer");
    case ClientIO::Failure::Unreachable:
        return QStringLiteral("unreachable");
    case ClientIO::Failure::BadAddress:
        return QStringLiteral("badAddress");
    case ClientIO::Failure::PortNotFound:
        return QStringLiteral("portNotFound");
    case ClientIO::Failure::PortBusy:
        return QStringLiteral("portBusy");
    case ClientIO::Failure::PermissionDenied:
        return QStringLiteral("permission");
    case ClientIO::Failure::Lost:
        return QStringLiteral("lost");
    }
    return QString();
}

QString ConnectProblem::describe(const QString &key)
{
    static const QHash<QString, QString> kTexts = {
        {QStringLiteral("refused"), QStringLiteral("connection refused")},
        {QStringLiteral("noAnswer"), QStringLiteral("no answer from the address within 5 seconds")},
        {QStringLiteral("unreachable"), QStringLiteral("host or network unreachable")},
        {QStringLiteral("badAddress"), QStringLiteral("address not valid")},
        {QStringLiteral("portNotFound"), QStringLiteral("serial port not found")},
        {QStringLiteral("portBusy"), QStringLiteral("serial port busy (in use by another program)")},
        {QStringLiteral("permission"),
         QStringLiteral("permission denied: the user must be in the \"dialout\" group")},
        {QStringLiteral("lost"), QStringLiteral("connection lost (device unplugged or closed the link)")},
        {SettingsUnreadable, QStringLiteral("the settings file cannot be read; changes will not be saved")},
        {NoDeviceAnswer,
         QStringLiteral("the link is open but no device answers: check the cable, the port and "
                        "the baud rate")},
        {StoppedAnswering, QStringLiteral("the device stopped answering")},
        {NoBaudRate, QStringLiteral("no baud rate chosen")},
    };
    return kTexts.value(key, key);
}
