import QtQuick 2.15

// "Audio Select" of the audio-insert models: an input's own HDMI audio or the external one.
AdvanceBlock {
    id: block
    title: qsTranslate("Advance", "Audio Select")
    blockHeight: 350
    shown: screen.lists.audioInsert

    property var screen
    property alias audioRows: audioRows

    AdvanceAudioRows {
        id: audioRows
        screen: block.screen
        active: block.screen.lists.audioInsert
        namePrefix: "audio"
    }
}
