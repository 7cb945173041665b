// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxCalend.h"

#include "VxAbort.h"
#include "VxBevel.h"
#include "VxFlagGuard.h"

#include <QApplication>
#include <QCursor>
#include <QHelpEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace {
const int kTitleHeight = 26;
const int kStatusLineHeight = 19;
const int kPageButtonWidth = 21;
const int kPageButtonHeight = 22;
const int kTitleButtonTop = 2;
const int kTitleMargin = 2;
const char* const kPageTexts[4] = {"<<", "<", ">", ">>"};
const char* const kPageHints[4] = {QT_TRANSLATE_NOOP("TVxCustomCalendar", "- Year"),
                                   QT_TRANSLATE_NOOP("TVxCustomCalendar", "- Month"),
                                   QT_TRANSLATE_NOOP("TVxCustomCalendar", "+ Month"),
                                   QT_TRANSLATE_NOOP("TVxCustomCalendar", "+ Year")};
const int kPageSteps[4] = {-12, -1, 1, 12};
const QColor kGrey(128, 128, 128);
const double kWeekContrast = 3.0;

double timePart(TDateTime value) {
    return value - std::floor(value);
}

// Qt numbers weekdays Monday = 1 .. Sunday = 7; the calendar Sunday = 1.
int qtDayOfWeek(int sundayBased) {
    return sundayBased == 1 ? 7 : sundayBased - 1;
}

void drawBevel(QPainter& p, const QRect& r, TVxBevelEdge bevel) {
    if (bevel == TVxBevelEdge::None || r.width() < 2 || r.height() < 2) return;
    const QColor light = bevel == TVxBevelEdge::Raised ? QColor(Qt::white) : kGrey;
    const QColor dark = bevel == TVxBevelEdge::Raised ? kGrey : QColor(Qt::white);
    VxDrawBevelLines(p, r, light, dark);
}

// Relative luminance and contrast ratio as used for legible text.
double luminance(const QColor& color) {
    auto channel = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = color.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
           0.0722 * channel(rgb.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

// ---------------------------------------------------------------------------
// Names

TVxMonthNames::TVxMonthNames() {
    const QLocale locale;
    for (int m = 1; m <= 12; ++m)
        SetName(m, locale.monthName(m, QLocale::LongFormat));
}

QString TVxMonthNames::Name(int month) const {
    const QString* names[] = {&Jan, &Feb, &Mar, &Apr, &May, &Jun,
                              &Jul, &Aug, &Sep, &Oct, &Nov, &Dec};
    return month >= 1 && month <= 12 ? *names[month - 1] : QString();
}

void TVxMonthNames::SetName(int month, const QString& name) {
    QString* names[] = {&Jan, &Feb, &Mar, &Apr, &May, &Jun, &Jul, &Aug, &Sep, &Oct, &Nov, &Dec};
    if (month >= 1 && month <= 12) *names[month - 1] = name;
}

bool TVxMonthNames::operator==(const TVxMonthNames& other) const {
    for (int m = 1; m <= 12; ++m)
        if (Name(m) != other.Name(m)) return false;
    return true;
}

TVxCalendarHeaders::TVxCalendarHeaders()
    : Week(QCoreApplication::translate("TVxCalendarHeaders", "Wk")) {
    const QLocale locale;
    QString* days[] = {&Sunday, &Monday, &Tuesday, &Wednesday, &Thursday, &Friday, &Saturday};
    for (int d = 1; d <= 7; ++d)
        *days[d - 1] = locale.dayName(qtDayOfWeek(d), QLocale::ShortFormat);
}

QString TVxCalendarHeaders::Day(int dayOfWeek) const {
    const QString* days[] = {&Sunday, &Monday, &Tuesday, &Wednesday, &Thursday, &Friday, &Saturday};
    return dayOfWeek >= 1 && dayOfWeek <= 7 ? *days[dayOfWeek - 1] : QString();
}

bool TVxCalendarHeaders::operator==(const TVxCalendarHeaders& other) const {
    if (Week != other.Week) return false;
    for (int d = 1; d <= 7; ++d)
        if (Day(d) != other.Day(d)) return false;
    return true;
}

// ---------------------------------------------------------------------------
// TVxMonthGrid

int TVxMonthGrid::FirstColumn(int dayOfWeek) const {
    if (!StartOnMonday) return dayOfWeek;
    return dayOfWeek == 1 ? 7 : dayOfWeek - 1;
}

int TVxMonthGrid::DaysInMonth(int month, int year) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return days[month - 1] + (month == 2 && QDate::isLeapYear(year) ? 1 : 0);
}

int TVxMonthGrid::DayOfWeek(TDateTime day) {
    return VxDateOf(day).dayOfWeek() % 7 + 1;
}

int TVxMonthGrid::WeeksInYear(int year) const {
    int n = QDate::isLeapYear(year) ? 366 : 365;
    const int c = FirstColumn(DayOfWeek(VxEncodeDate(year, 1, 1)));
    if (c > 4)
        n -= c;
    else
        n += 7 - c;
    const int d = FirstColumn(DayOfWeek(VxEncodeDate(year, 12, 31)));
    if (d > 3)
        n += 7 - d;
    else
        n -= d;
    const int w = n / 7;
    return w == 51 ? 52 : w;
}

int TVxMonthGrid::FirstWeekOfMonth(int month, int year) const {
    int s = 0;
    for (int m = 1; m < month; ++m)
        s += DaysInMonth(m, year);
    // Week 1 is the week holding 1 January when that day falls in one of the
    // first four columns, else the week after. s counts the days from the
    // start of week 1 to the first of the month.
    const int c = FirstColumn(DayOfWeek(VxEncodeDate(year, 1, 1)));
    if (c > 4)
        s -= 8 - c;
    else
        s += c - 1;
    return s / 7 + 1;
}

void TVxMonthGrid::Fill(int year, int month) {
    m_year = year;
    m_month = month;
    m_firstColumn = FirstColumn(DayOfWeek(VxEncodeDate(year, month, 1)));
    const int n = DaysInMonth(month, year);
    const int previous = month == 1 ? 12 : month - 1;
    const int next = month == 12 ? 1 : month + 1;
    const int previousDays = DaysInMonth(previous, month == 1 ? year - 1 : year);
    int k = 1;
    for (int row = 0; row < WeekRows; ++row) {
        for (int column = 0; column < DayColumns; ++column) {
            if (row == 0 && column < m_firstColumn - 1) {
                m_days[row][column] = previousDays + column - m_firstColumn + 2;
                m_tags[row][column] = previous;
            } else if (k <= n) {
                m_days[row][column] = k++;
                m_tags[row][column] = month;
            } else {
                m_days[row][column] = k++ - n;
                m_tags[row][column] = next;
            }
        }
    }
}

TDateTime TVxMonthGrid::DayDate(int row, int day) const {
    const int tag = m_tags[row][day];
    int year = m_year;
    if (tag == 12 && m_month == 1)
        --year;
    else if (tag == 1 && m_month == 12)
        ++year;
    return VxEncodeDate(year, tag, m_days[row][day]);
}

int TVxMonthGrid::WeekNumber(int row) const {
    if (m_month == 1) {
        if (m_firstColumn > 4) return row == 0 ? WeeksInYear(m_year - 1) : row;
        return row + 1;
    }
    int w = FirstWeekOfMonth(m_month, m_year) + row;
    const int weeks = WeeksInYear(m_year);
    if (w > weeks) w -= weeks;
    return w;
}

bool TVxMonthGrid::FindDate(TDateTime date, int& row, int& day) const {
    const TDateTime whole = std::floor(date);
    for (row = 0; row < WeekRows; ++row)
        for (day = 0; day < DayColumns; ++day)
            if (DayDate(row, day) == whole) return true;
    return false;
}

// ---------------------------------------------------------------------------
// TVxGridGeometry

TVxGridGeometry TVxGridGeometry::Of(int width, int height, int controlHeight) {
    TVxGridGeometry g;
    g.Width = qMax(0, width);
    g.Height = qMax(0, height);
    g.RowHeight = qMax(0, (g.Height - controlHeight / 14) / 6);
    g.HeaderHeight = g.Height - 6 * g.RowHeight;
    g.DayWidth = g.Width / 8;
    g.WeekWidth = g.Width - 7 * g.DayWidth;
    return g;
}

QRect TVxGridGeometry::Cell(int row, int column) const {
    const int x = column == 0 ? 0 : WeekWidth + (column - 1) * DayWidth;
    const int w = column == 0 ? WeekWidth : DayWidth;
    const int y = row < 0 ? 0 : HeaderHeight + row * RowHeight;
    const int h = row < 0 ? HeaderHeight : RowHeight;
    return QRect(x, y, w, h);
}

bool TVxGridGeometry::CellAt(const QPoint& point, int& row, int& column) const {
    if (point.x() < 0 || point.y() < 0 || point.x() >= WeekWidth + 7 * DayWidth ||
        point.y() >= HeaderHeight + 6 * RowHeight)
        return false;
    if (point.y() < HeaderHeight)
        row = -1;
    else if (RowHeight > 0)
        row = (point.y() - HeaderHeight) / RowHeight;
    else
        return false;
    if (point.x() < WeekWidth)
        column = 0;
    else if (DayWidth > 0)
        column = qMin(7, 1 + (point.x() - WeekWidth) / DayWidth);
    else
        return false;
    return true;
}

int VxMonthButtonWidth(int room, int monthLength, int yearLength) {
    if (monthLength + yearLength <= 0) return 0;
    const double a = static_cast<double>(room) / (monthLength + yearLength);
    const double factor = monthLength < 4 ? 1.1 : 0.9;
    return static_cast<int>(VxRound(monthLength * a * factor));
}

// ---------------------------------------------------------------------------
// Small parts

TVxTitleButton::TVxTitleButton(QWidget* parent) : QToolButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(true);
}

void TVxTitleButton::mousePressEvent(QMouseEvent* event) {
    const bool exact =
        (event->buttons() == Qt::LeftButton || event->buttons() == Qt::RightButton) &&
        event->modifiers() == Qt::NoModifier;
    if (exact && OnPress) {
        const Qt::MouseButton button = event->button();
        VxGuard(this, [&] { OnPress(button); });
    }
    QToolButton::mousePressEvent(event);
}

TVxBevelPanel::TVxBevelPanel(QWidget* parent) : QWidget(parent) {}

void TVxBevelPanel::SetBevel(TVxBevelEdge bevel) {
    m_bevel = bevel;
    update();
}

void TVxBevelPanel::SetCaption(const QString& caption) {
    if (caption == m_caption) return;
    m_caption = caption;
    update();
}

void TVxBevelPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    drawBevel(p, rect(), m_bevel);
    if (!m_caption.isEmpty()) {
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                 QPalette::WindowText));
        p.setFont(font());
        p.drawText(CaptionRect(), int(CaptionAlignment), ShownCaption());
    }
}

QRect TVxBevelPanel::CaptionRect() const {
    // A status line's text stops short of its time picker instead of running
    // underneath it.
    QRect r = rect().adjusted(1, 0, -1, 0);
    if (!CaptionBeforeChildren) return r;
    for (QObject* child : children()) {
        auto widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isHidden() && widget->x() > 0)
            r.setRight(std::min(r.right(), widget->x() - 3));
    }
    return r;
}

QString TVxBevelPanel::ShownCaption() const {
    return fontMetrics().elidedText(m_caption, Qt::ElideRight, std::max(0, CaptionRect().width()));
}

// ---------------------------------------------------------------------------
// TVxCalendarGrid

TVxCalendarGrid::TVxCalendarGrid(TVxCustomCalendar* calendar)
    : QWidget(calendar), m_calendar(calendar) {
    // Reached with Tab and worked with the keys; a click still hands the
    // focus to the time picker.
    setFocusPolicy(Qt::TabFocus);
}

TVxGridGeometry TVxCalendarGrid::Geometry() const {
    return TVxGridGeometry::Of(width(), height(), m_calendar->height());
}

void TVxCalendarGrid::PaintCell(QPainter& p, const QRect& rect, const TVxCalendarCell& cell) {
    p.fillRect(rect, cell.Color);
    if (!m_calendar->Plain()) drawBevel(p, rect, TVxBevelEdge::Raised);
    p.setPen(cell.FontColor);
    p.drawText(rect, Qt::AlignCenter, cell.Text);
}

void TVxCalendarGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), m_calendar->Color());
    p.setFont(font());
    const TVxGridGeometry g = Geometry();
    for (int column = 0; column < 8; ++column)
        PaintCell(p, g.Cell(-1, column), m_calendar->HeaderCell(column));
    for (int row = 0; row < TVxMonthGrid::WeekRows; ++row)
        for (int column = 0; column < 8; ++column)
            PaintCell(p, g.Cell(row, column), m_calendar->Cell(row, column));
    if (hasFocus()) paintKeyDay(p);
}

void TVxCalendarGrid::paintKeyDay(QPainter& p) {
    int row, column;
    if (!m_calendar->KeyDayCell(row, column)) return;
    const QRect cell = Geometry().Cell(row, column).adjusted(1, 1, -2, -2);
    p.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(cell);
}

void TVxCalendarGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    VxGuard(this, [this] { m_calendar->StartKeys(); });
}

void TVxCalendarGrid::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void TVxCalendarGrid::keyPressEvent(QKeyEvent* event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    std::function<void()> action;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const int key = event->key();
        const int days = key == Qt::Key_Left    ? -1
                         : key == Qt::Key_Right ? 1
                         : key == Qt::Key_Up    ? -7
                                                : 7;
        action = [this, days] { m_calendar->MoveKeyDay(days); };
        break;
    }
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const int months = event->key() == Qt::Key_PageUp ? -1 : 1;
        action = [this, months] { m_calendar->MoveKeyMonth(months); };
        break;
    }
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        action = [this, shift] { m_calendar->PickKeyDay(shift); };
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    VxGuard(this, action);
}

void TVxCalendarGrid::mousePressEvent(QMouseEvent* event) {
    m_pressed = false;
    m_dragging = false;
    m_doubleClick = false;
    int row, column;
    const QPoint pos = event->position().toPoint();
    if (!Geometry().CellAt(pos, row, column) || row < 0) return;
    const bool exact =
        (event->buttons() == Qt::LeftButton || event->buttons() == Qt::RightButton) &&
        event->modifiers() == Qt::NoModifier;
    if (!exact) return;
    const Qt::MouseButton button = event->button();
    m_pressed = button == Qt::LeftButton;
    m_pressPos = pos;
    VxGuard(this, [&] { m_calendar->PressCell(row, column, button); });
}

void TVxCalendarGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pressed || m_doubleClick || !(event->buttons() & Qt::LeftButton)) return;
    const QPoint pos = event->position().toPoint();
    if (!m_dragging) {
        if ((pos - m_pressPos).manhattanLength() < QApplication::startDragDistance()) return;
        m_dragging = true;
        m_dragRow = -1;
    }
    int row, column;
    if (!Geometry().CellAt(pos, row, column) || row < 0) return;
    // Each cell counts once as the drag passes over it, not at every move
    // inside it; a page change makes the same cell a new one.
    const TDateTime date = m_calendar->CellDate(row, column);
    if (row == m_dragRow && column == m_dragColumn && date == m_dragDate) return;
    m_dragRow = row;
    m_dragColumn = column;
    m_dragDate = date;
    VxGuard(this, [&] { m_calendar->DragOverCell(row, column); });
}

void TVxCalendarGrid::mouseReleaseEvent(QMouseEvent*) {
    m_pressed = false;
    m_dragging = false;
    m_doubleClick = false;
}

void TVxCalendarGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    m_doubleClick = true;
    int row, column;
    if (Geometry().CellAt(event->position().toPoint(), row, column) && row >= 0 && column > 0)
        VxGuard(this, [&] { m_calendar->DoubleClickCell(row, column); });
}

bool TVxCalendarGrid::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto help = static_cast<QHelpEvent*>(event);
        int row, column;
        QString hint;
        if (Geometry().CellAt(help->pos(), row, column) && row >= 0)
            hint = m_calendar->Cell(row, column).Hint;
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), hint, this, Geometry().Cell(row, column));
        return true;
    }
    return QWidget::event(event);
}

// ---------------------------------------------------------------------------
// TVxCustomCalendar: creation and parts

TVxCustomCalendar::TVxCustomCalendar(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::NoFrame);
    m_color = palette().color(QPalette::Button);
    m_dayColor = palette().color(QPalette::Base);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, m_color);
    setPalette(pal);
    setAutoFillBackground(true);

    m_focusTracking = VxTrackFocus(this, OnEnter, OnExit);

    CreateTitleBar();
    m_gridWidget = new TVxCalendarGrid(this);
    CreateStatusArea();
    QFont title = font();
    title.setBold(true);
    SetTitleFont(title);
    ApplyPanelLooks();

    resize(236, 206);
    const QDate today = QDate::currentDate();
    if (m_showCurrent) {
        m_showCurrent = false;
        ShowMonth(today.year(), today.month());
    }
    ArrangeParts();
}

TVxCustomCalendar::~TVxCustomCalendar() {
    QObject::disconnect(m_focusTracking);
}

void TVxCustomCalendar::CreateTitleBar() {
    m_titleBar = new TVxBevelPanel(this);
    m_titleBar->CaptionAlignment = Qt::AlignCenter;
    for (int i = 0; i < 4; ++i) {
        auto button = new QToolButton(m_titleBar);
        button->setText(QString::fromLatin1(kPageTexts[i]));
        button->setToolTip(tr(kPageHints[i]));
        button->setFocusPolicy(Qt::NoFocus);
        const int step = kPageSteps[i];
        connect(button, &QToolButton::clicked, this,
                [this, step] { VxGuard(this, [&] { PageBy(step); }); });
        m_pageButtons[i] = button;
    }
    m_monthButton = new TVxTitleButton(m_titleBar);
    m_monthButton->OnPress = [this](Qt::MouseButton b) { PressMonthButton(b); };
    m_yearButton = new TVxTitleButton(m_titleBar);
    m_yearButton->OnPress = [this](Qt::MouseButton b) { PressYearButton(b); };
}

void TVxCustomCalendar::CreateStatusArea() {
    m_statusArea = new QWidget(this);
    m_startLine = new TVxBevelPanel(m_statusArea);
    m_finishLine = new TVxBevelPanel(m_statusArea);
    m_startLine->CaptionBeforeChildren = true;
    m_finishLine->CaptionBeforeChildren = true;
    m_startPicker = new TVxTimePicker(m_startLine);
    m_finishPicker = new TVxTimePicker(m_finishLine);
    for (TVxTimePicker* picker : {m_startPicker, m_finishPicker}) {
        picker->SetTime(-0.1);
        picker->SetEnabled(false);
        picker->setVisible(false);
    }
    m_startPicker->OnChange = [this](QObject*) { PickerChanged(true); };
    m_finishPicker->OnChange = [this](QObject*) { PickerChanged(false); };
}

void TVxCustomCalendar::ApplyPanelLooks() {
    m_titleBar->SetBevel(m_plain ? TVxBevelEdge::None : TVxBevelEdge::Raised);
    // The status lines keep their sunken look even in the plain style.
    m_startLine->SetBevel(TVxBevelEdge::Lowered);
    m_finishLine->SetBevel(TVxBevelEdge::Lowered);
    m_startPicker->SetCtl3D(!m_plain);
    m_finishPicker->SetCtl3D(!m_plain);
    m_gridWidget->update();
}

int TVxCustomCalendar::Inset() const {
    return (m_bevelEdge != TVxBevelEdge::None ? 1 : 0) + 1 + (m_plain ? 0 : 1);
}

int TVxCustomCalendar::StatusHeight() const {
    if (!m_showStatus) return 0;
    return m_singleDate ? kStatusLineHeight : 2 * kStatusLineHeight;
}

void TVxCustomCalendar::ArrangeParts() {
    const int inset = Inset();
    const QRect client = rect().adjusted(inset, inset, -inset, -inset);
    const int statusHeight = StatusHeight();
    m_titleBar->setGeometry(client.x(), client.y(), client.width(), kTitleHeight);
    const int gridTop = client.y() + kTitleHeight;
    const int gridHeight = qMax(0, client.height() - kTitleHeight - statusHeight);
    m_gridWidget->setGeometry(client.x(), gridTop, client.width(), gridHeight);
    m_statusArea->setGeometry(client.x(), gridTop + gridHeight, client.width(), statusHeight);
    m_statusArea->setVisible(statusHeight > 0);

    const int lineWidth = client.width();
    const int finishHeight = m_singleDate ? 0 : kStatusLineHeight;
    m_startLine->setGeometry(0, 0, lineWidth, kStatusLineHeight);
    m_finishLine->setGeometry(0, kStatusLineHeight, lineWidth, finishHeight);
    m_finishLine->setVisible(finishHeight > 0);
    for (TVxTimePicker* picker : {m_startPicker, m_finishPicker}) {
        const int left = lineWidth - picker->width() + (m_plain ? 0 : 3);
        picker->move(left, m_plain ? 1 : 0);
    }
    ArrangeTitle();
    update();
}

void TVxCustomCalendar::ArrangeTitle() {
    const int width = m_titleBar->width();
    const bool years = ShowYearBtns();
    int left = kTitleMargin;
    auto place = [](QToolButton* button, int x) {
        button->setGeometry(x, kTitleButtonTop, kPageButtonWidth, kPageButtonHeight);
    };
    if (years) {
        place(m_pageButtons[0], left);
        left += kPageButtonWidth;
    }
    place(m_pageButtons[1], left);
    left += kPageButtonWidth;
    int right = width - kTitleMargin;
    if (years) {
        right -= kPageButtonWidth;
        place(m_pageButtons[3], right);
    }
    right -= kPageButtonWidth;
    place(m_pageButtons[2], right);

    const int room = qMax(0, right - left - 2);
    const int monthWidth = qBound(
        0, VxMonthButtonWidth(room, m_monthButton->text().size(), m_yearButton->text().size()),
        room);
    m_monthButton->setGeometry(left, kTitleButtonTop, monthWidth, kPageButtonHeight);
    m_yearButton->setGeometry(left + monthWidth, kTitleButtonTop, room - monthWidth,
                              kPageButtonHeight);
}

void TVxCustomCalendar::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    ArrangeParts();
    if (OnResize) VxGuard(this, [&] { OnResize(this); });
}

void TVxCustomCalendar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), m_color);
    QRect r = rect();
    if (m_bevelEdge != TVxBevelEdge::None) {
        drawBevel(p, r, m_bevelEdge);
        r.adjust(1, 1, -1, -1);
    }
    r.adjust(1, 1, -1, -1);
    if (!m_plain) drawBevel(p, r, TVxBevelEdge::Lowered);
}

// ---------------------------------------------------------------------------
// Properties

void TVxCustomCalendar::SetDisplayYear(int year) {
    m_showCurrent = false;
    year = qBound(1900, year, 2100);
    if (year != m_year) ShowMonth(year, m_month);
}

void TVxCustomCalendar::SetDisplayMonth(int month) {
    m_showCurrent = false;
    month = qBound(1, month, 12);
    if (month != m_month) ShowMonth(m_year, month);
}

void TVxCustomCalendar::ShowMonth(int year, int month) {
    m_year = year;
    m_month = month;
    DrawMonth();
}

void TVxCustomCalendar::PageBy(int months) {
    // Paging is not held to 1900..2100, only to years a date can carry.
    const int index = qBound(12, m_year * 12 + (m_month - 1) + months, 9999 * 12 + 11);
    ShowMonth(index / 12, index % 12 + 1);
}

void TVxCustomCalendar::SetDayColor(const QColor& color) {
    if (color == m_dayColor) return;
    m_dayColor = color;
    DrawMonth();
}

void TVxCustomCalendar::SetTodayColor(const QColor& color) {
    if (color == m_todayColor) return;
    m_todayColor = color;
    DrawMonth();
}

void TVxCustomCalendar::SetRangeColor(const QColor& color) {
    if (color == m_rangeColor) return;
    m_rangeColor = color;
    DrawMonth();
}

void TVxCustomCalendar::SetWeekColor(const QColor& color) {
    if (color == m_weekColor) return;
    m_weekColor = color;
    DrawMonth();
}

void TVxCustomCalendar::SetColor(const QColor& color) {
    if (color == m_color) return;
    m_color = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
    DrawMonth();
}

QFont TVxCustomCalendar::TitleFont() const {
    return m_monthButton->font();
}

void TVxCustomCalendar::SetTitleFont(const QFont& font) {
    m_monthButton->setFont(font);
    m_yearButton->setFont(font);
    m_titleBar->setFont(font);
}

QFont TVxCustomCalendar::StartFont() const {
    return m_startLine->font();
}
void TVxCustomCalendar::SetStartFont(const QFont& font) {
    m_startLine->setFont(font);
}
QFont TVxCustomCalendar::FinishFont() const {
    return m_finishLine->font();
}
void TVxCustomCalendar::SetFinishFont(const QFont& font) {
    m_finishLine->setFont(font);
}

void TVxCustomCalendar::SetGlyph(int index, const QPixmap& glyph) {
    m_glyphs[index] = glyph;
    QToolButton* button = m_pageButtons[index];
    button->setIcon(QIcon(glyph));
    if (!glyph.isNull()) button->setIconSize(glyph.size());
    button->setText(glyph.isNull() ? QString::fromLatin1(kPageTexts[index]) : QString());
    button->setToolButtonStyle(glyph.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
}

void TVxCustomCalendar::SetDateFormat(const QString& format) {
    if (format == m_dateFormat) return;
    m_dateFormat = format;
    if (m_startDate != 0) UpdateStartLine();
    if (m_finishDate != 0) UpdateFinishLine();
}

void TVxCustomCalendar::SetMonthNames(const TVxMonthNames& names) {
    m_monthNames = names;
    DrawMonth();
}

void TVxCustomCalendar::SetHeaders(const TVxCalendarHeaders& headers) {
    m_headers = headers;
    DrawMonth();
}

void TVxCustomCalendar::SetPlain(bool plain) {
    m_plain = plain;
    ApplyPanelLooks();
    ArrangeParts();
}

void TVxCustomCalendar::SetShowCurrent(bool show) {
    if (show && !m_showCurrent) {
        const QDate today = QDate::currentDate();
        ShowMonth(today.year(), today.month());
    }
    // Showing today's month is a one-off.
    m_showCurrent = false;
}

void TVxCustomCalendar::SetShowStatus(bool show) {
    m_showStatus = show;
    ArrangeParts();
}

void TVxCustomCalendar::SetShowTimeBtns(bool show) {
    m_startPicker->SetShowButtons(show);
    m_finishPicker->SetShowButtons(show);
    ArrangeParts();
}

bool TVxCustomCalendar::ShowYearBtns() const {
    return !m_pageButtons[0]->isHidden();
}

void TVxCustomCalendar::SetShowYearBtns(bool show) {
    m_pageButtons[0]->setVisible(show);
    m_pageButtons[3]->setVisible(show);
    ArrangeTitle();
}

void TVxCustomCalendar::SetStartOnMonday(bool monday) {
    if (monday == m_grid.StartOnMonday) return;
    m_grid.StartOnMonday = monday;
    DrawMonth();
}

bool TVxCustomCalendar::UseTime() const {
    return !m_startPicker->isHidden();
}

void TVxCustomCalendar::SetUseTime(bool use) {
    m_startPicker->setVisible(use);
    m_finishPicker->setVisible(use);
    ArrangeParts();
}

void TVxCustomCalendar::SetBevelEdge(TVxBevelEdge edge) {
    m_bevelEdge = edge;
    ArrangeParts();
}

QString TVxCustomCalendar::TitleText() const {
    return m_titleBar->Caption();
}
QString TVxCustomCalendar::StartText() const {
    return m_startLine->Caption();
}
QString TVxCustomCalendar::FinishText() const {
    return m_finishLine->Caption();
}

TDateTime TVxCustomCalendar::CellDate(int row, int column) const {
    return column == 0 ? m_grid.WeekDate(row) : m_grid.DayDate(row, column - 1);
}

QRect TVxCustomCalendar::CellRect(int row, int column) const {
    return m_gridWidget->Geometry().Cell(row, column);
}

// ---------------------------------------------------------------------------
// Drawing the month

void TVxCustomCalendar::DrawMonth() {
    m_grid.Fill(m_year, m_month);
    const QString monthName = m_monthNames.Name(m_month);
    const QString yearText = QStringLiteral("%1").arg(m_year, 4, 10, QLatin1Char('0'));
    m_monthButton->setVisible(!m_singleDate);
    m_yearButton->setVisible(!m_singleDate);
    m_titleBar->SetCaption(m_singleDate ? monthName + QLatin1Char(' ') + yearText : QString());
    m_monthButton->setText(monthName);
    m_yearButton->setText(yearText);
    ArrangeTitle();

    m_todayRow = -1;
    for (int row = 0; row < TVxMonthGrid::WeekRows; ++row)
        for (int day = 0; day < TVxMonthGrid::DayColumns; ++day)
            SetupDayCell(row, day);
    for (int row = 0; row < TVxMonthGrid::WeekRows; ++row)
        SetupWeekCell(row);
    SetupHeaders();
    m_gridWidget->update();
}

bool TVxCustomCalendar::InRange(TDateTime day) const {
    // A finish without a start is no range: nothing before it is selected.
    return m_startDate > 0 && std::floor(m_startDate) <= day && day <= m_finishDate;
}

void TVxCustomCalendar::SetupDayCell(int row, int day) {
    TVxCalendarCell& cell = m_cells[row][day + 1];
    cell.Text = QString::number(m_grid.Day(row, day));
    cell.Tag = m_grid.Tag(row, day);
    const TDateTime dayDate = m_grid.DayDate(row, day);
    QColor dayColor = m_dayColor;
    QString dayHint;
    if (OnSetupDay) OnSetupDay(this, dayDate, dayColor, dayHint);

    const bool inRange = InRange(dayDate);
    const bool shownMonth = cell.Tag == m_month;
    if (dayDate != VxToday()) {
        if (shownMonth) {
            cell.Color = inRange ? m_rangeColor : m_dayColor;
            cell.FontColor = palette().color(QPalette::WindowText);
        } else {
            cell.Color = m_color;
            cell.FontColor = inRange ? m_rangeColor : kGrey;
        }
        if (cell.Color == m_dayColor)
            cell.Color = dayColor;
        else if (cell.Color == m_color && dayColor != m_dayColor && !inRange)
            cell.FontColor = dayColor;
        cell.Hint = dayHint;
    } else {
        if (shownMonth) {
            cell.Color = m_todayColor;
            cell.FontColor = inRange ? m_rangeColor : m_dayColor;
        } else {
            cell.Color = m_color;
            cell.FontColor = m_todayColor;
        }
        cell.Hint = dayHint.isEmpty() ? tr("Today") : tr("Today") + QStringLiteral(" - ") + dayHint;
        m_todayRow = row;
    }
}

void TVxCustomCalendar::SetupWeekCell(int row) {
    TVxCalendarCell& cell = m_cells[row][0];
    cell.Tag = -row;
    cell.Text = QString::number(m_grid.WeekNumber(row));
    cell.Color = WeekBackground();
    if (row == m_todayRow) {
        cell.FontColor = m_todayColor;
        cell.Hint = tr("This week");
        return;
    }
    // Whole days, so a start or finish late on a week's last day still counts.
    const TDateTime w = m_grid.WeekDate(row);
    const TDateTime start = std::floor(m_startDate);
    const TDateTime finish = std::floor(m_finishDate);
    const bool touches =
        m_startDate > 0 && ((w <= start && start <= w + 6) || (w <= finish && finish <= w + 6) ||
                            (start < w && w + 6 < finish));
    cell.FontColor = touches ? m_rangeColor : m_weekColor;
    cell.Hint.clear();
}

QColor TVxCustomCalendar::WeekBackground() const {
    // Week numbers are drawn in WeekColor (white by default) on the control's
    // face. A light face, as most platforms have, would swallow them, so the
    // week column is shaded away from WeekColor until the numbers stand out;
    // a face that already sets them off is kept.
    // 0.179 is where black and white text contrast equally.
    const QColor away = luminance(m_weekColor) > 0.179 ? Qt::black : Qt::white;
    const QColor face = m_color.toRgb();
    QColor back = face;
    for (int step = 1; step <= 20 && contrast(m_weekColor, back) < kWeekContrast; ++step) {
        const double t = step / 20.0;
        back = QColor::fromRgbF(float(face.redF() + (away.redF() - face.redF()) * t),
                                float(face.greenF() + (away.greenF() - face.greenF()) * t),
                                float(face.blueF() + (away.blueF() - face.blueF()) * t));
    }
    return back;
}

void TVxCustomCalendar::SetupHeaders() {
    TVxCalendarCell& week = m_headerCells[0];
    week.Text = m_headers.Week;
    week.Color = WeekBackground();
    week.FontColor = m_weekColor;
    for (int i = 1; i <= 7; ++i) {
        const int dayOfWeek = !StartOnMonday() ? i : (i == 7 ? 1 : i + 1);
        TVxCalendarCell& cell = m_headerCells[i];
        cell.Text = m_headers.Day(dayOfWeek);
        cell.Color = m_color;
        cell.FontColor = palette().color(QPalette::WindowText);
    }
}

// ---------------------------------------------------------------------------
// The range

namespace {
// Day numbers of 1 January 1 and 1 January 10000: the dates a calendar can
// show and format.
const double kFirstDay = -693593;
const double kEndDay = 2958466;

void CheckDate(TDateTime date) {
    if (!std::isfinite(date) || date < kFirstDay || date >= kEndDay)
        throw EVxError(TVxCustomCalendar::tr("'%1' is not a valid date").arg(date));
}
} // namespace

void TVxCustomCalendar::SetStartDate(TDateTime date) {
    CheckDate(date);
    AssignStart(date, false);
}

void TVxCustomCalendar::SetFinishDate(TDateTime date) {
    CheckDate(date);
    AssignFinish(date, false);
}

void TVxCustomCalendar::AssignStart(TDateTime date, bool afresh) {
    assignEnd(true, date, afresh);
}

void TVxCustomCalendar::AssignFinish(TDateTime date, bool afresh) {
    assignEnd(false, date, afresh);
}

// The start and the finish follow the same steps, mirrored: the owner may
// correct the new date, and the other end is pulled along when the range
// would turn inside out (or, for the start in single-date mode, differ).
void TVxCustomCalendar::assignEnd(bool start, TDateTime date, bool afresh) {
    // Handlers that keep pushing the dates past each other must not recurse
    // without end.
    if (m_settingDepth > 8) return;
    ++m_settingDepth;
    struct Depth {
        int& depth;
        ~Depth() { --depth; }
    } depthGuard{m_settingDepth};

    TDateTime& own = start ? m_startDate : m_finishDate;
    TVxTimePicker* picker = start ? m_startPicker : m_finishPicker;
    if (afresh || date != own) {
        if (date == 0) {
            ClearRange();
        } else {
            const TDateTime old = own;
            own = date;
            const TVxSelectDateEvent& handler = start ? OnStartClick : OnFinishClick;
            if (handler) {
                TDateTime chosen = date;
                try {
                    handler(this, chosen);
                    CheckDate(chosen);
                } catch (...) {
                    own = old; // a veto leaves the range as it was
                    throw;
                }
                own = chosen;
            }
            if (own == 0) {
                ClearRange();
            } else {
                settleOtherEnd(start);
                FireChange();
            }
        }
    }
    picker->SetEnabled(own != 0);
}

void TVxCustomCalendar::settleOtherEnd(bool start) {
    if (start) {
        UpdateStartLine();
        ShowPickerTime(m_startPicker, m_startDate);
        if (m_startDate > m_finishDate || (m_singleDate && m_startDate != m_finishDate))
            AssignFinish(m_startDate, false);
        else
            DrawMonth();
    } else {
        UpdateFinishLine();
        ShowPickerTime(m_finishPicker, m_finishDate);
        if (m_finishDate < m_startDate)
            AssignStart(m_finishDate, false);
        else if (m_startDate > 0)
            DrawMonth();
    }
}

void TVxCustomCalendar::ClearRange() {
    m_startDate = 0;
    m_finishDate = 0;
    m_startLine->SetCaption(QString());
    m_finishLine->SetCaption(QString());
    // Both pickers go blank and disabled: a time typed without a date would
    // otherwise make a date in 1899.
    for (TVxTimePicker* picker : {m_startPicker, m_finishPicker}) {
        picker->SetTime(-0.1);
        picker->SetEnabled(false);
    }
    DrawMonth();
    FireChange();
}

void TVxCustomCalendar::FireChange() {
    if (OnChange) OnChange(this);
}

void TVxCustomCalendar::UpdateStartLine() {
    const QString label = m_singleDate ? tr(" Date") : tr(" Start");
    m_startLine->SetCaption(label + QStringLiteral(":   ") +
                            VxFormatDate(m_dateFormat, m_startDate));
}

void TVxCustomCalendar::UpdateFinishLine() {
    m_finishLine->SetCaption(tr(" Finish: ") + VxFormatDate(m_dateFormat, m_finishDate));
}

void TVxCustomCalendar::ShowPickerTime(TVxTimePicker* picker, TDateTime date) {
    // The picker being typed into already shows its date's time and is left
    // alone; any picker showing another time is brought in step, including
    // the typing one when a handler replaced its date, and the other one when
    // the change moved both dates.
    const TDateTime time = timePart(date);
    const double shown = picker->Time();
    if (shown >= 0 && VxRound(shown * 1440) == TVxTimePicker::MinuteOfDay(time)) return;
    TVxFlagGuard syncing(m_syncingTime);
    picker->SetTime(time);
}

void TVxCustomCalendar::PickerChanged(bool start) {
    if (m_syncingTime) return;
    const TDateTime date = start ? m_startDate : m_finishDate;
    if (date == 0) return;
    TVxTimePicker* picker = start ? m_startPicker : m_finishPicker;
    const TDateTime time = qMax(0.0, picker->Time());
    TVxFlagGuard syncing(m_syncingTime);
    VxGuard(this, [&] {
        if (start)
            AssignStart(std::floor(date) + time, false);
        else
            AssignFinish(std::floor(date) + time, false);
    });
}

void TVxCustomCalendar::SetSingleDate(bool single) {
    if (single == m_singleDate) return;
    m_singleDate = single;
    if (single) {
        if (m_showStatus) {
            // Collapse to the start date; the hidden finish line follows it so
            // it is right when range mode returns.
            m_finishDate = m_startDate;
            // A finish chosen without a start collapses to no date: its line
            // must not keep showing it for when range mode returns.
            if (m_finishDate != 0)
                UpdateFinishLine();
            else
                m_finishLine->SetCaption(QString());
            {
                TVxFlagGuard syncing(m_syncingTime);
                m_finishPicker->SetTime(m_finishDate != 0 ? timePart(m_finishDate) : -0.1);
            }
            if (m_startDate != 0) AssignStart(m_startDate, true);
        } else if (m_finishDate != 0) {
            AssignStart(m_finishDate, true);
        }
    } else if (m_finishDate != 0) {
        AssignStart(m_finishDate, true);
    }
    if (m_startDate == 0) m_startLine->SetCaption(QString());
    ArrangeParts();
    DrawMonth();
}

// ---------------------------------------------------------------------------
// Mouse selection

void TVxCustomCalendar::FocusPicker(bool start) {
    TVxTimePicker* picker = start ? m_startPicker : m_finishPicker;
    TVxTimePicker* other = start ? m_finishPicker : m_startPicker;
    if (!picker->isVisible() || !picker->isEnabled()) return;
    // Passing through the other picker makes the first digit take the focus
    // (and select) afresh.
    if (picker->isAncestorOf(QApplication::focusWidget()) && other->isVisible() &&
        other->isEnabled())
        other->setFocus(Qt::OtherFocusReason);
    picker->setFocus(Qt::OtherFocusReason);
}

void TVxCustomCalendar::PressCell(int row, int column, Qt::MouseButton button) {
    if (selectCell(row, column, button)) FocusPicker(button == Qt::LeftButton);
}

bool TVxCustomCalendar::selectCell(int row, int column, Qt::MouseButton button) {
    TDateTime c = std::floor(CellDate(row, column));
    const bool week = column == 0;
    if (button == Qt::LeftButton) {
        if (week && c + 6 > m_finishDate) AssignFinish(c + 6 + timePart(m_finishDate), false);
        AssignStart(c + timePart(m_startDate), false);
        return true;
    }
    if (button == Qt::RightButton && !m_singleDate) {
        if (week) {
            if (c < m_startDate) AssignStart(c + timePart(m_startDate), false);
            c += 6;
        }
        AssignFinish(c + timePart(m_finishDate), false);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Keyboard selection

void TVxCustomCalendar::SetKeyDay(TDateTime day) {
    CheckDate(day);
    m_keyDay = std::floor(day);
    int year = 0, month = 0, dayOfMonth = 0;
    VxDecodeDate(m_keyDay, year, month, dayOfMonth);
    if (year != m_year || month != m_month) {
        SetDisplayYear(year);
        SetDisplayMonth(month);
    }
    m_gridWidget->update();
}

void TVxCustomCalendar::StartKeys() {
    const TDateTime start = std::floor(m_startDate);
    int row, day;
    SetKeyDay(start > 0 && m_grid.FindDate(start, row, day) ? start
                                                            : VxEncodeDate(m_year, m_month, 1));
}

bool TVxCustomCalendar::KeyDayCell(int& row, int& column) const {
    int day;
    if (m_keyDay == 0 || !m_grid.FindDate(m_keyDay, row, day)) return false;
    column = day + 1;
    return true;
}

void TVxCustomCalendar::MoveKeyDay(int days) {
    SetKeyDay(m_keyDay + days);
}

void TVxCustomCalendar::MoveKeyMonth(int months) {
    int year = 0, month = 0, day = 0;
    VxDecodeDate(m_keyDay, year, month, day);
    const int index = year * 12 + (month - 1) + months;
    year = index / 12;
    month = index % 12 + 1;
    SetKeyDay(VxEncodeDate(year, month, qMin(day, TVxMonthGrid::DaysInMonth(month, year))));
}

void TVxCustomCalendar::PickKeyDay(bool finish) {
    int row, day;
    if (!m_grid.FindDate(m_keyDay, row, day)) return;
    selectCell(row, day + 1, finish ? Qt::RightButton : Qt::LeftButton);
}

void TVxCustomCalendar::PressMonthButton(Qt::MouseButton button) {
    const TDateTime first = VxEncodeDate(m_year, m_month, 1);
    const TDateTime last = VxEncodeDate(m_year, m_month, DaysInMonth(m_month, m_year));
    if (button == Qt::LeftButton) {
        if (m_finishDate < last) AssignFinish(last + timePart(m_finishDate), false);
        AssignStart(first + timePart(m_startDate), false);
        FocusPicker(true);
    } else if (button == Qt::RightButton) {
        if (m_startDate > first) AssignStart(first + timePart(m_startDate), false);
        AssignFinish(last + timePart(m_finishDate), false);
        FocusPicker(false);
    }
}

void TVxCustomCalendar::PressYearButton(Qt::MouseButton button) {
    if (button != Qt::LeftButton && button != Qt::RightButton) return;
    TDateTime yearStart = VxEncodeDate(m_year, 1, 1) + timePart(m_startDate);
    TDateTime yearFinish = VxEncodeDate(m_year, 12, 31) + timePart(m_finishDate);
    if (OnSelectYear) OnSelectYear(this, m_year, yearStart, yearFinish);
    if (button == Qt::LeftButton) {
        if (m_finishDate < yearFinish) AssignFinish(yearFinish, false);
        AssignStart(yearStart, false);
        FocusPicker(true);
    } else {
        if (m_startDate > yearStart) AssignStart(yearStart, false);
        AssignFinish(yearFinish, false);
        FocusPicker(false);
    }
}

void TVxCustomCalendar::DragOverCell(int row, int column) {
    if (m_singleDate) return;
    PressCell(row, column, Qt::RightButton);
    if (column == 0) return;
    if (m_cells[row][column].Tag == m_month) {
        m_paging = false;
        return;
    }
    if (!m_autoPage || m_paging) return;
    m_paging = true;
    const TDateTime date = CellDate(row, column);
    const QRect before = CellRect(row, column);
    int year, month, day;
    VxDecodeDate(date, year, month, day);
    ShowMonth(year, month);
    // Keep the pointer on the same date in the new page. The move is
    // absolute, so it takes the whole distance.
    int newRow, newDay;
    if (m_grid.FindDate(date, newRow, newDay)) {
        const int dy = CellRect(newRow, newDay + 1).center().y() - before.center().y();
        if (dy != 0) QCursor::setPos(QCursor::pos() + QPoint(0, dy));
    }
}

void TVxCustomCalendar::DoubleClickCell(int row, int column) {
    if (column > 0 && OnDayDblClick) OnDayDblClick(this, CellDate(row, column));
}
