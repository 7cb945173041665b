// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialog that picks a stored scenario to load. It is given the stored
// scenarios and returns the one picked.

#include "ScenarioStore.h"

#include <QDialog>
#include <optional>

class QLabel;
class QPushButton;
class TScenarioGrid;

class TLoadForm : public QDialog {
    Q_OBJECT
public:
    explicit TLoadForm(QWidget* parent = nullptr);

    // Before each showing: the store to list (and delete from) and the
    // scenario to start on (the first when there is none or it is not
    // listed).
    void Prepare(TScenarioStore* store, std::optional<int> currentNo = std::nullopt);
    // The scenario of the selected row, once the dialog closed with OK.
    std::optional<TScenarioInfo> Selected() const;

    QLabel* ScenarioLabel;
    TScenarioGrid* ScenarioGrid;
    QPushButton* OKButton;
    QPushButton* DeleteButton;
    QPushButton* CancelButton;
    // Whether Delete is offered (a dialog that only picks a scenario to
    // compare with deletes nothing).
    bool DeleteAllowed = true;

    void FormShow();
    void ScenarioGridDblClick();
    // Deletes the selected scenario after asking; the dialog stays open.
    void DeleteButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TScenarioStore* m_store = nullptr;
};
