#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// Home Assistant's MQTT discovery: one retained config message per entity under
// "<prefix>/<component>/<node id>/<object id>/config", all of them one device.
// Per output a select (its input, the options being the inputs' names) and a switch
// (on/off); per scene slot a button that recalls it.
namespace MqttDiscovery {

inline const QString kDefaultPrefix = QStringLiteral("homeassistant");

struct Device
{
    QString id;      // the device ID of the topics ("hall-a")
    QString name;    // the friendly name
    QString model;   // the switcher's model
    QString version; // this program's version
    QString base;    // the base topic
    QString prefix = kDefaultPrefix;
};

// Home Assistant's node id for the device: "tessaro_<id>".
QString nodeId(const QString &deviceId);
// The subscription that matches every config message of the device.
QString configFilter(const QString &prefix, const QString &deviceId);

// Every config message (topic -> JSON) for a device with these outputs (labels index 0
// for output 1), input options and scene names (16, empty where unnamed).
QMap<QString, QByteArray> configs(const Device &device, const QStringList &outputLabels,
                                  const QStringList &inputOptions, const QStringList &sceneNames);

} // namespace MqttDiscovery
