import QtQuick 2.15

// "Set EDID": which EDID an input presents; for the output-resolution models also the
// audio-insert rows.
AdvanceBlock {
    id: block
    title: qsTranslate("Advance", "Set EDID")
    blockHeight: 200

    property var screen
    property alias inputChoice: inputChoice
    property alias edidChoice: edidChoice
    property alias audioRows: audioRows

    AdvanceRow {
        label: qsTranslate("Advance", "Input Port")
        AdvanceChoice {
            id: inputChoice
            objectName: "edidInputChoice"
            onChanged: block.screen.edidInput = value !== undefined ? value : 0
        }
    }
    AdvanceRow {
        label: qsTranslate("Advance", "EDID")
        AdvanceChoice {
            id: edidChoice
            objectName: "edidChoice"
            onChanged: block.screen.edidChoice = value !== undefined ? value : 0
        }
        TButton {
            objectName: "setEdidButton"
            width: 80
            height: 25
            text: qsTranslate("Advance", "Save")
            onClicked: appContext.sendCmd_SetEDID(block.screen.edidInput, block.screen.edidChoice)
        }
    }
    Text {
        visible: block.screen.lists.outportSetting
        width: parent.width
        height: visible ? 20 : 0
        horizontalAlignment: Text.AlignHCenter
        text: qsTranslate("Advance", "Audio Select")
        color: block.fontColor
        font.pixelSize: 13
    }
    AdvanceAudioRows {
        id: audioRows
        visible: block.screen.lists.outportSetting
        height: visible ? implicitHeight : 0
        screen: block.screen
        active: block.screen.lists.outportSetting
        namePrefix: "edidAudio"
    }
}
