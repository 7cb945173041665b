// SPDX-License-Identifier: GPL-3.0-or-later
#include "SchedData.h"

#include <QCoreApplication>

namespace {
// Closes a dataset when the scope ends, also on failure.
struct TCloser {
    TVxDataSet& dataSet;
    ~TCloser() { dataSet.Close(); }
};

// Refuses a row whose reference numbers lie outside their columns' ranges;
// where names the row for the message ("Table WARPTYPE, row 3 (A)").
void checkRanges(const TVxDataSet& ds, const QString& where, const QStringList& columns) {
    for (const QString& column : columns) {
        try {
            CheckRefValue(column, ds.AsFloat(column));
        } catch (const EVxError& e) {
            throw EVxError(QCoreApplication::translate("TSchedData", "%1, column %2: %3")
                               .arg(where, column, e.message()));
        }
    }
}
} // namespace

TSchedData::TSchedData(TVxDbSession& session, TVxDataPrompts prompts)
    : SchedDB(session, std::move(prompts)), LoomSpec(SchedDB, "LOOMSPEC", {"REF"}),
      WarpType(SchedDB, "WARPTYPE", {"WARPTYPE"}), DowntimeType(SchedDB, "DOWNTIMETYPE", {"DESCR"}),
      Scenario(SchedDB, "SCENARIO", {"SCENARIONO"}), ReedJob(SchedDB, "REEDJOB", {"SCENARIONO"}),
      WeaveJob(SchedDB, "WEAVEJOB", {"SCENARIONO"}),
      WeaveItem(SchedDB, "WEAVEITEM", {"SCENARIONO"}),
      DowntimeJob(SchedDB, "DOWNTIMEJOB", {"SCENARIONO"}),
      LoomTypeQuery(SchedDB, "LoomTypeQuery", {"select distinct type from loomspec"}),
      WarpQuery(SchedDB, "WarpQuery",
                {"select distinct ft.warptype, ft.warpcol", "from fabrictype ft, struloom sl",
                 "where ft.fabricstru = sl.fabricstru and sl.loomtype = :LoomType",
                 "order by ft.warptype, ft.warpcol"}),
      FabricQuery(SchedDB, "FabricQuery",
                  {"select distinct ft.fabricstru, ft.fabriccol, ft.weftcol",
                   "from fabrictype ft, struloom sl", "where sl.loomtype = :LoomType",
                   "and ft.warptype = :WarpType", "and ft.warpcol = :WarpCol",
                   "and ft.fabricstru = sl.fabricstru", "order by ft.fabricstru, ft.fabriccol"}),
      FabricStructQuery(
          SchedDB, "FabricStructQuery",
          {"select distinct fabricstru, piecelen, warppcewgt, weftpcewgt, hrsperpiece",
           "from fabrictype"}),
      EndsQuery(SchedDB, "EndsQuery", {"select warptype, totalends from warptype"}),
      LengthQuery(SchedDB, "LengthQuery", {"select warplen from warptype"}),
      MaxScenarioNoQuery(SchedDB, "MaxScenarioNoQuery", {"select max (scenariono) from scenario"}),
      MaxJobNoQuery(SchedDB, "MaxJobNoQuery",
                    {"select max (jobno) from weavejob", "where scenariono = :ScenarioNo"}),
      MaxItemNoQuery(SchedDB, "MaxItemNoQuery",
                     {"select max (itemno) from weaveitem", "where scenariono = :ScenarioNo"}) {
    for (TVxTable* detail : {&ReedJob, &WeaveJob, &WeaveItem, &DowntimeJob})
        detail->SetMaster(&Scenario, "SCENARIONO");
    // Rows read alike on every engine, whatever order (or collation) the
    // engine gives: a different order would change the lists the planner
    // picks from, and which of a structure's differing rows its fabric data
    // takes.
    LoomTypeQuery.SetSortFields({"TYPE"});
    WarpQuery.SetSortFields({"WARPTYPE", "WARPCOL"});
    FabricQuery.SetSortFields({"FABRICSTRU", "FABRICCOL"});
    FabricStructQuery.SetSortFields(
        {"FABRICSTRU", "PIECELEN", "WARPPCEWGT", "WEFTPCEWGT", "HRSPERPIECE"});
    EndsQuery.SetSortFields({"WARPTYPE"});
    // The columns as the scenario grids title them.
    TVxField number;
    number.FieldName = QStringLiteral("SCENARIONO");
    number.DisplayLabel = QCoreApplication::translate("TSchedData", "Number");
    number.DisplayWidth = 8;
    Scenario.SetFieldDisplay(number);
    TVxField descr;
    descr.FieldName = QStringLiteral("DESCR");
    descr.DisplayLabel = QCoreApplication::translate("TSchedData", "Description");
    descr.DisplayWidth = 30;
    Scenario.SetFieldDisplay(descr);
}

TSchedData::~TSchedData() {
    CloseAll();
}

void TSchedData::OpenScenarioTables() {
    for (TVxTable* table : {&Scenario, &WeaveJob, &WeaveItem, &ReedJob, &DowntimeJob})
        table->Open();
}

TVxDbThread& TSchedData::StoreThread() {
    if (!m_storeThread) m_storeThread = std::make_unique<TVxDbThread>(SchedDB);
    return *m_storeThread;
}

void TSchedData::Revive() {
    if (!SchedDB.Opened() || SchedDB.Connected()) return;
    std::optional<int> current;
    if (Scenario.Active() && Scenario.RecNo() >= 0)
        current = Scenario.AsInteger(QStringLiteral("SCENARIONO"));
    const bool scenarioOpen = Scenario.Active();
    for (TVxTable* table : {&ReedJob, &WeaveJob, &WeaveItem, &DowntimeJob, &Scenario})
        table->Close();
    SchedDB.Reopen();
    if (!scenarioOpen) return;
    OpenScenarioTables();
    if (current) Scenario.FindKey({*current});
}

void TSchedData::CloseAll() {
    for (TVxDataSet* ds : std::initializer_list<TVxDataSet*>{
             &ReedJob, &WeaveJob, &WeaveItem, &DowntimeJob, &Scenario, &LoomSpec, &WarpType,
             &DowntimeType, &LoomTypeQuery, &WarpQuery, &FabricQuery, &FabricStructQuery,
             &EndsQuery, &LengthQuery, &MaxScenarioNoQuery, &MaxJobNoQuery, &MaxItemNoQuery})
        ds->Close();
    SchedDB.Close();
}

TLoomTypeList TSchedData::BuildLoomTypes() {
    WarpQuery.Prepare();
    FabricQuery.Prepare();
    TLoomTypeList loomTypes;
    LoomTypeQuery.Open();
    TCloser closeTypes{LoomTypeQuery};
    for (; !LoomTypeQuery.Eof(); LoomTypeQuery.Next()) {
        const QString loomType = LoomTypeQuery.AsString("TYPE");
        auto warps = std::make_unique<TWarpList>();
        WarpQuery.SetParamByIndex(0, loomType);
        WarpQuery.Open();
        TCloser closeWarps{WarpQuery};
        for (; !WarpQuery.Eof(); WarpQuery.Next()) {
            const QString warpType = WarpQuery.AsString("WARPTYPE");
            const QString warpCol = WarpQuery.AsString("WARPCOL");
            auto fabrics = std::make_unique<TFabricList>();
            FabricQuery.SetParam("LoomType", loomType);
            FabricQuery.SetParam("WarpType", warpType);
            FabricQuery.SetParam("WarpCol", warpCol);
            FabricQuery.Open();
            TCloser closeFabrics{FabricQuery};
            for (; !FabricQuery.Eof(); FabricQuery.Next())
                fabrics->Add(MakeFabricKey(FabricQuery.AsString("FABRICSTRU"),
                                           FabricQuery.AsString("FABRICCOL"),
                                           FabricQuery.AsString("WEFTCOL")));
            warps->Add(MakeWarpKey(warpType, warpCol), std::move(fabrics));
        }
        loomTypes.Add(loomType, std::move(warps));
    }
    return loomTypes;
}

TWarpInfoList TSchedData::BuildWarpInfos() {
    TWarpInfoList warpInfos;
    WarpType.Open();
    TCloser close{WarpType};
    for (int row = 1; !WarpType.Eof(); WarpType.Next(), ++row) {
        checkRanges(
            WarpType,
            QCoreApplication::translate("TSchedData", "Table WARPTYPE, row %1 (%2)")
                .arg(row)
                .arg(WarpType.AsString("WARPTYPE")),
            {"WARPLEN", "TOTALENDS", "GREIGELENPERCENT", "WARPWGT", "AVEHRS", "DENTSPERCM"});
        auto info = std::make_unique<TWarpInfo>();
        info->WarpLen = WarpType.AsInteger("WARPLEN");
        info->TotalEnds = WarpType.AsInteger("TOTALENDS");
        // The plant's figure as stored, like the text files: rounding it to a
        // whole percent would give the two modes different capacities.
        info->GreigeFraction = float(WarpType.AsFloat("GREIGELENPERCENT") * 0.01);
        info->WarpWgt = float(WarpType.AsFloat("WARPWGT"));
        info->AveHrs = float(WarpType.AsFloat("AVEHRS"));
        info->DentsPerCm = float(WarpType.AsFloat("DENTSPERCM"));
        warpInfos.Add(WarpType.AsString("WARPTYPE"), std::move(info));
    }
    return warpInfos;
}

TFabricInfoList TSchedData::BuildFabricInfos() {
    TFabricInfoList fabricInfos;
    FabricStructQuery.Open();
    TCloser close{FabricStructQuery};
    for (; !FabricStructQuery.Eof(); FabricStructQuery.Next()) {
        checkRanges(FabricStructQuery,
                    QCoreApplication::translate("TSchedData", "Table FABRICTYPE, structure %1")
                        .arg(FabricStructQuery.AsString("FABRICSTRU")),
                    {"PIECELEN", "WARPPCEWGT", "WEFTPCEWGT", "HRSPERPIECE"});
        auto info = std::make_unique<TFabricInfo>();
        info->PieceLen = FabricStructQuery.AsInteger("PIECELEN");
        info->WarpPceWgt = float(FabricStructQuery.AsFloat("WARPPCEWGT"));
        info->WeftPceWgt = float(FabricStructQuery.AsFloat("WEFTPCEWGT"));
        info->HrsPerPiece = float(FabricStructQuery.AsFloat("HRSPERPIECE"));
        fabricInfos.Add(FabricStructQuery.AsString("FABRICSTRU"), std::move(info));
    }
    return fabricInfos;
}

TDowntimeList TSchedData::BuildDowntimeTypes() {
    TDowntimeList downtimes;
    DowntimeType.Open();
    for (DowntimeType.First(); !DowntimeType.Eof(); DowntimeType.Next())
        downtimes.Add(DowntimeType.AsString("DESCR"));
    return downtimes;
}

std::vector<TLoomRecord> TSchedData::ReadLoomRecords() {
    std::vector<TLoomRecord> looms;
    LoomSpec.Open();
    TCloser close{LoomSpec};
    for (; !LoomSpec.Eof(); LoomSpec.Next())
        looms.push_back(TLoomRecord{LoomSpec.AsInteger("POSN"), LoomSpec.AsString("TYPE"),
                                    LoomSpec.AsString("DESCR")});
    return looms;
}

QStringList TSchedData::EndsList() {
    QStringList ends;
    EndsQuery.Open();
    TCloser close{EndsQuery};
    // Each value once, at its first warp type, as text mode lists them.
    for (; !EndsQuery.Eof(); EndsQuery.Next())
        ends << QString::number(EndsQuery.AsInteger("TOTALENDS"));
    ends.removeDuplicates();
    return ends;
}

int TSchedData::ReadDefaultWarpLen() {
    LengthQuery.Open();
    TCloser close{LengthQuery};
    return LengthQuery.IsEmpty() ? 0 : LengthQuery.AsInteger("WARPLEN");
}

int TSchedData::AggregateValue(TVxQuery& query) {
    query.Open();
    TCloser close{query};
    return query.IsEmpty() || query.Fields().isEmpty()
               ? 0
               : TVxDataSet::VariantToInt(query.RowValue(0, 0));
}
