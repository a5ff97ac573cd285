#pragma once

#include <QObject>
#include <QString>

// The model groups as the screens ask for them (QML singleton "Models" of the module
// "Tessaro"). Every answer comes from the one model table of the protocol library.
class ModelGroups : public QObject
{
    Q_OBJECT
public:
    explicit ModelGroups(QObject *parent = nullptr) : QObject(parent) {}

    Q_INVOKABLE bool inGroup(const QString &mode, const QString &group) const;
    Q_INVOKABLE bool isKnownModel(const QString &mode) const;
    Q_INVOKABLE bool isVideoWall(const QString &mode) const;
    Q_INVOKABLE bool isBoardSettings(const QString &mode) const;
    Q_INVOKABLE bool isSubtitle(const QString &mode) const;
    Q_INVOKABLE bool isTxSwing(const QString &mode) const;
    Q_INVOKABLE bool isPlainOutput(const QString &mode) const;
    Q_INVOKABLE bool isAudioInsert(const QString &mode) const;
    Q_INVOKABLE bool isOutputResolution(const QString &mode) const;
    Q_INVOKABLE bool isSplitter(const QString &mode) const;
    Q_INVOKABLE bool isSplitterAudioInput(const QString &mode) const;
    Q_INVOKABLE bool isEdidFromOne(const QString &mode) const;
    Q_INVOKABLE bool isEdid4K60(const QString &mode) const;
    Q_INVOKABLE bool isPacedOutput(const QString &mode) const;
};
