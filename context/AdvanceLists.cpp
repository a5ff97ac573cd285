#include "AdvanceLists.h"

#include "ModelCatalogue.h"

#include <QCoreApplication>
#include <QVariantMap>

using ModelCatalogue::Group;

namespace {

struct Entry
{
    const char *title;
    int value;
};

QVariantMap entry(const QString &title, int value)
{
    return QVariantMap{{QStringLiteral("title"), title}, {QStringLiteral("value"), value}};
}

template <std::size_t N> QVariantList translated(const Entry (&entries)[N])
{
    QVariantList list;
    list.reserve(int(N));
    for (const Entry &e : entries)
        list.append(entry(QCoreApplication::translate("Advance", e.title), e.value));
    return list;
}

QVariantList numbered(int count, int offset)
{
    QVariantList list;
    for (int k = 1; k <= count; ++k)
        list.append(entry(QString::number(k), offset + k));
    return list;
}

bool in(const QString &mode, Group group)
{
    return ModelCatalogue::inGroup(mode, group);
}

} // namespace

void AdvanceLists::applyMode(const QString &mode)
{
    if (in(mode, Group::TxSwing)) {
        _txSwing = true;
        _peSetting = false;
    } else if (in(mode, Group::PlainOutput)) {
        _txSwing = false;
        _peSetting = false;
    } else if (in(mode, Group::AudioInsert)) {
        _txSwing = true;
        _peSetting = true;
    } else if (mode == QLatin1String("DV-15") || mode == QLatin1String("DV-56")) {
        _txSwing = true;
        _peSetting = false;
    } else if (mode == QLatin1String("DV-45") || mode == QLatin1String("DV-46")) {
        _txSwing = false;
        _peSetting = false;
        _outputSettingHidden = true;
    } else {
        _txSwing = false;
        _peSetting = true;
    }
    _subtitle = in(mode, Group::Subtitle);
    _audioInsert = in(mode, Group::AudioInsert);
    if (in(mode, Group::Splitter)) {
        _splitter = true;
        _hdmiOrAnalog = in(mode, Group::SplitterAudioInput);
    }
    if (in(mode, Group::OutputResolution))
        _outportSetting = true;
    emit flagsChanged();
}

QVariantList AdvanceLists::inputList(int inputs)
{
    return numbered(inputs, 0);
}

QVariantList AdvanceLists::outputList(int outputs)
{
    return numbered(outputs, 0);
}

QVariantList AdvanceLists::numberedOutputList(int inputs, int outputs)
{
    return numbered(outputs, inputs);
}

int AdvanceLists::firstEdidValue(const QString &mode, int inputs)
{
    return in(mode, Group::EdidFromOne) ? 1 : inputs + 1;
}

bool AdvanceLists::isUserEdid(const QString &mode, int inputs, int value)
{
    const int first = firstEdidValue(mode, inputs);
    return value >= first && value < first + 5;
}

QVariantList AdvanceLists::edidList(const QString &mode, int inputs, int outputs)
{
    static const char *const boardNames[] = {"HD8Stereo",    "HD8DolbyDTS",    "HD8Lossless",
                                             "HD12Stereo3D", "HD12DolbyDTS3D", "HD12Lossless3D"};
    static const char *const k60Names[] = {"HD8Stereo",      "HD8DolbyDTS",  "HD8Lossless", "HD12Stereo3D",
                                           "HD12DolbyDTS3D", "HD8Suport4K",  "4K30PStereo", "4K30_5.1",
                                           "4K30_AC3",       "4K60444Stereo"};
    static const char *const otherNames[] = {"HD8Stereo",      "HD8DolbyDTS", "HD8Lossless", "HD12Stereo3D",
                                             "HD12DolbyDTS3D", "HD8Suport4K", "4K30PStereo", "4K30_5.1",
                                             "4K30_AC3",       "4K30_DTS"};
    int value = firstEdidValue(mode, inputs);
    QVariantList list;
    for (int k = 1; k <= 5; ++k)
        list.append(entry(QStringLiteral("USER%1").arg(k), value++));
    for (int k = 1; k <= outputs; ++k)
        list.append(entry(QStringLiteral("OUTPORT%1").arg(k), value++));
    auto append = [&](const char *const *names, int count) {
        for (int i = 0; i < count; ++i)
            list.append(entry(QString::fromLatin1(names[i]), value++));
    };
    if (in(mode, Group::BoardSettings))
        append(boardNames, int(std::size(boardNames)));
    else if (in(mode, Group::Edid4K60))
        append(k60Names, int(std::size(k60Names)));
    else
        append(otherNames, int(std::size(otherNames)));
    return list;
}

QVariantList AdvanceLists::peList(const QString &mode)
{
    const int defaultValue = in(mode, Group::AudioInsert) ? 4 : 5;
    QVariantList list;
    for (int v = 0; v <= 7; ++v)
        list.append(entry(v == defaultValue ? QStringLiteral("%1(Default)").arg(v) : QString::number(v), v));
    return list;
}

QVariantList AdvanceLists::swingList(const QString &mode)
{
    const bool audioInsert = in(mode, Group::AudioInsert);
    const int last = audioInsert ? 15 : 31;
    QVariantList list;
    for (int v = 0; v <= last; ++v) {
        QString title = QString::number(v);
        if (audioInsert && v == 15)
            title = QStringLiteral("15(Default)");
        else if (!audioInsert && v == 10)
            title = QStringLiteral("10(default)");
        list.append(entry(title, v));
    }
    return list;
}

QVariantList AdvanceLists::audioInsertList()
{
    static const Entry e[] = {{QT_TRANSLATE_NOOP("Advance", "HDMI"), 0},
                              {QT_TRANSLATE_NOOP("Advance", "Extern Audio"), 1}};
    return translated(e);
}

QVariantList AdvanceLists::hdmiOrAnalogList()
{
    static const Entry e[] = {{QT_TRANSLATE_NOOP("Advance", "HDMI"), 0},
                              {QT_TRANSLATE_NOOP("Advance", "Analog"), 1}};
    return translated(e);
}

QVariantList AdvanceLists::subtitleColorList()
{
    static const Entry e[] = {{QT_TRANSLATE_NOOP("Advance", "White"), 0},
                              {QT_TRANSLATE_NOOP("Advance", "Red"), 1},
                              {QT_TRANSLATE_NOOP("Advance", "Green"), 2},
                              {QT_TRANSLATE_NOOP("Advance", "Blue"), 3},
                              {QT_TRANSLATE_NOOP("Advance", "Yellow"), 4}};
    return translated(e);
}

QVariantList AdvanceLists::subtitlePositionList()
{
    static const Entry e[] = {{QT_TRANSLATE_NOOP("Advance", "Top"), 0},
                              {QT_TRANSLATE_NOOP("Advance", "Center"), 1},
                              {QT_TRANSLATE_NOOP("Advance", "Bottom"), 2}};
    return translated(e);
}

QVariantList AdvanceLists::subtitleScrollingList()
{
    static const Entry e[] = {{QT_TRANSLATE_NOOP("Advance", "Static"), 0},
                              {QT_TRANSLATE_NOOP("Advance", "quick"), 1},
                              {QT_TRANSLATE_NOOP("Advance", "middle"), 2},
                              {QT_TRANSLATE_NOOP("Advance", "slow"), 3}};
    return translated(e);
}

QVariantList AdvanceLists::subtitleBackgroundList()
{
    static const Entry e[] = {{QT_TRANSLATE_NOOP("Advance", "None"), 0},
                              {QT_TRANSLATE_NOOP("Advance", "White"), 1},
                              {QT_TRANSLATE_NOOP("Advance", "Red"), 2},
                              {QT_TRANSLATE_NOOP("Advance", "Green"), 3},
                              {QT_TRANSLATE_NOOP("Advance", "Blue"), 4}};
    return translated(e);
}

QVariantList AdvanceLists::subtitleAlphaList()
{
    static const Entry e[] = {{QT_TRANSLATE_NOOP("Advance", "Middle1"), 40},
                              {QT_TRANSLATE_NOOP("Advance", "Middle2"), 50},
                              {QT_TRANSLATE_NOOP("Advance", "Full"), 63}};
    return translated(e);
}

QVariantList AdvanceLists::displayModeList()
{
    static const Entry e[] = {{QT_TRANSLATE_NOOP("Advance", "SPLITTER"), 0},
                              {QT_TRANSLATE_NOOP("Advance", "SPLICER"), 1},
                              {QT_TRANSLATE_NOOP("Advance", "SEAMLESS_MATRIX"), 2},
                              {QT_TRANSLATE_NOOP("Advance", "BYPASS_MATRIX"), 3}};
    return translated(e);
}

QVariantList AdvanceLists::splitterModeList()
{
    static const Entry e[] = {{QT_TRANSLATE_NOOP("Advance", "SIGNLE_1"), 0},
                              {QT_TRANSLATE_NOOP("Advance", "SIGNLE_2"), 1},
                              {QT_TRANSLATE_NOOP("Advance", "SIGNLE_3"), 2},
                              {QT_TRANSLATE_NOOP("Advance", "SIGNLE_4"), 3},
                              {QT_TRANSLATE_NOOP("Advance", "DUAL_UP1_DOWN2"), 4},
                              {QT_TRANSLATE_NOOP("Advance", "DUAL_UP1_DOWN2 4:3"), 5},
                              {QT_TRANSLATE_NOOP("Advance", "DUAL_UP3_DOWN4"), 6},
                              {QT_TRANSLATE_NOOP("Advance", "DUAL_UP3_DOWN4 4:3"), 7},
                              {QT_TRANSLATE_NOOP("Advance", "DUAL_LEFT1_RIGHT2"), 8},
                              {QT_TRANSLATE_NOOP("Advance", "DUAL_LEFT1_RIGHT2 4:3"), 9},
                              {QT_TRANSLATE_NOOP("Advance", "DUAL_LEFT3_RIGHT4"), 10},
                              {QT_TRANSLATE_NOOP("Advance", "DUAL_LEFT3_RIGHT4 4:3"), 11},
                              {QT_TRANSLATE_NOOP("Advance", "PIP_12"), 12},
                              {QT_TRANSLATE_NOOP("Advance", "PIP_21"), 13},
                              {QT_TRANSLATE_NOOP("Advance", "PIP_34"), 14},
                              {QT_TRANSLATE_NOOP("Advance", "PIP_43"), 15},
                              {QT_TRANSLATE_NOOP("Advance", "THREE_EQUALIZE"), 16},
                              {QT_TRANSLATE_NOOP("Advance", "FOUR_MAIN1_SUB234"), 17},
                              {QT_TRANSLATE_NOOP("Advance", "FOUR_MAIN2_SUB134"), 18},
                              {QT_TRANSLATE_NOOP("Advance", "FOUR_MAIN3_SUB124"), 19},
                              {QT_TRANSLATE_NOOP("Advance", "FOUR_MAIN4_SUB123"), 20},
                              {QT_TRANSLATE_NOOP("Advance", "FOUR_H_SUB1234"), 21},
                              {QT_TRANSLATE_NOOP("Advance", "FOUR_EQUALIZE"), 22}};
    return translated(e);
}

QVariantList AdvanceLists::spliceModeList()
{
    static const Entry e[] = {
        {QT_TRANSLATE_NOOP("Advance", "1X1"), 0}, {QT_TRANSLATE_NOOP("Advance", "1X2"), 1},
        {QT_TRANSLATE_NOOP("Advance", "2X1"), 2}, {QT_TRANSLATE_NOOP("Advance", "1X3"), 3},
        {QT_TRANSLATE_NOOP("Advance", "3X1"), 4}, {QT_TRANSLATE_NOOP("Advance", "2X2"), 5},
        {QT_TRANSLATE_NOOP("Advance", "1X4"), 6}, {QT_TRANSLATE_NOOP("Advance", "4X1"), 7}};
    return translated(e);
}

QVariantList AdvanceLists::splitterResolutionList()
{
    static const Entry e[] = {{QT_TRANSLATE_NOOP("Advance", "720P"), 0},
                              {QT_TRANSLATE_NOOP("Advance", "1080P"), 1},
                              {QT_TRANSLATE_NOOP("Advance", "4K30"), 2}};
    return translated(e);
}

QVariantList AdvanceLists::rotateList()
{
    static const Entry e[] = {{QT_TRANSLATE_NOOP("Advance", "0"), 0},
                              {QT_TRANSLATE_NOOP("Advance", "90"), 1},
                              {QT_TRANSLATE_NOOP("Advance", "180"), 2},
                              {QT_TRANSLATE_NOOP("Advance", "270"), 3}};
    return translated(e);
}

QVariantList AdvanceLists::splitterAudioList()
{
    static const Entry e[] = {{QT_TRANSLATE_NOOP("Advance", "input1"), 0},
                              {QT_TRANSLATE_NOOP("Advance", "input2"), 1},
                              {QT_TRANSLATE_NOOP("Advance", "input3"), 2},
                              {QT_TRANSLATE_NOOP("Advance", "input4"), 3}};
    return translated(e);
}

QVariantList AdvanceLists::mirrorList()
{
    static const Entry e[] = {{QT_TRANSLATE_NOOP("Advance", "1 No mirror"), 16},
                              {QT_TRANSLATE_NOOP("Advance", "1 H mirror"), 17},
                              {QT_TRANSLATE_NOOP("Advance", "1 V mirror"), 18},
                              {QT_TRANSLATE_NOOP("Advance", "1 H&V mirror"), 19},
                              {QT_TRANSLATE_NOOP("Advance", "2 No mirror"), 32},
                              {QT_TRANSLATE_NOOP("Advance", "2 H mirror"), 33},
                              {QT_TRANSLATE_NOOP("Advance", "2 V mirror"), 34},
                              {QT_TRANSLATE_NOOP("Advance", "2 H&V mirror"), 35},
                              {QT_TRANSLATE_NOOP("Advance", "3 No mirror"), 48},
                              {QT_TRANSLATE_NOOP("Advance", "3 H mirror"), 49},
                              {QT_TRANSLATE_NOOP("Advance", "3 V mirror"), 50},
                              {QT_TRANSLATE_NOOP("Advance", "3 H&V mirror"), 51},
                              {QT_TRANSLATE_NOOP("Advance", "4 No mirror"), 64},
                              {QT_TRANSLATE_NOOP("Advance", "4 H mirror"), 65},
                              {QT_TRANSLATE_NOOP("Advance", "4 V mirror"), 66},
                              {QT_TRANSLATE_NOOP("Advance", "4 H&V mirror"), 67}};
    return translated(e);
}

QVariantList AdvanceLists::outputResolutionList()
{
    static const Entry e[] = {{QT_TRANSLATE_NOOP("Advance", "720P"), 0},
                              {QT_TRANSLATE_NOOP("Advance", "1080P"), 1},
                              {QT_TRANSLATE_NOOP("Advance", "3840*2160@30Hz"), 2}};
    return translated(e);
}
