import QtQuick 2.15
import QtQuick.Window 2.15
import QtTest 1.2
import Tessaro 1.0
import "ui_util.js" as U

// The EDID summary panel and the question asked before a defective EDID goes out, on their
// own, with a real two-block EDID (a monitor with a CTA-861 extension).
TessaroTestCase {
    id: tc
    name: "EdidInspector"
    width: 1024
    height: 768

    readonly property string goodText: "00 ff ff ff ff ff ff 00 4c 2d 3a 0e 41 4a 52 30 1e 1c 01 03 80 46 27 78 2a 5f b1 a2 57 4f a2 28 0f 50 54 bf ef 80 71 4f 81 00 81 c0 81 80 95 00 a9 c0 b3 00 01 01 08 e8 00 30 f2 70 5a 80 b0 58 8a 00 b9 88 21 00 00 1e 00 00 00 fd 00 18 4b 1e 87 3c 00 0a 20 20 20 20 20 20 00 00 00 fc 00 55 33 32 48 38 35 78 0a 20 20 20 20 20 00 00 00 ff 00 48 54 4a 4b 37 30 30 32 30 39 0a 20 20 01 7f 02 03 34 f0 4d 61 12 03 13 04 20 22 1f 10 5f 60 5d 5e 23 09 07 07 83 01 00 00 6d 03 0c 00 20 00 b8 3c 20 00 60 01 02 03 67 d8 5d c4 01 78 80 03 e3 0f 01 04 02 3a 80 18 71 38 2d 40 58 2c 45 00 b9 88 21 00 00 1e 02 3a 80 d0 72 38 2d 40 10 2c 45 80 b9 88 21 00 00 1e 04 74 00 30 f2 70 5a 80 b0 58 8a 00 b9 88 21 00 00 1e 56 5e 00 a0 a0 a0 29 50 30 20 35 00 b9 88 21 00 00 1a 00 00 00 90"

    // The same EDID with the checksum byte of block 1 changed from 0x90 to 0xca.
    function badText() {
        return goodText.slice(0, goodText.length - 2) + "ca"
    }

    // Checksums right, but VIC 18 changed to 16, which the video data block lists already.
    function duplicateVicText() {
        return fixer.fixedText(goodText.replace("4d 61 12 03", "4d 61 10 03"))
    }

    // A third, empty block that the base block does not declare.
    function extraBlockText() {
        var zeros = []
        for (var i = 0; i < 128; ++i)
            zeros.push("00")
        return goodText + " " + zeros.join(" ")
    }

    EdidInspector {
        id: fixer
    }

    Component {
        id: summaryComponent
        Loader { source: "qrc:/EdidSummary.qml" }
    }
    // The dialog in a window of the panel's size, as it opens over the main window.
    Component {
        id: dialogComponent
        Window {
            property alias loader: dialogLoader
            width: 1024
            height: 768
            visible: true
            Loader { id: dialogLoader; source: "qrc:/EdidDefectDialog.qml" }
        }
    }
    Component {
        id: spyComponent
        SignalSpy { signalName: "chosen" }
    }

    function summaryTexts(summary) {
        var out = []
        for (var i = 0; i < summary.lines.length; ++i)
            out.push(summary.lines[i].text)
        return out
    }

    function makeSummary(text) {
        var loader = createTemporaryObject(summaryComponent, tc)
        tryCompare(loader, "status", Loader.Ready, 5000)
        loader.item.edidText = text
        return loader.item
    }

    function test_validSummary() {
        var s = makeSummary(goodText)
        compare(s.width, 260)
        verify(s.valid)
        var texts = summaryTexts(s)
        compare(texts[0], "EDID valid (256 bytes)")
        verify(texts.indexOf("Manufacturer: SAM, product code 3642") >= 0, texts)
        verify(texts.indexOf("Made in week 30 of 2018") >= 0, texts)
        verify(texts.indexOf("Name: U32H85x") >= 0, texts)
        verify(texts.indexOf("Serial number: 810699329") >= 0, texts)
        verify(texts.indexOf("Preferred: 3840x2160, 60 Hz, 594 MHz") >= 0, texts)
        verify(texts.indexOf("Range: 24-75 Hz V, 30-135 kHz H, 600 MHz") >= 0, texts)
        verify(texts.indexOf("Block 1 (0x02): checksum valid") >= 0, texts)
        verify(texts.indexOf("Audio: Linear PCM, 2 ch, 48 44.1 32 kHz") >= 0, texts)
        verify(texts.indexOf("Speakers: FL/FR - Front Left/Right") >= 0, texts)
        verify(texts.indexOf("HDMI: address 2.0.0.0 DC_36bit DC_30bit DC_Y444") >= 0, texts)
        verify(texts.indexOf("HDMI Forum: max TMDS 600 MHz") >= 0, texts)
        var list = U.find(s, "edidSummaryLines")
        verify(list !== null)
        compare(list.count, texts.length)
    }

    function test_summaryFollowsText() {
        var s = makeSummary("")
        verify(s.empty)
        compare(summaryTexts(s), ["No EDID"])
        s.edidText = badText()
        verify(!s.valid)
        var texts = summaryTexts(s)
        compare(texts[0], "EDID defective (256 bytes)")
        verify(texts.indexOf("Block 1 (0x02): checksum 0xca, expected 0x90") >= 0, texts)
        verify(s.lines[texts.indexOf("Block 1 (0x02): checksum 0xca, expected 0x90")].bad)
        s.edidText = goodText
        verify(s.valid)
    }

    function test_malformedText_data() {
        return [
            { tag: "odd digits", text: goodText.slice(1), line: "Odd number of hex digits" },
            { tag: "one byte", text: "00", line: "Length is not a multiple of 128 bytes" },
            { tag: "129 bytes", text: goodText.slice(0, 383) + " 00", line: "Length is not a multiple of 128 bytes" },
            { tag: "no hex", text: "xyz", line: "No EDID" },
        ]
    }

    function test_malformedText(data) {
        var s = makeSummary(data.text)
        verify(!s.valid)
        verify(summaryTexts(s).indexOf(data.line) >= 0, summaryTexts(s))
    }

    function makeDialog() {
        var win = createTemporaryObject(dialogComponent, tc)
        var loader = win.loader
        tryCompare(loader, "status", Loader.Ready, 5000)
        var spy = createTemporaryObject(spyComponent, tc, { target: loader.item })
        return { dialog: loader.item, spy: spy }
    }

    function test_validEdidIsNotQuestioned() {
        var d = makeDialog()
        verify(d.dialog.check(goodText, "write"))
        wait(0)
        verify(!d.dialog.visible)
        compare(d.spy.count, 0)
    }

    function test_answers_data() {
        return [
            { tag: "fix", button: "edidFix", choice: "fix", fixed: true },
            { tag: "continue", button: "edidContinue", choice: "continue", fixed: false },
            { tag: "cancel", button: "edidCancel", choice: "cancel", fixed: false },
        ]
    }

    function test_answers(data) {
        var d = makeDialog()
        verify(!d.dialog.check(badText(), "save"))
        tryCompare(d.dialog, "opened", true, 5000)
        var defect = U.find(d.dialog, "edidDefect0")
        verify(defect !== null)
        compare(defect.text, "• Block 1 has checksum 0xca, expected 0x90.")
        mouseClick(U.find(d.dialog, data.button))
        tryCompare(d.spy, "count", 1, 5000)
        compare(d.spy.signalArguments[0][0], data.choice)
        compare(d.spy.signalArguments[0][1], "save")
        compare(d.spy.signalArguments[0][2], data.fixed ? goodText : badText())
        tryCompare(d.dialog, "visible", false, 5000)
        wait(50)
        compare(d.spy.count, 1)
    }

    // Escape and any other way of closing without an answer.
    function test_closingWithoutAnswerCancels() {
        var d = makeDialog()
        verify(!d.dialog.check("00 ff", "write"))
        tryCompare(d.dialog, "opened", true, 5000)
        d.dialog.close()
        tryCompare(d.spy, "count", 1, 5000)
        compare(d.spy.signalArguments[0][0], "cancel")
    }

    // Defects a checksum fix cannot cure: shown in the summary and the question, where fixing
    // is not offered.
    function test_blockCountAndDuplicateVic_data() {
        return [
            { tag: "extra block", text: extraBlockText(), line: "Extension blocks: 1 declared, 2 present",
              defect: "• Extension blocks declared: 1, present: 2." },
            { tag: "duplicate VIC", text: duplicateVicText(), line: "VICs listed more than once: 16",
              defect: "• VICs listed more than once: 16." },
        ]
    }

    function test_blockCountAndDuplicateVic(data) {
        var s = makeSummary(data.text)
        verify(!s.valid)
        var texts = summaryTexts(s)
        var at = texts.indexOf(data.line)
        verify(at >= 0, texts)
        verify(s.lines[at].bad)

        var d = makeDialog()
        verify(!d.dialog.check(data.text, "write"))
        tryCompare(d.dialog, "opened", true, 5000)
        compare(U.find(d.dialog, "edidDefect0").text, data.defect)
        compare(U.find(d.dialog, "edidDefect1"), null)
        verify(!U.find(d.dialog, "edidFix").enable)
        mouseClick(U.find(d.dialog, "edidFix"))
        mouseClick(U.find(d.dialog, "edidCancel"))
        tryCompare(d.spy, "count", 1, 5000)
        compare(d.spy.signalArguments[0][0], "cancel")
    }

    function test_chineseTexts() {
        var s = makeSummary(goodText)
        var d = makeDialog()
        appContext.changeLangeuageZhCN(true)
        tryCompare(s.lines[0], "text", "EDID 有效（256 字节）", 5000)
        verify(!d.dialog.check(badText(), "write"))
        tryCompare(d.dialog, "opened", true, 5000)
        compare(U.find(d.dialog, "edidFix").text, "修正校验和并继续")
        compare(U.find(d.dialog, "edidDefect0").text, "• 块 1 的校验和为 0xca，应为 0x90。")
        mouseClick(U.find(d.dialog, "edidCancel"))
        tryCompare(d.spy, "count", 1, 5000)
        tryCompare(d.dialog, "visible", false, 5000)
        verify(!d.dialog.check(duplicateVicText(), "write"))
        tryCompare(d.dialog, "opened", true, 5000)
        compare(U.find(d.dialog, "edidDefect0").text, "• 重复列出的 VIC：16。")
        s.edidText = extraBlockText()
        verify(summaryTexts(s).indexOf("扩展块：声明 1 个，实际 2 个") >= 0, summaryTexts(s))
        mouseClick(U.find(d.dialog, "edidCancel"))
        tryCompare(d.spy, "count", 2, 5000)
    }

    function cleanup() {
        if (appContext.language)
            appContext.changeLangeuageZhCN(false)
    }
}
