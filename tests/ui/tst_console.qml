import QtQuick 2.15
import QtQuick.Window 2.15
import QtTest 1.2
import "ui_util.js" as U

// The traffic console window on the main window, against the real context and the
// simulator.
TessaroTestCase {
    id: tc
    name: "TrafficConsole"
    width: 400
    height: 300

    property var win: null

    function item(name) {
        var o = U.find(win, name)
        verify(o !== null, "no object " + name)
        return o
    }

    function connectTo(model) {
        helper.connectToSim(model)
        tryCompare(appContext, "isConnected", true, 6000)
        tryCompare(appContext, "mode", model, 4000)
    }

    // Text of the list's rows, as shown (filter applied).
    function shownTexts() {
        var m = appContext.traffic.log
        var out = []
        for (var i = 0; i < m.rowCount(); ++i)
            out.push(m.data(m.index(i, 0), 259)) // TextRole
        return out
    }

    function initTestCase() {
        helper.removeSettingFile()
        var c = Qt.createComponent("qrc:/main.qml")
        compare(c.status, Component.Ready, c.errorString())
        win = c.createObject(null)
        verify(win !== null)
        tryCompare(win.contentItem, "width", 1024)
    }

    function cleanup() {
        var log = appContext.traffic.log
        log.paused = false
        item("consoleFilter").text = ""
        log.clear()
        helper.disconnectNow()
        if (appContext.language)
            appContext.changeLangeuageZhCN(false)
    }

    function cleanupTestCase() {
        win.destroy()
        wait(0)
        helper.removeSettingFile()
    }

    // The row of the list that shows a text containing part.
    function rowShowing(part) {
        var rows = item("consoleList").contentItem.children
        for (var i = 0; i < rows.length; ++i) {
            var line = U.find(rows[i], "consoleLineText")
            if (line && rows[i].visible && line.text.indexOf(part) >= 0)
                return rows[i]
        }
        return null
    }

    function test_06_longLineIsShownWhole() {
        var console = item("consoleWindow")
        console.open()
        connectTo("DV-42")
        var dump = ""
        for (var i = 0; i < 64; ++i)
            dump += (i < 16 ? "0" : "") + i.toString(16) + " "
        sim.sendLine("EDIDReport 1 " + dump + "END")
        tryVerify(function () { return rowShowing("END") !== null }, 6000)
        var row = rowShowing("END")
        var line = U.find(row, "consoleLineText")
        verify(line.lineCount > 1, "wrapped onto " + line.lineCount + " lines")
        verify(!line.truncated)
        verify(line.paintedWidth <= line.width)
        verify(row.height >= line.contentHeight)
        // Short lines keep their single row.
        var oneLine = rowShowing("GetBeepEn")
        verify(oneLine !== null)
        compare(oneLine.height, 18)
        console.close()
    }

    function test_01_opensFromTheFooterAndWithCtrlT() {
        var console = item("consoleWindow")
        verify(!console.visible)
        mouseClick(item("footerConsole"))
        tryCompare(console, "visible", true)
        keyClick(Qt.Key_T, Qt.ControlModifier)
        tryCompare(console, "visible", false)
        keyClick(Qt.Key_T, Qt.ControlModifier)
        tryCompare(console, "visible", true)
        console.close()
        tryCompare(console, "visible", false)
    }

    function test_02_rawCommandOnlyWhileConnected() {
        var console = item("consoleWindow")
        console.open()
        var input = item("consoleInput")
        var send = item("consoleSend")
        verify(!input.enabled)
        verify(!send.enabled)
        compare(input.placeholderText, "Connect to send raw commands")

        connectTo("DV-42")
        tryVerify(function () { return sim.receivedLines().indexOf("GetBeepEn") >= 0 }, 6000)
        verify(input.enabled)
        sim.clearReceived()
        input.text = "GetIP\r"
        verify(send.enabled)
        mouseClick(send)
        compare(input.text, "")
        tryVerify(function () { return sim.receivedLines().indexOf("GetIP") >= 0 }, 6000)
        // The typed CR is gone and the line went once. (The panel may still be answering
        // the start-up beep report, so other lines can arrive beside it.)
        compare(sim.receivedLines().filter(function (l) { return l.indexOf("GetIP") === 0 }), ["GetIP"])
        tryVerify(function () {
            var t = shownTexts()
            var at = t.lastIndexOf("GetIP")
            return at >= 0 && t.indexOf("IP 192.168.1.100", at) > at
        }, 6000)

        helper.disconnectNow()
        verify(!input.enabled)
        verify(!appContext.traffic.sendRaw("PING"))
        compare(item("consoleStatus").text, "")
        console.close()
    }

    function test_03_filterPauseAndCounts() {
        var console = item("consoleWindow")
        console.open()
        connectTo("DV-42")
        tryVerify(function () { return shownTexts().indexOf("BeepEn 1") >= 0 }, 6000)
        var filter = item("consoleFilter")
        filter.forceActiveFocus()
        keyClick(Qt.Key_B)
        keyClick(Qt.Key_E)
        keyClick(Qt.Key_E)
        keyClick(Qt.Key_P)
        compare(filter.text, "beep")
        // GetBeepEn, BeepEn 1 and the panel's own BeepONOnce.
        tryVerify(function () {
            var t = shownTexts()
            return t.length >= 3 && t.every(function (s) { return s.toLowerCase().indexOf("beep") >= 0 })
        })
        compare(item("consoleList").count, shownTexts().length)

        filter.text = ""
        var log = appContext.traffic.log
        mouseClick(item("consolePause"))
        verify(log.paused)
        compare(item("consolePause").text, "Resume")
        var shownBefore = log.rowCount()
        sim.sendLine("OutPE 1 2")
        tryCompare(log, "heldCount", 1, 6000)
        compare(log.rowCount(), shownBefore)
        // The counts follow with the batch.
        tryCompare(item("consoleCounts"), "text", log.count + " lines, 1 held")
        mouseClick(item("consolePause"))
        verify(!log.paused)
        compare(log.rowCount(), shownBefore + 1)
        compare(shownTexts()[shownBefore], "OutPE 1 2")

        mouseClick(item("consoleClear"))
        compare(log.count, 0)
        compare(item("consoleList").count, 0)
        console.close()
    }

    function test_04_chinese() {
        appContext.changeLangeuageZhCN(true)
        tryCompare(item("footerConsole"), "text", "控制台")
        compare(item("consoleWindow").title, "通信控制台")
        compare(item("consoleSend").text, "发送")
        compare(item("consolePause").text, "暂停")
    }

    // The save dialog is made on first use, titled in the language shown then; a chosen
    // file gets the whole log.
    function test_05_saveDialog() {
        var console = item("consoleWindow")
        console.open()
        connectTo("DV-42")
        var log = appContext.traffic.log
        tryVerify(function () { return log.count > 0 }, 6000)
        mouseClick(item("consoleSave"))
        var save = console.saveDialog
        tryCompare(save, "visible", true, 5000)
        compare(save.title, "Save the traffic log")
        verify(!save.selectExisting)
        compare(save.nameFilters, ["Log files (*.log *.txt)", "All files (*)"])
        save.close()
        helper.disconnectNow()
        var n = log.count
        var url = helper.workFileUrl("traffic.log")
        save.chosen(url)
        compare(item("consoleStatus").text, "Saved " + n + " line(s)")
        verify(helper.fileSize(url) > 0)

        appContext.changeLangeuageZhCN(true)
        mouseClick(item("consoleSave"))
        compare(console.saveDialog, save)
        compare(save.title, "保存通信记录")
        save.close()
        tryCompare(save, "visible", false, 5000)
        console.close()
    }
}
