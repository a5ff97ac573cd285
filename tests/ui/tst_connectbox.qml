import QtQuick 2.15
import QtTest 1.2
import "ui_util.js" as U

// The connect box while a link is up, and the line under it that says why a link failed.
TessaroTestCase {
    name: "ConnectBox"
    width: 400
    height: 300

    property var win: null

    function item(name) {
        var o = U.find(U.find(win, "screen_0"), name)
        verify(o !== null, "no object " + name)
        return o
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
        helper.disconnectNow()
        if (appContext.language)
            appContext.changeLangeuageZhCN(false)
    }

    function cleanupTestCase() {
        win.destroy()
        win = null
        wait(0)
        appContext.connectType = 0
        helper.setSerialPorts([])
        helper.removeSettingFile()
    }

    function test_linkChoiceIsLockedWhileConnected() {
        var controls = ["connectTypeBox", "serialPortBox", "baudrateBox", "addressField"]
        for (var i = 0; i < controls.length; ++i)
            verify(item(controls[i]).enabled, controls[i])
        helper.connectToSim("DV-42")
        tryCompare(appContext, "isConnected", true, 10000)
        for (i = 0; i < controls.length; ++i)
            verify(!item(controls[i]).enabled, controls[i] + " editable while connected")
        // The footer and the link agree: the choice cannot be moved to "COM" now.
        compare(appContext.connectType, 1)
        helper.disconnectNow()
        for (i = 0; i < controls.length; ++i)
            verify(item(controls[i]).enabled, controls[i])
    }

    function test_messageSaysWhyAndClears() {
        var message = item("connectMessage")
        compare(message.text, "")

        appContext.connectType = 0
        appContext.currentSerialport = "/dev/tessaro-no-such-port"
        mouseClick(item("connectButton"))
        compare(message.text, "Serial port not found")
        verify(message.visible && message.width > 0)

        appContext.changeLangeuageZhCN(true)
        tryCompare(message, "text", "未找到串口")
        appContext.changeLangeuageZhCN(false)
        tryCompare(message, "text", "Serial port not found")

        // A connection attempt says where it goes, with Cancel; once up, nothing; a link
        // the device drops says so.
        helper.connectToSim("DV-42")
        compare(message.text, "Connecting to " + helper.simAddress + ":8080 ...")
        verify(item("connectCancel").visible)
        tryCompare(appContext, "isConnected", true, 10000)
        compare(message.text, "")
        verify(!item("connectCancel").visible)
        sim.dropConnection()
        tryCompare(appContext, "isConnected", false, 10000)
        // A network link's message names the address and port it was on.
        compare(message.text, helper.simAddress + ":8080: Connection lost (device unplugged or closed the link)")
    }

    function test_storedPathSelectsItsListedPort() {
        appContext.connectType = 0
        helper.setSerialPorts(["ttyS0", "ttyUSB7"])
        appContext.currentSerialport = "/dev/ttyUSB7" // as run.sh --serial stores it
        appContext.scanSerialPorts()
        compare(item("serialPortBox").currentIndex, 1)
        compare(appContext.currentSerialport, "/dev/ttyUSB7")
        appContext.currentSerialport = "/dev/ttyACM0"
        compare(item("serialPortBox").currentIndex, -1)
    }
}
