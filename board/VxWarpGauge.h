// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How full a warp is, as the board shows it: green while its fabric pieces
// fit, amber above 90 % of the length or weight, red when over, and the
// figures in words (VxWarpFillText) as the hint.

#include "VxWarpFill.h"

#include <QColor>
#include <QString>

class TVxJob;

// The colour of a share used of a capacity.
QColor VxFillColor(int32_t used, int32_t capacity);
// The gauges of a warp on its board panel: its length, and its weight
// where the weight runs out first. None for a warp of an unknown type.
void VxShowWarpGauges(TVxJob& job, const TVxWarpFill& fill);
