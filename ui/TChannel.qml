import QtQuick 2.15

// A channel tile: name in the middle, number in the badge at the top right. On a tile too
// short for the name to pass under the badge, the name keeps to the width left of it.
Item {
    id: tile
    width: 200
    height: 100

    property string channelId: "0"
    property string channelName: "channel"
    property bool isActive: false
    property bool isMakeEnable: true
    property color colorActive: "#15F7CF"
    property color colorDefault: "#C0C2BF"
    property color colorMark: "#074D8B"
    property color colorMarkDisable: "red"
    property color colorMarkFont: "white"

    signal clicked()

    Rectangle {
        anchors.fill: parent
        radius: 5
        color: tile.isActive ? tile.colorActive : tile.colorDefault
    }

    FontMetrics {
        id: nameMetrics
        font.pixelSize: 15
    }

    Text {
        objectName: "channelName"
        // The name's line runs beside the badge rather than below it.
        readonly property bool besideBadge: (tile.height - nameMetrics.height) / 2 < badge.y + badge.height
        // A name that, centred in the tile, would reach the badge keeps to the left of it.
        readonly property bool leftOfBadge: besideBadge && implicitWidth > tile.width - 2 * (tile.width - badge.x + 4)
        x: 4
        anchors.verticalCenter: parent.verticalCenter
        width: leftOfBadge ? badge.x - 4 - x : tile.width - 8
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        text: tile.channelName
        font.pixelSize: 15
        color: "black"
    }

    Rectangle {
        id: badge
        objectName: "badge"
        width: 30
        height: 20
        radius: 5
        anchors.top: parent.top
        anchors.right: parent.right
        anchors.topMargin: 2
        anchors.rightMargin: 2
        color: tile.isMakeEnable ? tile.colorMark : tile.colorMarkDisable

        Text {
            anchors.centerIn: parent
            text: tile.channelId
            color: tile.colorMarkFont
        }
    }

    MouseArea {
        anchors.fill: parent
        onClicked: tile.clicked()
    }
}
