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

class TVxJob;
class TVxJobItem;
class TVxJobSchedule;

// Moves made with the keyboard, through the same drag-over question and drop
// as a release of the mouse: a job as dropped on the job at index of a
// schedule (from JobCount on: below its jobs); an item to index of a job (as
// dropped on the item it passes, or on the caption of another job, which
// puts it first). False when refused, or while a mouse drag runs.
bool VxKeyMoveJob(TVxJob* job, TVxJobSchedule* schedule, int index);
bool VxKeyMoveItem(TVxJobItem* item, TVxJob* job, int index);
