// SPDX-License-Identifier: GPL-3.0-or-later
// Two planners on one database, round after round: one loads a scenario
// while the other overwrites it, and both overwrite it at once. On an SQLite
// file, and on the PostgreSQL server named by PLEXIWEAVE_PG_* when set (the
// test server of scripts/pg-test-server.sh). Prints per engine the loads
// that mixed two versions and the job numbers stored twice; both must be 0.
//
//   bench_concurrency [rounds]     (50 by default)

#include "BenchSupport.h"
#include "DbSchema.h"
#include "ScenarioStore.h"
#include "UpgradeScenarioTables.h"
#include "VxAbort.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>

namespace {
struct TEngine {
    QString driver;
    QString database;
};

QSqlDatabase connect(const TEngine& engine, const QString& name) {
    QSqlDatabase db = QSqlDatabase::addDatabase(engine.driver, name);
    db.setDatabaseName(engine.database);
    if (engine.driver == QLatin1String("QPSQL")) {
        db.setHostName(qEnvironmentVariable("PLEXIWEAVE_PG_HOST"));
        db.setPort(qEnvironmentVariable("PLEXIWEAVE_PG_PORT").toInt());
        db.setUserName(qEnvironmentVariable("PLEXIWEAVE_PG_USER"));
        db.setPassword(qEnvironmentVariable("PLEXIWEAVE_PG_PASSWORD"));
    }
    if (!db.open())
        qFatal("cannot open %s: %s", qPrintable(engine.database),
               qPrintable(db.lastError().text()));
    return db;
}

// One planner: a thread with a connection of its own. Failures are counted.
void planner(const TEngine& engine, const QString& name, std::atomic<int>& failures,
             const std::function<void(TScenarioStore&)>& work) {
    {
        QSqlDatabase db = connect(engine, name);
        TScenarioStore store(db);
        try {
            work(store);
        } catch (const EVxError& e) {
            ++failures;
            std::printf("  %s: %s (%s)\n", qPrintable(name), qPrintable(e.message()),
                        qPrintable(e.details()));
        }
    }
    QSqlDatabase::removeDatabase(name);
}

bool sameJobs(const TVxPlan& a, const TVxPlan& b) {
    if (a.Looms.size() != b.Looms.size()) return false;
    for (int l = 0; l < a.Looms.size(); ++l)
        if (!(a.Looms[l].Jobs == b.Looms[l].Jobs)) return false;
    return true;
}

int repeatedJobNos(QSqlDatabase& db) {
    int n = 0;
    for (const char* table : {"reedjob", "weavejob", "downtimejob"}) {
        QSqlQuery q(db);
        q.exec(QStringLiteral("select count(*) from (select jobno from %1 group by scenariono, "
                              "jobno having count(*) > 1) d")
                   .arg(table));
        if (q.next()) n += q.value(0).toInt();
    }
    return n;
}

void run(const char* title, const TEngine& engine, int rounds) {
    const TVxPlan a = benchsupport::rapierPlan(100, 30);
    const TVxPlan b = benchsupport::rapierPlan(100, 26);
    QVector<int> looms;
    for (const TVxPlanLoom& loom : a.Looms)
        looms << loom.ScheduleNo;
    {
        QSqlDatabase db = connect(engine, "setup");
        db.transaction();
        CreatePlannerTables(db, MissingPlannerTables(db), benchsupport::samplesDir());
        db.commit();
        UpgradeScenarioTables(db);
        TScenarioStore(db).Save(1, "Shared", a, TScenarioSaveMode::New);
    }
    QSqlDatabase::removeDatabase("setup");
    QElapsedTimer clock;
    clock.start();

    std::atomic<int> failures{0};
    int loads = 0, mixed = 0;
    for (int round = 0; round < rounds; ++round) {
        std::atomic<bool> writing{true};
        std::atomic<bool> readerReady{false};
        std::thread reader([&] {
            planner(engine, "reader", failures, [&](TScenarioStore& store) {
                readerReady = true;
                do {
                    const TVxPlan plan = store.Load(1, looms);
                    ++loads;
                    if (!sameJobs(plan, a) && !sameJobs(plan, b)) ++mixed;
                } while (writing);
            });
        });
        while (!readerReady)
            std::this_thread::yield();
        planner(engine, "writer", failures, [&](TScenarioStore& store) {
            store.Save(1, "Shared", round % 2 ? a : b, TScenarioSaveMode::Overwrite);
        });
        writing = false;
        reader.join();
    }
    std::printf("%s, %d rounds of a load during an overwrite: %d loads, %d mixed, %d failed\n",
                title, rounds, loads, mixed, failures.load());

    failures = 0;
    int mixedResults = 0, repeated = 0;
    QSqlDatabase check = connect(engine, "check");
    for (int round = 0; round < rounds; ++round) {
        std::atomic<int> started{0};
        const auto overwrite = [&](const TVxPlan& plan) {
            return [&, plan](TScenarioStore& store) {
                ++started;
                while (started < 2)
                    std::this_thread::yield();
                store.Save(1, "Shared", plan, TScenarioSaveMode::Overwrite);
            };
        };
        std::thread one([&] { planner(engine, "one", failures, overwrite(a)); });
        std::thread two([&] { planner(engine, "two", failures, overwrite(b)); });
        one.join();
        two.join();
        const TVxPlan stored = TScenarioStore(check).Load(1, looms);
        if (!sameJobs(stored, a) && !sameJobs(stored, b)) ++mixedResults;
        repeated += repeatedJobNos(check);
    }
    check = QSqlDatabase();
    QSqlDatabase::removeDatabase("check");
    std::printf("%s, %d rounds of two overwrites at once: %d saves failed, %d results mixed, %d "
                "job numbers stored twice\n",
                title, rounds, failures.load(), mixedResults, repeated);
    std::printf("%s: %lld ms for both (plans of %d and %d jobs)\n", title, clock.elapsed(),
                a.JobCount(), b.JobCount());
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 50;
    QTemporaryDir dir;
    run("sqlite", {"QSQLITE", dir.filePath("shared.db")}, rounds);
    if (qEnvironmentVariable("PLEXIWEAVE_PG_HOST").isEmpty()) {
        std::printf("postgres: skipped, PLEXIWEAVE_PG_* are not set\n");
        return 0;
    }
    const QString name =
        QStringLiteral("plexiweave_bench_%1").arg(QCoreApplication::applicationPid());
    {
        QSqlDatabase admin = connect({"QPSQL", qEnvironmentVariable("PLEXIWEAVE_PG_DB")}, "admin");
        QSqlQuery(admin).exec("create database " + name);
    }
    run("postgres", {"QPSQL", name}, rounds);
    {
        QSqlDatabase admin = QSqlDatabase::database("admin");
        QSqlQuery(admin).exec(QStringLiteral("drop database if exists %1 with (force)").arg(name));
    }
    QSqlDatabase::removeDatabase("admin");
    return 0;
}
