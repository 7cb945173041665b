// SPDX-License-Identifier: GPL-3.0-or-later
#include "MaintData.h"

#include "RefData.h"

#include <QCoreApplication>

namespace {
TVxField column(const char* name, const char* title, int width = 0, const char* format = "") {
    TVxField f;
    f.FieldName = QLatin1String(name);
    f.DisplayLabel = TMaintData::tr(title);
    f.DisplayWidth = width;
    f.DisplayFormat = QLatin1String(format);
    if (const std::optional<TRefRange> range = RefEntryRange(f.FieldName)) {
        f.MinValue = range->Min;
        f.MaxValue = range->Max;
    }
    return f;
}

void setColumns(TVxDataSet& dataSet, const QList<TVxField>& columns) {
    for (const TVxField& f : columns)
        dataSet.SetFieldDisplay(f);
}
} // namespace

TMaintData::TMaintData(TSchedDB& db)
    : SchedDB(db), LoomSpec(db, "LOOMSPEC", {"REF"}), WarpType(db, "WARPTYPE", {"WARPTYPE"}),
      FabricType(db, "FABRICTYPE", {"FABRICSTRU", "FABRICCOL"}),
      StruLoom(db, "STRULOOM", {"FABRICSTRU", "LOOMTYPE"}),
      DowntimeType(db, "DOWNTIMETYPE", {"DESCR"}),
      FabricStruQuery(db, "FabricStruQuery", {"select distinct fabricstru", "from fabrictype"}),
      LoomTypeQuery(db, "LoomTypeQuery", {"select distinct type from loomspec"}), Checks(db) {
    // "distinct" leaves the order to the engine: the lists read alike on all.
    FabricStruQuery.SetSortFields({"FABRICSTRU"});
    LoomTypeQuery.SetSortFields({"TYPE"});
    setColumns(LoomSpec,
               {column("REF", QT_TR_NOOP("Ref")), column("POSN", QT_TR_NOOP("Position"), 6),
                column("TYPE", QT_TR_NOOP("Type"), 15), column("DESCR", QT_TR_NOOP("Descr"), 20)});
    setColumns(WarpType, {column("WARPTYPE", QT_TR_NOOP("Type"), 4),
                          column("TOTALENDS", QT_TR_NOOP("Ends"), 5),
                          column("DENTSPERCM", QT_TR_NOOP("Dents/cm"), 8),
                          column("AVEHRS", QT_TR_NOOP("Ave Hrs"), 7),
                          column("GREIGELENPERCENT", QT_TR_NOOP("Wastage"), 8),
                          column("WARPLEN", QT_TR_NOOP("Length"), 6),
                          column("WARPWGT", QT_TR_NOOP("Weight"), 8)});
    setColumns(
        FabricType,
        {column("FABRICSTRU", QT_TR_NOOP("Stru")), column("FABRICCOL", QT_TR_NOOP("Colour")),
         column("WARPTYPE", QT_TR_NOOP("Warp Type")), column("WARPCOL", QT_TR_NOOP("Warp Col")),
         column("WEFTSTRU", QT_TR_NOOP("Weft Stru")), column("WEFTTWIST", QT_TR_NOOP("Weft Twist")),
         column("WEFTCOL", QT_TR_NOOP("Weft Col")), column("PIECELEN", QT_TR_NOOP("Piece Len"), 6),
         column("WARPPCEWGT", QT_TR_NOOP("Warp Pce Wt")),
         column("WEFTPCEWGT", QT_TR_NOOP("Weft Pce Wt")),
         column("HRSPERPIECE", QT_TR_NOOP("Hrs/Pce"), 6, "###0.00")});
    setColumns(FabricStruQuery, {column("FABRICSTRU", QT_TR_NOOP("Fabric Stru"))});
    setColumns(LoomTypeQuery, {column("TYPE", QT_TR_NOOP("Loom Type"), 15)});
    setColumns(StruLoom, {column("FABRICSTRU", QT_TR_NOOP("Fabric Stru")),
                          column("LOOMTYPE", QT_TR_NOOP("Loom Type"), 15)});
    setColumns(DowntimeType, {column("DESCR", QT_TR_NOOP("Descr"))});
}

QList<TVxTable*> TMaintData::Tables() {
    return {&LoomSpec, &WarpType, &FabricType, &StruLoom, &DowntimeType};
}

void TMaintData::CloseAll() {
    for (TVxTable* table : Tables())
        table->Close();
    for (TVxQuery* query : {&FabricStruQuery, &LoomTypeQuery})
        query->Close();
}
