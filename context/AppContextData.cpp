// EDID files, subtitle text encoding and the board-information map.
#include "AppContext.h"

#include "EdidCodec.h"
#include "EdidFile.h"
#include "EdidInspector.h"

#include <QJsonDocument>

bool AppContext::loadEDID_fromFile(QString filepath)
{
    // An unreadable file, or a plain path without the file scheme, reads as no bytes.
    QByteArray bytes;
    const EdidFile::Result result = EdidFile::load(filepath, &bytes);
    const QString text = EdidCodec::toText(bytes);
    const QStringList defects =
        result.ok() ? EdidInspector::inspect(text).value(QStringLiteral("defects")).toStringList()
                    : QStringList();
    _edidFileMessage = EdidFile::message(false, result, defects);
    setCurrentEDIDStr(text);
    return result.ok();
}

bool AppContext::saveEDID_toFile(QString fileurl)
{
    const EdidFile::Result result =
        EdidFile::save(fileurl, EdidCodec::fromText(_currentEDIDStr.toLocal8Bit()));
    _edidFileMessage = EdidFile::message(true, result);
    return result.ok();
}

QString AppContext::stringToUnicode(const QString &text)
{
    QString out;
    out.reserve(text.size() * 6);
    for (const QChar unit : text)
        out +=
            QStringLiteral("\\u") + QString::number(unit.unicode(), 16).rightJustified(4, QLatin1Char('0'));
    return out;
}

void AppContext::updateInputOutputInfo(QString infoStr)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(infoStr.toLocal8Bit(), &error);
    if (error.error != QJsonParseError::NoError)
        return;
    const QJsonObject info = doc.object();
    if (!info.contains(QStringLiteral("BoardID")))
        return;
    const QString id = info.value(QStringLiteral("BoardID")).toString();
    _inputOutputInfos.insert(id, info);
    emit inputOutputInfosChanged();
}
