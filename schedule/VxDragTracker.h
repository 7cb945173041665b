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
