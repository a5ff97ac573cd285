import QtQuick 2.15
import QtQuick.Controls 2.15

// One channel in the route list of the switching screen: a green pill with the name,
// as wide as the name needs (50 to 160 pixels); a name longer still shows whole in a
// tooltip.
Rectangle {
    id: pill
    property alias text: label.text

    width: Math.max(50, Math.min(160, label.implicitWidth + 16))
    height: 30
    radius: 15
    color: "green"

    Text {
        id: label
        anchors.centerIn: parent
        width: parent.width - 8
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        font.pixelSize: 12
        color: "white"
    }

    MouseArea {
        id: hover
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.NoButton
    }
    ToolTip.visible: hover.containsMouse && label.truncated
    ToolTip.text: label.text
    ToolTip.delay: 300
}
