// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A comparison of two plans on paper and in a delimited file: the change
// list, then the output summary's tables (looms, fabrics, warps), each
// figure for both plans and their difference.

#include "VxChangeRows.h"
#include "VxPlanSummary.h"
#include "VxTablePage.h"

#include <QDateTime>

struct TVxCompareReport {
    QString Title;
    // Short names of the two sides in column headings ("Scenario 3", "Board").
    QString BeforeName;
    QString AfterName;
    QVector<TVxChangeRow> Changes;
    QVector<TVxSummaryTable> Summary;
};

// The change list as a table: Loom, Job, Item, Change, Was, Now, Matched by.
// On paper (compact) a loom or job named on the row above is not repeated;
// the file repeats it, so each line stands alone in a spreadsheet.
TVxPrintTable VxChangeTable(const QVector<TVxChangeRow>& rows, bool compact);
// The key columns, then per figure its value in both plans and the difference.
TVxPrintTable VxSummaryPrintTable(const TVxSummaryTable& table, const QString& beforeName,
                                  const QString& afterName);
QVector<TVxPrintTable> VxCompareTables(const TVxCompareReport& report, bool compact);

// The title line with its stamp, then each table: its title, its headings and
// its rows, an empty line after it. Fields are quoted as in the scenario
// export; lines end in CR LF.
QString VxCompareDelimitedText(const TVxCompareReport& report, const QDateTime& printed);
// Written through a temporary file; throws EVxError, leaving fileName as it was.
void VxWriteCompareFile(const QString& fileName, const TVxCompareReport& report,
                        const QDateTime& printed);
void VxPrintCompare(QPagedPaintDevice* device, const TVxCompareReport& report,
                    const QDateTime& printed);
