#include "LoadForm.h"

#include "ScenarioGrid.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TLoadForm::TLoadForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Load Scenario"));
    setModal(true);
    ScenarioLabel = new QLabel(tr("Stored Scenarios"), this);
    ScenarioGrid = new TScenarioGrid(this);
    ScenarioLabel->setBuddy(ScenarioGrid);
    auto* buttons = new QDialogButtonBox(this);
    OKButton = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    CancelButton = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    OKButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ScenarioGrid, &QAbstractItemView::doubleClicked, this,
            [this] { ScenarioGridDblClick(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ScenarioLabel);
    layout->addWidget(ScenarioGrid, 1);
    layout->addWidget(buttons);
    resize(320, 280);
}

void TLoadForm::Prepare(const QVector<TScenarioInfo>& scenarios, int currentNo) {
    ScenarioGrid->SetScenarios(scenarios);
    if (!ScenarioGrid->SelectScenario(currentNo)) ScenarioGrid->SelectRow(0);
    FormShow();
}

std::optional<TScenarioInfo> TLoadForm::Selected() const {
    return ScenarioGrid->Current();
}

void TLoadForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TLoadForm::FormShow() {
    OKButton->setEnabled(ScenarioGrid->RowCount() > 0);
}

void TLoadForm::ScenarioGridDblClick() {
    if (OKButton->isEnabled()) accept();
}
