// The operations the screens invoke to query or change the device. Each sends at most
// one command line, and only while a link is connected.
#include "AppContext.h"

#include "ClientIO.h"
#include "CommandAdapter.h"
#include "ContextLog.h"
#include "DelayMSec.h"
#include "OutputLocks.h"
#include "RouteWatch.h"
#include "RoutingHistory.h"

namespace {

QList<int> toInts(const QJsonArray &array)
{
    QList<int> values;
    values.reserve(array.size());
    for (const QJsonValue &v : array)
        values.append(v.toInt(0));
    return values;
}

} // namespace

void AppContext::send(const QByteArray &line)
{
    if (!isConnected() || !_clientio)
        return;
    if (_clientio->write(line) >= 0)
        _traffic->log()->addSent(line);
}

bool AppContext::sendToPort(int port, const QByteArray &line)
{
    if (port <= 0)
        return false;
    send(line);
    return true;
}

void AppContext::sendLogged(const char *name, const QByteArray &line)
{
    if (!isConnected())
        return;
    qCDebug(lcContext) << name;
    send(line);
}

using CA = CommandAdapter;

void AppContext::sendCmd_Ping()
{
    sendLogged("sendCmd_Ping", CA::genPing());
}

void AppContext::sendCmd_GetSW()
{
    sendLogged("sendCmd_GetSW", CA::genGetSW());
}

void AppContext::sendCmd_GetOutput()
{
    sendLogged("sendCmd_GetOutput", CA::genGetOutput());
}

void AppContext::sendCmd_GetIP()
{
    sendLogged("sendCmd_GetIP", CA::genGetIP());
}

void AppContext::sendCmd_GetIPMask()
{
    send(CA::genGetIPMask());
}
void AppContext::sendCmd_GetIPGateway()
{
    send(CA::genGetIPGateWay());
}
void AppContext::sendCmd_SetIP(QString ip)
{
    send(CA::genSetIP(ip));
}
void AppContext::sendCmd_SetIPMask(QString mask)
{
    send(CA::genSetIPMask(mask));
}
void AppContext::sendCmd_SetIPGateway(QString gateway)
{
    send(CA::genSetIPGateWay(gateway));
}
void AppContext::sendCmd_GetServiceType()
{
    send(CA::genGetServiceType());
}
void AppContext::sendCmd_GetServiceNum()
{
    send(CA::genGetServiceNum());
}
void AppContext::sendCmd_SetServiceType(QString val)
{
    send(CA::genSetServiceType(val));
}
void AppContext::sendCmd_SetServiceNum(QString val)
{
    send(CA::genSetServiceNum(val));
}

void AppContext::sendCmd_SW(int in, QJsonArray out)
{
    if (!isConnected())
        return;
    QList<int> outs = toInts(out);
    const QList<int> locked = _locks->lockedAmong(outs);
    if (!locked.isEmpty()) {
        QVariantList refused;
        for (int o : locked) {
            outs.removeAll(o);
            refused.append(o);
        }
        emit routingRefused(refused, false);
        if (outs.isEmpty())
            return;
    }
    const QMap<int, int> before = routingOf(outs);
    send(CA::genSW(in, outs));
    QMap<int, int> asked;
    for (int o : outs)
        asked.insert(o, in);
    _routes->expect(asked);
    _history->recordRoute(before, asked);
}

void AppContext::sendCmd_DelaySW(int in, QJsonArray out)
{
    Delay_MSec(200);
    sendCmd_SW(in, out);
}

void AppContext::sendCmd_SWOTO()
{
    // One command reroutes every output: with any of them locked it is not sent.
    QVariantList locked;
    for (int o = 1; o <= _outchannels; ++o)
        if (_locks->isLocked(o))
            locked.append(o);
    if (!locked.isEmpty() && isConnected()) {
        emit routingRefused(locked, true);
        return;
    }
    const QMap<int, int> before = routingOf(allOutputs());
    send(CA::genSWOTO());
    if (isConnected()) {
        // Output k shows input k, or the last input on a device with fewer inputs.
        QMap<int, int> asked;
        for (int o = 1; o <= _outchannels; ++o)
            asked.insert(o, _inchannels > 0 ? qMin(o, _inchannels) : 0);
        _routes->expect(asked);
        _history->recordRoute(before, asked);
    }
}

void AppContext::sendCmd_SetOutput(int key, bool val, int delay)
{
    if (!isConnected())
        return;
    _history->recordOutputs({{key, outputOpen(key)}}, {{key, val}});
    // A negative delay would be taken as weeks by the unsigned wait.
    Delay_MSec(static_cast<unsigned int>(qMax(0, delay)));
    // The link may have been replaced, removed or lost while waiting: send() checks.
    send(CA::genSetOutput(key, val));
}

void AppContext::sendCmd_DisplayBanner(int key, bool val)
{
    send(CA::genDisplayBanner(key, val));
}
void AppContext::sendCmd_SaveSence(int val)
{
    send(CA::genScenceSave(val));
}
void AppContext::sendCmd_CallSence(int val)
{
    const QMap<int, int> before = routingOf(allOutputs());
    send(CA::genScenceCall(val));
    expectAnyRouting();
    if (isConnected())
        _history->recordScene(val, before);
}
void AppContext::sendCmd_SenceDefault()
{
    send(CA::genSenceDefault());
    _routes->setDeviceRoutesByItself(false);
    expectAnyRouting();
}

void AppContext::expectAnyRouting()
{
    // Every output takes whatever the recalled routing is.
    if (!isConnected())
        return;
    QMap<int, int> any;
    for (int o = 1; o <= _outchannels; ++o)
        any.insert(o, 0);
    _routes->expect(any);
}

void AppContext::sendCmd_SetSenceLoopEN(QJsonArray keys, int interval)
{
    if (!isConnected())
        return;
    QList<int> scenes = toInts(keys);
    QList<int> intervals;
    for (int &scene : scenes) {
        scene -= 1; // scene 1 on screen is scene 0 on the wire
        intervals.append(interval);
    }
    send(CA::genSetSenceLoopEN(scenes, intervals));
    _routes->setDeviceRoutesByItself(true);
}

void AppContext::sendCmd_SetSenceLoopDis()
{
    send(CA::genSetSenceLoopDis());
    _routes->setDeviceRoutesByItself(false);
}
void AppContext::sendCmd_SetEDID(int key, int val)
{
    send(CA::genSetEDID(key, val));
}
void AppContext::sendCmd_GetOutPE(int key)
{
    send(CA::genGetOutPE(key));
}
void AppContext::sendCmd_SetOutPE(int key, int val)
{
    send(CA::genSetOutPE(key, val));
}
void AppContext::sendCmd_GetOutSW(int key)
{
    send(CA::genGetOutSW(key));
}
void AppContext::sendCmd_SetOutSW(int key, int val)
{
    send(CA::genSetOutSW(key, val));
}
void AppContext::sendCmd_GetRXEQ(int key)
{
    send(CA::genGetRXEQ(key));
}
void AppContext::sendCmd_SetRXEQ(int key, int val)
{
    send(CA::genSetRXEQ(key, val));
}
void AppContext::sendCmd_GetEDIDData(int val)
{
    send(CA::genGetEDIDData(val));
}
void AppContext::sendCmd_SetEDIDData(int key, QString val)
{
    send(CA::genSetEDIDData(key, val));
}
void AppContext::sendCmd_GetBeepEn()
{
    send(CA::genGetBeepEn());
}
void AppContext::sendCmd_SetBeepEn(bool val)
{
    send(CA::genSetBeepEn(val));
}
void AppContext::sendCmd_ResetFactory()
{
    send(CA::genResetFactory());
}
void AppContext::sendCmd_RxTxResetFactory(int port)
{
    send(CA::genRxTxResetFactory(port));
}
void AppContext::sendCmd_BeepONOnce()
{
    send(CA::genBeepONOnce());
}
void AppContext::sendCmd_ReadRXTXInfo(int port)
{
    send(CA::genReadRXTXInfo(port));
}

// ---- board and subtitle operations: port 0 or below is refused ----

void AppContext::sendCmd_SetRXTXResolution(int port, int v)
{
    sendToPort(port, CA::genSetRXTXResolution(port, v));
}
void AppContext::sendCmd_GetRXTXResolution(int port)
{
    sendToPort(port, CA::genGetRXTXResolution(port));
}
void AppContext::sendCmd_SetRXTXAudioSelect(int port, int v)
{
    sendToPort(port, CA::genSetRXTXAudioSelect(port, v));
}
void AppContext::sendCmd_SetRXTXBrightness(int port, int v)
{
    sendToPort(port, CA::genSetRXTXBrighntess(port, v));
}
void AppContext::sendCmd_SetRXTXContrast(int port, int v)
{
    sendToPort(port, CA::genSetRXTXContrast(port, v));
}
void AppContext::sendCmd_SetRXTXSharpness(int port, int v)
{
    sendToPort(port, CA::genSetRXTXSharpness(port, v));
}
void AppContext::sendCmd_SetRXTXColorTempR(int port, int v)
{
    sendToPort(port, CA::genSetRXTXColoTempR(port, v));
}
void AppContext::sendCmd_SetRXTXColorTempG(int port, int v)
{
    sendToPort(port, CA::genSetRXTXColoTempG(port, v));
}
void AppContext::sendCmd_SetRXTXColorTempB(int port, int v)
{
    sendToPort(port, CA::genSetRXTXColoTempB(port, v));
}

void AppContext::sendCmd_SetVideoWallGap(int port, int hgap, int vgap)
{
    sendToPort(port, CA::genSetVideoWallGap(port, hgap, vgap));
}

void AppContext::sendCmd_SetRXTXVideoWall(int port, int Htotal, int Vtotal, int Hpos, int Vpos, int Group)
{
    sendToPort(port, CA::genSetRXTXVideoWall(port, Htotal, Vtotal, Hpos, Vpos, Group));
}

void AppContext::sendCmd_SetSubtitleEnable(int port, int v)
{
    sendToPort(port, CA::genSetSubtitleEnable(port, v));
}
void AppContext::sendCmd_SetSubtitleColor(int port, int v)
{
    sendToPort(port, CA::genSetSubtitleColor(port, v));
}
void AppContext::sendCmd_SetSubtitlePosition(int port, int v)
{
    sendToPort(port, CA::genSetSubtitlePosition(port, v));
}
void AppContext::sendCmd_SetSubtitleScrolling(int port, int v)
{
    sendToPort(port, CA::genSetSubtitleScrolling(port, v));
}
void AppContext::sendCmd_SetSubtitleBGColor(int port, int v)
{
    sendToPort(port, CA::genSetSubtitleBGColor(port, v));
}
void AppContext::sendCmd_SetSubtitleAlpha(int port, int v)
{
    sendToPort(port, CA::genSetSubtitleAlpha(port, v));
}
void AppContext::sendCmd_HDMIAudioInsertSlect(int port, int v)
{
    sendToPort(port, CA::genSetSetHDMIAudioInsert(port, v));
}
void AppContext::sendCmd_GetHDMIAudio(int port)
{
    sendToPort(port, CA::genGetSetHDMIAudioInsert(port));
}

void AppContext::sendCmd_SetSubtitleTXT(int port, QString val)
{
    if (port <= 0 || !isConnected())
        return;
    send(CA::genSetSubtitleTXT(port, stringToUnicode(val)));
}

// ---- picture and splitter modes ----

void AppContext::sendCmd_SetDisplayMode(int mode)
{
    send(CA::genSetDisplayMode(mode));
}
void AppContext::sendCmd_SetSplitterMode(int mode)
{
    send(CA::genSetSplitterMode(mode));
}
void AppContext::sendCmd_SetSpliceMode(int mode)
{
    send(CA::genSetSpliceMode(mode));
}
void AppContext::sendCmd_SetRelution(int mode)
{
    send(CA::genSetRelution(mode));
}
void AppContext::sendCmd_SetRotate(int mode)
{
    send(CA::genSetRotate(mode));
}
void AppContext::sendCmd_SetMirror(int port, int mode)
{
    send(CA::genSetMirror(port, mode));
}

void AppContext::sendCmd_SetMirror2(int mode)
{
    // 16 x port + mirror kind: the port in the upper bits, the kind in the low four.
    send(CA::genSetMirror(mode >> 4, mode & 0xF));
}

void AppContext::sendCmd_SetAudioSelect(int mode)
{
    send(CA::genSetAudioSelecct(mode));
}
void AppContext::sendCmd_SetAudioHdmiOrAnlog(int port, int mode)
{
    send(CA::genSetAudioAnalogOrHDMI(port, mode));
}
void AppContext::sendCmd_GetAudioHdmiOrAnlog(int port)
{
    send(CA::genGetAudioAnalogOrHDMI(port));
}
