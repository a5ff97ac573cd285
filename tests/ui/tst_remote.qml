import QtQuick 2.15
import QtTest 1.2

// Locks held by remote controllers on the switching screen, and the remote-control window.
Item {
    id: stage
    width: 1024
    height: 648

TessaroTestCase {
    id: tc
    name: "Remote"

    property var screen: null
    property var remoteWin: null
    property var notices: []

    SignalSpy {
        id: beepSpy
        target: appContext
        signalName: "beepChanged"
    }

    function initTestCase() {
        helper.disconnectNow()
        var component = Qt.createComponent("qrc:/TSwitch.qml")
        compare(component.status, Component.Ready, component.errorString())
        screen = component.createObject(stage)
        screen.notice.connect(function (text) { tc.notices.push(text) })
        beepSpy.clear()
        helper.connectToSim("DV-16")
        tryCompare(appContext, "mode", "DV-16", 5000)
        tryVerify(function () { return beepSpy.count > 0 }, 5000)
        screen.isActive = true
        waitForRendering(screen)
    }

    function cleanupTestCase() {
        helper.disconnectNow()
        if (remoteWin)
            remoteWin.close()
    }

    function tile(name) {
        var t = findChild(screen, name)
        verify(t, name)
        return t
    }

    function test_1_lockedOutputIsMarkedAndCannotBePicked() {
        helper.lockOutput(2, "router client 127.0.0.1:50412")
        tryVerify(function () { return findChild(tile("outTile2"), "lockMark").visible })
        verify(!findChild(tile("outTile1"), "lockMark").visible)
        mouseClick(tile("outTile2"))
        var dialog = findChild(screen, "lockDialog")
        tryVerify(function () { return dialog.opened })
        verify(!screen.selectedOutputs().includes(2))
        // Cancel has the focus: Enter keeps the lock.
        keyClick(Qt.Key_Return)
        tryVerify(function () { return !dialog.visible })
        verify(appContext.locks.isLocked(2))
    }

    function test_2_routingLeavesTheLockedOutputAndSaysSo() {
        sim.clearReceived()
        notices = []
        mouseClick(tile("inTile3"))
        mouseClick(findChild(screen, "oneToAllButton"))
        tryVerify(function () { return sim.receivedLines().indexOf("SW 3 1 3 4") >= 0 }, 5000)
        compare(notices.length, 1)
        verify(notices[0].indexOf("2") >= 0)
        notices = []
        mouseClick(findChild(screen, "oneToOneButton"))
        compare(notices.length, 1)
        wait(0)
        verify(sim.receivedLines().indexOf("SWOTO") < 0)
    }

    function test_3_forceOpenAfterConfirmation() {
        mouseClick(tile("outTile2"))
        var dialog = findChild(screen, "lockDialog")
        tryVerify(function () { return dialog.opened })
        mouseClick(findChild(dialog, "lockForceButton"))
        tryVerify(function () { return !appContext.locks.isLocked(2) })
        tryVerify(function () { return !findChild(tile("outTile2"), "lockMark").visible })
        mouseClick(tile("outTile2"))
        verify(screen.selectedOutputs().includes(2))
    }

    function test_4_remoteWindowStoresAndReportsTheListen() {
        var component = Qt.createComponent("qrc:/RemoteWindow.qml")
        compare(component.status, Component.Ready, component.errorString())
        remoteWin = component.createObject(null)
        remoteWin.open()
        var port = helper.freePort()
        findChild(remoteWin, "remoteEnable").checked = true
        findChild(remoteWin, "remoteAddress").text = "127.0.0.1"
        findChild(remoteWin, "remotePort").text = String(port)
        findChild(remoteWin, "remoteName").text = "Hall A"
        remoteWin.apply()
        tryVerify(function () { return remoteControl.listening })
        var status = findChild(remoteWin, "remoteStatus")
        compare(status.text, "Listening on 127.0.0.1:" + port)
        var stored = JSON.parse(helper.readSettingFile()).remoteControl
        compare(stored.enabled, true)
        compare(stored.port, port)
        compare(stored.friendlyName, "Hall A")

        var taken = helper.takenPort()
        findChild(remoteWin, "remotePort").text = String(taken)
        remoteWin.apply()
        verify(!remoteControl.listening)
        verify(status.text.indexOf("127.0.0.1:" + taken) >= 0, status.text)
        verify(status.text.indexOf("in use") >= 0, status.text)
        findChild(remoteWin, "remoteEnable").checked = false
        remoteWin.apply()
        compare(status.text, "Off")
        appContext.changeLangeuageZhCN(true)
        compare(status.text, "已关闭")
        compare(remoteWin.title, "远程控制")
        appContext.changeLangeuageZhCN(false)
    }
}
}
