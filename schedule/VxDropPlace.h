// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a drop would put a dragged job or item: the column, the job an item
// goes on, and the position among the column's jobs or the job's items as
// the drop events give it (counted without the moved one where it stands;
// -1 where a release drops nothing). A move with the keys steps from one
// place to the next.

#include "VxSelection.h"

#include <QPointer>
#include <optional>

class QObject;
class TVxJob;
class TVxJobItem;
class TVxJobSchedule;
struct TVxDropMarker;

struct TVxDropPlace {
    QPointer<TVxJobSchedule> Schedule;
    QPointer<TVxJob> Job;
    int Index = -1;

    bool operator==(const TVxDropPlace& other) const {
        return Schedule == other.Schedule && Job == other.Job && Index == other.Index;
    }

    // Where a job or item stands now.
    static TVxDropPlace Home(QObject* element);
    bool IsHome(QObject* element) const { return *this == Home(element); }
    // One step of the element on from here as the arrows take it: within
    // the column or job, or across as if dragged straight sideways; none at
    // an end.
    std::optional<TVxDropPlace> Step(QObject* element, TVxKeyStep step) const;
    // The height the place stands at, in its column's job-area content
    // coordinates (at home, the element's own top).
    int Level(QObject* element) const;
    // The mark of the place for the element: a line across the gap, or a
    // frame round a collapsed job; Refused where it would not be taken;
    // none at home.
    TVxDropMarker Marker(QObject* element, bool accepted) const;

    // Positions a job or item may take, counted without it where it stands.
    static int JobRoom(const TVxJobSchedule* s, const TVxJob* job);
    static int ItemRoom(const TVxJob* target, const TVxJobItem* item);
};
