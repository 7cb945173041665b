// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScenarioGrid.h"

#include "VxAbort.h"
#include "VxDialogs.h"

#include <QHeaderView>
#include <QKeyEvent>

void TScenarioListModel::SetScenarios(const QVector<TScenarioInfo>& scenarios) {
    beginResetModel();
    m_scenarios = scenarios;
    endResetModel();
}

int TScenarioListModel::RowOf(int scenarioNo) const {
    for (int i = 0; i < m_scenarios.size(); ++i)
        if (m_scenarios[i].ScenarioNo == scenarioNo) return i;
    return -1;
}

int TScenarioListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_scenarios.size());
}

int TScenarioListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant TScenarioListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    const TScenarioInfo& s = m_scenarios[index.row()];
    return index.column() == 0 ? QVariant(s.ScenarioNo) : QVariant(s.Descr);
}

QVariant TScenarioListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section == 0 ? TScenarioGrid::tr("Number") : TScenarioGrid::tr("Description");
}

// ---------------------------------------------------------------------------

TScenarioGrid::TScenarioGrid(QWidget* parent)
    : QTableView(parent), m_model(new TScenarioListModel(this)) {
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    // The selection stays visible when the focus is in the edits.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight,
               p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText,
               p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    setColumnWidth(0, 8 * charWidth + 12);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { emit CurrentChanged(); });
}

void TScenarioGrid::SetScenarios(const QVector<TScenarioInfo>& scenarios) {
    const std::optional<TScenarioInfo> was = Current();
    const int wasRow = currentIndex().row();
    {
        // One notification for the whole re-read, below.
        const QSignalBlocker block(selectionModel());
        m_model->SetScenarios(scenarios);
        int row = was ? m_model->RowOf(was->ScenarioNo) : -1;
        if (row < 0) row = std::min(std::max(wasRow, 0), RowCount() - 1);
        SelectRow(row);
    }
    emit CurrentChanged();
}

std::optional<TScenarioInfo> TScenarioGrid::Current() const {
    const int row = currentIndex().row();
    if (row < 0 || row >= RowCount()) return std::nullopt;
    return m_model->Scenarios()[row];
}

bool TScenarioGrid::SelectScenario(int scenarioNo) {
    const int row = m_model->RowOf(scenarioNo);
    if (row < 0) return false;
    SelectRow(row);
    return true;
}

void TScenarioGrid::SelectRow(int row) {
    if (row < 0 || row >= RowCount()) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = m_model->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
}

QRect TScenarioGrid::RowRect(int row) const {
    return visualRect(m_model->index(row, 1));
}

bool TScenarioGrid::DeleteCurrent(TScenarioStore& store) {
    const std::optional<TScenarioInfo> row = Current();
    if (!row) return false;
    if (VxDialogs::confirmDiscard(this, tr("Delete this scenario?"), VxButtons::YesNoCancel) !=
        QMessageBox::Yes)
        return false;
    // A failed deletion is rolled back by the store and said so here: a
    // scenario that silently stays would look deleted until the next look.
    bool deleted = true;
    try {
        store.Delete(row->ScenarioNo);
    } catch (const EVxError& e) {
        VxDialogs::error(this, e.message(), e.details());
        deleted = false;
    }
    SetScenarios(store.List());
    return deleted;
}

void TScenarioGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier && Current()) {
        emit DeletePressed();
        return;
    }
    QTableView::keyPressEvent(event);
}
