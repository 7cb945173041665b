// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scenario printout on paper. A plan that fits one page prints as the
// classic single page: title at the top left, "Printed: " stamp from the
// middle, "Page 1" at the right, bold underlined loom headings, then the
// lines row by row with job captions bold. A plan that does not fit carries
// on over further pages: rows below the bottom go to the next page down,
// columns past the right edge to further pages across, and every page
// repeats the title line with its number and the headings of its columns.
// Nothing overprints: a column is twelve "A" wide, or as wide as its longest
// text; only a text wider than a whole page is cut short with an ellipsis
// (the delimited file keeps it whole).

#include "VxScenPrn.h"

#include <QFont>
#include <QVector>
#include <functional>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// One sheet: which columns and rows of the print job it carries.
struct TVxPrintPage {
    int Number = 1;
    int FirstColumn = 0;
    int ColumnCount = 0;
    int FirstRow = 0;
    int RowCount = 0;

    bool operator==(const TVxPrintPage& other) const;
};

// Fonts, positions and the page breaks, measured on the device the printout
// goes to (all in its units; x from the left, y from the top of the page).
class TVxScenarioLayout {
public:
    TVxScenarioLayout(const TVxPrintJob& job, QPaintDevice* device);

    int PageWidth() const { return m_pageWidth; }
    int PageHeight() const { return m_pageHeight; }
    // The narrowest column: twelve "A" in the stamp font.
    int ColumnWidth() const { return m_columnWidth; }
    // y of the headings, and of the first line of rows.
    int HeadingTop() const { return m_headingTop; }
    int FirstRowTop() const { return m_firstRowTop; }
    int RowsPerPage() const { return m_rowsPerPage; }
    // Down first, then across: all pages of the first columns, then those of
    // the next columns.
    const QVector<TVxPrintPage>& Pages() const { return m_pages; }

    // x of a column's lines on its page, and of its heading (a little to the
    // right, as the classic page had it).
    int LineLeft(int column) const { return m_lefts.value(column); }
    int HeadingLeft(int column) const { return LineLeft(column) + 20; }
    // How wide a text of the column starting at x may be: to the column's
    // end less the gap, and never past the page's right edge.
    int ColumnRoom(int column, int x) const;
    // An "A" of the stamp font: the least room left between two texts.
    int Gap() const { return m_gap; }

    static QFont TitleFont();
    static QFont StampFont();
    static QFont HeadingFont();
    static QFont LineFont(bool jobCaption);

private:
    int widthOf(const TVxPrintJob& job, int column, QPaintDevice* device) const;
    void paginate(const TVxPrintJob& job);

    int m_pageWidth = 0;
    int m_pageHeight = 0;
    int m_columnWidth = 1;
    int m_gap = 1;
    int m_headingTop = 0;
    int m_firstRowTop = 0;
    int m_rowsPerPage = 1;
    // Per column of the job: its width, and its x on its page.
    QVector<int> m_widths;
    QVector<int> m_lefts;
    QVector<TVxPrintPage> m_pages;
};

// The line at the top of every page: the title at the left, the "Printed: "
// stamp from the middle, "Page " and the number ending 50 units from the
// right edge.
void VxPaintPageHead(QPainter& painter, int pageWidth, const QString& title, const QString& stamp,
                     int pageNumber);

// Paints the print job on an open painter of device, one page after the
// other (device->newPage() between them).
void VxPaintScenario(QPainter& painter, QPagedPaintDevice* device, const TVxPrintJob& job,
                     const QDateTime& printed);

// Opens a document on device (a printer or a PDF writer), lets paint draw
// on it and ends the document, also on error. Throws EVxError when the
// device does not take the document.
void VxPaintDocument(QPagedPaintDevice* device, const std::function<void(QPainter&)>& paint);

// Opens a document on device (a printer or a PDF writer), paints the job
// and ends the document, also on error. Throws EVxError when the device
// does not take the document.
void VxPrintScenario(QPagedPaintDevice* device, const TVxPrintJob& job, const QDateTime& printed);
