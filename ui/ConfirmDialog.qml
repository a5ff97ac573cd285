import QtQuick 2.15
import QtQuick.Controls 2.15

// Asks before something that cannot be undone. "No" has the focus, so Enter and Escape
// change nothing; confirmed() follows "Yes" only.
Dialog {
    id: dialog
    modal: true
    width: 480
    parent: Overlay.overlay
    anchors.centerIn: parent
    closePolicy: Popup.CloseOnEscape

    property alias text: message.text

    signal confirmed()

    function ask(title, text) {
        dialog.title = title
        message.text = text
        open()
        noButton.forceActiveFocus()
    }

    Text {
        id: message
        objectName: "confirmText"
        width: parent.width
        wrapMode: Text.WordWrap
        font.pixelSize: 14
    }

    footer: DialogButtonBox {
        Button {
            objectName: "confirmYes"
            text: qsTr("Yes")
            DialogButtonBox.buttonRole: DialogButtonBox.AcceptRole
            Keys.onReturnPressed: clicked()
            Keys.onEnterPressed: clicked()
        }
        Button {
            id: noButton
            objectName: "confirmNo"
            text: qsTr("No")
            DialogButtonBox.buttonRole: DialogButtonBox.RejectRole
            Keys.onReturnPressed: clicked()
            Keys.onEnterPressed: clicked()
        }
    }

    onAccepted: confirmed()
}
