import QtQuick 2.15

// "Output Setting": per output, the pre-emphasis or transmitter swing and, for the
// splitters with an audio input, where the output's audio comes from.
AdvanceBlock {
    id: block
    title: qsTranslate("Advance", "Output Setting")
    blockHeight: 200
    shown: !screen.lists.outputSettingHidden

    property var screen
    property alias outportChoice: outportChoice
    property alias peChoice: peChoice
    property alias swingChoice: swingChoice
    property alias audioChoice: audioChoice

    AdvanceRow {
        label: qsTranslate("Advance", "Outport")
        visible: block.screen.lists.txSwing || block.screen.lists.peSetting
        AdvanceChoice {
            id: outportChoice
            objectName: "outportChoice"
            startEmpty: true
            onChanged: {
                if (value !== undefined)
                    block.screen.outputChosen(value)
            }
        }
    }
    AdvanceRow {
        label: qsTranslate("Advance", "PE Mode")
        visible: block.screen.lists.peSetting
        AdvanceChoice {
            id: peChoice
            objectName: "peChoice"
            startEmpty: true
            onChanged: {
                if (!block.screen.firstActivation && value !== undefined && value !== block.screen.rememberedPE)
                    appContext.sendCmd_SetOutPE(block.screen.currentOutput, value)
            }
        }
    }
    AdvanceRow {
        label: qsTranslate("Advance", "TX Swing")
        visible: block.screen.lists.txSwing
        AdvanceChoice {
            id: swingChoice
            objectName: "swingChoice"
            startEmpty: true
            onChanged: {
                if (!block.screen.firstActivation && value !== undefined
                        && value !== block.screen.rememberedSwing)
                    appContext.sendCmd_SetOutSW(block.screen.currentOutput, value)
            }
        }
    }
    AdvanceRow {
        label: qsTranslate("Advance", "AudioSelect")
        visible: block.screen.lists.hdmiOrAnalog
        AdvanceChoice {
            id: audioChoice
            objectName: "hdmiOrAnalogChoice"
            onPicked: {
                if (value !== undefined && value !== block.screen.rememberedAudioSource) {
                    block.screen.rememberedAudioSource = value
                    appContext.sendCmd_SetAudioHdmiOrAnlog(block.screen.currentOutput, value)
                }
            }
        }
    }
}
