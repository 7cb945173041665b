// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What changed from one plan to another, loom by loom: jobs added, removed,
// moved (from which loom and place), re-dated or edited, and per warp the
// fabric items added, removed, moved or changed.
//
// Jobs are paired by job number (of the same kind), items by item number.
// What is left over after that is paired by content in running order: jobs
// of the same kind, warp type, colour and length (reed: ends and dents;
// downtime: description), on the same loom first, then anywhere; items of
// the same fabric, on the paired warp first, then anywhere. This pairs the
// jobs of a plan that was built again with other numbers. Each pair says
// which way it was made.
//
// A job counts as moved when it went to another loom, or when it no longer
// stands in the same order among the jobs that stayed on its loom: a job
// inserted above others does not make them moved (though it usually
// re-dates them). The same holds for items within their warp.

#include "VxPlan.h"

#include <QFlags>
#include <QVector>

enum class TVxChange : unsigned {
    Added = 0x01,
    Removed = 0x02,
    Moved = 0x04,
    Redated = 0x08,
    Edited = 0x10,
    // Some of a warp's items changed (see TVxJobDiff::Items).
    Items = 0x20,
};
Q_DECLARE_FLAGS(TVxChanges, TVxChange)
Q_DECLARE_OPERATORS_FOR_FLAGS(TVxChanges)

// Which values of an edited job or item differ.
enum class TVxEdit : unsigned {
    WarpType = 0x01,
    WarpCol = 0x02,
    WarpLen = 0x04,
    Ends = 0x08, // a reed's ends or dents per cm
    Descr = 0x10,
    Fabric = 0x20, // an item's structure, colour or weft colour
    Pieces = 0x40,
};
Q_DECLARE_FLAGS(TVxEdits, TVxEdit)
Q_DECLARE_OPERATORS_FOR_FLAGS(TVxEdits)

enum class TVxMatch { None, Number, Content };

// Places in one of the two plans (TVxJobPlace, an item's position on its
// job); a loom of -1 means the thing is not in that plan.
inline constexpr TVxJobPlace kVxNoPlace{-1, -1};
inline bool VxHasPlace(const TVxJobPlace& place) {
    return place.Loom >= 0;
}

struct TVxItemPlace {
    TVxJobPlace Job = kVxNoPlace;
    int Item = -1;
};

struct TVxItemDiff {
    TVxChanges Changes;
    TVxEdits Edits;
    TVxMatch Match = TVxMatch::None;
    TVxItemPlace Before;
    TVxItemPlace After;
    // Where a removed item stood among the items of the warp it is listed
    // under: before the item of this position (the item count: at the end).
    int GhostAt = -1;
};

struct TVxJobDiff {
    TVxChanges Changes;
    TVxEdits Edits;
    TVxMatch Match = TVxMatch::None;
    TVxJobPlace Before = kVxNoPlace;
    TVxJobPlace After = kVxNoPlace;
    // A removed job stands, as a ghost, before the job of this position on
    // the loom it is listed under (the job count: below the last).
    int GhostAt = -1;
    // Items added to, moved onto, changed on or removed from this warp,
    // removed ones at their ghost position, the others in running order.
    QVector<TVxItemDiff> Items;
};

// The changes of one loom. A job is listed under the loom it stands on in
// the later plan (a removed one under the loom it stood on), with jobs and
// ghosts in running order.
struct TVxLoomDiff {
    int ScheduleNo = 0;
    // Index of the loom in each plan's Looms, -1 where the plan lacks it.
    int BeforeLoom = -1;
    int AfterLoom = -1;
    QVector<TVxJobDiff> Jobs;
};

struct TVxPlanDiff {
    // The two plans as compared (implicitly shared copies); every place in
    // the diff indexes them.
    TVxPlan Before;
    TVxPlan After;
    // Looms with at least one change, in the later plan's order, then looms
    // only the earlier plan has.
    QVector<TVxLoomDiff> Looms;

    bool IsEmpty() const { return Looms.isEmpty(); }
    // Changed jobs, and changed items, over all looms.
    int JobCount() const;
    int ItemCount() const;

    // The jobs and items a place names (the place must be valid).
    const TVxPlanJob& BeforeJob(const TVxJobPlace& place) const;
    const TVxPlanJob& AfterJob(const TVxJobPlace& place) const;
    const TVxPlanItem& BeforeItem(const TVxItemPlace& place) const;
    const TVxPlanItem& AfterItem(const TVxItemPlace& place) const;
};

// Compares the later plan with the earlier one. Looms are paired by their
// number; dates by whole days, as they are stored.
TVxPlanDiff VxComparePlans(const TVxPlan& before, const TVxPlan& after);
