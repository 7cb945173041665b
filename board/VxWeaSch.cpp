// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxWeaSch.h"

#include "VxAbort.h"
#include "VxWarpGauge.h"

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <map>

namespace {
QFont plainFont(QFont font) {
    font.setBold(false);
    return font;
}
} // namespace

QColor VxReedColor() {
    return QColor(0, 128, 0);
}
QColor VxDowntimeColor() {
    return QColor(128, 0, 128);
}

// ---------------------------------------------------------------- reed job

TVxReedJob::TVxReedJob() {
    SetCaptionColor(VxReedColor());
    SetCaptionFont(plainFont(CaptionFont()));
}

void TVxReedJob::SetTotalEnds(int32_t value) {
    m_totalEnds = value;
    updateCaption();
}

void TVxReedJob::SetDentsPerCm(float value) {
    m_dentsPerCm = value;
    updateCaption();
}

void TVxReedJob::updateCaption() {
    SetUpperCaption(VxReedCaption(JobNo, m_totalEnds));
}

// ---------------------------------------------------------------- warp job

TVxWeaveJob::TVxWeaveJob() {
    SetCaptionFont(plainFont(CaptionFont()));
}

void TVxWeaveJob::SetWarpType(const QString& value) {
    m_warpType = value;
    updateCaption();
}

void TVxWeaveJob::SetWarpCol(const QString& value) {
    m_warpCol = value;
    updateCaption();
}

void TVxWeaveJob::SetWarpLen(int32_t value) {
    m_warpLen = value;
    updateCaption();
}

void TVxWeaveJob::SetRemaining(const TVxWarpRemaining& value) {
    m_remaining = value;
    SetStatusText(VxWarpStatusText(m_remaining));
}

void TVxWeaveJob::SetEstWeaveHours(int32_t value) {
    m_estWeaveHours = value;
    DatesRow.Hint = QCoreApplication::translate("VxWeaSch", "Est weave time: %1hrs").arg(value);
    DatesRow.ShowHint = value > 0;
}

QString TVxWeaveJob::WarpKey() const {
    return MakeWarpKey(m_warpType, m_warpCol);
}

void TVxWeaveJob::updateCaption() {
    SetUpperCaption(VxWarpCaption(JobNo, WarpKey(), m_warpLen));
}

// ------------------------------------------------------------ downtime job

TVxDowntimeJob::TVxDowntimeJob() {
    SetCaptionColor(VxDowntimeColor());
    SetCaptionFont(plainFont(CaptionFont()));
}

void TVxDowntimeJob::SetDescr(const QString& value) {
    m_descr = value;
    SetUpperCaption(VxDowntimeCaption(JobNo, m_descr));
}

// ------------------------------------------------------------ fabric item

TVxWeaveJobItem::TVxWeaveJobItem() = default;

void TVxWeaveJobItem::SetFabricStru(const QString& value) {
    m_fabricStru = value;
    updateCaption();
}

void TVxWeaveJobItem::SetFabricCol(const QString& value) {
    m_fabricCol = value;
    updateCaption();
}

void TVxWeaveJobItem::SetWeftCol(const QString& value) {
    m_weftCol = value;
    updateCaption();
}

void TVxWeaveJobItem::SetPieces(int32_t value) {
    m_pieces = value;
    updateCaption();
}

QString TVxWeaveJobItem::FabricKey() const {
    return MakeFabricKey(m_fabricStru, m_fabricCol, m_weftCol);
}

void TVxWeaveJobItem::updateCaption() {
    SetCaption(VxFabricItemCaption(FabricKey(), m_pieces));
}

// ---------------------------------------------------------------- routines

TVxWeaveJobItem* AddWeaveItem(TVxJob* job, int itemNo, const QString& fabricStru,
                              const QString& fabricCol, const QString& weftCol, int32_t pieces) {
    if (!job)
        throw EVxError(QCoreApplication::translate("VxWeaSch", "No job to add the fabric item to"));
    auto* item = new TVxWeaveJobItem;
    item->ItemNo = itemNo;
    item->SetFabricStru(fabricStru);
    item->SetFabricCol(fabricCol);
    item->SetWeftCol(weftCol);
    item->SetPieces(pieces);
    job->InsertItem(item);
    return item;
}

QString JobKindText(const TVxJob* job) {
    if (auto* warp = dynamic_cast<const TVxWeaveJob*>(job)) return warp->WarpKey();
    if (dynamic_cast<const TVxReedJob*>(job)) return VxReedText();
    if (auto* downtime = dynamic_cast<const TVxDowntimeJob*>(job)) return downtime->Descr();
    return QString();
}

void SetJobMenuCaptions(TVxJob* job) {
    const bool reed = dynamic_cast<TVxReedJob*>(job) != nullptr;
    if (!reed && !dynamic_cast<TVxDowntimeJob*>(job)) return;
    job->MenuCaptions().AddItem.clear();
    job->MenuCaptions().ClearItems.clear();
    job->MenuCaptions().EditJob =
        reed ? QCoreApplication::translate("VxWeaSch", "&Edit Reed...")
             : QCoreApplication::translate("VxWeaSch", "&Edit Downtime...");
    job->MenuCaptions().RemoveJob =
        reed ? QCoreApplication::translate("VxWeaSch", "&Remove Reed")
             : QCoreApplication::translate("VxWeaSch", "&Remove Downtime");
}

// ------------------------------------------------------------ plan values

namespace {
// What is left of the columns' drawings while they are drawn again.
class TDrawingPool {
public:
    void Take(TVxJobSchedule* schedule) {
        for (std::unique_ptr<TVxJob>& job : schedule->TakeJobs()) {
            for (std::unique_ptr<TVxJobItem>& item : job->TakeItems())
                m_items.emplace(item->ItemNo, std::move(item));
            const std::pair<int, int> key{kindOf(job.get()), job->JobNo};
            m_jobs.emplace(key, std::move(job));
        }
    }

    std::unique_ptr<TVxJob> Job(const TVxPlanJob& plan) {
        const auto it = m_jobs.find({int(plan.Kind), plan.JobNo});
        if (it == m_jobs.end()) return newJob(plan.Kind);
        std::unique_ptr<TVxJob> job = std::move(it->second);
        m_jobs.erase(it);
        return job;
    }

    std::unique_ptr<TVxJobItem> Item(int itemNo) {
        const auto it = m_items.find(itemNo);
        if (it == m_items.end()) return std::make_unique<TVxWeaveJobItem>();
        std::unique_ptr<TVxJobItem> item = std::move(it->second);
        m_items.erase(it);
        return item;
    }

private:
    static int kindOf(const TVxJob* job) {
        if (dynamic_cast<const TVxReedJob*>(job)) return int(TVxPlanJobKind::Reed);
        if (dynamic_cast<const TVxWeaveJob*>(job)) return int(TVxPlanJobKind::Warp);
        if (dynamic_cast<const TVxDowntimeJob*>(job)) return int(TVxPlanJobKind::Downtime);
        return -1;
    }
    static std::unique_ptr<TVxJob> newJob(TVxPlanJobKind kind) {
        switch (kind) {
        case TVxPlanJobKind::Reed:
            return std::make_unique<TVxReedJob>();
        case TVxPlanJobKind::Warp:
            return std::make_unique<TVxWeaveJob>();
        case TVxPlanJobKind::Downtime:
            break;
        }
        return std::make_unique<TVxDowntimeJob>();
    }

    std::multimap<std::pair<int, int>, std::unique_ptr<TVxJob>> m_jobs;
    std::multimap<int, std::unique_ptr<TVxJobItem>> m_items;
};

void drawItems(TVxWeaveJob* warp, const TVxPlanJob& plan, TDrawingPool& pool) {
    std::vector<std::unique_ptr<TVxJobItem>> items;
    items.reserve(size_t(plan.Items.size()));
    for (const TVxPlanItem& planItem : plan.Items) {
        std::unique_ptr<TVxJobItem> drawn = pool.Item(planItem.ItemNo);
        if (auto* item = dynamic_cast<TVxWeaveJobItem*>(drawn.get())) {
            item->ItemNo = planItem.ItemNo;
            item->SetFabricStru(planItem.FabricStru);
            item->SetFabricCol(planItem.FabricCol);
            item->SetWeftCol(planItem.WeftCol);
            item->SetPieces(planItem.Pieces);
        }
        items.push_back(std::move(drawn));
    }
    warp->ReplaceItems(std::move(items));
}

std::unique_ptr<TVxJob> drawJob(const TVxPlanJob& plan, TDrawingPool& pool,
                                const TVxWeaveRefs& refs) {
    std::unique_ptr<TVxJob> job = pool.Job(plan);
    job->JobNo = plan.JobNo;
    if (auto* reed = dynamic_cast<TVxReedJob*>(job.get())) {
        reed->SetTotalEnds(plan.TotalEnds);
        reed->SetDentsPerCm(plan.DentsPerCm);
    } else if (auto* warp = dynamic_cast<TVxWeaveJob*>(job.get())) {
        warp->SetWarpType(plan.WarpType);
        warp->SetWarpCol(plan.WarpCol);
        warp->SetWarpLen(plan.WarpLen);
        drawItems(warp, plan, pool);
        warp->SetRemaining(PlanWarpRemaining(plan, refs));
        warp->SetEstWeaveHours(PlanEstWeaveHours(plan, refs));
        VxShowWarpGauges(*warp, PlanWarpFill(plan, refs));
    } else if (auto* downtime = dynamic_cast<TVxDowntimeJob*>(job.get())) {
        downtime->SetDescr(plan.Descr);
    }
    job->SetStartDate(plan.StartDate);
    job->SetFinishDate(plan.FinishDate);
    job->SetExpanded(plan.Expanded);
    return job;
}
} // namespace

void VxShowLooms(const std::vector<TVxLoomDrawing>& looms, const TVxWeaveRefs& refs) {
    TDrawingPool pool;
    for (const TVxLoomDrawing& drawing : looms)
        pool.Take(drawing.Schedule);
    for (const TVxLoomDrawing& drawing : looms) {
        const TVxPlanLoom& loom = *drawing.Loom;
        std::vector<std::unique_ptr<TVxJob>> jobs;
        jobs.reserve(size_t(loom.Jobs.size()));
        for (const TVxPlanJob& job : loom.Jobs)
            jobs.push_back(drawJob(job, pool, refs));
        TVxJobSchedule* schedule = drawing.Schedule;
        schedule->ReplaceJobs(std::move(jobs));
        // ReplaceJobs gave every job the loom's warp captions.
        for (int i = 0; i < schedule->JobCount(); ++i)
            SetJobMenuCaptions(schedule->Jobs(i));
        schedule->SetFooter(LoomFooter(loom));
    }
}

void VxShowLoom(TVxJobSchedule* schedule, const TVxPlanLoom& loom, const TVxWeaveRefs& refs) {
    VxShowLooms({{schedule, &loom}}, refs);
}
