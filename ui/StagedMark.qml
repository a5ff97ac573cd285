import QtQuick 2.15

// An output tile's staged route in preview: a dashed outline and, at the bottom, the
// input it will get on "Take". Nothing is drawn while nothing is staged.
Item {
    id: mark
    // The staged input's name; empty: nothing staged.
    property string inputName: ""
    anchors.fill: parent
    visible: inputName !== ""

    Canvas {
        id: outline
        anchors.fill: parent
        onPaint: {
            var ctx = getContext("2d")
            ctx.reset()
            ctx.strokeStyle = "#0D47A1"
            ctx.lineWidth = 3
            ctx.setLineDash([6, 4])
            ctx.beginPath()
            ctx.roundedRect(1.5, 1.5, width - 3, height - 3, 5, 5)
            ctx.stroke()
        }
        onWidthChanged: requestPaint()
        onHeightChanged: requestPaint()
    }

    Rectangle {
        objectName: "stagedLabel"
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 5
        width: Math.min(parent.width - 10, label.implicitWidth + 12)
        height: 20
        radius: 4
        color: "#0D47A1"
        Text {
            id: label
            objectName: "stagedText"
            anchors.centerIn: parent
            width: parent.width - 8
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideRight
            font.pixelSize: 12
            color: "white"
            text: "\u2192 " + mark.inputName
        }
    }
}
