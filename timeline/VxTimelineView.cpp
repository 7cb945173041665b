// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxTimelineView.h"

#include "VxDate.h"
#include "VxTimelineTips.h"

#include <QDateTime>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {
// The zoom's steps, from a year in a small window to a shift a hand wide.
const double kZoomSteps[] = {0.5, 0.75, 1,  1.5, 2,   3,   4,   6,   8,   12,  16,  24,
                             32,  48,   64, 96,  128, 192, 256, 384, 576, 768, 1152};

double now() {
    const QDateTime clock = QDateTime::currentDateTime();
    return VxDayOf(clock.date()) + clock.time().msecsSinceStartOfDay() / 86400000.0;
}
} // namespace

TVxTimelineView::TVxTimelineView(TVxPlanDocument& doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc) {
    setFrameStyle(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_scene.Plan = &doc.plan();
    m_scene.Load = &m_load;
    m_scene.Today = now();
    const double today = std::floor(m_scene.Today);
    m_period = {today - 14, today + 90};
    m_load.Reset(doc.plan(), int(m_period.first), int(m_period.second));
    connect(&doc, &TVxPlanDocument::LoomsChanged, this, &TVxTimelineView::RedrawLooms);
    updateScrollRanges();
}

TVxTimelineGeometry TVxTimelineView::Geometry() const {
    TVxTimelineGeometry g;
    g.PeriodStart = m_period.first;
    g.PeriodEnd = m_period.second + 1;
    g.DayWidth = m_dayWidth;
    g.LoomCount = m_doc.plan().Looms.size();
    g.ScrollX = horizontalScrollBar()->value();
    g.ScrollY = verticalScrollBar()->value();
    return g;
}

int TVxTimelineView::chartWidth() const {
    return std::max(1, viewport()->width() - Geometry().NamesWidth);
}

int TVxTimelineView::chartHeight() const {
    return std::max(1, viewport()->height() - Geometry().ChartTop());
}

void TVxTimelineView::updateScrollRanges() {
    const TVxTimelineGeometry g = Geometry();
    QScrollBar* across = horizontalScrollBar();
    across->setRange(0, std::max(0, g.ContentWidth() - chartWidth()));
    across->setPageStep(chartWidth());
    across->setSingleStep(std::max(20, int(m_dayWidth)));
    QScrollBar* down = verticalScrollBar();
    down->setRange(0, std::max(0, g.ContentHeight() - chartHeight()));
    down->setPageStep(chartHeight());
    down->setSingleStep(g.RowHeight);
}

void TVxTimelineView::SetPeriod(double first, double last) {
    first = std::floor(first);
    last = std::max(first, std::floor(last));
    const double middle = Geometry().DateAt(Geometry().NamesWidth + chartWidth() / 2.0);
    m_period = {first, last};
    m_load.Reset(m_doc.plan(), int(first), int(last));
    updateScrollRanges();
    ScrollToDate(middle - chartWidth() / 2.0 / m_dayWidth);
    viewport()->update();
}

void TVxTimelineView::ScrollToDate(double date) {
    horizontalScrollBar()->setValue(int(std::lround((date - m_period.first) * m_dayWidth)));
}

double TVxTimelineView::fittedDayWidth() const {
    return chartWidth() / (m_period.second - m_period.first + 1);
}

void TVxTimelineView::SetDayWidth(double dayWidth, int anchorX) {
    // No further out than the whole period in the width: beyond it there
    // is nothing to see.
    const double least = std::min(std::max(TVxTimelineGeometry::MinDayWidth, fittedDayWidth()),
                                  TVxTimelineGeometry::MaxDayWidth);
    dayWidth = std::clamp(dayWidth, least, TVxTimelineGeometry::MaxDayWidth);
    const TVxTimelineGeometry before = Geometry();
    if (anchorX < before.NamesWidth) anchorX = before.NamesWidth + chartWidth() / 2;
    const double anchored = before.DateAt(anchorX);
    m_dayWidth = dayWidth;
    updateScrollRanges();
    // The date under the anchor stays there.
    horizontalScrollBar()->setValue(
        int(std::lround(before.NamesWidth + (anchored - m_period.first) * m_dayWidth - anchorX)));
    viewport()->update();
}

void TVxTimelineView::ZoomIn(int anchorX) {
    for (double step : kZoomSteps)
        if (step > m_dayWidth * 1.01) {
            SetDayWidth(step, anchorX);
            return;
        }
}

void TVxTimelineView::ZoomOut(int anchorX) {
    for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
        if (*it < m_dayWidth / 1.01) {
            SetDayWidth(*it, anchorX);
            return;
        }
}

void TVxTimelineView::FitPeriod() {
    SetDayWidth(fittedDayWidth());
    horizontalScrollBar()->setValue(0);
}

void TVxTimelineView::SetSelected(const TVxTimelineJob& job) {
    if (m_scene.Selected == job) return;
    updateJob(m_scene.Selected);
    m_scene.Selected = job;
    updateJob(job);
}

void TVxTimelineView::SetFound(const QSet<TVxTimelineJob>& found, const TVxTimelineJob& current) {
    if (m_scene.Found == found && m_scene.Current == current) return;
    m_scene.Found = found;
    m_scene.Current = current;
    viewport()->update();
}

void TVxTimelineView::SetToday(double moment) {
    m_fixedToday = true;
    m_scene.Today = moment;
    viewport()->update();
}

void TVxTimelineView::ShowJob(const TVxTimelineJob& job) {
    const TVxPlan& plan = m_doc.plan();
    if (job.first < 0 || job.first >= plan.Looms.size() || job.second < 0 ||
        job.second >= plan.Looms[job.first].Jobs.size())
        return;
    const TVxTimelineGeometry g = Geometry();
    const QRect bar = g.BarRect(job.first, plan.Looms[job.first].Jobs[job.second]);
    // As little as needed: first the bar's end into view, then its start.
    const int left = g.NamesWidth + 8;
    const int right = viewport()->width() - 8;
    QScrollBar* across = horizontalScrollBar();
    if (bar.right() > right) across->setValue(across->value() + bar.right() - right);
    const int shifted = bar.left() - (across->value() - g.ScrollX);
    if (shifted < left) across->setValue(across->value() - (left - shifted));
    const int top = g.RowTop(job.first);
    QScrollBar* down = verticalScrollBar();
    if (top < g.ChartTop())
        down->setValue(down->value() - (g.ChartTop() - top));
    else if (top + g.RowHeight > viewport()->height())
        down->setValue(down->value() + top + g.RowHeight - viewport()->height());
}

QRect TVxTimelineView::rowRect(int loom) const {
    return QRect(0, Geometry().RowTop(loom), viewport()->width(), Geometry().RowHeight);
}

QRect TVxTimelineView::stripRect() const {
    const TVxTimelineGeometry g = Geometry();
    return QRect(g.NamesWidth, g.ScaleHeight, viewport()->width(), g.StripHeight);
}

void TVxTimelineView::updateJob(const TVxTimelineJob& job) {
    // Marks reach a few pixels beyond their row.
    if (job.first >= 0) viewport()->update(rowRect(job.first).adjusted(0, -4, 0, 4));
}

void TVxTimelineView::RedrawLooms(const QVector<int>& looms) {
    const TVxPlan& plan = m_doc.plan();
    m_scene.Plan = &plan;
    if (looms.isEmpty() || plan.Looms.size() != m_load.LoomCount()) {
        m_load.Reset(plan, int(m_period.first), int(m_period.second));
        updateScrollRanges();
        viewport()->update();
        return;
    }
    m_load.Update(plan, looms);
    for (int loom : looms)
        updateJob({loom, 0});
    viewport()->update(stripRect());
}

void TVxTimelineView::paintEvent(QPaintEvent* event) {
    if (!m_fixedToday) m_scene.Today = now();
    QPainter painter(viewport());
    TVxTimelinePainter(painter, Geometry(), m_scene, viewport()->size()).Paint(event->rect());
}

void TVxTimelineView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRanges();
}

void TVxTimelineView::scrollContentsBy(int, int) {
    viewport()->update();
}

void TVxTimelineView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int x = int(event->position().x());
    if (event->angleDelta().y() > 0)
        ZoomIn(x);
    else if (event->angleDelta().y() < 0)
        ZoomOut(x);
    event->accept();
}

void TVxTimelineView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        ZoomIn();
        return;
    case Qt::Key_Minus:
        ZoomOut();
        return;
    case Qt::Key_0:
        FitPeriod();
        return;
    case Qt::Key_Home:
        horizontalScrollBar()->setValue(0);
        return;
    case Qt::Key_End:
        horizontalScrollBar()->setValue(horizontalScrollBar()->maximum());
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

TVxTimelineJob TVxTimelineView::JobAt(const QPoint& point) const {
    const TVxTimelineGeometry g = Geometry();
    if (point.x() < g.NamesWidth) return {-1, -1};
    const int loom = g.LoomAt(point.y());
    if (loom < 0) return {-1, -1};
    const int job = g.JobAt(loom, m_doc.plan().Looms[loom], point);
    return job < 0 ? TVxTimelineJob{-1, -1} : TVxTimelineJob{loom, job};
}

QString TVxTimelineView::TipAt(const QPoint& point) const {
    const TVxTimelineGeometry g = Geometry();
    const TVxPlan& plan = m_doc.plan();
    if (point.x() < g.NamesWidth) {
        const int loom = g.LoomAt(point.y());
        return loom < 0 ? QString()
                        : VxTimelineLoomTip(plan.Looms[loom], m_load.WeavingShare(loom));
    }
    if (point.y() >= g.ScaleHeight && point.y() < g.ChartTop()) {
        const int day = int(std::floor(g.DateAt(point.x())));
        if (day < m_period.first || day > m_period.second) return QString();
        return VxTimelineDayTip(day, m_load.BusyOn(day), m_load.LoomCount());
    }
    const TVxTimelineJob job = JobAt(point);
    if (job.first < 0) return QString();
    return VxTimelineJobTip(plan.Looms[job.first].Jobs[job.second], m_doc.Refs());
}

void TVxTimelineView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const TVxTimelineJob job = JobAt(event->position().toPoint());
    if (job.first >= 0) {
        if (OnJobClick) OnJobClick(job);
        return;
    }
    // Empty chart: the hand drags it.
    m_panning = event->position().x() >= Geometry().NamesWidth;
    m_panFrom = event->position().toPoint();
}

void TVxTimelineView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_panning || !(event->buttons() & Qt::LeftButton)) return;
    const QPoint step = event->position().toPoint() - m_panFrom;
    m_panFrom = event->position().toPoint();
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - step.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() - step.y());
}

void TVxTimelineView::mouseReleaseEvent(QMouseEvent*) {
    m_panning = false;
}

void TVxTimelineView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const TVxTimelineJob job = JobAt(event->position().toPoint());
    if (job.first >= 0 && OnJobDoubleClick) OnJobDoubleClick(job);
}

bool TVxTimelineView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = TipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}
