// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reference tables the weaving rules read, by reference: the loom types
// with their warp and fabric lists, the warp and fabric figures, the downtime
// kinds. The tables are not owned; a null table reads as empty.

#include "RefData.h"

#include <QString>

struct TVxWeaveRefs {
    const TLoomTypeList* LoomTypes = nullptr;
    const TWarpInfoList* WarpInfos = nullptr;
    const TFabricInfoList* FabricInfos = nullptr;
    const TDowntimeList* DowntimeTypes = nullptr;

    const TWarpInfo* WarpInfo(const QString& warpType) const;
    const TFabricInfo* FabricInfo(const QString& fabricStru) const;
    // The warps a loom type takes, or null for an unknown type.
    const TWarpList* WarpList(const QString& loomType) const;
    // The fabrics a loom type weaves with a warp, or null when the type does
    // not take that warp.
    const TFabricList* FabricList(const QString& loomType, const QString& warpKey) const;
};
