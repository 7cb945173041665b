// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scenario as plain values: every loom with its jobs in running order, each
// warp with its fabric items. Save, load, print, export and undo read and
// write this; the board is only one view of it.
//
// Every fact the weaving rules need is here: a loom knows its type and its
// start date, a job its kind and fields. What follows from them (captions,
// remaining capacity, weaving time, footers, a job's reed ends) is computed
// by the pure functions of weave/ (VxWeaPlan.h), never kept.

#include <QString>
#include <QVector>
#include <cstdint>

enum class TVxPlanJobKind { Reed, Warp, Downtime };

struct TVxPlanItem {
    int ItemNo = 0;
    QString FabricStru;
    QString FabricCol;
    QString WeftCol;
    int32_t Pieces = 0;

    bool operator==(const TVxPlanItem& other) const;
    bool operator!=(const TVxPlanItem& other) const { return !(*this == other); }
};

struct TVxPlanJob {
    TVxPlanJobKind Kind = TVxPlanJobKind::Downtime;
    int JobNo = 0;
    // Day numbers since 30 December 1899; a finish of 0 means none.
    double StartDate = 0;
    double FinishDate = 0;
    // Whether the board shows the job's items (a view setting kept so a
    // restored board looks as it did).
    bool Expanded = true;

    // Reed.
    int32_t TotalEnds = 0;
    float DentsPerCm = 0;
    // Warp.
    QString WarpType;
    QString WarpCol;
    int32_t WarpLen = 0;
    QVector<TVxPlanItem> Items;
    // Downtime.
    QString Descr;

    bool operator==(const TVxPlanJob& other) const;
    bool operator!=(const TVxPlanJob& other) const { return !(*this == other); }
};

struct TVxPlanLoom {
    // The loom's number (LOOMSPEC.POSN), its column's ScheduleNo.
    int ScheduleNo = 0;
    // The loom's type (LOOMSPEC.LOOMTYPE) and description ("R03 190cm").
    QString LoomType;
    QString Name;
    // Day number the loom's first job starts on; 0 while none. The jobs are
    // chained from it (weave/VxWeaPlan.h).
    double StartDate = 0;
    QVector<TVxPlanJob> Jobs;

    bool operator==(const TVxPlanLoom& other) const;
    bool operator!=(const TVxPlanLoom& other) const { return !(*this == other); }
};

// Where a job stands: its loom's position in the plan and its own on the loom.
struct TVxJobPlace {
    int Loom = 0;
    int Index = 0;

    bool operator==(const TVxJobPlace& other) const {
        return Loom == other.Loom && Index == other.Index;
    }
    bool operator!=(const TVxJobPlace& other) const { return !(*this == other); }
};

struct TVxPlan {
    QVector<TVxPlanLoom> Looms;
    int NextJobNo = 1;
    int NextItemNo = 1;

    int JobCount() const;
    int ItemCount() const;
    // The loom of that number, or null.
    const TVxPlanLoom* Loom(int scheduleNo) const;
    // Its position in Looms, or -1.
    int LoomIndex(int scheduleNo) const;

    bool operator==(const TVxPlan& other) const;
    bool operator!=(const TVxPlan& other) const { return !(*this == other); }
};
