#pragma once
// The planner's ten tables: one DDL that SQLite and PostgreSQL both accept,
// and the seeding of new reference tables from the sample text files.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

struct TDbTableDef {
    QString Name;
    QStringList Statements; // create table, then its indexes
    bool Reference;         // seeded from a sample file
};

// All ten tables, reference tables first.
const QList<TDbTableDef>& PlannerTables();

// Names of the planner tables that db lacks.
QStringList MissingPlannerTables(const QSqlDatabase& db);

// Creates the missing tables and seeds the reference tables among them from
// the files in seedFolder, inside the caller's transaction. Existing tables
// are left as they are. Throws EVxError on any failure (a bad sample line
// names its file and line).
void CreatePlannerTables(QSqlDatabase& db, const QStringList& missing, const QString& seedFolder);
