#pragma once

#include <QByteArray>
#include <QString>

// EDID bytes and their text form: two lower-case hex digits per byte, one space apart.
namespace EdidCodec {

QString toText(const QByteArray &bytes);

// Hex digits of either case are used and everything else is skipped; digits pair into
// bytes counting from the end, so an odd first digit forms a byte of its own.
QByteArray fromText(const QByteArray &text);

} // namespace EdidCodec
