#include "EdidInspector.h"

#include "EdidCodec.h"
#include "EdidDecoder.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

int hexDigitCount(const QString &text)
{
    int n = 0;
    for (const QChar c : text)
        if (c.isDigit() || (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
            (c >= QLatin1Char('A') && c <= QLatin1Char('F')))
            ++n;
    return n;
}

std::vector<uint8_t> bytesOf(const QString &text)
{
    const QByteArray bytes = EdidCodec::fromText(text.toLatin1());
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

QString tr(const char *text)
{
    return QCoreApplication::translate("EdidDefectDialog", text);
}

QString hex(uint8_t value)
{
    return QStringLiteral("0x%1").arg(value, 2, 16, QLatin1Char('0'));
}

// The decoder's defects (edid::Info::defects()), in the language shown.
QStringList defectTexts(const edid::Info &info, bool oddDigits)
{
    QStringList out;
    if (oddDigits)
        out << tr("The text has an odd number of hex digits.");
    if (info.size == 0)
        out << tr("The EDID is empty.");
    else if (!info.lengthOk)
        out << tr("The length (%1 bytes) is not a multiple of 128.").arg(info.size);
    if (info.hasBase && !info.headerOk)
        out << tr("The header is not 00 ff ff ff ff ff ff 00.");
    for (const auto &b : info.blocks)
        if (!b.ok)
            out << tr("Block %1 has checksum %2, expected %3.")
                       .arg(b.index)
                       .arg(hex(b.found), hex(b.expected));
    if (!info.extensionCountOk())
        out << tr("Extension blocks declared: %1, present: %2.")
                   .arg(info.extensionCount)
                   .arg(info.blocks.size() - 1);
    if (!info.duplicateVics.empty()) {
        QStringList vics;
        for (int vic : info.duplicateVics)
            vics << QString::number(vic);
        out << tr("VICs listed more than once: %1.").arg(vics.join(QLatin1Char(' ')));
    }
    return out;
}

} // namespace

EdidInspector::EdidInspector(QObject *parent) : QObject(parent), _summary(inspect(QString())) {}

void EdidInspector::setText(const QString &text)
{
    if (text == _text)
        return;
    _text = text;
    emit textChanged();
    _summary = inspect(text);
    emit summaryChanged();
}

bool EdidInspector::empty() const
{
    return _summary.value(QStringLiteral("size")).toInt() == 0;
}

bool EdidInspector::valid() const
{
    return _summary.value(QStringLiteral("valid")).toBool();
}

QStringList EdidInspector::defects() const
{
    return _summary.value(QStringLiteral("defects")).toStringList();
}

QVariantMap EdidInspector::inspect(const QString &text)
{
    const std::vector<uint8_t> bytes = bytesOf(text);
    const edid::Info info = edid::decode(bytes);
    QVariantMap map =
        QJsonDocument::fromJson(QByteArray::fromStdString(edid::toJson(info))).object().toVariantMap();
    const bool odd = hexDigitCount(text) % 2 == 1;
    QVariantList duplicates;
    for (int vic : info.duplicateVics)
        duplicates << vic;
    map.insert(QStringLiteral("size"), int(bytes.size()));
    map.insert(QStringLiteral("odd_digits"), odd);
    map.insert(QStringLiteral("length_ok"), info.lengthOk);
    map.insert(QStringLiteral("header_ok"), info.headerOk);
    map.insert(QStringLiteral("checksums_ok"), info.checksumsOk());
    map.insert(QStringLiteral("extension_count_ok"), info.extensionCountOk());
    map.insert(QStringLiteral("duplicate_vics"), duplicates);
    map.insert(QStringLiteral("valid"), info.valid() && !odd);
    map.insert(QStringLiteral("defects"), defectTexts(info, odd));
    return map;
}

bool EdidInspector::isDefective(const QString &text)
{
    return !inspect(text).value(QStringLiteral("valid")).toBool();
}

QString EdidInspector::hexLines(const QString &text)
{
    return EdidCodec::toLines(text, 16);
}

QString EdidInspector::fixedText(const QString &text)
{
    const std::vector<uint8_t> fixed = edid::fixChecksums(bytesOf(text));
    return EdidCodec::toText(QByteArray(reinterpret_cast<const char *>(fixed.data()), int(fixed.size())));
}
