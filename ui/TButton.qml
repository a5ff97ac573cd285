import QtQuick 2.15

// The push button every screen shares.
Item {
    id: control
    width: 100
    height: 40

    property color backgroundColor: "#338DE3"
    property color color: "white"
    property string text: "button"
    property bool enable: true
    property int radius: 5
    property int fontSize: 12
    property bool hovered: false
    property bool pressed: false

    signal clicked()

    Rectangle {
        anchors.fill: parent
        radius: control.radius
        color: !control.enable ? Qt.lighter(control.backgroundColor, 1.2)
             : control.pressed ? Qt.darker(control.backgroundColor, 1.2)
             : control.hovered ? Qt.lighter(control.backgroundColor, 1.2)
             : control.backgroundColor
    }

    Text {
        anchors.centerIn: parent
        text: control.text
        font.pointSize: control.fontSize
        color: control.enable ? control.color : Qt.lighter(control.color, 1.2)
    }

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.LeftButton
        hoverEnabled: true
        onEntered: control.hovered = true
        onExited: control.hovered = false
        onPressed: {
            control.pressed = true
            // Taking the focus ends any edit in progress before the click acts.
            control.forceActiveFocus()
        }
        onReleased: control.pressed = false
        onCanceled: control.pressed = false
        onClicked: {
            if (control.enable)
                control.clicked()
        }
    }
}
