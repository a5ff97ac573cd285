import QtQuick 2.15

// A short remark after a drop-down list of the advanced screen.
Text {
    width: 190
    height: 25
    color: "white"
    font.pixelSize: 11
    wrapMode: Text.WordWrap
    verticalAlignment: Text.AlignVCenter
}
