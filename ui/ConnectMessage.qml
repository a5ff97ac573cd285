import QtQuick 2.15

// One line under the connect box that says why the last connection attempt failed or why
// the link dropped. Empty while connecting and once connected.
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
    color: "#FF8A80"
    font.pointSize: 11
    // A long translation shrinks to fit the line rather than being cut.
    fontSizeMode: Text.HorizontalFit
    minimumPointSize: 7
    elide: Text.ElideRight

    text: (aboutLink && target !== "" ? target + ": " : "") + reason

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
        default: return ""
        }
    }
}
