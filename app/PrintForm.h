#pragma once
// The print options dialog: the scenario listing on the printer or in a
// comma-delimited text file, or a printout drawn page by page (the
// timeline) on the printer or into a PDF file, tiled across pages or fitted
// to one page width. Created once; it keeps the last choices and the
// printer set-up between prints.

#include "VxScenPrn.h"

#include <QDialog>
#include <functional>
#include <memory>

class QGroupBox;
class QPagedPaintDevice;
class QPrinter;
class QPushButton;
class QRadioButton;

// Draws a printout on a device; fitWidth: the planner asked for one page
// width.
using TVxPagePrint = std::function<void(QPagedPaintDevice* device, bool fitWidth)>;

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
    // The same for a printout drawn page by page: Start draws it on the
    // printer or, after the save dialog proposing pdfFileName, into a PDF.
    int ExecutePages(const TVxPagePrint& print, const QString& pdfFileName);

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
    // Shows the choices of a listing or of a page printout.
    void showChoices(bool pages);

    std::unique_ptr<QPrinter> m_printer;
    TVxPrintJob m_job;
    TVxPagePrint m_pages;
    QString m_exportFileName;
};
