#include "JobDlg.h"

#include "VxSched.h"

bool VxExecuteJobDialog(QWidget* owner, const QString& caption, TVxJobSchedule* schedule,
                        TVxJob* job, QString& upper, QString& lower, TDateTime& start,
                        TDateTime& finish) {
    // Placeholder until the dialog itself is built: behaves as Cancel.
    Q_UNUSED(owner);
    Q_UNUSED(caption);
    Q_UNUSED(schedule);
    Q_UNUSED(job);
    Q_UNUSED(upper);
    Q_UNUSED(lower);
    Q_UNUSED(start);
    Q_UNUSED(finish);
    return false;
}
