#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reading and writing EDID files (the raw bytes, nothing else) named by file URLs as the
// file dialogs return them, with the outcome told in words the operator can act on.
namespace EdidFile {

enum class Failure
{
    None,
    Open,
    Read,
    Write,
    DiskFull,
};

struct Result
{
    Failure failure = Failure::None;
    QString path; // the local file the URL names ("" when it names none)
    bool ok() const { return failure == Failure::None; }
};

// A plain path without the file scheme names no local file.
QString localPath(const QString &url);

Result load(const QString &url, QByteArray *bytes);
// Writes through a temporary file that replaces the target only once complete, so a
// failed save leaves an existing file as it was and creates none.
Result save(const QString &url, const QByteArray &bytes);

// "Load successful" / "Save successful", or what failed and on which file; a file that
// loaded but whose EDID has `defects` is named with them, one a line. Translated in the
// context "Advance".
QString message(bool saving, const Result &result, const QStringList &defects = QStringList());

} // namespace EdidFile
