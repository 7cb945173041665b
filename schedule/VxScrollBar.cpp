// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxScrollBar.h"

#include "VxJobPainter.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

TVxScrollBar::TVxScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {}

QRect TVxScrollBar::ThumbRect() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
}

// Painted whole with flat fills and the style's small arrows: every column
// has a bar, and the style's shaded groove is drawn in gradients that cost
// more than the column's jobs.
void TVxScrollBar::paintEvent(QPaintEvent*) {
    QStyleOptionSlider option;
    initStyleOption(&option);
    QPainter painter(this);
    const QPalette& pal = palette();
    painter.fillRect(rect(), pal.color(QPalette::Window).darker(106));
    const bool vertical = orientation() == Qt::Vertical;
    paintArrow(painter, option, QStyle::SC_ScrollBarSubLine,
               vertical ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowLeft);
    paintArrow(painter, option, QStyle::SC_ScrollBarAddLine,
               vertical ? QStyle::PE_IndicatorArrowDown : QStyle::PE_IndicatorArrowRight);
    if (maximum() <= minimum()) return;
    const QRect thumb = ThumbRect();
    if (thumb.isEmpty()) return;
    TVxJobPainter::DrawPanelFrame(painter, thumb, pal, isSliderDown(), 1);
    painter.fillRect(thumb.adjusted(1, 1, -1, -1),
                     pal.color(isSliderDown() ? QPalette::Dark : QPalette::Mid));
}

void TVxScrollBar::paintArrow(QPainter& painter, const QStyleOptionSlider& option,
                              QStyle::SubControl control, QStyle::PrimitiveElement arrow) {
    const QRect r = style()->subControlRect(QStyle::CC_ScrollBar, &option, control, this);
    if (r.isEmpty()) return;
    const bool pressed =
        (option.activeSubControls & control) && (option.state & QStyle::State_Sunken);
    TVxJobPainter::DrawPanelFrame(painter, r, palette(), pressed, 1);
    painter.fillRect(r.adjusted(1, 1, -1, -1), palette().color(QPalette::Button));
    QStyleOption arrowOption;
    arrowOption.initFrom(this);
    arrowOption.rect = r.adjusted(2, 2, -2, -2);
    if (maximum() <= minimum()) arrowOption.state &= ~QStyle::State_Enabled;
    style()->drawPrimitive(arrow, &arrowOption, &painter, this);
}
