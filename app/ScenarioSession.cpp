// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScenarioSession.h"

#include "SchedData.h"
#include "VxAbort.h"
#include "VxPlanCommand.h"

TScenarioSession::TScenarioSession(TVxPlanDocument& doc, QObject* parent)
    : QObject(parent), m_doc(doc) {}

bool TScenarioSession::Connected() const {
    return Data && Data->SchedDB.Opened();
}

std::unique_ptr<TThreadedScenarioStore> TScenarioSession::Store() const {
    if (!Connected()) throw EVxError(tr("No database is open"));
    return std::make_unique<TThreadedScenarioStore>(Data->StoreThread());
}

void TScenarioSession::Save(int scenarioNo, const QString& descr, TScenarioSaveMode mode,
                            const TScenarioStore::Progress& progress,
                            const std::function<void()>& poll, bool theirsSeen) {
    std::optional<TScenarioStamp> known;
    if (!theirsSeen && m_stamp && m_stamp->ScenarioNo == scenarioNo) known = m_stamp;
    const std::unique_ptr<TThreadedScenarioStore> store = Store();
    store->Poll = poll;
    m_stamp = store->Save(scenarioNo, descr, m_doc.plan(), mode, progress, known);
    m_doc.SetScenarioLink({scenarioNo, descr});
    m_doc.SetClean();
}

QMap<int, int> TScenarioSession::Load(const TScenarioInfo& scenario,
                                      const std::function<void()>& poll) {
    QVector<int> looms;
    for (const TVxPlanLoom& loom : m_doc.plan().Looms)
        looms << loom.ScheduleNo;
    // Read whole before the plan changes: a failed read leaves it as it was.
    QMap<int, int> missingLooms;
    TScenarioStamp stamp;
    const std::unique_ptr<TThreadedScenarioStore> store = Store();
    store->Poll = poll;
    const TVxPlan stored = store->Load(scenario.ScenarioNo, looms, &missingLooms, &stamp);
    store->Poll = nullptr;
    m_stamp = stamp;
    m_doc.Push(new TVxLoadCommand(m_doc, stored, {scenario.ScenarioNo, scenario.Descr}));
    return missingLooms;
}

void TScenarioSession::Clear() {
    m_doc.Push(new TVxClearScenarioCommand(m_doc));
}

void TScenarioSession::Deleted(int scenarioNo) {
    if (CurrentScenarioNo() != scenarioNo) return;
    m_stamp.reset();
    m_doc.SetScenarioLink({});
    // The plan is stored nowhere now: leaving it asks first.
    m_doc.ForgetClean();
}
