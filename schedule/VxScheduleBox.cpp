// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxSched.h"

#include "VxDecorationPainter.h"
#include "VxFlagGuard.h"
#include "VxJobPainter.h"
#include "VxSchedMetrics.h"
#include "VxScrollBar.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QToolTip>

// ===========================================================================
// TVxScheduleBox

TVxScheduleBox::TVxScheduleBox(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setHorizontalScrollBar(new TVxScrollBar(Qt::Horizontal));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontalScrollBar()->setSingleStep(kScrollLineStep);
    viewport()->setBackgroundRole(QPalette::Window);
    ScrollTimer = new QTimer(this);
    ScrollTimer->setInterval(50);
    connect(ScrollTimer, &QTimer::timeout, this, [this] { scrollTick(); });
}

TVxScheduleBox::~TVxScheduleBox() {
    // Columns are children of the viewport and die with it; forget them
    // first so their destructors do not touch the list.
    for (TVxJobSchedule* schedule : m_schedules)
        schedule->m_box = nullptr;
    m_schedules.clear();
}

int TVxScheduleBox::ScrollInterval() const {
    return ScrollTimer->interval();
}

void TVxScheduleBox::SetScrollInterval(int msec) {
    ScrollTimer->setInterval(msec);
}

TVxJobSchedule* TVxScheduleBox::Schedules(int index) const {
    if (index < 0 || index >= ScheduleCount()) throw EVxListIndexError(index);
    return m_schedules[index];
}

TVxJobSchedule* TVxScheduleBox::NewSchedule() {
    auto* schedule = new TVxJobSchedule(viewport());
    InsertSchedule(schedule);
    return schedule;
}

TVxJobSchedule* TVxScheduleBox::AddSchedule(int scheduleNo, const QString& header,
                                            const QString& footer) {
    TVxJobSchedule* schedule = NewSchedule();
    schedule->ScheduleNo = scheduleNo;
    schedule->SetHeader(header);
    schedule->SetFooter(footer);
    return schedule;
}

void TVxScheduleBox::InsertSchedule(TVxJobSchedule* schedule) {
    if (!schedule ||
        std::find(m_schedules.begin(), m_schedules.end(), schedule) != m_schedules.end())
        return;
    if (TVxScheduleBox* old = schedule->m_box)
        old->m_schedules.erase(
            std::remove(old->m_schedules.begin(), old->m_schedules.end(), schedule),
            old->m_schedules.end());
    schedule->setParent(viewport());
    schedule->m_box = this;
    schedule->SetAdjustWidth(AdjustWidth);
    m_schedules.push_back(schedule);
    // In a batch, placing the row shows the columns near the view.
    if (m_updating == 0) schedule->show();
    Arrange();
}

void TVxScheduleBox::BeginUpdate() {
    ++m_updating;
}

void TVxScheduleBox::EndUpdate() {
    if (m_updating == 0 || --m_updating > 0) return;
    if (m_arrangeLater) {
        m_arrangeLater = false;
        Arrange();
    }
}

void TVxScheduleBox::Arrange() {
    if (m_updating > 0) {
        m_arrangeLater = true;
        return;
    }
    horizontalScrollBar()->setValue(0);
    int x = 0;
    for (TVxJobSchedule* schedule : m_schedules) {
        schedule->move(x, schedule->y());
        x += schedule->width();
    }
    ResizeBox();
}

void TVxScheduleBox::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    ResizeBox();
}

bool TVxScheduleBox::event(QEvent* event) {
    // The sunken frame, drawn with fills rather than the style's lines.
    if (event->type() == QEvent::Paint) {
        QPainter painter(this);
        TVxJobPainter::DrawPanelFrame(painter, static_cast<QPaintEvent*>(event)->region(), rect(),
                                      palette(), true, lineWidth());
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void TVxScheduleBox::ResizeBox() {
    if (m_updating > 0) {
        m_arrangeLater = true;
        return;
    }
    // Placing a column can change a width (a column given another height
    // gains or loses its scroll bar), which changes the scroll range and may
    // clamp the position; a pass that started before that would leave the
    // rest of the row stale. Such a nested call asks for another pass.
    if (m_placing) {
        m_placeAgain = true;
        return;
    }
    const TVxFlagGuard placing(m_placing);
    // Widths only settle one way (taller columns lose bars, shorter gain
    // them), so a few passes suffice.
    for (int pass = 0; pass < 4; ++pass) {
        m_placeAgain = false;
        placeColumns();
        if (!m_placeAgain) break;
    }
}

void TVxScheduleBox::placeColumns() {
    updateScrollRange();
    if (m_schedules.empty()) return;
    const int border = 2 * frameWidth();
    int height = this->height() - border;
    int total = 0;
    for (const TVxJobSchedule* schedule : m_schedules)
        total += schedule->width();
    if (total > width() - border)
        height -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, horizontalScrollBar());
    int x = -horizontalScrollBar()->value();
    const int view = viewport()->width();
    // Columns more than a view's width from the view are hidden: every
    // visible column costs each move, scroll and paint of the row something,
    // hidden ones nothing. They show again when scrolled near. A drag, or
    // the keyboard's focus, keeps its column shown.
    const bool cull = !VxScheduleDragActive();
    const QWidget* focus = QApplication::focusWidget();
    for (TVxJobSchedule* schedule : m_schedules) {
        const int w = schedule->width();
        schedule->setGeometry(x, 0, w, height);
        const bool near = x + w > -view && x < 2 * view;
        if (near || !cull || (focus && schedule->isAncestorOf(focus)) || schedule == focus) {
            if (schedule->isHidden()) schedule->show();
        } else if (!schedule->isHidden()) {
            schedule->hide();
        }
        x += w;
    }
}

void TVxScheduleBox::ShowSchedule(const TVxJobSchedule* schedule) {
    QScrollBar* bar = horizontalScrollBar();
    const int pos = bar->value();
    const int left = schedule->x() + pos;
    const int view = viewport()->width();
    if (left < pos)
        bar->setValue(left);
    else if (left + schedule->width() > pos + view)
        bar->setValue(std::min(left, left + schedule->width() - view));
}

void TVxScheduleBox::updateScrollRange() {
    int total = 0;
    for (const TVxJobSchedule* schedule : m_schedules)
        total += schedule->width();
    QScrollBar* bar = horizontalScrollBar();
    bar->setPageStep(std::max(1, width() - 2 * frameWidth()));
    bar->setRange(0, std::max(0, total - (width() - 2 * frameWidth())));
}

void TVxScheduleBox::scrollContentsBy(int, int) {
    ResizeBox();
}

void TVxScheduleBox::scrollTick() {
    QScrollBar* bar = horizontalScrollBar();
    const int before = bar->value();
    bar->setValue(ScrollLeft ? before - bar->singleStep() : before + bar->singleStep());
    if (bar->value() == before) ScrollTimer->stop();
}

// ===========================================================================
// TVxScheduleStrip

namespace {
constexpr int kStripMargin = 2;
}

TVxScheduleStrip::TVxScheduleStrip(TVxJobSchedule* schedule, bool isHeader)
    : QWidget(schedule), m_schedule(schedule), m_font(QApplication::font()),
      m_color(schedule->palette().color(QPalette::Button)), m_isHeader(isHeader) {
    m_font.setBold(isHeader);
    resize(0, 0);
}

void TVxScheduleStrip::SetText(const QString& text) {
    m_text = text;
    updateHeight();
}

void TVxScheduleStrip::SetFont(const QFont& font) {
    m_font = font;
    updateHeight();
}

void TVxScheduleStrip::SetColor(const QColor& color) {
    m_color = color;
    update();
}

void TVxScheduleStrip::updateHeight() {
    const int height = m_text.isEmpty() ? 0 : QFontMetrics(m_font).height();
    if (this->height() != height) resize(width(), height);
    m_schedule->layoutRows();
    update();
}

void TVxScheduleStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
    paintText(painter);
    TVxDecorationPainter::PaintStrip(painter, *m_schedule, rect(), palette());
}

void TVxScheduleStrip::paintText(QPainter& painter) {
    const QString shown = ShownText();
    if (shown.isEmpty()) return;
    painter.setFont(m_font);
    painter.setPen(palette().color(QPalette::ButtonText));
    // Laid out once per text, width and font: a strip repaints with every
    // scroll of the box, its text seldom changes.
    if (m_painted.text() != shown || m_paintedFont != m_font) {
        m_painted.setText(shown);
        m_painted.setTextFormat(Qt::PlainText);
        m_paintedFont = m_font;
        m_painted.prepare(QTransform(), m_font);
    }
    const QRect r = rect().adjusted(kStripMargin, 0, -kStripMargin, 0);
    const QSizeF size = m_painted.size();
    const int x = shown == m_text ? r.left() + int(r.width() - size.width()) / 2 : r.left();
    const int y = r.top() + int(r.height() - size.height() + 1) / 2;
    painter.drawStaticText(QPoint(std::max(x, r.left()), y), m_painted);
}

QString TVxScheduleStrip::ShownText() const {
    const QString text = m_text;
    const int width = std::max(0, this->width() - 2 * kStripMargin);
    if (text != m_elidedFrom || width != m_elidedWidth || m_font != m_elidedFont) {
        m_elidedFrom = text;
        m_elidedWidth = width;
        m_elidedFont = m_font;
        m_elided = QFontMetrics(m_elidedFont).elidedText(text, Qt::ElideRight, width);
    }
    return m_elided;
}

bool TVxScheduleStrip::event(QEvent* event) {
    // A cut text shows in full as a tooltip; a column that takes nothing of
    // what is dragged says why.
    if (event->type() == QEvent::ToolTip) {
        const TVxColumnDecoration& decoration = m_schedule->Decoration();
        const QString text =
            decoration.Verdict == TVxColumnVerdict::Closed ? decoration.Reason : m_text;
        if (ShownText() != text) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void TVxScheduleStrip::mousePressEvent(QMouseEvent* event) {
    m_skipClick = false;
    if (m_schedule->OnMouseDown)
        VxGuard(m_schedule, [&] {
            m_schedule->OnMouseDown(m_schedule, event->button(), event->modifiers(),
                                    event->position().toPoint().x(),
                                    event->position().toPoint().y());
        });
}

void TVxScheduleStrip::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) return;
    if (m_schedule->OnMouseMove)
        VxGuard(m_schedule, [&] {
            m_schedule->OnMouseMove(m_schedule, event->buttons(), event->modifiers(),
                                    event->position().toPoint().x(),
                                    event->position().toPoint().y());
        });
}

void TVxScheduleStrip::mouseReleaseEvent(QMouseEvent* event) {
    QPointer<TVxJobSchedule> schedule(m_schedule);
    if (m_schedule->OnMouseUp)
        VxGuard(m_schedule, [&] {
            m_schedule->OnMouseUp(m_schedule, event->button(), event->modifiers(),
                                  event->position().toPoint().x(), event->position().toPoint().y());
        });
    if (!schedule) return;
    if (m_schedule->Box()) m_schedule->Box()->ScrollTimer->stop();
    if (event->button() == Qt::LeftButton && !m_skipClick &&
        rect().contains(event->position().toPoint()))
        VxGuard(m_schedule, [&] { m_schedule->DispatchClick(m_schedule); });
    m_skipClick = false;
}

void TVxScheduleStrip::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
    m_skipClick = true;
    if (event->button() == Qt::LeftButton && m_isHeader)
        VxGuard(m_schedule, [&] { m_schedule->ExecuteAddJob(); });
}

void TVxScheduleStrip::contextMenuEvent(QContextMenuEvent* event) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    m_schedule->BuildMenu(menu);
    menu->popup(event->globalPos());
}
