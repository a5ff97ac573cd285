// EDID files, subtitle text encoding and the board-information map.
#include "AppContext.h"

#include "EdidCodec.h"

#include <QFile>
#include <QJsonDocument>
#include <QUrl>

namespace {

QString localPath(const QString &url)
{
    return QUrl(url, QUrl::TolerantMode).toLocalFile();
}

} // namespace

void AppContext::loadEDID_fromFile(QString filepath)
{
    // A plain path without the file scheme names no local file and reads as no bytes.
    const QString path = localPath(filepath);
    QFile file(path);
    QByteArray bytes;
    if (!path.isEmpty() && file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    setCurrentEDIDStr(EdidCodec::toText(bytes));
}

void AppContext::saveEDID_toFile(QString fileurl)
{
    const QString path = localPath(fileurl);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::WriteOnly))
        return;
    file.write(EdidCodec::fromText(_currentEDIDStr.toLocal8Bit()));
    file.close();
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
