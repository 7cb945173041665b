#include "MaintData.h"

#include "RefData.h"

namespace {
TVxField column(const char* name, const char* title, int width = 0, const char* format = "") {
    TVxField f;
    f.FieldName = QLatin1String(name);
    f.DisplayLabel = QLatin1String(title);
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
    setColumns(LoomSpec, {column("REF", "Ref"), column("POSN", "Position", 6),
                          column("TYPE", "Type", 15), column("DESCR", "Descr", 20)});
    setColumns(WarpType, {column("WARPTYPE", "Type", 4), column("TOTALENDS", "Ends", 5),
                          column("DENTSPERCM", "Dents/cm", 8), column("AVEHRS", "Ave Hrs", 7),
                          column("GREIGELENPERCENT", "Wastage", 8), column("WARPLEN", "Length", 6),
                          column("WARPWGT", "Weight", 8)});
    setColumns(FabricType,
               {column("FABRICSTRU", "Stru"), column("FABRICCOL", "Colour"),
                column("WARPTYPE", "Warp Type"), column("WARPCOL", "Warp Col"),
                column("WEFTSTRU", "Weft Stru"), column("WEFTTWIST", "Weft Twist"),
                column("WEFTCOL", "Weft Col"), column("PIECELEN", "Piece Len", 6),
                column("WARPPCEWGT", "Warp Pce Wt"), column("WEFTPCEWGT", "Weft Pce Wt"),
                column("HRSPERPIECE", "Hrs/Pce", 6, "###0.00")});
    setColumns(FabricStruQuery, {column("FABRICSTRU", "Fabric Stru")});
    setColumns(LoomTypeQuery, {column("TYPE", "Loom Type", 15)});
    setColumns(StruLoom,
               {column("FABRICSTRU", "Fabric Stru"), column("LOOMTYPE", "Loom Type", 15)});
    setColumns(DowntimeType, {column("DESCR", "Descr")});
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
