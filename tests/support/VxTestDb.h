// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The databases the suites run on: an SQLite file, or a database of its own
// on the PostgreSQL test server that scripts/pg-test-server.sh starts (its
// PLEXIWEAVE_PG_* variables name it; without them those cases skip).

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace vxtest {

QString env(const char* name);
bool pgConfigured();
// The reason to skip a server case when pgConfigured() is false.
extern const char* const NoPgServerReason;

// A connection of the test's own to database (a file for SQLite), to look
// behind the program's back. One per database name; opened on first use.
QSqlDatabase adminConnection(bool postgres, const QString& database);
// Closes and removes the admin connection to database, if any.
void dropAdminConnection(const QString& database);
// A connection named name to database, opened on the calling thread and
// only for it: another planner, as the database sees it.
QSqlDatabase openConnection(bool postgres, const QString& database, const QString& name);

// Creates or drops a database on the test server; create returns the
// server's error text, empty on success.
QString createServerDatabase(const QString& name);
void dropServerDatabase(const QString& name);

// Writes an alias file whose ShedwiseSQL section names database: a file
// (SQLite) or a database on the test server reached as userName.
void writeAliasFile(const QString& path, bool postgres, const QString& database,
                    const QString& userName);

// The shipped sample files (PLEXIWEAVE_SAMPLES) and their non-empty lines.
QString samplesDir();
QStringList sampleLines(const QString& file);

} // namespace vxtest
