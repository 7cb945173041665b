// SPDX-License-Identifier: GPL-3.0-or-later
#include "SheetExport.h"

#include "VxDialogs.h"
#include "VxSheetFile.h"

#include <QApplication>
#include <QCursor>

bool ExportSheetAs(QWidget* parent, const QString& caption, const QString& proposedName,
                   const std::function<TVxSheet()>& make) {
    QString fileName = proposedName;
    if (!VxDialogs::saveFileName(parent, caption, VxSheetFileFilters(), VxSheetDefaultSuffix(),
                                 fileName))
        return false;
    // A plant's sheet takes a moment.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct TRestoreCursor {
        ~TRestoreCursor() { QApplication::restoreOverrideCursor(); }
    } restore;
    VxWriteSheet(fileName, make());
    return true;
}
