#pragma once

#include "ReplySink.h"

class AppContext;

// Applies recognised device replies to the application context, through its setters
// and in the order the screens rely on (a port is always stored before its value).
class ReplyApplier : public ReplySink
{
public:
    explicit ReplyApplier(AppContext *context) : _ctx(context) {}

    void lineReceived(const QByteArray &line) override;
    void lineUnrecognised(const QByteArray &line) override;
    void lineRecognised() override;

    // The identified model's outputs; before a model reply, the most any known model has.
    int outputLimit() const override;
    void replyModel(const QString &id, int inputs, int outputs) override;
    void replySwitchList(const QJsonArray &sws) override;
    void replyOutputStates(const QJsonArray &st) override;
    void replyIp(const QString &text) override;
    void replyIpMask(const QString &text) override;
    void replyIpGateway(const QString &text) override;
    void replyServiceType(const QString &text) override;
    void replyServiceNum(const QString &text) override;
    void replyOutPE(int port, int value, const QString &valueText) override;
    void replyOutSW(int port, int value) override;
    void replyInEQ(int value) override;
    void replyEdidText(const QString &text) override;
    void replyBeep(bool on) override;
    void replyBoardInfo(const QString &json) override;
    void replyHdmiAudioInsert(int port, int value) override;
    void replyDisplayMode(int value) override;
    void replySplitterMode(int value) override;
    void replySpliceMode(int value) override;
    void replyResolution(int value) override;
    void replyRotate(int value) override;
    void replyAudioHdmiOrAnalog(int port, int value) override;
    void replyAudioSelect(int value) override;
    void replyOutRes(int value) override;

private:
    AppContext *_ctx;
};
