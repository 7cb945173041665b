#pragma once
// The default item dialog of the schedule component.

#include <QString>
#include <QStringList>

class QWidget;
class TVxJob;
class TVxJobItem;
class TVxJobSchedule;

// Runs the default item dialog modally. Add mode when item is null: on OK returns
// true with the selected captions, in list order, in `selected`. Edit mode: on OK the dialog
// has already set the item's caption.
bool VxExecuteItemDialog(QWidget* owner, const QString& caption, TVxJobSchedule* schedule,
                         TVxJob* job, TVxJobItem* item, QStringList& selected);
