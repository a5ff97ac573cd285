import QtQuick 2.15
import QtQuick.Window 2.15
import QtTest 1.2
import "ui_util.js" as U

// Main window, header and footer against the real context and the simulator.
TessaroTestCase {
    id: tc
    name: "MainWindow"
    width: 400
    height: 300

    property var win: null

    function openWindow() {
        var c = Qt.createComponent("qrc:/main.qml")
        compare(c.status, Component.Ready, c.errorString())
        win = c.createObject(null)
        verify(win !== null)
        tryCompare(win.contentItem, "width", 1024)
    }

    function closeWindow() {
        if (win) {
            win.destroy()
            win = null
        }
        wait(0)
    }

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

    function initTestCase() {
        helper.removeSettingFile()
        openWindow()
    }

    function cleanup() {
        helper.disconnectNow()
        if (appContext.language)
            appContext.changeLangeuageZhCN(false)
    }

    function cleanupTestCase() {
        closeWindow()
        helper.removeSettingFile()
    }

    // The button gets a window of its own, like the screens that place it.
    Component {
        id: buttonWindow
        Window {
            width: 300
            height: 200
            visible: true
            property alias button: loader.item
            Loader { id: loader; source: "qrc:/TButton.qml" }
        }
    }

    function test_01_startsWithSevenTabsAndIgnoresClicksWhileDisconnected() {
        compare(win.width, 1024)
        compare(win.height, 768)
        compare(win.title, "Tessaro")
        var header = item("header")
        compare(header.height, 80)
        compare(item("footer").height, 40)
        var tabs = U.tabs(win)
        compare(tabs.length, 7)
        var labels = tabs.map(U.labelOf)
        compare(labels, ["Settings", "Switch", "Naming", "Scene", "Advanced", "Video Wall", "Custom"])
        // The bar starts at the title's right edge and 10 px below the top.
        var bar = item("tabBar")
        compare(bar.x, 10 + 1024 / 4)
        compare(bar.y, 10)
        fuzzyCompare(tabs[0].width, bar.width / 7, 0.01)
        compare(String(tabs[0].color), "#074d8b")
        compare(String(tabs[1].color), "#338de3")

        mouseClick(tabs[3])
        mouseClick(tabs[6])
        compare(header.currentIndex, 0)
        verify(item("screen_0").visible)
        verify(!item("screen_3").visible)
        verify(item("screen_0").isActive)
        verify(!item("screen_6").isActive)
    }

    function test_02_modelOutsideVideoWallGroupHasSixTabs() {
        connectTo("DV-01")
        var tabs = U.tabs(win)
        compare(tabs.length, 6)
        compare(tabs.map(U.labelOf), ["Settings", "Switch", "Naming", "Scene", "Advanced", "Custom"])
        fuzzyCompare(tabs[5].width, item("tabBar").width / 6, 0.01)
        compare(tabs[5].objectName, "tab_6")

        mouseClick(tabs[5])
        var header = item("header")
        compare(header.currentIndex, 6)
        verify(item("screen_6").visible)
        verify(item("screen_6").isActive)
        verify(!item("screen_0").visible)
        compare(String(U.tabs(win)[5].color), "#074d8b")
        compare(String(U.tabs(win)[0].color), "#338de3")

        compare(item("footerState").text, "Connected")
        verify(item("footerModel").visible)
        compare(item("footerModel").text, "DV-01")
    }

    function test_03_videoWallModelHasSevenTabs() {
        connectTo("DV-42")
        var tabs = U.tabs(win)
        compare(tabs.length, 7)
        compare(U.labelOf(tabs[5]), "Video Wall")
        // Every label is shown whole on seven tabs, and none runs into the next tab.
        for (var i = 0; i < tabs.length; ++i) {
            var label = tabs[i].children[0]
            tryVerify(function () { return !label.truncated }, 2000, U.labelOf(tabs[i]) + " cut")
            verify(label.paintedWidth <= tabs[i].width, U.labelOf(tabs[i]) + " wider than its tab")
        }
        mouseClick(tabs[5])
        compare(item("header").currentIndex, 5)
        verify(item("screen_5").visible)
        mouseClick(U.tabs(win)[6])
        verify(item("screen_6").visible)
    }

    function test_04_droppedLinkReturnsToConnectionScreen() {
        connectTo("DV-01")
        mouseClick(U.tabs(win)[3])
        compare(item("header").currentIndex, 3)
        verify(item("screen_3").visible)

        sim.dropConnection()
        tryCompare(appContext, "isConnected", false, 6000)
        compare(item("header").currentIndex, 0)
        verify(item("screen_0").visible)
        verify(!item("screen_3").visible)
        compare(item("footerState").text, "Disconnected")
        verify(!item("footerModel").visible)
        // With no model the list is the six-tab one, and tabs are locked again.
        compare(U.tabs(win).length, 6)
        mouseClick(U.tabs(win)[2])
        compare(item("header").currentIndex, 0)
    }

    function test_05_footerShowsLinkChoice() {
        appContext.connectType = 0
        appContext.currentSerialport = "COM1"
        appContext.currentSerialportBaudrate = 9600
        compare(item("footerLinkType").text, "Serial Port")
        var serial = item("footerSerial")
        verify(serial.visible)
        compare(serial.text, "COM1(9600)")
        verify(!item("footerAddress").visible)
        compare(item("footerVersion").text, "1.2.3.3")
        // Hidden items take no room: the version follows the serial item directly.
        // Both positions settle at the row's next layout pass.
        tryVerify(function () {
            return serial.x > 0 && item("footerVersion").x === serial.x + serial.width + 10
        }, 5000, "version at " + item("footerVersion").x + ", serial item at " + serial.x)
        verify(!serial.truncated)

        // A pseudo-terminal at a high rate is shown whole; a long device path is elided in
        // its own width and never runs into the next text.
        appContext.currentSerialport = "/dev/pts/1"
        appContext.currentSerialportBaudrate = 115200
        compare(serial.text, "/dev/pts/1(115200)")
        tryVerify(function () { return !serial.truncated && serial.paintedWidth > 0 }, 5000)
        appContext.currentSerialport = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"
        tryVerify(function () { return serial.truncated }, 5000)
        verify(serial.paintedWidth <= serial.width)
        verify(serial.x + serial.width < item("footerVersion").x)

        appContext.connectType = 1
        appContext.currentIP = "10.1.2.3"
        compare(item("footerLinkType").text, "Network")
        verify(!serial.visible)
        verify(item("footerAddress").visible)
        // The port in use is written out, the default one too.
        compare(item("footerAddress").text, "10.1.2.3:8080")
        appContext.currentIP = "10.1.2.3:9000"
        compare(item("footerAddress").text, "10.1.2.3:9000")
        compare(appContext.currentIP, "10.1.2.3:9000")
        tryVerify(function () {
            var address = item("footerAddress")
            return address.x > 0 && item("footerVersion").x === address.x + address.width + 10
        }, 5000)
    }

    function test_06_languageSwitchRelabelsAtOnceAndIsStored() {
        appContext.connectType = 0
        appContext.changeLangeuageZhCN(true)
        compare(U.labelOf(U.tabs(win)[0]), "设置界面")
        compare(U.labelOf(U.tabs(win)[U.tabs(win).length - 1]), "客户定制")
        compare(item("footerState").text, "断开")
        compare(item("footerLinkType").text, "串口")
        compare(win.title, "Tessaro")
        compare(item("headerTitle").text, "Tessaro")
        compare(JSON.parse(helper.readSettingFile()).languageCN, true)

        appContext.changeLangeuageZhCN(false)
        compare(U.labelOf(U.tabs(win)[0]), "Settings")
        compare(item("footerState").text, "Disconnected")
        compare(JSON.parse(helper.readSettingFile()).languageCN, false)
    }

    function test_07_startWithStoredChineseComesUpInChinese() {
        closeWindow()
        helper.writeSettingFile('{"languageCN": true, "connectType": 1, "currentIP": "10.9.8.7"}')
        openWindow()
        verify(appContext.language)
        compare(U.labelOf(U.tabs(win)[0]), "设置界面")
        compare(U.tabs(win).length, 6) // the applied language rebuilt the list for "no model"
        compare(item("footerState").text, "断开")
        compare(item("footerAddress").text, "10.9.8.7:8080")
        compare(appContext.currentIP, "10.9.8.7")
        compare(win.title, "Tessaro")
    }

    function test_08_startWithoutStoredLanguageStaysEnglish() {
        closeWindow()
        helper.writeSettingFile('{"connectType": 0}')
        appContext.changeLangeuageZhCN(false)
        helper.writeSettingFile('{"connectType": 0}')
        openWindow()
        verify(!appContext.language)
        compare(U.labelOf(U.tabs(win)[0]), "Settings")
        verify(helper.readSettingFile().indexOf("languageCN") < 0)
    }

    function test_09_disabledButtonIgnoresClicks() {
        var w = createTemporaryObject(buttonWindow, null)
        tryCompare(w.contentItem, "width", 300)
        var button = w.button
        compare(button.width, 100)
        compare(button.height, 40)
        compare(button.text, "button")
        var spy = createTemporaryQmlObject("import QtTest 1.2; SignalSpy { signalName: \"clicked\" }", tc)
        spy.target = button
        button.enable = false
        mouseClick(button)
        compare(spy.count, 0)
        // Drawn lighter when disabled.
        compare(String(button.children[0].color), String(Qt.lighter(button.backgroundColor, 1.2)))
        button.enable = true
        mouseClick(button)
        compare(spy.count, 1)
        mouseClick(button, 10, 10, Qt.RightButton)
        compare(spy.count, 1)
    }
}
