#include "ItemDlg.h"

#include "VxSched.h"

bool VxExecuteItemDialog(QWidget* owner, const QString& caption, TVxJobSchedule* schedule,
                         TVxJob* job, TVxJobItem* item, QStringList& selected) {
    // Placeholder until the dialog itself is built: behaves as Cancel.
    Q_UNUSED(owner);
    Q_UNUSED(caption);
    Q_UNUSED(schedule);
    Q_UNUSED(job);
    Q_UNUSED(item);
    Q_UNUSED(selected);
    return false;
}
