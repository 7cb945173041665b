// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxAbort.h"
#include "VxCalend.h"

#include <QLineEdit>
#include <QToolTip>
#include <QtTest>
#include <cmath>

namespace {
TDateTime D(int y, int m, int d) {
    return VxEncodeDate(y, m, d);
}

// Where a date sits in the shown month, as grid row and column (1..7).
QPoint cellOf(const TVxCustomCalendar& cal, TDateTime date) {
    int row, day;
    if (!cal.MonthGrid().FindDate(date, row, day)) return QPoint(-1, -1);
    return QPoint(day + 1, row);
}

QPoint centre(const TVxCustomCalendar& cal, int row, int column) {
    return cal.CellRect(row, column).center();
}
} // namespace

class TestVxCalend : public QObject {
    Q_OBJECT

    QWidget* window = nullptr;
    TVxCalendar* cal = nullptr;
    QStringList log;

    void logEvents() {
        cal->OnStartClick = [this](QObject*, TDateTime& d) {
            log << QStringLiteral("start %1").arg(VxDateToStr(d));
        };
        cal->OnFinishClick = [this](QObject*, TDateTime& d) {
            log << QStringLiteral("finish %1").arg(VxDateToStr(d));
        };
        cal->OnChange = [this](QObject*) { log << QStringLiteral("change"); };
    }
    void show(int year, int month) {
        cal->SetDisplayYear(year);
        cal->SetDisplayMonth(month);
    }
    void clickDate(TDateTime date, Qt::MouseButton button = Qt::LeftButton,
                   Qt::KeyboardModifiers modifiers = {}) {
        const QPoint cell = cellOf(*cal, date);
        QVERIFY(cell.x() > 0);
        QTest::mouseClick(cal->Grid(), button, modifiers, centre(*cal, cell.y(), cell.x()));
    }

private slots:
    void initTestCase() { VxSetShortDateFormat(QStringLiteral("dd/mm/yy")); }

    void init() {
        window = new QWidget;
        cal = new TVxCalendar(window);
        log.clear();
        window->resize(300, 260);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    void cleanup() {
        delete window;
        window = nullptr;
    }

    // ---- arithmetic ----

    void weeksInYear_data() {
        QTest::addColumn<bool>("monday");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("weeks");
        QTest::newRow("2026 Monday first") << true << 2026 << 53;
        QTest::newRow("2020 Monday first") << true << 2020 << 53;
        QTest::newRow("2021 Monday first") << true << 2021 << 52;
        QTest::newRow("2015 Monday first") << true << 2015 << 53;
        QTest::newRow("2026 Sunday first") << false << 2026 << 52;
        QTest::newRow("2022 Sunday first 51 becomes 52") << false << 2022 << 52;
    }
    void weeksInYear() {
        QFETCH(bool, monday);
        QFETCH(int, year);
        QFETCH(int, weeks);
        cal->SetStartOnMonday(monday);
        QCOMPARE(cal->WeeksInYear(year), weeks);
    }

    void weekNumbers_data() {
        QTest::addColumn<bool>("monday");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("week");
        QTest::newRow("1 Jan 2026 in week 1") << true << 2026 << 1 << 0 << 1;
        QTest::newRow("1 Jan 2021 in week 53 of 2020") << true << 2021 << 1 << 0 << 53;
        QTest::newRow("second row of Jan 2021") << true << 2021 << 1 << 1 << 1;
        QTest::newRow("Feb 2026 starts in week 5") << true << 2026 << 2 << 0 << 5;
        QTest::newRow("Dec 2026 wraps to week 1") << true << 2026 << 12 << 5 << 1;
        QTest::newRow("Dec 2026 week 53") << true << 2026 << 12 << 4 << 53;
    }
    void weekNumbers() {
        QFETCH(bool, monday);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, row);
        QFETCH(int, week);
        cal->SetStartOnMonday(monday);
        show(year, month);
        QCOMPARE(cal->Cell(row, 0).Text, QString::number(week));
        QCOMPARE(cal->Cell(row, 0).Tag, -row);
    }

    // Months that begin in the last column: week 1 starts on the first
    // column after 1 January when that day lies past the fourth column, so
    // the count of days before the month loses 8 - c days, not 7 - c, and no
    // later correction for Saturdays is due.
    void firstWeekOfMonth_data() {
        QTest::addColumn<bool>("monday");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("week");
        QTest::newRow("Monday first, 1 Jan a Friday, Aug 2021 from a Sunday")
            << true << 2021 << 8 << 30;
        QTest::newRow("Monday first, 1 Jan a Thursday, Feb 2026 from a Sunday")
            << true << 2026 << 2 << 5;
        QTest::newRow("Sunday first, 1 Jan a Sunday, Apr 2023 from a Saturday")
            << false << 2023 << 4 << 13;
        QTest::newRow("Sunday first, 1 Jan a Thursday, Aug 2026 from a Saturday")
            << false << 2026 << 8 << 30;
        QTest::newRow("Sunday first, Mar 2026 from a Sunday") << false << 2026 << 3 << 9;
    }
    void firstWeekOfMonth() {
        QFETCH(bool, monday);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, week);
        cal->SetStartOnMonday(monday);
        show(year, month);
        QCOMPARE(cal->FirstWeekOfMonth(month), week);
        QCOMPARE(cal->Cell(0, 0).Text, QString::number(week));
        // The page before shows the same week in the row of the month's
        // first day.
        show(month == 1 ? year - 1 : year, month == 1 ? 12 : month - 1);
        const QPoint first = cellOf(*cal, D(year, month, 1));
        QCOMPARE(cal->Cell(first.y(), 0).Text, QString::number(week));
    }

    // Monday-first rows carry the ISO week number of their Monday.
    void mondayWeeksAreIsoWeeks() {
        cal->SetStartOnMonday(true);
        for (int year = 1995; year <= 2035; ++year) {
            for (int month = 1; month <= 12; ++month) {
                show(year, month);
                for (int row = 0; row < 6; ++row) {
                    const QDate monday = VxDateOf(cal->CellDate(row, 0));
                    QCOMPARE(monday.dayOfWeek(), 1);
                    if (cal->Cell(row, 0).Text != QString::number(monday.weekNumber()))
                        QFAIL(qPrintable(QStringLiteral("%1-%2 row %3: %4, ISO %5")
                                             .arg(year)
                                             .arg(month)
                                             .arg(row)
                                             .arg(cal->Cell(row, 0).Text)
                                             .arg(monday.weekNumber())));
                }
            }
        }
    }

    // A week shows the same number whichever month's page shows it, in both
    // week layouts (Sunday-first pages of months that begin on a Saturday
    // included).
    void weekNumbersAgreeAcrossPages() {
        for (bool monday : {false, true}) {
            cal->SetStartOnMonday(monday);
            QHash<double, QString> seen;
            for (int year = 1998; year <= 2032; ++year) {
                for (int month = 1; month <= 12; ++month) {
                    show(year, month);
                    for (int row = 0; row < 6; ++row) {
                        const double week = cal->CellDate(row, 0);
                        const QString number = cal->Cell(row, 0).Text;
                        if (seen.contains(week) && seen[week] != number)
                            QFAIL(qPrintable(QStringLiteral("%1 %2-%3 row %4: %5, before %6")
                                                 .arg(monday ? "Monday" : "Sunday")
                                                 .arg(year)
                                                 .arg(month)
                                                 .arg(row)
                                                 .arg(number, seen[week])));
                        seen[week] = number;
                    }
                }
            }
        }
    }

    void gridLayout_data() {
        QTest::addColumn<bool>("monday");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<QDate>("firstShown");
        QTest::newRow("Feb 2026 Sunday first: no January")
            << false << 2026 << 2 << QDate(2026, 2, 1);
        QTest::newRow("Jun 2026 Monday first: no May") << true << 2026 << 6 << QDate(2026, 6, 1);
        QTest::newRow("Jan 2027 shows December 2026") << false << 2027 << 1 << QDate(2026, 12, 27);
        QTest::newRow("Dec 2026 Monday first") << true << 2026 << 12 << QDate(2026, 11, 30);
        QTest::newRow("Mar 2026 Monday first starts on Sunday")
            << true << 2026 << 3 << QDate(2026, 2, 23);
    }
    void gridLayout() {
        QFETCH(bool, monday);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(QDate, firstShown);
        cal->SetStartOnMonday(monday);
        show(year, month);
        // 42 consecutive days; each cell's text and tag name its own date.
        for (int i = 0; i < 42; ++i) {
            const int row = i / 7, column = i % 7 + 1;
            const QDate date = VxDateOf(cal->CellDate(row, column));
            QCOMPARE(date, firstShown.addDays(i));
            QCOMPARE(cal->Cell(row, column).Text, QString::number(date.day()));
            QCOMPARE(cal->Cell(row, column).Tag, date.month());
        }
        QCOMPARE(cal->CellDate(2, 0), VxDayOf(firstShown.addDays(14)));
        const QString first = monday ? cal->Headers().Monday : cal->Headers().Sunday;
        QCOMPARE(cal->HeaderCell(1).Text, first);
        QCOMPARE(cal->HeaderCell(0).Text, QString("Wk"));
    }

    void geometry() {
        // 236 x 206: 2-pixel frame, 26 title, 38 status leaves a 232 x 138 grid.
        QCOMPARE(cal->size(), QSize(236, 206));
        QCOMPARE(cal->Grid()->geometry(), QRect(2, 28, 232, 138));
        const TVxGridGeometry g = cal->Grid()->Geometry();
        QCOMPARE(g.RowHeight, 20);
        QCOMPARE(g.HeaderHeight, 18);
        QCOMPARE(g.DayWidth, 29);
        QCOMPARE(g.WeekWidth, 29);
        QCOMPARE(cal->CellRect(-1, 0), QRect(0, 0, 29, 18));
        QCOMPARE(cal->CellRect(5, 7), QRect(29 + 6 * 29, 18 + 5 * 20, 29, 20));
        int row, column;
        QVERIFY(g.CellAt(QPoint(30, 19), row, column));
        QCOMPARE(row, 0);
        QCOMPARE(column, 1);
        QVERIFY(!g.CellAt(QPoint(10, 140), row, column));

        // Paging buttons at the edges, month and year sharing the room.
        const int titleWidth = 232;
        QCOMPARE(cal->NextYearButton()->geometry(), QRect(titleWidth - 2 - 21, 2, 21, 22));
        QCOMPARE(cal->NextMonthButton()->geometry().right() + 1,
                 cal->NextYearButton()->geometry().left());
        QCOMPARE(cal->MonthButton()->geometry().right() + 1, cal->YearButton()->geometry().left());
        QCOMPARE(cal->YearButton()->geometry().right() + 1 + 2,
                 cal->NextMonthButton()->geometry().left());
        QCOMPARE(cal->PrevYearButton()->toolTip(), QString("- Year"));
        QCOMPARE(cal->NextMonthButton()->toolTip(), QString("+ Month"));
    }

    void monthButtonWidth_data() {
        QTest::addColumn<int>("room");
        QTest::addColumn<int>("monthLength");
        QTest::addColumn<int>("width");
        QTest::newRow("long name narrowed") << 100 << 6 << 54;
        QTest::newRow("short name widened") << 70 << 3 << 33;
    }
    void monthButtonWidth() {
        QFETCH(int, room);
        QFETCH(int, monthLength);
        QFETCH(int, width);
        QCOMPARE(VxMonthButtonWidth(room, monthLength, 4), width);
    }

    void displayClampsButPagingDoesNot() {
        cal->SetDisplayYear(1850);
        QCOMPARE(cal->DisplayYear(), 1900);
        cal->SetDisplayMonth(13);
        QCOMPARE(cal->DisplayMonth(), 12);
        cal->SetDisplayMonth(0);
        QCOMPARE(cal->DisplayMonth(), 1);
        QTest::mouseClick(cal->PrevMonthButton(), Qt::LeftButton);
        QCOMPARE(cal->DisplayYear(), 1899);
        QCOMPARE(cal->DisplayMonth(), 12);
        QCOMPARE(cal->YearButton()->text(), QString("1899"));
        QTest::mouseClick(cal->NextYearButton(), Qt::LeftButton);
        QTest::mouseClick(cal->NextMonthButton(), Qt::LeftButton);
        QCOMPARE(cal->DisplayYear(), 1901);
        QCOMPARE(cal->DisplayMonth(), 1);
        QVERIFY(!cal->ShowCurrent());
    }

    // ---- the day set-up contract ----

    void setupDay() {
        const TDateTime today = VxToday();
        const QDate t = VxDateOf(today);
        show(t.year(), t.month());
        const QColor owner(200, 10, 10);
        cal->OnSetupDay = [owner](QObject*, TDateTime, QColor& color, QString& hint) {
            color = owner;
            hint = QStringLiteral("Must start here");
        };
        cal->DrawMonth();
        const QPoint todayCell = cellOf(*cal, today);
        const TVxCalendarCell& todayShown = cal->Cell(todayCell.y(), todayCell.x());
        QCOMPARE(todayShown.Color, cal->TodayColor());
        QCOMPARE(todayShown.FontColor, cal->DayColor());
        QCOMPARE(todayShown.Hint, QString("Today - Must start here"));
        QCOMPARE(cal->Cell(todayCell.y(), 0).Hint, QString("This week"));
        QCOMPARE(cal->Cell(todayCell.y(), 0).FontColor, cal->TodayColor());

        // Another day of the shown month takes the colour as its background;
        // a neighbouring month's day takes it as its text colour.
        const TDateTime other = t.day() > 15 ? today - 7 : today + 7;
        const QPoint o = cellOf(*cal, other);
        QCOMPARE(cal->Cell(o.y(), o.x()).Color, owner);
        QCOMPARE(cal->Cell(o.y(), o.x()).Hint, QString("Must start here"));
        const TVxCalendarCell& grey = cal->Cell(5, 7);
        QVERIFY(grey.Tag != t.month());
        QCOMPARE(grey.Color, cal->Color());
        QCOMPARE(grey.FontColor, owner);

        // In the range the owner's colour does not apply.
        cal->SetStartDate(cal->CellDate(5, 1));
        cal->SetFinishDate(cal->CellDate(5, 7));
        QCOMPARE(cal->Cell(5, 7).FontColor, cal->RangeColor());
        QCOMPARE(cal->Cell(5, 0).FontColor, cal->RangeColor());
    }

    void todayInNeighbouringMonth() {
        // Today is a grey day on the page before or after its own month.
        const QDate t = QDate::currentDate();
        QPoint cell(-1, -1);
        for (const QDate page : {t.addMonths(-1), t.addMonths(1)}) {
            show(page.year(), page.month());
            cell = cellOf(*cal, VxToday());
            if (cell.x() > 0) break;
        }
        if (cell.x() < 0) QSKIP("today is on neither neighbouring page");
        QCOMPARE(cal->Cell(cell.y(), cell.x()).Color, cal->Color());
        QCOMPARE(cal->Cell(cell.y(), cell.x()).FontColor, cal->TodayColor());
        QCOMPARE(cal->Cell(cell.y(), 0).Hint, QString("This week"));
    }

    void neighbourDefaults() {
        show(2026, 3);
        cal->SetStartDate(D(2026, 3, 30));
        cal->SetFinishDate(D(2026, 4, 2));
        const QPoint inRange = cellOf(*cal, D(2026, 4, 1));
        const QPoint outside = cellOf(*cal, D(2026, 4, 5));
        QCOMPARE(cal->Cell(inRange.y(), inRange.x()).FontColor, cal->RangeColor());
        QCOMPARE(cal->Cell(outside.y(), outside.x()).FontColor, QColor(128, 128, 128));
        QCOMPARE(cal->Cell(outside.y(), 0).FontColor, cal->WeekColor());
        const QPoint shown = cellOf(*cal, D(2026, 3, 31));
        QCOMPARE(cal->Cell(shown.y(), shown.x()).Color, cal->RangeColor());
    }

    // A start or finish with a time of day on a week's last day still marks
    // that week's number.
    void weekNumberColourWithTimeOfDay() {
        cal->SetStartOnMonday(true);
        show(2026, 3);
        cal->SetStartDate(D(2026, 3, 8) + 0.75); // a Sunday evening
        cal->SetFinishDate(D(2026, 3, 8) + 0.9);
        const QPoint cell = cellOf(*cal, D(2026, 3, 8));
        QCOMPARE(cell.x(), 7);
        QCOMPARE(cal->Cell(cell.y(), 0).FontColor, cal->RangeColor());
    }

    // White week numbers stand out from the week column whatever the
    // platform's face colour; a dark week colour keeps the face itself.
    void weekNumbersLegible_data() {
        QTest::addColumn<QColor>("face");
        QTest::addColumn<QColor>("week");
        QTest::addColumn<bool>("shaded");
        QTest::newRow("white on a light face")
            << QColor(239, 239, 239) << QColor(Qt::white) << true;
        QTest::newRow("white on silver") << QColor(192, 192, 192) << QColor(Qt::white) << true;
        QTest::newRow("dark grey on a light face")
            << QColor(239, 239, 239) << QColor(80, 80, 80) << false;
        QTest::newRow("black on black") << QColor(Qt::black) << QColor(Qt::black) << true;
    }
    void weekNumbersLegible() {
        QFETCH(QColor, face);
        QFETCH(QColor, week);
        QFETCH(bool, shaded);
        cal->SetColor(face);
        cal->SetWeekColor(week);
        show(2026, 3);
        const QColor back = cal->Cell(5, 0).Color;
        QCOMPARE(cal->HeaderCell(0).Color, back);
        QCOMPARE(back != face, shaded);
        auto lum = [](const QColor& c) {
            auto ch = [](double v) {
                return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * ch(c.redF()) + 0.7152 * ch(c.greenF()) + 0.0722 * ch(c.blueF());
        };
        const double a = lum(back), b = lum(week);
        QVERIFY((std::max(a, b) + 0.05) / (std::min(a, b) + 0.05) >= 3.0);
        // The day cells of neighbouring months keep the face itself.
        QCOMPARE(cal->Cell(5, 7).Color, face);
    }

    // A status line's date stops before its time picker rather than running
    // under it.
    void statusTextStopsBeforePicker() {
        cal->SetStartDate(D(2026, 9, 30));
        const QString full = QStringLiteral(" Start:   Wednesday, Sep 30, 2026");
        QCOMPARE(cal->StartText(), full);
        QCOMPARE(cal->StartLine()->ShownCaption(), full);
        cal->SetUseTime(true);
        const QString shown = cal->StartLine()->ShownCaption();
        QVERIFY(shown.endsWith(QChar(0x2026)));
        QVERIFY(cal->StartLine()->fontMetrics().horizontalAdvance(shown) <
                cal->StartTimePicker()->x());
        QCOMPARE(cal->StartText(), full);
        cal->SetUseTime(false);
        QCOMPARE(cal->StartLine()->ShownCaption(), full);
    }

    void hintsAsTooltips() {
        show(2026, 3);
        cal->OnSetupDay = [](QObject*, TDateTime day, QColor&, QString& hint) {
            if (day == D(2026, 3, 18)) hint = QStringLiteral("Must start here");
        };
        cal->DrawMonth();
        const QPoint cell = cellOf(*cal, D(2026, 3, 18));
        const QPoint at = centre(*cal, cell.y(), cell.x());
        QHelpEvent help(QEvent::ToolTip, at, cal->Grid()->mapToGlobal(at));
        QApplication::sendEvent(cal->Grid(), &help);
        QTRY_COMPARE(QToolTip::text(), QString("Must start here"));
    }

    void glyphsReplaceTexts() {
        QPixmap arrow(8, 8);
        arrow.fill(Qt::black);
        cal->SetNextYearGlyph(arrow);
        QCOMPARE(cal->NextYearButton()->text(), QString());
        QCOMPARE(cal->PrevYearButton()->text(), QString("<<"));
        cal->SetNextYearGlyph(QPixmap());
        QCOMPARE(cal->NextYearButton()->text(), QString(">>"));
    }

    // A finish without a start selects nothing before it.
    void finishAloneMarksNothing() {
        show(2026, 3);
        clickDate(D(2026, 3, 20), Qt::RightButton);
        QCOMPARE(cal->StartDate(), 0.0);
        QCOMPARE(cal->FinishDate(), D(2026, 3, 20));
        cal->DrawMonth();
        for (int row = 0; row < 6; ++row) {
            QVERIFY(cal->Cell(row, 0).FontColor != cal->RangeColor());
            for (int column = 1; column <= 7; ++column)
                QVERIFY(cal->Cell(row, column).Color != cal->RangeColor());
        }
    }

    // ---- setting the range ----

    void settingOrder_data() {
        QTest::addColumn<double>("start0");
        QTest::addColumn<double>("finish0");
        QTest::addColumn<bool>("writeStart");
        QTest::addColumn<double>("value");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("finish");
        const double a = D(2026, 3, 10), b = D(2026, 3, 20);
        QTest::newRow("start on empty range moves finish")
            << 0.0 << 0.0 << true << a
            << QStringList{"start 10/03/26", "finish 10/03/26", "change", "change"} << a << a;
        QTest::newRow("finish alone")
            << 0.0 << 0.0 << false << b << QStringList{"finish 20/03/26", "change"} << 0.0 << b;
        QTest::newRow("start after finish")
            << a << a << true << b
            << QStringList{"start 20/03/26", "finish 20/03/26", "change", "change"} << b << b;
        QTest::newRow("finish before start")
            << b << b << false << a
            << QStringList{"finish 10/03/26", "start 10/03/26", "change", "change"} << a << a;
        QTest::newRow("same start fires nothing") << a << b << true << a << QStringList{} << a << b;
        QTest::newRow("start 0 clears")
            << a << b << true << 0.0 << QStringList{"change"} << 0.0 << 0.0;
        QTest::newRow("finish 0 clears")
            << a << b << false << 0.0 << QStringList{"change"} << 0.0 << 0.0;
    }
    void settingOrder() {
        QFETCH(double, start0);
        QFETCH(double, finish0);
        QFETCH(bool, writeStart);
        QFETCH(double, value);
        QFETCH(QStringList, events);
        QFETCH(double, start);
        QFETCH(double, finish);
        cal->SetFinishDate(finish0);
        cal->SetStartDate(start0);
        logEvents();
        if (writeStart)
            cal->SetStartDate(value);
        else
            cal->SetFinishDate(value);
        QCOMPARE(log, events);
        QCOMPARE(cal->StartDate(), start);
        QCOMPARE(cal->FinishDate(), finish);
        QVERIFY(cal->StartDate() <= cal->FinishDate());
    }

    void statusLinesAndPickers() {
        cal->SetUseTime(true);
        cal->SetStartDate(D(2026, 3, 5) + 0.5);
        cal->SetFinishDate(D(2026, 3, 9) + 0.75);
        QCOMPARE(cal->StartText(), QString(" Start:   Thursday, Mar 5, 2026"));
        QCOMPARE(cal->FinishText(), QString(" Finish: Monday, Mar 9, 2026"));
        QCOMPARE(cal->StartTimePicker()->Time(), 0.5);
        QCOMPARE(cal->FinishTimePicker()->Time(), 0.75);
        QVERIFY(cal->StartTimePicker()->isEnabled());
        cal->SetDateFormat(QStringLiteral("dd/mm/yyyy"));
        QCOMPARE(cal->StartText(), QString(" Start:   05/03/2026"));
        QCOMPARE(cal->FinishText(), QString(" Finish: 09/03/2026"));

        cal->SetStartDate(0);
        QCOMPARE(cal->FinishDate(), 0.0);
        QCOMPARE(cal->StartText(), QString());
        QCOMPARE(cal->FinishText(), QString());
        QCOMPARE(cal->StartTimePicker()->Time(), -0.1);
        QCOMPARE(cal->FinishTimePicker()->Time(), -0.1);
        QVERIFY(!cal->StartTimePicker()->isEnabled());
        // A blank finish picker must not make a date out of a typed time.
        QVERIFY(!cal->FinishTimePicker()->isEnabled());
    }

    void handlerReplacesDate() {
        const TDateTime monday = D(2026, 3, 9);
        cal->SetUseTime(true);
        cal->SetFinishDate(D(2026, 3, 1));
        cal->OnStartClick = [monday](QObject*, TDateTime& d) { d = monday + 0.25; };
        cal->SetStartDate(D(2026, 3, 12));
        QCOMPARE(cal->StartDate(), monday + 0.25);
        QCOMPARE(cal->FinishDate(), monday + 0.25);
        QCOMPARE(cal->StartText(), QString(" Start:   Monday, Mar 9, 2026"));
        QCOMPARE(cal->StartTimePicker()->Time(), 0.25);
    }

    void vetoKeepsRange() {
        cal->SetStartDate(D(2026, 3, 2));
        cal->SetFinishDate(D(2026, 3, 4));
        cal->OnStartClick = [](QObject*, TDateTime&) { VxAbort(); };
        QVERIFY_THROWS_EXCEPTION(EVxAbort, cal->SetStartDate(D(2026, 3, 10)));
        QCOMPARE(cal->StartDate(), D(2026, 3, 2));
        QCOMPARE(cal->FinishDate(), D(2026, 3, 4));
    }

    void invalidDatesRefused_data() {
        QTest::addColumn<double>("value");
        QTest::newRow("nan") << std::nan("");
        QTest::newRow("infinite") << HUGE_VAL;
        QTest::newRow("year 10000") << VxEncodeDate(9999, 12, 31) + 1;
        QTest::newRow("before year 1") << VxEncodeDate(1, 1, 1) - 1;
    }
    void invalidDatesRefused() {
        QFETCH(double, value);
        cal->SetStartDate(D(2026, 3, 2));
        cal->SetFinishDate(D(2026, 3, 4));
        QVERIFY_THROWS_EXCEPTION(EVxError, cal->SetStartDate(value));
        QVERIFY_THROWS_EXCEPTION(EVxError, cal->SetFinishDate(value));
        cal->OnFinishClick = [value](QObject*, TDateTime& d) { d = value; };
        QVERIFY_THROWS_EXCEPTION(EVxError, cal->SetFinishDate(D(2026, 3, 9)));
        QCOMPARE(cal->StartDate(), D(2026, 3, 2));
        QCOMPARE(cal->FinishDate(), D(2026, 3, 4));
        // The extremes themselves are fine.
        cal->OnFinishClick = nullptr;
        cal->SetFinishDate(VxEncodeDate(9999, 12, 31));
        cal->SetStartDate(VxEncodeDate(1, 1, 1));
        QCOMPARE(cal->StartDate(), -693593.0);
        QVERIFY(cal->StartText().startsWith(" Start:   Monday, Jan 1, "));
    }

    void timePickerSetsTime() {
        cal->SetUseTime(true);
        cal->SetStartDate(D(2026, 3, 5));
        cal->SetFinishDate(D(2026, 3, 6));
        logEvents();
        TVxTimePicker* picker = cal->StartTimePicker();
        QTest::mouseClick(picker->HourTens(), Qt::LeftButton);
        QTest::keyClick(picker->HourTens(), '1');
        QTest::keyClick(picker->HourUnits(), '4');
        QVERIFY(qAbs(cal->StartDate() - (D(2026, 3, 5) + 14 / 24.0)) < 1e-9);
        QCOMPARE(cal->FinishDate(), D(2026, 3, 6));
        QCOMPARE(log.count("change"), 2);
        // The date part stays when the time is changed.
        QCOMPARE(std::floor(cal->StartDate()), D(2026, 3, 5));
    }

    // A time typed into one picker that moves the other date, or that a
    // handler replaces, leaves both pickers showing their dates' times.
    void pickersFollowTheirDates_data() {
        QTest::addColumn<int>("handler");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("finish");
        const double day = D(2026, 3, 5);
        QTest::newRow("start passes finish") << 0 << "1500" << day + 15 / 24.0 << day + 15 / 24.0;
        QTest::newRow("handler keeps the start")
            << 1 << "1500" << day + 10 / 24.0 << day + 12 / 24.0;
        QTest::newRow("handler moves the finish along")
            << 2 << "1100" << day + 11 / 24.0 << day + 13 / 24.0;
    }
    void pickersFollowTheirDates() {
        QFETCH(int, handler);
        QFETCH(QString, typed);
        QFETCH(double, start);
        QFETCH(double, finish);
        const double day = D(2026, 3, 5);
        show(2026, 3);
        cal->SetUseTime(true);
        cal->SetStartDate(day + 10 / 24.0);
        cal->SetFinishDate(day + 12 / 24.0);
        TDateTime saved = cal->StartDate();
        if (handler == 1) cal->OnStartClick = [saved](QObject*, TDateTime& d) { d = saved; };
        if (handler == 2)
            cal->OnStartClick = [&](QObject*, TDateTime& d) {
                cal->SetFinishDate(d - saved + cal->FinishDate());
                saved = d;
            };
        TVxTimePicker* picker = cal->StartTimePicker();
        QTest::mouseClick(picker->HourTens(), Qt::LeftButton);
        for (QChar c : typed)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        QVERIFY(qAbs(cal->StartDate() - start) < 1e-9);
        QVERIFY(qAbs(cal->FinishDate() - finish) < 1e-9);
        QVERIFY(qAbs(cal->StartTimePicker()->Time() - (start - day)) < 1e-9);
        QVERIFY(qAbs(cal->FinishTimePicker()->Time() - (finish - day)) < 1e-9);
    }

    // Focus moving into the calendar's pickers, between them and out again.
    void enterAndExit() {
        auto other = new QLineEdit(window);
        other->move(0, 240);
        other->show();
        cal->SetUseTime(true);
        cal->SetStartDate(D(2026, 3, 5));
        cal->SetFinishDate(D(2026, 3, 6));
        cal->OnEnter = [this](QObject* s) { log << (s == cal ? "enter" : "?"); };
        cal->OnExit = [this](QObject* s) { log << (s == cal ? "exit" : "?"); };
        TVxTimePicker* start = cal->StartTimePicker();
        TVxTimePicker* finish = cal->FinishTimePicker();
        start->OnEnter = [this](QObject*) { log << "start enter"; };
        start->OnExit = [this](QObject*) { log << "start exit"; };
        finish->OnEnter = [this](QObject*) { log << "finish enter"; };
        QTest::mouseClick(other, Qt::LeftButton);
        QTRY_VERIFY(other->hasFocus());
        log.clear();
        QTest::mouseClick(start->MinuteTens(), Qt::LeftButton);
        QTest::mouseClick(start->HourTens(), Qt::LeftButton);
        QTest::mouseClick(finish->HourUnits(), Qt::LeftButton);
        QTest::mouseClick(other, Qt::LeftButton);
        QTRY_VERIFY(other->hasFocus());
        QCOMPARE(log, QStringList({"enter", "start enter", "start exit", "finish enter", "exit"}));
    }

    // ---- the mouse ----

    void leftAndRightPresses() {
        show(2026, 3);
        logEvents();
        clickDate(D(2026, 3, 11));
        QCOMPARE(cal->StartDate(), D(2026, 3, 11));
        QCOMPARE(cal->FinishDate(), D(2026, 3, 11));
        clickDate(D(2026, 3, 17), Qt::RightButton);
        QCOMPARE(cal->FinishDate(), D(2026, 3, 17));
        // Modifier keys make a press count for nothing.
        clickDate(D(2026, 3, 2), Qt::LeftButton, Qt::ShiftModifier);
        clickDate(D(2026, 3, 25), Qt::RightButton, Qt::ControlModifier);
        QCOMPARE(cal->StartDate(), D(2026, 3, 11));
        QCOMPARE(cal->FinishDate(), D(2026, 3, 17));
        // A grey day of the next month selects that day.
        clickDate(D(2026, 4, 2), Qt::RightButton);
        QCOMPARE(cal->FinishDate(), D(2026, 4, 2));
    }

    void rightPressKeepsTimes() {
        show(2026, 3);
        cal->SetStartDate(D(2026, 3, 2) + 0.25);
        cal->SetFinishDate(D(2026, 3, 3) + 0.75);
        clickDate(D(2026, 3, 20), Qt::RightButton);
        QCOMPARE(cal->FinishDate(), D(2026, 3, 20) + 0.75);
        clickDate(D(2026, 3, 10));
        QCOMPARE(cal->StartDate(), D(2026, 3, 10) + 0.25);
    }

    void weekPresses_data() {
        QTest::addColumn<double>("start0");
        QTest::addColumn<double>("finish0");
        QTest::addColumn<int>("button");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("finish");
        // Row 1 of March 2026 (Sunday first) runs from 8 to 14 March.
        QTest::newRow("left stretches finish")
            << D(2026, 3, 2) << D(2026, 3, 9) << int(Qt::LeftButton) << D(2026, 3, 8)
            << D(2026, 3, 14);
        QTest::newRow("left keeps later finish")
            << D(2026, 3, 2) << D(2026, 3, 25) << int(Qt::LeftButton) << D(2026, 3, 8)
            << D(2026, 3, 25);
        QTest::newRow("right moves start back")
            << D(2026, 3, 10) << D(2026, 3, 11) << int(Qt::RightButton) << D(2026, 3, 8)
            << D(2026, 3, 14);
        QTest::newRow("right keeps earlier start")
            << D(2026, 3, 2) << D(2026, 3, 3) << int(Qt::RightButton) << D(2026, 3, 2)
            << D(2026, 3, 14);
    }
    void weekPresses() {
        QFETCH(double, start0);
        QFETCH(double, finish0);
        QFETCH(int, button);
        QFETCH(double, start);
        QFETCH(double, finish);
        show(2026, 3);
        cal->SetFinishDate(finish0);
        cal->SetStartDate(start0);
        QCOMPARE(cal->CellDate(1, 0), D(2026, 3, 8));
        QTest::mouseClick(cal->Grid(), Qt::MouseButton(button), {}, centre(*cal, 1, 0));
        QCOMPARE(cal->StartDate(), start);
        QCOMPARE(cal->FinishDate(), finish);
    }

    void monthAndYearButtons_data() {
        QTest::addColumn<bool>("year");
        QTest::addColumn<int>("button");
        QTest::addColumn<double>("start0");
        QTest::addColumn<double>("finish0");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("finish");
        QTest::newRow("month left")
            << false << int(Qt::LeftButton) << 0.0 << 0.0 << D(2026, 3, 1) << D(2026, 3, 31);
        QTest::newRow("month left keeps later finish")
            << false << int(Qt::LeftButton) << D(2026, 2, 1) << D(2026, 5, 1) << D(2026, 3, 1)
            << D(2026, 5, 1);
        QTest::newRow("month right keeps earlier start")
            << false << int(Qt::RightButton) << D(2026, 2, 1) << D(2026, 2, 3) << D(2026, 2, 1)
            << D(2026, 3, 31);
        QTest::newRow("month right moves later start")
            << false << int(Qt::RightButton) << D(2026, 3, 10) << D(2026, 3, 12) << D(2026, 3, 1)
            << D(2026, 3, 31);
        QTest::newRow("fiscal year left")
            << true << int(Qt::LeftButton) << 0.0 << 0.0 << D(2026, 4, 1) << D(2027, 3, 31);
        QTest::newRow("fiscal year right") << true << int(Qt::RightButton) << D(2026, 1, 5)
                                           << D(2026, 1, 6) << D(2026, 1, 5) << D(2027, 3, 31);
    }
    void monthAndYearButtons() {
        QFETCH(bool, year);
        QFETCH(int, button);
        QFETCH(double, start0);
        QFETCH(double, finish0);
        QFETCH(double, start);
        QFETCH(double, finish);
        show(2026, 3);
        cal->SetFinishDate(finish0);
        cal->SetStartDate(start0);
        int askedYear = 0;
        cal->OnSelectYear = [&](QObject*, int y, TDateTime& ys, TDateTime& yf) {
            askedYear = y;
            QCOMPARE(ys, D(y, 1, 1));
            QCOMPARE(yf, D(y, 12, 31));
            ys = D(y, 4, 1);
            yf = D(y + 1, 3, 31);
        };
        QWidget* target = year ? static_cast<QWidget*>(cal->YearButton()) : cal->MonthButton();
        QTest::mouseClick(target, Qt::MouseButton(button));
        QCOMPARE(askedYear, year ? 2026 : 0);
        QCOMPARE(cal->StartDate(), start);
        QCOMPARE(cal->FinishDate(), finish);
    }

    void doubleClickReportsOwnDate() {
        show(2026, 4);
        TDateTime reported = 0;
        cal->OnDayDblClick = [&](QObject*, TDateTime d) { reported = d; };
        const QPoint grey = cellOf(*cal, D(2026, 3, 29));
        QTest::mouseDClick(cal->Grid(), Qt::LeftButton, {}, centre(*cal, grey.y(), grey.x()));
        QCOMPARE(reported, D(2026, 3, 29));
    }

    // A drag from December onto January in the last row pages to January of
    // the next year; from February onto January in the first row, to January
    // of the same year.
    void dragPagesAcrossMonths_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<double>("later");
        QTest::newRow("December to January")
            << 2026 << 12 << D(2026, 12, 21) << D(2027, 1, 8) << D(2027, 1, 13);
        QTest::newRow("February back to January")
            << 2027 << 2 << D(2027, 2, 10) << D(2027, 1, 31) << D(2027, 1, 20);
    }
    void dragPagesAcrossMonths() {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(double, later);
        show(year, month);
        QWidget* grid = cal->Grid();
        const QPoint a = cellOf(*cal, from);
        QTest::mousePress(grid, Qt::LeftButton, {}, centre(*cal, a.y(), a.x()));
        QCOMPARE(cal->StartDate(), from);
        const QPoint b = cellOf(*cal, to);
        QTest::mouseMove(grid, centre(*cal, a.y(), a.x()) + QPoint(6, 0));
        const QPoint pointer = grid->mapToGlobal(centre(*cal, b.y(), b.x()));
        QCursor::setPos(pointer);
        QTest::mouseMove(grid, centre(*cal, b.y(), b.x()));
        // The pointer follows the date to its place on the new page.
        const QPoint moved = cellOf(*cal, to);
        QCOMPARE(QCursor::pos() - pointer,
                 QPoint(0, (moved.y() - b.y()) * cal->Grid()->Geometry().RowHeight));
        int y, m, d;
        VxDecodeDate(to, y, m, d);
        QCOMPARE(cal->DisplayYear(), y);
        QCOMPARE(cal->DisplayMonth(), m);
        QVERIFY(cal->Paging());
        // Dragging back before the start moves the start along.
        QCOMPARE(cal->FinishDate(), to);
        QCOMPARE(cal->StartDate(), std::min(from, to));
        // Carry on over the new page: the finish follows the pointer and a
        // day of the shown month ends the paging.
        const QPoint c = cellOf(*cal, later);
        QTest::mouseMove(grid, centre(*cal, c.y(), c.x()));
        QVERIFY(!cal->Paging());
        QCOMPARE(cal->FinishDate(), std::max(later, cal->StartDate()));
        QTest::mouseRelease(grid, Qt::LeftButton, {}, centre(*cal, c.y(), c.x()));
        QCOMPARE(cal->DisplayMonth(), m);
    }

    // Moves inside one cell count once: the pickers' focus is not bounced
    // about at every move.
    void dragCountsEachCellOnce() {
        show(2026, 3);
        cal->SetUseTime(true);
        int entered = 0;
        cal->StartTimePicker()->OnEnter = [&](QObject*) { ++entered; };
        QWidget* grid = cal->Grid();
        const QPoint a = cellOf(*cal, D(2026, 3, 10));
        const QPoint b = cellOf(*cal, D(2026, 3, 12));
        QTest::mousePress(grid, Qt::LeftButton, {}, centre(*cal, a.y(), a.x()));
        QCOMPARE(entered, 1);
        QTest::mouseMove(grid, centre(*cal, b.y(), b.x()));
        QVERIFY(cal->FinishTimePicker()->isAncestorOf(QApplication::focusWidget()));
        for (int dx = -3; dx <= 3; ++dx)
            QTest::mouseMove(grid, centre(*cal, b.y(), b.x()) + QPoint(dx, 1));
        QTest::mouseRelease(grid, Qt::LeftButton, {}, centre(*cal, b.y(), b.x()));
        QCOMPARE(entered, 1);
        QCOMPARE(cal->StartDate(), D(2026, 3, 10));
        QCOMPARE(cal->FinishDate(), D(2026, 3, 12));
    }

    void dragWithoutAutoPageStays() {
        show(2026, 12);
        cal->SetAutoPage(false);
        const QPoint a = cellOf(*cal, D(2026, 12, 21));
        const QPoint b = cellOf(*cal, D(2027, 1, 8));
        QTest::mousePress(cal->Grid(), Qt::LeftButton, {}, centre(*cal, a.y(), a.x()));
        QTest::mouseMove(cal->Grid(), centre(*cal, b.y(), b.x()));
        QTest::mouseRelease(cal->Grid(), Qt::LeftButton, {}, centre(*cal, b.y(), b.x()));
        QCOMPARE(cal->DisplayMonth(), 12);
        QCOMPARE(cal->FinishDate(), D(2027, 1, 8));
    }

    // ---- keyboard ----

    // Tab reaches the grid; the keys walk the days and months and pick the
    // start and (with Shift) the finish, as the mouse would.
    void keysWalkAndPick() {
        auto* before = new QLineEdit(window);
        QWidget::setTabOrder(before, cal->Grid());
        before->show();
        show(2026, 3);
        cal->SetStartDate(D(2026, 3, 10));
        cal->SetFinishDate(D(2026, 3, 12));
        before->setFocus();
        QTest::keyClick(before, Qt::Key_Tab);
        QVERIFY(cal->Grid()->hasFocus());
        QCOMPARE(cal->KeyDay(), D(2026, 3, 10));
        logEvents();
        QTest::keyClick(cal->Grid(), Qt::Key_Right);
        QTest::keyClick(cal->Grid(), Qt::Key_Down);
        QCOMPARE(cal->KeyDay(), D(2026, 3, 18));
        QTest::keyClick(cal->Grid(), Qt::Key_Space);
        QTest::keyClick(cal->Grid(), Qt::Key_PageDown);
        QCOMPARE(cal->KeyDay(), D(2026, 4, 18));
        QCOMPARE(cal->DisplayMonth(), 4);
        QTest::keyClick(cal->Grid(), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(log, QStringList({"start 18/03/26", "finish 18/03/26", "change", "change",
                                   "finish 18/04/26", "change"}));
        QCOMPARE(cal->StartDate(), D(2026, 3, 18));
        QCOMPARE(cal->FinishDate(), D(2026, 4, 18));
        QVERIFY(cal->FinishText().endsWith("Apr 18, 2026"));
        // Month ends are kept: 31 January and a month on is 28 February.
        cal->SetKeyDay(D(2027, 1, 31));
        QTest::keyClick(cal->Grid(), Qt::Key_PageDown);
        QCOMPARE(cal->KeyDay(), D(2027, 2, 28));
    }

    // ---- single-date mode ----

    void singleDateMode() {
        show(2026, 3);
        cal->SetStartDate(D(2026, 3, 3));
        cal->SetFinishDate(D(2026, 3, 9));
        logEvents();
        cal->SetSingleDate(true);
        QCOMPARE(log, QStringList({"start 03/03/26", "change"}));
        QCOMPARE(cal->FinishDate(), D(2026, 3, 3));
        QCOMPARE(cal->StatusHeight(), 19);
        QVERIFY(cal->MonthButton()->isHidden());
        QCOMPARE(cal->TitleText(), QString("%1 2026").arg(cal->MonthNames().Mar));
        QCOMPARE(cal->TitleBar()->ShownCaption(), cal->TitleText());
        QVERIFY(cal->StartText().startsWith(" Date:   "));

        clickDate(D(2026, 3, 20), Qt::RightButton);
        QCOMPARE(cal->FinishDate(), D(2026, 3, 3));
        clickDate(D(2026, 3, 12));
        QCOMPARE(cal->StartDate(), D(2026, 3, 12));
        QCOMPARE(cal->FinishDate(), D(2026, 3, 12));
        // Dragging moves nothing in single-date mode.
        const QPoint a = cellOf(*cal, D(2026, 3, 12));
        const QPoint b = cellOf(*cal, D(2026, 4, 2));
        QTest::mousePress(cal->Grid(), Qt::LeftButton, {}, centre(*cal, a.y(), a.x()));
        QTest::mouseMove(cal->Grid(), centre(*cal, b.y(), b.x()));
        QTest::mouseRelease(cal->Grid(), Qt::LeftButton, {}, centre(*cal, b.y(), b.x()));
        QCOMPARE(cal->FinishDate(), D(2026, 3, 12));
        QCOMPARE(cal->DisplayMonth(), 3);

        cal->SetSingleDate(false);
        QCOMPARE(cal->StatusHeight(), 38);
        QVERIFY(!cal->MonthButton()->isHidden());
        QVERIFY(cal->StartText().startsWith(" Start:   "));
        // The finish line shows the collapsed date, not the old finish.
        QCOMPARE(cal->FinishText(), QString(" Finish: Thursday, Mar 12, 2026"));
        QCOMPARE(cal->TitleText(), QString());
    }

    // A finish picked without a start collapses to no date in single-date
    // mode; back in range mode its status line must say so too.
    void finishOnlyThroughSingleDate() {
        show(2026, 3);
        clickDate(D(2026, 3, 17), Qt::RightButton);
        QCOMPARE(cal->StartDate(), 0.0);
        QCOMPARE(cal->FinishDate(), D(2026, 3, 17));
        cal->SetSingleDate(true);
        cal->SetSingleDate(false);
        QCOMPARE(cal->FinishDate(), 0.0);
        QCOMPARE(cal->FinishText(), QString());
    }

    void singleDateWithoutStatusKeepsFinish() {
        cal->SetShowStatus(false);
        QCOMPARE(cal->StatusHeight(), 0);
        cal->SetStartDate(D(2026, 3, 3));
        cal->SetFinishDate(D(2026, 3, 9));
        cal->SetSingleDate(true);
        QCOMPARE(cal->StartDate(), D(2026, 3, 9));
        QCOMPARE(cal->FinishDate(), D(2026, 3, 9));
        QVERIFY(!cal->ShowStatus());
    }

    void propertiesLayOut() {
        cal->SetPlain(true);
        QCOMPARE(cal->Grid()->geometry().topLeft(), QPoint(1, 27));
        QVERIFY(!cal->StartTimePicker()->Ctl3D());
        cal->SetBevelEdge(TVxBevelEdge::Raised);
        QCOMPARE(cal->Grid()->geometry().topLeft(), QPoint(2, 28));
        cal->SetShowYearBtns(false);
        QVERIFY(!cal->ShowYearBtns());
        QCOMPARE(cal->PrevMonthButton()->geometry().left(), 2);
        cal->SetUseTime(true);
        QVERIFY(cal->UseTime());
        cal->SetShowTimeBtns(false);
        QVERIFY(!cal->ShowTimeBtns());
        QCOMPARE(cal->StartTimePicker()->width(), 38);
        QCOMPARE(cal->About(), QString("Version 2.7"));
        cal->SetAbout(QStringLiteral("x"));
        QCOMPARE(cal->About(), QString("Version 2.7"));
    }
};

QTEST_MAIN(TestVxCalend)
#include "tst_vxcalend.moc"
