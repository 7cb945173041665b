// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stored scenarios: one SCENARIO row with its REEDJOB, WEAVEJOB, DOWNTIMEJOB
// and WEAVEITEM rows. Saving, loading, describing and deleting go straight
// to SQL with bound values only (no dataset rows kept in memory, no
// read-back after an insert), and behave the same on SQLite and PostgreSQL.
//
// Every write runs in its own transaction: a scenario is stored wholly or
// not at all. Database failures throw EVxDbError: the planner's words, with
// the engine's own text as details.

#include "VxAbort.h"
#include "VxPlan.h"

#include <QMap>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <QVector>
#include <functional>
#include <optional>

class QSqlError;

struct TScenarioInfo {
    int ScenarioNo = 0;
    QString Descr;

    bool operator==(const TScenarioInfo& other) const {
        return ScenarioNo == other.ScenarioNo && Descr == other.Descr;
    }
};

enum class TScenarioSaveMode { New, Overwrite };

// What the saves of this program leave on a stored scenario (in the table
// SCENARIOSAVE): how many there have been and when the last one was (UTC, as
// a day number). Both are 0 in a database without that table (older, or open
// read-only) and for a scenario that only older programs have saved.
struct TScenarioStamp {
    int ScenarioNo = 0;
    int SaveNo = 0;
    double SavedAt = 0;

    bool operator==(const TScenarioStamp& other) const {
        return ScenarioNo == other.ScenarioNo && SaveNo == other.SaveNo && SavedAt == other.SavedAt;
    }
};

// An overwrite refused because someone else saved the scenario since the
// planner's copy was loaded or saved: "Scenario 3 was saved at 10:42 by
// another planner since you loaded it".
class EScenarioConflict : public EVxError {
public:
    explicit EScenarioConflict(const TScenarioStamp& stored);
    TScenarioStamp Stored;
};

class TScenarioStore {
public:
    // What SCENARIO.DESCR holds; longer descriptions are refused, not cut.
    static const int DescrLength = 25;

    // Called before each loom is written: its position among the
    // looms, their count and the loom's number.
    using Progress = std::function<void(int index, int count, int scheduleNo)>;

    explicit TScenarioStore(const QSqlDatabase& db);
    virtual ~TScenarioStore() = default;
    TScenarioStore(const TScenarioStore&) = delete;
    TScenarioStore& operator=(const TScenarioStore&) = delete;

    // The highest stored number, 0 with none.
    virtual int MaxScenarioNo() const;
    // Stored scenarios in number order.
    virtual QVector<TScenarioInfo> List() const;
    virtual std::optional<TScenarioInfo> Find(int scenarioNo) const;

    // New: inserts the SCENARIO row; a stored number is refused.
    // Overwrite: the scenario must exist ("Scenario number N not found");
    // the rows of the plan's looms are replaced, rows of other looms stay.
    // With known (the stamp of the copy the planner started from), an
    // overwrite of a scenario saved since then by someone else throws
    // EScenarioConflict and changes nothing.
    // A save takes the database's write lock at its start (SQLite) or locks
    // the scenario's row (a server), so saves of one scenario run one after
    // the other. Returns the stamp it left.
    virtual TScenarioStamp Save(int scenarioNo, const QString& descr, const TVxPlan& plan,
                                TScenarioSaveMode mode, const Progress& progress = {},
                                const std::optional<TScenarioStamp>& known = std::nullopt);

    // The looms named by scheduleNos, in that order, with the jobs of each in
    // stored place order and each warp's items likewise. Rows of other looms
    // are not read into the plan; they still count for the next numbers,
    // which follow the highest job number over all three job tables and the
    // highest item number of the scenario (VxNoNextNumber past the largest
    // int). missingLooms, when given, gets the number of jobs left out for
    // each such loom number; stamp, when given, what the last save left.
    // Everything is read in one transaction (repeatable read on a server),
    // so a save running meanwhile is seen whole or not at all.
    virtual TVxPlan Load(int scenarioNo, const QVector<int>& scheduleNos,
                         QMap<int, int>* missingLooms = nullptr,
                         TScenarioStamp* stamp = nullptr) const;
    // What the planner is told about those jobs ("12 jobs of this scenario
    // are on loom 110, which no longer exists; they were not loaded"), one
    // line per loom; empty when none were left out.
    static QString MissingLoomsText(const QMap<int, int>& missingLooms);

    virtual void Describe(int scenarioNo, const QString& descr);
    // The SCENARIO row and every row of the scenario, whatever loom it is on.
    virtual void Delete(int scenarioNo);

    // How many rows one insert statement carries (one round trip each).
    int RowsPerInsert = 100;
    // Called before each statement (the database thread watches the time
    // with it, and stops the work there when the planner cancels).
    std::function<void()> BeforeStatement;

private:
    class TTransaction;
    [[noreturn]] void fail(const QSqlError& error) const;
    QSqlQuery run(const QString& sql, const QVariantList& binds) const;
    void beat() const;
    void checkDescr(const QString& descr) const;
    bool hasStamps() const;
    TScenarioStamp readStamp(int scenarioNo) const;
    void writeStamp(const TScenarioStamp& stamp);
    // The stored row of scenarioNo under a lock that lasts to the end of the
    // transaction; nullopt when there is none.
    std::optional<TScenarioStamp> lockScenario(int scenarioNo);
    void insertScenario(int scenarioNo, const QString& descr, const TScenarioStamp& stamp);
    void deleteLoomRows(int scenarioNo, const QVector<int>& scheduleNos);
    void writeJobs(int scenarioNo, const TVxPlan& plan, const Progress& progress);

    QSqlDatabase m_db;
    mutable TTransaction* m_open = nullptr; // the transaction under way
    mutable std::optional<bool> m_stamps;
};
