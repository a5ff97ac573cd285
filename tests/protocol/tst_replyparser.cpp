// Framing and recognition of device replies, observed through a recording sink.
#include "CommandAdapter.h"
#include "ReplySink.h"

#include <QJsonDocument>
#include <QtTest>
#include <functional>

namespace {

QStringList g_messages;

void captureMessage(QtMsgType, const QMessageLogContext &, const QString &text)
{
    g_messages << text;
}

// Collects debug messages for as long as it lives.
class MessageCapture
{
public:
    MessageCapture() : _previous(qInstallMessageHandler(captureMessage)) { g_messages.clear(); }
    ~MessageCapture() { qInstallMessageHandler(_previous); }
    QStringList messages() const { return g_messages; }

private:
    QtMessageHandler _previous;
};

QString json(const QJsonArray &a)
{
    return QString::fromUtf8(QJsonDocument(a).toJson(QJsonDocument::Compact));
}

// Writes each call down as one line of text, in call order.
class RecordingSink : public ReplySink
{
public:
    QStringList calls;
    std::function<void()> onCall; // runs after each call is written down
    int limit = kNoOutputLimit;

    int outputLimit() const override { return limit; }

    void note(const QString &call)
    {
        calls << call;
        if (onCall)
            onCall();
    }
    void replyModel(const QString &id, int in, int out) override
    {
        note(QStringLiteral("model %1 %2 %3").arg(id).arg(in).arg(out));
    }
    void replySwitchList(const QJsonArray &sws) override { note("sws " + json(sws)); }
    void replyOutputStates(const QJsonArray &st) override { note("st " + json(st)); }
    void replyIp(const QString &t) override { note("ip [" + t + "]"); }
    void replyIpMask(const QString &t) override { note("mask [" + t + "]"); }
    void replyIpGateway(const QString &t) override { note("gw [" + t + "]"); }
    void replyServiceType(const QString &t) override { note("type [" + t + "]"); }
    void replyServiceNum(const QString &t) override { note("num [" + t + "]"); }
    void replyOutPE(int p, int v, const QString &t) override
    {
        note(QStringLiteral("pe %1 %2 [%3]").arg(p).arg(v).arg(t));
    }
    void replyOutSW(int p, int v) override { note(QStringLiteral("sw %1 %2").arg(p).arg(v)); }
    void replyInEQ(int v) override { note(QStringLiteral("eq %1").arg(v)); }
    void replyEdidText(const QString &t) override { note("edid [" + t + "]"); }
    void replyBeep(bool on) override { note(on ? "beep 1" : "beep 0"); }
    void replyBoardInfo(const QString &j) override { note("info [" + j + "]"); }
    void replyHdmiAudioInsert(int p, int v) override { note(QStringLiteral("hai %1 %2").arg(p).arg(v)); }
    void replyDisplayMode(int v) override { note(QStringLiteral("display %1").arg(v)); }
    void replySplitterMode(int v) override { note(QStringLiteral("splitter %1").arg(v)); }
    void replySpliceMode(int v) override { note(QStringLiteral("splice %1").arg(v)); }
    void replyResolution(int v) override { note(QStringLiteral("res %1").arg(v)); }
    void replyRotate(int v) override { note(QStringLiteral("rotate %1").arg(v)); }
    void replyAudioHdmiOrAnalog(int p, int v) override { note(QStringLiteral("ha %1 %2").arg(p).arg(v)); }
    void replyAudioSelect(int v) override { note(QStringLiteral("audio %1").arg(v)); }
    void replyOutRes(int v) override { note(QStringLiteral("outres %1").arg(v)); }
};

} // namespace

class TstReplyParser : public QObject
{
    Q_OBJECT

    // Parses one line (CR LF added) and returns what reached the sink.
    QStringList parse(const QByteArray &line)
    {
        RecordingSink sink;
        CommandAdapter adapter(&sink);
        QByteArray buffer = line + "\r\n";
        adapter.AnalyzeData(buffer);
        [&] { QVERIFY(buffer.isEmpty()); }();
        return sink.calls;
    }

private slots:
    void framingAcrossChunks();
    void loneCrOrLfIsData();
    void emptyLinesAndOrder();
    void partialTailStays();
    void nullSinkParsesOnly();
    void replies_data();
    void replies();
    void logsRxAndUnknown();
    void routingReportsInSequence();
    void longReports();
    void reportsCutAtTheOutputLimit();
    void txMirrorAndShortReplies();
    void bytesArrivingDuringAReply();
};

void TstReplyParser::framingAcrossChunks()
{
    RecordingSink sink;
    CommandAdapter adapter(&sink);
    QByteArray buffer;
    // The line end itself is split between two chunks.
    const QList<QByteArray> chunks{"SW", "S 1 1 2\r", "\nOutPutST 1 0", " 1\r\nBeep", "En 1\r\n"};
    QList<int> callsAfterChunk;
    for (const QByteArray &chunk : chunks) {
        buffer.append(chunk);
        adapter.AnalyzeData(buffer);
        callsAfterChunk << sink.calls.size();
    }
    QCOMPARE(callsAfterChunk, (QList<int>{0, 0, 1, 2, 3}));
    QCOMPARE(
        sink.calls,
        (QStringList{R"(sws [{"in":"01","out":["1","2"]},{"in":"02","out":["3"]}])",
                     R"(st [{"index":1,"isOpen":true},{"index":2,"isOpen":false},{"index":3,"isOpen":true}])",
                     "beep 1"}));
    QVERIFY(buffer.isEmpty());
}

void TstReplyParser::loneCrOrLfIsData()
{
    RecordingSink sink;
    CommandAdapter adapter(&sink);
    QByteArray buffer("IP 10.0.0.1\n");
    adapter.AnalyzeData(buffer);
    QVERIFY(sink.calls.isEmpty());
    QCOMPARE(buffer, QByteArray("IP 10.0.0.1\n"));
    buffer.append("x\ry\r\r\n");
    adapter.AnalyzeData(buffer);
    QCOMPARE(sink.calls, QStringList{"ip [10.0.0.1\nx\ry\r]"});
    QVERIFY(buffer.isEmpty());
}

void TstReplyParser::emptyLinesAndOrder()
{
    RecordingSink sink;
    CommandAdapter adapter(&sink);
    QByteArray buffer("\r\n\r\nDisplayMode 2\r\n\r\nRXRotate 1\r\nSWS 2\r\n");
    adapter.AnalyzeData(buffer);
    QCOMPARE(sink.calls, (QStringList{"display 2", "rotate 1", R"(sws [{"in":"02","out":["1"]}])"}));
    QVERIFY(buffer.isEmpty());
}

void TstReplyParser::partialTailStays()
{
    RecordingSink sink;
    CommandAdapter adapter(&sink);
    QByteArray buffer("SWS 1 1 2\r\nOutP");
    adapter.AnalyzeData(buffer);
    QCOMPARE(sink.calls.size(), 1);
    QVERIFY(sink.calls.first().startsWith("sws "));
    QCOMPARE(buffer, QByteArray("OutP"));

    QByteArray onlyCr("OutPE 1 2\r");
    adapter.AnalyzeData(onlyCr);
    QCOMPARE(sink.calls.size(), 1);
    QCOMPARE(onlyCr, QByteArray("OutPE 1 2\r"));
}

void TstReplyParser::nullSinkParsesOnly()
{
    CommandAdapter adapter;
    QByteArray buffer("DV-47\r\nSWS 1 2\r\nGetReadRXTXInfo {}\r\nrest");
    adapter.AnalyzeData(buffer);
    QCOMPARE(buffer, QByteArray("rest"));
}

void TstReplyParser::replies_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QStringList>("calls");
    auto row = [](const char *name, const QByteArray &line, const QStringList &calls) {
        QTest::newRow(name) << line << calls;
    };

    // routing groups: ordered by the key as text, outputs ascending within a group
    row("sws two groups", "SWS 1 1 2", {R"(sws [{"in":"01","out":["1","2"]},{"in":"02","out":["3"]}])"});
    row("sws keys sorted", "SWS 3 1", {R"(sws [{"in":"01","out":["2"]},{"in":"03","out":["1"]}])"});
    row("sws two digits", "SWS 12 2 12 10",
        {R"(sws [{"in":"02","out":["2"]},{"in":"10","out":["4"]},{"in":"12","out":["1","3"]}])"});
    row("sws three digits sort as text", "SWS 100 2 12 9",
        {R"(sws [{"in":"02","out":["2"]},{"in":"09","out":["4"]},{"in":"100","out":["1"]},)"
         R"({"in":"12","out":["3"]}])"});
    row("sws empty field", "SWS 1  2",
        {R"(sws [{"in":"00","out":["2"]},{"in":"01","out":["1"]},)"
         R"({"in":"02","out":["3"]}])"});
    row("sws trailing space", "SWS 1 ", {R"(sws [{"in":"00","out":["2"]},{"in":"01","out":["1"]}])"});
    row("sws space only", "SWS ", {R"(sws [{"in":"00","out":["1"]}])"});
    row("sws alone is a model reply", "SWS", {});
    row("sws non-numeric", "SWS x 2 1a +3 -1",
        {R"(sws [{"in":"-1","out":["5"]},{"in":"00","out":["1","3"]},{"in":"02","out":["2"]},)"
         R"({"in":"03","out":["4"]}])"});
    row("sws padded digits", "SWS 007 \t5", {R"(sws [{"in":"05","out":["2"]},{"in":"07","out":["1"]}])"});

    // output states
    row("outputst", "OutPutST 1 0 1",
        {R"(st [{"index":1,"isOpen":true},{"index":2,"isOpen":false},{"index":3,"isOpen":true}])"});
    row("outputst exact 1 only", "OutPutST 01  1 x",
        {R"(st [{"index":1,"isOpen":false},{"index":2,"isOpen":false},{"index":3,"isOpen":true},)"
         R"({"index":4,"isOpen":false}])"});
    row("outputst empty", "OutPutST ", {R"(st [{"index":1,"isOpen":false}])"});

    // whole texts, untrimmed
    row("ip trailing space", "IP 192.168.0.5 ", {"ip [192.168.0.5 ]"});
    row("ip empty", "IP ", {"ip []"});
    row("mask", "IPMask 255.255.0.0", {"mask [255.255.0.0]"});
    row("gateway", "IPGateWay  10.0.0.1", {"gw [ 10.0.0.1]"});
    row("service type", "ServiceType a b", {"type [a b]"});
    row("service num utf8", "ServiceNum \xe4\xb8\xad 1", {QStringLiteral("num [\u4e2d 1]")});
    row("board info", R"(GetReadRXTXInfo {"BoardID":"3"})", {R"(info [{"BoardID":"3"}])"});

    // port and value replies
    row("outpe", "OutPE 3 2", {"pe 3 2 [2]"});
    row("outpe text kept", "OutPE 3 x 9", {"pe 3 0 [x]"});
    row("outpe short", "OutPE 3", {});
    row("outsw", "OutSW 2 -1", {"sw 2 -1"});
    row("outsw short", "OutSW 2", {});
    row("rxeq", "RXEQ 1 7", {"eq 7"});
    row("rxeq non-numeric", "RXEQ 1 x", {"eq 0"});
    row("rxeq short", "RXEQ 1", {});
    row("hdmi audio", "GetHDMIAudioInsert 4 1", {"hai 4 1"});
    row("hdmi audio short", "GetHDMIAudioInsert 1", {});
    row("audio hdmi or analog", "AudioSelHA 2 1", {"ha 2 1"});
    row("audio hdmi or analog short", "AudioSelHA 1", {});
    row("outres", "OutRes 9 4", {"outres 4"});
    row("outres short", "OutRes 1", {});
    row("extra fields ignored", "OutSW 2 3 4 5", {"sw 2 3"});
    row("number with white space", "OutSW \t2\r 3\v", {"sw 2 3"});
    row("number overflow", "OutSW 2147483648 -2147483648", {"sw 0 -2147483648"});

    // single values
    row("display", "DisplayMode 3", {"display 3"});
    row("display empty field", "DisplayMode ", {"display 0"});
    row("splitter", "SplitterMode 1", {"splitter 1"});
    row("splice", "SpliceMode 2", {"splice 2"});
    row("resolution", "Resolution 7", {"res 7"});
    row("rotate", "RXRotate 2", {"rotate 2"});
    row("slipter audio", "SlipterAudio 1 9", {"audio 1"});

    // EDID text and beep flag
    row("edid with slot", "EDIDData 3 00FF", {"edid [00FF]"});
    row("edid without slot", "EDIDData 00FF", {"edid [00FF]"});
    row("edid trimmed", "EDIDData 3  00 ff 01 \t", {"edid [00 ff 01]"});
    row("beep trailing space", "BeepEn 1 ", {"beep 1"});
    row("beep leading zero", "BeepEn 01", {"beep 0"});
    row("beep zero", "BeepEn 0", {"beep 0"});

    // not recognised
    row("lower case keyword", "sws 1 2", {});
    row("leading space", " SWS 1", {});
    row("unknown keyword", "Hello 1", {});
    row("mirror", "TXMirror 1 2", {});

    // zero bytes end the decoded text
    row("zero byte in fields", QByteArray("SWS 1 2\0 3", 11),
        {R"(sws [{"in":"01","out":["1"]},{"in":"02","out":["2"]}])"});
    row("zero byte in text", QByteArray("IP 1.2\0.3.4", 11), {"ip [1.2]"});
    row("zero byte in model", QByteArray("DV-49\0x", 7), {"model DV-49 4 12"});

    // model replies
    row("model 8x16", "DV-47", {"model DV-47 8 16"});
    row("model 4x12", "DV-49", {"model DV-49 4 12"});
    row("model 36", "DV-52", {"model DV-52 36 36"});
    row("model 8x8", "DV-01", {"model DV-01 8 8"});
    row("group-only model", "DV-53", {});
    row("unknown model", "DV-99", {});
    row("lower-case model", "dv-47", {});
    row("model with trailing space", "DV-42 ", {});
    row("empty line", "", {});
}

void TstReplyParser::replies()
{
    QFETCH(QByteArray, line);
    QFETCH(QStringList, calls);
    QCOMPARE(parse(line), calls);
}

void TstReplyParser::logsRxAndUnknown()
{
    RecordingSink sink;
    CommandAdapter adapter(&sink);
    QTest::ignoreMessage(QtDebugMsg, "RX:sws 1");
    QTest::ignoreMessage(QtDebugMsg, "unknown command");
    QTest::ignoreMessage(QtDebugMsg, "RX:DV-99");
    QTest::ignoreMessage(QtDebugMsg, "unknown command");
    QTest::ignoreMessage(QtDebugMsg, "RX:OutPE 1 2");
    QByteArray buffer("sws 1\r\nDV-99\r\nOutPE 1 2\r\n");
    adapter.AnalyzeData(buffer);
    QCOMPARE(sink.calls, QStringList{"pe 1 2 [2]"});
}

void TstReplyParser::routingReportsInSequence()
{
    // Groups seen before come back unchanged; every report stands on its own.
    const QList<QPair<QByteArray, QString>> reports{
        {"SWS 1 1", R"(sws [{"in":"01","out":["1","2"]}])"},
        {"SWS 1 2", R"(sws [{"in":"01","out":["1"]},{"in":"02","out":["2"]}])"},
        {"SWS 1 1", R"(sws [{"in":"01","out":["1","2"]}])"},
        {"SWS 10 0", R"(sws [{"in":"00","out":["2"]},{"in":"10","out":["1"]}])"},
        {"SWS 100", R"(sws [{"in":"100","out":["1"]}])"},
        {"SWS 2 1", R"(sws [{"in":"01","out":["2"]},{"in":"02","out":["1"]}])"},
    };
    for (int round = 0; round < 2; ++round)
        for (const auto &report : reports)
            QCOMPARE(parse(report.first), QStringList{report.second});
}

void TstReplyParser::reportsCutAtTheOutputLimit()
{
    RecordingSink sink;
    sink.limit = 3;
    CommandAdapter adapter(&sink);
    MessageCapture capture;
    // Outputs past the third are dropped, wherever their input is; a trailing space is
    // a field like any other. Reports within the limit are whole and say nothing.
    QByteArray buffer = "SWS 2 1 2 1 9  \r\nOutPutST 1 0 1 1 1\r\nSWS 3 3 3\r\nOutPutST 1 \r\n";
    adapter.AnalyzeData(buffer);
    QCOMPARE(
        sink.calls,
        (QStringList{R"(sws [{"in":"01","out":["2"]},{"in":"02","out":["1","3"]}])",
                     R"(st [{"index":1,"isOpen":true},{"index":2,"isOpen":false},{"index":3,"isOpen":true}])",
                     R"(sws [{"in":"03","out":["1","2","3"]}])",
                     R"(st [{"index":1,"isOpen":true},{"index":2,"isOpen":false}])"}));
    const QStringList cut = capture.messages().filter(QStringLiteral("ignored"));
    QCOMPARE(cut.size(), 2);
    QVERIFY2(cut.at(0).startsWith(QStringLiteral("SWS")) && cut.at(0).contains(QStringLiteral(" 7 ")),
             qPrintable(cut.at(0)));
    QVERIFY2(cut.at(1).startsWith(QStringLiteral("OutPutST")), qPrintable(cut.at(1)));
}

void TstReplyParser::longReports()
{
    // 300 outputs on input 1 and then 300 outputs each on its own input.
    QByteArray same = "SWS";
    QByteArray own = "SWS";
    QByteArray states = "OutPutST";
    for (int k = 1; k <= 300; ++k) {
        same += " 1";
        own += ' ' + QByteArray::number(k);
        states += (k % 2) ? " 1" : " 0";
    }
    for (int round = 0; round < 2; ++round) {
        const QStringList one = parse(same);
        QCOMPARE(one.size(), 1);
        const QJsonArray groups = QJsonDocument::fromJson(one.first().mid(4).toUtf8()).array();
        QCOMPARE(groups.size(), 1);
        QCOMPARE(groups.at(0).toObject().value("out").toArray().size(), 300);
        QCOMPARE(groups.at(0).toObject().value("out").toArray().last().toString(), QStringLiteral("300"));

        const QJsonArray apart = QJsonDocument::fromJson(parse(own).first().mid(4).toUtf8()).array();
        QCOMPARE(apart.size(), 300);
        QCOMPARE(apart.at(0).toObject().value("in").toString(), QStringLiteral("01"));
        // "09" < "10" < "100" < "101" < ... < "109" < "11"
        QCOMPARE(apart.at(8).toObject().value("in").toString(), QStringLiteral("09"));
        QCOMPARE(apart.at(9).toObject().value("in").toString(), QStringLiteral("10"));
        QCOMPARE(apart.at(10).toObject().value("in").toString(), QStringLiteral("100"));
        QCOMPARE(apart.at(10).toObject().value("out").toArray(), QJsonArray{"100"});
        QCOMPARE(apart.at(20).toObject().value("in").toString(), QStringLiteral("11"));

        const QJsonArray st = QJsonDocument::fromJson(parse(states).first().mid(3).toUtf8()).array();
        QCOMPARE(st.size(), 300);
        QCOMPARE(st.at(128).toObject(), (QJsonObject{{"index", 129}, {"isOpen", true}}));
        QCOMPARE(st.at(129).toObject(), (QJsonObject{{"index", 130}, {"isOpen", false}}));
        QCOMPARE(st.at(299).toObject(), (QJsonObject{{"index", 300}, {"isOpen", false}}));
    }
}

void TstReplyParser::txMirrorAndShortReplies()
{
    RecordingSink sink;
    CommandAdapter adapter(&sink);
    QByteArray buffer("TXMirror 1 2\r\nRXEQ 1\r\n");
    MessageCapture capture;
    adapter.AnalyzeData(buffer);
    const QStringList messages = capture.messages();
    QVERIFY(sink.calls.isEmpty());
    QCOMPARE(messages.size(), 3);
    QCOMPARE(messages.at(0), QStringLiteral("RX:TXMirror 1 2"));
    QCOMPARE(messages.at(1), QStringLiteral("RX:RXEQ 1"));
    QVERIFY2(messages.at(2).contains("RXEQ") && messages.at(2) != "unknown command",
             qPrintable(messages.at(2)));
}

void TstReplyParser::bytesArrivingDuringAReply()
{
    // A handler that waits lets the receive path append more bytes to the same buffer;
    // the running pass takes them too, in order, and consumes exactly what it parsed.
    RecordingSink sink;
    CommandAdapter adapter(&sink);
    QByteArray buffer("DisplayMode 1\r\n");
    int appended = 0;
    sink.onCall = [&] {
        if (appended++ == 0)
            buffer.append(QByteArray(4096, 'x').prepend("IP ") + "\r\nSpliceMode 2\r\nRXRot");
    };
    adapter.AnalyzeData(buffer);
    QCOMPARE(sink.calls.size(), 3);
    QCOMPARE(sink.calls.at(0), QStringLiteral("display 1"));
    QCOMPARE(sink.calls.at(1).size(), 4096 + 5);
    QCOMPARE(sink.calls.at(2), QStringLiteral("splice 2"));
    QCOMPARE(buffer, QByteArray("RXRot"));
}

QTEST_GUILESS_MAIN(TstReplyParser)
#include "tst_replyparser.moc"
