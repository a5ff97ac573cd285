import QtQuick 2.15
import QtQuick.Controls 2.15

// Feedback across the window's full width, directly under the header, over the screen
// below it. While the link waits to reconnect, or while changes made elsewhere wait for
// "Keep" or "Restore", the bar says so until that is settled; other messages go after a
// few seconds or when dismissed.
Rectangle {
    id: bar
    objectName: "noticeBar"
    height: 36
    color: mode === "message" ? "#F2B134" : "#FFD27F"
    visible: mode !== ""
    z: 10

    property string message: ""
    // How long a message stays (milliseconds).
    property int timeoutMs: 8000
    readonly property alias text: label.text

    readonly property var changes: appContext.routes.changesElsewhere
    readonly property string mode: appContext.link.reconnecting ? "reconnect"
                                  : changes.length > 0 ? "changes"
                                  : message !== "" ? "message" : ""

    function show(text) {
        message = text
        hideTimer.restart()
    }

    function dismiss() {
        hideTimer.stop()
        message = ""
    }

    function changeText(list) {
        var parts = []
        for (var i = 0; i < list.length; ++i)
            parts.push(qsTr("Output %1: Input %2 → Input %3").arg(list[i].output).arg(list[i].from).arg(list[i].to))
        return qsTr("Changed at the device or by another controller: %1").arg(parts.join("; "))
    }

    // Messages the context sends.
    function noticeText(key, args) {
        switch (key) {
        case "noDeviceAnswer": return qsTr("The port is open but no device answers: check the cable, the port and the baud rate")
        case "stoppedAnswering": return qsTr("The device stopped answering")
        case "reconnected": return qsTr("Reconnected")
        case "notConfirmed": {
            var parts = []
            for (var i = 0; i < args.length; ++i) {
                parts.push(args[i].input > 0 ? qsTr("Output %1 did not switch to Input %2").arg(args[i].output).arg(args[i].input)
                                             : qsTr("Output %1 did not switch").arg(args[i].output))
            }
            return parts.join("; ")
        }
        default: return ""
        }
    }

    Connections {
        target: appContext
        function onNotice(key, args) {
            var text = bar.noticeText(key, args)
            if (text !== "")
                bar.show(text)
        }
    }

    Timer {
        id: hideTimer
        interval: bar.timeoutMs
        onTriggered: bar.message = ""
    }

    // Clicks on the bar do not reach the screen below.
    MouseArea {
        anchors.fill: parent
    }

    Text {
        id: label
        objectName: "noticeText"
        anchors.left: parent.left
        anchors.leftMargin: 12
        anchors.right: buttons.left
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        font.pixelSize: 14
        color: "black"
        text: bar.mode === "reconnect" ? qsTr("Connection lost, trying again in %1 s").arg(appContext.link.reconnectIn)
            : bar.mode === "changes" ? bar.changeText(bar.changes)
            : bar.message
    }

    Row {
        id: buttons
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        spacing: 6

        Button {
            objectName: "noticeCancel"
            visible: bar.mode === "reconnect"
            height: 28
            text: qsTr("Cancel")
            onClicked: appContext.cancelConnect()
        }
        Button {
            objectName: "noticeKeep"
            visible: bar.mode === "changes"
            height: 28
            text: qsTr("Keep")
            onClicked: appContext.routes.keepChanges()
        }
        Button {
            objectName: "noticeRestore"
            visible: bar.mode === "changes"
            height: 28
            text: qsTr("Restore")
            onClicked: appContext.routes.restoreChanges()
        }
        Text {
            objectName: "noticeClose"
            visible: bar.mode === "message"
            height: 28
            verticalAlignment: Text.AlignVCenter
            text: "\u2715"
            font.pixelSize: 16
            color: "black"
            MouseArea {
                anchors.fill: parent
                anchors.margins: -8
                onClicked: bar.dismiss()
            }
        }
    }
}
