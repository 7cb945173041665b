// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data printer: any open dataset as a plain paged table.
//
// Column widths come from the dataset's field settings (label, display
// width, visibility, kind, display format), measured in the data font, so
// one printer serves every report. Positions are printer device units
// (dots); a line's position is the top of its text.

#include <QFont>
#include <QObject>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class QPaintDevice;
class QPainter;
class QPagedPaintDevice;
class QPrinter;
class TVxDataSet;
struct TVxField;

class TVxDataPrinter;

using TVxRowPrintEvent = std::function<void(TVxDataPrinter* Sender, int& RowTop)>;
using TVxColPrintEvent = std::function<void(TVxDataPrinter* Sender, int ColIndex)>;
using TVxRowPrintQueryEvent = std::function<void(TVxDataPrinter* Sender, bool& CanPrint)>;

// The pages a run draws on: a QPrinter by default; a PDF writer, a preview
// or a recording device where the caller says so.
class TVxPageDevice {
public:
    virtual ~TVxPageDevice() = default;
    virtual QPaintDevice* PaintDevice() = 0;
    // False when the device cannot give another page.
    virtual bool NewPage() = 0;
};

// A QPrinter or QPdfWriter as a page device (not owned).
class TVxPagedDevice : public TVxPageDevice {
public:
    explicit TVxPagedDevice(QPagedPaintDevice* device) : m_device(device) {}
    QPaintDevice* PaintDevice() override;
    bool NewPage() override;

private:
    QPagedPaintDevice* m_device;
};

class TVxDataPrinter : public QObject {
    Q_OBJECT
public:
    // Columns a run can lay out; a dataset with more fields is refused.
    static constexpr int MaxFields = 64;

    explicit TVxDataPrinter(QObject* owner = nullptr);
    ~TVxDataPrinter() override;

    QString About() const { return QStringLiteral("Version 1.3"); }
    void SetAbout(const QString&) {} // informational only

    // The dataset to print (not owned); forgotten when it is destroyed.
    TVxDataSet* DataSet() const { return m_dataSet; }
    void SetDataSet(TVxDataSet* dataSet);

    QString Title;
    // Copied in; first page only.
    QStringList SubTitles;
    QString StampFormat = QStringLiteral("dd/mm/yyyy hh:mm am/pm");
    bool DoTimeStamp = true;
    bool DoPageNumbers = true;
    bool DoPrintDialog = true;
    bool DoColHeaders = true;
    qint16 Margin = 50;
    qint16 Spacing = 8;
    QFont TitleFont;
    QFont SubTitleFont;
    QFont HeaderFont;
    QFont DataFont; // also the font column widths are measured in
    bool AutoOpen = true;
    bool AutoClose = true;

    TVxRowPrintEvent BeforeStartPrint;
    TVxRowPrintEvent AfterFinishPrint;
    TVxRowPrintEvent BeforeRowPrint;
    TVxRowPrintEvent AfterRowPrint;
    TVxColPrintEvent BeforeColPrint;
    TVxColPrintEvent AfterColPrint;
    TVxRowPrintQueryEvent OnRowPrintQuery;

    // Prints every record of the dataset. False when the user cancelled the
    // print dialog; throws EVxError "Inaccessable dataset" without an open
    // dataset, and any error of the dataset, a handler or the printer after
    // putting the dataset back on its row and ending the document.
    bool Print();

    // The printer the dialog sets up and the pages go to (owned unless set).
    QPrinter* Printer() const { return m_printer; }
    void SetPrinter(QPrinter* printer);
    // Draws on device instead of the printer (not owned; nullptr: the
    // printer again). The print dialog still sets up Printer().
    void SetPageDevice(TVxPageDevice* device) { m_pageDevice = device; }

    // The document, for callers that begin and end it themselves
    // (AutoOpen, AutoClose off) and for handlers that draw their own text.
    void BeginDoc();
    void EndDoc();
    void NewPage();
    bool Printing() const;
    int PageNumber() const { return m_pageNumber; }
    int PageWidth() const;
    int PageHeight() const;
    // The drawing surface while printing: handlers may change its font.
    QPainter* Canvas() const { return m_canvas.get(); }
    // Draws text with its top left corner at (x, y) in the current font.
    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;

    // The text a field's value prints as in a column of width characters.
    static QString FieldText(const TVxField& field, const QVariant& value, int width);

private:
    void checkDataSet() const;
    bool runPrintDialog();
    void printSteps();
    void layOutColumns();
    // Width of a field's column in characters: its display width (else its
    // own size), its label, and whatever its values print uncut.
    int columnChars(int index) const;
    void printTitleBlock();
    void printSubTitles();
    void printHeaderBlock();
    void scanRecords();
    void breakPage();
    void printRecord();
    void setFont(const QFont& font);
    TVxPageDevice& pageDevice();

    TVxDataSet* m_dataSet = nullptr;
    QPrinter* m_printer = nullptr;
    std::unique_ptr<QPrinter> m_ownPrinter;
    std::unique_ptr<TVxPagedDevice> m_printerDevice;
    TVxPageDevice* m_pageDevice = nullptr;
    std::unique_ptr<QPainter> m_canvas;
    int m_pageNumber = 0;

    // One run's state.
    int m_rowTop = 0;
    int m_charWidth = 1;
    int m_rowHeight = 0;
    std::array<int, MaxFields> m_colWidths{};
    std::array<int, MaxFields> m_colPositions{};
};
