// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxAbort.h"
#include "VxDate.h"
#include "VxDialogs.h"
#include "VxDrawnIcon.h"
#include "VxFlagGuard.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <QtTest>
#include <limits>

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

    void dayTextIsTheFormattedDate() {
        for (double day = -700; day < 80000; day += 97.25)
            QCOMPARE(VxDayText(day), VxFormatDate("dd/mm/yyyy", day));
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
        // Beyond long long the result saturates instead of wrapping.
        const long long most = std::numeric_limits<long long>::max();
        const long long least = std::numeric_limits<long long>::min();
        QTest::newRow("2^62 exact") << 4611686018427387904.0 << 4611686018427387904LL;
        QTest::newRow("single max") << double(std::numeric_limits<float>::max()) << most;
        QTest::newRow("2^63") << 9223372036854775808.0 << most;
        QTest::newRow("-2^63 fits") << -9223372036854775808.0 << least;
        QTest::newRow("-1e30") << -1e30 << least;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << most;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 0LL;
    }
    void roundsHalvesToEven() {
        QFETCH(double, value);
        QFETCH(long long, rounded);
        QCOMPARE(VxRound(value), rounded);
    }

    // A reference code or a database message holding markup keeps its
    // wording: the real boxes show it as plain text.
    void boxesShowPlainText_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("tags") << "Unknown warp: <b>A</b>-WHT";
        QTest::newRow("whole document") << "<html><h1>Big</h1></html>";
        QTest::newRow("comparison") << "value < 0 & > 9";
        QTest::newRow("line breaks") << "first\nsecond";
    }
    void boxesShowPlainText() {
        QFETCH(QString, text);
        QString shownBox, shownPrompt;
        Qt::TextFormat boxFormat = Qt::RichText, promptFormat = Qt::RichText;
        // Reads the modal box once it is up, then closes it with Escape.
        auto readAndClose = [](QString& shown, Qt::TextFormat& format) {
            QTimer::singleShot(0, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                QVERIFY(modal);
                for (QLabel* label : modal->findChildren<QLabel*>())
                    if (label->isVisible() && !label->text().isEmpty()) { // not the icon
                        shown = label->text();
                        format = label->textFormat();
                    }
                QTest::keyClick(modal, Qt::Key_Escape);
            });
        };
        readAndClose(shownBox, boxFormat);
        VxDialogs::error(nullptr, text);
        QCOMPARE(shownBox, text);
        QCOMPARE(boxFormat, Qt::PlainText);

        readAndClose(shownPrompt, promptFormat);
        QString answer = "kept";
        QVERIFY(!VxDialogs::inputQuery(nullptr, "Caption", text, answer));
        QCOMPARE(answer, QString("kept"));
        QCOMPARE(shownPrompt, text);
        QCOMPARE(promptFormat, Qt::PlainText);
    }

    void guardSwallowsAbortAndShowsErrors() {
        VxDialogScript script;
        QVERIFY(!VxGuard(nullptr, [] { VxAbort(); }));
        QVERIFY(script.messages.isEmpty());
        QVERIFY(!VxGuard(nullptr, [] { throw EVxError("Job not owned by schedule!"); }));
        QCOMPARE(script.texts(VxMsgKind::Error), QStringList{"Job not owned by schedule!"});
        QVERIFY(VxGuard(nullptr, [] {}));
    }

    void flagGuardRestoresTheOldValue_data() {
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("set");
        QTest::addColumn<bool>("throws");
        QTest::newRow("set, left normally") << false << true << false;
        QTest::newRow("set, left by a veto") << false << true << true;
        QTest::newRow("already set: nested scope keeps it") << true << true << true;
        QTest::newRow("cleared for a scope") << true << false << false;
    }
    void flagGuardRestoresTheOldValue() {
        QFETCH(bool, before);
        QFETCH(bool, set);
        QFETCH(bool, throws);
        bool flag = before;
        bool inside = !set;
        try {
            const TVxFlagGuard guard(flag, set);
            inside = flag;
            if (throws) VxAbort();
        } catch (const EVxAbort&) {
        }
        QCOMPARE(inside, set);
        QCOMPARE(flag, before);
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

    // A real box, unscripted: Enter on a question that throws work away
    // answers No.
    // A drawn icon asked for at a pixel ratio is drawn at that ratio: more
    // pixels, finer than the ordinary picture enlarged; undo and redo differ.
    void drawnIconsAreSharpAtEveryRatio_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("ordinary screen") << 1.0;
        QTest::newRow("twice as sharp") << 2.0;
        QTest::newRow("one and a half") << 1.5;
    }
    void drawnIconsAreSharpAtEveryRatio() {
        QFETCH(qreal, ratio);
        const QImage undo = VxUndoIcon().pixmap(QSize(16, 16), ratio).toImage();
        QCOMPARE(undo.size(), QSize(16, 16) * ratio);
        QCOMPARE(undo.devicePixelRatio(), ratio);
        QVERIFY(undo != VxRedoIcon().pixmap(QSize(16, 16), ratio).toImage());
        const QImage ordinary = VxUndoIcon().pixmap(QSize(16, 16), 1.0).toImage();
        if (ratio > 1) QVERIFY(undo != ordinary.scaled(undo.size()).convertToFormat(undo.format()));
    }

    void enterOnDiscardQuestionKeepsWork() {
        QTimer::singleShot(0, [] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box);
            QTest::keyClick(box, Qt::Key_Return);
        });
        QCOMPARE(VxDialogs::confirmDiscard(nullptr, "Clear all jobs?"), QMessageBox::No);
    }
};

QTEST_MAIN(TestCommon)
#include "tst_common.moc"
