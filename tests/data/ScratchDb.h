#pragma once
// A fresh planner database for one test: an SQLite file in a temporary
// folder, or a new database on the PostgreSQL test server
// (scripts/pg-test-server.sh; PLEXIWEAVE_PG_* name it), dropped again at the
// end. The planner tables are created with the program's own DDL.

#include "DbSchema.h"
#include "SchedDB.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace scratch {
inline QString env(const char* name) {
    return qEnvironmentVariable(name);
}
inline bool pgConfigured() {
    return !env("PLEXIWEAVE_PG_HOST").isEmpty() && !env("PLEXIWEAVE_PG_PASSWORD").isEmpty();
}
inline QString samples() {
    const QString dir = env("PLEXIWEAVE_SAMPLES");
    return dir.isEmpty() ? ShippedSamplesFolder() : dir;
}

class TScratchDb {
public:
    // Opens a new database; Error() says why when it could not.
    explicit TScratchDb(bool postgres) : m_pg(postgres) {
        static int counter = 0;
        ++counter;
        m_connection = QStringLiteral("scratch-%1").arg(counter);
        if (m_pg) {
            m_name = QStringLiteral("plexiweave_s%1_%2")
                         .arg(QCoreApplication::applicationPid())
                         .arg(counter);
            QSqlDatabase admin = connect(m_connection + "-admin", env("PLEXIWEAVE_PG_DB"));
            QSqlQuery q(admin);
            if (!q.exec("create database " + m_name)) m_error = q.lastError().text();
        } else {
            m_name = m_dir.filePath(QStringLiteral("scratch%1.db").arg(counter));
        }
        if (!m_error.isEmpty()) return;
        QSqlDatabase db = connect(m_connection, m_name);
        if (!db.isOpen()) {
            m_error = db.lastError().text();
            return;
        }
        try {
            db.transaction();
            CreatePlannerTables(db, MissingPlannerTables(db), samples());
            db.commit();
        } catch (const std::exception& e) {
            m_error = QString::fromStdString(e.what());
        }
    }
    ~TScratchDb() {
        for (const QString& c : {m_connection, m_connection + "-admin"}) {
            if (!QSqlDatabase::contains(c)) continue;
            QSqlDatabase::database(c, false).close();
            QSqlDatabase::removeDatabase(c);
        }
        if (m_pg && pgConfigured()) {
            QSqlDatabase admin = connect(m_connection + "-admin", env("PLEXIWEAVE_PG_DB"));
            QSqlQuery(admin).exec(
                QStringLiteral("drop database if exists %1 with (force)").arg(m_name));
            admin = QSqlDatabase();
            QSqlDatabase::database(m_connection + "-admin", false).close();
            QSqlDatabase::removeDatabase(m_connection + "-admin");
        }
    }
    TScratchDb(const TScratchDb&) = delete;
    TScratchDb& operator=(const TScratchDb&) = delete;

    QString Error() const { return m_error; }
    QSqlDatabase Db() const { return QSqlDatabase::database(m_connection, false); }
    // The SQLite file or the PostgreSQL database name.
    QString Name() const { return m_name; }
    bool Postgres() const { return m_pg; }

    int Count(const QString& sql) const {
        QSqlQuery q(Db());
        return q.exec(sql) && q.next() ? q.value(0).toInt() : -1;
    }

private:
    QSqlDatabase connect(const QString& connection, const QString& database) {
        QSqlDatabase db = QSqlDatabase::contains(connection)
                              ? QSqlDatabase::database(connection, false)
                              : QSqlDatabase::addDatabase(m_pg ? "QPSQL" : "QSQLITE", connection);
        db.setDatabaseName(database);
        if (m_pg) {
            db.setHostName(env("PLEXIWEAVE_PG_HOST"));
            db.setPort(env("PLEXIWEAVE_PG_PORT").toInt());
            db.setUserName(env("PLEXIWEAVE_PG_USER"));
            db.setPassword(env("PLEXIWEAVE_PG_PASSWORD"));
        }
        if (!db.isOpen()) db.open();
        return db;
    }

    bool m_pg;
    QTemporaryDir m_dir;
    QString m_connection;
    QString m_name;
    QString m_error;
};
} // namespace scratch
