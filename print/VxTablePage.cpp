// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxTablePage.h"

#include "VxAbort.h"
#include "VxScenPage.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <numeric>

namespace {
const int kMargin = 50;

QFont tableTitleFont() {
    QFont font = TVxScenarioLayout::TitleFont();
    font.setPointSize(10);
    return font;
}

// Widths that fit into `available`: the columns wider than a common cap are
// cut to it, the narrower ones keep their width.
QVector<int> fitWidths(QVector<int> widths, int available) {
    if (std::accumulate(widths.begin(), widths.end(), 0) <= available) return widths;
    QVector<int> sorted = widths;
    std::sort(sorted.begin(), sorted.end());
    int rest = available;
    int cap = 1;
    for (int i = 0; i < sorted.size(); ++i) {
        const int share = std::max(1, rest / int(sorted.size() - i));
        if (sorted[i] > share) {
            cap = share;
            break;
        }
        rest -= sorted[i];
    }
    for (int& width : widths)
        width = std::min(width, cap);
    return widths;
}

class TTablePainter {
public:
    TTablePainter(QPainter& painter, QPagedPaintDevice* device, const QString& title,
                  const QString& stamp)
        : m_painter(painter), m_device(device), m_title(title), m_stamp(stamp),
          m_line(QFontMetrics(TVxScenarioLayout::LineFont(false), device)),
          m_heading(QFontMetrics(TVxScenarioLayout::HeadingFont(), device)),
          m_tableTitle(QFontMetrics(tableTitleFont(), device)),
          m_top(QFontMetrics(TVxScenarioLayout::TitleFont(), device).height() + 5),
          m_gap(m_line.horizontalAdvance(QLatin1Char('A'))) {
        startPage();
    }

    void paint(const TVxPrintTable& table) {
        m_widths = fitWidths(naturalWidths(table), m_device->width() - 2 * kMargin);
        const int needed = m_tableTitle.height() + m_heading.height() + m_line.height();
        if (m_y > m_top && m_y + needed > m_device->height()) newPage();
        m_painter.setFont(tableTitleFont());
        drawText(kMargin, table.Title, m_device->width() - 2 * kMargin, false);
        m_y += m_tableTitle.height();
        paintHeadings(table);
        for (const QStringList& row : table.Rows) {
            if (m_y + m_line.height() > m_device->height()) {
                newPage();
                paintHeadings(table);
            }
            m_painter.setFont(TVxScenarioLayout::LineFont(false));
            paintCells(row, table.RightAligned);
            m_y += m_line.height();
        }
        m_y += m_line.height();
    }

private:
    QVector<int> naturalWidths(const TVxPrintTable& table) const {
        QVector<int> widths;
        for (const QString& heading : table.Headings)
            widths.append(m_heading.horizontalAdvance(heading) + m_gap);
        for (const QStringList& row : table.Rows)
            for (int c = 0; c < row.size() && c < widths.size(); ++c)
                widths[c] = std::max(widths[c], m_line.horizontalAdvance(row[c]) + m_gap);
        return widths;
    }

    void startPage() {
        VxPaintPageHead(m_painter, m_device->width(), m_title, m_stamp, ++m_page);
        m_y = m_top;
    }
    void newPage() {
        if (!m_device->newPage())
            throw EVxError(QCoreApplication::translate("VxTablePage", "The printer stopped"));
        startPage();
    }

    void paintHeadings(const TVxPrintTable& table) {
        m_painter.setFont(TVxScenarioLayout::HeadingFont());
        paintCells(table.Headings, table.RightAligned);
        m_y += m_heading.height() + m_line.height() / 3;
    }

    void paintCells(const QStringList& cells, const QVector<int>& rightAligned) {
        int x = kMargin;
        for (int c = 0; c < cells.size() && c < m_widths.size(); ++c) {
            drawText(x, cells[c], m_widths[c] - m_gap, rightAligned.contains(c));
            x += m_widths[c];
        }
    }

    // Texts are placed by the top of their line and cut to their width.
    void drawText(int x, const QString& text, int width, bool right) {
        if (text.isEmpty() || width <= 0) return;
        const QFontMetrics metrics = m_painter.fontMetrics();
        const QString shown = metrics.elidedText(text, Qt::ElideRight, width);
        const int left = right ? x + width - metrics.horizontalAdvance(shown) : x;
        m_painter.drawText(left, m_y + metrics.ascent(), shown);
    }

    QPainter& m_painter;
    QPagedPaintDevice* m_device;
    QString m_title;
    QString m_stamp;
    QFontMetrics m_line;
    QFontMetrics m_heading;
    QFontMetrics m_tableTitle;
    int m_top;
    int m_gap;
    int m_page = 0;
    int m_y = 0;
    QVector<int> m_widths;
};
} // namespace

void VxPrintTables(QPagedPaintDevice* device, const QString& title,
                   const QVector<TVxPrintTable>& tables, const QDateTime& printed) {
    VxPaintDocument(device, [&](QPainter& painter) {
        TTablePainter pages(painter, device, title, VxPrintedStamp(printed));
        for (const TVxPrintTable& table : tables)
            pages.paint(table);
    });
}
