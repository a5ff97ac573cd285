import QtQuick 2.15

// A titled box of the video wall screen whose tiles flow left to right below the title.
Rectangle {
    id: box

    property string title: ""
    property color titleColor: "white"
    default property alias tiles: flow.data

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

    Flow {
        id: flow
        x: 5
        y: 30
        width: box.width - 10
        height: box.height - 35
        spacing: 5
        clip: true
    }
}
