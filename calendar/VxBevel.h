// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one-pixel bevel of the date controls' cells and buttons.

class QColor;
class QPainter;
class QRect;

// topLeft on the upper and left edges of r, bottomRight on the lower and
// right ones, each one pixel wide and inside r. Filled bands rather than pen
// lines: a line is centred on its coordinate, so on a screen of pixel ratio
// 2 half of it fell outside r and the other half was hidden by the
// neighbouring cell.
void VxDrawBevelLines(QPainter& painter, const QRect& r, const QColor& topLeft,
                      const QColor& bottomRight);
