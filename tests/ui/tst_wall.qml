import QtQuick 2.15
import QtTest 1.2

// Video wall screen against the simulator: band selection with the mouse, the grid
// size, the commands of both buttons and the names in the cells. (Dragging outputs
// onto the grid needs a window system; see drag/walldrag.qml.)
Item {
    id: stage
    width: 1024
    height: 648

    TessaroTestCase {
        id: tc
        name: "Wall"

        property var screen: null
        property var stamps: []

        SignalSpy {
            id: beepSpy
            target: appContext
            signalName: "beepChanged"
        }
        Connections {
            target: sim
            function onLineReceived(line) { tc.stamps.push({ "line": line, "t": helper.now() }) }
        }

        function initTestCase() {
            helper.disconnectNow()
            helper.removeSettingFile()
            appContext.loadSetting()
            var component = Qt.createComponent("qrc:/DragAndSelect.qml")
            compare(component.status, Component.Ready, component.errorString())
            screen = component.createObject(stage)
            verify(screen)
            waitForRendering(screen)
            beepSpy.clear()
            helper.connectToSim("DV-42") // 16 x 16
            tryCompare(appContext, "mode", "DV-42", 5000)
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
            setGrid(1, 1)
            screen.isActive = false
            screen.isActive = true
            stamps = []
            sim.clearReceived()
        }

        function item(name) {
            var it = findChild(screen, name)
            verify(it, name)
            return it
        }
        function cell(k) {
            var c = item("cellRepeater").itemAt(k)
            verify(c, "cell " + k)
            return c
        }
        // Sets the grid size through the two choices, as the operator does.
        function setGrid(rows, columns) {
            var r = item("rowsChoice"), c = item("columnsChoice")
            r.currentIndex = rows - 1
            r.activated(rows - 1)
            c.currentIndex = columns - 1
            c.activated(columns - 1)
            compare(item("cellRepeater").count, rows * columns)
        }
        // What the cell does when an output is dropped on it.
        function place(k, name, n) {
            var c = cell(k)
            c.display = name
            c.value = String(n)
            c.accepted()
        }
        function band(fromCell, toCell, fx, fy, tx, ty) {
            var area = item("gridArea")
            var a = cell(fromCell).mapToItem(area, fx, fy)
            var b = cell(toCell).mapToItem(area, tx, ty)
            mousePress(area, a.x, a.y)
            mouseMove(area, (a.x + b.x) / 2, (a.y + b.y) / 2, -1, Qt.LeftButton)
            mouseMove(area, b.x, b.y, -1, Qt.LeftButton)
            mouseRelease(area, b.x, b.y)
        }
        function wallLines() {
            return sim.receivedLines().filter(function (l) {
                return l.indexOf("SetRXTXVideoWall") === 0 || l.indexOf("SW ") === 0
            })
        }
        // "GetSW" always goes out; once it is in, every earlier command has arrived.
        function linesBeforeMarker() {
            appContext.sendCmd_GetSW()
            tryVerify(function () { return sim.receivedLines().indexOf("GetSW") >= 0 }, 5000)
            var lines = sim.receivedLines()
            return lines.slice(0, lines.indexOf("GetSW")).filter(function (l) {
                return l.indexOf("SetRXTXVideoWall") === 0 || l.indexOf("SW ") === 0
            })
        }
        function click(name) {
            mouseClick(item(name))
        }

        function test_1_layout() {
            var area = item("gridArea")
            compare(area.width, Math.floor(stage.width * 2 / 3))
            compare(area.height, stage.height - 200)
            var outBox = item("wallOutputBox")
            compare(outBox.mapToItem(screen, outBox.width, 0).x, stage.width)
            compare(outBox.width, 300)
            // Two tiles per row fill the boxes of a 16 x 16 device.
            var tile = item("wallOut_1")
            compare(tile.width, 120)
            var inBox = item("wallInputBox")
            compare(item("wallIn_1").height, (inBox.height - 16 * 5 - 30) * 2 / 16)
            var last = item("wallOut_16")
            verify(last.mapToItem(item("wallOutputBox"), 0, last.height).y <= item("wallOutputBox").height)
            setGrid(2, 3)
            compare(cell(0).x, 30)
            compare(cell(0).y, 30)
            compare(cell(4).width, (area.width - 60) / 3 - 1)
            compare(cell(4).height, (area.height - 60) / 2 - 1)
        }

        function test_2_bandSelectsEveryCellItMeets() {
            setGrid(3, 3)
            band(0, 4, 20, 20, 10, 10)
            compare(screen.selection, [0, 1, 3, 4])
            verify(!item("band").visible)
            compare(String(cell(4).color), "#0000ff")
            compare(String(cell(2).color), "#ffffff")
            // Drawn from bottom right to top left.
            band(8, 4, 30, 30, 5, 5)
            compare(screen.selection, [4, 5, 7, 8])
            // A press and release without movement empties the selection.
            var area = item("gridArea")
            mouseClick(area, 5, 5)
            compare(screen.selection, [])
        }

        function test_3_bandShowsWhileDragging() {
            setGrid(2, 2)
            var area = item("gridArea")
            mousePress(area, 40, 40)
            mouseMove(area, 120, 90, -1, Qt.LeftButton)
            var b = item("band")
            verify(b.visible)
            compare([b.x, b.y, b.width, b.height], [40, 40, 80, 50])
            compare(b.opacity, 0.2)
            mouseRelease(area, 120, 90)
            verify(!b.visible)
        }

        function test_4_setVideoWallWithInput() {
            setGrid(2, 2)
            for (var k = 0; k < 4; ++k)
                place(k, "Out " + (k + 1), k + 1)
            band(0, 3, 5, 5, 5, 5)
            mouseClick(item("wallIn_5"))
            verify(item("wallIn_5").isActive)
            var pressed = helper.now()
            click("setWallButton")
            tryVerify(function () { return wallLines().length === 5 }, 5000)
            // 16 inputs: output k is unit 16 + k.
            compare(wallLines(), ["SetRXTXVideoWall 17 2 2 1 1 5", "SetRXTXVideoWall 18 2 2 2 1 5",
                                  "SetRXTXVideoWall 19 2 2 1 2 5", "SetRXTXVideoWall 20 2 2 2 2 5",
                                  "SW 5 1 2 3 4"])
            // The placements go out at the press and the switch 200 ms later. A busy
            // machine may deliver the placements late, never the switch early: measure
            // from the press, allowing for a timer that fires a little early.
            var sw = 0
            for (var i = 0; i < stamps.length; ++i) {
                if (stamps[i].line === "SW 5 1 2 3 4")
                    sw = stamps[i].t
            }
            verify(sw - pressed >= 180, "the switch waits for the placements: " + (sw - pressed))
            compare(screen.selection, [0, 1, 2, 3], "the button leaves the selection")
            compare(cell(0).value, "1")
        }

        function test_5_noInputNoSwitch() {
            setGrid(2, 2)
            for (var k = 0; k < 4; ++k)
                place(k, "Out " + (k + 1), k + 1)
            band(0, 3, 5, 5, 5, 5)
            click("setWallButton")
            compare(linesBeforeMarker(), ["SetRXTXVideoWall 17 2 2 1 1 0", "SetRXTXVideoWall 18 2 2 2 1 0",
                                          "SetRXTXVideoWall 19 2 2 1 2 0", "SetRXTXVideoWall 20 2 2 2 2 0"])
        }

        function test_6_emptyCellsAndEmptySelection() {
            setGrid(1, 4)
            place(2, "Three", 3)
            band(1, 2, 5, 5, 5, 5)
            compare(screen.selection, [1, 2])
            click("setWallButton")
            compare(linesBeforeMarker(), ["SetRXTXVideoWall 19 2 1 2 1 0"])
            // Only empty cells: nothing, even with an input chosen.
            sim.clearReceived()
            mouseClick(item("wallIn_1"))
            band(0, 1, 5, 5, 5, 5)
            click("setWallButton")
            click("singleButton")
            compare(linesBeforeMarker(), [])
            // No selection at all.
            sim.clearReceived()
            mouseClick(item("gridArea"), 3, 3)
            click("setWallButton")
            click("singleButton")
            compare(linesBeforeMarker(), [])
        }

        function test_7_singleDisplay() {
            setGrid(1, 3)
            place(1, "Two", 2)
            band(0, 2, 5, 5, 5, 5)
            mouseClick(item("wallIn_3"))
            click("singleButton")
            compare(linesBeforeMarker(), ["SetRXTXVideoWall 18 1 1 1 1 0"])
        }

        function test_8_gridSizeChangeEmptiesCellsAndSelection() {
            setGrid(2, 2)
            for (var k = 0; k < 4; ++k)
                place(k, "Out " + (k + 1), k + 1)
            band(0, 3, 5, 5, 5, 5)
            setGrid(3, 2)
            for (k = 0; k < 6; ++k) {
                compare(cell(k).display, "")
                compare(cell(k).value, "")
            }
            // The old selection is gone with the old cells.
            compare(screen.selection, [])
            click("setWallButton")
            compare(linesBeforeMarker(), [])
        }

        function test_9_gridSizeFromSettings() {
            var s = appContext.setting
            s["VideoWall"] = { "rows": 3, "columns": 4 }
            appContext.setting = s
            compare(screen.rows, 3)
            compare(screen.columns, 4)
            compare(item("cellRepeater").count, 12)
            compare(item("rowsChoice").currentIndex, 2)
            // Damaged entries are left alone.
            var bad = [{ "rows": 100000, "columns": 0 }, { "rows": "many", "columns": -2 }, { "rows": 2.5 }, [2, 2], 5]
            for (var i = 0; i < bad.length; ++i) {
                s["VideoWall"] = bad[i]
                appContext.setting = s
                compare(screen.rows, 3, JSON.stringify(bad[i]))
                compare(screen.columns, 4, JSON.stringify(bad[i]))
            }
            delete s["VideoWall"]
            appContext.setting = s
        }

        function test_10_renamedOutputShowsOnReturn() {
            setGrid(1, 2)
            place(0, "5", 5)
            place(1, "16", 16)
            screen.isActive = false
            var s = appContext.setting
            s["out"] = { "005": "Lobby", "016": "Stage #2" }
            appContext.setting = s
            compare(cell(0).display, "5", "names change when the tab is entered")
            screen.isActive = true
            compare(cell(0).display, "Lobby")
            compare(cell(1).display, "Stage #2")
            compare(item("wallOut_16").display, "Stage #2")
            compare(cell(1).value, "16")
            delete s["out"]
            appContext.setting = s
        }

        function test_12_namesStayBesideTheirBadges() {
            // The 16 input tiles are too short for a name to pass under the badge.
            screen.isActive = false
            var s = appContext.setting
            s["in"] = { "001": "Lectern PC with a long name", "002": "Cam" }
            appContext.setting = s
            screen.isActive = true
            var tiles = [item("wallIn_1"), item("wallIn_2"), item("wallOut_1")]
            for (var i = 0; i < tiles.length; ++i) {
                var name = findChild(tiles[i], "channelName")
                var badge = findChild(tiles[i], "badge")
                verify(name.y < badge.y + badge.height, "the name's line runs beside the badge")
                // Centred text: its painted right edge.
                var right = name.x + (name.width + name.paintedWidth) / 2
                verify(right <= badge.x, tiles[i].objectName + " name runs under its badge")
                verify(name.paintedWidth <= name.width)
            }
            var longName = findChild(item("wallIn_1"), "channelName")
            verify(longName.truncated)
            // A short name stays in the middle of its tile.
            var shortName = findChild(item("wallIn_2"), "channelName")
            verify(!shortName.truncated)
            compare(shortName.x + shortName.width / 2, item("wallIn_2").width / 2)
            delete s["in"]
            appContext.setting = s
        }

        function test_11_inputSelectionClearedOnEntry() {
            mouseClick(item("wallIn_2"))
            mouseClick(item("wallIn_4"))
            verify(!item("wallIn_2").isActive)
            verify(item("wallIn_4").isActive)
            compare(screen.selectedInput, 4)
            screen.isActive = false
            screen.isActive = true
            verify(!item("wallIn_4").isActive)
            compare(screen.selectedInput, 0)
        }
    }
}
