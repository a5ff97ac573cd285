#pragma once

#include <QObject>

// Whether the Chinese screens can be drawn: some installed font family covers Simplified
// Chinese (on Debian, fonts-wqy-microhei). Without one every Chinese text shows as boxes.
// The screens see it as the "Fonts" singleton of the Tessaro module.
class FontCheck : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Asks the font database each time (needs a QGuiApplication).
    Q_INVOKABLE bool chineseAvailable() const;

    // Tests: answer 1 (a font) or 0 (none) instead of the font database; -1 asks it again.
    static void setChineseOverride(int available);
};
