#pragma once
// The board as a plan and a plan on the board.
//
// Reading walks the loom columns; showing rebuilds them through the
// component's own operations (ClearJobs, InsertJob, AddWeaveItem), so the
// main window's handlers run exactly as they do for a user's change, with
// BulkUpdate set so that nothing is re-dated or asked. What the plan does not
// keep (captions, remaining capacity, weaving time, footers, reed ends) is
// recomputed on the way.
//
// Showing never touches Modified: putting a plan on the board is not an edit
// by itself, and the caller (load, undo) knows what it means.

#include "VxPlan.h"

#include <memory>
#include <optional>

class TMainForm;
class TVxJob;
class TVxJobSchedule;

class TBoardPlan {
public:
    explicit TBoardPlan(TMainForm& main) : m_main(main) {}

    // Every column in box order, with the numbers for the next job and item.
    static TVxPlan Read(const TMainForm& main);
    static TVxPlanLoom ReadLoom(const TMainForm& main, const TVxJobSchedule* schedule);

    // Replaces every column: each takes the plan loom of its ScheduleNo, a
    // column without one is emptied, a plan loom without a column is
    // ignored. Sets NextJobNo and NextItemNo. The box repaints once.
    void Show(const TVxPlan& plan);
    // Replaces one column with the loom (its ScheduleNo is not checked).
    void ShowLoom(TVxJobSchedule* schedule, const TVxPlanLoom& loom);

    // One job as plan values; nothing for a job of a kind the plan does not
    // know.
    static std::optional<TVxPlanJob> PlanJob(const TVxJob* job);
    // A new job of the plan job's kind with its number, fields and dates, not
    // yet on a loom and without items.
    static std::unique_ptr<TVxJob> MakeJob(const TVxPlanJob& job);

private:
    void fillLoom(TVxJobSchedule* schedule, const TVxPlanLoom& loom);
    void finishLoom(TVxJobSchedule* schedule, const QString& startDate);

    TMainForm& m_main;
};
