// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxSched.h"

#include "JobDlg.h"
#include "VxDialogs.h"
#include "VxFlagGuard.h"
#include "VxJobPainter.h"
#include "VxSchedMetrics.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

TVxJobSchedule::TVxJobSchedule(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    // A click anywhere in the column, or Tab, focuses the column itself
    // (OnEnter, OnExit), which then takes the keys of its jobs and items;
    // its parts take no focus of their own.
    setFocusPolicy(Qt::StrongFocus);
    DateFormat = VxShortDateFormat();
    m_headerRow = new TVxScheduleStrip(this, true);
    m_footerRow = new TVxScheduleStrip(this, false);
    m_jobArea = new TVxJobArea(this);
    // The frame and the rows cover every pixel: the box need not fill the
    // background behind a column first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    ScrollTimer = new QTimer(this);
    ScrollTimer->setInterval(50);
    connect(ScrollTimer, &QTimer::timeout, this, [this] { scrollTick(); });
    resize(m_jobWidth + 6, 200);
    SetJobWidth(112);
}

TVxJobSchedule::~TVxJobSchedule() {
    m_jobs.DeleteAll();
    if (m_box) {
        auto& list = m_box->m_schedules;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

QString TVxJobSchedule::Header() const {
    return m_headerRow->Text();
}
void TVxJobSchedule::SetHeader(const QString& header) {
    m_headerRow->SetText(header);
}
QFont TVxJobSchedule::HeaderFont() const {
    return m_headerRow->Font();
}
void TVxJobSchedule::SetHeaderFont(const QFont& font) {
    m_headerRow->SetFont(font);
}
QColor TVxJobSchedule::HeaderColor() const {
    return m_headerRow->Color();
}
void TVxJobSchedule::SetHeaderColor(const QColor& color) {
    m_headerRow->SetColor(color);
}
QString TVxJobSchedule::Footer() const {
    return m_footerRow->Text();
}
void TVxJobSchedule::SetFooter(const QString& footer) {
    m_footerRow->SetText(footer);
}
QFont TVxJobSchedule::FooterFont() const {
    return m_footerRow->Font();
}
void TVxJobSchedule::SetFooterFont(const QFont& font) {
    m_footerRow->SetFont(font);
}
QColor TVxJobSchedule::FooterColor() const {
    return m_footerRow->Color();
}
void TVxJobSchedule::SetFooterColor(const QColor& color) {
    m_footerRow->SetColor(color);
}

void TVxJobSchedule::layoutRows() {
    const int frame = frameWidth();
    const QRect inner = rect().adjusted(frame, frame, -frame, -frame);
    const int headerHeight = m_headerRow->height();
    const int footerHeight = m_footerRow->height();
    m_headerRow->setGeometry(inner.left(), inner.top(), inner.width(), headerHeight);
    m_footerRow->setGeometry(inner.left(), inner.bottom() + 1 - footerHeight, inner.width(),
                             footerHeight);
    m_jobArea->setGeometry(inner.left(), inner.top() + headerHeight, inner.width(),
                           std::max(0, inner.height() - headerHeight - footerHeight));
}

void TVxJobSchedule::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    layoutRows();
    ResizeSchedule();
}

void TVxJobSchedule::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    TVxJobPainter::DrawPanelFrame(painter, event->region(), rect(), palette(), false, lineWidth());
}

void TVxJobSchedule::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    if (OnEnter) VxGuard(this, [&] { OnEnter(this); });
}

void TVxJobSchedule::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    if (OnExit) VxGuard(this, [&] { OnExit(this); });
}

void TVxJobSchedule::contextMenuEvent(QContextMenuEvent* event) {
    // The column's own frame and the job area's border (whose presses reach
    // the column) open the schedule menu like the rest of the job area.
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    BuildMenu(menu);
    menu->popup(event->globalPos());
}

void TVxJobSchedule::SetExpanded(bool expanded) {
    m_expanded = expanded;
    for (TVxJob* job : m_jobs)
        job->SetExpanded(expanded);
    Restack();
    ResizeSchedule();
}

void TVxJobSchedule::SetAdjustWidth(bool adjust) {
    m_adjustWidth = adjust;
    ResizeSchedule();
}

void TVxJobSchedule::SetJobWidth(int width) {
    m_jobWidth = width;
    ResizeSchedule();
}

void TVxJobSchedule::SetScheduleWidth(int width) {
    m_jobWidth += width - this->width();
    resize(width, height());
    ResizeSchedule();
}

int TVxJobSchedule::ScrollInterval() const {
    return ScrollTimer->interval();
}

void TVxJobSchedule::SetScrollInterval(int msec) {
    ScrollTimer->setInterval(msec);
}

TVxJob* TVxJobSchedule::NewJob() {
    auto* job = new TVxJob;
    InsertJob(job);
    return job;
}

TVxJob* TVxJobSchedule::AddJob(int jobNo, const QString& upperCaption, const QString& lowerCaption,
                               TDateTime startDate, TDateTime finishDate) {
    TVxJob* job = nullptr;
    {
        const TVxFlagGuard adding(AddingJob);
        job = NewJob();
    }
    job->JobNo = jobNo;
    job->SetUpperCaption(upperCaption);
    job->SetLowerCaption(lowerCaption);
    job->SetStartDate(startDate);
    job->SetFinishDate(finishDate);
    if (OnAfterJobAdd) OnAfterJobAdd(this, job);
    return job;
}

void TVxJobSchedule::InsertJob(TVxJob* job) {
    stopScrollTimer();
    if (!job || IndexOfJob(job) >= 0) return;
    if (job->m_schedule && job->m_schedule != this) job->m_schedule->RemoveJob(job, false);
    job->m_top = m_jobs.Empty() ? 0 : m_jobs.Last()->Top() + m_jobs.Last()->Height();
    m_jobs.Adopt(job, this);
    job->SetWidth(m_jobWidth);
    job->SetExpanded(m_expanded);
    job->m_menuCaptions.AddItem = m_menuCaptions.AddItem;
    job->m_menuCaptions.ClearItems = m_menuCaptions.ClearItems;
    job->m_menuCaptions.EditJob = m_menuCaptions.EditJob;
    job->m_menuCaptions.RemoveJob = m_menuCaptions.RemoveJob;
    repaintJobs();
    if (!AddingJob && OnAfterJobAdd) OnAfterJobAdd(this, job);
    ResizeSchedule();
    ScrollToJob(job);
}

void TVxJobSchedule::InsertJobAt(int index, TVxJob* job) {
    const bool inserted = m_jobs.PlaceAt(
        index, job,
        [this](TVxJob* added) {
            const TVxFlagGuard adding(AddingJob);
            InsertJob(added);
        },
        [this](int from, int to) { MoveJob(from, to); });
    if (inserted && OnAfterJobAdd) OnAfterJobAdd(this, job);
}

void TVxJobSchedule::DeleteJob(int index, bool freeIt) {
    TVxJob* job = m_jobs.At(index);
    if (OnBeforeJobRemove) OnBeforeJobRemove(this, job);
    if (freeIt && OnBeforeJobFree) OnBeforeJobFree(this, job);
    // A handler may have moved the job; delete whatever is still listed.
    if (!m_jobs.Release(job, freeIt)) return;
    Restack();
    ResizeSchedule();
    stopScrollTimer();
    if (OnAfterJobRemove) OnAfterJobRemove(this);
    if (freeIt && OnAfterJobFree) OnAfterJobFree(this);
}

int TVxJobSchedule::RemoveJob(TVxJob* job, bool freeIt) {
    return m_jobs.RemoveWith(job, [&](int index) { DeleteJob(index, freeIt); });
}

void TVxJobSchedule::ClearJobs(bool freeIt) {
    m_jobs.ClearWith([&](int index) { DeleteJob(index, freeIt); });
}

void TVxJobSchedule::MoveJob(int curIndex, int newIndex) {
    stopScrollTimer();
    m_jobs.Move(curIndex, newIndex);
    Restack();
    ScrollToJob(m_jobs.At(std::min(newIndex, JobCount() - 1)));
}

void TVxJobSchedule::ReplaceJobs(std::vector<std::unique_ptr<TVxJob>> jobs) {
    stopScrollTimer();
    const int scrollPos = m_jobArea->ScrollPos();
    m_jobs.DeleteAll();
    for (std::unique_ptr<TVxJob>& owned : jobs) {
        TVxJob* job = owned.release();
        m_jobs.Adopt(job, this);
        job->m_menuCaptions.AddItem = m_menuCaptions.AddItem;
        job->m_menuCaptions.ClearItems = m_menuCaptions.ClearItems;
        job->m_menuCaptions.EditJob = m_menuCaptions.EditJob;
        job->m_menuCaptions.RemoveJob = m_menuCaptions.RemoveJob;
        for (TVxJobItem* item : job->m_items) {
            item->MenuCaptions().EditItem = m_menuCaptions.EditItem;
            item->MenuCaptions().RemoveItem = m_menuCaptions.RemoveItem;
        }
        job->SetWidth(m_jobWidth);
        job->SetExpanded(job->Expanded() && m_expanded);
    }
    Restack();
    ResizeSchedule();
    m_jobArea->SetScrollPos(scrollPos);
}

std::vector<std::unique_ptr<TVxJob>> TVxJobSchedule::TakeJobs() {
    stopScrollTimer();
    std::vector<std::unique_ptr<TVxJob>> jobs;
    while (!m_jobs.Empty()) {
        TVxJob* job = m_jobs.At(0);
        m_jobs.Release(job, false);
        jobs.emplace_back(job);
    }
    return jobs;
}

void TVxJobSchedule::Restack() {
    m_jobArea->SetScrollPos(0);
    int top = 0;
    for (TVxJob* job : m_jobs) {
        job->m_top = top;
        top += job->m_height;
    }
    m_jobArea->UpdateScrollRange();
    repaintJobs();
}

void TVxJobSchedule::ResizeSchedule() {
    if (Resizing) return;
    const int scrollPos = m_jobArea->ScrollPos();
    const int oldWidth = width();
    int newWidth = m_jobWidth + 6;
    {
        const TVxFlagGuard resizing(Resizing);
        const int scrollBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr,
                                                        m_jobArea->verticalScrollBar());
        if (!m_adjustWidth) {
            newWidth += scrollBarWidth;
        } else if (!m_jobs.Empty()) {
            const TVxJob* last = m_jobs.Last();
            const int lastBottom = last->Top() + last->Height() - scrollPos;
            if (lastBottom + kFreeStripHeight > m_jobArea->viewport()->height())
                newWidth += scrollBarWidth;
        }
        if (newWidth != oldWidth) resize(newWidth, height());
    }
    m_jobArea->UpdateScrollRange();
    if (OnResize) OnResize(this);
    if (!m_jobs.Empty()) m_jobArea->SetScrollPos(scrollPos);
    // The box's pass only re-places columns; it changes nothing unless a
    // width changed, so skip it otherwise (keeps bulk insertion linear).
    if (m_box && newWidth != oldWidth) m_box->ResizeBox();
}

int TVxJobSchedule::JobAreaHeight() const {
    return m_jobArea->height() - 4;
}

void TVxJobSchedule::ScrollToJob(const TVxJob* job) {
    if (!job) return;
    m_jobArea->UpdateScrollRange();
    m_jobArea->SetScrollPos(job->Top());
}

TVxJob* TVxJobSchedule::JobAt(int contentY) const {
    auto it = std::partition_point(m_jobs.begin(), m_jobs.end(), [contentY](const TVxJob* job) {
        return job->Top() <= contentY;
    });
    // Jobs are stacked in list order; look back over a possible overlap.
    while (it != m_jobs.begin()) {
        --it;
        if (contentY < (*it)->Top() + (*it)->Height()) return *it;
        if ((*it)->Top() + (*it)->Height() <= contentY) break;
    }
    return nullptr;
}

QRect TVxJobSchedule::JobDropLine(const TVxJob* job, int newIndex) const {
    const int before = m_jobs.LandingBefore(job, newIndex);
    const int y = before < JobCount() ? m_jobs.At(before)->Top() : m_jobArea->ContentHeight();
    return QRect(0, y - 1, m_jobWidth, 3);
}

void TVxJobSchedule::SetDropMarker(const TVxDropMarker& marker) {
    if (marker == m_dropMarker) return;
    m_dropMarker = marker;
    repaintJobs();
}

void TVxJobSchedule::SetMarks(const TVxColumnMarks& marks) {
    if (marks.IsEmpty() && m_marks.IsEmpty()) return;
    m_marks = marks;
    repaintJobs();
}

void TVxJobSchedule::SetDecoration(const TVxColumnDecoration& decoration) {
    if (decoration == m_decoration) return;
    const bool judged = decoration.Verdict != m_decoration.Verdict;
    m_decoration = decoration;
    repaintJobs();
    // The strips are dimmed with a closed column.
    if (judged && inView()) {
        m_headerRow->update();
        m_footerRow->update();
    }
}

void TVxJobSchedule::repaintJobs() {
    if (m_jobArea && inView()) m_jobArea->viewport()->update();
}

bool TVxJobSchedule::inView() const {
    // A column scrolled out of its box needs no repaint: scrolling it back
    // in exposes it. Skipping it keeps bulk changes cheap.
    if (!isVisible()) return false;
    if (!m_box) return true;
    const int left = x();
    return left < m_box->viewport()->width() && left + width() > 0;
}

void TVxJobSchedule::stopScrollTimer() {
    ScrollTimer->stop();
}

void TVxJobSchedule::scrollTick() {
    const int before = m_jobArea->ScrollPos();
    QScrollBar* bar = m_jobArea->verticalScrollBar();
    m_jobArea->SetScrollPos(ScrollUp ? before - bar->singleStep() : before + bar->singleStep());
    if (m_jobArea->ScrollPos() == before) ScrollTimer->stop();
}

void TVxJobSchedule::ExecuteAddJob() {
    if (OnBeforeJobAdd) OnBeforeJobAdd(this);
    if (OnDoJobAdd) {
        OnDoJobAdd(this);
        return;
    }
    QString upper, lower;
    TDateTime start = VxToday(), finish = VxToday();
    if (VxExecuteJobDialog(this, tr("Add New Job"), this, nullptr, upper, lower, start, finish))
        AddJob(0, upper, lower, start, finish);
}

void TVxJobSchedule::ExecuteClearJobs() {
    if (VxDialogs::confirmDiscard(this, tr("Remove all the jobs from this schedule?"),
                                  VxButtons::YesNoCancel) != QMessageBox::Yes)
        return;
    if (OnDoJobsClear)
        OnDoJobsClear(this);
    else
        ClearJobs(true);
}

void TVxJobSchedule::ToggleExpanded() {
    const bool expanded = !m_expanded;
    if (ExpandAll && parentWidget()) {
        for (QObject* child : parentWidget()->children()) {
            auto* sibling = qobject_cast<TVxJobSchedule*>(child);
            if (sibling && sibling != this) sibling->SetExpanded(expanded);
        }
    }
    SetExpanded(expanded);
}

void TVxJobSchedule::BuildMenu(QMenu* menu) {
    QAction* addJob =
        VxAddMenuAction(menu, m_menuCaptions.AddJob, this, this, &TVxJobSchedule::ExecuteAddJob);
    QAction* clearJobs = VxAddMenuAction(menu, m_menuCaptions.ClearJobs, this, this,
                                         &TVxJobSchedule::ExecuteClearJobs);
    QAction* separator = menu->addSeparator();
    QAction* expanded =
        VxAddMenuAction(menu, m_menuCaptions.Expanded, this, this, &TVxJobSchedule::ToggleExpanded);
    expanded->setCheckable(true);
    expanded->setChecked(m_expanded);
    clearJobs->setEnabled(JobCount() > 0);
    separator->setVisible((addJob->isVisible() || clearJobs->isVisible()) && expanded->isVisible());
}

void TVxJobSchedule::DispatchClick(QObject* clicked) {
    if (auto* item = dynamic_cast<TVxJobItem*>(clicked); item && OnItemClick)
        OnItemClick(this, item->Job(), item);
    else if (auto* job = dynamic_cast<TVxJob*>(clicked); job && OnJobClick)
        OnJobClick(this, job);
    else if (OnClick)
        OnClick(this);
}
