#include "DeviceAddress.h"

#include <QHostAddress>
#include <QRegularExpression>

namespace {

bool isNumeric(const QString &host)
{
    static const QRegularExpression numeric(QStringLiteral("^[0-9.]+$"));
    return numeric.match(host).hasMatch();
}

bool isIPv6(const QString &text)
{
    QHostAddress address;
    return address.setAddress(text) && address.protocol() == QAbstractSocket::IPv6Protocol;
}

// Host names as a resolver takes them: dot-separated labels of letters, digits, '-' and '_'.
bool isHostName(const QString &host)
{
    static const QRegularExpression name(
        QStringLiteral("^[A-Za-z0-9_]([A-Za-z0-9_-]*)(\\.[A-Za-z0-9_][A-Za-z0-9_-]*)*\\.?$"));
    return host.size() <= 253 && name.match(host).hasMatch();
}

bool readPort(const QString &text, quint16 *port)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
    if (!digits.match(text).hasMatch())
        return false;
    const int value = text.toInt();
    if (value < 1 || value > 65535)
        return false;
    *port = static_cast<quint16>(value);
    return true;
}

} // namespace

bool DeviceAddress::isBadNumericHost(const QString &host)
{
    static const QRegularExpression quad(
        QStringLiteral("^(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])(\\.(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|"
                       "[1-9]?[0-9])){3}$"));
    if (host.trimmed().isEmpty())
        return true;
    if (!isNumeric(host))
        return false;
    return !quad.match(host).hasMatch();
}

DeviceAddress DeviceAddress::parse(const QString &text)
{
    DeviceAddress result;
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return result;

    QString host = typed;
    QString portText;
    bool hasPort = false;
    if (typed.startsWith(QLatin1Char('['))) {
        // "[v6]" or "[v6]:port"
        const int close = typed.indexOf(QLatin1Char(']'));
        if (close < 0)
            return result;
        host = typed.mid(1, close - 1);
        const QString rest = typed.mid(close + 1);
        if (!rest.isEmpty()) {
            if (!rest.startsWith(QLatin1Char(':')))
                return result;
            portText = rest.mid(1);
            hasPort = true;
        }
        if (!isIPv6(host))
            return result;
    } else if (typed.count(QLatin1Char(':')) > 1) {
        // A bare IPv6 address has no room for a port.
        if (!isIPv6(typed))
            return result;
    } else {
        const int colon = typed.indexOf(QLatin1Char(':'));
        if (colon >= 0) {
            host = typed.left(colon);
            portText = typed.mid(colon + 1);
            hasPort = true;
        }
        if (isNumeric(host) ? isBadNumericHost(host) : !isHostName(host))
            return result;
    }
    if (hasPort && !readPort(portText, &result.port))
        return result;
    result.host = host;
    result.valid = true;
    return result;
}

QString DeviceAddress::display(const QString &text)
{
    const DeviceAddress address = parse(text);
    if (!address.valid)
        return text;
    const QString host = address.host.contains(QLatin1Char(':'))
                             ? QLatin1Char('[') + address.host + QLatin1Char(']')
                             : address.host;
    return host + QLatin1Char(':') + QString::number(address.port);
}
