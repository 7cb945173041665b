// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the timeline's tooltips say: a job in full (its caption, dates and
// length, fabric, what is left on a warp), a loom's load over the period,
// and how many looms weave on a day.

#include "VxPlan.h"
#include "VxWeaveRefs.h"

#include <QString>

QString VxTimelineJobTip(const TVxPlanJob& job, const TVxWeaveRefs& refs);
// share: of the period spent weaving, 0 to 1.
QString VxTimelineLoomTip(const TVxPlanLoom& loom, double share);
QString VxTimelineDayTip(int day, int busy, int looms);
