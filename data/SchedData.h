// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's database: the connection SchedDB, its tables and
// queries under their form names, and the reference tables built from them.
//
// Start-up in a database mode (the main window drives these steps):
//   TVxDbSession session;                 // reads the alias ini file
//   if (local) DefineLocalAlias(session);
//   TSchedData data(session, VxDialogPrompts(mainWindow));
//   data.SchedDB.Open();                  // login prompt, tables created
//   data.OpenScenarioTables();
//   LoomTypes = data.BuildLoomTypes(); WarpInfos = data.BuildWarpInfos();
//   FabricInfos = data.BuildFabricInfos(); DowntimeTypes = data.BuildDowntimeTypes();
//   data.DowntimeType.Close();
//   for (auto& loom : data.ReadLoomRecords()) ...
//   data.EndsList(); data.ReadDefaultWarpLen();
// Every step throws EVxError with the database's message on failure.

#include "RefData.h"
#include "SchedDB.h"
#include "VxDataSet.h"
#include "VxDbThread.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class TSchedData {
public:
    TSchedData(TVxDbSession& session, TVxDataPrompts prompts = {});
    ~TSchedData();

    TSchedDB SchedDB;

    TVxTable LoomSpec;     // LOOMSPEC by REF
    TVxTable WarpType;     // WARPTYPE by WARPTYPE
    TVxTable DowntimeType; // DOWNTIMETYPE by DESCR
    TVxTable Scenario;     // SCENARIO by SCENARIONO; the master (ScenarioSource)
    TVxTable ReedJob;      // the four details of Scenario by SCENARIONO
    TVxTable WeaveJob;
    TVxTable WeaveItem;
    TVxTable DowntimeJob;

    TVxQuery LoomTypeQuery;
    TVxQuery WarpQuery;   // :LoomType
    TVxQuery FabricQuery; // :LoomType, :WarpType, :WarpCol
    TVxQuery FabricStructQuery;
    TVxQuery EndsQuery;
    TVxQuery LengthQuery;
    TVxQuery MaxScenarioNoQuery;
    TVxQuery MaxJobNoQuery;  // :ScenarioNo
    TVxQuery MaxItemNoQuery; // :ScenarioNo

    // Opens Scenario, WeaveJob, WeaveItem, ReedJob, DowntimeJob in this order.
    void OpenScenarioTables();
    // The database thread the scenario store runs on (made at first use).
    TVxDbThread& StoreThread();
    // Opens the connection again when it broke (a server that restarted),
    // with the scenario tables on the same scenario; nothing while it is
    // open. Throws EVxDbError (Lost) when the server cannot be reached.
    void Revive();
    // Closes every dataset and the connection.
    void CloseAll();

    // Reference tables from the database (failures are not caught).
    TLoomTypeList BuildLoomTypes();
    TWarpInfoList BuildWarpInfos();
    TFabricInfoList BuildFabricInfos();
    // Leaves DowntimeType open; the start-up sequence closes it.
    TDowntimeList BuildDowntimeTypes();
    // Loom records from LOOMSPEC in REF order (the table is closed again,
    // also on failure).
    std::vector<TLoomRecord> ReadLoomRecords();
    // Every TOTALENDS of WARPTYPE once, in warp type order.
    QStringList EndsList();
    // WARPLEN of the first row of "select warplen from warptype"; 0 without rows.
    int ReadDefaultWarpLen();
    // The value of an aggregate query (0 over no rows); closes it again.
    static int AggregateValue(TVxQuery& query);

private:
    std::unique_ptr<TVxDbThread> m_storeThread;
};
