#include "VxSheetFile.h"

#include "VxAbort.h"
#include "VxCsvSheet.h"
#include "VxXlsxSheet.h"

#include <QFileInfo>

QStringList VxSheetFileFilters() {
    return {QStringLiteral("Excel workbook (*.xlsx)"), QStringLiteral("CSV file (*.csv)")};
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
        throw EVxError(QStringLiteral("Export to a file ending in .xlsx (Excel workbook) or "
                                      ".csv (comma-separated values)."));
}
