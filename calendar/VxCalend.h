// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A month calendar for choosing a date range (start and finish, each with an
// optional time of day) or, in single-date mode, one date. The owner can
// colour and annotate every day through OnSetupDay.
//
// TVxMonthGrid and TVxGridGeometry hold the calendar arithmetic and the grid
// layout as plain values; TVxCustomCalendar keeps the range and draws it.

#include "VxDate.h"
#include "VxTime.h"

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QPixmap>
#include <QToolButton>
#include <functional>

class QLabel;

using TVxNotifyEvent = std::function<void(QObject* Sender)>;
// The handler sees the new date and may replace it.
using TVxSelectDateEvent = std::function<void(QObject* Sender, TDateTime& ADate)>;
using TVxDateEvent = std::function<void(QObject* Sender, TDateTime ADate)>;
using TVxSelectYearEvent =
    std::function<void(QObject* Sender, int Year, TDateTime& YearStart, TDateTime& YearFinish)>;
using TVxSetupDayEvent =
    std::function<void(QObject* Sender, TDateTime DayDate, QColor& DayColor, QString& DayHint)>;

enum class TVxBevelEdge { None, Lowered, Raised };

// Month captions, by default the system's full month names.
class TVxMonthNames {
public:
    TVxMonthNames();
    QString Jan, Feb, Mar, Apr, May, Jun, Jul, Aug, Sep, Oct, Nov, Dec;

    // Month 1 to 12.
    QString Name(int month) const;
    void SetName(int month, const QString& name);
    bool operator==(const TVxMonthNames& other) const;
    bool operator!=(const TVxMonthNames& other) const { return !(*this == other); }
};

// Column headers: the week-number column and the seven days, by default "Wk"
// and the system's abbreviated day names.
class TVxCalendarHeaders {
public:
    TVxCalendarHeaders();
    QString Week;
    QString Sunday, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday;

    // dayOfWeek 1 (Sunday) to 7 (Saturday).
    QString Day(int dayOfWeek) const;
    bool operator==(const TVxCalendarHeaders& other) const;
    bool operator!=(const TVxCalendarHeaders& other) const { return !(*this == other); }
};

// What the grid shows for one month: day numbers, month tags and week
// numbers of six weeks. Week days are numbered 1 (Sunday) to 7 (Saturday).
class TVxMonthGrid {
public:
    static constexpr int WeekRows = 6;
    static constexpr int DayColumns = 7;

    bool StartOnMonday = false;

    // 1-based grid column of a weekday.
    int FirstColumn(int dayOfWeek) const;
    static int DaysInMonth(int month, int year);
    static int DayOfWeek(TDateTime day);
    int WeeksInYear(int year) const;
    int FirstWeekOfMonth(int month, int year) const;

    // Fills the 42 day cells of a month.
    void Fill(int year, int month);
    int Year() const { return m_year; }
    int Month() const { return m_month; }
    // Grid column (1-based) of the month's first day.
    int FirstDayColumn() const { return m_firstColumn; }

    // Day cells: row 0..5, day 0..6.
    int Day(int row, int day) const { return m_days[row][day]; }
    int Tag(int row, int day) const { return m_tags[row][day]; }
    TDateTime DayDate(int row, int day) const;
    // The date of a row's first day.
    TDateTime WeekDate(int row) const { return DayDate(row, 0); }
    int WeekNumber(int row) const;
    // Where a date sits in the grid; false when it is not shown.
    bool FindDate(TDateTime date, int& row, int& day) const;

private:
    int m_year = 2000;
    int m_month = 1;
    int m_firstColumn = 1;
    int m_days[WeekRows][DayColumns] = {};
    int m_tags[WeekRows][DayColumns] = {};
};

// Cell rectangles of the grid. Rows: -1 is the header row, 0..5 the weeks;
// columns: 0 is the week-number column, 1..7 the days.
struct TVxGridGeometry {
    int Width = 0;
    int Height = 0;
    int RowHeight = 0;
    int HeaderHeight = 0;
    int DayWidth = 0;
    int WeekWidth = 0;

    static TVxGridGeometry Of(int width, int height, int controlHeight);
    QRect Cell(int row, int column) const;
    // False outside the grid.
    bool CellAt(const QPoint& point, int& row, int& column) const;
};

// Width of the month button when it and the year button share `room`.
int VxMonthButtonWidth(int room, int monthLength, int yearLength);

// One drawn cell: its text, tag (month 1..12 for a day, -row for a week
// number, 0 for a header), colours and hint.
struct TVxCalendarCell {
    QString Text;
    int Tag = 0;
    QColor Color;
    QColor FontColor;
    QString Hint;
};

class TVxCustomCalendar;

// The grid of day and week cells; paints the cells the calendar set up and
// turns presses, drags and double clicks into calendar operations.
class TVxCalendarGrid : public QWidget {
    Q_OBJECT
public:
    explicit TVxCalendarGrid(TVxCustomCalendar* calendar);
    TVxGridGeometry Geometry() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    void PaintCell(QPainter& painter, const QRect& rect, const TVxCalendarCell& cell);
    void paintKeyDay(QPainter& painter);

    TVxCustomCalendar* m_calendar;
    QPoint m_pressPos;
    bool m_pressed = false;
    bool m_dragging = false;
    bool m_doubleClick = false;
    // The cell the drag last passed over.
    int m_dragRow = -1;
    int m_dragColumn = -1;
    TDateTime m_dragDate = 0;
};

// A title-bar button that reports left and right presses (the month and the
// year buttons select with either button).
class TVxTitleButton : public QToolButton {
    Q_OBJECT
public:
    explicit TVxTitleButton(QWidget* parent);
    std::function<void(Qt::MouseButton)> OnPress;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// A plain panel with an optional one-pixel bevel.
class TVxBevelPanel : public QWidget {
    Q_OBJECT
public:
    explicit TVxBevelPanel(QWidget* parent);
    TVxBevelEdge Bevel() const { return m_bevel; }
    void SetBevel(TVxBevelEdge bevel);
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    Qt::Alignment CaptionAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    // Whether the caption stops before the panel's shown child controls.
    bool CaptionBeforeChildren = false;
    // The caption as drawn: cut with an ellipsis where it would run out of
    // the panel or under a child control (with CaptionBeforeChildren).
    QString ShownCaption() const;
    QRect CaptionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TVxBevelEdge m_bevel = TVxBevelEdge::None;
    QString m_caption;
};

class TVxCustomCalendar : public QFrame {
    Q_OBJECT
public:
    explicit TVxCustomCalendar(QWidget* parent = nullptr);
    ~TVxCustomCalendar() override;

    QString About() const { return QStringLiteral("Version 2.7"); }
    void SetAbout(const QString&) {}

    // The shown month; writing clamps the year to 1900..2100 and the month to
    // 1..12, and clears ShowCurrent.
    int DisplayYear() const { return m_year; }
    void SetDisplayYear(int year);
    int DisplayMonth() const { return m_month; }
    void SetDisplayMonth(int month);

    QColor DayColor() const { return m_dayColor; }
    void SetDayColor(const QColor& color);
    QColor TodayColor() const { return m_todayColor; }
    void SetTodayColor(const QColor& color);
    QColor RangeColor() const { return m_rangeColor; }
    void SetRangeColor(const QColor& color);
    QColor WeekColor() const { return m_weekColor; }
    void SetWeekColor(const QColor& color);
    // Background of the control, of neighbouring months' days and of headers.
    QColor Color() const { return m_color; }
    void SetColor(const QColor& color);

    QFont TitleFont() const;
    void SetTitleFont(const QFont& font);
    QFont StartFont() const;
    void SetStartFont(const QFont& font);
    QFont FinishFont() const;
    void SetFinishFont(const QFont& font);

    QPixmap PrevYearGlyph() const { return m_glyphs[0]; }
    void SetPrevYearGlyph(const QPixmap& glyph) { SetGlyph(0, glyph); }
    QPixmap PrevMonthGlyph() const { return m_glyphs[1]; }
    void SetPrevMonthGlyph(const QPixmap& glyph) { SetGlyph(1, glyph); }
    QPixmap NextMonthGlyph() const { return m_glyphs[2]; }
    void SetNextMonthGlyph(const QPixmap& glyph) { SetGlyph(2, glyph); }
    QPixmap NextYearGlyph() const { return m_glyphs[3]; }
    void SetNextYearGlyph(const QPixmap& glyph) { SetGlyph(3, glyph); }

    // Format of the status lines, in the classic letters of VxFormatDate.
    QString DateFormat() const { return m_dateFormat; }
    void SetDateFormat(const QString& format);
    const TVxMonthNames& MonthNames() const { return m_monthNames; }
    void SetMonthNames(const TVxMonthNames& names);
    const TVxCalendarHeaders& Headers() const { return m_headers; }
    void SetHeaders(const TVxCalendarHeaders& headers);

    bool SingleDate() const { return m_singleDate; }
    void SetSingleDate(bool single);
    bool AutoPage() const { return m_autoPage; }
    void SetAutoPage(bool autoPage) { m_autoPage = autoPage; }
    bool Plain() const { return m_plain; }
    void SetPlain(bool plain);
    bool ShowCurrent() const { return m_showCurrent; }
    void SetShowCurrent(bool show);
    bool ShowStatus() const { return StatusHeight() > 0; }
    void SetShowStatus(bool show);
    bool ShowTimeBtns() const { return m_startPicker->ShowButtons(); }
    void SetShowTimeBtns(bool show);
    bool ShowYearBtns() const;
    void SetShowYearBtns(bool show);
    bool StartOnMonday() const { return m_grid.StartOnMonday; }
    void SetStartOnMonday(bool monday);
    bool UseTime() const;
    void SetUseTime(bool use);
    TVxBevelEdge BevelEdge() const { return m_bevelEdge; }
    void SetBevelEdge(TVxBevelEdge edge);

    // The selected range; 0 means no date. StartDate <= FinishDate always,
    // equal in single-date mode. Writing runs OnStartClick / OnFinishClick
    // (which may replace the date) and OnChange.
    TDateTime StartDate() const { return m_startDate; }
    void SetStartDate(TDateTime date);
    TDateTime FinishDate() const { return m_finishDate; }
    void SetFinishDate(TDateTime date);
    // Empties the range without calling OnStartClick or OnFinishClick.
    void ClearRange();
    // Set after an automatic page change during a drag.
    bool Paging() const { return m_paging; }

    // Calendar arithmetic for the shown year, with the current StartOnMonday.
    int FirstColumn(int dayOfWeek) const { return m_grid.FirstColumn(dayOfWeek); }
    static int DaysInMonth(int month, int year) { return TVxMonthGrid::DaysInMonth(month, year); }
    int WeeksInYear(int year) const { return m_grid.WeeksInYear(year); }
    int FirstWeekOfMonth(int month) const { return m_grid.FirstWeekOfMonth(month, m_year); }
    // Row 0..5; column 0 is the week-number cell (its row's first day).
    TDateTime CellDate(int row, int column) const;
    const TVxMonthGrid& MonthGrid() const { return m_grid; }

    // The drawn cells: rows 0..5 by columns 0 (week number) .. 7, and the
    // header row's columns 0..7.
    const TVxCalendarCell& Cell(int row, int column) const { return m_cells[row][column]; }
    const TVxCalendarCell& HeaderCell(int column) const { return m_headerCells[column]; }
    // Rectangle of a cell in Grid() coordinates (row -1: header row).
    QRect CellRect(int row, int column) const;
    TVxCalendarGrid* Grid() const { return m_gridWidget; }

    // Parts, for owners and tests.
    QToolButton* PrevYearButton() const { return m_pageButtons[0]; }
    QToolButton* PrevMonthButton() const { return m_pageButtons[1]; }
    QToolButton* NextMonthButton() const { return m_pageButtons[2]; }
    QToolButton* NextYearButton() const { return m_pageButtons[3]; }
    TVxTitleButton* MonthButton() const { return m_monthButton; }
    TVxTitleButton* YearButton() const { return m_yearButton; }
    QString TitleText() const;
    QString StartText() const;
    // The day the keys work on while the grid has the focus: arrows move it
    // by a day or a week, Page Up and Page Down by a month (the shown month
    // follows), Enter or Space picks it as the start and, with Shift, as the
    // finish – as a left or right click on it would.
    TDateTime KeyDay() const { return m_keyDay; }
    void SetKeyDay(TDateTime day);
    // The grid took the focus: the key day starts on the start date when
    // it is shown, else on the first of the shown month.
    void StartKeys();
    bool KeyDayCell(int& row, int& column) const;
    void MoveKeyDay(int days);
    void MoveKeyMonth(int months);
    void PickKeyDay(bool finish);
    QString FinishText() const;
    TVxBevelPanel* TitleBar() const { return m_titleBar; }
    TVxBevelPanel* StartLine() const { return m_startLine; }
    TVxBevelPanel* FinishLine() const { return m_finishLine; }
    TVxTimePicker* StartTimePicker() const { return m_startPicker; }
    TVxTimePicker* FinishTimePicker() const { return m_finishPicker; }
    int StatusHeight() const;

    // Rebuilds the cells of the shown month and repaints.
    void DrawMonth();

    // Mouse operations, as the grid and title buttons run them.
    void PressCell(int row, int column, Qt::MouseButton button);
    void PressMonthButton(Qt::MouseButton button);
    void PressYearButton(Qt::MouseButton button);
    void DragOverCell(int row, int column);
    void DoubleClickCell(int row, int column);
    void PageBy(int months);

    TVxNotifyEvent OnChange;
    TVxSelectDateEvent OnStartClick;
    TVxSelectDateEvent OnFinishClick;
    TVxDateEvent OnDayDblClick;
    TVxSelectYearEvent OnSelectYear;
    TVxSetupDayEvent OnSetupDay;
    TVxNotifyEvent OnEnter;
    TVxNotifyEvent OnExit;
    TVxNotifyEvent OnResize;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void CreateTitleBar();
    void CreateStatusArea();
    void ShowMonth(int year, int month);
    void ArrangeParts();
    void ArrangeTitle();
    void ApplyPanelLooks();
    void SetGlyph(int index, const QPixmap& glyph);
    void SetupDayCell(int row, int day);
    void SetupWeekCell(int row);
    void SetupHeaders();
    QColor WeekBackground() const;
    bool InRange(TDateTime day) const;
    void AssignStart(TDateTime date, bool afresh);
    void AssignFinish(TDateTime date, bool afresh);
    void assignEnd(bool start, TDateTime date, bool afresh);
    void settleOtherEnd(bool start);
    void UpdateStartLine();
    void UpdateFinishLine();
    void ShowPickerTime(TVxTimePicker* picker, TDateTime date);
    void PickerChanged(bool start);
    void FocusPicker(bool start);
    bool selectCell(int row, int column, Qt::MouseButton button);
    void FireChange();
    int Inset() const;

    TVxMonthGrid m_grid;
    TVxCalendarCell m_cells[TVxMonthGrid::WeekRows][8];
    TVxCalendarCell m_headerCells[8];
    int m_todayRow = -1;
    int m_year = 2000;
    int m_month = 1;

    QColor m_dayColor;
    QColor m_todayColor{0, 0, 255};
    QColor m_rangeColor{0, 255, 255};
    QColor m_weekColor{255, 255, 255};
    QColor m_color;
    QPixmap m_glyphs[4];
    QString m_dateFormat = QStringLiteral("dddd, mmm d, yyyy");
    TVxMonthNames m_monthNames;
    TVxCalendarHeaders m_headers;

    bool m_singleDate = false;
    bool m_autoPage = true;
    bool m_plain = false;
    bool m_showCurrent = true;
    bool m_showStatus = true;
    TVxBevelEdge m_bevelEdge = TVxBevelEdge::None;

    TDateTime m_startDate = 0;
    TDateTime m_finishDate = 0;
    TDateTime m_keyDay = 0;
    bool m_paging = false;
    bool m_syncingTime = false;
    int m_settingDepth = 0;

    TVxBevelPanel* m_titleBar;
    QToolButton* m_pageButtons[4];
    TVxTitleButton* m_monthButton;
    TVxTitleButton* m_yearButton;
    TVxCalendarGrid* m_gridWidget;
    QWidget* m_statusArea;
    TVxBevelPanel* m_startLine;
    TVxBevelPanel* m_finishLine;
    TVxTimePicker* m_startPicker;
    TVxTimePicker* m_finishPicker;
    QMetaObject::Connection m_focusTracking;
};

// The published calendar; all behaviour lives in TVxCustomCalendar.
class TVxCalendar : public TVxCustomCalendar {
    Q_OBJECT
public:
    explicit TVxCalendar(QWidget* parent = nullptr) : TVxCustomCalendar(parent) {}
};
