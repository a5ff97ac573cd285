import QtQuick 2.15
import "WallGeometry.js" as Wall

// A cell of the wall grid: takes an output dropped on it (replacing the one it held)
// and shows the output's name.
Rectangle {
    id: cell

    property string display: ""
    property string value: ""
    // Output numbers (as text) the cell takes; empty takes every output.
    property var allowValues: []
    property color textColor: "black"

    signal accepted()

    Text {
        objectName: "cellName"
        anchors.centerIn: parent
        width: parent.width - 6
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        elide: Text.ElideRight
        maximumLineCount: Math.max(1, Math.floor(parent.height / 18))
        text: cell.display
        color: cell.textColor
    }

    DropArea {
        anchors.fill: parent
        keys: ["text/plain"]

        onEntered: {
            if (cell.allowValues.length > 0) {
                var number = Wall.parsePayload(drag.text).value
                if (cell.allowValues.indexOf(number) < 0)
                    drag.accepted = false
            }
        }
        onDropped: {
            if (!drop.hasText)
                return
            if (drop.proposedAction !== Qt.MoveAction && drop.proposedAction !== Qt.CopyAction)
                return
            var parts = Wall.parsePayload(drop.text)
            cell.display = parts.display
            cell.value = parts.value
            cell.accepted()
            drop.acceptProposedAction()
        }
    }
}
