#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The text blocks of the router control protocol served on TCP port 9990: a header line
// ending in ':', then lines, then an empty line. Clients may end lines with LF or CR LF;
// the server sends LF.
namespace Videohub {

struct Block
{
    QString header;    // without its ':'
    QStringList lines; // the lines after the header, without line ends
    // Cut short: a line over the line limit, more lines than the block limit, or a first
    // line that is no header. The block is to be refused as a whole.
    bool malformed = false;
};

// Cuts a client's byte stream into blocks. Memory stays bounded whatever arrives: an
// over-long line is dropped up to its end and its block marked malformed, and so is a
// block with too many lines.
class BlockReader
{
public:
    static constexpr int kMaxLine = 1024;
    static constexpr int kMaxLines = 1024;

    // Complete blocks in the order they ended.
    QList<Block> feed(const QByteArray &bytes);
    // Bytes of an unfinished line held back.
    int pending() const { return _line.size(); }

private:
    void endLine(QList<Block> *out);

    QByteArray _line;
    bool _skipping = false; // dropping the rest of an over-long line
    bool _inBlock = false;
    Block _block;
};

// One block as sent: header, lines, and the empty line that ends it.
QByteArray block(const QString &header, const QStringList &lines = {});
// The answers to a request.
QByteArray ack();
QByteArray nak();

} // namespace Videohub
