#pragma once

#include <QString>

// Per-model defaults of the values the advanced screen reads from a device.
namespace SimAdvanced {

// The "OutResolution" a board starts with: the models with an output-resolution choice
// (720P 0, 1080P 1, 3840*2160@30Hz 2) start at 1080P; the board-settings models use
// their own resolution table, where 5 is the default.
QString defaultOutResolution(const QString &model);

} // namespace SimAdvanced
