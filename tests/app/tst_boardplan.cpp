// SPDX-License-Identifier: GPL-3.0-or-later
// The board drawn from the plan: a board built through the real dialogs is
// drawn again from plan values (undoing a load over it) with every derived
// text (captions, remaining capacity, hints, footers, menus, reed ends, loom
// start dates) as it was; a plan from storage, which knows no start dates,
// takes each loom's start from its first job.

#include "WeavePlant.h"

namespace {
TVxPlanJob reed(int no, int ends, TDateTime start) {
    TVxPlanJob job;
    job.Kind = TVxPlanJobKind::Reed;
    job.JobNo = no;
    job.TotalEnds = ends;
    job.DentsPerCm = 6.5f;
    job.StartDate = job.FinishDate = start;
    return job;
}

TVxPlanJob warp(int no, const QString& key, int length, TDateTime start, TDateTime finish) {
    TVxPlanJob job;
    job.Kind = TVxPlanJobKind::Warp;
    job.JobNo = no;
    job.WarpType = key.section('-', 0, 0);
    job.WarpCol = key.section('-', 1);
    job.WarpLen = length;
    job.StartDate = start;
    job.FinishDate = finish;
    return job;
}

TVxPlanJob downtime(int no, const QString& descr, TDateTime start, TDateTime finish) {
    TVxPlanJob job;
    job.Kind = TVxPlanJobKind::Downtime;
    job.JobNo = no;
    job.Descr = descr;
    job.StartDate = start;
    job.FinishDate = finish;
    return job;
}

TVxPlanItem item(int no, const QString& stru, const QString& col, const QString& weft, int pieces) {
    TVxPlanItem item;
    item.ItemNo = no;
    item.FabricStru = stru;
    item.FabricCol = col;
    item.WeftCol = weft;
    item.Pieces = pieces;
    return item;
}

// 200 rapier looms of the sample plant.
QByteArray manyLooms(int count) {
    QByteArray text;
    for (int i = 1; i <= count; ++i)
        text +=
            QStringLiteral("L%1,%2,RAPIER,R%1 190cm,\n").arg(i, 3, 10, QChar('0')).arg(i).toUtf8();
    return text;
}

// Per loom a reed and warps of A-WHT with four fabric items each, dated one
// after the other with room for their weaving time.
TVxPlan bigPlan(int looms, int jobsPerLoom) {
    TVxPlan plan;
    int jobNo = 1;
    int itemNo = 1;
    for (int l = 1; l <= looms; ++l) {
        TVxPlanLoom loom;
        loom.ScheduleNo = l;
        TDateTime day = VxEncodeDate(2026, 1, 5) + l % 7;
        loom.StartDate = day;
        loom.Jobs.push_back(reed(jobNo++, 2400, day));
        for (int j = 1; j < jobsPerLoom; ++j) {
            TVxPlanJob job = warp(jobNo++, "A-WHT", 3000, day, day + 10);
            job.Items = {item(itemNo++, "P", "001", "WHT", 2), item(itemNo++, "P", "002", "NAT", 1),
                         item(itemNo++, "DB", "WHT", "WHT", 3),
                         item(itemNo++, "P", "001", "WHT", 1)};
            job.Expanded = j % 5 != 0;
            loom.Jobs.push_back(job);
            day += 10;
        }
        plan.Looms.push_back(loom);
    }
    plan.NextJobNo = jobNo;
    plan.NextItemNo = itemNo;
    return plan;
}
} // namespace

class TestBoardPlan : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void roundTrip_data();
    void roundTrip();
    void storedLoom_data();
    void storedLoom();
    void wholeBoardByLoomNumber();
    void loomsOutOfViewFollow();
    void tenThousandJobs();
};

void TestBoardPlan::initTestCase() {
    QVERIFY2(QFile::exists(QDir(samplesDir()).filePath("LoomSpec.csv")), qPrintable(samplesDir()));
}

void TestBoardPlan::roundTrip_data() {
    QTest::addColumn<bool>("collapse");
    QTest::addColumn<bool>("removeFirst");
    QTest::newRow("as built") << false << false;
    QTest::newRow("one loom collapsed") << true << false;
    // The loom's start then comes from the job that moved up, not from a
    // job's own date.
    QTest::newRow("first job of a loom removed") << false << true;
}

// The sample plant planned through the dialogs, read, replaced by an empty
// plan and shown again.
void TestBoardPlan::roundTrip() {
    QFETCH(bool, collapse);
    QFETCH(bool, removeFirst);
    Plant p(samplesDir());
    TVxJobSchedule* r01 = p.Loom(0);
    TVxJobSchedule* r02 = p.Loom(1);
    TVxJobSchedule* r03 = p.Loom(2);
    p.Add(r01, "R2400");
    p.Add(r01, "A-WHT:3000");
    QCOMPARE(p.AddFabric(r01->Jobs(1), "P001 : WHT", "3"), QString());
    QCOMPARE(p.AddFabric(r01->Jobs(1), "DBWHT : WHT", "2"), QString());
    p.Add(r01, "Planned maintenance");
    p.Add(r01, "B-WHT:2500");
    QCOMPARE(p.AddFabric(r01->Jobs(3), "T001 : WHT", "20"), QString());
    p.Add(r02, "Breakdown repair");
    p.Add(r02, "R2640");
    p.Add(r02, "C-BLU:4000");
    QCOMPARE(p.AddFabric(r02->Jobs(2), "TWBLU : BLU", "5"), QString());
    p.Add(r03, "R3120");
    QCOMPARE(r01->JobCount() + r02->JobCount() + r03->JobCount(), 8);
    if (collapse) {
        r02->ExpandAll = false;
        r02->ToggleExpanded();
    }
    if (removeFirst) {
        VxDialogScript script;
        script.answers = {QMessageBox::Yes};
        VxGuard(p.Main, [r02] { r02->Jobs(0)->ExecuteRemoveJob(); });
        QCOMPARE(r02->JobCount(), 2);
    }
    QVERIFY(p.Messages.isEmpty());
    // The weaving time of 20 pieces stretched the warp past its two days.
    QVERIFY(r01->Jobs(3)->FinishDate() - r01->Jobs(3)->StartDate() > 2);

    const TVxPlan before = p.Main->Document->plan();
    const QStringList shown = boardText(p.Main);
    QCOMPARE(before.Looms.size(), 14);
    QCOMPARE(before.JobCount(), removeFirst ? 7 : 8);
    QCOMPARE(before.ItemCount(), 4);
    QCOMPARE(before.NextJobNo, 9);
    QCOMPARE(before.NextItemNo, 5);
    const TVxPlanJob& stretched = before.Looms[0].Jobs[3];
    QCOMPARE(stretched.Items.size(), 1);
    QCOMPARE(stretched.Items[0].FabricStru, QString("T"));
    QCOMPARE(stretched.Items[0].Pieces, 20);

    VxDialogScript script;
    showPlan(p.Main, TVxPlan());
    QCOMPARE(p.Main->Document->plan().JobCount(), 0);
    QCOMPARE(r01->Footer(), QString());
    QCOMPARE(loomStart(p.Main, r01), QString("0"));
    QCOMPARE(p.Main->Document->plan().NextJobNo, 1);

    p.Main->Document->undoStack()->undo();
    QVERIFY(script.messages.isEmpty());
    QCOMPARE(p.Main->Document->plan(), before);
    QCOMPARE(boardText(p.Main), shown);
    QVERIFY(p.Main->ScheduleBox->updatesEnabled());

    // The rules see the board as before: the next warp on R01 is offered by
    // the 2400 reed it stands under.
    QVERIFY(p.Add(r01, "A-NAT:1000").contains("A-WHT"));
    QCOMPARE(r01->Jobs(4)->Tag, 2400);
    QCOMPARE(r01->Jobs(4)->JobNo, 9);
}

void TestBoardPlan::storedLoom_data() {
    QTest::addColumn<bool>("withJobs");
    QTest::addColumn<QString>("expectedStart");
    QTest::newRow("the first job's start") << true << "05/01/26";
    QTest::newRow("no jobs, no start") << false << "0";
}

// A loom as storage gives it: jobs in any order of kinds, an over-filled warp
// and no start date. Reed ends run down from the nearest reed above.
void TestBoardPlan::storedLoom() {
    QFETCH(bool, withJobs);
    QFETCH(QString, expectedStart);
    Plant p(samplesDir());
    TVxJobSchedule* loom = p.Loom(1);
    p.Add(loom, "R2400");
    p.Add(loom, "A-WHT:3000");
    const TDateTime d = VxEncodeDate(2026, 1, 5);
    TVxPlanLoom plan;
    plan.ScheduleNo = loom->ScheduleNo;
    if (withJobs) {
        TVxPlanJob over = warp(14, "A-NAT", 100, d + 3, d + 8);
        over.Items = {item(21, "DB", "NAT", "NAT", 3)};
        plan.Jobs = {downtime(11, "Cleaning, oiling", d, d + 1),
                     reed(12, 2400, d + 1),
                     warp(13, "A-WHT", 3000, d + 1, d + 3),
                     reed(15, 2640, d + 8),
                     over,
                     downtime(16, "No orders", d + 8, d + 9)};
    }
    VxDialogScript script;
    showPlan(p.Main, TVxPlan{{plan}, 17, 22});
    QVERIFY(script.messages.isEmpty());
    QCOMPARE(loomStart(p.Main, loom), expectedStart);
    if (!withJobs) {
        QCOMPARE(loom->JobCount(), 0);
        QCOMPARE(loom->Footer(), QString());
        return;
    }
    QStringList captions;
    QList<int> tags;
    for (int i = 0; i < loom->JobCount(); ++i) {
        captions << loom->Jobs(i)->UpperCaption();
        tags << loom->Jobs(i)->Tag;
    }
    QCOMPARE(captions, QStringList({"11:  Cleaning, oiling", "12:  Reed 2400", "13:  A-WHT 3000m",
                                    "15:  Reed 2640", "14:  A-NAT 100m", "16:  No orders"}));
    QCOMPARE(tags, QList<int>({0, 2400, 2400, 2640, 2640, 2640}));
    // 3 pieces of 60 m on a 95 % greige 100 m warp: 95 - 180 = -85 m.
    QVERIFY2(loom->Jobs(4)->StatusText().startsWith("Rem: -85m / "),
             qPrintable(loom->Jobs(4)->StatusText()));
    QCOMPARE(loom->Jobs(4)->Items(0)->Caption(), QString("DBNAT : NAT/3pcs"));
    QCOMPARE(loom->Jobs(0)->MenuCaptions().EditJob, QString("&Edit Downtime..."));
    QCOMPARE(loom->Jobs(1)->MenuCaptions().RemoveJob, QString("&Remove Reed"));
    QCOMPARE(loom->Jobs(2)->MenuCaptions().AddItem, QString("&Add Fabric..."));
    QCOMPARE(loom->Footer(), "Finish: " + VxDateToStr(d + 9));
    // Dates stay as stored: nothing is re-dated.
    QCOMPARE(loom->Jobs(4)->StartDate(), d + 3);
    QCOMPARE(p.Main->Document->plan().Looms[1].Jobs, plan.Jobs);
}

// A whole plan goes to the columns by loom number: a column the plan does not
// know is emptied, a plan loom without a column is left out, and nothing is
// asked about the jobs that go.
void TestBoardPlan::wholeBoardByLoomNumber() {
    Plant p(samplesDir());
    p.Add(p.Loom(0), "R2400");
    p.Add(p.Loom(0), "A-WHT:3000");
    p.Add(p.Loom(4), "R2400");
    const TDateTime d = VxEncodeDate(2026, 3, 2);
    TVxPlan plan;
    TVxPlanLoom r03;
    r03.ScheduleNo = p.Loom(2)->ScheduleNo;
    r03.Jobs = {reed(3, 2640, d)};
    TVxPlanLoom gone;
    gone.ScheduleNo = 999;
    gone.Jobs = {reed(4, 2400, d)};
    plan.Looms = {gone, r03};
    plan.NextJobNo = 40;
    plan.NextItemNo = 70;
    p.Main->Document->undoStack()->resetClean();
    VxDialogScript script;
    showPlan(p.Main, plan);
    QVERIFY(script.messages.isEmpty());
    QVERIFY(!p.Main->Modified());
    QCOMPARE(p.Loom(0)->JobCount(), 0);
    QCOMPARE(p.Loom(0)->Footer(), QString());
    QCOMPARE(loomStart(p.Main, p.Loom(0)), QString("0"));
    QCOMPARE(p.Loom(4)->JobCount(), 0);
    QCOMPARE(p.Loom(2)->JobCount(), 1);
    QCOMPARE(p.Loom(2)->Footer(), "Finish: " + VxDateToStr(d));
    QCOMPARE(loomStart(p.Main, p.Loom(2)), VxDateToStr(d));
    QCOMPARE(p.Main->Document->plan().NextJobNo, 40);
    QCOMPARE(p.Main->Document->plan().NextItemNo, 70);
    const TVxPlan read = p.Main->Document->plan();
    QCOMPARE(read.JobCount(), 1);
    QCOMPARE(read.Looms[2].Jobs, r03.Jobs);
}

// A shown board draws the looms in view at once and the others while the
// program is idle; an action on the board draws them all first.
void TestBoardPlan::loomsOutOfViewFollow() {
    ShownPlant p(samplesDir(), manyLooms(60));
    showPlan(p.Main, bigPlan(60, 5));
    QVERIFY(!p.Main->Board->Drawn());
    QCOMPARE(p.Loom(0)->JobCount(), 5);
    QCOMPARE(p.Loom(59)->JobCount(), 0);
    QTRY_VERIFY(p.Main->Board->Drawn());
    QCOMPARE(p.Loom(59)->JobCount(), 5);
    QCOMPARE(p.Loom(59)->Footer(),
             "Finish: " + VxDateToStr(VxEncodeDate(2026, 1, 5) + 60 % 7 + 40));

    // Undone and redone out of view, then a warp of a loom in view dropped
    // on the last loom by the board's own event: the board is drawn whole
    // first, and the last loom follows when idle.
    p.Main->Document->undoStack()->undo();
    p.Main->Document->undoStack()->redo();
    QVERIFY(!p.Main->Board->Drawn());
    TVxJobSchedule* last = p.Loom(59);
    VxGuard(p.Main, [&] { last->OnDoJobDrop(last, p.Loom(0)->Jobs(1), 5); });
    QCOMPARE(p.Loom(30)->JobCount(), 5);
    QCOMPARE(p.Main->Document->undoStack()->undoText(), QString("Move warp 2 to R060 190cm"));
    QTRY_COMPARE(last->JobCount(), 6);
}

// 200 looms of 50 jobs, 39,200 fabric items: the plan and its drawing.
void TestBoardPlan::tenThousandJobs() {
    Plant p(samplesDir(), manyLooms(200));
    QCOMPARE(p.Main->ScheduleBox->ScheduleCount(), 200);
    const TVxPlan plan = bigPlan(200, 50);
    QCOMPARE(plan.JobCount(), 10000);
    showPlan(p.Main, plan);
    const TVxPlan& read = p.Main->Document->plan();
    for (int i = 0; i < plan.Looms.size(); ++i)
        QCOMPARE(read.Looms[i].Jobs, plan.Looms[i].Jobs);
    TVxJobSchedule* last = p.Loom(199);
    QCOMPARE(last->Jobs(49)->Tag, 2400);
    QCOMPARE(last->Footer(), "Finish: " + VxDateToStr(plan.Looms[199].Jobs[49].FinishDate));
    QVERIFY(!last->Jobs(45)->Expanded());
    QVERIFY(last->Jobs(45)->Height() < last->Jobs(44)->Height());
}

QTEST_MAIN(TestBoardPlan)
#include "tst_boardplan.moc"
