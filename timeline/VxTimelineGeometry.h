// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where things stand on the timeline: dates to x and back, looms to rows and
// back, and the bar of a job. Painting, hit-testing, tooltips and printing
// all ask here, so a bar is where the mouse finds it and where the paper
// shows it.
//
//   loom names | date scale (two lines)            <- ScaleHeight
//              | looms busy per day                 <- StripHeight
//   ---------- + --------------------------------
//   R01 190cm  | [reed][warp 7 A-WHT ][downtime]    <- RowHeight each
//
// The names stay on the left and the scale on top; the chart scrolls under
// them by ScrollX and ScrollY pixels.

#include "VxPlan.h"

#include <QPoint>
#include <QRect>

class TVxTimelineGeometry {
public:
    // The period: from the start of day PeriodStart to the start of day
    // PeriodEnd (day numbers).
    double PeriodStart = 0;
    double PeriodEnd = 1;
    // Pixels per day: the zoom.
    double DayWidth = 8;
    int NamesWidth = 170;
    int ScaleHeight = 34;
    int StripHeight = 26;
    int RowHeight = 22;
    int LoomCount = 0;
    int ScrollX = 0;
    int ScrollY = 0;

    // The zoom's range: a shift of eight hours a hand wide, a year in a
    // small window.
    static constexpr double MinDayWidth = 0.5;
    static constexpr double MaxDayWidth = 1152;

    double X(double date) const { return NamesWidth + (date - PeriodStart) * DayWidth - ScrollX; }
    double DateAt(double x) const { return PeriodStart + (x - NamesWidth + ScrollX) / DayWidth; }
    int ChartTop() const { return ScaleHeight + StripHeight; }
    int RowTop(int loom) const { return ChartTop() + loom * RowHeight - ScrollY; }
    // The loom whose row holds y, or -1 (above the rows or below the last).
    int LoomAt(int y) const;

    // The scrolled chart: its whole width and height at this zoom.
    int ContentWidth() const;
    int ContentHeight() const { return LoomCount * RowHeight; }

    // The job's bar, on whole pixels from its start to its finish: a warp
    // fills most of its row, downtime a narrower band in its middle, a reed
    // a mark across the row at its start. A job without a finish, or
    // shorter than a few pixels, keeps a width that can be seen and clicked.
    QRect BarRect(int loom, const TVxPlanJob& job) const;
    // The job of the loom whose bar holds the point (the later one where
    // bars meet), or -1.
    int JobAt(int loom, const TVxPlanLoom& plan, const QPoint& point) const;

    // The date a job runs to on the chart: its finish, or its start when it
    // has none.
    static double BarEnd(const TVxPlanJob& job);
};
