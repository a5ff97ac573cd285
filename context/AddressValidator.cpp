#include "AddressValidator.h"

#include "DeviceAddress.h"

#include <QRegularExpression>

AddressValidator::AddressValidator(QObject *parent) : QValidator(parent) {}

QValidator::State AddressValidator::validate(QString &input, int &) const
{
    // A numeric address starts with a digit, a host name with a letter, an IPv6 address
    // with "["; each may end in ":port".
    static const QRegularExpression shape(QStringLiteral("^(\\[[0-9A-Fa-f:.]*(\\](:[0-9]*)?)?"
                                                         "|[0-9][0-9.]*(:[0-9]*)?"
                                                         "|[A-Za-z_][A-Za-z0-9_.-]*(:[0-9]*)?)?$"));
    if (!shape.match(input).hasMatch())
        return Invalid;
    return DeviceAddress::parse(input).valid ? Acceptable : Intermediate;
}
