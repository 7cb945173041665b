// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxScenPrn.h"

#include "VxDate.h"
#include "VxSaveFile.h"

#include <QCoreApplication>

namespace {
const QString kSeparator = QStringLiteral("------------------");
const QString kLineEnd = QStringLiteral("\r\n");

TVxPrintLine textLine(const QString& text) {
    return {text, false, 0};
}

QString dateLine(const QString& label, TDateTime day) {
    return label + VxFormatDate(QStringLiteral("dd/mm/yyyy"), day);
}
} // namespace

bool TVxPrintLine::operator==(const TVxPrintLine& other) const {
    return Text == other.Text && JobCaption == other.JobCaption && JobNo == other.JobNo;
}

TVxPrintLines VxScheduleLines(const TVxPlanLoom& loom, const TVxJobTextSource& texts) {
    TVxPrintLines lines;
    for (const TVxPlanJob& job : loom.Jobs) {
        const TVxJobTexts shown = texts(job);
        lines.append({shown.UpperCaption, true, job.JobNo});
        if (!shown.LowerCaption.isEmpty()) lines.append(textLine(shown.LowerCaption));
        lines.append(
            textLine(dateLine(QCoreApplication::translate("VxScenPrn", "Start: "), job.StartDate)));
        lines.append(
            textLine(dateLine(QCoreApplication::translate("VxScenPrn", "End:  "), job.FinishDate)));
        if (job.Expanded && !job.Items.isEmpty()) {
            lines.append(textLine(kSeparator));
            for (int i = 0; i < job.Items.size(); ++i)
                lines.append(textLine(shown.ItemCaptions.value(i)));
        }
        if (!shown.StatusText.isEmpty()) lines.append(textLine(shown.StatusText));
        lines.append(textLine(QString()));
    }
    return lines;
}

void TVxPrintJob::AddColumn(const QString& heading, const TVxPrintLines& lines) {
    Headings.append(heading);
    Columns.append(lines);
    if (lines.size() > RowCount) RowCount = lines.size();
}

QString VxPrintedStamp(const QDateTime& printed) {
    const QDate date = printed.date();
    const QTime time = printed.time();
    return VxFormatDate(QStringLiteral("dd/mm/yyyy hh:nn am/pm"),
                        VxDayOf(date) + time.msecsSinceStartOfDay() / 86400000.0);
}

QString VxDelimitedText(const TVxPrintJob& job, const QDateTime& printed) {
    QString out;
    auto field = [&out](const QString& text) {
        out += VxDelimitedField(text);
        out += QLatin1Char(',');
    };
    field(job.Title + QCoreApplication::translate("VxScenPrn", "         Printed: ") +
          VxPrintedStamp(printed));
    out += kLineEnd;
    for (const QString& heading : job.Headings)
        field(QStringLiteral("<<") + heading + QStringLiteral(">>"));
    out += kLineEnd;
    out += QString(job.Headings.size(), QLatin1Char(','));
    out += kLineEnd;
    for (int r = 0; r < job.RowCount; ++r) {
        for (const TVxPrintLines& column : job.Columns) {
            if (r >= column.size()) {
                out += QLatin1Char(',');
                continue;
            }
            const TVxPrintLine& line = column[r];
            field(line.JobCaption ? QLatin1Char('<') + line.Text + QLatin1Char('>') : line.Text);
        }
        out += kLineEnd;
    }
    return out;
}

void VxWriteDelimitedFile(const QString& fileName, const TVxPrintJob& job,
                          const QDateTime& printed) {
    VxSaveFileBytes(fileName, VxDelimitedText(job, printed).toUtf8());
}
