import QtQuick 2.15
import QtQuick.Controls 2.15

// Says who holds the lock of an output and offers to force it open; "Cancel" is the
// button in focus, so Enter changes nothing.
Dialog {
    id: dialog
    objectName: "lockDialog"
    modal: true
    width: 460
    parent: Overlay.overlay
    anchors.centerIn: parent
    title: qsTr("Output locked")
    closePolicy: Popup.CloseOnEscape

    property int output: 0

    function ask(output) {
        dialog.output = output
        open()
        cancelButton.forceActiveFocus()
    }

    Text {
        width: parent.width
        wrapMode: Text.WordWrap
        font.pixelSize: 14
        text: qsTr("Output %1 is locked by %2 since %3. Routing to it is refused until it is unlocked.")
                  .arg(dialog.output).arg(appContext.locks.holder(dialog.output))
                  .arg(appContext.locks.since(dialog.output))
              + "\n\n" + qsTr("Force the lock open? The controller that holds it sees it unlocked.")
    }

    footer: DialogButtonBox {
        Button {
            objectName: "lockForceButton"
            text: qsTr("Force open")
            DialogButtonBox.buttonRole: DialogButtonBox.AcceptRole
            Keys.onReturnPressed: clicked()
            Keys.onEnterPressed: clicked()
        }
        Button {
            id: cancelButton
            objectName: "lockCancelButton"
            text: qsTr("Cancel")
            DialogButtonBox.buttonRole: DialogButtonBox.RejectRole
            Keys.onReturnPressed: clicked()
            Keys.onEnterPressed: clicked()
        }
    }

    onAccepted: appContext.locks.forceUnlock(dialog.output)
}
