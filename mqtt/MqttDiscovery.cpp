#include "MqttDiscovery.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace MqttDiscovery {

QString nodeId(const QString &deviceId)
{
    return QStringLiteral("tessaro_") + deviceId;
}

QString configFilter(const QString &prefix, const QString &deviceId)
{
    return QStringLiteral("%1/+/%2/+/config").arg(prefix, nodeId(deviceId));
}

QMap<QString, QByteArray> configs(const Device &device, const QStringList &outputLabels,
                                  const QStringList &inputOptions, const QStringList &sceneNames)
{
    const QString node = nodeId(device.id);
    // Entity ids Home Assistant makes from object ids: underscores only.
    QString objectBase = node;
    objectBase.replace(QLatin1Char('-'), QLatin1Char('_'));
    const QJsonObject deviceBlock{
        {QStringLiteral("identifiers"), QJsonArray{node}},
        {QStringLiteral("name"), device.name},
        {QStringLiteral("model"), device.model},
        {QStringLiteral("manufacturer"), QStringLiteral("Tessaro")},
        {QStringLiteral("sw_version"), device.version},
    };
    const auto entity = [&](const QString &object, const QString &name) {
        return QJsonObject{
            {QStringLiteral("name"), name},
            {QStringLiteral("unique_id"), node + QLatin1Char('_') + object},
            {QStringLiteral("object_id"), objectBase + QLatin1Char('_') + object},
            {QStringLiteral("availability_topic"), device.base + QStringLiteral("/availability")},
            {QStringLiteral("payload_available"), QStringLiteral("online")},
            {QStringLiteral("payload_not_available"), QStringLiteral("offline")},
            {QStringLiteral("device"), deviceBlock},
            {QStringLiteral("qos"), 1},
        };
    };
    const auto topic = [&](const QString &component, const QString &object) {
        return QStringLiteral("%1/%2/%3/%4/config").arg(device.prefix, component, node, object);
    };

    QMap<QString, QByteArray> out;
    for (int n = 1; n <= outputLabels.size(); ++n) {
        const QString label = outputLabels.at(n - 1);
        const QString outBase = QStringLiteral("%1/output/%2").arg(device.base).arg(n);

        const QString selectObject = QStringLiteral("output_%1_input").arg(n);
        QJsonObject select = entity(selectObject, QStringLiteral("%1 input").arg(label));
        select.insert(QStringLiteral("state_topic"), outBase + QStringLiteral("/input/name"));
        select.insert(QStringLiteral("command_topic"), outBase + QStringLiteral("/input/set"));
        select.insert(QStringLiteral("options"), QJsonArray::fromStringList(inputOptions));
        select.insert(QStringLiteral("icon"), QStringLiteral("mdi:video-input-hdmi"));
        out.insert(topic(QStringLiteral("select"), selectObject),
                   QJsonDocument(select).toJson(QJsonDocument::Compact));

        const QString switchObject = QStringLiteral("output_%1_enabled").arg(n);
        QJsonObject sw = entity(switchObject, QStringLiteral("%1 enabled").arg(label));
        sw.insert(QStringLiteral("state_topic"), outBase + QStringLiteral("/enabled"));
        sw.insert(QStringLiteral("command_topic"), outBase + QStringLiteral("/enabled/set"));
        sw.insert(QStringLiteral("payload_on"), QStringLiteral("ON"));
        sw.insert(QStringLiteral("payload_off"), QStringLiteral("OFF"));
        sw.insert(QStringLiteral("state_on"), QStringLiteral("ON"));
        sw.insert(QStringLiteral("state_off"), QStringLiteral("OFF"));
        out.insert(topic(QStringLiteral("switch"), switchObject),
                   QJsonDocument(sw).toJson(QJsonDocument::Compact));
    }
    for (int s = 1; s <= sceneNames.size(); ++s) {
        const QString object = QStringLiteral("scene_%1").arg(s);
        const QString name =
            sceneNames.at(s - 1).isEmpty() ? QStringLiteral("Scene %1").arg(s) : sceneNames.at(s - 1);
        QJsonObject button = entity(object, name);
        button.insert(QStringLiteral("command_topic"), device.base + QStringLiteral("/scene/recall"));
        button.insert(QStringLiteral("payload_press"), QString::number(s));
        out.insert(topic(QStringLiteral("button"), object),
                   QJsonDocument(button).toJson(QJsonDocument::Compact));
    }
    return out;
}

} // namespace MqttDiscovery
