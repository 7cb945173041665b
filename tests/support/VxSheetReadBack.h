// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads an exported file back as another program would: python3 with
// openpyxl for .xlsx (scripts/install-deps.sh installs python3-openpyxl),
// its csv module for .csv.

#include <QString>
#include <QStringList>
#include <QVector>

namespace vxtest {

struct TSheetReadBack {
    QString Error; // empty when the file was read
    // A workbook's frozen corner ("A2") and auto-filter range ("A1:S9").
    QString FreezePanes;
    QString AutoFilter;
    // Header row first; cells "n:<number>", "d:<yyyy-mm-dd>", "s:<text>" or
    // "" (empty). A .csv file has texts only.
    QVector<QStringList> Rows;
};
TSheetReadBack readSheetBack(const QString& file);

// A cell as the grids show it: dates (also ISO date texts) dd/mm/yyyy,
// numbers in their shortest form.
QString shownCell(const QString& tagged);

} // namespace vxtest
