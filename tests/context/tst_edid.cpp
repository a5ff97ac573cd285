// EDID files to text and back.
#include "AppContext.h"
#include "EdidDecoder.h"
#include "EdidFile.h"
#include "TestWorkDir.h"

#include <QUrl>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

QString url(const QString &path)
{
    return QUrl::fromLocalFile(path).toString();
}

QByteArray pattern(int size)
{
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
        bytes.append(static_cast<char>((i * 37 + 11) & 0xff));
    return bytes;
}

// A base block a display takes: header, no extension, checksum right.
QByteArray soundEdid()
{
    std::vector<uint8_t> bytes(128);
    for (int i = 0; i < 128; ++i)
        bytes[i] = uint8_t((i * 37 + 11) & 0xff);
    const uint8_t header[8] = {0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x00};
    std::copy(header, header + 8, bytes.begin());
    bytes[126] = 0;
    bytes = edid::fixChecksums(bytes);
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size()));
}

} // namespace

class TstEdid : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void savingSkipsNonHex_data();
    void savingSkipsNonHex();
    void plainPathIsNoFile();
    void outcomeIsReported();
    void defectiveFileLoadsWithItsDefects();
    void failedSaveKeepsOldFile();
    void diskFullIsNamed();
};

void TstEdid::roundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("textLength");
    QTest::newRow("128 bytes") << pattern(128) << 383;
    QTest::newRow("256 bytes") << pattern(256) << 767;
    QTest::newRow("all byte values") << pattern(256).append(QByteArray("\x00\xff\x0a\x0d", 4)) << 779;
    QTest::newRow("empty") << QByteArray() << 0;
}

void TstEdid::roundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, textLength);
    TestWorkDir dir;
    dir.write("in.bin", bytes);
    AppContext ctx;
    QSignalSpy spy(&ctx, &AppContext::currentEDIDStrChanged);
    ctx.loadEDID_fromFile(url(dir.file("in.bin")));
    QCOMPARE(spy.count(), 1);
    const QString text = ctx.currentEDIDStr();
    QCOMPARE(text.size(), textLength);
    QCOMPARE(text, QString::fromLatin1(bytes.toHex(' ')));
    QVERIFY(!text.startsWith(' ') && !text.endsWith(' '));

    ctx.saveEDID_toFile(url(dir.file("out.bin")));
    QVERIFY(QFile::exists(dir.file("out.bin")));
    QCOMPARE(dir.read("out.bin"), bytes);

    // Loading the same file again notifies again.
    ctx.loadEDID_fromFile(url(dir.file("in.bin")));
    QCOMPARE(spy.count(), 2);
}

void TstEdid::savingSkipsNonHex_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("0 ff") << "0 ff" << QByteArray("\x00\xff", 2);
    QTest::newRow("abc") << "abc" << QByteArray("\x0a\xbc", 2);
    QTest::newRow("upper case and breaks") << "00 FF\r\n1a\tzz" << QByteArray("\x00\xff\x1a", 3);
    QTest::newRow("no digits") << "xyz " << QByteArray();
}

void TstEdid::savingSkipsNonHex()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    TestWorkDir dir;
    dir.write("out.bin", "old contents that must go");
    AppContext ctx;
    ctx.setCurrentEDIDStr(text);
    ctx.saveEDID_toFile(url(dir.file("out.bin")));
    QCOMPARE(dir.read("out.bin"), bytes);
}

void TstEdid::plainPathIsNoFile()
{
    TestWorkDir dir;
    dir.write("in.bin", pattern(128));
    AppContext ctx;
    ctx.setCurrentEDIDStr("00 11");
    QSignalSpy spy(&ctx, &AppContext::currentEDIDStrChanged);
    ctx.loadEDID_fromFile(dir.file("in.bin"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(ctx.currentEDIDStr(), QString());
    // A missing file reads as no bytes as well.
    ctx.setCurrentEDIDStr("00 11");
    ctx.loadEDID_fromFile(url(dir.file("missing.bin")));
    QCOMPARE(ctx.currentEDIDStr(), QString());
}

void TstEdid::outcomeIsReported()
{
    TestWorkDir dir;
    dir.write("in.bin", soundEdid());
    AppContext ctx;
    QVERIFY(ctx.loadEDID_fromFile(url(dir.file("in.bin"))));
    QCOMPARE(ctx.edidFileMessage(), QString("Load successful"));
    QVERIFY(ctx.saveEDID_toFile(url(dir.file("out.bin"))));
    QCOMPARE(ctx.edidFileMessage(), QString("Save successful"));

    const QString missing = dir.file("missing.bin");
    QVERIFY(!ctx.loadEDID_fromFile(url(missing)));
    QVERIFY(ctx.edidFileMessage().startsWith("Load failed: " + missing));
    QVERIFY(ctx.edidFileMessage().contains("cannot be opened"));
    // A directory is no EDID file either.
    QVERIFY(!ctx.loadEDID_fromFile(url(dir.path())));
    QVERIFY(ctx.edidFileMessage().startsWith("Load failed"));

    ctx.setCurrentEDIDStr("00 ff");
    const QString nowhere = dir.file("no-such-folder/out.bin");
    QVERIFY(!ctx.saveEDID_toFile(url(nowhere)));
    QVERIFY(ctx.edidFileMessage().startsWith("Save failed: " + nowhere));
    QVERIFY(!QFile::exists(nowhere));
    // A plain path names no file.
    QVERIFY(!ctx.saveEDID_toFile(dir.file("plain.bin")));
    QVERIFY(!QFile::exists(dir.file("plain.bin")));
}

// A file that reads but whose EDID a display would refuse: it is loaded all the same, and
// the message says so and names each defect.
void TstEdid::defectiveFileLoadsWithItsDefects()
{
    TestWorkDir dir;
    const QByteArray twoBlocks = soundEdid() + soundEdid();
    dir.write("two.bin", twoBlocks);
    dir.write("empty.bin", QByteArray());
    AppContext ctx;
    QVERIFY(ctx.loadEDID_fromFile(url(dir.file("two.bin"))));
    QCOMPARE(ctx.currentEDIDStr(), QString::fromLatin1(twoBlocks.toHex(' ')));
    QCOMPARE(ctx.edidFileMessage(), "Loaded " + dir.file("two.bin") +
                                        ", but the EDID in it is defective:\n"
                                        "• Extension blocks declared: 0, present: 1.");

    QVERIFY(ctx.loadEDID_fromFile(url(dir.file("empty.bin"))));
    QVERIFY(ctx.edidFileMessage().endsWith(":\n• The EDID is empty."));
}

void TstEdid::failedSaveKeepsOldFile()
{
    TestWorkDir dir;
    const QByteArray old = pattern(256);
    dir.write("keep.bin", old);
    AppContext ctx;
    ctx.setCurrentEDIDStr(QString::fromLatin1(pattern(256).toHex(' ')).toUpper());
    // Files may not grow past 100 bytes for a moment: the write fails half-way, as on a
    // full disk, whoever runs the test.
    struct rlimit saved
    {
    };
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 100;
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool savedOk = ctx.saveEDID_toFile(url(dir.file("keep.bin")));
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);

    QVERIFY(!savedOk);
    QVERIFY(ctx.edidFileMessage().startsWith("Save failed: " + dir.file("keep.bin")));
    QVERIFY(ctx.edidFileMessage().contains("cannot be written"));
    QCOMPARE(dir.read("keep.bin"), old);
    // No temporary file is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.bin"});
}

void TstEdid::diskFullIsNamed()
{
    EdidFile::Result full;
    full.failure = EdidFile::Failure::DiskFull;
    full.path = "/media/stick/a.bin";
    QCOMPARE(EdidFile::message(true, full), QString("Save failed: /media/stick/a.bin\nthe disk is full"));
    EdidFile::Result unread;
    unread.failure = EdidFile::Failure::Read;
    unread.path = "/x.bin";
    QCOMPARE(EdidFile::message(false, unread), QString("Load failed: /x.bin\nthe file cannot be read"));
}

QTEST_GUILESS_MAIN(TstEdid)
#include "tst_edid.moc"
