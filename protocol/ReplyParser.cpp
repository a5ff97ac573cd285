// Reply side of the command adapter: framing and recognition of device replies.
#include "CommandAdapter.h"

#include "ModelCatalogue.h"
#include "ProtocolLog.h"
#include "ReplySink.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QMap>
#include <QVector>

#include <algorithm>

namespace {

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

// Keywords are distinct, so a lookup finds the one row a table scan in order would.
const QHash<QByteArray, Reply> &keywords()
{
    static const QHash<QByteArray, Reply> table{
        {"SWS", Reply::Sws},
        {"OutPutST", Reply::OutPutST},
        {"IP", Reply::Ip},
        {"IPMask", Reply::IpMask},
        {"IPGateWay", Reply::IpGateWay},
        {"ServiceType", Reply::ServiceType},
        {"ServiceNum", Reply::ServiceNum},
        {"OutPE", Reply::OutPE},
        {"OutSW", Reply::OutSW},
        {"RXEQ", Reply::RxEq},
        {"EDIDData", Reply::EdidData},
        {"BeepEn", Reply::BeepEn},
        {"GetReadRXTXInfo", Reply::ReadRxTxInfo},
        {"GetHDMIAudioInsert", Reply::HdmiAudioInsert},
        {"DisplayMode", Reply::DisplayMode},
        {"SplitterMode", Reply::SplitterMode},
        {"SpliceMode", Reply::SpliceMode},
        {"Resolution", Reply::Resolution},
        {"RXRotate", Reply::RxRotate},
        {"TXMirror", Reply::TxMirror},
        {"AudioSelHA", Reply::AudioSelHA},
        {"SlipterAudio", Reply::SlipterAudio},
        {"OutRes", Reply::OutRes},
    };
    return table;
}

bool debugEnabled()
{
    return lcProtocol().isDebugEnabled();
}

// Bytes count up to the first zero byte only.
QByteArray cutAtZero(const QByteArray &bytes)
{
    const int zero = bytes.indexOf('\0');
    return zero < 0 ? bytes : bytes.left(zero);
}

QString decode(const QByteArray &bytes)
{
    return QString::fromUtf8(cutAtZero(bytes));
}

// A field read as a signed decimal integer; anything that is not one reads as 0.
int toNumber(const QStringRef &field)
{
    return field.toInt(nullptr, 10);
}

// The fields of a routing or output-state report, at most limit of them. A report that
// names more outputs than the device can have is cut, and says so once.
QVector<QStringRef> reportFields(const QString &args, const char *keyword, int limit)
{
    QVector<QStringRef> fields = args.splitRef(QLatin1Char(' '), Qt::KeepEmptyParts);
    if (fields.size() > limit) {
        if (debugEnabled())
            qCDebug(lcProtocol).nospace() << keyword << " report names " << fields.size()
                                          << " outputs, at most " << limit << " exist; the rest are ignored";
        fields.resize(limit);
    }
    return fields;
}

// The grouped switch list: one group per input key ("01", "12", "100"), ordered by the
// key as text, each with the outputs (from 1) that show it, ascending.
//
// Making the JSON objects is the dearest part of a reply, and a routing report mostly
// repeats the groups of the one before (an output or two move at a time): the groups of
// the last report are kept, by their text form "key:o1,o2", and reused.
QJsonArray switchList(const QVector<QStringRef> &fields)
{
    QMap<QString, QStringList> groups; // ordered by key as text
    for (int k = 0; k < fields.size(); ++k) {
        const QString key = QStringLiteral("%1").arg(toNumber(fields[k]), 2, 10, QLatin1Char('0'));
        groups[key].append(QString::number(k + 1));
    }
    static QHash<QString, QJsonObject> lastGroups;
    QHash<QString, QJsonObject> made;
    QJsonArray list;
    for (auto it = groups.cbegin(); it != groups.cend(); ++it) {
        const QString signature = it.key() + QLatin1Char(':') + it.value().join(QLatin1Char(','));
        QJsonObject group = lastGroups.value(signature);
        if (group.isEmpty())
            group = QJsonObject{{QStringLiteral("in"), it.key()},
                                {QStringLiteral("out"), QJsonArray::fromStringList(it.value())}};
        made.insert(signature, group);
        list.append(group);
    }
    lastGroups.swap(made);
    return list;
}

// One entry per field: "index" from 1 and "isOpen" true exactly for the field "1".
// The list is made whole for every report, so each entry of an output a model can have
// is made once, for each state, and shared.
QJsonArray outputStates(const QVector<QStringRef> &fields)
{
    static const int kShared = ModelCatalogue::mostOutputs();
    static QVector<QJsonObject> shared(2 * (kShared + 1)); // entry (k, open) at 2k + open
    QJsonArray states;
    for (int k = 1; k <= fields.size(); ++k) {
        const bool open = fields[k - 1] == QLatin1String("1");
        const auto make = [&] {
            return QJsonObject{{QStringLiteral("index"), k}, {QStringLiteral("isOpen"), open}};
        };
        if (k > kShared) {
            states.append(make());
            continue;
        }
        QJsonObject &entry = shared[2 * k + (open ? 1 : 0)];
        if (entry.isEmpty())
            entry = make();
        states.append(entry);
    }
    return states;
}

// Hands the values of one recognised reply to the sink, as its row reads them.
void apply(ReplySink *sink, Reply kind, const QByteArray &keyword, const QString &args)
{
    const int limit = sink->outputLimit();
    switch (kind) {
    case Reply::Sws: {
        sink->replySwitchList(switchList(reportFields(args, "SWS", limit)));
        return;
    }
    case Reply::OutPutST: {
        sink->replyOutputStates(outputStates(reportFields(args, "OutPutST", limit)));
        return;
    }
    case Reply::TxMirror:
        return;
    case Reply::EdidData: {
        const int firstSpace = args.indexOf(QLatin1Char(' '));
        sink->replyEdidText((firstSpace < 0 ? args : args.mid(firstSpace)).trimmed());
        return;
    }
    case Reply::BeepEn:
        sink->replyBeep(args.trimmed() == QLatin1String("1"));
        return;
    default:
        break;
    }

    // The remaining rows take the whole text, or their first one or two fields.
    const QVector<QStringRef> f = args.splitRef(QLatin1Char(' '), Qt::KeepEmptyParts);
    int needed = 0;
    switch (kind) {
    case Reply::OutPE:
    case Reply::OutSW:
    case Reply::RxEq:
    case Reply::HdmiAudioInsert:
    case Reply::AudioSelHA:
    case Reply::OutRes:
        needed = 2;
        break;
    case Reply::DisplayMode:
    case Reply::SplitterMode:
    case Reply::SpliceMode:
    case Reply::Resolution:
    case Reply::RxRotate:
    case Reply::SlipterAudio:
        needed = 1;
        break;
    default:
        break;
    }
    if (f.size() < needed) {
        // A short reply leaves the state alone.
        if (debugEnabled())
            qCDebug(lcProtocol).nospace()
                << keyword.constData() << " reply with fewer than " << needed << " fields ignored";
        return;
    }

    switch (kind) {
    case Reply::Ip:
        sink->replyIp(args);
        break;
    case Reply::IpMask:
        sink->replyIpMask(args);
        break;
    case Reply::IpGateWay:
        sink->replyIpGateway(args);
        break;
    case Reply::ServiceType:
        sink->replyServiceType(args);
        break;
    case Reply::ServiceNum:
        sink->replyServiceNum(args);
        break;
    case Reply::ReadRxTxInfo:
        sink->replyBoardInfo(args);
        break;
    case Reply::OutPE:
        sink->replyOutPE(toNumber(f[0]), toNumber(f[1]), f[1].toString());
        break;
    case Reply::OutSW:
        sink->replyOutSW(toNumber(f[0]), toNumber(f[1]));
        break;
    case Reply::RxEq:
        sink->replyInEQ(toNumber(f[1]));
        break;
    case Reply::HdmiAudioInsert:
        sink->replyHdmiAudioInsert(toNumber(f[0]), toNumber(f[1]));
        break;
    case Reply::AudioSelHA:
        sink->replyAudioHdmiOrAnalog(toNumber(f[0]), toNumber(f[1]));
        break;
    case Reply::OutRes:
        sink->replyOutRes(toNumber(f[1]));
        break;
    case Reply::DisplayMode:
        sink->replyDisplayMode(toNumber(f[0]));
        break;
    case Reply::SplitterMode:
        sink->replySplitterMode(toNumber(f[0]));
        break;
    case Reply::SpliceMode:
        sink->replySpliceMode(toNumber(f[0]));
        break;
    case Reply::Resolution:
        sink->replyResolution(toNumber(f[0]));
        break;
    case Reply::RxRotate:
        sink->replyRotate(toNumber(f[0]));
        break;
    case Reply::SlipterAudio:
        sink->replyAudioSelect(toNumber(f[0]));
        break;
    default:
        break;
    }
}

} // namespace

void CommandAdapter::AnalyzeData(QByteArray &buffer)
{
    // Lines are cut by index and the consumed bytes leave the buffer once, at the end,
    // so a chunk of many lines costs the same per line as many chunks of one line.
    int consumed = 0;
    for (;;) {
        // A reply handler runs the event loop only through the context, which may append
        // to the buffer meanwhile, so the search starts afresh on the current buffer.
        const int lineEnd = buffer.indexOf("\r\n", consumed);
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
        qCDebug(lcProtocol).noquote().nospace() << "RX:" << line;
    ReplySink *sink = _sink;
    if (sink)
        sink->lineReceived(line);

    const int space = line.indexOf(' ');
    if (space <= 0) {
        // The device names its model with a line of its own.
        const QString id = decode(line);
        ModelCatalogue::Counts counts;
        if (ModelCatalogue::lookup(id, &counts)) {
            if (sink) {
                sink->replyModel(id, counts.inputs, counts.outputs);
                sink->lineRecognised();
            }
            return;
        }
    } else {
        const QByteArray keyword = cutAtZero(line.left(space));
        const auto row = keywords().constFind(keyword);
        if (row != keywords().cend()) {
            if (sink) {
                apply(sink, row.value(), keyword, decode(line.mid(space + 1)));
                sink->lineRecognised();
            }
            return;
        }
    }
    if (debugEnabled())
        qCDebug(lcProtocol) << "unknown command";
    if (sink)
        sink->lineUnrecognised(line);
}
