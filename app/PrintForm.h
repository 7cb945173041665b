// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The print options dialog: the scenario listing on the printer or in a
// comma-delimited text file, or a drawing cut into pages (the timeline) on
// the printer or into a PDF file, tiled across pages or fitted to one page
// width. Created once; it keeps the last choices and the printer set-up
// between prints.

#include "VxScenPrn.h"

#include <QDialog>
#include <functional>
#include <memory>

class QGroupBox;
class QPagedPaintDevice;
class QPrinter;
class QPushButton;
class QRadioButton;

// What one print produces: the pages on a printer (or PDF writer), and the
// delimited file.
struct TPrintOutput {
    std::function<void(QPagedPaintDevice* device)> Print;
    std::function<void(const QString& fileName)> Write;
};

// A drawing cut into pages (the timeline): on the printer or into a PDF
// file; fitWidth when the planner asked for one page width.
using TPagePrint = std::function<void(QPagedPaintDevice* device, bool fitWidth)>;

class TPrintForm : public QDialog {
    Q_OBJECT
public:
    explicit TPrintForm(QWidget* parent = nullptr);
    ~TPrintForm() override;

    QGroupBox* GroupBox1;
    QRadioButton* PrinterRadio;
    QRadioButton* FileRadio;
    QRadioButton* PdfRadio;
    QPushButton* SetupButton;
    QGroupBox* PagesBox;
    QRadioButton* TileRadio;
    QRadioButton* FitRadio;
    QPushButton* StartButton;
    QPushButton* BitBtn3;

    // Shows the dialog modally for one print job; Start produces the chosen
    // output, the save dialog proposing exportFileName. Returns the result.
    int Execute(const TVxPrintJob& job, const QString& exportFileName);
    // The same for any other output.
    int Execute(const TPrintOutput& output, const QString& exportFileName);
    // The same for a drawing cut into pages, the save dialog proposing a
    // PDF file.
    int ExecutePages(const TPagePrint& pages, const QString& pdfFileName);

    // The printer the set-up dialog configures and the printout goes to.
    QPrinter* Printer() const { return m_printer.get(); }

    void RadioClick();
    void SetupButtonClick();
    void StartButtonClick();
    void PrintToPrinter();
    void PrintToFile(const QString& fileName);
    void PrintToPdf(const QString& fileName);

private:
    void produce();
    // Shows the choices of a listing or of pages.
    void showChoices(bool pages);

    std::unique_ptr<QPrinter> m_printer;
    TPrintOutput m_output;
    TPagePrint m_pages;
    QString m_exportFileName;
};
