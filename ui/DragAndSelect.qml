import QtQuick 2.15
import QtQuick.Controls 2.15
import "ChannelNames.js" as Names
import "WallGeometry.js" as Wall

// Video wall screen: outputs are dragged onto a grid of up to 8 x 8 cells, a rubber band
// selects a block of cells, and each output of the block is sent its place in it.
Item {
    id: root
    width: 1024
    height: 648

    property bool isActive: false
    property color fontColor: "white"

    property int rows: 1
    property int columns: 1
    // Selected cell numbers in cell order.
    property var selection: []
    // Number of the selected input, 0 when none.
    property int selectedInput: 0

    readonly property int sideWidth: 300
    readonly property int boxHeight: height / 2

    ListModel {
        id: inputModel
    }
    ListModel {
        id: outputModel
    }
    ListModel {
        id: cellModel
    }

    function rebuildGrid() {
        cellModel.clear()
        for (var k = 0; k < rows * columns; ++k)
            cellModel.append({ "display": "", "value": "" })
        // Selected numbers would otherwise outlive the cells they name.
        selection = []
        rowsChoice.currentIndex = rows - 1
        columnsChoice.currentIndex = columns - 1
    }
    onRowsChanged: rebuildGrid()
    onColumnsChanged: rebuildGrid()

    // A "VideoWall" entry of the settings sets the grid size; values that are no size
    // from 1 to 8 are left alone.
    function applyStoredSize() {
        var s = appContext.setting
        var wall = s ? s["VideoWall"] : undefined
        if (!wall || typeof wall !== "object" || Array.isArray(wall))
            return
        var r = Wall.gridSize(wall["rows"]), c = Wall.gridSize(wall["columns"])
        if (r !== null)
            rows = r
        if (c !== null)
            columns = c
    }

    // Brings model to exactly the entries given, in place, so that existing tiles stay.
    function fillModel(model, entries) {
        if (model.count > entries.length)
            model.remove(entries.length, model.count - entries.length)
        for (var i = 0; i < entries.length; ++i) {
            if (i < model.count)
                model.set(i, entries[i])
            else
                model.append(entries[i])
        }
    }

    function rebuildInputs() {
        if (!appContext.isConnected)
            return
        var names = Names.namesFor(appContext.setting, "in", Math.max(0, appContext.inChannels))
        fillModel(inputModel, names.map(function (name, i) {
            return { "display": name, "value": String(i + 1), "active": false }
        }))
        selectedInput = 0
    }

    function rebuildOutputs() {
        if (!appContext.isConnected)
            return
        var names = Names.namesFor(appContext.setting, "out", Math.max(0, appContext.outChannels))
        fillModel(outputModel, names.map(function (name, i) {
            return { "display": name, "value": String(i + 1) }
        }))
    }

    // Cells holding an output take its current name; outputs the device lacks keep theirs.
    function refreshCellNames() {
        for (var k = 0; k < cellModel.count; ++k) {
            var n = Wall.outputOf(cellModel.get(k))
            if (n > 0 && n <= outputModel.count)
                cellModel.setProperty(k, "display", outputModel.get(n - 1).display)
        }
    }

    function selectInput(row) {
        for (var i = 0; i < inputModel.count; ++i)
            inputModel.setProperty(i, "active", i === row)
        selectedInput = row + 1
    }

    function cells() {
        var list = []
        for (var k = 0; k < cellModel.count; ++k)
            list.push({ "value": cellModel.get(k).value })
        return list
    }

    function setVideoWall() {
        var cmds = Wall.wallCommands(cells(), selection, columns, appContext.inChannels, selectedInput)
        for (var i = 0; i < cmds.placements.length; ++i) {
            var p = cmds.placements[i]
            appContext.sendCmd_SetRXTXVideoWall(p[0], p[1], p[2], p[3], p[4], p[5])
        }
        if (cmds.placements.length > 0 && selectedInput > 0)
            appContext.sendCmd_DelaySW(selectedInput, cmds.outputs)
    }

    function singleDisplay() {
        var list = Wall.singleCommands(cells(), selection, appContext.inChannels)
        for (var i = 0; i < list.length; ++i) {
            var p = list[i]
            appContext.sendCmd_SetRXTXVideoWall(p[0], p[1], p[2], p[3], p[4], p[5])
        }
    }

    onIsActiveChanged: {
        if (!isActive || !appContext.isConnected)
            return
        rebuildInputs()
        rebuildOutputs()
        refreshCellNames()
    }

    Component.onCompleted: {
        rebuildGrid()
        applyStoredSize()
    }

    Connections {
        target: appContext
        function onInChannelsChanged() { root.rebuildInputs() }
        function onSettingChanged() {
            root.rebuildInputs()
            root.applyStoredSize()
        }
        function onOutputSTChanged() { root.rebuildOutputs() }
    }

    Row {
        x: 50
        y: 5
        height: 30
        spacing: 30

        Text {
            height: parent.height
            verticalAlignment: Text.AlignVCenter
            text: qsTr("Rows")
            color: root.fontColor
            font.pointSize: 12
        }
        ComboBox {
            id: rowsChoice
            objectName: "rowsChoice"
            width: 200
            height: parent.height
            model: [1, 2, 3, 4, 5, 6, 7, 8]
            onActivated: root.rows = index + 1
        }
        Text {
            height: parent.height
            verticalAlignment: Text.AlignVCenter
            text: qsTr("Columns")
            color: root.fontColor
            font.pointSize: 12
        }
        ComboBox {
            id: columnsChoice
            objectName: "columnsChoice"
            width: 200
            height: parent.height
            model: [1, 2, 3, 4, 5, 6, 7, 8]
            onActivated: root.columns = index + 1
        }
    }

    Rectangle {
        id: gridArea
        objectName: "gridArea"
        x: 10
        y: 40
        width: Math.floor(root.width * 2 / 3)
        height: root.height - 200
        color: "transparent"
        border.width: 1
        border.color: "grey"

        property point bandStart: Qt.point(0, 0)
        property point bandEnd: Qt.point(0, 0)
        property bool bandShown: false

        Repeater {
            id: cellRepeater
            objectName: "cellRepeater"
            model: cellModel

            DragAndDropVDItem {
                readonly property var area: Wall.cellRect(index, root.rows, root.columns,
                                                          gridArea.width, gridArea.height)
                readonly property bool selected: root.selection.indexOf(index) >= 0
                objectName: "cell_" + index
                x: area.x
                y: area.y
                width: area.width
                height: area.height
                color: selected ? "blue" : "white"
                textColor: selected ? "white" : "black"
                display: model.display
                value: model.value
                // The drop wrote the cell's own properties; the model takes them and
                // the cell follows the model again.
                onAccepted: {
                    cellModel.setProperty(index, "display", display)
                    cellModel.setProperty(index, "value", value)
                    display = Qt.binding(function () { return model.display })
                    value = Qt.binding(function () { return model.value })
                }

                Text {
                    x: 3
                    y: 2
                    text: "[" + (index + 1) + "]"
                    color: parent.textColor
                }
            }
        }

        MouseArea {
            objectName: "bandArea"
            anchors.fill: parent
            onPressed: {
                gridArea.bandStart = Qt.point(mouse.x, mouse.y)
                gridArea.bandEnd = gridArea.bandStart
                root.selection = []
                gridArea.bandShown = true
            }
            onPositionChanged: {
                if (!pressed)
                    return
                gridArea.bandEnd = Qt.point(mouse.x, mouse.y)
                root.selection = Wall.cellsInBand(gridArea.bandStart.x, gridArea.bandStart.y, mouse.x, mouse.y,
                                                  root.rows, root.columns, gridArea.width, gridArea.height)
            }
            onReleased: {
                gridArea.bandEnd = Qt.point(mouse.x, mouse.y)
                gridArea.bandShown = false
            }
        }

        Rectangle {
            objectName: "band"
            visible: gridArea.bandShown
            x: Math.min(gridArea.bandStart.x, gridArea.bandEnd.x)
            y: Math.min(gridArea.bandStart.y, gridArea.bandEnd.y)
            width: Math.abs(gridArea.bandEnd.x - gridArea.bandStart.x)
            height: Math.abs(gridArea.bandEnd.y - gridArea.bandStart.y)
            color: "green"
            opacity: 0.2
        }
    }

    Text {
        id: hint
        objectName: "wallHint"
        x: gridArea.x
        y: gridArea.y + gridArea.height + 5
        width: gridArea.width
        wrapMode: Text.WordWrap
        text: qsTr("Drag the output port to videwowall grid and select it then click set button")
        color: root.fontColor
        font.pointSize: 12
    }

    Row {
        x: gridArea.x
        y: hint.y + hint.height + 10
        spacing: 20

        TButton {
            objectName: "setWallButton"
            width: 140
            text: qsTr("Set VideWall")
            onClicked: root.setVideoWall()
        }
        TButton {
            objectName: "singleButton"
            width: 140
            text: qsTr("Signle Display")
            onClicked: root.singleDisplay()
        }
    }

    Column {
        x: root.width - root.sideWidth
        width: root.sideWidth
        height: root.height

        WallChannelBox {
            objectName: "wallInputBox"
            width: parent.width
            height: root.boxHeight
            title: qsTr("Input Channel")
            titleColor: root.fontColor

            Repeater {
                model: inputModel
                TChannel {
                    objectName: "wallIn_" + model.value
                    width: 120
                    height: root.tileHeight(root.boxHeight, inputModel.count)
                    channelId: model.value
                    channelName: model.display
                    isActive: model.active
                    onClicked: root.selectInput(index)
                }
            }
        }

        WallChannelBox {
            objectName: "wallOutputBox"
            width: parent.width
            height: root.height - root.boxHeight
            title: qsTr("Output Channel")
            titleColor: root.fontColor

            Repeater {
                model: outputModel
                DragAndDropOutPortItem {
                    objectName: "wallOut_" + model.value
                    width: 120
                    height: root.tileHeight(root.height - root.boxHeight, outputModel.count)
                    display: model.display
                    value: model.value
                }
            }
        }
    }

    // Two tiles per row fill the box; a device with very few channels keeps them inside it.
    function tileHeight(boxHeight, count) {
        if (count <= 0)
            return 0
        var h = (boxHeight - count * 5 - 30) * 2 / count
        return Math.max(10, Math.min(h, boxHeight - 40))
    }
}
