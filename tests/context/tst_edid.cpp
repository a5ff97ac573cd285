// EDID files to text and back.
#include "AppContext.h"
#include "TestWorkDir.h"

#include <QUrl>
#include <QtTest>

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

QTEST_GUILESS_MAIN(TstEdid)
#include "tst_edid.moc"
