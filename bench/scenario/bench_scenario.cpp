// SPDX-License-Identifier: GPL-3.0-or-later
// A plant-sized scenario (200 looms x 50 warp jobs x 4 fabric items: 10,000
// jobs and 40,000 items) saved and loaded through the scenario store.
//
// The SQLite save is compared with the floor measured in the same run: the
// same rows inserted through the SQLite C API with one prepared statement
// per table in one transaction. Each side runs three times on a fresh file
// and keeps its best time. With PLEXIWEAVE_PG_* set (scripts/pg-test-server.sh)
// the save is also timed on PostgreSQL. ROWS=n sets the rows per insert
// statement (the store's default otherwise).

#include "DbSchema.h"
#include "ScenarioStore.h"
#include "SchedDB.h"
#include "VxDate.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace {
const int kLooms = 200, kJobsPerLoom = 50, kItemsPerJob = 4;
const double kStart = 46000;

TVxPlan plantPlan() {
    TVxPlan plan;
    int jobNo = 0, itemNo = 0;
    for (int l = 0; l < kLooms; ++l) {
        TVxPlanLoom loom;
        loom.ScheduleNo = 101 + l;
        for (int p = 0; p < kJobsPerLoom; ++p) {
            TVxPlanJob job;
            job.Kind = TVxPlanJobKind::Warp;
            job.JobNo = ++jobNo;
            job.WarpType = "A";
            job.WarpCol = "WHT";
            job.WarpLen = 3000;
            job.StartDate = kStart + p * 3;
            job.FinishDate = kStart + p * 3 + 3;
            for (int q = 0; q < kItemsPerJob; ++q) {
                TVxPlanItem item;
                item.ItemNo = ++itemNo;
                item.FabricStru = "P";
                item.FabricCol = "001";
                item.WeftCol = "WHT";
                item.Pieces = 3;
                job.Items.append(item);
            }
            loom.Jobs.append(job);
        }
        plan.Looms.append(loom);
    }
    plan.NextJobNo = jobNo + 1;
    plan.NextItemNo = itemNo + 1;
    return plan;
}

QVector<int> loomNos(const TVxPlan& plan) {
    QVector<int> nos;
    for (const TVxPlanLoom& loom : plan.Looms)
        nos << loom.ScheduleNo;
    return nos;
}

bool createTables(QSqlDatabase& db) {
    db.transaction();
    CreatePlannerTables(db, MissingPlannerTables(db), ShippedSamplesFolder());
    return db.commit();
}

QSqlDatabase sqliteFile(const QString& connection, const QString& file) {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection);
    db.setDatabaseName(file);
    db.open();
    createTables(db);
    return db;
}

void removeConnection(const QString& connection) {
    QSqlDatabase::database(connection, false).close();
    QSqlDatabase::removeDatabase(connection);
}

// The floor: one prepared insert per table, bound and stepped row by row.
qint64 rawSave(const char* file, const TVxPlan& plan) {
    sqlite3* db = nullptr;
    sqlite3_open(file, &db);
    QElapsedTimer timer;
    timer.start();
    sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "insert into scenario (scenariono, descr) values (1, 'Benchmark')", nullptr,
                 nullptr, nullptr);
    sqlite3_stmt *job = nullptr, *item = nullptr;
    sqlite3_prepare_v2(db,
                       "insert into weavejob (scenariono, loomno, jobno, placeno, warptype, "
                       "warpcol, warplen, startdate, enddate) values (?,?,?,?,?,?,?,?,?)",
                       -1, &job, nullptr);
    sqlite3_prepare_v2(db,
                       "insert into weaveitem (scenariono, scheduleno, jobno, itemno, placeno, "
                       "fabricstru, fabriccol, weftcol, weftpcs) values (?,?,?,?,?,?,?,?,?)",
                       -1, &item, nullptr);
    for (const TVxPlanLoom& loom : plan.Looms) {
        for (int p = 0; p < loom.Jobs.size(); ++p) {
            const TVxPlanJob& j = loom.Jobs[p];
            const QByteArray type = j.WarpType.toUtf8(), col = j.WarpCol.toUtf8();
            const QByteArray start = VxDateOf(j.StartDate).toString(Qt::ISODate).toUtf8();
            const QByteArray finish = VxDateOf(j.FinishDate).toString(Qt::ISODate).toUtf8();
            sqlite3_bind_int(job, 1, 1);
            sqlite3_bind_int(job, 2, loom.ScheduleNo);
            sqlite3_bind_int(job, 3, j.JobNo);
            sqlite3_bind_int(job, 4, p);
            sqlite3_bind_text(job, 5, type.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(job, 6, col.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(job, 7, j.WarpLen);
            sqlite3_bind_text(job, 8, start.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(job, 9, finish.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_step(job);
            sqlite3_reset(job);
            for (int q = 0; q < j.Items.size(); ++q) {
                const TVxPlanItem& i = j.Items[q];
                const QByteArray stru = i.FabricStru.toUtf8(), fcol = i.FabricCol.toUtf8(),
                                 weft = i.WeftCol.toUtf8();
                sqlite3_bind_int(item, 1, 1);
                sqlite3_bind_int(item, 2, loom.ScheduleNo);
                sqlite3_bind_int(item, 3, j.JobNo);
                sqlite3_bind_int(item, 4, i.ItemNo);
                sqlite3_bind_int(item, 5, q);
                sqlite3_bind_text(item, 6, stru.constData(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(item, 7, fcol.constData(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(item, 8, weft.constData(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_int(item, 9, i.Pieces);
                sqlite3_step(item);
                sqlite3_reset(item);
            }
        }
    }
    sqlite3_finalize(job);
    sqlite3_finalize(item);
    sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
    const qint64 ms = timer.elapsed();
    sqlite3_close(db);
    return ms;
}

qint64 storeSave(QSqlDatabase db, const TVxPlan& plan) {
    TScenarioStore store(db);
    if (qEnvironmentVariableIsSet("ROWS")) store.RowsPerInsert = qEnvironmentVariableIntValue("ROWS");
    QElapsedTimer timer;
    timer.start();
    store.Save(1, "Benchmark", plan, TScenarioSaveMode::New);
    return timer.elapsed();
}

void postgres(const TVxPlan& plan) {
    const QString host = qEnvironmentVariable("PLEXIWEAVE_PG_HOST");
    if (host.isEmpty()) {
        std::printf("scenario save on PostgreSQL: skipped (PLEXIWEAVE_PG_* not set)\n");
        return;
    }
    auto connect = [&](const QString& name, const QString& database) {
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", name);
        db.setHostName(host);
        db.setPort(qEnvironmentVariableIntValue("PLEXIWEAVE_PG_PORT"));
        db.setUserName(qEnvironmentVariable("PLEXIWEAVE_PG_USER"));
        db.setPassword(qEnvironmentVariable("PLEXIWEAVE_PG_PASSWORD"));
        db.setDatabaseName(database);
        db.open();
        return db;
    };
    const QString name =
        QStringLiteral("plexiweave_bench_%1").arg(QCoreApplication::applicationPid());
    {
        QSqlDatabase admin = connect("admin", qEnvironmentVariable("PLEXIWEAVE_PG_DB"));
        QSqlQuery(admin).exec("create database " + name);
    }
    {
        QSqlDatabase db = connect("bench", name);
        createTables(db);
        const qint64 saveMs = storeSave(db, plan);
        TScenarioStore store(db);
        QElapsedTimer timer;
        timer.start();
        const TVxPlan back = store.Load(1, loomNos(plan));
        const qint64 loadMs = timer.elapsed();
        std::printf("scenario save on PostgreSQL: %lld ms\n", saveMs);
        std::printf("scenario read on PostgreSQL: %lld ms (%s)\n", loadMs,
                    back == plan ? "same plan" : "DIFFERENT PLAN");
    }
    removeConnection("bench");
    {
        QSqlDatabase admin = QSqlDatabase::database("admin");
        QSqlQuery(admin).exec("drop database if exists " + name + " with (force)");
    }
    removeConnection("admin");
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const TVxPlan plan = plantPlan();

    qint64 bestStore = -1, bestRaw = -1;
    for (int run = 0; run < 3; ++run) {
        const QString storeFile = dir.filePath(QStringLiteral("store%1.db").arg(run));
        const QString rawFile = dir.filePath(QStringLiteral("raw%1.db").arg(run));
        {
            QSqlDatabase db = sqliteFile("raw", rawFile); // tables only
        }
        removeConnection("raw");
        const qint64 raw = rawSave(rawFile.toUtf8().constData(), plan);
        qint64 saved = 0;
        {
            QSqlDatabase db = sqliteFile("store", storeFile);
            saved = storeSave(db, plan);
        }
        removeConnection("store");
        bestRaw = bestRaw < 0 ? raw : std::min(bestRaw, raw);
        bestStore = bestStore < 0 ? saved : std::min(bestStore, saved);
    }
    std::printf("scenario save on SQLite: %lld ms; raw SQLite floor: %lld ms\n", bestStore,
                bestRaw);
    std::printf("scenario save ratio to raw SQLite: %.1f\n",
                double(bestStore) / double(std::max<qint64>(1, bestRaw)));

    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "read");
        db.setDatabaseName(dir.filePath("store0.db"));
        db.open();
        TScenarioStore store(db);
        QElapsedTimer timer;
        timer.start();
        const TVxPlan back = store.Load(1, loomNos(plan));
        std::printf("scenario read on SQLite: %lld ms (%s)\n", timer.elapsed(),
                    back == plan ? "same plan" : "DIFFERENT PLAN");
    }
    removeConnection("read");
    postgres(plan);
    return 0;
}
