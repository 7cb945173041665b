// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws the timeline from plan values onto any QPainter, so the same drawing
// goes to the screen and to paper: the date scale, the looms busy per day,
// the loom names with their share of the period spent weaving, and every
// job as a bar where the geometry puts it. Fonts are sized in pixels of the
// geometry, so a painter scaled for a printer draws the page as the screen
// would.

#include "VxPlan.h"
#include "VxTimelineGeometry.h"
#include "VxWeaveRefs.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRect>
#include <QSet>
#include <QSize>
#include <QString>

class QPainter;
class TVxPlantLoad;
class TVxTimeScale;

// A job's place in the plan: its loom's position and its own on the loom.
using TVxTimelineJob = QPair<int, int>;

// What the timeline shows: the plan, the plant's load over the period, the
// planner's marks and today.
struct TVxTimelineScene {
    const TVxPlan* Plan = nullptr;
    const TVxPlantLoad* Load = nullptr;
    TVxWeaveRefs Refs;
    double Today = 0;
    // The job chosen (-1, -1: none), the jobs a find reached (a job also
    // for its fabric) and the find's current one.
    TVxTimelineJob Selected{-1, -1};
    QSet<TVxTimelineJob> Found;
    TVxTimelineJob Current{-1, -1};
};

class TVxTimelinePainter {
public:
    // size: the whole timeline (names, scale and chart), its top-left corner
    // at the painter's origin.
    TVxTimelinePainter(QPainter& painter, const TVxTimelineGeometry& geometry,
                       const TVxTimelineScene& scene, const QSize& size);

    // Paints what meets area.
    void Paint(const QRect& area);

    // The bar colours: a warp in its colour where its code names one.
    static QColor WarpColor(const QString& warpCol);
    static QColor KindColor(const TVxPlanJob& job);
    // The text on a bar as far as the width allows: "7 A-WHT", "7" or none.
    QString BarText(const TVxPlanJob& job, double width) const;
    // A loom runs dry this week (red) or next week (amber) when its last job
    // finishes before that week ends; an invalid colour otherwise.
    static QColor RunOutColor(const TVxPlanLoom& loom, double today);

    static QFont TextFont(bool bold = false);

private:
    QRect chartRect() const;
    void paintChart(const QRect& area);
    void paintGrid(const QRect& area, const TVxTimeScale& scale);
    void paintRow(int loom, const QRect& area);
    void paintIdle(int loom, const QRect& area);
    void paintBar(int loom, int job, const QRect& bar);
    void paintReed(const QRect& bar);
    void paintMarks(int loom, int job, const QRect& bar);
    void paintToday(const QRect& area);
    void paintStrip(const QRect& area);
    void paintScale(const QRect& area, const TVxTimeScale& scale);
    void paintNames(const QRect& area);
    void paintCorner();
    double textWidth(const QString& text, bool bold) const;
    // Text from its baseline's start, in the regular or the bold font.
    void drawLabel(const QPointF& baselineStart, const QString& text, bool bold);

    QPainter& m_painter;
    const TVxTimelineGeometry& m_geometry;
    const TVxTimelineScene& m_scene;
    QSize m_size;
    QFont m_font;
    QFont m_bold;
    double m_digitWidth;
    double m_blankWidth;
    double m_capHeight;
    double m_ascent;
};
