// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a dragged job or fabric item may go, over the whole plan: the
// verdict of the drag-over rules for every place of every loom, worked out
// on plan values the first time a loom is asked about and kept for the drag
// (nothing edits the plan while something is dragged).
//
//   TVxDragOutlook outlook = TVxDragOutlook::ForJob(plan, rules, {2, 3});
//   if (!outlook.Loom(5).Open) tip(outlook.Loom(5).Reason);

#include "VxPlan.h"
#include "VxWeaRules.h"

#include <QString>
#include <vector>

// What a whole loom says to the dragged thing.
struct TVxLoomOutlook {
    // Some place on it takes it.
    bool Open = false;
    // Why it takes it nowhere: what dropping it below the loom's jobs (a job)
    // or on the warp that came nearest to taking it (a fabric) would say.
    QString Reason;
};

class TVxDragOutlook {
public:
    // A job of the plan dragged; the plan must outlive the outlook.
    static TVxDragOutlook ForJob(const TVxPlan& plan, const TVxWeaveRules& rules,
                                 const TVxJobPlace& job);
    // A fabric item of the warp at job.
    static TVxDragOutlook ForItem(const TVxPlan& plan, const TVxWeaveRules& rules,
                                  const TVxJobPlace& job, int item);

    bool DragsItem() const { return m_item >= 0; }
    const TVxJobPlace& From() const { return m_from; }
    int Item() const { return m_item; }

    const TVxLoomOutlook& Loom(int loom) const;
    // The verdict of every place of the loom: for a job each position it may
    // be dropped at (0 to the job count, counted without the job on its own
    // loom), for an item each job of the loom.
    const std::vector<TVxDragVerdict>& Places(int loom) const;

private:
    TVxDragOutlook(const TVxPlan& plan, const TVxWeaveRules& rules, const TVxJobPlace& from,
                   int item);
    struct Entry {
        bool PlacesKnown = false;
        bool WholeKnown = false;
        std::vector<TVxDragVerdict> Places;
        TVxLoomOutlook Whole;
    };
    Entry& entry(int loom) const;
    std::vector<TVxDragVerdict> jobPlaces(int loom) const;
    const TVxPlanItem& item() const;
    static QString nearestReason(const std::vector<TVxDragVerdict>& places);

    const TVxPlan* m_plan;
    TVxWeaveRules m_rules;
    TVxJobPlace m_from;
    int m_item;
    mutable std::vector<Entry> m_looms;
};
