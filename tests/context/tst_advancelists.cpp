// The advanced screen's option lists and block flags, model by model.
#include "AdvanceLists.h"

#include <QSignalSpy>
#include <QTest>

namespace {

QStringList titles(const QVariantList &list)
{
    QStringList out;
    for (const QVariant &e : list)
        out << e.toMap().value("title").toString();
    return out;
}

QList<int> values(const QVariantList &list)
{
    QList<int> out;
    for (const QVariant &e : list)
        out << e.toMap().value("value").toInt();
    return out;
}

QList<int> range(int from, int to)
{
    QList<int> out;
    for (int v = from; v <= to; ++v)
        out << v;
    return out;
}

// txSwing, peSetting, outputSettingHidden, subtitle, audioInsert, splitter, hdmiOrAnalog,
// outportSetting, as one string of 0 and 1 for readable failures.
QString flags(const AdvanceLists &l)
{
    QString s;
    for (bool b : {l.txSwing(), l.peSetting(), l.outputSettingHidden(), l.subtitle(), l.audioInsert(),
                   l.splitter(), l.hdmiOrAnalog(), l.outportSetting()})
        s += b ? '1' : '0';
    return s;
}

const QStringList kFixedOther = {"HD8Stereo",      "HD8DolbyDTS", "HD8Lossless", "HD12Stereo3D",
                                 "HD12DolbyDTS3D", "HD8Suport4K", "4K30PStereo", "4K30_5.1",
                                 "4K30_AC3",       "4K30_DTS"};

} // namespace

class TstAdvanceLists : public QObject
{
    Q_OBJECT
private slots:
    void numberedLists();
    void edidListFourByFour();
    void edidListFromOne();
    void edidList4K60AndBoardSettings();
    void userEdidRange_data();
    void userEdidRange();
    void peAndSwingDefaults();
    void fixedLists();
    void flagTable_data();
    void flagTable();
    void flagsNeverResetAcrossModels();
    void splitterAudioFlagFollowsSplitters();
};

void TstAdvanceLists::numberedLists()
{
    QCOMPARE(titles(AdvanceLists::inputList(4)), (QStringList{"1", "2", "3", "4"}));
    QCOMPARE(values(AdvanceLists::inputList(4)), range(1, 4));
    QCOMPARE(values(AdvanceLists::outputList(12)), range(1, 12));
    // DV-49: 4 inputs, 12 outputs; the output boards are numbered after the inputs.
    const QVariantList numbered = AdvanceLists::numberedOutputList(4, 12);
    QCOMPARE(titles(numbered).first(), QString("1"));
    QCOMPARE(titles(numbered).last(), QString("12"));
    QCOMPARE(values(numbered), range(5, 16));
    QVERIFY(AdvanceLists::inputList(0).isEmpty());
}

void TstAdvanceLists::edidListFourByFour()
{
    // DV-16: 4 x 4, neither EDID-from-1, board-settings nor 4K60.
    const QVariantList list = AdvanceLists::edidList("DV-16", 4, 4);
    QCOMPARE(list.size(), 5 + 4 + 10);
    QCOMPARE(titles(list).mid(0, 9), (QStringList{"USER1", "USER2", "USER3", "USER4", "USER5", "OUTPORT1",
                                                  "OUTPORT2", "OUTPORT3", "OUTPORT4"}));
    QCOMPARE(values(list), range(5, 23));
    QCOMPARE(titles(list).mid(9), kFixedOther);
    QCOMPARE(values(list).at(9), 14);
    QCOMPARE(AdvanceLists::firstEdidValue("DV-16", 4), 5);
}

void TstAdvanceLists::edidListFromOne()
{
    // DV-42: 16 x 16, EDID from 1 and board settings.
    const QVariantList list = AdvanceLists::edidList("DV-42", 16, 16);
    QCOMPARE(list.size(), 5 + 16 + 6);
    QCOMPARE(values(list), range(1, 27));
    QCOMPARE(titles(list).at(5), QString("OUTPORT1"));
    QCOMPARE(titles(list).at(20), QString("OUTPORT16"));
    QCOMPARE(titles(list).mid(21), (QStringList{"HD8Stereo", "HD8DolbyDTS", "HD8Lossless", "HD12Stereo3D",
                                                "HD12DolbyDTS3D", "HD12Lossless3D"}));
    // DV-45 is EDID-from-1 without board settings: the general fixed list.
    const QVariantList dv45 = AdvanceLists::edidList("DV-45", 16, 16);
    QCOMPARE(values(dv45).first(), 1);
    QCOMPARE(titles(dv45).mid(21), kFixedOther);
}

void TstAdvanceLists::edidList4K60AndBoardSettings()
{
    // DV-14: 8 x 8, 4K60 EDIDs.
    const QVariantList k60 = AdvanceLists::edidList("DV-14", 8, 8);
    QCOMPARE(values(k60).first(), 9);
    QCOMPARE(values(k60).last(), 9 + 5 + 8 + 10 - 1);
    QCOMPARE(titles(k60).mid(13),
             (QStringList{"HD8Stereo", "HD8DolbyDTS", "HD8Lossless", "HD12Stereo3D", "HD12DolbyDTS3D",
                          "HD8Suport4K", "4K30PStereo", "4K30_5.1", "4K30_AC3", "4K60444Stereo"}));
    // DV-10: 8 x 8, board settings, USER1 after the inputs.
    const QVariantList board = AdvanceLists::edidList("DV-10", 8, 8);
    QCOMPARE(values(board), range(9, 9 + 5 + 8 + 6 - 1));
    QCOMPARE(titles(board).last(), QString("HD12Lossless3D"));
    // An unknown or empty model gets the general list after its inputs.
    QCOMPARE(titles(AdvanceLists::edidList("", 0, 0)),
             (QStringList{"USER1", "USER2", "USER3", "USER4", "USER5"} << kFixedOther));
    QCOMPARE(values(AdvanceLists::edidList("", 0, 0)).first(), 1);
}

void TstAdvanceLists::userEdidRange_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("inputs");
    QTest::addColumn<QList<int>>("writable");
    QTest::newRow("8 inputs") << "DV-01" << 8 << range(9, 13);
    QTest::newRow("DV-42") << "DV-42" << 16 << range(1, 5);
    QTest::newRow("DV-45") << "DV-45" << 16 << range(1, 5);
    QTest::newRow("DV-46") << "DV-46" << 16 << range(1, 5);
    QTest::newRow("4 x 4") << "DV-16" << 4 << range(5, 9);
}

void TstAdvanceLists::userEdidRange()
{
    QFETCH(QString, mode);
    QFETCH(int, inputs);
    QFETCH(QList<int>, writable);
    QList<int> allowed;
    for (int v = -1; v <= 60; ++v) {
        if (AdvanceLists::isUserEdid(mode, inputs, v))
            allowed << v;
    }
    QCOMPARE(allowed, writable);
}

void TstAdvanceLists::peAndSwingDefaults()
{
    QCOMPARE(titles(AdvanceLists::peList("DV-01")),
             (QStringList{"0", "1", "2", "3", "4", "5(Default)", "6", "7"}));
    QCOMPARE(titles(AdvanceLists::peList("DV-21")),
             (QStringList{"0", "1", "2", "3", "4(Default)", "5", "6", "7"}));
    QCOMPARE(values(AdvanceLists::peList("DV-21")), range(0, 7));
    QCOMPARE(titles(AdvanceLists::peList("")).at(5), QString("5(Default)"));

    const QVariantList audio = AdvanceLists::swingList("DV-14");
    QCOMPARE(values(audio), range(0, 15));
    QCOMPARE(titles(audio).last(), QString("15(Default)"));
    QCOMPARE(titles(audio).at(10), QString("10"));

    const QVariantList other = AdvanceLists::swingList("DV-04");
    QCOMPARE(values(other), range(0, 31));
    QCOMPARE(titles(other).at(10), QString("10(default)"));
    QCOMPARE(titles(other).at(31), QString("31"));
    QCOMPARE(titles(other).filter("efault").size(), 1);
}

void TstAdvanceLists::fixedLists()
{
    QCOMPARE(titles(AdvanceLists::audioInsertList()), (QStringList{"HDMI", "Extern Audio"}));
    QCOMPARE(titles(AdvanceLists::hdmiOrAnalogList()), (QStringList{"HDMI", "Analog"}));
    QCOMPARE(values(AdvanceLists::subtitleAlphaList()), (QList<int>{40, 50, 63}));
    QCOMPARE(titles(AdvanceLists::subtitleBackgroundList()).first(), QString("None"));
    QCOMPARE(values(AdvanceLists::subtitleBackgroundList()), range(0, 4));
    QCOMPARE(titles(AdvanceLists::subtitleScrollingList()),
             (QStringList{"Static", "quick", "middle", "slow"}));
    QCOMPARE(values(AdvanceLists::splitterModeList()), range(0, 22));
    QCOMPARE(titles(AdvanceLists::splitterModeList()).at(5), QString("DUAL_UP1_DOWN2 4:3"));
    QCOMPARE(titles(AdvanceLists::splitterModeList()).last(), QString("FOUR_EQUALIZE"));
    QCOMPARE(titles(AdvanceLists::spliceModeList()),
             (QStringList{"1X1", "1X2", "2X1", "1X3", "3X1", "2X2", "1X4", "4X1"}));
    QCOMPARE(titles(AdvanceLists::outputResolutionList()).last(), QString("3840*2160@30Hz"));

    // Mirror values: output in the high four bits, the kind in the low four.
    const QVariantList mirror = AdvanceLists::mirrorList();
    QCOMPARE(mirror.size(), 16);
    for (const QVariant &e : mirror) {
        const QString title = e.toMap().value("title").toString();
        const int value = e.toMap().value("value").toInt();
        const QStringList kinds = {"No mirror", "H mirror", "V mirror", "H&V mirror"};
        QCOMPARE(title, QString("%1 %2").arg(value >> 4).arg(kinds.at(value & 0xF)));
    }
}

void TstAdvanceLists::flagTable_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("expected");
    //                                     sw pe hid sub aud spl ha out
    QTest::newRow("TX swing") << "DV-04"
                              << "10000000";
    QTest::newRow("plain output") << "DV-19"
                                  << "00000000";
    QTest::newRow("audio insert") << "DV-14"
                                  << "11001000";
    QTest::newRow("DV-15") << "DV-15"
                           << "10000001";
    QTest::newRow("DV-56") << "DV-56"
                           << "10000001";
    QTest::newRow("DV-45") << "DV-45"
                           << "00100001";
    QTest::newRow("DV-46") << "DV-46"
                           << "00100001";
    QTest::newRow("subtitle, board settings") << "DV-42"
                                              << "01010000";
    QTest::newRow("subtitle only") << "DV-53"
                                   << "01010000";
    QTest::newRow("splitter with audio input") << "DV-35"
                                               << "01000110";
    QTest::newRow("splitter") << "DV-37"
                              << "01000100";
    QTest::newRow("other") << "DV-01"
                           << "01000000";
    QTest::newRow("empty") << ""
                           << "01000000";
}

void TstAdvanceLists::flagTable()
{
    QFETCH(QString, mode);
    QFETCH(QString, expected);
    AdvanceLists lists;
    QCOMPARE(flags(lists), QString("00000000"));
    QSignalSpy spy(&lists, &AdvanceLists::flagsChanged);
    lists.applyMode(mode);
    QCOMPARE(flags(lists), expected);
    QCOMPARE(spy.count(), 1);
}

void TstAdvanceLists::flagsNeverResetAcrossModels()
{
    AdvanceLists lists;
    lists.applyMode("DV-36"); // splitter with audio input
    lists.applyMode("DV-45"); // hides "Output Setting", output resolution
    QCOMPARE(flags(lists), QString("00100111"));
    lists.applyMode("DV-42");
    QCOMPARE(flags(lists), QString("01110111"));
    lists.applyMode("");
    QCOMPARE(flags(lists), QString("01100111"));
    lists.applyMode("DV-14");
    QCOMPARE(flags(lists), QString("11101111"));
}

void TstAdvanceLists::splitterAudioFlagFollowsSplitters()
{
    AdvanceLists lists;
    lists.applyMode("DV-35");
    QVERIFY(lists.hdmiOrAnalog());
    lists.applyMode("DV-01"); // not a splitter: left as it was
    QVERIFY(lists.hdmiOrAnalog());
    lists.applyMode("DV-38"); // a splitter without audio input
    QVERIFY(!lists.hdmiOrAnalog());
    QVERIFY(lists.splitter());
}

QTEST_GUILESS_MAIN(TstAdvanceLists)
#include "tst_advancelists.moc"
