#include "EdidDecoder.h"

#include "EdidInternal.h"

#include <algorithm>

namespace edid {

namespace {

constexpr std::size_t BlockSize = 128;
const uint8_t Header[8] = {0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x00};

uint8_t expectedChecksum(const uint8_t *block)
{
    unsigned sum = 0;
    for (std::size_t i = 0; i + 1 < BlockSize; ++i)
        sum += block[i];
    return static_cast<uint8_t>((256 - (sum & 0xff)) & 0xff);
}

// Descriptor text: up to the line feed, trimmed of spaces. Text ends early at any other
// byte that is not printable ASCII (NUL padding, stray control or high bytes).
std::string descriptorText(const uint8_t *d)
{
    std::string s;
    for (int i = 5; i < 18 && d[i] >= 0x20 && d[i] <= 0x7e; ++i)
        s.push_back(static_cast<char>(d[i]));
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

std::optional<Timing> detailedTiming(const uint8_t *d)
{
    const int clock10kHz = d[0] | (d[1] << 8);
    if (clock10kHz < 1000)
        return std::nullopt; // below 10 MHz no display runs: a damaged descriptor, not a timing
    Timing t;
    t.hActive = d[2] | ((d[4] & 0xf0) << 4);
    const int hBlank = d[3] | ((d[4] & 0x0f) << 8);
    const int vActive = d[5] | ((d[7] & 0xf0) << 4);
    const int vBlank = d[6] | ((d[7] & 0x0f) << 8);
    t.interlaced = (d[17] & 0x80) != 0;
    t.pixelClockMHz = clock10kHz / 100.0;
    const double hTotal = t.hActive + hBlank;
    // An interlaced frame is two fields of vActive lines each, plus half a line.
    const double vTotal = t.interlaced ? (vActive + vBlank) + 0.5 : double(vActive + vBlank);
    t.vActive = t.interlaced ? vActive * 2 : vActive;
    if (hTotal > 0 && vTotal > 0)
        t.refreshHz = clock10kHz * 10000.0 / (hTotal * vTotal);
    return t;
}

// The +255 rate offsets exist from EDID 1.4 on; older EDIDs must leave that byte zero.
RangeLimits rangeLimits(const uint8_t *d, bool hasOffsets)
{
    RangeLimits r;
    const uint8_t offsets = hasOffsets ? d[4] : 0;
    r.vMinHz = d[5] + ((offsets & 0x03) == 0x03 ? 255 : 0);
    r.vMaxHz = d[6] + ((offsets & 0x02) ? 255 : 0);
    r.hMinKHz = d[7] + ((offsets & 0x0c) == 0x0c ? 255 : 0);
    r.hMaxKHz = d[8] + ((offsets & 0x08) ? 255 : 0);
    r.maxPixelClockMHz = d[9] * 10;
    return r;
}

void decodeBase(const uint8_t *b, Info &info)
{
    info.hasBase = true;
    info.headerOk = std::equal(Header, Header + 8, b);
    const int id = (b[8] << 8) | b[9];
    info.manufacturer = {char('@' + ((id >> 10) & 0x1f)), char('@' + ((id >> 5) & 0x1f)),
                         char('@' + (id & 0x1f))};
    info.productCode = b[10] | (b[11] << 8);
    info.serialNumber =
        uint32_t(b[12]) | (uint32_t(b[13]) << 8) | (uint32_t(b[14]) << 16) | (uint32_t(b[15]) << 24);
    info.week = b[16];
    info.year = 1990 + b[17];
    info.versionMajor = b[18];
    info.versionMinor = b[19];
    info.digital = (b[20] & 0x80) != 0;
    for (int n = 0; n < 4; ++n) {
        const uint8_t *d = b + 54 + 18 * n;
        if (d[0] != 0 || d[1] != 0) {
            if (n == 0)
                info.preferredTiming = detailedTiming(d);
            continue;
        }
        switch (d[3]) {
        case 0xfc:
            if (!info.monitorName)
                info.monitorName = descriptorText(d);
            break;
        case 0xff:
            if (!info.monitorSerial)
                info.monitorSerial = descriptorText(d);
            break;
        case 0xfd:
            if (!info.rangeLimits)
                info.rangeLimits = rangeLimits(d, info.versionMajor == 1 && info.versionMinor >= 4);
            break;
        default:
            break;
        }
    }
    info.extensionCount = b[126];
}

} // namespace

bool Info::checksumsOk() const
{
    for (const auto &b : blocks)
        if (!b.ok)
            return false;
    return true;
}

bool Info::extensionCountOk() const
{
    return !hasBase || !lengthOk || blocks.size() == std::size_t(extensionCount) + 1;
}

std::vector<std::string> Info::defects() const
{
    std::vector<std::string> out;
    if (size == 0)
        out.push_back("The EDID is empty.");
    else if (!lengthOk)
        out.push_back("The length (" + std::to_string(size) + " bytes) is not a multiple of 128.");
    if (hasBase && !headerOk)
        out.push_back("The header is not 00 ff ff ff ff ff ff 00.");
    for (const auto &b : blocks)
        if (!b.ok)
            out.push_back("Block " + std::to_string(b.index) + " has checksum " + detail::hexByte(b.found) +
                          ", expected " + detail::hexByte(b.expected) + ".");
    if (!extensionCountOk())
        out.push_back("Extension blocks declared: " + std::to_string(extensionCount) +
                      ", present: " + std::to_string(blocks.size() - 1) + ".");
    if (!duplicateVics.empty()) {
        std::string list;
        for (int vic : duplicateVics)
            list += (list.empty() ? "" : " ") + std::to_string(vic);
        out.push_back("VICs listed more than once: " + list + ".");
    }
    return out;
}

Info decode(const uint8_t *data, std::size_t size)
{
    Info info;
    info.size = size;
    if (data == nullptr)
        size = info.size = 0;
    info.lengthOk = size > 0 && size % BlockSize == 0;
    const std::size_t blockCount = size / BlockSize;
    for (std::size_t i = 0; i < blockCount; ++i) {
        const uint8_t *block = data + i * BlockSize;
        BlockChecksum c;
        c.index = static_cast<int>(i);
        c.tag = block[0];
        c.found = block[BlockSize - 1];
        c.expected = expectedChecksum(block);
        c.ok = c.found == c.expected;
        info.blocks.push_back(c);
    }
    if (blockCount == 0)
        return info;
    decodeBase(data, info);
    // The summary shows the first CTA-861 block; a VIC counts as listed twice across all.
    int listed[256] = {};
    int listed420[256] = {};
    for (std::size_t i = 1; i < blockCount; ++i) {
        if (data[i * BlockSize] != 0x02)
            continue;
        Cta cta = detail::decodeCta(data + i * BlockSize, static_cast<int>(i));
        for (const Vic &v : cta.vics)
            ++listed[v.vic];
        for (const Vic &v : cta.ycbcr420Vics)
            ++listed420[v.vic];
        if (!info.cta)
            info.cta = std::move(cta);
    }
    for (int vic = 0; vic < 256; ++vic)
        if (listed[vic] + listed420[vic] > 1)
            info.duplicateVics.push_back(vic);
    return info;
}

Info decode(const std::vector<uint8_t> &bytes)
{
    return decode(bytes.data(), bytes.size());
}

std::vector<uint8_t> fixChecksums(const std::vector<uint8_t> &bytes)
{
    std::vector<uint8_t> out = bytes;
    for (std::size_t start = 0; start + BlockSize <= out.size(); start += BlockSize)
        out[start + BlockSize - 1] = expectedChecksum(out.data() + start);
    return out;
}

} // namespace edid
