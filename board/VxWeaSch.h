// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The job kinds of a weaving plant as the board draws them, and the fabric
// item a warp carries: a plan job (plan/VxPlan.h) on a schedule column.
//
// Each kind keeps its fields and rebuilds the panel text that shows them as
// soon as a field changes. The facts the rules read are the plan's; the
// board is built from plan values (VxShowLoom) and never read back.

#include "VxPlan.h"
#include "VxSched.h"
#include "VxWeaPlan.h"

#include <QColor>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class TVxReedJob : public TVxJob {
public:
    TVxReedJob();

    int32_t TotalEnds() const { return m_totalEnds; }
    void SetTotalEnds(int32_t value);
    float DentsPerCm() const { return m_dentsPerCm; }
    void SetDentsPerCm(float value);

private:
    void updateCaption();

    int32_t m_totalEnds = 0;
    float m_dentsPerCm = 0;
};

class TVxWeaveJob : public TVxJob {
public:
    TVxWeaveJob();

    const QString& WarpType() const { return m_warpType; }
    void SetWarpType(const QString& value);
    const QString& WarpCol() const { return m_warpCol; }
    void SetWarpCol(const QString& value);
    int32_t WarpLen() const { return m_warpLen; }
    void SetWarpLen(int32_t value);
    // What the status row shows; computed from the plan (PlanWarpRemaining).
    int32_t RemainingLen() const { return m_remaining.Len; }
    int32_t RemainingWgt() const { return m_remaining.Wgt; }
    void SetRemaining(const TVxWarpRemaining& value);
    int32_t EstWeaveHours() const { return m_estWeaveHours; }
    void SetEstWeaveHours(int32_t value);

    // WarpType "-" WarpCol, the warp's key in the loom-type warp lists.
    QString WarpKey() const;

private:
    void updateCaption();

    QString m_warpType;
    QString m_warpCol;
    int32_t m_warpLen = 0;
    TVxWarpRemaining m_remaining;
    int32_t m_estWeaveHours = 0;
};

class TVxDowntimeJob : public TVxJob {
public:
    TVxDowntimeJob();

    const QString& Descr() const { return m_descr; }
    void SetDescr(const QString& value);

private:
    QString m_descr;
};

class TVxWeaveJobItem : public TVxJobItem {
public:
    TVxWeaveJobItem();

    const QString& FabricStru() const { return m_fabricStru; }
    void SetFabricStru(const QString& value);
    const QString& FabricCol() const { return m_fabricCol; }
    void SetFabricCol(const QString& value);
    const QString& WeftCol() const { return m_weftCol; }
    void SetWeftCol(const QString& value);
    int32_t Pieces() const { return m_pieces; }
    void SetPieces(int32_t value);

    // FabricStru FabricCol " : " WeftCol, the entry of the fabric lists.
    QString FabricKey() const;

private:
    void updateCaption();

    QString m_fabricStru;
    QString m_fabricCol;
    QString m_weftCol;
    int32_t m_pieces = 0;
};

// Creates a fabric item numbered itemNo, fills it and appends it to job,
// which takes it over (raising the schedule's OnAfterItemAdd). Returns the
// item.
TVxWeaveJobItem* AddWeaveItem(TVxJob* job, int itemNo, const QString& fabricStru,
                              const QString& fabricCol, const QString& weftCol, int32_t pieces);

// The warp key, "Reed" or the downtime description of a drawn job: its name
// in dialog captions.
QString JobKindText(const TVxJob* job);

// Reeds and downtime offer no fabric entries and name their own kind in the
// edit and remove entries; warps keep their loom's captions.
void SetJobMenuCaptions(TVxJob* job);

// Reed jobs are drawn green and downtime purple.
QColor VxReedColor();
QColor VxDowntimeColor();

// Draws looms of a plan on their columns, each column replaced by its
// loom's jobs: their fields, items, status and weaving-time hint, and the
// footer. The drawings of jobs and items still
// there are kept (found by kind and number, also across the columns drawn
// together), so a job or item chosen or dragged stays the same object.
// Raises none of the columns' events.
struct TVxLoomDrawing {
    TVxJobSchedule* Schedule = nullptr;
    const TVxPlanLoom* Loom = nullptr;
};
void VxShowLooms(const std::vector<TVxLoomDrawing>& looms, const TVxWeaveRefs& refs);
void VxShowLoom(TVxJobSchedule* schedule, const TVxPlanLoom& loom, const TVxWeaveRefs& refs);
