// SPDX-License-Identifier: GPL-3.0-or-later
#include "ItemForm.h"

#include "VxAbort.h"
#include "VxConvert.h"
#include "VxUpDown.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

namespace {
// Focus handed to the pieces comes with its text selected, so what the user
// types next replaces the count instead of being appended to it.
void focusSelected(QLineEdit* edit) {
    edit->setFocus();
    edit->selectAll();
}
} // namespace

TItemForm::TItemForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Fabric"));
    TypeCombo = new QComboBox(this);
    TypeCombo->setEditable(false);
    TypeCombo->setMinimumContentsLength(18);
    TypeCombo->setMinimumWidth(240);
    TypeLabel = new QLabel(tr("&Type"), this);
    TypeLabel->setBuddy(TypeCombo);

    PiecesEdit = new QLineEdit(QStringLiteral("1"), this);
    PiecesEdit->setMaximumWidth(60);
    PiecesLabel = new QLabel(tr("&Pieces"), this);
    PiecesLabel->setBuddy(PiecesEdit);
    PiecesUpDown = new TVxUpDown(this);
    PiecesUpDown->Min = 1;
    PiecesUpDown->Max = 50;
    PiecesUpDown->Wrap = false;
    PiecesUpDown->SetAssociate(PiecesEdit);
    PiecesUpDown->SetPosition(1);

    OKButton = new QPushButton(tr("OK"), this);
    OKButton->setDefault(true);
    OKButton->setEnabled(false);
    CancelButton = new QPushButton(tr("Cancel"), this);
    CancelButton->setAutoDefault(false);

    auto* pieces = new QHBoxLayout;
    pieces->setSpacing(0);
    pieces->addWidget(PiecesEdit);
    pieces->addWidget(PiecesUpDown);
    pieces->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);

    auto* grid = new QGridLayout(this);
    grid->addWidget(TypeLabel, 0, 0);
    grid->addWidget(TypeCombo, 0, 1);
    grid->addWidget(PiecesLabel, 1, 0);
    grid->addLayout(pieces, 1, 1);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(TypeCombo, &QComboBox::currentIndexChanged, this, [this] { TypeOrPiecesChange(); });
    connect(PiecesEdit, &QLineEdit::textChanged, this, [this] { TypeOrPiecesChange(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TItemForm::SetFabrics(const QStringList& fabricKeys) {
    TypeCombo->clear();
    TypeCombo->addItems(fabricKeys);
    TypeCombo->setCurrentIndex(-1);
    TypeCombo->setEnabled(true);
}

void TItemForm::SetFixedFabric(const QString& fabricKey) {
    TypeCombo->clear();
    TypeCombo->addItem(fabricKey);
    TypeCombo->setCurrentIndex(0);
    TypeCombo->setEnabled(false);
}

QString TItemForm::SelectedFabric() const {
    return TypeCombo->currentIndex() < 0 ? QString() : TypeCombo->currentText();
}

int TItemForm::Pieces() const {
    return VxStrToInt(PiecesEdit->text());
}

bool TItemForm::OkAllowed() const {
    return TypeCombo->currentIndex() >= 0 && !PiecesEdit->text().isEmpty();
}

void TItemForm::TypeOrPiecesChange() {
    if (!isVisible()) return;
    OKButton->setEnabled(OkAllowed());
    // While the user types in the pieces, the focus is already there and the
    // text must stay as typed.
    if (focusWidget() != PiecesEdit) focusSelected(PiecesEdit);
}

void TItemForm::CheckOk() {
    // Read wide, so that a count beyond what an item holds is refused as
    // over capacity rather than wrapped.
    bool isNumber = false;
    const long long pieces = PiecesEdit->text().trimmed().toLongLong(&isNumber, 10);
    if (!isNumber) Pieces(); // throws the usual message
    // Fewer than one piece is no band of fabric; a negative count would
    // also hand capacity back to the warp that its other fabrics then use.
    if (pieces < 1) throw EVxError(tr("The number of pieces must be at least 1"));
    CheckCapacity(Left, FabricStruOf(SelectedFabric()), pieces - OldPieces, Refs);
    if (pieces > std::numeric_limits<int32_t>::max()) // only a weightless, lengthless fabric
        throw EVxError(
            tr("The number of pieces must be at most %1").arg(std::numeric_limits<int32_t>::max()));
}

void TItemForm::OKButtonClick() {
    bool passed = false;
    VxGuard(this, [&] {
        try {
            CheckOk();
            passed = true;
        } catch (...) {
            focusSelected(PiecesEdit);
            throw;
        }
    });
    if (passed) accept();
}

void TItemForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    OKButton->setEnabled(false);
    if (TypeCombo->isEnabled()) TypeCombo->setFocus();
}
