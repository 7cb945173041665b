// SPDX-License-Identifier: GPL-3.0-or-later
// The schedule as a user meets it: widths and heights, menus, the actions
// behind them with and without handlers, and real mouse clicks, double
// clicks and right clicks on the drawn elements.

#include "EventLog.h"
#include "ItemDlg.h"
#include "JobDlg.h"
#include "ScheduleFixture.h"
#include "VxDialogs.h"
#include "VxSchedMetrics.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QToolTip>

namespace {
int scrollBarExtent() {
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

struct MenuEntry {
    QString text;
    bool visible;
    bool enabled;
};

QList<MenuEntry> entries(QMenu& menu) {
    QList<MenuEntry> list;
    for (QAction* a : menu.actions())
        list.append(
            {a->isSeparator() ? QStringLiteral("-") : a->text(), a->isVisible(), a->isEnabled()});
    return list;
}

// Visible entries, disabled ones marked with a leading "!".
QString shown(QMenu& menu) {
    QStringList out;
    for (const MenuEntry& e : entries(menu))
        if (e.visible) out << (e.enabled ? e.text : "!" + e.text);
    return out.join('|');
}

QAction* actionNamed(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->text() == text) return a;
    return nullptr;
}
} // namespace

class TestSchedUi : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void widthRules() {
        ScheduleWindow w(QSize(600, 200));
        TVxJobSchedule* fixed = w.column("F");
        fixed->SetAdjustWidth(false);
        QCOMPARE(fixed->width(), 112 + 6 + scrollBarExtent());

        TVxJobSchedule* s = w.column("A");
        QCOMPARE(s->width(), 112 + 6);
        QCOMPARE(s->x(), fixed->width());
        // Fill the job area until the last job reaches its bottom.
        int added = 0;
        while (s->width() == 112 + 6 && added < 50) {
            s->AddJob(0, "J", QString(), 0, 0);
            ++added;
        }
        QCOMPARE(s->width(), 112 + 6 + scrollBarExtent());
        const TVxJob* last = s->Jobs(s->JobCount() - 1);
        // It widens once the last job and the free strip below it pass the bottom.
        QVERIFY(last->Top() + last->Height() + kFreeStripHeight >
                s->JobArea()->viewport()->height());
        s->DeleteJob(0, true);
        QCOMPARE(s->width(), 112 + 6);
    }

    void widthsSettleOnFirstShow() {
        // Columns filled before the window shows still get their final width.
        QWidget window;
        window.resize(500, 400);
        auto* box = new TVxScheduleBox(&window);
        box->setGeometry(0, 0, 500, 400);
        TVxJobSchedule* s = box->AddSchedule(1, "A", "F");
        s->AddJob(0, "P", "Q", 46000, 46001)->AddItem(0, "x");
        s->AddJob(0, "R", QString(), 46000, 0);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(s->width(), 112 + 6);
        QCOMPARE(s->height(), 400 - 4);
    }

    void stripHeights() {
        ScheduleWindow w;
        TVxJobSchedule* s = w.column(QString());
        QCOMPARE(s->HeaderRow()->height(), 0);
        QCOMPARE(s->FooterRow()->height(), 0);
        s->SetHeader("Loom 1");
        s->SetFooter("Finish: 01/01/26");
        QCOMPARE(s->HeaderRow()->height(), QFontMetrics(s->HeaderFont()).height());
        QCOMPARE(s->FooterRow()->height(), QFontMetrics(s->FooterFont()).height());
        QCOMPARE(s->JobArea()->y(), s->HeaderRow()->y() + s->HeaderRow()->height());
        s->SetHeader(QString());
        QCOMPARE(s->HeaderRow()->height(), 0);
    }

    void boxHeightsAndOverflow() {
        ScheduleWindow w(QSize(400, 300));
        for (int i = 0; i < 3; ++i)
            w.column(QString::number(i));
        QCOMPARE(w.box->Schedules(0)->height(), 300 - 4);
        for (int i = 3; i < 6; ++i)
            w.column(QString::number(i));
        QCOMPARE(w.box->Schedules(0)->height(), 300 - 4 - scrollBarExtent());
        for (int i = 1; i < w.box->ScheduleCount(); ++i)
            QCOMPARE(w.box->Schedules(i)->x(),
                     w.box->Schedules(i - 1)->x() + w.box->Schedules(i - 1)->width());
        w.box->horizontalScrollBar()->setValue(30);
        QCOMPARE(w.box->Schedules(0)->x(), -30);
    }

    void scheduleMenu_data() {
        QTest::addColumn<int>("jobs");
        QTest::addColumn<QString>("addJob");
        QTest::addColumn<bool>("expanded");
        QTest::addColumn<QString>("menu");
        QTest::newRow("empty") << 0 << "&Add New Job..." << true
                               << "&Add New Job...|!&Clear Jobs|-|&Expanded";
        QTest::newRow("with jobs")
            << 2 << "&Add New Job..." << true << "&Add New Job...|&Clear Jobs|-|&Expanded";
        QTest::newRow("add hidden") << 1 << " " << false << "&Clear Jobs|-|&Expanded";
    }
    void scheduleMenu() {
        QFETCH(int, jobs);
        QFETCH(QString, addJob);
        QFETCH(bool, expanded);
        QFETCH(QString, menu);
        TVxJobSchedule s;
        for (int i = 0; i < jobs; ++i)
            s.NewJob();
        s.MenuCaptions().AddJob = addJob;
        s.SetExpanded(expanded);
        QMenu m;
        s.BuildMenu(&m);
        QCOMPARE(shown(m), menu);
        QCOMPARE(m.actions().last()->isChecked(), expanded);
    }

    void separatorsVanish_data() {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("menu");
        QTest::newRow("schedule, no add or clear") << "schedule"
                                                   << "&Expanded";
        QTest::newRow("job, no edit or remove") << "job"
                                                << "&Add Item...|!&Clear Items";
    }
    void separatorsVanish() {
        QFETCH(QString, which);
        QFETCH(QString, menu);
        TVxJobSchedule s;
        QMenu m;
        if (which == "schedule") {
            s.MenuCaptions().AddJob = QString();
            s.MenuCaptions().ClearJobs = " ";
            s.BuildMenu(&m);
        } else {
            s.MenuCaptions().EditJob = " ";
            s.MenuCaptions().RemoveJob = QString();
            s.NewJob()->BuildMenu(&m);
        }
        QCOMPARE(shown(m), menu);
    }

    void jobAndItemMenus() {
        TVxJobSchedule s;
        TVxJob* job = s.NewJob();
        QMenu empty;
        job->BuildMenu(&empty);
        QCOMPARE(shown(empty), QString("&Add Item...|!&Clear Items|-|&Edit Job...|&Remove Job"));
        TVxJobItem* item = job->AddItem(0, "A");
        s.SetExpanded(false);
        QMenu collapsed;
        job->BuildMenu(&collapsed);
        QCOMPARE(shown(collapsed),
                 QString("!&Add Item...|&Clear Items|-|&Edit Job...|&Remove Job"));
        QMenu itemMenu;
        item->BuildMenu(&itemMenu);
        QCOMPARE(shown(itemMenu), QString("&Edit Item...|&Remove Item"));
    }

    void rightClickOpensTheNearestMenu_data() {
        QTest::addColumn<int>("where");
        QTest::addColumn<QString>("first");
        QTest::newRow("item") << 0 << "&Edit Item...";
        QTest::newRow("caption row") << 1 << "&Add Item...";
        QTest::newRow("dates row") << 2 << "&Add Item...";
        QTest::newRow("empty job area") << 3 << "&Add New Job...";
        QTest::newRow("header") << 4 << "&Add New Job...";
        QTest::newRow("job area border") << 5 << "&Add New Job...";
        QTest::newRow("column frame") << 6 << "&Add New Job...";
    }
    void rightClickOpensTheNearestMenu() {
        QFETCH(int, where);
        QFETCH(QString, first);
        ScheduleWindow w;
        TVxJobSchedule* s = w.column("A");
        TVxJob* job = s->AddJob(0, "P", QString(), 46000, 0);
        TVxJobItem* item = job->AddItem(0, "A");
        QWidget* vp = s->JobArea()->viewport();
        QWidget* target = vp;
        QPoint p;
        switch (where) {
        case 0:
            p = partPos(job, TVxJobPart::Item, item);
            break;
        case 1:
            p = partPos(job, TVxJobPart::UpperCaption);
            break;
        case 2:
            p = partPos(job, TVxJobPart::Dates);
            break;
        case 3:
            p = QPoint(20, vp->height() - 10);
            break;
        case 4:
            target = s->HeaderRow();
            p = target->rect().center();
            break;
        case 5:
            target = s->JobArea();
            p = QPoint(0, target->height() / 2);
            break;
        case 6:
            target = s;
            p = QPoint(0, s->height() / 2);
            break;
        }
        QCOMPARE(target->childAt(p), nullptr);
        mouseClick(target, p, Qt::RightButton);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->actions().first()->text(), first);
        menu->close();
    }

    void menuActionRunsGuarded() {
        // A handler's error reaches the user as an error box, never a crash.
        ScheduleWindow w;
        TVxJobSchedule* s = w.column("A", {"P"});
        s->OnBeforeJobRemove = [](TVxJobSchedule*, TVxJob*) { throw EVxError("No way"); };
        VxDialogScript script;
        QMenu m;
        s->Jobs(0)->BuildMenu(&m);
        actionNamed(&m, "&Remove Job")->trigger();
        QCOMPARE(script.texts(VxMsgKind::Error), QStringList{"No way"});
        QCOMPARE(s->JobCount(), 1);
    }

    void actionEventOrders_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("events");
        QTest::newRow("add job") << "addJob"
                                 << "S:BeforeJobAdd,DoJobAdd,S:AfterJobAdd";
        QTest::newRow("edit job") << "editJob"
                                  << "S:BeforeJobEdit,DoJobEdit,S:AfterJobEdit";
        QTest::newRow("add item") << "addItem"
                                  << "S:BeforeItemAdd,DoItemAdd,S:AfterItemAdd";
        QTest::newRow("edit item") << "editItem"
                                   << "S:BeforeItemEdit,DoItemEdit,S:AfterItemEdit";
        QTest::newRow("remove item")
            << "removeItem"
            << "S:BeforeItemRemove,S:BeforeItemFree,S:AfterItemRemove,S:AfterItemFree";
    }
    void actionEventOrders() {
        QFETCH(QString, action);
        QFETCH(QString, events);
        TVxJobSchedule s;
        TVxJob* job = s.AddJob(0, "P", QString(), 0, 0);
        TVxJobItem* item = job->AddItem(0, "A");
        EventLog log;
        log.attach(&s);
        s.OnDoJobAdd = [&](TVxJobSchedule* sched) {
            log.lines << "DoJobAdd";
            sched->AddJob(1, "New", QString(), 0, 0);
        };
        s.OnDoJobEdit = [&](TVxJobSchedule*, TVxJob*) { log.lines << "DoJobEdit"; };
        s.OnDoItemAdd = [&](TVxJobSchedule*, TVxJob* j) {
            log.lines << "DoItemAdd";
            j->AddItem(1, "B");
        };
        s.OnDoItemEdit = [&](TVxJobSchedule*, TVxJob*, TVxJobItem*) { log.lines << "DoItemEdit"; };
        VxDialogScript script;
        if (action == "addJob")
            s.ExecuteAddJob();
        else if (action == "editJob")
            job->ExecuteEditJob();
        else if (action == "addItem")
            job->ExecuteAddItem();
        else if (action == "editItem")
            item->ExecuteEditItem();
        else
            item->ExecuteRemoveItem();
        QCOMPARE(log.joined(), events);
        QVERIFY(script.dialogTitles.isEmpty());
        QVERIFY(script.inputCaptions.isEmpty());
    }

    // A Do handler that removes the item it was asked to edit ends the
    // edit there: no after event carries the removed item.
    void itemRemovedWhileEdited() {
        TVxJobSchedule s;
        TVxJob* job = s.AddJob(0, "P", QString(), 0, 0);
        TVxJobItem* item = job->AddItem(0, "A");
        EventLog log;
        log.attach(&s);
        s.OnDoItemEdit = [&](TVxJobSchedule*, TVxJob* j, TVxJobItem* i) { j->RemoveItem(i, true); };
        s.OnAfterItemEdit = [&](TVxJobSchedule*, TVxJob*, TVxJobItem* i) {
            log.lines << "S:AfterItemEdit " + i->Caption();
        };
        item->ExecuteEditItem();
        QCOMPARE(job->ItemCount(), 0);
        QCOMPARE(log.joined(), QString("S:BeforeItemEdit,S:BeforeItemRemove,S:BeforeItemFree,"
                                       "S:AfterItemRemove,S:AfterItemFree"));
    }

    void promptsWithoutHandlers() {
        TVxJobSchedule s;
        TVxJob* job = s.AddJob(0, "P", QString(), 0, 0);
        EventLog log;
        log.attach(&s);
        VxDialogScript script;
        script.inputs = {QString("Cotton"), std::nullopt, QString("Linen")};
        job->ExecuteAddItem();
        QCOMPARE(job->ItemCount(), 1);
        QCOMPARE(job->Items(0)->Caption(), QString("Cotton"));
        QCOMPARE(job->Items(0)->ItemNo, 0);
        job->ExecuteAddItem(); // cancelled
        QCOMPARE(job->ItemCount(), 1);
        job->Items(0)->ExecuteEditItem();
        QCOMPARE(job->Items(0)->Caption(), QString("Linen"));
        QCOMPARE(script.inputCaptions, (QStringList{"Add Item", "Add Item", "Edit Job Item"}));
        QCOMPARE(script.inputPrompts, (QStringList{"Definition", "Definition", "Definition"}));
        // The edit prompt raises no after event.
        QCOMPARE(log.joined(),
                 QString("S:BeforeItemAdd,S:AfterItemAdd,S:BeforeItemAdd,S:BeforeItemEdit"));
    }

    void defaultJobDialog() {
        TVxJobSchedule s;
        EventLog log;
        log.attach(&s);
        VxDialogScript script;
        auto typeAndOk = [](const QString& text) {
            return [text](QDialog* dialog) {
                auto* form = qobject_cast<TVxJobForm*>(dialog);
                form->UpperEdit->clear();
                QTest::keyClicks(form->UpperEdit, text);
                QTest::mouseClick(form->OKBtn, Qt::LeftButton);
                return -1;
            };
        };
        script.dialogs.push_back(typeAndOk("Warp"));
        s.ExecuteAddJob();
        QCOMPARE(s.JobCount(), 1);
        TVxJob* job = s.Jobs(0);
        QCOMPARE(job->UpperCaption(), QString("Warp"));
        QCOMPARE(job->JobNo, 0);
        script.dialogs.push_back(typeAndOk("Reed"));
        job->ExecuteEditJob();
        QCOMPARE(job->UpperCaption(), QString("Reed"));
        job->ExecuteEditJob(); // no driver: cancelled
        s.ExecuteAddJob();     // likewise
        QCOMPARE(script.dialogTitles,
                 (QStringList{"Add New Job", "Edit Job", "Edit Job", "Add New Job"}));
        QCOMPARE(log.joined(), QString("S:BeforeJobAdd,S:AfterJobAdd,S:BeforeJobEdit,"
                                       "S:AfterJobEdit,S:BeforeJobEdit,S:BeforeJobAdd"));
        QCOMPARE(s.JobCount(), 1);
    }

    void itemDialogReplacesThePrompt() {
        TVxJobSchedule s;
        TVxJob* job = s.AddJob(0, "P", QString(), 0, 0);
        EventLog log;
        log.attach(&s);
        s.OnInitItemDialog = [&](TVxJobSchedule*, TVxJob*, TVxJobItem*, QStringList& list) {
            log.lines << "InitItemDialog";
            list << "C1"
                 << "C2"
                 << "C3";
        };
        VxDialogScript script;
        script.dialogs.push_back([](QDialog* dialog) {
            auto* form = qobject_cast<TVxJobItemForm*>(dialog);
            form->AvailList->item(2)->setSelected(true);
            form->AvailList->item(0)->setSelected(true);
            form->AvailListClick();
            QTest::mouseClick(form->OKBtn, Qt::LeftButton);
            return -1;
        });
        job->ExecuteAddItem();
        QCOMPARE(job->ItemCount(), 2);
        QCOMPARE(job->Items(0)->Caption(), QString("C1"));
        QCOMPARE(job->Items(1)->Caption(), QString("C3"));
        script.dialogs.push_back([](QDialog* dialog) {
            auto* form = qobject_cast<TVxJobItemForm*>(dialog);
            form->AvailList->setCurrentRow(1);
            form->AvailListClick();
            QTest::mouseClick(form->OKBtn, Qt::LeftButton);
            return -1;
        });
        job->Items(0)->ExecuteEditItem();
        QCOMPARE(job->Items(0)->Caption(), QString("C2"));
        QCOMPARE(script.dialogTitles, (QStringList{"Add New Job Items", "Edit Item"}));
        QVERIFY(script.inputCaptions.isEmpty());
        QCOMPARE(log.joined(), QString("S:BeforeItemAdd,InitItemDialog,S:AfterItemAdd,"
                                       "S:AfterItemAdd,S:BeforeItemEdit,InitItemDialog,"
                                       "S:AfterItemEdit"));
    }

    void clearConfirmations_data() {
        QTest::addColumn<bool>("jobs");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("left");
        QTest::newRow("jobs yes") << true << int(QMessageBox::Yes) << 0;
        QTest::newRow("jobs no") << true << int(QMessageBox::No) << 2;
        QTest::newRow("jobs cancel") << true << int(QMessageBox::Cancel) << 2;
        QTest::newRow("items yes") << false << int(QMessageBox::Yes) << 0;
        QTest::newRow("items no") << false << int(QMessageBox::No) << 2;
    }
    void clearConfirmations() {
        QFETCH(bool, jobs);
        QFETCH(int, answer);
        QFETCH(int, left);
        TVxJobSchedule s;
        TVxJob* job = s.AddJob(0, "P", QString(), 0, 0);
        s.AddJob(0, "Q", QString(), 0, 0);
        job->AddItem(0, "A");
        job->AddItem(0, "B");
        VxDialogScript script;
        script.answers = {QMessageBox::StandardButton(answer)};
        if (jobs)
            s.ExecuteClearJobs();
        else
            job->ExecuteClearItems();
        QCOMPARE(script.messages.size(), 1);
        QCOMPARE(script.messages[0].text, jobs ? QString("Remove all the jobs from this schedule?")
                                               : QString("Remove all the items from this job?"));
        QCOMPARE(script.messages[0].buttons, VxButtons::YesNoCancel);
        QCOMPARE(script.messages[0].defaultButton, QMessageBox::No);
        QCOMPARE(jobs ? s.JobCount() : job->ItemCount(), left);
    }

    void toggleExpandedReachesSiblingsOnly() {
        ScheduleWindow w;
        TVxJobSchedule* a = w.column("A", {"P"});
        TVxJobSchedule* b = w.column("B", {"Q"});
        TVxJobSchedule elsewhere;
        a->ToggleExpanded();
        QVERIFY(!a->Expanded());
        QVERIFY(!b->Expanded());
        QVERIFY(!b->Jobs(0)->Expanded());
        QVERIFY(elsewhere.Expanded());
        b->ExpandAll = false;
        b->ToggleExpanded();
        QVERIFY(b->Expanded());
        QVERIFY(!a->Expanded());
    }

    void clicks_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("assigned");
        QTest::addColumn<QString>("raised");
        QTest::newRow("item, item handler") << "item"
                                            << "item,job,click"
                                            << "item:P/A";
        QTest::newRow("item, job handler only") << "item"
                                                << "job"
                                                << "";
        QTest::newRow("item, no item handler") << "item"
                                               << "job,click"
                                               << "click:S";
        QTest::newRow("caption row") << "caption"
                                     << "item,job,click"
                                     << "job:P";
        QTest::newRow("dates row") << "dates"
                                   << "item,job,click"
                                   << "job:P";
        QTest::newRow("empty area") << "empty"
                                    << "item,job,click"
                                    << "click:S";
        QTest::newRow("footer") << "footer"
                                << "item,job,click"
                                << "click:S";
    }
    void clicks() {
        QFETCH(QString, where);
        QFETCH(QString, assigned);
        QFETCH(QString, raised);
        ScheduleWindow w;
        TVxJobSchedule* s = w.column("S");
        s->SetFooter("F");
        TVxJob* job = s->AddJob(0, "P", QString(), 46000, 0);
        TVxJobItem* item = job->AddItem(0, "A");
        QStringList log;
        if (assigned.contains("item"))
            s->OnItemClick = [&](TVxJobSchedule*, TVxJob* j, TVxJobItem* i) {
                log << "item:" + j->UpperCaption() + "/" + i->Caption();
            };
        if (assigned.contains("job"))
            s->OnJobClick = [&](TVxJobSchedule*, TVxJob* j) { log << "job:" + j->UpperCaption(); };
        if (assigned.contains("click"))
            s->OnClick = [&](QObject* sender) {
                log << "click:" + static_cast<TVxJobSchedule*>(sender)->Header();
            };
        QWidget* vp = s->JobArea()->viewport();
        if (where == "item")
            mouseClick(vp, partPos(job, TVxJobPart::Item, item));
        else if (where == "caption")
            mouseClick(vp, partPos(job, TVxJobPart::UpperCaption));
        else if (where == "dates")
            mouseClick(vp, partPos(job, TVxJobPart::Dates));
        else if (where == "empty")
            mouseClick(vp, QPoint(10, vp->height() - 5));
        else
            mouseClick(s->FooterRow(), s->FooterRow()->rect().center());
        QCOMPARE(log.join(','), raised);
    }

    // The pressed element holds the mouse: the mouse-up goes to it, and a
    // click needs the release over that same element.
    void releaseElsewhere_data() {
        QTest::addColumn<QString>("release");
        QTest::addColumn<QString>("raised");
        QTest::newRow("same row") << "dates P"
                                  << "up P,job:P";
        QTest::newRow("other job") << "caption Q"
                                   << "up P";
        QTest::newRow("empty area") << "empty"
                                    << "up P";
        QTest::newRow("outside the column") << "outside"
                                            << "up P";
    }
    void releaseElsewhere() {
        QFETCH(QString, release);
        QFETCH(QString, raised);
        ScheduleWindow w;
        TVxJobSchedule* s = w.column("S");
        TVxJob* p = s->AddJob(0, "P", QString(), 46000, 0);
        TVxJob* q = s->AddJob(0, "Q", QString(), 46000, 0);
        QStringList log;
        s->OnJobClick = [&](TVxJobSchedule*, TVxJob* j) { log << "job:" + j->UpperCaption(); };
        s->OnClick = [&](QObject*) { log << "click"; };
        s->OnMouseUp = [&](QObject* sender, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            auto* job = dynamic_cast<TVxJob*>(sender);
            log << "up " + (job ? job->UpperCaption() : QString("S"));
        };
        QWidget* vp = s->JobArea()->viewport();
        // The dates row starts no drag, so the mouse may wander.
        const QPoint start = partPos(p, TVxJobPart::Dates);
        QPoint end = start + QPoint(1, 0);
        if (release == "caption Q")
            end = partPos(q, TVxJobPart::UpperCaption);
        else if (release == "empty")
            end = QPoint(10, vp->height() - 5);
        else if (release == "outside")
            end = QPoint(vp->width() + 40, start.y());
        mousePress(vp, start);
        mouseMove(vp, end);
        mouseRelease(vp, end);
        QVERIFY(!VxScheduleDragActive());
        QCOMPARE(log.join(','), raised);
    }

    void doubleClicks_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("hideCaptions");
        QTest::addColumn<QString>("raised");
        QTest::newRow("item") << "item" << false << "prompt:Edit Job Item";
        QTest::newRow("item, edit hidden") << "item" << true << "";
        QTest::newRow("caption row") << "caption" << false << "DoJobEdit";
        QTest::newRow("status row") << "status" << false << "DoJobEdit";
        QTest::newRow("caption, edit hidden") << "caption" << true << "";
        QTest::newRow("dates row") << "dates" << false << "";
        QTest::newRow("empty area") << "empty" << false << "DoJobAdd";
        QTest::newRow("empty area, add hidden") << "empty" << true << "";
        QTest::newRow("header, add hidden") << "header" << true << "DoJobAdd";
        QTest::newRow("footer") << "footer" << false << "";
    }
    void doubleClicks() {
        QFETCH(QString, where);
        QFETCH(bool, hideCaptions);
        QFETCH(QString, raised);
        ScheduleWindow w;
        TVxJobSchedule* s = w.column("S");
        s->SetFooter("F");
        if (hideCaptions) {
            s->MenuCaptions().AddJob = " ";
            s->MenuCaptions().EditJob = " ";
            s->MenuCaptions().EditItem = QString();
        }
        TVxJob* job = s->AddJob(0, "P", QString(), 46000, 0);
        job->SetStatusText("status");
        TVxJobItem* item = job->AddItem(0, "A");
        QStringList log;
        s->OnDoJobAdd = [&](TVxJobSchedule*) { log << "DoJobAdd"; };
        s->OnDoJobEdit = [&](TVxJobSchedule*, TVxJob*) { log << "DoJobEdit"; };
        VxDialogScript script;
        QWidget* vp = s->JobArea()->viewport();
        if (where == "item")
            mouseDClick(vp, partPos(job, TVxJobPart::Item, item));
        else if (where == "caption")
            mouseDClick(vp, partPos(job, TVxJobPart::UpperCaption));
        else if (where == "status")
            mouseDClick(vp, partPos(job, TVxJobPart::Status));
        else if (where == "dates")
            mouseDClick(vp, partPos(job, TVxJobPart::Dates));
        else if (where == "empty")
            mouseDClick(vp, QPoint(10, vp->height() - 5));
        else if (where == "header")
            mouseDClick(s->HeaderRow(), s->HeaderRow()->rect().center());
        else
            mouseDClick(s->FooterRow(), s->FooterRow()->rect().center());
        for (const QString& caption : script.inputCaptions)
            log << "prompt:" + caption;
        QCOMPARE(log.join(','), raised);
    }

    void mouseForwarding() {
        ScheduleWindow w;
        TVxJobSchedule* s = w.column("S");
        TVxJob* job = s->AddJob(0, "P", QString(), 46000, 0);
        TVxJobItem* item = job->AddItem(0, "A");
        QStringList log;
        auto record = [&](const char* what) {
            return [&log, what](QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers,
                                int x, int y) {
                QString name = sender->metaObject()->className();
                if (dynamic_cast<TVxJobItem*>(sender))
                    name = "item";
                else if (dynamic_cast<TVxJob*>(sender))
                    name = "job";
                log << QString("%1 %2 %3 %4,%5").arg(what, name).arg(int(button)).arg(x).arg(y);
            };
        };
        s->OnMouseDown = record("down");
        s->OnMouseUp = record("up");
        const QPoint itemPos = partPos(job, TVxJobPart::Item, item);
        mouseClick(s->JobArea()->viewport(), itemPos);
        const QPoint inItem = itemPos - s->JobArea()->JobOrigin(job) - item->BoundsRect().topLeft();
        const QString coords = QString("%1,%2").arg(inItem.x()).arg(inItem.y());
        QCOMPARE(log, (QStringList{"down item 1 " + coords, "up item 1 " + coords}));
        log.clear();
        mouseClick(s->JobArea()->viewport(), partPos(job, TVxJobPart::UpperCaption),
                   Qt::RightButton);
        if (auto* menu = QApplication::activePopupWidget()) menu->close();
        // The release goes to the popup menu that the press opened.
        QVERIFY(!log.isEmpty());
        QVERIFY(log[0].startsWith("down job 2 "));
    }

    void datesHint() {
        ScheduleWindow w;
        TVxJobSchedule* s = w.column("S");
        TVxJob* job = s->AddJob(0, "P", QString(), 46000, 0);
        job->DatesRow.Hint = "Est weave time: 36hrs";
        QWidget* vp = s->JobArea()->viewport();
        const QPoint p = partPos(job, TVxJobPart::Dates);
        QHelpEvent hidden(QEvent::ToolTip, p, vp->mapToGlobal(p));
        QApplication::sendEvent(vp, &hidden);
        QVERIFY(!QToolTip::isVisible());
        job->DatesRow.ShowHint = true;
        QHelpEvent shownHint(QEvent::ToolTip, p, vp->mapToGlobal(p));
        QApplication::sendEvent(vp, &shownHint);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QString("Est weave time: 36hrs"));
        QToolTip::hideText();
    }

    void longHeaderKeepsItsStart() {
        ScheduleWindow w;
        TVxJobSchedule* s = w.column("L01 : RAPIER");
        QCOMPARE(s->HeaderRow()->ShownText(), s->Header());
        s->SetHeader("P01 Projectile 360cm : PROJECTILE");
        const QString shown = s->HeaderRow()->ShownText();
        QVERIFY(shown.startsWith("P01"));
        QVERIFY(shown.endsWith(QChar(0x2026)));
        const QPoint p(5, 2);
        QHelpEvent help(QEvent::ToolTip, p, s->HeaderRow()->mapToGlobal(p));
        QApplication::sendEvent(s->HeaderRow(), &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), s->Header());
        QToolTip::hideText();
    }
};

QTEST_MAIN(TestSchedUi)
#include "tst_schedui.moc"
