// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Icons drawn as shapes, so they are sharp at any size and on any screen:
// the drawing runs again for each size and pixel ratio asked for, instead of
// a small picture being enlarged.

#include <QIcon>
#include <functional>

class QPainter;

// Paints the icon in a 16 x 16 box; the painter is scaled to the size asked
// for. A disabled icon is the same drawing, faded.
using TVxIconDrawing = std::function<void(QPainter&)>;
QIcon VxDrawnIcon(const TVxIconDrawing& draw);

// The curved arrows of undo (pointing back) and redo (pointing on).
QIcon VxUndoIcon();
QIcon VxRedoIcon();
