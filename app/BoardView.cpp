// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardView.h"

#include "VxAbort.h"
#include "VxSched.h"
#include "VxWeaPlan.h"
#include "VxWeaSch.h"

#include <QScrollBar>
#include <QTimer>
#include <algorithm>

namespace {
// Columns drawn per turn of the event loop while the board waits, and the
// pause between turns: each turn stays well within a frame, and the first
// paint of the columns in view comes before them.
const int kColumnsPerTurn = 4;
const int kTurnPauseMsec = 15;
} // namespace

TBoardView::TBoardView(TVxScheduleBox* box, TVxPlanDocument& doc, QObject* parent)
    : QObject(parent), m_box(box), m_doc(doc) {
    connect(&doc, &TVxPlanDocument::LoomsChanged, this, &TBoardView::Redraw);
    connect(box->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { drawInView(); });
}

int TBoardView::LoomOf(const TVxJobSchedule* schedule) const {
    for (int i = 0; i < m_box->ScheduleCount(); ++i)
        if (m_box->Schedules(i) == schedule) return i;
    return -1;
}

TVxJobSchedule* TBoardView::Column(int loom) const {
    return loom >= 0 && loom < m_box->ScheduleCount() ? m_box->Schedules(loom) : nullptr;
}

TVxJobPlace TBoardView::PlaceOf(const TVxJob* job) const {
    const TVxJobSchedule* schedule = job ? job->Schedule() : nullptr;
    const int loom = LoomOf(schedule);
    if (loom < 0 || loom >= m_doc.plan().Looms.size())
        throw EVxError(tr("The job is not on a loom of the plan"));
    return {loom, schedule->IndexOfJob(job)};
}

int TBoardView::ItemIndexOf(const TVxJobItem* item) const {
    return item && item->Job() ? item->Job()->IndexOfItem(item) : -1;
}

const TVxPlanLoom& TBoardView::Loom(const TVxJobSchedule* schedule) const {
    const int loom = LoomOf(schedule);
    if (loom < 0 || loom >= m_doc.plan().Looms.size())
        throw EVxError(tr("The column is not a loom of the plan"));
    return m_doc.plan().Looms[loom];
}

const TVxPlanJob& TBoardView::Job(const TVxJob* job) const {
    const TVxJobPlace place = PlaceOf(job);
    return m_doc.plan().Looms[place.Loom].Jobs.at(place.Index);
}

TBoardView::Chosen TBoardView::chosen() const {
    Chosen c;
    const TVxJobSchedule* any = m_box->ScheduleCount() > 0 ? m_box->Schedules(0) : nullptr;
    const TVxJob* job = any ? any->SelectedJob() : nullptr;
    if (!job || !job->Schedule()) return c;
    c.Place = {LoomOf(job->Schedule()), job->Schedule()->IndexOfJob(job)};
    c.JobNo = job->JobNo;
    if (c.Place.Loom >= 0 && c.Place.Loom < m_doc.plan().Looms.size()) {
        // The plan already holds the change; the board still shows the job
        // as it was, so its kind is read from its drawing.
        if (dynamic_cast<const TVxReedJob*>(job))
            c.Kind = TVxPlanJobKind::Reed;
        else if (dynamic_cast<const TVxWeaveJob*>(job))
            c.Kind = TVxPlanJobKind::Warp;
        else
            c.Kind = TVxPlanJobKind::Downtime;
    }
    if (const TVxJobItem* item = any->SelectedItem()) {
        c.ItemNo = item->ItemNo;
        c.ItemIndex = job->IndexOfItem(item);
    }
    return c;
}

void TBoardView::choose(const Chosen& c) {
    if (c.Place.Loom < 0 || m_box->ScheduleCount() == 0) return;
    const TVxPlan& plan = m_doc.plan();
    // A fabric is known by its own number wherever it went, a job by its
    // number and kind.
    for (int l = 0; l < plan.Looms.size() && l < m_box->ScheduleCount(); ++l)
        for (int j = 0; j < plan.Looms[l].Jobs.size(); ++j) {
            const TVxPlanJob& job = plan.Looms[l].Jobs[j];
            TVxJob* drawn = m_box->Schedules(l)->Jobs(j);
            if (c.ItemNo == 0 && job.JobNo == c.JobNo && job.Kind == c.Kind) {
                m_box->Schedules(l)->Select(drawn);
                return;
            }
            for (int i = 0; c.ItemNo != 0 && i < job.Items.size(); ++i)
                if (job.Items[i].ItemNo == c.ItemNo) {
                    m_box->Schedules(l)->Select(drawn->Items(i));
                    return;
                }
        }
    // Gone: the place it left, as the keys' removal keeps it (the next item,
    // else the one before, else its job; the next job, else the one before).
    TVxJobSchedule* column = Column(c.Place.Loom);
    if (!column || column->JobCount() == 0) return;
    TVxJob* job = column->Jobs(std::min(c.Place.Index, column->JobCount() - 1));
    if (c.ItemIndex >= 0 && job->JobNo == c.JobNo && job->ItemCount() > 0)
        column->Select(job->Items(std::min(c.ItemIndex, job->ItemCount() - 1)));
    else
        column->Select(job);
}

void TBoardView::Redraw(const QVector<int>& looms) {
    const TVxPlan& plan = m_doc.plan();
    m_waiting.resize(std::max(m_box->ScheduleCount(), int(plan.Looms.size())));
    QVector<int> now;
    for (int loom = 0; loom < plan.Looms.size(); ++loom) {
        if (!looms.isEmpty() && !looms.contains(loom)) continue;
        // What is not seen is drawn later.
        if (m_box->isVisible() && !inView(loom))
            m_waiting[loom] = true;
        else
            now << loom;
    }
    draw(now);
    if (m_waiting.contains(true)) drawLater();
}

void TBoardView::DrawAll() {
    QVector<int> waiting;
    for (int loom = 0; loom < m_waiting.size(); ++loom)
        if (m_waiting[loom]) waiting << loom;
    draw(waiting);
}

bool TBoardView::Drawn() const {
    return !m_waiting.contains(true);
}

bool TBoardView::inView(int loom) const {
    const TVxJobSchedule* column = Column(loom);
    if (!column) return false;
    const int left = column->x();
    return left < m_box->viewport()->width() && left + column->width() > 0;
}

void TBoardView::drawInView() {
    QVector<int> shown;
    for (int loom = 0; loom < m_waiting.size(); ++loom)
        if (m_waiting[loom] && inView(loom)) shown << loom;
    draw(shown);
}

void TBoardView::drawLater() {
    if (m_drawLaterQueued) return;
    m_drawLaterQueued = true;
    QTimer::singleShot(kTurnPauseMsec, this, [this] {
        m_drawLaterQueued = false;
        QVector<int> some;
        for (int loom = 0; loom < m_waiting.size() && some.size() < kColumnsPerTurn; ++loom)
            if (m_waiting[loom]) some << loom;
        draw(some);
        if (!Drawn()) drawLater();
    });
}

void TBoardView::draw(const QVector<int>& looms) {
    if (looms.isEmpty()) return;
    const Chosen c = chosen();
    const TVxPlan& plan = m_doc.plan();
    std::vector<TVxLoomDrawing> drawings;
    for (int loom : looms) {
        if (loom < m_waiting.size()) m_waiting[loom] = false;
        if (TVxJobSchedule* column = Column(loom)) drawings.push_back({column, &plan.Looms[loom]});
    }
    // Painting waits for the event loop, so the columns are painted once,
    // and only those whose jobs changed.
    VxShowLooms(drawings, m_doc.Refs());
    // A job's Tag holds the ends of the reed over it, for callers that read
    // it; the program's own rules take them from the plan.
    for (const TVxLoomDrawing& drawing : drawings)
        for (int i = 0; i < drawing.Schedule->JobCount(); ++i)
            drawing.Schedule->Jobs(i)->Tag = ReedEndsAt(*drawing.Loom, i);
    // The chosen job or item is drawn by the same object as before, unless
    // it went; then the place it left is chosen.
    const TVxJobSchedule* any = m_box->ScheduleCount() > 0 ? m_box->Schedules(0) : nullptr;
    if (any && !any->Selected()) choose(c);
    if (OnDrawn) OnDrawn(looms);
}
