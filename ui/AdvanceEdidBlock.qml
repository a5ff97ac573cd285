import QtQuick 2.15
import QtQuick.Controls 2.15
import Tessaro 1.0

// "EDID Read & Write": one EDID of the device as hex text, read from and written to the
// device, loaded from and saved to a file. The screen does the work (readEdid(),
// writeEdid(), loadEdid(), saveEdid()); this block only lays it out.
AdvanceBlock {
    id: block
    title: qsTranslate("Advance", "EDID Read & Write")
    blockHeight: 350

    property var screen
    property alias edidChoice: edidChoice
    property alias edidArea: edidArea
    // Beside the text area: a decoded summary of the EDID shown.
    property alias summarySlot: summarySlot

    // Shows the EDID text 16 bytes a line; what is written or saved stays the text itself.
    function showEdid(text) {
        edidArea.text = hexFormat.hexLines(text)
    }

    EdidInspector {
        id: hexFormat
    }

    AdvanceRow {
        label: qsTranslate("Advance", "EDID")
        AdvanceChoice {
            id: edidChoice
            objectName: "rwEdidChoice"
            startEmpty: true
            onChanged: block.screen.rwEdid = value !== undefined ? value : 0
        }
    }

    Item {
        width: parent.width
        height: 200

        Rectangle {
            id: areaFrame
            anchors.fill: parent
            anchors.leftMargin: 10
            anchors.rightMargin: 20 + summarySlot.width
            color: "#E0E0E0"

            // Lines are never wrapped, so a byte is never split; a line wider than the area
            // scrolls sideways, and the scroll bar then stays in sight to say so.
            ScrollView {
                id: areaScroll
                anchors.fill: parent
                clip: true
                ScrollBar.horizontal.policy: edidArea.implicitWidth > areaScroll.availableWidth
                                             ? ScrollBar.AlwaysOn : ScrollBar.AsNeeded
                TextArea {
                    id: edidArea
                    objectName: "edidArea"
                    readOnly: true
                    selectByMouse: true
                    wrapMode: TextEdit.NoWrap
                    textFormat: TextEdit.PlainText
                    font.family: "monospace"
                    font.pixelSize: 11
                    color: "black"
                    background: null
                }
            }
        }
        Item {
            id: summarySlot
            objectName: "edidSummarySlot"
            anchors.top: parent.top
            anchors.bottom: parent.bottom
            anchors.right: parent.right
            anchors.rightMargin: width > 0 ? 10 : 0
            width: childrenRect.width

            EdidSummary {
                height: parent.height
                edidText: appContext.currentEDIDStr
            }
        }
    }

    Row {
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: 10
        TButton {
            objectName: "edidReadButton"
            width: 90
            height: 30
            text: qsTranslate("Advance", "Read")
            onClicked: block.screen.readEdid()
        }
        TButton {
            objectName: "edidWriteButton"
            width: 90
            height: 30
            text: qsTranslate("Advance", "Write")
            onClicked: block.screen.writeEdid()
        }
        TButton {
            objectName: "edidLoadButton"
            width: 90
            height: 30
            text: qsTranslate("Advance", "Load")
            onClicked: block.screen.loadEdid()
        }
        TButton {
            objectName: "edidSaveButton"
            width: 90
            height: 30
            text: qsTranslate("Advance", "Save")
            onClicked: block.screen.saveEdid()
        }
    }
}
