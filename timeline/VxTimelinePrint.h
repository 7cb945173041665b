// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The timeline on paper over its period: drawn by the same painter as the
// screen, page by page. Tiled, the period runs on across pages at the
// screen's zoom; fitted, it takes one page width. Rows that do not fit a
// page go on to the next one down. Every page carries a title line with its
// number, the date scale with the busy strip, and the loom names.

#include "VxTimelineGeometry.h"
#include "VxTimelinePainter.h"

#include <QDateTime>
#include <QSize>
#include <QString>
#include <QVector>

class QPagedPaintDevice;

struct TVxTimelinePrintJob {
    QString Title;
    // The period, the zoom and the measures (its scroll offsets are not
    // used).
    TVxTimelineGeometry Geometry;
    TVxTimelineScene Scene;
    bool FitWidth = false;
};

// Where the pages cut the timeline, in the screen's pixels.
class TVxTimelinePages {
public:
    // page: the printable area in the screen's pixels.
    TVxTimelinePages(const TVxTimelinePrintJob& job, const QSize& page);

    static constexpr int TitleHeight = 30;

    int Count() const { return m_pages.size(); }
    // The geometry of a page's timeline, scrolled to its part; the timeline
    // starts TitleHeight below the top of the page.
    const TVxTimelineGeometry& Page(int index) const { return m_pages[index]; }
    // The part of the page the timeline takes: whole rows only.
    QSize Area(int index) const;
    int Across() const { return m_across; }

private:
    QVector<TVxTimelineGeometry> m_pages;
    QVector<int> m_rows;
    QSize m_page;
    int m_across = 1;
};

// Prints the job on device (a printer or a PDF writer), all pages, and ends
// the document, also on error. Throws EVxError when the device does not
// take it.
void VxPrintTimeline(QPagedPaintDevice* device, const TVxTimelinePrintJob& job,
                     const QDateTime& printed);
