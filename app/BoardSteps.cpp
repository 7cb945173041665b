#include "BoardSteps.h"

#include "RefData.h"
#include "VxWeaSch.h"

#include <QHash>

namespace {
enum class Side { Before, After };

const TVxPlanLoom& loomOf(const TBoardLoomChange& change, Side side) {
    return side == Side::Before ? change.Before : change.After;
}

// Every job of the changed looms on one side, in loom and running order,
// with where it stands.
struct JobPlace {
    int change = 0;
    const TVxPlanJob* job = nullptr;
};

// A job is known by its number and kind: a loaded scenario may number a
// reed or downtime like a warp.
using JobKey = qint64;
JobKey keyOf(const TVxPlanJob& job) {
    return JobKey(job.JobNo) * 4 + int(job.Kind);
}

struct JobIndex {
    QVector<JobKey> order;
    QHash<JobKey, JobPlace> byNo;

    JobIndex(const QVector<TBoardLoomChange>& changes, Side side) {
        for (int c = 0; c < changes.size(); ++c)
            for (const TVxPlanJob& job : loomOf(changes[c], side).Jobs) {
                order.push_back(keyOf(job));
                byNo.insert(keyOf(job), JobPlace{c, &job});
            }
    }
    bool has(JobKey key) const { return byNo.contains(key); }
    const TVxPlanJob& job(JobKey key) const { return *byNo.value(key).job; }
    int change(JobKey key) const { return byNo.value(key).change; }
    // The candidate numbered subject, else the first.
    JobKey pick(const QVector<JobKey>& candidates, int subject) const {
        for (JobKey key : candidates)
            if (job(key).JobNo == subject) return key;
        return candidates.first();
    }
};

// Every fabric item of the changed looms on one side, with its warp.
struct ItemPlace {
    const TVxPlanJob* job = nullptr;
    const TVxPlanItem* item = nullptr;
};

struct ItemIndex {
    QVector<int> order;
    QHash<int, ItemPlace> byNo;

    ItemIndex(const QVector<TBoardLoomChange>& changes, Side side) {
        for (const TBoardLoomChange& change : changes)
            for (const TVxPlanJob& job : loomOf(change, side).Jobs)
                for (const TVxPlanItem& item : job.Items) {
                    order.push_back(item.ItemNo);
                    byNo.insert(item.ItemNo, ItemPlace{&job, &item});
                }
    }
    bool has(int no) const { return byNo.contains(no); }
    const TVxPlanItem& item(int no) const { return *byNo.value(no).item; }
    const TVxPlanJob& job(int no) const { return *byNo.value(no).job; }
};

QVector<JobKey> jobKeys(const TVxPlanLoom& loom) {
    QVector<JobKey> keys;
    for (const TVxPlanJob& job : loom.Jobs)
        keys.push_back(keyOf(job));
    return keys;
}

QVector<int> itemNumbers(const TVxPlanJob& job) {
    QVector<int> numbers;
    for (const TVxPlanItem& item : job.Items)
        numbers.push_back(item.ItemNo);
    return numbers;
}

// The numbers of one side that the other side lacks, in order.
template <class Key, class Place>
QVector<Key> missingFrom(const QVector<Key>& order, const QHash<Key, Place>& other) {
    QVector<Key> missing;
    for (Key key : order)
        if (!other.contains(key)) missing.push_back(key);
    return missing;
}

// A job's own fields and dates, leaving aside its fabric and how it shows.
bool sameOwnFields(TVxPlanJob a, TVxPlanJob b) {
    a.Items.clear();
    b.Items.clear();
    a.Expanded = b.Expanded;
    return a == b;
}

// The jobs that stand in another order on one loom: the subject when it is
// one of them, else the first out of place.
const TVxPlanJob* reorderedJob(const TBoardLoomChange& change, int subject) {
    const QVector<JobKey> before = jobKeys(change.Before);
    const QVector<JobKey> after = jobKeys(change.After);
    if (before == after) return nullptr;
    for (const TVxPlanJob& job : change.After.Jobs)
        if (job.JobNo == subject) return &job;
    for (int i = 0; i < after.size() && i < before.size(); ++i)
        if (after[i] != before[i]) return &change.After.Jobs[i];
    return nullptr;
}

QString jobsStepName(const QVector<TBoardLoomChange>& changes, const JobIndex& before,
                     const JobIndex& after, int subject) {
    QVector<JobKey> moved;
    for (JobKey key : after.order)
        if (before.has(key) && before.change(key) != after.change(key)) moved.push_back(key);
    if (!moved.isEmpty()) {
        const JobKey key = after.pick(moved, subject);
        return QStringLiteral("Move %1 to %2")
            .arg(BoardJobLabel(after.job(key)), changes[after.change(key)].LoomName);
    }
    const QVector<JobKey> added = missingFrom(after.order, before.byNo);
    const QVector<JobKey> removed = missingFrom(before.order, after.byNo);
    if (!added.isEmpty() && removed.isEmpty()) {
        const QString loom = changes[after.change(added.first())].LoomName;
        if (added.size() == 1)
            return QStringLiteral("Add %1 to %2")
                .arg(BoardJobLabel(after.job(added.first())), loom);
        return QStringLiteral("Add %1 jobs to %2").arg(added.size()).arg(loom);
    }
    if (!removed.isEmpty() && added.isEmpty()) {
        if (removed.size() == 1)
            return QStringLiteral("Remove ") + BoardJobLabel(before.job(removed.first()));
        int emptied = 0;
        for (const TBoardLoomChange& change : changes)
            if (change.After.Jobs.isEmpty() && !change.Before.Jobs.isEmpty()) ++emptied;
        const TBoardLoomChange& first = changes[before.change(removed.first())];
        if (emptied > 1) return QStringLiteral("Clear all jobs");
        if (emptied == 1 && first.After.Jobs.isEmpty())
            return QStringLiteral("Clear ") + first.LoomName;
        return QStringLiteral("Remove %1 jobs from %2").arg(removed.size()).arg(first.LoomName);
    }
    if (!added.isEmpty()) return QStringLiteral("Change jobs on ") + changes.first().LoomName;
    for (const TBoardLoomChange& change : changes)
        if (const TVxPlanJob* job = reorderedJob(change, subject))
            return QStringLiteral("Move %1 within %2").arg(BoardJobLabel(*job), change.LoomName);
    return QString();
}

QString itemsStepName(const ItemIndex& before, const ItemIndex& after, int subject) {
    QVector<int> moved;
    for (int no : after.order)
        if (before.has(no) && keyOf(before.job(no)) != keyOf(after.job(no))) moved.push_back(no);
    if (!moved.isEmpty()) {
        const int no = moved.contains(subject) ? subject : moved.first();
        return QStringLiteral("Move %1 to %2")
            .arg(BoardFabricLabel(after.item(no)), BoardJobLabel(after.job(no)));
    }
    const QVector<int> added = missingFrom(after.order, before.byNo);
    const QVector<int> removed = missingFrom(before.order, after.byNo);
    if (!added.isEmpty() && removed.isEmpty()) {
        const QString job = BoardJobLabel(after.job(added.first()));
        if (added.size() == 1)
            return QStringLiteral("Add %1 to %2")
                .arg(BoardFabricLabel(after.item(added.first())), job);
        return QStringLiteral("Add %1 fabrics to %2").arg(added.size()).arg(job);
    }
    if (!removed.isEmpty() && added.isEmpty()) {
        if (removed.size() == 1)
            return QStringLiteral("Remove ") + BoardFabricLabel(before.item(removed.first()));
        const TVxPlanJob& job = before.job(removed.first());
        const bool emptied = removed.size() == job.Items.size();
        return emptied ? QStringLiteral("Clear fabrics of ") + BoardJobLabel(job)
                       : QStringLiteral("Remove %1 fabrics from %2")
                             .arg(removed.size())
                             .arg(BoardJobLabel(job));
    }
    if (!added.isEmpty()) return QStringLiteral("Change fabrics");
    for (int no : after.order)
        if (after.item(no) != before.item(no))
            return QStringLiteral("Edit ") + BoardFabricLabel(after.item(no));
    for (int no : after.order) {
        const TVxPlanJob& job = after.job(no);
        const TVxPlanJob& old = before.job(no);
        if (itemNumbers(job) != itemNumbers(old))
            return QStringLiteral("Move %1 within %2")
                .arg(BoardFabricLabel(after.item(after.has(subject) ? subject : no)),
                     BoardJobLabel(job));
    }
    return QString();
}

QString editedJobName(const JobIndex& before, const JobIndex& after) {
    for (JobKey key : after.order)
        if (!sameOwnFields(after.job(key), before.job(key)))
            return QStringLiteral("Edit ") + BoardJobLabel(after.job(key));
    return QString();
}
} // namespace

QString BoardJobLabel(const TVxPlanJob& job) {
    QString kind;
    switch (job.Kind) {
    case TVxPlanJobKind::Reed:
        kind = QStringLiteral("reed");
        break;
    case TVxPlanJobKind::Warp:
        kind = QStringLiteral("warp");
        break;
    case TVxPlanJobKind::Downtime:
        kind = QStringLiteral("downtime");
        break;
    }
    return kind + QLatin1Char(' ') + QString::number(job.JobNo);
}

QString BoardFabricLabel(const TVxPlanItem& item) {
    return QStringLiteral("fabric ") +
           VxFabricItemCaption(MakeFabricKey(item.FabricStru, item.FabricCol, item.WeftCol),
                               item.Pieces);
}

QString BoardStepName(const QVector<TBoardLoomChange>& changes, const TBoardStepSubject& subject) {
    if (changes.isEmpty()) return QString();
    const JobIndex jobsBefore(changes, Side::Before);
    const JobIndex jobsAfter(changes, Side::After);
    QString name = jobsStepName(changes, jobsBefore, jobsAfter, subject.JobNo);
    if (name.isEmpty())
        name = itemsStepName(ItemIndex(changes, Side::Before), ItemIndex(changes, Side::After),
                             subject.ItemNo);
    if (name.isEmpty()) name = editedJobName(jobsBefore, jobsAfter);
    if (name.isEmpty()) name = QStringLiteral("Change ") + changes.first().LoomName;
    return name;
}

void ShareUnchangedItems(TVxPlanLoom& after, const TVxPlanLoom& before) {
    QHash<int, const TVxPlanJob*> old;
    for (const TVxPlanJob& job : before.Jobs)
        if (!job.Items.isEmpty()) old.insert(job.JobNo, &job);
    for (TVxPlanJob& job : after.Jobs) {
        const TVxPlanJob* previous = old.value(job.JobNo);
        if (previous && previous->Items == job.Items) job.Items = previous->Items;
    }
}
