#include "MqttCommands.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <cmath>

namespace MqttCommands {

namespace {

// A port or scene number: one to four decimal digits.
int plainNumber(const QString &text)
{
    if (text.isEmpty() || text.size() > 4)
        return 0;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
    return text.toInt();
}

Command invalid(const QString &why)
{
    Command c;
    c.error = why;
    return c;
}

// Payloads are UTF-8 text; anything else is refused rather than guessed at.
bool utf8Text(const QByteArray &payload, QString *text)
{
    *text = QString::fromUtf8(payload);
    return text->toUtf8() == payload;
}

QString clean(const QString &label)
{
    QString out;
    for (const QChar c : label)
        out.append(c.isPrint() ? c : QLatin1Char(' '));
    return out.trimmed();
}

Command parseRoutes(const QString &text, const DeviceView &device)
{
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &err);
    if (err.error != QJsonParseError::NoError || !doc.isObject())
        return invalid(QStringLiteral("route/set needs a JSON object of outputs to inputs"));
    const QJsonObject routes = doc.object();
    if (routes.isEmpty())
        return invalid(QStringLiteral("route/set names no output"));
    if (routes.size() > device.outputs)
        return invalid(QStringLiteral("route/set names more outputs than the device has"));
    Command c;
    for (auto it = routes.constBegin(); it != routes.constEnd(); ++it) {
        const int out = plainNumber(it.key());
        if (out < 1 || out > device.outputs)
            return invalid(QStringLiteral("route/set: no output \"%1\"").arg(it.key().left(16)));
        int in = 0;
        const QJsonValue v = it.value();
        if (v.isDouble()) {
            const double d = v.toDouble();
            if (d >= 1 && d <= device.inputs && std::floor(d) == d)
                in = int(d);
        } else if (v.isString()) {
            in = resolveInput(v.toString(), device);
        }
        if (in < 1)
            return invalid(QStringLiteral("route/set: output %1 names no input of the device").arg(out));
        c.routes.insert(out, in);
    }
    c.kind = Command::Route;
    return c;
}

} // namespace

QStringList inputOptions(const QStringList &labels)
{
    QHash<QString, int> uses;
    QStringList cleaned;
    for (int i = 0; i < labels.size(); ++i) {
        QString l = clean(labels.at(i));
        if (l.isEmpty())
            l = QString::number(i + 1);
        cleaned.append(l);
        uses[l] += 1;
    }
    QStringList options;
    QSet<QString> taken;
    for (int i = 0; i < cleaned.size(); ++i) {
        const QString &l = cleaned.at(i);
        const int n = plainNumber(l);
        // A number stays its own input's; any other name must be unique.
        const bool ambiguous = n > 0 ? n != i + 1 : (uses.value(l) > 1 || l.startsWith(QLatin1Char('0')));
        QString option = ambiguous ? QStringLiteral("%1 (%2)").arg(l).arg(i + 1) : l;
        while (taken.contains(option))
            option = QStringLiteral("%1 (%2)").arg(option).arg(i + 1);
        taken.insert(option);
        options.append(option);
    }
    return options;
}

int resolveInput(const QString &text, const DeviceView &device)
{
    for (const QString &t : {text, text.trimmed()}) {
        const int named = device.inputOptions.indexOf(t);
        if (named >= 0 && named < device.inputs)
            return named + 1;
    }
    const int n = plainNumber(text.trimmed());
    return n >= 1 && n <= device.inputs ? n : 0;
}

Command parse(const QString &suffix, const QByteArray &payload, const DeviceView &device)
{
    const int limit = suffix == kRouteSet ? kMaxPayload : kMaxShortPayload;
    if (payload.size() > limit)
        return invalid(QStringLiteral("payload of %1 bytes is too long").arg(payload.size()));
    QString text;
    if (!utf8Text(payload, &text))
        return invalid(QStringLiteral("payload is not UTF-8 text"));

    if (suffix == kSceneRecall) {
        const int scene = plainNumber(text.trimmed());
        if (scene < 1 || scene > kScenes)
            return invalid(QStringLiteral("scene/recall needs a scene number from 1 to %1").arg(kScenes));
        Command c;
        c.kind = Command::RecallScene;
        c.scene = scene;
        return c;
    }
    if (suffix == kRouteSet)
        return parseRoutes(text, device);

    // output/<n>/input/set and output/<n>/enabled/set
    const QStringList levels = suffix.split(QLatin1Char('/'));
    if (levels.size() != 4 || levels.at(0) != QLatin1String("output") || levels.at(3) != QLatin1String("set"))
        return invalid(QStringLiteral("no such command"));
    const int out = plainNumber(levels.at(1));
    if (out < 1 || out > device.outputs)
        return invalid(QStringLiteral("no output \"%1\"").arg(levels.at(1).left(16)));
    if (levels.at(2) == QLatin1String("input")) {
        const int in = resolveInput(text, device);
        if (in < 1)
            return invalid(QStringLiteral("\"%1\" is no input of the device").arg(text.left(32)));
        Command c;
        c.kind = Command::Route;
        c.routes.insert(out, in);
        return c;
    }
    if (levels.at(2) == QLatin1String("enabled")) {
        const QString v = text.trimmed().toUpper();
        if (v != QLatin1String("ON") && v != QLatin1String("OFF"))
            return invalid(QStringLiteral("enabled/set takes ON or OFF"));
        Command c;
        c.kind = Command::Enable;
        c.output = out;
        c.on = v == QLatin1String("ON");
        return c;
    }
    return invalid(QStringLiteral("no such command"));
}

} // namespace MqttCommands
