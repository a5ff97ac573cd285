#include "EdidFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QUrl>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Advance", text);
}

EdidFile::Failure writeFailure(QFileDevice::FileError error)
{
    return error == QFileDevice::ResourceError ? EdidFile::Failure::DiskFull : EdidFile::Failure::Write;
}

} // namespace

QString EdidFile::localPath(const QString &url)
{
    return QUrl(url, QUrl::TolerantMode).toLocalFile();
}

EdidFile::Result EdidFile::load(const QString &url, QByteArray *bytes)
{
    Result r;
    r.path = localPath(url);
    bytes->clear();
    QFile file(r.path);
    if (r.path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        r.failure = Failure::Open;
        return r;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        bytes->clear();
        r.failure = Failure::Read;
    }
    return r;
}

EdidFile::Result EdidFile::save(const QString &url, const QByteArray &bytes)
{
    Result r;
    r.path = localPath(url);
    QSaveFile file(r.path);
    if (r.path.isEmpty() || !file.open(QIODevice::WriteOnly)) {
        r.failure = Failure::Open;
        return r;
    }
    // The explicit flush matters: commit() closes the file without looking at the
    // outcome of writing out its buffer, and would put a short file in place.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        r.failure = writeFailure(file.error());
        file.cancelWriting();
        return r;
    }
    if (!file.commit())
        r.failure = writeFailure(file.error());
    return r;
}

QString EdidFile::message(bool saving, const Result &result, const QStringList &defects)
{
    if (result.ok() && !saving && !defects.isEmpty())
        return tr("Loaded %1, but the EDID in it is defective:").arg(result.path) + QStringLiteral("\n• ") +
               defects.join(QStringLiteral("\n• "));
    if (result.ok())
        return saving ? tr("Save successful") : tr("Load successful");
    QString reason;
    switch (result.failure) {
    case Failure::Open:
        reason = tr("the file cannot be opened");
        break;
    case Failure::Read:
        reason = tr("the file cannot be read");
        break;
    case Failure::Write:
        reason = tr("the file cannot be written");
        break;
    case Failure::DiskFull:
        reason = tr("the disk is full");
        break;
    case Failure::None:
        break;
    }
    const QString file = result.path.isEmpty() ? tr("(no file)") : result.path;
    return (saving ? tr("Save failed: %1\n%2") : tr("Load failed: %1\n%2")).arg(file, reason);
}
