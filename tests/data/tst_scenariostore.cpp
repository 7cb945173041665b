// SPDX-License-Identifier: GPL-3.0-or-later
// Stored scenarios against a real SQLite file and the PostgreSQL test server:
// every case runs once per engine.

#include "PlanBuild.h"
#include "ScenarioStore.h"
#include "VxAbort.h"
#include "VxScratchDb.h"

#include <QtTest>
#include <memory>

using namespace planbuild;
Q_DECLARE_METATYPE(TVxPlan)
Q_DECLARE_METATYPE(TScenarioSaveMode)

namespace {
const double kMon = 46000; // a Monday in 2025

// A plan with three looms: downtime, reed, warp, reed, warp on the first.
TVxPlan threeLooms() {
    return plan(
        {loom(1, {downtime(1, "Maintenance", kMon, kMon + 1), reed(2, 2400, kMon + 1),
                  warp(3, "A", "WHT", 3000, kMon + 1, kMon + 5,
                       {item(1, "P", "001", "WHT", 3), item(2, "T", "002", "NAT", 1)}),
                  reed(4, 2640, kMon + 5),
                  warp(5, "C", "BLU", 2800, kMon + 5, kMon + 9, {item(3, "S", "004", "BLU", 2)})}),
         loom(2, {reed(6, 2400, kMon), warp(7, "B", "WHT", 3000, kMon, kMon + 4)}),
         loom(3, {reed(8, 3120, kMon),
                  warp(9, "D", "NAT", 3000, kMon, kMon + 3, {item(4, "P", "003", "NAT", 5)})})},
        10, 5);
}
} // namespace

class TstScenarioStore : public QObject {
    Q_OBJECT

    std::unique_ptr<vxtest::TScratchDb> m_db;
    std::unique_ptr<TScenarioStore> m_store;

    int rows(const char* table, int scenarioNo) const {
        return m_db->Count(QStringLiteral("select count(*) from %1 where scenariono = %2")
                               .arg(QLatin1String(table))
                               .arg(scenarioNo));
    }
    int allRows(int scenarioNo) const {
        int n = 0;
        for (const char* t : {"reedjob", "weavejob", "downtimejob", "weaveitem"})
            n += rows(t, scenarioNo);
        return n;
    }

private slots:
    void initTestCase_data() { vxtest::addEngineRows(); }
    void init() {
        QFETCH_GLOBAL(bool, postgres);
        if (postgres && !vxtest::pgConfigured()) QSKIP(vxtest::NoPgServerReason);
        m_db = std::make_unique<vxtest::TScratchDb>(postgres);
        QVERIFY2(m_db->Error().isEmpty(), qPrintable(m_db->Error()));
        m_store = std::make_unique<TScenarioStore>(m_db->Db());
    }
    void cleanup() {
        m_store.reset();
        m_db.reset();
    }

    void roundTrip_data();
    void roundTrip();
    void overwriteReplacesOnlyTheBoardsLooms();
    void deleteRemovesEveryRowOfTheScenario();
    void refusedSaveChangesNothing_data();
    void refusedSaveChangesNothing();
    void listFindAndDescribe();
};

void TstScenarioStore::roundTrip_data() {
    QTest::addColumn<TVxPlan>("saved");
    QTest::addColumn<TVxPlan>("loaded");
    QTest::addColumn<int>("rowsPerInsert");

    const TVxPlan three = threeLooms();
    QTest::newRow("each warp under its own reed, items in order") << three << three << 200;
    QTest::newRow("batches that end mid-loom") << three << three << 3;
    QTest::newRow("one row per statement") << three << three << 1;

    QTest::newRow("times of day are dropped: noon loads as midnight")
        << plan({loom(4, {warp(1, "A", "WHT", 3000, kMon + 0.5, kMon + 3.75)})}, 2, 1)
        << plan({loom(4, {warp(1, "A", "WHT", 3000, kMon, kMon + 3)})}, 2, 1) << 200;
    QTest::newRow("a finish of none stays none")
        << plan({loom(4, {reed(1, 2400, kMon, 0)})}, 2, 1)
        << plan({loom(4, {reed(1, 2400, kMon, 0)})}, 2, 1) << 200;
    // The warp is 7, the reeds after it 8 and 9: the next job is 10, not 8.
    QTest::newRow("next job number over reeds and downtimes too")
        << plan({loom(1,
                      {reed(8, 2400, kMon),
                       warp(7, "A", "WHT", 3000, kMon, kMon + 2, {item(12, "P", "001", "WHT", 1)}),
                       reed(9, 2640, kMon + 2)})},
                10, 13)
        << plan({loom(1,
                      {reed(8, 2400, kMon),
                       warp(7, "A", "WHT", 3000, kMon, kMon + 2, {item(12, "P", "001", "WHT", 1)}),
                       reed(9, 2640, kMon + 2)})},
                10, 13)
        << 200;
    QTest::newRow("looms without jobs")
        << plan({loom(1, {}), loom(2, {})}, 1, 1) << plan({loom(1, {}), loom(2, {})}, 1, 1) << 200;
}

void TstScenarioStore::roundTrip() {
    QFETCH(TVxPlan, saved);
    QFETCH(TVxPlan, loaded);
    QFETCH(int, rowsPerInsert);
    m_store->RowsPerInsert = rowsPerInsert;
    QVector<int> written;
    m_store->Save(1, "Week 12", saved, TScenarioSaveMode::New,
                  [&](int, int, int loomNo) { written << loomNo; });
    QCOMPARE(written, loomNos(saved));
    // A second scenario around it must not leak into the first.
    m_store->Save(2, "Other", threeLooms(), TScenarioSaveMode::New);
    const TVxPlan back = m_store->Load(1, loomNos(saved));
    QCOMPARE(back.Looms, loaded.Looms);
    QCOMPARE(back.NextJobNo, loaded.NextJobNo);
    QCOMPARE(back.NextItemNo, loaded.NextItemNo);
    QCOMPARE(m_store->Find(1)->Descr, QString("Week 12"));
}

void TstScenarioStore::overwriteReplacesOnlyTheBoardsLooms() {
    const TVxPlan before = threeLooms();
    m_store->Save(1, "Before", before, TScenarioSaveMode::New);
    m_store->Save(2, "Neighbour", before, TScenarioSaveMode::New);
    // Loom 3 has no column any more: its rows stay where they are.
    const TVxPlan board =
        plan({loom(1, {reed(20, 3120, kMon), warp(21, "D", "NAT", 3000, kMon, kMon + 3,
                                                  {item(30, "P", "003", "NAT", 2)})}),
              loom(2, {})},
             22, 31);
    m_store->Save(1, "After", board, TScenarioSaveMode::Overwrite);
    const int stored = allRows(1);
    m_store->Save(1, "After", board, TScenarioSaveMode::Overwrite);
    QCOMPARE(allRows(1), stored); // one set of rows, however often it is saved
    QCOMPARE(allRows(1), 3 + 3);  // the board's three and loom 3's reed, warp and item

    const TVxPlan back = m_store->Load(1, {1, 2, 3});
    QCOMPARE(back.Looms[0], board.Looms[0]);
    QCOMPARE(back.Looms[1], board.Looms[1]);
    QCOMPARE(back.Looms[2], before.Looms[2]);
    QCOMPARE(m_store->Find(1)->Descr, QString("After"));
    // The loom left out of the board still counts for the numbers.
    QCOMPARE(m_store->Load(1, {1}).NextJobNo, 22);
    QCOMPARE(m_store->Load(2, {1, 2, 3}).Looms, before.Looms);
}

void TstScenarioStore::deleteRemovesEveryRowOfTheScenario() {
    m_store->Save(1, "Gone", threeLooms(), TScenarioSaveMode::New);
    m_store->Save(2, "Kept", threeLooms(), TScenarioSaveMode::New);
    m_store->Delete(1);
    QCOMPARE(allRows(1), 0);
    QVERIFY(!m_store->Find(1));
    QCOMPARE(allRows(2), 13);
    // A new scenario under the old number starts from nothing, even on looms
    // the saving board has no column for.
    m_store->Save(1, "New", plan({loom(1, {reed(1, 2400, kMon)})}, 2, 1), TScenarioSaveMode::New);
    const TVxPlan back = m_store->Load(1, {1, 2, 3});
    QCOMPARE(back.JobCount(), 1);
    QCOMPARE(back.NextJobNo, 2);
    QCOMPARE(back.NextItemNo, 1);
}

void TstScenarioStore::refusedSaveChangesNothing_data() {
    QTest::addColumn<TScenarioSaveMode>("mode");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("descr");
    QTest::addColumn<TVxPlan>("board");
    QTest::addColumn<QString>("message"); // empty: the database's own

    const TVxPlan good = plan({loom(1, {reed(40, 2400, kMon)})}, 41, 1);
    QTest::newRow("new under a stored number")
        << TScenarioSaveMode::New << 1 << "Twice" << good << "";
    QTest::newRow("overwrite of a number no longer stored")
        << TScenarioSaveMode::Overwrite << 5 << "Lost" << good << "Scenario number 5 not found";
    QTest::newRow("a refused row undoes the whole overwrite")
        << TScenarioSaveMode::Overwrite << 1 << "Bad"
        << plan({loom(1, {reed(40, 2400, kMon), warp(41, "A", "WHTX", 3000, kMon, kMon + 2)})})
        << "";
    QTest::newRow("two jobs under one number")
        << TScenarioSaveMode::New << 2 << "Clash"
        << plan({loom(1, {reed(40, 2400, kMon), warp(41, "A", "WHT", 3000, kMon, kMon + 2)}),
                 loom(2, {reed(41, 2400, kMon)}), loom(3, {warp(41, "A", "WHT", 1, kMon, kMon)})})
        << "";
    QTest::newRow("a description longer than the column")
        << TScenarioSaveMode::New << 2 << QString(26, 'x') << good
        << "A description holds at most 25 characters";
}

void TstScenarioStore::refusedSaveChangesNothing() {
    QFETCH(TScenarioSaveMode, mode);
    QFETCH(int, number);
    QFETCH(QString, descr);
    QFETCH(TVxPlan, board);
    QFETCH(QString, message);
    const TVxPlan stored = threeLooms();
    m_store->Save(1, "Stored", stored, TScenarioSaveMode::New);
    const int rowsBefore = allRows(1);

    QString thrown;
    try {
        m_store->Save(number, descr, board, mode);
    } catch (const EVxError& e) {
        thrown = e.message();
    }
    QVERIFY2(!thrown.isEmpty(), "the save was reported as done");
    if (!message.isEmpty()) QCOMPARE(thrown, message);

    QCOMPARE(m_store->List(), (QVector<TScenarioInfo>{{1, "Stored"}}));
    QCOMPARE(allRows(1), rowsBefore);
    QCOMPARE(m_store->Load(1, {1, 2, 3}).Looms, stored.Looms);
    QCOMPARE(allRows(number), number == 1 ? rowsBefore : 0);
    // The connection is usable again: no transaction was left open.
    m_store->Save(3, "Next", stored, TScenarioSaveMode::New);
    QCOMPARE(m_store->MaxScenarioNo(), 3);
}

void TstScenarioStore::listFindAndDescribe() {
    QCOMPARE(m_store->MaxScenarioNo(), 0);
    QVERIFY(m_store->List().isEmpty());
    for (int no : {3, 1, -2, 0})
        m_store->Save(no, QStringLiteral("Scenario %1").arg(no), plan({}), TScenarioSaveMode::New);
    QCOMPARE(m_store->List(),
             (QVector<TScenarioInfo>{
                 {-2, "Scenario -2"}, {0, "Scenario 0"}, {1, "Scenario 1"}, {3, "Scenario 3"}}));
    QCOMPARE(m_store->MaxScenarioNo(), 3);

    m_store->Describe(1, QString(25, 'y'));
    QCOMPARE(m_store->Find(1)->Descr, QString(25, 'y'));
    m_store->Describe(1, QString());
    QCOMPARE(m_store->Find(1)->Descr, QString());
    for (auto [no, text, expected] :
         {std::tuple{9, QString("Nine"), QString("Scenario number 9 not found")},
          std::tuple{3, QString(26, 'z'), QString("A description holds at most 25 characters")}}) {
        QString thrown;
        try {
            m_store->Describe(no, text);
        } catch (const EVxError& e) {
            thrown = e.message();
        }
        QCOMPARE(thrown, expected);
    }
    QCOMPARE(m_store->Find(3)->Descr, QString("Scenario 3"));
    QVERIFY(!m_store->Find(9));
}

QTEST_GUILESS_MAIN(TstScenarioStore)
#include "tst_scenariostore.moc"
