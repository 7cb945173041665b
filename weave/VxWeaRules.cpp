#include "VxWeaRules.h"

const QString VxCannotMoveReed = QStringLiteral("Cannot move a reed");
const QString VxReedRequired = QStringLiteral("Reed required");
const QString VxWrongReed = QStringLiteral("Wrong reed type for this warp");
const QString VxAboveOtherReed = QStringLiteral("Cannot go straight above a reed of other ends");
const QString VxWrongLoomType = QStringLiteral("Cannot go on this loom type");
const QString VxFabricWrongLoomType = QStringLiteral("Has fabric that cannot go on this loom type");
const QString VxOnlyOnWeavingJob = QStringLiteral("Can only go on a weaving job");
const QString VxWrongLoomWarpType = QStringLiteral("Cannot go on this loom/warp type");
const QString VxNoCapacityLeft = QStringLiteral("Not enough capacity left");

TVxWeaveRules::TVxWeaveRules(const TLoomTypeList& loomTypes, const TDowntimeList& downtimeTypes,
                             const TVxWeaveContext& context)
    : m_LoomTypes(loomTypes), m_DowntimeTypes(downtimeTypes), m_Context(context) {}

int TVxWeaveRules::ReedEndsOf(const TVxJobSchedule* loom) {
    for (int i = loom->JobCount() - 1; i >= 0; --i)
        if (auto* reed = dynamic_cast<const TVxReedJob*>(loom->Jobs(i))) return reed->TotalEnds();
    return 0;
}

const TWarpList* TVxWeaveRules::WarpListOf(const TVxJobSchedule* loom) const {
    if (loom->Tag < 0 || loom->Tag >= m_LoomTypes.Count()) return nullptr;
    return m_LoomTypes.Object(loom->Tag);
}

const TFabricList* TVxWeaveRules::FabricListOf(const TVxJobSchedule* loom,
                                               const QString& warpKey) const {
    const TWarpList* warps = WarpListOf(loom);
    if (!warps) return nullptr;
    const int index = warps->IndexOf(warpKey);
    return index < 0 ? nullptr : warps->Object(index);
}

std::vector<TVxJobTypeEntry> TVxWeaveRules::OfferedJobTypes(const TVxJobSchedule* loom) const {
    std::vector<TVxJobTypeEntry> entries;
    entries.push_back({QStringLiteral("Reed"), false, {}});
    // An empty loom has no reed, so it takes no warp yet.
    if (const TWarpList* warps = loom->JobCount() > 0 ? WarpListOf(loom) : nullptr) {
        const int reedEnds = ReedEndsOf(loom);
        for (int i = 0; i < warps->Count(); ++i) {
            const TWarpInfo* info = m_Context.WarpInfo(WarpTypeOf(warps->Key(i)));
            if (!info || info->TotalEnds != reedEnds) continue;
            const TFabricList* fabrics = warps->Object(i);
            entries.push_back({warps->Key(i), true, fabrics ? fabrics->Keys() : QStringList()});
        }
    }
    for (int i = 0; i < m_DowntimeTypes.Count(); ++i)
        entries.push_back({m_DowntimeTypes.Key(i), false, {}});
    return entries;
}

void TVxWeaveRules::ChainJobDates(TVxJobSchedule* loom, TDateTime loomStart) {
    if (loom->JobCount() < 2) return;
    TDateTime running = loomStart;
    for (int i = 0; i < loom->JobCount(); ++i) {
        TVxJob* job = loom->Jobs(i);
        const TDateTime duration =
            job->FinishDate() != 0 ? job->FinishDate() - job->StartDate() : 0;
        if (running != 0) job->SetStartDate(running);
        if (job->FinishDate() != 0) {
            job->SetFinishDate(job->StartDate() + duration);
            running = job->FinishDate();
        }
    }
}

bool TVxWeaveRules::ReedHasWarpBelow(const TVxJobSchedule* loom, int reedIndex) {
    for (int i = reedIndex + 1; i < loom->JobCount(); ++i) {
        const TVxJob* job = loom->Jobs(i);
        if (dynamic_cast<const TVxReedJob*>(job)) return false;
        if (dynamic_cast<const TVxWeaveJob*>(job)) return true;
    }
    return false;
}

TVxDragVerdict TVxWeaveRules::ReedVerdict(const TVxJobSchedule* loom, const TVxWeaveJob* warp,
                                          int index) {
    int from = loom->JobCount() - 1;
    if (index >= 0 && index < loom->JobCount()) {
        auto* reed = dynamic_cast<const TVxReedJob*>(loom->Jobs(index));
        // Never straight above a reed of other ends.
        if (reed && reed->TotalEnds() != warp->Tag) return TVxDragVerdict::RefusedSilently();
        from = index - 1;
    }
    for (int i = from; i >= 0; --i)
        if (auto* reed = dynamic_cast<const TVxReedJob*>(loom->Jobs(i)))
            return reed->TotalEnds() == warp->Tag ? TVxDragVerdict::Accepted()
                                                  : TVxDragVerdict::Refused(VxWrongReed);
    return TVxDragVerdict::Refused(VxReedRequired);
}

TVxDragVerdict TVxWeaveRules::JobDragVerdict(const TVxJobSchedule* loom, const TVxJob* job,
                                             int index) const {
    if (dynamic_cast<const TVxReedJob*>(job)) return TVxDragVerdict::Refused(VxCannotMoveReed);
    auto* warp = dynamic_cast<const TVxWeaveJob*>(job);
    if (!warp) return TVxDragVerdict::Accepted();
    TVxDragVerdict verdict = ReedVerdict(loom, warp, index);
    if (!verdict.Accept || warp->Schedule() == loom) return verdict;
    const TFabricList* fabrics = FabricListOf(loom, warp->WarpKey());
    if (!fabrics) return TVxDragVerdict::Refused(VxWrongLoomType);
    for (int i = 0; i < warp->ItemCount(); ++i) {
        auto* item = dynamic_cast<const TVxWeaveJobItem*>(warp->Items(i));
        if (!item || !fabrics->Contains(item->FabricKey()))
            return TVxDragVerdict::Refused(VxFabricWrongLoomType);
    }
    return TVxDragVerdict::Accepted();
}

TVxDragVerdict TVxWeaveRules::ItemDragVerdict(const TVxJobSchedule* loom, const TVxJob* target,
                                              const TVxJobItem* item) const {
    if (!target) return TVxDragVerdict{false, QString()};
    auto* warp = dynamic_cast<const TVxWeaveJob*>(target);
    if (!warp) return TVxDragVerdict::Refused(VxOnlyOnWeavingJob);
    if (item->Job() == target) return TVxDragVerdict::Accepted();
    auto* fabric = dynamic_cast<const TVxWeaveJobItem*>(item);
    const TFabricList* fabrics = FabricListOf(loom, warp->WarpKey());
    if (!fabric || !fabrics || !fabrics->Contains(fabric->FabricKey()))
        return TVxDragVerdict::Refused(VxWrongLoomWarpType);
    try {
        CheckCapacity(warp, fabric->FabricStru(), fabric->Pieces(), m_Context);
    } catch (const std::exception&) {
        return TVxDragVerdict::Refused(VxNoCapacityLeft);
    }
    return TVxDragVerdict::Accepted();
}
