// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tables of text on paper, one below the other, under the page head of the
// scenario printout (title, "Printed: " stamp, page number). Columns are as
// wide as their longest text; when a table is wider than the page the widest
// columns give way and their texts are cut with an ellipsis, so nothing
// overprints or leaves the page. A table that runs off the bottom carries on
// over the next page, under its headings again.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

class QPagedPaintDevice;

struct TVxPrintTable {
    QString Title;
    QStringList Headings;
    QVector<QStringList> Rows;
    // Columns whose texts line up on the right (figures).
    QVector<int> RightAligned;
};

// Opens a document on device, paints the tables and ends the document, also
// on error. Throws EVxError when the device does not take the document.
void VxPrintTables(QPagedPaintDevice* device, const QString& title,
                   const QVector<TVxPrintTable>& tables, const QDateTime& printed);
