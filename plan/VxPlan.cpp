// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxPlan.h"

bool TVxPlanItem::operator==(const TVxPlanItem& other) const {
    return ItemNo == other.ItemNo && FabricStru == other.FabricStru &&
           FabricCol == other.FabricCol && WeftCol == other.WeftCol && Pieces == other.Pieces;
}

bool TVxPlanJob::operator==(const TVxPlanJob& other) const {
    return Kind == other.Kind && JobNo == other.JobNo && StartDate == other.StartDate &&
           FinishDate == other.FinishDate && Expanded == other.Expanded &&
           TotalEnds == other.TotalEnds && DentsPerCm == other.DentsPerCm &&
           WarpType == other.WarpType && WarpCol == other.WarpCol && WarpLen == other.WarpLen &&
           Items == other.Items && Descr == other.Descr;
}

bool TVxPlanLoom::operator==(const TVxPlanLoom& other) const {
    return ScheduleNo == other.ScheduleNo && LoomType == other.LoomType && Name == other.Name &&
           StartDate == other.StartDate && Jobs == other.Jobs;
}

int TVxPlan::JobCount() const {
    int count = 0;
    for (const TVxPlanLoom& loom : Looms)
        count += loom.Jobs.size();
    return count;
}

int TVxPlan::ItemCount() const {
    int count = 0;
    for (const TVxPlanLoom& loom : Looms)
        for (const TVxPlanJob& job : loom.Jobs)
            count += job.Items.size();
    return count;
}

const TVxPlanLoom* TVxPlan::Loom(int scheduleNo) const {
    const int index = LoomIndex(scheduleNo);
    return index < 0 ? nullptr : &Looms[index];
}

int TVxPlan::LoomIndex(int scheduleNo) const {
    for (int i = 0; i < Looms.size(); ++i)
        if (Looms[i].ScheduleNo == scheduleNo) return i;
    return -1;
}

bool TVxPlan::operator==(const TVxPlan& other) const {
    return Looms == other.Looms && NextJobNo == other.NextJobNo && NextItemNo == other.NextItemNo;
}
