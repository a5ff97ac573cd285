import QtQuick 2.15

// A labelled row of the advanced screen: a right-aligned label, then whatever the row
// holds (a drop-down list, buttons, a note).
Row {
    id: row
    height: 25
    spacing: 10

    property string label
    property color fontColor: "white"

    Text {
        width: 80
        height: row.height
        text: row.label
        color: row.fontColor
        font.pixelSize: 13
        // Longer labels shrink to fit rather than lose letters.
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 9
        horizontalAlignment: Text.AlignRight
        verticalAlignment: Text.AlignVCenter
    }
}
