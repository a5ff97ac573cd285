#include "ModelGroups.h"

#include "ModelCatalogue.h"

using ModelCatalogue::Group;

bool ModelGroups::inGroup(const QString &mode, const QString &group) const
{
    return ModelCatalogue::inGroup(mode, group);
}

bool ModelGroups::isKnownModel(const QString &mode) const
{
    return ModelCatalogue::lookup(mode, nullptr);
}

bool ModelGroups::isVideoWall(const QString &m) const
{
    return ModelCatalogue::inGroup(m, Group::VideoWall);
}
bool ModelGroups::isBoardSettings(const QString &m) const
{
    return ModelCatalogue::inGroup(m, Group::BoardSettings);
}
bool ModelGroups::isSubtitle(const QString &m) const
{
    return ModelCatalogue::inGroup(m, Group::Subtitle);
}
bool ModelGroups::isTxSwing(const QString &m) const
{
    return ModelCatalogue::inGroup(m, Group::TxSwing);
}
bool ModelGroups::isPlainOutput(const QString &m) const
{
    return ModelCatalogue::inGroup(m, Group::PlainOutput);
}
bool ModelGroups::isAudioInsert(const QString &m) const
{
    return ModelCatalogue::inGroup(m, Group::AudioInsert);
}
bool ModelGroups::isOutputResolution(const QString &m) const
{
    return ModelCatalogue::inGroup(m, Group::OutputResolution);
}
bool ModelGroups::isSplitter(const QString &m) const
{
    return ModelCatalogue::inGroup(m, Group::Splitter);
}
bool ModelGroups::isSplitterAudioInput(const QString &m) const
{
    return ModelCatalogue::inGroup(m, Group::SplitterAudioInput);
}
bool ModelGroups::isEdidFromOne(const QString &m) const
{
    return ModelCatalogue::inGroup(m, Group::EdidFromOne);
}
bool ModelGroups::isEdid4K60(const QString &m) const
{
    return ModelCatalogue::inGroup(m, Group::Edid4K60);
}
bool ModelGroups::isPacedOutput(const QString &m) const
{
    return ModelCatalogue::inGroup(m, Group::PacedOutput);
}
