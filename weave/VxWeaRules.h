#pragma once
// The placement rules of a weaving plant: which job types may be added to a
// loom, how the dates chain along it, when a reed may be deleted, and where a
// dragged job or fabric item may go. The main window's handlers do the talking
// to the user; the decisions live here so they run without a window.
//
// Job kinds are told apart by class, never by caption colour.

#include "RefData.h"
#include "VxSched.h"
#include "VxWeaSch.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// One entry of the job dialog's type list: "Reed", a warp key carrying the
// fabric keys weavable with that warp, or a downtime description.
struct TVxJobTypeEntry {
    QString Text;
    bool IsWarp = false;
    QStringList Fabrics;
};

// The answer to a drag-over question and what the status bar should say:
// nothing (leave it), an empty text (clear it) or the reason for a refusal.
struct TVxDragVerdict {
    bool Accept = false;
    std::optional<QString> Status;

    static TVxDragVerdict Accepted() { return {true, QString()}; }
    static TVxDragVerdict Refused(const QString& reason) { return {false, reason}; }
    static TVxDragVerdict RefusedSilently() { return {false, std::nullopt}; }
};

class TVxWeaveRules {
public:
    // The tables are not owned and must outlive the rules object.
    TVxWeaveRules(const TLoomTypeList& loomTypes, const TDowntimeList& downtimeTypes,
                  const TVxWeaveContext& context);

    // TotalEnds of the lowest reed on the loom; 0 when it holds none.
    static int ReedEndsOf(const TVxJobSchedule* loom);
    // The warp list of the loom's type (its Tag), or null for an unknown type.
    const TWarpList* WarpListOf(const TVxJobSchedule* loom) const;
    // The fabric keys of a warp on the loom's type, or null when the type
    // does not take that warp.
    const TFabricList* FabricListOf(const TVxJobSchedule* loom, const QString& warpKey) const;

    // What a new job on the loom may be: "Reed" always; the warps of the
    // loom's type whose ends match the lowest reed (only once the loom holds
    // a job); every downtime kind.
    std::vector<TVxJobTypeEntry> OfferedJobTypes(const TVxJobSchedule* loom) const;

    // Each job starts where the one before it finishes, the first on
    // loomStart (a 0 start leaves the starts alone). Durations are kept; a job
    // without a finish passes its start on. Looms with fewer than 2 jobs are
    // left as they are.
    static void ChainJobDates(TVxJobSchedule* loom, TDateTime loomStart);

    // A reed may not be deleted while a warp stands below it, before the next
    // reed; downtime does not count.
    static bool ReedHasWarpBelow(const TVxJobSchedule* loom, int reedIndex);

    // Whether the warp may be dropped on the loom before the job at index
    // (-1: at the end), judged by the nearest reed above that place.
    static TVxDragVerdict ReedVerdict(const TVxJobSchedule* loom, const TVxWeaveJob* warp,
                                      int index);
    // A job dragged over the loom at index (-1: over no job).
    TVxDragVerdict JobDragVerdict(const TVxJobSchedule* loom, const TVxJob* job, int index) const;
    // An item dragged over target (null: over no job) on the loom.
    TVxDragVerdict ItemDragVerdict(const TVxJobSchedule* loom, const TVxJob* target,
                                   const TVxJobItem* item) const;

private:
    const TLoomTypeList& m_LoomTypes;
    const TDowntimeList& m_DowntimeTypes;
    TVxWeaveContext m_Context;
};

extern const QString VxCannotMoveReed;
extern const QString VxReedRequired;
extern const QString VxWrongReed;
// Why a move is refused that a drag refuses without a word (its cursor says
// it): straight above a reed of other ends.
extern const QString VxAboveOtherReed;
extern const QString VxWrongLoomType;
extern const QString VxFabricWrongLoomType;
extern const QString VxOnlyOnWeavingJob;
extern const QString VxWrongLoomWarpType;
extern const QString VxNoCapacityLeft;
