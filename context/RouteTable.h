#pragma once

#include <QJsonArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QVector>

// The device's routing as one input per output, and back to the fewest routing lines.
namespace RouteTable {

// Input (from 1) feeding each output, index 0 for output 1, from the grouped routing
// report; 0 where the report names no input for an output. Entries naming an output
// outside 1..outputs, or an input below 1, are skipped. Outputs of 0 or less: as many
// as the report names (at most 256).
QVector<int> perOutput(const QJsonArray &sws, int outputs);

// Requested routes (output -> input, both from 1) grouped by input: one entry per input
// with its outputs ascending, inputs ascending. Each entry is one routing line.
QList<QPair<int, QList<int>>> byInput(const QMap<int, int> &outputToInput);

} // namespace RouteTable
