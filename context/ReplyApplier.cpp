#include "ReplyApplier.h"

#include "AppContext.h"
#include "ModelCatalogue.h"

int ReplyApplier::outputLimit() const
{
    const int outputs = _ctx->outChannels();
    return outputs > 0 ? outputs : ModelCatalogue::mostOutputs();
}

// Every line goes to the traffic log before it is acted upon.
void ReplyApplier::lineReceived(const QByteArray &line)
{
    _ctx->traffic()->log()->addReceived(line);
}

void ReplyApplier::lineUnrecognised(const QByteArray &line)
{
    _ctx->traffic()->log()->markUnrecognised(line);
}

void ReplyApplier::lineRecognised()
{
    _ctx->replyRecognised();
}

void ReplyApplier::replyModel(const QString &id, int inputs, int outputs)
{
    _ctx->applyModelReply(id, inputs, outputs);
}

void ReplyApplier::replySwitchList(const QJsonArray &sws)
{
    _ctx->applyRoutingReport(sws);
}

void ReplyApplier::replyOutputStates(const QJsonArray &st)
{
    _ctx->setOutputST(st);
}

void ReplyApplier::replyIp(const QString &text)
{
    _ctx->setIp(text);
}

void ReplyApplier::replyIpMask(const QString &text)
{
    _ctx->setIpMask(text);
}

void ReplyApplier::replyIpGateway(const QString &text)
{
    _ctx->setIpGateway(text);
}

void ReplyApplier::replyServiceType(const QString &text)
{
    _ctx->setServiceType(text);
}

void ReplyApplier::replyServiceNum(const QString &text)
{
    _ctx->setServiceNum(text);
}

void ReplyApplier::replyOutPE(int port, int value, const QString &valueText)
{
    _ctx->setcurrentOutPESWPort(port);
    _ctx->setCurrentOutPE(value);
    _ctx->setCustomData(MyCustomType(port, valueText));
}

void ReplyApplier::replyOutSW(int port, int value)
{
    _ctx->setcurrentOutPESWPort(port);
    _ctx->setCurrentOutSW(value);
}

void ReplyApplier::replyInEQ(int value)
{
    _ctx->setCurrentInEQ(value);
}

void ReplyApplier::replyEdidText(const QString &text)
{
    _ctx->setCurrentEDIDStr(text);
}

void ReplyApplier::replyBeep(bool on)
{
    _ctx->setBeep(on);
}

void ReplyApplier::replyBoardInfo(const QString &json)
{
    _ctx->updateInputOutputInfo(json);
}

void ReplyApplier::replyHdmiAudioInsert(int port, int value)
{
    _ctx->setcurrentHDMIAudioSelPort(port);
    _ctx->setcurrentHDMIAudioSel(value);
}

void ReplyApplier::replyDisplayMode(int value)
{
    _ctx->setDisplayMode(value);
}

void ReplyApplier::replySplitterMode(int value)
{
    _ctx->setSplitterMode(value);
}

void ReplyApplier::replySpliceMode(int value)
{
    _ctx->setSpliceMode(value);
}

void ReplyApplier::replyResolution(int value)
{
    _ctx->setResolution(value);
}

void ReplyApplier::replyRotate(int value)
{
    _ctx->setRotate(value);
}

void ReplyApplier::replyAudioHdmiOrAnalog(int port, int value)
{
    _ctx->cmd_SetAudioHdmiOrAnlog(port, value);
}

void ReplyApplier::replyAudioSelect(int value)
{
    _ctx->setAudioselect(value);
}

void ReplyApplier::replyOutRes(int value)
{
    _ctx->setOutRes(value);
}
