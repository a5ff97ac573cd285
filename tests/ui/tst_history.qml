import QtQuick 2.15
import QtTest 1.2

// Undo, redo and preview-then-take on the switching screen, against the simulator: every
// line the device receives is compared.
Item {
    id: stage
    width: 1024
    height: 648

TessaroTestCase {
    id: tc
    name: "History"

    property var screen: null
    property var notices: []

    SignalSpy {
        id: swsSpy
        target: appContext
        signalName: "swsChanged"
    }
    SignalSpy {
        id: beepSpy
        target: appContext
        signalName: "beepChanged"
    }

    function initTestCase() {
        helper.disconnectNow()
        screen = Qt.createComponent("qrc:/TSwitch.qml").createObject(stage)
        verify(screen)
        screen.notice.connect(function (text) { tc.notices.push(text) })
        connectDevice()
        screen.isActive = true
        waitForRendering(screen)
    }

    function cleanupTestCase() {
        appContext.stage.active = false
        helper.disconnectNow()
    }

    function connectDevice() {
        beepSpy.clear()
        helper.connectToSim("DV-16")
        tryCompare(appContext, "mode", "DV-16", 5000)
        tryVerify(function () { return beepSpy.count > 0 }, 5000)
    }

    function item(name) {
        var i = findChild(screen, name)
        verify(i, name)
        return i
    }

    // Waits until the device has confirmed the routing the screen asked for.
    function settle() {
        tryVerify(function () {
            for (var o = 1; o <= 4; ++o)
                if (appContext.routes.markOf(o) === 1)
                    return false
            return true
        }, 10000)
        wait(0)
    }

    function routing() {
        var r = [0, 0, 0, 0]
        var sws = appContext.sws
        for (var i = 0; i < sws.length; ++i)
            for (var k = 0; k < sws[i].out.length; ++k)
                r[parseInt(sws[i].out[k]) - 1] = parseInt(sws[i]["in"])
        return r
    }

    function routeLines() {
        return sim.receivedLines().filter(function (l) { return /^SW/.test(l) || /^SceneCall/.test(l) })
    }

    function clickRoute(input, outputs) {
        mouseClick(item("inTile" + input))
        for (var o = 1; o <= 4; ++o) {
            var want = outputs.indexOf(o) >= 0
            if (item("outTile" + o).isActive !== want)
                mouseClick(item("outTile" + o))
        }
        mouseClick(item("okButton"))
    }

    function test_1_undoAndRedoOfARoutingClickAndOneToAll() {
        compare(routing(), [1, 2, 3, 4])
        sim.clearReceived()
        clickRoute(2, [1, 3])
        settle()
        compare(routing(), [2, 2, 2, 4])
        mouseClick(item("inTile4"))
        mouseClick(item("oneToAllButton"))
        settle()
        compare(routing(), [4, 4, 4, 4])
        // Undo "One To All": each output back to its input before, one line per input.
        keyClick(Qt.Key_Z, Qt.ControlModifier)
        settle()
        compare(routing(), [2, 2, 2, 4])
        // Undo the routing click.
        mouseClick(item("undoButton"))
        settle()
        compare(routing(), [1, 2, 3, 4])
        compare(routeLines(), ["SW 2 1 3", "SW 4 1 2 3 4", "SW 2 1 2 3", "SW 1 1", "SW 3 3"])
        // Redo the click again.
        sim.clearReceived()
        mouseClick(item("redoButton"))
        settle()
        compare(routeLines(), ["SW 2 1 3"])
        verify(appContext.history.canRedo)
    }

    function test_2_undoOfASceneRecall() {
        settle()
        var before = routing()
        sim.clearReceived()
        appContext.sendCmd_CallSence(1) // the scene screen's "Recall"
        settle()
        compare(routing(), [1, 2, 3, 4]) // the simulator's scene 1 is one to one
        mouseClick(item("undoButton"))
        settle()
        compare(routing(), before)
        compare(routeLines(), ["SceneCall 1", "SW 2 1 3"])
    }

    function test_3_previewStagesListsTakesAndClears() {
        settle()
        var before = routing()
        mouseClick(item("previewSwitch"))
        verify(appContext.stage.active)
        sim.clearReceived()
        clickRoute(3, [1, 2])
        mouseClick(item("inTile4"))
        mouseClick(item("oneToAllButton"))
        compare(routeLines(), []) // nothing goes out while previewing
        compare(routing(), before) // the route list keeps the confirmed routing
        compare(appContext.stage.count, 3) // output 4 shows input 4 already
        var marks = findChild(item("outTile1"), "stagedMark")
        verify(marks.visible)
        compare(findChild(marks, "stagedText").text, "\u2192 4")
        compare(findChild(item("stagedPanel"), "stagedList").count, 3)
        mouseClick(item("takeButton"))
        tryCompare(appContext.stage, "count", 0)
        settle()
        compare(routeLines(), ["SW 4 1 2 3"]) // output 4 already shows input 4
        compare(routing(), [4, 4, 4, 4])
        // One undo step for the whole take.
        mouseClick(item("undoButton"))
        settle()
        compare(routing(), before)

        sim.clearReceived()
        clickRoute(1, [2, 3])
        mouseClick(item("clearButton"))
        compare(appContext.stage.count, 0)
        wait(0)
        compare(routeLines(), [])
    }

    function test_4_lockedOutputIsNotStaged() {
        helper.lockOutput(3, "router client 127.0.0.1:40000")
        notices = []
        mouseClick(item("inTile1"))
        mouseClick(item("oneToAllButton"))
        compare(appContext.stage.stagedInput(3), 0)
        compare(appContext.stage.stagedInput(4), 1)
        compare(notices.length, 1)
        verify(notices[0].indexOf("3") >= 0, notices[0])
        appContext.locks.forceUnlock(3)
        mouseClick(item("previewSwitch"))
        verify(!appContext.stage.active)
        compare(appContext.stage.count, 0) // leaving preview drops what was staged
    }

    function test_5_undoIsEmptyAfterADisconnect() {
        settle()
        clickRoute(2, [4])
        settle()
        verify(appContext.history.canUndo)
        helper.disconnectNow()
        verify(!appContext.history.canUndo)
        verify(!appContext.history.canRedo)
        connectDevice()
        sim.clearReceived()
        appContext.history.undo()
        wait(0)
        compare(routeLines(), [])
    }
}
}
