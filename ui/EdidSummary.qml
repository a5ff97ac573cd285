import QtQuick 2.15
import QtQuick.Controls 2.15
import Tessaro 1.0

// A compact, read-only summary of the EDID text it is given (two hex digits per byte), meant
// to sit beside the EDID hex area. Defects are shown in red.
Rectangle {
    id: root
    objectName: "edidSummary"
    width: 260
    height: 360
    color: "#F7F9FC"
    border.color: "#C9D3E0"
    radius: 4

    property string edidText: ""
    readonly property var summary: inspector.summary
    readonly property bool valid: inspector.valid
    readonly property bool empty: inspector.empty
    readonly property alias lines: list.model

    EdidInspector {
        id: inspector
        text: root.edidText
    }

    function hex(n) {
        return "0x" + (n < 16 ? "0" : "") + n.toString(16)
    }

    function line(text, bad) {
        return { "text": text, "bad": bad === true }
    }

    function buildLines(s) {
        var out = []
        if (!s || s.size === 0)
            return [line(qsTr("No EDID"), false)]
        out.push(line(s.valid ? qsTr("EDID valid (%1 bytes)").arg(s.size)
                              : qsTr("EDID defective (%1 bytes)").arg(s.size), !s.valid))
        if (s.odd_digits)
            out.push(line(qsTr("Odd number of hex digits"), true))
        if (!s.length_ok)
            out.push(line(qsTr("Length is not a multiple of 128 bytes"), true))
        if (s.manufacturer !== null) {
            out.push(line(s.header_ok ? qsTr("Header: valid") : qsTr("Header: invalid"), !s.header_ok))
            out.push(line(qsTr("Manufacturer: %1, product code %2").arg(s.manufacturer).arg(s.product_code)))
            if (s.serial_number !== null)
                out.push(line(qsTr("Serial number: %1").arg(String(s.serial_number))))
            out.push(line(s.week !== null ? qsTr("Made in week %1 of %2").arg(s.week).arg(s.year)
                                          : qsTr("Made in %1").arg(s.year)))
            out.push(line(qsTr("EDID %1, %2").arg(s.edid_version).arg(s.digital ? qsTr("digital") : qsTr("analog"))))
        }
        if (s.monitor_name !== null)
            out.push(line(qsTr("Name: %1").arg(s.monitor_name)))
        if (s.monitor_serial !== null)
            out.push(line(qsTr("Serial text: %1").arg(s.monitor_serial)))
        var t = s.preferred_timing
        if (t !== null)
            out.push(line(qsTr("Preferred: %1x%2, %3 Hz, %4 MHz").arg(t.h_active).arg(t.v_active)
                          .arg(t.refresh_hz).arg(t.pixel_clock_mhz)))
        var r = s.range_limits
        if (r !== null)
            out.push(line(qsTr("Range: %1-%2 Hz V, %3-%4 kHz H, %5 MHz").arg(r.v_min_hz).arg(r.v_max_hz)
                          .arg(r.h_min_khz).arg(r.h_max_khz).arg(r.max_pixel_clock_mhz)))
        if (s.extension_count !== null)
            out.push(s.extension_count_ok ? line(qsTr("Extension blocks: %1").arg(s.extension_count))
                                          : line(qsTr("Extension blocks: %1 declared, %2 present")
                                                 .arg(s.extension_count).arg(s.blocks.length - 1), true))
        for (var i = 0; i < s.blocks.length; ++i) {
            var b = s.blocks[i]
            out.push(b.checksum_ok ? line(qsTr("Block %1 (%2): checksum valid").arg(b.index).arg(b.tag))
                                   : line(qsTr("Block %1 (%2): checksum %3, expected %4").arg(b.index).arg(b.tag)
                                          .arg(b.checksum_found).arg(b.checksum_expected), true))
        }
        var c = s.cta
        if (c !== null) {
            out.push(line(qsTr("CTA-861 revision %1").arg(c.revision)))
            for (var a = 0; a < c.audio.length; ++a)
                out.push(line(qsTr("Audio: %1, %2 ch, %3 kHz").arg(c.audio[a].format).arg(c.audio[a].max_channels)
                              .arg(c.audio[a].sample_rates_khz.join(" "))))
            if (c.speaker_allocation !== null)
                out.push(line(qsTr("Speakers: %1").arg(c.speaker_allocation)))
            if (c.vics.length > 0) {
                var v = []
                for (var k = 0; k < c.vics.length; ++k)
                    v.push(c.vics[k].vic + (c.vics[k].native ? "*" : ""))
                out.push(line(qsTr("VICs (* native): %1").arg(v.join(" "))))
            }
            if (s.duplicate_vics.length > 0)
                out.push(line(qsTr("VICs listed more than once: %1").arg(s.duplicate_vics.join(" ")), true))
            if (c.hdmi_vsdb !== null)
                out.push(line(qsTr("HDMI: address %1 %2").arg(c.hdmi_vsdb.physical_address)
                              .arg(c.hdmi_vsdb.deep_color.join(" "))))
            if (c.hf_vsdb_max_tmds_mhz !== null)
                out.push(line(qsTr("HDMI Forum: max TMDS %1 MHz").arg(c.hf_vsdb_max_tmds_mhz)))
        }
        return out
    }

    ListView {
        id: list
        objectName: "edidSummaryLines"
        anchors.fill: parent
        anchors.margins: 6
        clip: true
        spacing: 2
        model: root.buildLines(root.summary)
        ScrollBar.vertical: ScrollBar {}
        delegate: Text {
            width: list.width - 8
            text: modelData.text
            color: modelData.bad ? "#C62828" : "#1F2D3D"
            font.pixelSize: 12
            font.bold: index === 0
            font.family: "Microsoft Yahei"
            wrapMode: Text.Wrap
        }
    }
}
