// SPDX-License-Identifier: GPL-3.0-or-later
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

// A database made before loom positions and references were unique gets
// their unique keys, each one only when no two looms share that value.
// Returns every position and reference that looms share ("position 101:
// L01 (R01 190cm), L15 (A06 190cm)"), whose key stays missing; empty when
// both keys are in place. Engines other than SQLite and PostgreSQL are left
// as they are. Throws EVxError when a statement fails.
QStringList AddLoomKeys(QSqlDatabase& db);
