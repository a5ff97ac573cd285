import QtQuick 2.15
import QtQuick.Controls 2.15
import Tessaro 1.0
import "BoardTables.js" as Tables

// One half of the board settings: pick an input (or output) board, see what the device
// reported for it and change its resolution, audio source and picture controls.
Rectangle {
    id: half

    property bool isInput: true
    property string title: ""
    // Board list entries { text, value }.
    property var boards: []
    // Board chosen in the list, -1 while none is.
    property int selectedBoard: -1
    property color fontColor: "white"
    readonly property int labelWidth: 150
    readonly property int rowWidth: width - 20

    // What the fields were last loaded with for the selected board: resolution and
    // audio as rows, the picture values as numbers. A change sends only when it differs.
    property var loaded: ({ "OutResolution": -1, "AudioSelect": -1, "Brt": 0, "Contrs": 0, "Sharp": 0,
                            "TempR": 0, "TempG": 0, "TempB": 0 })
    // True while the fields are being filled from the board map.
    property bool refilling: false

    color: "transparent"
    border.width: 1
    border.color: "grey"
    radius: 5

    function setBoards(list) {
        var same = list.length === boards.length
        for (var i = 0; same && i < list.length; ++i)
            same = list[i].value === boards[i].value
        if (!same)
            boards = list
        var row = -1
        for (var k = 0; k < boards.length; ++k) {
            if (boards[k].value === selectedBoard)
                row = k
        }
        channelChoice.currentIndex = row
    }

    function selectBoard(row) {
        if (row < 0 || row >= boards.length)
            return
        selectedBoard = boards[row].value
        appContext.sendCmd_ReadRXTXInfo(selectedBoard)
        refill()
    }

    function entry() {
        if (selectedBoard <= 0)
            return null
        var infos = appContext.inputOutputInfos
        var e = infos ? infos[String(selectedBoard)] : undefined
        return (e && typeof e === "object") ? e : null
    }

    function textOf(e, member) {
        var v = e[member]
        return v === undefined || v === null ? "" : String(v)
    }

    function refill() {
        var e = entry()
        if (!e)
            return
        refilling = true
        var next = Object.assign({}, loaded)
        resolutionText.text = textOf(e, "InputResolution")
        versionText.text = textOf(e, "BoardVersion")
        if (e.hasOwnProperty("OutResolution")) {
            var row = Tables.resolutionRow(Tables.intOf(e["OutResolution"]))
            if (row >= 0)
                next["OutResolution"] = row
        } else {
            next["OutResolution"] = -1
        }
        if (isInput && e.hasOwnProperty("AudioSelect")) {
            var a = Tables.intOf(e["AudioSelect"])
            if (a === 0 || a === 1)
                next["AudioSelect"] = a
        }
        var sliders = ["Brt", "Contrs", "Sharp", "TempR", "TempG", "TempB"]
        for (var i = 0; i < sliders.length; ++i) {
            var n = Tables.intOf(e[sliders[i]])
            next[sliders[i]] = isNaN(n) ? 0 : n
        }
        loaded = next
        resolutionChoice.currentIndex = next["OutResolution"]
        audioChoice.currentIndex = next["AudioSelect"]
        brightness.value = next["Brt"]
        contrast.value = next["Contrs"]
        sharpness.value = next["Sharp"]
        red.value = next["TempR"]
        green.value = next["TempG"]
        blue.value = next["TempB"]
        refilling = false
    }

    // Stores value under member in the board's entry; writing the map back refills both
    // halves, so the shown and the last loaded values agree again.
    function store(member, value) {
        var infos = appContext.inputOutputInfos
        var key = String(selectedBoard)
        if (!infos || !infos.hasOwnProperty(key))
            return
        var e = infos[key]
        e[member] = value
        infos[key] = e
        appContext.inputOutputInfos = infos
    }

    // A picture control moved: send it when it differs from what was loaded.
    function pictureChanged(member, value, operation) {
        if (refilling || selectedBoard <= 0 || value === loaded[member])
            return
        pacer.push(operation + ":" + selectedBoard, [operation, selectedBoard, value])
        store(member, value)
    }

    // Sliders send while they move: at most one command per control every 100 ms, and
    // always the final value.
    SendPacer {
        id: pacer
        intervalMs: 100
        onFire: appContext[value[0]](value[1], value[2])
    }

    function resolutionChosen(row) {
        if (refilling || selectedBoard <= 0 || row < 0 || row === loaded["OutResolution"])
            return
        var value = Tables.resolutions[row].value
        appContext.sendCmd_SetRXTXResolution(selectedBoard, value)
        store("OutResolution", value)
    }

    function audioChosen(row) {
        if (refilling || selectedBoard <= 0 || row < 0 || row === loaded["AudioSelect"])
            return
        appContext.sendCmd_SetRXTXAudioSelect(selectedBoard, row)
        store("AudioSelect", String(row))
    }

    // A factory reset goes only to a board that was chosen.
    function reset() {
        if (selectedBoard <= 0)
            return
        appContext.sendCmd_RxTxResetFactory(selectedBoard)
    }

    // A retranslation may hand the drop-downs new models; they keep showing what was loaded.
    function restoreChoices() {
        resolutionChoice.currentIndex = loaded["OutResolution"]
        audioChoice.currentIndex = loaded["AudioSelect"]
    }

    Text {
        id: titleText
        width: parent.width
        height: 30
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        text: half.title
        font.pointSize: 12
        color: half.fontColor
    }

    component Label: Text {
        width: half.labelWidth
        height: 30
        horizontalAlignment: Text.AlignRight
        verticalAlignment: Text.AlignVCenter
        rightPadding: 10
        color: half.fontColor
    }
    component Choice: ComboBox {
        x: half.labelWidth
        width: (half.rowWidth - half.labelWidth) * 2 / 3
        height: 28
        topPadding: 0
        bottomPadding: 0
    }
    component Field: Text {
        x: half.labelWidth
        width: (half.rowWidth - half.labelWidth) * 2 / 3
        height: 30
        verticalAlignment: Text.AlignVCenter
        color: half.fontColor
    }

    Column {
        x: 10
        y: titleText.height
        width: half.rowWidth

        Item {
            width: parent.width
            height: 30
            Label { text: qsTranslate("CustomSetting", "Channel") }
            Choice {
                id: channelChoice
                objectName: half.objectName + "Channel"
                model: half.boards
                textRole: "text"
                currentIndex: -1
                displayText: currentIndex < 0 ? "" : currentText
                onActivated: half.selectBoard(index)
            }
        }
        Item {
            width: parent.width
            height: 30
            visible: !half.isInput
            Label { text: qsTranslate("CustomSetting", "Version") }
            Field { objectName: half.objectName + "VersionOut"; text: versionText.text }
        }
        Item {
            width: parent.width
            height: 30
            Label { text: qsTranslate("CustomSetting", "Resolution") }
            Field { id: resolutionText; objectName: half.objectName + "InputResolution"; text: "480P" }
        }
        Item {
            width: parent.width
            height: 30
            Label { text: qsTranslate("CustomSetting", "Resolution") }
            Choice {
                id: resolutionChoice
                objectName: half.objectName + "Resolution"
                model: Tables.resolutions
                textRole: "text"
                currentIndex: -1
                displayText: currentIndex < 0 ? "" : currentText
                onCurrentIndexChanged: half.resolutionChosen(currentIndex)
            }
        }
        Item {
            width: parent.width
            height: 30
            visible: half.isInput
            Label { text: qsTranslate("CustomSetting", "Version") }
            Field { id: versionText; objectName: half.objectName + "Version"; text: half.isInput ? "V2.0" : "V2.1" }
        }
        Item {
            width: parent.width
            height: 30
            visible: half.isInput
            Label { text: qsTranslate("CustomSetting", "Audio") }
            Choice {
                id: audioChoice
                objectName: half.objectName + "Audio"
                model: [qsTranslate("CustomSetting", "HDMI"), qsTranslate("CustomSetting", "Extern Audio")]
                currentIndex: -1
                displayText: currentIndex < 0 ? "" : currentText
                onCurrentIndexChanged: {
                    if (!appContext.languagePending)
                        half.audioChosen(currentIndex)
                }
            }
        }
        BoardSlider {
            id: brightness
            objectName: half.objectName + "Brt"
            width: parent.width
            label: qsTranslate("CustomSetting", "Brightness")
            fontColor: half.fontColor
            from: 0
            to: 100
            onChanged: half.pictureChanged("Brt", value, "sendCmd_SetRXTXBrightness")
            onReleased: pacer.flush()
        }
        BoardSlider {
            id: contrast
            objectName: half.objectName + "Contrs"
            width: parent.width
            label: qsTranslate("CustomSetting", "Contrast")
            fontColor: half.fontColor
            from: 0
            to: 100
            onChanged: half.pictureChanged("Contrs", value, "sendCmd_SetRXTXContrast")
            onReleased: pacer.flush()
        }
        BoardSlider {
            id: sharpness
            objectName: half.objectName + "Sharp"
            width: parent.width
            label: qsTranslate("CustomSetting", "Sharpness")
            fontColor: half.fontColor
            from: 0
            to: 100
            onChanged: half.pictureChanged("Sharp", value, "sendCmd_SetRXTXSharpness")
            onReleased: pacer.flush()
        }
        BoardSlider {
            id: red
            objectName: half.objectName + "TempR"
            width: parent.width
            label: qsTranslate("CustomSetting", "Color Red")
            fontColor: half.fontColor
            from: 0
            to: 255
            onChanged: half.pictureChanged("TempR", value, "sendCmd_SetRXTXColorTempR")
            onReleased: pacer.flush()
        }
        BoardSlider {
            id: green
            objectName: half.objectName + "TempG"
            width: parent.width
            label: qsTranslate("CustomSetting", "Color Green")
            fontColor: half.fontColor
            from: 0
            to: 255
            onChanged: half.pictureChanged("TempG", value, "sendCmd_SetRXTXColorTempG")
            onReleased: pacer.flush()
        }
        BoardSlider {
            id: blue
            objectName: half.objectName + "TempB"
            width: parent.width
            label: qsTranslate("CustomSetting", "Color Blue")
            fontColor: half.fontColor
            from: 0
            to: 255
            onChanged: half.pictureChanged("TempB", value, "sendCmd_SetRXTXColorTempB")
            onReleased: pacer.flush()
        }
        Item {
            width: parent.width
            height: 40
            TButton {
                objectName: half.objectName + "Reset"
                anchors.centerIn: parent
                height: 30
                text: qsTranslate("CustomSetting", "Reset")
                onClicked: half.reset()
            }
        }
    }

    Connections {
        target: appContext
        function onInputOutputInfosChanged() { half.refill() }
        function onLanguageChanged() { half.restoreChoices() }
    }
}
