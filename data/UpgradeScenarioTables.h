// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Brings the scenario tables of a database made by an older program up to
// what this one relies on, at start-up. Nothing stored is removed or changed:
// - SCENARIOSAVE (SCENARIONO, SAVENO, SAVEDAT) is added: per scenario, how
//   many saves of this program it has had and when the last one was, with
//   which a save notices that another planner has saved it meanwhile;
// - REEDJOB, WEAVEJOB and DOWNTIMEJOB get a unique key on (SCENARIONO,
//   JOBNO), so that no save can ever store a job number twice; a table that
//   holds a job number twice already keeps its rows and gets no key, and the
//   scenarios concerned are named.
// New databases go through it too, right after their tables are created.

#include <QSqlDatabase>
#include <QStringList>

// Returns a sentence for the planner for each thing it could not do.
QStringList UpgradeScenarioTables(QSqlDatabase& db);
