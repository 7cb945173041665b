// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxDrawnIcon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
const qreal kBox = 16;

class TVxDrawnIconEngine : public QIconEngine {
public:
    explicit TVxDrawnIconEngine(TVxIconDrawing draw) : m_draw(std::move(draw)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        if (mode != QIcon::Disabled) {
            draw(*painter, rect);
            return;
        }
        const qreal ratio = painter->device()->devicePixelRatio();
        QPixmap faded = pixmap(rect.size() * ratio, mode, state);
        faded.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, faded);
    }

    // QIcon asks for the size times the screen's pixel ratio, so the shapes
    // are drawn at the screen's own resolution.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        const QRect rect(QPoint(), size);
        draw(painter, rect);
        // Faded as a whole, so shapes that overlap do not show through.
        if (mode == QIcon::Disabled) {
            painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
            painter.fillRect(rect, QColor(0, 0, 0, 90));
        }
        return pixmap;
    }

    QIconEngine* clone() const override { return new TVxDrawnIconEngine(m_draw); }

private:
    void draw(QPainter& painter, const QRect& rect) const {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(rect.topLeft());
        painter.scale(rect.width() / kBox, rect.height() / kBox);
        m_draw(painter);
        painter.restore();
    }

    TVxIconDrawing m_draw;
};

// A bow from the right down below to an arrowhead at the upper left.
void drawUndoArrow(QPainter& p) {
    const QColor ink(40, 40, 40);
    QPainterPath bow;
    bow.moveTo(12.5, 13);
    bow.cubicTo(15.5, 9, 12.5, 5, 8, 5);
    bow.lineTo(5.5, 5);
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bow);
    QPainterPath head;
    head.moveTo(1.5, 5);
    head.lineTo(6.5, 1);
    head.lineTo(6.5, 9);
    head.closeSubpath();
    p.fillPath(head, ink);
}
} // namespace

QIcon VxDrawnIcon(const TVxIconDrawing& draw) {
    return QIcon(new TVxDrawnIconEngine(draw));
}

QIcon VxUndoIcon() {
    return VxDrawnIcon(drawUndoArrow);
}

QIcon VxRedoIcon() {
    return VxDrawnIcon([](QPainter& p) {
        p.translate(kBox, 0);
        p.scale(-1, 1);
        drawUndoArrow(p);
    });
}
