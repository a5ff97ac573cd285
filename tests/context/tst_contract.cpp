// The application context as the screens see it: its meta-object, and the setter rules
// the screens rely on.
#include "AppContext.h"
#include "RecordingClientIO.h"
#include "TestWorkDir.h"

#include <QMetaMethod>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QtTest>

class TstContract : public QObject
{
    Q_OBJECT
private slots:
    void propertiesInOrder();
    void notificationsInOrder();
    void operationsAreInvokable();
    void notifyEveryTimeButCustomData();
    void portPropertiesNeverNotify();
    void setOutChannelsBuildsStatesAndGrowsAudioList();
    void setOutChannelsZero();
    void audioChoiceOutOfRange();
    void modeBeepsOnlyWhileConnected();
    void linkChoiceSettersSaveTheirKey();
    void instanceIsSingle();
};

namespace {
const AppContext &probe()
{
    static AppContext ctx;
    return ctx;
}

struct Prop
{
    const char *name;
    const char *type;
    const char *notify; // "" for none
    bool writable;
};

const Prop kProps[] = {
    {"connectType", "int", "connectTypeChanged", true},
    {"serialPorts", "QJsonArray", "serialPortsChanged", false},
    {"currentSerialport", "QString", "currentSerialportChanged", true},
    {"currentSerialportBaudrate", "int", "currentSerialportBaudrateChanged", true},
    {"currentIP", "QString", "currentIPChanged", true},
    {"isConnected", "bool", "isConnectedChanged", true},
    {"isConnectPending", "bool", "isConnectPendingChanged", true},
    {"serviceType", "QString", "serviceTypeChanged", true},
    {"serviceNum", "QString", "serviceNumChanged", true},
    {"ip", "QString", "ipChanged", true},
    {"ipMask", "QString", "ipMaskChanged", true},
    {"ipGateway", "QString", "ipGatewayChanged", true},
    {"inChannels", "int", "inChannelsChanged", true},
    {"outChannels", "int", "outChannelsChanged", true},
    {"sws", "QJsonArray", "swsChanged", true},
    {"outputST", "QJsonArray", "outputSTChanged", true},
    {"setting", "QJsonObject", "settingChanged", true},
    {"mode", "QString", "modeChanged", true},
    {"currentOutPESWPort", "int", "", true},
    {"currentOutPE", "int", "currentOutPEChanged", true},
    {"currentOutSW", "int", "currentOutSWChanged", true},
    {"currentInEQ", "int", "currentInEQChanged", true},
    {"currentEDIDStr", "QString", "currentEDIDStrChanged", true},
    {"beep", "bool", "beepChanged", true},
    {"currentHDMIAudioSelPort", "int", "", true},
    {"currentHDMIAudioSel", "int", "currentHDMIAudioSelChanged", true},
    {"inputOutputInfos", "QJsonObject", "inputOutputInfosChanged", true},
    {"language", "bool", "languageChanged", true},
    {"inited", "bool", "initedChanged", false},
    {"languagePending", "bool", "", false},
    {"DisplayMode", "int", "sgdisplayModeChanged", true},
    {"SplitterMode", "int", "sgsplitterModeChanged", true},
    {"SpliceMode", "int", "sgspliceModeChanged", true},
    {"Resolution", "int", "sgResolutionChanged", true},
    {"Rotate", "int", "sgRotateChanged", true},
    {"Mirror", "int", "sgMirrorChanged", true},
    {"Audioselect", "int", "sgAudioSelectChanged", true},
    {"AudioHdmiOrAnalog", "QList<int>", "sgAudioHdmiOrAnalogChanged", true},
    {"OutRes", "int", "sgOutResSelectChanged", true},
    {"customData", "MyCustomType", "customDataChanged", true},
    {"connectProblem", "QString", "connectProblemChanged", false},
    {"traffic", "TrafficConsole*", "", false},
    {"locks", "OutputLocks*", "", false},
    {"link", "LinkSupervisor*", "", false},
    {"routes", "RouteWatch*", "", false},
    {"history", "RoutingHistory*", "", false},
    {"stage", "RouteStage*", "", false},
    {"linkAddress", "QString", "currentIPChanged", false},
    {"connectTarget", "QString", "connectProblemChanged", false},
};
} // namespace

void TstContract::propertiesInOrder()
{
    const QMetaObject *mo = probe().metaObject();
    const int first = QObject::staticMetaObject.propertyCount();
    QCOMPARE(mo->propertyCount() - first, int(std::size(kProps)));
    for (int i = 0; i < int(std::size(kProps)); ++i) {
        const QMetaProperty p = mo->property(first + i);
        const Prop &want = kProps[i];
        QCOMPARE(p.name(), want.name);
        QCOMPARE(p.typeName(), want.type);
        QCOMPARE(p.isWritable(), want.writable);
        if (*want.notify) {
            QVERIFY2(p.hasNotifySignal(), want.name);
            QCOMPARE(p.notifySignal().name(), QByteArray(want.notify));
        } else {
            QVERIFY2(!p.hasNotifySignal(), want.name);
        }
    }
}

void TstContract::notificationsInOrder()
{
    const QByteArrayList expected = {"connectTypeChanged",
                                     "serialPortsChanged",
                                     "currentSerialportChanged",
                                     "currentSerialportBaudrateChanged",
                                     "currentIPChanged",
                                     "isConnectedChanged",
                                     "isConnectPendingChanged",
                                     "ipChanged",
                                     "ipMaskChanged",
                                     "ipGatewayChanged",
                                     "serviceTypeChanged",
                                     "serviceNumChanged",
                                     "inChannelsChanged",
                                     "outChannelsChanged",
                                     "swsChanged",
                                     "settingChanged",
                                     "outputSTChanged",
                                     "currentOutPEChanged",
                                     "currentHDMIAudioSelChanged",
                                     "currentOutSWChanged",
                                     "currentInEQChanged",
                                     "currentEDIDStrChanged",
                                     "modeChanged",
                                     "beepChanged",
                                     "initedChanged",
                                     "inputOutputInfosChanged",
                                     "languageChanged",
                                     "sgdisplayModeChanged",
                                     "sgsplitterModeChanged",
                                     "sgspliceModeChanged",
                                     "sgResolutionChanged",
                                     "sgRotateChanged",
                                     "sgMirrorChanged",
                                     "sgAudioSelectChanged",
                                     "sgAudioHdmiOrAnalogChanged",
                                     "sgOutResSelectChanged",
                                     "customDataChanged",
                                     "connectProblemChanged",
                                     "routingRefused",
                                     "notice"};
    QByteArrayList signalNames;
    const QMetaObject *mo = probe().metaObject();
    for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
        const QMetaMethod m = mo->method(i);
        if (m.methodType() == QMetaMethod::Signal) {
            if (m.name().endsWith("Changed"))
                QCOMPARE(m.parameterCount(), 0);
            signalNames << m.name();
        }
    }
    QCOMPARE(signalNames, expected);
}

void TstContract::operationsAreInvokable()
{
    const QMetaObject *mo = probe().metaObject();
    QSet<QByteArray> invokable;
    int sendCmds = 0;
    QSet<QByteArray> privateSlots;
    for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
        const QMetaMethod m = mo->method(i);
        if (m.methodType() == QMetaMethod::Method && m.access() == QMetaMethod::Public) {
            if (m.name().startsWith("sendCmd_") && !invokable.contains(m.name()))
                ++sendCmds;
            invokable.insert(m.name());
        }
        if (m.methodType() == QMetaMethod::Slot && m.access() == QMetaMethod::Private)
            privateSlots.insert(m.name());
    }
    QCOMPARE(sendCmds, 68);
    for (const char *name :
         {"init", "scanSerialPorts", "connectTerminal", "disconnectTerminal", "loadSetting", "saveSetting",
          "changeLangeuageZhCN", "loadEDID_fromFile", "saveEDID_toFile", "updateInputOutputInfo",
          "cmd_SetAudioHdmiOrAnlog", "cmd_GetAudioHdmiOrAnlog"})
        QVERIFY2(invokable.contains(name), name);
    QVERIFY(!invokable.contains("Instance"));
    QVERIFY(!invokable.contains("setEngine"));
    QCOMPARE(privateSlots, (QSet<QByteArray>{"onConnected", "onDisconnected", "onReadReady", "afterConnected",
                                             "onRead_timerout"}));
    // The delay of sendCmd_SetOutput may be left out by the screens.
    QVERIFY(mo->indexOfMethod("sendCmd_SetOutput(int,bool)") >= 0);
    QVERIFY(mo->indexOfMethod("sendCmd_SetOutput(int,bool,int)") >= 0);
    QCOMPARE(QMetaType::type("MyCustomType") != QMetaType::UnknownType, true);
}

void TstContract::notifyEveryTimeButCustomData()
{
    AppContext ctx;
    QSignalSpy connected(&ctx, &AppContext::isConnectedChanged);
    QSignalSpy sws(&ctx, &AppContext::swsChanged);
    QSignalSpy custom(&ctx, &AppContext::customDataChanged);
    ctx.setIsConnected(false);
    ctx.setIsConnected(false);
    ctx.setSws(QJsonArray());
    ctx.setSws(QJsonArray());
    QCOMPARE(connected.count(), 2);
    QCOMPARE(sws.count(), 2);

    ctx.setCustomData(MyCustomType()); // equal to the initial value
    QCOMPARE(custom.count(), 0);
    ctx.setCustomData(MyCustomType(3, "5"));
    ctx.setCustomData(MyCustomType(3, "5"));
    QCOMPARE(custom.count(), 1);
    ctx.setCustomData(MyCustomType(3, "6"));
    ctx.setCustomData(MyCustomType(4, "6"));
    QCOMPARE(custom.count(), 3);
    QCOMPARE(ctx.getCustomData().id, 4);
}

void TstContract::portPropertiesNeverNotify()
{
    AppContext ctx;
    QSignalSpy all(&ctx, &AppContext::currentOutPEChanged);
    QSignalSpy hdmi(&ctx, &AppContext::currentHDMIAudioSelChanged);
    ctx.setcurrentOutPESWPort(4);
    ctx.setcurrentHDMIAudioSelPort(2);
    QCOMPARE(ctx.currentOutPESWPort(), 4);
    QCOMPARE(ctx.currentHDMIAudioSelPort(), 2);
    QCOMPARE(all.count(), 0);
    QCOMPARE(hdmi.count(), 0);
}

void TstContract::setOutChannelsBuildsStatesAndGrowsAudioList()
{
    AppContext ctx;
    QStringList order;
    connect(&ctx, &AppContext::outputSTChanged, this, [&] { order << "outputST"; });
    connect(&ctx, &AppContext::outChannelsChanged, this, [&] { order << "outChannels"; });
    QSignalSpy audio(&ctx, &AppContext::sgAudioHdmiOrAnalogChanged);

    ctx.setOutChannels(3);
    QCOMPARE(order, (QStringList{"outputST", "outChannels"}));
    const QJsonArray expected{QJsonObject{{"index", 1}, {"isOpen", 1}},
                              QJsonObject{{"index", 2}, {"isOpen", 1}},
                              QJsonObject{{"index", 3}, {"isOpen", 1}}};
    QCOMPARE(ctx.outputST(), expected);
    QCOMPARE(ctx.AudioHdmiOrAnalog(), (QList<int>{0, 0, 0}));

    ctx.cmd_SetAudioHdmiOrAnlog(2, 1);
    ctx.setOutChannels(3); // grows, never clears: entries stay where they were
    QCOMPARE(ctx.AudioHdmiOrAnalog(), (QList<int>{0, 1, 0, 0, 0, 0}));
    QCOMPARE(ctx.outChannels(), 3);
    QCOMPARE(audio.count(), 1); // only the explicit write notified
}

void TstContract::setOutChannelsZero()
{
    AppContext ctx;
    ctx.setOutChannels(2);
    QStringList order;
    connect(&ctx, &AppContext::outputSTChanged, this, [&] { order << "outputST"; });
    connect(&ctx, &AppContext::outChannelsChanged, this, [&] { order << "outChannels"; });
    ctx.setOutChannels(0);
    QCOMPARE(order, (QStringList{"outputST", "outChannels"}));
    QVERIFY(ctx.outputST().isEmpty());
    QCOMPARE(ctx.AudioHdmiOrAnalog().size(), 2);
}

void TstContract::audioChoiceOutOfRange()
{
    AppContext ctx;
    ctx.setOutChannels(2);
    QSignalSpy audio(&ctx, &AppContext::sgAudioHdmiOrAnalogChanged);
    for (int port : {0, -1, 3, 1000})
        ctx.cmd_SetAudioHdmiOrAnlog(port, 1);
    QCOMPARE(audio.count(), 0);
    QCOMPARE(ctx.AudioHdmiOrAnalog(), (QList<int>{0, 0}));
    QCOMPARE(ctx.cmd_GetAudioHdmiOrAnlog(0), 0);
    QCOMPARE(ctx.cmd_GetAudioHdmiOrAnlog(3), 0);
    ctx.cmd_SetAudioHdmiOrAnlog(2, 1);
    QCOMPARE(ctx.cmd_GetAudioHdmiOrAnlog(2), 1);
    QCOMPARE(audio.count(), 1);
}

void TstContract::modeBeepsOnlyWhileConnected()
{
    TestWorkDir dir;
    AppContext ctx;
    QSignalSpy mode(&ctx, &AppContext::modeChanged);
    ctx.setMode("DV-01"); // no link
    QCOMPARE(mode.count(), 1);
    QCOMPARE(ctx.mode(), QString("DV-01"));

    auto *link = new RecordingClientIO;
    ctx.attachLink(link);
    QVERIFY(ctx.isConnected());
    ctx.setMode("DV-01");
    QCOMPARE(link->writes, (QByteArrayList{"BeepONOnce\r\n"}));
}

void TstContract::linkChoiceSettersSaveTheirKey()
{
    TestWorkDir dir;
    dir.write("setting.data", R"({"in": {"001": "Camera"}, "extra": [1, 2]})");
    AppContext ctx;
    QSignalSpy setting(&ctx, &AppContext::settingChanged);
    ctx.setConnectType(1);
    ctx.setCurrentSerialport("COM3");
    ctx.setCurrentSerialportBaudrate(115200);
    ctx.setCurrentIP("10.0.0.5");
    QCOMPARE(setting.count(), 4); // each save reloads the file first

    const QJsonObject saved = QJsonDocument::fromJson(dir.read("setting.data")).object();
    QCOMPARE(saved.value("connectType"), QJsonValue(1));
    QCOMPARE(saved.value("currentSerialport"), QJsonValue("COM3"));
    QCOMPARE(saved.value("currentSerialportBaudrate"), QJsonValue(115200));
    QCOMPARE(saved.value("currentIP"), QJsonValue("10.0.0.5"));
    QCOMPARE(saved.value("in").toObject().value("001"), QJsonValue("Camera"));
    QCOMPARE(saved.value("extra"), QJsonValue(QJsonArray{1, 2}));
}

void TstContract::instanceIsSingle()
{
    AppContext *a = AppContext::Instance();
    QVERIFY(a);
    QCOMPARE(AppContext::Instance(), a);
    QVERIFY(!a->parent());
}

QTEST_MAIN(TstContract)
#include "tst_contract.moc"
