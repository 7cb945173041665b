// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scenario as a side-by-side listing: one column of text lines per loom,
// headed by the loom's header. The same lines go to paper (VxScenPage) and
// to a comma-delimited text file; nothing here needs a window.

#include "VxDelimited.h"
#include "VxPlan.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

// One line of a column. Exactly the job caption lines name their job: they
// print bold and are bracketed in the delimited file.
struct TVxPrintLine {
    QString Text;
    bool JobCaption = false;
    int JobNo = 0;

    bool operator==(const TVxPrintLine& other) const;
    bool operator!=(const TVxPrintLine& other) const { return !(*this == other); }
};
using TVxPrintLines = QVector<TVxPrintLine>;

// What the board shows of a job beside its plan values: its caption rows,
// its status and the caption of each of its items, in item order.
struct TVxJobTexts {
    QString UpperCaption;
    QString LowerCaption;
    QString StatusText;
    QStringList ItemCaptions;
};
using TVxJobTextSource = std::function<TVxJobTexts(const TVxPlanJob&)>;

// The lines of one loom, job by job: the upper caption (the job's caption
// line), the lower caption when set, "Start: " and "End:  " with the dates,
// the separator and item captions of an expanded job with items, the status
// when set, and an empty line. A loom without jobs gives no lines.
TVxPrintLines VxScheduleLines(const TVxPlanLoom& loom, const TVxJobTextSource& texts);

// Everything one print or export needs.
struct TVxPrintJob {
    QString Title;
    QStringList Headings;
    QVector<TVxPrintLines> Columns;
    // Lines of the longest column.
    int RowCount = 0;

    void AddColumn(const QString& heading, const TVxPrintLines& lines);
};

// "dd/mm/yyyy hh:mm am/pm", the stamp both outputs carry.
QString VxPrintedStamp(const QDateTime& printed);

// The whole delimited file: the title line with its stamp, the headings in
// "<<" ">>", an empty row, then one line per row, job captions in "<" ">",
// every field followed by a comma and every line by CR LF.
QString VxDelimitedText(const TVxPrintJob& job, const QDateTime& printed);

// Writes the delimited file through a temporary file that replaces fileName
// only once complete. Throws EVxError with the system's message on failure,
// leaving fileName as it was.
void VxWriteDelimitedFile(const QString& fileName, const TVxPrintJob& job,
                          const QDateTime& printed);
