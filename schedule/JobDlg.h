#pragma once
// The default job dialog of the schedule component.

#include "VxDate.h"

#include <QString>

class QWidget;
class TVxJob;
class TVxJobSchedule;

// Runs the default job dialog modally. Add mode when job is null: on OK returns true
// with the chosen captions and dates in the out-arguments (the caller then calls AddJob).
// Edit mode: on OK the dialog has already written captions and dates into the job.
bool VxExecuteJobDialog(QWidget* owner, const QString& caption, TVxJobSchedule* schedule,
                        TVxJob* job, QString& upper, QString& lower, TDateTime& start,
                        TDateTime& finish);
