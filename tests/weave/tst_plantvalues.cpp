// SPDX-License-Identifier: GPL-3.0-or-later
// Find and the plant's load on plan values: what a typed query finds, in
// board order, and the looms weaving per day and each loom's share of the
// period, kept up loom by loom as a plan is edited.

#include "PlanBuild.h"
#include "VxDate.h"
#include "VxPlanFinder.h"
#include "VxPlantLoad.h"

#include <QtTest>

using namespace planbuild;

namespace {
const double kDay = VxEncodeDate(2027, 3, 1);

// Loom 1: reed 1, warp 2 A-WHT (P001 : WHT, DBWHT : WHT), downtime 3, warp
// 17 C-BLU (TWBLU : BLU, T010 : WHT). Loom 2: reed 4 of 2640 ends, warp 5
// A-NAT (P003 : NAT), warp 170 A-WHT (P001 : WHT).
TVxPlan findPlan() {
    const double d = kDay;
    return plan(
        {loom(1, {reed(1, 2400, d),
                  warp(2, "A", "WHT", 3000, d, d + 5,
                       {item(1, "P", "001", "WHT", 2), item(2, "DB", "WHT", "WHT", 1)}),
                  downtime(3, "Breakdown repair", d + 5, d + 6),
                  warp(17, "C", "BLU", 4000, d + 6, d + 9,
                       {item(3, "TW", "BLU", "BLU", 4), item(4, "T", "010", "WHT", 1)})}),
         loom(2, {reed(4, 2640, d),
                  warp(5, "A", "NAT", 3000, d, d + 4, {item(5, "P", "003", "NAT", 3)}),
                  warp(170, "A", "WHT", 3000, d + 4, d + 8, {item(6, "P", "001", "WHT", 5)})})});
}

QStringList shown(const QVector<TVxFindHit>& hits) {
    QStringList out;
    for (const TVxFindHit& hit : hits)
        out << QStringLiteral("%1.%2").arg(hit.Loom).arg(hit.Job) +
                   (hit.Item < 0 ? QString() : QStringLiteral("/%1").arg(hit.Item));
    return out;
}
} // namespace

class TestPlantValues : public QObject {
    Q_OBJECT
private slots:
    void find_data();
    void find();
    void load();
    void loadFollowsEdits();
};

void TestPlantValues::find_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("a job number, not its start") << "17" << QStringList{"0.3"};
    QTest::newRow("leading zeros are no job number") << "017" << QStringList{};
    QTest::newRow("warp key") << "A-WHT" << QStringList{"0.1", "1.2"};
    QTest::newRow("any case, any separator") << " a  wht " << QStringList{"0.1", "1.2"};
    QTest::newRow("warp type alone") << "A" << QStringList{"0.1", "1.1", "1.2"};
    QTest::newRow("a key half typed") << "A-W" << QStringList{"0.1", "1.2"};
    QTest::newRow("a colour: warps, fabric colours and wefts")
        << "wht" << QStringList{"0.1", "0.1/0", "0.1/1", "0.3/1", "1.2", "1.2/0"};
    QTest::newRow("fabric code") << "P001" << QStringList{"0.1/0", "1.2/0"};
    QTest::newRow("fabric key") << "P001 : WHT" << QStringList{"0.1/0", "1.2/0"};
    QTest::newRow("structure and colour run together") << "DBWHT" << QStringList{"0.1/1"};
    QTest::newRow("structure and colour as words") << "TW BLU" << QStringList{"0.3/0"};
    QTest::newRow("reeds by word") << "reed" << QStringList{"0.0", "1.0"};
    QTest::newRow("reeds by their ends") << "2640" << QStringList{"1.0"};
    QTest::newRow("part of a downtime") << "repair" << QStringList{"0.2"};
    QTest::newRow("blanks find nothing") << "  " << QStringList{};
    QTest::newRow("a word naming nothing spoils the rest") << "A-WHT XYZ" << QStringList{};
}

void TestPlantValues::find() {
    QFETCH(QString, query);
    QFETCH(QStringList, found);
    QCOMPARE(shown(TVxPlanFinder(query).FindIn(findPlan())), found);
}

void TestPlantValues::load() {
    const double d = kDay;
    // Ten days from d. Loom 1 weaves 3 + 2.5 days around a downtime; loom 2
    // a warp begun before the period and one running past its end.
    const TVxPlan p =
        plan({loom(1, {warp(1, "A", "WHT", 3000, d, d + 3), downtime(2, "Cleaning", d + 3, d + 4),
                       warp(3, "A", "WHT", 3000, d + 4, d + 6.5)}),
              loom(2, {warp(4, "A", "WHT", 3000, d - 2, d + 2), reed(5, 2640, d + 2, d + 2),
                       warp(6, "A", "WHT", 3000, d + 8, d + 12)})});
    TVxPlantLoad load;
    load.Reset(p, int(d), int(d) + 9);
    QCOMPARE(load.WeavingShare(0), 0.55);
    QCOMPARE(load.WeavingShare(1), 0.4);
    QList<int> busy;
    for (int day = int(d) - 1; day <= int(d) + 10; ++day)
        busy << load.BusyOn(day);
    QCOMPARE(busy, (QList<int>{0, 2, 2, 1, 0, 1, 1, 1, 0, 1, 1, 0}));
}

void TestPlantValues::loadFollowsEdits() {
    // Edit after edit, the load kept loom by loom is the load counted anew.
    TVxPlan p = findPlan();
    TVxPlantLoad kept;
    kept.Reset(p, int(kDay) - 3, int(kDay) + 20);
    const std::function<void(TVxPlan&)> edits[] = {
        [](TVxPlan& q) { q.Looms[0].Jobs[1].FinishDate += 2.5; },
        [](TVxPlan& q) {
            q.Looms[1].Jobs.move(2, 1);
            std::swap(q.Looms[1].Jobs[1].StartDate, q.Looms[1].Jobs[2].StartDate);
        },
        [](TVxPlan& q) { q.Looms[1].Jobs.removeAt(1); },
        [](TVxPlan& q) { q.Looms[0].Jobs[3].StartDate -= 4; },
        [](TVxPlan& q) { q.Looms[1].Jobs.clear(); },
    };
    const QVector<int> touched[] = {{0}, {1}, {1}, {0}, {1}};
    for (int e = 0; e < 5; ++e) {
        edits[e](p);
        kept.Update(p, touched[e]);
        TVxPlantLoad anew;
        anew.Reset(p, int(kDay) - 3, int(kDay) + 20);
        for (int l = 0; l < 2; ++l)
            QCOMPARE(kept.WeavingShare(l), anew.WeavingShare(l));
        for (int day = int(kDay) - 3; day <= int(kDay) + 20; ++day)
            QCOMPARE(kept.BusyOn(day), anew.BusyOn(day));
    }
}

QTEST_MAIN(TestPlantValues)
#include "tst_plantvalues.moc"
