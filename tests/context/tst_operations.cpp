// The device operations the screens invoke: the bytes each puts on the link.
#include "AppContext.h"
#include "RecordingClientIO.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QPointer>
#include <QtTest>

#include <functional>

namespace {

struct Connected
{
    AppContext ctx;
    RecordingClientIO *link = new RecordingClientIO;
    Connected() { ctx.attachLink(link); }
};

struct Operation
{
    const char *name;
    std::function<void(AppContext &)> call;
    QByteArray line;
};

// One call of every sendCmd_ operation and the line it sends.
const QVector<Operation> &operations()
{
    static const QVector<Operation> ops = {
        {"sendCmd_Ping", [](AppContext &c) { c.sendCmd_Ping(); }, "PING\r\n"},
        {"sendCmd_GetSW", [](AppContext &c) { c.sendCmd_GetSW(); }, "GetSW\r\n"},
        {"sendCmd_GetOutput", [](AppContext &c) { c.sendCmd_GetOutput(); }, "GetOutput\r\n"},
        {"sendCmd_GetIP", [](AppContext &c) { c.sendCmd_GetIP(); }, "GetIP\r\n"},
        {"sendCmd_GetIPMask", [](AppContext &c) { c.sendCmd_GetIPMask(); }, "GetIPMask\r\n"},
        {"sendCmd_GetIPGateway", [](AppContext &c) { c.sendCmd_GetIPGateway(); }, "GetIPGateWay\r\n"},
        {"sendCmd_SetIP", [](AppContext &c) { c.sendCmd_SetIP("10.0.0.2"); }, "SetIP 10.0.0.2\r\n"},
        {"sendCmd_SetIPMask", [](AppContext &c) { c.sendCmd_SetIPMask("255.0.0.0"); },
         "SetIPMask 255.0.0.0\r\n"},
        {"sendCmd_SetIPGateway", [](AppContext &c) { c.sendCmd_SetIPGateway("10.0.0.1"); },
         "SetIPGateWay 10.0.0.1\r\n"},
        {"sendCmd_GetServiceType", [](AppContext &c) { c.sendCmd_GetServiceType(); }, "GetServiceType\r\n"},
        {"sendCmd_GetServiceNum", [](AppContext &c) { c.sendCmd_GetServiceNum(); }, "GetServiceNum\r\n"},
        {"sendCmd_SetServiceType", [](AppContext &c) { c.sendCmd_SetServiceType("A B"); },
         "SetServiceType A B\r\n"},
        {"sendCmd_SetServiceNum", [](AppContext &c) { c.sendCmd_SetServiceNum("%1"); },
         "SetServiceNum %1\r\n"},
        {"sendCmd_SW",
         [](AppContext &c) {
             c.sendCmd_SW(3, QJsonArray{1, "2", 2.5, 4});
         },
         "SW 3 1 0 0 4\r\n"},
        {"sendCmd_DelaySW", [](AppContext &c) { c.sendCmd_DelaySW(2, QJsonArray{5}); }, "SW 2 5\r\n"},
        {"sendCmd_SWOTO", [](AppContext &c) { c.sendCmd_SWOTO(); }, "SWOTO\r\n"},
        {"sendCmd_SetOutput", [](AppContext &c) { c.sendCmd_SetOutput(5, false); }, "SetOutput 5 0\r\n"},
        {"sendCmd_DisplayBanner", [](AppContext &c) { c.sendCmd_DisplayBanner(7, false); },
         "DisplayBanner 255\r\n"},
        {"sendCmd_SaveSence", [](AppContext &c) { c.sendCmd_SaveSence(1); }, "SceneSave 1\r\n"},
        {"sendCmd_CallSence", [](AppContext &c) { c.sendCmd_CallSence(16); }, "SceneCall 16\r\n"},
        {"sendCmd_SenceDefault", [](AppContext &c) { c.sendCmd_SenceDefault(); }, "SenceDefault\r\n"},
        {"sendCmd_SetSenceLoopEN",
         [](AppContext &c) {
             c.sendCmd_SetSenceLoopEN(QJsonArray{1, 3, 16}, 10);
         },
         "SetSenceLoopEN 0 10 2 10 15 10\r\n"},
        {"sendCmd_SetSenceLoopDis", [](AppContext &c) { c.sendCmd_SetSenceLoopDis(); },
         "SetSenceLoopDis\r\n"},
        {"sendCmd_SetEDID", [](AppContext &c) { c.sendCmd_SetEDID(2, 9); }, "SetEDID 2 9\r\n"},
        {"sendCmd_GetOutPE", [](AppContext &c) { c.sendCmd_GetOutPE(3); }, "GetOutPE 3\r\n"},
        {"sendCmd_SetOutPE", [](AppContext &c) { c.sendCmd_SetOutPE(1, -1); }, "SetOutPE 1 -1\r\n"},
        {"sendCmd_GetOutSW", [](AppContext &c) { c.sendCmd_GetOutSW(4); }, "GetOutSW 4\r\n"},
        {"sendCmd_SetOutSW", [](AppContext &c) { c.sendCmd_SetOutSW(4, 2); }, "SetOutSW 4 2\r\n"},
        {"sendCmd_GetRXEQ", [](AppContext &c) { c.sendCmd_GetRXEQ(6); }, "GetRXEQ 6\r\n"},
        {"sendCmd_SetRXEQ", [](AppContext &c) { c.sendCmd_SetRXEQ(6, 3); }, "SetRXEQ 6 3\r\n"},
        {"sendCmd_GetEDIDData", [](AppContext &c) { c.sendCmd_GetEDIDData(1); }, "GetEDIDData 1\r\n"},
        {"sendCmd_SetEDIDData", [](AppContext &c) { c.sendCmd_SetEDIDData(1, "00 ff"); },
         "SetEDIDData 1 00 ff\r\n"},
        {"sendCmd_GetBeepEn", [](AppContext &c) { c.sendCmd_GetBeepEn(); }, "GetBeepEn\r\n"},
        {"sendCmd_SetBeepEn", [](AppContext &c) { c.sendCmd_SetBeepEn(true); }, "SetBeepEn 1\r\n"},
        {"sendCmd_ResetFactory", [](AppContext &c) { c.sendCmd_ResetFactory(); }, "ResetFactory\r\n"},
        {"sendCmd_RxTxResetFactory", [](AppContext &c) { c.sendCmd_RxTxResetFactory(0); }, "RXTXReset 0\r\n"},
        {"sendCmd_BeepONOnce", [](AppContext &c) { c.sendCmd_BeepONOnce(); }, "BeepONOnce\r\n"},
        {"sendCmd_ReadRXTXInfo", [](AppContext &c) { c.sendCmd_ReadRXTXInfo(17); }, "ReadRXTXInfo 17\r\n"},
        {"sendCmd_SetRXTXResolution", [](AppContext &c) { c.sendCmd_SetRXTXResolution(2, 4); },
         "SetRXTXResolution 2 4\r\n"},
        {"sendCmd_GetRXTXResolution", [](AppContext &c) { c.sendCmd_GetRXTXResolution(2); },
         "GetRXTXResolution 2\r\n"},
        {"sendCmd_SetRXTXAudioSelect", [](AppContext &c) { c.sendCmd_SetRXTXAudioSelect(2, 1); },
         "SetRXTXAudioSelect 2 1\r\n"},
        {"sendCmd_SetRXTXBrightness", [](AppContext &c) { c.sendCmd_SetRXTXBrightness(2, 50); },
         "SetRXTXBrtn 2 50\r\n"},
        {"sendCmd_SetRXTXContrast", [](AppContext &c) { c.sendCmd_SetRXTXContrast(2, 51); },
         "SetRXTXCtrst 2 51\r\n"},
        {"sendCmd_SetRXTXSharpness", [](AppContext &c) { c.sendCmd_SetRXTXSharpness(2, 52); },
         "SetRXTXSharp 2 52\r\n"},
        {"sendCmd_SetRXTXColorTempR", [](AppContext &c) { c.sendCmd_SetRXTXColorTempR(2, 53); },
         "SetRXTXColorR 2 53\r\n"},
        {"sendCmd_SetRXTXColorTempG", [](AppContext &c) { c.sendCmd_SetRXTXColorTempG(2, 54); },
         "SetRXTXColorG 2 54\r\n"},
        {"sendCmd_SetRXTXColorTempB", [](AppContext &c) { c.sendCmd_SetRXTXColorTempB(2, 55); },
         "SetRXTXColorB 2 55\r\n"},
        {"sendCmd_SetVideoWallGap", [](AppContext &c) { c.sendCmd_SetVideoWallGap(9, 1, 2); },
         "SetVideoWallGap 9 1 2\r\n"},
        {"sendCmd_SetRXTXVideoWall", [](AppContext &c) { c.sendCmd_SetRXTXVideoWall(9, 2, 2, 1, 0, 1); },
         "SetRXTXVideoWall 9 2 2 1 0 1\r\n"},
        {"sendCmd_SetSubtitleEnable", [](AppContext &c) { c.sendCmd_SetSubtitleEnable(1, 1); },
         "SetRXSubtitleEnable 1 1\r\n"},
        {"sendCmd_SetSubtitleColor", [](AppContext &c) { c.sendCmd_SetSubtitleColor(1, 2); },
         "SetRXSubtitleTXTColor 1 2\r\n"},
        {"sendCmd_SetSubtitlePosition", [](AppContext &c) { c.sendCmd_SetSubtitlePosition(1, 3); },
         "SetRXSubtitlePos 1 3\r\n"},
        {"sendCmd_SetSubtitleScrolling", [](AppContext &c) { c.sendCmd_SetSubtitleScrolling(1, 1); },
         "SetRXSubtitleTXTMove 1 1\r\n"},
        {"sendCmd_SetSubtitleBGColor", [](AppContext &c) { c.sendCmd_SetSubtitleBGColor(1, 4); },
         "SetRXSubtitleBG 1 4\r\n"},
        {"sendCmd_SetSubtitleAlpha", [](AppContext &c) { c.sendCmd_SetSubtitleAlpha(1, 50); },
         "SetRXSubtitlecAlpha 1 50\r\n"},
        {"sendCmd_HDMIAudioInsertSlect", [](AppContext &c) { c.sendCmd_HDMIAudioInsertSlect(3, 1); },
         "HDMIAudioInsert 3 1\r\n"},
        {"sendCmd_GetHDMIAudio", [](AppContext &c) { c.sendCmd_GetHDMIAudio(3); },
         "GetHDMIAudioInsert 3\r\n"},
        {"sendCmd_SetDisplayMode", [](AppContext &c) { c.sendCmd_SetDisplayMode(1); },
         "SetDisplayMode 1\r\n"},
        {"sendCmd_SetSplitterMode", [](AppContext &c) { c.sendCmd_SetSplitterMode(2); },
         "SetSplitterMode 2\r\n"},
        {"sendCmd_SetSpliceMode", [](AppContext &c) { c.sendCmd_SetSpliceMode(3); }, "SetSpliceMode 3\r\n"},
        {"sendCmd_SetRelution", [](AppContext &c) { c.sendCmd_SetRelution(4); }, "SetResolution 4\r\n"},
        {"sendCmd_SetRotate", [](AppContext &c) { c.sendCmd_SetRotate(2); }, "RXRotate 2\r\n"},
        {"sendCmd_SetMirror", [](AppContext &c) { c.sendCmd_SetMirror(2, 1); }, "TXMirror 2 1\r\n"},
        {"sendCmd_SetMirror2", [](AppContext &c) { c.sendCmd_SetMirror2(0x43); }, "TXMirror 4 3\r\n"},
        {"sendCmd_SetAudioSelect", [](AppContext &c) { c.sendCmd_SetAudioSelect(1); },
         "SetSlipterAudio 1\r\n"},
        {"sendCmd_SetAudioHdmiOrAnlog", [](AppContext &c) { c.sendCmd_SetAudioHdmiOrAnlog(5, 1); },
         "SetAudioHdmiOrAnalog 5 1\r\n"},
        {"sendCmd_GetAudioHdmiOrAnlog", [](AppContext &c) { c.sendCmd_GetAudioHdmiOrAnlog(5); },
         "GetAudioHdmiOrAnalog 5\r\n"},
        {"sendCmd_SetSubtitleTXT", [](AppContext &c) { c.sendCmd_SetSubtitleTXT(1, "A B"); },
         "SetRXSubtitleTXT 1 \\u0041\\u0020\\u0042\r\n"},
    };
    return ops;
}

} // namespace

class TstOperations : public QObject
{
    Q_OBJECT

private slots:
    void everyOperationIsCovered();
    void sendsWhileConnected_data();
    void sendsWhileConnected();
    void silentWhileDisconnected_data();
    void silentWhileDisconnected();
    void portGuards_data();
    void portGuards();
    void variants_data();
    void variants();
    void queriesLogTheirName();
    void delayedRoutingWaits();
    void delayedRoutingWaitsWhileDisconnected();
    void outputWithDelay();
    void outputWithNegativeDelay();
    void linkGoneDuringOutputWait();
    void linkReplacedDuringOutputWait();
};

void TstOperations::everyOperationIsCovered()
{
    QStringList invokable;
    const QMetaObject *mo = &AppContext::staticMetaObject;
    for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
        const QByteArray name = mo->method(i).name();
        if (name.startsWith("sendCmd_") && !invokable.contains(name))
            invokable << QString::fromLatin1(name);
    }
    QStringList covered;
    for (const Operation &op : operations())
        covered << QString::fromLatin1(op.name);
    invokable.sort();
    covered.sort();
    QCOMPARE(covered.size(), 68);
    QCOMPARE(covered, invokable);
}

void TstOperations::sendsWhileConnected_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < operations().size(); ++i)
        QTest::newRow(operations().at(i).name) << i;
}

void TstOperations::sendsWhileConnected()
{
    QFETCH(int, index);
    const Operation &op = operations().at(index);
    Connected c;
    op.call(c.ctx);
    QCOMPARE(c.link->writes, QByteArrayList{op.line});
}

void TstOperations::silentWhileDisconnected_data()
{
    sendsWhileConnected_data();
}

void TstOperations::silentWhileDisconnected()
{
    QFETCH(int, index);
    // The link itself would still take bytes: only the context's own check stops them.
    Connected c;
    c.ctx.setIsConnected(false);
    operations().at(index).call(c.ctx);
    QVERIFY(c.link->isOpen());
    QCOMPARE(c.link->writes, QByteArrayList());
}

void TstOperations::portGuards_data()
{
    QTest::addColumn<int>("port");
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -3;
}

void TstOperations::portGuards()
{
    QFETCH(int, port);
    Connected c;
    AppContext &x = c.ctx;
    x.sendCmd_SetRXTXResolution(port, 1);
    x.sendCmd_GetRXTXResolution(port);
    x.sendCmd_SetRXTXAudioSelect(port, 1);
    x.sendCmd_SetRXTXBrightness(port, 1);
    x.sendCmd_SetRXTXContrast(port, 1);
    x.sendCmd_SetRXTXSharpness(port, 1);
    x.sendCmd_SetRXTXColorTempR(port, 1);
    x.sendCmd_SetRXTXColorTempG(port, 1);
    x.sendCmd_SetRXTXColorTempB(port, 1);
    x.sendCmd_SetVideoWallGap(port, 1, 1);
    x.sendCmd_SetRXTXVideoWall(port, 1, 1, 0, 0, 0);
    x.sendCmd_SetSubtitleEnable(port, 1);
    x.sendCmd_SetSubtitleColor(port, 1);
    x.sendCmd_SetSubtitlePosition(port, 1);
    x.sendCmd_SetSubtitleScrolling(port, 1);
    x.sendCmd_SetSubtitleBGColor(port, 1);
    x.sendCmd_SetSubtitleAlpha(port, 1);
    x.sendCmd_SetSubtitleTXT(port, "A");
    x.sendCmd_HDMIAudioInsertSlect(port, 1);
    x.sendCmd_GetHDMIAudio(port);
    QCOMPARE(c.link->writes, QByteArrayList());

    // Unguarded board operations send the port as given.
    x.sendCmd_RxTxResetFactory(port);
    x.sendCmd_ReadRXTXInfo(port);
    QCOMPARE(c.link->writes, (QByteArrayList{"RXTXReset " + QByteArray::number(port) + "\r\n",
                                             "ReadRXTXInfo " + QByteArray::number(port) + "\r\n"}));
}

void TstOperations::variants_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("SW empty") << 0 << QByteArray("SW 3\r\n");
    QTest::newRow("loop empty") << 1 << QByteArray("SetSenceLoopEN\r\n");
    QTest::newRow("loop non-integral") << 2 << QByteArray("SetSenceLoopEN -1 5 1 5\r\n");
    QTest::newRow("mirror 0x23") << 3 << QByteArray("TXMirror 2 3\r\n");
    QTest::newRow("mirror negative") << 4 << QByteArray("TXMirror -1 15\r\n");
    QTest::newRow("subtitle wide") << 5 << QByteArray("SetRXSubtitleTXT 2 \\u4e2d\\u000a\\ud83d\\ude00\r\n");
    QTest::newRow("subtitle empty") << 6 << QByteArray("SetRXSubtitleTXT 1 \r\n");
    QTest::newRow("output on") << 7 << QByteArray("SetOutput 5 1\r\n");
    QTest::newRow("banner") << 8 << QByteArray("DisplayBanner 255\r\n");
    QTest::newRow("edid empty") << 9 << QByteArray("SetEDIDData 2 \r\n");
    QTest::newRow("ip line break") << 10 << QByteArray("SetIP 10.0.0.9\r\n");
}

void TstOperations::variants()
{
    QFETCH(int, which);
    QFETCH(QByteArray, line);
    Connected c;
    AppContext &x = c.ctx;
    switch (which) {
    case 0:
        x.sendCmd_SW(3, QJsonArray());
        break;
    case 1:
        x.sendCmd_SetSenceLoopEN(QJsonArray(), 10);
        break;
    case 2:
        x.sendCmd_SetSenceLoopEN(QJsonArray{"x", 2}, 5);
        break;
    case 3:
        x.sendCmd_SetMirror2(0x23);
        break;
    case 4:
        x.sendCmd_SetMirror2(-1);
        break;
    case 5:
        x.sendCmd_SetSubtitleTXT(2, QString::fromUtf8("\xe4\xb8\xad\n\xf0\x9f\x98\x80"));
        break;
    case 6:
        x.sendCmd_SetSubtitleTXT(1, QString());
        break;
    case 7:
        x.sendCmd_SetOutput(5, true);
        break;
    case 8:
        x.sendCmd_DisplayBanner(0, true);
        break;
    case 9:
        x.sendCmd_SetEDIDData(2, QString());
        break;
    case 10:
        x.sendCmd_SetIP("10.0.0.9\r\n");
        break;
    }
    QCOMPARE(c.link->writes, QByteArrayList{line});
}

void TstOperations::queriesLogTheirName()
{
    Connected c;
    for (const char *name : {"sendCmd_Ping", "sendCmd_GetSW", "sendCmd_GetOutput", "sendCmd_GetIP"})
        QTest::ignoreMessage(QtDebugMsg, name);
    c.ctx.sendCmd_Ping();
    c.ctx.sendCmd_GetSW();
    c.ctx.sendCmd_GetOutput();
    c.ctx.sendCmd_GetIP();
    QCOMPARE(c.link->writes.size(), 4);
}

void TstOperations::delayedRoutingWaits()
{
    Connected c;
    int writesDuringWait = -1;
    QTimer::singleShot(100, this, [&] { writesDuringWait = c.link->writes.size(); });
    QElapsedTimer clock;
    clock.start();
    c.ctx.sendCmd_DelaySW(4, QJsonArray{1, 2});
    QVERIFY2(clock.elapsed() >= 190, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(writesDuringWait, 0);
    QCOMPARE(c.link->writes, QByteArrayList{"SW 4 1 2\r\n"});
}

void TstOperations::delayedRoutingWaitsWhileDisconnected()
{
    Connected c;
    c.ctx.setIsConnected(false);
    QElapsedTimer clock;
    clock.start();
    c.ctx.sendCmd_DelaySW(4, QJsonArray{1});
    QVERIFY(clock.elapsed() >= 190);
    QCOMPARE(c.link->writes, QByteArrayList());
}

void TstOperations::outputWithDelay()
{
    Connected c;
    int writesDuringWait = -1;
    QTimer::singleShot(100, this, [&] { writesDuringWait = c.link->writes.size(); });
    QElapsedTimer clock;
    clock.start();
    c.ctx.sendCmd_SetOutput(2, true, 300);
    QVERIFY2(clock.elapsed() >= 290, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(writesDuringWait, 0);
    QCOMPARE(c.link->writes, QByteArrayList{"SetOutput 2 1\r\n"});
}

void TstOperations::outputWithNegativeDelay()
{
    Connected c;
    // No wait at all: a timer due well before the 400 ms never fires during the call
    // (a wait runs the event loop), however slow the machine.
    bool waited = false;
    QTimer::singleShot(300, this, [&] { waited = true; });
    c.ctx.sendCmd_SetOutput(3, false, -400);
    QVERIFY(!waited);
    QCOMPARE(c.link->writes, QByteArrayList{"SetOutput 3 0\r\n"});
}

void TstOperations::linkGoneDuringOutputWait()
{
    Connected c;
    QPointer<RecordingClientIO> old = c.link;
    // Connecting again without a usable port drops the current link and makes none.
    QTimer::singleShot(20, this, [&] { c.ctx.connectTerminal(); });
    c.ctx.sendCmd_SetOutput(1, true, 100);
    QVERIFY(!c.ctx.isConnected());
    QVERIFY(!c.ctx.clientIO());
    QTRY_VERIFY(old.isNull());
}

void TstOperations::linkReplacedDuringOutputWait()
{
    Connected c;
    QPointer<RecordingClientIO> old = c.link;
    auto *fresh = new RecordingClientIO;
    QTimer::singleShot(20, this, [&] { c.ctx.attachLink(fresh); });
    c.ctx.sendCmd_SetOutput(1, true, 100);
    // The line goes to the link in use when the wait ends.
    QCOMPARE(fresh->writes, QByteArrayList{"SetOutput 1 1\r\n"});
    QVERIFY(old.isNull() || old->writes.isEmpty());
}

QTEST_GUILESS_MAIN(TstOperations)
#include "tst_operations.moc"
