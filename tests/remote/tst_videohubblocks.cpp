// The router protocol's block reader on its own: line ends, blocks cut across reads,
// limits.
#include "VideohubBlocks.h"

#include <QtTest>

using Videohub::Block;
using Videohub::BlockReader;

class TstVideohubBlocks : public QObject
{
    Q_OBJECT
private slots:
    void blocksEndAtEmptyLinesWithEitherLineEnd();
    void blocksCutAcrossReadsComeWhole();
    void overlongLinesAndBlocksAreMarkedAndBounded();
    void writerEndsEveryBlockWithAnEmptyLine();
};

void TstVideohubBlocks::blocksEndAtEmptyLinesWithEitherLineEnd()
{
    BlockReader r;
    const QList<Block> blocks =
        r.feed("\n\nPING:\n\nVIDEO OUTPUT ROUTING:\r\n3 1\r\n4 2\r\n\r\nINPUT LABELS:\n0 Cam \xc3\xa9\n\nnot a header\n\n");
    QCOMPARE(blocks.size(), 4);
    QCOMPARE(blocks[0].header, QStringLiteral("PING"));
    QVERIFY(blocks[0].lines.isEmpty());
    QCOMPARE(blocks[1].header, QStringLiteral("VIDEO OUTPUT ROUTING"));
    QCOMPARE(blocks[1].lines, (QStringList{QStringLiteral("3 1"), QStringLiteral("4 2")}));
    QCOMPARE(blocks[2].lines, QStringList{QStringLiteral("0 Cam é")});
    QVERIFY(!blocks[2].malformed);
    QVERIFY(blocks[3].malformed); // a first line without ':'
}

void TstVideohubBlocks::blocksCutAcrossReadsComeWhole()
{
    const QByteArray text = "VIDEO OUTPUT LOCKS:\r\n0 O\r\n1 U\r\n\r\nPING:\r\n\r\n";
    BlockReader r;
    QList<Block> blocks;
    for (char c : text) // one byte per read, CR and LF apart
        blocks += r.feed(QByteArray(1, c));
    QCOMPARE(blocks.size(), 2);
    QCOMPARE(blocks[0].lines, (QStringList{QStringLiteral("0 O"), QStringLiteral("1 U")}));
    QCOMPARE(blocks[1].header, QStringLiteral("PING"));
    QCOMPARE(r.pending(), 0);
}

void TstVideohubBlocks::overlongLinesAndBlocksAreMarkedAndBounded()
{
    BlockReader r;
    // A line just at the limit is fine; one byte more spoils its block, which still
    // ends at its empty line, and the next block is read as usual.
    QList<Block> blocks = r.feed("INPUT LABELS:\n0 " + QByteArray(BlockReader::kMaxLine - 2, 'a') + "\n\n");
    QCOMPARE(blocks.size(), 1);
    QVERIFY(!blocks[0].malformed);
    blocks = r.feed("INPUT LABELS:\n0 ");
    for (int i = 0; i < 1000; ++i) // a megabyte without a line end is not kept
        blocks += r.feed(QByteArray(1024, 'x'));
    QVERIFY(r.pending() <= BlockReader::kMaxLine + 1);
    blocks += r.feed("\n1 b\n\nPING:\n\n");
    QCOMPARE(blocks.size(), 2);
    QVERIFY(blocks[0].malformed);
    QCOMPARE(blocks[1].header, QStringLiteral("PING"));
    QVERIFY(!blocks[1].malformed);

    QByteArray many = "VIDEO OUTPUT ROUTING:\n";
    for (int i = 0; i < BlockReader::kMaxLines + 10; ++i)
        many += "0 0\n";
    blocks = r.feed(many + "\n");
    QCOMPARE(blocks.size(), 1);
    QVERIFY(blocks[0].malformed);
    QCOMPARE(blocks[0].lines.size(), BlockReader::kMaxLines);
}

void TstVideohubBlocks::writerEndsEveryBlockWithAnEmptyLine()
{
    QCOMPARE(Videohub::block(QStringLiteral("OUTPUT LABELS"), {QStringLiteral("7 Stage left")}),
             QByteArray("OUTPUT LABELS:\n7 Stage left\n\n"));
    QCOMPARE(Videohub::block(QStringLiteral("END PRELUDE")), QByteArray("END PRELUDE:\n\n"));
    QCOMPARE(Videohub::nak(), QByteArray("NAK\n\n"));
}

QTEST_GUILESS_MAIN(TstVideohubBlocks)
#include "tst_videohubblocks.moc"
