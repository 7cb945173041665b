// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws a column's drag decoration (VxColumnDecoration.h) over its painted
// jobs: a closed column dimmed and hatched, an open one framed, the refused
// places and jobs of the column under the pointer, the jobs as the drop
// would leave them (old dates struck through, new ones in the preview
// colour, the status after, a warning in red) and the finish after above
// the footer. Shapes and weights carry the meaning as well as the colours,
// so the marks still read in grey.

#include <QRect>

class QPainter;
class QPalette;
class TVxJobSchedule;

class TVxDecorationPainter {
public:
    // Paints over the job area's viewport of the column: view is the
    // viewport's rectangle, scrollPos its scroll position.
    static void PaintJobArea(QPainter& painter, const TVxJobSchedule& column, const QRect& view,
                             int scrollPos, const QPalette& palette);
    // A place a drop would be refused at: across the gap of line.
    static void PaintRefusedPlace(QPainter& painter, const QRect& line);
    // Dims a header or footer strip of a closed column.
    static void PaintStrip(QPainter& painter, const TVxJobSchedule& column, const QRect& strip,
                           const QPalette& palette);
};
