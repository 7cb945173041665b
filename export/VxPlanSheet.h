#pragma once
// A plan as data for a spreadsheet: one row per job and one per fabric
// item, every field in a column of its own. Item rows repeat their warp's
// loom, place, job number, warp and dates, so each row can be filtered on
// its own; lengths, ends and remaining figures stand on the warp's row only,
// so column sums count each warp once.

#include "RefData.h"
#include "VxPlan.h"
#include "VxSheet.h"

#include <QHash>
#include <functional>

// What a warp can still take, in metres and kilograms.
struct TVxSheetRemaining {
    double Len = 0;
    double Wgt = 0;
};

// What the rows need beside the plan.
struct TVxPlanSheetRefs {
    // Each loom's name by its number, as its column is headed.
    QHash<int, QString> LoomNames;
    // A warp's ends come from its warp type; null reads as no warp types.
    const TWarpInfoList* WarpInfos = nullptr;
    // The remaining length and weight of a warp job, from the capacity
    // arithmetic of the weaving rules; unset leaves those columns empty.
    std::function<TVxSheetRemaining(const TVxPlanJob&)> Remaining;
};

// "Loom", "Position", "Job", "Kind", ... in column order.
const QStringList& VxPlanSheetHeaders();

// The sheet "Plan": looms in plan order, jobs in running order (Position
// counts from 1 on each loom), each warp followed by its fabric items. Kind
// is "Reed", "Warp", "Downtime" or "Fabric".
TVxSheet VxPlanSheet(const TVxPlan& plan, const TVxPlanSheetRefs& refs);
