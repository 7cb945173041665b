#include "BoardPlan.h"

#include "MainUnit.h"
#include "VxFlagGuard.h"
#include "VxWeaSch.h"

namespace {
// Holds back painting of a widget and its children until the scope ends,
// then repaints it once.
class TPaintHold {
public:
    // Inside a hold of a parent there is nothing to do; holding again would
    // keep the widget dark when the parent's hold ends.
    explicit TPaintHold(QWidget* widget) : m_widget(widget->updatesEnabled() ? widget : nullptr) {
        if (m_widget) m_widget->setUpdatesEnabled(false);
    }
    ~TPaintHold() {
        if (m_widget) m_widget->setUpdatesEnabled(true);
    }
    TPaintHold(const TPaintHold&) = delete;
    TPaintHold& operator=(const TPaintHold&) = delete;

private:
    QWidget* m_widget;
};

TVxPlanItem planItem(const TVxWeaveJobItem* item) {
    TVxPlanItem plan;
    plan.ItemNo = item->ItemNo;
    plan.FabricStru = item->FabricStru();
    plan.FabricCol = item->FabricCol();
    plan.WeftCol = item->WeftCol();
    plan.Pieces = item->Pieces();
    return plan;
}
} // namespace

// ---------------------------------------------------------------------------
// Reading

std::optional<TVxPlanJob> TBoardPlan::PlanJob(const TVxJob* job) {
    TVxPlanJob plan;
    if (auto* reed = dynamic_cast<const TVxReedJob*>(job)) {
        plan.Kind = TVxPlanJobKind::Reed;
        plan.TotalEnds = reed->TotalEnds();
        plan.DentsPerCm = reed->DentsPerCm();
    } else if (auto* warp = dynamic_cast<const TVxWeaveJob*>(job)) {
        plan.Kind = TVxPlanJobKind::Warp;
        plan.WarpType = warp->WarpType();
        plan.WarpCol = warp->WarpCol();
        plan.WarpLen = warp->WarpLen();
        plan.Items.reserve(warp->ItemCount());
        for (int i = 0; i < warp->ItemCount(); ++i)
            if (auto* item = dynamic_cast<const TVxWeaveJobItem*>(warp->Items(i)))
                plan.Items.push_back(planItem(item));
    } else if (auto* downtime = dynamic_cast<const TVxDowntimeJob*>(job)) {
        plan.Kind = TVxPlanJobKind::Downtime;
        plan.Descr = downtime->Descr();
    } else {
        return std::nullopt;
    }
    plan.JobNo = job->JobNo;
    plan.StartDate = job->StartDate();
    plan.FinishDate = job->FinishDate();
    plan.Expanded = job->Expanded();
    return plan;
}

TVxPlanLoom TBoardPlan::ReadLoom(const TMainForm& main, const TVxJobSchedule* schedule) {
    TVxPlanLoom loom;
    loom.ScheduleNo = schedule->ScheduleNo;
    if (main.LoomStartDates) loom.StartDate = main.LoomStartDates->DateOf(schedule);
    loom.Jobs.reserve(schedule->JobCount());
    for (int i = 0; i < schedule->JobCount(); ++i)
        if (std::optional<TVxPlanJob> job = PlanJob(schedule->Jobs(i))) loom.Jobs.push_back(*job);
    return loom;
}

TVxPlan TBoardPlan::Read(const TMainForm& main) {
    TVxPlan plan;
    const TVxScheduleBox* box = main.ScheduleBox;
    plan.Looms.reserve(box->ScheduleCount());
    for (int i = 0; i < box->ScheduleCount(); ++i)
        plan.Looms.push_back(ReadLoom(main, box->Schedules(i)));
    plan.NextJobNo = main.NextJobNo;
    plan.NextItemNo = main.NextItemNo;
    return plan;
}

// ---------------------------------------------------------------------------
// Showing

std::unique_ptr<TVxJob> TBoardPlan::MakeJob(const TVxPlanJob& plan) {
    std::unique_ptr<TVxJob> job;
    switch (plan.Kind) {
    case TVxPlanJobKind::Reed: {
        auto reed = std::make_unique<TVxReedJob>();
        reed->JobNo = plan.JobNo;
        reed->SetTotalEnds(plan.TotalEnds);
        reed->SetDentsPerCm(plan.DentsPerCm);
        job = std::move(reed);
        break;
    }
    case TVxPlanJobKind::Warp: {
        auto warp = std::make_unique<TVxWeaveJob>();
        warp->JobNo = plan.JobNo;
        warp->SetWarpType(plan.WarpType);
        warp->SetWarpCol(plan.WarpCol);
        warp->SetWarpLen(plan.WarpLen);
        job = std::move(warp);
        break;
    }
    case TVxPlanJobKind::Downtime: {
        auto downtime = std::make_unique<TVxDowntimeJob>();
        downtime->JobNo = plan.JobNo;
        downtime->SetDescr(plan.Descr);
        job = std::move(downtime);
        break;
    }
    }
    job->SetStartDate(plan.StartDate);
    job->SetFinishDate(plan.FinishDate);
    return job;
}

void TBoardPlan::fillLoom(TVxJobSchedule* schedule, const TVxPlanLoom& loom) {
    const TVxWeaveContext context = m_main.WeaveContext();
    schedule->ClearJobs(true);
    for (const TVxPlanJob& plan : loom.Jobs) {
        // The column owns the job from here, also when a handler throws.
        TVxJob* job = MakeJob(plan).release();
        schedule->InsertJob(job);
        SetJobMenuCaptions(job);
        for (const TVxPlanItem& item : plan.Items)
            AddWeaveItem(job, item.ItemNo, item.FabricStru, item.FabricCol, item.WeftCol,
                         item.Pieces);
        UpdateCapacity(job, context);
    }
    // The ends of the nearest reed above each job: what the rules compare a
    // warp with when it is placed or moved.
    int ends = 0;
    for (int i = 0; i < schedule->JobCount(); ++i) {
        TVxJob* job = schedule->Jobs(i);
        if (auto* reed = dynamic_cast<TVxReedJob*>(job)) ends = reed->TotalEnds();
        job->Tag = ends;
        job->SetExpanded(loom.Jobs[i].Expanded);
    }
    schedule->Restack();
}

void TBoardPlan::finishLoom(TVxJobSchedule* schedule, const QString& startDate) {
    // The footer is written here: the handlers leave it alone during a bulk
    // pass.
    TVxWeaveContext context = m_main.WeaveContext();
    context.BulkUpdate = nullptr;
    UpdateFooter(schedule, context);
    if (m_main.LoomStartDates) {
        // A plan that does not know the loom's start (a stored scenario) takes
        // its first job's.
        if (!startDate.isEmpty())
            m_main.LoomStartDates->SetDateOf(schedule, startDate);
        else
            m_main.SetLoomStartDate(schedule,
                                    schedule->JobCount() > 0 ? schedule->Jobs(0)->StartDate() : 0);
    }
    schedule->ResizeSchedule();
}

void TBoardPlan::ShowLoom(TVxJobSchedule* schedule, const TVxPlanLoom& loom) {
    const bool modified = m_main.Modified;
    const int scrollPos = schedule->JobArea()->ScrollPos();
    {
        TVxFlagGuard bulk(m_main.BulkUpdate);
        TPaintHold hold(schedule);
        fillLoom(schedule, loom);
        finishLoom(schedule, loom.StartDate);
        // The column stays where the planner was looking, as far as it can.
        schedule->JobArea()->SetScrollPos(scrollPos);
    }
    m_main.Modified = modified;
}

void TBoardPlan::Show(const TVxPlan& plan) {
    const bool modified = m_main.Modified;
    {
        TVxFlagGuard bulk(m_main.BulkUpdate);
        TPaintHold hold(m_main.ScheduleBox);
        const TVxPlanLoom empty;
        for (int i = 0; i < m_main.ScheduleBox->ScheduleCount(); ++i) {
            TVxJobSchedule* schedule = m_main.ScheduleBox->Schedules(i);
            const TVxPlanLoom* loom = plan.Loom(schedule->ScheduleNo);
            ShowLoom(schedule, loom ? *loom : empty);
        }
        m_main.NextJobNo = plan.NextJobNo;
        m_main.NextItemNo = plan.NextItemNo;
    }
    m_main.Modified = modified;
}
