// SPDX-License-Identifier: GPL-3.0-or-later
// The job dialog, driven as a user drives it: types chosen with the keyboard,
// lengths typed, calendar days clicked with the mouse, OK pressed, the dialog
// run modally through VxDialogs with a script.

#include "JobForm.h"
#include "RefText.h"
#include "VxAbort.h"
#include "VxCalend.h"
#include "VxDialogDriving.h"
#include "VxDialogs.h"
#include "VxWeaPlan.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <memory>

using vxtest::chooseEntry;
using vxtest::runDialog;
using vxtest::typeInto;

namespace {
// A function, not a constant: the date helpers need their own statics first.
TDateTime march10() {
    return VxEncodeDate(2026, 3, 10);
}

// The grid cell showing a date of the displayed page.
bool findDay(TVxCalendar* calendar, TDateTime date, int& row, int& column) {
    for (row = 0; row < 6; ++row)
        for (column = 1; column <= 7; ++column)
            if (calendar->CellDate(row, column) == date) return true;
    return false;
}

void clickDay(TVxCalendar* calendar, TDateTime date, Qt::MouseButton button = Qt::LeftButton) {
    int row = 0, column = 0;
    QVERIFY(findDay(calendar, date, row, column));
    QTest::mouseClick(calendar->Grid(), button, Qt::NoModifier,
                      calendar->CellRect(row, column).center());
}

const TVxCalendarCell& dayCell(TVxCalendar* calendar, TDateTime date) {
    int row = 0, column = 0;
    findDay(calendar, date, row, column);
    return calendar->Cell(row, column);
}

// The form as the add handler fills it: "Reed", one warp with its fabrics,
// one downtime kind; nothing chosen; length and ends hidden.
void fillForAdd(TJobForm& form, bool firstOnLoom, TDateTime start, TDateTime finish) {
    form.setWindowTitle("Add Job To R01 190cm : RAPIER");
    form.EditedJob.reset();
    form.ClearTypes();
    form.AddType("Reed");
    form.AddWarpType("A-WHT", {"P001 : WHT", "P002 : NAT"});
    form.AddType("Planned maintenance");
    form.TypeCombo->setEnabled(true);
    form.LengthEdit->setText("2400");
    form.EndsCombo->setEnabled(true);
    form.FirstOnLoom = firstOnLoom;
    form.Calendar->SetSingleDate(false);
    form.Calendar->SetStartDate(start);
    form.Calendar->SetFinishDate(finish);
    form.ShowLength(false);
    form.ShowEnds(false);
}

// The form as the edit handler fills it for one job.
void fillForEdit(TJobForm& form, const TVxPlanJob& job, bool firstOnLoom) {
    form.EditedJob = job;
    form.ClearTypes();
    form.AddType(PlanJobKindText(job));
    form.SelectType(0);
    form.TypeCombo->setEnabled(false);
    const bool warp = job.Kind == TVxPlanJobKind::Warp;
    form.ShowLength(warp);
    if (warp) form.LengthEdit->setText(QString::number(job.WarpLen));
    form.ShowEnds(false);
    form.FirstOnLoom = firstOnLoom;
    form.Calendar->SetSingleDate(false);
    form.Calendar->SetStartDate(job.StartDate);
    form.Calendar->SetFinishDate(job.FinishDate);
}

struct Form {
    TJobForm form;
    Form() { form.EndsCombo->addItems({"2400", "2640", "3120"}); }
};
} // namespace

class TestJobForm : public QObject {
    Q_OBJECT
private slots:
    void keysAlone();
    void initTestCase() { VxSetShortDateFormat(QStringLiteral("dd/mm/yy")); }

    void typeChange_data();
    void typeChange();
    void clearedLengthDisablesOk();
    void okWaitsForAChangeWhenEditing();
    void startSnapsBackWhenNotFirst();
    void firstOnLoomMovesRange();
    void finishBeforeStartTakesStart();
    void badNewWarpKeepsDialogOpen_data();
    void badNewWarpKeepsDialogOpen();
    void editWarpLength_data();
    void editWarpLength();
};

void TestJobForm::typeChange_data() {
    QTest::addColumn<QList<int>>("choices");
    QTest::addColumn<bool>("lengthShown");
    QTest::addColumn<bool>("endsShown");
    QTest::addColumn<QString>("focus");
    QTest::newRow("reed") << QList<int>{0} << false << true << "ends";
    QTest::newRow("warp") << QList<int>{1} << true << false << "length";
    QTest::newRow("downtime") << QList<int>{2} << false << false << "type";
    QTest::newRow("reed, then warp") << QList<int>{0, 1} << true << false << "length";
    QTest::newRow("warp, then downtime") << QList<int>{1, 2} << false << false << "type";
}

void TestJobForm::typeChange() {
    QFETCH(QList<int>, choices);
    QFETCH(bool, lengthShown);
    QFETCH(bool, endsShown);
    QFETCH(QString, focus);
    VxDialogScript script;
    Form f;
    TJobForm& form = f.form;
    fillForAdd(form, true, march10(), march10());
    runDialog(&form, [&] {
        QVERIFY(!form.OKButton->isEnabled());
        QVERIFY(form.LengthEdit->isHidden() && form.EndsCombo->isHidden());
        const QRect typeAt = form.TypeCombo->geometry();
        const QRect calendarAt = form.Calendar->geometry();
        for (int choice : choices)
            chooseEntry(form.TypeCombo, choice);
        // The controls stay where they were when a row appears or goes.
        form.layout()->activate();
        QCOMPARE(form.TypeCombo->geometry(), typeAt);
        QCOMPARE(form.Calendar->geometry().left(), calendarAt.left());
        QCOMPARE(form.LengthEdit->isVisible(), lengthShown);
        QCOMPARE(form.LengthLabel->isVisible(), lengthShown);
        QCOMPARE(form.EndsCombo->isVisible(), endsShown);
        QCOMPARE(form.EndsLabel->isVisible(), endsShown);
        // A reed takes one day; its ends start at the first value.
        QCOMPARE(form.Calendar->SingleDate(), endsShown);
        if (endsShown) QCOMPARE(form.EndsCombo->currentText(), QString("2400"));
        QVERIFY(form.OKButton->isEnabled());
        QWidget* expected = focus == "ends"     ? static_cast<QWidget*>(form.EndsCombo)
                            : focus == "length" ? static_cast<QWidget*>(form.LengthEdit)
                                                : static_cast<QWidget*>(form.TypeCombo);
        QCOMPARE(QApplication::focusWidget(), expected);
        if (focus == "length") {
            // The proposed length arrives selected: typing replaces it.
            QTest::keyClicks(form.LengthEdit, "3000");
            QCOMPARE(form.LengthEdit->text(), QString("3000"));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // the default button
    });
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(form.SelectedType(), form.TypeCombo->itemText(choices.last()));
    QCOMPARE(form.SelectedHasFabrics(), choices.last() == 1);
    if (choices.last() == 1)
        QCOMPARE(form.SelectedFabrics(), QStringList({"P001 : WHT", "P002 : NAT"}));
}

void TestJobForm::clearedLengthDisablesOk() {
    VxDialogScript script;
    Form f;
    TJobForm& form = f.form;
    fillForAdd(form, true, march10(), march10());
    runDialog(&form, [&] {
        chooseEntry(form.TypeCombo, 1);
        QVERIFY(form.OKButton->isEnabled());
        typeInto(form.LengthEdit, "");
        QVERIFY(!form.OKButton->isEnabled());
        QTest::keyClicks(form.LengthEdit, "3");
        QVERIFY(form.OKButton->isEnabled());
        QTest::mouseClick(form.CancelButton, Qt::LeftButton);
    });
    QCOMPARE(form.result(), int(QDialog::Rejected));
}

void TestJobForm::okWaitsForAChangeWhenEditing() {
    VxDialogScript script;
    Form f;
    TJobForm& form = f.form;
    TVxPlanJob downtime;
    downtime.Descr = "Planned maintenance";
    downtime.StartDate = march10();
    downtime.FinishDate = march10() + 2;
    fillForEdit(form, downtime, false);
    const int result = runDialog(&form, [&] {
        QVERIFY(!form.TypeCombo->isEnabled());
        QCOMPARE(form.TypeCombo->currentText(), QString("Planned maintenance"));
        QVERIFY(!form.OKButton->isEnabled());
        clickDay(form.Calendar, march10() + 4, Qt::RightButton);
        QVERIFY(form.OKButton->isEnabled());
        QTest::mouseClick(form.OKButton, Qt::LeftButton);
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(form.Calendar->StartDate(), march10());
    QCOMPARE(form.Calendar->FinishDate(), march10() + 4);
}

void TestJobForm::startSnapsBackWhenNotFirst() {
    VxDialogScript script;
    Form f;
    TJobForm& form = f.form;
    fillForAdd(form, false, march10(), march10() + 2);
    runDialog(&form, [&] {
        QCOMPARE(form.Calendar->DisplayMonth(), 3);
        QCOMPARE(form.Calendar->DisplayYear(), 2026);
        QCOMPARE(dayCell(form.Calendar, march10()).Hint, QString("Must start here"));
        // The owner asks for red; the calendar keeps the range colour on
        // the start day itself, so the hint is what shows there.
        QColor color = form.Calendar->DayColor();
        QString hint;
        form.CalendarSetupDay(march10(), color, hint);
        QCOMPARE(color, QColor(255, 0, 0));
        QCOMPARE(dayCell(form.Calendar, march10() + 1).Hint, QString());
        clickDay(form.Calendar, march10() + 5);
        QCOMPARE(form.Calendar->StartDate(), march10());
        QCOMPARE(form.Calendar->FinishDate(), march10() + 2);
        clickDay(form.Calendar, march10() - 3);
        QCOMPARE(form.Calendar->StartDate(), march10());
        QCOMPARE(dayCell(form.Calendar, march10()).Hint, QString("Must start here"));
        QTest::mouseClick(form.CancelButton, Qt::LeftButton);
    });
}

void TestJobForm::firstOnLoomMovesRange() {
    VxDialogScript script;
    Form f;
    TJobForm& form = f.form;
    fillForAdd(form, true, march10(), march10() + 2);
    runDialog(&form, [&] {
        QCOMPARE(dayCell(form.Calendar, march10()).Hint, QString());
        clickDay(form.Calendar, march10() + 3);
        QCOMPARE(form.Calendar->StartDate(), march10() + 3);
        QCOMPARE(form.Calendar->FinishDate(), march10() + 5);
        clickDay(form.Calendar, march10() - 1);
        QCOMPARE(form.Calendar->StartDate(), march10() - 1);
        QCOMPARE(form.Calendar->FinishDate(), march10() + 1);
        QTest::mouseClick(form.CancelButton, Qt::LeftButton);
    });
}

void TestJobForm::finishBeforeStartTakesStart() {
    VxDialogScript script;
    Form f;
    TJobForm& form = f.form;
    fillForAdd(form, false, march10(), march10() + 2);
    runDialog(&form, [&] {
        clickDay(form.Calendar, march10() - 2, Qt::RightButton);
        QCOMPARE(form.Calendar->StartDate(), march10());
        QCOMPARE(form.Calendar->FinishDate(), march10());
        QTest::mouseClick(form.CancelButton, Qt::LeftButton);
    });
}

void TestJobForm::badNewWarpKeepsDialogOpen_data() {
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("length");
    QTest::addColumn<bool>("noEnds");
    QTest::addColumn<QString>("error");
    QTest::newRow("letters") << 1 << "12a" << false << "'12a' is not a valid integer value";
    QTest::newRow("too long a number")
        << 1 << "99999999999" << false << "'99999999999' is not a valid integer value";
    QTest::newRow("zero") << 1 << "0" << false << "The warp length must be more than 0m";
    QTest::newRow("negative") << 1 << "-300" << false << "The warp length must be more than 0m";
    QTest::newRow("reed without ends")
        << 0 << "2400" << true << "There are no warp types to give the reed its ends";
}

void TestJobForm::badNewWarpKeepsDialogOpen() {
    QFETCH(int, choice);
    QFETCH(QString, length);
    QFETCH(bool, noEnds);
    QFETCH(QString, error);
    VxDialogScript script;
    Form f;
    TJobForm& form = f.form;
    if (noEnds) form.EndsCombo->clear();
    fillForAdd(form, true, march10(), march10());
    const int result = runDialog(&form, [&] {
        chooseEntry(form.TypeCombo, choice);
        if (form.LengthEdit->isVisible()) typeInto(form.LengthEdit, length);
        QTest::mouseClick(form.OKButton, Qt::LeftButton);
        QVERIFY(form.isVisible());
        QCOMPARE(QApplication::focusWidget(),
                 choice == 1 ? static_cast<QWidget*>(form.LengthEdit) : form.EndsCombo);
        QTest::mouseClick(form.CancelButton, Qt::LeftButton);
    });
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(script.texts(VxMsgKind::Error), QStringList{error});
}

void TestJobForm::editWarpLength_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("warpLenAfter");
    // Warp A of the samples, 3000 m at 95 %: 2850 m of greige length, of
    // which 40 pieces of P take 2400 m.
    QTest::newRow("shorter than its fabric")
        << "2500"
        << "This reduced length cannot support the current fabric items" << 3000;
    QTest::newRow("shorter, fabric still fits") << "2600"
                                                << "" << 2600;
    QTest::newRow("longer is never checked") << "3500"
                                             << "" << 3500;
    QTest::newRow("emptied") << ""
                             << "'' is not a valid integer value" << 3000;
}

void TestJobForm::editWarpLength() {
    QFETCH(QString, typed);
    QFETCH(QString, error);
    QFETCH(int, warpLenAfter);
    VxDialogScript script;
    TRefTextLoader loader(qEnvironmentVariable("PLEXIWEAVE_SAMPLES"));
    const TWarpInfoList warps = loader.BuildWarpInfos();
    const TFabricInfoList fabrics = loader.BuildFabricInfos();
    TVxWeaveRefs refs;
    refs.WarpInfos = &warps;
    refs.FabricInfos = &fabrics;

    TVxPlanJob warp;
    warp.Kind = TVxPlanJobKind::Warp;
    warp.JobNo = 7;
    warp.WarpType = "A";
    warp.WarpCol = "WHT";
    warp.WarpLen = 3000;
    warp.StartDate = march10();
    warp.FinishDate = march10() + 2;
    warp.Items << TVxPlanItem{1, "P", "001", "WHT", 40};

    Form f;
    TJobForm& form = f.form;
    form.Refs = refs;
    fillForEdit(form, warp, true);
    const int result = runDialog(&form, [&] {
        QCOMPARE(QApplication::focusWidget(), form.LengthEdit);
        QCOMPARE(form.LengthEdit->selectedText(), QString("3000"));
        typeInto(form.LengthEdit, typed);
        QVERIFY(form.OKButton->isEnabled()); // the edited entry carries no fabric list
        QTest::mouseClick(form.OKButton, Qt::LeftButton);
        if (!error.isEmpty()) {
            QVERIFY(form.isVisible());
            QCOMPARE(QApplication::focusWidget(), form.LengthEdit);
            QCOMPARE(*form.EditedJob, warp);
            // The refused length is selected, ready to be typed over.
            QTest::keyClicks(form.LengthEdit, "2900");
            QCOMPARE(form.LengthEdit->text(), QString("2900"));
            QTest::mouseClick(form.CancelButton, Qt::LeftButton);
        }
    });
    QCOMPARE(result, error.isEmpty() ? int(QDialog::Accepted) : int(QDialog::Rejected));
    QCOMPARE(script.texts(VxMsgKind::Error), error.isEmpty() ? QStringList() : QStringList{error});
    if (result == QDialog::Accepted) QCOMPARE(form.Length(), warpLenAfter);
}

// The whole dialog by keys alone: the arrows walk the closed type list
// without leaving it, Tab reaches the calendar, whose keys pick the dates.
void TestJobForm::keysAlone() {
    VxDialogScript script;
    Form f;
    TJobForm& form = f.form;
    fillForAdd(form, true, march10(), march10() + 2);
    QStringList seen;
    TDateTime start = 0, finish = 0;
    const int result = runDialog(&form, [&] {
        QCOMPARE(QApplication::focusWidget(), form.TypeCombo);
        for (int i = 0; i < form.TypeCombo->count(); ++i) {
            QTest::keyClick(form.TypeCombo, Qt::Key_Down);
            QCOMPARE(QApplication::focusWidget(), form.TypeCombo);
            seen << form.TypeCombo->currentText();
        }
        QTest::keyClick(form.TypeCombo, Qt::Key_Up); // back to the warp
        QVERIFY(form.LengthShown());
        QTest::keyClick(form.TypeCombo, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.LengthEdit);
        QTest::keyClick(form.LengthEdit, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.Calendar->Grid());
        QWidget* grid = form.Calendar->Grid();
        QTest::keyClick(grid, Qt::Key_Right);
        QTest::keyClick(grid, Qt::Key_Space);
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Space, Qt::ShiftModifier);
        start = form.Calendar->StartDate();
        finish = form.Calendar->FinishDate();
        QVERIFY(form.Calendar->StartText().contains("March 11, 2026"));
        QVERIFY(form.Calendar->FinishText().contains("March 18, 2026"));
        QTest::keyClick(grid, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form.OKButton);
        QTest::keyClick(form.OKButton, Qt::Key_Space);
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(seen, QStringList({"Reed", "A-WHT", "Planned maintenance"}));
    QCOMPARE(start, march10() + 1);
    QCOMPARE(finish, march10() + 8);
    QCOMPARE(form.TypeCombo->currentText(), QString("A-WHT"));
}

QTEST_MAIN(TestJobForm)
#include "tst_jobform.moc"
