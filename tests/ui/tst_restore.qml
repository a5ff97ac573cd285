import QtQuick 2.15
import QtTest 1.2
import "ui_util.js" as U

// The restore table in the main window, against the simulator: a back-up, changes made
// at the device, only those listed, and an unchecked row never sent.
TessaroTestCase {
    id: tc
    name: "RestoreTable"
    width: 400
    height: 300

    property var win: null

    function item(name) {
        var o = U.find(win, name)
        verify(o !== null, "no object " + name)
        return o
    }

    // What the simulator received that changes something (not the queries).
    function changeLines() {
        return sim.receivedLines().filter(function(l) {
            return l.indexOf("Get") !== 0 && l.indexOf("ReadRXTXInfo") !== 0 && l !== "PING"
        })
    }

    function initTestCase() {
        helper.removeSettingFile()
        var c = Qt.createComponent("qrc:/main.qml")
        compare(c.status, Component.Ready, c.errorString())
        win = c.createObject(null)
        verify(win !== null)
        tryCompare(win.contentItem, "width", 1024)
        win.requestActivate()
        tryCompare(win, "active", true)
    }

    function cleanupTestCase() {
        helper.disconnectNow()
        appContext.changeLangeuageZhCN(false)
        win.destroy()
        win = null
    }

    function test_onlyDifferencesAreListedAndUncheckedRowsAreNotSent() {
        helper.connectToSim("DV-16")
        tryCompare(appContext, "mode", "DV-16", 6000)
        tryVerify(function() { return sim.receivedLines().indexOf("GetBeepEn") >= 0 }, 3000)
        tryVerify(function() { return item("backupButton").visible }, 3000)
        var file = helper.workFileUrl("room.json")
        configTool.backup(file)
        tryCompare(configTool, "stage", "done", 20000)
        verify(helper.fileSize(file) > 0)
        mouseClick(item("configCancel")) // "Close"
        compare(configTool.stage, "idle")

        helper.deviceLine("SW 3 1")
        helper.deviceLine("SetOutput 2 0")
        helper.deviceLine("SetOutPE 4 6")
        helper.deviceLine("SetBeepEn 0")
        configTool.restore(file)
        tryCompare(configTool, "stage", "review", 20000)
        var table = item("configTable")
        tryCompare(table, "count", 4)
        var expected = [["Output 1", "Input 3", "Input 1"], ["Output 2", "Off", "On"], ["Beep", "Off", "On"],
                        ["Output 4 PE", "6", "0"]]
        for (var i = 0; i < expected.length; ++i) {
            var texts = item("configRow_" + i).children
            compare([texts[1].text, texts[2].text, texts[3].text], expected[i])
        }

        mouseClick(item("configCheck_1"))
        compare(configTool.checkedCount, 3)
        compare(item("configAreaCheck_outputs").checkState, Qt.Unchecked)
        mouseClick(item("configAreaCheck_signal")) // the area's box takes its rows with it
        compare(item("configCheck_3").checked, false)
        mouseClick(item("configAreaCheck_signal"))
        compare(item("configCheck_3").checked, true)

        sim.clearReceived()
        mouseClick(item("configApply"))
        tryCompare(configTool, "stage", "done", 20000)
        // Nothing else: the screen's beep switch follows the device without sending it back.
        compare(changeLines(), ["SW 1 1", "SetBeepEn 1", "SetOutPE 4 0"])
        compare(item("configResult_0").text, "Matches the file")
        compare(item("configResult_1").text, "Not sent (unchecked)")
        compare(item("configResult_3").text, "Matches the file")
        verify(item("configMessage").text.indexOf("3 of 3") === 0)

        appContext.changeLangeuageZhCN(true)
        compare(item("configResult_1").text, "未发送（未勾选）")
        compare(item("configCancel").text, "关闭")
        mouseClick(item("configCancel"))
        compare(item("backupButton").text, "备份 ...")
        compare(item("restoreButton").text, "恢复 ...")
        appContext.changeLangeuageZhCN(false)
    }
}
