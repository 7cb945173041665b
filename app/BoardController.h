// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The board's controller: answers the loom columns' questions and turns the
// planner's intents into edits of the plan document. It checks the rules on
// plan values, runs the job and fabric dialogs, and pushes one named command
// per change; the board redraws itself from the document (TBoardView). A
// cancelled dialog, a refused drop or a vetoed delete pushes nothing.
//
// The verdict functions take plan values only, so a drag preview or a
// shading of the places a job may go asks the same questions.

#include "BoardView.h"
#include "VxWeaRules.h"

#include <QObject>
#include <functional>
#include <memory>

class QWidget;
class TItemForm;
class TJobForm;
class TVxJob;
class TVxJobItem;
class TVxJobSchedule;
class TVxPlanCommand;

class TBoardController : public QObject {
    Q_OBJECT
public:
    TBoardController(TVxPlanDocument& doc, TBoardView& view, QWidget* window);

    // The dialogs (none in some tests: then adding and editing fail with a
    // message) and the default warp length offered for a new warp.
    TJobForm* JobForm = nullptr;
    TItemForm* ItemForm = nullptr;
    int DefaultWarpLen = 0;
    // Where refusals are explained (the status bar).
    std::function<void(const QString&)> ShowStatus;

    // Hands the column's events to this controller.
    void Bind(TVxJobSchedule* schedule);

    // Verdicts on plan values. A job from `from` to stand at toIndex on loom
    // toLoom (counted without the job when it stays on its loom).
    TVxDragVerdict JobMoveVerdict(const TVxJobPlace& from, int toLoom, int toIndex) const;
    // The item at `item` of the job at `from` over the job at `to` (to.Index
    // -1: over no job).
    TVxDragVerdict ItemMoveVerdict(const TVxJobPlace& from, int item, const TVxJobPlace& to) const;
    // Why the job may not be deleted, or empty.
    QString RemoveRefusal(const TVxJobPlace& place) const;

    // The edits a drop would make, as the drop events give it: the very
    // commands DoJobDrop and DoItemDrop push, so a preview of one shows
    // what the drop does.
    std::unique_ptr<TVxPlanCommand> JobDropCommand(TVxJobSchedule* Schedule, TVxJob* Job,
                                                   int Index) const;
    std::unique_ptr<TVxPlanCommand> ItemDropCommand(TVxJob* Job, TVxJobItem* Item, int Index) const;

    // The columns' events.
    void DoJobAdd(TVxJobSchedule* Schedule);
    void DoJobEdit(TVxJobSchedule* Schedule, TVxJob* Job);
    void DoItemAdd(TVxJobSchedule* Schedule, TVxJob* Job);
    void DoItemEdit(TVxJobSchedule* Schedule, TVxJob* Job, TVxJobItem* Item);
    void JobDragOver(TVxJobSchedule* Schedule, TVxJob* Job, int Index, bool& Accept);
    void ItemDragOver(TVxJobSchedule* Schedule, TVxJob* Job, TVxJobItem* Item, int Index,
                      bool& Accept);
    void DoJobDrop(TVxJobSchedule* Schedule, TVxJob* Job, int Index);
    void DoItemDrop(TVxJobSchedule* Schedule, TVxJob* Job, TVxJobItem* Item, int Index);
    void DoJobRemove(TVxJobSchedule* Schedule, TVxJob* Job);
    void DoItemRemove(TVxJobSchedule* Schedule, TVxJob* Job, TVxJobItem* Item);
    void DoJobsClear(TVxJobSchedule* Schedule);
    void DoItemsClear(TVxJobSchedule* Schedule, TVxJob* Job);

private:
    TJobForm* jobForm() const;
    TItemForm* itemForm() const;
    // The drop position of a drag-over question as the drop will report it.
    int dropIndex(const TVxJobPlace& from, int toLoom, int overIndex) const;
    void reportStatus(const QString& text) const;
    // Shows the refusal and asks "Delete this job?"; true on Yes.
    bool confirmRemove(const TVxJobPlace& place) const;

    TVxPlanDocument& m_doc;
    TBoardView& m_view;
    QWidget* m_window;
};
