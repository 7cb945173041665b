// SPDX-License-Identifier: GPL-3.0-or-later
// The weaving rules of the main window, driven through the real windows: the
// job and fabric dialogs (scripted while shown), the loom columns' own
// operations and menus, and reference data read from real text files written
// with figures chosen for each rule.

#include "ModeForm.h"
#include "SchedDB.h"
#include "WeavePlant.h"

#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>

#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

class TestRules : public QObject {
    Q_OBJECT
private slots:
    void addingJobsFollowsTheLowestReed();
    void jobDatesChainAlongTheLoom();
    void editDates_data();
    void editDates();
    void editingAReedWithJobsBelowKeepsItsEnds();
    void fabricCapacity_data();
    void fabricCapacity();
    void fabricKeysSplitInUse_data();
    void fabricKeysSplitInUse();
    void editFabricPieces_data();
    void editFabricPieces();
    void weaveTimeStretchesTheWarp();
    void unknownWarpIsRefused();
    void deletion_data();
    void deletion();
    void clearAllStopsAtTheReed();
    void clearButton_data();
    void clearButton();
    void removingTheFirstJobMovesTheLoomStart();
    void menusByKind();
    void statusMessageVanishes_data();
    void statusMessageVanishes();
    void closingInTextModeNeverAsks();
    void closingWithADatabase_data();
    void closingWithADatabase();
    void switchingPagesScrollsToTop();
    void everyLoomCarriesEveryHandler();
};

void TestRules::addingJobsFollowsTheLowestReed() {
    Plant p;
    TVxJobSchedule* loom = p.Loom(0);
    QCOMPARE(p.Add(loom, "R2400"), QStringList{"Reed"} + kDowntimeKinds);
    QCOMPARE(loom->JobCount(), 1);
    auto* reed = dynamic_cast<TVxReedJob*>(loom->Jobs(0));
    QVERIFY(reed);
    QCOMPARE(reed->UpperCaption(), QString("1:  Reed 2400"));
    QCOMPARE(reed->Tag, 2400);
    QCOMPARE(reed->DentsPerCm(), 6.5f);
    QCOMPARE(p.Main->Document->plan().NextJobNo, 2);
    QVERIFY(p.Main->Modified());
    QVERIFY(p.Main->ClearButton->isEnabled() && p.Main->PrintButton->isEnabled());
    QVERIFY(!p.Main->SaveButton->isEnabled());
    QCOMPARE(loomStart(p.Main, loom), VxDateToStr(VxToday()));

    QCOMPARE(p.Add(loom, "W-RED:100"),
             QStringList({"Reed", "W-RED", "V-RED", "G-RED", "G-BLU"}) + kDowntimeKinds);
    TVxWeaveJob* warp = warpAt(loom, 1);
    QVERIFY(warp);
    QCOMPARE(warp->UpperCaption(), QString("2:  W-RED 100m"));
    QCOMPARE(warp->Tag, 2400);
    QCOMPARE(warp->StatusText(), QString("Rem: 100m / 5kg"));

    QCOMPARE(p.Add(loom, "R2640"),
             QStringList({"Reed", "W-RED", "V-RED", "G-RED", "G-BLU"}) + kDowntimeKinds);
    QCOMPARE(p.Add(loom, "Breakdown repair"), QStringList({"Reed", "H-GRN"}) + kDowntimeKinds);
    QCOMPARE(loom->JobCount(), 4);
    QCOMPARE(loom->Jobs(3)->UpperCaption(), QString("4:  Breakdown repair"));
    // The other loom of the type is still empty: no warp without a reed.
    QCOMPARE(p.Add(p.Loom(1), "Planned maintenance"), QStringList{"Reed"} + kDowntimeKinds);
    QCOMPARE(p.Add(p.Loom(1), "Planned maintenance"), QStringList{"Reed"} + kDowntimeKinds);
    QVERIFY2(p.Messages.isEmpty(), qPrintable(p.Messages.join("; ")));
}

void TestRules::jobDatesChainAlongTheLoom() {
    Plant p;
    TVxJobSchedule* loom = p.Loom(0);
    const TDateTime today = VxToday();
    p.Add(loom, "Planned maintenance");
    QCOMPARE(loom->Jobs(0)->StartDate(), today);
    QCOMPARE(loom->Footer(), "Finish: " + VxDateToStr(today));

    // The next job starts where the last one ends, fixed there, and lasts
    // two days; its start day says so in red.
    VxDialogScript script;
    TDateTime proposedStart = 0, proposedFinish = 0, snapped = 0;
    QString hint;
    QColor color;
    script.dialogs.push_back([&](QDialog* d) {
        auto* form = static_cast<TJobForm*>(d);
        proposedStart = form->Calendar->StartDate();
        proposedFinish = form->Calendar->FinishDate();
        form->Calendar->SetStartDate(proposedStart + 4);
        snapped = form->Calendar->StartDate();
        form->CalendarSetupDay(proposedStart, color, hint);
        form->SelectType(form->TypeCombo->findText("Breakdown repair"));
        clickOk(d, form->OKButton);
        return -1;
    });
    VxGuard(p.Main, [loom] { loom->ExecuteAddJob(); });
    QCOMPARE(proposedStart, today);
    QCOMPARE(proposedFinish, today + 2);
    QCOMPARE(snapped, today);
    QCOMPARE(hint, QString("Must start here"));
    QCOMPARE(color, QColor(255, 0, 0));
    QCOMPARE(loom->Jobs(1)->StartDate(), today);
    QCOMPARE(loom->Jobs(1)->FinishDate(), today + 2);
    QCOMPARE(loom->Footer(), "Finish: " + VxDateToStr(today + 2));
}

void TestRules::editDates_data() {
    QTest::addColumn<int>("job");
    QTest::addColumn<int>("startShift");
    QTest::addColumn<int>("finishShift");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QList<int>>("expected"); // start, finish per job, days from today
    // Before: downtime 0-2, reed on day 2, warp of 100 m 2-4, downtime 4-6.
    QTest::newRow("first job 5 days later moves every job")
        << 0 << 5 << 0 << false << QList<int>{5, 7, 7, 7, 7, 9, 9, 11};
    QTest::newRow("middle job 3 days longer moves only the later ones")
        << 2 << 0 << 3 << false << QList<int>{0, 2, 2, 2, 2, 7, 7, 9};
    QTest::newRow("cancel still applies the dates")
        << 2 << 0 << 3 << true << QList<int>{0, 2, 2, 2, 2, 7, 7, 9};
    QTest::newRow("a later job's start cannot move")
        << 3 << 3 << 1 << false << QList<int>{0, 2, 2, 2, 2, 4, 4, 7};
}

void TestRules::editDates() {
    QFETCH(int, job);
    QFETCH(int, startShift);
    QFETCH(int, finishShift);
    QFETCH(bool, cancel);
    QFETCH(QList<int>, expected);
    Plant p;
    TVxJobSchedule* loom = p.Loom(0);
    const TDateTime today = VxToday();
    for (const char* step : {"Planned maintenance", "R2400", "W-RED:100", "Breakdown repair"})
        p.Add(loom, step);
    // The first job on a loom is proposed for today only; give it two days.
    TVxPlanJob first = p.Main->Document->plan().Looms[0].Jobs[0];
    first.FinishDate = today + 2;
    p.Main->Document->Push(new TVxEditJobCommand(*p.Main->Document, {0, 0}, first));
    QCOMPARE(loom->Jobs(3)->FinishDate(), today + 6);
    p.Main->Document->SetClean();

    VxDialogScript script;
    QString title;
    script.dialogs.push_back([&](QDialog* d) {
        auto* form = static_cast<TJobForm*>(d);
        title = form->windowTitle();
        TVxCalendar* cal = form->Calendar;
        if (startShift) cal->SetStartDate(cal->StartDate() + startShift);
        if (finishShift) cal->SetFinishDate(cal->FinishDate() + finishShift);
        if (cancel) {
            // The length typed is not taken on Cancel.
            form->LengthEdit->setText("90");
            QTest::mouseClick(form->CancelButton, Qt::LeftButton);
        } else {
            clickOk(d, form->OKButton);
        }
        return -1;
    });
    TVxJob* edited = loom->Jobs(job);
    VxGuard(p.Main, [edited] { edited->ExecuteEditJob(); });
    QVERIFY2(script.messages.isEmpty(), qPrintable(script.texts().join("; ")));
    QCOMPARE(title, "Edit " + JobKindText(edited) + " On Loom 1 : LOOMA");
    QList<int> actual;
    for (int i = 0; i < loom->JobCount(); ++i)
        actual << int(loom->Jobs(i)->StartDate() - today)
               << int(loom->Jobs(i)->FinishDate() - today);
    QCOMPARE(actual, expected);
    QCOMPARE(loomStart(p.Main, loom), VxDateToStr(loom->Jobs(0)->StartDate()));
    QCOMPARE(loom->Footer(), "Finish: " + VxDateToStr(loom->Jobs(3)->FinishDate()));
    QCOMPARE(warpAt(loom, 2)->WarpLen(), 100);
    QVERIFY(p.Main->Modified());
}

void TestRules::editingAReedWithJobsBelowKeepsItsEnds() {
    Plant p;
    TVxJobSchedule* loom = p.Loom(0);
    p.Add(loom, "R2400");
    bool enabledAlone = false, enabledWithJobBelow = true, reedLook = false;
    QString selected;
    auto probe = [&](bool& enabled) {
        VxDialogScript script;
        script.dialogs.push_back([&](QDialog* d) {
            auto* form = static_cast<TJobForm*>(d);
            enabled = form->EndsCombo->isEnabled();
            selected = form->EndsCombo->currentText();
            reedLook = form->EndsShown() && !form->LengthShown() && !form->TypeCombo->isEnabled() &&
                       form->Calendar->SingleDate();
            return int(QDialog::Rejected);
        });
        TVxJob* reed = loom->Jobs(0);
        VxGuard(p.Main, [reed] { reed->ExecuteEditJob(); });
    };
    probe(enabledAlone);
    QVERIFY(enabledAlone);
    QVERIFY(reedLook);
    QCOMPARE(selected, QString("2400"));
    p.Add(loom, "W-RED:100");
    probe(enabledWithJobBelow);
    QVERIFY(!enabledWithJobBelow);
}

void TestRules::fabricCapacity_data() {
    QTest::addColumn<QString>("warp");
    QTest::addColumn<QString>("pieces");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("status");
    // 100 m left, 40 m pieces.
    QTest::newRow("length: 2 pieces fit") << "W-RED:100"
                                          << "2"
                                          << ""
                                          << "Rem: 20m / 0kg";
    QTest::newRow("length: 3 pieces are 20 m too long") << "W-RED:100"
                                                        << "3"
                                                        << "Length over capacity by 20m"
                                                        << "Rem: 100m / 5kg";
    // 1000 m but 5 kg left, 2.4 kg pieces.
    QTest::newRow("weight: 2 pieces need 5 kg") << "V-RED:1000"
                                                << "2"
                                                << ""
                                                << "Rem: 920m / 0kg";
    QTest::newRow("weight: 3 pieces need 7 kg") << "V-RED:1000"
                                                << "3"
                                                << "Weight over capacity by 2kg"
                                                << "Rem: 1000m / 5kg";
}

void TestRules::fabricCapacity() {
    QFETCH(QString, warp);
    QFETCH(QString, pieces);
    QFETCH(QString, error);
    QFETCH(QString, status);
    Plant p;
    TVxJobSchedule* loom = p.Loom(0);
    p.Add(loom, "R2400");
    p.Add(loom, warp);
    p.Main->Document->SetClean();
    QString error0 = p.AddFabric(loom->Jobs(1), "XARED : NAT", pieces);
    QCOMPARE(error0, error);
    QCOMPARE(loom->Jobs(1)->ItemCount(), error.isEmpty() ? 1 : 0);
    QCOMPARE(loom->Jobs(1)->StatusText(), status);
    QCOMPARE(p.Main->Modified(), error.isEmpty());
    QCOMPARE(p.Main->Document->plan().NextItemNo, error.isEmpty() ? 2 : 1);
    if (error.isEmpty()) {
        QCOMPARE(loom->Jobs(1)->Items(0)->Caption(), "XARED : NAT/" + pieces + "pcs");
        QCOMPARE(loom->Jobs(1)->Items(0)->ItemNo, 1);
    }
}

void TestRules::fabricKeysSplitInUse_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("parts");
    QTest::newRow("one-character structure") << "B001 : 002" << QStringList({"B", "001", "002"});
    QTest::newRow("two-character structure") << "BRED : NAT" << QStringList({"BR", "ED", "NAT"});
    QTest::newRow("XA") << "XARED : NAT" << QStringList({"XA", "RED", "NAT"});
}

void TestRules::fabricKeysSplitInUse() {
    QFETCH(QString, key);
    QFETCH(QStringList, parts);
    Plant p;
    TVxJobSchedule* loom = p.Loom(0);
    p.Add(loom, "R2400");
    p.Add(loom, "W-RED:100");
    QString title, pieces;
    QStringList offered;
    VxDialogScript script;
    script.dialogs.push_back([&](QDialog* d) {
        auto* form = static_cast<TItemForm*>(d);
        title = form->windowTitle();
        for (int i = 0; i < form->TypeCombo->count(); ++i)
            offered << form->TypeCombo->itemText(i);
        pieces = form->PiecesEdit->text();
        form->TypeCombo->setCurrentIndex(form->TypeCombo->findText(key));
        clickOk(d, form->OKButton);
        return -1;
    });
    TVxJob* warp = loom->Jobs(1);
    VxGuard(p.Main, [warp] { warp->ExecuteAddItem(); });
    QCOMPARE(title, QString("Add To W-RED On Loom 1 : LOOMA"));
    QCOMPARE(pieces, QString("1"));
    QCOMPARE(offered, QStringList({"XARED : NAT", "B001 : 002", "BRED : NAT"}));
    auto* item = dynamic_cast<TVxWeaveJobItem*>(warp->Items(0));
    QVERIFY(item);
    QCOMPARE(QStringList({item->FabricStru(), item->FabricCol(), item->WeftCol()}), parts);
    QCOMPARE(item->Caption(), key + "/1pc");
}

void TestRules::editFabricPieces_data() {
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("error");
    // A 180 m warp (9 kg): 3 pieces leave 60 m / 2 kg.
    QTest::newRow("3 to 4 tests one piece") << 3 << "4"
                                            << "";
    QTest::newRow("3 to 5 tests two pieces") << 3 << "5"
                                             << "Length over capacity by 20m";
    // 5 pieces over-fill the warp (as a stored scenario may): 200 m on 180.
    QTest::newRow("5 to 3 always passes") << 5 << "3"
                                          << "";
}

void TestRules::editFabricPieces() {
    QFETCH(int, before);
    QFETCH(QString, after);
    QFETCH(QString, error);
    Plant p;
    TVxJobSchedule* loom = p.Loom(0);
    p.Add(loom, "R2400");
    p.Add(loom, "W-RED:180");
    // Put there as a stored scenario may, past what the warp can take.
    p.Main->Document->Push(new TVxAddItemCommand(*p.Main->Document, {0, 1},
                                                 TVxPlanItem{0, "XA", "RED", "NAT", before}));
    TVxJob* warp = loom->Jobs(1);
    TVxJobItem* item = warp->Items(0);
    p.Main->Document->SetClean();
    QString title;
    bool fixedFabric = false;
    VxDialogScript script;
    script.dialogs.push_back([&](QDialog* d) {
        auto* form = static_cast<TItemForm*>(d);
        title = form->windowTitle();
        fixedFabric = !form->TypeCombo->isEnabled();
        form->PiecesEdit->selectAll();
        QTest::keyClicks(form->PiecesEdit, after);
        clickOk(d, form->OKButton);
        return -1;
    });
    VxGuard(p.Main, [item] { item->ExecuteEditItem(); });
    QCOMPARE(title, QString("Edit XARED : NAT/%1pcs In W-RED").arg(before));
    QVERIFY(fixedFabric);
    QCOMPARE(script.texts(VxMsgKind::Error).join("; "), error);
    const int pieces = error.isEmpty() ? after.toInt() : before;
    QCOMPARE(dynamic_cast<TVxWeaveJobItem*>(item)->Pieces(), pieces);
    QCOMPARE(warp->StatusText(),
             QString("Rem: %1m / %2kg").arg(180 - 40 * pieces).arg(9 - VxRound(2.4 * pieces)));
    // A refused or cancelled edit leaves the scenario unchanged.
    QCOMPARE(p.Main->Modified(), error.isEmpty());
}

void TestRules::weaveTimeStretchesTheWarp() {
    Plant p;
    TVxJobSchedule* loom = p.Loom(0);
    p.Add(loom, "R2400");
    p.Add(loom, "G-RED:1000");
    p.Add(loom, "Planned maintenance");
    TVxJob* warp = loom->Jobs(1);
    const TDateTime start = warp->StartDate();
    QCOMPARE(warp->FinishDate(), start + 2);
    QCOMPARE(p.AddFabric(warp, "XARED : NAT", "4"), QString());
    QCOMPARE(warp->DatesRow.Hint, QString("Est weave time: 48hrs"));
    QVERIFY(warp->DatesRow.ShowHint);
    QCOMPARE(warp->FinishDate(), start + 2);
    QCOMPARE(p.AddFabric(warp, "XARED : NAT", "2"), QString());
    QCOMPARE(warp->DatesRow.Hint, QString("Est weave time: 72hrs"));
    QCOMPARE(warp->FinishDate(), start + 3);
    // The job after the warp moves along at once, and the footer with it.
    QCOMPARE(loom->Jobs(2)->StartDate(), start + 3);
    QCOMPARE(loom->Jobs(2)->FinishDate(), start + 5);
    QCOMPARE(loom->Footer(), "Finish: " + VxDateToStr(start + 5));
    // Removing fabric re-estimates, but never shortens the warp.
    VxDialogScript script;
    TVxJobItem* item = warp->Items(1);
    VxGuard(p.Main, [item] { item->ExecuteRemoveItem(); });
    QCOMPARE(warp->DatesRow.Hint, QString("Est weave time: 48hrs"));
    QCOMPARE(warp->FinishDate(), start + 3);
    QCOMPARE(warp->StatusText(), QString("Rem: 840m / 40kg"));
}

void TestRules::unknownWarpIsRefused() {
    Plant p;
    TVxJobSchedule* loom = p.Loom(2);
    p.Add(loom, "R2400");
    p.Add(loom, "W-RED:100");
    // The loom's type is unknown to the reference data of this run.
    TVxPlan plan = p.Main->Document->plan();
    plan.Looms[2].LoomType = "GONE";
    p.Main->Document->Reset(plan);
    VxDialogScript script;
    TVxJob* warp = loom->Jobs(1);
    VxGuard(p.Main, [warp] { warp->ExecuteAddItem(); });
    QCOMPARE(script.texts(VxMsgKind::Error), QStringList{"Unknown warp: W-RED"});
    QVERIFY(script.dialogTitles.isEmpty());
    QCOMPARE(warp->ItemCount(), 0);
}

void TestRules::deletion_data() {
    QTest::addColumn<QStringList>("plan");
    QTest::addColumn<int>("victim");
    QTest::addColumn<QString>("answer"); // to "Delete this job?"
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("deleted");
    const QString reedMessage =
        "First delete all the warp jobs on this reed before you can delete it.";
    QTest::newRow("reed with a warp below")
        << QStringList({"R2400", "W-RED:100"}) << 0 << "" << QStringList{reedMessage} << false;
    QTest::newRow("reed with a warp after downtime")
        << QStringList({"R2400", "Planned maintenance", "W-RED:100"}) << 0 << ""
        << QStringList{reedMessage} << false;
    QTest::newRow("reed with only downtime below")
        << QStringList({"R2400", "Planned maintenance"}) << 0 << "Yes"
        << QStringList{"Delete this job?"} << true;
    QTest::newRow("reed followed by another reed")
        << QStringList({"R2400", "R2640"}) << 0 << "Yes" << QStringList{"Delete this job?"} << true;
    QTest::newRow("warp, answered Yes") << QStringList({"R2400", "W-RED:100"}) << 1 << "Yes"
                                        << QStringList{"Delete this job?"} << true;
    QTest::newRow("warp, answered No") << QStringList({"R2400", "W-RED:100"}) << 1 << "No"
                                       << QStringList{"Delete this job?"} << false;
}

void TestRules::deletion() {
    QFETCH(QStringList, plan);
    QFETCH(int, victim);
    QFETCH(QString, answer);
    QFETCH(QStringList, messages);
    QFETCH(bool, deleted);
    Plant p;
    TVxJobSchedule* loom = p.Loom(0);
    for (const QString& job : plan)
        p.Add(loom, job);
    QCOMPARE(loom->JobCount(), plan.size());
    p.Main->Document->SetClean();
    VxDialogScript script;
    if (!answer.isEmpty())
        script.answers.push_back(answer == "Yes" ? QMessageBox::Yes : QMessageBox::No);
    TVxJob* job = loom->Jobs(victim);
    VxGuard(p.Main, [job] { job->ExecuteRemoveJob(); });
    QCOMPARE(script.texts(), messages);
    QCOMPARE(loom->JobCount(), plan.size() - (deleted ? 1 : 0));
    QCOMPARE(p.Main->Modified(), deleted);
}

void TestRules::clearAllStopsAtTheReed() {
    Plant p;
    TVxJobSchedule* loom = p.Loom(0);
    for (const char* job : {"R2400", "W-RED:100", "V-RED:1000"})
        p.Add(loom, job);
    p.Main->Document->SetClean();
    VxDialogScript script;
    script.answers = {QMessageBox::Yes, QMessageBox::Yes, QMessageBox::Yes};
    VxGuard(p.Main, [loom] { loom->ExecuteClearJobs(); });
    QCOMPARE(
        script.texts(),
        QStringList({"Remove all the jobs from this schedule?",
                     "First delete all the warp jobs on this reed before you can delete it."}));
    QCOMPARE(loom->JobCount(), 3);
    QVERIFY(!p.Main->Modified());

    // A loom of downtime clears job by job, each asked for.
    TVxJobSchedule* other = p.Loom(1);
    p.Add(other, "Planned maintenance");
    p.Add(other, "Breakdown repair");
    VxDialogScript again;
    again.answers = {QMessageBox::Yes, QMessageBox::Yes, QMessageBox::Yes};
    VxGuard(p.Main, [other] { other->ExecuteClearJobs(); });
    QCOMPARE(again.texts(), QStringList({"Remove all the jobs from this schedule?",
                                         "Delete this job?", "Delete this job?"}));
    QCOMPARE(again.messages.last().defaultButton, QMessageBox::No);
    QCOMPARE(other->JobCount(), 0);
    QCOMPARE(other->Footer(), QString());
    QCOMPARE(loomStart(p.Main, other), QString("0"));
}

void TestRules::clearButton_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes clears every loom") << int(QMessageBox::Yes);
    QTest::newRow("No keeps everything") << int(QMessageBox::No);
}

// The toolbar's Clear asks once for the whole board, then empties every loom
// without the per-job questions or the reed rule.
void TestRules::clearButton() {
    QFETCH(int, answer);
    Plant p;
    for (const char* job : {"R2400", "W-RED:100"})
        p.Add(p.Loom(0), job);
    p.Add(p.Loom(1), "Planned maintenance");
    QVERIFY(p.Main->ClearButton->isEnabled());
    const int nextJob = p.Main->Document->plan().NextJobNo;
    VxDialogScript script;
    script.answers = {QMessageBox::StandardButton(answer)};
    QTest::mouseClick(p.Main->ClearButton, Qt::LeftButton);
    QCOMPARE(script.texts(), QStringList({"Clear all jobs?"}));
    QCOMPARE(script.messages.first().defaultButton, QMessageBox::No);
    const bool cleared = answer == QMessageBox::Yes;
    QCOMPARE(p.Loom(0)->JobCount(), cleared ? 0 : 2);
    QCOMPARE(p.Loom(1)->JobCount(), cleared ? 0 : 1);
    QCOMPARE(p.Loom(0)->Footer().isEmpty(), cleared);
    QCOMPARE(p.Main->ClearButton->isEnabled(), !cleared);
    QCOMPARE(p.Main->PrintButton->isEnabled(), !cleared);
    QCOMPARE(p.Main->Modified(), !cleared);
    QCOMPARE(p.Main->Document->plan().NextJobNo, cleared ? 1 : nextJob);
    QCOMPARE(p.Main->windowTitle(), QString("Demo: Plexiweave Scheduler"));
}

void TestRules::removingTheFirstJobMovesTheLoomStart() {
    Plant p;
    TVxJobSchedule* loom = p.Loom(0);
    p.Add(loom, "Planned maintenance");
    p.Add(loom, "Breakdown repair");
    p.Add(loom, "Planned maintenance");
    const TDateTime second = loom->Jobs(1)->StartDate();
    const TDateTime third = loom->Jobs(2)->StartDate();
    VxDialogScript script;
    script.answers = {QMessageBox::Yes};
    TVxJob* first = loom->Jobs(0);
    VxGuard(p.Main, [first] { first->ExecuteRemoveJob(); });
    QCOMPARE(loom->JobCount(), 2);
    QCOMPARE(loomStart(p.Main, loom), VxDateToStr(second));
    // Nothing moves until the next re-dating pass.
    QCOMPARE(loom->Jobs(1)->StartDate(), third);
}

void TestRules::menusByKind() {
    Plant p;
    TVxJobSchedule* loom = p.Loom(0);
    p.Add(loom, "R2400");
    p.Add(loom, "Planned maintenance");
    p.Add(loom, "W-RED:100");
    const QList<QStringList> expected = {
        {"&Edit Reed...", "&Remove Reed"},
        {"&Edit Downtime...", "&Remove Downtime"},
        {"&Add Fabric...", "&Clear Fabrics", "&Edit Warp", "&Remove Warp"}};
    for (int i = 0; i < 3; ++i) {
        QMenu menu;
        loom->Jobs(i)->BuildMenu(&menu);
        QCOMPARE(visibleEntries(menu), expected[i]);
    }
    // Downtime moved to another loom keeps its own captions there.
    p.Main->Document->Push(new TVxMoveJobCommand(*p.Main->Document, {0, 1}, 1, 0));
    QMenu menu;
    p.Loom(1)->Jobs(0)->BuildMenu(&menu);
    QCOMPARE(visibleEntries(menu), expected[1]);
}

void TestRules::statusMessageVanishes_data() {
    QTest::addColumn<QString>("where");
    QTest::newRow("after two seconds") << "";
    QTest::newRow("mouse-up on a loom") << "loom";
    QTest::newRow("mouse-up on the status bar") << "status";
    QTest::newRow("mouse-up on a tool button") << "button";
}

void TestRules::statusMessageVanishes() {
    QFETCH(QString, where);
    Plant p;
    p.Main->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.Main));
    p.Main->ShowStatus("Reed required");
    QCOMPARE(p.Main->Status->currentMessage(), QString("Reed required"));
    QVERIFY(p.Main->MsgTimer->isActive());
    QCOMPARE(p.Main->MsgTimer->interval(), 2000);
    if (where.isEmpty()) {
        QTest::qWait(1500);
        QCOMPARE(p.Main->Status->currentMessage(), QString("Reed required"));
        QTRY_COMPARE_WITH_TIMEOUT(p.Main->Status->currentMessage(), QString(), 1500);
        QVERIFY(!p.Main->MsgTimer->isActive());
        return;
    }
    QWidget* target = where == "loom"     ? p.Loom(0)->JobArea()->viewport()
                      : where == "status" ? static_cast<QWidget*>(p.Main->Status)
                                          : p.Main->AboutButton;
    if (where == "button") {
        // Press and release away from the button so no About box opens.
        QTest::mousePress(target, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(-50, -50));
    } else {
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(5, 5));
    }
    QCOMPARE(p.Main->Status->currentMessage(), QString());
    p.Main->ShowStatus(QString());
    QVERIFY(!p.Main->MsgTimer->isActive());
}

void TestRules::closingInTextModeNeverAsks() {
    Plant p;
    p.Add(p.Loom(0), "R2400");
    QVERIFY(p.Main->Modified());
    VxDialogScript script;
    bool canClose = true;
    p.Main->FormCloseQuery(canClose);
    QVERIFY(canClose);
    QVERIFY(script.messages.isEmpty());
}

void TestRules::closingWithADatabase_data() {
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("no changes: closes without asking") << false << "" << true;
    QTest::newRow("changes, Yes closes") << true << "Yes" << true;
    QTest::newRow("changes, No stays open") << true << "No" << false;
}

void TestRules::closingWithADatabase() {
    QFETCH(bool, modified);
    QFETCH(QString, answer);
    QFETCH(bool, closes);
    QStandardPaths::setTestModeEnabled(true);
    // A local database file in a folder of its own, reached through an alias.
    QTemporaryDir dir;
    const QString aliases = dir.filePath("aliases.ini");
    {
        QSettings ini(aliases, QSettings::IniFormat);
        ini.beginGroup("ShedwiseSQL");
        ini.setValue("Driver", "QSQLITE");
        ini.setValue("Database", dir.filePath("Shedwise.db"));
        ini.endGroup();
    }
    TAppWindows windows;
    TMainForm& main = *windows.MainForm;
    main.Session = std::make_unique<TVxDbSession>(aliases);
    {
        VxDialogScript script;
        script.dialogs.push_back([](QDialog* d) {
            auto* form = static_cast<TModeForm*>(d);
            QTest::mouseClick(form->LocalRadio, Qt::LeftButton, {},
                              QPoint(8, form->LocalRadio->height() / 2));
            QTest::mouseClick(form->OKButton, Qt::LeftButton);
            return -1;
        });
        main.FormShow();
    }
    QVERIFY(main.Connected());
    if (modified) main.Document->undoStack()->resetClean();
    VxDialogScript script;
    if (!answer.isEmpty())
        script.answers.push_back(answer == "Yes" ? QMessageBox::Yes : QMessageBox::No);
    bool canClose = true;
    main.FormCloseQuery(canClose);
    QCOMPARE(canClose, closes);
    QCOMPARE(script.texts(VxMsgKind::Warning),
             answer.isEmpty() ? QStringList() : QStringList{"Close without saving your changes?"});
    QCOMPARE(script.messages.size(), answer.isEmpty() ? 0 : 1);
    for (const VxMessage& asked : script.messages)
        QCOMPARE(asked.defaultButton, QMessageBox::No);
}

void TestRules::switchingPagesScrollsToTop() {
    Plant p;
    p.Main->resize(900, 300);
    p.Main->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.Main));
    QScrollBar* bar = p.Main->TutorialMemo->verticalScrollBar();
    p.Main->PageControl1->setCurrentWidget(p.Main->TutorialMemo);
    QApplication::processEvents();
    QVERIFY(bar->maximum() > 0);
    bar->setValue(bar->maximum());
    p.Main->PageControl1->setCurrentIndex(0);
    p.Main->PageControl1->setCurrentWidget(p.Main->TutorialMemo);
    QCOMPARE(bar->value(), 0);
}

void TestRules::everyLoomCarriesEveryHandler() {
    Plant p;
    QCOMPARE(p.Main->ScheduleBox->ScheduleCount(), 3);
    for (int i = 0; i < p.Main->ScheduleBox->ScheduleCount(); ++i) {
        TVxJobSchedule* s = p.Loom(i);
        const QList<std::pair<const char*, bool>> events = {
            {"OnDoJobAdd", bool(s->OnDoJobAdd)},       {"OnDoJobEdit", bool(s->OnDoJobEdit)},
            {"OnDoItemAdd", bool(s->OnDoItemAdd)},     {"OnDoItemEdit", bool(s->OnDoItemEdit)},
            {"OnJobDragOver", bool(s->OnJobDragOver)}, {"OnItemDragOver", bool(s->OnItemDragOver)},
            {"OnDoJobDrop", bool(s->OnDoJobDrop)},     {"OnDoItemDrop", bool(s->OnDoItemDrop)},
            {"OnDoJobRemove", bool(s->OnDoJobRemove)}, {"OnDoItemRemove", bool(s->OnDoItemRemove)},
            {"OnDoJobsClear", bool(s->OnDoJobsClear)}, {"OnDoItemsClear", bool(s->OnDoItemsClear)},
            {"OnMouseUp", bool(s->OnMouseUp)}};
        for (const auto& [name, bound] : events)
            QVERIFY2(bound, qPrintable(QString("%1 on loom %2").arg(name).arg(i)));
        // The columns leave adding to the do-handlers: no before-add veto.
        QVERIFY(!s->OnBeforeJobAdd && !s->OnBeforeItemAdd);
    }
}

QTEST_MAIN(TestRules)
#include "tst_rules.moc"
