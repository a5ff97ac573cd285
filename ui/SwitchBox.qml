import QtQuick 2.15
import QtQuick.Controls 2.15

// A titled box of channel tiles, four to a row, on the switching screen. When the
// channels need more rows than the box holds, the grid scrolls inside the box.
Rectangle {
    id: box

    property string title: ""
    property alias model: grid.model
    // Output boxes show a red badge on outputs that are switched off.
    property bool showOpenState: false
    property string tilePrefix: "tile"
    property int tileHeight: 100
    property color titleColor: "white"
    // Output boxes mark locked outputs (the context's lock table), null for none.
    property var locks: null
    // Output boxes show what became of routing commands (the context's route watch).
    property var routes: null
    // Output boxes in preview: the staged input's name by output number.
    property var stagedNames: ({})
    readonly property alias grid: grid

    // Row number (0-based) of the tile that was clicked.
    signal tileClicked(int row)

    color: "transparent"
    border.width: 1
    border.color: "grey"

    Text {
        width: parent.width
        height: 30
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        text: box.title
        font.pixelSize: 14
        color: box.titleColor
    }

    GridView {
        id: grid
        x: 10
        y: 30
        width: box.width - 20
        height: Math.max(0, box.height - 35)
        cellWidth: width / 4
        cellHeight: box.tileHeight + 5
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        interactive: contentHeight > height

        delegate: TChannel {
            objectName: box.tilePrefix + model.index
            width: grid.cellWidth - 5
            height: box.tileHeight
            channelId: model.index
            channelName: model.text
            isActive: model.active
            isMakeEnable: box.showOpenState ? model.isOpen : true
            onClicked: box.tileClicked(parseInt(model.index, 10) - 1)

            StagedMark {
                objectName: "stagedMark"
                inputName: box.stagedNames[model.index] !== undefined ? box.stagedNames[model.index] : ""
            }

            RouteMark {
                objectName: "routeMark"
                state_: box.routes !== null && box.routes.revision >= 0
                        ? box.routes.markOf(parseInt(model.index, 10)) : 0
            }

            LockMark {
                objectName: "lockMark"
                x: 4
                y: 4
                visible: box.locks !== null && box.locks.revision >= 0
                         && box.locks.isLocked(parseInt(model.index, 10))
            }
        }

        ScrollBar.vertical: ScrollBar {
            parent: box
            x: box.width - width - 1
            y: grid.y
            height: grid.height
            width: 8
            policy: grid.contentHeight > grid.height ? ScrollBar.AlwaysOn : ScrollBar.AlwaysOff
        }
    }
}
