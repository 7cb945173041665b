// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxBevel.h"

#include <QPainter>

void VxDrawBevelLines(QPainter& painter, const QRect& r, const QColor& topLeft,
                      const QColor& bottomRight) {
    painter.fillRect(r.left(), r.top(), r.width(), 1, topLeft);
    painter.fillRect(r.left(), r.top(), 1, r.height(), topLeft);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
    painter.fillRect(r.right(), r.top(), 1, r.height(), bottomRight);
}
