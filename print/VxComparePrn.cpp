// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxComparePrn.h"

#include "VxSaveFile.h"
#include "VxScenPrn.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {
const QString kLineEnd = QStringLiteral("\r\n");

// Texts are guarded as in the scenario export. The figures are ours and
// whole numbers: signed ones stay numbers to a spreadsheet, since digits
// alone cannot make a formula.
QString delimitedLine(const QStringList& fields, const QVector<int>& figures = {}) {
    static const QRegularExpression wholeNumber(QStringLiteral("^[+-]?[0-9]+$"));
    QStringList quoted;
    for (int i = 0; i < fields.size(); ++i)
        quoted << (figures.contains(i) && wholeNumber.match(fields[i]).hasMatch()
                       ? fields[i]
                       : VxDelimitedField(fields[i]));
    return quoted.join(QLatin1Char(',')) + kLineEnd;
}
} // namespace

TVxPrintTable VxChangeTable(const QVector<TVxChangeRow>& rows, bool compact) {
    TVxPrintTable table;
    table.Title = QCoreApplication::translate("VxComparePrn", "Changes");
    table.Headings = {QCoreApplication::translate("VxComparePrn", "Loom"),
                      QCoreApplication::translate("VxComparePrn", "Job"),
                      QCoreApplication::translate("VxComparePrn", "Item"),
                      QCoreApplication::translate("VxComparePrn", "Change"),
                      QCoreApplication::translate("VxComparePrn", "Was"),
                      QCoreApplication::translate("VxComparePrn", "Now"),
                      QCoreApplication::translate("VxComparePrn", "Matched by")};
    const TVxChangeRow* above = nullptr;
    for (const TVxChangeRow& row : rows) {
        const bool sameLoom = compact && above && above->Loom == row.Loom;
        const bool sameJob = sameLoom && above->Job == row.Job;
        const bool sameItem = sameJob && above->Item == row.Item;
        table.Rows.append({sameLoom ? QString() : row.LoomName, sameJob ? QString() : row.JobText,
                           sameItem ? QString() : row.ItemText, row.Change, row.Was, row.Now,
                           row.MatchedBy});
        above = &row;
    }
    return table;
}

TVxPrintTable VxSummaryPrintTable(const TVxSummaryTable& summary, const QString& beforeName,
                                  const QString& afterName) {
    TVxPrintTable table;
    table.Title = summary.Title;
    table.Headings = summary.KeyHeadings;
    for (const TVxSummaryColumn& figure : summary.Figures) {
        for (const QString& side : {beforeName, afterName}) {
            table.RightAligned << int(table.Headings.size());
            table.Headings << QStringLiteral("%1 (%2)").arg(figure.Heading, side);
        }
        table.RightAligned << int(table.Headings.size());
        table.Headings << (figure.Kind == TVxFigureKind::Date
                               ? QCoreApplication::translate("VxComparePrn", "Days")
                               : QCoreApplication::translate("VxComparePrn", "Difference"));
    }
    for (const TVxSummaryRow& row : summary.Rows) {
        QStringList cells = row.Keys;
        for (int f = 0; f < summary.Figures.size(); ++f) {
            const TVxFigureKind kind = summary.Figures[f].Kind;
            cells << VxFigureText(kind, row.Before.value(f))
                  << VxFigureText(kind, row.After.value(f)) << VxDifferenceText(row.Difference(f));
        }
        table.Rows.append(cells);
    }
    return table;
}

QVector<TVxPrintTable> VxCompareTables(const TVxCompareReport& report, bool compact) {
    QVector<TVxPrintTable> tables{VxChangeTable(report.Changes, compact)};
    for (const TVxSummaryTable& summary : report.Summary)
        tables << VxSummaryPrintTable(summary, report.BeforeName, report.AfterName);
    return tables;
}

QString VxCompareDelimitedText(const TVxCompareReport& report, const QDateTime& printed) {
    QString out =
        delimitedLine({report.Title, QCoreApplication::translate("VxComparePrn", "Printed: ") +
                                         VxPrintedStamp(printed)});
    for (const TVxPrintTable& table : VxCompareTables(report, false)) {
        out += kLineEnd;
        out += delimitedLine({table.Title});
        out += delimitedLine(table.Headings);
        for (const QStringList& row : table.Rows)
            out += delimitedLine(row, table.RightAligned);
    }
    return out;
}

void VxWriteCompareFile(const QString& fileName, const TVxCompareReport& report,
                        const QDateTime& printed) {
    VxSaveFileBytes(fileName, VxCompareDelimitedText(report, printed).toUtf8());
}

void VxPrintCompare(QPagedPaintDevice* device, const TVxCompareReport& report,
                    const QDateTime& printed) {
    VxPrintTables(device, report.Title, VxCompareTables(report, true), printed);
}
