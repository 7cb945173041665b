#include "VxAbort.h"
#include "VxDate.h"
#include "VxDialogs.h"

#include <QDialog>
#include <QtTest>

class TestCommon : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void dayNumbers_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<double>("day");
        QTest::newRow("epoch") << QDate(1899, 12, 30) << 0.0;
        QTest::newRow("first of 1900") << QDate(1900, 1, 1) << 2.0;
        QTest::newRow("2026") << QDate(2026, 1, 1) << 46023.0;
    }
    void dayNumbers() {
        QFETCH(QDate, date);
        QFETCH(double, day);
        QCOMPARE(VxDayOf(date), day);
        QCOMPARE(VxDateOf(day), date);
        QCOMPARE(VxDateOf(day + 0.75), date);
    }

    void formats_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<double>("time"); // fraction of the day
        QTest::addColumn<QString>("text");
        QTest::newRow("short") << "dd/mm/yy" << 0.0 << "05/03/26";
        QTest::newRow("day month") << "d/m/yyyy" << 0.0 << "5/3/2026";
        QTest::newRow("quoted") << "yyyy'-'mm" << 0.0 << "2026-03";
        // The printer's time stamp: mm after an hour is minutes; am/pm
        // turns the hours to a 12-hour clock.
        QTest::newRow("stamp, afternoon")
            << "dd/mm/yyyy hh:mm am/pm" << (15 * 60 + 7) / 1440.0 << "05/03/2026 03:07 pm";
        QTest::newRow("stamp, just after midnight")
            << "dd/mm/yyyy hh:mm am/pm" << 5 / 1440.0 << "05/03/2026 12:05 am";
        QTest::newRow("stamp, noon") << "dd/mm/yyyy hh:mm AM/PM" << 0.5 << "05/03/2026 12:00 PM";
        QTest::newRow("24 hours") << "hh:nn:ss" << (23 * 3600 + 59 * 60 + 30) / 86400.0
                                  << "23:59:30";
        QTest::newRow("a/p") << "h:mm a/p" << 0.75 << "6:00 p";
        QTest::newRow("other letters copied once each") << "dd xx" << 0.0 << "05 xx";
    }
    void formats() {
        QFETCH(QString, format);
        QFETCH(double, time);
        QFETCH(QString, text);
        QCOMPARE(VxFormatDate(format, VxEncodeDate(2026, 3, 5) + time), text);
    }

    void shortDateRoundTrip() {
        VxSetShortDateFormat("dd/mm/yy");
        const double day = VxEncodeDate(2026, 12, 31);
        QCOMPARE(VxDateToStr(day), QString("31/12/26"));
        double back = 0;
        QVERIFY(VxTryStrToDate("31/12/26", back));
        QCOMPARE(back, day);
        QVERIFY(!VxTryStrToDate("0", back));
        QVERIFY(!VxTryStrToDate("31/02/26", back));
    }

    void roundsHalvesToEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<long long>("rounded");
        QTest::newRow("0.5") << 0.5 << 0LL;
        QTest::newRow("1.5") << 1.5 << 2LL;
        QTest::newRow("2.5") << 2.5 << 2LL;
        QTest::newRow("-2.5") << -2.5 << -2LL;
        QTest::newRow("2.6") << 2.6 << 3LL;
    }
    void roundsHalvesToEven() {
        QFETCH(double, value);
        QFETCH(long long, rounded);
        QCOMPARE(VxRound(value), rounded);
    }

    void guardSwallowsAbortAndShowsErrors() {
        VxDialogScript script;
        QVERIFY(!VxGuard(nullptr, [] { VxAbort(); }));
        QVERIFY(script.messages.isEmpty());
        QVERIFY(!VxGuard(nullptr, [] { throw EVxError("Job not owned by schedule!"); }));
        QCOMPARE(script.texts(VxMsgKind::Error), QStringList{"Job not owned by schedule!"});
        QVERIFY(VxGuard(nullptr, [] {}));
    }

    void scriptAnswersInOrderThenCautiously() {
        VxDialogScript script;
        script.answers = {QMessageBox::Yes};
        QCOMPARE(VxDialogs::confirm(nullptr, "a", VxButtons::YesNoCancel), QMessageBox::Yes);
        QCOMPARE(VxDialogs::confirm(nullptr, "b", VxButtons::YesNoCancel), QMessageBox::Cancel);
        script.inputs = {QString("text"), std::nullopt};
        QString value;
        QVERIFY(VxDialogs::inputQuery(nullptr, "Add Item", "Definition", value));
        QCOMPARE(value, QString("text"));
        QVERIFY(!VxDialogs::inputQuery(nullptr, "Add Item", "Definition", value));
        QDialog dialog;
        dialog.setWindowTitle("Edit Job");
        script.dialogs = {[](QDialog* d) {
            d->accept();
            return -1;
        }};
        QCOMPARE(VxDialogs::exec(&dialog), int(QDialog::Accepted));
        QCOMPARE(VxDialogs::exec(&dialog), int(QDialog::Rejected));
        QCOMPARE(script.dialogTitles, QStringList({"Edit Job", "Edit Job"}));
    }
};

QTEST_MAIN(TestCommon)
#include "tst_common.moc"
