import QtQuick 2.15
import "WallGeometry.js" as Wall

// An output tile that can be dragged onto the wall grid. The drag is a platform
// drag-and-drop carrying "name#number" as text; the tile itself stays where it is.
TChannel {
    id: tile

    property string display: ""
    property string value: ""
    // When true, a drop completed as a move empties the tile.
    property bool dropclean: false

    signal lose()

    channelName: display
    channelId: value

    Drag.dragType: Drag.Automatic
    Drag.supportedActions: Qt.CopyAction | Qt.MoveAction | Qt.LinkAction
    Drag.proposedAction: Qt.MoveAction
    Drag.mimeData: { "text/plain": Wall.payload(tile.display, tile.value) }
    Drag.hotSpot.x: 10
    Drag.hotSpot.y: 10
    Drag.onDragFinished: {
        if (dropAction === Qt.MoveAction) {
            tile.lose()
            if (tile.dropclean)
                tile.display = ""
        }
    }

    MouseArea {
        id: dragArea
        anchors.fill: parent
        property point pressPoint: Qt.point(0, 0)

        onPressed: pressPoint = Qt.point(mouse.x, mouse.y)
        onPositionChanged: {
            if (!pressed || tile.Drag.active)
                return
            var dx = mouse.x - pressPoint.x, dy = mouse.y - pressPoint.y
            if (Math.abs(dx) + Math.abs(dy) >= Qt.styleHints.startDragDistance)
                tile.Drag.active = true // runs the platform drag until it ends
        }
        onClicked: tile.clicked()
    }
}
