#pragma once

#include <QObject>
#include <QString>
#include <QVariantList>

// What the advanced screen offers for the identified model: its option lists (each an
// array of {title, value} entries, titles translated in the context "Advance" where
// they are words) and the flags that show or hide its blocks and rows. Created by the
// screen (QML type "AdvanceLists" of the module "Tessaro"); the flags live as long as
// the screen, so the ones that are never reset stay set across later models.
class AdvanceLists : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool txSwing READ txSwing NOTIFY flagsChanged)
    Q_PROPERTY(bool peSetting READ peSetting NOTIFY flagsChanged)
    Q_PROPERTY(bool outputSettingHidden READ outputSettingHidden NOTIFY flagsChanged)
    Q_PROPERTY(bool subtitle READ subtitle NOTIFY flagsChanged)
    Q_PROPERTY(bool audioInsert READ audioInsert NOTIFY flagsChanged)
    Q_PROPERTY(bool splitter READ splitter NOTIFY flagsChanged)
    Q_PROPERTY(bool hdmiOrAnalog READ hdmiOrAnalog NOTIFY flagsChanged)
    Q_PROPERTY(bool outportSetting READ outportSetting NOTIFY flagsChanged)

public:
    explicit AdvanceLists(QObject *parent = nullptr) : QObject(parent) {}

    bool txSwing() const { return _txSwing; }
    bool peSetting() const { return _peSetting; }
    bool outputSettingHidden() const { return _outputSettingHidden; }
    bool subtitle() const { return _subtitle; }
    bool audioInsert() const { return _audioInsert; }
    bool splitter() const { return _splitter; }
    bool hdmiOrAnalog() const { return _hdmiOrAnalog; }
    bool outportSetting() const { return _outportSetting; }

    // Sets the block flags for a newly identified model. The splitter and
    // output-resolution flags and a hidden "Output Setting" block are only ever set.
    Q_INVOKABLE void applyMode(const QString &mode);

    // Numbered lists: inputs 1..n; outputs 1..n; outputs titled 1..n valued inputs + k.
    Q_INVOKABLE static QVariantList inputList(int inputs);
    Q_INVOKABLE static QVariantList outputList(int outputs);
    Q_INVOKABLE static QVariantList numberedOutputList(int inputs, int outputs);
    // USER1-5, OUTPORT1..n and the model's built-in EDIDs, valued in one running count.
    Q_INVOKABLE static QVariantList edidList(const QString &mode, int inputs, int outputs);
    // The first value of the EDID list: where USER1 sits.
    Q_INVOKABLE static int firstEdidValue(const QString &mode, int inputs);
    // True for the five USER entries, the only EDIDs the device lets the panel write.
    Q_INVOKABLE static bool isUserEdid(const QString &mode, int inputs, int value);
    Q_INVOKABLE static QVariantList peList(const QString &mode);
    Q_INVOKABLE static QVariantList swingList(const QString &mode);

    Q_INVOKABLE static QVariantList audioInsertList();
    Q_INVOKABLE static QVariantList hdmiOrAnalogList();
    Q_INVOKABLE static QVariantList subtitleColorList();
    Q_INVOKABLE static QVariantList subtitlePositionList();
    Q_INVOKABLE static QVariantList subtitleScrollingList();
    Q_INVOKABLE static QVariantList subtitleBackgroundList();
    Q_INVOKABLE static QVariantList subtitleAlphaList();
    Q_INVOKABLE static QVariantList displayModeList();
    Q_INVOKABLE static QVariantList splitterModeList();
    Q_INVOKABLE static QVariantList spliceModeList();
    Q_INVOKABLE static QVariantList splitterResolutionList();
    Q_INVOKABLE static QVariantList rotateList();
    Q_INVOKABLE static QVariantList splitterAudioList();
    Q_INVOKABLE static QVariantList mirrorList();
    Q_INVOKABLE static QVariantList outputResolutionList();

signals:
    void flagsChanged();

private:
    bool _txSwing = false;
    bool _peSetting = false;
    bool _outputSettingHidden = false;
    bool _subtitle = false;
    bool _audioInsert = false;
    bool _splitter = false;
    bool _hdmiOrAnalog = false;
    bool _outportSetting = false;
};
