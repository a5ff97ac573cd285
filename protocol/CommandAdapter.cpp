// Command builders: every line the panel sends to a device.
#include "CommandAdapter.h"

namespace {

// Operator-supplied text must never end a command line early: a CR or LF inside it
// would split one command into several device commands.
QString oneLine(const QString &text)
{
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString out = text;
    out.remove(QLatin1Char('\r'));
    out.remove(QLatin1Char('\n'));
    return out;
}

QString num(int v)
{
    return QString::number(v);
}

// Fills the markers of a template in one pass: text an argument brings in is never
// scanned for markers again.
template <typename... Args> QByteArray build(const char *tmpl, const Args &...args)
{
    QString text = QString::fromLatin1(tmpl).arg(args...);
    return CommandAdapter::genPackage(text);
}

QByteArray fixed(const char *line)
{
    QString text = QString::fromLatin1(line);
    return CommandAdapter::genPackage(text);
}

} // namespace

CommandAdapter::CommandAdapter(ReplySink *sink, QObject *parent) : QObject(parent), _sink(sink) {}

QByteArray CommandAdapter::genPackage(QString &text)
{
    return text.toLocal8Bit();
}

// ---- fixed commands ----
// Made once each: the line never changes, and some are sent with every routing change.

#define TESSARO_FIXED_COMMAND(Builder, text)                                                                 \
    QByteArray CommandAdapter::Builder()                                                                     \
    {                                                                                                        \
        static const QByteArray line = fixed(text);                                                          \
        return line;                                                                                         \
    }

TESSARO_FIXED_COMMAND(genPing, "PING\r\n")
TESSARO_FIXED_COMMAND(genGetSW, "GetSW\r\n")
TESSARO_FIXED_COMMAND(genGetOutput, "GetOutput\r\n")
TESSARO_FIXED_COMMAND(genSWOTO, "SWOTO\r\n")
TESSARO_FIXED_COMMAND(genGetIP, "GetIP\r\n")
TESSARO_FIXED_COMMAND(genGetIPMask, "GetIPMask\r\n")
TESSARO_FIXED_COMMAND(genGetIPGateWay, "GetIPGateWay\r\n")
TESSARO_FIXED_COMMAND(genGetServiceType, "GetServiceType\r\n")
TESSARO_FIXED_COMMAND(genGetServiceNum, "GetServiceNum\r\n")
TESSARO_FIXED_COMMAND(genSenceDefault, "SenceDefault\r\n")
TESSARO_FIXED_COMMAND(genSetSenceLoopDis, "SetSenceLoopDis\r\n")
TESSARO_FIXED_COMMAND(genGetBeepEn, "GetBeepEn\r\n")
TESSARO_FIXED_COMMAND(genResetFactory, "ResetFactory\r\n")
TESSARO_FIXED_COMMAND(genBeepONOnce, "BeepONOnce\r\n")

#undef TESSARO_FIXED_COMMAND

// The device knows one banner line only; port and state have no effect on it.
QByteArray CommandAdapter::genDisplayBanner(int, bool)
{
    static const QByteArray line = fixed("DisplayBanner 255\r\n");
    return line;
}

// ---- commands with arguments ----

QByteArray CommandAdapter::genSetIP(const QString &ip)
{
    return build("SetIP %1\r\n", oneLine(ip));
}
QByteArray CommandAdapter::genSetIPMask(const QString &mask)
{
    return build("SetIPMask %1\r\n", oneLine(mask));
}
QByteArray CommandAdapter::genSetIPGateWay(const QString &gw)
{
    return build("SetIPGateWay %1\r\n", oneLine(gw));
}
QByteArray CommandAdapter::genSetServiceType(const QString &v)
{
    return build("SetServiceType %1\r\n", oneLine(v));
}
QByteArray CommandAdapter::genSetServiceNum(const QString &v)
{
    return build("SetServiceNum %1\r\n", oneLine(v));
}
QByteArray CommandAdapter::genGetRXEQ(int p)
{
    return build("GetRXEQ %1\r\n", num(p));
}
QByteArray CommandAdapter::genSetRXEQ(int p, int v)
{
    return build("SetRXEQ %1 %2\r\n", num(p), num(v));
}
QByteArray CommandAdapter::genGetOutPE(int p)
{
    return build("GetOutPE %1\r\n", num(p));
}
QByteArray CommandAdapter::genSetOutPE(int p, int v)
{
    return build("SetOutPE %1 %2\r\n", num(p), num(v));
}
QByteArray CommandAdapter::genGetOutSW(int p)
{
    return build("GetOutSW %1\r\n", num(p));
}
QByteArray CommandAdapter::genSetOutSW(int p, int v)
{
    return build("SetOutSW %1 %2\r\n", num(p), num(v));
}
QByteArray CommandAdapter::genSetEDID(int p, int v)
{
    return build("SetEDID %1 %2\r\n", num(p), num(v));
}
QByteArray CommandAdapter::genGetEDIDData(int s)
{
    return build("GetEDIDData %1\r\n", num(s));
}

QByteArray CommandAdapter::genSetEDIDData(int slot, const QString &edid)
{
    QString text = QStringLiteral("SetEDIDData %1 %2").arg(num(slot), oneLine(edid));
    text += QStringLiteral("\r\n");
    return genPackage(text);
}

QByteArray CommandAdapter::genScenceSave(int s)
{
    return build("SceneSave %1\r\n", num(s));
}
QByteArray CommandAdapter::genScenceCall(int s)
{
    return build("SceneCall %1\r\n", num(s));
}
QByteArray CommandAdapter::genSetOutput(int p, bool on)
{
    return build("SetOutput %1 %2\r\n", num(p), num(on ? 1 : 0));
}
QByteArray CommandAdapter::genSetBeepEn(bool on)
{
    return build("SetBeepEn %1\r\n", num(on ? 1 : 0));
}
QByteArray CommandAdapter::genReadRXTXInfo(int b)
{
    return build("ReadRXTXInfo %1\r\n", num(b));
}
QByteArray CommandAdapter::genRxTxResetFactory(int b)
{
    return build("RXTXReset %1\r\n", num(b));
}
QByteArray CommandAdapter::genSetRXTXResolution(int b, int v)
{
    return build("SetRXTXResolution %1 %2\r\n", num(b), num(v));
}
QByteArray CommandAdapter::genGetRXTXResolution(int b)
{
    return build("GetRXTXResolution %1\r\n", num(b));
}
QByteArray CommandAdapter::genSetRXTXAudioSelect(int b, int v)
{
    return build("SetRXTXAudioSelect %1 %2\r\n", num(b), num(v));
}
QByteArray CommandAdapter::genSetRXTXBrighntess(int b, int v)
{
    return build("SetRXTXBrtn %1 %2\r\n", num(b), num(v));
}
QByteArray CommandAdapter::genSetRXTXContrast(int b, int v)
{
    return build("SetRXTXCtrst %1 %2\r\n", num(b), num(v));
}
QByteArray CommandAdapter::genSetRXTXSharpness(int b, int v)
{
    return build("SetRXTXSharp %1 %2\r\n", num(b), num(v));
}
QByteArray CommandAdapter::genSetRXTXColoTempR(int b, int v)
{
    return build("SetRXTXColorR %1 %2\r\n", num(b), num(v));
}
QByteArray CommandAdapter::genSetRXTXColoTempG(int b, int v)
{
    return build("SetRXTXColorG %1 %2\r\n", num(b), num(v));
}
QByteArray CommandAdapter::genSetRXTXColoTempB(int b, int v)
{
    return build("SetRXTXColorB %1 %2\r\n", num(b), num(v));
}

QByteArray CommandAdapter::genSetRXTXVideoWall(int board, int htotal, int vtotal, int hpos, int vpos,
                                               int group)
{
    return build("SetRXTXVideoWall %1 %2 %3 %4 %5 %6\r\n", num(board), num(htotal), num(vtotal), num(hpos),
                 num(vpos), num(group));
}

QByteArray CommandAdapter::genSetVideoWallGap(int b, int h, int v)
{
    return build("SetVideoWallGap %1 %2 %3\r\n", num(b), num(h), num(v));
}

QByteArray CommandAdapter::genSetSubtitleEnable(int p, int v)
{
    return build("SetRXSubtitleEnable %1 %2\r\n", num(p), num(v));
}

QByteArray CommandAdapter::genSetSubtitleTXT(int p, const QString &escaped)
{
    return build("SetRXSubtitleTXT %1 %2\r\n", num(p), oneLine(escaped));
}

QByteArray CommandAdapter::genSetSubtitleColor(int p, int v)
{
    return build("SetRXSubtitleTXTColor %1 %2\r\n", num(p), num(v));
}
QByteArray CommandAdapter::genSetSubtitlePosition(int p, int v)
{
    return build("SetRXSubtitlePos %1 %2\r\n", num(p), num(v));
}
QByteArray CommandAdapter::genSetSubtitleScrolling(int p, int v)
{
    return build("SetRXSubtitleTXTMove %1 %2\r\n", num(p), num(v));
}
QByteArray CommandAdapter::genSetSubtitleBGColor(int p, int v)
{
    return build("SetRXSubtitleBG %1 %2\r\n", num(p), num(v));
}
QByteArray CommandAdapter::genSetSubtitleAlpha(int p, int v)
{
    return build("SetRXSubtitlecAlpha %1 %2\r\n", num(p), num(v));
}
QByteArray CommandAdapter::genSetSetHDMIAudioInsert(int p, int v)
{
    return build("HDMIAudioInsert %1 %2\r\n", num(p), num(v));
}
QByteArray CommandAdapter::genGetSetHDMIAudioInsert(int p)
{
    return build("GetHDMIAudioInsert %1\r\n", num(p));
}
QByteArray CommandAdapter::genSetDisplayMode(int v)
{
    return build("SetDisplayMode %1\r\n", num(v));
}
QByteArray CommandAdapter::genSetSplitterMode(int v)
{
    return build("SetSplitterMode %1\r\n", num(v));
}
QByteArray CommandAdapter::genSetSpliceMode(int v)
{
    return build("SetSpliceMode %1\r\n", num(v));
}
QByteArray CommandAdapter::genSetRelution(int v)
{
    return build("SetResolution %1\r\n", num(v));
}
QByteArray CommandAdapter::genSetRotate(int v)
{
    return build("RXRotate %1\r\n", num(v));
}
QByteArray CommandAdapter::genSetMirror(int p, int m)
{
    return build("TXMirror %1 %2\r\n", num(p), num(m));
}
QByteArray CommandAdapter::genSetAudioSelecct(int v)
{
    return build("SetSlipterAudio %1\r\n", num(v));
}
QByteArray CommandAdapter::genSetAudioAnalogOrHDMI(int p, int v)
{
    return build("SetAudioHdmiOrAnalog %1 %2\r\n", num(p), num(v));
}
QByteArray CommandAdapter::genGetAudioAnalogOrHDMI(int p)
{
    return build("GetAudioHdmiOrAnalog %1\r\n", num(p));
}

// ---- list commands ----

QByteArray CommandAdapter::genSW(int in, const QList<int> &outs)
{
    QString text = QStringLiteral("SW %1").arg(in);
    for (int out : outs)
        text += QLatin1Char(' ') + num(out);
    text += QStringLiteral("\r\n");
    return genPackage(text);
}

QByteArray CommandAdapter::genSetSenceLoopEN(const QList<int> &keys, const QList<int> &vals)
{
    Q_ASSERT(keys.size() == vals.size());
    QString text = QStringLiteral("SetSenceLoopEN");
    const int n = qMin(keys.size(), vals.size());
    for (int i = 0; i < n; ++i)
        text += QLatin1Char(' ') + num(keys.at(i)) + QLatin1Char(' ') + num(vals.at(i));
    text += QStringLiteral("\r\n");
    return genPackage(text);
}
