import QtQuick 2.15
import QtTest 1.2

// Scene screen: names, selection rules, the loop order and the interval box, checked
// by the lines the simulator receives.
Item {
    id: stage
    width: 1024
    height: 648

    TessaroTestCase {
        id: tc
        name: "Scene"

        property var screen: null

        SignalSpy {
            id: beepSpy
            target: appContext
            signalName: "beepChanged"
        }

        function initTestCase() {
            helper.disconnectNow()
            var component = Qt.createComponent("qrc:/Sence.qml")
            compare(component.status, Component.Ready, component.errorString())
            screen = component.createObject(stage)
            verify(screen)
            waitForRendering(screen)
            beepSpy.clear()
            helper.connectToSim("DV-01")
            tryCompare(appContext, "mode", "DV-01", 5000)
            tryVerify(function () { return beepSpy.count > 0 }, 5000)
        }

        function cleanupTestCase() {
            appContext.sendCmd_SetSenceLoopDis()
            helper.disconnectNow()
            appContext.setting = ({})
            if (screen)
                screen.destroy()
        }

        // Every test starts by opening the tab.
        function init() {
            screen.isActive = false
            screen.isActive = true
            sim.clearReceived()
        }

        function tile(prefix, n) {
            var t = findChild(screen, prefix + n)
            verify(t, prefix + n)
            return t
        }
        function press(name) {
            var b = findChild(screen, name + "Button")
            verify(b, name)
            mouseClick(b)
        }
        // "Loop Stop" always sends; once it is in, every earlier click has been answered.
        function sentBeforeMarker() {
            press("loopStop")
            tryVerify(function () { return sim.receivedLines().indexOf("SetSenceLoopDis") >= 0 }, 3000)
            var lines = sim.receivedLines()
            return lines.slice(0, lines.indexOf("SetSenceLoopDis"))
        }
        // Clicks a button of a dialog once its buttons are laid out side by side.
        function answer(dialog, name) {
            var yes = findChild(dialog, "confirmYes")
            var no = findChild(dialog, "confirmNo")
            tryVerify(function () { return yes.x + yes.width <= no.x || no.x + no.width <= yes.x })
            mouseClick(findChild(dialog, name))
        }
        function waitForLine(line) {
            tryVerify(function () { return sim.receivedLines().indexOf(line) >= 0 }, 3000,
                      line + " in " + JSON.stringify(sim.receivedLines()))
        }
        function typeInterval(text) {
            var box = findChild(screen, "intervalBox")
            mouseClick(box.contentItem)
            verify(box.contentItem.activeFocus)
            box.contentItem.selectAll()
            keyClick(Qt.Key_Delete)
            for (var i = 0; i < text.length; ++i)
                keyClick(text.charAt(i))
        }

        function test_1_tilesAndNames() {
            appContext.setting = { "sence": { "005": "Meeting" } }
            screen.isActive = false
            screen.isActive = true
            for (var n = 1; n <= 16; ++n) {
                verify(!tile("sceneTile", n).isActive)
                verify(!tile("loopTile", n).isActive)
            }
            compare(tile("sceneTile", 5).channelName, "Meeting")
            compare(tile("loopTile", 5).channelName, "Meeting")
            compare(tile("sceneTile", 6).channelName, "6")
            compare(tile("sceneTile", 16).height, 55)
            compare(findChild(screen, "sceneBox").height, 295)
            appContext.setting = ({})
        }

        function test_2_loopOrder() {
            mouseClick(tile("loopTile", 3))
            mouseClick(tile("loopTile", 1))
            mouseClick(tile("loopTile", 7))
            press("loopStart")
            waitForLine("SetSenceLoopEN 2 10 0 10 6 10")

            mouseClick(tile("loopTile", 3)) // out: 1 and 7 move up
            mouseClick(tile("loopTile", 5))
            compare(screen.loopScenes(), [1, 7, 5])
            verify(!tile("loopTile", 3).isActive)
            sim.clearReceived()
            press("loopStart")
            waitForLine("SetSenceLoopEN 0 10 6 10 4 10")

            // Opening the tab again empties the loop.
            screen.isActive = false
            screen.isActive = true
            compare(screen.loopScenes(), [])
            sim.clearReceived()
            press("loopStart")
            compare(sentBeforeMarker(), [])
        }

        function test_3_storeAndRecallNeedSceneSelection() {
            mouseClick(tile("loopTile", 2))
            press("store")
            press("recall")
            compare(sentBeforeMarker(), [], "a loop tile is no scene selection")

            mouseClick(tile("sceneTile", 9))
            mouseClick(tile("sceneTile", 4))
            verify(!tile("sceneTile", 9).isActive)
            verify(tile("sceneTile", 4).isActive)
            verify(tile("loopTile", 2).isActive, "the loop is not touched")
            sim.clearReceived()
            press("store")
            press("recall")
            // "Default" erases every stored scene: it asks, and "No" sends nothing.
            press("default")
            var dialog = findChild(screen, "sceneConfirm")
            tryVerify(function () { return dialog.opened })
            verify(dialog.text.indexOf("16") >= 0, dialog.text)
            answer(dialog, "confirmNo")
            tryVerify(function () { return !dialog.visible })
            press("default")
            tryVerify(function () { return dialog.opened })
            answer(dialog, "confirmYes")
            waitForLine("SenceDefault")
            compare(sim.receivedLines().slice(0, 3), ["SceneSave 4", "SceneCall 4", "SenceDefault"])
        }

        function test_5_storingOverANamedOrStoredSceneAsks() {
            var setting = appContext.setting
            setting["sence"] = { "005": "Lecture" }
            appContext.setting = setting
            var dialog = findChild(screen, "sceneConfirm")
            mouseClick(tile("sceneTile", 5))
            sim.clearReceived()
            press("store")
            tryVerify(function () { return dialog.opened })
            verify(dialog.text.indexOf("Lecture") >= 0, dialog.text)
            keyClick(Qt.Key_Return) // "No" has the focus
            tryVerify(function () { return !dialog.visible })
            compare(sentBeforeMarker(), [])
            // An unnamed scene is stored at once the first time, and asks the second.
            mouseClick(tile("sceneTile", 6))
            sim.clearReceived()
            press("store")
            verify(!dialog.visible)
            press("store")
            tryVerify(function () { return dialog.opened })
            answer(dialog, "confirmYes")
            compare(sentBeforeMarker(), ["SceneSave 6", "SceneSave 6"])
        }

        function test_4_intervalRefusesOutOfRange() {
            var box = findChild(screen, "intervalBox")
            compare(box.value, 10)
            typeInterval("0")
            keyClick(Qt.Key_Return)
            compare(box.value, 10)
            typeInterval("4000")
            keyClick(Qt.Key_Return)
            compare(box.value, 10)
            mouseClick(tile("loopTile", 1))
            // Typed without Enter: pressing the button ends the edit first.
            typeInterval("25")
            press("loopStart")
            waitForLine("SetSenceLoopEN 0 25")
            compare(box.value, 25)
            // The interval is kept when the tab is opened again.
            screen.isActive = false
            screen.isActive = true
            compare(box.value, 25)
            compare(box.from, 1)
            compare(box.to, 3600)
        }
    }
}
