#pragma once

#include "ConnectionStatus.h"
#include "MyCustomType.h"
#include "TrafficConsole.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVector>

#include <memory>

class ClientIO;
class LinkSupervisor;
class OutputLocks;
class RouteStage;
class RouteWatch;
class RoutingHistory;
class CommandAdapter;
class QQmlEngine;
class QTimer;
class QTranslator;
class ReplyApplier;
class SettingsStore;

// The panel's application context: the device link, the device state the screens show
// and the operator's settings. The QML screens see it as "appContext" and use only the
// properties, notifications and invokable operations declared here.
class AppContext : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int connectType READ connectType WRITE setConnectType NOTIFY connectTypeChanged)
    Q_PROPERTY(QJsonArray serialPorts READ serialPorts NOTIFY serialPortsChanged)
    Q_PROPERTY(QString currentSerialport READ currentSerialport WRITE setCurrentSerialport NOTIFY
                   currentSerialportChanged)
    Q_PROPERTY(int currentSerialportBaudrate READ currentSerialportBaudrate WRITE setCurrentSerialportBaudrate
                   NOTIFY currentSerialportBaudrateChanged)
    Q_PROPERTY(QString currentIP READ currentIP WRITE setCurrentIP NOTIFY currentIPChanged)
    Q_PROPERTY(bool isConnected READ isConnected WRITE setIsConnected NOTIFY isConnectedChanged)
    Q_PROPERTY(
        bool isConnectPending READ isConnectPending WRITE setIsConnectPending NOTIFY isConnectPendingChanged)
    Q_PROPERTY(QString serviceType READ serviceType WRITE setServiceType NOTIFY serviceTypeChanged)
    Q_PROPERTY(QString serviceNum READ serviceNum WRITE setServiceNum NOTIFY serviceNumChanged)
    Q_PROPERTY(QString ip READ ip WRITE setIp NOTIFY ipChanged)
    Q_PROPERTY(QString ipMask READ ipMask WRITE setIpMask NOTIFY ipMaskChanged)
    Q_PROPERTY(QString ipGateway READ ipGateway WRITE setIpGateway NOTIFY ipGatewayChanged)
    Q_PROPERTY(int inChannels READ inChannels WRITE setInChannels NOTIFY inChannelsChanged)
    Q_PROPERTY(int outChannels READ outChannels WRITE setOutChannels NOTIFY outChannelsChanged)
    Q_PROPERTY(QJsonArray sws READ sws WRITE setSws NOTIFY swsChanged)
    Q_PROPERTY(QJsonArray outputST READ outputST WRITE setOutputST NOTIFY outputSTChanged)
    Q_PROPERTY(QJsonObject setting READ setting WRITE setSetting NOTIFY settingChanged)
    Q_PROPERTY(QString mode READ mode WRITE setMode NOTIFY modeChanged)
    Q_PROPERTY(int currentOutPESWPort READ currentOutPESWPort WRITE setcurrentOutPESWPort)
    Q_PROPERTY(int currentOutPE READ currentOutPE WRITE setCurrentOutPE NOTIFY currentOutPEChanged)
    Q_PROPERTY(int currentOutSW READ currentOutSW WRITE setCurrentOutSW NOTIFY currentOutSWChanged)
    Q_PROPERTY(int currentInEQ READ currentInEQ WRITE setCurrentInEQ NOTIFY currentInEQChanged)
    Q_PROPERTY(
        QString currentEDIDStr READ currentEDIDStr WRITE setCurrentEDIDStr NOTIFY currentEDIDStrChanged)
    Q_PROPERTY(bool beep READ beep WRITE setBeep NOTIFY beepChanged)
    Q_PROPERTY(int currentHDMIAudioSelPort READ currentHDMIAudioSelPort WRITE setcurrentHDMIAudioSelPort)
    Q_PROPERTY(int currentHDMIAudioSel READ currentHDMIAudioSel WRITE setcurrentHDMIAudioSel NOTIFY
                   currentHDMIAudioSelChanged)
    Q_PROPERTY(QJsonObject inputOutputInfos READ inputOutputInfos WRITE setInputOutputInfos NOTIFY
                   inputOutputInfosChanged)
    Q_PROPERTY(bool language READ language WRITE setlanguage NOTIFY languageChanged)
    Q_PROPERTY(bool inited READ inited NOTIFY initedChanged)
    Q_PROPERTY(bool languagePending READ languagePending)
    Q_PROPERTY(int DisplayMode READ DisplayMode WRITE setDisplayMode NOTIFY sgdisplayModeChanged)
    Q_PROPERTY(int SplitterMode READ SplitterMode WRITE setSplitterMode NOTIFY sgsplitterModeChanged)
    Q_PROPERTY(int SpliceMode READ SpliceMode WRITE setSpliceMode NOTIFY sgspliceModeChanged)
    Q_PROPERTY(int Resolution READ Resolution WRITE setResolution NOTIFY sgResolutionChanged)
    Q_PROPERTY(int Rotate READ Rotate WRITE setRotate NOTIFY sgRotateChanged)
    Q_PROPERTY(int Mirror READ Mirror WRITE setMirror NOTIFY sgMirrorChanged)
    Q_PROPERTY(int Audioselect READ Audioselect WRITE setAudioselect NOTIFY sgAudioSelectChanged)
    Q_PROPERTY(QList<int> AudioHdmiOrAnalog READ AudioHdmiOrAnalog WRITE setAudioHdmiOrAnalog NOTIFY
                   sgAudioHdmiOrAnalogChanged)
    Q_PROPERTY(int OutRes READ OutRes WRITE setOutRes NOTIFY sgOutResSelectChanged)
    Q_PROPERTY(MyCustomType customData READ getCustomData WRITE setCustomData NOTIFY customDataChanged)
    // Why the last attempt failed or the link dropped (see ConnectionStatus.h).
    Q_PROPERTY(QString connectProblem READ connectProblem NOTIFY connectProblemChanged)
    Q_PROPERTY(TrafficConsole *traffic READ traffic CONSTANT)
    // Outputs that remote controllers locked against routing.
    Q_PROPERTY(OutputLocks *locks READ locks CONSTANT)
    // Presence, keep-alive and reconnecting of the device link.
    Q_PROPERTY(LinkSupervisor *link READ supervisor CONSTANT)
    // What became of each routing command; changes made elsewhere.
    Q_PROPERTY(RouteWatch *routes READ routes CONSTANT)
    // Undo and redo of routing; routing staged for a take.
    Q_PROPERTY(RoutingHistory *history READ history CONSTANT)
    Q_PROPERTY(RouteStage *stage READ stage CONSTANT)
    // The device address in use as "host:port", and where the last network attempt went.
    Q_PROPERTY(QString linkAddress READ linkAddress NOTIFY currentIPChanged)
    Q_PROPERTY(QString connectTarget READ connectTarget NOTIFY connectProblemChanged)

public:
    // The process-wide instance; the first call creates it.
    static AppContext *Instance();

    // Public so that tests can work on a fresh context; the panel uses Instance().
    explicit AppContext(QObject *parent = nullptr);
    ~AppContext() override;

    void setEngine(QQmlEngine *engine);
    // The settings file is "setting.data" in the working directory until the program picks
    // its own at start (SettingsStore::panelPath()), naming it in the log.
    void chooseSettingsFile();
    QString settingsPath() const;

    // ---- accessors ----
    int connectType() const { return _conntype; }
    void setConnectType(int v);
    QJsonArray serialPorts() const { return _serialports; }
    QString currentSerialport() const { return _currentSerialport; }
    void setCurrentSerialport(const QString &v);
    int currentSerialportBaudrate() const { return _currentSerialportBaudrate; }
    void setCurrentSerialportBaudrate(int v);
    QString currentIP() const { return _currentIP; }
    void setCurrentIP(const QString &v);
    // The address in use as "host:port" (the default port written out), or the text as
    // typed when it is no address.
    QString linkAddress() const;
    bool isConnected() const { return _isConnected; }
    void setIsConnected(bool v);
    bool isConnectPending() const { return _isConnectPending; }
    void setIsConnectPending(bool v);
    // Why the last attempt failed or the link dropped (a key, see ConnectionStatus.h);
    // empty while connecting, once connected, and after a disconnection asked for.
    QString connectProblem() const { return _connectProblem; }
    // "host:port" of the last network attempt; empty after a serial one.
    QString connectTarget() const { return _connectTarget; }
    QString serviceType() const { return _servicetype; }
    void setServiceType(const QString &v);
    QString serviceNum() const { return _servicenum; }
    void setServiceNum(const QString &v);
    QString ip() const { return _ip; }
    void setIp(const QString &v);
    QString ipMask() const { return _ipMask; }
    void setIpMask(const QString &v);
    QString ipGateway() const { return _ipGateway; }
    void setIpGateway(const QString &v);
    int inChannels() const { return _inchannels; }
    void setInChannels(int v);
    int outChannels() const { return _outchannels; }
    void setOutChannels(int n);
    QJsonArray sws() const { return _sws; }
    void setSws(const QJsonArray &v);
    QJsonArray outputST() const { return _outputST; }
    void setOutputST(const QJsonArray &v);
    QJsonObject setting() const { return _setting; }
    void setSetting(const QJsonObject &v);
    QString mode() const { return _mode; }
    void setMode(const QString &v);
    int currentOutPESWPort() const { return _currentOutPESWPort; }
    void setcurrentOutPESWPort(int v);
    int currentOutPE() const { return _currentOutPE; }
    void setCurrentOutPE(int v);
    int currentOutSW() const { return _currentOutSW; }
    void setCurrentOutSW(int v);
    int currentInEQ() const { return _currentInEQ; }
    void setCurrentInEQ(int v);
    QString currentEDIDStr() const { return _currentEDIDStr; }
    void setCurrentEDIDStr(const QString &v);
    bool beep() const { return _beep; }
    void setBeep(bool v);
    int currentHDMIAudioSelPort() const { return _currentHDMIAudioSelPort; }
    void setcurrentHDMIAudioSelPort(int v);
    int currentHDMIAudioSel() const { return _currentHDMIAudioSel; }
    void setcurrentHDMIAudioSel(int v);
    QJsonObject inputOutputInfos() const { return _inputOutputInfos; }
    void setInputOutputInfos(const QJsonObject &v);
    bool language() const { return _language; }
    void setlanguage(bool v);
    bool inited() const { return _inited; }
    bool languagePending() const { return _languagePending; }
    int DisplayMode() const { return _displayMode; }
    void setDisplayMode(int v);
    int SplitterMode() const { return _splitterMode; }
    void setSplitterMode(int v);
    int SpliceMode() const { return _spliceMode; }
    void setSpliceMode(int v);
    int Resolution() const { return _resolution; }
    void setResolution(int v);
    int Rotate() const { return _rotate; }
    void setRotate(int v);
    int Mirror() const { return _mirror; }
    void setMirror(int v);
    int Audioselect() const { return _audioselect; }
    void setAudioselect(int v);
    QList<int> AudioHdmiOrAnalog() const { return _audioHdmiOrAnalog; }
    void setAudioHdmiOrAnalog(const QList<int> &v);
    int OutRes() const { return _outRes; }
    void setOutRes(int v);
    MyCustomType getCustomData() const { return m_customData; }
    void setCustomData(const MyCustomType &v);
    // Every line sent and received, for the console window.
    TrafficConsole *traffic() const { return _traffic; }
    OutputLocks *locks() const { return _locks; }
    LinkSupervisor *supervisor() const { return _supervisor; }
    RouteWatch *routes() const { return _routes; }
    RoutingHistory *history() const { return _history; }
    RouteStage *stage() const { return _stage; }

    // ---- for controllers other than the screens (router protocol, command line) ----
    // A device answered with its model, so its channel counts are known.
    bool deviceIdentified() const { return !_mode.isEmpty() && _inchannels > 0 && _outchannels > 0; }
    // The input feeding each output (index 0 for output 1) as the device last reported
    // it; 0 where it has not said.
    QVector<int> confirmedRouting() const;
    // Routes without looking at locks: the caller has checked them. Sends nothing while
    // disconnected or for an input or outputs outside the model.
    void routeOutputs(int in, const QList<int> &outs);
    // The name a channel shows: the operator's name, or its number when it has none.
    Q_INVOKABLE QString channelLabel(bool input, int n) const;
    // Names a channel as the naming screen does (kept in "setting.data"); an empty name
    // removes the operator's name, so the channel shows its number again.
    Q_INVOKABLE void setChannelName(bool input, int n, const QString &name);
    // Several at once: one change of the settings, one save.
    void setChannelNames(bool input, const QMap<int, QString> &names);
    // One key of "setting.data", saved at once (the file is read first, as every
    // one-key save does).
    void storeSetting(const QString &key, const QJsonValue &value) { saveKey(key, value); }
    // The link in use or chosen, as "tcp:HOST" or "serial:PORT".
    QString linkTarget() const;
    // Chooses the link for this run only, leaving the stored choice as it is (the
    // program without a window takes it from its command line).
    void useLink(int connectType, const QString &target, int baudrate);

    // ---- operations ----
    Q_INVOKABLE void init();
    Q_INVOKABLE void scanSerialPorts();
    Q_INVOKABLE void connectTerminal();
    Q_INVOKABLE void disconnectTerminal();
    // Drops a connection attempt under way, and stops waiting to reconnect.
    Q_INVOKABLE void cancelConnect();
    // The link chosen, as the operator reads it: "127.0.0.1:8080" or the serial port.
    Q_INVOKABLE QString linkDescription() const;
    Q_INVOKABLE void loadSetting();
    Q_INVOKABLE void saveSetting();
    Q_INVOKABLE void changeLangeuageZhCN(bool val);
    // Both return whether the file was read or written whole; edidFileMessage() then
    // tells the operator the outcome, naming the file and the reason of a failure, or
    // the defects of an EDID that loaded.
    Q_INVOKABLE bool loadEDID_fromFile(QString filepath);
    Q_INVOKABLE bool saveEDID_toFile(QString fileurl);
    Q_INVOKABLE QString edidFileMessage() const { return _edidFileMessage; }
    Q_INVOKABLE void updateInputOutputInfo(QString infoStr);
    Q_INVOKABLE void cmd_SetAudioHdmiOrAnlog(int port, int value);
    Q_INVOKABLE int cmd_GetAudioHdmiOrAnlog(int port);

    Q_INVOKABLE void sendCmd_Ping();
    Q_INVOKABLE void sendCmd_GetSW();
    Q_INVOKABLE void sendCmd_GetOutput();
    Q_INVOKABLE void sendCmd_GetIP();
    Q_INVOKABLE void sendCmd_GetIPMask();
    Q_INVOKABLE void sendCmd_GetIPGateway();
    Q_INVOKABLE void sendCmd_SetIP(QString ip);
    Q_INVOKABLE void sendCmd_SetIPMask(QString mask);
    Q_INVOKABLE void sendCmd_SetIPGateway(QString gateway);
    Q_INVOKABLE void sendCmd_GetServiceType();
    Q_INVOKABLE void sendCmd_GetServiceNum();
    Q_INVOKABLE void sendCmd_SetServiceType(QString val);
    Q_INVOKABLE void sendCmd_SetServiceNum(QString val);
    Q_INVOKABLE void sendCmd_SW(int in, QJsonArray out);
    Q_INVOKABLE void sendCmd_DelaySW(int in, QJsonArray out);
    Q_INVOKABLE void sendCmd_SWOTO();
    Q_INVOKABLE void sendCmd_SetOutput(int key, bool val, int delay = 0);
    Q_INVOKABLE void sendCmd_DisplayBanner(int key, bool val);
    Q_INVOKABLE void sendCmd_SaveSence(int val);
    Q_INVOKABLE void sendCmd_CallSence(int val);
    Q_INVOKABLE void sendCmd_SenceDefault();
    Q_INVOKABLE void sendCmd_SetSenceLoopEN(QJsonArray keys, int interval);
    Q_INVOKABLE void sendCmd_SetSenceLoopDis();
    Q_INVOKABLE void sendCmd_SetEDID(int key, int val);
    Q_INVOKABLE void sendCmd_GetOutPE(int key);
    Q_INVOKABLE void sendCmd_SetOutPE(int key, int val);
    Q_INVOKABLE void sendCmd_GetOutSW(int key);
    Q_INVOKABLE void sendCmd_SetOutSW(int key, int val);
    Q_INVOKABLE void sendCmd_GetRXEQ(int key);
    Q_INVOKABLE void sendCmd_SetRXEQ(int key, int val);
    Q_INVOKABLE void sendCmd_GetEDIDData(int val);
    Q_INVOKABLE void sendCmd_SetEDIDData(int key, QString val);
    Q_INVOKABLE void sendCmd_GetBeepEn();
    Q_INVOKABLE void sendCmd_SetBeepEn(bool val);
    Q_INVOKABLE void sendCmd_ResetFactory();
    Q_INVOKABLE void sendCmd_RxTxResetFactory(int port);
    Q_INVOKABLE void sendCmd_BeepONOnce();
    Q_INVOKABLE void sendCmd_ReadRXTXInfo(int port);
    Q_INVOKABLE void sendCmd_SetRXTXResolution(int port, int resolutionindex);
    Q_INVOKABLE void sendCmd_GetRXTXResolution(int port);
    Q_INVOKABLE void sendCmd_SetRXTXAudioSelect(int port, int audioindex);
    Q_INVOKABLE void sendCmd_SetRXTXBrightness(int port, int brightness);
    Q_INVOKABLE void sendCmd_SetRXTXContrast(int port, int contrast);
    Q_INVOKABLE void sendCmd_SetRXTXSharpness(int port, int sharpness);
    Q_INVOKABLE void sendCmd_SetRXTXColorTempR(int port, int colorTempR);
    Q_INVOKABLE void sendCmd_SetRXTXColorTempG(int port, int colorTempG);
    Q_INVOKABLE void sendCmd_SetRXTXColorTempB(int port, int colorTempB);
    Q_INVOKABLE void sendCmd_SetVideoWallGap(int port, int hgap, int vgap);
    Q_INVOKABLE void sendCmd_SetRXTXVideoWall(int port, int Htotal, int Vtotal, int Hpos, int Vpos,
                                              int Group);
    Q_INVOKABLE void sendCmd_SetSubtitleEnable(int port, int enable);
    Q_INVOKABLE void sendCmd_SetSubtitleColor(int port, int color);
    Q_INVOKABLE void sendCmd_SetSubtitlePosition(int port, int pos);
    Q_INVOKABLE void sendCmd_SetSubtitleScrolling(int port, int mov);
    Q_INVOKABLE void sendCmd_SetSubtitleBGColor(int port, int BG);
    Q_INVOKABLE void sendCmd_SetSubtitleAlpha(int port, int Alpha);
    Q_INVOKABLE void sendCmd_HDMIAudioInsertSlect(int port, int audio);
    Q_INVOKABLE void sendCmd_GetHDMIAudio(int port);
    Q_INVOKABLE void sendCmd_SetDisplayMode(int mode);
    Q_INVOKABLE void sendCmd_SetSplitterMode(int mode);
    Q_INVOKABLE void sendCmd_SetSpliceMode(int mode);
    Q_INVOKABLE void sendCmd_SetRelution(int mode);
    Q_INVOKABLE void sendCmd_SetRotate(int mode);
    Q_INVOKABLE void sendCmd_SetMirror(int port, int mode);
    Q_INVOKABLE void sendCmd_SetMirror2(int mode);
    Q_INVOKABLE void sendCmd_SetAudioSelect(int mode);
    Q_INVOKABLE void sendCmd_SetAudioHdmiOrAnlog(int port, int mode);
    Q_INVOKABLE void sendCmd_GetAudioHdmiOrAnlog(int port);
    Q_INVOKABLE void sendCmd_SetSubtitleTXT(int port, QString val);

    // Subtitle text as the device takes it: "\uXXXX" per UTF-16 code unit.
    static QString stringToUnicode(const QString &text);

    // The link currently in use, or null (for tests and diagnostics).
    ClientIO *clientIO() const { return _clientio; }
    // Takes over a link made elsewhere (a test double or another transport): drops the
    // current link, wires the new one like a link of connectTerminal() and opens it.
    void attachLink(ClientIO *link);
    // The waits of the connection lifecycle, taken by the next link and timer start.
    void setConnectionTimings(const ConnectionTimings &timings);
    // Largest unterminated line the receive buffer keeps before it is discarded.
    static constexpr int kMaxReceiveBuffer = 1024 * 1024;
    // Bytes of an unfinished line waiting in the receive buffer (for tests and diagnostics).
    int receiveBufferSize() const { return _data.size(); }

signals:
    void connectTypeChanged();
    void serialPortsChanged();
    void currentSerialportChanged();
    void currentSerialportBaudrateChanged();
    void currentIPChanged();
    void isConnectedChanged();
    void isConnectPendingChanged();
    void ipChanged();
    void ipMaskChanged();
    void ipGatewayChanged();
    void serviceTypeChanged();
    void serviceNumChanged();
    void inChannelsChanged();
    void outChannelsChanged();
    void swsChanged();
    void settingChanged();
    void outputSTChanged();
    void currentOutPEChanged();
    void currentHDMIAudioSelChanged();
    void currentOutSWChanged();
    void currentInEQChanged();
    void currentEDIDStrChanged();
    void modeChanged();
    void beepChanged();
    void initedChanged();
    void inputOutputInfosChanged();
    void languageChanged();
    void sgdisplayModeChanged();
    void sgsplitterModeChanged();
    void sgspliceModeChanged();
    void sgResolutionChanged();
    void sgRotateChanged();
    void sgMirrorChanged();
    void sgAudioSelectChanged();
    void sgAudioHdmiOrAnalogChanged();
    void sgOutResSelectChanged();
    void customDataChanged();
    void connectProblemChanged();
    // A routing asked for on the screens left out locked outputs (every output it
    // would have touched for "One To One", which was then not sent at all).
    void routingRefused(const QVariantList &outputs, bool oneToOne);
    // Something to tell the operator in the notice bar: "noDeviceAnswer",
    // "stoppedAnswering", "reconnected", "notConfirmed" (args: {output, input} each).
    void notice(const QString &key, const QVariantList &args);

private slots:
    void onConnected();
    void onDisconnected();
    void onReadReady();
    void afterConnected();
    void onRead_timerout();

private:
    // One-key saves: reload the file, set the key, write the file.
    void saveConnectType();
    void saveCurrrentSerialport();
    void saveCurrentSerialportBaudrate();
    void saveCurrentIP();
    void saveKey(const QString &key, const QJsonValue &value);

    // Discards an unfinished line that has grown past kMaxReceiveBuffer.
    void dropOversizedLine();
    // After such a discard: drops the rest of that line up to its CR LF; false while the
    // buffer still holds nothing but the discarded line.
    bool skipDiscardedLine();
    void setConnectProblem(const QString &problem);
    // Closes the current link (if any) and releases it through the event loop.
    void dropLink();
    // Makes and opens the link chosen (connectTerminal() without the operator's say).
    void openLink();
    // Closes a live link that failed in a way only the context sees; problem says why.
    void loseLink(const QString &problem);
    void wireSupervision();
    void wireHistory();
    // The confirmed input of each of these outputs (those the device reported).
    QMap<int, int> routingOf(const QList<int> &outputs) const;
    QList<int> allOutputs() const;
    bool outputOpen(int output) const;
    // "keepAliveSeconds", "pollSeconds" and "reconnect" of the settings file.
    void applySupervisionSettings(const QJsonObject &saved);
    // A routing report: confirmation and changes made elsewhere, then the screens.
    friend class ReplyApplier;
    void applyRoutingReport(const QJsonArray &sws);
    void applyModelReply(const QString &id, int inputs, int outputs);
    void replyRecognised();
    // A scene recall or reset routes every output: each takes what the device reports.
    void expectAnyRouting();
    // Writes one command line to the current link when connected.
    void send(const QByteArray &line);
    // As send(), logging the operation's name first (the start-up queries).
    void sendLogged(const char *name, const QByteArray &line);
    // Port guard shared by the board and subtitle operations.
    bool sendToPort(int port, const QByteArray &line);

    QJsonObject _setting;
    bool _inited = false;
    int _conntype = 0;
    QJsonArray _serialports;
    QString _currentSerialport;
    int _currentSerialportBaudrate = 0;
    QString _currentIP;
    bool _isConnected = false;
    bool _isConnectPending = false;
    QString _mode;
    QString _servicetype;
    QString _servicenum;
    QString _ip;
    QString _ipMask;
    QString _ipGateway;
    int _inchannels = 0;
    int _outchannels = 0;
    QJsonArray _sws;
    QJsonArray _outputST;
    QJsonObject _inputOutputInfos;
    int _currentOutPESWPort = 0;
    int _currentOutPE = 0;
    int _currentOutSW = 0;
    int _currentInEQ = 0;
    QString _currentEDIDStr;
    QString _edidFileMessage;
    bool _beep = false;
    int _currentHDMIAudioSelPort = 0;
    int _currentHDMIAudioSel = 0;
    ClientIO *_clientio = nullptr;
    CommandAdapter *_cmdadapter = nullptr;
    QByteArray _data;
    QTranslator *lan_zh = nullptr;
    QQmlEngine *engine = nullptr;
    bool _language = false;
    bool _languagePending = false;
    int _displayMode = 0;
    int _splitterMode = 0;
    int _spliceMode = 0;
    int _resolution = 0;
    int _rotate = 0;
    int _mirror = 0;
    int _audioselect = 0;
    QList<int> _audioHdmiOrAnalog;
    QTimer *rx_timer = nullptr;
    int _outRes = 0;
    MyCustomType m_customData;
    TrafficConsole *_traffic = nullptr;
    OutputLocks *_locks = nullptr;
    LinkSupervisor *_supervisor = nullptr;
    RouteWatch *_routes = nullptr;
    RoutingHistory *_history = nullptr;
    RouteStage *_stage = nullptr;
    bool _askedClose = false;   // the link going down was closed on purpose
    QString _lossProblem;       // why loseLink() closed the link
    bool _inFirstQueries = false;
    int _ownRoutingQueries = 0; // routing queries of the watch, not yet answered
    int _keepAlivePings = 0;    // keep-alive PINGs not yet answered

    bool _analyzing = false;      // the receive buffer is being parsed
    bool _discardingLine = false; // an over-long line was dropped; its rest is dropped too
    QString _connectProblem;
    QString _connectTarget;
    ConnectionTimings _timings;
    std::unique_ptr<ReplyApplier> _replies;
    std::unique_ptr<SettingsStore> _store;
};
