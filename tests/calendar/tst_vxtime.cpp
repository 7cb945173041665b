// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxTime.h"

#include <QtTest>

namespace {
QString digits(const TVxTimePicker& p) {
    return p.HourTens()->Text() + p.HourUnits()->Text() + p.MinuteTens()->Text() +
           p.MinuteUnits()->Text();
}
} // namespace

class TestVxTime : public QObject {
    Q_OBJECT

    TVxTimePicker* picker = nullptr;
    QWidget* window = nullptr;
    int changes = 0;

    TVxDigitEdit* field(int i) const {
        TVxDigitEdit* all[] = {picker->HourTens(), picker->HourUnits(), picker->MinuteTens(),
                               picker->MinuteUnits()};
        return all[i];
    }

private slots:
    void init() {
        window = new QWidget;
        picker = new TVxTimePicker(window);
        changes = 0;
        picker->OnChange = [this](QObject* sender) {
            QCOMPARE(sender, picker);
            ++changes;
        };
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    void cleanup() { delete window; }

    void writingTime_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("read");
        QTest::newRow("noon") << 0.5 << "1200" << 0.5;
        QTest::newRow("18:01 on a later day") << 1.75 + 1.0 / 1440 << "1801" << 0.75 + 1.0 / 1440;
        QTest::newRow("seconds dropped")
            << 7 / 24.0 + 5 / 1440.0 + 40 / 86400.0 << "0705" << 7 / 24.0 + 5 / 1440.0;
        QTest::newRow("last minute")
            << 23 / 24.0 + 59 / 1440.0 << "2359" << 23 / 24.0 + 59 / 1440.0;
        QTest::newRow("last second of the day")
            << 23 / 24.0 + 59 / 1440.0 + 59.7 / 86400.0 << "2359" << 23 / 24.0 + 59 / 1440.0;
        QTest::newRow("blank") << -0.1 << "" << -0.1;
    }
    void writingTime() {
        QFETCH(double, value);
        QFETCH(QString, shown);
        QFETCH(double, read);
        picker->SetTime(value);
        QCOMPARE(digits(*picker), shown);
        QVERIFY(qAbs(picker->Time() - read) < 1e-9);
        QCOMPARE(changes, 0);
    }

    // Typing one character into a field that holds the given time.
    void typedDigits_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("fieldIndex");
        QTest::addColumn<QChar>("typed");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("focusAfter");
        QTest::newRow("hour tens above 2") << "0000" << 0 << QChar('7') << "2000" << 1;
        QTest::newRow("hour units above 3 after 2") << "2000" << 1 << QChar('8') << "2300" << 2;
        QTest::newRow("19 becomes 23") << "1900" << 0 << QChar('2') << "2300" << 1;
        QTest::newRow("7 over 09 is 23, never 29") << "0930" << 0 << QChar('7') << "2330" << 1;
        QTest::newRow("minute tens above 5") << "1000" << 2 << QChar('9') << "1050" << 3;
        QTest::newRow("letter is 0") << "1234" << 2 << QChar('x') << "1204" << 3;
        QTest::newRow("last digit keeps focus") << "1234" << 3 << QChar('9') << "1239" << 3;
        QTest::newRow("hour units after 1") << "1000" << 1 << QChar('9') << "1900" << 2;
    }
    void typedDigits() {
        QFETCH(QString, before);
        QFETCH(int, fieldIndex);
        QFETCH(QChar, typed);
        QFETCH(QString, after);
        QFETCH(int, focusAfter);
        picker->SetTime(before.left(2).toInt() / 24.0 + before.right(2).toInt() / 1440.0);
        QTest::mouseClick(field(fieldIndex), Qt::LeftButton);
        QVERIFY(field(fieldIndex)->hasFocus());
        QTest::keyClick(field(fieldIndex), typed.toLatin1());
        QCOMPARE(digits(*picker), after);
        QCOMPARE(changes, 1);
        QVERIFY(field(focusAfter)->hasFocus());
    }

    // A whole time typed from the first digit, over a time that shares some
    // of its digits: a digit typed over the same digit still counts and moves
    // the focus on.
    void typingWholeTime_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::newRow("12:00 over 10:00") << "1000"
                                          << "1200"
                                          << "1200";
        QTest::newRow("same time again") << "0830"
                                         << "0830"
                                         << "0830";
        QTest::newRow("limits still apply") << "2000"
                                            << "2960"
                                            << "2350";
    }
    void typingWholeTime() {
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        picker->SetTime(before.left(2).toInt() / 24.0 + before.right(2).toInt() / 1440.0);
        QTest::mouseClick(picker->HourTens(), Qt::LeftButton);
        for (QChar c : typed)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        QCOMPARE(digits(*picker), after);
        QCOMPARE(changes, 4);
        QVERIFY(picker->MinuteUnits()->hasFocus());
    }

    void blankFillsWithZeros() {
        picker->SetTime(-1);
        QTest::mouseClick(picker->MinuteTens(), Qt::LeftButton);
        QTest::keyClick(picker->MinuteTens(), '4');
        QCOMPARE(digits(*picker), QString("0040"));
        QCOMPARE(picker->Time(), 40 / 1440.0);
    }

    void arrowKeys_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("focusAfter");
        QTest::newRow("left wraps") << 0 << int(Qt::Key_Left) << 3;
        QTest::newRow("left") << 2 << int(Qt::Key_Left) << 1;
        QTest::newRow("right wraps") << 3 << int(Qt::Key_Right) << 0;
        QTest::newRow("right") << 1 << int(Qt::Key_Right) << 2;
    }
    void arrowKeys() {
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(int, focusAfter);
        QTest::mouseClick(field(start), Qt::LeftButton);
        QTest::keyClick(field(start), Qt::Key(key));
        QVERIFY(field(focusAfter)->hasFocus());
        QCOMPARE(changes, 0);
    }

    // Stepping never carries and never passes a limit; the focus stays put.
    void stepping_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("fieldIndex");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("after");
        QTest::newRow("up hour tens at 2") << "2000" << 0 << int(Qt::Key_Up) << "2000";
        QTest::newRow("up minute units 9 no carry") << "1259" << 3 << int(Qt::Key_Up) << "1259";
        QTest::newRow("down minute tens 0") << "1205" << 2 << int(Qt::Key_Down) << "1205";
        QTest::newRow("up minute tens at 5") << "1250" << 2 << int(Qt::Key_Up) << "1250";
        QTest::newRow("up hour units after 2") << "2300" << 1 << int(Qt::Key_Up) << "2300";
        QTest::newRow("up hour units") << "1200" << 1 << int(Qt::Key_Up) << "1300";
        QTest::newRow("down minute units") << "1207" << 3 << int(Qt::Key_Down) << "1206";
        QTest::newRow("up on blank") << "" << 2 << int(Qt::Key_Up) << "0000";
        QTest::newRow("down on blank") << "" << 1 << int(Qt::Key_Down) << "0000";
    }
    void stepping() {
        QFETCH(QString, before);
        QFETCH(int, fieldIndex);
        QFETCH(int, key);
        QFETCH(QString, after);
        picker->SetTime(before.isEmpty()
                            ? -0.1
                            : before.left(2).toInt() / 24.0 + before.right(2).toInt() / 1440.0);
        QTest::mouseClick(field(fieldIndex), Qt::LeftButton);
        QTest::keyClick(field(fieldIndex), Qt::Key(key));
        QCOMPARE(digits(*picker), after);
        QVERIFY(field(fieldIndex)->hasFocus());
    }

    void buttonsStepFocusedDigit() {
        picker->SetTime(0.5);
        QTest::mouseClick(picker->MinuteUnits(), Qt::LeftButton);
        QTest::mouseClick(picker->UpButton(), Qt::LeftButton);
        QTest::mouseClick(picker->UpButton(), Qt::LeftButton);
        QCOMPARE(digits(*picker), QString("1202"));
        QTest::mouseClick(picker->DownButton(), Qt::LeftButton);
        QCOMPARE(digits(*picker), QString("1201"));
        QCOMPARE(changes, 3);
        QVERIFY(picker->MinuteUnits()->hasFocus());
    }

    void stepWithoutDigitFocusTargetsHourTens() {
        picker->SetTime(0.25);
        picker->StepUp();
        QCOMPARE(digits(*picker), QString("1600"));
        QVERIFY(picker->HourTens()->hasFocus());
    }

    void sizes_data() {
        QTest::addColumn<bool>("ctl3D");
        QTest::addColumn<bool>("buttons");
        QTest::addColumn<QSize>("size");
        QTest::newRow("default") << true << true << QSize(57, 21);
        QTest::newRow("flat") << false << true << QSize(53, 17);
        QTest::newRow("no buttons") << true << false << QSize(42, 21);
        QTest::newRow("flat no buttons") << false << false << QSize(38, 17);
    }
    void sizes() {
        QFETCH(bool, ctl3D);
        QFETCH(bool, buttons);
        QFETCH(QSize, size);
        picker->SetCtl3D(ctl3D);
        picker->SetShowButtons(buttons);
        QCOMPARE(picker->size(), size);
        QCOMPARE(picker->ShowButtons(), buttons);
        QCOMPARE(picker->Ctl3D(), ctl3D);
    }

    void disabledIgnoresInput() {
        picker->SetTime(0.5);
        picker->SetEnabled(false);
        QVERIFY(!picker->UpButton()->isEnabled());
        QTest::mouseClick(picker->UpButton(), Qt::LeftButton);
        QTest::keyClick(picker->HourTens(), '1');
        QCOMPARE(digits(*picker), QString("1200"));
        QCOMPARE(changes, 0);
    }

    // The up and down triangles at each pixel ratio: made for that ratio,
    // finer than the ordinary picture enlarged, and differing by state.
    void glyphsDifferByState_data() {
        QTest::addColumn<int>("ratio");
        QTest::newRow("ordinary screen") << 1;
        QTest::newRow("twice as sharp") << 2;
    }
    void glyphsDifferByState() {
        QFETCH(int, ratio);
        for (auto dir : {TVxSpinButton::Up, TVxSpinButton::Down}) {
            QImage on = TVxSpinButton::Glyph(dir, true, ratio);
            QImage off = TVxSpinButton::Glyph(dir, false, ratio);
            QCOMPARE(on.size(), QSize(5, 4) * ratio);
            QCOMPARE(on.devicePixelRatio(), qreal(ratio));
            QVERIFY(on != off);
            if (ratio > 1) QVERIFY(on != TVxSpinButton::Glyph(dir, true).scaled(on.size()));
        }
        // The up triangle's point is at the top, the down one's at the bottom.
        QCOMPARE(TVxSpinButton::Glyph(TVxSpinButton::Up, true).pixelColor(2, 0), QColor(Qt::black));
        QCOMPARE(TVxSpinButton::Glyph(TVxSpinButton::Down, true).pixelColor(2, 2),
                 QColor(Qt::black));
        QCOMPARE(TVxSpinButton::Glyph(TVxSpinButton::Down, true).pixelColor(0, 2),
                 QColor(192, 192, 192));
    }
};

QTEST_MAIN(TestVxTime)
#include "tst_vxtime.moc"
