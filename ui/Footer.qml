import QtQuick 2.15

// Status line: link state, link kind, port or address, device model and version. Each
// text keeps to its own width and elides, so a long port path never runs into the model.
Item {
    id: footer
    height: 40

    signal consoleRequested()
    signal remoteRequested()

    Row {
        x: 10
        height: 40
        spacing: 10

        Text {
            objectName: "footerState"
            width: 100
            elide: Text.ElideRight
            height: parent.height
            verticalAlignment: Text.AlignVCenter
            color: "white"
            // "Connected" only once a device answered on the link.
            text: appContext.isConnected ? (appContext.link.answered ? qsTr("Connected") : qsTr("Opened, no answer"))
                                         : qsTr("Disconnected")
        }
        Text {
            objectName: "footerLinkType"
            width: 100
            elide: Text.ElideRight
            height: parent.height
            verticalAlignment: Text.AlignVCenter
            color: "white"
            text: appContext.connectType === 0 ? qsTr("Serialport") : qsTr("Network")
        }
        Text {
            objectName: "footerSerial"
            width: 190
            elide: Text.ElideMiddle
            height: parent.height
            verticalAlignment: Text.AlignVCenter
            color: "white"
            visible: appContext.connectType === 0
            text: appContext.currentSerialport + "(" + appContext.currentSerialportBaudrate + ")"
        }
        Text {
            objectName: "footerAddress"
            width: 150
            elide: Text.ElideRight
            height: parent.height
            verticalAlignment: Text.AlignVCenter
            color: "white"
            visible: appContext.connectType === 1
            text: appContext.linkAddress
        }
        Text {
            objectName: "footerModel"
            width: 100
            elide: Text.ElideRight
            height: parent.height
            verticalAlignment: Text.AlignVCenter
            color: "white"
            visible: appContext.isConnected
            text: appContext.mode
        }
        Text {
            objectName: "footerVersion"
            width: 100
            elide: Text.ElideRight
            height: parent.height
            verticalAlignment: Text.AlignVCenter
            color: "white"
            text: Qt.application.version
        }
    }

    TButton {
        objectName: "footerRemote"
        anchors.right: consoleButton.left
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        width: 120
        height: 28
        fontSize: 10
        text: qsTranslate("RemoteWindow", "Remote control")
        onClicked: footer.remoteRequested()
    }

    TButton {
        id: consoleButton
        objectName: "footerConsole"
        anchors.right: parent.right
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        width: 90
        height: 28
        fontSize: 10
        text: qsTranslate("ConsoleWindow", "Console")
        onClicked: footer.consoleRequested()
    }
}
