#include "FontCheck.h"

#include <QFontDatabase>

namespace {
int g_override = -1;
}

bool FontCheck::chineseAvailable() const
{
    if (g_override >= 0)
        return g_override != 0;
    return !QFontDatabase().families(QFontDatabase::SimplifiedChinese).isEmpty();
}

void FontCheck::setChineseOverride(int available)
{
    g_override = available;
}
