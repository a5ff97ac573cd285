import QtQuick 2.15
import QtQuick.Controls 2.15

// The changes staged in preview, one line each ("Output 3: Input 1 → Input 4"); the
// route list beside it keeps showing the device's confirmed routing.
Rectangle {
    id: panel
    color: "#0A3A66"
    border.width: 1
    border.color: "#0D47A1"

    property color fontColor: "white"
    // Channel names by number - 1, as the tiles show them.
    property var inNames: []
    property var outNames: []

    function label(names, n) {
        return n >= 1 && n <= names.length ? names[n - 1] : (n > 0 ? String(n) : "?")
    }

    Text {
        id: title
        x: 8
        y: 6
        text: qsTr("Staged: %1").arg(appContext.stage.count)
        color: panel.fontColor
        font.pixelSize: 13
        font.bold: true
    }

    ListView {
        objectName: "stagedList"
        anchors.top: title.bottom
        anchors.topMargin: 6
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 8
        clip: true
        spacing: 2
        model: appContext.stage.changes
        delegate: Text {
            width: ListView.view.width
            elide: Text.ElideRight
            color: panel.fontColor
            font.pixelSize: 12
            text: qsTranslate("NoticeBar", "Output %1: Input %2 → Input %3").arg(modelData.output)
                      .arg(modelData.from > 0 ? modelData.from : "?").arg(modelData.to)
            ToolTip.visible: tip.containsMouse
            ToolTip.text: panel.label(panel.outNames, modelData.output) + ": "
                          + panel.label(panel.inNames, modelData.from) + " → " + panel.label(panel.inNames, modelData.to)
            MouseArea {
                id: tip
                anchors.fill: parent
                hoverEnabled: true
                acceptedButtons: Qt.NoButton
            }
        }
    }
}
