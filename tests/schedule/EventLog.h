// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Records every component event of the schedules it is attached to as
// "<header>:<event>" lines, so tests compare whole event sequences.

#include "VxSched.h"

#include <QStringList>

class EventLog {
public:
    QStringList lines;

    void attach(TVxJobSchedule* s) {
        const QString n = s->Header().isEmpty() ? QStringLiteral("S") : s->Header();
        auto log = [this, n](const char* event) { lines << n + ':' + event; };
        s->OnBeforeJobAdd = [log](TVxJobSchedule*) { log("BeforeJobAdd"); };
        s->OnAfterJobRemove = [log](TVxJobSchedule*) { log("AfterJobRemove"); };
        s->OnAfterJobFree = [log](TVxJobSchedule*) { log("AfterJobFree"); };
        s->OnAfterJobAdd = [log](TVxJobSchedule*, TVxJob*) { log("AfterJobAdd"); };
        s->OnBeforeJobEdit = [log](TVxJobSchedule*, TVxJob*) { log("BeforeJobEdit"); };
        s->OnAfterJobEdit = [log](TVxJobSchedule*, TVxJob*) { log("AfterJobEdit"); };
        s->OnBeforeJobRemove = [log](TVxJobSchedule*, TVxJob*) { log("BeforeJobRemove"); };
        s->OnBeforeJobFree = [log](TVxJobSchedule*, TVxJob*) { log("BeforeJobFree"); };
        s->OnJobDragDrop = [log](TVxJobSchedule*, TVxJob*) { log("JobDragDrop"); };
        s->OnBeforeItemAdd = [log](TVxJobSchedule*, TVxJob*) { log("BeforeItemAdd"); };
        s->OnAfterItemRemove = [log](TVxJobSchedule*, TVxJob*) { log("AfterItemRemove"); };
        s->OnAfterItemFree = [log](TVxJobSchedule*, TVxJob*) { log("AfterItemFree"); };
        s->OnAfterItemAdd = [log](TVxJobSchedule*, TVxJob*, TVxJobItem*) { log("AfterItemAdd"); };
        s->OnAfterItemEdit = [log](TVxJobSchedule*, TVxJob*, TVxJobItem*) { log("AfterItemEdit"); };
        s->OnBeforeItemEdit = [log](TVxJobSchedule*, TVxJob*, TVxJobItem*) {
            log("BeforeItemEdit");
        };
        s->OnBeforeItemRemove = [log](TVxJobSchedule*, TVxJob*, TVxJobItem*) {
            log("BeforeItemRemove");
        };
        s->OnBeforeItemFree = [log](TVxJobSchedule*, TVxJob*, TVxJobItem*) {
            log("BeforeItemFree");
        };
        s->OnItemDragDrop = [log](TVxJobSchedule*, TVxJob*, TVxJobItem*) { log("ItemDragDrop"); };
    }

    QString joined() const { return lines.join(QLatin1Char(',')); }
    void clear() { lines.clear(); }
};
