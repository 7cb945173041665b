// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A table of typed cells under a header row: what goes out to a
// spreadsheet. Built from plan values or from a report's rows, written as
// .csv or .xlsx (VxSheetFile); nothing here needs a window.

#include "VxDate.h"

#include <QString>
#include <QStringList>
#include <QVector>

struct TVxCell {
    enum class TKind { Empty, Text, Number, Date };
    TKind Kind = TKind::Empty;
    // The number, or the day number of a date.
    double Number = 0;
    QString Text;

    static TVxCell FromText(const QString& text);
    static TVxCell FromNumber(double value);
    // A whole day; day 0 (no date) gives an empty cell.
    static TVxCell FromDate(TDateTime day);

    bool operator==(const TVxCell& other) const;
    bool operator!=(const TVxCell& other) const { return !(*this == other); }
};

using TVxSheetRow = QVector<TVxCell>;

struct TVxSheet {
    // The worksheet's name in a workbook.
    QString Name;
    QStringList Headers;
    // Each as long as Headers.
    QVector<TVxSheetRow> Rows;
};
