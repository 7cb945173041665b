// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxTimelinePrint.h"

#include "VxAbort.h"
#include "VxScenPage.h"
#include "VxScenPrn.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {
// Device units per screen pixel.
double deviceScale(const QPaintDevice* device) {
    return device->logicalDpiX() / 96.0;
}
} // namespace

TVxTimelinePages::TVxTimelinePages(const TVxTimelinePrintJob& job, const QSize& page)
    : m_page(page) {
    TVxTimelineGeometry g = job.Geometry;
    const int chartWidth = std::max(1, page.width() - g.NamesWidth);
    if (job.FitWidth) g.DayWidth = chartWidth / (g.PeriodEnd - g.PeriodStart);
    m_across = std::max(1, int(std::ceil(double(g.ContentWidth()) / chartWidth)));
    const int rowsPerPage =
        std::max(1, (page.height() - TitleHeight - g.ChartTop()) / std::max(1, g.RowHeight));
    const int bands = std::max(1, (g.LoomCount + rowsPerPage - 1) / rowsPerPage);
    // Down first, then across: all rows of the period's first part, then
    // those of the next.
    for (int slice = 0; slice < m_across; ++slice)
        for (int band = 0; band < bands; ++band) {
            g.ScrollX = slice * chartWidth;
            g.ScrollY = band * rowsPerPage * g.RowHeight;
            m_pages << g;
            m_rows << std::min(rowsPerPage, g.LoomCount - band * rowsPerPage);
        }
}

QSize TVxTimelinePages::Area(int index) const {
    const TVxTimelineGeometry& g = m_pages[index];
    const int width = std::min(m_page.width(), g.NamesWidth + g.ContentWidth() - g.ScrollX);
    return QSize(width, g.ChartTop() + m_rows[index] * g.RowHeight);
}

namespace {
void paintTitle(QPainter& painter, int width, const QString& title, const QString& stamp,
                int number, int count) {
    QFont font = TVxTimelinePainter::TextFont(true);
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const double baseline = 18;
    painter.drawText(QPointF(0, baseline), title);
    painter.setFont(TVxTimelinePainter::TextFont());
    const QFontMetricsF metrics(painter.font());
    const QString printed = QCoreApplication::translate("VxScenPage", "Printed: ") + stamp;
    painter.drawText(QPointF((width - metrics.horizontalAdvance(printed)) / 2, baseline), printed);
    const QString page =
        QCoreApplication::translate("VxTimelinePrint", "Page %1 of %2").arg(number).arg(count);
    painter.drawText(QPointF(width - metrics.horizontalAdvance(page), baseline), page);
}
} // namespace

void VxPrintTimeline(QPagedPaintDevice* device, const TVxTimelinePrintJob& job,
                     const QDateTime& printed) {
    VxPaintDocument(device, [&](QPainter& painter) {
        const double scale = deviceScale(device);
        const QSize page(int(device->width() / scale), int(device->height() / scale));
        const TVxTimelinePages pages(job, page);
        const QString stamp = VxPrintedStamp(printed);
        for (int i = 0; i < pages.Count(); ++i) {
            if (i > 0 && !device->newPage())
                throw EVxError(QCoreApplication::translate("VxScenPage", "The printer stopped"));
            painter.resetTransform();
            painter.scale(scale, scale);
            paintTitle(painter, page.width(), job.Title, stamp, i + 1, pages.Count());
            painter.translate(0, TVxTimelinePages::TitleHeight);
            const QRect area(QPoint(0, 0), pages.Area(i));
            painter.setClipRect(area);
            TVxTimelinePainter(painter, pages.Page(i), job.Scene, area.size()).Paint(area);
            painter.setClipping(false);
        }
    });
}
