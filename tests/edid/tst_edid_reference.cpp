// Every EDID in data/ decoded by tessaro's decoder and by Debian's edid-decode: each field
// of the summary must agree.
#include "EdidDecoder.h"
#include "EdidReference.h"

#include <QDir>
#include <QJsonDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

QVariantMap summaryOf(const QByteArray &bytes)
{
    const auto info = edid::decode(reinterpret_cast<const uint8_t *>(bytes.constData()), bytes.size());
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(edid::toJson(info)), &error);
    if (error.error != QJsonParseError::NoError)
        qWarning() << "summary is not JSON:" << error.errorString();
    return doc.object().toVariantMap();
}

// What edid-decode's conformity check (-c) fails about the block count and about VICs
// listed more than once; the summary calls exactly these defects.
struct Failures
{
    bool extensionCount = false;
    QList<int> duplicateVics; // ascending
};

Failures failuresOf(const QString &tool, const QString &path)
{
    QProcess p;
    p.start(tool, {QStringLiteral("-c"), path});
    p.waitForFinished(60000);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    Failures f;
    const int at = out.indexOf(QLatin1String("\nFailures:\n"));
    if (at < 0)
        return f;
    const QString failures = out.mid(at);
    f.extensionCount = failures.contains(
        QRegularExpression(QStringLiteral("EDID specified \\d+ extension block\\(s\\), but found \\d+")));
    const QRegularExpression vic(
        QStringLiteral("Duplicate (?:YCbCr 4:2:0 )?VIC (\\d+)\\.|VIC (\\d+) is also a "
                       "YCbCr 4:2:0-only VIC|4:2:0-only VIC (\\d+) is also a regular VIC"));
    for (auto it = vic.globalMatch(failures); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const int n = (m.captured(1) + m.captured(2) + m.captured(3)).toInt();
        if (!f.duplicateVics.contains(n))
            f.duplicateVics << n;
    }
    std::sort(f.duplicateVics.begin(), f.duplicateVics.end());
    return f;
}

// Numbers compare by value (edid-decode prints more decimals than the summary keeps).
QString difference(const QString &path, const QVariant &mine, const QVariant &theirs)
{
    if (mine.isNull() != theirs.isNull())
        return path + ": " + mine.toString() + " vs " + theirs.toString() +
               (mine.isNull() ? " (ours null)" : " (theirs null)");
    if (mine.isNull())
        return QString();
    if (mine.type() == QVariant::Map || theirs.type() == QVariant::Map) {
        const QVariantMap a = mine.toMap(), b = theirs.toMap();
        for (auto it = b.begin(); it != b.end(); ++it) {
            const QString d = difference(path + "." + it.key(), a.value(it.key()), it.value());
            if (!d.isEmpty())
                return d;
        }
        return QString();
    }
    if (mine.type() == QVariant::List || theirs.type() == QVariant::List) {
        const QVariantList a = mine.toList(), b = theirs.toList();
        if (a.size() != b.size())
            return path + QStringLiteral(": %1 entries vs %2").arg(a.size()).arg(b.size());
        for (int i = 0; i < a.size(); ++i) {
            const QString d = difference(path + QStringLiteral("[%1]").arg(i), a.at(i), b.at(i));
            if (!d.isEmpty())
                return d;
        }
        return QString();
    }
    bool numA = false, numB = false;
    const double x = mine.toDouble(&numA), y = theirs.toDouble(&numB);
    if (numA && numB && mine.type() != QVariant::String && mine.type() != QVariant::Bool)
        return std::abs(x - y) < 0.0006 ? QString() : path + QStringLiteral(": %1 vs %2").arg(x).arg(y);
    return mine == theirs ? QString() : path + ": " + mine.toString() + " vs " + theirs.toString();
}

} // namespace

class TestEdidReference : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        _tool = QStandardPaths::findExecutable(QStringLiteral("edid-decode"));
        if (_tool.isEmpty())
            QSKIP("skipped: edid-decode is not installed");
    }

    void corpusIsLargeEnough()
    {
        const QStringList files = QDir(TESSARO_EDID_DATA).entryList({QStringLiteral("*.bin")});
        QVERIFY2(files.size() >= 55, qPrintable(QString::number(files.size())));
    }

    void agreesWithEdidDecode_data()
    {
        QTest::addColumn<QString>("file");
        for (const QString &f : QDir(TESSARO_EDID_DATA).entryList({QStringLiteral("*.bin")}))
            QTest::newRow(qPrintable(f)) << f;
    }

    void agreesWithEdidDecode()
    {
        QFETCH(QString, file);
        const QString path = QDir(TESSARO_EDID_DATA).filePath(file);
        const QByteArray bytes = readFile(path);
        QVERIFY(!bytes.isEmpty());
        QProcess p;
        p.start(_tool, {path});
        QVERIFY(p.waitForFinished(60000));
        const QByteArray report = p.readAllStandardOutput();
        const QVariantMap mine = summaryOf(bytes);
        const auto info = edid::decode(reinterpret_cast<const uint8_t *>(bytes.constData()), bytes.size());

        if (p.exitCode() != 0) {
            // edid-decode refuses a bad header and a partial block; the summary calls them defects.
            QVERIFY2(!info.valid(), qPrintable(QString::fromLocal8Bit(p.readAllStandardError())));
            QCOMPARE(mine.value("blocks").toList().size(), bytes.size() / 128);
            return;
        }
        const QVariantMap theirs = EdidReference::parse(report);
        for (auto it = theirs.begin(); it != theirs.end(); ++it) {
            const QString d = difference(it.key(), mine.value(it.key()), it.value());
            QVERIFY2(d.isEmpty(), qPrintable(d));
        }
        QVERIFY2(!theirs.value("blocks").toList().isEmpty(), "no blocks read from edid-decode");
        // Every base block field is in edid-decode's report, so none may be missing from it.
        QVERIFY(!theirs.value("manufacturer").isNull());
        // Each defect is one edid-decode reports, and as a failure where it checks conformity.
        QCOMPARE(info.checksumsOk(), !report.contains("(should be 0x"));
        const Failures failures = failuresOf(_tool, path);
        QCOMPARE(!info.extensionCountOk(), failures.extensionCount);
        QCOMPARE(QList<int>(info.duplicateVics.begin(), info.duplicateVics.end()), failures.duplicateVics);
        QCOMPARE(info.valid(),
                 info.checksumsOk() && !failures.extensionCount && failures.duplicateVics.isEmpty());
    }

    // Every VIC's format, as edid-decode lists them; codes it does not list name none.
    void vicFormatsAgreeWithEdidDecode()
    {
        QProcess p;
        p.start(_tool, {QStringLiteral("--list-vics")});
        QVERIFY(p.waitForFinished(60000));
        const QRegularExpression line(
            QStringLiteral("^VIC\\s+(\\d+):\\s+(\\d+)x(\\d+)(i?)\\s+([\\d.]+) Hz\\s+(\\d+:\\d+)\\s"));
        QSet<int> listed;
        for (const QString &text : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
            const QRegularExpressionMatch m = line.match(text);
            if (!m.hasMatch())
                continue;
            const int vic = m.captured(1).toInt();
            listed << vic;
            const edid::VideoFormat *f = edid::videoFormat(vic);
            QVERIFY2(f, qPrintable(text));
            QVERIFY2(f->hActive == m.captured(2).toInt() && f->vActive == m.captured(3).toInt() &&
                         f->interlaced == !m.captured(4).isEmpty() &&
                         std::abs(f->refreshHz - m.captured(5).toDouble()) < 0.001 &&
                         QLatin1String(f->aspect) == m.captured(6),
                     qPrintable(text));
        }
        QCOMPARE(listed.size(), 154);
        for (int vic = 0; vic < 256; ++vic)
            QCOMPARE(edid::videoFormat(vic) != nullptr, listed.contains(vic));
    }

    // Real dumps with a few bytes changed at random and their checksums made right again:
    // odd values the collection lacks, decoded the same way by both.
    void agreesOnMutatedDumps()
    {
        QRandomGenerator random(2026);
        const QStringList files = QDir(TESSARO_EDID_DATA).entryList({QStringLiteral("*.bin")});
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("mutated.bin"));
        QStringList failures;
        for (int round = 0; round < 1000; ++round) {
            QByteArray bytes =
                readFile(QDir(TESSARO_EDID_DATA).filePath(files.at(random.bounded(files.size()))));
            if (bytes.size() % 128 != 0 || bytes.size() < 128 ||
                !bytes.startsWith(QByteArray::fromHex("00ffffffffffff00")))
                continue;
            for (int n = random.bounded(1, 4); n > 0; --n) {
                const int at = 8 + random.bounded(bytes.size() - 8);
                if (at % 128 != 127 && at != 126)
                    bytes[at] = char(random.bounded(256));
            }
            std::vector<uint8_t> v(bytes.begin(), bytes.end());
            v = edid::fixChecksums(v);
            bytes = QByteArray(reinterpret_cast<const char *>(v.data()), int(v.size()));
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(bytes);
            f.close();
            QProcess p;
            p.start(_tool, {path});
            QVERIFY(p.waitForFinished(60000));
            if (p.exitCode() != 0)
                continue;
            const QVariantMap theirs = EdidReference::parse(p.readAllStandardOutput());
            const QVariantMap mine = summaryOf(bytes);
            for (auto it = theirs.begin(); it != theirs.end(); ++it) {
                const QString d = difference(it.key(), mine.value(it.key()), it.value());
                if (!d.isEmpty()) {
                    qWarning().noquote() << d << "in" << bytes.toHex();
                    failures << d;
                    break;
                }
            }
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
    }

private:
    QString _tool;
};

QTEST_GUILESS_MAIN(TestEdidReference)
#include "tst_edid_reference.moc"
