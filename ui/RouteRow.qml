import QtQuick 2.15

// One route of the switching screen: the input's pill, an arrow, then one pill per
// output. Outputs that do not fit on one line continue on further lines below.
Item {
    id: row

    property string inName: ""
    property var outNames: []
    property color arrowColor: "white"

    height: Math.max(30, outFlow.height)

    RoutePill {
        id: inPill
        objectName: "routeIn"
        text: row.inName
    }

    Item {
        id: arrow
        x: inPill.width + 5
        width: 80
        height: 30

        Text {
            anchors.centerIn: parent
            text: "->"
            color: row.arrowColor
        }
    }

    Flow {
        id: outFlow
        x: arrow.x + arrow.width + 5
        width: Math.max(55, row.width - x)
        spacing: 5

        // Counted model: a new list of the same length only renames the pills.
        Repeater {
            model: row.outNames.length
            delegate: RoutePill {
                objectName: "routeOut"
                text: index < row.outNames.length ? row.outNames[index] : ""
            }
        }
    }
}
