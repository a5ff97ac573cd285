import QtQuick 2.15
import QtTest 1.2
import "ui_util.js" as U

// Advanced screen against the simulator: what is sent, and what is not, when lists are
// built, replies arrive and the operator picks.
Item {
    id: stage
    width: 1024
    height: 648

    TessaroTestCase {
        id: tc
        name: "Advance"

        property var screen: null
        property var savedLink: null

        function initTestCase() {
            helper.disconnectNow()
            savedLink = { "type": appContext.connectType, "ip": appContext.currentIP }
            var component = Qt.createComponent("qrc:/Advance.qml")
            compare(component.status, Component.Ready, component.errorString())
            screen = component.createObject(stage)
            verify(screen)
            helper.connectToSim("DV-42")
            tryCompare(appContext, "isConnected", true, 5000)
            tryCompare(appContext, "mode", "DV-42", 5000)
            // The start-up queries are answered before any test looks at the lines.
            marker()
        }

        function cleanupTestCase() {
            dialog().close()
            helper.disconnectNow()
            if (screen)
                screen.destroy()
            // The link choice is left as the other screen tests found it.
            appContext.connectType = savedLink.type
            appContext.currentIP = savedLink.ip
        }

        // Every test starts from a quiet link.
        function init() {
            marker()
        }

        function choice(name) {
            var c = findChild(screen, name)
            verify(c, name)
            return c
        }
        function button(name) {
            var b = findChild(screen, name)
            verify(b, name)
            return b
        }
        function dialog() {
            return U.find(screen, "messageDialog")
        }
        function defectDialog() {
            return U.find(screen, "edidDefectDialog")
        }
        // As the operator's pick from the open list.
        function pick(name, index) {
            var c = choice(name)
            c.currentIndex = index
            c.activated(index)
        }
        // Sends a query nothing else sends and waits for it: every line before it is
        // what the screen sent since the last clear.
        function marker() {
            appContext.sendCmd_GetBeepEn()
            tryVerify(function () { return sim.receivedLines().indexOf("GetBeepEn") >= 0 }, 5000)
            var lines = sim.receivedLines()
            sim.clearReceived()
            return lines.slice(0, lines.indexOf("GetBeepEn"))
        }
        function waitForLine(line) {
            tryVerify(function () { return sim.receivedLines().indexOf(line) >= 0 }, 5000,
                      line + " in " + JSON.stringify(sim.receivedLines()))
        }
        // The device becomes another model and says so, as after a reconnection.
        // The panel greets a model reply with a beep; that line is waited for and
        // dropped, so that the next test sees only what the screen sends.
        function switchModel(model, inputs) {
            sim.model = model
            sim.clearReceived()
            sim.sendLine(model)
            tryCompare(appContext, "mode", model, 5000)
            compare(appContext.inChannels, inputs)
            waitForLine("BeepONOnce")
            marker()
        }
        function reopen() {
            screen.isActive = false
            screen.isActive = true
        }

        function test_01_firstActivationSendsNothing() {
            verify(screen.firstActivation)
            // Before the first activation only "Set EDID", "Output Setting" and the EDID
            // block of a DV-42 show.
            verify(findChild(screen, "subtitleBlock").visible)
            verify(!findChild(screen, "modeBlock").visible)
            compare(findChild(screen, "modeBlock").height, 0)
            sim.clearReceived()
            screen.isActive = true
            compare(marker(), [])
            verify(!screen.firstActivation)
            compare(choice("edidInputChoice").count, 16)
            compare(choice("edidChoice").count, 5 + 16 + 6)
            compare(choice("edidChoice").currentText, "USER1")
            compare(choice("rwEdidChoice").currentIndex, -1)
            compare(choice("outportChoice").currentIndex, -1)
            compare(choice("peChoice").currentIndex, -1)
            compare(choice("peChoice").model[5].title, "5(Default)")
            compare(choice("subtitleAlphaChoice").currentText, "Middle1")
            // Leaving and opening again with the same lists sends nothing either.
            reopen()
            compare(marker(), [])
        }

        function test_02_peReplyForAnotherOutput() {
            choice("outportChoice").currentIndex = 1
            waitForLine("GetOutPE 2")
            tryCompare(choice("peChoice"), "currentIndex", 0, 5000)
            sim.sendLine("OutPE 3 6")
            sim.sendLine("OutPE 2 6")
            tryCompare(choice("peChoice"), "currentIndex", 6, 5000)
            sim.sendLine("OutPE 3 2")
            compare(marker().filter(function (l) { return l.indexOf("SetOutPE") === 0 }), [])
            compare(choice("peChoice").currentIndex, 6)
            // The operator's choice is sent for the current output.
            pick("peChoice", 3)
            waitForLine("SetOutPE 2 3")
        }

        function test_03_edidWriteOnlyUser() {
            pick("rwEdidChoice", 4) // USER5 = 5 on DV-42
            appContext.currentEDIDStr = "00 ff 01"
            mouseClick(button("edidWriteButton"))
            // Three bytes are no EDID: the operator is asked first and sends it as it is.
            tryCompare(defectDialog(), "visible", true, 5000)
            mouseClick(U.find(defectDialog(), "edidContinue"))
            waitForLine("SetEDIDData 5 00 ff 01")
            pick("rwEdidChoice", 5) // OUTPORT1
            mouseClick(button("edidWriteButton"))
            verify(dialog().visible)
            compare(dialog().title, "Message")
            compare(dialog().text, "EDID can only be written to USER1-USER5")
            dialog().accept()
            tryCompare(dialog(), "visible", false, 5000)
            compare(marker().filter(function (l) { return l.indexOf("SetEDIDData") === 0 }),
                    ["SetEDIDData 5 00 ff 01"])
        }

        // The area shows the EDID 16 bytes a line; the text itself stays one line.
        function shown(text) {
            var bytes = text.split(" ")
            var lines = []
            for (var i = 0; i < bytes.length; i += 16)
                lines.push(bytes.slice(i, i + 16).join(" "))
            return lines.join("\n")
        }

        function test_04_readEmptiesAreaFirst() {
            pick("rwEdidChoice", 2)
            appContext.currentEDIDStr = "12 34"
            var area = findChild(screen, "edidArea")
            compare(area.text, "12 34")
            mouseClick(button("edidReadButton"))
            compare(area.text, "")
            compare(appContext.currentEDIDStr, "")
            tryCompare(area, "length", 767, 5000)
            var lines = area.text.split("\n")
            compare(lines.length, 16)
            for (var i = 0; i < lines.length; ++i)
                verify(/^[0-9a-f]{2}( [0-9a-f]{2}){15}$/.test(lines[i]), lines[i])
            compare(lines.join(" "), appContext.currentEDIDStr)
            verify(appContext.currentEDIDStr.indexOf("\n") < 0)
            // Lines are never wrapped: a byte is never split across two lines.
            compare(area.lineCount, 16)
        }

        function test_05_loadAndSave() {
            var edid = appContext.currentEDIDStr
            compare(edid.length, 767)
            var url = helper.workFileUrl("edid.bin")
            screen.saveEdidTo(url)
            compare(dialog().text, "Save successful")
            dialog().close()
            compare(helper.fileSize(url), 256)
            appContext.currentEDIDStr = ""
            screen.loadEdidFrom(url)
            compare(dialog().text, "Load successful")
            compare(findChild(screen, "edidArea").text, shown(edid))
            dialog().close()

            var bad = helper.workFileUrl("no-such-folder/edid.bin")
            screen.saveEdidTo(bad)
            verify(dialog().visible)
            verify(dialog().text.indexOf("Save failed") === 0, dialog().text)
            verify(dialog().text.indexOf("no-such-folder/edid.bin") > 0, dialog().text)
            verify(!helper.fileExists(bad))
            dialog().close()
            compare(findChild(screen, "edidArea").text, shown(edid))

            screen.loadEdidFrom(helper.workFileUrl("missing.bin"))
            verify(dialog().text.indexOf("Load failed") === 0, dialog().text)
            dialog().close()
        }

        // The file dialogs are made the first time they open, titled in the language shown
        // then, and a chosen file goes the same way as above.
        function test_05c_fileDialogs() {
            verify(!screen.loadDialog && !screen.saveDialog)
            var edid = appContext.currentEDIDStr
            screen.openSaveDialog()
            var save = screen.saveDialog
            tryCompare(save, "visible", true, 5000)
            compare(save.title, "Save EDID")
            verify(!save.selectExisting)
            compare(save.nameFilters, ["EDID(*.bin)"])
            compare(String(save.folder), String(save.shortcuts.desktop))
            save.close()
            var url = helper.workFileUrl("chosen.bin")
            save.chosen(url)
            compare(dialog().text, "Save successful")
            dialog().close()
            compare(helper.fileSize(url), 256)

            appContext.currentEDIDStr = ""
            screen.loadEdid()
            var load = screen.loadDialog
            tryCompare(load, "visible", true, 5000)
            compare(load.title, "Read EDID")
            verify(load.selectExisting)
            load.close()
            load.chosen(url)
            compare(dialog().text, "Load successful")
            dialog().close()
            compare(appContext.currentEDIDStr, edid)

            appContext.changeLangeuageZhCN(true)
            screen.openSaveDialog()
            compare(screen.saveDialog, save)
            compare(save.title, "保存EDID")
            save.close()
            appContext.changeLangeuageZhCN(false)
            tryCompare(save, "visible", false, 5000)
            compare(marker(), [])
        }

        // A defective EDID is written or saved only after the operator's answer; a sound
        // one goes at once. "Fix" recomputes only the checksum bytes.
        function test_05b_defectiveEdidAsksFirst() {
            pick("rwEdidChoice", 0) // USER1 = 1 on DV-42
            mouseClick(button("edidReadButton"))
            // 256 bytes, both checksums right
            tryVerify(function () { return appContext.currentEDIDStr.length === 767 }, 5000)
            var good = appContext.currentEDIDStr
            marker()
            mouseClick(button("edidWriteButton"))
            waitForLine("SetEDIDData 1 " + good)
            verify(!defectDialog().visible)
            marker()

            // The last byte is block 1's checksum.
            var bad = good.slice(0, good.length - 2) + (good.slice(-2) === "00" ? "01" : "00")
            appContext.currentEDIDStr = bad
            mouseClick(button("edidWriteButton"))
            tryCompare(defectDialog(), "visible", true, 5000)
            verify(U.find(defectDialog(), "edidDefect0").text.indexOf("Block 1") >= 0)
            mouseClick(U.find(defectDialog(), "edidCancel"))
            tryCompare(defectDialog(), "visible", false, 5000)
            compare(appContext.currentEDIDStr, bad)
            compare(marker().filter(function (l) { return l.indexOf("SetEDIDData") === 0 }), [])

            mouseClick(button("edidSaveButton"))
            tryCompare(defectDialog(), "visible", true, 5000)
            mouseClick(U.find(defectDialog(), "edidCancel"))
            tryCompare(defectDialog(), "visible", false, 5000)
            verify(!screen.saveDialog || !screen.saveDialog.visible)

            mouseClick(button("edidWriteButton"))
            tryCompare(defectDialog(), "visible", true, 5000)
            mouseClick(U.find(defectDialog(), "edidFix"))
            waitForLine("SetEDIDData 1 " + good)
            compare(appContext.currentEDIDStr, good)
            compare(findChild(screen, "edidArea").text, shown(good))
        }

        function test_06_subtitles() {
            choice("subtitleInputChoice").currentIndex = 2
            pick("subtitleColorChoice", 3)
            pick("subtitleAlphaChoice", 2)
            findChild(screen, "subtitleText").text = "A B"
            mouseClick(button("subtitleOpenButton"))
            mouseClick(button("subtitleCloseButton"))
            compare(marker(), ["SetRXSubtitleTXTColor 3 3", "SetRXSubtitlecAlpha 3 63",
                               "SetRXSubtitleTXT 3 \\u0041\\u0020\\u0042", "SetRXSubtitleEnable 3 1",
                               "SetRXSubtitleEnable 3 0"])

            // Input 16, then a 4-input model before the lists are built again.
            choice("subtitleInputChoice").currentIndex = 15
            switchModel("DV-25", 4)
            sim.clearReceived()
            mouseClick(button("subtitleCloseButton"))
            verify(dialog().visible)
            compare(dialog().text, "No port selected")
            dialog().close()
            compare(marker(), [])
            switchModel("DV-42", 16)
            reopen()
            marker()
        }

        function test_07_splitterModes() {
            switchModel("DV-35", 4)
            verify(findChild(screen, "modeBlock").visible)
            reopen()
            marker()
            var splitter = choice("splitterModeChoice")
            var splice = choice("spliceModeChoice")
            var rotate = choice("rotateChoice")
            var audio = choice("splitterAudioChoice")
            var mirror = choice("mirrorChoice")
            verify(splitter.enabled && rotate.enabled && audio.enabled)
            verify(!splice.enabled && !mirror.enabled)

            // A reply moves the list but is never sent back.
            sim.sendLine("DisplayMode 1")
            tryCompare(choice("displayModeChoice"), "currentIndex", 1, 5000)
            verify(!splitter.enabled && !rotate.enabled && !audio.enabled)
            verify(splice.enabled && mirror.enabled)
            compare(marker(), [])

            pick("mirrorChoice", 10)
            compare(mirror.currentText, "3 V mirror")
            waitForLine("TXMirror 3 2")

            pick("displayModeChoice", 2)
            waitForLine("SetDisplayMode 2")
            verify(!splitter.enabled && !splice.enabled && !rotate.enabled && !audio.enabled && !mirror.enabled)
            pick("displayModeChoice", 3)
            waitForLine("SetDisplayMode 3")
            verify(!splitter.enabled && !splice.enabled && !rotate.enabled && !audio.enabled && !mirror.enabled)
            pick("displayModeChoice", 0)
            waitForLine("SetDisplayMode 0")
            verify(splitter.enabled && rotate.enabled && audio.enabled)

            // Splitter modes from 4 on have no rotation.
            pick("splitterModeChoice", 4)
            waitForLine("SetSplitterMode 4")
            verify(!rotate.enabled)
            marker()

            // A resolution reply that moves the list is sent back with the same value.
            var res = choice("resolutionChoice").currentIndex
            sim.sendLine("Resolution " + (res === 2 ? 1 : 2))
            waitForLine("SetResolution " + (res === 2 ? 1 : 2))
        }

        function test_08_splitterAudioSource() {
            // DV-35 has an audio input: "Output Setting" asks where each output's audio comes from.
            verify(choice("hdmiOrAnalogChoice").visible)
            choice("outportChoice").currentIndex = 2
            waitForLine("GetAudioHdmiOrAnalog 3")
            pick("hdmiOrAnalogChoice", 1)
            waitForLine("SetAudioHdmiOrAnalog 3 1")
            sim.sendLine("AudioSelHA 3 0")
            tryCompare(choice("hdmiOrAnalogChoice"), "currentIndex", 0, 5000)
            switchModel("DV-42", 16)
            reopen()
            marker()
        }

        function test_09_chinese() {
            appContext.changeLangeuageZhCN(true)
            reopen()
            marker()
            compare(findChild(screen, "edidBlock").title, "EDID读写")
            compare(choice("subtitleAlphaChoice").currentText, "不透明")
            pick("rwEdidChoice", 5)
            mouseClick(button("edidWriteButton"))
            compare(dialog().text, "EDID只能写入USER1-USER5")
            dialog().close()
            screen.saveEdidTo(helper.workFileUrl("no-such-folder/edid.bin"))
            verify(dialog().text.indexOf("保存失败") === 0, dialog().text)
            verify(dialog().text.indexOf("无法打开文件") > 0, dialog().text)
            dialog().close()
            appContext.changeLangeuageZhCN(false)
            reopen()
            compare(choice("subtitleAlphaChoice").currentText, "Full")
            compare(marker(), [])
        }

        function test_10_audioInsert() {
            switchModel("DV-14", 8)
            verify(findChild(screen, "audioBlock").visible)
            verify(!findChild(screen, "subtitleBlock").visible)
            reopen()
            marker()
            compare(choice("peChoice").model[4].title, "4(Default)")
            compare(choice("swingChoice").count, 16)
            choice("audioInputChoice").currentIndex = 2
            waitForLine("GetHDMIAudioInsert 3")
            sim.sendLine("GetHDMIAudioInsert 3 1")
            tryCompare(choice("audioChoice"), "currentIndex", 1, 5000)
            // A reply for another input is not shown; the operator's pick is sent once.
            sim.sendLine("GetHDMIAudioInsert 2 0")
            marker()
            compare(choice("audioChoice").currentIndex, 1)
            pick("audioChoice", 1)
            pick("audioChoice", 0)
            compare(marker(), ["HDMIAudioInsert 3 0"])
        }

        function test_11_outputResolution() {
            switchModel("DV-45", 16)
            verify(!findChild(screen, "outputSettingBlock").visible)
            verify(findChild(screen, "outportBlock").visible)
            verify(choice("edidAudioInputChoice").visible)
            reopen()
            marker()
            compare(choice("outportSettingChoice").currentIndex, -1)
            compare(choice("outportSettingChoice").model[0].value, 17)
            choice("outportSettingChoice").currentIndex = 1
            waitForLine("GetRXTXResolution 18")
            tryCompare(choice("outResChoice"), "currentIndex", 1, 5000)
            pick("outResChoice", 1) // already shown: nothing to send
            pick("outResChoice", 2)
            compare(marker(), ["GetRXTXResolution 18", "SetRXTXResolution 18 2"])
            // USER1 to USER5 are 1 to 5 on DV-45.
            pick("rwEdidChoice", 0)
            compare(choice("rwEdidChoice").value, 1)
            appContext.currentEDIDStr = "ab"
            mouseClick(button("edidWriteButton"))
            tryCompare(defectDialog(), "visible", true, 5000)
            mouseClick(U.find(defectDialog(), "edidContinue"))
            waitForLine("SetEDIDData 1 ab")

            // "Output Setting" stays hidden whatever model follows.
            switchModel("DV-01", 8)
            verify(!findChild(screen, "outputSettingBlock").visible)
            verify(findChild(screen, "outportBlock").visible)
            switchModel("DV-42", 16)
            reopen()
            marker()
        }
    }
}
