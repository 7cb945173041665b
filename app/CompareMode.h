// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Comparing the board with a stored scenario: choosing the scenario (or the
// last saved state of the loaded one), reading it from the store, the
// comparison with its change list and output summary in the panel beside
// the board, and their printout and export. Comparing never changes the
// board; leaving the mode hides the panel.

#include "ScenarioStore.h"
#include "VxComparePrn.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <functional>
#include <memory>
#include <optional>

class QTimer;
class QWidget;
class TBoardView;
class TComparePanel;
class TLoadForm;
class TPrintForm;
class TVxPlanDocument;

class TCompareMode {
    Q_DECLARE_TR_FUNCTIONS(TCompareMode)

public:
    // What the mode reads of the main window.
    struct TSources {
        QWidget* Window = nullptr;
        // The board's plan, compared again whenever it changes.
        TVxPlanDocument* Document = nullptr;
        // The board the marks go on (none: no marks).
        TBoardView* Board = nullptr;
        // The stored scenario the board is linked to, if any.
        std::function<std::optional<int>()> CurrentScenarioNo;
        std::function<QSqlDatabase()> Database;
        TVxCompareNames Names;
        // The scenario dialog and the print options (either may be null).
        std::function<TLoadForm*()> LoadForm;
        std::function<TPrintForm*()> PrintForm;
    };

    TCompareMode(const TSources& sources, TComparePanel* panel);
    ~TCompareMode();

    // "Compare with...": the stored scenarios, starting on the linked one.
    void ChooseAndCompare();
    // The linked scenario as last saved.
    void CompareWithSaved();
    void CompareWith(const TScenarioInfo& scenario);
    // Compares the board again with the same scenario (after an edit).
    void Refresh();
    void Leave();

    bool Active() const { return m_scenario.has_value(); }
    const TVxPlanDiff& Diff() const { return m_diff; }
    const TVxCompareReport& Report() const { return m_report; }

private:
    void showComparison();
    void print();
    QString title() const;

    TSources m_sources;
    TComparePanel* m_panel;
    // Edits that come in a burst are compared once, after the last.
    QTimer* m_refreshTimer;
    std::optional<TScenarioInfo> m_scenario;
    TVxPlan m_stored;
    TVxOutputRates m_rates;
    TVxPlanDiff m_diff;
    TVxCompareReport m_report;
};
