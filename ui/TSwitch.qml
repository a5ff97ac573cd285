import QtQuick 2.15
import QtQuick.Controls 2.15
import Tessaro 1.0
import "ChannelNames.js" as Names

// Switching screen: inputs and outputs as tiles, the current routes below them, and
// the routing and output buttons on the right.
Item {
    id: root
    width: 1024
    height: 648

    property bool isActive: false
    // A message for the notice bar.
    signal notice(string text)
    // The window's look; the main window may hand its own value down.
    property color fontColor: "white"

    readonly property int tileHeight: 100
    readonly property int buttonColumnWidth: 150
    // Boxes grow with the channel count up to four rows of tiles; larger devices
    // scroll inside the box so the route list keeps its room.
    readonly property int maxBoxHeight: 4 * 110 + 35
    readonly property int channelRows: Math.floor(Math.max(appContext.inChannels, appContext.outChannels) / 4)
    readonly property int boxHeight: Math.min(channelRows * 110 + 35, maxBoxHeight)

    // Number of the selected input, 0 when none is selected.
    property int selectedInput: 0
    // Tile names by channel number - 1, kept with the lists for the route list.
    property var inNames: []
    property var outNames: []
    // Rows of the route list: { inName, outNames }.
    property var routeRows: []
    // Routing is staged rather than sent while previewing.
    readonly property bool previewing: appContext.stage.active
    // The staged input's name by output number, for the tiles.
    readonly property var stagedNames: {
        var names = {}
        var changes = appContext.stage.changes
        for (var i = 0; i < changes.length; ++i)
            names[changes[i].output] = routeLabel(inNames, changes[i].to)
        return names
    }

    ListModel {
        id: inputModel
    }
    ListModel {
        id: outputModel
    }

    function truthy(v) {
        if (typeof v === "string")
            return v !== "" && v !== "0" && v !== "false"
        return !!v
    }

    // Brings model to exactly count entries, updating in place so that the tiles that
    // already exist are kept.
    function fillModel(model, entries) {
        var n = entries.length
        if (model.count > n)
            model.remove(n, model.count - n)
        var i = 0
        for (; i < model.count; ++i)
            model.set(i, entries[i])
        for (; i < n; ++i)
            model.append(entries[i])
    }

    function rebuildInputs() {
        if (!appContext.isConnected)
            return
        var names = Names.namesMember(appContext.setting, "in")
        var n = Math.max(0, appContext.inChannels)
        var entries = []
        var labels = []
        for (var i = 1; i <= n; ++i) {
            var name = Names.nameOf(names, i)
            labels.push(name)
            entries.push({ "text": name, "index": String(i), "active": false })
        }
        inNames = labels
        selectedInput = 0
        fillModel(inputModel, entries)
        rebuildOutputs()
        rebuildRoutes()
    }

    function rebuildOutputs() {
        if (!appContext.isConnected)
            return
        var routed = {}
        if (selectedInput > 0 && appContext.routes.known) {
            var sws = appContext.sws
            for (var r = 0; r < sws.length; ++r) {
                var route = sws[r]
                if (route && parseInt(route["in"], 10) === selectedInput) {
                    var outs = Array.isArray(route["out"]) ? route["out"] : []
                    for (var k = 0; k < outs.length; ++k)
                        routed[parseInt(outs[k], 10)] = true
                    break
                }
            }
        }
        var open = {}
        var states = appContext.outputST
        for (var j = 0; j < states.length; ++j) {
            var st = states[j]
            if (!st)
                continue
            var idx = Number(st["index"])
            if (!open.hasOwnProperty(idx))
                open[idx] = truthy(st["isOpen"])
        }
        var names = Names.namesMember(appContext.setting, "out")
        var n = Math.max(0, appContext.outChannels)
        var entries = []
        var labels = []
        for (var i = 1; i <= n; ++i) {
            var name = Names.nameOf(names, i)
            labels.push(name)
            entries.push({ "text": name, "index": String(i), "active": routed[i] === true,
                           "isOpen": open[i] === true })
        }
        var countChanged = labels.length !== outNames.length
        outNames = labels
        fillModel(outputModel, entries)
        if (countChanged)
            rebuildRoutes()
    }

    // A channel without a tile shows its number; text that is no number shows as it came.
    function routeLabel(labels, value) {
        var n = parseInt(value, 10)
        if (isNaN(n))
            return value === undefined || value === null ? "" : String(value)
        return (n >= 1 && n <= labels.length) ? labels[n - 1] : String(n)
    }

    function rebuildRoutes() {
        if (!appContext.isConnected)
            return
        // A routing kept from an earlier link is not this device's: nothing until it reports.
        var sws = appContext.routes.known ? appContext.sws : []
        var rows = []
        for (var r = 0; r < sws.length; ++r) {
            var route = sws[r]
            if (!route)
                continue
            var outs = Array.isArray(route["out"]) ? route["out"] : []
            var labels = []
            for (var k = 0; k < outs.length; ++k)
                labels.push(routeLabel(outNames, outs[k]))
            rows.push({ "inName": routeLabel(inNames, route["in"]), "outNames": labels })
        }
        routeRows = rows
    }

    function selectInput(row) {
        if (row < 0 || row >= inputModel.count)
            return
        if (selectedInput > 0 && selectedInput <= inputModel.count)
            inputModel.setProperty(selectedInput - 1, "active", false)
        inputModel.setProperty(row, "active", true)
        selectedInput = row + 1
        rebuildOutputs()
    }

    function toggleOutput(row) {
        if (row < 0 || row >= outputModel.count)
            return
        // A locked output cannot be picked: say who holds it and offer to open it.
        if (appContext.locks.isLocked(row + 1)) {
            lockDialog.ask(row + 1)
            return
        }
        outputModel.setProperty(row, "active", !outputModel.get(row).active)
    }

    function selectedOutputs() {
        var outs = []
        for (var i = 0; i < outputModel.count; ++i) {
            if (outputModel.get(i).active)
                outs.push(i + 1)
        }
        return outs
    }

    // Sends a route, or stages it while previewing (locked outputs are refused then).
    function route(input, outs) {
        if (!previewing) {
            appContext.sendCmd_SW(input, outs)
            return
        }
        var refused = appContext.stage.stage(input, outs)
        if (refused.length > 0)
            notice(qsTr("Locked outputs %1 were not staged.").arg(refused.join(", ")))
    }

    function oneToAll() {
        if (selectedInput <= 0)
            return
        var outs = []
        for (var i = 1; i <= appContext.outChannels; ++i)
            outs.push(i)
        route(selectedInput, outs)
    }

    function oneToOne() {
        if (!previewing) {
            appContext.sendCmd_SWOTO()
            return
        }
        var refused = appContext.stage.stageOneToOne()
        if (refused.length > 0)
            notice(qsTr("Locked outputs %1 were not staged.").arg(refused.join(", ")))
    }

    function routeSelected() {
        var outs = selectedOutputs()
        if (selectedInput <= 0 || outs.length === 0)
            return
        route(selectedInput, outs)
    }

    // Each call waits its own delay (the context runs the event loop meanwhile), so on
    // the paced model the commands leave one after another.
    function switchOutputs(on) {
        var outs = selectedOutputs()
        if (outs.length === 0)
            return
        var paced = Models.isPacedOutput(appContext.mode)
        // All the outputs of one click are one step to undo.
        appContext.history.beginStep()
        for (var i = 0; i < outs.length; ++i) {
            var port = outs[i]
            appContext.sendCmd_SetOutput(port, on, paced ? port * (on ? 400 : 200) : 0)
        }
        appContext.history.endStep()
    }

    function refresh() {
        appContext.sendCmd_GetSW()
        appContext.sendCmd_GetOutput()
    }

    onIsActiveChanged: {
        if (isActive)
            rebuildInputs()
    }

    Connections {
        target: appContext.routes
        function onKnownChanged() { root.rebuildInputs() }
    }

    // A new link starts with nothing shown until its device reports.
    Connections {
        target: appContext
        function onIsConnectedChanged() {
            if (appContext.isConnected)
                root.rebuildInputs()
        }
    }

    Connections {
        target: appContext
        function onInChannelsChanged() { root.rebuildInputs() }
        function onSettingChanged() { root.rebuildInputs() }
        function onSwsChanged() { root.rebuildInputs() }
        function onOutputSTChanged() { root.rebuildOutputs() }
        function onRoutingRefused(outputs, oneToOne) {
            var list = outputs.join(", ")
            root.notice(oneToOne ? qsTr("\"One To One\" was not sent: outputs %1 are locked by a remote controller.").arg(list)
                                 : qsTr("Locked outputs %1 were left as they are.").arg(list))
        }
    }

    LockDialog {
        id: lockDialog
    }

    Shortcut {
        sequence: "Ctrl+Z"
        enabled: root.isActive
        onActivated: appContext.history.undo()
    }
    Shortcut {
        sequences: ["Ctrl+Shift+Z", "Ctrl+Y"]
        enabled: root.isActive
        onActivated: appContext.history.redo()
    }

    Item {
        id: area
        x: 10
        y: 10
        width: root.width - root.buttonColumnWidth - 20
        height: root.height - 20

        SwitchBox {
            id: inputBox
            objectName: "inputBox"
            width: area.width / 2 - 5
            height: root.boxHeight
            title: qsTr("Input Channel")
            tilePrefix: "inTile"
            tileHeight: root.tileHeight
            titleColor: root.fontColor
            model: inputModel
            onTileClicked: root.selectInput(row)
        }

        SwitchBox {
            id: outputBox
            objectName: "outputBox"
            x: area.width - width
            width: area.width / 2 - 5
            height: root.boxHeight
            title: qsTr("Output Channel")
            tilePrefix: "outTile"
            tileHeight: root.tileHeight
            titleColor: root.fontColor
            showOpenState: true
            locks: appContext.locks
            routes: appContext.routes
            stagedNames: root.stagedNames
            model: outputModel
            onTileClicked: root.toggleOutput(row)
        }

        Rectangle {
            id: routeBox
            objectName: "routeBox"
            y: root.boxHeight + 5
            width: area.width
            height: Math.max(0, area.height - y)
            color: "transparent"
            border.width: 1
            border.color: "grey"

            ListView {
                id: routeList
                objectName: "routeList"
                anchors.fill: parent
                anchors.margins: 10
                // In preview the staged changes take the right-hand part of the box.
                anchors.rightMargin: root.previewing ? stagedList.width + 20 : 10
                clip: true
                spacing: 5
                boundsBehavior: Flickable.StopAtBounds
                // Counted model: a report with as many routes as before only updates
                // the rows that exist.
                model: root.routeRows.length
                delegate: RouteRow {
                    width: routeList.width - 10
                    arrowColor: root.fontColor
                    inName: index < root.routeRows.length ? root.routeRows[index].inName : ""
                    outNames: index < root.routeRows.length ? root.routeRows[index].outNames : []
                }

                ScrollBar.vertical: ScrollBar {
                    parent: routeBox
                    x: routeBox.width - width - 1
                    y: routeList.y
                    height: routeList.height
                    width: 8
                    policy: routeList.contentHeight > routeList.height ? ScrollBar.AlwaysOn : ScrollBar.AlwaysOff
                }
            }

            StagedList {
                id: stagedList
                objectName: "stagedPanel"
                visible: root.previewing
                anchors.right: parent.right
                anchors.top: parent.top
                anchors.bottom: parent.bottom
                anchors.margins: 6
                width: 300
                fontColor: root.fontColor
                inNames: root.inNames
                outNames: root.outNames
            }
        }
    }

    Column {
        x: root.width - root.buttonColumnWidth + (root.buttonColumnWidth - 100) / 2
        y: 20
        spacing: 20

        // The longest labels ("Close Output") need a smaller size to fit the buttons.
        readonly property int labelSize: 10

        TButton {
            fontSize: parent.labelSize
            objectName: "oneToAllButton"
            text: qsTr("One To All")
            onClicked: root.oneToAll()
        }
        TButton {
            fontSize: parent.labelSize
            objectName: "oneToOneButton"
            text: qsTr("One To One")
            onClicked: root.oneToOne()
        }
        TButton {
            fontSize: parent.labelSize
            objectName: "okButton"
            text: qsTr("OK")
            onClicked: root.routeSelected()
        }
        TButton {
            fontSize: parent.labelSize
            objectName: "closeOutputButton"
            text: qsTr("Close Output")
            onClicked: root.switchOutputs(false)
        }
        TButton {
            fontSize: parent.labelSize
            objectName: "openOutputButton"
            text: qsTr("Open Output")
            onClicked: root.switchOutputs(true)
        }
        TButton {
            fontSize: parent.labelSize
            objectName: "refreshButton"
            text: qsTr("Refresh")
            onClicked: root.refresh()
        }
    }

    SwitchHistory {
        objectName: "switchHistory"
        x: root.width - root.buttonColumnWidth + (root.buttonColumnWidth - 100) / 2
        y: 20 + 6 * 40 + 6 * 20
        fontColor: root.fontColor
    }
}
