// Every command line the panel can send, byte for byte.
#include "CommandAdapter.h"

#include <QtTest>

using CA = CommandAdapter;

class TstCommandBuilders : public QObject
{
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
    void fixedLinesStayTheSame();
    void stringArgumentsAreLiteral_data();
    void stringArgumentsAreLiteral();
    void lineBreaksNeverLeaveAString_data();
    void lineBreaksNeverLeaveAString();
    void listCommands_data();
    void listCommands();
    void packageUsesLocalEncoding();
};

void TstCommandBuilders::lines_data()
{
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<QByteArray>("expected");

    // fixed lines
    QTest::newRow("PING") << CA::genPing() << QByteArray("PING\r\n");
    QTest::newRow("GetSW") << CA::genGetSW() << QByteArray("GetSW\r\n");
    QTest::newRow("GetOutput") << CA::genGetOutput() << QByteArray("GetOutput\r\n");
    QTest::newRow("SWOTO") << CA::genSWOTO() << QByteArray("SWOTO\r\n");
    QTest::newRow("GetIP") << CA::genGetIP() << QByteArray("GetIP\r\n");
    QTest::newRow("GetIPMask") << CA::genGetIPMask() << QByteArray("GetIPMask\r\n");
    QTest::newRow("GetIPGateWay") << CA::genGetIPGateWay() << QByteArray("GetIPGateWay\r\n");
    QTest::newRow("GetServiceType") << CA::genGetServiceType() << QByteArray("GetServiceType\r\n");
    QTest::newRow("GetServiceNum") << CA::genGetServiceNum() << QByteArray("GetServiceNum\r\n");
    QTest::newRow("SenceDefault") << CA::genSenceDefault() << QByteArray("SenceDefault\r\n");
    QTest::newRow("SetSenceLoopDis") << CA::genSetSenceLoopDis() << QByteArray("SetSenceLoopDis\r\n");
    QTest::newRow("GetBeepEn") << CA::genGetBeepEn() << QByteArray("GetBeepEn\r\n");
    QTest::newRow("ResetFactory") << CA::genResetFactory() << QByteArray("ResetFactory\r\n");
    QTest::newRow("BeepONOnce") << CA::genBeepONOnce() << QByteArray("BeepONOnce\r\n");
    QTest::newRow("banner 0 true") << CA::genDisplayBanner(0, true) << QByteArray("DisplayBanner 255\r\n");
    QTest::newRow("banner 7 false") << CA::genDisplayBanner(7, false) << QByteArray("DisplayBanner 255\r\n");

    // string arguments
    QTest::newRow("SetIP") << CA::genSetIP("192.168.1.10") << QByteArray("SetIP 192.168.1.10\r\n");
    QTest::newRow("SetIPMask") << CA::genSetIPMask("255.255.255.0")
                               << QByteArray("SetIPMask 255.255.255.0\r\n");
    QTest::newRow("SetIPGateWay") << CA::genSetIPGateWay("192.168.1.1")
                                  << QByteArray("SetIPGateWay 192.168.1.1\r\n");
    QTest::newRow("SetServiceType") << CA::genSetServiceType("a b") << QByteArray("SetServiceType a b\r\n");
    QTest::newRow("SetServiceNum") << CA::genSetServiceNum("400-1") << QByteArray("SetServiceNum 400-1\r\n");
    QTest::newRow("SetEDIDData") << CA::genSetEDIDData(3, "00 ff") << QByteArray("SetEDIDData 3 00 ff\r\n");
    QTest::newRow("SetEDIDData empty")
        << CA::genSetEDIDData(2, QString()) << QByteArray("SetEDIDData 2 \r\n");
    QTest::newRow("SetRXSubtitleTXT")
        << CA::genSetSubtitleTXT(2, "\\u0041") << QByteArray("SetRXSubtitleTXT 2 \\u0041\r\n");

    // integer arguments
    QTest::newRow("GetRXEQ") << CA::genGetRXEQ(4) << QByteArray("GetRXEQ 4\r\n");
    QTest::newRow("SetRXEQ") << CA::genSetRXEQ(4, 7) << QByteArray("SetRXEQ 4 7\r\n");
    QTest::newRow("GetOutPE") << CA::genGetOutPE(12) << QByteArray("GetOutPE 12\r\n");
    QTest::newRow("SetOutPE negative") << CA::genSetOutPE(1, -1) << QByteArray("SetOutPE 1 -1\r\n");
    QTest::newRow("GetOutSW") << CA::genGetOutSW(3) << QByteArray("GetOutSW 3\r\n");
    QTest::newRow("SetOutSW") << CA::genSetOutSW(3, 2) << QByteArray("SetOutSW 3 2\r\n");
    QTest::newRow("SetEDID") << CA::genSetEDID(1, 10) << QByteArray("SetEDID 1 10\r\n");
    QTest::newRow("GetEDIDData") << CA::genGetEDIDData(5) << QByteArray("GetEDIDData 5\r\n");
    QTest::newRow("SceneSave") << CA::genScenceSave(1) << QByteArray("SceneSave 1\r\n");
    QTest::newRow("SceneCall") << CA::genScenceCall(32) << QByteArray("SceneCall 32\r\n");
    QTest::newRow("SetOutput on") << CA::genSetOutput(5, true) << QByteArray("SetOutput 5 1\r\n");
    QTest::newRow("SetOutput off") << CA::genSetOutput(5, false) << QByteArray("SetOutput 5 0\r\n");
    QTest::newRow("SetBeepEn on") << CA::genSetBeepEn(true) << QByteArray("SetBeepEn 1\r\n");
    QTest::newRow("SetBeepEn off") << CA::genSetBeepEn(false) << QByteArray("SetBeepEn 0\r\n");
    QTest::newRow("ReadRXTXInfo") << CA::genReadRXTXInfo(9) << QByteArray("ReadRXTXInfo 9\r\n");
    QTest::newRow("RXTXReset") << CA::genRxTxResetFactory(0) << QByteArray("RXTXReset 0\r\n");
    QTest::newRow("SetRXTXResolution")
        << CA::genSetRXTXResolution(2, 5) << QByteArray("SetRXTXResolution 2 5\r\n");
    QTest::newRow("GetRXTXResolution")
        << CA::genGetRXTXResolution(2) << QByteArray("GetRXTXResolution 2\r\n");
    QTest::newRow("SetRXTXAudioSelect")
        << CA::genSetRXTXAudioSelect(2, 1) << QByteArray("SetRXTXAudioSelect 2 1\r\n");
    QTest::newRow("SetRXTXBrtn") << CA::genSetRXTXBrighntess(2, 50) << QByteArray("SetRXTXBrtn 2 50\r\n");
    QTest::newRow("SetRXTXCtrst") << CA::genSetRXTXContrast(2, 51) << QByteArray("SetRXTXCtrst 2 51\r\n");
    QTest::newRow("SetRXTXSharp") << CA::genSetRXTXSharpness(2, 52) << QByteArray("SetRXTXSharp 2 52\r\n");
    QTest::newRow("SetRXTXColorR") << CA::genSetRXTXColoTempR(2, 53) << QByteArray("SetRXTXColorR 2 53\r\n");
    QTest::newRow("SetRXTXColorG") << CA::genSetRXTXColoTempG(2, 54) << QByteArray("SetRXTXColorG 2 54\r\n");
    QTest::newRow("SetRXTXColorB") << CA::genSetRXTXColoTempB(2, 55) << QByteArray("SetRXTXColorB 2 55\r\n");
    QTest::newRow("SetRXTXVideoWall")
        << CA::genSetRXTXVideoWall(17, 4, 3, 2, 1, 6) << QByteArray("SetRXTXVideoWall 17 4 3 2 1 6\r\n");
    QTest::newRow("SetVideoWallGap") << CA::genSetVideoWallGap(17, 10, -20)
                                     << QByteArray("SetVideoWallGap 17 10 -20\r\n");
    QTest::newRow("SetRXSubtitleEnable")
        << CA::genSetSubtitleEnable(1, 1) << QByteArray("SetRXSubtitleEnable 1 1\r\n");
    QTest::newRow("SetRXSubtitleTXTColor")
        << CA::genSetSubtitleColor(1, 3) << QByteArray("SetRXSubtitleTXTColor 1 3\r\n");
    QTest::newRow("SetRXSubtitlePos")
        << CA::genSetSubtitlePosition(1, 2) << QByteArray("SetRXSubtitlePos 1 2\r\n");
    QTest::newRow("SetRXSubtitleTXTMove")
        << CA::genSetSubtitleScrolling(1, 0) << QByteArray("SetRXSubtitleTXTMove 1 0\r\n");
    QTest::newRow("SetRXSubtitleBG") << CA::genSetSubtitleBGColor(1, 4)
                                     << QByteArray("SetRXSubtitleBG 1 4\r\n");
    QTest::newRow("SetRXSubtitlecAlpha")
        << CA::genSetSubtitleAlpha(1, 80) << QByteArray("SetRXSubtitlecAlpha 1 80\r\n");
    QTest::newRow("HDMIAudioInsert") << CA::genSetSetHDMIAudioInsert(3, 1)
                                     << QByteArray("HDMIAudioInsert 3 1\r\n");
    QTest::newRow("GetHDMIAudioInsert")
        << CA::genGetSetHDMIAudioInsert(3) << QByteArray("GetHDMIAudioInsert 3\r\n");
    QTest::newRow("SetDisplayMode") << CA::genSetDisplayMode(2) << QByteArray("SetDisplayMode 2\r\n");
    QTest::newRow("SetSplitterMode") << CA::genSetSplitterMode(3) << QByteArray("SetSplitterMode 3\r\n");
    QTest::newRow("SetSpliceMode") << CA::genSetSpliceMode(4) << QByteArray("SetSpliceMode 4\r\n");
    QTest::newRow("SetResolution") << CA::genSetRelution(5) << QByteArray("SetResolution 5\r\n");
    QTest::newRow("RXRotate") << CA::genSetRotate(1) << QByteArray("RXRotate 1\r\n");
    QTest::newRow("TXMirror") << CA::genSetMirror(2, 3) << QByteArray("TXMirror 2 3\r\n");
    QTest::newRow("SetSlipterAudio") << CA::genSetAudioSelecct(1) << QByteArray("SetSlipterAudio 1\r\n");
    QTest::newRow("SetAudioHdmiOrAnalog")
        << CA::genSetAudioAnalogOrHDMI(6, 1) << QByteArray("SetAudioHdmiOrAnalog 6 1\r\n");
    QTest::newRow("GetAudioHdmiOrAnalog")
        << CA::genGetAudioAnalogOrHDMI(6) << QByteArray("GetAudioHdmiOrAnalog 6\r\n");
    QTest::newRow("large and negative") << CA::genSetRXTXVideoWall(INT_MIN, INT_MAX, -1, 0, 0, 0)
                                        << QByteArray("SetRXTXVideoWall -2147483648 2147483647 -1 0 0 0\r\n");
}

void TstCommandBuilders::lines()
{
    QFETCH(QByteArray, built);
    QFETCH(QByteArray, expected);
    QCOMPARE(built, expected);
}

void TstCommandBuilders::fixedLinesStayTheSame()
{
    // Built lines are handed out as values: a caller changing its copy changes nothing.
    QByteArray first = CA::genPing();
    first[0] = 'X';
    QCOMPARE(CA::genPing(), QByteArray("PING\r\n"));
    QCOMPARE(CA::genDisplayBanner(3, true), CA::genDisplayBanner(-1, false));
}

void TstCommandBuilders::stringArgumentsAreLiteral_data()
{
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("ip") << CA::genSetIP("%1%2") << QByteArray("SetIP %1%2\r\n");
    QTest::newRow("service") << CA::genSetServiceNum("%2 %1") << QByteArray("SetServiceNum %2 %1\r\n");
    QTest::newRow("edid") << CA::genSetEDIDData(1, "%1") << QByteArray("SetEDIDData 1 %1\r\n");
    QTest::newRow("subtitle") << CA::genSetSubtitleTXT(4, "%1 %2")
                              << QByteArray("SetRXSubtitleTXT 4 %1 %2\r\n");
    QTest::newRow("untrimmed") << CA::genSetIPMask(" 255 ") << QByteArray("SetIPMask  255 \r\n");
}

void TstCommandBuilders::stringArgumentsAreLiteral()
{
    QFETCH(QByteArray, built);
    QFETCH(QByteArray, expected);
    QCOMPARE(built, expected);
}

void TstCommandBuilders::lineBreaksNeverLeaveAString_data()
{
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("ip") << CA::genSetIP("10.0.0.1\r\nResetFactory")
                        << QByteArray("SetIP 10.0.0.1ResetFactory\r\n");
    QTest::newRow("mask") << CA::genSetIPMask("255.0.0.0\n") << QByteArray("SetIPMask 255.0.0.0\r\n");
    QTest::newRow("gateway") << CA::genSetIPGateWay("\r10.0.0.254")
                             << QByteArray("SetIPGateWay 10.0.0.254\r\n");
    QTest::newRow("type") << CA::genSetServiceType("a\nb") << QByteArray("SetServiceType ab\r\n");
    QTest::newRow("num") << CA::genSetServiceNum("1\r2") << QByteArray("SetServiceNum 12\r\n");
    QTest::newRow("edid") << CA::genSetEDIDData(1, "00 ff\r\n01") << QByteArray("SetEDIDData 1 00 ff01\r\n");
    QTest::newRow("subtitle") << CA::genSetSubtitleTXT(1, "a\r\n") << QByteArray("SetRXSubtitleTXT 1 a\r\n");
}

void TstCommandBuilders::lineBreaksNeverLeaveAString()
{
    QFETCH(QByteArray, built);
    QFETCH(QByteArray, expected);
    QCOMPARE(built, expected);
    QCOMPARE(built.count('\r'), 1);
    QCOMPARE(built.count('\n'), 1);
}

void TstCommandBuilders::listCommands_data()
{
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("SW") << CA::genSW(3, {1, 2, 4}) << QByteArray("SW 3 1 2 4\r\n");
    QTest::newRow("SW empty") << CA::genSW(1, {}) << QByteArray("SW 1\r\n");
    QTest::newRow("SW passes duplicates and order")
        << CA::genSW(2, {5, 1, 5, -3}) << QByteArray("SW 2 5 1 5 -3\r\n");
    QTest::newRow("loop") << CA::genSetSenceLoopEN({0, 2, 5}, {10, 10, 10})
                          << QByteArray("SetSenceLoopEN 0 10 2 10 5 10\r\n");
    QTest::newRow("loop one") << CA::genSetSenceLoopEN({31}, {3600})
                              << QByteArray("SetSenceLoopEN 31 3600\r\n");
    QTest::newRow("loop empty") << CA::genSetSenceLoopEN({}, {}) << QByteArray("SetSenceLoopEN\r\n");
}

void TstCommandBuilders::listCommands()
{
    QFETCH(QByteArray, built);
    QFETCH(QByteArray, expected);
    QCOMPARE(built, expected);
}

void TstCommandBuilders::packageUsesLocalEncoding()
{
    QString text = QStringLiteral("SetIP \u00e9\r\n");
    QCOMPARE(CA::genPackage(text), text.toLocal8Bit());
    QCOMPARE(CA::genSetServiceType(QStringLiteral("\u00e9")),
             QStringLiteral("SetServiceType \u00e9\r\n").toLocal8Bit());
}

QTEST_GUILESS_MAIN(TstCommandBuilders)
#include "tst_commandbuilders.moc"
