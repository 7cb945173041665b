// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoadForm.h"

#include "ScenarioGrid.h"
#include "VxAbort.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
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
    // Apart from OK and Cancel, so a hurried click does not delete.
    DeleteButton = new QPushButton(tr("&Delete"), this);
    DeleteButton->setAutoDefault(false);
    CancelButton = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    OKButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ScenarioGrid, &QAbstractItemView::doubleClicked, this,
            [this] { ScenarioGridDblClick(); });
    auto remove = [this] { VxGuard(this, [this] { DeleteButtonClick(); }); };
    connect(DeleteButton, &QPushButton::clicked, this, remove);
    connect(ScenarioGrid, &TScenarioGrid::DeletePressed, this, remove);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ScenarioLabel);
    layout->addWidget(ScenarioGrid, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(DeleteButton);
    buttonRow->addStretch(1);
    buttonRow->addWidget(buttons);
    layout->addLayout(buttonRow);
    resize(360, 280);
}

void TLoadForm::Prepare(TScenarioStore* store, std::optional<int> currentNo) {
    m_store = store;
    ScenarioGrid->SetScenarios(m_store ? m_store->List() : QVector<TScenarioInfo>{});
    if (!currentNo || !ScenarioGrid->SelectScenario(*currentNo)) ScenarioGrid->SelectRow(0);
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
    DeleteButton->setEnabled(ScenarioGrid->RowCount() > 0);
    DeleteButton->setVisible(DeleteAllowed);
}

void TLoadForm::ScenarioGridDblClick() {
    if (OKButton->isEnabled()) accept();
}

void TLoadForm::DeleteButtonClick() {
    if (!m_store || !DeleteAllowed) return;
    ScenarioGrid->DeleteCurrent(*m_store);
    FormShow();
    ScenarioGrid->setFocus();
}
