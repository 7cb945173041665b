// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxDragOutlook.h"

#include "VxAbort.h"

#include <QCoreApplication>

TVxDragOutlook::TVxDragOutlook(const TVxPlan& plan, const TVxWeaveRules& rules,
                               const TVxJobPlace& from, int item)
    : m_plan(&plan), m_rules(rules), m_from(from), m_item(item),
      m_looms(size_t(plan.Looms.size())) {
    if (from.Loom < 0 || from.Loom >= plan.Looms.size() || from.Index < 0 ||
        from.Index >= plan.Looms[from.Loom].Jobs.size())
        throw EVxError(QCoreApplication::translate("VxDragOutlook",
                                                   "Nothing is dragged from loom %1, place %2")
                           .arg(from.Loom)
                           .arg(from.Index));
}

TVxDragOutlook TVxDragOutlook::ForJob(const TVxPlan& plan, const TVxWeaveRules& rules,
                                      const TVxJobPlace& job) {
    return TVxDragOutlook(plan, rules, job, -1);
}

TVxDragOutlook TVxDragOutlook::ForItem(const TVxPlan& plan, const TVxWeaveRules& rules,
                                       const TVxJobPlace& job, int item) {
    TVxDragOutlook outlook(plan, rules, job, item);
    if (item < 0 || item >= plan.Looms[job.Loom].Jobs[job.Index].Items.size())
        throw EVxError(
            QCoreApplication::translate("VxDragOutlook", "No fabric at position %1 to drag")
                .arg(item));
    return outlook;
}

const TVxLoomOutlook& TVxDragOutlook::Loom(int loom) const {
    Entry& e = entry(loom);
    if (e.WholeKnown) return e.Whole;
    // A fabric's loom is open at its first warp that takes it: most looms
    // need not be asked further at the start of a drag.
    if (DragsItem() && !e.PlacesKnown) {
        std::vector<TVxDragVerdict> first = m_rules.ItemDropVerdicts(
            m_plan->Looms[loom], item(), loom == m_from.Loom ? m_from.Index : -1, true);
        if (first.empty() || !first.back().Accept) {
            e.Places = std::move(first);
            e.PlacesKnown = true;
        }
    }
    if (DragsItem() && !e.PlacesKnown) {
        e.Whole.Open = true;
    } else {
        const std::vector<TVxDragVerdict>& places = Places(loom);
        for (const TVxDragVerdict& verdict : places)
            e.Whole.Open = e.Whole.Open || verdict.Accept;
        if (!e.Whole.Open)
            e.Whole.Reason = DragsItem() ? nearestReason(places) : places.back().Reason;
    }
    e.WholeKnown = true;
    return e.Whole;
}

const std::vector<TVxDragVerdict>& TVxDragOutlook::Places(int loom) const {
    Entry& e = entry(loom);
    if (!e.PlacesKnown) {
        e.Places = DragsItem() ? m_rules.ItemDropVerdicts(m_plan->Looms[loom], item(),
                                                          loom == m_from.Loom ? m_from.Index : -1)
                               : jobPlaces(loom);
        e.PlacesKnown = true;
    }
    return e.Places;
}

const TVxPlanItem& TVxDragOutlook::item() const {
    return m_plan->Looms[m_from.Loom].Jobs[m_from.Index].Items[m_item];
}

std::vector<TVxDragVerdict> TVxDragOutlook::jobPlaces(int loom) const {
    const TVxPlanLoom& source = m_plan->Looms[m_from.Loom];
    const TVxPlanJob& job = source.Jobs[m_from.Index];
    if (loom != m_from.Loom) return m_rules.JobDropVerdicts(job, true, m_plan->Looms[loom]);
    TVxPlanLoom without = source;
    without.Jobs.remove(m_from.Index);
    return m_rules.JobDropVerdicts(job, false, without);
}

QString TVxDragOutlook::nearestReason(const std::vector<TVxDragVerdict>& places) {
    // The reasons of a fabric's refusals, from the least to the most that
    // was right about the warp: "wrong kind of job", "wrong type", "full".
    const QStringList order = {VxOnlyOnWeavingJob(), VxWrongLoomWarpType(), VxNoCapacityLeft()};
    int best = -1;
    for (const TVxDragVerdict& verdict : places)
        best = std::max(best, int(order.indexOf(verdict.Reason)));
    return best < 0 ? VxOnlyOnWeavingJob() : order[best];
}

TVxDragOutlook::Entry& TVxDragOutlook::entry(int loom) const {
    if (loom < 0 || loom >= int(m_looms.size()))
        throw EVxError(
            QCoreApplication::translate("VxDragOutlook", "No loom at position %1").arg(loom));
    return m_looms[size_t(loom)];
}
