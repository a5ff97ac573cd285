import QtQuick 2.15
import QtQuick.Controls 2.15

// One line under the connect box: where a connection is being tried (with "Cancel"), or
// why the last attempt failed or the link dropped. Empty once connected and answered.
Text {
    id: message

    // A key from the application context (empty: nothing to say).
    property string problem: ""
    // "host:port" of a network attempt, put before the reason so the operator sees
    // which address and port were tried; empty for a serial port.
    property string target: ""
    // Problems of the link itself, as opposed to the settings file.
    readonly property bool aboutLink: problem !== "" && problem !== "settingsUnreadable"

    height: 20
    verticalAlignment: Text.AlignVCenter
    // Trying now, or waiting to try again after a loss.
    readonly property bool connecting: appContext.isConnectPending && !appContext.isConnected
    readonly property bool waiting: appContext.link.reconnecting

    color: connecting || waiting ? "white" : "#FF8A80"
    rightPadding: cancelButton.visible ? cancelButton.width + 8 : 0
    font.pointSize: 11
    // A long translation shrinks to fit the line rather than being cut.
    fontSizeMode: Text.HorizontalFit
    minimumPointSize: 7
    elide: Text.ElideRight

    text: {
        if (connecting)
            return qsTr("Connecting to %1 ...").arg(appContext.linkDescription())
        if (waiting)
            return qsTranslate("NoticeBar", "Connection lost, trying again in %1 s").arg(appContext.link.reconnectIn)
        return (aboutLink && target !== "" ? target + ": " : "") + reason
    }

    readonly property string reason: {
        switch (problem) {
        case "refused": return qsTr("Connection refused")
        case "noAnswer": return qsTr("No answer from the address within 5 seconds")
        case "unreachable": return qsTr("Host or network unreachable")
        case "badAddress": return qsTr("Address not valid")
        case "portNotFound": return qsTr("Serial port not found")
        case "portBusy": return qsTr("Serial port busy (in use by another program)")
        case "permission": return qsTr("Permission denied: the user must be in the \"dialout\" group")
        case "lost": return qsTr("Connection lost (device unplugged or closed the link)")
        case "settingsUnreadable": return qsTr("The settings file cannot be read; changes will not be saved")
        case "noDeviceAnswer": return qsTranslate("NoticeBar", "The port is open but no device answers: check the cable, the port and the baud rate")
        case "stoppedAnswering": return qsTranslate("NoticeBar", "The device stopped answering")
        case "noBaudRate": return qsTr("Choose a baud rate before connecting")
        default: return ""
        }
    }

    Button {
        id: cancelButton
        objectName: "connectCancel"
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        height: 22
        visible: message.connecting || message.waiting
        text: qsTr("Cancel")
        onClicked: appContext.cancelConnect()
    }
}
