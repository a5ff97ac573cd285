#include "EdidInspector.h"

#include "EdidCodec.h"
#include "EdidDecoder.h"

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
    QStringList defects;
    if (odd)
        defects << QStringLiteral("The text has an odd number of hex digits.");
    for (const std::string &d : info.defects())
        defects << QString::fromStdString(d);
    map.insert(QStringLiteral("size"), int(bytes.size()));
    map.insert(QStringLiteral("odd_digits"), odd);
    map.insert(QStringLiteral("length_ok"), info.lengthOk);
    map.insert(QStringLiteral("header_ok"), info.headerOk);
    map.insert(QStringLiteral("valid"), info.valid() && !odd);
    map.insert(QStringLiteral("defects"), defects);
    return map;
}

bool EdidInspector::isDefective(const QString &text)
{
    return !inspect(text).value(QStringLiteral("valid")).toBool();
}

QString EdidInspector::fixedText(const QString &text)
{
    const std::vector<uint8_t> fixed = edid::fixChecksums(bytesOf(text));
    return EdidCodec::toText(QByteArray(reinterpret_cast<const char *>(fixed.data()), int(fixed.size())));
}
