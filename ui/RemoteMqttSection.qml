import QtQuick 2.15
import QtQuick.Controls 2.15

// The MQTT tab of the remote-control window: publishes the connected switcher to an
// MQTT broker (with Home Assistant discovery) and takes commands from it. The stored
// password is never shown; an empty password field keeps it.
Item {
    id: section

    // The bridge, when the program has one (the screen tests may not).
    readonly property var bridge: typeof mqttBridge !== "undefined" ? mqttBridge : null
    // A message of the window itself (input it refused); empty otherwise.
    property string status: ""
    property bool removed: false

    function load() {
        if (bridge) {
            enableSwitch.checked = bridge.enabled
            urlField.text = bridge.brokerUrl
            passwordField.text = ""
            caField.text = bridge.caFile
            nameField.text = bridge.deviceName
            idField.text = bridge.deviceId === bridge.deviceIdFor(bridge.deviceName) ? "" : bridge.deviceId
            discoverySwitch.checked = bridge.discovery
        }
        status = ""
        removed = false
    }

    function apply() {
        if (!bridge)
            return
        status = ""
        removed = false
        if (bridge.apply(enableSwitch.checked, urlField.text, passwordField.text, caField.text, nameField.text,
                         idField.text, discoverySwitch.checked)) {
            passwordField.text = ""
            urlField.text = bridge.brokerUrl
        } else {
            // Nothing was stored: say why, whatever the connection of the last choice does.
            status = errorText(bridge.error, bridge.brokerAddress, bridge.errorDetail)
        }
    }

    function removeFromBroker() {
        if (!bridge)
            return
        status = ""
        removed = true
        bridge.removeFromBroker()
        enableSwitch.checked = false
    }

    function errorText(key, where, detail) {
        switch (key) {
        case "refused": return qsTr("No broker answers at %1: check the address and port, and that the broker is running.").arg(where)
        case "unreachable": return qsTr("%1 cannot be reached: check the host name and the network.").arg(where)
        case "timeout": return qsTr("The broker at %1 did not answer in time.").arg(where)
        case "auth": return qsTr("The broker refused the user name or password: correct them and apply again.")
        case "tls": return qsTr("The secure connection failed: check the CA file, and that it signed the broker's certificate.")
        case "lost": return qsTr("The connection to the broker at %1 was lost.").arg(where)
        case "badUrl": return qsTr("The broker address must look like mqtt://host:1883 or mqtts://user@host:8883.")
        case "badId": return qsTr("The device ID may only have lower-case letters, digits, - and _.")
        case "removeFailed": return qsTr("This switcher could not be removed from the broker at %1: it did not answer.").arg(where)
        case "": return ""
        default: return qsTr("The connection to the broker failed (%1).").arg(detail)
        }
    }

    readonly property string statusText: {
        if (status !== "")
            return status
        if (!bridge)
            return ""
        var where = bridge.brokerAddress
        switch (bridge.status) {
        case "connected": return qsTr("Connected to %1, publishing under %2/.").arg(where).arg(bridge.baseTopic)
        case "connecting": return qsTr("Connecting to %1…").arg(where)
        case "removing": return qsTr("Removing this switcher from the broker…")
        case "waiting": return errorText(bridge.error, where, bridge.errorDetail) + " "
                               + qsTr("Trying again in %1 s.").arg(bridge.retrySeconds)
        }
        if (bridge.error !== "")
            return errorText(bridge.error, where, bridge.errorDetail)
        return removed ? qsTr("Removed from the broker.") : qsTr("Off")
    }
    readonly property bool statusIsError: status !== "" || (bridge !== null && bridge.error !== "")

    Column {
        x: 16
        y: 12
        width: section.width - 32
        spacing: 8

        Text {
            width: parent.width
            wrapMode: Text.WordWrap
            color: "white"
            font.pixelSize: 13
            text: qsTr("Building automation (Home Assistant, Node-RED, openHAB) sees and drives this switcher through an MQTT broker such as Mosquitto.")
        }

        Switch {
            id: enableSwitch
            objectName: "mqttEnable"
            text: qsTr("Publish to an MQTT broker")
            palette.windowText: "white"
        }

        Grid {
            columns: 2
            columnSpacing: 10
            rowSpacing: 6
            verticalItemAlignment: Grid.AlignVCenter

            Text { text: qsTr("Broker"); color: "white"; width: 130 }
            TextField {
                id: urlField
                objectName: "mqttUrl"
                width: 340
                selectByMouse: true
                placeholderText: "mqtt://user@host:1883"
            }
            Text { text: qsTr("Password"); color: "white"; width: 130 }
            TextField {
                id: passwordField
                objectName: "mqttPassword"
                width: 200
                selectByMouse: true
                echoMode: TextInput.Password
                placeholderText: section.bridge && section.bridge.passwordStored ? qsTr("(stored)") : ""
            }
            Text { text: qsTr("CA file (mqtts)"); color: "white"; width: 130 }
            TextField {
                id: caField
                objectName: "mqttCaFile"
                width: 340
                selectByMouse: true
                placeholderText: qsTr("the system's certificates")
            }
            Text { text: qsTr("Device name"); color: "white"; width: 130 }
            TextField {
                id: nameField
                objectName: "mqttName"
                width: 260
                selectByMouse: true
                maximumLength: 64
            }
            Text { text: qsTr("Device ID"); color: "white"; width: 130 }
            TextField {
                id: idField
                objectName: "mqttId"
                width: 260
                selectByMouse: true
                maximumLength: 48
                placeholderText: section.bridge ? section.bridge.deviceIdFor(nameField.text) : ""
            }
        }

        Switch {
            id: discoverySwitch
            objectName: "mqttDiscovery"
            text: qsTr("Announce to Home Assistant")
            palette.windowText: "white"
            checked: true
        }

        Text {
            width: parent.width
            wrapMode: Text.WordWrap
            color: "#C0D8F0"
            font.pixelSize: 12
            text: qsTr("Topics start with tessaro/%1/. Remove the switcher from the broker before changing its ID, or Home Assistant keeps the old entities.")
                  .arg(idField.text !== "" ? idField.text : idField.placeholderText)
        }

        Row {
            spacing: 12
            Button {
                objectName: "mqttApply"
                text: qsTr("Apply")
                onClicked: section.apply()
            }
            Button {
                objectName: "mqttRemove"
                text: qsTr("Remove from broker")
                enabled: section.bridge !== null && section.bridge.brokerUrl !== "" && section.bridge.status !== "removing"
                onClicked: section.removeFromBroker()
            }
        }

        Text {
            objectName: "mqttStatus"
            width: parent.width
            wrapMode: Text.WordWrap
            color: section.statusIsError ? "#FF8A80" : "#9FE8A0"
            text: section.statusText
        }
    }
}
