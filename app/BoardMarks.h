// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A comparison drawn over the board: each job and fabric item of the board
// that differs from the other plan gets a mark of its change (added, moved,
// edited, re-dated), and what the other plan has and the board not shows as
// a thin ghost where it stood. The board's jobs stay as they are.

#include "VxPlanCompare.h"

#include <QColor>
#include <QCoreApplication>
#include <QString>

class TBoardView;
struct TVxChangeRow;

class TBoardMarks {
    Q_DECLARE_TR_FUNCTIONS(TBoardMarks)

public:
    static const QColor Added;
    static const QColor Moved;
    static const QColor Edited;
    static const QColor Redated;
    static const QColor Removed;

    // The colour of a job's or item's mark: added before moved before
    // edited before re-dated; none (invalid) for a change of its items only.
    static QColor ColorOf(TVxChanges changes);
    // The colours with their meaning, for a legend in rich text.
    static QString Legend();

    // Lays the diff's marks over the columns (the diff's later plan is the
    // board's plan), replacing any there were.
    static void Show(TBoardView& board, const TVxPlanDiff& diff);
    static void Clear(TBoardView& board);
    // Selects the job or item a change row is about, or, for one that is
    // gone, brings the place it stood into view.
    static void Select(TBoardView& board, const TVxPlanDiff& diff, const TVxChangeRow& row);
};
