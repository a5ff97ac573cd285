import QtQuick 2.15
import QtTest 1.2

// Switching screen against the simulator: selection, routing, output switching and
// the pacing of the one model that needs it, box sizes and large devices.
Item {
    id: stage
    width: 1024
    height: 648

TessaroTestCase {
    id: tc
    name: "Switch"

    property var screen: null
    property var stamps: []

    SignalSpy {
        id: beepSpy
        target: appContext
        signalName: "beepChanged"
    }
    SignalSpy {
        id: swsSpy
        target: appContext
        signalName: "swsChanged"
    }
    SignalSpy {
        id: outputSpy
        target: appContext
        signalName: "outputSTChanged"
    }
    Connections {
        target: sim
        function onLineReceived(line) { tc.stamps.push({ "line": line, "t": helper.now() }) }
    }

    function initTestCase() {
        helper.disconnectNow()
        var component = Qt.createComponent("qrc:/TSwitch.qml")
        compare(component.status, Component.Ready, component.errorString())
        screen = component.createObject(stage)
        verify(screen)
        waitForRendering(screen)
        beepSpy.clear()
        helper.connectToSim("DV-01")
        tryCompare(appContext, "mode", "DV-01", 5000)
        // "GetBeepEn" is the last of the first queries; after its answer the routing
        // and output states are in.
        tryVerify(function () { return beepSpy.count > 0 }, 5000)
        screen.isActive = true
    }

    function cleanupTestCase() {
        helper.disconnectNow()
        appContext.setting = ({})
        if (screen)
            screen.destroy()
    }

    function init() {
        stamps = []
        sim.clearReceived()
    }

    // The device reports a model by itself; the panel takes its counts at once.
    function switchModel(model) {
        sim.model = model
        sim.sendLine(model)
        tryCompare(appContext, "mode", model, 3000)
        swsSpy.clear()
        appContext.sendCmd_GetSW()
        swsSpy.wait(3000)
        outputSpy.clear()
        appContext.sendCmd_GetOutput()
        outputSpy.wait(3000)
    }

    function report(line, spy) {
        spy.clear()
        sim.sendLine(line)
        spy.wait(3000)
    }

    function tile(prefix, n) {
        var t = findChild(screen, prefix + n)
        verify(t, prefix + n)
        return t
    }
    function button(name) {
        var b = findChild(screen, name)
        verify(b, name)
        return b
    }
    function activeOutputs() {
        var list = []
        for (var n = 1; n <= appContext.outChannels; ++n) {
            if (tile("outTile", n).isActive)
                list.push(n)
        }
        return list
    }
    function linesLike(prefix) {
        return sim.receivedLines().filter(function (l) { return l.indexOf(prefix) === 0 })
    }
    // "One To One" always sends; once its line is in, every earlier click has been answered.
    function sendMarker() {
        mouseClick(button("oneToOneButton"))
        tryVerify(function () { return sim.receivedLines().indexOf("SWOTO") >= 0 }, 3000)
        var lines = sim.receivedLines()
        return lines.slice(0, lines.indexOf("SWOTO"))
    }

    function test_1_selectionFollowsRoutes() {
        // Output k shows input field k: input 2 feeds outputs 1 and 3.
        report("SWS 2 1 2 4 5 6 7 8", swsSpy)
        var route = appContext.sws.filter(function (r) { return r["in"] === "02" })
        compare(route.length, 1, "the device's report names input 2 as \"02\"")
        mouseClick(tile("inTile", 2))
        verify(tile("inTile", 2).isActive)
        compare(activeOutputs(), [1, 3])
        mouseClick(tile("outTile", 3))
        compare(activeOutputs(), [1])
        mouseClick(button("okButton"))
        tryVerify(function () { return linesLike("SW ").length > 0 }, 3000)
        compare(linesLike("SW "), ["SW 2 1"])
    }

    function test_2_newRoutesClearSelection() {
        report("SWS 1 2 3 4 5 6 7 8", swsSpy)
        mouseClick(tile("inTile", 4))
        mouseClick(tile("outTile", 6))
        compare(activeOutputs(), [4, 6])
        report("SWS 1 2 3 4 5 6 7 8", swsSpy)
        for (var n = 1; n <= 8; ++n)
            verify(!tile("inTile", n).isActive, "input " + n)
        compare(activeOutputs(), [])
    }

    function test_3_buttonsNeedSelection() {
        report("SWS 2 1 2 4 5 6 7 8", swsSpy)
        sim.clearReceived()
        mouseClick(button("oneToAllButton"))
        mouseClick(button("okButton"))
        mouseClick(button("closeOutputButton"))
        mouseClick(button("openOutputButton"))
        compare(sendMarker(), [], "nothing without a selection")

        report("SWS 2 1 2 4 5 6 7 8", swsSpy)
        mouseClick(tile("inTile", 3)) // input 3 feeds no output
        compare(activeOutputs(), [])
        sim.clearReceived()
        mouseClick(button("okButton"))
        compare(sendMarker(), [], "no output selected")

        report("SWS 2 1 2 4 5 6 7 8", swsSpy)
        mouseClick(tile("inTile", 3))
        sim.clearReceived()
        mouseClick(button("oneToAllButton"))
        tryVerify(function () { return linesLike("SW ").length > 0 }, 3000)
        compare(linesLike("SW "), ["SW 3 1 2 3 4 5 6 7 8"])

        sim.clearReceived()
        mouseClick(button("refreshButton"))
        tryVerify(function () { return sim.receivedLines().length >= 2 }, 3000)
        compare(sim.receivedLines().slice(0, 2), ["GetSW", "GetOutput"])
    }

    function test_4_closedOrMissingOutputsShowRed() {
        report("OutPutST 1 0 1 1", outputSpy)
        var open = []
        for (var n = 1; n <= 8; ++n)
            open.push(tile("outTile", n).isMakeEnable)
        compare(open, [true, false, true, true, false, false, false, false])
        var badge = findChild(tile("outTile", 2), "badge")
        verify(Qt.colorEqual(badge.color, "red"))
        verify(Qt.colorEqual(findChild(tile("outTile", 1), "badge").color, "#074D8B"))
        report("OutPutST 1 1 1 1 1 1 1 1", outputSpy)
    }

    function test_5_outputsSentAtOnceInOrder() {
        report("SWS 1 2 3 4 5 6 7 8", swsSpy)
        mouseClick(tile("outTile", 4))
        mouseClick(tile("outTile", 2))
        stamps = []
        var t0 = helper.now()
        mouseClick(button("closeOutputButton"))
        tryVerify(function () { return stamps.length >= 2 }, 3000)
        compare([stamps[0].line, stamps[1].line], ["SetOutput 2 0", "SetOutput 4 0"])
        verify(stamps[1].t - t0 < 190, "sent at once, took " + (stamps[1].t - t0))
    }

    function test_6_routeListNamesAndStrayChannels() {
        appContext.setting = { "in": { "001": "Camera" }, "out": { "002": "" } }
        report("SWS 1 1 2 4 5 6 7 8", swsSpy)
        var list = findChild(screen, "routeList")
        compare(list.count, 7)
        var row = list.itemAtIndex(0)
        compare(findChild(row, "routeIn").text, "Camera")
        // An empty stored name stays empty; output 1 has no name and shows its number.
        var pills = []
        for (var i = 0; i < row.outNames.length; ++i)
            pills.push(row.outNames[i])
        compare(pills, ["1", ""])
        // A route naming a channel without a tile (input 12 on an 8-input device).
        report("SWS 12 2 3 4 5 6 7 8", swsSpy)
        compare(list.count, 8)
        compare(list.itemAtIndex(7).inName, "12")
        compare(list.itemAtIndex(7).outNames, ["1"])
        appContext.setting = ({})
    }

    function test_7_boxHeights() {
        compare(findChild(screen, "inputBox").height, 255)
        compare(findChild(screen, "outputBox").height, 255)
        switchModel("DV-49") // 4 x 12
        compare(findChild(screen, "inputBox").height, 365)
        switchModel("DV-16")
        compare(findChild(screen, "inputBox").height, 145)
        compare(findChild(screen, "outputBox").height, 145)
        compare(tile("outTile", 1).height, 100)
        compare(tile("outTile", 1).width, (findChild(screen, "outputBox").width - 20) / 4 - 5)
    }

    function test_8_pacedModelWaitsPerOutput() {
        switchModel("DV-20")
        mouseClick(tile("outTile", 1))
        mouseClick(tile("outTile", 2))
        mouseClick(tile("outTile", 3))
        stamps = []
        var t0 = helper.now()
        mouseClick(button("closeOutputButton"))
        tryVerify(function () { return stamps.length >= 3 }, 5000)
        var expected = [200, 600, 1200]
        for (var i = 0; i < 3; ++i) {
            compare(stamps[i].line, "SetOutput " + (i + 1) + " 0")
            var after = stamps[i].t - t0
            verify(after >= expected[i] - 20 && after < expected[i] + 400,
                   "output " + (i + 1) + " after " + after + " ms")
        }
        report("OutPutST 1 1 1 1", outputSpy)
    }

    function test_9_everyTileReachableOn36x36() {
        switchModel("DV-52")
        var box = findChild(screen, "outputBox")
        verify(box.height <= 475, "room is left for the routes")
        verify(findChild(screen, "routeBox").height >= 100)
        var grid = box.grid
        // Scroll with the wheel as an operator would, until the last row shows.
        tryVerify(function () {
            if (!grid.atYEnd)
                mouseWheel(grid, grid.width / 2, grid.height / 2, 0, -120)
            return grid.atYEnd
        }, 5000)
        tryCompare(grid, "moving", false)
        var last = tile("outTile", 36)
        var pos = last.mapToItem(grid, 0, 0)
        verify(pos.y >= 0 && pos.y + last.height <= grid.height + 0.5, "tile 36 visible at " + pos.y)
        var inWindow = last.mapToItem(stage, 0, 0)
        verify(inWindow.y + last.height <= stage.height)
        verify(last.width > 90)
        mouseClick(last)
        verify(last.isActive)
        report("SWS " + Array.apply(null, Array(36)).map(function (x, k) { return k + 1 }).join(" "), swsSpy)
        compare(findChild(screen, "routeList").count, 36)
    }
}
}
