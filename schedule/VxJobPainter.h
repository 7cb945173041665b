// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws job panels from a job's geometry onto any QPainter, so the same
// drawing goes to the screen, an image or a PDF. Frames are drawn with plain
// rectangle fills: thousands of rows are painted at once, and pen-drawn
// lines cost several times as much on the raster engine.

#include <QColor>
#include <QPalette>
#include <QPoint>
#include <QRect>

class QImage;
class QPainter;
class QRegion;
class TVxJob;
class TVxJobItem;
class TVxTextCache;
enum class TVxJobPart;

class TVxJobPainter {
public:
    TVxJobPainter(QPainter& painter, const QPalette& palette);

    // Paints a job with its top-left corner at origin; only what meets
    // exposed (in painter coordinates) is drawn. On screen a job is drawn
    // once into a picture kept by its content and then copied; other devices
    // (a PDF, a printer) get the drawing itself.
    void Paint(const TVxJob& job, const QPoint& origin, const QRect& exposed);
    // Paints a job directly, row by row, whatever the device.
    void Draw(const TVxJob& job, const QPoint& origin, const QRect& exposed);
    // The kept picture of a job as Paint copies it to a screen of that whole
    // pixel ratio: ratio times the job's size in pixels.
    static const QImage& Picture(const TVxJob& job, const QPalette& palette, int ratio);

    // A row's text, and whether it is wider than the room the row gives it
    // (then the painting cuts it at the column's edge).
    static QString RowText(const TVxJob& job, TVxJobPart part, const TVxJobItem* item);
    static bool TextCut(const TVxJob& job, TVxJobPart part, const TVxJobItem* item);

    // The mark of where a drop would land: a line, or a frame round a job.
    static void DrawDropMarker(QPainter& painter, const QRect& r, bool frame);

    // A shaded frame of lineWidth pixels: topLeft on the upper and left
    // edges, bottomRight on the others (raised or sunken by the choice).
    static void DrawShadeFrame(QPainter& painter, const QRect& r, const QColor& topLeft,
                               const QColor& bottomRight, int lineWidth);
    // A frame as a widget's Panel shape draws it, raised or sunken.
    static void DrawPanelFrame(QPainter& painter, const QRect& r, const QPalette& palette,
                               bool sunken, int lineWidth);
    // The same frame in a paint event: drawn rectangle by rectangle of the
    // exposed region. A widget's region leaves out its opaque children, and
    // fills clipped to such a ring go span by span; clipped to one plain
    // rectangle at a time they are straight memory fills.
    static void DrawPanelFrame(QPainter& painter, const QRegion& exposed, const QRect& r,
                               const QPalette& palette, bool sunken, int lineWidth);

    // A mark over a job or an item: a band of colour down its left edge and
    // a thin frame round it.
    static void DrawMark(QPainter& painter, const QRect& r, const QColor& color);
    // Where a job or an item no longer stands: a broken line across the gap.
    static void DrawGhost(QPainter& painter, const QRect& line, const QColor& color);

    // The frame of the job or item the keyboard acts on: two pixels of the
    // highlight colour just inside its edge, so it takes no room of its own.
    static void DrawFocusFrame(QPainter& painter, const QRect& r, const QPalette& palette);

private:
    // The pixel ratio of the device when Paint may copy a kept picture to
    // it, else 0.
    int copyRatio() const;
    void drawRaisedPanel(const QRect& r, bool marked);
    void drawGauges(const TVxJob& job);
    void drawSunkenBox(const QRect& r, const QColor& fill);
    // Where a row's text goes: a caption row's whole width, a boxed row's
    // inside of its border.
    static QRect textRect(const QRect& row, bool boxed) {
        return boxed ? row.adjusted(3, 0, -2, 0) : row;
    }
    void drawRowText(const QRect& r, const QString& text, bool centred, const TVxTextCache& cache);
    void captionRow(const QRect& r, const QString& text, const QColor& back, const QFont& font,
                    const TVxTextCache& cache);
    void boxRow(const QRect& r, const QString& text, const QColor& back, const QColor& textColor,
                bool centred, const TVxTextCache& cache);

    QPainter& m_painter;
    QPalette m_palette;
    QRect m_local; // the exposed area in the current job's coordinates
};
