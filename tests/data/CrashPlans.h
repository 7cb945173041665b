// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Two different plans for the same looms: an interrupted overwrite must leave
// one of them whole, never a mixture.

#include "VxPlan.h"

namespace crashplans {
inline TVxPlan build(int variant) {
    TVxPlan plan;
    int jobNo = variant * 10000, itemNo = variant * 10000;
    const int jobs = variant == 0 ? 12 : 9;
    for (int l = 0; l < 25; ++l) {
        TVxPlanLoom loom;
        loom.ScheduleNo = 101 + l;
        for (int p = 0; p < jobs; ++p) {
            TVxPlanJob job;
            job.Kind = TVxPlanJobKind::Warp;
            job.JobNo = ++jobNo;
            job.WarpType = variant == 0 ? "A" : "B";
            job.WarpCol = "WHT";
            job.WarpLen = 3000 + variant;
            job.StartDate = 46000 + p * 3;
            job.FinishDate = 46003 + p * 3;
            for (int q = 0; q < 3 + variant; ++q) {
                TVxPlanItem item;
                item.ItemNo = ++itemNo;
                item.FabricStru = "P";
                item.FabricCol = "001";
                item.WeftCol = "WHT";
                item.Pieces = 1 + q;
                job.Items.append(item);
            }
            loom.Jobs.append(job);
        }
        plan.Looms.append(loom);
    }
    plan.NextJobNo = jobNo + 1;
    plan.NextItemNo = itemNo + 1;
    return plan;
}
inline QVector<int> looms() {
    QVector<int> nos;
    for (int l = 0; l < 25; ++l)
        nos << 101 + l;
    return nos;
}
} // namespace crashplans
