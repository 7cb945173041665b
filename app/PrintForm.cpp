// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintForm.h"

#include "VxAbort.h"
#include "VxDialogs.h"
#include "VxScenPage.h"

#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TPrintForm::TPrintForm(QWidget* parent)
    : QDialog(parent), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setWindowTitle(tr("Print Options"));

    GroupBox1 = new QGroupBox(tr(" Print To "), this);
    PrinterRadio = new QRadioButton(tr("&Printer"), GroupBox1);
    FileRadio = new QRadioButton(tr("&Comma delimited text file"), GroupBox1);
    PdfRadio = new QRadioButton(tr("P&DF file"), GroupBox1);
    SetupButton = new QPushButton(tr("Printer Setup..."), GroupBox1);
    SetupButton->setAutoDefault(false);
    PrinterRadio->setChecked(true);
    auto* choices = new QVBoxLayout(GroupBox1);
    auto* printerRow = new QHBoxLayout;
    printerRow->addWidget(PrinterRadio);
    printerRow->addStretch();
    printerRow->addWidget(SetupButton);
    choices->addLayout(printerRow);
    choices->addWidget(FileRadio);
    choices->addWidget(PdfRadio);

    PagesBox = new QGroupBox(tr(" Pages "), this);
    TileRadio = new QRadioButton(tr("&Tile across pages"), PagesBox);
    FitRadio = new QRadioButton(tr("&Fit to one page width"), PagesBox);
    TileRadio->setChecked(true);
    auto* pages = new QVBoxLayout(PagesBox);
    pages->addWidget(TileRadio);
    pages->addWidget(FitRadio);

    StartButton = new QPushButton(tr("&Start"), this);
    StartButton->setDefault(true);
    BitBtn3 = new QPushButton(tr("Cancel"), this);
    BitBtn3->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(StartButton);
    buttons->addWidget(BitBtn3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(PagesBox);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(PrinterRadio, &QRadioButton::toggled, this, &TPrintForm::RadioClick);
    connect(FileRadio, &QRadioButton::toggled, this, &TPrintForm::RadioClick);
    connect(PdfRadio, &QRadioButton::toggled, this, &TPrintForm::RadioClick);
    connect(SetupButton, &QPushButton::clicked, this, &TPrintForm::SetupButtonClick);
    connect(StartButton, &QPushButton::clicked, this, &TPrintForm::StartButtonClick);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::reject);
    showChoices(false);
    RadioClick();
}

TPrintForm::~TPrintForm() = default;

void TPrintForm::showChoices(bool pages) {
    // A listing goes to a text file, a drawing to a PDF; the printer takes
    // both. The choice of the other kind falls back to the printer.
    FileRadio->setVisible(!pages);
    PdfRadio->setVisible(pages);
    PagesBox->setVisible(pages);
    if ((pages && FileRadio->isChecked()) || (!pages && PdfRadio->isChecked()))
        PrinterRadio->setChecked(true);
}

int TPrintForm::Execute(const TVxPrintJob& job, const QString& exportFileName) {
    return Execute(TPrintOutput{[job](QPagedPaintDevice* device) {
                                    VxPrintScenario(device, job, QDateTime::currentDateTime());
                                },
                                [job](const QString& fileName) {
                                    VxWriteDelimitedFile(fileName, job,
                                                         QDateTime::currentDateTime());
                                }},
                   exportFileName);
}

int TPrintForm::Execute(const TPrintOutput& output, const QString& exportFileName) {
    showChoices(false);
    m_output = output;
    m_exportFileName = exportFileName;
    const int result = VxDialogs::exec(this);
    // The lines live only as long as the dialog is shown.
    m_output = TPrintOutput();
    return result;
}

int TPrintForm::ExecutePages(const TPagePrint& pages, const QString& pdfFileName) {
    showChoices(true);
    m_pages = pages;
    m_exportFileName = pdfFileName;
    const int result = VxDialogs::exec(this);
    m_pages = nullptr;
    return result;
}

void TPrintForm::RadioClick() {
    SetupButton->setEnabled(PrinterRadio->isChecked());
}

void TPrintForm::SetupButtonClick() {
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setWindowTitle(tr("Printer Setup"));
    VxDialogs::exec(&dialog);
}

void TPrintForm::StartButtonClick() {
    // An error is shown over the dialog; the dialog closes in every case.
    VxGuard(this, [this] { produce(); });
    accept();
}

void TPrintForm::produce() {
    if (PrinterRadio->isChecked()) {
        PrintToPrinter();
        return;
    }
    QString fileName = m_exportFileName;
    if (m_pages) {
        if (VxDialogs::saveFileName(this, tr("Print To PDF File"),
                                    {tr("PDF file (*.pdf)"), tr("Any file (*)")},
                                    QStringLiteral("pdf"), fileName))
            PrintToPdf(fileName);
        return;
    }
    const QStringList filters = {tr("Text file (txt) (*.txt)"), tr("Any file (*)")};
    if (VxDialogs::saveFileName(this, tr("Print To Comma Delimited File"), filters,
                                QStringLiteral("txt"), fileName))
        PrintToFile(fileName);
}

void TPrintForm::PrintToPrinter() {
    if (m_printer->printerName().isEmpty() && m_printer->outputFileName().isEmpty())
        throw EVxError(
            tr("No printer is set up: choose a printer or a PDF file under Printer Setup..."));
    if (m_pages)
        m_pages(m_printer.get(), FitRadio->isChecked());
    else
        m_output.Print(m_printer.get());
}

void TPrintForm::PrintToFile(const QString& fileName) {
    m_output.Write(fileName);
}

void TPrintForm::PrintToPdf(const QString& fileName) {
    // The writer only says that it could not start; the file says why.
    QFile probe(fileName);
    if (!probe.open(QIODevice::WriteOnly))
        throw EVxError(tr("Cannot write %1: %2").arg(fileName, probe.errorString()));
    probe.close();
    QPdfWriter writer(fileName);
    writer.setPageLayout(m_printer->pageLayout());
    writer.setCreator(QStringLiteral("Plexiweave"));
    m_pages(&writer, FitRadio->isChecked());
}
