import QtQuick 2.15

// One line of feedback across the window's full width, directly under the header, over
// the screen below it. Informational messages go after a few seconds or when dismissed.
Rectangle {
    id: bar
    objectName: "noticeBar"
    height: 36
    color: "#F2B134"
    visible: false
    z: 10

    property alias text: label.text
    // How long an informational message stays (milliseconds).
    property int timeoutMs: 8000

    function show(message) {
        label.text = message
        visible = true
        hideTimer.restart()
    }

    function dismiss() {
        hideTimer.stop()
        visible = false
    }

    Timer {
        id: hideTimer
        interval: bar.timeoutMs
        onTriggered: bar.visible = false
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
        anchors.right: closeButton.left
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        font.pixelSize: 14
        color: "black"
    }

    Text {
        id: closeButton
        objectName: "noticeClose"
        anchors.right: parent.right
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
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
