#pragma once
// How full a warp is, as the board and the timeline show it: green while its
// fabric pieces fit, amber above 90 % of the length or weight, red when
// over, and the figures in words.

#include "VxWarpFill.h"

#include <QColor>
#include <QString>

class TVxJob;

// The colour of a share used of a capacity.
QColor VxFillColor(int32_t used, int32_t capacity);
// "Length used: 2650 of 2850 m (93 %)" and the weight on a second line;
// "... , 120 m over" when over.
QString VxWarpFillText(const TVxWarpFill& fill);
// The gauges of a warp on its board panel: its length, and its weight
// where the weight runs out first. None for a warp of an unknown type.
void VxShowWarpGauges(TVxJob& job, const TVxWarpFill& fill);
