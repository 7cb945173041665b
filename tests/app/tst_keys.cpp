// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard on the board: a job or fabric chosen with the mouse or the
// arrows, moved with Alt+arrows under the drag rules, removed with Delete and
// edited with Enter. Real clicks and key presses on the shown window.

#include "WeavePlant.h"

#include <QSplitter>
#include <QUndoStack>

namespace {
// Loom 1: reed 1, warp 2 (fabric #1, #2, #3), downtime 3, warp 4, reed 5 of
// 2640 ends, warp 6. Loom 2: reed 7, warp 8 (fabric #4). Loom 3 (another
// loom type): reed 9.
void buildBoard(ShownPlant& p) {
    for (const char* job :
         {"R2400", "W-RED:100", "Planned maintenance", "V-RED:1000", "R2640", "H-GRN:1000"})
        p.Add(p.Loom(0), job);
    TVxJob* warp = p.Loom(0)->Jobs(1);
    QCOMPARE(p.AddFabric(warp, "B001 : 002", "1"), QString());
    QCOMPARE(p.AddFabric(warp, "BRED : NAT", "1"), QString());
    QCOMPARE(p.AddFabric(warp, "B001 : 002", "2"), QString());
    p.Add(p.Loom(1), "R2400");
    p.Add(p.Loom(1), "W-RED:100");
    QCOMPARE(p.AddFabric(p.Loom(1)->Jobs(1), "B001 : 002", "1"), QString());
    p.Add(p.Loom(2), "R2400");
    QVERIFY(p.Messages.isEmpty());
}

// A job (item -1) or one of its items, by position.
QObject* element(ShownPlant& p, int loom, int job, int item) {
    TVxJob* j = p.Loom(loom)->Jobs(job);
    return item < 0 ? static_cast<QObject*>(j) : j->Items(item);
}

// Chooses a job or item with a click, as a planner does.
void clickOn(QObject* target) {
    auto* item = dynamic_cast<TVxJobItem*>(target);
    TVxJob* job = item ? item->Job() : static_cast<TVxJob*>(target);
    QWidget* viewport = job->Schedule()->JobArea()->viewport();
    const QPoint at = item ? partPos(job, TVxJobPart::Item, item) : partPos(job);
    mousePress(viewport, at);
    mouseRelease(viewport, at);
}

void press(TMainForm* main, int key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(main->windowHandle(), Qt::Key(key), modifiers);
}

// "warp 2", "fabric B001 : 002/1pc", or "" for nothing.
QString label(TVxJobSchedule* any) {
    if (TVxJobItem* item = any->SelectedItem()) return "fabric " + item->Caption();
    TVxJob* job = any->SelectedJob();
    if (!job) return QString();
    return JobKindText(job) + " " + QString::number(job->JobNo);
}
} // namespace

class TestKeys : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void arrowsWalkTheBoard_data();
    void arrowsWalkTheBoard();
    void altArrowsMove_data();
    void altArrowsMove();
    void deleteAndEnter_data();
    void deleteAndEnter();
    void keysAndMouseGiveOneReason_data();
    void keysAndMouseGiveOneReason();
    void desktopKeys();

private:
    std::unique_ptr<ShownPlant> m_plant;
};

void TestKeys::init() {
    m_plant = std::make_unique<ShownPlant>();
    buildBoard(*m_plant);
    m_plant->Main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_plant->Main));
}

void TestKeys::cleanup() {
    m_plant.reset();
}

void TestKeys::arrowsWalkTheBoard_data() {
    QTest::addColumn<int>("loom");
    QTest::addColumn<int>("job");
    QTest::addColumn<int>("item");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("selected");
    const int up = Qt::Key_Up, down = Qt::Key_Down, left = Qt::Key_Left, right = Qt::Key_Right;
    QTest::newRow("down into a warp's fabric")
        << 0 << 1 << -1 << QList<int>{down} << "fabric B001 : 002/1pc";
    QTest::newRow("down past the fabric to the next job")
        << 0 << 1 << -1 << QList<int>{down, down, down, down} << "Planned maintenance 3";
    QTest::newRow("up from a job to the last fabric above")
        << 0 << 2 << -1 << QList<int>{up} << "fabric B001 : 002/2pcs";
    QTest::newRow("up from the first fabric to its warp")
        << 0 << 1 << 0 << QList<int>{up} << "W-RED 2";
    QTest::newRow("the top holds") << 0 << 0 << -1 << QList<int>{up, up} << "Reed 1";
    QTest::newRow("the bottom holds") << 0 << 5 << -1 << QList<int>{down} << "H-GRN 6";
    QTest::newRow("right to the job level with it")
        << 0 << 1 << -1 << QList<int>{right} << "W-RED 8";
    QTest::newRow("right from low down: the last job there")
        << 0 << 5 << -1 << QList<int>{right} << "W-RED 8";
    QTest::newRow("right, right, left")
        << 0 << 0 << -1 << QList<int>{right, right, left} << "Reed 7";
    QTest::newRow("the last loom holds") << 2 << 0 << -1 << QList<int>{right} << "Reed 9";
}

// Whatever the mouse chose, the arrows walk on from it.
void TestKeys::arrowsWalkTheBoard() {
    QFETCH(int, loom);
    QFETCH(int, job);
    QFETCH(int, item);
    QFETCH(QList<int>, keys);
    QFETCH(QString, selected);
    ShownPlant& p = *m_plant;
    clickOn(element(p, loom, job, item));
    for (int key : keys)
        press(p.Main, key);
    QCOMPARE(label(p.Loom(0)), selected);
    // The column holding it has the keys and shows it.
    TVxJobSchedule* holder = p.Loom(0)->SelectedJob()->Schedule();
    QCOMPARE(QApplication::focusWidget(), holder);
    QVERIFY(p.Main->ScheduleBox->viewport()->rect().contains(holder->geometry().topLeft() +
                                                             QPoint(2, 2)));
}

void TestKeys::altArrowsMove_data() {
    QTest::addColumn<int>("loom");
    QTest::addColumn<int>("job");
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("step"); // empty: refused
    QTest::addColumn<int>("place");    // in its loom or warp after the move
    const int up = Qt::Key_Up, down = Qt::Key_Down, left = Qt::Key_Left, right = Qt::Key_Right;
    QTest::newRow("warp down past the downtime") << 0 << 1 << -1 << down << ""
                                                 << "Move warp 2 within Loom 1" << 2;
    QTest::newRow("downtime up above a warp") << 0 << 2 << -1 << up << ""
                                              << "Move downtime 3 within Loom 1" << 1;
    QTest::newRow("warp up above its reed") << 0 << 1 << -1 << up << "Reed required"
                                            << "" << -1;
    QTest::newRow("a reed never moves") << 0 << 0 << -1 << down << "Cannot move a reed"
                                        << "" << -1;
    QTest::newRow("2400 warp down past the 2640 reed")
        << 0 << 3 << -1 << down << "Wrong reed type for this warp"
        << "" << -1;
    QTest::newRow("2640 warp up past its reed")
        << 0 << 5 << -1 << up << "Wrong reed type for this warp"
        << "" << -1;
    QTest::newRow("the last job down: nothing") << 0 << 5 << -1 << down << ""
                                                << "" << -1;
    QTest::newRow("warp to the next loom, level with it") << 0 << 1 << -1 << right << ""
                                                          << "Move warp 2 to Loom 2" << 1;
    QTest::newRow("2640 warp to a loom of 2400 reeds")
        << 0 << 5 << -1 << right << "Wrong reed type for this warp"
        << "" << -1;
    QTest::newRow("warp whose fabric the next loom type cannot weave")
        << 1 << 1 << -1 << right << "Has fabric that cannot go on this loom type"
        << "" << -1;
    QTest::newRow("no loom left of the first") << 0 << 1 << -1 << left << ""
                                               << "" << -1;
    QTest::newRow("fabric down one place") << 0 << 1 << 0 << down << ""
                                           << "Move fabric B001 : 002/1pc within warp 2" << 1;
    QTest::newRow("fabric up one place") << 0 << 1 << 2 << up << ""
                                         << "Move fabric B001 : 002/2pcs within warp 2" << 1;
    QTest::newRow("fabric to the warp level with it")
        << 1 << 1 << 0 << left << ""
        << "Move fabric B001 : 002/1pc to warp 2" << 0;
    QTest::newRow("fabric onto a reed") << 1 << 1 << 0 << right << "Can only go on a weaving job"
                                        << "" << -1;
}

// A move goes through the drag rules: refused, the board, the history and the
// status bar say so; made, it is one step that Ctrl+Z takes back exactly and
// Ctrl+Y makes again, and the frame stays on what moved.
void TestKeys::altArrowsMove() {
    QFETCH(int, loom);
    QFETCH(int, job);
    QFETCH(int, item);
    QFETCH(int, key);
    QFETCH(QString, status);
    QFETCH(QString, step);
    QFETCH(int, place);
    ShownPlant& p = *m_plant;
    TMainForm* main = p.Main;
    QUndoStack* stack = main->Document->undoStack();
    QObject* moving = element(p, loom, job, item);
    clickOn(moving);
    const TVxPlan before = main->Document->plan();
    const int steps = stack->count();
    main->ShowStatus(QString());
    press(main, key, Qt::AltModifier);
    QCOMPARE(p.status(), status);
    QCOMPARE(p.Loom(0)->Selected(), moving);
    if (step.isEmpty()) {
        QVERIFY(main->Document->plan() == before);
        QCOMPARE(stack->count(), steps);
        return;
    }
    QCOMPARE(stack->count(), steps + 1);
    QCOMPARE(stack->undoText(), step);
    auto* movedItem = dynamic_cast<TVxJobItem*>(moving);
    auto* movedJob = dynamic_cast<TVxJob*>(moving);
    QCOMPARE(movedItem ? movedItem->Job()->IndexOfItem(movedItem)
                       : movedJob->Schedule()->IndexOfJob(movedJob),
             place);
    const TVxPlan after = main->Document->plan();
    QVERIFY(!(after == before));
    // Undone and redone, the frame is still on the same job or fabric.
    const QString chosen = label(p.Loom(0));
    press(main, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(main->Document->plan() == before);
    QCOMPARE(label(p.Loom(0)), chosen);
    press(main, Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(main->Document->plan() == after);
    QCOMPARE(label(p.Loom(0)), chosen);
}

void TestKeys::deleteAndEnter_data() {
    QTest::addColumn<int>("job");
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QString>("selectedAfter");
    QTest::addColumn<QString>("step");
    const int del = Qt::Key_Delete, enter = Qt::Key_Return;
    const int yes = QMessageBox::Yes, no = QMessageBox::No;
    QTest::newRow("Delete a downtime, Yes")
        << 2 << -1 << del << yes << QStringList{"Delete this job?"} << "V-RED 4"
        << "Remove downtime 3";
    QTest::newRow("Delete a downtime, No")
        << 2 << -1 << del << no << QStringList{"Delete this job?"} << "Planned maintenance 3"
        << "";
    QTest::newRow("Delete a reed with a warp below")
        << 0 << -1 << del << yes
        << QStringList{"First delete all the warp jobs on this reed before you can delete it."}
        << "Reed 1"
        << "";
    QTest::newRow("Delete the last job")
        << 5 << -1 << del << yes << QStringList{"Delete this job?"} << "Reed 5"
        << "Remove warp 6";
    QTest::newRow("Delete a fabric")
        << 1 << 1 << del << yes << QStringList() << "fabric B001 : 002/2pcs"
        << "Remove fabric BRED : NAT/1pc";
    QTest::newRow("Enter on a warp")
        << 1 << -1 << enter << 0 << QStringList{"Edit W-RED On Loom 1 : LOOMA"} << "W-RED 2"
        << "Edit warp 2";
    QTest::newRow("Enter on a fabric")
        << 1 << 0 << enter << 0 << QStringList{"Edit B001 : 002/1pc In W-RED"}
        << "fabric B001 : 002/3pcs"
        << "Edit fabric B001 : 002/3pcs";
    QTest::newRow("Enter on a reed")
        << 0 << -1 << enter << 0 << QStringList{"Edit Reed On Loom 1 : LOOMA"} << "Reed 1"
        << "";
}

// Delete asks as the menu's Remove does and Enter opens the edit dialogs;
// the frame moves on to what takes the removed one's place.
void TestKeys::deleteAndEnter() {
    QFETCH(int, job);
    QFETCH(int, item);
    QFETCH(int, key);
    QFETCH(int, answer);
    QFETCH(QStringList, asked);
    QFETCH(QString, selectedAfter);
    QFETCH(QString, step);
    ShownPlant& p = *m_plant;
    TMainForm* main = p.Main;
    QUndoStack* stack = main->Document->undoStack();
    clickOn(element(p, 0, job, item));
    const TVxPlan before = main->Document->plan();
    const int steps = stack->count();
    VxDialogScript script;
    script.answers = {QMessageBox::StandardButton(answer)};
    QStringList titles;
    // The edit dialogs, driven while shown: a warp 10 m longer, a fabric of
    // 3 pieces; a reed's dialog is cancelled.
    script.dialogs.push_back([&](QDialog* d) {
        titles << d->windowTitle();
        if (auto* form = qobject_cast<TJobForm*>(d)) {
            if (!form->LengthShown()) return int(QDialog::Rejected);
            form->LengthEdit->selectAll();
            QTest::keyClicks(form->LengthEdit, "110");
            clickOk(d, form->OKButton);
        } else if (auto* form = qobject_cast<TItemForm*>(d)) {
            form->PiecesEdit->selectAll();
            QTest::keyClicks(form->PiecesEdit, "3");
            clickOk(d, form->OKButton);
        }
        return -1;
    });
    press(main, key);
    QCOMPARE(key == Qt::Key_Return ? titles : script.texts(), asked);
    QCOMPARE(label(p.Loom(0)), selectedAfter);
    if (step.isEmpty()) {
        QVERIFY(main->Document->plan() == before);
        QCOMPARE(stack->count(), steps);
    } else {
        QCOMPARE(stack->count(), steps + 1);
        QCOMPARE(stack->undoText(), step);
    }
}

void TestKeys::keysAndMouseGiveOneReason_data() {
    QTest::addColumn<int>("loom");
    QTest::addColumn<int>("job");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("toLoom"); // where the mouse drops the same move
    QTest::addColumn<int>("toJob");  // -1: below the jobs
    QTest::addColumn<QString>("reason");
    const int up = Qt::Key_Up, down = Qt::Key_Down, right = Qt::Key_Right;
    QTest::newRow("2400 warp down past the 2640 reed")
        << 0 << 3 << down << 0 << 4 << "Wrong reed type for this warp";
    QTest::newRow("2640 warp up past its reed")
        << 0 << 5 << up << 0 << 4 << "Wrong reed type for this warp";
    QTest::newRow("warp up above its reed") << 0 << 1 << up << 0 << 0 << "Reed required";
    QTest::newRow("a reed") << 0 << 0 << down << 0 << 1 << "Cannot move a reed";
    QTest::newRow("2640 warp to a loom of 2400 reeds")
        << 0 << 5 << right << 1 << -1 << "Wrong reed type for this warp";
    QTest::newRow("fabric the next loom type cannot weave")
        << 1 << 1 << right << 2 << -1 << "Has fabric that cannot go on this loom type";
}

// The same move refused by the keys and by a mouse drop names the same
// reason, and neither changes the plan.
void TestKeys::keysAndMouseGiveOneReason() {
    QFETCH(int, loom);
    QFETCH(int, job);
    QFETCH(int, key);
    QFETCH(int, toLoom);
    QFETCH(int, toJob);
    QFETCH(QString, reason);
    ShownPlant& p = *m_plant;
    const TVxPlan before = p.Main->Document->plan();
    clickOn(element(p, loom, job, -1));
    p.Main->ShowStatus(QString());
    press(p.Main, key, Qt::AltModifier);
    QCOMPARE(p.status(), reason);

    TVxJobSchedule* target = p.Loom(toLoom);
    const QPoint at = toJob < 0 ? belowJobs(target) : partPos(target->Jobs(toJob));
    QCOMPARE(p.drag(p.Loom(loom), partPos(p.Loom(loom)->Jobs(job)), target, at), reason);
    QVERIFY(p.Main->Document->plan() == before);
}

// F1: the information pane, as wide as its tabs, takes the keys; Ctrl+P prints.
void TestKeys::desktopKeys() {
    TMainForm* main = m_plant->Main;
    main->Splitter->setSizes({main->Splitter->width() - 120, 120});
    press(main, Qt::Key_F1);
    QVERIFY(main->PageControl1->isAncestorOf(QApplication::focusWidget()));
    QTRY_VERIFY(main->PageControl1->width() >= main->InfoPaneWidth());
    VxDialogScript script;
    press(main, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(script.dialogTitles, QStringList{"Print Options"});
}

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"
