import QtQuick 2.15

// "OutPort Setting": the output resolution of an output board (numbered after the inputs).
AdvanceBlock {
    id: block
    title: qsTranslate("Advance", "OutPort Setting")
    blockHeight: 250
    shown: screen.lists.outportSetting

    property var screen
    property alias outportChoice: outportChoice
    property alias resolutionChoice: resolutionChoice

    AdvanceRow {
        label: qsTranslate("Advance", "Outport")
        AdvanceChoice {
            id: outportChoice
            objectName: "outportSettingChoice"
            startEmpty: true
            onChanged: {
                if (value === undefined)
                    return
                block.screen.outportOutput = value
                appContext.sendCmd_GetRXTXResolution(value)
            }
        }
    }
    AdvanceRow {
        label: qsTranslate("Advance", "Resolution")
        AdvanceChoice {
            id: resolutionChoice
            objectName: "outResChoice"
            startEmpty: true
            onPicked: {
                if (index === block.screen.outportResolution || value === undefined)
                    return
                block.screen.outportResolution = value
                appContext.sendCmd_SetRXTXResolution(block.screen.outportOutput, value)
            }
        }
    }
}
