// Device replies arriving on a link and what they do to the application context.
#include "AppContext.h"
#include "RecordingClientIO.h"

#include <QJsonDocument>
#include <QtTest>

namespace {

using Notify = void (AppContext::*)();

// Names of the watched notifications, in the order they fire.
class Order : public QObject
{
public:
    void watch(AppContext *ctx, Notify signal, const QString &name)
    {
        connect(ctx, signal, this, [this, name] { fired << name; });
    }
    QStringList fired;
};

QJsonObject object(const char *json)
{
    return QJsonDocument::fromJson(json).object();
}

// A context with a recording link attached and up.
struct Connected
{
    AppContext ctx;
    RecordingClientIO *link = new RecordingClientIO;
    Connected() { ctx.attachLink(link); }
    void feed(const QByteArray &bytes) { link->feed(bytes); }
};

} // namespace

class TstContextReplies : public QObject
{
    Q_OBJECT

private slots:
    void modelReply();
    void modelReplyWhileDisconnected();
    void linesApplyInOrder();
    void repliesReachProperties_data();
    void repliesReachProperties();
    void shortRepliesChangeNothing();
    void customDataNotifiesOnChangeOnly();
    void portIsStoredBeforeValue();
    void boardInformation();
    void audioList();
};

void TstContextReplies::modelReply()
{
    Connected c;
    QVERIFY(c.ctx.isConnected());
    Order order;
    order.watch(&c.ctx, &AppContext::inChannelsChanged, "in");
    order.watch(&c.ctx, &AppContext::outputSTChanged, "st");
    order.watch(&c.ctx, &AppContext::outChannelsChanged, "out");
    order.watch(&c.ctx, &AppContext::modeChanged, "mode");
    // A beep is asked for only once the model is stored.
    QByteArrayList writesAtMode;
    connect(&c.ctx, &AppContext::modeChanged, this, [&] { writesAtMode = c.link->writes; });

    c.feed("DV-47\r\n");
    QCOMPARE(order.fired, (QStringList{"in", "st", "out", "mode"}));
    QVERIFY(writesAtMode.isEmpty());
    QCOMPARE(c.link->writes, QByteArrayList{"BeepONOnce\r\n"});
    QCOMPARE(c.ctx.mode(), QStringLiteral("DV-47"));
    QCOMPARE(c.ctx.inChannels(), 8);
    QCOMPARE(c.ctx.outChannels(), 16);
    QCOMPARE(c.ctx.outputST().size(), 16);
    QCOMPARE(c.ctx.outputST().at(15).toObject(), object(R"({"index":16,"isOpen":1})"));

    // A repeated model reply is applied again in full and reopens every output.
    c.feed("OutPutST 0 0\r\n");
    QCOMPARE(c.ctx.outputST().size(), 2);
    order.fired.clear();
    c.feed("DV-47\r\n");
    QCOMPARE(order.fired, (QStringList{"in", "st", "out", "mode"}));
    QCOMPARE(c.ctx.outputST().size(), 16);
    QCOMPARE(c.ctx.outputST().at(0).toObject(), object(R"({"index":1,"isOpen":1})"));
    QCOMPARE(c.link->writes, (QByteArrayList{"BeepONOnce\r\n", "BeepONOnce\r\n"}));

    // Something that is not a model leaves everything as it was.
    order.fired.clear();
    c.feed("dv-49\r\nDV-49 \r\n");
    QVERIFY(order.fired.isEmpty());
    QCOMPARE(c.ctx.mode(), QStringLiteral("DV-47"));
    QCOMPARE(c.link->writes.size(), 2);
}

void TstContextReplies::modelReplyWhileDisconnected()
{
    Connected c;
    c.link->bringDown();
    QVERIFY(!c.ctx.isConnected());
    c.feed("DV-49\r\n");
    QCOMPARE(c.ctx.mode(), QStringLiteral("DV-49"));
    QCOMPARE(c.ctx.inChannels(), 4);
    QCOMPARE(c.ctx.outChannels(), 12);
    QVERIFY(c.link->writes.isEmpty());
}

void TstContextReplies::linesApplyInOrder()
{
    Connected c;
    Order order;
    order.watch(&c.ctx, &AppContext::swsChanged, "sws");
    order.watch(&c.ctx, &AppContext::outputSTChanged, "st");
    order.watch(&c.ctx, &AppContext::beepChanged, "beep");
    QJsonArray swsAtSecondLine;
    connect(&c.ctx, &AppContext::outputSTChanged, this, [&] { swsAtSecondLine = c.ctx.sws(); });

    c.feed("SWS 2 1\r\nOutPutST 1 0\r\nSWS 1 1\r\nBeepEn");
    QCOMPARE(order.fired, (QStringList{"sws", "st", "sws"}));
    QCOMPARE(swsAtSecondLine.size(), 2); // the first line's effect is complete before the second
    QCOMPARE(c.ctx.sws(), QJsonDocument::fromJson(R"([{"in":"01","out":["1","2"]}])").array());
    c.feed(" 1\r\n");
    QCOMPARE(order.fired.last(), QStringLiteral("beep"));
    QVERIFY(c.ctx.beep());
}

void TstContextReplies::repliesReachProperties_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QByteArray>("notify");

    QTest::newRow("ip") << QByteArray("IP 10.1.1.9 ") << QByteArray("ip") << QVariant("10.1.1.9 ")
                        << QByteArray("ipChanged");
    QTest::newRow("mask") << QByteArray("IPMask 255.0.0.0") << QByteArray("ipMask") << QVariant("255.0.0.0")
                          << QByteArray("ipMaskChanged");
    QTest::newRow("gateway") << QByteArray("IPGateWay 10.0.0.1") << QByteArray("ipGateway")
                             << QVariant("10.0.0.1") << QByteArray("ipGatewayChanged");
    QTest::newRow("service type") << QByteArray("ServiceType TV") << QByteArray("serviceType")
                                  << QVariant("TV") << QByteArray("serviceTypeChanged");
    QTest::newRow("service num") << QByteArray("ServiceNum 800 1") << QByteArray("serviceNum")
                                 << QVariant("800 1") << QByteArray("serviceNumChanged");
    QTest::newRow("outsw") << QByteArray("OutSW 4 3") << QByteArray("currentOutSW") << QVariant(3)
                           << QByteArray("currentOutSWChanged");
    QTest::newRow("rxeq") << QByteArray("RXEQ 4 x") << QByteArray("currentInEQ") << QVariant(0)
                          << QByteArray("currentInEQChanged");
    QTest::newRow("edid") << QByteArray("EDIDData 1 00 ff ") << QByteArray("currentEDIDStr")
                          << QVariant("00 ff") << QByteArray("currentEDIDStrChanged");
    QTest::newRow("beep") << QByteArray("BeepEn 1 ") << QByteArray("beep") << QVariant(true)
                          << QByteArray("beepChanged");
    QTest::newRow("hdmi audio") << QByteArray("GetHDMIAudioInsert 2 5") << QByteArray("currentHDMIAudioSel")
                                << QVariant(5) << QByteArray("currentHDMIAudioSelChanged");
    QTest::newRow("display") << QByteArray("DisplayMode 3") << QByteArray("DisplayMode") << QVariant(3)
                             << QByteArray("sgdisplayModeChanged");
    QTest::newRow("splitter") << QByteArray("SplitterMode 4") << QByteArray("SplitterMode") << QVariant(4)
                              << QByteArray("sgsplitterModeChanged");
    QTest::newRow("splice") << QByteArray("SpliceMode 5") << QByteArray("SpliceMode") << QVariant(5)
                            << QByteArray("sgspliceModeChanged");
    QTest::newRow("resolution") << QByteArray("Resolution 6") << QByteArray("Resolution") << QVariant(6)
                                << QByteArray("sgResolutionChanged");
    QTest::newRow("rotate") << QByteArray("RXRotate 2") << QByteArray("Rotate") << QVariant(2)
                            << QByteArray("sgRotateChanged");
    QTest::newRow("audio select") << QByteArray("SlipterAudio 1") << QByteArray("Audioselect") << QVariant(1)
                                  << QByteArray("sgAudioSelectChanged");
    QTest::newRow("outres") << QByteArray("OutRes 3 7") << QByteArray("OutRes") << QVariant(7)
                            << QByteArray("sgOutResSelectChanged");
}

void TstContextReplies::repliesReachProperties()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);
    QFETCH(QByteArray, notify);

    Connected c;
    QSignalSpy spy(&c.ctx, QByteArray("2" + notify + "()").constData());
    QVERIFY(spy.isValid());
    c.feed(line + "\r\n");
    QCOMPARE(spy.count(), 1);
    QCOMPARE(c.ctx.property(property.constData()), value);
    c.feed(line + "\r\n"); // a repeated reply notifies again
    QCOMPARE(spy.count(), 2);
}

void TstContextReplies::shortRepliesChangeNothing()
{
    Connected c;
    c.feed("OutPE 2 5\r\nOutSW 2 6\r\nGetHDMIAudioInsert 3 4\r\n");
    QSignalSpy pe(&c.ctx, &AppContext::currentOutPEChanged);
    QSignalSpy sw(&c.ctx, &AppContext::currentOutSWChanged);
    QSignalSpy eq(&c.ctx, &AppContext::currentInEQChanged);
    QSignalSpy hai(&c.ctx, &AppContext::currentHDMIAudioSelChanged);
    QSignalSpy res(&c.ctx, &AppContext::sgOutResSelectChanged);
    QSignalSpy custom(&c.ctx, &AppContext::customDataChanged);
    c.feed("OutPE 9\r\nOutSW 9\r\nRXEQ 9\r\nGetHDMIAudioInsert 9\r\nOutRes 9\r\nAudioSelHA 1\r\n");
    QCOMPARE(pe.count() + sw.count() + eq.count() + hai.count() + res.count() + custom.count(), 0);
    QCOMPARE(c.ctx.currentOutPESWPort(), 2);
    QCOMPARE(c.ctx.currentOutPE(), 5);
    QCOMPARE(c.ctx.currentOutSW(), 6);
    QCOMPARE(c.ctx.currentHDMIAudioSelPort(), 3);
    QCOMPARE(c.ctx.currentHDMIAudioSel(), 4);
}

void TstContextReplies::customDataNotifiesOnChangeOnly()
{
    Connected c;
    QSignalSpy pe(&c.ctx, &AppContext::currentOutPEChanged);
    QSignalSpy custom(&c.ctx, &AppContext::customDataChanged);
    c.feed("OutPE 2 5\r\nOutPE 2 5\r\n");
    QCOMPARE(pe.count(), 2);
    QCOMPARE(custom.count(), 1);
    QCOMPARE(c.ctx.getCustomData(), MyCustomType(2, "5"));
    // Same number, other text: the text is what the value carries.
    c.feed("OutPE 2 05\r\n");
    QCOMPARE(custom.count(), 2);
    QCOMPARE(c.ctx.getCustomData(), MyCustomType(2, "05"));
    QCOMPARE(c.ctx.currentOutPE(), 5);
}

void TstContextReplies::portIsStoredBeforeValue()
{
    Connected c;
    QList<int> pePorts, swPorts, audioPorts;
    QList<int> customIds;
    connect(&c.ctx, &AppContext::currentOutPEChanged, this, [&] { pePorts << c.ctx.currentOutPESWPort(); });
    connect(&c.ctx, &AppContext::currentOutSWChanged, this, [&] { swPorts << c.ctx.currentOutPESWPort(); });
    connect(&c.ctx, &AppContext::currentHDMIAudioSelChanged, this,
            [&] { audioPorts << c.ctx.currentHDMIAudioSelPort(); });
    connect(&c.ctx, &AppContext::customDataChanged, this, [&] { customIds << c.ctx.currentOutPESWPort(); });
    c.feed("OutPE 3 1\r\nOutSW 5 2\r\nOutPE 7 2\r\nGetHDMIAudioInsert 4 1\r\nGetHDMIAudioInsert 6 0\r\n");
    QCOMPARE(pePorts, (QList<int>{3, 7}));
    QCOMPARE(swPorts, QList<int>{5});
    QCOMPARE(customIds, (QList<int>{3, 7}));
    QCOMPARE(audioPorts, (QList<int>{4, 6}));
}

void TstContextReplies::boardInformation()
{
    Connected c;
    QSignalSpy spy(&c.ctx, &AppContext::inputOutputInfosChanged);
    c.feed(R"(GetReadRXTXInfo {"BoardID":"2","Brt":"50","Contrs":"40"})"
           "\r\n"
           R"(GetReadRXTXInfo {"BoardID":"17","BoardVersion":"V1"})"
           "\r\n");
    QCOMPARE(spy.count(), 2);
    QCOMPARE(c.ctx.inputOutputInfos().size(), 2);

    // The whole earlier object is replaced.
    c.feed(R"(GetReadRXTXInfo {"BoardID":"2","Brt":"60"})"
           "\r\n");
    QCOMPARE(spy.count(), 3);
    QCOMPARE(c.ctx.inputOutputInfos().value("2").toObject(), object(R"({"BoardID":"2","Brt":"60"})"));
    QCOMPARE(c.ctx.inputOutputInfos().value("17").toObject(),
             object(R"({"BoardID":"17","BoardVersion":"V1"})"));

    // A number as BoardID files the object under the empty key.
    c.feed(R"(GetReadRXTXInfo {"BoardID":5,"Sharp":"1"})"
           "\r\n");
    QCOMPARE(spy.count(), 4);
    QCOMPARE(c.ctx.inputOutputInfos().value("").toObject(), object(R"({"BoardID":5,"Sharp":"1"})"));

    // Broken text, no BoardID, or an array: nothing changes, nothing is notified.
    const QJsonObject before = c.ctx.inputOutputInfos();
    c.feed("GetReadRXTXInfo {\"BoardID\":\"3\"\r\n"
           "GetReadRXTXInfo {\"Brt\":\"1\"}\r\n"
           "GetReadRXTXInfo [{\"BoardID\":\"3\"}]\r\n"
           "GetReadRXTXInfo \r\n");
    QCOMPARE(spy.count(), 4);
    QCOMPARE(c.ctx.inputOutputInfos(), before);
}

void TstContextReplies::audioList()
{
    Connected c;
    QSignalSpy spy(&c.ctx, &AppContext::sgAudioHdmiOrAnalogChanged);
    c.feed("DV-01\r\n");
    c.feed("AudioSelHA 3 1\r\n");
    QCOMPARE(spy.count(), 1);
    c.feed("DV-01\r\n");
    QCOMPARE(spy.count(), 1); // growing the list does not notify
    QList<int> expected = QVector<int>(16, 0).toList();
    expected[2] = 1;
    QCOMPARE(c.ctx.AudioHdmiOrAnalog(), expected);
    QCOMPARE(c.ctx.outputST().size(), 8);

    c.feed("AudioSelHA 16 1\r\n");
    expected[15] = 1;
    QCOMPARE(spy.count(), 2);
    // Ports the list has no entry for are ignored.
    c.feed("AudioSelHA 0 1\r\nAudioSelHA 17 1\r\nAudioSelHA -1 1\r\n");
    QCOMPARE(spy.count(), 2);
    QCOMPARE(c.ctx.AudioHdmiOrAnalog(), expected);
    QCOMPARE(c.ctx.cmd_GetAudioHdmiOrAnlog(16), 1);
    QCOMPARE(c.ctx.cmd_GetAudioHdmiOrAnlog(17), 0);

    // Disconnection empties the output count but keeps the list.
    c.link->bringDown();
    QCOMPARE(c.ctx.outputST().size(), 0);
    QCOMPARE(c.ctx.AudioHdmiOrAnalog(), expected);
}

QTEST_GUILESS_MAIN(TstContextReplies)
#include "tst_contextreplies.moc"
