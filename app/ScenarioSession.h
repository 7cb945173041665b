// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The planner's session with the stored scenarios: the store of the open
// database, which stored scenario the plan is linked to (its number and
// name; none after a clear or at start, which is not scenario 0), and the
// plan's clean state. Saving, loading and clearing go through here; the
// dialogs that choose what to save or load stay with the window.

#include "ThreadedScenarioStore.h"
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
    // A database was opened at start-up; a server connection that broke
    // since is opened again at the next use.
    bool Connected() const;
    // The store on the database's own thread, so the window repaints while
    // it works. Throws EVxError "No database is open" without one.
    std::unique_ptr<TThreadedScenarioStore> Store() const;

    // The stored scenario the plan is linked to; none while unsaved or
    // cleared.
    std::optional<int> CurrentScenarioNo() const { return m_doc.ScenarioLink().ScenarioNo; }
    QString ScenarioName() const { return m_doc.ScenarioLink().Name; }
    bool IsModified() const { return m_doc.IsModified(); }

    // Stores the plan; on success the plan is linked to it and clean.
    // Throws EVxError with nothing changed on failure, EScenarioConflict
    // when another planner has saved the linked scenario since it was loaded
    // or saved here, unless theirsSeen (the planner chose to overwrite it).
    // poll runs while the database works (TThreadedScenarioStore::Poll).
    void Save(int scenarioNo, const QString& descr, TScenarioSaveMode mode,
              const TScenarioStore::Progress& progress = {}, const std::function<void()>& poll = {},
              bool theirsSeen = false);
    // Reads the stored scenario whole, then puts it on the plan as one step
    // ("Load <name>"); a failed read changes nothing. Returns the jobs left
    // in the store for want of their loom, by loom number.
    QMap<int, int> Load(const TScenarioInfo& scenario, const std::function<void()>& poll = {});
    // Every loom emptied as one step, at the clean point, linked to none.
    void Clear();
    // A stored scenario was deleted: the plan is no longer linked to it,
    // and counts as modified.
    void Deleted(int scenarioNo);

private:
    TVxPlanDocument& m_doc;
    // What the last save left on the linked scenario, as read or written here.
    std::optional<TScenarioStamp> m_stamp;
};
