// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The component's own drag tracking, driven by the mouse events of the job
// area that was pressed (it keeps the implicit mouse grab). Global screen
// positions throughout.

class QObject;
class QPoint;
class QWidget;

void VxDragBegin(QObject* source, QWidget* grabber, const QPoint& global);
void VxDragMove(const QPoint& global);
void VxDragDrop(const QPoint& global);

enum class TVxKeyStep;

// The job or item a mouse drag or a move with the keys carries, or nullptr.
QObject* VxScheduleMoveSource();

// Moves made with the keyboard, through the same drag-over question and drop
// as a release of the mouse, shown where they would land until confirmed: a
// step of the element from where the move would put it so far (false when
// it cannot go that way, or while a mouse drag runs); the move made where
// it stands, if accepted there, or dropped.
bool VxKeyMoveStep(QObject* element, TVxKeyStep step);
void VxKeyMoveConfirm();
void VxKeyMoveCancel();
