// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What an edit would do to the looms it touches, told as a planner reads it:
// for every job as the board shows it now, whether its dates or what its
// warp can still take would change and to what; each loom's last finish
// before and after; and one line for the status bar ("R03 190cm: 6 jobs
// later by 2 days; R07 190cm: 4 jobs earlier by 2 days").
//
// It compares the plan with the touched looms as the edit leaves them
// (TVxPlanDocument::Preview), so it tells what the edit itself would do.

#include "VxPlan.h"
#include "VxWeaPlan.h"

#include <QString>
#include <QVector>

// One job of a touched loom, as the edit would leave it wherever it goes.
struct TVxJobKnockOn {
    // Its start or finish changes; the dates it would have.
    bool Redated = false;
    double StartDate = 0;
    double FinishDate = 0;
    // What a warp can still take changes; what it would keep.
    bool Refilled = false;
    TVxWarpRemaining Remaining;

    bool OverCapacity() const { return Refilled && (Remaining.Len < 0 || Remaining.Wgt < 0); }
};

struct TVxLoomKnockOn {
    // Position of the loom in the plan, and its name.
    int Loom = -1;
    QString Name;
    // The last job's finish before and after; 0 for none.
    double FinishBefore = 0;
    double FinishAfter = 0;
    // By the jobs' positions on the loom before the edit.
    QVector<TVxJobKnockOn> Jobs;
    // The shifts of the jobs that stay on the loom, in whole days (a job
    // whose start stays counts by its finish).
    QVector<int> Shifts;

    // "finishes 12/03/27 → 19/03/27, +7 days"; "finishes 12/03/27,
    // unchanged"; "none" for a loom without jobs.
    QString FooterText() const;
    // "6 jobs later by 2 days, 1 job earlier by 1 to 3 days"; when no job
    // that stays moves, "finishes 4 days later" (a job came or went at the
    // end); empty when nothing changes.
    QString ChangeText() const;
};

class TVxKnockOn {
public:
    // looms: positions in before of the looms the edit touches; after:
    // those looms as the edit leaves them, in the same order.
    TVxKnockOn(const TVxPlan& before, const QVector<int>& looms, const QVector<TVxPlanLoom>& after,
               const TVxWeaveRefs& refs);

    const QVector<TVxLoomKnockOn>& Looms() const { return m_looms; }
    // The touched loom at that plan position, or null.
    const TVxLoomKnockOn* Loom(int loom) const;
    // The looms' changes joined, the loom named first (the one under the
    // pointer) leading; "No dates change" when none has any.
    QString Summary(int first = -1) const;

private:
    QVector<TVxLoomKnockOn> m_looms;
};
