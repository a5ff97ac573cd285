// CTA-861 extension blocks: the data block collection between byte 4 and the offset of the
// first detailed timing (byte 2).
#include "EdidInternal.h"

#include <cstdio>

namespace edid::detail {

namespace {

std::string audioFormatName(int code, int extendedCode)
{
    switch (code) {
    case 1:
        return "Linear PCM";
    case 2:
        return "AC-3";
    case 3:
        return "MPEG 1 (Layers 1 & 2)";
    case 4:
        return "MPEG 1 Layer 3 (MP3)";
    case 5:
        return "MPEG2 (multichannel)";
    case 6:
        return "AAC LC";
    case 7:
        return "DTS";
    case 8:
        return "ATRAC";
    case 9:
        return "One Bit Audio";
    case 10:
        return "E-AC-3";
    case 11:
        return "DTS-HD";
    case 12:
        return "Dolby TrueHD";
    case 13:
        return "DST";
    case 14:
        return "WMA Pro";
    case 15:
        switch (extendedCode) {
        case 4:
            return "MPEG-4 HE AAC";
        case 5:
            return "MPEG-4 HE AAC v2";
        case 6:
            return "MPEG-4 AAC LC";
        case 7:
            return "DRA";
        case 8:
            return "MPEG-4 HE AAC + MPEG Surround";
        case 10:
            return "MPEG-4 AAC LC + MPEG Surround";
        case 11:
            return "MPEG-H 3D Audio";
        case 12:
            return "AC-4";
        case 13:
            return "L-PCM 3D Audio";
        case 1:
            return "HE AAC (Obsolete)";
        case 2:
            return "HE AAC v2 (Obsolete)";
        case 3:
            return "MPEG Surround (Obsolete)";
        default: {
            char buf[48];
            std::snprintf(buf, sizeof buf, "Unknown Audio Ext Format (0x%02x)", extendedCode);
            return buf;
        }
        }
    default:
        return "Reserved (0x00)";
    }
}

void audioBlock(const uint8_t *p, int len, Cta &cta)
{
    static const double rates[7] = {32, 44.1, 48, 88.2, 96, 176.4, 192};
    if (len % 3 != 0)
        return; // not a list of 3-byte descriptors: nothing in it can be trusted
    for (int i = 0; i + 3 <= len; i += 3) {
        AudioFormat a;
        const int code = (p[i] >> 3) & 0x0f;
        a.format = audioFormatName(code, p[i + 2] >> 3);
        a.maxChannels = (p[i] & 0x07) + 1;
        for (int bit = 6; bit >= 0; --bit)
            if (p[i + 1] & (1 << bit))
                a.sampleRatesKHz.push_back(rates[bit]);
        cta.audio.push_back(a);
    }
}

void videoBlock(const uint8_t *p, int len, std::vector<Vic> &vics)
{
    for (int i = 0; i < len; ++i) {
        const int svd = p[i];
        if ((svd & 0x7f) == 0)
            continue; // 0 and 128 name no format
        Vic v;
        // Codes 129..192 are VICs 1..64 marked native; from 193 on the byte is the VIC itself.
        if ((svd & 0x80) && (svd & 0x7f) >= 1 && (svd & 0x7f) <= 64) {
            v.vic = svd & 0x7f;
            v.native = true;
        } else {
            v.vic = svd;
        }
        vics.push_back(v);
    }
}

std::string speakerAllocation(const uint8_t *p, int len)
{
    static const char *const names[3][8] = {
        {"FL/FR - Front Left/Right", "LFE1 - Low Frequency Effects 1", "FC - Front Center",
         "BL/BR - Back Left/Right", "BC - Back Center", "FLc/FRc - Front Left/Right of Center",
         "RLC/RRC - Rear Left/Right of Center (Deprecated)", "FLw/FRw - Front Left/Right Wide"},
        {"TpFL/TpFR - Top Front Left/Right", "TpC - Top Center", "TpFC - Top Front Center",
         "LS/RS - Left/Right Surround", "LFE2 - Low Frequency Effects 2", "TpBC - Top Back Center",
         "SiL/SiR - Side Left/Right", "TpSiL/TpSiR - Top Side Left/Right"},
        {"TpBL/TpBR - Top Back Left/Right", "BtFC - Bottom Front Center",
         "BtFL/BtFR - Bottom Front Left/Right",
         "TpLS/TpRS - Top Left/Right Surround (Deprecated for CTA-861)",
         "LSd/RSd - Left/Right Surround Direct (HDMI only)", nullptr, nullptr, nullptr},
    };
    std::string out;
    for (int byte = 0; byte < 3 && byte < len; ++byte)
        for (int bit = 0; bit < 8; ++bit)
            if ((p[byte] & (1 << bit)) && names[byte][bit]) {
                if (!out.empty())
                    out += ", ";
                out += names[byte][bit];
            }
    return out;
}

// p points at the OUI, len counts the bytes from there.
void vendorBlock(const uint8_t *p, int len, Cta &cta)
{
    if (len < 3)
        return;
    const uint32_t oui = p[0] | (p[1] << 8) | (p[2] << 16);
    if (oui == 0x000c03 && !cta.hdmi && len >= 5) {
        HdmiVsdb h;
        char buf[32];
        std::snprintf(buf, sizeof buf, "%x.%x.%x.%x", p[3] >> 4, p[3] & 0x0f, p[4] >> 4, p[4] & 0x0f);
        h.physicalAddress = buf;
        if (len >= 6) {
            static const struct
            {
                uint8_t bit;
                const char *name;
            } flags[] = {{0x40, "DC_48bit"}, {0x20, "DC_36bit"}, {0x10, "DC_30bit"}, {0x08, "DC_Y444"}};
            for (const auto &f : flags)
                if (p[5] & f.bit)
                    h.deepColor.push_back(f.name);
        }
        cta.hdmi = h;
    } else if (oui == 0xc45dd8 && !cta.hfMaxTmdsMHz && len >= 5 && p[4] != 0) {
        cta.hfMaxTmdsMHz = p[4] * 5;
    }
}

} // namespace

Cta decodeCta(const uint8_t *block, int index)
{
    Cta cta;
    cta.blockIndex = index;
    cta.revision = block[1];
    if (cta.revision < 3)
        return cta; // revisions 1 and 2 carry detailed timings only, no data blocks
    int end = block[2];
    if (end == 0 || end > 127)
        end = 127;
    for (int pos = 4; pos < end;) {
        const int tag = block[pos] >> 5;
        const int len = block[pos] & 0x1f;
        const uint8_t *p = block + pos + 1;
        // A block may run past the start of the detailed timings (a common fault); it is read
        // as declared as long as it stays inside this extension block.
        if (pos + 1 + len > 127)
            break;
        switch (tag) {
        case 1:
            audioBlock(p, len, cta);
            break;
        case 2:
            videoBlock(p, len, cta.vics);
            break;
        case 3:
            vendorBlock(p, len, cta);
            break;
        case 4:
            if (!cta.speakerAllocation && len >= 1) {
                const std::string speakers = speakerAllocation(p, len);
                if (!speakers.empty()) // a block naming no speaker says nothing
                    cta.speakerAllocation = speakers;
            }
            break;
        case 7:
            // YCbCr 4:2:0 video data block: extended tag 14, then short video descriptors.
            if (len >= 1 && p[0] == 0x0e)
                videoBlock(p + 1, len - 1, cta.ycbcr420Vics);
            // HDMI Forum sink capability block: tag 0x79, two reserved bytes, then the same
            // layout as the HDMI Forum vendor block.
            if (len >= 1 && p[0] == 0x79 && !cta.hfMaxTmdsMHz && len >= 5 && p[4] != 0)
                cta.hfMaxTmdsMHz = p[4] * 5;
            break;
        default:
            break;
        }
        pos += 1 + len;
    }
    return cta;
}

} // namespace edid::detail
