// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The changes between two plans as rows of text: one row per thing that
// changed about a job or an item (added, removed, moved, re-dated, each
// edited value), with what it was and what it is now. The change list, its
// printout and its export all read these rows.

#include "VxPlanCompare.h"

#include <QString>
#include <QVector>
#include <functional>

// How the rows name looms, jobs and items: as the board shows them. Without
// a loom namer a loom goes by its name in the plans, else its number.
struct TVxCompareNames {
    std::function<QString(int scheduleNo)> Loom;
    std::function<QString(const TVxPlanJob&)> Job;
    std::function<QString(const TVxPlanItem&)> Item;
};

struct TVxChangeRow {
    // What the row is about: indexes into TVxPlanDiff::Looms, the loom's
    // Jobs and the job's Items (-1: the job itself).
    int Loom = -1;
    int Job = -1;
    int Item = -1;

    QString LoomName;
    QString JobText;  // the job as it is now (as it was, when removed)
    QString ItemText; // likewise; empty for a row about the job
    QString Change;   // "Added", "Removed", "Moved", "Re-dated", "Length", "Pieces", ...
    QString Was;
    QString Now;
    QString MatchedBy; // "number", "content", or empty for added and removed
};

// A loom's name in the later plan, else the earlier one, else its number.
QString VxLoomName(const TVxPlanDiff& diff, int scheduleNo);

// Rows in the diff's order: loom by loom, each job's own rows before those
// of its items. Items added or removed together with their warp get no rows
// of their own.
QVector<TVxChangeRow> VxChangeRows(const TVxPlanDiff& diff, const TVxCompareNames& names);
