// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The maintenance window's datasets on the main window's connection: one
// table per reference table, titled and sized as the window's grids show
// them (number columns with the ranges a plant's figures lie in), the
// queries of the fabric:loom page, and the checks before a row is stored.

#include "MaintChecks.h"
#include "VxDataSet.h"

#include <QCoreApplication>
#include <QList>
#include <QStringList>

class TMaintData {
    Q_DECLARE_TR_FUNCTIONS(TMaintData)

public:
    explicit TMaintData(TSchedDB& db);

    TSchedDB& SchedDB;

    TVxTable LoomSpec;     // LOOMSPEC by REF
    TVxTable WarpType;     // WARPTYPE by WARPTYPE
    TVxTable FabricType;   // FABRICTYPE by FABRICSTRU, FABRICCOL
    TVxTable StruLoom;     // STRULOOM by FABRICSTRU, LOOMTYPE
    TVxTable DowntimeType; // DOWNTIMETYPE by DESCR
    TVxQuery FabricStruQuery;
    TVxQuery LoomTypeQuery;
    TMaintChecks Checks;

    // The five tables in page order.
    QList<TVxTable*> Tables();
    // Closes every dataset (the connection stays open).
    void CloseAll();
};
