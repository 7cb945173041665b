// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The arithmetic of a weaving plant on plan values: captions, what a warp
// can still take, how long its fabric takes to weave, how the dates chain
// along a loom. Pure functions of the plan and the reference tables; the
// board, the printout and the rules all take their figures from here.

#include "VxPlan.h"
#include "VxWeaveRefs.h"

#include <QString>
#include <QVector>
#include <cstdint>

// "Reed" in the program's language: a reed's name in the job dialog's type
// list, its menus and step names.
QString VxReedText();

// The panel texts of each kind, built from its fields.
QString VxReedCaption(int jobNo, int32_t totalEnds);
QString VxWarpCaption(int jobNo, const QString& warpKey, int32_t warpLen);
QString VxDowntimeCaption(int jobNo, const QString& descr);
// "<fabric key>/<n>pc", "pcs" from two pieces on.
QString VxFabricItemCaption(const QString& fabricKey, int32_t pieces);

// What a warp can still take.
struct TVxWarpRemaining {
    int32_t Len = 0; // metres; negative when over-filled
    int32_t Wgt = 0; // kilograms
    bool operator==(const TVxWarpRemaining& other) const {
        return Len == other.Len && Wgt == other.Wgt;
    }
};
// "Rem: <len>m / <wgt>kg"
QString VxWarpStatusText(const TVxWarpRemaining& remaining);

QString PlanWarpKey(const TVxPlanJob& job);
QString PlanFabricKey(const TVxPlanItem& item);
QString PlanJobCaption(const TVxPlanJob& job);
QString PlanItemCaption(const TVxPlanItem& item);
// The warp key, "Reed" or the downtime description: the job's name in
// dialog captions.
QString PlanJobKindText(const TVxPlanJob& job);
// "warp 7", "reed 3", "downtime 4": the job in step names.
QString PlanJobLabel(const TVxPlanJob& job);
// "fabric ABRED : NAT/3pcs".
QString PlanFabricLabel(const TVxPlanItem& item);

// Remaining length and weight of a warp of warpLen metres of warpType
// carrying the items (their structure and pieces count).
TVxWarpRemaining WarpRemaining(const QString& warpType, int32_t warpLen,
                               const QVector<TVxPlanItem>& items, const TVxWeaveRefs& refs);
// The same for a warp job; zero for other kinds.
TVxWarpRemaining PlanWarpRemaining(const TVxPlanJob& job, const TVxWeaveRefs& refs);
// The status row of a warp ("Rem: ..."); empty for other kinds.
QString PlanJobStatusText(const TVxPlanJob& job, const TVxWeaveRefs& refs);

// Throws EVxError "Length over capacity by <n>m" or "Weight over capacity by
// <n>kg" when what is left cannot take addedPieces more pieces of
// fabricStru.
void CheckCapacity(const TVxWarpRemaining& left, const QString& fabricStru, long long addedPieces,
                   const TVxWeaveRefs& refs);
// The same for a warp job (other kinds always pass).
void CheckCapacity(const TVxPlanJob& job, const QString& fabricStru, long long addedPieces,
                   const TVxWeaveRefs& refs);

// Estimated weaving time of a warp's items in hours, unrounded (summed in
// single precision); 0 for other kinds.
float PlanWeaveHours(const TVxPlanJob& job, const TVxWeaveRefs& refs);
// Rounded, as the dates row's hint shows it.
int32_t PlanEstWeaveHours(const TVxPlanJob& job, const TVxWeaveRefs& refs);
// Lengthens a warp whose dates are too short for its fabric: finish := start
// + the rounded hours / 24 days. A duration that already covers the hours
// is never shortened. Other kinds are left alone.
void StretchForWeaveTime(TVxPlanJob& job, const TVxWeaveRefs& refs);

// TotalEnds of the nearest reed above the job at index (the reed itself for
// a reed); 0 with none. index = Jobs.size() reads the lowest reed.
int32_t ReedEndsAt(const TVxPlanLoom& loom, int index);
// A reed may not be deleted while a warp stands below it, before the next
// reed; downtime does not count.
bool ReedHasWarpBelow(const TVxPlanLoom& loom, int reedIndex);

// Each job starts where the one before it finishes, the first on the loom's
// start date (a 0 start leaves the starts alone). Durations are kept; a job
// without a finish passes its start on. Looms with fewer than 2 jobs are
// left as they are.
void ChainJobDates(TVxPlanLoom& loom);
// What a loom needs after a change: warps stretched for their fabric, then
// the dates chained.
void SettleLoom(TVxPlanLoom& loom, const TVxWeaveRefs& refs);
// "Finish: " and the last job's finish date; empty for an empty loom.
QString LoomFooter(const TVxPlanLoom& loom);
