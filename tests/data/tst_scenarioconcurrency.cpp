// SPDX-License-Identifier: GPL-3.0-or-later
// Two planners on one database, as the database sees them: two connections
// on two threads, on a real SQLite file and on the PostgreSQL test server.
// Every row of the table runs once per engine.

#include "PlanBuild.h"
#include "ScenarioStore.h"
#include "SchedDB.h"
#include "VxDbError.h"
#include "VxScratchDb.h"

#include <QtTest>
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

using namespace planbuild;

namespace {
enum class TOp {
    LoadDuringOverwrite,
    TwoOverwrites,
    TwoNewSaves,
    SavedMeanwhile,
    WaitsItsTurn,
    HeldTooLong
};

// A plant of 60 looms, each with a reed and warps of four fabrics; two
// versions that differ in every count.
TVxPlan version(int warpsPerLoom) {
    TVxPlan p = plan({});
    int jobNo = 1, itemNo = 1;
    for (int l = 1; l <= 60; ++l) {
        TVxPlanLoom machine = loom(l, {reed(jobNo++, 2400, 0)});
        for (int w = 0; w < warpsPerLoom; ++w) {
            machine.Jobs << warp(jobNo++, "A", "WHT", 3000, 0, 0);
            for (int i = 0; i < 4; ++i)
                machine.Jobs.last().Items << item(itemNo++, "P", "001", "WHT", 1);
        }
        p.Looms << machine;
    }
    p.NextJobNo = jobNo;
    p.NextItemNo = itemNo;
    return p;
}

bool sameJobs(const TVxPlan& a, const TVxPlan& b) {
    if (a.Looms.size() != b.Looms.size()) return false;
    for (int l = 0; l < a.Looms.size(); ++l)
        if (!(a.Looms[l].Jobs == b.Looms[l].Jobs)) return false;
    return true;
}
} // namespace

class TstScenarioConcurrency : public QObject {
    Q_OBJECT

    bool m_pg = false;
    std::unique_ptr<vxtest::TScratchDb> m_db;
    const TVxPlan m_a = version(12);
    const TVxPlan m_b = version(9);

    std::mutex m_failing;
    QStringList m_failures; // what the planners' threads did not expect

    // Runs work on a thread of its own with a connection of its own.
    std::thread planner(const QString& name, std::function<void(TScenarioStore&)> work) {
        return std::thread([this, name, work] {
            {
                QSqlDatabase db = vxtest::openConnection(m_pg, m_db->Name(), name);
                TScenarioStore store(db);
                try {
                    work(store);
                } catch (const EVxError& e) {
                    const std::lock_guard<std::mutex> lock(m_failing);
                    m_failures << name + ": " + e.message() + " " + e.details();
                }
            }
            QSqlDatabase::removeDatabase(name);
        });
    }
    int repeatedJobNos() const {
        int n = 0;
        for (const char* table : {"reedjob", "weavejob", "downtimejob"})
            n += m_db->Count(QStringLiteral("select count(*) from (select jobno from %1 group by "
                                            "scenariono, jobno having count(*) > 1) d")
                                 .arg(table));
        return n;
    }
    // Another planner's transaction holding the scenario's write lock.
    void hold(QSqlDatabase& db) {
        QSqlQuery q(db);
        QVERIFY(m_pg ? q.exec("begin") &&
                           q.exec("select * from scenario where scenariono = 1 for update")
                     : q.exec("begin immediate"));
    }

private slots:
    void initTestCase_data() { vxtest::addEngineRows(); }
    void init() {
        QFETCH_GLOBAL(bool, postgres);
        if (postgres && !vxtest::pgConfigured()) QSKIP(vxtest::NoPgServerReason);
        m_pg = postgres;
        m_db = std::make_unique<vxtest::TScratchDb>(postgres);
        QVERIFY2(m_db->Error().isEmpty(), qPrintable(m_db->Error()));
        TScenarioStore(m_db->Db()).Save(1, "Shared", m_a, TScenarioSaveMode::New);
    }
    void cleanup() {
        m_db.reset();
        m_failures.clear();
    }

    void concurrentOperations_data();
    void concurrentOperations();
};

void TstScenarioConcurrency::concurrentOperations_data() {
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("message");
    QTest::newRow("a load during overwrites sees one whole version")
        << int(TOp::LoadDuringOverwrite) << QString();
    QTest::newRow("two overwrites at once run one after the other")
        << int(TOp::TwoOverwrites) << QString();
    QTest::newRow("two new saves of one number: the later is refused")
        << int(TOp::TwoNewSaves)
        << "Scenario number 2 is already stored: another planner has just saved under it. Save "
           "again under another number.";
    QTest::newRow("an overwrite of a scenario saved meanwhile asks first")
        << int(TOp::SavedMeanwhile)
        << "Scenario 1 was saved at %1 by another planner since you loaded it";
    QTest::newRow("a save waits while another planner saves")
        << int(TOp::WaitsItsTurn) << QString();
    QTest::newRow("a save gives up when another planner holds on too long")
        << int(TOp::HeldTooLong) << QString();
}

void TstScenarioConcurrency::concurrentOperations() {
    QFETCH(int, op);
    QFETCH(QString, message);
    const QVector<int> looms = loomNos(m_a);
    std::atomic<int> started{0};
    const auto together = [&started] {
        ++started;
        while (started < 2)
            std::this_thread::yield();
    };
    switch (TOp(op)) {
    case TOp::LoadDuringOverwrite: {
        std::atomic<bool> writing{true};
        int loads = 0, whole = 0;
        std::thread reader = planner("reader", [&](TScenarioStore& store) {
            together();
            while (writing) {
                const TVxPlan plan = store.Load(1, looms);
                ++loads;
                if (sameJobs(plan, m_a) || sameJobs(plan, m_b)) ++whole;
            }
        });
        std::thread writer = planner("writer", [&](TScenarioStore& store) {
            together();
            const auto stop = qScopeGuard([&writing] { writing = false; });
            for (int round = 0; round < 6; ++round)
                store.Save(1, "Shared", round % 2 ? m_a : m_b, TScenarioSaveMode::Overwrite);
        });
        writer.join();
        reader.join();
        QVERIFY(loads > 0);
        QCOMPARE(whole, loads);
        break;
    }
    case TOp::TwoOverwrites: {
        for (int round = 0; round < 3; ++round) {
            started = 0;
            std::thread one = planner("one", [&](TScenarioStore& store) {
                together();
                store.Save(1, "Shared", m_a, TScenarioSaveMode::Overwrite);
            });
            std::thread two = planner("two", [&](TScenarioStore& store) {
                together();
                store.Save(1, "Shared", m_b, TScenarioSaveMode::Overwrite);
            });
            one.join();
            two.join();
            const TVxPlan stored = TScenarioStore(m_db->Db()).Load(1, looms);
            QVERIFY(sameJobs(stored, m_a) || sameJobs(stored, m_b));
            QCOMPARE(repeatedJobNos(), 0);
        }
        break;
    }
    case TOp::TwoNewSaves: {
        QStringList refusals;
        std::mutex refused;
        std::atomic<int> saved{0};
        const auto save = [&](TScenarioStore& store) {
            together();
            try {
                store.Save(2, "Mine", m_b, TScenarioSaveMode::New);
                ++saved;
            } catch (const EVxError& e) {
                const std::lock_guard<std::mutex> lock(refused);
                refusals << e.message();
            }
        };
        std::thread one = planner("one", save);
        std::thread two = planner("two", save);
        one.join();
        two.join();
        QCOMPARE(saved.load(), 1);
        QCOMPARE(refusals, QStringList{message});
        break;
    }
    case TOp::SavedMeanwhile: {
        TScenarioStore mine(m_db->Db());
        TScenarioStamp loaded;
        mine.Load(1, looms, nullptr, &loaded);
        std::thread other = planner("other", [&](TScenarioStore& store) {
            store.Save(1, "Theirs", m_b, TScenarioSaveMode::Overwrite);
        });
        other.join();
        try {
            mine.Save(1, "Mine", m_a, TScenarioSaveMode::Overwrite, {}, loaded);
            QFAIL("an overwrite of another planner's save went through");
        } catch (const EScenarioConflict& conflict) {
            const QRegularExpression expected(
                QRegularExpression::anchoredPattern(message.arg("[0-2][0-9]:[0-5][0-9]")));
            QVERIFY2(expected.match(conflict.message()).hasMatch(), qPrintable(conflict.message()));
        }
        QVERIFY(sameJobs(mine.Load(1, looms), m_b)); // theirs stands
        // Asked and answered "overwrite": saved without the stamp.
        mine.Save(1, "Mine", m_a, TScenarioSaveMode::Overwrite);
        QVERIFY(sameJobs(mine.Load(1, looms), m_a));
        break;
    }
    case TOp::WaitsItsTurn:
    case TOp::HeldTooLong: {
        const bool tooLong = TOp(op) == TOp::HeldTooLong;
        QSqlDatabase holder = vxtest::openConnection(m_pg, m_db->Name(), "holder");
        hold(holder);
        QString failure;
        std::thread saver = planner("saver", [&](TScenarioStore& store) {
            QSqlDatabase db = QSqlDatabase::database("saver", false);
            TVxAlias alias;
            alias.StatementTimeout = 1; // a server waits a second, SQLite its busy time
            TSchedDB::PrepareSession(db, alias);
            QSqlQuery(db).exec(
                QStringLiteral("pragma busy_timeout = %1").arg(tooLong ? 300 : 5000));
            try {
                store.Save(1, "Waited", m_b, TScenarioSaveMode::Overwrite);
            } catch (const EVxDbError& e) {
                failure = e.message();
            }
        });
        QTest::qWait(tooLong ? 1500 : 400);
        QSqlQuery(holder).exec("rollback");
        saver.join();
        holder = QSqlDatabase();
        QSqlDatabase::removeDatabase("holder");
        if (tooLong)
            QCOMPARE(failure, VxDbFaultText(m_pg ? TVxDbFault::TimedOut : TVxDbFault::Busy));
        else
            QCOMPARE(failure, QString());
        QVERIFY(sameJobs(TScenarioStore(m_db->Db()).Load(1, looms), tooLong ? m_a : m_b));
        break;
    }
    }
    QCOMPARE(m_failures, QStringList());
}

QTEST_GUILESS_MAIN(TstScenarioConcurrency)
#include "tst_scenarioconcurrency.moc"
