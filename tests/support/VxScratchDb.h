// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fresh planner database for one test, with the program's own tables: an
// SQLite file in a temporary folder, or a new database on the PostgreSQL test
// server, dropped again at the end.

#include "DbSchema.h"
#include "UpgradeScenarioTables.h"
#include "VxTestDb.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace vxtest {

class TScratchDb {
public:
    // Error() says why when the database could not be made.
    explicit TScratchDb(bool postgres) : m_pg(postgres) {
        static int counter = 0;
        ++counter;
        if (m_pg) {
            m_name = QStringLiteral("plexiweave_s%1_%2")
                         .arg(QCoreApplication::applicationPid())
                         .arg(counter);
            m_error = createServerDatabase(m_name);
            if (!m_error.isEmpty()) return;
        } else {
            m_name = m_dir.filePath(QStringLiteral("scratch%1.db").arg(counter));
        }
        QSqlDatabase db = Db();
        if (!db.isOpen()) {
            m_error = db.lastError().text();
            return;
        }
        try {
            db.transaction();
            CreatePlannerTables(db, MissingPlannerTables(db), samplesDir());
            db.commit();
            // What the program adds to every database it opens.
            const QStringList notes = UpgradeScenarioTables(db);
            if (!notes.isEmpty()) m_error = notes.join('\n');
        } catch (const std::exception& e) {
            m_error = QString::fromStdString(e.what());
        }
    }
    ~TScratchDb() {
        if (m_pg)
            dropServerDatabase(m_name);
        else
            dropAdminConnection(m_name);
    }
    TScratchDb(const TScratchDb&) = delete;
    TScratchDb& operator=(const TScratchDb&) = delete;

    QString Error() const { return m_error; }
    // The test's connection to it (opened again when closed).
    QSqlDatabase Db() const { return adminConnection(m_pg, m_name); }
    // The SQLite file or the server's database name.
    QString Name() const { return m_name; }

    // Writes (over any earlier one) the alias file that names this database,
    // reached on the test server as PLEXIWEAVE_PG_USER.
    void WriteAliasFile(const QString& path) const {
        QFile::remove(path);
        writeAliasFile(path, m_pg, m_name, env("PLEXIWEAVE_PG_USER"));
    }

    int Count(const QString& sql) const {
        QSqlQuery q(Db());
        return q.exec(sql) && q.next() ? q.value(0).toInt() : -1;
    }

private:
    bool m_pg;
    QTemporaryDir m_dir;
    QString m_name;
    QString m_error;
};

// The global rows of a suite that runs on both engines: a bool column
// "postgres", row "sqlite" false and row "postgres" true.
inline void addEngineRows() {
    QTest::addColumn<bool>("postgres");
    QTest::newRow("sqlite") << false;
    QTest::newRow("postgres") << true;
}

} // namespace vxtest
