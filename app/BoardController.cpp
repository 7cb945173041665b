// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardController.h"

#include "ItemForm.h"
#include "JobForm.h"
#include "VxAbort.h"
#include "VxCalend.h"
#include "VxDialogs.h"
#include "VxPlanCommand.h"
#include "VxSched.h"
#include "VxWeaPlan.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <type_traits>
#include <vector>

namespace {
const QString kDefaultWarpLen = QStringLiteral("2400");

template <class T> void hold(std::vector<QPointer<QObject>>& held, const T& arg) {
    if constexpr (std::is_pointer_v<T> && std::is_base_of_v<QObject, std::remove_pointer_t<T>>)
        held.emplace_back(arg);
}

// Forwards a column event to a handler of the controller. The board shows
// every loom as the plan has it first; a job or item the event names that
// went on the way cancels the event.
template <class... Args>
auto Bind(TBoardController* controller, TBoardView* view,
          void (TBoardController::*handler)(Args...)) {
    return [controller, view, handler](Args... args) {
        if (!view->Drawn()) {
            std::vector<QPointer<QObject>> held;
            (hold(held, args), ...);
            view->DrawAll();
            for (const QPointer<QObject>& object : held)
                if (!object) VxAbort();
        }
        (controller->*handler)(args...);
    };
}
} // namespace

TBoardController::TBoardController(TVxPlanDocument& doc, TBoardView& view, QWidget* window)
    : QObject(window), m_doc(doc), m_view(view), m_window(window) {}

void TBoardController::Bind(TVxJobSchedule* schedule) {
    schedule->OnDoJobAdd = ::Bind(this, &m_view, &TBoardController::DoJobAdd);
    schedule->OnDoJobEdit = ::Bind(this, &m_view, &TBoardController::DoJobEdit);
    schedule->OnDoItemAdd = ::Bind(this, &m_view, &TBoardController::DoItemAdd);
    schedule->OnDoItemEdit = ::Bind(this, &m_view, &TBoardController::DoItemEdit);
    schedule->OnJobDragOver = ::Bind(this, &m_view, &TBoardController::JobDragOver);
    schedule->OnItemDragOver = ::Bind(this, &m_view, &TBoardController::ItemDragOver);
    schedule->OnDoJobDrop = ::Bind(this, &m_view, &TBoardController::DoJobDrop);
    schedule->OnDoItemDrop = ::Bind(this, &m_view, &TBoardController::DoItemDrop);
    schedule->OnDoJobRemove = ::Bind(this, &m_view, &TBoardController::DoJobRemove);
    schedule->OnDoItemRemove = ::Bind(this, &m_view, &TBoardController::DoItemRemove);
    schedule->OnDoJobsClear = ::Bind(this, &m_view, &TBoardController::DoJobsClear);
    schedule->OnDoItemsClear = ::Bind(this, &m_view, &TBoardController::DoItemsClear);
}

TJobForm* TBoardController::jobForm() const {
    if (!JobForm) throw EVxError(tr("The job dialog is not available"));
    return JobForm;
}

TItemForm* TBoardController::itemForm() const {
    if (!ItemForm) throw EVxError(tr("The fabric dialog is not available"));
    return ItemForm;
}

void TBoardController::reportStatus(const QString& text) const {
    if (ShowStatus) ShowStatus(text);
}

// ---------------------------------------------------------------------------
// Verdicts

TVxDragVerdict TBoardController::JobMoveVerdict(const TVxJobPlace& from, int toLoom,
                                                int toIndex) const {
    return m_doc.Rules().JobMoveVerdict(m_doc.plan(), from, toLoom, toIndex);
}

TVxDragVerdict TBoardController::ItemMoveVerdict(const TVxJobPlace& from, int item,
                                                 const TVxJobPlace& to) const {
    const TVxPlan& plan = m_doc.plan();
    const TVxPlanItem& moved = plan.Looms.at(from.Loom).Jobs.at(from.Index).Items.at(item);
    const bool sameJob = from.Loom == to.Loom && from.Index == to.Index;
    return m_doc.Rules().ItemDropVerdict(plan.Looms.at(to.Loom), to.Index, moved, sameJob);
}

QString TBoardController::RemoveRefusal(const TVxJobPlace& place) const {
    const TVxPlanLoom& loom = m_doc.plan().Looms.at(place.Loom);
    if (loom.Jobs.at(place.Index).Kind == TVxPlanJobKind::Reed &&
        ReedHasWarpBelow(loom, place.Index))
        return tr("First delete all the warp jobs on this reed before you can delete it.");
    return QString();
}

int TBoardController::dropIndex(const TVxJobPlace& from, int toLoom, int overIndex) const {
    // The column puts a job dropped on another job in that job's place (a
    // move within the column takes it out first), and one dropped below the
    // jobs at the end.
    const int count = m_doc.plan().Looms.at(toLoom).Jobs.size() - (toLoom == from.Loom ? 1 : 0);
    return overIndex < 0 ? count : std::min(overIndex, count);
}

// ---------------------------------------------------------------------------
// Drag and drop, and the keys' moves

void TBoardController::JobDragOver(TVxJobSchedule* Schedule, TVxJob* Job, int Index, bool& Accept) {
    const TVxJobPlace from = m_view.PlaceOf(Job);
    const int toLoom = m_view.LoomOf(Schedule);
    const TVxDragVerdict verdict = JobMoveVerdict(from, toLoom, dropIndex(from, toLoom, Index));
    Accept = verdict.Accept;
    if (verdict.Status)
        reportStatus(*verdict.Status);
    else if (!Accept && !VxScheduleDragActive())
        // A move made with the keys has no refusing cursor: it is told why.
        reportStatus(verdict.Reason);
}

void TBoardController::ItemDragOver(TVxJobSchedule* Schedule, TVxJob* Job, TVxJobItem* Item, int,
                                    bool& Accept) {
    const TVxJobPlace from = m_view.PlaceOf(Item->Job());
    const TVxJobPlace to = Job ? m_view.PlaceOf(Job) : TVxJobPlace{m_view.LoomOf(Schedule), -1};
    const TVxDragVerdict verdict = ItemMoveVerdict(from, m_view.ItemIndexOf(Item), to);
    Accept = verdict.Accept;
    if (verdict.Status) reportStatus(*verdict.Status);
}

std::unique_ptr<TVxPlanCommand> TBoardController::JobDropCommand(TVxJobSchedule* Schedule,
                                                                 TVxJob* Job, int Index) const {
    return std::make_unique<TVxMoveJobCommand>(m_doc, m_view.PlaceOf(Job), m_view.LoomOf(Schedule),
                                               Index);
}

std::unique_ptr<TVxPlanCommand> TBoardController::ItemDropCommand(TVxJob* Job, TVxJobItem* Item,
                                                                  int Index) const {
    return std::make_unique<TVxMoveItemCommand>(
        m_doc, m_view.PlaceOf(Item->Job()), m_view.ItemIndexOf(Item), m_view.PlaceOf(Job), Index);
}

void TBoardController::DoJobDrop(TVxJobSchedule* Schedule, TVxJob* Job, int Index) {
    const TVxJobPlace from = m_view.PlaceOf(Job);
    if (!JobMoveVerdict(from, m_view.LoomOf(Schedule), Index).Accept) return;
    m_doc.Push(JobDropCommand(Schedule, Job, Index).release());
}

void TBoardController::DoItemDrop(TVxJobSchedule*, TVxJob* Job, TVxJobItem* Item, int Index) {
    const TVxJobPlace from = m_view.PlaceOf(Item->Job());
    if (!ItemMoveVerdict(from, m_view.ItemIndexOf(Item), m_view.PlaceOf(Job)).Accept) return;
    m_doc.Push(ItemDropCommand(Job, Item, Index).release());
}

// ---------------------------------------------------------------------------
// Removing

bool TBoardController::confirmRemove(const TVxJobPlace& place) const {
    const QString refusal = RemoveRefusal(place);
    if (!refusal.isEmpty()) {
        VxDialogs::error(m_window, refusal);
        return false;
    }
    return VxDialogs::confirmDiscard(m_window, tr("Delete this job?")) == QMessageBox::Yes;
}

void TBoardController::DoJobRemove(TVxJobSchedule*, TVxJob* Job) {
    const TVxJobPlace place = m_view.PlaceOf(Job);
    if (confirmRemove(place)) m_doc.Push(new TVxRemoveJobsCommand(m_doc, place));
}

void TBoardController::DoJobsClear(TVxJobSchedule* Schedule) {
    // From the top, each job with its own question; the first refusal or No
    // stops the clearing, and what went before it goes as one step.
    const int loom = m_view.LoomOf(Schedule);
    const int jobs = m_doc.plan().Looms.at(loom).Jobs.size();
    int count = 0;
    while (count < jobs && confirmRemove({loom, count}))
        ++count;
    if (count > 0) m_doc.Push(new TVxRemoveJobsCommand(m_doc, {loom, 0}, count, true));
}

void TBoardController::DoItemRemove(TVxJobSchedule*, TVxJob* Job, TVxJobItem* Item) {
    m_doc.Push(new TVxRemoveItemsCommand(m_doc, m_view.PlaceOf(Job), m_view.ItemIndexOf(Item)));
}

void TBoardController::DoItemsClear(TVxJobSchedule*, TVxJob* Job) {
    m_doc.Push(new TVxRemoveItemsCommand(m_doc, m_view.PlaceOf(Job), -1));
}

// ---------------------------------------------------------------------------
// Adding and editing jobs

void TBoardController::DoJobAdd(TVxJobSchedule* Schedule) {
    TJobForm* form = jobForm();
    const int loomIndex = m_view.LoomOf(Schedule);
    const TVxPlanLoom& loom = m_view.Loom(Schedule);
    form->setWindowTitle(tr("Add Job To %1").arg(Schedule->Header()));
    form->EditedJob.reset();
    form->Refs = m_doc.Refs();
    form->ClearTypes();
    for (const TVxJobTypeEntry& entry : m_doc.Rules().OfferedJobTypes(loom)) {
        if (entry.IsWarp)
            form->AddWarpType(entry.Text, entry.Fabrics);
        else
            form->AddType(entry.Text);
    }
    form->TypeCombo->setEnabled(true);
    form->LengthEdit->setText(DefaultWarpLen != 0 ? QString::number(DefaultWarpLen)
                                                  : kDefaultWarpLen);
    form->EndsCombo->setEnabled(true);
    form->FirstOnLoom = loom.Jobs.isEmpty();
    // A new job follows the last one; on an empty loom it starts today.
    const TDateTime start = form->FirstOnLoom ? VxToday() : loom.Jobs.last().FinishDate;
    form->Calendar->SetSingleDate(false);
    form->Calendar->SetStartDate(start);
    form->Calendar->SetFinishDate(form->FirstOnLoom ? start : start + 2);
    form->ShowLength(false);
    form->ShowEnds(false);
    if (VxDialogs::exec(form) != QDialog::Accepted) return;

    // Read every number before anything changes, so a bad text adds nothing.
    TVxPlanJob job;
    const QString type = form->SelectedType();
    if (form->SelectedHasFabrics()) {
        job.Kind = TVxPlanJobKind::Warp;
        job.WarpType = WarpTypeOf(type);
        job.WarpCol = WarpColOf(type);
        job.WarpLen = form->Length();
    } else if (type == VxReedText()) {
        if (form->EndsCombo->currentIndex() < 0)
            throw EVxError(tr("Choose the number of ends for the reed"));
        job.Kind = TVxPlanJobKind::Reed;
        job.TotalEnds = form->Ends();
        job.DentsPerCm = 6.5f;
    } else {
        job.Kind = TVxPlanJobKind::Downtime;
        job.Descr = type;
    }
    job.StartDate = form->Calendar->StartDate();
    job.FinishDate = form->Calendar->FinishDate();
    m_doc.Push(new TVxAddJobCommand(m_doc, loomIndex, job));
}

void TBoardController::DoJobEdit(TVxJobSchedule* Schedule, TVxJob* Job) {
    TJobForm* form = jobForm();
    const TVxJobPlace place = m_view.PlaceOf(Job);
    const TVxPlanLoom& loom = m_view.Loom(Schedule);
    const TVxPlanJob old = loom.Jobs.at(place.Index);
    const bool warp = old.Kind == TVxPlanJobKind::Warp;
    const bool reed = old.Kind == TVxPlanJobKind::Reed;
    const QString kind = PlanJobKindText(old);
    form->setWindowTitle(tr("Edit %1 On %2").arg(kind, Schedule->Header()));
    form->EditedJob = old;
    form->Refs = m_doc.Refs();
    form->ClearTypes();
    form->AddType(kind);
    form->SelectType(0);
    form->TypeCombo->setEnabled(false);
    form->ShowLength(warp);
    if (warp) form->LengthEdit->setText(QString::number(old.WarpLen));
    form->ShowEnds(reed);
    if (reed)
        form->EndsCombo->setCurrentIndex(form->EndsCombo->findText(QString::number(old.TotalEnds)));
    // A reed with jobs below it keeps its ends: they were placed by them.
    form->EndsCombo->setEnabled(place.Index == loom.Jobs.size() - 1);
    form->FirstOnLoom = place.Index == 0;
    form->Calendar->SetSingleDate(reed);
    form->Calendar->SetStartDate(old.StartDate);
    form->Calendar->SetFinishDate(old.FinishDate);

    TVxPlanJob job = old;
    if (VxDialogs::exec(form) == QDialog::Accepted) {
        if (warp) job.WarpLen = form->Length();
        if (reed && form->EndsCombo->isEnabled() && form->EndsCombo->currentIndex() >= 0)
            job.TotalEnds = form->Ends();
    }
    // The dates chosen in the calendar apply however the dialog closed; a
    // dialog that changed nothing leaves no step.
    if (form->FirstOnLoom) job.StartDate = form->Calendar->StartDate();
    job.FinishDate = form->Calendar->FinishDate();
    m_doc.Push(new TVxEditJobCommand(m_doc, place, job));
}

// ---------------------------------------------------------------------------
// Adding and editing fabric items

void TBoardController::DoItemAdd(TVxJobSchedule* Schedule, TVxJob* Job) {
    TItemForm* form = itemForm();
    const TVxJobPlace place = m_view.PlaceOf(Job);
    const TVxPlanJob& warp = m_view.Job(Job);
    if (warp.Kind != TVxPlanJobKind::Warp) throw EVxError(tr("Fabric can only go on a warp"));
    const QString warpKey = PlanWarpKey(warp);
    form->setWindowTitle(tr("Add To %1 On %2").arg(warpKey, Schedule->Header()));
    form->Left = PlanWarpRemaining(warp, m_doc.Refs());
    form->OldPieces = 0;
    form->Refs = m_doc.Refs();
    const TVxPlanLoom& loom = m_view.Loom(Schedule);
    const TFabricList* fabrics = m_doc.Refs().FabricList(loom.LoomType, warpKey);
    if (!fabrics) throw EVxError(tr("Unknown warp: %1").arg(warpKey));
    form->SetFabrics(fabrics->Keys());
    form->PiecesEdit->setText(QStringLiteral("1"));
    if (VxDialogs::exec(form) != QDialog::Accepted) return;

    const QString key = form->SelectedFabric();
    TVxPlanItem item;
    item.FabricStru = FabricStruOf(key);
    item.FabricCol = FabricColOf(key);
    item.WeftCol = WeftColOf(key);
    item.Pieces = form->Pieces();
    m_doc.Push(new TVxAddItemCommand(m_doc, place, item));
}

void TBoardController::DoItemEdit(TVxJobSchedule*, TVxJob* Job, TVxJobItem* Item) {
    TItemForm* form = itemForm();
    const TVxJobPlace place = m_view.PlaceOf(Job);
    const int index = m_view.ItemIndexOf(Item);
    const TVxPlanJob& warp = m_view.Job(Job);
    if (index < 0 || index >= warp.Items.size())
        throw EVxError(tr("Only fabric items can be edited here"));
    const TVxPlanItem item = warp.Items[index];
    form->setWindowTitle(tr("Edit %1 In %2").arg(PlanItemCaption(item), PlanJobKindText(warp)));
    form->Left = PlanWarpRemaining(warp, m_doc.Refs());
    form->OldPieces = item.Pieces;
    form->Refs = m_doc.Refs();
    form->SetFixedFabric(PlanFabricKey(item));
    form->PiecesEdit->setText(QString::number(item.Pieces));
    if (VxDialogs::exec(form) != QDialog::Accepted) return;
    m_doc.Push(new TVxEditItemCommand(m_doc, place, index, form->Pieces()));
}
