import QtQuick 2.15

// A small padlock drawn on an output tile that a remote controller has locked.
Item {
    width: 14
    height: 16

    Rectangle {
        // the shackle
        x: 3
        y: 0
        width: 8
        height: 10
        radius: 4
        color: "transparent"
        border.width: 2
        border.color: "#E65100"
    }
    Rectangle {
        // the body
        y: 6
        width: 14
        height: 10
        radius: 2
        color: "#E65100"
    }
}
