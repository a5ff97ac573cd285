import QtQuick 2.15
import QtQuick.Controls 2.15

// The least a Qt Quick Controls 2 program shows: the yardstick for the panel's start-up.
ApplicationWindow {
    width: 1024
    height: 768
    visible: true
    title: "Start-up baseline"

    Button {
        anchors.centerIn: parent
        text: "Button"
    }
}
