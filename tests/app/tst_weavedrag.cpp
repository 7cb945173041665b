// SPDX-License-Identifier: GPL-3.0-or-later
// The drag rules of the main window, driven by real mouse presses, moves past
// the drag distance and releases on the shown window.

#include "WeavePlant.h"

#include <QStatusBar>

namespace {
QString kinds(const TVxJobSchedule* loom) {
    QStringList out;
    for (int i = 0; i < loom->JobCount(); ++i)
        out << JobKindText(loom->Jobs(i));
    return out.join(' ');
}

// Checks that every job starts where the one before it finishes and that the
// footer shows the last finish.
void verifyChained(TVxJobSchedule* loom) {
    for (int i = 1; i < loom->JobCount(); ++i)
        QCOMPARE(loom->Jobs(i)->StartDate(), loom->Jobs(i - 1)->FinishDate());
    QCOMPARE(loom->Footer(),
             "Finish: " + VxDateToStr(loom->Jobs(loom->JobCount() - 1)->FinishDate()));
}

} // namespace

class TestWeaveDrag : public QObject {
    Q_OBJECT
private slots:
    void jobWithinLoom_data();
    void jobWithinLoom();
    void warpToAnotherLoom_data();
    void warpToAnotherLoom();
    void fabricBetweenWarps_data();
    void fabricBetweenWarps();
};

void TestWeaveDrag::jobWithinLoom_data() {
    QTest::addColumn<int>("dragged");
    QTest::addColumn<int>("onto"); // -1: below the last job
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("order");
    const QString before = "Reed W-RED Planned maintenance V-RED Reed H-GRN";
    QTest::newRow("a reed never moves") << 0 << 2 << "Cannot move a reed" << before;
    QTest::newRow("nor to the end") << 4 << -1 << "Cannot move a reed" << before;
    QTest::newRow("downtime above the first reed")
        << 2 << 0 << ""
        << "Planned maintenance Reed W-RED V-RED Reed H-GRN";
    QTest::newRow("warp above the first reed") << 1 << 0 << "Reed required" << before;
    QTest::newRow("2400 warp between the reeds")
        << 3 << 1 << ""
        << "Reed V-RED W-RED Planned maintenance Reed H-GRN";
    QTest::newRow("2400 warp below the 2640 reed")
        << 1 << 5 << "Wrong reed type for this warp" << before;
    // Dropped on a job further down, a job lands below it.
    QTest::newRow("2400 warp onto the 2640 reed: below it")
        << 1 << 4 << "Wrong reed type for this warp" << before;
    QTest::newRow("2640 warp straight above the 2400 reed, silently") << 5 << 0 << "" << before;
    QTest::newRow("2400 warp to the end") << 3 << -1 << "Wrong reed type for this warp" << before;
    QTest::newRow("2640 warp above its reed")
        << 5 << 4 << "Wrong reed type for this warp" << before;
}

void TestWeaveDrag::jobWithinLoom() {
    QFETCH(int, dragged);
    QFETCH(int, onto);
    QFETCH(QString, status);
    QFETCH(QString, order);
    ShownPlant p;
    TVxJobSchedule* loom = p.Loom(0);
    for (const char* job :
         {"R2400", "W-RED:100", "Planned maintenance", "V-RED:1000", "R2640", "H-GRN:1000"})
        p.Add(loom, job);
    QCOMPARE(kinds(loom), QString("Reed W-RED Planned maintenance V-RED Reed H-GRN"));
    p.Main->Document->SetClean();
    const QPoint to = onto < 0 ? belowJobs(loom) : partPos(loom->Jobs(onto));
    const QString shown = p.drag(loom, partPos(loom->Jobs(dragged)), loom, to);
    QCOMPARE(shown, status);
    QCOMPARE(kinds(loom), order);
    const bool moved = order != "Reed W-RED Planned maintenance V-RED Reed H-GRN";
    QCOMPARE(p.Main->Modified(), moved);
    verifyChained(loom);
    QCOMPARE(loomStart(p.Main, loom), VxDateToStr(loom->Jobs(0)->StartDate()));
}

void TestWeaveDrag::warpToAnotherLoom_data() {
    QTest::addColumn<QString>("warp");
    QTest::addColumn<QString>("fabric");
    QTest::addColumn<int>("target"); // Loom 2 is of the same type, Loom 3 of another
    QTest::addColumn<QString>("status");
    QTest::newRow("same loom type") << "G-BLU:1000"
                                    << "" << 1 << "";
    QTest::newRow("warp unknown to the loom type") << "G-BLU:1000"
                                                   << "" << 2 << "Cannot go on this loom type";
    QTest::newRow("fabric not weavable on the loom type")
        << "W-RED:100"
        << "B001 : 002" << 2 << "Has fabric that cannot go on this loom type";
    QTest::newRow("warp and fabric known there") << "W-RED:100"
                                                 << "XARED : NAT" << 2 << "";
}

void TestWeaveDrag::warpToAnotherLoom() {
    QFETCH(QString, warp);
    QFETCH(QString, fabric);
    QFETCH(int, target);
    QFETCH(QString, status);
    ShownPlant p;
    TVxJobSchedule* from = p.Loom(0);
    TVxJobSchedule* to = p.Loom(target);
    for (const QString& job : {QString("R2400"), warp, QString("Breakdown repair")})
        p.Add(from, job);
    if (!fabric.isEmpty()) QCOMPARE(p.AddFabric(from->Jobs(1), fabric, "1"), QString());
    // The target loom starts two weeks later, with its own reed and a job.
    p.Add(to, "R2400");
    p.Add(to, "Planned maintenance");
    TVxPlanJob reed = p.Main->Document->plan().Looms[target].Jobs[0];
    reed.StartDate = VxToday() + 14;
    reed.FinishDate = VxToday() + 15;
    p.Main->Document->Push(new TVxEditJobCommand(*p.Main->Document, {target, 0}, reed));
    p.Main->Document->SetClean();
    TVxJob* moving = from->Jobs(1);
    const QString remaining = moving->StatusText();

    const QString shown = p.drag(from, partPos(moving), to, belowJobs(to));
    QCOMPARE(shown, status);
    const bool accepted = status.isEmpty();
    QCOMPARE(moving->Schedule(), accepted ? to : from);
    QCOMPARE(from->JobCount(), accepted ? 2 : 3);
    QCOMPARE(to->JobCount(), accepted ? 3 : 2);
    QCOMPARE(p.Main->Modified(), accepted);
    // Both looms are chained from their own start dates after a move.
    verifyChained(from);
    verifyChained(to);
    QCOMPARE(to->Jobs(0)->StartDate(), VxToday() + 14);
    QCOMPARE(moving->StatusText(), remaining);
    if (accepted) {
        QCOMPARE(to->Jobs(2), moving);
        QCOMPARE(moving->StartDate(), VxToday() + 17);
    }
}

void TestWeaveDrag::fabricBetweenWarps_data() {
    QTest::addColumn<int>("onto"); // job index on Loom 1
    QTest::addColumn<QString>("pieces");
    QTest::addColumn<QString>("status");
    // 0 reed, 1 W-RED 100 m (100 m / 5 kg), 2 V-RED 1000 m (1000 m / 5 kg),
    // 3 downtime, 4 G-RED 1000 m holding the dragged fabric, 5 G-BLU.
    QTest::newRow("on a reed") << 0 << "3"
                               << "Can only go on a weaving job";
    QTest::newRow("on downtime") << 3 << "3"
                                 << "Can only go on a weaving job";
    QTest::newRow("on a warp of another colour") << 5 << "1"
                                                 << "Cannot go on this loom/warp type";
    QTest::newRow("too long for what is left") << 1 << "3"
                                               << "Not enough capacity left";
    QTest::newRow("too heavy for what is left") << 2 << "3"
                                                << "Not enough capacity left";
    QTest::newRow("fits") << 1 << "2"
                          << "";
}

void TestWeaveDrag::fabricBetweenWarps() {
    QFETCH(int, onto);
    QFETCH(QString, pieces);
    QFETCH(QString, status);
    ShownPlant p;
    TVxJobSchedule* loom = p.Loom(0);
    for (const char* job :
         {"R2400", "W-RED:100", "V-RED:1000", "Planned maintenance", "G-RED:1000", "G-BLU:1000"})
        p.Add(loom, job);
    TVxJob* source = loom->Jobs(4);
    QCOMPARE(p.AddFabric(source, "XARED : NAT", pieces), QString());
    TVxJobItem* item = source->Items(0);
    TVxJob* target = loom->Jobs(onto);
    const QString sourceBefore = source->StatusText();
    p.Main->Document->SetClean();

    const QString shown =
        p.drag(loom, partPos(source, TVxJobPart::Item, item), loom, partPos(target));
    QCOMPARE(shown, status);
    const bool accepted = status.isEmpty();
    QCOMPARE(item->Job(), accepted ? target : source);
    QCOMPARE(p.Main->Modified(), accepted);
    if (accepted) {
        // Both warps are recomputed: the source is empty again.
        QCOMPARE(source->StatusText(), QString("Rem: 1000m / 50kg"));
        QCOMPARE(target->StatusText(), QString("Rem: 20m / 0kg"));
    } else {
        QCOMPARE(source->StatusText(), sourceBefore);
    }
    // Reordering within its own job is always allowed.
    p.drag(loom, partPos(item->Job(), TVxJobPart::Item, item), loom,
           partPos(item->Job(), TVxJobPart::UpperCaption));
    QCOMPARE(item->Job()->ItemCount(), 1);
}

QTEST_MAIN(TestWeaveDrag)
#include "tst_weavedrag.moc"
