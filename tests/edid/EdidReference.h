#pragma once

#include <QByteArray>
#include <QVariantMap>

// Reads the report of Debian's edid-decode into the same shape as the JSON summary of
// tessaro-edid, so that the two can be compared key by key.
namespace EdidReference {

// `report` is edid-decode's standard output for one file of `size` bytes.
QVariantMap parse(const QByteArray &report);

} // namespace EdidReference
