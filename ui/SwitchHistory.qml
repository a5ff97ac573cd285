import QtQuick 2.15
import QtQuick.Controls 2.15

// Below the switching screen's buttons: undo and redo of routing, and preview with
// "Take" and "Clear" for routing staged while previewing.
Column {
    id: extras
    spacing: 12
    width: 100

    property color fontColor: "white"
    readonly property var history: appContext.history
    readonly property var stage: appContext.stage

    Row {
        spacing: 2
        TButton {
            objectName: "undoButton"
            width: 49
            fontSize: 10
            text: qsTr("Undo")
            enabled: extras.history.canUndo
            opacity: enabled ? 1 : 0.5
            onClicked: extras.history.undo()
        }
        TButton {
            objectName: "redoButton"
            width: 49
            fontSize: 10
            text: qsTr("Redo")
            enabled: extras.history.canRedo
            opacity: enabled ? 1 : 0.5
            onClicked: extras.history.redo()
        }
    }

    Row {
        spacing: 2
        height: 32
        Switch {
            id: previewSwitch
            objectName: "previewSwitch"
            anchors.verticalCenter: parent.verticalCenter
            padding: 0
            checked: extras.stage.active
            onToggled: extras.stage.active = checked
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("Preview")
            color: extras.fontColor
            font.pixelSize: 12
            MouseArea {
                anchors.fill: parent
                onClicked: extras.stage.active = !extras.stage.active
            }
        }
    }

    Row {
        spacing: 2
        visible: extras.stage.active
        TButton {
            objectName: "takeButton"
            width: 49
            fontSize: 10
            text: qsTr("Take")
            enabled: extras.stage.count > 0
            opacity: enabled ? 1 : 0.5
            onClicked: extras.stage.take()
        }
        TButton {
            objectName: "clearButton"
            width: 49
            fontSize: 10
            text: qsTr("Clear")
            enabled: extras.stage.count > 0
            opacity: enabled ? 1 : 0.5
            onClicked: extras.stage.clear()
        }
    }
}
