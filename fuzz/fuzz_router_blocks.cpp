// Router-protocol client bytes: the block reader stays within its limits, and cutting
// the same bytes into other reads never changes the blocks.
#include "FuzzSupport.h"
#include "VideohubBlocks.h"

using Videohub::Block;
using Videohub::BlockReader;

namespace {
bool same(const QList<Block> &a, const QList<Block> &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i)
        if (a[i].header != b[i].header || a[i].lines != b[i].lines || a[i].malformed != b[i].malformed)
            return false;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::init();
    if (size == 0)
        return 0;
    // The first byte chooses the size of the pieces the rest arrives in.
    const int piece = 1 + data[0] % 17;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), int(size - 1));

    BlockReader whole;
    const QList<Block> all = whole.feed(bytes);
    BlockReader cut;
    QList<Block> pieces;
    for (int at = 0; at < bytes.size(); at += piece) {
        pieces += cut.feed(bytes.mid(at, piece));
        FUZZ_CHECK(cut.pending() <= BlockReader::kMaxLine + 1);
    }
    FUZZ_CHECK(same(all, pieces));
    FUZZ_CHECK(whole.pending() == cut.pending());
    for (const Block &b : all) {
        FUZZ_CHECK(b.lines.size() <= BlockReader::kMaxLines);
        for (const QString &l : b.lines)
            FUZZ_CHECK(l.toUtf8().size() <= BlockReader::kMaxLine + 1);
        FUZZ_CHECK(!b.header.contains(QLatin1Char('\n')));
    }
    return 0;
}
