#include "EdidCodec.h"

#include <QRegularExpression>
#include <QStringList>

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

QString EdidCodec::toLines(const QString &text, int perLine)
{
    QString digits;
    bool plain = true;
    for (const QChar c : text) {
        if (c.unicode() < 0x80 && hexValue(char(c.unicode())) >= 0)
            digits += c;
        else if (!c.isSpace())
            plain = false;
    }
    QStringList units;
    if (plain && digits.size() % 2 == 0) {
        for (int i = 0; i < digits.size(); i += 2)
            units << digits.mid(i, 2);
    } else {
        units = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    }
    QStringList lines;
    for (int i = 0; i < units.size(); i += perLine)
        lines << units.mid(i, perLine).join(QLatin1Char(' '));
    return lines.join(QLatin1Char('\n'));
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
