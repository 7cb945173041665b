// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialog that names the scenario to save: a number and a description,
// the stored scenarios to pick one to overwrite, and a menu to rename or
// delete a stored scenario. It works on the scenario store it is given and
// returns the choice; the main window does the saving.

#include "ScenarioStore.h"

#include <QDialog>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class TScenarioGrid;

class TSaveForm : public QDialog {
    Q_OBJECT
public:
    // Result codes besides Rejected (Cancel): save as a new scenario, or
    // overwrite the stored one of that number.
    enum { SaveNew = QDialog::Accepted, SaveOverwrite = 6 };

    explicit TSaveForm(QWidget* parent = nullptr);

    // Before each showing: the store to list and edit, and the proposed
    // number (the highest stored + 1), also put into the edits.
    void Prepare(TScenarioStore* store, int nextAvailable);
    int NextAvailable() const { return m_nextAvailable; }
    // The choice once the dialog closed with SaveNew or SaveOverwrite.
    int ScenarioNo() const;
    QString Descr() const;

    QLabel* NumberLabel;
    QLineEdit* NumberEdit;
    QPushButton* NumberButton;
    QLabel* DescrLabel;
    QLineEdit* DescrEdit;
    QLabel* ScenarioLabel;
    TScenarioGrid* ScenarioGrid;
    QMenu* ScenarioMenu;
    QAction* EditItem;
    QAction* DeleteItem;
    QPushButton* OKButton;
    QPushButton* CancelButton;

    void OKButtonClick();
    void NumberButtonClick();
    void EditItemClick();
    void DeleteItemClick();
    void ScenarioGridCellClick();
    void ScenarioGridDblClick();
    void ScenarioSourceStateChange();
    void ScenarioSourceDataChange();
    void FormShow();
    void FormHide();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void reread();
    TScenarioStore& store() const;

    TScenarioStore* m_store = nullptr;
    int m_nextAvailable = 1;
    // While shown, the current row's changes are copied into the edits.
    bool m_followRow = false;
};
