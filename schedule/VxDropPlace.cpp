// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxDropPlace.h"

#include "VxSched.h"

#include <algorithm>

TVxDropPlace TVxDropPlace::Home(QObject* element) {
    TVxDropPlace home;
    if (auto* item = dynamic_cast<TVxJobItem*>(element)) {
        home.Job = item->Job();
        home.Schedule = item->Job() ? item->Job()->Schedule() : nullptr;
        home.Index = item->Job() ? item->Job()->IndexOfItem(item) : -1;
    } else if (auto* job = dynamic_cast<TVxJob*>(element)) {
        home.Schedule = job->Schedule();
        home.Index = job->Schedule() ? job->Schedule()->IndexOfJob(job) : -1;
    }
    return home;
}

int TVxDropPlace::JobRoom(const TVxJobSchedule* s, const TVxJob* job) {
    return s->JobCount() - (job->Schedule() == s ? 1 : 0);
}

int TVxDropPlace::ItemRoom(const TVxJob* target, const TVxJobItem* item) {
    return target->ItemCount() - (item->Job() == target ? 1 : 0);
}

int TVxDropPlace::Level(QObject* element) const {
    if (IsHome(element)) return VxElementTop(element);
    if (auto* item = dynamic_cast<TVxJobItem*>(element))
        return Job->Top() + Job->ItemDropLine(item, Index).top();
    return Schedule->JobDropLine(static_cast<TVxJob*>(element), Index).top();
}

std::optional<TVxDropPlace> TVxDropPlace::Step(QObject* element, TVxKeyStep step) const {
    TVxJobSchedule* s = Schedule;
    auto* item = dynamic_cast<TVxJobItem*>(element);
    auto* job = dynamic_cast<TVxJob*>(element);
    if (!s || !(item || job) || (item && !Job)) return std::nullopt;
    TVxDropPlace next = *this;
    switch (step) {
    case TVxKeyStep::Up:
        if (Index <= 0) return std::nullopt;
        --next.Index;
        return next;
    case TVxKeyStep::Down:
        if (Index >= (item ? ItemRoom(Job, item) : JobRoom(s, job))) return std::nullopt;
        ++next.Index;
        return next;
    case TVxKeyStep::Left:
    case TVxKeyStep::Right:
        break;
    }
    // A job onto the job level with it (or below the jobs); an item first
    // onto the job level with it (or the last one), passing columns without
    // jobs.
    const int level = Level(element) - s->JobArea()->ScrollPos();
    for (TVxJobSchedule* to = s->neighbour(step); to; to = to->neighbour(step)) {
        TVxJob* beside = VxJobLevelWith(to, level + to->JobArea()->ScrollPos());
        next.Schedule = to;
        if (job) {
            const int room = JobRoom(to, job);
            next.Index = beside ? std::min(to->IndexOfJob(beside), room) : room;
            return next;
        }
        if (to->JobCount() == 0) continue;
        next.Job = beside ? beside : to->Jobs(to->JobCount() - 1);
        next.Index = 0;
        return next;
    }
    return std::nullopt;
}

TVxDropMarker TVxDropPlace::Marker(QObject* element, bool accepted) const {
    TVxDropMarker marker;
    if (IsHome(element) || !Schedule) return marker;
    marker.Refused = !accepted;
    if (auto* item = dynamic_cast<TVxJobItem*>(element)) {
        if (!Job) return TVxDropMarker();
        if (Job->Expanded()) {
            marker.Rect = Job->ItemDropLine(item, Index).translated(0, Job->Top());
        } else {
            marker.Rect = Job->BoundsRect();
            marker.Frame = true;
        }
    } else if (auto* job = dynamic_cast<TVxJob*>(element)) {
        marker.Rect = Schedule->JobDropLine(job, Index);
    }
    return marker;
}
