import QtQuick 2.15

// One block of the advanced screen: a framed area with a centred title; its rows go
// into the column below the title. A hidden block takes no room in the flow.
Rectangle {
    id: block
    color: "transparent"
    border.width: 1
    border.color: "grey"
    radius: 5
    height: shown ? blockHeight : 0
    visible: shown

    property string title
    property int blockHeight: 200
    property bool shown: true
    property color fontColor: "white"
    default property alias content: rows.data

    Text {
        id: titleText
        anchors.top: parent.top
        anchors.topMargin: 5
        anchors.horizontalCenter: parent.horizontalCenter
        text: block.title
        color: block.fontColor
        font.pixelSize: 15
    }

    Column {
        id: rows
        anchors.top: titleText.bottom
        anchors.topMargin: 8
        anchors.left: parent.left
        anchors.right: parent.right
        spacing: 5
    }
}
