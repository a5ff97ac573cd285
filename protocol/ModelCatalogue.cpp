#include "ModelCatalogue.h"

#include <QHash>
#include <QSet>
#include <QVector>

#include <algorithm>

namespace {

struct Row
{
    const char *ids;
    int inputs;
    int outputs;
};

// Identifiers and channel counts, tested in this order.
const Row kCatalogue[] = {
    {"DV-01 DV-02 DV-03 DV-04 DV-05 DV-06 DV-07 DV-08 DV-09 DV-10 DV-11 DV-12 DV-13 DV-14 DV-15", 8, 8},
    {"DV-16 DV-17 DV-18 DV-19 DV-20 DV-21 DV-22 DV-23 DV-24 DV-25 DV-26 DV-27 DV-28 DV-29 DV-30 DV-31 DV-32 "
     "DV-33 DV-34 DV-35 DV-36 DV-37 DV-38",
     4, 4},
    {"DV-39 DV-40 DV-41 DV-42 DV-43 DV-44 DV-45 DV-46", 16, 16},
    {"DV-47 DV-48", 8, 16},
    {"DV-49 DV-50", 4, 12},
    {"DV-51", 32, 32},
    {"DV-52", 36, 36},
};

struct GroupRow
{
    ModelCatalogue::Group group;
    const char *name;
    const char *members;
};

#define BOARD_SETTINGS "DV-10 DV-12 DV-13 DV-25 DV-42 DV-51 DV-52"
const GroupRow kGroups[] = {
    {ModelCatalogue::Group::VideoWall, "videoWall",
     "DV-10 DV-11 DV-12 DV-13 DV-15 DV-25 DV-42 DV-45 DV-46 DV-51 DV-52"},
    {ModelCatalogue::Group::BoardSettings, "boardSettings", BOARD_SETTINGS},
    {ModelCatalogue::Group::Subtitle, "subtitle", BOARD_SETTINGS " DV-53"},
    {ModelCatalogue::Group::TxSwing, "txSwing",
     "DV-04 DV-05 DV-08 DV-09 DV-29 DV-32 DV-43 DV-44 DV-47 DV-48 DV-49 DV-50"},
    {ModelCatalogue::Group::PlainOutput, "plainOutput", "DV-19 DV-20 DV-23 DV-24 DV-27 DV-28 DV-33 DV-34"},
    {ModelCatalogue::Group::AudioInsert, "audioInsert", "DV-14 DV-21 DV-22"},
    {ModelCatalogue::Group::OutputResolution, "outputResolution", "DV-15 DV-45 DV-46 DV-56"},
    {ModelCatalogue::Group::Splitter, "splitter", "DV-35 DV-36 DV-37 DV-38"},
    {ModelCatalogue::Group::SplitterAudioInput, "splitterAudioInput", "DV-35 DV-36"},
    {ModelCatalogue::Group::EdidFromOne, "edidFromOne", "DV-42 DV-45 DV-46"},
    {ModelCatalogue::Group::Edid4K60, "edid4K60", "DV-14 DV-19 DV-20 DV-21 DV-22 DV-23 DV-33 DV-34"},
    {ModelCatalogue::Group::PacedOutput, "pacedOutput", "DV-20"},
};
#undef BOARD_SETTINGS

QStringList split(const char *ids)
{
    return QString::fromLatin1(ids).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

constexpr int kGroupCount = int(sizeof(kGroups) / sizeof(kGroups[0]));

// Members of every group, built once; indexed like kGroups.
const QVector<QSet<QString>> &groupSets()
{
    static const QVector<QSet<QString>> sets = [] {
        QVector<QSet<QString>> v;
        v.reserve(kGroupCount);
        for (const GroupRow &row : kGroups) {
            const QStringList ids = split(row.members);
            v.append(QSet<QString>(ids.begin(), ids.end()));
        }
        return v;
    }();
    return sets;
}

int groupIndex(ModelCatalogue::Group group)
{
    for (int i = 0; i < kGroupCount; ++i)
        if (kGroups[i].group == group)
            return i;
    return -1;
}

} // namespace

bool ModelCatalogue::lookup(const QString &id, Counts *counts)
{
    static const QHash<QString, Counts> table = [] {
        QHash<QString, Counts> t;
        for (const Row &row : kCatalogue)
            for (const QString &model : split(row.ids))
                if (!t.contains(model)) // rows are tested in table order
                    t.insert(model, Counts{row.inputs, row.outputs});
        return t;
    }();
    const auto it = table.constFind(id);
    if (it == table.constEnd())
        return false;
    if (counts)
        *counts = *it;
    return true;
}

int ModelCatalogue::mostOutputs()
{
    int most = 0;
    for (const Row &row : kCatalogue)
        most = std::max(most, row.outputs);
    return most;
}

QStringList ModelCatalogue::members(Group group)
{
    const int i = groupIndex(group);
    return i < 0 ? QStringList() : split(kGroups[i].members);
}

bool ModelCatalogue::inGroup(const QString &mode, Group group)
{
    if (mode.isEmpty())
        return false;
    const int i = groupIndex(group);
    return i >= 0 && groupSets().at(i).contains(mode);
}

bool ModelCatalogue::inGroup(const QString &mode, const QString &groupName)
{
    for (const GroupRow &row : kGroups)
        if (groupName == QLatin1String(row.name))
            return inGroup(mode, row.group);
    return false;
}

QStringList ModelCatalogue::groupNames()
{
    QStringList names;
    for (const GroupRow &row : kGroups)
        names << QString::fromLatin1(row.name);
    return names;
}

QStringList ModelCatalogue::knownModels()
{
    QStringList ids;
    for (const Row &row : kCatalogue)
        ids << split(row.ids);
    return ids;
}
