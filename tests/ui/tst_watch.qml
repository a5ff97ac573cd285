import QtQuick 2.15
import QtTest 1.2

// What the device did, on the switching screen and the notice bar: a route the device
// ignores is marked and said, a change made at the device is offered to keep or restore.
Item {
    id: stage
    width: 1024
    height: 728

TessaroTestCase {
    id: tc
    name: "Watch"

    property var screen: null
    property var bar: null

    SignalSpy {
        id: beepSpy
        target: appContext
        signalName: "beepChanged"
    }

    function initTestCase() {
        helper.disconnectNow()
        screen = Qt.createComponent("qrc:/TSwitch.qml").createObject(stage, { "y": 80 })
        bar = Qt.createComponent("qrc:/NoticeBar.qml").createObject(stage, { "y": 80, "width": 1024 })
        verify(screen && bar)
        screen.notice.connect(bar.show)
        beepSpy.clear()
        helper.connectToSim("DV-16")
        tryCompare(appContext, "mode", "DV-16", 5000)
        tryVerify(function () { return beepSpy.count > 0 }, 5000)
        screen.isActive = true
        waitForRendering(screen)
    }

    function cleanupTestCase() {
        sim.setIgnoreRouting(false)
        helper.disconnectNow()
    }

    function mark(output) {
        return findChild(findChild(screen, "outTile" + output), "routeMark")
    }

    function test_1_ignoredRouteIsMarkedAndSaid() {
        sim.setIgnoreRouting(true)
        mouseClick(findChild(screen, "inTile1"))
        mouseClick(findChild(screen, "outTile2"))
        mouseClick(findChild(screen, "okButton"))
        compare(mark(2).state_, 1) // pending
        tryCompare(mark(2), "state_", 3, 10000)
        verify(findChild(mark(2), "routeOutline").visible)
        compare(bar.text, "Output 2 did not switch to Input 1")
        verify(bar.visible)
        sim.setIgnoreRouting(false)
    }

    function test_2_changeAtTheDeviceIsKeptOrRestored() {
        bar.dismiss()
        helper.routeAtDevice(3, 1)
        tryVerify(function () { return bar.mode === "changes" }, 5000)
        waitForRendering(bar) // the bar's buttons are laid out
        compare(bar.text, "Changed at the device or by another controller: Output 3: Input 3 → Input 1")
        compare(mark(3).state_, 4)
        sim.clearReceived()
        mouseClick(findChild(bar, "noticeRestore"))
        tryVerify(function () { return sim.receivedLines().indexOf("SW 3 3") >= 0 }, 5000)
        tryCompare(mark(3), "state_", 2, 10000) // confirmed by the device's report
        verify(!bar.visible || bar.mode !== "changes")

        helper.routeAtDevice(4, 2)
        tryVerify(function () { return bar.mode === "changes" }, 5000)
        waitForRendering(bar) // the bar's buttons are laid out
        sim.clearReceived()
        mouseClick(findChild(bar, "noticeKeep"))
        compare(bar.mode, "")
        compare(mark(4).state_, 0)
        wait(0)
        compare(sim.receivedLines().filter(function (l) { return l.indexOf("SW") === 0 }), [])
    }

    function test_4_noRoutingFromAnEarlierLinkIsShown() {
        tryVerify(function () { return screen.routeRows.length > 0 })
        helper.disconnectNow()
        sim.setSilent(true) // a port with nothing answering behind it
        helper.connectToSim("DV-16")
        tryCompare(appContext, "isConnected", true, 10000)
        verify(appContext.sws.length > 0) // kept from the earlier link...
        compare(screen.routeRows.length, 0) // ...but not shown as this device's
        sim.setSilent(false)
        appContext.sendCmd_Ping()
        appContext.sendCmd_GetSW()
        tryVerify(function () { return screen.routeRows.length > 0 }, 10000)
    }

    function test_3_chineseTexts() {
        appContext.changeLangeuageZhCN(true)
        helper.routeAtDevice(1, 4)
        tryVerify(function () { return bar.mode === "changes" }, 5000)
        waitForRendering(bar) // the bar's buttons are laid out
        compare(bar.text, "已在设备上或由其他控制端更改：输出 1：输入 1 → 输入 4")
        compare(findChild(bar, "noticeKeep").text, "保留")
        mouseClick(findChild(bar, "noticeKeep"))
        appContext.changeLangeuageZhCN(false)
    }
}
}
