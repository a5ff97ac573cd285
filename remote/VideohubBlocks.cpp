#include "VideohubBlocks.h"

namespace Videohub {

QList<Block> BlockReader::feed(const QByteArray &bytes)
{
    QList<Block> out;
    int start = 0;
    while (start < bytes.size()) {
        const int nl = bytes.indexOf('\n', start);
        const int end = nl < 0 ? bytes.size() : nl;
        if (!_skipping) {
            _line.append(bytes.constData() + start, end - start);
            if (_line.size() > kMaxLine + 1) { // one more for a CR before the LF
                _line.clear();
                _skipping = true;
                _block.malformed = true;
                _inBlock = true; // an over-long first line still needs its empty line
            }
        }
        if (nl < 0)
            break;
        if (_skipping)
            _skipping = false;
        else
            endLine(&out);
        start = nl + 1;
    }
    return out;
}

void BlockReader::endLine(QList<Block> *out)
{
    QByteArray line = _line;
    _line.clear();
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.isEmpty()) {
        if (!_inBlock)
            return; // empty lines between blocks
        out->append(_block);
        _block = Block();
        _inBlock = false;
        return;
    }
    const QString text = QString::fromUtf8(line);
    if (!_inBlock) {
        _inBlock = true;
        if (text.endsWith(QLatin1Char(':')))
            _block.header = text.left(text.size() - 1).trimmed();
        else
            _block.malformed = true;
        return;
    }
    if (_block.lines.size() >= kMaxLines) {
        _block.malformed = true;
        return;
    }
    _block.lines.append(text);
}

QByteArray block(const QString &header, const QStringList &lines)
{
    QByteArray bytes = header.toUtf8() + ":\n";
    for (const QString &line : lines)
        bytes += line.toUtf8() + '\n';
    return bytes + '\n';
}

QByteArray ack()
{
    return QByteArrayLiteral("ACK\n\n");
}

QByteArray nak()
{
    return QByteArrayLiteral("NAK\n\n");
}

} // namespace Videohub
