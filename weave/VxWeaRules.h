// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The placement rules of a weaving plant on plan values: which job types may
// be added to a loom, when a reed may be deleted, where a moved job or fabric
// item may go. The application does the talking to the user; the decisions
// live here so they run on plan values, without a window.

#include "VxPlan.h"
#include "VxWeaveRefs.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// One entry of the job dialog's type list: "Reed" (VxReedText), a warp key carrying the
// fabric keys weavable with that warp, or a downtime description.
struct TVxJobTypeEntry {
    QString Text;
    bool IsWarp = false;
    QStringList Fabrics;
};

// The answer to a move question and what the status bar should say: nothing
// (leave it), an empty text (clear it) or the reason for a refusal. A silent
// refusal still names its Reason, for a move made without a refusing cursor
// (the keys).
struct TVxDragVerdict {
    bool Accept = false;
    std::optional<QString> Status;
    QString Reason;

    static TVxDragVerdict Accepted() { return {true, QString(), QString()}; }
    static TVxDragVerdict Refused(const QString& reason) { return {false, reason, reason}; }
    static TVxDragVerdict RefusedSilently(const QString& reason) {
        return {false, std::nullopt, reason};
    }
};

class TVxWeaveRules {
    Q_DECLARE_TR_FUNCTIONS(TVxWeaveRules)

public:
    explicit TVxWeaveRules(const TVxWeaveRefs& refs) : m_refs(refs) {}

    const TVxWeaveRefs& Refs() const { return m_refs; }

    // What a new job on the loom may be: "Reed" always; the warps of the
    // loom's type whose ends match the lowest reed (only once the loom holds
    // a job); every downtime kind.
    std::vector<TVxJobTypeEntry> OfferedJobTypes(const TVxPlanLoom& loom) const;

    // A job dropped on a loom, to stand at index among the loom's jobs once
    // the job itself is taken off it (a move within its own loom passes the
    // loom without it). fromOtherLoom: the job comes from another loom, so
    // the target's type must take it and its fabric.
    TVxDragVerdict JobDropVerdict(const TVxPlanJob& job, bool fromOtherLoom,
                                  const TVxPlanLoom& target, int index) const;
    // The verdict of every place at once, index 0 to the loom's job count,
    // equal to JobDropVerdict place by place; the loom type is looked at
    // once, not once a place.
    std::vector<TVxDragVerdict> JobDropVerdicts(const TVxPlanJob& job, bool fromOtherLoom,
                                                const TVxPlanLoom& target) const;
    // The same for a job of the plan moved to a place (toIndex as above).
    TVxDragVerdict JobMoveVerdict(const TVxPlan& plan, const TVxJobPlace& from, int toLoom,
                                  int toIndex) const;
    // A fabric item over a job of the loom (targetJob -1: over no job);
    // sameJob: the item is on that job already.
    TVxDragVerdict ItemDropVerdict(const TVxPlanLoom& loom, int targetJob, const TVxPlanItem& item,
                                   bool sameJob) const;

    // The verdict for every job of the loom, equal to ItemDropVerdict job by
    // job; sameJob is the position of the item's own job on it (-1: none).
    // untilAccepted: no further than the first job that takes it.
    std::vector<TVxDragVerdict> ItemDropVerdicts(const TVxPlanLoom& loom, const TVxPlanItem& item,
                                                 int sameJob, bool untilAccepted = false) const;

    // Whether a warp of ends reedEnds may stand at index (as above): the job
    // below it must not be a reed of other ends, the nearest reed above must
    // have its ends.
    static TVxDragVerdict ReedVerdict(const TVxPlanLoom& target, int32_t reedEnds, int index);

private:
    // The reed ends a warp carries: those of its warp type.
    int32_t warpEnds(const TVxPlanJob& warp) const;
    // Whether the loom type takes the warp with its fabric.
    TVxDragVerdict loomTypeVerdict(const TVxPlanJob& warp, const QString& loomType) const;
    // The capacity test of an item on another warp that weaves its fabric
    // (known), or the refusal of one that does not.
    TVxDragVerdict fabricVerdict(const TVxPlanJob& warp, bool known, const TVxPlanItem& item) const;

    TVxWeaveRefs m_refs;
};

// The reasons of refusals, in the program's language.
QString VxCannotMoveReed();
QString VxReedRequired();
QString VxWrongReed();
// Why a move is refused that a drag refuses without a word (its cursor says
// it): straight above a reed of other ends.
QString VxAboveOtherReed();
QString VxWrongLoomType();
QString VxFabricWrongLoomType();
QString VxOnlyOnWeavingJob();
QString VxWrongLoomWarpType();
QString VxNoCapacityLeft();
