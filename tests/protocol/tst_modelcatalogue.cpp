// The model table: channel counts per identifier and the groups the screens test.
#include "ModelCatalogue.h"

#include <QtTest>

using ModelCatalogue::Group;

namespace {

QStringList range(int from, int to)
{
    QStringList ids;
    for (int i = from; i <= to; ++i)
        ids << QStringLiteral("DV-%1").arg(i, 2, 10, QLatin1Char('0'));
    return ids;
}

QStringList ids(const char *list)
{
    return QString::fromLatin1(list).split(' ');
}

} // namespace

class TstModelCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void counts_data();
    void counts();
    void notModels();
    void groups_data();
    void groups();
    void groupsByName();
};

void TstModelCatalogue::counts_data()
{
    QTest::addColumn<QStringList>("models");
    QTest::addColumn<int>("inputs");
    QTest::addColumn<int>("outputs");
    QTest::newRow("8x8") << range(1, 15) << 8 << 8;
    QTest::newRow("4x4") << range(16, 38) << 4 << 4;
    QTest::newRow("16x16") << range(39, 46) << 16 << 16;
    QTest::newRow("8x16") << range(47, 48) << 8 << 16;
    QTest::newRow("4x12") << range(49, 50) << 4 << 12;
    QTest::newRow("32x32") << range(51, 51) << 32 << 32;
    QTest::newRow("36x36") << range(52, 52) << 36 << 36;
}

void TstModelCatalogue::counts()
{
    QFETCH(QStringList, models);
    QFETCH(int, inputs);
    QFETCH(int, outputs);
    for (const QString &id : models) {
        ModelCatalogue::Counts c;
        QVERIFY2(ModelCatalogue::lookup(id, &c), qPrintable(id));
        QCOMPARE(c.inputs, inputs);
        QCOMPARE(c.outputs, outputs);
    }
    QCOMPARE(ModelCatalogue::knownModels(), range(1, 52));
}

void TstModelCatalogue::notModels()
{
    for (const char *id : {"", "DV-53", "DV-56", "DV-00", "dv-01", "DV-1", "DV-01 ", " DV-01", "DV-010"}) {
        ModelCatalogue::Counts c{7, 7};
        QVERIFY2(!ModelCatalogue::lookup(id, &c), qPrintable(id));
        QCOMPARE(c.inputs, 7); // untouched
    }
}

void TstModelCatalogue::groups_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<QStringList>("members");
    const char *board = "DV-10 DV-12 DV-13 DV-25 DV-42 DV-51 DV-52";
    QTest::newRow("video wall") << int(Group::VideoWall)
                                << ids("DV-10 DV-11 DV-12 DV-13 DV-15 DV-25 DV-42 DV-45 DV-46 DV-51 DV-52");
    QTest::newRow("board settings") << int(Group::BoardSettings) << ids(board);
    QTest::newRow("subtitle") << int(Group::Subtitle) << ids(board) + QStringList{"DV-53"};
    QTest::newRow("tx swing")
        << int(Group::TxSwing)
        << ids("DV-04 DV-05 DV-08 DV-09 DV-29 DV-32 DV-43 DV-44 DV-47 DV-48 DV-49 DV-50");
    QTest::newRow("plain output") << int(Group::PlainOutput)
                                  << ids("DV-19 DV-20 DV-23 DV-24 DV-27 DV-28 DV-33 DV-34");
    QTest::newRow("audio insert") << int(Group::AudioInsert) << ids("DV-14 DV-21 DV-22");
    QTest::newRow("output resolution") << int(Group::OutputResolution) << ids("DV-15 DV-45 DV-46 DV-56");
    QTest::newRow("splitter") << int(Group::Splitter) << ids("DV-35 DV-36 DV-37 DV-38");
    QTest::newRow("splitter audio") << int(Group::SplitterAudioInput) << ids("DV-35 DV-36");
    QTest::newRow("edid from one") << int(Group::EdidFromOne) << ids("DV-42 DV-45 DV-46");
    QTest::newRow("4k60") << int(Group::Edid4K60) << ids("DV-14 DV-19 DV-20 DV-21 DV-22 DV-23 DV-33 DV-34");
    QTest::newRow("paced") << int(Group::PacedOutput) << ids("DV-20");
}

void TstModelCatalogue::groups()
{
    QFETCH(int, group);
    QFETCH(QStringList, members);
    const Group g = Group(group);
    QCOMPARE(ModelCatalogue::members(g), members);
    // Every identifier from 00 to 60: in the group exactly when listed.
    for (const QString &id : range(0, 60))
        QCOMPARE(ModelCatalogue::inGroup(id, g), members.contains(id));
    QVERIFY(!ModelCatalogue::inGroup(QString(), g));
    QVERIFY(!ModelCatalogue::inGroup(members.first().toLower(), g));
}

void TstModelCatalogue::groupsByName()
{
    const QStringList names = ModelCatalogue::groupNames();
    QCOMPARE(names.size(), 12);
    QVERIFY(ModelCatalogue::inGroup("DV-20", "pacedOutput"));
    QVERIFY(ModelCatalogue::inGroup("DV-52", "videoWall"));
    QVERIFY(!ModelCatalogue::inGroup("DV-20", "videoWall"));
    QVERIFY(!ModelCatalogue::inGroup("DV-20", "noSuchGroup"));
    QVERIFY(!ModelCatalogue::inGroup("", "pacedOutput"));
}

QTEST_GUILESS_MAIN(TstModelCatalogue)
#include "tst_modelcatalogue.moc"
