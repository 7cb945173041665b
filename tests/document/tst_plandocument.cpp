// SPDX-License-Identifier: GPL-3.0-or-later
// The plan document without a window: every edit as a command on plan
// values, named after the intent, touching only the looms it names; undo and
// redo as round trips; clean points of loads and clears.

#include "RefText.h"
#include "VxDate.h"
#include "VxNumbers.h"
#include "VxPlanCommand.h"
#include "VxWeaPlan.h"

#include <QSignalSpy>
#include <QUndoStack>
#include <QtTest>
#include <functional>

namespace {
using TIntent = std::function<TVxPlanCommand*(TVxPlanDocument&)>;

const double kDay = VxEncodeDate(2026, 3, 2);

// A loom from "R W W D": reed of 2400 ends, 3000 m warp of A-WHT with one
// piece of fabric P, downtime; jobs numbered from jobNo, two days each.
TVxPlanLoom loom(int no, const QString& type, const QString& jobs, int& jobNo, int& itemNo) {
    TVxPlanLoom l;
    l.ScheduleNo = no;
    l.LoomType = type;
    l.Name = QStringLiteral("L%1").arg(no);
    l.StartDate = kDay;
    for (const QString& step : jobs.split(' ', Qt::SkipEmptyParts)) {
        TVxPlanJob job;
        job.JobNo = jobNo++;
        job.Kind = step == "R"   ? TVxPlanJobKind::Reed
                   : step == "W" ? TVxPlanJobKind::Warp
                                 : TVxPlanJobKind::Downtime;
        job.TotalEnds = 2400;
        job.WarpType = "A";
        job.WarpCol = "WHT";
        job.WarpLen = 3000;
        job.Descr = "Service";
        if (step == "W") job.Items << TVxPlanItem{itemNo++, "P", "001", "WHT", 1};
        job.StartDate = kDay;
        job.FinishDate = kDay + 2;
        l.Jobs << job;
    }
    ChainJobDates(l);
    return l;
}

// "R1 W2:3 D4": each job's kind and number, a warp's fabric item numbers.
QString shown(const TVxPlanLoom& l) {
    QStringList jobs;
    for (const TVxPlanJob& job : l.Jobs) {
        QString text = QString("RWD").at(int(job.Kind)) + QString::number(job.JobNo);
        for (const TVxPlanItem& item : job.Items)
            text += ':' + QString::number(item.ItemNo);
        jobs << text;
    }
    return jobs.join(' ');
}
} // namespace

class TestPlanDocument : public QObject {
    Q_OBJECT
public:
    TestPlanDocument() {
        TRefTextLoader loader(qEnvironmentVariable("PLEXIWEAVE_SAMPLES"));
        m_LoomTypes = loader.BuildLoomTypes();
        m_WarpInfos = loader.BuildWarpInfos();
        m_FabricInfos = loader.BuildFabricInfos();
        m_Downtimes = loader.BuildDowntimeTypes();
    }

private slots:
    void commands_data();
    void commands();
    void loadAndClearAreCleanPoints();
    void badPlacesAreRefusedWithThePlanKept();

private:
    // Looms 0 "R W W D" and 1 "R W" of the rapier type, 2 "R" of the
    // projectile type: jobs 1 to 7, items 1 to 3.
    void fill(TVxPlanDocument& doc) const {
        doc.SetRefs({&m_LoomTypes, &m_WarpInfos, &m_FabricInfos, &m_Downtimes});
        int jobNo = 1, itemNo = 1;
        TVxPlan plan;
        plan.Looms << loom(1, "RAPIER", "R W W D", jobNo, itemNo)
                   << loom(2, "RAPIER", "R W", jobNo, itemNo)
                   << loom(3, "PROJECTILE", "R", jobNo, itemNo);
        plan.NextJobNo = jobNo;
        plan.NextItemNo = itemNo;
        doc.Reset(plan);
    }

    TLoomTypeList m_LoomTypes;
    TWarpInfoList m_WarpInfos;
    TFabricInfoList m_FabricInfos;
    TDowntimeList m_Downtimes;
};

void TestPlanDocument::commands_data() {
    QTest::addColumn<TIntent>("intent");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("after"); // the touched looms, in the command's order
    QTest::addColumn<QVector<int>>("touched");

    TVxPlanJob downtime;
    downtime.Descr = "Service";
    downtime.StartDate = kDay + 30;
    downtime.FinishDate = kDay + 31;
    QTest::newRow("add a job") << TIntent(
                                      [=](auto& d) { return new TVxAddJobCommand(d, 2, downtime); })
                               << "Add downtime 8 to L3" << QStringList{"R7 D8"} << QVector<int>{2};
    QTest::newRow("edit a warp") << TIntent([](auto& d) {
        TVxPlanJob shorter = d.plan().Looms[0].Jobs[1];
        shorter.WarpLen = 2000;
        return new TVxEditJobCommand(d, {0, 1}, shorter);
    }) << "Edit warp 2" << QStringList{"R1 W2:1 W3:2 D4"}
                                 << QVector<int>{0};
    QTest::newRow("move a warp to another loom") << TIntent([](auto& d) {
        return new TVxMoveJobCommand(d, {0, 2}, 1, 2);
    }) << "Move warp 3 to L2" << QStringList{"R1 W2:1 D4", "R5 W6:3 W3:2"}
                                                 << QVector<int>{0, 1};
    QTest::newRow("move a job within its loom") << TIntent([](auto& d) {
        return new TVxMoveJobCommand(d, {0, 3}, 0, 1);
    }) << "Move downtime 4 within L1" << QStringList{"R1 D4 W2:1 W3:2"}
                                                << QVector<int>{0};
    QTest::newRow("remove a job") << TIntent([](auto& d) {
        return new TVxRemoveJobsCommand(d, {0, 3});
    }) << "Remove downtime 4" << QStringList{"R1 W2:1 W3:2"}
                                  << QVector<int>{0};
    QTest::newRow("a loom's clear stopped at its reed") << TIntent([](auto& d) {
        return new TVxRemoveJobsCommand(d, {1, 0}, 1, true);
    }) << "Remove reed 5" << QStringList{"W6:3"} << QVector<int>{1};
    QTest::newRow("a loom cleared") << TIntent([](auto& d) {
        return new TVxRemoveJobsCommand(d, {1, 0}, 2, true);
    }) << "Clear L2" << QStringList{""}
                                    << QVector<int>{1};
    QTest::newRow("add a fabric") << TIntent([](auto& d) {
        return new TVxAddItemCommand(d, {1, 1}, TVxPlanItem{0, "AB", "RED", "NAT", 3});
    }) << "Add fabric ABRED : NAT/3pcs to warp 6"
                                  << QStringList{"R5 W6:3:4"} << QVector<int>{1};
    QTest::newRow("edit a fabric") << TIntent([](auto& d) {
        return new TVxEditItemCommand(d, {0, 1}, 0, 5);
    }) << "Edit fabric P001 : WHT/5pcs"
                                   << QStringList{"R1 W2:1 W3:2 D4"} << QVector<int>{0};
    QTest::newRow("move a fabric to another loom's warp") << TIntent([](auto& d) {
        return new TVxMoveItemCommand(d, {0, 1}, 0, {1, 1}, 0);
    }) << "Move fabric P001 : WHT/1pc to warp 6" << QStringList{"R1 W2 W3:2 D4", "R5 W6:1:3"}
                                                          << QVector<int>{0, 1};
    QTest::newRow("remove a fabric") << TIntent([](auto& d) {
        return new TVxRemoveItemsCommand(d, {0, 2}, 0);
    }) << "Remove fabric P001 : WHT/1pc"
                                     << QStringList{"R1 W2:1 W3 D4"} << QVector<int>{0};
    QTest::newRow("clear a warp's fabric") << TIntent([](auto& d) {
        return new TVxRemoveItemsCommand(d, {1, 1}, -1);
    }) << "Clear fabrics of warp 6" << QStringList{"R5 W6"}
                                           << QVector<int>{1};
    QTest::newRow("clear the scenario")
        << TIntent([](auto& d) { return new TVxClearScenarioCommand(d); }) << "Clear all jobs"
        << QStringList{"", "", ""} << QVector<int>{0, 1, 2};
}

void TestPlanDocument::commands() {
    QFETCH(TIntent, intent);
    QFETCH(QString, name);
    QFETCH(QStringList, after);
    QFETCH(QVector<int>, touched);
    TVxPlanDocument doc;
    fill(doc);
    const TVxPlan before = doc.plan();
    QSignalSpy changed(&doc, &TVxPlanDocument::LoomsChanged);

    TVxPlanCommand* command = intent(doc);
    const QVector<TVxPlanLoom> preview = doc.Preview(*command);
    QCOMPARE(doc.plan(), before);
    doc.Push(command);
    QCOMPARE(doc.undoStack()->undoText(), name);
    QCOMPARE(changed.takeFirst().at(0).value<QVector<int>>(), touched);
    QStringList shownAfter;
    for (int loom : touched) {
        shownAfter << shown(doc.plan().Looms[loom]);
        QCOMPARE(doc.plan().Looms[loom], preview[touched.indexOf(loom)]);
    }
    QCOMPARE(shownAfter, after);
    // Re-dating the touched looms leaves the plan as re-dating every loom.
    TVxPlan redated = doc.plan();
    for (TVxPlanLoom& l : redated.Looms)
        ChainJobDates(l);
    QCOMPARE(doc.plan(), redated);
    // A cleared board has nothing to save.
    QCOMPARE(doc.IsModified(), name != "Clear all jobs");

    const TVxPlan done = doc.plan();
    doc.undoStack()->undo();
    QCOMPARE(doc.plan(), before);
    QVERIFY(!doc.IsModified());
    doc.undoStack()->redo();
    QCOMPARE(doc.plan(), done);
    QCOMPARE(changed.size(), 2);
}

void TestPlanDocument::loadAndClearAreCleanPoints() {
    TVxPlanDocument doc;
    fill(doc);
    TVxPlan stored = doc.plan();
    stored.Looms.removeLast();
    doc.Push(new TVxLoadCommand(doc, stored, {7, "Week 7"}));
    QVERIFY(!doc.IsModified());
    QCOMPARE(shown(doc.plan().Looms[2]), QString());
    doc.Push(new TVxRemoveJobsCommand(doc, {0, 3}));
    doc.SetClean(); // saved
    doc.Push(new TVxClearScenarioCommand(doc));
    QVERIFY(!doc.IsModified());
    QCOMPARE(doc.ScenarioLink(), TVxScenarioLink());
    // Undoing the clear finds the saved scenario again, linked and clean.
    doc.undoStack()->undo();
    QCOMPARE(doc.ScenarioLink(), (TVxScenarioLink{7, "Week 7"}));
    QVERIFY(!doc.IsModified());
    // Before the save the plan differs from what is stored.
    doc.undoStack()->undo();
    QVERIFY(doc.IsModified());
    doc.undoStack()->undo();
    QCOMPARE(doc.ScenarioLink(), TVxScenarioLink());
    // Clearing a warp's fabric twice is one step: the second changes nothing.
    doc.undoStack()->redo();
    const int steps = doc.undoStack()->index();
    doc.Push(new TVxRemoveItemsCommand(doc, {1, 1}, -1));
    doc.Push(new TVxRemoveItemsCommand(doc, {1, 1}, -1));
    QCOMPARE(doc.undoStack()->count(), steps + 1);
}

void TestPlanDocument::badPlacesAreRefusedWithThePlanKept() {
    TVxPlanDocument doc;
    fill(doc);
    const TVxPlan before = doc.plan();
    const QList<TIntent> bad{
        [](auto& d) {
            return new TVxMoveJobCommand(d, {0, 9}, 1, 0);
        },
        [](auto& d) {
            return new TVxMoveJobCommand(d, {0, 1}, 1, 3);
        },
        [](auto& d) {
            return new TVxEditItemCommand(d, {0, 0}, 0, 2);
        },
        [](auto& d) {
            return new TVxAddItemCommand(d, {0, 3}, TVxPlanItem{});
        },
        [](auto& d) {
            return new TVxRemoveJobsCommand(d, {5, 0});
        },
    };
    for (const TIntent& intent : bad)
        QVERIFY_THROWS_EXCEPTION(EVxError, doc.Push(intent(doc)));
    QCOMPARE(doc.plan(), before);
    QCOMPARE(doc.undoStack()->count(), 0);

    // Past the largest number there is no next one: refused, never wrapped round.
    TVxPlan full = before;
    full.NextJobNo = full.NextItemNo = VxNoNextNumber;
    doc.Reset(full);
    for (const TIntent& add : QList<TIntent>{
             [](auto& d) { return new TVxAddJobCommand(d, 2, TVxPlanJob{}); },
             [](auto& d) {
                 return new TVxAddItemCommand(d, {1, 1}, TVxPlanItem{0, "AB", "RED", "NAT", 3});
             }})
        QVERIFY_THROWS_EXCEPTION(EVxError, doc.Push(add(doc)));
    QCOMPARE(doc.plan(), full);
    QCOMPARE(VxNextAfter(2147483646), 2147483647);
    QCOMPARE(VxNextAfter(2147483647), VxNoNextNumber);
}

QTEST_MAIN(TestPlanDocument)
#include "tst_plandocument.moc"
