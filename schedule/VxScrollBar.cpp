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

void TVxScrollBar::paintEvent(QPaintEvent* event) {
    // Arrows and groove as the style draws them (pressed arrows included);
    // the thumb is painted over with ours.
    QScrollBar::paintEvent(event);
    if (maximum() <= minimum()) return;
    const QRect thumb = ThumbRect();
    if (thumb.isEmpty()) return;
    QPainter painter(this);
    const QPalette& pal = palette();
    TVxJobPainter::DrawPanelFrame(painter, thumb, pal, isSliderDown(), 1);
    painter.fillRect(thumb.adjusted(1, 1, -1, -1),
                     pal.color(isSliderDown() ? QPalette::Dark : QPalette::Mid));
}
