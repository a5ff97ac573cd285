import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import QtQuick.Window 2.15

// Remote control: serves the connected switcher to router control clients (control
// surfaces, show control, home automation) over the Videohub Ethernet Protocol, and
// lists the clients connected; on its second tab, publishes it to an MQTT broker
// (RemoteMqttSection).
Window {
    id: win
    width: 600
    height: 600
    minimumWidth: 520
    minimumHeight: 560
    title: qsTr("Remote control")
    color: "#06365F"

    // The server, when the program has one (the screen tests may not).
    readonly property var server: typeof remoteControl !== "undefined" ? remoteControl : null
    property string status: ""

    function open() {
        if (server) {
            enableSwitch.checked = server.enabled
            addressField.text = server.listenAddress
            portField.text = String(server.port)
            nameField.text = server.friendlyName
        }
        mqttSection.load()
        status = ""
        show()
        raise()
        requestActivate()
    }

    function apply() {
        if (!server)
            return
        var port = parseInt(portField.text, 10)
        if (isNaN(port) || port < 1 || port > 65535) {
            status = qsTr("The port must be a number from 1 to 65535.")
            return
        }
        server.apply(enableSwitch.checked, addressField.text, port, nameField.text)
        status = ""
    }

    function errorText(key, address, port) {
        var where = address + ":" + port
        switch (key) {
        case "addressInUse": return qsTr("%1 is in use by another program: choose another port.").arg(where)
        case "addressNotAvailable": return qsTr("%1 is not an address of this machine.").arg(address)
        case "badAddress": return qsTr("\"%1\" is not an IP address.").arg(address)
        case "badPort": return qsTr("The port must be a number from 1 to 65535.")
        case "other": return qsTr("Cannot listen on %1.").arg(where)
        default: return ""
        }
    }

    TabBar {
        id: tabs
        objectName: "remoteTabs"
        width: parent.width
        TabButton { text: qsTr("Router protocol") }
        TabButton { objectName: "mqttTab"; text: qsTr("MQTT") }
    }

    StackLayout {
        anchors.top: tabs.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        currentIndex: tabs.currentIndex

        Item {
            id: routerPage

            Column {
                x: 16
                y: 12
                width: win.width - 32
                spacing: 10

                Text {
                    width: parent.width
                    wrapMode: Text.WordWrap
                    color: "white"
                    font.pixelSize: 13
                    text: qsTr("Router control clients (control surfaces, show control, home automation) can route, rename and lock this switcher through the panel with the Videohub Ethernet Protocol.")
                }

                Switch {
                    id: enableSwitch
                    objectName: "remoteEnable"
                    text: qsTr("Serve router control clients")
                    palette.windowText: "white"
                }

                Grid {
                    columns: 2
                    columnSpacing: 10
                    rowSpacing: 8
                    verticalItemAlignment: Grid.AlignVCenter

                    Text { text: qsTr("Listen address"); color: "white"; width: 130 }
                    TextField {
                        id: addressField
                        objectName: "remoteAddress"
                        width: 200
                        selectByMouse: true
                    }
                    Text { text: qsTr("Port"); color: "white"; width: 130 }
                    TextField {
                        id: portField
                        objectName: "remotePort"
                        width: 100
                        selectByMouse: true
                        validator: IntValidator { bottom: 1; top: 65535 }
                    }
                    Text { text: qsTr("Friendly name"); color: "white"; width: 130 }
                    TextField {
                        id: nameField
                        objectName: "remoteName"
                        width: 260
                        selectByMouse: true
                        maximumLength: 64
                    }
                }

                Text {
                    width: parent.width
                    wrapMode: Text.WordWrap
                    color: "#C0D8F0"
                    font.pixelSize: 12
                    text: qsTr("127.0.0.1 lets in programs on this computer only. To let other computers in, give this computer's address (or 0.0.0.0 for all of them).")
                }

                Row {
                    spacing: 12
                    Button {
                        objectName: "remoteApply"
                        text: qsTr("Apply")
                        onClicked: win.apply()
                    }
                    Text {
                        objectName: "remoteStatus"
                        anchors.verticalCenter: parent.verticalCenter
                        width: win.width - 140
                        wrapMode: Text.WordWrap
                        color: win.server && win.server.error !== "" || win.status !== "" ? "#FF8A80" : "#9FE8A0"
                        text: {
                            if (win.status !== "")
                                return win.status
                            if (!win.server)
                                return ""
                            if (win.server.error !== "")
                                return win.errorText(win.server.error, win.server.listenAddress, win.server.port)
                            return win.server.listening ? qsTr("Listening on %1:%2").arg(win.server.listenAddress).arg(win.server.port)
                                                        : qsTr("Off")
                        }
                    }
                }

                Text {
                    color: "white"
                    font.pixelSize: 14
                    text: qsTr("Clients connected: %1").arg(win.server ? win.server.clients.count : 0)
                }

                Rectangle {
                    width: parent.width
                    height: Math.max(80, routerPage.height - y - 16)
                    color: "#042745"
                    border.color: "grey"

                    ListView {
                        id: clientList
                        objectName: "remoteClients"
                        anchors.fill: parent
                        anchors.margins: 6
                        clip: true
                        model: win.server ? win.server.clients : null
                        header: Row {
                            spacing: 8
                            height: 22
                            Text { width: 170; color: "#C0D8F0"; text: qsTr("Address") }
                            Text { width: 90; color: "#C0D8F0"; text: qsTr("Since") }
                            Text { width: 200; color: "#C0D8F0"; text: qsTr("Last request") }
                        }
                        delegate: Row {
                            spacing: 8
                            height: 22
                            Text { width: 170; color: "white"; elide: Text.ElideRight; text: model.address }
                            Text { width: 90; color: "white"; text: model.since }
                            Text { width: clientList.width - 280; color: "white"; elide: Text.ElideRight; text: model.lastRequest }
                        }
                    }
                }
            }
        }

        RemoteMqttSection {
            id: mqttSection
        }
    }
}
