import QtQuick 2.15

// One channel in the route list of the switching screen: a green pill with the name.
Rectangle {
    property alias text: label.text

    width: 50
    height: 30
    radius: 15
    color: "green"

    Text {
        id: label
        anchors.centerIn: parent
        width: parent.width - 8
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        font.pixelSize: 12
        color: "white"
    }
}
