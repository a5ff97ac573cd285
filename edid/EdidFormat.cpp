// The decoded summary as JSON and as text.
#include "EdidInternal.h"

#include <cmath>
#include <cstdio>
#include <sstream>

namespace edid {

std::string detail::hexByte(uint8_t value)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02x", value);
    return buf;
}

namespace {

// Descriptor bytes are read as Latin-1; control characters are escaped.
std::string jsonString(const std::string &s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20 || c == 0x7f) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else if (c >= 0x80) {
            out += char(0xc0 | (c >> 6));
            out += char(0x80 | (c & 0x3f));
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

// Shortest plain form with at most `decimals` decimals: 60, 59.94, 148.5.
std::string number(double v, int decimals = 3)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    std::string s = buf;
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    if (s == "-0")
        s = "0";
    return s;
}

std::string optText(const std::optional<std::string> &s)
{
    return s ? jsonString(*s) : "null";
}

std::string joinStrings(const std::vector<std::string> &items)
{
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i ? ", " : "") + jsonString(items[i]);
    return out + "]";
}

std::string ctaJson(const Cta &c)
{
    std::string out = "{\"revision\": " + std::to_string(c.revision) + ", \"audio\": [";
    for (std::size_t i = 0; i < c.audio.size(); ++i) {
        const auto &a = c.audio[i];
        out += i ? ", " : "";
        out += "{\"format\": " + jsonString(a.format) +
               ", \"max_channels\": " + std::to_string(a.maxChannels) + ", \"sample_rates_khz\": [";
        for (std::size_t k = 0; k < a.sampleRatesKHz.size(); ++k)
            out += (k ? ", " : "") + number(a.sampleRatesKHz[k], 1);
        out += "]}";
    }
    out += "], \"speaker_allocation\": " + optText(c.speakerAllocation) + ", \"vics\": [";
    for (std::size_t i = 0; i < c.vics.size(); ++i)
        out += std::string(i ? ", " : "") + "{\"vic\": " + std::to_string(c.vics[i].vic) +
               ", \"native\": " + (c.vics[i].native ? "true" : "false") + "}";
    out += "], \"hdmi_vsdb\": ";
    if (c.hdmi)
        out += "{\"physical_address\": " + jsonString(c.hdmi->physicalAddress) +
               ", \"deep_color\": " + joinStrings(c.hdmi->deepColor) + "}";
    else
        out += "null";
    out += ", \"hf_vsdb_max_tmds_mhz\": " + (c.hfMaxTmdsMHz ? std::to_string(*c.hfMaxTmdsMHz) : "null");
    return out + "}";
}

// "16 1920x1080p60 16:9", "5 1920x1080i60 16:9 native", "220 unknown".
std::string vicText(const Vic &v)
{
    std::string out = std::to_string(v.vic);
    if (const VideoFormat *f = videoFormat(v.vic))
        out += " " + std::to_string(f->hActive) + "x" + std::to_string(f->vActive) +
               (f->interlaced ? "i" : "p") + number(f->refreshHz, 2) + " " + f->aspect;
    else
        out += " unknown";
    return v.native ? out + " native" : out;
}

std::string versionText(const Info &i)
{
    return std::to_string(i.versionMajor) + "." + std::to_string(i.versionMinor);
}

bool hasWeek(const Info &i)
{
    return i.week != 0 && i.week != 0xff;
}

} // namespace

std::string toJson(const Info &i)
{
    const bool b = i.hasBase;
    std::string out = "{";
    out += "\"manufacturer\": " + (b ? jsonString(i.manufacturer) : "null");
    out += ", \"product_code\": " + (b ? std::to_string(i.productCode) : "null");
    out += ", \"serial_number\": " + (b && i.serialNumber ? std::to_string(i.serialNumber) : "null");
    out += ", \"week\": " + (b && hasWeek(i) ? std::to_string(i.week) : "null");
    out += ", \"year\": " + (b ? std::to_string(i.year) : "null");
    out += ", \"edid_version\": " + (b ? jsonString(versionText(i)) : "null");
    out += ", \"digital\": " + std::string(b ? (i.digital ? "true" : "false") : "null");
    out += ", \"monitor_name\": " + optText(i.monitorName);
    out += ", \"monitor_serial\": " + optText(i.monitorSerial);
    out += ", \"preferred_timing\": ";
    if (const auto &t = i.preferredTiming)
        out += "{\"h_active\": " + std::to_string(t->hActive) +
               ", \"v_active\": " + std::to_string(t->vActive) + ", \"refresh_hz\": " + number(t->refreshHz) +
               ", \"pixel_clock_mhz\": " + number(t->pixelClockMHz, 2) + "}";
    else
        out += "null";
    out += ", \"range_limits\": ";
    if (const auto &r = i.rangeLimits)
        out += "{\"v_min_hz\": " + std::to_string(r->vMinHz) +
               ", \"v_max_hz\": " + std::to_string(r->vMaxHz) +
               ", \"h_min_khz\": " + std::to_string(r->hMinKHz) +
               ", \"h_max_khz\": " + std::to_string(r->hMaxKHz) + ", \"max_pixel_clock_mhz\": " +
               (r->maxPixelClockMHz ? std::to_string(r->maxPixelClockMHz) : std::string("null")) + "}";
    else
        out += "null";
    out += ", \"extension_count\": " + (b ? std::to_string(i.extensionCount) : "null");
    out += ", \"blocks\": [";
    for (std::size_t k = 0; k < i.blocks.size(); ++k) {
        const auto &c = i.blocks[k];
        out += std::string(k ? ", " : "") + "{\"index\": " + std::to_string(c.index) +
               ", \"tag\": " + jsonString(detail::hexByte(c.tag)) +
               ", \"checksum_ok\": " + (c.ok ? "true" : "false") +
               ", \"checksum_found\": " + jsonString(detail::hexByte(c.found)) +
               ", \"checksum_expected\": " + jsonString(detail::hexByte(c.expected)) + "}";
    }
    out += "], \"cta\": " + (i.cta ? ctaJson(*i.cta) : "null");
    out += ", \"valid\": " + std::string(i.valid() ? "true" : "false");
    out += ", \"defects\": " + joinStrings(i.defects());
    return out + "}";
}

std::string toText(const Info &i)
{
    std::ostringstream o;
    o << "EDID: " << i.size << " bytes, " << (i.valid() ? "valid" : "DEFECTIVE") << "\n";
    for (const auto &d : i.defects())
        o << "  defect: " << d << "\n";
    if (i.hasBase) {
        o << "Header: " << (i.headerOk ? "valid" : "invalid") << "\n";
        o << "Manufacturer: " << i.manufacturer << ", product code " << i.productCode << "\n";
        if (i.serialNumber)
            o << "Serial number: " << i.serialNumber << "\n";
        if (hasWeek(i))
            o << "Made in: week " << i.week << " of " << i.year << "\n";
        else
            o << (i.week == 0xff ? "Model year: " : "Made in: ") << i.year << "\n";
        o << "EDID version: " << versionText(i) << ", " << (i.digital ? "digital" : "analog") << "\n";
        if (i.monitorName)
            o << "Monitor name: " << *i.monitorName << "\n";
        if (i.monitorSerial)
            o << "Monitor serial: " << *i.monitorSerial << "\n";
        if (const auto &t = i.preferredTiming)
            o << "Preferred timing: " << t->hActive << "x" << t->vActive << (t->interlaced ? "i" : "") << " "
              << number(t->refreshHz) << " Hz, " << number(t->pixelClockMHz, 2) << " MHz\n";
        if (const auto &r = i.rangeLimits) {
            o << "Range limits: " << r->vMinHz << "-" << r->vMaxHz << " Hz V, " << r->hMinKHz << "-"
              << r->hMaxKHz << " kHz H";
            if (r->maxPixelClockMHz)
                o << ", max pixel clock " << r->maxPixelClockMHz << " MHz";
            o << "\n";
        }
        o << "Extension blocks: " << i.extensionCount << "\n";
    }
    for (const auto &c : i.blocks) {
        o << "Block " << c.index << " (tag " << detail::hexByte(c.tag) << "): checksum ";
        if (c.ok)
            o << "valid\n";
        else
            o << detail::hexByte(c.found) << ", expected " << detail::hexByte(c.expected) << "\n";
    }
    if (const auto &c = i.cta) {
        o << "CTA-861 (block " << c->blockIndex << "), revision " << c->revision << "\n";
        for (const auto &a : c->audio) {
            o << "  Audio: " << a.format << ", " << a.maxChannels << " ch,";
            for (double r : a.sampleRatesKHz)
                o << " " << number(r, 1);
            o << " kHz\n";
        }
        if (c->speakerAllocation)
            o << "  Speakers: " << *c->speakerAllocation << "\n";
        if (!c->vics.empty()) {
            o << "  VICs:\n";
            for (const auto &v : c->vics)
                o << "    " << vicText(v) << "\n";
        }
        if (c->hdmi) {
            o << "  HDMI: physical address " << c->hdmi->physicalAddress;
            for (const auto &d : c->hdmi->deepColor)
                o << " " << d;
            o << "\n";
        }
        if (c->hfMaxTmdsMHz)
            o << "  HDMI Forum: max TMDS " << *c->hfMaxTmdsMHz << " MHz\n";
    }
    return o.str();
}

} // namespace edid
