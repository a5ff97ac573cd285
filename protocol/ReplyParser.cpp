// Reply side of the command adapter: framing and recognition of device replies.
#include "CommandAdapter.h"

#include "ModelCatalogue.h"
#include "ReplySink.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// A run of bytes inside a reply line; never owns the bytes.
struct Span
{
    const char *data = nullptr;
    int size = 0;

    bool equals(const char *text, int len) const { return size == len && std::memcmp(data, text, len) == 0; }
    QString text() const { return QString::fromUtf8(data, size); }
};

// Bytes are decoded up to the first zero byte only.
Span cutAtZero(const char *data, int size)
{
    const void *zero = std::memchr(data, '\0', static_cast<size_t>(size));
    if (zero)
        size = static_cast<int>(static_cast<const char *>(zero) - data);
    return Span{data, size};
}

bool isAsciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// A field read as a signed decimal integer; white space around the digits is allowed,
// anything else (or nothing at all) reads as 0.
int toNumber(Span field)
{
    const char *p = field.data;
    const char *end = field.data + field.size;
    for (const char *q = p; q < end; ++q) {
        if (static_cast<unsigned char>(*q) >= 0x80) // non-ASCII white space and the like
            return field.text().toInt();
    }
    while (p < end && isAsciiSpace(*p))
        ++p;
    while (end > p && isAsciiSpace(end[-1]))
        --end;
    if (p == end)
        return 0;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
        if (p == end)
            return 0;
    }
    qint64 value = 0;
    for (; p < end; ++p) {
        if (*p < '0' || *p > '9')
            return 0;
        value = value * 10 + (*p - '0');
        if (value > qint64(INT_MAX) + 1)
            return 0;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX || value < INT_MIN)
        return 0;
    return static_cast<int>(value);
}

// Splits the argument text at every single space, keeping empty fields.
class Fields
{
public:
    explicit Fields(Span args) : _rest(args) {}

    // The next field; false once every field has been taken (there is always at least one).
    bool next(Span *field)
    {
        if (_done)
            return false;
        const void *space = std::memchr(_rest.data, ' ', static_cast<size_t>(_rest.size));
        if (!space) {
            *field = _rest;
            _done = true;
            return true;
        }
        const int len = static_cast<int>(static_cast<const char *>(space) - _rest.data);
        *field = Span{_rest.data, len};
        _rest = Span{_rest.data + len + 1, _rest.size - len - 1};
        return true;
    }

    // Takes the first n fields; false (and nothing usable) when the text has fewer.
    bool take(int n, Span *out)
    {
        for (int i = 0; i < n; ++i)
            if (!next(&out[i]))
                return false;
        return true;
    }

private:
    Span _rest;
    bool _done = false;
};

enum class Reply
{
    Sws,
    OutPutST,
    Ip,
    IpMask,
    IpGateWay,
    ServiceType,
    ServiceNum,
    OutPE,
    OutSW,
    RxEq,
    EdidData,
    BeepEn,
    ReadRxTxInfo,
    HdmiAudioInsert,
    DisplayMode,
    SplitterMode,
    SpliceMode,
    Resolution,
    RxRotate,
    TxMirror,
    AudioSelHA,
    SlipterAudio,
    OutRes,
};

struct KeywordRow
{
    const char *keyword;
    int length;
    Reply reply;
};

#define TESSARO_ROW(text, reply)                                                                             \
    {                                                                                                        \
        text, int(sizeof(text) - 1), reply                                                                   \
    }
// Compared in this order, exactly and case-sensitively.
const KeywordRow kKeywords[] = {
    TESSARO_ROW("SWS", Reply::Sws),
    TESSARO_ROW("OutPutST", Reply::OutPutST),
    TESSARO_ROW("IP", Reply::Ip),
    TESSARO_ROW("IPMask", Reply::IpMask),
    TESSARO_ROW("IPGateWay", Reply::IpGateWay),
    TESSARO_ROW("ServiceType", Reply::ServiceType),
    TESSARO_ROW("ServiceNum", Reply::ServiceNum),
    TESSARO_ROW("OutPE", Reply::OutPE),
    TESSARO_ROW("OutSW", Reply::OutSW),
    TESSARO_ROW("RXEQ", Reply::RxEq),
    TESSARO_ROW("EDIDData", Reply::EdidData),
    TESSARO_ROW("BeepEn", Reply::BeepEn),
    TESSARO_ROW("GetReadRXTXInfo", Reply::ReadRxTxInfo),
    TESSARO_ROW("GetHDMIAudioInsert", Reply::HdmiAudioInsert),
    TESSARO_ROW("DisplayMode", Reply::DisplayMode),
    TESSARO_ROW("SplitterMode", Reply::SplitterMode),
    TESSARO_ROW("SpliceMode", Reply::SpliceMode),
    TESSARO_ROW("Resolution", Reply::Resolution),
    TESSARO_ROW("RXRotate", Reply::RxRotate),
    TESSARO_ROW("TXMirror", Reply::TxMirror),
    TESSARO_ROW("AudioSelHA", Reply::AudioSelHA),
    TESSARO_ROW("SlipterAudio", Reply::SlipterAudio),
    TESSARO_ROW("OutRes", Reply::OutRes),
};
#undef TESSARO_ROW

const KeywordRow *findKeyword(Span keyword)
{
    for (const KeywordRow &row : kKeywords)
        if (keyword.equals(row.keyword, row.length))
            return &row;
    return nullptr;
}

bool debugEnabled()
{
    return QLoggingCategory::defaultCategory()->isDebugEnabled();
}

void logUnknown()
{
    if (debugEnabled())
        qDebug() << "unknown command";
}

void logShort(const KeywordRow &row, int needed)
{
    if (debugEnabled())
        qDebug().nospace() << row.keyword << " reply with fewer than " << needed << " fields ignored";
}

// Decimal digits of v into out (at least 12 bytes); returns the count.
int writeDecimal(int v, char *out)
{
    char tmp[12];
    int n = 0;
    unsigned int u = v < 0 ? 0u - static_cast<unsigned int>(v) : static_cast<unsigned int>(v);
    do {
        tmp[n++] = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u);
    int len = 0;
    if (v < 0)
        out[len++] = '-';
    while (n)
        out[len++] = tmp[--n];
    return len;
}

// Building JSON values is by far the dearest part of a reply, and a device repeats the
// same routing groups and output states over and over: the finished objects are kept
// and shared (JSON values are implicitly shared, so a kept object costs a reference).
// The caches are per thread and bounded; they never change a result.

constexpr size_t kMaxCachedGroups = 4096;
constexpr size_t kMaxCachedGroupSize = 256; // outputs; larger groups are made every time
constexpr size_t kKeptScratch = 4096;       // entries kept between replies

// One group of the switch list, {"in": key, "out": [outputs]}, kept by its text form
// "key:o1,o2,...".
class GroupCache
{
public:
    QJsonObject group(const char *key, int keyLen, const std::vector<int> &outputs)
    {
        _signature.assign(key, static_cast<size_t>(keyLen));
        _signature.push_back(':');
        char digits[12];
        for (int output : outputs) {
            _signature.append(digits, static_cast<size_t>(writeDecimal(output, digits)));
            _signature.push_back(',');
        }
        const auto it = _groups.find(_signature);
        if (it != _groups.end())
            return it->second;

        // Made from its JSON text: the JSON reader fills the object in one go, about
        // twice as fast as inserting member by member. Keys and outputs are digits and
        // "-" only, so the text needs no escaping.
        _text.assign("{\"in\":\"");
        _text.append(key, static_cast<size_t>(keyLen));
        _text.append("\",\"out\":[");
        for (size_t i = 0; i < outputs.size(); ++i) {
            _text.append(i ? ",\"" : "\"");
            _text.append(digits, static_cast<size_t>(writeDecimal(outputs[i], digits)));
            _text.push_back('"');
        }
        _text.append("]}");
        const QJsonObject made =
            QJsonDocument::fromJson(QByteArray::fromRawData(_text.data(), static_cast<int>(_text.size())))
                .object();
        if (outputs.size() <= kMaxCachedGroupSize) {
            if (_groups.size() >= kMaxCachedGroups)
                _groups.clear();
            _groups.emplace(_signature, made);
        }
        return made;
    }

private:
    std::string _signature;
    std::string _text;
    std::unordered_map<std::string, QJsonObject> _groups;
};

// The grouped switch list: one group per input key ("01", "12", "100"), ordered by the
// key as text, each with the outputs (from 1) that show it.
QJsonArray switchList(Span args)
{
    struct Entry
    {
        char key[16];
        int keyLen;
        int output;
    };
    thread_local std::vector<Entry> entries;
    thread_local std::vector<int> outputs;
    thread_local GroupCache cache;
    entries.clear();

    Fields fields(args);
    Span field;
    int k = 0;
    while (fields.next(&field)) {
        Entry e;
        e.output = ++k;
        char digits[12];
        const int n = writeDecimal(toNumber(field), digits);
        int pos = 0;
        if (n < 2)
            e.key[pos++] = '0';
        std::memcpy(e.key + pos, digits, static_cast<size_t>(n));
        e.keyLen = pos + n;
        entries.push_back(e);
    }
    const auto sameKey = [](const Entry &a, const Entry &b) {
        return a.keyLen == b.keyLen && std::memcmp(a.key, b.key, static_cast<size_t>(a.keyLen)) == 0;
    };
    // By key as text, then by output: the order a stable sort by key gives, without the
    // stable sort's scratch allocation.
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        const int c = std::memcmp(a.key, b.key, static_cast<size_t>(std::min(a.keyLen, b.keyLen)));
        if (c != 0)
            return c < 0;
        return a.keyLen != b.keyLen ? a.keyLen < b.keyLen : a.output < b.output;
    });

    QJsonArray groups;
    size_t i = 0;
    while (i < entries.size()) {
        const Entry &first = entries[i];
        outputs.clear();
        size_t j = i;
        for (; j < entries.size() && sameKey(entries[j], first); ++j)
            outputs.push_back(entries[j].output);
        groups.append(cache.group(first.key, first.keyLen, outputs));
        i = j;
    }
    if (entries.capacity() > kKeptScratch) { // a freak line does not keep its memory
        std::vector<Entry>().swap(entries);
        std::vector<int>().swap(outputs);
    }
    return groups;
}

// One entry per field: "index" from 1 and "isOpen" true exactly for the field "1".
QJsonArray outputStates(Span args)
{
    constexpr int kCached = 128;
    // {"index": k, "isOpen": false/true} at 2k and 2k+1, made once.
    static const std::vector<QJsonObject> kStates = [] {
        std::vector<QJsonObject> v;
        v.reserve(2 * (kCached + 1));
        for (int k = 0; k <= kCached; ++k)
            for (bool open : {false, true})
                v.push_back(QJsonObject{{QStringLiteral("index"), k}, {QStringLiteral("isOpen"), open}});
        return v;
    }();
    QJsonArray states;
    Fields fields(args);
    Span field;
    int k = 0;
    while (fields.next(&field)) {
        const bool open = field.equals("1", 1);
        if (++k <= kCached)
            states.append(kStates[static_cast<size_t>(2 * k + (open ? 1 : 0))]);
        else
            states.append(QJsonObject{{QStringLiteral("index"), k}, {QStringLiteral("isOpen"), open}});
    }
    return states;
}

} // namespace

void CommandAdapter::AnalyzeData(QByteArray &buffer)
{
    // Lines are cut by index and the consumed bytes leave the buffer once, at the end,
    // so a chunk of many lines costs the same per line as many chunks of one line.
    int consumed = 0;
    for (;;) {
        // A reply handler runs the event loop only through the context, which may append
        // to the buffer meanwhile; take the bounds afresh every time.
        const int size = buffer.size();
        if (consumed >= size)
            break;
        const char *data = buffer.constData();
        int lineEnd = -1;
        for (int from = consumed; from < size - 1;) {
            const void *cr = std::memchr(data + from, '\r', static_cast<size_t>(size - 1 - from));
            if (!cr)
                break;
            const int at = static_cast<int>(static_cast<const char *>(cr) - data);
            if (data[at + 1] == '\n') {
                lineEnd = at;
                break;
            }
            from = at + 1; // a lone CR is an ordinary byte of the line
        }
        if (lineEnd < 0)
            break;
        QByteArray line = buffer.mid(consumed, lineEnd - consumed);
        consumed = lineEnd + 2;
        analyzeCommand(line);
    }
    if (consumed > 0)
        buffer.remove(0, std::min(consumed, buffer.size()));
}

void CommandAdapter::analyzeCommand(QByteArray &line)
{
    if (debugEnabled())
        qDebug().noquote().nospace() << "RX:" << line;
    if (_sink)
        _sink->lineReceived(line);

    const char *data = line.constData();
    const int size = line.size();
    const void *spacePtr = std::memchr(data, ' ', static_cast<size_t>(size));
    const int space = spacePtr ? static_cast<int>(static_cast<const char *>(spacePtr) - data) : -1;

    if (space <= 0) {
        // The device names its model with a line of its own.
        const QString id = cutAtZero(data, size).text();
        ModelCatalogue::Counts counts;
        if (!ModelCatalogue::lookup(id, &counts)) {
            logUnknown();
            if (_sink)
                _sink->lineUnrecognised(line);
            return;
        }
        if (_sink)
            _sink->replyModel(id, counts.inputs, counts.outputs);
        return;
    }

    const KeywordRow *row = findKeyword(cutAtZero(data, space));
    if (!row) {
        logUnknown();
        if (_sink)
            _sink->lineUnrecognised(line);
        return;
    }
    const Span args = cutAtZero(data + space + 1, size - space - 1);
    ReplySink *sink = _sink;
    Fields fields(args);
    Span f[2];

    switch (row->reply) {
    case Reply::Sws: {
        const QJsonArray sws = switchList(args);
        if (sink)
            sink->replySwitchList(sws);
        return;
    }
    case Reply::OutPutST: {
        const QJsonArray states = outputStates(args);
        if (sink)
            sink->replyOutputStates(states);
        return;
    }
    case Reply::TxMirror:
        return;
    case Reply::Ip:
    case Reply::IpMask:
    case Reply::IpGateWay:
    case Reply::ServiceType:
    case Reply::ServiceNum:
    case Reply::ReadRxTxInfo: {
        const QString text = args.text();
        if (!sink)
            return;
        switch (row->reply) {
        case Reply::Ip:
            sink->replyIp(text);
            break;
        case Reply::IpMask:
            sink->replyIpMask(text);
            break;
        case Reply::IpGateWay:
            sink->replyIpGateway(text);
            break;
        case Reply::ServiceType:
            sink->replyServiceType(text);
            break;
        case Reply::ServiceNum:
            sink->replyServiceNum(text);
            break;
        default:
            sink->replyBoardInfo(text);
            break;
        }
        return;
    }
    case Reply::EdidData: {
        const QString text = args.text();
        const int firstSpace = text.indexOf(QLatin1Char(' '));
        const QString edid = (firstSpace < 0 ? text : text.mid(firstSpace)).trimmed();
        if (sink)
            sink->replyEdidText(edid);
        return;
    }
    case Reply::BeepEn: {
        const bool on = args.text().trimmed() == QLatin1String("1");
        if (sink)
            sink->replyBeep(on);
        return;
    }
    case Reply::OutPE:
    case Reply::OutSW:
    case Reply::RxEq:
    case Reply::HdmiAudioInsert:
    case Reply::AudioSelHA:
    case Reply::OutRes: {
        if (!fields.take(2, f)) {
            logShort(*row, 2);
            return;
        }
        const int port = toNumber(f[0]);
        const int value = toNumber(f[1]);
        if (!sink)
            return;
        switch (row->reply) {
        case Reply::OutPE:
            sink->replyOutPE(port, value, f[1].text());
            break;
        case Reply::OutSW:
            sink->replyOutSW(port, value);
            break;
        case Reply::RxEq:
            sink->replyInEQ(value);
            break;
        case Reply::HdmiAudioInsert:
            sink->replyHdmiAudioInsert(port, value);
            break;
        case Reply::AudioSelHA:
            sink->replyAudioHdmiOrAnalog(port, value);
            break;
        default:
            sink->replyOutRes(value);
            break;
        }
        return;
    }
    case Reply::DisplayMode:
    case Reply::SplitterMode:
    case Reply::SpliceMode:
    case Reply::Resolution:
    case Reply::RxRotate:
    case Reply::SlipterAudio: {
        if (!fields.take(1, f)) {
            logShort(*row, 1);
            return;
        }
        const int value = toNumber(f[0]);
        if (!sink)
            return;
        switch (row->reply) {
        case Reply::DisplayMode:
            sink->replyDisplayMode(value);
            break;
        case Reply::SplitterMode:
            sink->replySplitterMode(value);
            break;
        case Reply::SpliceMode:
            sink->replySpliceMode(value);
            break;
        case Reply::Resolution:
            sink->replyResolution(value);
            break;
        case Reply::RxRotate:
            sink->replyRotate(value);
            break;
        default:
            sink->replyAudioSelect(value);
            break;
        }
        return;
    }
    }
}
