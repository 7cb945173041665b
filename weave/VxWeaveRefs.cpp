// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxWeaveRefs.h"

const TWarpInfo* TVxWeaveRefs::WarpInfo(const QString& warpType) const {
    return WarpInfos ? WarpInfos->Find(warpType) : nullptr;
}

const TFabricInfo* TVxWeaveRefs::FabricInfo(const QString& fabricStru) const {
    return FabricInfos ? FabricInfos->Find(fabricStru) : nullptr;
}

const TWarpList* TVxWeaveRefs::WarpList(const QString& loomType) const {
    return LoomTypes ? LoomTypes->Find(loomType) : nullptr;
}

const TFabricList* TVxWeaveRefs::FabricList(const QString& loomType, const QString& warpKey) const {
    const TWarpList* warps = WarpList(loomType);
    return warps ? warps->Find(warpKey) : nullptr;
}
