// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo of board changes: a planner's session of mixed actions through
// the dialogs, the menus and the mouse, walked back to the start and forward
// again with the keys, each step named after its action; the clean point;
// refused actions.

#include "ItemForm.h"
#include "WeavePlant.h"

#include <QToolButton>
#include <QUndoStack>

namespace {
QStringList namesOnStack(const QUndoStack* stack) {
    QStringList names;
    for (int i = 0; i < stack->count(); ++i)
        names << stack->text(i);
    return names;
}

// What the board shows and holds after each step of a session.
struct Snapshot {
    TVxPlan plan;
    QStringList shown;
};

Snapshot snapshot(TMainForm* main) {
    return {main->Document->plan(), boardText(main)};
}

void pressKeys(TMainForm* main, const QKeySequence& keys) {
    QTest::keySequence(main, keys);
}

void compareBoard(TMainForm* main, const Snapshot& expected, const char* when, int step) {
    const QByteArray where = QByteArray(when) + " step " + QByteArray::number(step);
    QVERIFY2(main->Document->plan() == expected.plan, where.constData());
    QCOMPARE(boardText(main), expected.shown);
}

// Edits an item's pieces through its edit action and the fabric dialog.
void editPieces(Plant& p, TVxJobItem* item, const QString& pieces) {
    VxDialogScript script;
    script.dialogs.push_back([&](QDialog* d) {
        auto* form = static_cast<TItemForm*>(d);
        form->PiecesEdit->selectAll();
        QTest::keyClicks(form->PiecesEdit, pieces);
        clickOk(d, form->OKButton);
        return -1;
    });
    VxGuard(p.Main, [item] { item->ExecuteEditItem(); });
}
} // namespace

class TestUndo : public QObject {
    Q_OBJECT
private slots:
    void sessionUndoneAndRedone();
    void modifiedFollowsTheCleanPoint();
    void refusalsLeaveNoStep_data();
    void refusalsLeaveNoStep();
};

// Ten actions of every kind, then Ctrl+Z down to the start and the redo keys
// up to the end: the board matches what it was at each step, dates, fabric,
// footers, capacities and loom start dates included.
void TestUndo::sessionUndoneAndRedone() {
    ShownPlant p(samplesDir());
    TMainForm* main = p.Main;
    QUndoStack* stack = main->Document->undoStack();
    TVxJobSchedule* r01 = p.Loom(0);
    TVxJobSchedule* r03 = p.Loom(2);
    QVERIFY(!main->UndoButton->isEnabled() && !main->RedoButton->isEnabled());
    QCOMPARE(main->UndoButton->toolTip(), QString("Nothing to undo"));

    QList<Snapshot> states{snapshot(main)};
    auto step = [&] { states << snapshot(main); };
    p.Add(r01, "R2400");
    step();
    p.Add(r01, "A-WHT:3000");
    step();
    QCOMPARE(p.AddFabric(r01->Jobs(1), "P001 : WHT", "3"), QString());
    step();
    QCOMPARE(p.AddFabric(r01->Jobs(1), "DBWHT : WHT", "2"), QString());
    step();
    p.Add(r03, "R2400");
    step();
    QCOMPARE(p.drag(r01, partPos(r01->Jobs(1)), r03, belowJobs(r03)), QString());
    QCOMPARE(r03->JobCount(), 2);
    step();
    editPieces(p, r03->Jobs(1)->Items(0), "5");
    step();
    VxGuard(main, [&] { r03->Jobs(1)->Items(1)->ExecuteRemoveItem(); });
    step();
    p.Add(r01, "Planned maintenance");
    step();
    {
        VxDialogScript script;
        script.answers = {QMessageBox::Yes, QMessageBox::Yes, QMessageBox::Yes};
        VxGuard(main, [&] { r01->ExecuteClearJobs(); });
        QCOMPARE(script.texts(), QStringList({"Remove all the jobs from this schedule?",
                                              "Delete this job?", "Delete this job?"}));
    }
    step();
    QVERIFY(p.Messages.isEmpty());

    QCOMPARE(namesOnStack(stack),
             QStringList({"Add reed 1 to R01 190cm", "Add warp 2 to R01 190cm",
                          "Add fabric P001 : WHT/3pcs to warp 2",
                          "Add fabric DBWHT : WHT/2pcs to warp 2", "Add reed 3 to R03 190cm",
                          "Move warp 2 to R03 190cm", "Edit fabric P001 : WHT/5pcs",
                          "Remove fabric DBWHT : WHT/2pcs", "Add downtime 4 to R01 190cm",
                          "Clear R01 190cm"}));
    QCOMPARE(main->UndoButton->toolTip(), QString("Undo Clear R01 190cm"));
    QVERIFY(main->Modified());

    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main));
    for (int i = states.size() - 2; i >= 0; --i) {
        pressKeys(main, QKeySequence::Undo);
        compareBoard(main, states[i], "undo", i);
        QCOMPARE(main->Document->plan().NextJobNo, states[i].plan.NextJobNo);
    }
    QVERIFY(!main->UndoButton->isEnabled());
    QCOMPARE(main->RedoButton->toolTip(), QString("Redo Add reed 1 to R01 190cm"));
    QVERIFY(!main->Modified());
    for (int i = 1; i < states.size(); ++i) {
        pressKeys(main, i % 2 ? QKeySequence(Qt::CTRL | Qt::Key_Y)
                              : QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        compareBoard(main, states[i], "redo", i);
    }
    QVERIFY(!main->RedoButton->isEnabled());
    QVERIFY(main->Modified());

    // Undone into the middle, a new action drops what was ahead of it.
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(main->UndoButton, Qt::LeftButton);
    compareBoard(main, states[6], "undo by button", 6);
    p.Add(r01, "R2640");
    QCOMPARE(stack->count(), 7);
    QVERIFY(!stack->canRedo());
    QCOMPARE(r01->Jobs(r01->JobCount() - 1)->JobNo, states[6].plan.NextJobNo);
}

// Modified is clear exactly at the state last cleared (or loaded, or saved),
// whichever way the board got back there.
void TestUndo::modifiedFollowsTheCleanPoint() {
    Plant p(samplesDir());
    TMainForm* main = p.Main;
    QUndoStack* stack = main->Document->undoStack();
    p.Add(p.Loom(0), "R2400");
    QVERIFY(main->Modified());
    {
        VxDialogScript script;
        script.answers = {QMessageBox::Yes};
        QTest::mouseClick(main->ClearButton, Qt::LeftButton);
    }
    QCOMPARE(stack->undoText(), QString("Clear all jobs"));
    QVERIFY(!main->Modified());
    QVERIFY(!main->ClearButton->isEnabled());
    p.Add(p.Loom(1), "R2640");
    QVERIFY(main->Modified());
    const QList<bool> expected = {false, true, false, true};
    QList<bool> seen;
    VxGuard(main, [&] { main->UndoButtonClick(); });
    seen << main->Modified();
    VxGuard(main, [&] { main->UndoButtonClick(); });
    seen << main->Modified();
    // The clear undone: the board has jobs again and may be cleared again.
    QVERIFY(main->ClearButton->isEnabled());
    QCOMPARE(main->Document->plan().NextJobNo, 2);
    VxGuard(main, [&] { main->RedoButtonClick(); });
    seen << main->Modified();
    VxGuard(main, [&] { main->RedoButtonClick(); });
    seen << main->Modified();
    QCOMPARE(seen, expected);

    // Back before the clean point and on with a new action: the clean state
    // can no longer be reached.
    VxGuard(main, [&] { main->UndoButtonClick(); });
    VxGuard(main, [&] { main->UndoButtonClick(); });
    p.Add(p.Loom(2), "R3120");
    QVERIFY(main->Modified());
    VxGuard(main, [&] { main->UndoButtonClick(); });
    QVERIFY(main->Modified());
}

void TestUndo::refusalsLeaveNoStep_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<QStringList>("asked");
    QTest::newRow("No to deleting a job") << 0 << QStringList{"Delete this job?"};
    QTest::newRow("a reed with a warp below")
        << 1
        << QStringList{"First delete all the warp jobs on this reed before you can delete it."};
    QTest::newRow("a loom's clearing stopped at once")
        << 2
        << QStringList{"Remove all the jobs from this schedule?",
                       "First delete all the warp jobs on this reed before you can delete it."};
    QTest::newRow("job dialog cancelled") << 3 << QStringList();
    QTest::newRow("fabric dialog cancelled") << 4 << QStringList();
    QTest::newRow("warp dropped on a loom without a reed") << 5 << QStringList();
    QTest::newRow("reed dragged") << 6 << QStringList();
}

// Every refused action leaves the board, the history and Modified as they
// were.
void TestUndo::refusalsLeaveNoStep() {
    QFETCH(int, action);
    QFETCH(QStringList, asked);
    ShownPlant p(samplesDir());
    TMainForm* main = p.Main;
    TVxJobSchedule* r01 = p.Loom(0);
    TVxJobSchedule* r02 = p.Loom(1);
    p.Add(r01, "R2400");
    p.Add(r01, "A-WHT:3000");
    QCOMPARE(p.AddFabric(r01->Jobs(1), "P001 : WHT", "3"), QString());
    p.Add(r01, "Planned maintenance");
    main->Document->SetClean();
    const Snapshot before = snapshot(main);
    const int steps = main->Document->undoStack()->count();

    VxDialogScript script;
    script.answers = {QMessageBox::No};
    switch (action) {
    case 0:
        VxGuard(main, [&] { r01->Jobs(2)->ExecuteRemoveJob(); });
        break;
    case 1:
        VxGuard(main, [&] { r01->Jobs(0)->ExecuteRemoveJob(); });
        break;
    case 2:
        script.answers = {QMessageBox::Yes};
        VxGuard(main, [&] { r01->ExecuteClearJobs(); });
        break;
    case 3:
        VxGuard(main, [&] { r02->ExecuteAddJob(); });
        break;
    case 4:
        VxGuard(main, [&] { r01->Jobs(1)->Items(0)->ExecuteEditItem(); });
        break;
    case 5:
        QCOMPARE(p.drag(r01, partPos(r01->Jobs(1)), r02, belowJobs(r02)), QString("Reed required"));
        break;
    case 6:
        QCOMPARE(p.drag(r01, partPos(r01->Jobs(0)), r01, belowJobs(r01)),
                 QString("Cannot move a reed"));
        break;
    }
    QCOMPARE(script.texts(), asked);
    compareBoard(main, before, "refused", action);
    QCOMPARE(main->Document->undoStack()->count(), steps);
    QVERIFY(!main->Modified());
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
