import QtQuick 2.15
import QtQuick.Controls 2.15

// A box of the naming screen: its title, the name rows flowing left to right, and
// the box's Save, Clear and Default buttons on the right. Rows that do not fit in the
// box scroll inside it.
Rectangle {
    id: box

    property string title: ""
    property int titleHeight: 30
    property alias model: rows.model
    property string saveText: ""
    property string clearText: ""
    property string defaultText: ""
    property color editorColor: "#E0E0E0"
    property color fontColor: "white"
    property int generation: 0
    readonly property alias rows: rows
    readonly property alias flickable: flick

    signal saveClicked()
    signal clearClicked()
    signal defaultClicked()
    signal nameEdited(int row, string text)

    color: "transparent"
    border.width: 1
    border.color: "grey"
    radius: 5

    Text {
        width: parent.width
        height: box.titleHeight
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        text: box.title
        font.pixelSize: 15
        color: box.fontColor
    }

    Flickable {
        id: flick
        x: 10
        y: box.titleHeight
        width: box.width - 100 - 40
        height: Math.max(0, box.height - box.titleHeight - 5)
        contentWidth: width
        contentHeight: flow.height
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        interactive: contentHeight > height

        Flow {
            id: flow
            width: flick.width
            spacing: 5

            Repeater {
                id: rows
                delegate: NameRow {
                    key: model.key
                    name: model.name
                    editorColor: box.editorColor
                    keyColor: box.fontColor
                    generation: box.generation
                    onEdited: box.nameEdited(index, text)
                }
            }
        }

        ScrollBar.vertical: ScrollBar {
            parent: box
            x: flick.x + flick.width + 2
            y: flick.y
            height: flick.height
            width: 8
            policy: flick.contentHeight > flick.height ? ScrollBar.AlwaysOn : ScrollBar.AlwaysOff
        }
    }

    Column {
        x: box.width - 110
        y: box.titleHeight
        width: 100
        spacing: 5

        TButton {
            objectName: "saveButton"
            text: box.saveText
            onClicked: box.saveClicked()
        }
        TButton {
            objectName: "clearButton"
            text: box.clearText
            onClicked: box.clearClicked()
        }
        TButton {
            objectName: "defaultButton"
            text: box.defaultText
            onClicked: box.defaultClicked()
        }
    }
}
