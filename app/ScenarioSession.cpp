#include "ScenarioSession.h"

#include "SchedData.h"
#include "VxAbort.h"
#include "VxPlanCommand.h"

TScenarioSession::TScenarioSession(TVxPlanDocument& doc, QObject* parent)
    : QObject(parent), m_doc(doc) {}

bool TScenarioSession::Connected() const {
    return Data && Data->SchedDB.Connected();
}

std::unique_ptr<TScenarioStore> TScenarioSession::Store() const {
    if (!Connected()) throw EVxError(tr("No database is open"));
    return std::make_unique<TScenarioStore>(Data->SchedDB.Database());
}

void TScenarioSession::Save(int scenarioNo, const QString& descr, TScenarioSaveMode mode,
                            const TScenarioStore::Progress& progress) {
    Store()->Save(scenarioNo, descr, m_doc.plan(), mode, progress);
    selectScenario(scenarioNo);
    m_doc.SetScenarioLink({scenarioNo, descr});
    m_doc.SetClean();
}

QMap<int, int> TScenarioSession::Load(const TScenarioInfo& scenario) {
    QVector<int> looms;
    for (const TVxPlanLoom& loom : m_doc.plan().Looms)
        looms << loom.ScheduleNo;
    // Read whole before the plan changes: a failed read leaves it as it was.
    QMap<int, int> missingLooms;
    const TVxPlan stored = Store()->Load(scenario.ScenarioNo, looms, &missingLooms);
    selectScenario(scenario.ScenarioNo);
    m_doc.Push(new TVxLoadCommand(m_doc, stored, {scenario.ScenarioNo, scenario.Descr}));
    return missingLooms;
}

void TScenarioSession::Clear() {
    m_doc.Push(new TVxClearScenarioCommand(m_doc));
}

void TScenarioSession::Deleted(int scenarioNo) {
    if (CurrentScenarioNo() != scenarioNo) return;
    m_doc.SetScenarioLink({});
    // The plan is stored nowhere now: leaving it asks first.
    m_doc.ForgetClean();
}

void TScenarioSession::selectScenario(int scenarioNo) {
    if (!Data) return;
    TVxTable& scenario = Data->Scenario;
    if (!scenario.Active()) return;
    const bool same =
        scenario.RecNo() >= 0 && scenario.AsInteger(QStringLiteral("SCENARIONO")) == scenarioNo;
    scenario.Refresh();
    scenario.FindKey({scenarioNo});
    // The details follow a new master row by themselves; the same row
    // rewritten needs them read again.
    if (same)
        for (TVxTable* detail :
             {&Data->ReedJob, &Data->WeaveJob, &Data->WeaveItem, &Data->DowntimeJob})
            detail->Refresh();
}
