// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding jobs and fabric in a plan by what a planner types: a job number
// ("17"), a warp type and colour ("A-WHT", "A WHT", "C", "BLU"), a fabric
// code and colour ("P001", "ABRED : NAT", "TW BLU") or a downtime
// ("break"). Letter case never matters.
//
// A query matches a job or fabric when its text, with "-", ":" and "/" read
// as blanks, is a start of the thing's name (its warp key, its fabric key
// "ABRED : NAT", or its structure and colour "ABRED"), or when each word of
// it names one of the thing's codes (type, colour, structure, weft colour,
// structure and colour together). A number alone names a job by its number,
// and otherwise only codes it spells out in full. A downtime is found when
// each word of the query begins a word of its description.

#include "VxPlan.h"

#include <QString>
#include <QStringList>
#include <QVector>

// One thing found: the job at Job on loom Loom (positions in the plan), or
// its fabric item at Item (-1: the job itself).
struct TVxFindHit {
    int Loom = -1;
    int Job = -1;
    int Item = -1;

    bool operator==(const TVxFindHit& other) const {
        return Loom == other.Loom && Job == other.Job && Item == other.Item;
    }
    bool operator!=(const TVxFindHit& other) const { return !(*this == other); }
};

class TVxPlanFinder {
public:
    explicit TVxPlanFinder(const QString& query);

    // A blank query finds nothing.
    bool IsEmpty() const { return m_words.isEmpty(); }
    bool Matches(const TVxPlanJob& job) const;
    bool Matches(const TVxPlanItem& item) const;
    // Everything found, in board order: loom by loom, each job before its
    // fabric.
    QVector<TVxFindHit> FindIn(const TVxPlan& plan) const;

private:
    QString m_text; // upper case, "-", ":" and "/" as blanks, blanks single
    QStringList m_words;
    int m_jobNo = -1; // the query is a number
};
