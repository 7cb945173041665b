// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How full a warp is: the length and weight its fabric pieces use of what
// the bare warp offers (its greige length and its share of the warp
// weight), from the same arithmetic as the remaining capacity.

#include "VxPlan.h"
#include "VxWeaveRefs.h"

#include <QString>
#include <cstdint>

struct TVxWarpFill {
    int32_t LenCapacity = 0; // metres
    int32_t LenUsed = 0;
    int32_t WgtCapacity = 0; // kilograms
    int32_t WgtUsed = 0;

    // Used over capacity; 0 for a warp that offers nothing.
    double LenShare() const { return LenCapacity > 0 ? double(LenUsed) / LenCapacity : 0; }
    double WgtShare() const { return WgtCapacity > 0 ? double(WgtUsed) / WgtCapacity : 0; }
    // The weight runs out first.
    bool WeightLimits() const { return WgtShare() > LenShare(); }
};

// The fill of a warp job; all zero for other kinds and for a warp type the
// reference data does not know.
TVxWarpFill PlanWarpFill(const TVxPlanJob& job, const TVxWeaveRefs& refs);

// "Length used: 2650 of 2850 m (93 %)" and the weight on a second line;
// "..., 120 m over" when over.
QString VxWarpFillText(const TVxWarpFill& fill);
