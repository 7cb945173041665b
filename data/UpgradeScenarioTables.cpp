// SPDX-License-Identifier: GPL-3.0-or-later
#include "UpgradeScenarioTables.h"

#include "VxDbError.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {
bool isSqlite(const QSqlDatabase& db) {
    return db.driverName() == QLatin1String("QSQLITE");
}

QSqlQuery exec(QSqlDatabase& db, const QString& sql, const QVariantList& binds = {}) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    // A server prepares no definitions: those run as they stand.
    if (binds.isEmpty()) {
        if (!q.exec(sql)) throw VxDbError(db, q.lastError());
        return q;
    }
    if (!q.prepare(sql)) throw VxDbError(db, q.lastError());
    for (const QVariant& value : binds)
        q.addBindValue(value);
    if (!q.exec()) throw VxDbError(db, q.lastError());
    return q;
}

QString keyName(const QString& table) {
    return table + QStringLiteral("_jobkey");
}

// Whether the table has a key on exactly (SCENARIONO, JOBNO): its primary
// key, or the index this upgrade adds.
bool keyedByJobNo(QSqlDatabase& db, const QString& table) {
    const QSqlIndex primary = db.primaryIndex(table);
    if (primary.count() == 2 && primary.contains(QStringLiteral("scenariono")) &&
        primary.contains(QStringLiteral("jobno")))
        return true;
    const QString sql =
        isSqlite(db)
            ? QStringLiteral("select 1 from sqlite_master where type = 'index' and name = ?")
            : QStringLiteral("select 1 from pg_indexes where indexname = ?");
    return exec(db, sql, {keyName(table)}).next();
}

// Names the job numbers stored more than once in the table, if any.
QString repeatedJobNos(QSqlDatabase& db, const QString& table, const QString& jobs) {
    QSqlQuery q = exec(db, QStringLiteral("select scenariono, jobno from %1 group by scenariono, "
                                          "jobno having count(*) > 1 order by scenariono, jobno")
                               .arg(table));
    QStringList examples;
    int count = 0;
    while (q.next())
        if (++count <= 3)
            examples << QCoreApplication::translate("UpgradeScenarioTables",
                                                    "job %1 of scenario %2")
                            .arg(q.value(1).toInt())
                            .arg(q.value(0).toInt());
    if (count == 0) return QString();
    return QCoreApplication::translate(
               "UpgradeScenarioTables",
               "The %1 hold %2 more than once%3. The key that keeps each job number "
               "single is added to %4 once the repeated rows are gone (delete or "
               "overwrite those scenarios); until then two saves of one scenario "
               "are not kept from repeating a job number.")
        .arg(jobs, examples.join(QStringLiteral(", ")),
             count > 3
                 ? QCoreApplication::translate("UpgradeScenarioTables", " (%1 job numbers in all)")
                       .arg(count)
                 : QString(),
             table.toUpper());
}

void addSaveTable(QSqlDatabase& db) {
    if (!db.record(QStringLiteral("scenariosave")).isEmpty()) return;
    // A table of its own rather than columns of SCENARIO, whose rows older
    // programs and the data grids read whole. "If not exists" lets two
    // planners starting together both pass.
    exec(db, QStringLiteral("create table if not exists SCENARIOSAVE (SCENARIONO integer not null, "
                            "SAVENO integer not null, SAVEDAT double precision, "
                            "primary key (SCENARIONO))"));
}
} // namespace

QStringList UpgradeScenarioTables(QSqlDatabase& db) {
    QStringList notes;
    const bool begun =
        isSqlite(db) ? QSqlQuery(db).exec(QStringLiteral("begin immediate")) : db.transaction();
    try {
        if (!begun) throw VxDbError(db, db.lastError());
        addSaveTable(db);
        const std::pair<const char*, const char*> tables[] = {
            {"reedjob", QT_TRANSLATE_NOOP("UpgradeScenarioTables", "reed jobs")},
            {"weavejob", QT_TRANSLATE_NOOP("UpgradeScenarioTables", "warp jobs")},
            {"downtimejob", QT_TRANSLATE_NOOP("UpgradeScenarioTables", "downtime jobs")}};
        for (const auto& [name, jobs] : tables) {
            const QString table = QLatin1String(name);
            if (keyedByJobNo(db, table)) continue;
            const QString repeated = repeatedJobNos(
                db, table, QCoreApplication::translate("UpgradeScenarioTables", jobs));
            if (!repeated.isEmpty()) {
                notes << repeated;
                continue;
            }
            exec(db,
                 QStringLiteral("create unique index if not exists %1 on %2 (SCENARIONO, JOBNO)")
                     .arg(keyName(table), table));
        }
        if (!db.commit()) throw VxDbError(db, db.lastError());
    } catch (const EVxError& e) {
        if (begun) db.rollback();
        notes << QCoreApplication::translate(
                     "UpgradeScenarioTables",
                     "The scenario tables could not be brought up to date, so the "
                     "planner cannot tell when another planner has saved a scenario "
                     "since you loaded it. The database said: %1")
                     .arg(e.details().isEmpty() ? e.message() : e.details());
    }
    return notes;
}
