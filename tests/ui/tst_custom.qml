import QtQuick 2.15
import QtTest 1.2
import "ui_util.js" as Util

// Custom settings screen against the simulator: the LCD lines behind the access code,
// and the board settings of a board model (16 inputs, 16 outputs).
Item {
    id: stage
    width: 1024
    height: 648

    TessaroTestCase {
        id: tc
        name: "Custom"

        property var screen: null

        SignalSpy {
            id: beepSpy
            target: appContext
            signalName: "beepChanged"
        }
        SignalSpy {
            id: errorSpy
            signalName: "aboutToShow"
        }
        SignalSpy {
            id: infoSpy
            target: appContext
            signalName: "inputOutputInfosChanged"
        }

        function initTestCase() {
            helper.disconnectNow()
            appContext.serviceType = ""
            appContext.serviceNum = ""
            var component = Qt.createComponent("qrc:/CustomSetting.qml")
            compare(component.status, Component.Ready, component.errorString())
            screen = component.createObject(stage)
            verify(screen)
            waitForRendering(screen)
            beepSpy.clear()
            helper.connectToSim("DV-42")
            tryCompare(appContext, "mode", "DV-42", 5000)
            tryVerify(function () { return beepSpy.count > 0 }, 5000)
            screen.isActive = true
        }

        function cleanupTestCase() {
            helper.disconnectNow()
            if (screen)
                screen.destroy()
        }

        function init() {
            sim.clearReceived()
        }

        function item(name) {
            var it = Util.find(screen, name)
            verify(it, name)
            return it
        }
        // "GetSW" always goes out; once it is in, every earlier command has arrived.
        function linesBeforeMarker() {
            appContext.sendCmd_GetSW()
            tryVerify(function () { return sim.receivedLines().indexOf("GetSW") >= 0 }, 5000)
            var lines = sim.receivedLines()
            return lines.slice(0, lines.indexOf("GetSW"))
        }
        function typeCode(text) {
            var field = item("codeField")
            field.forceActiveFocus()
            for (var i = 0; i < text.length; ++i)
                keyClick(text[i])
        }
        function openDialog() {
            mouseClick(item("writeButton"))
            tryCompare(item("codeDialog"), "opened", true, 5000)
        }
        // Picks row of a half's board list as the operator does, and waits for the report.
        function pickBoard(half, row) {
            var choice = item(half + "Channel")
            infoSpy.clear()
            choice.currentIndex = row
            choice.activated(row)
            infoSpy.wait(5000)
        }
        function report(json) {
            infoSpy.clear()
            sim.sendLine("GetReadRXTXInfo " + JSON.stringify(json))
            infoSpy.wait(5000)
        }

        function test_1_lcdLinesReadAndEdit() {
            compare(item("firstLine").text, "", "nothing before the device reports")
            compare(item("secondLine").text, "")
            mouseClick(item("readButton"))
            tryCompare(item("firstLine"), "text", "TCP", 5000)
            tryCompare(item("secondLine"), "text", "8080", 5000)
            var lines = linesBeforeMarker()
            compare(lines, ["GetServiceType", "GetServiceNum"])
            // Typing goes into the property only.
            sim.clearReceived()
            var field = item("firstLine")
            field.forceActiveFocus()
            field.selectAll()
            keyClick("U")
            keyClick("D")
            keyClick("P")
            compare(appContext.serviceType, "UDP")
            compare(linesBeforeMarker(), [])
        }

        function test_2_wrongCodeTwiceSendsNothing() {
            var box = item("codeErrorBox")
            errorSpy.target = box
            errorSpy.clear()
            openDialog()
            typeCode("123456")
            mouseClick(item("codeOk"))
            tryCompare(box, "opened", true, 5000)
            compare(item("codeErrorText").text, "Wrong password, please try again")
            verify(item("codeDialog").visible, "the code dialog stays")
            mouseClick(item("codeErrorOk"))
            tryCompare(box, "visible", false, 5000)
            mouseClick(item("codeOk"))
            tryCompare(box, "opened", true, 5000)
            compare(errorSpy.count, 2)
            mouseClick(item("codeErrorOk"))
            tryCompare(box, "visible", false, 5000)
            compare(item("codeField").text, "123456", "the typed code stays")
            // Cancel keeps it for the next opening.
            mouseClick(item("codeCancel"))
            tryCompare(item("codeDialog"), "visible", false, 5000)
            openDialog()
            compare(item("codeField").text, "123456")
            compare(item("codeField").echoMode, TextInput.Password)
            mouseClick(item("codeCancel"))
            tryCompare(item("codeDialog"), "visible", false, 5000)
            compare(linesBeforeMarker().filter(function (l) { return l.indexOf("SetService") === 0 }), [])
        }

        function test_3_rightCodeSendsBothLines() {
            appContext.serviceType = "Hall A"
            appContext.serviceNum = "Desk 2"
            openDialog()
            item("codeField").text = ""
            typeCode("739015")
            mouseClick(item("codeOk"))
            tryCompare(item("codeDialog"), "visible", false, 5000)
            compare(item("codeField").text, "", "the code is cleared")
            compare(linesBeforeMarker().filter(function (l) { return l.indexOf("SetService") === 0 }),
                    ["SetServiceType Hall A", "SetServiceNum Desk 2"])
            // A code that only starts right is wrong.
            openDialog()
            typeCode("7390150")
            mouseClick(item("codeOk"))
            tryCompare(item("codeErrorBox"), "opened", true, 5000)
            mouseClick(item("codeErrorOk"))
            mouseClick(item("codeCancel"))
        }

        function test_4_outputBoardsNumberedAfterInputs() {
            var choice = item("outputBoardChannel")
            compare(choice.count, 16)
            compare(choice.textAt(0), "1")
            compare(choice.textAt(15), "16")
            pickBoard("outputBoard", 0)
            compare(linesBeforeMarker(), ["ReadRXTXInfo 17"])
            sim.clearReceived()
            pickBoard("outputBoard", 15)
            compare(linesBeforeMarker(), ["ReadRXTXInfo 32"])
            compare(item("outputBoardVersionOut").text, "V2.1")
            compare(item("inputBoardChannel").textAt(0), "1")
        }

        function test_5_resolutionSendsTableValue() {
            pickBoard("inputBoard", 0)
            sim.clearReceived()
            var choice = item("inputBoardResolution")
            compare(choice.currentText, "1080P")
            choice.currentIndex = choice.find("1920*1200")
            compare(linesBeforeMarker(), ["SetRXTXResolution 1 12"])
            // Stored as sent; the device's report of the board follows.
            compare(Number(appContext.inputOutputInfos["1"]["OutResolution"]), 12)
            // The same row again sends nothing.
            sim.clearReceived()
            choice.currentIndex = choice.find("480P")
            choice.currentIndex = choice.find("480P")
            compare(linesBeforeMarker(), ["SetRXTXResolution 1 1"])
        }

        function test_6_refillSendsNothing() {
            pickBoard("inputBoard", 1)
            sim.clearReceived()
            report({ "BoardID": "2", "Brt": "77", "Contrs": "12", "Sharp": "3", "TempR": "200", "TempG": "0",
                     "TempB": "9", "OutResolution": "9", "AudioSelect": "1", "InputResolution": "720P",
                     "BoardVersion": "V9" })
            compare(item("inputBoardBrtSlider").value, 77)
            compare(item("inputBoardBrtValue").text, "77")
            compare(item("inputBoardTempRSlider").value, 200)
            compare(item("inputBoardResolution").currentText, "1600*900")
            compare(item("inputBoardAudio").currentIndex, 1)
            compare(item("inputBoardInputResolution").text, "720P")
            compare(item("inputBoardVersion").text, "V9")
            compare(linesBeforeMarker(), [])
        }

        function test_7_unknownResolutionAndMissingMembers() {
            pickBoard("inputBoard", 2)
            report({ "BoardID": "3", "OutResolution": "4", "TempG": "55" })
            compare(item("inputBoardResolution").currentText, "720P")
            compare(item("inputBoardTempGSlider").value, 55)
            sim.clearReceived()
            report({ "BoardID": "3", "OutResolution": "10", "Brt": "5" })
            compare(item("inputBoardResolution").currentText, "720P", "10 is no table value")
            compare(item("inputBoardTempGSlider").value, 0, "no TempG shows 0")
            compare(item("inputBoardInputResolution").text, "")
            compare(linesBeforeMarker(), [])
        }

        function test_8_sliderSendsDistinctValuesAndStores() {
            pickBoard("outputBoard", 1) // board 18
            sim.clearReceived()
            var slider = item("outputBoardContrsSlider")
            var start = slider.value
            slider.value = start === 40 ? 41 : 40
            var sent = slider.value
            slider.value = sent
            compare(linesBeforeMarker(), ["SetRXTXCtrst 18 " + sent])
            compare(Number(appContext.inputOutputInfos["18"]["Contrs"]), sent)
            // The device's answer to the change agrees and so sends nothing more.
            sim.clearReceived()
            compare(linesBeforeMarker(), [])
            // Dragged with the mouse, the slider sends what it passes.
            sim.clearReceived()
            var y = slider.height / 2
            mousePress(slider, slider.leftPadding + 1, y)
            mouseMove(slider, slider.width / 2, y, -1, Qt.LeftButton)
            mouseRelease(slider, slider.width / 2, y)
            var lines = linesBeforeMarker()
            verify(lines.length >= 1, lines)
            compare(lines[lines.length - 1], "SetRXTXCtrst 18 " + Math.trunc(slider.value))
        }

        function test_9_resetNeedsABoard() {
            // A fresh screen has no board chosen.
            var component = Qt.createComponent("qrc:/CustomSetting.qml")
            var fresh = component.createObject(stage, { "visible": false })
            fresh.isActive = true
            var reset = Util.find(fresh, "inputBoardReset")
            verify(reset)
            fresh.visible = true
            screen.visible = false
            mouseClick(reset)
            mouseClick(Util.find(fresh, "outputBoardReset"))
            compare(linesBeforeMarker(), [])
            fresh.destroy()
            screen.visible = true
            sim.clearReceived()
            pickBoard("inputBoard", 3)
            sim.clearReceived()
            mouseClick(item("inputBoardReset"))
            compare(linesBeforeMarker(), ["RXTXReset 4"])
        }

        function test_10_audioSendsItsRow() {
            pickBoard("inputBoard", 4)
            var audio = item("inputBoardAudio")
            var other = audio.currentIndex === 1 ? 0 : 1
            sim.clearReceived()
            audio.currentIndex = other
            compare(linesBeforeMarker(), ["SetRXTXAudioSelect 5 " + other])
            compare(appContext.inputOutputInfos["5"]["AudioSelect"], String(other))
        }

        function test_11_boardAreaOnlyForBoardModels() {
            verify(item("boardArea").visible)
            sim.model = "DV-01"
            sim.sendLine("DV-01")
            tryCompare(appContext, "mode", "DV-01", 5000)
            verify(!item("boardArea").visible)
            sim.model = "DV-42"
            sim.sendLine("DV-42")
            tryCompare(appContext, "mode", "DV-42", 5000)
        }
    }
}
