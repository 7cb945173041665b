#pragma once
// The planner's session with the stored scenarios: the store of the open
// database, which stored scenario the plan is linked to (its number and
// name; none after a clear or at start, which is not scenario 0), and the
// plan's clean state. Saving, loading and clearing go through here; the
// dialogs that choose what to save or load stay with the window.

#include "ScenarioStore.h"
#include "VxPlanDocument.h"

#include <QMap>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>

class TSchedData;

class TScenarioSession : public QObject {
    Q_OBJECT
public:
    explicit TScenarioSession(TVxPlanDocument& doc, QObject* parent = nullptr);

    // The open database's tables (none in text mode); not owned.
    TSchedData* Data = nullptr;
    bool Connected() const;
    // Throws EVxError "No database is open" without one.
    std::unique_ptr<TScenarioStore> Store() const;

    // The stored scenario the plan is linked to; none while unsaved or
    // cleared.
    std::optional<int> CurrentScenarioNo() const { return m_doc.ScenarioLink().ScenarioNo; }
    QString ScenarioName() const { return m_doc.ScenarioLink().Name; }
    bool IsModified() const { return m_doc.IsModified(); }

    // Stores the plan; on success the plan is linked to it and clean.
    // Throws EVxError with nothing changed on failure.
    void Save(int scenarioNo, const QString& descr, TScenarioSaveMode mode,
              const TScenarioStore::Progress& progress = {});
    // Reads the stored scenario whole, then puts it on the plan as one step
    // ("Load <name>"); a failed read changes nothing. Returns the jobs left
    // in the store for want of their loom, by loom number.
    QMap<int, int> Load(const TScenarioInfo& scenario);
    // Every loom emptied as one step, at the clean point, linked to none.
    void Clear();
    // A stored scenario was deleted: the plan is no longer linked to it,
    // and counts as modified.
    void Deleted(int scenarioNo);

private:
    // Makes the scenario the current row of the Scenario table, re-read.
    void selectScenario(int scenarioNo);

    TVxPlanDocument& m_doc;
};
