#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Decoding of EDID blobs (a base block and its 128-byte extension blocks) into the facts an
// installer looks at first. Plain C++: the panel, the command-line tool and the tests share it.
namespace edid {

struct BlockChecksum
{
    int index = 0;
    uint8_t tag = 0;
    bool ok = false;
    uint8_t found = 0;
    uint8_t expected = 0;
};

struct Timing
{
    int hActive = 0;
    int vActive = 0;      // frame height, also for interlaced timings
    double refreshHz = 0; // field rate for interlaced timings
    double pixelClockMHz = 0;
    bool interlaced = false;
};

struct RangeLimits
{
    int vMinHz = 0;
    int vMaxHz = 0;
    int hMinKHz = 0;
    int hMaxKHz = 0;
    int maxPixelClockMHz = 0; // 0: not given
};

struct AudioFormat
{
    std::string format;
    int maxChannels = 0;
    std::vector<double> sampleRatesKHz; // highest first
};

struct Vic
{
    int vic = 0;
    bool native = false;
};

// The video format a VIC stands for (CTA-861).
struct VideoFormat
{
    int hActive = 0;
    int vActive = 0; // frame height, also for interlaced formats
    bool interlaced = false;
    double refreshHz = 0; // field rate for interlaced formats
    const char *aspect = "";
};

// Null for a VIC that names no format (0, 128 and the reserved codes).
const VideoFormat *videoFormat(int vic);

struct HdmiVsdb
{
    std::string physicalAddress;
    std::vector<std::string> deepColor;
};

struct Cta
{
    int blockIndex = 0;
    int revision = 0;
    std::vector<AudioFormat> audio;
    std::optional<std::string> speakerAllocation;
    std::vector<Vic> vics;
    std::vector<Vic> ycbcr420Vics; // formats the sink takes only as YCbCr 4:2:0
    std::optional<HdmiVsdb> hdmi;
    std::optional<int> hfMaxTmdsMHz;
};

struct Info
{
    std::size_t size = 0;
    bool hasBase = false; // at least 128 bytes: the base block fields below are filled
    bool headerOk = false;
    bool lengthOk = false; // non-empty and a whole number of blocks

    std::string manufacturer;
    int productCode = 0;
    uint32_t serialNumber = 0;
    int week = 0;
    int year = 0;
    int versionMajor = 0;
    int versionMinor = 0;
    bool digital = false;
    std::optional<std::string> monitorName;
    std::optional<std::string> monitorSerial;
    std::optional<Timing> preferredTiming;
    std::optional<RangeLimits> rangeLimits;
    int extensionCount = 0;

    std::vector<BlockChecksum> blocks;
    std::optional<Cta> cta;
    // VICs listed more than once in the video data blocks of the CTA-861 extensions, or
    // more than once as 4:2:0-only formats, or both ways; ascending. A sink lists each
    // format once; edid-decode fails an EDID that does not.
    std::vector<int> duplicateVics;

    bool checksumsOk() const;
    // The base block's extension count matches the blocks present (whole blocks only;
    // a partial block is a defect of its own).
    bool extensionCountOk() const;
    // Safe to send to a display: whole blocks, as many as the base block declares, a valid
    // header, every checksum right and no VIC listed twice.
    bool valid() const
    {
        return lengthOk && headerOk && checksumsOk() && extensionCountOk() && duplicateVics.empty();
    }
    // One English sentence per defect; empty when valid.
    std::vector<std::string> defects() const;
};

Info decode(const uint8_t *data, std::size_t size);
Info decode(const std::vector<uint8_t> &bytes);

// A copy with the last byte of every complete 128-byte block set so that the block sums to
// zero. No other byte changes; a trailing partial block is left as it is.
std::vector<uint8_t> fixChecksums(const std::vector<uint8_t> &bytes);

// The summary as one JSON object (UTF-8), and as readable text lines.
std::string toJson(const Info &info);
std::string toText(const Info &info);

} // namespace edid
