// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportForm.h"

#include "ReportData.h"
#include "SheetExport.h"
#include "VxAbort.h"
#include "VxDBGrid.h"
#include "VxDatPrn.h"
#include "VxDataSet.h"
#include "VxDataSetSheet.h"
#include "VxDialogs.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TReportForm::TReportForm(QWidget* parent, const QString& designCaption,
                         const QString& captionPrefix)
    : QDialog(parent), m_captionPrefix(captionPrefix) {
    setWindowTitle(designCaption);
    auto* layout = new QVBoxLayout(this);
    m_toolBar = new QHBoxLayout;
    PrintButton = new QPushButton(tr("&Print"), this);
    ExportButton = new QPushButton(tr("&Export..."), this);
    ExitButton = new QPushButton(tr("E&xit"), this);
    m_toolBar->addWidget(PrintButton);
    m_toolBar->addWidget(ExportButton);
    m_toolBar->addWidget(ExitButton);
    m_toolBar->addStretch(1);
    layout->addLayout(m_toolBar);
    m_source = new TVxDataSource(nullptr, this);
    DBGrid1 = new TVxDBGrid(this);
    DBGrid1->SetDataSource(m_source);
    DBGrid1->verticalHeader()->hide();
    // Enter in the grid does not print.
    for (QPushButton* button : {PrintButton, ExportButton, ExitButton})
        button->setAutoDefault(false);
    layout->addWidget(DBGrid1, 1);
    TotalsLabel = new QLabel(this);
    TotalsLabel->setObjectName(QStringLiteral("TotalsLabel"));
    layout->addWidget(TotalsLabel);
    resize(560, 420);
    connect(PrintButton, &QPushButton::clicked, this, [this] { PrintButtonClick(); });
    connect(ExportButton, &QPushButton::clicked, this, [this] { ExportButtonClick(); });
    connect(ExitButton, &QPushButton::clicked, this, [this] { ExitButtonClick(); });
}

TReportForm::~TReportForm() {
    m_source->SetDataSet(nullptr);
}

void TReportForm::SetDatabase(TSchedDB* db) {
    if (db == m_db) return;
    m_source->SetDataSet(nullptr);
    m_db = db;
    m_data = db ? makeData(*db) : nullptr;
}

int TReportForm::Execute(int scenarioNo, const QString& description) {
    if (m_data) m_data->SetScenarioNo(scenarioNo);
    setWindowTitle(m_captionPrefix + description);
    return VxDialogs::exec(this);
}

QComboBox* TReportForm::addCombo(const QStringList& items, void (TReportForm::*onChange)()) {
    auto* combo = new QComboBox(this);
    combo->addItems(items);
    combo->setCurrentIndex(0);
    // Before the three buttons and the stretch.
    m_toolBar->insertWidget(m_toolBar->count() - 4, combo);
    connect(combo, &QComboBox::currentIndexChanged, this,
            [this, onChange] { VxGuard(this, [this, onChange] { (this->*onChange)(); }); });
    return combo;
}

TVxQuery* TReportForm::ShownQuery() const {
    return static_cast<TVxQuery*>(m_source->DataSet());
}

void TReportForm::showQuery(TVxQuery* query) {
    if (TVxQuery* shown = ShownQuery()) shown->Close();
    TotalsLabel->clear();
    m_source->SetDataSet(query);
    if (!query) return;
    query->Open();
    TotalsLabel->setText(m_data->TotalsText(*query));
}

void TReportForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    VxGuard(this, [this] { FormShow(); });
}

void TReportForm::hideEvent(QHideEvent* event) {
    FormClose();
    QDialog::hideEvent(event);
}

namespace {
// The totals line below the last record, one third of a line apart, on a
// new page when the page is full.
void printTotals(TVxDataPrinter& printer, int& rowTop, const QString& totals) {
    const int height = printer.TextHeight(QStringLiteral("A"));
    int top = rowTop + height / 3;
    if (top + height > printer.PageHeight()) {
        printer.NewPage();
        top = 0;
    }
    printer.TextOut(printer.Margin, top, totals);
    rowTop = top + height;
}

// Puts the printer's handler back however the print ends.
struct TRestoreHandler {
    TVxRowPrintEvent& handler;
    TVxRowPrintEvent saved;
    ~TRestoreHandler() { handler = saved; }
};
} // namespace

void TReportForm::PrintButtonClick() {
    VxGuard(this, [this] {
        if (!Printer) return;
        TVxQuery* shown = ShownQuery();
        Printer->Title = windowTitle();
        Printer->SubTitles.clear();
        Printer->SubTitles << SubTitle();
        Printer->SetDataSet(shown);
        // The paper carries the totals the grid shows; an empty list prints
        // its headers only.
        const QString totals =
            shown && shown->Active() && !shown->IsEmpty() ? m_data->TotalsText(*shown) : QString();
        TRestoreHandler restore{Printer->AfterFinishPrint, Printer->AfterFinishPrint};
        if (!totals.isEmpty())
            Printer->AfterFinishPrint = [totals](TVxDataPrinter* printer, int& rowTop) {
                printTotals(*printer, rowTop, totals);
            };
        Printer->Print();
    });
}

void TReportForm::ExportButtonClick() {
    VxGuard(this, [this] {
        const TVxQuery* shown = ShownQuery();
        if (!shown || !shown->Active()) return;
        ExportSheetAs(this, tr("Export Report"), windowTitle() + QStringLiteral(".xlsx"),
                      [&] { return VxDataSetSheet(*shown, SubTitle()); });
    });
}

void TReportForm::ExitButtonClick() {
    close();
}
