#pragma once
// The job kinds of a weaving plant and the fabric item a warp carries.
//
// Each kind keeps its weaving data and rebuilds the panel text that shows it
// as soon as a field changes. The compatibility rules live with the main
// window; the routines at the end are the arithmetic those rules share
// (remaining capacity, weaving time, footers, menu captions).

#include "RefData.h"
#include "VxSched.h"

#include <QColor>
#include <QString>
#include <cstdint>

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
    // May go negative when the warp is over-filled.
    int32_t RemainingLen() const { return m_remainingLen; }
    void SetRemainingLen(int32_t value);
    int32_t RemainingWgt() const { return m_remainingWgt; }
    void SetRemainingWgt(int32_t value);
    int32_t EstWeaveHours() const { return m_estWeaveHours; }
    void SetEstWeaveHours(int32_t value);

    // WarpType "-" WarpCol, the warp's key in the loom-type warp lists.
    QString WarpKey() const;

private:
    void updateCaption();
    void updateStatus();

    QString m_warpType;
    QString m_warpCol;
    int32_t m_warpLen = 0;
    int32_t m_remainingLen = 0;
    int32_t m_remainingWgt = 0;
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
    // The owning warp job; throws EVxError when the owner is none or not a
    // warp job.
    TVxWeaveJob* WeaveJob() const;

private:
    void updateCaption();

    QString m_fabricStru;
    QString m_fabricCol;
    QString m_weftCol;
    int32_t m_pieces = 0;
};

// What the capacity and timing routines read from the main window: the
// reference tables and the bulk-update flag (footers are left alone while a
// load or clear runs). The pointers are not owned; a null table reads as
// empty, a null flag as false.
struct TVxWeaveContext {
    const TWarpInfoList* WarpInfos = nullptr;
    const TFabricInfoList* FabricInfos = nullptr;
    const bool* BulkUpdate = nullptr;

    bool IsBulkUpdate() const { return BulkUpdate && *BulkUpdate; }
    const TWarpInfo* WarpInfo(const QString& warpType) const;
    const TFabricInfo* FabricInfo(const QString& fabricStru) const;
};

// Creates a fabric item numbered itemNo, fills it and appends it to job,
// which takes it over (raising the schedule's OnAfterItemAdd). Returns the
// item.
TVxWeaveJobItem* AddWeaveItem(TVxJob* job, int itemNo, const QString& fabricStru,
                              const QString& fabricCol, const QString& weftCol, int32_t pieces);

// A fabric item's caption: its fabric key, "/", the pieces and "pc", with an
// "s" from 2 pieces on.
QString FabricItemCaption(const QString& fabricKey, int32_t pieces);

// The warp key, "Reed" or the downtime description: the job's name in
// dialog captions.
QString JobKindText(const TVxJob* job);

// Remaining length and weight of a warp job from its items. Other kinds are
// left alone.
void UpdateCapacity(TVxJob* job, const TVxWeaveContext& context);

// Estimated weaving hours of a warp job; stretches a warp whose dates are
// too short for its fabric and rebuilds its loom's footer. Other kinds are
// left alone.
void UpdateWeaveTime(TVxJob* job, const TVxWeaveContext& context);

// Throws EVxError "Length over capacity by <n>m" or "Weight over capacity by
// <n>kg" when a warp job cannot take addedPieces more pieces of fabricStru,
// judged on its last recomputed remaining values. Other kinds always pass.
void CheckCapacity(const TVxJob* job, const QString& fabricStru, int32_t addedPieces,
                   const TVxWeaveContext& context);

// "Finish: " and the last job's finish date, or empty for an empty loom.
void UpdateFooter(TVxJobSchedule* schedule, const TVxWeaveContext& context);

// Reeds and downtime offer no fabric entries and name their own kind in the
// edit and remove entries; warps keep their loom's captions.
void SetJobMenuCaptions(TVxJob* job);

// Reed jobs are drawn green and downtime purple.
QColor VxReedColor();
QColor VxDowntimeColor();
