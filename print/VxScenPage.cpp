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

// Texts are placed by the top of their line, as the page layout counts.
void drawAt(QPainter& painter, int x, int y, const QString& text) {
    if (!text.isEmpty()) painter.drawText(x, y + painter.fontMetrics().ascent(), text);
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
    m_columnsPerPage = std::max(1, (m_pageWidth - LineLeft(0)) / m_columnWidth);
    m_rowsPerPage = std::max(1, (m_pageHeight - m_firstRowTop) / rowHeight);
    paginate(job);
}

void TVxScenarioLayout::paginate(const TVxPrintJob& job) {
    const int columns = job.Columns.size();
    int number = 1;
    if (columns == 0) {
        m_pages.append({number, 0, 0, 0, 0});
        return;
    }
    for (int first = 0; first < columns; first += m_columnsPerPage) {
        const int count = std::min(m_columnsPerPage, columns - first);
        int rows = 0;
        for (int d = first; d < first + count; ++d)
            rows = std::max(rows, int(job.Columns[d].size()));
        int top = 0;
        do {
            m_pages.append({number++, first, count, top, std::min(m_rowsPerPage, rows - top)});
            top += m_rowsPerPage;
        } while (top < rows);
    }
}

namespace {
void paintPage(QPainter& painter, const TVxScenarioLayout& layout, const TVxPrintPage& page,
               const TVxPrintJob& job, const QString& stamp) {
    painter.setFont(TVxScenarioLayout::TitleFont());
    drawAt(painter, 50, 0, job.Title);
    painter.setFont(TVxScenarioLayout::StampFont());
    drawAt(painter, layout.PageWidth() / 2, 0,
           QCoreApplication::translate("VxScenPage", "Printed: ") + stamp);
    const QString pageText = QCoreApplication::translate("VxScenPage", "Page %1").arg(page.Number);
    drawAt(painter, layout.PageWidth() - painter.fontMetrics().horizontalAdvance(pageText) - 50, 0,
           pageText);

    painter.setFont(TVxScenarioLayout::HeadingFont());
    for (int slot = 0; slot < page.ColumnCount; ++slot)
        drawAt(painter, layout.HeadingLeft(slot), layout.HeadingTop(),
               job.Headings.value(page.FirstColumn + slot));

    // Switching fonts per line is costly on a long plan: only on a change.
    const QFont fonts[2] = {TVxScenarioLayout::LineFont(false), TVxScenarioLayout::LineFont(true)};
    int lineHeight = painter.fontMetrics().height();
    int ascent = painter.fontMetrics().ascent();
    int current = -1;
    int y = layout.FirstRowTop();
    for (int r = page.FirstRow; r < page.FirstRow + page.RowCount; ++r) {
        for (int slot = 0; slot < page.ColumnCount; ++slot) {
            const TVxPrintLines& column = job.Columns[page.FirstColumn + slot];
            if (r >= column.size()) continue;
            const TVxPrintLine& line = column[r];
            if (current != int(line.JobCaption)) {
                current = int(line.JobCaption);
                painter.setFont(fonts[current]);
                lineHeight = painter.fontMetrics().height();
                ascent = painter.fontMetrics().ascent();
            }
            if (!line.Text.isEmpty())
                painter.drawText(layout.LineLeft(slot), y + ascent, line.Text);
        }
        y += lineHeight;
    }
}
} // namespace

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

void VxPrintScenario(QPagedPaintDevice* device, const TVxPrintJob& job, const QDateTime& printed) {
    QPainter painter;
    if (!painter.begin(device))
        throw EVxError(QCoreApplication::translate("VxScenPage", "The printer could not start"));
    // The document is ended whatever happens while painting.
    struct EndDocument {
        QPainter& painter;
        ~EndDocument() { painter.end(); }
    } end{painter};
    VxPaintScenario(painter, device, job, printed);
}
