// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Short builders for plan values in tests.

#include "VxPlan.h"

#include <initializer_list>

namespace planbuild {
inline TVxPlanJob reed(int jobNo, int ends, double start, double finish = 0) {
    TVxPlanJob job;
    job.Kind = TVxPlanJobKind::Reed;
    job.JobNo = jobNo;
    job.TotalEnds = ends;
    job.DentsPerCm = 6.5f;
    job.StartDate = start;
    job.FinishDate = finish;
    return job;
}
inline TVxPlanItem item(int itemNo, const char* stru, const char* col, const char* weft,
                        int pieces) {
    TVxPlanItem i;
    i.ItemNo = itemNo;
    i.FabricStru = stru;
    i.FabricCol = col;
    i.WeftCol = weft;
    i.Pieces = pieces;
    return i;
}
inline TVxPlanJob warp(int jobNo, const char* type, const char* col, int len, double start,
                       double finish, std::initializer_list<TVxPlanItem> items = {}) {
    TVxPlanJob job;
    job.Kind = TVxPlanJobKind::Warp;
    job.JobNo = jobNo;
    job.WarpType = type;
    job.WarpCol = col;
    job.WarpLen = len;
    job.StartDate = start;
    job.FinishDate = finish;
    job.Items = items;
    return job;
}
inline TVxPlanJob downtime(int jobNo, const char* descr, double start, double finish) {
    TVxPlanJob job;
    job.Kind = TVxPlanJobKind::Downtime;
    job.JobNo = jobNo;
    job.Descr = descr;
    job.StartDate = start;
    job.FinishDate = finish;
    return job;
}
inline TVxPlanLoom loom(int scheduleNo, std::initializer_list<TVxPlanJob> jobs) {
    TVxPlanLoom l;
    l.ScheduleNo = scheduleNo;
    l.Jobs = jobs;
    return l;
}
inline TVxPlan plan(std::initializer_list<TVxPlanLoom> looms, int nextJobNo = 1,
                    int nextItemNo = 1) {
    TVxPlan p;
    p.Looms = looms;
    p.NextJobNo = nextJobNo;
    p.NextItemNo = nextItemNo;
    return p;
}
inline QVector<int> loomNos(const TVxPlan& p) {
    QVector<int> nos;
    for (const TVxPlanLoom& l : p.Looms)
        nos << l.ScheduleNo;
    return nos;
}
} // namespace planbuild
