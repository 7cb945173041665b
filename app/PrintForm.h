#pragma once
// The print options dialog: the scenario listing on the printer or in a
// comma-delimited text file. Created once; it keeps the last choice and the
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

// What one print produces: the pages on a printer (or PDF writer), and the
// delimited file.
struct TPrintOutput {
    std::function<void(QPagedPaintDevice* device)> Print;
    std::function<void(const QString& fileName)> Write;
};

class TPrintForm : public QDialog {
    Q_OBJECT
public:
    explicit TPrintForm(QWidget* parent = nullptr);
    ~TPrintForm() override;

    QGroupBox* GroupBox1;
    QRadioButton* PrinterRadio;
    QRadioButton* FileRadio;
    QPushButton* SetupButton;
    QPushButton* StartButton;
    QPushButton* BitBtn3;

    // Shows the dialog modally for one print job; Start produces the chosen
    // output, the save dialog proposing exportFileName. Returns the result.
    int Execute(const TVxPrintJob& job, const QString& exportFileName);
    // The same for any other output.
    int Execute(const TPrintOutput& output, const QString& exportFileName);

    // The printer the set-up dialog configures and the printout goes to.
    QPrinter* Printer() const { return m_printer.get(); }

    void RadioClick();
    void SetupButtonClick();
    void StartButtonClick();
    void PrintToPrinter();
    void PrintToFile(const QString& fileName);

private:
    void produce();

    std::unique_ptr<QPrinter> m_printer;
    TPrintOutput m_output;
    QString m_exportFileName;
};
