import QtQuick 2.15

// One name of the naming screen: the three-digit key, then the editable name.
Item {
    id: row

    property string key: ""
    property string name: ""
    property color editorColor: "#E0E0E0"
    property color keyColor: "white"
    // Bumped by the owner after every rebuild so that a field whose text was typed but
    // never taken shows the list's name again, even when that name did not change.
    property int generation: 0
    readonly property alias field: field

    // The field's editing finished with this text.
    signal edited(string text)

    width: 200
    height: 25

    Text {
        width: 90
        height: parent.height
        horizontalAlignment: Text.AlignRight
        verticalAlignment: Text.AlignVCenter
        text: row.key
        color: row.keyColor
    }

    Rectangle {
        x: 100
        width: 100
        height: parent.height
        color: row.editorColor
        border.width: 1
        border.color: "grey"
        radius: 2

        TextInput {
            id: field
            objectName: "nameField"
            anchors.fill: parent
            anchors.leftMargin: 4
            anchors.rightMargin: 4
            verticalAlignment: TextInput.AlignVCenter
            font.pixelSize: 12
            selectByMouse: true
            clip: true
            text: {
                row.generation
                return row.name
            }
            onEditingFinished: row.edited(text)
            // Out of editing, a long name shows from its beginning.
            onTextChanged: {
                if (!activeFocus)
                    cursorPosition = 0
            }
            onActiveFocusChanged: {
                if (!activeFocus)
                    cursorPosition = 0
            }
        }
    }
}
