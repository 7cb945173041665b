// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardMarks.h"

#include "BoardView.h"
#include "VxChangeRows.h"
#include "VxSched.h"

#include <algorithm>

const QColor TBoardMarks::Added(0, 150, 0);
const QColor TBoardMarks::Moved(230, 110, 0);
const QColor TBoardMarks::Edited(190, 0, 190);
const QColor TBoardMarks::Redated(215, 175, 0);
const QColor TBoardMarks::Removed(210, 0, 0);

QColor TBoardMarks::ColorOf(TVxChanges changes) {
    if (changes & TVxChange::Added) return Added;
    if (changes & TVxChange::Moved) return Moved;
    if (changes & TVxChange::Edited) return Edited;
    if (changes & TVxChange::Redated) return Redated;
    return {};
}

QString TBoardMarks::Legend() {
    QStringList parts;
    const std::pair<QColor, const char*> meanings[] = {
        {Added, QT_TR_NOOP("added")},
        {Moved, QT_TR_NOOP("moved")},
        {Edited, QT_TR_NOOP("edited")},
        {Redated, QT_TR_NOOP("re-dated")},
        {Removed, QT_TR_NOOP("removed (a line where it stood)")}};
    // An entry breaks only between entries, never inside ("neu / datiert").
    for (const auto& [color, meaning] : meanings)
        parts << QStringLiteral("<span style=\"color:%1\">&#9632;</span>&nbsp;%2")
                     .arg(color.name(), tr(meaning).toHtmlEscaped().replace(' ', "&nbsp;"));
    return parts.join(QStringLiteral(" &nbsp; "));
}

namespace {
void markJob(TVxColumnMarks& marks, const TVxJobDiff& job) {
    if (job.Changes & TVxChange::Removed) {
        marks.Ghosts.append({-1, job.GhostAt, TBoardMarks::Removed});
        return;
    }
    const int place = job.After.Index;
    if (const QColor color = TBoardMarks::ColorOf(job.Changes); color.isValid())
        marks.Marks.append({place, -1, color});
    for (const TVxItemDiff& item : job.Items) {
        if (item.Changes & TVxChange::Removed)
            marks.Ghosts.append({place, item.GhostAt, TBoardMarks::Removed});
        else if (const QColor color = TBoardMarks::ColorOf(item.Changes); color.isValid())
            marks.Marks.append({place, item.After.Item, color});
    }
}
} // namespace

void TBoardMarks::Show(TBoardView& board, const TVxPlanDiff& diff) {
    const int columns = board.Box()->ScheduleCount();
    QVector<TVxColumnMarks> marks(columns);
    // Column i draws loom i of the board's plan, the diff's later plan.
    for (const TVxLoomDiff& loom : diff.Looms)
        if (loom.AfterLoom >= 0 && loom.AfterLoom < columns)
            for (const TVxJobDiff& job : loom.Jobs)
                markJob(marks[loom.AfterLoom], job);
    for (int i = 0; i < columns; ++i)
        board.Column(i)->SetMarks(marks[i]);
}

void TBoardMarks::Clear(TBoardView& board) {
    for (int i = 0; i < board.Box()->ScheduleCount(); ++i)
        board.Column(i)->SetMarks({});
}

void TBoardMarks::Select(TBoardView& board, const TVxPlanDiff& diff, const TVxChangeRow& row) {
    const TVxLoomDiff& loom = diff.Looms.at(row.Loom);
    const TVxJobDiff& job = loom.Jobs.at(row.Job);
    TVxJobSchedule* column = board.Column(loom.AfterLoom);
    if (!column) return;
    if (job.Changes & TVxChange::Removed) {
        // Nothing there to choose: the place where it stood comes into view.
        column->Select(nullptr);
        if (column->JobCount() == 0)
            board.Box()->ShowSchedule(column);
        else
            column->ShowElement(column->Jobs(std::min(job.GhostAt, column->JobCount() - 1)));
        return;
    }
    if (job.After.Index >= column->JobCount()) return;
    TVxJob* drawn = column->Jobs(job.After.Index);
    const TVxItemDiff* item = row.Item >= 0 ? &job.Items.at(row.Item) : nullptr;
    if (item && !(item->Changes & TVxChange::Removed) && item->After.Item < drawn->ItemCount() &&
        drawn->Expanded())
        column->Select(drawn->Items(item->After.Item));
    else
        column->Select(drawn);
}
