import QtQuick 2.15
import QtTest 1.2
import "ui_util.js" as U

// Connection settings screen in the main window, against the real context and the
// simulator.
TessaroTestCase {
    id: tc
    name: "SettingScreen"
    width: 400
    height: 300

    property var win: null

    SignalSpy {
        id: scanSpy
        target: appContext
        signalName: "serialPortsChanged"
    }

    // Objects of the connection screen (other screens may reuse the same names).
    function item(name) {
        var o = U.find(U.find(win, "screen_0"), name)
        verify(o !== null, "no object " + name)
        return o
    }

    function windowItem(name) {
        var o = U.find(win, name)
        verify(o !== null, "no object " + name)
        return o
    }

    function connectTo(model) {
        helper.connectToSim(model)
        tryCompare(appContext, "isConnected", true, 6000)
        tryCompare(appContext, "mode", model, 4000)
        // Let the first queries finish before the test counts commands.
        tryVerify(function() { return sim.receivedLines().indexOf("GetBeepEn") >= 0 }, 3000)
        wait(100)
    }

    function typeInto(field, text) {
        field.forceActiveFocus()
        for (var i = 0; i < text.length; ++i)
            keyClick(text[i])
    }

    function clearField(field) {
        field.forceActiveFocus()
        field.selectAll()
        keyClick(Qt.Key_Delete)
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

    function cleanup() {
        helper.disconnectNow()
        if (appContext.language)
            appContext.changeLangeuageZhCN(false)
        var dialog = U.find(U.find(win, "screen_0"), "resetDialog")
        if (dialog && dialog.visible)
            dialog.close()
    }

    function cleanupTestCase() {
        win.destroy()
        win = null
        wait(0)
        appContext.connectType = 0
        helper.setSerialPorts([])
        helper.removeSettingFile()
    }

    function test_layoutOfThePanel() {
        var panel = item("settingPanel")
        compare(panel.width, 800)
        compare(panel.height, 600)
        var inWindow = panel.mapToItem(null, 0, 0)
        compare(inWindow.x, (1024 - 800) / 2)
        compare(inWindow.y, 80 + (768 - 120 - 600) / 2)
        var box = item("connectBox")
        compare(box.height, 200)
        compare(box.width, (800 - 20 - 5) / 2)
        var button = item("connectButton")
        compare(button.x, box.width - 105)
        compare(button.y, 155)
        compare(button.width, 100)
        compare(button.height, 40)
        compare(item("scanButton").x, button.x - 105)
    }

    function test_networkChoiceSwapsRowsAndIsStored() {
        var typeBox = item("connectTypeBox")
        typeBox.currentIndex = 0
        compare(appContext.connectType, 0)
        verify(item("serialPortRow").visible)
        verify(item("baudrateRow").visible)
        verify(item("scanButton").visible)
        verify(!item("addressRow").visible)

        typeBox.currentIndex = 1
        compare(appContext.connectType, 1)
        verify(!item("serialPortRow").visible)
        verify(!item("baudrateRow").visible)
        verify(!item("scanButton").visible)
        verify(item("addressRow").visible)
        compare(JSON.parse(helper.readSettingFile()).connectType, 1)

        // The choice follows the context too (e.g. a stored choice applied at start).
        appContext.connectType = 0
        compare(typeBox.currentIndex, 0)
        verify(item("serialPortRow").visible)
        compare(JSON.parse(helper.readSettingFile()).connectType, 0)
    }

    function test_addressFieldFilter() {
        item("connectTypeBox").currentIndex = 1
        var field = item("addressField")
        clearField(field)
        typeInto(field, "192.168.1.")
        compare(field.text, "192.168.1.")
        compare(appContext.currentIP, "192.168.1.")
        compare(JSON.parse(helper.readSettingFile()).currentIP, "192.168.1.")
        verify(!field.acceptableInput)
        typeInto(field, "x")
        compare(field.text, "192.168.1.")
        typeInto(field, "25")
        compare(appContext.currentIP, "192.168.1.25")
        verify(field.acceptableInput)

        // A digit that makes no address is kept and marked, never dropped: dropping it
        // would leave another address than the one typed.
        typeInto(field, "6")
        compare(field.text, "192.168.1.256")
        compare(appContext.currentIP, "192.168.1.256")
        verify(!field.acceptableInput)
        clearField(field)
        typeInto(field, "01")
        compare(field.text, "01")
        verify(!field.acceptableInput)

        // A port after a colon is part of the address, stored as typed.
        clearField(field)
        typeInto(field, "127.0.0.1:9000")
        compare(field.text, "127.0.0.1:9000")
        compare(appContext.currentIP, "127.0.0.1:9000")
        compare(JSON.parse(helper.readSettingFile()).currentIP, "127.0.0.1:9000")
        verify(field.acceptableInput)
        typeInto(field, "0")
        compare(field.text, "127.0.0.1:90000")
        verify(!field.acceptableInput)
        typeInto(field, ":")
        compare(field.text, "127.0.0.1:90000")
        clearField(field)
        typeInto(field, "255.255.255.255:65535")
        compare(field.text, "255.255.255.255:65535")
        verify(field.acceptableInput)
        clearField(field)
        typeInto(field, "[::1]:8080")
        verify(field.acceptableInput)
        compare(appContext.currentIP, "[::1]:8080")

        // The field follows an address set from elsewhere.
        appContext.currentIP = "172.16.0.9"
        compare(field.text, "172.16.0.9")
        verify(field.acceptableInput)
    }

    function test_portAndBaudrateChoices() {
        item("connectTypeBox").currentIndex = 0
        var ports = item("serialPortBox")
        var baud = item("baudrateBox")
        helper.setSerialPorts(["COM1", "COM3"])
        appContext.currentSerialport = "COM3"
        appContext.scanSerialPorts()
        compare(ports.count, 2)
        compare(ports.currentIndex, 1)

        // A stored port missing after a scan: nothing selected, the value is kept and shown.
        appContext.currentSerialport = "COM9"
        appContext.scanSerialPorts()
        compare(ports.currentIndex, -1)
        compare(ports.editText, "COM9")
        compare(appContext.currentSerialport, "COM9")
        compare(JSON.parse(helper.readSettingFile()).currentSerialport, "COM9")

        ports.currentIndex = 0
        compare(appContext.currentSerialport, "COM1")
        mouseClick(item("scanButton"))
        compare(ports.currentIndex, 0)

        appContext.currentSerialportBaudrate = 4800
        compare(baud.currentIndex, -1)
        compare(windowItem("footerSerial").text, "COM1(4800)")
        baud.currentIndex = 2
        compare(appContext.currentSerialportBaudrate, 115200)
        appContext.currentSerialportBaudrate = 19200
        compare(baud.currentIndex, 1)
    }

    function test_unlistedPortIsShownAndTyped() {
        item("connectTypeBox").currentIndex = 0
        var ports = item("serialPortBox")
        helper.setSerialPorts(["ttyS0"])
        appContext.scanSerialPorts()
        verify(ports.editable)

        // A pseudo-terminal the system does not list, as the footer shows it.
        appContext.currentSerialport = "/dev/pts/7"
        compare(ports.currentIndex, -1)
        compare(ports.editText, "/dev/pts/7")

        // A typed path is taken with Enter ...
        clearField(ports.contentItem)
        typeInto(ports.contentItem, "/dev/serial/by-id/usb-tessaro-if00")
        compare(appContext.currentSerialport, "/dev/pts/7")
        keyClick(Qt.Key_Return)
        compare(appContext.currentSerialport, "/dev/serial/by-id/usb-tessaro-if00")
        compare(JSON.parse(helper.readSettingFile()).currentSerialport, "/dev/serial/by-id/usb-tessaro-if00")
        compare(windowItem("footerSerial").text.indexOf("/dev/serial/by-id/usb-tessaro-if00("), 0)

        // ... and with Connect, which tries it.
        clearField(ports.contentItem)
        typeInto(ports.contentItem, "/dev/tessaro-no-such-port")
        mouseClick(item("connectButton"))
        compare(appContext.currentSerialport, "/dev/tessaro-no-such-port")
        compare(item("connectMessage").text, "Serial port not found")

        // Re-translating the screen leaves it shown, also with no port listed at all.
        helper.setSerialPorts([])
        appContext.scanSerialPorts()
        compare(ports.editText, "/dev/tessaro-no-such-port")
        item("languageBox").currentIndex = 1
        verify(appContext.language)
        wait(0) // the language change event that the new catalogue posts
        compare(ports.editText, "/dev/tessaro-no-such-port")
        item("languageBox").currentIndex = 0
        verify(!appContext.language)
        wait(0)
        compare(ports.editText, "/dev/tessaro-no-such-port")

        // Picking a listed port still works.
        helper.setSerialPorts(["ttyS0"])
        appContext.scanSerialPorts()
        ports.currentIndex = 0
        compare(appContext.currentSerialport, "ttyS0")
        compare(ports.editText, "ttyS0")
    }

    function test_missingChineseFontIsSaidOnce() {
        var notice = item("fontNotice")
        helper.setChineseFont(0)
        appContext.changeLangeuageZhCN(true)
        tryCompare(notice, "opened", true)
        // In English: Chinese cannot be drawn.
        verify(item("fontNoticeText").text.indexOf("No Chinese font is installed") === 0)
        compare(item("fontNoticeOk").text, "OK")
        // The whole text fits above the button.
        var text = item("fontNoticeText")
        verify(text.contentHeight <= text.height, "text " + text.contentHeight + " in " + text.height)
        verify(text.mapToItem(notice.contentItem.parent, 0, text.height).y <=
               item("fontNoticeOk").mapToItem(notice.contentItem.parent, 0, 0).y)
        mouseClick(item("fontNoticeOk"))
        tryCompare(notice, "visible", false)

        appContext.changeLangeuageZhCN(false)
        appContext.changeLangeuageZhCN(true)
        verify(!notice.visible)
        helper.setChineseFont(-1)
    }

    function test_languageSwitchKeepsNetworkChoice() {
        var typeBox = item("connectTypeBox")
        typeBox.currentIndex = 1
        compare(appContext.connectType, 1)
        appContext.currentSerialportBaudrate = 115200
        var language = item("languageBox")
        language.currentIndex = 1
        verify(appContext.language)
        compare(item("connectButton").text, "连接")
        compare(typeBox.currentText, "网络")
        compare(typeBox.currentIndex, 1)
        compare(appContext.connectType, 1)
        compare(item("baudrateBox").currentIndex, 2)
        compare(JSON.parse(helper.readSettingFile()).languageCN, true)

        language.currentIndex = 0
        verify(!appContext.language)
        compare(item("connectButton").text, "Connect")
        compare(typeBox.currentIndex, 1)
        compare(appContext.connectType, 1)
        compare(JSON.parse(helper.readSettingFile()).languageCN, false)

        // The operator's next choice of link kind is taken as usual.
        wait(0)
        typeBox.currentIndex = 0
        compare(appContext.connectType, 0)
    }

    function test_connectButtonAndBoxesFollowTheLink() {
        verify(!item("networkBox").visible)
        verify(!item("otherBox").visible)
        appContext.connectType = 1
        appContext.currentIP = helper.simAddress
        sim.model = "DV-01"
        var button = item("connectButton")
        compare(button.text, "Connect")
        mouseClick(button)
        // Hidden while the link is being opened.
        if (appContext.isConnectPending)
            verify(!button.visible)
        tryCompare(appContext, "isConnected", true, 6000)
        verify(button.visible)
        compare(button.text, "Disconnect")
        verify(item("networkBox").visible)
        verify(item("otherBox").visible)

        mouseClick(button)
        tryCompare(appContext, "isConnected", false, 6000)
        compare(button.text, "Connect")
        verify(!item("networkBox").visible)
    }

    function test_enteringTheScreenScans() {
        connectTo("DV-01")
        var spy = scanSpy
        spy.clear()
        mouseClick(U.tabs(win)[1])
        compare(spy.count, 0)
        mouseClick(U.tabs(win)[0])
        compare(spy.count, 1)
    }

    function test_networkBoxReadAndSave() {
        connectTo("DV-42")
        // The start-up queries run on after the model is known; let them finish first.
        tryVerify(function() { return sim.receivedLines().indexOf("GetBeepEn") >= 0 }, 8000)
        appContext.ipGateway = ""
        sim.clearReceived()
        mouseClick(item("readButton"))
        tryVerify(function() { return sim.receivedLines().length >= 3 }, 8000)
        compare(sim.receivedLines().slice(0, 3), ["GetIP", "GetIPMask", "GetIPGateWay"])
        // The device answers in order; once the gateway is in, no reply can overwrite
        // what is typed below.
        tryVerify(function() { return appContext.ipGateway !== "" }, 8000)

        appContext.ip = "10.0.0.5"
        appContext.ipMask = "255.255.255.0"
        appContext.ipGateway = "10.0.0.1"
        compare(item("ipField").text, "10.0.0.5")
        compare(item("maskField").text, "255.255.255.0")
        compare(item("gatewayField").text, "10.0.0.1")

        var mask = item("maskField")
        clearField(mask)
        typeInto(mask, "255.a255,0")
        compare(mask.text, "255.255,0")
        compare(appContext.ipMask, "255.255,0")
        var ip = item("ipField")
        clearField(ip)
        typeInto(ip, "10.0.0.77")
        compare(appContext.ip, "10.0.0.77")

        sim.clearReceived()
        mouseClick(item("saveButton"))
        tryVerify(function() { return sim.receivedLines().length >= 3 }, 8000)
        var lines = sim.receivedLines()
        compare(lines[0], "SetIP 10.0.0.77")
        compare(lines[1], "SetIPMask 255.255,0")
        compare(lines[2], "SetIPGateWay 10.0.0.1")
    }

    function test_beepSwitchSendsEveryChange() {
        connectTo("DV-42")
        var sw = item("beepSwitch")
        compare(sw.checked, appContext.beep)
        // Start from "off" as reported by the device.
        sim.sendLine("BeepEn 0")
        tryCompare(appContext, "beep", false)
        compare(sw.checked, false)
        compare(item("beepState").text, "OFF")
        wait(200)
        sim.clearReceived()

        // A device report that turns it on moves the switch, which sends once.
        sim.sendLine("BeepEn 1")
        tryCompare(sw, "checked", true)
        compare(item("beepState").text, "ON")
        wait(300)
        compare(U.countLines(sim.receivedLines(), "SetBeepEn 1"), 1)
        compare(U.countLines(sim.receivedLines(), "SetBeepEn 0"), 0)

        // The operator's toggle sends once.
        sim.clearReceived()
        mouseClick(sw)
        compare(sw.checked, false)
        wait(300)
        compare(U.countLines(sim.receivedLines(), "SetBeepEn 0"), 1)
        compare(U.countLines(sim.receivedLines(), "SetBeepEn 1"), 0)
    }

    function test_factoryResetDialog() {
        connectTo("DV-42")
        var dialog = item("resetDialog")
        mouseClick(item("factoryResetButton"))
        tryCompare(dialog, "opened", true)
        compare(dialog.width, 300)
        compare(dialog.height, 200)
        compare(dialog.title, "Reset?")
        compare(item("resetQuestion").text,
                "Reset to factory settings?\nThe device will restart; please wait, then reconnect.")

        sim.clearReceived()
        mouseClick(item("resetNo"))
        tryCompare(dialog, "visible", false)
        wait(100)
        compare(U.countLines(sim.receivedLines(), "ResetFactory"), 0)
        verify(appContext.isConnected)

        mouseClick(item("factoryResetButton"))
        tryCompare(dialog, "opened", true)
        var t0 = helper.now()
        mouseClick(item("resetYes"))
        mouseClick(item("resetYes")) // a second press sends nothing more
        tryVerify(function() { return sim.receivedLines().indexOf("ResetFactory") >= 0 }, 2000)
        // The dialog stays up for half a second, then the link is closed and it goes.
        // (The simulated device restarts on a reset and may drop the link first.)
        verify(dialog.visible)
        tryCompare(dialog, "visible", false, 3000)
        var elapsed = helper.now() - t0
        verify(elapsed >= 450 && elapsed < 1500, "dialog closed after " + elapsed + " ms")
        tryCompare(appContext, "isConnected", false, 3000)
        compare(U.countLines(sim.receivedLines(), "ResetFactory"), 1)
        compare(item("connectButton").text, "Connect")
    }
}
