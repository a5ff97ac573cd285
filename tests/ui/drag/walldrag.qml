import QtQuick 2.15
import QtTest 1.2
import ".."

// Output tiles dragged onto the wall grid with the mouse: a platform drag-and-drop, so
// this case runs on a real window system (a virtual X display).
Item {
    id: stage
    width: 1024
    height: 648

    TessaroTestCase {
        id: tc
        name: "WallDrag"

        property var screen: null
        // Steps of a drag still to be played by the timer, which also fires while the
        // platform drag runs its own event loop.
        property var steps: []

        SignalSpy {
            id: beepSpy
            target: appContext
            signalName: "beepChanged"
        }

        Timer {
            id: stepper
            interval: 30
            repeat: true
            onTriggered: {
                if (tc.steps.length === 0) {
                    stop()
                    return
                }
                var s = tc.steps.shift()
                s()
            }
        }

        function initTestCase() {
            helper.disconnectNow()
            var component = Qt.createComponent("qrc:/DragAndSelect.qml")
            compare(component.status, Component.Ready, component.errorString())
            screen = component.createObject(stage)
            verify(screen)
            waitForRendering(screen)
            beepSpy.clear()
            helper.connectToSim("DV-42")
            tryCompare(appContext, "mode", "DV-42", 5000)
            tryVerify(function () { return beepSpy.count > 0 }, 5000)
            screen.isActive = true
        }

        function cleanupTestCase() {
            helper.disconnectNow()
            if (screen)
                screen.destroy()
        }

        function item(name) {
            var it = findChild(screen, name)
            verify(it, name)
            return it
        }

        // Presses on the tile, moves past the drag distance and lets the timer carry the
        // pointer to the cell and release it there.
        function dragOutput(n, k) {
            var tile = item("wallOut_" + n)
            var cell = item("cell_" + k)
            var to = cell.mapToItem(tile, cell.width / 2, cell.height / 2)
            steps = [
                function () { mouseMove(tile, to.x / 2, to.y / 2) },
                function () { mouseMove(tile, to.x - 3, to.y - 3) },
                function () { mouseMove(tile, to.x, to.y) },
                function () { mouseRelease(tile, to.x, to.y) }
            ]
            mousePress(tile, 20, 20)
            stepper.start()
            mouseMove(tile, 40, 40)
            tryVerify(function () { return tc.steps.length === 0 && !stepper.running }, 5000)
        }

        function init() {
            screen.rows = 1
            screen.columns = 1
            sim.clearReceived()
        }

        function cell(k) {
            var c = item("cellRepeater").itemAt(k)
            verify(c, "cell " + k)
            return c
        }
        function band(fromCell, toCell) {
            var area = item("gridArea")
            var a = cell(fromCell).mapToItem(area, 5, 5)
            var b = cell(toCell).mapToItem(area, 5, 5)
            mousePress(area, a.x, a.y)
            mouseMove(area, b.x, b.y, -1, Qt.LeftButton)
            mouseRelease(area, b.x, b.y)
        }
        function wallLines() {
            return sim.receivedLines().filter(function (l) {
                return l.indexOf("SetRXTXVideoWall") === 0 || l.indexOf("SW ") === 0
            })
        }

        function test_0_clickAfterDrag() {
            screen.rows = 1
            screen.columns = 2
            dragOutput(1, 0)
            tryCompare(cell(0), "value", "1", 5000)
            mouseClick(item("wallIn_5"))
            verify(item("wallIn_5").isActive, "first click")
            mouseClick(item("wallIn_6"))
            verify(item("wallIn_6").isActive, "second click")
        }

        function test_1_dragPlacesOutputAndTileStays() {
            screen.rows = 2
            screen.columns = 2
            var tile = item("wallOut_3")
            var at = tile.mapToItem(screen, 0, 0)
            dragOutput(3, 1)
            tryCompare(cell(1), "value", "3", 5000)
            compare(cell(1).display, "3")
            compare(cell(0).value, "")
            var now = tile.mapToItem(screen, 0, 0)
            compare([now.x, now.y], [at.x, at.y])
            compare(tile.display, "3", "the tile keeps its output")
            // The same output goes into a second cell too.
            dragOutput(3, 2)
            tryCompare(cell(2), "value", "3", 5000)
            compare(cell(1).value, "3")
        }

        function test_2_dropOnHeldCellReplaces() {
            screen.rows = 1
            screen.columns = 2
            dragOutput(1, 0)
            tryCompare(cell(0), "value", "1", 5000)
            dragOutput(4, 0)
            tryCompare(cell(0), "value", "4", 5000)
            compare(cell(0).display, "4")
        }

        function test_3_nameWithHashKeepsItsNumber() {
            var s = appContext.setting
            s["out"] = { "002": "Stage #2" }
            appContext.setting = s
            screen.isActive = false
            screen.isActive = true
            screen.rows = 1
            screen.columns = 2
            dragOutput(2, 1)
            tryCompare(cell(1), "value", "2", 5000)
            compare(cell(1).display, "Stage #2")
            band(0, 1)
            mouseClick(item("setWallButton"))
            tryVerify(function () { return wallLines().length === 1 }, 5000)
            compare(wallLines(), ["SetRXTXVideoWall 18 2 1 2 1 0"])
            delete s["out"]
            appContext.setting = s
        }

        function test_4_refusedOutsideAllowedValues() {
            screen.rows = 1
            screen.columns = 2
            cell(1).allowValues = ["2"]
            dragOutput(3, 1)
            compare(cell(1).value, "", "refused on entry")
            dragOutput(2, 1)
            tryCompare(cell(1), "value", "2", 5000)
            cell(1).allowValues = []
        }

        function test_5_operatorBuildsAWall() {
            screen.rows = 2
            screen.columns = 2
            dragOutput(1, 0)
            dragOutput(2, 1)
            dragOutput(3, 2)
            dragOutput(4, 3)
            tryCompare(cell(3), "value", "4", 5000)
            band(0, 3)
            compare(screen.selection, [0, 1, 2, 3])
            mouseClick(item("wallIn_5"))
            mouseClick(item("setWallButton"))
            tryVerify(function () { return wallLines().length === 5 }, 5000)
            compare(wallLines(), ["SetRXTXVideoWall 17 2 2 1 1 5", "SetRXTXVideoWall 18 2 2 2 1 5",
                                  "SetRXTXVideoWall 19 2 2 1 2 5", "SetRXTXVideoWall 20 2 2 2 2 5",
                                  "SW 5 1 2 3 4"])
        }
    }
}
