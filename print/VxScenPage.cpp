// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxScenPage.h"

#include "VxAbort.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace {
QFont arial(int pointSize, bool bold, bool underline) {
    // Measured for Arial; Liberation Sans stands in with the same metrics.
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(pointSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

int heightOfA(const QFont& font, QPaintDevice* device) {
    return QFontMetrics(font, device).height();
}

// Texts are placed by the top of their line, as the page layout counts, and
// cut to the room they have; metrics are those of the painter's font.
void drawAt(QPainter& painter, const QFontMetrics& metrics, int x, int y, const QString& text,
            int room) {
    if (text.isEmpty()) return;
    painter.drawText(x, y + metrics.ascent(),
                     metrics.horizontalAdvance(text) <= room
                         ? text
                         : metrics.elidedText(text, Qt::ElideRight, std::max(0, room)));
}
void drawAt(QPainter& painter, int x, int y, const QString& text, int room) {
    drawAt(painter, painter.fontMetrics(), x, y, text, room);
}
} // namespace

bool TVxPrintPage::operator==(const TVxPrintPage& other) const {
    return Number == other.Number && FirstColumn == other.FirstColumn &&
           ColumnCount == other.ColumnCount && FirstRow == other.FirstRow &&
           RowCount == other.RowCount;
}

QFont TVxScenarioLayout::TitleFont() {
    return arial(12, true, false);
}
QFont TVxScenarioLayout::StampFont() {
    return arial(10, false, false);
}
QFont TVxScenarioLayout::HeadingFont() {
    return arial(9, true, true);
}
QFont TVxScenarioLayout::LineFont(bool jobCaption) {
    return arial(9, jobCaption, false);
}

TVxScenarioLayout::TVxScenarioLayout(const TVxPrintJob& job, QPaintDevice* device)
    : m_pageWidth(device->width()), m_pageHeight(device->height()) {
    m_headingTop = heightOfA(TitleFont(), device) + 5;
    m_columnWidth =
        std::max(1, 12 * QFontMetrics(StampFont(), device).horizontalAdvance(QLatin1Char('A')));
    const int headingHeight = heightOfA(HeadingFont(), device);
    m_firstRowTop = m_headingTop + headingHeight + 10;
    // A row advances by the height of whichever font drew last; a page takes
    // as many rows as fit at the tallest of them.
    const int rowHeight = std::max(
        {headingHeight, heightOfA(LineFont(true), device), heightOfA(LineFont(false), device), 1});
    m_gap = std::max(1, QFontMetrics(StampFont(), device).horizontalAdvance(QLatin1Char('A')));
    m_rowsPerPage = std::max(1, (m_pageHeight - m_firstRowTop) / rowHeight);
    for (int d = 0; d < job.Columns.size(); ++d)
        m_widths.append(widthOf(job, d, device));
    paginate(job);
}

int TVxScenarioLayout::widthOf(const TVxPrintJob& job, int column, QPaintDevice* device) const {
    // Its heading and longest line, each with the room of an "A" after it,
    // but never wider than a page.
    const QFontMetrics heading(HeadingFont(), device);
    const QFontMetrics lines[2] = {QFontMetrics(LineFont(false), device),
                                   QFontMetrics(LineFont(true), device)};
    int width = m_columnWidth;
    width = std::max(width, 20 + heading.horizontalAdvance(job.Headings.value(column)) + m_gap);
    for (const TVxPrintLine& line : job.Columns[column])
        width = std::max(width, lines[line.JobCaption].horizontalAdvance(line.Text) + m_gap);
    return std::min(width, std::max(m_columnWidth, m_pageWidth - 50));
}

int TVxScenarioLayout::ColumnRoom(int column, int x) const {
    return std::min(LineLeft(column) + m_widths.value(column) - m_gap, m_pageWidth) - x;
}

void TVxScenarioLayout::paginate(const TVxPrintJob& job) {
    const int columns = job.Columns.size();
    int number = 1;
    if (columns == 0) {
        m_pages.append({number, 0, 0, 0, 0});
        return;
    }
    m_lefts.resize(columns);
    for (int first = 0; first < columns;) {
        // As many columns as the page takes across, at least one.
        int count = 0;
        int rows = 0;
        for (int x = 50; first + count < columns; ++count) {
            const int d = first + count;
            if (count > 0 && x + m_widths[d] > m_pageWidth) break;
            m_lefts[d] = x;
            x += m_widths[d];
            rows = std::max(rows, int(job.Columns[d].size()));
        }
        int top = 0;
        do {
            m_pages.append({number++, first, count, top, std::min(m_rowsPerPage, rows - top)});
            top += m_rowsPerPage;
        } while (top < rows);
        first += count;
    }
}

namespace {
void paintPage(QPainter& painter, const TVxScenarioLayout& layout, const TVxPrintPage& page,
               const TVxPrintJob& job, const QString& stamp) {
    VxPaintPageHead(painter, layout.PageWidth(), job.Title, stamp, page.Number);

    painter.setFont(TVxScenarioLayout::HeadingFont());
    for (int d = page.FirstColumn; d < page.FirstColumn + page.ColumnCount; ++d) {
        const int left = layout.HeadingLeft(d);
        drawAt(painter, left, layout.HeadingTop(), job.Headings.value(d),
               layout.ColumnRoom(d, left));
    }

    // Switching fonts per line is costly on a long plan: only on a change.
    const QFont fonts[2] = {TVxScenarioLayout::LineFont(false), TVxScenarioLayout::LineFont(true)};
    QFontMetrics metrics = painter.fontMetrics();
    int current = -1;
    int y = layout.FirstRowTop();
    for (int r = page.FirstRow; r < page.FirstRow + page.RowCount; ++r) {
        for (int d = page.FirstColumn; d < page.FirstColumn + page.ColumnCount; ++d) {
            const TVxPrintLines& column = job.Columns[d];
            if (r >= column.size()) continue;
            const TVxPrintLine& line = column[r];
            if (current != int(line.JobCaption)) {
                current = int(line.JobCaption);
                painter.setFont(fonts[current]);
                metrics = painter.fontMetrics();
            }
            const int left = layout.LineLeft(d);
            drawAt(painter, metrics, left, y, line.Text, layout.ColumnRoom(d, left));
        }
        y += metrics.height();
    }
}
} // namespace

void VxPaintPageHead(QPainter& painter, int pageWidth, const QString& title, const QString& stamp,
                     int pageNumber) {
    // Title, stamp and page number share the first line from left to right,
    // each cut short of the next by a gap of one "A".
    const int stampLeft = pageWidth / 2;
    painter.setFont(TVxScenarioLayout::StampFont());
    const int gap = std::max(1, painter.fontMetrics().horizontalAdvance(QLatin1Char('A')));
    const QString pageText = QCoreApplication::translate("VxScenPage", "Page %1").arg(pageNumber);
    const int pageLeft = pageWidth - painter.fontMetrics().horizontalAdvance(pageText) - 50;
    drawAt(painter, stampLeft, 0, QCoreApplication::translate("VxScenPage", "Printed: ") + stamp,
           pageLeft - stampLeft - gap);
    drawAt(painter, pageLeft, 0, pageText, pageWidth - pageLeft);
    painter.setFont(TVxScenarioLayout::TitleFont());
    drawAt(painter, 50, 0, title, stampLeft - 50 - gap);
}

void VxPaintScenario(QPainter& painter, QPagedPaintDevice* device, const TVxPrintJob& job,
                     const QDateTime& printed) {
    const TVxScenarioLayout layout(job, device);
    const QString stamp = VxPrintedStamp(printed);
    bool first = true;
    for (const TVxPrintPage& page : layout.Pages()) {
        if (!first && !device->newPage())
            throw EVxError(QCoreApplication::translate("VxScenPage", "The printer stopped"));
        first = false;
        paintPage(painter, layout, page, job, stamp);
    }
}

void VxPaintDocument(QPagedPaintDevice* device, const std::function<void(QPainter&)>& paint) {
    QPainter painter;
    if (!painter.begin(device))
        throw EVxError(QCoreApplication::translate("VxScenPage", "The printer could not start"));
    // The document is ended whatever happens while painting.
    struct EndDocument {
        QPainter& painter;
        ~EndDocument() { painter.end(); }
    } end{painter};
    paint(painter);
}

void VxPrintScenario(QPagedPaintDevice* device, const TVxPrintJob& job, const QDateTime& printed) {
    VxPaintDocument(device,
                    [&](QPainter& painter) { VxPaintScenario(painter, device, job, printed); });
}
