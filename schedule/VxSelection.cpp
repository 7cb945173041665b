// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxSelection.h"

#include "VxSched.h"

TVxJob* TVxSelection::Job() const {
    if (auto* job = dynamic_cast<TVxJob*>(m_element.data())) return job;
    TVxJobItem* item = Item();
    return item ? item->Job() : nullptr;
}

TVxJobItem* TVxSelection::Item() const {
    return dynamic_cast<TVxJobItem*>(m_element.data());
}

namespace {
// The items a column shows for a job: none while it is collapsed.
int shownItems(const TVxJob* job) {
    return job->Expanded() ? job->ItemCount() : 0;
}
} // namespace

QObject* VxElementAfter(const QObject* element) {
    const auto* item = dynamic_cast<const TVxJobItem*>(element);
    const TVxJob* job = item ? item->Job() : dynamic_cast<const TVxJob*>(element);
    if (!job) return nullptr;
    const int next = item ? job->IndexOfItem(item) + 1 : 0;
    if (next < shownItems(job)) return job->Items(next);
    const TVxJobSchedule* schedule = job->Schedule();
    if (!schedule) return nullptr;
    const int index = schedule->IndexOfJob(job) + 1;
    return index < schedule->JobCount() ? schedule->Jobs(index) : nullptr;
}

QObject* VxElementBefore(const QObject* element) {
    const auto* item = dynamic_cast<const TVxJobItem*>(element);
    const TVxJob* job = item ? item->Job() : dynamic_cast<const TVxJob*>(element);
    if (!job) return nullptr;
    if (item) {
        const int index = job->IndexOfItem(item);
        return index > 0 ? static_cast<QObject*>(job->Items(index - 1)) : const_cast<TVxJob*>(job);
    }
    const TVxJobSchedule* schedule = job->Schedule();
    const int index = schedule ? schedule->IndexOfJob(job) : 0;
    if (index <= 0) return nullptr;
    TVxJob* previous = schedule->Jobs(index - 1);
    const int items = shownItems(previous);
    return items > 0 ? static_cast<QObject*>(previous->Items(items - 1)) : previous;
}

int VxElementTop(const QObject* element) {
    if (const auto* item = dynamic_cast<const TVxJobItem*>(element))
        return item->Job() ? item->Job()->Top() + item->Top() : item->Top();
    if (const auto* job = dynamic_cast<const TVxJob*>(element)) return job->Top();
    return 0;
}

TVxJob* VxJobLevelWith(const TVxJobSchedule* schedule, int contentY) {
    if (schedule->JobCount() == 0) return nullptr;
    if (contentY < 0) return schedule->Jobs(0);
    return schedule->JobAt(contentY);
}
