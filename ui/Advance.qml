import QtQuick 2.15
import QtQuick.Controls 2.15
import Tessaro 1.0

// Advanced screen: EDID assignment and transfer, output signal, subtitles, audio, the
// splitters' display modes and output resolution. Which blocks show depends on the
// identified model; nothing here is stored.
Item {
    id: root
    width: 1024
    height: 648

    property bool isActive: false
    property color fontColor: "white"

    // On until the screen has been shown once: the guarded lists send nothing while on.
    property bool firstActivation: true

    property int edidInput: 0
    property int edidChoice: 0
    property int rwEdid: 0
    property int currentOutput: 0
    property int rememberedPE: 0
    property int rememberedSwing: 0
    property int rememberedAudioSource: 0
    property int subtitleInput: 0
    property int audioInsertInput: 0
    property int rememberedAudioInsert: 0
    property int rememberedDisplayMode: 0
    property int rememberedSplitterMode: 0
    property int rememberedSpliceMode: 0
    property int rememberedAudioSelect: 0
    property int rememberedMirror: 0
    property int outportOutput: -1
    property int outportResolution: -1

    // Option lists and block flags for the identified model.
    property alias lists: lists
    AdvanceLists {
        id: lists
    }

    // ---- what the blocks ask of the screen ----

    function outputChosen(output) {
        currentOutput = output
        if (lists.txSwing)
            appContext.sendCmd_GetOutSW(output)
        if (lists.peSetting)
            appContext.sendCmd_GetOutPE(output)
        if (lists.hdmiOrAnalog) {
            outputBlock.audioChoice.select(appContext.cmd_GetAudioHdmiOrAnlog(output))
            appContext.sendCmd_GetAudioHdmiOrAnlog(output)
        }
    }

    function audioInputChosen(input) {
        audioInsertInput = input
        appContext.sendCmd_GetHDMIAudio(input)
    }

    function audioInsertPicked(value) {
        if (value === undefined || value === rememberedAudioInsert)
            return
        rememberedAudioInsert = value
        appContext.sendCmd_HDMIAudioInsertSlect(audioInsertInput, value)
    }

    function readEdid() {
        appContext.currentEDIDStr = ""
        appContext.sendCmd_GetEDIDData(rwEdid)
    }

    // Only the five USER EDIDs can be written. A defective EDID (bad header, a block
    // checksum wrong, a length that is not whole blocks or not the blocks declared, a VIC
    // listed twice) is written or saved only after the operator has answered the defect
    // question.
    function writeEdid() {
        if (!lists.isUserEdid(appContext.mode, appContext.inChannels, rwEdid)) {
            showMessage(qsTr("EDID only enable write to USER1-USER5"))
            return
        }
        if (edidDefect.check(appContext.currentEDIDStr, "write"))
            sendEdid()
    }
    function sendEdid() {
        appContext.sendCmd_SetEDIDData(rwEdid, appContext.currentEDIDStr)
    }

    function loadEdid() {
        if (!loadDialog) {
            loadDialog = fileChooser(true)
            loadDialog.chosen.connect(root.loadEdidFrom)
        }
        loadDialog.title = qsTr("Read EDID")
        loadDialog.open()
    }
    function saveEdid() {
        if (edidDefect.check(appContext.currentEDIDStr, "save"))
            openSaveDialog()
    }
    function openSaveDialog() {
        if (!saveDialog) {
            saveDialog = fileChooser(false)
            saveDialog.chosen.connect(root.saveEdidTo)
        }
        saveDialog.title = qsTr("Save EDID")
        saveDialog.open()
    }
    // The file dialogs end here; each tells the operator what really happened.
    function loadEdidFrom(url) {
        appContext.loadEDID_fromFile(String(url))
        showMessage(appContext.edidFileMessage())
    }
    function saveEdidTo(url) {
        appContext.saveEDID_toFile(String(url))
        showMessage(appContext.edidFileMessage())
    }

    function openSubtitle(text) {
        appContext.sendCmd_SetSubtitleTXT(subtitleInput, text)
        appContext.sendCmd_SetSubtitleEnable(subtitleInput, 1)
    }
    function closeSubtitle() {
        if (subtitleInput > appContext.inChannels) {
            showMessage(qsTr("Not Select Port number"))
            return
        }
        appContext.sendCmd_SetSubtitleEnable(subtitleInput, 0)
    }

    function showMessage(text) {
        messageDialog.text = text
        messageDialog.open()
    }

    // ---- rebuilding, at every change of isActive ----

    function rebuild() {
        var mode = appContext.mode
        var ins = appContext.inChannels
        var outs = appContext.outChannels
        var inputs = lists.inputList(ins)
        var edids = lists.edidList(mode, ins, outs)
        edidSetBlock.inputChoice.setEntries(inputs)
        edidSetBlock.audioRows.inputChoice.setEntries(inputs)
        subtitleBlock.inputChoice.setEntries(inputs)
        audioBlock.audioRows.inputChoice.setEntries(inputs)
        edidSetBlock.edidChoice.setEntries(edids)
        edidBlock.edidChoice.setEntries(edids)
        outputBlock.outportChoice.setEntries(lists.outputList(outs))
        outportBlock.outportChoice.setEntries(lists.numberedOutputList(ins, outs))

        subtitleBlock.colorChoice.setEntries(lists.subtitleColorList())
        subtitleBlock.positionChoice.setEntries(lists.subtitlePositionList())
        subtitleBlock.scrollingChoice.setEntries(lists.subtitleScrollingList())
        subtitleBlock.backgroundChoice.setEntries(lists.subtitleBackgroundList())
        subtitleBlock.alphaChoice.setEntries(lists.subtitleAlphaList())

        outputBlock.peChoice.setEntries(lists.peList(mode))
        outputBlock.swingChoice.setEntries(lists.swingList(mode))

        var audio = lists.audioInsertList()
        edidSetBlock.audioRows.audioChoice.setEntries(audio)
        audioBlock.audioRows.audioChoice.setEntries(audio)

        modeBlock.displayModeChoice.setEntries(lists.displayModeList())
        modeBlock.displayModeChoice.select(appContext.DisplayMode)
        modeBlock.splitterModeChoice.setEntries(lists.splitterModeList())
        modeBlock.splitterModeChoice.select(appContext.SplitterMode)
        modeBlock.spliceModeChoice.setEntries(lists.spliceModeList())
        modeBlock.spliceModeChoice.select(appContext.SpliceMode)
        modeBlock.resolutionChoice.setEntries(lists.splitterResolutionList())
        modeBlock.resolutionChoice.select(appContext.Resolution)
        modeBlock.rotateChoice.setEntries(lists.rotateList())
        modeBlock.rotateChoice.select(appContext.Rotate)
        modeBlock.audioSelectChoice.setEntries(lists.splitterAudioList())
        modeBlock.audioSelectChoice.select(appContext.Audioselect)
        outputBlock.audioChoice.setEntries(lists.hdmiOrAnalogList())
        modeBlock.mirrorChoice.setEntries(lists.mirrorList())
        modeBlock.mirrorChoice.select(appContext.Mirror)

        outportBlock.resolutionChoice.setEntries(lists.outputResolutionList())
        outportBlock.resolutionChoice.select(outportResolution)

        firstActivation = false
    }

    onIsActiveChanged: rebuild()

    // ---- device replies ----

    Connections {
        target: appContext
        function onModeChanged() {
            lists.applyMode(appContext.mode)
        }
        function onCurrentOutPEChanged() {
            if (appContext.currentOutPESWPort !== root.currentOutput)
                return
            root.rememberedPE = appContext.currentOutPE
            outputBlock.peChoice.select(appContext.currentOutPE)
        }
        function onCurrentOutSWChanged() {
            if (appContext.currentOutPESWPort !== root.currentOutput)
                return
            root.rememberedSwing = appContext.currentOutSW
            outputBlock.swingChoice.select(appContext.currentOutSW)
        }
        function onCurrentEDIDStrChanged() {
            edidBlock.showEdid(appContext.currentEDIDStr)
        }
        function onCurrentHDMIAudioSelChanged() {
            if (appContext.currentHDMIAudioSelPort !== root.audioInsertInput)
                return
            var v = appContext.currentHDMIAudioSel
            edidSetBlock.audioRows.audioChoice.select(v)
            audioBlock.audioRows.audioChoice.select(v)
            root.rememberedAudioInsert = v
        }
        function onSgAudioHdmiOrAnalogChanged() {
            var v = appContext.cmd_GetAudioHdmiOrAnlog(root.currentOutput)
            outputBlock.audioChoice.select(v)
            root.rememberedAudioSource = v
        }
        function onSgdisplayModeChanged() {
            root.rememberedDisplayMode = appContext.DisplayMode
            if (!root.firstActivation)
                modeBlock.displayModeChoice.select(appContext.DisplayMode)
        }
        function onSgsplitterModeChanged() {
            modeBlock.splitterModeChoice.select(appContext.SplitterMode)
            root.rememberedSplitterMode = appContext.SplitterMode
        }
        function onSgspliceModeChanged() {
            modeBlock.spliceModeChoice.select(appContext.SpliceMode)
            root.rememberedSpliceMode = appContext.SpliceMode
        }
        function onSgResolutionChanged() {
            modeBlock.resolutionChoice.select(appContext.Resolution)
        }
        function onSgRotateChanged() {
            modeBlock.rotateChoice.select(appContext.Rotate)
        }
        function onSgAudioSelectChanged() {
            modeBlock.audioSelectChoice.select(appContext.Audioselect)
        }
        function onSgMirrorChanged() {
            modeBlock.mirrorChoice.select(appContext.Mirror)
        }
        function onSgOutResSelectChanged() {
            outportBlock.resolutionChoice.select(appContext.OutRes)
            root.outportResolution = appContext.OutRes
        }
    }

    // ---- layout ----

    Flow {
        id: flow
        anchors.fill: parent
        anchors.margins: 10
        spacing: 10

        readonly property int blockWidth: (width - spacing) / 2

        AdvanceEdidSetBlock {
            id: edidSetBlock
            objectName: "setEdidBlock"
            width: flow.blockWidth
            screen: root
            fontColor: root.fontColor
        }
        AdvanceOutputBlock {
            id: outputBlock
            objectName: "outputSettingBlock"
            width: flow.blockWidth
            screen: root
            fontColor: root.fontColor
        }
        AdvanceEdidBlock {
            id: edidBlock
            objectName: "edidBlock"
            width: flow.blockWidth
            screen: root
            fontColor: root.fontColor
        }
        AdvanceSubtitleBlock {
            id: subtitleBlock
            objectName: "subtitleBlock"
            width: flow.blockWidth
            screen: root
            fontColor: root.fontColor
        }
        AdvanceAudioBlock {
            id: audioBlock
            objectName: "audioBlock"
            width: flow.blockWidth
            screen: root
            fontColor: root.fontColor
        }
        AdvanceModeBlock {
            id: modeBlock
            objectName: "modeBlock"
            width: flow.blockWidth
            screen: root
            fontColor: root.fontColor
        }
        AdvanceOutportBlock {
            id: outportBlock
            objectName: "outportBlock"
            width: flow.blockWidth
            screen: root
            fontColor: root.fontColor
        }
    }

    // ---- dialogs ----

    EdidDefectDialog {
        id: edidDefect
        onChosen: function (choice, action, text) {
            if (choice === "cancel")
                return
            if (choice === "fix")
                appContext.currentEDIDStr = text // the area then shows what goes out
            if (action === "write")
                root.sendEdid()
            else
                root.openSaveDialog()
        }
    }

    Dialog {
        id: messageDialog
        objectName: "messageDialog"
        title: qsTr("Message")
        modal: true
        anchors.centerIn: parent
        width: 420
        standardButtons: Dialog.Ok
        property alias text: messageText.text
        Text {
            id: messageText
            width: parent.width
            wrapMode: Text.WrapAnywhere
            font.pixelSize: 14
        }
        onAccepted: close()
    }

    // The file dialogs are made when first needed: they are separate windows with a
    // whole control set of their own.
    property var loadDialog: null
    property var saveDialog: null
    function fileChooser(existing) {
        var dialog = Qt.createComponent("FileChooser.qml").createObject(root, {
            selectExisting: existing,
            nameFilters: ["EDID(*.bin)"]
        })
        dialog.folder = dialog.shortcuts.desktop
        return dialog
    }
}
