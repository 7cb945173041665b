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

    // Before each showing: the stored scenarios and the one to start on
    // (the first when it is not listed).
    void Prepare(const QVector<TScenarioInfo>& scenarios, int currentNo = 0);
    // The scenario of the selected row, once the dialog closed with OK.
    std::optional<TScenarioInfo> Selected() const;

    QLabel* ScenarioLabel;
    TScenarioGrid* ScenarioGrid;
    QPushButton* OKButton;
    QPushButton* CancelButton;

    void FormShow();
    void ScenarioGridDblClick();

protected:
    void showEvent(QShowEvent* event) override;
};
