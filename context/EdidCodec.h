#pragma once

#include <QByteArray>
#include <QString>

// EDID bytes and their text form: two lower-case hex digits per byte, one space apart.
namespace EdidCodec {

QString toText(const QByteArray &bytes);

// Hex digits of either case are used and everything else is skipped; digits pair into
// bytes counting from the end, so an odd first digit forms a byte of its own.
QByteArray fromText(const QByteArray &text);

// The text laid out `perLine` bytes a line (lines joined with '\n'), for reading. Text of
// hex digits and white space only, with whole bytes, is regrouped two digits a byte;
// anything else keeps its white-space separated words, which are never broken.
QString toLines(const QString &text, int perLine);

} // namespace EdidCodec
