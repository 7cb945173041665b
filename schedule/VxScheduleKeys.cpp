// SPDX-License-Identifier: GPL-3.0-or-later
// The selection of a job or item and what the keys do with it.

#include "VxDragTracker.h"
#include "VxSched.h"
#include "VxSchedMetrics.h"

#include <QKeyEvent>
#include <QPointer>
#include <QScrollBar>
#include <algorithm>
#include <optional>

TVxSelection& TVxJobSchedule::selection() const {
    return m_box ? m_box->m_selection : m_selection;
}

void TVxJobSchedule::Select(QObject* element, bool scrollIntoView) {
    TVxSelection& selection = this->selection();
    const bool changed = selection.Element() != element;
    if (TVxJob* before = selection.Job()) before->Changed();
    selection.Set(element);
    if (TVxJob* job = selection.Job()) {
        job->Changed();
        TVxJobSchedule* column = job->Schedule();
        if (column && scrollIntoView) column->ShowElement(element);
    }
    if (changed && m_box && m_box->OnSelect) m_box->OnSelect(m_box);
}

void TVxJobSchedule::ShowElement(const QObject* element) {
    const auto* job = dynamic_cast<const TVxJob*>(element);
    m_jobArea->ShowRange(VxElementTop(element), job ? job->Height() : kBoxRowHeight);
    if (m_box) m_box->ShowSchedule(this);
}

TVxJobSchedule* TVxJobSchedule::neighbour(TVxKeyStep step) const {
    if (!m_box) return nullptr;
    const auto& columns = m_box->m_schedules;
    const auto it = std::find(columns.begin(), columns.end(), this);
    if (it == columns.end()) return nullptr;
    if (step == TVxKeyStep::Left) return it == columns.begin() ? nullptr : *(it - 1);
    return it + 1 == columns.end() ? nullptr : *(it + 1);
}

namespace {
// Where an element of one column stands level with in another, in that
// column's content coordinates: the same height on screen.
int levelIn(const TVxJobSchedule* from, const TVxJobSchedule* to, const QObject* element) {
    return VxElementTop(element) - from->JobArea()->ScrollPos() + to->JobArea()->ScrollPos();
}

// The job level with an element in another column, or its last job.
TVxJob* jobBeside(const TVxJobSchedule* from, const TVxJobSchedule* to, const QObject* element) {
    if (to->JobCount() == 0) return nullptr;
    TVxJob* job = VxJobLevelWith(to, levelIn(from, to, element));
    return job ? job : to->Jobs(to->JobCount() - 1);
}
} // namespace

void TVxJobSchedule::SelectStep(TVxKeyStep step) {
    QObject* current = Selected();
    TVxJob* job = SelectedJob();
    if (!current || !job || !job->Schedule()) {
        // Nothing chosen yet: the keys start at the top of this column.
        if (JobCount() > 0) Select(Jobs(0));
        return;
    }
    TVxJobSchedule* home = job->Schedule();
    QObject* next = nullptr;
    switch (step) {
    case TVxKeyStep::Up:
        next = VxElementBefore(current);
        break;
    case TVxKeyStep::Down:
        next = VxElementAfter(current);
        break;
    case TVxKeyStep::Left:
    case TVxKeyStep::Right:
        // Columns without jobs are passed over.
        for (TVxJobSchedule* column = home->neighbour(step); column && !next;
             column = column->neighbour(step))
            next = jobBeside(home, column, current);
        break;
    }
    if (next) Select(next);
}

bool TVxJobSchedule::MoveSelected(TVxKeyStep step) {
    TVxJob* job = SelectedJob();
    if (!job || !job->Schedule()) return false;
    return VxKeyMoveStep(Selected(), step);
}

void TVxJobSchedule::RemoveSelected() {
    TVxJob* job = SelectedJob();
    if (!job || !job->Schedule()) return;
    TVxJobSchedule* home = job->Schedule();
    if (TVxJobItem* item = SelectedItem()) {
        if (!VxCaptionUsable(item->MenuCaptions().RemoveItem)) return;
        const int index = job->IndexOfItem(item);
        const QPointer<TVxJob> owner(job);
        item->ExecuteRemoveItem();
        // The selection stays in place: the next item, else the one before,
        // else the job.
        if (Selected() || !owner) return;
        if (owner->ItemCount() == 0)
            home->Select(owner);
        else
            home->Select(owner->Items(std::min(index, owner->ItemCount() - 1)));
        return;
    }
    if (!VxCaptionUsable(job->MenuCaptions().RemoveJob)) return;
    const int index = home->IndexOfJob(job);
    job->ExecuteRemoveJob();
    if (!Selected() && home->JobCount() > 0)
        home->Select(home->Jobs(std::min(index, home->JobCount() - 1)));
}

void TVxJobSchedule::EditSelected() {
    TVxJob* job = SelectedJob();
    if (!job || !job->Schedule()) return;
    if (TVxJobItem* item = SelectedItem()) {
        if (VxCaptionUsable(item->MenuCaptions().EditItem)) item->ExecuteEditItem();
    } else if (VxCaptionUsable(job->MenuCaptions().EditJob)) {
        job->ExecuteEditJob();
    }
}

void TVxJobSchedule::keyPressEvent(QKeyEvent* event) {
    if (!m_jobArea->KeyPress(event)) QFrame::keyPressEvent(event);
}

// ===========================================================================
// The job area: keys, and scrolling a band into view

void TVxJobArea::ShowRange(int top, int height) {
    UpdateScrollRange();
    const int pos = ScrollPos();
    const int view = viewport()->height();
    if (top < pos)
        SetScrollPos(top);
    else if (top + height > pos + view)
        SetScrollPos(std::min(top, top + height - view));
}

namespace {
std::optional<TVxKeyStep> arrowStep(int key) {
    switch (key) {
    case Qt::Key_Up:
        return TVxKeyStep::Up;
    case Qt::Key_Down:
        return TVxKeyStep::Down;
    case Qt::Key_Left:
        return TVxKeyStep::Left;
    case Qt::Key_Right:
        return TVxKeyStep::Right;
    default:
        return std::nullopt;
    }
}
} // namespace

bool TVxJobArea::KeyPress(QKeyEvent* event) {
    // A job on its way to a drop stays where the mouse holds it.
    if (VxScheduleDragActive()) return false;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const std::optional<TVxKeyStep> step = arrowStep(event->key());
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    TVxJobSchedule* s = m_schedule;
    std::function<void()> action;
    if (step && modifiers == Qt::NoModifier)
        action = [s, step] { s->SelectStep(*step); };
    else if (step && modifiers == Qt::AltModifier)
        action = [s, step] { s->MoveSelected(*step); };
    else if (event->key() == Qt::Key_Delete && modifiers == Qt::NoModifier)
        action = [s] { s->RemoveSelected(); };
    else if (enter && modifiers == Qt::NoModifier)
        action = [s] { s->EditSelected(); };
    else
        return false;
    const bool focused = s->hasFocus();
    VxGuard(s, action);
    // The keys follow the selection into the column that holds it now.
    TVxJob* job = s->SelectedJob();
    if (focused && job && job->Schedule() && job->Schedule() != s)
        job->Schedule()->setFocus(Qt::OtherFocusReason);
    return true;
}
