import QtQuick 2.15

// "Mode Select" of the splitter models: display mode, window layout, splice layout,
// resolution, rotation, audio and mirroring. Which rows are enabled follows the
// display mode and splitter mode the screen remembers.
AdvanceBlock {
    id: block
    title: qsTranslate("Advance", "Mode Select")
    blockHeight: 350
    shown: screen.lists.splitter

    property var screen
    property alias displayModeChoice: displayModeChoice
    property alias splitterModeChoice: splitterModeChoice
    property alias spliceModeChoice: spliceModeChoice
    property alias resolutionChoice: resolutionChoice
    property alias rotateChoice: rotateChoice
    property alias audioSelectChoice: audioSelectChoice
    property alias mirrorChoice: mirrorChoice

    readonly property bool splitterShown: screen.rememberedDisplayMode === 0
    readonly property bool spliceShown: screen.rememberedDisplayMode === 1

    AdvanceRow {
        label: qsTranslate("Advance", "Display Mode")
        AdvanceChoice {
            id: displayModeChoice
            objectName: "displayModeChoice"
            onPicked: {
                if (value !== undefined && value !== block.screen.rememberedDisplayMode) {
                    block.screen.rememberedDisplayMode = value
                    appContext.sendCmd_SetDisplayMode(value)
                }
            }
        }
        AdvanceNote {
            color: block.fontColor
            text: qsTranslate("Advance", "Splitter only for output port 1")
        }
    }
    AdvanceRow {
        label: qsTranslate("Advance", "Splitter mode")
        AdvanceChoice {
            id: splitterModeChoice
            objectName: "splitterModeChoice"
            enabled: block.splitterShown
            onPicked: {
                if (value !== undefined && value !== block.screen.rememberedSplitterMode) {
                    block.screen.rememberedSplitterMode = value
                    appContext.sendCmd_SetSplitterMode(value)
                }
            }
        }
    }
    AdvanceRow {
        label: qsTranslate("Advance", "Splice mode")
        AdvanceChoice {
            id: spliceModeChoice
            objectName: "spliceModeChoice"
            enabled: block.spliceShown
            onPicked: {
                if (value !== undefined && value !== block.screen.rememberedSpliceMode) {
                    block.screen.rememberedSpliceMode = value
                    appContext.sendCmd_SetSpliceMode(value)
                }
            }
        }
    }
    AdvanceRow {
        label: qsTranslate("Advance", "Resolution")
        AdvanceChoice {
            id: resolutionChoice
            objectName: "resolutionChoice"
            // Any change is sent, one that follows a device reply included.
            onChanged: {
                if (!block.screen.firstActivation && value !== undefined)
                    appContext.sendCmd_SetRelution(value)
            }
        }
    }
    AdvanceRow {
        label: qsTranslate("Advance", "Rotate")
        AdvanceChoice {
            id: rotateChoice
            objectName: "rotateChoice"
            enabled: block.splitterShown && block.screen.rememberedSplitterMode < 4
            onChanged: {
                if (!block.screen.firstActivation && value !== undefined)
                    appContext.sendCmd_SetRotate(value)
            }
        }
        AdvanceNote {
            color: block.fontColor
            text: qsTranslate("Advance", "Rotate only for out1 of Splitter mode single window")
        }
    }
    AdvanceRow {
        label: qsTranslate("Advance", "AudioSelect")
        AdvanceChoice {
            id: audioSelectChoice
            objectName: "splitterAudioChoice"
            enabled: block.splitterShown
            onPicked: {
                if (value !== undefined && value !== block.screen.rememberedAudioSelect) {
                    block.screen.rememberedAudioSelect = value
                    appContext.sendCmd_SetAudioSelect(value)
                }
            }
        }
        AdvanceNote {
            color: block.fontColor
            text: qsTranslate("Advance", "Only for out1 of Splitter mode")
        }
    }
    AdvanceRow {
        label: qsTranslate("Advance", "Mirror")
        AdvanceChoice {
            id: mirrorChoice
            objectName: "mirrorChoice"
            enabled: block.spliceShown
            onPicked: {
                if (value !== undefined && value !== block.screen.rememberedMirror) {
                    block.screen.rememberedMirror = value
                    appContext.sendCmd_SetMirror2(value)
                }
            }
        }
        AdvanceNote {
            color: block.fontColor
            text: qsTranslate("Advance", "Mirror only for Splice mode")
        }
    }
}
