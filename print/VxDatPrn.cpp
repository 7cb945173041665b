// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxDatPrn.h"

#include "VxAbort.h"
#include "VxDataSet.h"
#include "VxDialogs.h"
#include "VxFieldFormat.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <cmath>

namespace {
// The page number ends this far from the page's right edge, whatever the
// margin.
constexpr int PageNumberGap = 50;
// Dots per inch of the printer the data printer makes itself: a PDF at the
// printer's usual 300 dpi keeps the margin and spacing (in dots) sensible.
constexpr int OwnPrinterResolution = 300;

// Arial and Courier New where they are installed, else their metric twins,
// so widths measured in the data font come out as designed.
void ensureFontSubstitutes() {
    static const bool done = [] {
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
        return true;
    }();
    (void)done;
}

QFont makeFont(const QString& family, int points, bool bold = false, bool underline = false) {
    QFont font(family, points);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

// "%*.*s": right-aligned, cut to width; "%-*.*s": left-aligned, cut.
QString fitRight(const QString& text, int width) {
    return text.left(width).rightJustified(width);
}
QString fitLeft(const QString& text, int width) {
    return text.left(width).leftJustified(width);
}
// "%*..." without a precision for text: padded, never cut.
QString padRight(const QString& text, int width) {
    return text.rightJustified(width);
}

TDateTime now() {
    const QDateTime t = QDateTime::currentDateTime();
    return VxDayOf(t.date()) + t.time().msecsSinceStartOfDay() / 86400000.0;
}
} // namespace

QPaintDevice* TVxPagedDevice::PaintDevice() {
    return m_device;
}

bool TVxPagedDevice::NewPage() {
    return m_device->newPage();
}

// ---------------------------------------------------------------------------

TVxDataPrinter::TVxDataPrinter(QObject* owner) : QObject(owner) {
    ensureFontSubstitutes();
    TitleFont = makeFont(QStringLiteral("Arial"), 12, true);
    SubTitleFont = makeFont(TitleFont.family(), 10);
    HeaderFont = makeFont(QStringLiteral("Courier New"), 10, false, true);
    DataFont = makeFont(HeaderFont.family(), 10);
    SetPrinter(nullptr);
}

TVxDataPrinter::~TVxDataPrinter() {
    if (m_dataSet) m_dataSet->RemoveLink(this);
    if (Printing()) m_canvas->end();
}

void TVxDataPrinter::SetDataSet(TVxDataSet* dataSet) {
    if (m_dataSet) m_dataSet->RemoveLink(this);
    m_dataSet = dataSet;
    if (m_dataSet)
        m_dataSet->AddLink(this, [this](TVxDataEvent event) {
            if (event == TVxDataEvent::Destroyed) m_dataSet = nullptr;
        });
}

void TVxDataPrinter::SetPrinter(QPrinter* printer) {
    if (Printing()) throw EVxError(tr("Printing in progress"));
    if (printer) {
        m_ownPrinter.reset();
        m_printer = printer;
    } else {
        m_ownPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_ownPrinter->setResolution(OwnPrinterResolution);
        m_printer = m_ownPrinter.get();
    }
    m_printerDevice = std::make_unique<TVxPagedDevice>(m_printer);
}

TVxPageDevice& TVxDataPrinter::pageDevice() {
    return m_pageDevice ? *m_pageDevice : *m_printerDevice;
}

// --- the document -----------------------------------------------------------

bool TVxDataPrinter::Printing() const {
    return m_canvas && m_canvas->isActive();
}

void TVxDataPrinter::BeginDoc() {
    if (Printing()) throw EVxError(tr("Printing in progress"));
    auto canvas = std::make_unique<QPainter>();
    if (!canvas->begin(pageDevice().PaintDevice())) {
        QString message = tr("Cannot begin the print document");
        if (!m_pageDevice && !m_printer->outputFileName().isEmpty())
            message += QStringLiteral(" (%1)").arg(m_printer->outputFileName());
        throw EVxError(message);
    }
    m_canvas = std::move(canvas);
    m_pageNumber = 1;
}

void TVxDataPrinter::EndDoc() {
    if (!Printing()) return;
    const bool ended = m_canvas->end();
    m_canvas.reset();
    m_pageNumber = 0;
    if (!ended) throw EVxError(tr("Cannot finish the print document"));
}

void TVxDataPrinter::NewPage() {
    if (!Printing()) throw EVxError(tr("Printer is not printing"));
    if (!pageDevice().NewPage()) throw EVxError(tr("Cannot start a new page"));
    ++m_pageNumber;
}

int TVxDataPrinter::PageWidth() const {
    return const_cast<TVxDataPrinter*>(this)->pageDevice().PaintDevice()->width();
}

int TVxDataPrinter::PageHeight() const {
    return const_cast<TVxDataPrinter*>(this)->pageDevice().PaintDevice()->height();
}

void TVxDataPrinter::TextOut(int x, int y, const QString& text) {
    m_canvas->drawText(QPoint(x, y + m_canvas->fontMetrics().ascent()), text);
}

int TVxDataPrinter::TextWidth(const QString& text) const {
    return m_canvas->fontMetrics().horizontalAdvance(text);
}

int TVxDataPrinter::TextHeight(const QString&) const {
    return m_canvas->fontMetrics().height();
}

void TVxDataPrinter::setFont(const QFont& font) {
    m_canvas->setFont(font);
}

// --- a run -----------------------------------------------------------------

void TVxDataPrinter::checkDataSet() const {
    if (!m_dataSet || !m_dataSet->Active()) throw EVxError(tr("Inaccessable dataset"));
    const int fields = int(m_dataSet->Fields().size());
    if (fields > MaxFields)
        throw EVxError(tr("Cannot print %1: it has %2 fields, and at most %3 fit")
                           .arg(m_dataSet->Name())
                           .arg(fields)
                           .arg(MaxFields));
}

bool TVxDataPrinter::runPrintDialog() {
    QPrintDialog dialog(m_printer, qobject_cast<QWidget*>(parent()));
    return VxDialogs::exec(&dialog) == QDialog::Accepted;
}

bool TVxDataPrinter::Print() {
    checkDataSet();
    if (DoPrintDialog && !runPrintDialog()) return false;
    printSteps();
    return true;
}

void TVxDataPrinter::printSteps() {
    m_rowTop = 0;
    if (AutoOpen) BeginDoc();
    try {
        if (BeforeStartPrint) BeforeStartPrint(this, m_rowTop);
        setFont(DataFont);
        m_charWidth = std::max(1, TextWidth(QStringLiteral("a")));
        layOutColumns();
        m_rowTop = 0; // a value left by BeforeStartPrint is discarded
        printTitleBlock();
        printSubTitles();
        printHeaderBlock();
        scanRecords();
    } catch (...) {
        if (AutoClose && Printing()) { // the first error is the one reported
            m_canvas->end();
            m_canvas.reset();
            m_pageNumber = 0;
        }
        throw;
    }
    if (AutoClose) EndDoc();
}

void TVxDataPrinter::layOutColumns() {
    m_colWidths.fill(0);
    m_colPositions.fill(0);
    // Columns never touch on paper, whatever the printer's resolution makes
    // of Spacing: at least one character apart.
    const int gap = std::max(int(Spacing), m_charWidth);
    int x = Margin;
    const QList<TVxField>& fields = m_dataSet->Fields();
    for (int i = 0; i < fields.size(); ++i) {
        if (!fields[i].Visible) continue;
        m_colWidths[size_t(i)] = columnChars(i);
        m_colPositions[size_t(i)] = x;
        x += m_colWidths[size_t(i)] * m_charWidth + gap;
    }
}

namespace {
bool formattedNumber(const TVxField& field) {
    return (field.Kind == TVxFieldKind::Float || field.Kind == TVxFieldKind::Currency) &&
           !field.DisplayFormat.isEmpty();
}
bool isText(const TVxField& field) {
    return field.Kind == TVxFieldKind::String || field.Kind == TVxFieldKind::Auto;
}
// Texts and formatted numbers are cut to their column; other values print
// whole, however wide.
bool cutToColumn(const TVxField& field) {
    return isText(field) || formattedNumber(field);
}

// The characters a value takes printed whole.
int uncutChars(const TVxField& field, const QVariant& value) {
    if (value.isNull()) return 0;
    if (formattedNumber(field))
        return int(VxFormatFloat(field.DisplayFormat, TVxDataSet::VariantToFloat(value)).size());
    if (isText(field)) return int(field.Text(value).size());
    return int(TVxDataPrinter::FieldText(field, value, 0).size());
}
} // namespace

int TVxDataPrinter::columnChars(int index) const {
    const TVxField& field = m_dataSet->Fields()[index];
    // The label as the header font prints it, in whole data characters.
    const int labelWidth = std::max(
        TextWidth(field.DisplayLabel),
        QFontMetrics(HeaderFont, m_canvas->device()).horizontalAdvance(field.DisplayLabel));
    // A text measures a little over its characters (the character width is
    // rounded): a tenth of a character over is not a character more.
    int chars = int(std::ceil(double(labelWidth) / m_charWidth - 0.1));
    // The caller's width, else the column's own size.
    int own = field.DisplayWidth;
    if (own <= 0 && isText(field)) own = field.Size;
    chars = std::max(chars, own);
    // Values printed whole widen their column rather than run into the next,
    // and a column without a size of its own takes its widest value.
    if (own <= 0 || !cutToColumn(field))
        for (int row = 0; row < m_dataSet->RecordCount(); ++row)
            chars = std::max(chars, uncutChars(field, m_dataSet->RowValue(row, index)));
    return chars;
}

void TVxDataPrinter::printTitleBlock() {
    setFont(TitleFont);
    if (!Title.isEmpty()) TextOut(Margin, m_rowTop, Title);
    setFont(SubTitleFont);
    if (DoTimeStamp && !StampFormat.isEmpty()) {
        const int x = PageWidth() - int(std::nearbyint(PageWidth() * 0.4));
        TextOut(x, m_rowTop, VxFormatDate(StampFormat, now()));
    }
    if (DoPageNumbers) {
        const QString page = tr("Page %1").arg(m_pageNumber);
        TextOut(PageWidth() - TextWidth(page) - PageNumberGap, m_rowTop, page);
    }
    if (!Title.isEmpty() || DoTimeStamp || DoPageNumbers) {
        setFont(TitleFont);
        m_rowTop += TextHeight(QStringLiteral("A"));
    }
}

void TVxDataPrinter::printSubTitles() {
    if (SubTitles.isEmpty()) return;
    setFont(SubTitleFont);
    const int lineHeight = TextHeight(QStringLiteral("A"));
    for (const QString& line : SubTitles) {
        TextOut(Margin, m_rowTop, line);
        m_rowTop += lineHeight;
    }
    m_rowTop += lineHeight / 2;
}

void TVxDataPrinter::printHeaderBlock() {
    if (DoColHeaders) {
        setFont(HeaderFont);
        const QList<TVxField>& fields = m_dataSet->Fields();
        for (int i = 0; i < fields.size(); ++i) {
            if (!fields[i].Visible) continue;
            const int width = m_colWidths[size_t(i)];
            const QString& label = fields[i].DisplayLabel;
            TextOut(m_colPositions[size_t(i)], m_rowTop,
                    fields[i].IsNumeric() ? fitRight(label, width) : fitLeft(label, width));
        }
    }
    setFont(DataFont);
    m_rowHeight = TextHeight(QStringLiteral("A"));
    m_rowTop += m_rowHeight + m_rowHeight / 3;
}

namespace {
// Back on the remembered row with the controls following again.
void restore(TVxDataSet& dataSet, const TVxBookmark& bookmark) {
    try {
        if (dataSet.Active()) dataSet.GotoBookmark(bookmark);
    } catch (...) {
        dataSet.EnableControls();
        throw;
    }
    dataSet.EnableControls();
}
} // namespace

void TVxDataPrinter::scanRecords() {
    TVxDataSet& dataSet = *m_dataSet;
    const TVxBookmark bookmark = dataSet.GetBookmark();
    dataSet.DisableControls();
    try {
        dataSet.First();
        while (!dataSet.Eof()) {
            breakPage();
            printRecord();
            dataSet.Next();
        }
        if (AfterFinishPrint) AfterFinishPrint(this, m_rowTop);
    } catch (...) {
        try {
            if (m_dataSet == &dataSet) restore(dataSet, bookmark);
        } catch (...) { // the first error is the one reported
        }
        throw;
    }
    if (m_dataSet == &dataSet) restore(dataSet, bookmark);
}

void TVxDataPrinter::breakPage() {
    if (m_rowTop + m_rowHeight <= PageHeight()) return;
    NewPage();
    m_rowTop = 0;
    if (DoPageNumbers) {
        const QString page = tr("Page %1").arg(m_pageNumber);
        TextOut(PageWidth() - TextWidth(page) - PageNumberGap, m_rowTop, page);
        m_rowTop += 2 * TextHeight(QStringLiteral("A"));
    }
    printHeaderBlock();
}

void TVxDataPrinter::printRecord() {
    bool canPrint = true;
    if (OnRowPrintQuery) OnRowPrintQuery(this, canPrint);
    if (!canPrint) return;
    if (BeforeRowPrint) BeforeRowPrint(this, m_rowTop);
    if (!m_dataSet) throw EVxError(tr("Inaccessable dataset"));
    const TVxDataSet& dataSet = *m_dataSet;
    const int row = dataSet.RecNo();
    const QList<TVxField>& fields = dataSet.Fields();
    for (int i = 0; i < fields.size() && i < MaxFields; ++i) {
        if (BeforeColPrint) BeforeColPrint(this, i);
        if (fields[i].Visible)
            TextOut(m_colPositions[size_t(i)], m_rowTop,
                    FieldText(fields[i], dataSet.RowValue(row, i), m_colWidths[size_t(i)]));
        if (AfterColPrint) AfterColPrint(this, i);
    }
    if (AfterRowPrint) AfterRowPrint(this, m_rowTop);
    m_rowTop += m_rowHeight;
}

QString TVxDataPrinter::FieldText(const TVxField& field, const QVariant& value, int width) {
    // An empty number prints blank, as the grid shows it, never as 0.
    if (value.isNull())
        return field.Kind == TVxFieldKind::DateTime ? QString() : fitLeft({}, width);
    const double number = TVxDataSet::VariantToFloat(value);
    switch (field.Kind) {
    case TVxFieldKind::Float:
    case TVxFieldKind::Currency:
        if (!field.DisplayFormat.isEmpty())
            return fitRight(VxFormatFloat(field.DisplayFormat, number), width);
        if (field.Kind == TVxFieldKind::Currency || field.Currency)
            return padRight(VxFormatCurrency(number), width);
        return padRight(
            VxFixedText(number, field.Precision < 15 ? std::max(0, field.Precision) : 0), width);
    case TVxFieldKind::Integer:
        return padRight(VxFixedText(number, 0), width);
    case TVxFieldKind::DateTime:
        if (!field.DisplayFormat.isEmpty())
            return VxFormatDate(field.DisplayFormat, TVxDataSet::VariantToDate(value));
        return field.Text(value);
    case TVxFieldKind::String:
    case TVxFieldKind::Auto:
        break;
    }
    return fitLeft(field.Text(value), width);
}
