// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a column shows while a job or item is dragged over the board, or
// moved with the keys before the move is confirmed, as the column's owner
// decides it: whether the column would take the dragged thing at all, where
// in it a drop would be refused, and how a drop would leave its jobs and its
// last finish. The component draws these over the column; it knows nothing
// of why.

#include "VxDate.h"

#include <QString>
#include <QVector>
#include <map>

enum class TVxColumnVerdict {
    None,
    // Some place in the column takes the dragged thing.
    Open,
    // No place does: the column is dimmed, Reason is its tooltip.
    Closed
};

// A job as a drop would leave it, drawn over the job beside what it shows.
struct TVxJobPreview {
    // The dates it would have (the old ones are shown struck through).
    bool Redated = false;
    TDateTime StartDate = 0;
    TDateTime FinishDate = 0;
    // What its status row would say; empty: unchanged.
    QString Status;
    // A warning drawn in red over its caption; empty: none.
    QString Alert;

    bool operator==(const TVxJobPreview& other) const {
        return Redated == other.Redated && StartDate == other.StartDate &&
               FinishDate == other.FinishDate && Status == other.Status && Alert == other.Alert;
    }
};

struct TVxColumnDecoration {
    TVxColumnVerdict Verdict = TVxColumnVerdict::None;
    QString Reason;
    // Places a dragged job may not be dropped at, counted as the drop
    // events count them (without the job in its own column; the job count
    // for the end).
    QVector<int> RefusedPlaces;
    // Jobs a dragged item may not be dropped on, by position.
    QVector<int> RefusedJobs;
    // Shown above the footer, in as many lines as it needs; empty: none.
    QString Footer;
    // By job position in the column.
    std::map<int, TVxJobPreview> Jobs;

    bool operator==(const TVxColumnDecoration& other) const {
        return Verdict == other.Verdict && Reason == other.Reason &&
               RefusedPlaces == other.RefusedPlaces && RefusedJobs == other.RefusedJobs &&
               Footer == other.Footer && Jobs == other.Jobs;
    }
    bool operator!=(const TVxColumnDecoration& other) const { return !(*this == other); }
};
