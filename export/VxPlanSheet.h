// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plan as data for a spreadsheet: one row per job and one per fabric
// item, every field in a column of its own. Item rows repeat their warp's
// loom, place, job number, warp and dates, so each row can be filtered on
// its own; lengths, ends and remaining figures stand on the warp's row only,
// so column sums count each warp once.

#include "VxPlan.h"
#include "VxSheet.h"
#include "VxWeaveRefs.h"

// "Loom", "Loom Type", "Position", "Job", "Kind", ... in column order.
QStringList VxPlanSheetHeaders();

// The sheet "Plan": looms in plan order, jobs in running order (Position
// counts from 1 on each loom), each warp followed by its fabric items. Kind
// is "Reed", "Warp", "Downtime" or "Fabric". A warp's ends come from its
// warp type, its remaining length and weight from the capacity arithmetic
// (PlanWarpRemaining), both read in refs.
TVxSheet VxPlanSheet(const TVxPlan& plan, const TVxWeaveRefs& refs);
