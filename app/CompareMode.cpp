// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompareMode.h"

#include "BoardMarks.h"
#include "ComparePanel.h"
#include "LoadForm.h"
#include "OutputRates.h"
#include "PrintForm.h"
#include "VxAbort.h"
#include "VxChangeRows.h"
#include "VxDialogs.h"
#include "VxPlanDocument.h"

#include <QDialog>
#include <QLabel>
#include <QTimer>

TCompareMode::TCompareMode(const TSources& sources, TComparePanel* panel)
    : m_sources(sources), m_panel(panel), m_refreshTimer(new QTimer(panel)) {
    m_panel->hide();
    m_panel->LegendLabel->setText(TBoardMarks::Legend());
    m_panel->OnPrint = [this] { print(); };
    m_panel->OnClose = [this] { Leave(); };
    m_panel->OnChangeChosen = [this](const TVxChangeRow& row) {
        // A row of a list about to be renewed may name what is gone.
        if (m_refreshTimer->isActive()) return;
        if (m_sources.Board) TBoardMarks::Select(*m_sources.Board, m_diff, row);
    };
    m_refreshTimer->setSingleShot(true);
    m_refreshTimer->setInterval(100);
    QObject::connect(m_refreshTimer, &QTimer::timeout, panel,
                     [this] { VxGuard(m_sources.Window, [this] { Refresh(); }); });
    // The marks are laid again once the board has drawn the changed looms.
    QObject::connect(m_sources.Document, &TVxPlanDocument::LoomsChanged, panel, [this] {
        if (Active()) m_refreshTimer->start();
    });
}

TCompareMode::~TCompareMode() = default;

void TCompareMode::ChooseAndCompare() {
    TScenarioStore store(m_sources.Database());
    if (store.List().isEmpty()) {
        VxDialogs::information(m_sources.Window, tr("No scenario is stored yet to compare with."));
        return;
    }
    std::unique_ptr<TLoadForm> ownForm;
    TLoadForm* form = m_sources.LoadForm ? m_sources.LoadForm() : nullptr;
    if (!form) {
        ownForm = std::make_unique<TLoadForm>(m_sources.Window);
        form = ownForm.get();
    }
    // The load dialog under another title and without Delete; it gets its
    // own back for the next load.
    const QString loadTitle = form->windowTitle();
    form->setWindowTitle(tr("Compare With"));
    form->DeleteAllowed = false;
    form->Prepare(&store, m_scenario ? std::optional<int>(m_scenario->ScenarioNo)
                                     : m_sources.CurrentScenarioNo());
    const int result = VxDialogs::exec(form);
    form->setWindowTitle(loadTitle);
    form->DeleteAllowed = true;
    const std::optional<TScenarioInfo> chosen = form->Selected();
    form->Prepare(nullptr);
    if (result == QDialog::Accepted && chosen) CompareWith(*chosen);
}

void TCompareMode::CompareWithSaved() {
    const std::optional<int> no = m_sources.CurrentScenarioNo();
    const std::optional<TScenarioInfo> saved =
        no ? TScenarioStore(m_sources.Database()).Find(*no) : std::nullopt;
    if (!saved) {
        VxDialogs::information(m_sources.Window,
                               tr("This board has not been saved as a scenario yet."));
        return;
    }
    CompareWith(*saved);
}

void TCompareMode::CompareWith(const TScenarioInfo& scenario) {
    QVector<int> looms;
    for (const TVxPlanLoom& loom : m_sources.Document->plan().Looms)
        looms << loom.ScheduleNo;
    // Read whole before anything is shown: a failed read leaves the mode as
    // it was.
    const QSqlDatabase db = m_sources.Database();
    TVxPlan stored = TScenarioStore(db).Load(scenario.ScenarioNo, looms);
    m_rates = ReadOutputRates(db);
    m_stored = std::move(stored);
    m_scenario = scenario;
    showComparison();
}

void TCompareMode::Refresh() {
    m_refreshTimer->stop();
    if (Active()) showComparison();
}

void TCompareMode::Leave() {
    if (!Active()) return;
    m_refreshTimer->stop();
    m_scenario.reset();
    m_stored = TVxPlan();
    m_diff = TVxPlanDiff();
    m_report = TVxCompareReport();
    m_panel->hide();
    if (m_sources.Board) TBoardMarks::Clear(*m_sources.Board);
}

QString TCompareMode::title() const {
    return tr("Board compared with scenario %1 \"%2\"")
        .arg(m_scenario->ScenarioNo)
        .arg(m_scenario->Descr);
}

void TCompareMode::showComparison() {
    const TVxPlan& board = m_sources.Document->plan();
    m_diff = VxComparePlans(m_stored, board);
    m_report.Title = title();
    m_report.BeforeName = tr("Scenario %1").arg(m_scenario->ScenarioNo);
    m_report.AfterName = tr("Board");
    m_report.Changes = VxChangeRows(m_diff, m_sources.Names);
    m_report.Summary = VxCompareOutput(m_stored, board, m_rates,
                                       [this](int no) { return VxLoomName(m_diff, no); });
    const QString counts = m_diff.IsEmpty() ? tr("no differences")
                                            : tr("%1 jobs and %2 fabric items differ")
                                                  .arg(m_diff.JobCount())
                                                  .arg(m_diff.ItemCount());
    m_panel->Show(m_report.Title + QStringLiteral(": ") + counts + QLatin1Char('.'), m_report);
    m_panel->show();
    if (m_sources.Board) TBoardMarks::Show(*m_sources.Board, m_diff);
}

void TCompareMode::print() {
    TPrintForm* form = m_sources.PrintForm ? m_sources.PrintForm() : nullptr;
    if (!form || !Active()) return;
    // An edit not compared yet is compared first.
    if (m_refreshTimer->isActive()) Refresh();
    const TVxCompareReport report = m_report;
    form->Execute(TPrintOutput{[report](QPagedPaintDevice* device) {
                                   VxPrintCompare(device, report, QDateTime::currentDateTime());
                               },
                               [report](const QString& fileName) {
                                   VxWriteCompareFile(fileName, report,
                                                      QDateTime::currentDateTime());
                               }},
                  tr("Compare with %1.txt").arg(m_scenario->Descr));
}
