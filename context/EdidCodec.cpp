#include "EdidCodec.h"

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

QString EdidCodec::toText(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

QByteArray EdidCodec::fromText(const QByteArray &text)
{
    QByteArray digits;
    digits.reserve(text.size());
    for (char c : text) {
        const int v = hexValue(c);
        if (v >= 0)
            digits.append(static_cast<char>(v));
    }
    QByteArray out;
    out.reserve(digits.size() / 2 + 1);
    int i = 0;
    if (digits.size() % 2 == 1) {
        out.append(digits.at(0));
        i = 1;
    }
    for (; i + 1 < digits.size(); i += 2)
        out.append(static_cast<char>((digits.at(i) << 4) | digits.at(i + 1)));
    return out;
}
