#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class ReplySink;

// Builds every command line the panel sends and cuts/recognises every reply line the
// device sends. Holds no protocol state; the unfinished tail of the input stays in the
// caller's buffer. Recognised replies go to the ReplySink given at construction.
class CommandAdapter : public QObject
{
    Q_OBJECT
public:
    explicit CommandAdapter(ReplySink *sink = nullptr, QObject *parent = nullptr);

    void setReplySink(ReplySink *sink) { _sink = sink; }
    ReplySink *replySink() const { return _sink; }

    // ---- reply side ----
    // Consumes every complete CR LF line at the front of buffer, in order.
    void AnalyzeData(QByteArray &buffer);
    // Recognises one reply line (without its CR LF) and hands it to the sink.
    void analyzeCommand(QByteArray &line);

    // ---- framing ----
    static QByteArray genPackage(QString &text);

    // ---- fixed commands ----
    static QByteArray genPing();
    static QByteArray genGetSW();
    static QByteArray genGetOutput();
    static QByteArray genSWOTO();
    static QByteArray genGetIP();
    static QByteArray genGetIPMask();
    static QByteArray genGetIPGateWay();
    static QByteArray genGetServiceType();
    static QByteArray genGetServiceNum();
    static QByteArray genSenceDefault();
    static QByteArray genSetSenceLoopDis();
    static QByteArray genGetBeepEn();
    static QByteArray genResetFactory();
    static QByteArray genBeepONOnce();
    static QByteArray genDisplayBanner(int port, bool val);

    // ---- commands with arguments ----
    static QByteArray genSetIP(const QString &ip);
    static QByteArray genSetIPMask(const QString &mask);
    static QByteArray genSetIPGateWay(const QString &gateway);
    static QByteArray genSetServiceType(const QString &val);
    static QByteArray genSetServiceNum(const QString &val);
    static QByteArray genGetRXEQ(int port);
    static QByteArray genSetRXEQ(int port, int val);
    static QByteArray genGetOutPE(int port);
    static QByteArray genSetOutPE(int port, int val);
    static QByteArray genGetOutSW(int port);
    static QByteArray genSetOutSW(int port, int val);
    static QByteArray genSetEDID(int port, int val);
    static QByteArray genGetEDIDData(int slot);
    static QByteArray genSetEDIDData(int slot, const QString &edid);
    static QByteArray genScenceSave(int scene);
    static QByteArray genScenceCall(int scene);
    static QByteArray genSetOutput(int port, bool on);
    static QByteArray genSetBeepEn(bool on);
    static QByteArray genReadRXTXInfo(int board);
    static QByteArray genRxTxResetFactory(int board);
    static QByteArray genSetRXTXResolution(int board, int val);
    static QByteArray genGetRXTXResolution(int board);
    static QByteArray genSetRXTXAudioSelect(int board, int val);
    static QByteArray genSetRXTXBrighntess(int board, int val);
    static QByteArray genSetRXTXContrast(int board, int val);
    static QByteArray genSetRXTXSharpness(int board, int val);
    static QByteArray genSetRXTXColoTempR(int board, int val);
    static QByteArray genSetRXTXColoTempG(int board, int val);
    static QByteArray genSetRXTXColoTempB(int board, int val);
    static QByteArray genSetRXTXVideoWall(int board, int htotal, int vtotal, int hpos, int vpos, int group);
    static QByteArray genSetVideoWallGap(int board, int hgap, int vgap);
    static QByteArray genSetSubtitleEnable(int port, int enable);
    static QByteArray genSetSubtitleTXT(int port, const QString &escaped);
    static QByteArray genSetSubtitleColor(int port, int val);
    static QByteArray genSetSubtitlePosition(int port, int val);
    static QByteArray genSetSubtitleScrolling(int port, int val);
    static QByteArray genSetSubtitleBGColor(int port, int val);
    static QByteArray genSetSubtitleAlpha(int port, int val);
    static QByteArray genSetSetHDMIAudioInsert(int port, int val);
    static QByteArray genGetSetHDMIAudioInsert(int port);
    static QByteArray genSetDisplayMode(int val);
    static QByteArray genSetSplitterMode(int val);
    static QByteArray genSetSpliceMode(int val);
    static QByteArray genSetRelution(int val);
    static QByteArray genSetRotate(int val);
    static QByteArray genSetMirror(int port, int mode);
    static QByteArray genSetAudioSelecct(int val);
    static QByteArray genSetAudioAnalogOrHDMI(int port, int val);
    static QByteArray genGetAudioAnalogOrHDMI(int port);

    // ---- list commands ----
    static QByteArray genSW(int in, const QList<int> &outs);
    static QByteArray genSetSenceLoopEN(const QList<int> &keys, const QList<int> &vals);

private:
    ReplySink *_sink = nullptr;
};
