#include "ConnectionStatus.h"

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
