#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QString>

#include <climits>

// Receiver of recognised device replies. The parser calls exactly one of these per
// recognised reply line, with the values already taken out of the line; whoever keeps
// the device state implements it.
class ReplySink
{
public:
    virtual ~ReplySink() = default;

    // Every complete line as it arrives (without its CR LF), before it is recognised, and
    // again when no reply row matches it. Observers such as a traffic log use these; a
    // state keeper may ignore them.
    virtual void lineReceived(const QByteArray &line) { Q_UNUSED(line) }
    virtual void lineUnrecognised(const QByteArray &line) { Q_UNUSED(line) }
    // A line that was a known reply, after it was applied.
    virtual void lineRecognised() {}

    // The most outputs a routing ("SWS") or output-state ("OutPutST") report may name:
    // fields past it are ignored, so a babbling device cannot make a report of any size.
    static constexpr int kNoOutputLimit = INT_MAX;
    virtual int outputLimit() const { return kNoOutputLimit; }

    // A model reply: the identifier and the catalogue's channel counts for it.
    virtual void replyModel(const QString &id, int inputs, int outputs) = 0;
    virtual void replySwitchList(const QJsonArray &sws) = 0;  // "SWS", already grouped
    virtual void replyOutputStates(const QJsonArray &st) = 0; // "OutPutST"
    virtual void replyIp(const QString &text) = 0;
    virtual void replyIpMask(const QString &text) = 0;
    virtual void replyIpGateway(const QString &text) = 0;
    virtual void replyServiceType(const QString &text) = 0;
    virtual void replyServiceNum(const QString &text) = 0;
    virtual void replyOutPE(int port, int value, const QString &valueText) = 0;
    virtual void replyOutSW(int port, int value) = 0;
    virtual void replyInEQ(int value) = 0;
    virtual void replyEdidText(const QString &text) = 0;
    virtual void replyBeep(bool on) = 0;
    virtual void replyBoardInfo(const QString &json) = 0;
    virtual void replyHdmiAudioInsert(int port, int value) = 0;
    virtual void replyDisplayMode(int value) = 0;
    virtual void replySplitterMode(int value) = 0;
    virtual void replySpliceMode(int value) = 0;
    virtual void replyResolution(int value) = 0;
    virtual void replyRotate(int value) = 0;
    virtual void replyAudioHdmiOrAnalog(int port, int value) = 0;
    virtual void replyAudioSelect(int value) = 0;
    virtual void replyOutRes(int value) = 0;
};
