// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fabric item dialog: picks a fabric for a warp job and its number of
// pieces, and refuses an OK that would over-fill the warp.
//
// The controller fills it (caption, Left, OldPieces, the fabric list,
// the pieces text), runs it through VxDialogs::exec and reads SelectedFabric()
// and Pieces() after an OK.

#include "VxWeaPlan.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TVxUpDown;

class TItemForm : public QDialog {
    Q_OBJECT
public:
    explicit TItemForm(QWidget* parent = nullptr);

    QLabel* TypeLabel;
    QComboBox* TypeCombo;
    QLabel* PiecesLabel;
    QLineEdit* PiecesEdit;
    TVxUpDown* PiecesUpDown;
    QPushButton* OKButton;
    QPushButton* CancelButton;

    // What the warp the item belongs to (or will be added to) can still
    // take, with the item as it is.
    TVxWarpRemaining Left;
    // The item's piece count before editing; 0 when adding.
    int OldPieces = 0;
    // Reference tables for the capacity check on OK.
    TVxWeaveRefs Refs;

    // Adding: every fabric the warp can take, none chosen yet, list enabled.
    void SetFabrics(const QStringList& fabricKeys);
    // Editing: only the item's own fabric, chosen and fixed.
    void SetFixedFabric(const QString& fabricKey);
    QString SelectedFabric() const;
    // The pieces text as a number; throws EVxError when it is none.
    int Pieces() const;

    // OK is allowed once a fabric is chosen and the pieces text is not empty.
    bool OkAllowed() const;
    // A change of fabric or pieces while shown: OK state, focus to pieces.
    void TypeOrPiecesChange();
    // The OK test: a whole number of at least one piece that fits the warp.
    // Throws EVxError with the message to show.
    void CheckOk();
    // Runs the OK test; closes with OK when it passes, otherwise shows the
    // error and leaves the dialog open with the focus on the pieces.
    void OKButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
};
