// SPDX-License-Identifier: GPL-3.0-or-later
#include "EventLog.h"
#include "ItemDlg.h"
#include "JobDlg.h"
#include "VxDate.h"
#include "VxDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

namespace {
TVxInitJobDialogEvent JobLists(const QStringList& upper, const QStringList& lower) {
    return [upper, lower](TVxJobSchedule*, TVxJob*, QStringList& u, QStringList& l) {
        u = upper;
        l = lower;
    };
}

TVxInitItemDialogEvent ItemList(const QStringList& entries) {
    return [entries](TVxJobSchedule*, TVxJob*, TVxJobItem*, QStringList& list) { list = entries; };
}

QStringList ComboEntries(const QComboBox* combo) {
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    return entries;
}

void Show(QWidget* widget) {
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget));
}

void ClickRow(QListWidget* list, int row, Qt::KeyboardModifiers keys = {}) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, keys,
                      list->visualItemRect(list->item(row)).center());
}

// Steps the day of a date picker with the arrow keys, as a user would.
void StepDay(TVxDatePicker* picker, Qt::Key key) {
    picker->Edit()->setFocus();
    picker->Edit()->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(picker->Edit(), key);
}

// The centre of a job's part in its schedule's job area viewport.
QPoint PartCentre(TVxJobSchedule* schedule, TVxJob* job, TVxJobPart part,
                  TVxJobItem* item = nullptr) {
    return schedule->JobArea()->JobOrigin(job) + job->PartRect(part, item).center();
}

// A user's double click: press and release, then the double press.
void DoubleClick(QWidget* widget, const QPoint& at) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
}

// Opens the popup menu at a point of the job area and clicks an entry.
void ChooseFromMenu(TVxJobSchedule* schedule, const QPoint& at, const QString& entry) {
    QWidget* viewport = schedule->JobArea()->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    for (QAction* action : menu->actions()) {
        if (action->text() == entry && action->isVisible()) {
            // The scripted dialog run processes events while the menu is
            // still inside its mouse handler; keep the menu alive until the
            // click is over (a real modal loop defers the deletion itself).
            menu->setAttribute(Qt::WA_DeleteOnClose, false);
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            delete menu;
            return;
        }
    }
    QFAIL(qPrintable("no menu entry " + entry));
}

enum class ScheduleAction {
    AddJobByDoubleClick,
    AddJobFromMenu,
    EditJobByDoubleClick,
    EditJobFromMenu,
    AddItemsFromMenu,
    EditItemByDoubleClick,
    EditItemFromMenu
};
} // namespace
Q_DECLARE_METATYPE(ScheduleAction)
namespace {} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        VxSetShortDateFormat("dd/mm/yy");
    }

    void jobFormModes_data() {
        QTest::addColumn<bool>("assigned");
        QTest::addColumn<QStringList>("lower");
        QTest::addColumn<bool>("lists");
        QTest::addColumn<bool>("lowerShown");
        QTest::addColumn<QString>("upperLabel");
        QTest::newRow("no handler: edit fields")
            << false << QStringList() << false << true << "&Upper Caption";
        QTest::newRow("both lists")
            << true << QStringList{"L2", "L1"} << true << true << "&Upper Caption";
        QTest::newRow("upper list only") << true << QStringList() << true << false << "&Caption";
    }
    void jobFormModes() {
        QFETCH(bool, assigned);
        QFETCH(QStringList, lower);
        QFETCH(bool, lists);
        QFETCH(bool, lowerShown);
        QFETCH(QString, upperLabel);
        TVxJobForm form(nullptr);
        form.Prepare(nullptr, nullptr,
                     assigned ? JobLists({"beta", "Alpha", "gamma"}, lower) : nullptr);
        Show(&form);
        QCOMPARE(form.UpperCombo->isVisible(), lists);
        QCOMPARE(form.UpperEdit->isVisible(), !lists);
        QCOMPARE(form.LowerEdit->isVisible(), !lists);
        QCOMPARE(form.LowerCombo->isVisible(), lists && lowerShown);
        QCOMPARE(form.LowerLabel->isVisible(), lowerShown);
        QCOMPARE(form.UpperLabel->text(), upperLabel);
        QCOMPARE(form.UpperLabel->buddy(), lists ? static_cast<QWidget*>(form.UpperCombo)
                                                 : static_cast<QWidget*>(form.UpperEdit));
        if (lists) {
            QCOMPARE(ComboEntries(form.UpperCombo), (QStringList{"Alpha", "beta", "gamma"}));
            QCOMPARE(form.UpperCombo->currentIndex(), -1);
        }
        QCOMPARE(form.StartDate(), VxToday());
        QCOMPARE(form.FinishDate(), VxToday());
        QVERIFY(!form.OKBtn->isEnabled());
    }

    void jobOkEnablingByTyping_data() {
        QTest::addColumn<QString>("upperKeys");
        QTest::addColumn<QString>("lowerKeys");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("nothing typed") << ""
                                       << "" << false;
        QTest::newRow("lower only") << ""
                                    << "x" << false;
        QTest::newRow("upper only") << "A"
                                    << "" << true;
        QTest::newRow("typed then erased") << "A\b"
                                           << "x" << false;
    }
    void jobOkEnablingByTyping() {
        QFETCH(QString, upperKeys);
        QFETCH(QString, lowerKeys);
        QFETCH(bool, enabled);
        TVxJobForm form(nullptr);
        form.Prepare(nullptr, nullptr, nullptr);
        Show(&form);
        QTest::keyClicks(form.UpperEdit, upperKeys);
        QTest::keyClicks(form.LowerEdit, lowerKeys);
        QCOMPARE(form.OKBtn->isEnabled(), enabled);
        // Enter presses OK only when it is enabled.
        QTest::keyClick(form.UpperEdit, Qt::Key_Return);
        QCOMPARE(form.result(), enabled ? int(QDialog::Accepted) : int(QDialog::Rejected));
    }

    void jobOkEnablingInListMode_data() {
        QTest::addColumn<bool>("pickUpper");
        QTest::addColumn<bool>("pickLower");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("neither") << false << false << false;
        QTest::newRow("upper only") << true << false << false;
        QTest::newRow("lower only") << false << true << false;
        QTest::newRow("both") << true << true << true;
    }
    void jobOkEnablingInListMode() {
        QFETCH(bool, pickUpper);
        QFETCH(bool, pickLower);
        QFETCH(bool, enabled);
        TVxJobForm form(nullptr);
        form.Prepare(nullptr, nullptr, JobLists({"U1", "U2"}, {"L1"}));
        Show(&form);
        if (pickUpper) QTest::keyClick(form.UpperCombo, Qt::Key_Down);
        if (pickLower) QTest::keyClick(form.LowerCombo, Qt::Key_Down);
        QCOMPARE(form.OKBtn->isEnabled(), enabled);
        if (enabled) {
            QCOMPARE(form.UpperText(), QString("U1"));
            QCOMPARE(form.LowerText(), QString("L1"));
        }
    }

    void editingShowsJobCaptions_data() {
        QTest::addColumn<bool>("assigned");
        QTest::addColumn<QStringList>("lower");
        QTest::addColumn<QStringList>("upperEntries");
        QTest::addColumn<bool>("okAtOpening");
        QTest::newRow("typed captions") << false << QStringList() << QStringList() << true;
        QTest::newRow("caption added to the lists")
            << true << QStringList{"L1"} << QStringList{"A", "Job 7", "Z"} << false;
        QTest::newRow("no lower list keeps the lower caption")
            << true << QStringList() << QStringList{"A", "Job 7", "Z"} << false;
    }
    void editingShowsJobCaptions() {
        QFETCH(bool, assigned);
        QFETCH(QStringList, lower);
        QFETCH(QStringList, upperEntries);
        QFETCH(bool, okAtOpening);
        TVxJob job;
        job.SetUpperCaption("Job 7");
        job.SetLowerCaption("second line");
        TVxJobForm form(nullptr);
        form.Prepare(nullptr, &job, assigned ? JobLists({"Z", "A"}, lower) : nullptr);
        if (assigned) QCOMPARE(ComboEntries(form.UpperCombo), upperEntries);
        QCOMPARE(form.UpperText(), QString("Job 7"));
        QCOMPARE(form.LowerText(), QString("second line"));
        QCOMPARE(form.OKBtn->isEnabled(), okAtOpening);
        form.UpdateOkBtn();
        QVERIFY(form.OKBtn->isEnabled());
    }

    void startedJobKeepsStart_data() {
        QTest::addColumn<int>("startOffset");
        QTest::addColumn<bool>("startEditable");
        QTest::newRow("started yesterday") << -1 << false;
        QTest::newRow("starting today") << 0 << false;
        QTest::newRow("starting tomorrow") << 1 << true;
    }
    void startedJobKeepsStart() {
        QFETCH(int, startOffset);
        QFETCH(bool, startEditable);
        const TDateTime start = VxToday() + startOffset;
        TVxJob job;
        job.SetUpperCaption("J");
        job.SetStartDate(start);
        job.SetFinishDate(start + 1);
        TVxJobForm form(nullptr);
        form.Prepare(nullptr, &job, nullptr);
        Show(&form);
        QCOMPARE(form.StartDatePicker->isEnabled(), startEditable);
        // The finish can move, but never before the start.
        StepDay(form.FinishDatePicker, Qt::Key_Down);
        QCOMPARE(form.FinishDate(), start);
        StepDay(form.FinishDatePicker, Qt::Key_Down);
        QCOMPARE(form.FinishDate(), start);
        if (startEditable) {
            // A later start pushes the finish along.
            StepDay(form.StartDatePicker, Qt::Key_Up);
            StepDay(form.StartDatePicker, Qt::Key_Up);
            QCOMPARE(form.StartDate(), start + 2);
            QCOMPARE(form.FinishDate(), start + 2);
        }
        QVERIFY(form.OKBtn->isEnabled());
        QTest::mouseClick(form.OKBtn, Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(job.StartDate(), form.StartDate());
        QCOMPARE(job.FinishDate(), form.StartDate());
    }

    void finishCheckBox_data() {
        QTest::addColumn<double>("finishOffset");
        QTest::addColumn<bool>("toggle");
        QTest::addColumn<double>("expectedOffset");
        QTest::addColumn<bool>("expectNone");
        QTest::newRow("no finish stays none") << -1.0 << false << 0.0 << true;
        QTest::newRow("clearing the box removes the finish") << 3.0 << true << 0.0 << true;
        QTest::newRow("ticking the box sets the start") << -1.0 << true << 0.0 << false;
        QTest::newRow("finish kept") << 3.0 << false << 3.0 << false;
    }
    void finishCheckBox() {
        QFETCH(double, finishOffset);
        QFETCH(bool, toggle);
        QFETCH(double, expectedOffset);
        QFETCH(bool, expectNone);
        const TDateTime start = VxToday() + 5;
        TVxJob job;
        job.SetUpperCaption("J");
        job.SetStartDate(start);
        job.SetFinishDate(finishOffset < 0 ? 0 : start + finishOffset);
        TVxJobForm form(nullptr);
        form.Prepare(nullptr, &job, nullptr);
        Show(&form);
        QCOMPARE(form.FinishDatePicker->Checked(), finishOffset >= 0);
        if (toggle) QTest::mouseClick(form.FinishDatePicker->CheckBox(), Qt::LeftButton);
        QTest::mouseClick(form.OKBtn, Qt::LeftButton);
        QCOMPARE(job.FinishDate(), expectNone ? 0.0 : start + expectedOffset);
    }

    void itemOkEnabling_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<bool>("editing");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("empty list") << QStringList() << false << false;
        QTest::newRow("adding, nothing selected") << QStringList{"A", "B"} << false << true;
        QTest::newRow("editing, nothing selected") << QStringList{"A", "B"} << true << false;
    }
    void itemOkEnabling() {
        QFETCH(QStringList, entries);
        QFETCH(bool, editing);
        QFETCH(bool, enabled);
        TVxJob job;
        TVxJobItem item;
        item.SetCaption("A");
        TVxJobItemForm form(nullptr);
        form.Prepare(nullptr, &job, editing ? &item : nullptr, ItemList(entries));
        Show(&form);
        if (editing) // a control-click takes the only selection away
            ClickRow(form.AvailList, 0, Qt::ControlModifier);
        else // a click beside the entries
            QTest::mouseClick(form.AvailList->viewport(), Qt::LeftButton, {},
                              QPoint(form.AvailList->viewport()->width() - 3,
                                     form.AvailList->viewport()->height() - 3));
        QCOMPARE(form.OKBtn->isEnabled(), enabled);
        QTest::mouseClick(form.OKBtn, Qt::LeftButton);
        QCOMPARE(item.Caption(), QString("A"));
    }

    void itemEditing() {
        TVxJob job;
        TVxJobItem item;
        item.SetCaption("Mine");
        TVxJobItemForm form(nullptr);
        form.Prepare(nullptr, &job, &item, ItemList({"C1", "C2"}));
        Show(&form);
        QCOMPARE(form.AvailList->count(), 3);
        QCOMPARE(form.SelectedCaptions(), QStringList{"Mine"});
        QVERIFY(!form.OKBtn->isEnabled());
        ClickRow(form.AvailList, 0);
        ClickRow(form.AvailList, 1, Qt::ControlModifier);
        QCOMPARE(form.SelectedCaptions(), QStringList{"C2"});
        QTest::mouseClick(form.OKBtn, Qt::LeftButton);
        QCOMPARE(item.Caption(), QString("C2"));
    }

    // With no Do handlers the schedule's menus and double clicks open the
    // default dialogs; what the user does there reaches the model.
    void scheduleJobDialogs_data() {
        QTest::addColumn<ScheduleAction>("action");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("events");
        QTest::addColumn<QStringList>("captions");
        const QString added = "S:BeforeJobAdd,S:AfterJobAdd";
        QTest::newRow("add by double click") << ScheduleAction::AddJobByDoubleClick << true << added
                                             << QStringList{"Reed 2640", "Typed"};
        QTest::newRow("add from menu")
            << ScheduleAction::AddJobFromMenu << true << added << QStringList{"Reed 2640", "Typed"};
        QTest::newRow("add cancelled") << ScheduleAction::AddJobFromMenu << false
                                       << "S:BeforeJobAdd" << QStringList{"Reed 2640"};
        QTest::newRow("edit by double click")
            << ScheduleAction::EditJobByDoubleClick << true << "S:BeforeJobEdit,S:AfterJobEdit"
            << QStringList{"Reed 2640Typed"};
        QTest::newRow("edit from menu")
            << ScheduleAction::EditJobFromMenu << true << "S:BeforeJobEdit,S:AfterJobEdit"
            << QStringList{"Reed 2640Typed"};
        QTest::newRow("edit cancelled") << ScheduleAction::EditJobFromMenu << false
                                        << "S:BeforeJobEdit" << QStringList{"Reed 2640"};
    }
    void scheduleJobDialogs() {
        QFETCH(ScheduleAction, action);
        QFETCH(bool, confirm);
        QFETCH(QString, events);
        QFETCH(QStringList, captions);
        TVxJobSchedule schedule;
        schedule.resize(160, 400);
        schedule.AddJob(5, "Reed 2640", "", VxToday() + 1, VxToday() + 2);
        Show(&schedule);
        EventLog log;
        log.attach(&schedule);
        VxDialogScript script;
        script.dialogs.push_back([confirm](QDialog* dialog) {
            auto* form = qobject_cast<TVxJobForm*>(dialog);
            form->UpperEdit->setFocus();
            form->UpperEdit->end(false);
            QTest::keyClicks(form->UpperEdit, "Typed");
            QTest::mouseClick(confirm ? form->OKBtn : form->CancelBtn, Qt::LeftButton);
            return -1;
        });
        TVxJob* job = schedule.Jobs(0);
        const QPoint onJob = PartCentre(&schedule, job, TVxJobPart::UpperCaption);
        const QPoint below(20, schedule.JobArea()->viewport()->height() - 10);
        switch (action) {
        case ScheduleAction::AddJobByDoubleClick:
            DoubleClick(schedule.JobArea()->viewport(), below);
            break;
        case ScheduleAction::AddJobFromMenu:
            ChooseFromMenu(&schedule, below, "&Add New Job...");
            break;
        case ScheduleAction::EditJobByDoubleClick:
            DoubleClick(schedule.JobArea()->viewport(), onJob);
            break;
        default:
            ChooseFromMenu(&schedule, onJob, "&Edit Job...");
            break;
        }
        const bool adding = action == ScheduleAction::AddJobByDoubleClick ||
                            action == ScheduleAction::AddJobFromMenu;
        QCOMPARE(script.dialogTitles, QStringList{adding ? "Add New Job" : "Edit Job"});
        QCOMPARE(log.joined(), events);
        QStringList now;
        for (int i = 0; i < schedule.JobCount(); ++i)
            now << schedule.Jobs(i)->UpperCaption();
        QCOMPARE(now, captions);
        if (adding && confirm) {
            TVxJob* added = schedule.Jobs(1);
            QCOMPARE(added->JobNo, 0);
            QCOMPARE(added->StartDate(), VxToday());
            QCOMPARE(added->FinishDate(), VxToday());
        }
        // The job's own dates survive an edit that did not touch them.
        QCOMPARE(job->StartDate(), VxToday() + 1);
        QCOMPARE(job->FinishDate(), VxToday() + 2);
    }

    void scheduleItemDialogs_data() {
        QTest::addColumn<ScheduleAction>("action");
        QTest::addColumn<bool>("doubleClickEntry");
        QTest::addColumn<QString>("events");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("add two, in list order")
            << ScheduleAction::AddItemsFromMenu << false
            << "S:BeforeItemAdd,S:AfterItemAdd,S:AfterItemAdd" << QStringList{"Old", "F1", "F3"};
        QTest::newRow("add one by double click")
            << ScheduleAction::AddItemsFromMenu << true << "S:BeforeItemAdd,S:AfterItemAdd"
            << QStringList{"Old", "F3"};
        QTest::newRow("edit by double clicks")
            << ScheduleAction::EditItemByDoubleClick << true << "S:BeforeItemEdit,S:AfterItemEdit"
            << QStringList{"F3"};
        QTest::newRow("edit from menu") << ScheduleAction::EditItemFromMenu << false
                                        << "S:BeforeItemEdit,S:AfterItemEdit" << QStringList{"F3"};
    }
    void scheduleItemDialogs() {
        QFETCH(ScheduleAction, action);
        QFETCH(bool, doubleClickEntry);
        QFETCH(QString, events);
        QFETCH(QStringList, captions);
        TVxJobSchedule schedule;
        schedule.resize(160, 400);
        TVxJob* job = schedule.AddJob(1, "Warp", "", VxToday(), VxToday());
        TVxJobItem* old = job->AddItem(7, "Old");
        Show(&schedule);
        EventLog log;
        log.attach(&schedule);
        QList<TVxJobItem*> initItems;
        schedule.OnInitItemDialog = [&](TVxJobSchedule*, TVxJob* j, TVxJobItem* item,
                                        QStringList& list) {
            QCOMPARE(j, job);
            initItems << item;
            list = QStringList{"F1", "F2", "F3"};
        };
        const bool adding = action == ScheduleAction::AddItemsFromMenu;
        VxDialogScript script;
        script.dialogs.push_back([adding, doubleClickEntry](QDialog* dialog) {
            auto* form = qobject_cast<TVxJobItemForm*>(dialog);
            QListWidget* list = form->AvailList;
            if (doubleClickEntry) {
                DoubleClick(list->viewport(), list->visualItemRect(list->item(2)).center());
                return -1;
            }
            ClickRow(list, 2);
            if (adding) ClickRow(list, 0, Qt::ControlModifier);
            QTest::mouseClick(form->OKBtn, Qt::LeftButton);
            return -1;
        });
        const QPoint onItem = PartCentre(&schedule, job, TVxJobPart::Item, old);
        switch (action) {
        case ScheduleAction::AddItemsFromMenu:
            ChooseFromMenu(&schedule, PartCentre(&schedule, job, TVxJobPart::UpperCaption),
                           "&Add Item...");
            break;
        case ScheduleAction::EditItemByDoubleClick:
            DoubleClick(schedule.JobArea()->viewport(), onItem);
            break;
        default:
            ChooseFromMenu(&schedule, onItem, "&Edit Item...");
            break;
        }
        QCOMPARE(script.dialogTitles, QStringList{adding ? "Add New Job Items" : "Edit Item"});
        QCOMPARE(initItems, QList<TVxJobItem*>{adding ? nullptr : old});
        QCOMPARE(log.joined(), events);
        QStringList now;
        for (int i = 0; i < job->ItemCount(); ++i) {
            now << job->Items(i)->Caption();
            QCOMPARE(job->Items(i)->ItemNo, i == 0 ? 7 : 0);
        }
        QCOMPARE(now, captions);
    }

    // A list provider that vetoes or fails ends the action before any dialog
    // shows; the failure reaches the user as an error box, the abort quietly.
    void initHandlerFailures_data() {
        QTest::addColumn<bool>("abort");
        QTest::addColumn<QStringList>("errors");
        QTest::newRow("silent abort") << true << QStringList();
        QTest::newRow("error") << false << QStringList{"No captions today"};
    }
    void initHandlerFailures() {
        QFETCH(bool, abort);
        QFETCH(QStringList, errors);
        TVxJobSchedule schedule;
        schedule.resize(160, 300);
        TVxJob* job = schedule.AddJob(1, "Warp", "", VxToday(), VxToday());
        Show(&schedule);
        auto fail = [abort] {
            if (abort) VxAbort();
            throw EVxError("No captions today");
        };
        schedule.OnInitJobDialog = [fail](TVxJobSchedule*, TVxJob*, QStringList&, QStringList&) {
            fail();
        };
        schedule.OnInitItemDialog = [fail](TVxJobSchedule*, TVxJob*, TVxJobItem*, QStringList&) {
            fail();
        };
        VxDialogScript script;
        QWidget* viewport = schedule.JobArea()->viewport();
        DoubleClick(viewport, QPoint(20, viewport->height() - 10));
        DoubleClick(viewport, PartCentre(&schedule, job, TVxJobPart::UpperCaption));
        ChooseFromMenu(&schedule, PartCentre(&schedule, job, TVxJobPart::UpperCaption),
                       "&Add Item...");
        QVERIFY(script.dialogTitles.isEmpty());
        QCOMPARE(script.texts(VxMsgKind::Error), errors + errors + errors);
        QCOMPARE(schedule.JobCount(), 1);
        QCOMPARE(job->ItemCount(), 0);
        QCOMPARE(job->UpperCaption(), QString("Warp"));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
