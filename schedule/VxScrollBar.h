// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scroll bars of the board. The toolkit's default look draws a light
// thumb on a darker groove; on a wide board the thumb fills most of the bar
// and the short dark groove reads as the thumb, so the bar seems to run
// backwards. This one draws its thumb as a raised panel clearly darker than
// the groove, whatever its length.

#include <QScrollBar>
#include <QStyle>

class QStyleOptionSlider;

class TVxScrollBar : public QScrollBar {
public:
    explicit TVxScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);
    // The thumb's rectangle in the bar's coordinates.
    QRect ThumbRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintArrow(QPainter& painter, const QStyleOptionSlider& option, QStyle::SubControl control,
                    QStyle::PrimitiveElement arrow);
};
