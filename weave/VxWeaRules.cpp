// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxWeaRules.h"

#include "VxWeaPlan.h"

#include <QHash>

QString VxCannotMoveReed() {
    return TVxWeaveRules::tr("Cannot move a reed");
}

QString VxReedRequired() {
    return TVxWeaveRules::tr("Reed required");
}

QString VxWrongReed() {
    return TVxWeaveRules::tr("Wrong reed type for this warp");
}

QString VxAboveOtherReed() {
    return TVxWeaveRules::tr("Cannot go straight above a reed of other ends");
}

QString VxWrongLoomType() {
    return TVxWeaveRules::tr("Cannot go on this loom type");
}

QString VxFabricWrongLoomType() {
    return TVxWeaveRules::tr("Has fabric that cannot go on this loom type");
}

QString VxOnlyOnWeavingJob() {
    return TVxWeaveRules::tr("Can only go on a weaving job");
}

QString VxWrongLoomWarpType() {
    return TVxWeaveRules::tr("Cannot go on this loom/warp type");
}

QString VxNoCapacityLeft() {
    return TVxWeaveRules::tr("Not enough capacity left");
}

std::vector<TVxJobTypeEntry> TVxWeaveRules::OfferedJobTypes(const TVxPlanLoom& loom) const {
    std::vector<TVxJobTypeEntry> entries;
    entries.push_back({VxReedText(), false, {}});
    // An empty loom has no reed, so it takes no warp yet.
    if (const TWarpList* warps = loom.Jobs.isEmpty() ? nullptr : m_refs.WarpList(loom.LoomType)) {
        const int reedEnds = ReedEndsAt(loom, loom.Jobs.size());
        for (int i = 0; i < warps->Count(); ++i) {
            const TWarpInfo* info = m_refs.WarpInfo(WarpTypeOf(warps->Key(i)));
            if (!info || info->TotalEnds != reedEnds) continue;
            const TFabricList* fabrics = warps->Object(i);
            entries.push_back({warps->Key(i), true, fabrics ? fabrics->Keys() : QStringList()});
        }
    }
    if (m_refs.DowntimeTypes)
        for (int i = 0; i < m_refs.DowntimeTypes->Count(); ++i)
            entries.push_back({m_refs.DowntimeTypes->Key(i), false, {}});
    return entries;
}

TVxDragVerdict TVxWeaveRules::ReedVerdict(const TVxPlanLoom& target, int32_t reedEnds, int index) {
    const int count = target.Jobs.size();
    if (index < 0 || index > count) index = count;
    // Never straight above a reed of other ends.
    if (index < count && target.Jobs[index].Kind == TVxPlanJobKind::Reed &&
        target.Jobs[index].TotalEnds != reedEnds)
        return TVxDragVerdict::RefusedSilently(VxAboveOtherReed());
    for (int i = index - 1; i >= 0; --i)
        if (target.Jobs[i].Kind == TVxPlanJobKind::Reed)
            return target.Jobs[i].TotalEnds == reedEnds ? TVxDragVerdict::Accepted()
                                                        : TVxDragVerdict::Refused(VxWrongReed());
    return TVxDragVerdict::Refused(VxReedRequired());
}

int32_t TVxWeaveRules::warpEnds(const TVxPlanJob& warp) const {
    // A warp carries the ends of its warp type (the reed it was placed under
    // had the same).
    const TWarpInfo* info = m_refs.WarpInfo(warp.WarpType);
    return info ? info->TotalEnds : 0;
}

TVxDragVerdict TVxWeaveRules::loomTypeVerdict(const TVxPlanJob& warp,
                                              const QString& loomType) const {
    const TFabricList* fabrics = m_refs.FabricList(loomType, PlanWarpKey(warp));
    if (!fabrics) return TVxDragVerdict::Refused(VxWrongLoomType());
    for (const TVxPlanItem& item : warp.Items)
        if (!fabrics->Contains(PlanFabricKey(item)))
            return TVxDragVerdict::Refused(VxFabricWrongLoomType());
    return TVxDragVerdict::Accepted();
}

TVxDragVerdict TVxWeaveRules::JobDropVerdict(const TVxPlanJob& job, bool fromOtherLoom,
                                             const TVxPlanLoom& target, int index) const {
    if (job.Kind == TVxPlanJobKind::Reed) return TVxDragVerdict::Refused(VxCannotMoveReed());
    if (job.Kind != TVxPlanJobKind::Warp) return TVxDragVerdict::Accepted();
    const TVxDragVerdict verdict = ReedVerdict(target, warpEnds(job), index);
    if (!verdict.Accept || !fromOtherLoom) return verdict;
    return loomTypeVerdict(job, target.LoomType);
}

std::vector<TVxDragVerdict> TVxWeaveRules::JobDropVerdicts(const TVxPlanJob& job,
                                                           bool fromOtherLoom,
                                                           const TVxPlanLoom& target) const {
    const int count = target.Jobs.size();
    if (job.Kind != TVxPlanJobKind::Warp)
        return std::vector<TVxDragVerdict>(size_t(count + 1),
                                           JobDropVerdict(job, false, target, 0));
    const int32_t ends = warpEnds(job);
    std::optional<TVxDragVerdict> loomType;
    std::vector<TVxDragVerdict> verdicts;
    verdicts.reserve(size_t(count + 1));
    // The nearest reed above each place, met on the way down.
    const TVxPlanJob* reedAbove = nullptr;
    for (int index = 0; index <= count; ++index) {
        if (index > 0 && target.Jobs[index - 1].Kind == TVxPlanJobKind::Reed)
            reedAbove = &target.Jobs[index - 1];
        if (index < count && target.Jobs[index].Kind == TVxPlanJobKind::Reed &&
            target.Jobs[index].TotalEnds != ends)
            verdicts.push_back(TVxDragVerdict::RefusedSilently(VxAboveOtherReed()));
        else if (!reedAbove)
            verdicts.push_back(TVxDragVerdict::Refused(VxReedRequired()));
        else if (reedAbove->TotalEnds != ends)
            verdicts.push_back(TVxDragVerdict::Refused(VxWrongReed()));
        else if (!fromOtherLoom)
            verdicts.push_back(TVxDragVerdict::Accepted());
        else {
            if (!loomType) loomType = loomTypeVerdict(job, target.LoomType);
            verdicts.push_back(*loomType);
        }
    }
    return verdicts;
}

TVxDragVerdict TVxWeaveRules::JobMoveVerdict(const TVxPlan& plan, const TVxJobPlace& from,
                                             int toLoom, int toIndex) const {
    const TVxPlanLoom& source = plan.Looms.at(from.Loom);
    const TVxPlanJob& job = source.Jobs.at(from.Index);
    if (toLoom != from.Loom) return JobDropVerdict(job, true, plan.Looms.at(toLoom), toIndex);
    TVxPlanLoom without = source;
    without.Jobs.remove(from.Index);
    return JobDropVerdict(job, false, without, toIndex);
}

TVxDragVerdict TVxWeaveRules::fabricVerdict(const TVxPlanJob& warp, bool known,
                                            const TVxPlanItem& item) const {
    if (!known) return TVxDragVerdict::Refused(VxWrongLoomWarpType());
    try {
        CheckCapacity(warp, item.FabricStru, item.Pieces, m_refs);
    } catch (const std::exception&) {
        return TVxDragVerdict::Refused(VxNoCapacityLeft());
    }
    return TVxDragVerdict::Accepted();
}

TVxDragVerdict TVxWeaveRules::ItemDropVerdict(const TVxPlanLoom& loom, int targetJob,
                                              const TVxPlanItem& item, bool sameJob) const {
    if (targetJob < 0 || targetJob >= loom.Jobs.size()) return TVxDragVerdict{false, QString(), {}};
    const TVxPlanJob& warp = loom.Jobs[targetJob];
    if (warp.Kind != TVxPlanJobKind::Warp) return TVxDragVerdict::Refused(VxOnlyOnWeavingJob());
    if (sameJob) return TVxDragVerdict::Accepted();
    const TFabricList* fabrics = m_refs.FabricList(loom.LoomType, PlanWarpKey(warp));
    return fabricVerdict(warp, fabrics && fabrics->Contains(PlanFabricKey(item)), item);
}

std::vector<TVxDragVerdict> TVxWeaveRules::ItemDropVerdicts(const TVxPlanLoom& loom,
                                                            const TVxPlanItem& item, int sameJob,
                                                            bool untilAccepted) const {
    std::vector<TVxDragVerdict> verdicts;
    verdicts.reserve(size_t(loom.Jobs.size()));
    // Whether the loom type weaves the fabric with each warp, looked up once
    // a warp type and colour.
    const QString fabricKey = PlanFabricKey(item);
    QHash<QPair<QString, QString>, bool> known;
    for (int j = 0; j < loom.Jobs.size(); ++j) {
        const TVxPlanJob& warp = loom.Jobs[j];
        if (warp.Kind != TVxPlanJobKind::Warp || j == sameJob) {
            verdicts.push_back(ItemDropVerdict(loom, j, item, j == sameJob));
        } else {
            const QPair<QString, QString> key(warp.WarpType, warp.WarpCol);
            auto it = known.find(key);
            if (it == known.end()) {
                const TFabricList* fabrics = m_refs.FabricList(loom.LoomType, PlanWarpKey(warp));
                it = known.insert(key, fabrics && fabrics->Contains(fabricKey));
            }
            verdicts.push_back(fabricVerdict(warp, *it, item));
        }
        if (untilAccepted && verdicts.back().Accept) break;
    }
    return verdicts;
}
