#pragma once
// What an undo step holds and what it is called.
//
// A step keeps, for each loom it changed, the loom's plan before and after,
// and the job and item numbers to come. Its name is read from the change
// itself ("Move warp 7 to R03 190cm", "Remove fabric ABRED : NAT/3pcs"), so
// every way of making a change is named alike, whichever handler ran.

#include "VxPlan.h"

#include <QString>
#include <QVector>

struct TBoardLoomChange {
    // The column's position in the box.
    int Column = 0;
    // The loom's description as its header starts ("R03 190cm").
    QString LoomName;
    TVxPlanLoom Before;
    TVxPlanLoom After;
};

// The job or item a drop or a keyboard move carried, when one did: among
// several jobs that changed places it is the one that was moved.
struct TBoardStepSubject {
    int JobNo = 0;
    int ItemNo = 0;
};

// The step's name for the Undo and Redo hints.
QString BoardStepName(const QVector<TBoardLoomChange>& changes,
                      const TBoardStepSubject& subject = {});

// "warp 7", "reed 3", "downtime 4".
QString BoardJobLabel(const TVxPlanJob& job);
// "fabric ABRED : NAT/3pcs".
QString BoardFabricLabel(const TVxPlanItem& item);

// Gives after the fabric lists of before wherever a warp's items did not
// change, so that a step shares them with the one before it instead of
// keeping a copy.
void ShareUnchangedItems(TVxPlanLoom& after, const TVxPlanLoom& before);
