#include "CompareMode.h"

#include "ComparePanel.h"
#include "LoadUnit.h"
#include "OutputRates.h"
#include "PrnUnit.h"
#include "VxAbort.h"
#include "VxDialogs.h"

#include <QDialog>

TCompareMode::TCompareMode(const TSources& sources, TComparePanel* panel)
    : m_sources(sources), m_panel(panel) {
    m_panel->hide();
    m_panel->OnPrint = [this] { print(); };
    m_panel->OnClose = [this] { Leave(); };
}

TCompareMode::~TCompareMode() = default;

void TCompareMode::ChooseAndCompare() {
    TScenarioStore store(m_sources.Database());
    const QVector<TScenarioInfo> stored = store.List();
    if (stored.isEmpty()) {
        VxDialogs::information(m_sources.Window,
                               QStringLiteral("No scenario is stored yet to compare with."));
        return;
    }
    std::unique_ptr<TLoadForm> ownForm;
    TLoadForm* form = m_sources.LoadForm ? m_sources.LoadForm() : nullptr;
    if (!form) {
        ownForm = std::make_unique<TLoadForm>(m_sources.Window);
        form = ownForm.get();
    }
    // The dialog is the load dialog under another title; it gets its own
    // back for the next load.
    const QString loadTitle = form->windowTitle();
    form->setWindowTitle(QStringLiteral("Compare With"));
    form->Prepare(stored, m_scenario ? m_scenario->ScenarioNo : m_sources.CurrentScenarioNo());
    const int result = VxDialogs::exec(form);
    form->setWindowTitle(loadTitle);
    const std::optional<TScenarioInfo> chosen = form->Selected();
    if (result == QDialog::Accepted && chosen) CompareWith(*chosen);
}

void TCompareMode::CompareWithSaved() {
    const int no = m_sources.CurrentScenarioNo();
    const std::optional<TScenarioInfo> saved =
        no == 0 ? std::nullopt : TScenarioStore(m_sources.Database()).Find(no);
    if (!saved) {
        VxDialogs::information(m_sources.Window,
                               QStringLiteral("This board has not been saved as a scenario yet."));
        return;
    }
    CompareWith(*saved);
}

void TCompareMode::CompareWith(const TScenarioInfo& scenario) {
    const TVxPlan board = m_sources.BoardPlan();
    QVector<int> looms;
    for (const TVxPlanLoom& loom : board.Looms)
        looms << loom.ScheduleNo;
    // Read whole before anything is shown: a failed read leaves the mode as
    // it was.
    m_stored = TScenarioStore(m_sources.Database()).Load(scenario.ScenarioNo, looms);
    m_scenario = scenario;
    compare(board);
}

void TCompareMode::Refresh() {
    if (Active()) compare(m_sources.BoardPlan());
}

void TCompareMode::Leave() {
    if (!Active()) return;
    m_scenario.reset();
    m_stored = TVxPlan();
    m_diff = TVxPlanDiff();
    m_report = TVxCompareReport();
    m_panel->hide();
    if (OnChanged) OnChanged();
}

QString TCompareMode::title() const {
    return QStringLiteral("Board compared with scenario %1 \"%2\"")
        .arg(m_scenario->ScenarioNo)
        .arg(m_scenario->Descr);
}

void TCompareMode::compare(const TVxPlan& board) {
    m_diff = VxComparePlans(m_stored, board);
    m_report.Title = title();
    m_report.BeforeName = QStringLiteral("Scenario %1").arg(m_scenario->ScenarioNo);
    m_report.AfterName = QStringLiteral("Board");
    m_report.Changes = VxChangeRows(m_diff, m_sources.Names);
    m_report.Summary = VxCompareOutput(m_stored, board, ReadOutputRates(m_sources.Database()),
                                       m_sources.Names.Loom);
    const QString counts = m_diff.IsEmpty() ? QStringLiteral("no differences")
                                            : QStringLiteral("%1 jobs and %2 fabric items differ")
                                                  .arg(m_diff.JobCount())
                                                  .arg(m_diff.ItemCount());
    m_panel->Show(m_report.Title + QStringLiteral(": ") + counts + QLatin1Char('.'), m_report);
    m_panel->show();
    if (OnChanged) OnChanged();
}

void TCompareMode::print() {
    TPrintForm* form = m_sources.PrintForm ? m_sources.PrintForm() : nullptr;
    if (!form || !Active()) return;
    const TVxCompareReport report = m_report;
    form->Execute(TPrintOutput{[report](QPagedPaintDevice* device) {
                                   VxPrintCompare(device, report, QDateTime::currentDateTime());
                               },
                               [report](const QString& fileName) {
                                   VxWriteCompareFile(fileName, report,
                                                      QDateTime::currentDateTime());
                               }},
                  QStringLiteral("Compare with %1.txt").arg(m_scenario->Descr));
}
