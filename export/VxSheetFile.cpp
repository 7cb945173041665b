// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxSheetFile.h"

#include "VxAbort.h"
#include "VxCsvSheet.h"
#include "VxXlsxSheet.h"

#include <QCoreApplication>
#include <QFileInfo>

QStringList VxSheetFileFilters() {
    return {QCoreApplication::translate("VxSheetFile", "Excel workbook (*.xlsx)"),
            QCoreApplication::translate("VxSheetFile", "CSV file (*.csv)")};
}

QString VxSheetDefaultSuffix() {
    return QStringLiteral("xlsx");
}

void VxWriteSheet(const QString& fileName, const TVxSheet& sheet) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("xlsx"))
        VxWriteXlsx(fileName, sheet);
    else if (suffix == QLatin1String("csv"))
        VxWriteCsv(fileName, sheet);
    else
        throw EVxError(QCoreApplication::translate(
            "VxSheetFile", "Export to a file ending in .xlsx (Excel workbook) or "
                           ".csv (comma-separated values)."));
}
