import QtQuick 2.15
import QtTest 1.2

// Naming screen: what the fields show, what "Save", "Clear" and "Default" store in the
// settings file, and names of channels the connected device does not have.
Item {
    id: stage
    width: 1024
    height: 648

    TessaroTestCase {
        id: tc
        name: "Naming"

        property var screen: null

        SignalSpy {
            id: beepSpy
            target: appContext
            signalName: "beepChanged"
        }

        function initTestCase() {
            helper.disconnectNow()
            helper.removeSettingFile()
            appContext.loadSetting()
            var component = Qt.createComponent("qrc:/ChannelName.qml")
            compare(component.status, Component.Ready, component.errorString())
            screen = component.createObject(stage)
            verify(screen)
            waitForRendering(screen)
            beepSpy.clear()
            helper.connectToSim("DV-01")
            tryCompare(appContext, "mode", "DV-01", 5000)
            tryVerify(function () { return beepSpy.count > 0 }, 5000)
            screen.isActive = true
        }

        function cleanupTestCase() {
            helper.disconnectNow()
            helper.removeSettingFile()
            appContext.loadSetting()
            if (screen)
                screen.destroy()
        }

        function init() {
            screen.isActive = false
            screen.isActive = true
        }

        function switchModel(model) {
            sim.model = model
            sim.sendLine(model)
            tryCompare(appContext, "mode", model, 3000)
        }

        function box(which) {
            var b = findChild(screen, which + "NameBox")
            verify(b, which)
            return b
        }
        function row(which, n) {
            var r = box(which).rows.itemAt(n - 1)
            verify(r, which + " row " + n)
            return r
        }
        function shown(which) {
            var list = []
            var rows = box(which).rows
            for (var i = 0; i < rows.count; ++i)
                list.push(rows.itemAt(i).field.text)
            return list
        }
        function press(which, button) {
            mouseClick(findChild(box(which), button + "Button"))
        }
        // Types into a field as the operator does, replacing its text; no Enter.
        function typeInto(r, text) {
            mouseClick(r.field)
            verify(r.field.activeFocus)
            r.field.selectAll()
            keyClick(Qt.Key_Delete)
            for (var i = 0; i < text.length; ++i)
                keyClick(text.charAt(i))
        }
        function stored() {
            var text = helper.readSettingFile()
            return text === "" ? ({}) : JSON.parse(text)
        }
        function storeNames(obj) {
            helper.writeSettingFile(JSON.stringify(obj))
            appContext.loadSetting()
        }

        function test_1_defaultsAndKeys() {
            storeNames({})
            compare(shown("input"), ["1", "2", "3", "4", "5", "6", "7", "8"])
            compare(row("input", 1).key, "001")
            compare(row("input", 8).key, "008")
            compare(box("scene").rows.count, 16)
            compare(row("scene", 16).key, "016")
        }

        function test_2_saveTakesTheNameBeingTyped() {
            storeNames({ "languageCN": false })
            typeInto(row("output", 2), "Screen")
            typeInto(row("input", 3), "Player")
            press("input", "save") // no Enter: the button's press ends the edit
            var s = stored()
            compare(s["in"]["003"], "Player")
            compare(s["in"]["001"], "1")
            compare(s["languageCN"], false, "other keys survive")
            // Saving the input box rebuilt the others from the stored names.
            verify(s["out"] === undefined)
            compare(row("output", 2).field.text, "2")
            compare(row("input", 3).field.text, "Player")
        }

        function test_3_clearRestoresStoredNames() {
            storeNames({ "in": { "001": "DVD", "002": "PC" } })
            typeInto(row("input", 1), "Other")
            keyClick(Qt.Key_Return)
            typeInto(row("input", 2), "Typed")
            press("input", "clear")
            compare(shown("input").slice(0, 3), ["DVD", "PC", "3"])
        }

        function test_4_defaultThenSaveStoresNumbers() {
            storeNames({ "out": { "001": "TV", "005": "Wall" } })
            compare(row("output", 5).field.text, "Wall")
            press("output", "default")
            compare(shown("output"), ["1", "2", "3", "4", "5", "6", "7", "8"])
            verify(stored()["out"]["001"] === "TV", "nothing stored before Save")
            press("output", "save")
            var out = stored()["out"]
            for (var n = 1; n <= 8; ++n)
                compare(out["00" + n], String(n))
        }

        function test_5_emptyNameStaysEmpty() {
            storeNames({})
            typeInto(row("scene", 4), "")
            press("scene", "save")
            compare(stored()["sence"]["004"], "")
            appContext.loadSetting()
            compare(row("scene", 4).field.text, "")
            compare(row("scene", 5).field.text, "5")
        }

        function test_6_namesBeyondTheDeviceSurvive() {
            var names = {}
            for (var n = 1; n <= 16; ++n)
                names[(n < 10 ? "00" : "0") + n] = "In" + n
            storeNames({ "in": names })
            switchModel("DV-16")
            compare(shown("input"), ["In1", "In2", "In3", "In4"])
            typeInto(row("input", 4), "Four")
            press("input", "save")
            var s = stored()["in"]
            compare(s["004"], "Four")
            for (n = 9; n <= 16; ++n)
                compare(s[(n < 10 ? "00" : "0") + n], "In" + n)
            switchModel("DV-39")
            compare(shown("input").slice(8), ["In9", "In10", "In11", "In12", "In13", "In14", "In15", "In16"])
        }

        function test_7_everyRowReachableWith36() {
            storeNames({})
            switchModel("DV-52")
            compare(box("output").rows.count, 36)
            var flick = box("output").flickable
            tryVerify(function () { return flick.interactive }, 2000)
            tryVerify(function () {
                if (!flick.atYEnd)
                    mouseWheel(flick, flick.width / 2, flick.height / 2, 0, -120)
                return flick.atYEnd
            }, 5000)
            tryCompare(flick, "moving", false)
            var last = row("output", 36)
            var pos = last.mapToItem(flick, 0, 0)
            verify(pos.y >= 0 && pos.y + last.height <= flick.height + 0.5, "row 36 at " + pos.y)
            typeInto(last, "Last")
            press("output", "save")
            compare(stored()["out"]["036"], "Last")
        }
    }
}
