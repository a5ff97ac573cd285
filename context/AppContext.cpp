#include "AppContext.h"

#include "ClientIO.h"
#include "CommandAdapter.h"
#include "ContextLog.h"
#include "LinkSupervisor.h"
#include "OutputLocks.h"
#include "RouteStage.h"
#include "RouteWatch.h"
#include "RoutingHistory.h"
#include "ReplyApplier.h"
#include "SettingsStore.h"

#include <QCoreApplication>
#include <QTimer>
#include <QTranslator>

AppContext *AppContext::Instance()
{
    static AppContext *instance = new AppContext();
    return instance;
}

AppContext::AppContext(QObject *parent)
    : QObject(parent), _replies(std::make_unique<ReplyApplier>(this)),
      _store(std::make_unique<SettingsStore>())
{
    qRegisterMetaType<MyCustomType>("MyCustomType");
    // The parts the screens reach through properties, readable as QVariants anywhere.
    qRegisterMetaType<OutputLocks *>();
    qRegisterMetaType<LinkSupervisor *>();
    qRegisterMetaType<RouteWatch *>();
    qRegisterMetaType<RoutingHistory *>();
    qRegisterMetaType<RouteStage *>();
    _traffic = new TrafficConsole(this);
    _traffic->setSender([this](const QByteArray &line) {
        if (!isConnected() || !_clientio)
            return false;
        send(line);
        return true;
    });
    _cmdadapter = new CommandAdapter(_replies.get(), this);
    // The English texts as the operator reads them where they differ from the source
    // texts, installed once and beneath the Chinese catalogue: that one is installed on
    // top whenever Chinese is chosen, and the newest translator is asked first.
    auto *english = new QTranslator(this);
    if (english->load(QStringLiteral(":/Tessaro_en.qm")))
        QCoreApplication::installTranslator(english);
    _locks = new OutputLocks(this);
    wireSupervision();
    wireHistory();
    lan_zh = new QTranslator(this);
    lan_zh->load(QStringLiteral(":/Tessaro_zh_CN.qm"));
    _currentSerialport = QString("");
    _currentIP = QString("");
}

AppContext::~AppContext()
{
    // The link and the adapter call back into this object; they go while it is whole.
    if (_clientio) {
        _clientio->disconnect(this);
        delete _clientio;
        _clientio = nullptr;
    }
    delete _cmdadapter;
    _cmdadapter = nullptr;
}

void AppContext::setEngine(QQmlEngine *e)
{
    engine = e;
}

// ---- link choice: saved to the settings file on every write ----

void AppContext::setConnectType(int v)
{
    _conntype = v;
    saveConnectType();
    emit connectTypeChanged();
}

void AppContext::setCurrentSerialport(const QString &v)
{
    _currentSerialport = v;
    saveCurrrentSerialport();
    emit currentSerialportChanged();
}

void AppContext::setCurrentSerialportBaudrate(int v)
{
    _currentSerialportBaudrate = v;
    saveCurrentSerialportBaudrate();
    emit currentSerialportBaudrateChanged();
}

void AppContext::setCurrentIP(const QString &v)
{
    _currentIP = v;
    saveCurrentIP();
    emit currentIPChanged();
}

// ---- plain setters: store and notify every time ----

#define TESSARO_PLAIN_SETTER(Setter, Type, field, signal)                                                    \
    void AppContext::Setter(Type v)                                                                          \
    {                                                                                                        \
        field = v;                                                                                           \
        emit signal();                                                                                       \
    }

TESSARO_PLAIN_SETTER(setIsConnected, bool, _isConnected, isConnectedChanged)
TESSARO_PLAIN_SETTER(setIsConnectPending, bool, _isConnectPending, isConnectPendingChanged)
TESSARO_PLAIN_SETTER(setServiceType, const QString &, _servicetype, serviceTypeChanged)
TESSARO_PLAIN_SETTER(setServiceNum, const QString &, _servicenum, serviceNumChanged)
TESSARO_PLAIN_SETTER(setIp, const QString &, _ip, ipChanged)
TESSARO_PLAIN_SETTER(setIpMask, const QString &, _ipMask, ipMaskChanged)
TESSARO_PLAIN_SETTER(setIpGateway, const QString &, _ipGateway, ipGatewayChanged)
TESSARO_PLAIN_SETTER(setInChannels, int, _inchannels, inChannelsChanged)
TESSARO_PLAIN_SETTER(setSws, const QJsonArray &, _sws, swsChanged)
TESSARO_PLAIN_SETTER(setOutputST, const QJsonArray &, _outputST, outputSTChanged)
TESSARO_PLAIN_SETTER(setSetting, const QJsonObject &, _setting, settingChanged)
TESSARO_PLAIN_SETTER(setCurrentOutPE, int, _currentOutPE, currentOutPEChanged)
TESSARO_PLAIN_SETTER(setCurrentOutSW, int, _currentOutSW, currentOutSWChanged)
TESSARO_PLAIN_SETTER(setCurrentInEQ, int, _currentInEQ, currentInEQChanged)
TESSARO_PLAIN_SETTER(setCurrentEDIDStr, const QString &, _currentEDIDStr, currentEDIDStrChanged)
TESSARO_PLAIN_SETTER(setBeep, bool, _beep, beepChanged)
TESSARO_PLAIN_SETTER(setcurrentHDMIAudioSel, int, _currentHDMIAudioSel, currentHDMIAudioSelChanged)
TESSARO_PLAIN_SETTER(setInputOutputInfos, const QJsonObject &, _inputOutputInfos, inputOutputInfosChanged)
TESSARO_PLAIN_SETTER(setlanguage, bool, _language, languageChanged)
TESSARO_PLAIN_SETTER(setDisplayMode, int, _displayMode, sgdisplayModeChanged)
TESSARO_PLAIN_SETTER(setSplitterMode, int, _splitterMode, sgsplitterModeChanged)
TESSARO_PLAIN_SETTER(setSpliceMode, int, _spliceMode, sgspliceModeChanged)
TESSARO_PLAIN_SETTER(setResolution, int, _resolution, sgResolutionChanged)
TESSARO_PLAIN_SETTER(setRotate, int, _rotate, sgRotateChanged)
TESSARO_PLAIN_SETTER(setMirror, int, _mirror, sgMirrorChanged)
TESSARO_PLAIN_SETTER(setAudioselect, int, _audioselect, sgAudioSelectChanged)
TESSARO_PLAIN_SETTER(setAudioHdmiOrAnalog, const QList<int> &, _audioHdmiOrAnalog, sgAudioHdmiOrAnalogChanged)
TESSARO_PLAIN_SETTER(setOutRes, int, _outRes, sgOutResSelectChanged)

#undef TESSARO_PLAIN_SETTER

// Ports without a notification: their companion value is always written after them.
void AppContext::setcurrentOutPESWPort(int v)
{
    _currentOutPESWPort = v;
}

void AppContext::setcurrentHDMIAudioSelPort(int v)
{
    _currentHDMIAudioSelPort = v;
}

void AppContext::setMode(const QString &v)
{
    _mode = v;
    emit modeChanged();
    sendCmd_BeepONOnce();
}

void AppContext::setCustomData(const MyCustomType &v)
{
    if (v == m_customData)
        return;
    m_customData = v;
    emit customDataChanged();
}

void AppContext::setOutChannels(int n)
{
    _outchannels = n;
    // Entries are made once and shared: building JSON objects is dear, and every model
    // reply rebuilds the whole list.
    static const QVector<QJsonObject> kOpen = [] {
        QVector<QJsonObject> v;
        for (int k = 0; k <= 128; ++k)
            v.append(QJsonObject{{QStringLiteral("index"), k}, {QStringLiteral("isOpen"), 1}});
        return v;
    }();
    QJsonArray states;
    for (int k = 1; k <= n; ++k)
        states.append(k < kOpen.size()
                          ? kOpen.at(k)
                          : QJsonObject{{QStringLiteral("index"), k}, {QStringLiteral("isOpen"), 1}});
    for (int k = 0; k < n; ++k)
        _audioHdmiOrAnalog.append(0);
    setOutputST(states);
    emit outChannelsChanged();
}

// ---- per-output audio choice, kept locally ----

void AppContext::cmd_SetAudioHdmiOrAnlog(int port, int value)
{
    // A port the list has no entry for (a device report naming a port the model does
    // not have) is ignored rather than written out of range.
    if (port < 1 || port > _audioHdmiOrAnalog.size()) {
        qCDebug(lcContext) << "cmd_SetAudioHdmiOrAnlog: no output" << port << "in the audio list";
        return;
    }
    _audioHdmiOrAnalog[port - 1] = value;
    emit sgAudioHdmiOrAnalogChanged();
}

int AppContext::cmd_GetAudioHdmiOrAnlog(int port)
{
    if (port < 1 || port > _audioHdmiOrAnalog.size())
        return 0;
    return _audioHdmiOrAnalog.at(port - 1);
}
