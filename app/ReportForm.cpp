#include "ReportForm.h"

#include "VxAbort.h"
#include "VxDBGrid.h"
#include "VxDatPrn.h"
#include "VxDataSet.h"
#include "VxDialogs.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TReportForm::TReportForm(QWidget* parent) : QDialog(parent) {
    auto* layout = new QVBoxLayout(this);
    m_toolBar = new QHBoxLayout;
    PrintButton = new QPushButton(QStringLiteral("&Print"), this);
    ExitButton = new QPushButton(QStringLiteral("E&xit"), this);
    m_toolBar->addWidget(PrintButton);
    m_toolBar->addWidget(ExitButton);
    m_toolBar->addStretch(1);
    layout->addLayout(m_toolBar);
    m_source = new TVxDataSource(nullptr, this);
    DBGrid1 = new TVxDBGrid(this);
    DBGrid1->SetDataSource(m_source);
    layout->addWidget(DBGrid1, 1);
    TotalsLabel = new QLabel(this);
    TotalsLabel->setObjectName(QStringLiteral("TotalsLabel"));
    layout->addWidget(TotalsLabel);
    resize(560, 420);
    connect(PrintButton, &QPushButton::clicked, this, [this] { PrintButtonClick(); });
    connect(ExitButton, &QPushButton::clicked, this, [this] { ExitButtonClick(); });
}

QComboBox* TReportForm::addCombo(const QStringList& items) {
    auto* combo = new QComboBox(this);
    combo->addItems(items);
    combo->setCurrentIndex(0);
    m_toolBar->insertWidget(m_toolBar->count() - 3, combo);
    return combo;
}

TVxQuery* TReportForm::ShownQuery() const {
    return static_cast<TVxQuery*>(m_source->DataSet());
}

void TReportForm::showQuery(TVxQuery* query) {
    if (TVxQuery* shown = ShownQuery()) shown->Close();
    m_source->SetDataSet(query);
    TotalsLabel->clear();
    if (!query) return;
    query->Open();
    updateTotals();
}

void TReportForm::updateTotals() {
    const TVxQuery* shown = ShownQuery();
    TotalsLabel->setText(shown ? totalsText(*shown) : QString());
}

int TReportForm::execute(const QString& captionPrefix, const QString& description) {
    setWindowTitle(captionPrefix + description);
    return VxDialogs::exec(this);
}

void TReportForm::PrintButtonClick() {
    VxGuard(this, [this] {
        if (!Printer) return;
        Printer->Title = windowTitle();
        Printer->SubTitles.clear();
        Printer->SubTitles << SubTitle();
        Printer->SetDataSet(ShownQuery());
        Printer->Print();
    });
}

void TReportForm::ExitButtonClick() {
    close();
}
