// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stored scenarios as the load and save dialogs list them: a read-only
// grid with whole-row selection, columns "Number" and "Description", and a
// current row that survives a re-read of the list.

#include "ScenarioStore.h"

#include <QAbstractTableModel>
#include <QTableView>
#include <optional>

class TScenarioListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetScenarios(const QVector<TScenarioInfo>& scenarios);
    const QVector<TScenarioInfo>& Scenarios() const { return m_scenarios; }
    int RowOf(int scenarioNo) const; // -1 when not listed

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVector<TScenarioInfo> m_scenarios;
};

class TScenarioGrid : public QTableView {
    Q_OBJECT
public:
    explicit TScenarioGrid(QWidget* parent = nullptr);

    // Lists scenarios, keeping the row of the scenario that was current (or
    // the one in its place after a deletion).
    void SetScenarios(const QVector<TScenarioInfo>& scenarios);
    int RowCount() const { return m_model->rowCount(); }
    std::optional<TScenarioInfo> Current() const;
    // Makes the scenario's row current; false when it is not listed.
    bool SelectScenario(int scenarioNo);
    void SelectRow(int row);
    // The scenario of a row, for driving the grid with the mouse.
    QRect RowRect(int row) const;
    // Asks "Delete this scenario?" (No unless the planner says Yes), deletes
    // the current row's scenario from store and lists the store again; a
    // failure is shown. True when it was deleted.
    bool DeleteCurrent(TScenarioStore& store);

signals:
    // The current row moved to another scenario (or the list emptied).
    void CurrentChanged();
    // The Delete key was pressed on a row.
    void DeletePressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TScenarioListModel* m_model;
};
