// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reference tables the weaving rules read, and the operations that take
// their keys apart.
//
// A warp key is WARPTYPE "-" WARPCOL; a fabric key is FABRICSTRU FABRICCOL
// " : " WEFTCOL, where a two-character structure code has an uppercase letter
// in second place.

#include "VxKeyList.h"

#include <QString>
#include <cstdint>
#include <optional>

struct TWarpInfo {
    int32_t WarpLen = 0;
    int32_t TotalEnds = 0;
    float WarpWgt = 0;
    float GreigeFraction = 0; // greige length percentage x 0.01
    float DentsPerCm = 0;
    float AveHrs = 0;
};

struct TFabricInfo {
    int32_t PieceLen = 0;
    float WarpPceWgt = 0;
    float WeftPceWgt = 0;
    float HrsPerPiece = 0;
};

// Fabric keys of one warp; entries carry nothing.
using TFabricList = TVxKeyList<TVxNoObject>;
// Warp keys of one loom type, each owning its fabric list.
using TWarpList = TVxKeyList<TFabricList>;
// Loom types, each owning its warp list.
using TLoomTypeList = TVxKeyList<TWarpList>;
// Warp type code -> its data.
using TWarpInfoList = TVxKeyList<TWarpInfo>;
// Fabric structure code -> its data.
using TFabricInfoList = TVxKeyList<TFabricInfo>;
// Downtime descriptions.
using TDowntimeList = TVxKeyList<TVxNoObject>;

// One loom record (LoomSpec.csv line or LOOMSPEC row).
struct TLoomRecord {
    int Posn = 0;
    QString Type;
    QString Descr;
};

QString MakeWarpKey(const QString& warpType, const QString& warpCol);
QString MakeFabricKey(const QString& fabricStru, const QString& fabricCol, const QString& weftCol);

// Text before the first "-"; empty without "-".
QString WarpTypeOf(const QString& warpKey);
// Text after the first "-" up to and including the next blank (or to the
// end); empty without "-".
QString WarpColOf(const QString& warpKey);
// First character, plus the second when it is an uppercase letter A-Z.
QString FabricStruOf(const QString& fabricKey);
// Text after the structure code up to just before the first " : ".
QString FabricColOf(const QString& fabricKey);
// Text after the first " : "; empty without one.
QString WeftColOf(const QString& fabricKey);

// Sane bounds of the reference number columns of WARPTYPE and FABRICTYPE
// (the same fields in WarpType.csv and FabricType.csv). Values outside are
// refused when the tables are read, which keeps the capacity and weaving-time
// arithmetic far from overflow.
struct TRefRange {
    double Min = 0;
    double Max = 0;
};
// The range of a number column by its name ("GREIGELENPERCENT"); nullopt for
// a column without one.
std::optional<TRefRange> RefColumnRange(const QString& column);
// Throws EVxError "<value> is out of range (<min> to <max>)" when value lies
// outside the column's range (or is not a number).
void CheckRefValue(const QString& column, double value);

// The narrower range a plant's figures lie in (loom numbers, ends, reed
// counts, percentages, lengths, weights, hours), for values typed in the
// maintenance window; nullopt for a column without one. Stored data is read
// with RefColumnRange, so an older database with odd figures still starts.
std::optional<TRefRange> RefEntryRange(const QString& column);
