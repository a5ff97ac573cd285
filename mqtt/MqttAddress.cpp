#include "MqttAddress.h"

#include <QCryptographicHash>
#include <QUrl>

namespace MqttAddress {

bool parseUrl(const QString &text, BrokerUrl *url, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return fail(QStringLiteral("no broker address given"));
    const QUrl u(trimmed, QUrl::StrictMode);
    if (!u.isValid())
        return fail(QStringLiteral("\"%1\" is not a URL").arg(trimmed));
    const QString scheme = u.scheme().toLower();
    if (scheme != QLatin1String("mqtt") && scheme != QLatin1String("mqtts"))
        return fail(QStringLiteral("the address must start with mqtt:// or mqtts://"));
    if (u.host().isEmpty())
        return fail(QStringLiteral("the address names no host"));
    if ((!u.path().isEmpty() && u.path() != QLatin1String("/")) || u.hasQuery() || u.hasFragment())
        return fail(QStringLiteral("the address may have nothing after the host and port"));
    BrokerUrl out;
    out.tls = scheme == QLatin1String("mqtts");
    out.host = u.host();
    const int port = u.port(-1);
    if (port == 0)
        return fail(QStringLiteral("port 0 is not a broker's port"));
    out.port = port > 0 ? port : (out.tls ? kTlsPort : kPlainPort);
    out.user = u.userName(QUrl::FullyDecoded);
    out.password = u.password(QUrl::FullyDecoded);
    if (out.user.isEmpty() && !out.password.isEmpty())
        return fail(QStringLiteral("a password needs a user name"));
    *url = out;
    return true;
}

QString displayUrl(const BrokerUrl &url)
{
    QUrl u;
    u.setScheme(url.tls ? QStringLiteral("mqtts") : QStringLiteral("mqtt"));
    u.setHost(url.host);
    if (!url.user.isEmpty())
        u.setUserName(url.user);
    if (url.port != (url.tls ? kTlsPort : kPlainPort))
        u.setPort(url.port);
    return u.toString(QUrl::FullyEncoded);
}

QString deviceIdFrom(const QString &name)
{
    QString id;
    for (const QChar c : name.toLower()) {
        const bool keep = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                          (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_');
        if (keep)
            id.append(c);
        else if (!id.isEmpty() && !id.endsWith(QLatin1Char('-')))
            id.append(QLatin1Char('-'));
    }
    while (id.endsWith(QLatin1Char('-')))
        id.chop(1);
    id = id.left(kMaxDeviceId);
    while (id.endsWith(QLatin1Char('-')))
        id.chop(1);
    if (id.isEmpty())
        id = QStringLiteral("device-") +
             QString::fromLatin1(
                 QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(8));
    return id;
}

bool validDeviceId(const QString &id)
{
    if (id.isEmpty() || id.size() > kMaxDeviceId)
        return false;
    for (const QChar c : id) {
        const bool ok = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                        (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_') ||
                        c == QLatin1Char('-');
        if (!ok)
            return false;
    }
    return true;
}

bool validBaseTopic(const QString &base)
{
    if (base.isEmpty() || base.size() > 200 || base.startsWith(QLatin1Char('$')))
        return false;
    for (const QString &level : base.split(QLatin1Char('/'))) {
        if (level.isEmpty())
            return false;
        for (const QChar c : level)
            if (c == QLatin1Char('+') || c == QLatin1Char('#') || !c.isPrint())
                return false;
    }
    return true;
}

} // namespace MqttAddress
