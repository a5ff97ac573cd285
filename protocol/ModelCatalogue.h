#pragma once

#include <QString>
#include <QStringList>

// The one table of device model identifiers: channel counts per model and the named
// model groups that the screens test.
namespace ModelCatalogue {

struct Counts
{
    int inputs = 0;
    int outputs = 0;
};

// Channel counts of a model reply; false when the text is not a known model.
bool lookup(const QString &id, Counts *counts);
// The largest output count of any model.
int mostOutputs();

// Group names, as the screens ask for them.
enum class Group
{
    VideoWall,
    BoardSettings,
    Subtitle,
    TxSwing,
    PlainOutput,
    AudioInsert,
    OutputResolution,
    Splitter,
    SplitterAudioInput,
    EdidFromOne,
    Edid4K60,
    PacedOutput,
};

bool inGroup(const QString &mode, Group group);
// By name ("videoWall", "boardSettings", ...); unknown names are in no group.
bool inGroup(const QString &mode, const QString &groupName);
QStringList groupNames();
QStringList members(Group group);
QStringList knownModels(); // every identifier a model reply can carry, in table order

} // namespace ModelCatalogue
