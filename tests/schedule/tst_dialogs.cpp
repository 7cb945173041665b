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
} // namespace

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

    void executeJobDialog() {
        VxDialogScript script;
        script.dialogs.push_back([](QDialog* dialog) {
            auto* form = qobject_cast<TVxJobForm*>(dialog);
            QTest::keyClicks(form->UpperEdit, "Warp 12");
            QTest::keyClicks(form->LowerEdit, "blue");
            QTest::mouseClick(form->OKBtn, Qt::LeftButton);
            return -1;
        });
        QString upper, lower;
        TDateTime start = 0, finish = 0;
        QVERIFY(VxExecuteJobDialog(nullptr, "Add New Job", nullptr, nullptr, upper, lower, start,
                                   finish));
        QCOMPARE(script.dialogTitles, QStringList{"Add New Job"});
        QCOMPARE(upper, QString("Warp 12"));
        QCOMPARE(lower, QString("blue"));
        QCOMPARE(start, VxToday());
        QCOMPARE(finish, VxToday());

        // Cancel after changes leaves the job as it was.
        TVxJob job;
        job.SetUpperCaption("Old");
        job.SetStartDate(VxToday() + 2);
        job.SetFinishDate(VxToday() + 4);
        script.dialogs.push_back([](QDialog* dialog) {
            auto* form = qobject_cast<TVxJobForm*>(dialog);
            QTest::keyClicks(form->UpperEdit, "er");
            StepDay(form->StartDatePicker, Qt::Key_Up);
            QTest::mouseClick(form->CancelBtn, Qt::LeftButton);
            return -1;
        });
        QVERIFY(
            !VxExecuteJobDialog(nullptr, "Edit Job", nullptr, &job, upper, lower, start, finish));
        QCOMPARE(job.UpperCaption(), QString("Old"));
        QCOMPARE(job.StartDate(), VxToday() + 2);
    }

    void itemMultiSelection() {
        TVxJob job;
        TVxJobItemForm form(nullptr);
        form.Prepare(nullptr, &job, nullptr, ItemList({"C1", "C2", "C3", "C4"}));
        Show(&form);
        QVERIFY(!form.OKBtn->isEnabled());
        ClickRow(form.AvailList, 2);
        ClickRow(form.AvailList, 0, Qt::ControlModifier);
        ClickRow(form.AvailList, 3, Qt::ControlModifier);
        QVERIFY(form.OKBtn->isEnabled());
        QCOMPARE(form.SelectedCaptions(), (QStringList{"C1", "C3", "C4"}));
        QTest::mouseClick(form.OKBtn, Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Accepted));
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

    void doubleClickAccepts_data() {
        QTest::addColumn<bool>("editing");
        QTest::newRow("adding") << false;
        QTest::newRow("editing") << true;
    }
    void doubleClickAccepts() {
        QFETCH(bool, editing);
        TVxJob job;
        TVxJobItem item;
        item.SetCaption("C1");
        VxDialogScript script;
        script.dialogs.push_back([](QDialog* dialog) {
            auto* form = qobject_cast<TVxJobItemForm*>(dialog);
            const QPoint at = form->AvailList->visualItemRect(form->AvailList->item(2)).center();
            // A real double click: press and release, then the double press.
            QTest::mouseClick(form->AvailList->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(form->AvailList->viewport(), Qt::LeftButton, {}, at);
            return -1;
        });
        TVxJobSchedule schedule;
        schedule.OnInitItemDialog = ItemList({"C1", "C2", "C3", "C4"});
        QStringList selected;
        QVERIFY(VxExecuteItemDialog(nullptr, editing ? "Edit Item" : "Add New Job Items", &schedule,
                                    &job, editing ? &item : nullptr, selected));
        if (editing)
            QCOMPARE(item.Caption(), QString("C3"));
        else
            QCOMPARE(selected, QStringList{"C3"});
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
