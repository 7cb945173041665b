#pragma once
// Stored scenarios: one SCENARIO row with its REEDJOB, WEAVEJOB, DOWNTIMEJOB
// and WEAVEITEM rows. Saving, loading, describing and deleting go straight
// to SQL with bound values only (no dataset rows kept in memory, no
// read-back after an insert), and behave the same on SQLite and PostgreSQL.
//
// Every write runs in its own transaction: a scenario is stored wholly or
// not at all. Failures throw EVxError with the database's own message.

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

class TScenarioStore {
public:
    // What SCENARIO.DESCR holds; longer descriptions are refused, not cut.
    static const int DescrLength = 25;

    // Called before each loom is written: its position among the
    // looms, their count and the loom's number.
    using Progress = std::function<void(int index, int count, int scheduleNo)>;

    explicit TScenarioStore(const QSqlDatabase& db);

    // The highest stored number, 0 with none.
    int MaxScenarioNo() const;
    // Stored scenarios in number order.
    QVector<TScenarioInfo> List() const;
    std::optional<TScenarioInfo> Find(int scenarioNo) const;

    // New: inserts the SCENARIO row (a stored number fails on its key).
    // Overwrite: the scenario must exist ("Scenario number N not found");
    // the rows of the plan's looms are replaced, rows of other looms stay.
    void Save(int scenarioNo, const QString& descr, const TVxPlan& plan, TScenarioSaveMode mode,
              const Progress& progress = {});

    // The looms named by scheduleNos, in that order, with the jobs of each in
    // stored place order and each warp's items likewise. Rows of other looms
    // are not read into the plan; they still count for the next numbers,
    // which follow the highest job number over all three job tables and the
    // highest item number of the scenario. missingLooms, when given, gets
    // the number of jobs left out for each such loom number.
    TVxPlan Load(int scenarioNo, const QVector<int>& scheduleNos,
                 QMap<int, int>* missingLooms = nullptr) const;
    // What the planner is told about those jobs ("12 jobs of this scenario
    // are on loom 110, which no longer exists; they were not loaded"), one
    // line per loom; empty when none were left out.
    static QString MissingLoomsText(const QMap<int, int>& missingLooms);

    void Describe(int scenarioNo, const QString& descr);
    // The SCENARIO row and every row of the scenario, whatever loom it is on.
    void Delete(int scenarioNo);

    // How many rows one insert statement carries (one round trip each).
    int RowsPerInsert = 100;

private:
    class TTransaction;
    [[noreturn]] void fail(const QSqlError& error) const;
    QSqlQuery run(const QString& sql, const QVariantList& binds) const;
    void checkDescr(const QString& descr) const;
    void deleteLoomRows(int scenarioNo, const QVector<int>& scheduleNos);
    void writeJobs(int scenarioNo, const TVxPlan& plan, const Progress& progress);

    QSqlDatabase m_db;
    TTransaction* m_open = nullptr; // the write under way
};
