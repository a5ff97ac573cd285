// The traffic log model: batching, the ring, pause, filter, selection, saving, and how
// device bytes and typed commands are turned into text and lines.
#include "TrafficConsole.h"
#include "TrafficLog.h"

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <ctime>

namespace {

// 2026-12-08 21:05:03.120 UTC, stepping 1 ms per line.
qint64 g_now = 0;
qint64 fakeClock()
{
    return g_now++;
}
constexpr qint64 kStart = 1796763903120;

QString textAt(const QAbstractItemModel &m, int row)
{
    return m.data(m.index(row, 0), TrafficLog::TextRole).toString();
}

QByteArray line(int n)
{
    return "line " + QByteArray::number(n);
}

} // namespace

class TestTrafficLog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void appendsReachRowsInBatches();
    void ringKeepsTheLastLines();
    void longLinesSurviveTheRingTurning();
    void pauseKeepsButDoesNotShow();
    void filterAsYouType();
    void selectionAndCopy();
    void saveWritesEveryKeptLine();
    void saveRefusesUnwritablePath();
    void unrecognisedAndDiscardedLines();
    void deviceBytesAsText_data();
    void deviceBytesAsText();
    void typedCommandBecomesOneLine_data();
    void typedCommandBecomesOneLine();
};

void TestTrafficLog::initTestCase()
{
    qputenv("TZ", "UTC");
    tzset();
}

void TestTrafficLog::init()
{
    g_now = kStart;
}

void TestTrafficLog::appendsReachRowsInBatches()
{
    TrafficLog log;
    log.setClock(fakeClock);
    QSignalSpy inserted(&log, &QAbstractItemModel::rowsInserted);
    for (int i = 0; i < 500; ++i)
        log.addReceived(line(i));
    log.addSent("PING\r\nGetSW\r\n");
    // Nothing is shown line by line: the batch timer moves them all at once.
    QCOMPARE(log.rowCount(), 0);
    QCOMPARE(log.count(), 502);
    QTRY_COMPARE(log.rowCount(), 502);
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(textAt(log, 0), QStringLiteral("line 0"));
    QCOMPARE(textAt(log, 500), QStringLiteral("PING"));
    QCOMPARE(log.data(log.index(501), TrafficLog::KindRole).toInt(), int(TrafficLog::Sent));
    QCOMPARE(textAt(log, 501), QStringLiteral("GetSW"));
    QCOMPARE(log.data(log.index(0), TrafficLog::TimeRole).toString(), QStringLiteral("21:05:03.120"));
}

void TestTrafficLog::ringKeepsTheLastLines()
{
    TrafficLog log;
    log.setClock(fakeClock);
    TrafficLog &shown = log;
    QAbstractItemModelTester tester(&shown, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(log.capacity(), 10000);

    int next = 0;
    for (; next < 9990; ++next)
        log.addReceived(line(next));
    log.flush();
    QCOMPARE(log.rowCount(), 9990);
    // Over the edge: the oldest rows go from the top as the new ones come in.
    for (; next < 10500; ++next)
        log.addReceived(line(next));
    log.flush();
    QCOMPARE(log.rowCount(), 10000);
    QCOMPARE(shown.rowCount(), 10000);
    QCOMPARE(textAt(log, 0), QStringLiteral("line 500"));
    QCOMPARE(textAt(shown, 9999), QStringLiteral("line 10499"));

    // More new lines than the ring holds replace everything with their own last lines.
    for (; next < 25000; ++next)
        log.addSent(line(next));
    QCOMPARE(log.count(), 10000); // what the ring keeps, before the batch is shown
    // Twice the ring between two batches is shown at once (lines 10500 to 20499).
    QCOMPARE(log.heldCount(), 4500);
    QCOMPARE(textAt(log, 0), QStringLiteral("line 10500"));
    QVERIFY(log.savedText().startsWith("2026-12-08 21:05:18.120\t\xe2\x86\x92\tline 15000\n"));
    log.flush();
    QCOMPARE(log.count(), 10000);
    QCOMPARE(log.rowCount(), 10000);
    QCOMPARE(textAt(log, 0), QStringLiteral("line 15000"));
    QCOMPARE(textAt(log, 9999), QStringLiteral("line 24999"));

    log.clear();
    QCOMPARE(log.rowCount(), 0);
    QCOMPARE(log.count(), 0);
    QCOMPARE(shown.rowCount(), 0);
}

// Lines of every length, empty and cut ones included, kept while the ring drops old
// ones and their storage is reused: each kept line must come back byte for byte.
void TestTrafficLog::longLinesSurviveTheRingTurning()
{
    TrafficLog log(nullptr, 40);
    log.setClock(fakeClock);
    QAbstractItemModelTester tester(&log, QAbstractItemModelTester::FailureReportingMode::QtTest);
    auto body = [](int n) {
        const int size = (n * 997) % (TrafficLog::kMaxLineBytes + 600);
        return QByteArray(size, char('a' + n % 26)).prepend(QByteArray::number(n) + ":");
    };
    auto expected = [&](int n) {
        const QByteArray b = body(n);
        if (b.size() <= TrafficLog::kMaxLineBytes)
            return QString::fromLatin1(b);
        return QString::fromLatin1(b.left(TrafficLog::kMaxLineBytes) + " ... (" +
                                   QByteArray::number(b.size()) + " bytes)");
    };
    int next = 0;
    for (int round = 0; round < 12; ++round) {
        for (int i = 0; i < 37; ++i, ++next)
            log.addReceived(next % 9 == 0 ? QByteArray() : body(next));
        if (round % 3 == 2) // a long line no reply matched, marked in place
            log.markUnrecognised(body(next - 1));
        log.flush();
        QCOMPARE(log.rowCount(), qMin(next, 40));
        for (int row = 0; row < log.rowCount(); ++row) {
            const int n = next - log.rowCount() + row;
            QCOMPARE(textAt(log, row), n % 9 == 0 ? QString() : expected(n));
        }
        if (round % 3 == 2)
            QCOMPARE(log.data(log.index(39), TrafficLog::KindRole).toInt(), int(TrafficLog::Unrecognised));
    }
    // Twice the ring between two batches, then the whole log emptied and refilled.
    for (int i = 0; i < 100; ++i, ++next)
        log.addSent(body(next));
    log.flush();
    QCOMPARE(textAt(log, 0), expected(next - 40));
    QCOMPARE(textAt(log, 39), expected(next - 1));
    log.clear();
    log.addReceived(body(5));
    log.flush();
    QCOMPARE(log.rowCount(), 1);
    QCOMPARE(textAt(log, 0), expected(5));
}

void TestTrafficLog::pauseKeepsButDoesNotShow()
{
    TrafficLog log(nullptr, 100);
    log.setClock(fakeClock);
    for (int i = 0; i < 60; ++i)
        log.addReceived(line(i));
    log.flush();
    log.setPaused(true);
    for (int i = 60; i < 120; ++i)
        log.addReceived(line(i));
    log.flush();
    // Kept and counted, not shown; the ring still drops the oldest shown lines.
    QCOMPARE(log.heldCount(), 60);
    QCOMPARE(log.count(), 100);
    QCOMPARE(log.rowCount(), 40);
    QCOMPARE(textAt(log, 0), QStringLiteral("line 20"));
    QCOMPARE(textAt(log, 39), QStringLiteral("line 59"));
    QVERIFY(log.savedText().endsWith("line 119\n"));
    QCOMPARE(log.savedText().count('\n'), 100);

    QSignalSpy inserted(&log, &QAbstractItemModel::rowsInserted);
    log.setPaused(false);
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(log.rowCount(), 100);
    QCOMPARE(log.heldCount(), 0);
    QCOMPARE(textAt(log, 40), QStringLiteral("line 60"));
    QCOMPARE(textAt(log, 99), QStringLiteral("line 119"));

    // Clearing while paused drops the held lines too.
    log.setPaused(true);
    log.addSent("PING");
    log.clear();
    log.setPaused(false);
    QCOMPARE(log.count(), 0);
    QCOMPARE(log.rowCount(), 0);
}

void TestTrafficLog::filterAsYouType()
{
    TrafficLog log;
    log.setClock(fakeClock);
    TrafficLog &shown = log;
    QAbstractItemModelTester tester(&shown, QAbstractItemModelTester::FailureReportingMode::QtTest);
    log.addSent("GetOutPE 3");
    log.addReceived("OutPE 3 2");
    log.addSent("GetSW");
    log.addReceived("SWS 1 2 3");
    log.flush();

    shown.setFilterText(QStringLiteral("o"));
    QCOMPARE(shown.rowCount(), 2);
    shown.setFilterText(QStringLiteral("outpe"));
    QCOMPARE(shown.rowCount(), 2);
    QCOMPARE(textAt(shown, 0), QStringLiteral("GetOutPE 3"));
    QCOMPARE(textAt(shown, 1), QStringLiteral("OutPE 3 2"));
    shown.setFilterText(QStringLiteral("outpe 3 2"));
    QCOMPARE(shown.rowCount(), 1);

    // Lines arriving later are filtered too, and the ring's removals keep the view right.
    log.addReceived("OutPE 3 2");
    log.addReceived("SWS 2 2 2");
    log.flush();
    QCOMPARE(shown.rowCount(), 2);
    shown.setFilterText(QString());
    QCOMPARE(shown.rowCount(), 6);
    shown.setFilterText(QStringLiteral("nothing like it"));
    QCOMPARE(shown.rowCount(), 0);
}

void TestTrafficLog::selectionAndCopy()
{
    TrafficLog log;
    log.setClock(fakeClock);
    TrafficLog &shown = log;
    for (const char *l : {"PING", "DV-42", "GetSW", "SWS 1 1", "GetIP", "IP 192.168.1.100"})
        log.addReceived(l);
    log.flush();
    QVERIFY(!shown.copySelected());

    shown.setFilterText(QStringLiteral("g")); // PING GetSW GetIP
    QCOMPARE(shown.rowCount(), 3);
    shown.selectRange(2, 1);
    QCOMPARE(log.selectedCount(), 2);
    QVERIFY(shown.copySelected());
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("2026-12-08 21:05:03.122\t←\tGetSW\n2026-12-08 21:05:03.124\t←\tGetIP\n"));
    shown.toggle(2);
    QCOMPARE(log.selectedCount(), 1);
    QCOMPARE(log.selectedText(), QStringLiteral("2026-12-08 21:05:03.122\t←\tGetSW\n"));

    // Lines shown while a filter is set are filtered as they come.
    log.addReceived("GetBeepEn");
    log.addReceived("BeepEn 1");
    log.flush();
    QCOMPARE(shown.rowCount(), 4);
    QCOMPARE(textAt(shown, 3), QStringLiteral("GetBeepEn"));
    QCOMPARE(log.selectedCount(), 1);
    // Another filter: the selection goes, so hidden lines are never copied.
    shown.setFilterText(QString());
    QCOMPARE(log.selectedCount(), 0);
    shown.selectAll();
    QCOMPARE(log.selectedCount(), 8);

    // Selected lines that drop off the ring leave the count.
    TrafficLog small(nullptr, 3);
    small.setClock(fakeClock);
    TrafficLog &smallShown = small;
    small.addReceived("a");
    small.addReceived("b");
    small.flush();
    smallShown.selectAll();
    small.addReceived("c");
    small.addReceived("d");
    small.flush();
    QCOMPARE(small.selectedCount(), 1);
    QCOMPARE(small.rowCount(), 3);
}

void TestTrafficLog::saveWritesEveryKeptLine()
{
    QTemporaryDir dir;
    TrafficLog log;
    log.setClock(fakeClock);
    log.addSent("GetIP\r\n");
    log.addReceived("IP 192.168.1.100");
    log.addSent("SetRXSubtitleTXT 1 \\u4F60\\u597D\r\n");
    log.addReceived("\x01\xff junk\tline");
    log.markUnrecognised("\x01\xff junk\tline");
    log.addReceived("名称 ok");
    log.markUnrecognised("名称 ok");
    log.addDiscarded("SWS 1 2");
    log.flush();
    log.setPaused(true);
    log.addReceived("BeepEn 1"); // held, saved all the same

    const QString path = dir.filePath(QStringLiteral("traffic.log"));
    QVERIFY(log.save(QUrl::fromLocalFile(path).toString()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray expected =
        "2026-12-08 21:05:03.120\t\xe2\x86\x92\tGetIP\n"
        "2026-12-08 21:05:03.121\t\xe2\x86\x90\tIP 192.168.1.100\n"
        "2026-12-08 21:05:03.122\t\xe2\x86\x92\tSetRXSubtitleTXT 1 \\u4F60\\u597D\n"
        "2026-12-08 21:05:03.123\t\xe2\x86\x90 (unrecognised)\t\\x01\\xFF junk\\x09line\n"
        "2026-12-08 21:05:03.124\t\xe2\x86\x90 (unrecognised)\t名称 ok\n"
        "2026-12-08 21:05:03.125\t\xe2\x86\x90 (discarded partial line)\tSWS 1 2\n"
        "2026-12-08 21:05:03.126\t\xe2\x86\x90\tBeepEn 1\n";
    QCOMPARE(file.readAll(), expected);
    // A plain path works as well, and replaces the file.
    log.setPaused(false);
    log.clear();
    log.addSent("PING");
    log.flush();
    QVERIFY(log.save(path));
    file.close();
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("2026-12-08 21:05:03.127\t\xe2\x86\x92\tPING\n"));
}

void TestTrafficLog::saveRefusesUnwritablePath()
{
    QTemporaryDir dir;
    TrafficLog log;
    log.setClock(fakeClock);
    log.addSent("PING");
    QVERIFY(!log.save(QString()));
    QVERIFY(!log.save(dir.filePath(QStringLiteral("no/such/dir/traffic.log"))));
    QVERIFY(!log.save(dir.path())); // a directory
}

void TestTrafficLog::unrecognisedAndDiscardedLines()
{
    TrafficLog log;
    log.setClock(fakeClock);
    log.addReceived("Hello");
    log.markUnrecognised("Hello");
    log.markUnrecognised("Orphan"); // not the line last taken: an entry of its own
    log.addDiscarded(QByteArray()); // nothing pending: nothing to note
    log.addDiscarded(QByteArray(1024 * 1024 + 1, 'x'));
    log.addReceived(QByteArray(5000, 'y'));
    log.markUnrecognised(QByteArray(5000, 'y'));
    log.flush();
    QCOMPARE(log.rowCount(), 4);
    QCOMPARE(log.data(log.index(0), TrafficLog::KindRole).toInt(), int(TrafficLog::Unrecognised));
    QCOMPARE(log.data(log.index(1), TrafficLog::KindRole).toInt(), int(TrafficLog::Unrecognised));
    QCOMPARE(textAt(log, 1), QStringLiteral("Orphan"));
    QCOMPARE(log.data(log.index(2), TrafficLog::KindRole).toInt(), int(TrafficLog::Discarded));
    // A huge line is kept shortened, with its length.
    QCOMPARE(textAt(log, 2), QString(4096, 'x') + QStringLiteral(" ... (1048577 bytes)"));
    QCOMPARE(log.data(log.index(3), TrafficLog::KindRole).toInt(), int(TrafficLog::Unrecognised));
}

void TestTrafficLog::deviceBytesAsText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("SWS 1 2 3") << QStringLiteral("SWS 1 2 3");
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("controls") << QByteArray("a\x01\tb\x7f", 5) << QStringLiteral("a\\x01\\x09b\\x7F");
    QTest::newRow("nul") << QByteArray("a\0b", 3) << QStringLiteral("a\\x00b");
    QTest::newRow("lone cr") << QByteArray("a\rb") << QStringLiteral("a\\x0Db");
    QTest::newRow("utf-8") << QByteArray("名称 é") << QStringLiteral("名称 é");
    QTest::newRow("four-byte") << QByteArray("\xf0\x9f\x98\x80") << QString::fromUtf8("\xf0\x9f\x98\x80");
    QTest::newRow("stray continuation") << QByteArray("\x80z") << QStringLiteral("\\x80z");
    QTest::newRow("overlong") << QByteArray("\xc0\xaf") << QStringLiteral("\\xC0\\xAF");
    QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << QStringLiteral("\\xED\\xA0\\x80");
    QTest::newRow("cut short") << QByteArray("ab\xe5\x90") << QStringLiteral("ab\\xE5\\x90");
    QTest::newRow("backslash kept") << QByteArray("\\u4F60") << QStringLiteral("\\u4F60");
}

void TestTrafficLog::deviceBytesAsText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(TrafficLog::lineText(bytes), text);
}

void TestTrafficLog::typedCommandBecomesOneLine_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("plain") << QStringLiteral("PING") << QByteArray("PING\r\n");
    QTest::newRow("own line end") << QStringLiteral("GetSW\r\n") << QByteArray("GetSW\r\n");
    QTest::newRow("inside") << QStringLiteral("Get\rI\nP") << QByteArray("GetIP\r\n");
    QTest::newRow("spaces kept") << QStringLiteral(" SW 1 2 ") << QByteArray(" SW 1 2 \r\n");
    QTest::newRow("utf-8") << QStringLiteral("名称") << QByteArray("名称\r\n");
    QTest::newRow("only line ends") << QStringLiteral("\r\n\r") << QByteArray();
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestTrafficLog::typedCommandBecomesOneLine()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, line);
    QCOMPARE(TrafficConsole::rawLine(typed), line);

    TrafficConsole console;
    QList<QByteArray> sent;
    QVERIFY(!console.sendRaw(typed)); // no link at all
    console.setSender([&](const QByteArray &l) {
        sent.append(l);
        return true;
    });
    QCOMPARE(console.sendRaw(typed), !line.isEmpty());
    QCOMPARE(sent, line.isEmpty() ? QList<QByteArray>() : QList<QByteArray>{line});
}

QTEST_MAIN(TestTrafficLog)
#include "tst_trafficlog.moc"
