import QtQuick 2.15
import QtQuick.Controls 2.15
import Tessaro 1.0

// Asks before a defective EDID is written to the device or saved to a file. check() tells
// whether the EDID text can go as it is; otherwise the dialog opens and chosen() reports the
// operator's answer: "fix" (with the text whose checksums were recomputed; only when a
// checksum is wrong), "continue" (with the text unchanged) or "cancel" (also when the dialog
// is closed with Escape).
Dialog {
    id: dialog
    objectName: "edidDefectDialog"
    modal: true
    width: 520
    parent: Overlay.overlay
    anchors.centerIn: parent
    title: qsTr("Defective EDID")
    closePolicy: Popup.CloseOnEscape

    property string edidText: ""
    property string action: "" // what the caller is about to do, handed back with the answer
    property var defects: []
    property bool checksumsWrong: false // only then can "fix" be chosen
    property bool answered: false

    signal chosen(string choice, string action, string text)

    function check(text, action) {
        var s = inspector.inspect(text)
        if (s.valid)
            return true
        dialog.edidText = text
        dialog.action = action
        dialog.defects = s.defects // in the language shown
        dialog.checksumsWrong = !s.checksums_ok
        dialog.answered = false
        dialog.open()
        return false
    }

    function answer(choice) {
        if (answered)
            return
        answered = true
        var text = choice === "fix" ? inspector.fixedText(edidText) : edidText
        close()
        chosen(choice, action, text)
    }

    onClosed: answer("cancel")

    EdidInspector {
        id: inspector
    }

    contentItem: Column {
        spacing: 6
        Text {
            width: dialog.availableWidth
            wrapMode: Text.WordWrap
            font.family: "Microsoft Yahei"
            text: qsTr("This EDID has defects. A display may stay dark when it receives it.")
        }
        Repeater {
            model: dialog.defects
            Text {
                objectName: "edidDefect" + index
                width: dialog.availableWidth
                wrapMode: Text.WordWrap
                color: "#C62828"
                font.family: "Microsoft Yahei"
                text: "• " + modelData
            }
        }
    }

    footer: Item {
        implicitHeight: 56
        Row {
            anchors.centerIn: parent
            spacing: 6
            TButton {
                objectName: "edidFix"
                enable: dialog.checksumsWrong
                width: 230
                fontSize: 10
                text: qsTr("Fix checksums and continue")
                onClicked: dialog.answer("fix")
            }
            TButton {
                objectName: "edidContinue"
                width: 150
                fontSize: 10
                text: qsTr("Continue as is")
                onClicked: dialog.answer("continue")
            }
            TButton {
                objectName: "edidCancel"
                width: 100
                fontSize: 10
                text: qsTr("Cancel")
                onClicked: dialog.answer("cancel")
            }
        }
    }
}
