// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plan against the calendar: one row per loom in board order, every job
// a bar from its start to its finish over a chosen period, the looms busy
// per day under the date scale and each loom's share of the period spent
// weaving beside its name. A view of the plan document: when the document
// says which looms changed, only their rows (and the busy strip) are drawn
// again.
//
// Zoom from hours to months: Ctrl+wheel (about the pointer), + and - (about
// the middle), 0 fits the period to the width. The names stay on the left
// and the scale on top while the chart scrolls on both axes (wheel, arrows,
// dragging empty chart). A click on a bar reports the job, a double click
// asks to open it; what is selected and found is set from outside.

#include "VxPlanDocument.h"
#include "VxPlantLoad.h"
#include "VxTimelineGeometry.h"
#include "VxTimelinePainter.h"

#include <QAbstractScrollArea>
#include <functional>

class TVxTimelineView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TVxTimelineView(TVxPlanDocument& doc, QWidget* parent = nullptr);

    // The period: whole days first to last. Keeps the date in the middle of
    // the chart in view where it can.
    void SetPeriod(double first, double last);
    double PeriodFirst() const { return m_period.first; }
    double PeriodLast() const { return m_period.second; }

    double DayWidth() const { return m_dayWidth; }
    // Zooms keeping the date under viewport x where it is (-1: the middle),
    // no further out than the period in the width.
    void SetDayWidth(double dayWidth, int anchorX = -1);
    void ZoomIn(int anchorX = -1);
    void ZoomOut(int anchorX = -1);
    void FitPeriod();
    // Scrolls the chart so the date is at its left edge, as far as it can.
    void ScrollToDate(double date);

    // Where everything stands now, in viewport coordinates.
    TVxTimelineGeometry Geometry() const;
    const TVxTimelineScene& Scene() const { return m_scene; }
    const TVxPlantLoad& Load() const { return m_load; }

    // The planner's marks: the job selected, the jobs found and the find's
    // current one ({-1, -1}: none).
    void SetSelected(const TVxTimelineJob& job);
    void SetFound(const QSet<TVxTimelineJob>& found, const TVxTimelineJob& current);
    // Scrolls as little as needed to show the job's bar (its start when it
    // is wider than the chart).
    void ShowJob(const TVxTimelineJob& job);
    // The moment of the "today" line; by default the clock's.
    void SetToday(double moment);

    // What the tooltip at a viewport point says (empty: none).
    QString TipAt(const QPoint& point) const;
    // The job whose bar is under a viewport point, or {-1, -1}.
    TVxTimelineJob JobAt(const QPoint& point) const;

    // A bar was clicked or double-clicked.
    std::function<void(const TVxTimelineJob&)> OnJobClick;
    std::function<void(const TVxTimelineJob&)> OnJobDoubleClick;

    // The looms the document changed (all when empty): their rows, names
    // and the busy strip are drawn again.
    void RedrawLooms(const QVector<int>& looms);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void updateScrollRanges();
    void updateJob(const TVxTimelineJob& job);
    QRect rowRect(int loom) const;
    QRect stripRect() const;
    int chartWidth() const;
    double fittedDayWidth() const;
    int chartHeight() const;

    TVxPlanDocument& m_doc;
    TVxTimelineScene m_scene;
    TVxPlantLoad m_load;
    QPair<double, double> m_period;
    double m_dayWidth = 8;
    bool m_fixedToday = false;
    QPoint m_panFrom;
    bool m_panning = false;
};
