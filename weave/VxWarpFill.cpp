#include "VxWarpFill.h"

#include "VxWeaPlan.h"

TVxWarpFill PlanWarpFill(const TVxPlanJob& job, const TVxWeaveRefs& refs) {
    if (job.Kind != TVxPlanJobKind::Warp || !refs.WarpInfo(job.WarpType)) return {};
    // What the bare warp offers less what is left: the same rounding as the
    // status row's "Rem:", so the figures always add up.
    const TVxWarpRemaining bare = WarpRemaining(job.WarpType, job.WarpLen, {}, refs);
    const TVxWarpRemaining left = PlanWarpRemaining(job, refs);
    TVxWarpFill fill;
    fill.LenCapacity = bare.Len;
    fill.LenUsed = bare.Len - left.Len;
    fill.WgtCapacity = bare.Wgt;
    fill.WgtUsed = bare.Wgt - left.Wgt;
    return fill;
}
