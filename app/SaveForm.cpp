// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveForm.h"

#include "ScenarioGrid.h"
#include "VxAbort.h"
#include "VxDialogs.h"
#include "VxNumbers.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

TSaveForm::TSaveForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Save Scenario"));
    setModal(true);

    NumberLabel = new QLabel(tr("Scenario &Number:"), this);
    NumberEdit = new QLineEdit(this);
    NumberLabel->setBuddy(NumberEdit);
    NumberButton = new QPushButton(tr("&Next Available"), this);
    NumberButton->setAutoDefault(false);
    DescrLabel = new QLabel(tr("&Description:"), this);
    DescrEdit = new QLineEdit(this);
    // What the database keeps: typing stops there instead of being cut.
    DescrEdit->setMaxLength(TScenarioStore::DescrLength);
    DescrLabel->setBuddy(DescrEdit);
    ScenarioLabel = new QLabel(tr("&Stored Scenarios"), this);
    ScenarioGrid = new TScenarioGrid(this);
    ScenarioLabel->setBuddy(ScenarioGrid);

    ScenarioMenu = new QMenu(this);
    EditItem = ScenarioMenu->addAction(tr("&Edit"));
    DeleteItem = ScenarioMenu->addAction(tr("&Delete"));
    ScenarioGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ScenarioGrid, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        ScenarioMenu->popup(ScenarioGrid->viewport()->mapToGlobal(pos));
    });

    auto* buttons = new QDialogButtonBox(this);
    OKButton = buttons->addButton(tr("OK"), QDialogButtonBox::ActionRole);
    CancelButton = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    OKButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto guarded = [this](void (TSaveForm::*handler)()) {
        return [this, handler] { VxGuard(this, [this, handler] { (this->*handler)(); }); };
    };
    connect(OKButton, &QPushButton::clicked, this, guarded(&TSaveForm::OKButtonClick));
    connect(NumberButton, &QPushButton::clicked, this, guarded(&TSaveForm::NumberButtonClick));
    connect(EditItem, &QAction::triggered, this, guarded(&TSaveForm::EditItemClick));
    connect(DeleteItem, &QAction::triggered, this, guarded(&TSaveForm::DeleteItemClick));
    connect(ScenarioGrid, &TScenarioGrid::DeletePressed, this,
            guarded(&TSaveForm::DeleteItemClick));
    connect(ScenarioGrid, &QAbstractItemView::clicked, this,
            guarded(&TSaveForm::ScenarioGridCellClick));
    connect(ScenarioGrid, &QAbstractItemView::doubleClicked, this,
            guarded(&TSaveForm::ScenarioGridDblClick));
    connect(ScenarioGrid, &TScenarioGrid::CurrentChanged, this, [this] {
        if (m_followRow) ScenarioSourceDataChange();
    });

    auto* fields = new QGridLayout;
    fields->addWidget(NumberLabel, 0, 0);
    fields->addWidget(NumberEdit, 0, 1);
    fields->addWidget(NumberButton, 0, 2);
    fields->addWidget(DescrLabel, 1, 0);
    fields->addWidget(DescrEdit, 1, 1, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(ScenarioLabel);
    layout->addWidget(ScenarioGrid, 1);
    layout->addWidget(buttons);
    resize(360, 320);
}

void TSaveForm::Prepare(TScenarioStore* store, int nextAvailable) {
    m_store = store;
    m_nextAvailable = nextAvailable;
    // Past the largest number there is none to propose: the planner types one.
    const bool none = nextAvailable == VxNoNextNumber;
    NumberEdit->setText(none ? QString() : QString::number(nextAvailable));
    DescrEdit->setText(none ? QString() : tr("Scenario %1").arg(nextAvailable));
    // Filled without copying the rows into the edits: the proposal stands
    // until the user picks a row.
    m_followRow = false;
    ScenarioGrid->SetScenarios(m_store ? m_store->List() : QVector<TScenarioInfo>{});
    ScenarioSourceStateChange();
}

TScenarioStore& TSaveForm::store() const {
    if (!m_store) throw EVxError(tr("No database is open"));
    return *m_store;
}

int TSaveForm::ScenarioNo() const {
    return NumberEdit->text().toInt();
}

QString TSaveForm::Descr() const {
    return DescrEdit->text();
}

void TSaveForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TSaveForm::hideEvent(QHideEvent* event) {
    FormHide();
    QDialog::hideEvent(event);
}

void TSaveForm::FormShow() {
    m_followRow = true;
}

void TSaveForm::FormHide() {
    m_followRow = false;
}

void TSaveForm::reread() {
    ScenarioGrid->SetScenarios(store().List());
    ScenarioSourceStateChange();
}

void TSaveForm::ScenarioSourceDataChange() {
    const std::optional<TScenarioInfo> row = ScenarioGrid->Current();
    if (!row) return;
    NumberEdit->setText(QString::number(row->ScenarioNo));
    DescrEdit->setText(row->Descr);
}

void TSaveForm::ScenarioSourceStateChange() {
    const bool rows = ScenarioGrid->RowCount() > 0;
    EditItem->setEnabled(rows);
    DeleteItem->setEnabled(rows);
}

void TSaveForm::ScenarioGridCellClick() {
    if (ScenarioGrid->RowCount() > 0) ScenarioSourceDataChange();
}

void TSaveForm::ScenarioGridDblClick() {
    if (ScenarioGrid->RowCount() > 0) OKButtonClick();
}

void TSaveForm::NumberButtonClick() {
    VxRequireNextNumber(m_nextAvailable, TVxNumbered::Scenario);
    NumberEdit->setText(QString::number(m_nextAvailable));
    DescrEdit->setText(tr("Scenario %1").arg(m_nextAvailable));
    DescrEdit->setFocus();
}

void TSaveForm::OKButtonClick() {
    bool isNumber = false;
    const int number = NumberEdit->text().trimmed().toInt(&isNumber);
    if (!isNumber) {
        VxDialogs::error(this, tr("A valid number must be entered."));
        NumberEdit->setFocus();
        return;
    }
    const std::optional<TScenarioInfo> stored = store().Find(number);
    if (!stored) {
        done(SaveNew);
        return;
    }
    // The lookup makes the stored row current, which puts its number and
    // description into the edits.
    ScenarioGrid->SetScenarios(store().List());
    ScenarioGrid->SelectScenario(number);
    ScenarioSourceDataChange();
    const QString question =
        tr("Overwrite scenario \"%1\" stored under the same number?").arg(stored->Descr);
    switch (VxDialogs::confirm(this, question, VxButtons::YesNoCancel)) {
    case QMessageBox::Yes:
        done(SaveOverwrite);
        break;
    case QMessageBox::No:
        NumberButtonClick();
        break;
    default:
        reject();
        break;
    }
}

void TSaveForm::EditItemClick() {
    const std::optional<TScenarioInfo> row = ScenarioGrid->Current();
    if (!row) return;
    QString text = row->Descr;
    if (!VxDialogs::inputQuery(this, tr("Edit Scenario Description"), tr("Description"), text))
        return;
    try {
        store().Describe(row->ScenarioNo, text);
    } catch (const EVxError& e) {
        VxDialogs::error(this, e.message(), e.details());
    }
    reread();
}

void TSaveForm::DeleteItemClick() {
    // The edits go back to a new number: the row that moved into the
    // deleted one's place is no scenario the planner asked to overwrite.
    if (ScenarioGrid->DeleteCurrent(store())) {
        m_nextAvailable = VxNextAfter(store().MaxScenarioNo());
        NumberButtonClick();
    }
    ScenarioSourceStateChange();
}
