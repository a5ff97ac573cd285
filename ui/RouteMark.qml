import QtQuick 2.15

// What became of the last routing command on an output tile: pending (amber dot),
// confirmed (green tick, for a few seconds), did not switch (red outline and "!"), or
// changed elsewhere (violet outline). It leaves the tile's own colours as they are.
Item {
    id: mark
    // RouteWatch's mark: 0 none, 1 pending, 2 confirmed, 3 not confirmed, 4 changed elsewhere.
    property int state_: 0
    anchors.fill: parent

    Rectangle {
        objectName: "routeOutline"
        anchors.fill: parent
        radius: 5
        color: "transparent"
        border.width: 3
        border.color: mark.state_ === 3 ? "#E53935" : "#7C4DFF"
        visible: mark.state_ === 3 || mark.state_ === 4
    }

    Rectangle {
        objectName: "routeCorner"
        x: 4
        y: parent.height - height - 4
        width: 18
        height: 18
        radius: 9
        visible: mark.state_ !== 0
        color: mark.state_ === 1 ? "#FFB300" : mark.state_ === 2 ? "#2E7D32" : mark.state_ === 3 ? "#E53935" : "#7C4DFF"
        Text {
            anchors.centerIn: parent
            color: "white"
            font.pixelSize: 12
            font.bold: true
            text: mark.state_ === 2 ? "\u2713" : mark.state_ === 3 ? "!" : mark.state_ === 4 ? "\u21c4" : ""
        }
    }
}
