// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxPlanCompare.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// Every job and item of a plan in running order, loom after loom.
struct TFlatPlan {
    struct Job {
        int Loom;
        int Place;
        const TVxPlanJob* Value;
        int FirstItem; // index of its first item in Items
    };
    struct Item {
        int Job; // index into Jobs
        int Place;
        const TVxPlanItem* Value;
    };
    std::vector<Job> Jobs;
    std::vector<Item> Items;
    std::vector<int> LoomFirstJob; // one entry per loom, and the job count

    explicit TFlatPlan(const TVxPlan& plan) {
        Jobs.reserve(size_t(plan.JobCount()));
        for (int l = 0; l < plan.Looms.size(); ++l) {
            LoomFirstJob.push_back(int(Jobs.size()));
            const QVector<TVxPlanJob>& jobs = plan.Looms[l].Jobs;
            for (int p = 0; p < jobs.size(); ++p) {
                Jobs.push_back({l, p, &jobs[p], int(Items.size())});
                for (int i = 0; i < jobs[p].Items.size(); ++i)
                    Items.push_back({int(Jobs.size()) - 1, i, &jobs[p].Items[i]});
            }
        }
        LoomFirstJob.push_back(int(Jobs.size()));
    }
    TVxJobPlace place(int job) const { return {Jobs[size_t(job)].Loom, Jobs[size_t(job)].Place}; }
    TVxItemPlace itemPlace(int item) const {
        return {place(Items[size_t(item)].Job), Items[size_t(item)].Place};
    }
};

// Pairs of indices between the earlier (b) and the later (a) plan's jobs or
// items, with how each pair was made.
struct TPairing {
    std::vector<int> OfBefore;
    std::vector<int> OfAfter;
    std::vector<TVxMatch> How; // by the later index

    TPairing(size_t before, size_t after)
        : OfBefore(before, -1), OfAfter(after, -1), How(after, TVxMatch::None) {}
    void pair(int b, int a, TVxMatch how) {
        OfBefore[size_t(b)] = a;
        OfAfter[size_t(a)] = b;
        How[size_t(a)] = how;
    }
    bool freeBefore(int b) const { return OfBefore[size_t(b)] < 0; }
    bool freeAfter(int a) const { return OfAfter[size_t(a)] < 0; }
};

// Pairs by number: each earlier one takes the first free later one of its
// number that `fits`, in running order.
template <typename BeforeNo, typename AfterNo, typename Fits>
void pairByNumber(TPairing& pairing, int beforeCount, int afterCount, BeforeNo beforeNo,
                  AfterNo afterNo, Fits fits) {
    QHash<int, int> first;
    std::vector<int> next(size_t(afterCount), -1);
    first.reserve(afterCount);
    for (int a = afterCount - 1; a >= 0; --a) {
        auto found = first.find(afterNo(a));
        if (found != first.end()) {
            next[size_t(a)] = *found;
            *found = a;
        } else {
            first.insert(afterNo(a), a);
        }
    }
    for (int b = 0; b < beforeCount; ++b)
        for (int a = first.value(beforeNo(b), -1); a >= 0; a = next[size_t(a)])
            if (pairing.freeAfter(a) && fits(b, a)) {
                pairing.pair(b, a, TVxMatch::Number);
                break;
            }
}

// Later ones waiting by content key, each key's in running order.
class TContentQueues {
public:
    void add(const QString& key, int index) { m_queues[key].Indexes.push_back(index); }
    // The first waiting one of that key, -1 when none.
    int take(const QString& key) {
        auto found = m_queues.find(key);
        if (found == m_queues.end() || found->Next == found->Indexes.size()) return -1;
        return found->Indexes[found->Next++];
    }
    void clear() { m_queues.clear(); }

private:
    struct Queue {
        std::vector<int> Indexes;
        size_t Next = 0;
    };
    QHash<QString, Queue> m_queues;
};

// Pairs free earlier and later ones of equal key in running order.
template <typename BeforeKey, typename AfterKey>
void pairByContent(TPairing& pairing, const std::vector<int>& before, const std::vector<int>& after,
                   BeforeKey beforeKey, AfterKey afterKey, TContentQueues& queues) {
    queues.clear();
    bool waiting = false;
    for (int a : after)
        if (pairing.freeAfter(a)) {
            queues.add(afterKey(a), a);
            waiting = true;
        }
    if (!waiting) return;
    for (int b : before) {
        if (!pairing.freeBefore(b)) continue;
        const int a = queues.take(beforeKey(b));
        if (a >= 0) pairing.pair(b, a, TVxMatch::Content);
    }
}

std::vector<int> range(int from, int to) {
    std::vector<int> all(size_t(std::max(0, to - from)));
    for (int i = from; i < to; ++i)
        all[size_t(i - from)] = i;
    return all;
}

QString jobKey(const TVxPlanJob& job) {
    switch (job.Kind) {
    case TVxPlanJobKind::Reed:
        return QStringLiteral("R|%1|%2").arg(job.TotalEnds).arg(double(job.DentsPerCm));
    case TVxPlanJobKind::Warp:
        return QStringLiteral("W|%1|%2|%3").arg(job.WarpType, job.WarpCol).arg(job.WarpLen);
    case TVxPlanJobKind::Downtime:
        break;
    }
    return QStringLiteral("D|") + job.Descr;
}

QString itemKey(const TVxPlanItem& item) {
    return item.FabricStru + QLatin1Char('|') + item.FabricCol + QLatin1Char('|') + item.WeftCol;
}

TVxEdits jobEdits(const TVxPlanJob& b, const TVxPlanJob& a) {
    TVxEdits edits;
    switch (a.Kind) {
    case TVxPlanJobKind::Reed:
        if (b.TotalEnds != a.TotalEnds || b.DentsPerCm != a.DentsPerCm) edits |= TVxEdit::Ends;
        break;
    case TVxPlanJobKind::Warp:
        if (b.WarpType != a.WarpType) edits |= TVxEdit::WarpType;
        if (b.WarpCol != a.WarpCol) edits |= TVxEdit::WarpCol;
        if (b.WarpLen != a.WarpLen) edits |= TVxEdit::WarpLen;
        break;
    case TVxPlanJobKind::Downtime:
        if (b.Descr != a.Descr) edits |= TVxEdit::Descr;
        break;
    }
    return edits;
}

TVxEdits itemEdits(const TVxPlanItem& b, const TVxPlanItem& a) {
    TVxEdits edits;
    if (b.FabricStru != a.FabricStru || b.FabricCol != a.FabricCol || b.WeftCol != a.WeftCol)
        edits |= TVxEdit::Fabric;
    if (b.Pieces != a.Pieces) edits |= TVxEdit::Pieces;
    return edits;
}

bool redated(const TVxPlanJob& b, const TVxPlanJob& a) {
    return std::trunc(b.StartDate) != std::trunc(a.StartDate) ||
           std::trunc(b.FinishDate) != std::trunc(a.FinishDate);
}

// Which entries of seq form a longest strictly increasing run (patience
// sorting); the others changed their order.
std::vector<char> inLongestRun(const std::vector<int>& seq) {
    std::vector<int> tails;
    std::vector<int> previous(seq.size(), -1);
    for (size_t i = 0; i < seq.size(); ++i) {
        auto at = std::lower_bound(tails.begin(), tails.end(), seq[i],
                                   [&seq](int t, int value) { return seq[size_t(t)] < value; });
        if (at != tails.begin()) previous[i] = *(at - 1);
        if (at == tails.end())
            tails.push_back(int(i));
        else
            *at = int(i);
    }
    std::vector<char> kept(seq.size(), 0);
    for (int i = tails.empty() ? -1 : tails.back(); i >= 0; i = previous[size_t(i)])
        kept[size_t(i)] = 1;
    return kept;
}

// Ghosts sort just before the entry of their position.
template <typename Diff> int orderKey(const Diff& diff, int position) {
    return diff.GhostAt >= 0 ? 2 * diff.GhostAt : 2 * position + 1;
}

class TComparer {
public:
    TComparer(const TVxPlan& before, const TVxPlan& after)
        : m_b(before), m_a(after), m_jobs(m_b.Jobs.size(), m_a.Jobs.size()),
          m_items(m_b.Items.size(), m_a.Items.size()) {
        for (int l = 0; l < after.Looms.size(); ++l) {
            m_afterNoOfLoom.push_back(after.Looms[l].ScheduleNo);
            m_afterLoomOf.insert(after.Looms[l].ScheduleNo, l);
        }
        for (int l = 0; l < before.Looms.size(); ++l) {
            m_beforeNoOfLoom.push_back(before.Looms[l].ScheduleNo);
            m_beforeLoomOf.insert(before.Looms[l].ScheduleNo, l);
        }
    }

    void run(TVxPlanDiff& diff) {
        pairJobs();
        pairItems();
        const std::vector<char> jobOrderKept = orderKept(
            int(m_a.Jobs.size()), [this](int a) { return m_a.Jobs[size_t(a)].Loom; },
            [this](int a) {
                return sameLoom(a) ? m_b.Jobs[size_t(m_jobs.OfAfter[size_t(a)])].Place : -1;
            });
        const std::vector<char> itemOrderKept = orderKept(
            int(m_a.Items.size()), [this](int a) { return m_a.Items[size_t(a)].Job; },
            [this](int a) {
                return sameWarp(a) ? m_b.Items[size_t(m_items.OfAfter[size_t(a)])].Place : -1;
            });
        assemble(diff, jobOrderKept, itemOrderKept);
    }

private:
    const TVxPlanJob& bJob(int b) const { return *m_b.Jobs[size_t(b)].Value; }
    const TVxPlanJob& aJob(int a) const { return *m_a.Jobs[size_t(a)].Value; }

    // A paired later job whose partner stood on the loom of the same number.
    bool sameLoom(int a) const {
        const int b = m_jobs.OfAfter[size_t(a)];
        return b >= 0 && m_beforeNoOfLoom[size_t(m_b.Jobs[size_t(b)].Loom)] ==
                             m_afterNoOfLoom[size_t(m_a.Jobs[size_t(a)].Loom)];
    }
    // A paired later item whose partner stood on the partner of its warp.
    bool sameWarp(int a) const {
        const int b = m_items.OfAfter[size_t(a)];
        return b >= 0 &&
               m_jobs.OfAfter[size_t(m_a.Items[size_t(a)].Job)] == m_b.Items[size_t(b)].Job;
    }

    void pairJobs() {
        const int bn = int(m_b.Jobs.size()), an = int(m_a.Jobs.size());
        auto bNo = [this](int b) { return bJob(b).JobNo; };
        auto aNo = [this](int a) { return aJob(a).JobNo; };
        pairByNumber(m_jobs, bn, an, bNo, aNo,
                     [this](int b, int a) { return bJob(b).Kind == aJob(a).Kind; });
        auto bKey = [this](int b) { return jobKey(bJob(b)); };
        auto aKey = [this](int a) { return jobKey(aJob(a)); };
        // The same loom first, then anywhere.
        for (size_t l = 0; l + 1 < m_b.LoomFirstJob.size(); ++l) {
            const int al = m_afterLoomOf.value(m_beforeNoOfLoom[l], -1);
            if (al < 0) continue;
            pairByContent(m_jobs, range(m_b.LoomFirstJob[l], m_b.LoomFirstJob[l + 1]),
                          range(m_a.LoomFirstJob[size_t(al)], m_a.LoomFirstJob[size_t(al) + 1]),
                          bKey, aKey, m_queues);
        }
        pairByContent(m_jobs, range(0, bn), range(0, an), bKey, aKey, m_queues);
    }

    void pairItems() {
        const int bn = int(m_b.Items.size()), an = int(m_a.Items.size());
        pairByNumber(
            m_items, bn, an, [this](int b) { return m_b.Items[size_t(b)].Value->ItemNo; },
            [this](int a) { return m_a.Items[size_t(a)].Value->ItemNo; },
            [](int, int) { return true; });
        auto bKey = [this](int b) { return itemKey(*m_b.Items[size_t(b)].Value); };
        auto aKey = [this](int a) { return itemKey(*m_a.Items[size_t(a)].Value); };
        // The paired warp first, then anywhere.
        for (int b = 0; b < int(m_b.Jobs.size()); ++b) {
            const int a = m_jobs.OfBefore[size_t(b)];
            if (a < 0) continue;
            pairByContent(m_items, itemsOf(m_b, b), itemsOf(m_a, a), bKey, aKey, m_queues);
        }
        pairByContent(m_items, range(0, bn), range(0, an), bKey, aKey, m_queues);
    }

    static std::vector<int> itemsOf(const TFlatPlan& flat, int job) {
        const int first = flat.Jobs[size_t(job)].FirstItem;
        return range(first, first + int(flat.Jobs[size_t(job)].Value->Items.size()));
    }

    // For each later entry: whether it kept its order among the entries of
    // its group (loom or warp) whose partner stood in the same group. Entries
    // of one group are consecutive.
    template <typename GroupOf, typename EarlierPlace>
    static std::vector<char> orderKept(int count, GroupOf groupOf, EarlierPlace earlierPlace) {
        std::vector<char> kept(size_t(count), 1);
        std::vector<int> members, places;
        auto flush = [&] {
            const std::vector<char> run = inLongestRun(places);
            for (size_t i = 0; i < members.size(); ++i)
                kept[size_t(members[i])] = run[i];
            members.clear();
            places.clear();
        };
        for (int a = 0; a < count; ++a) {
            if (a > 0 && groupOf(a) != groupOf(a - 1)) flush();
            const int place = earlierPlace(a);
            if (place < 0) continue;
            members.push_back(a);
            places.push_back(place);
        }
        flush();
        return kept;
    }

    TVxJobDiff jobDiff(int a, bool orderKept) const {
        TVxJobDiff d;
        d.After = m_a.place(a);
        const int b = m_jobs.OfAfter[size_t(a)];
        if (b < 0) {
            d.Changes = TVxChange::Added;
            return d;
        }
        d.Match = m_jobs.How[size_t(a)];
        d.Before = m_b.place(b);
        if (!sameLoom(a) || !orderKept) d.Changes |= TVxChange::Moved;
        if (redated(bJob(b), aJob(a))) d.Changes |= TVxChange::Redated;
        d.Edits = jobEdits(bJob(b), aJob(a));
        if (d.Edits) d.Changes |= TVxChange::Edited;
        return d;
    }

    TVxItemDiff itemDiff(int a, bool orderKept) const {
        TVxItemDiff d;
        d.After = m_a.itemPlace(a);
        const int b = m_items.OfAfter[size_t(a)];
        if (b < 0) {
            d.Changes = TVxChange::Added;
            return d;
        }
        d.Match = m_items.How[size_t(a)];
        d.Before = m_b.itemPlace(b);
        if (!sameWarp(a) || !orderKept) d.Changes |= TVxChange::Moved;
        d.Edits = itemEdits(*m_b.Items[size_t(b)].Value, *m_a.Items[size_t(a)].Value);
        if (d.Edits) d.Changes |= TVxChange::Edited;
        return d;
    }

    // Where a removed one stands among the later entries: just below the
    // nearest entry above it that stayed in the group `target`.
    template <typename GroupOfLater, typename PlaceOfLater>
    static int ghostAt(const std::vector<int>& laterOf, int from, int removed, int target,
                       GroupOfLater groupOf, PlaceOfLater placeOf) {
        for (int b = removed - 1; b >= from; --b) {
            const int a = laterOf[size_t(b)];
            if (a >= 0 && groupOf(a) == target) return placeOf(a) + 1;
        }
        return 0;
    }

    TVxItemDiff removedItem(int b, int targetWarp) const {
        TVxItemDiff d;
        d.Changes = TVxChange::Removed;
        d.Before = m_b.itemPlace(b);
        const int warp = m_b.Items[size_t(b)].Job;
        d.GhostAt = targetWarp < 0
                        ? m_b.Items[size_t(b)].Place
                        : ghostAt(
                              m_items.OfBefore, m_b.Jobs[size_t(warp)].FirstItem, b, targetWarp,
                              [this](int a) { return m_a.Items[size_t(a)].Job; },
                              [this](int a) { return m_a.Items[size_t(a)].Place; });
        return d;
    }

    // Later item diffs of warp a (or, for a removed warp b, its own items),
    // with the removed items of its partner at their ghost places.
    QVector<TVxItemDiff> itemDiffs(int a, int b, const std::vector<char>& itemOrderKept) const {
        QVector<TVxItemDiff> diffs;
        if (a >= 0)
            for (int i : itemsOf(m_a, a)) {
                TVxItemDiff d = itemDiff(i, itemOrderKept[size_t(i)]);
                if (d.Changes) diffs.append(d);
            }
        if (b >= 0)
            for (int i : itemsOf(m_b, b))
                if (m_items.freeBefore(i)) diffs.append(removedItem(i, a));
        std::stable_sort(diffs.begin(), diffs.end(),
                         [](const TVxItemDiff& x, const TVxItemDiff& y) {
                             return orderKey(x, x.After.Item) < orderKey(y, y.After.Item);
                         });
        return diffs;
    }

    TVxLoomDiff& loomDiff(QVector<TVxLoomDiff>& looms, QHash<int, int>& index, int scheduleNo) {
        auto found = index.find(scheduleNo);
        if (found != index.end()) return looms[*found];
        index.insert(scheduleNo, int(looms.size()));
        TVxLoomDiff loom;
        loom.ScheduleNo = scheduleNo;
        loom.BeforeLoom = m_beforeLoomOf.value(scheduleNo, -1);
        loom.AfterLoom = m_afterLoomOf.value(scheduleNo, -1);
        looms.append(loom);
        return looms.last();
    }

    void assemble(TVxPlanDiff& diff, const std::vector<char>& jobOrderKept,
                  const std::vector<char>& itemOrderKept) {
        QVector<TVxLoomDiff> looms;
        QHash<int, int> index;
        // Every loom gets its place in the order first; empty ones go at the end.
        for (int no : m_afterNoOfLoom)
            loomDiff(looms, index, no);
        for (int no : m_beforeNoOfLoom)
            loomDiff(looms, index, no);
        for (int a = 0; a < int(m_a.Jobs.size()); ++a) {
            TVxJobDiff d = jobDiff(a, jobOrderKept[size_t(a)]);
            d.Items = itemDiffs(a, m_jobs.OfAfter[size_t(a)], itemOrderKept);
            if (!d.Items.isEmpty()) d.Changes |= TVxChange::Items;
            if (d.Changes)
                loomDiff(looms, index, m_afterNoOfLoom[size_t(d.After.Loom)]).Jobs.append(d);
        }
        for (int b = 0; b < int(m_b.Jobs.size()); ++b)
            if (m_jobs.freeBefore(b)) addRemovedJob(looms, index, b, itemOrderKept);
        for (TVxLoomDiff& loom : looms) {
            std::stable_sort(loom.Jobs.begin(), loom.Jobs.end(),
                             [](const TVxJobDiff& x, const TVxJobDiff& y) {
                                 return orderKey(x, x.After.Index) < orderKey(y, y.After.Index);
                             });
            if (!loom.Jobs.isEmpty()) diff.Looms.append(loom);
        }
    }

    void addRemovedJob(QVector<TVxLoomDiff>& looms, QHash<int, int>& index, int b,
                       const std::vector<char>& itemOrderKept) {
        const int loomNo = m_beforeNoOfLoom[size_t(m_b.Jobs[size_t(b)].Loom)];
        TVxLoomDiff& loom = loomDiff(looms, index, loomNo);
        TVxJobDiff d;
        d.Changes = TVxChange::Removed;
        d.Before = m_b.place(b);
        d.GhostAt = loom.AfterLoom < 0
                        ? d.Before.Index
                        : ghostAt(
                              m_jobs.OfBefore, m_b.LoomFirstJob[size_t(d.Before.Loom)], b,
                              loom.AfterLoom, [this](int a) { return m_a.Jobs[size_t(a)].Loom; },
                              [this](int a) { return m_a.Jobs[size_t(a)].Place; });
        d.Items = itemDiffs(-1, b, itemOrderKept);
        loom.Jobs.append(d);
    }

    TFlatPlan m_b;
    TFlatPlan m_a;
    TPairing m_jobs;
    TPairing m_items;
    QHash<int, int> m_afterLoomOf; // loom number -> index
    QHash<int, int> m_beforeLoomOf;
    std::vector<int> m_beforeNoOfLoom; // index -> loom number
    std::vector<int> m_afterNoOfLoom;
    TContentQueues m_queues;
};
} // namespace

int TVxPlanDiff::JobCount() const {
    int count = 0;
    for (const TVxLoomDiff& loom : Looms)
        count += int(loom.Jobs.size());
    return count;
}

int TVxPlanDiff::ItemCount() const {
    int count = 0;
    for (const TVxLoomDiff& loom : Looms)
        for (const TVxJobDiff& job : loom.Jobs)
            count += int(job.Items.size());
    return count;
}

const TVxPlanJob& TVxPlanDiff::BeforeJob(const TVxJobPlace& place) const {
    return Before.Looms[place.Loom].Jobs[place.Index];
}
const TVxPlanJob& TVxPlanDiff::AfterJob(const TVxJobPlace& place) const {
    return After.Looms[place.Loom].Jobs[place.Index];
}
const TVxPlanItem& TVxPlanDiff::BeforeItem(const TVxItemPlace& place) const {
    return BeforeJob(place.Job).Items[place.Item];
}
const TVxPlanItem& TVxPlanDiff::AfterItem(const TVxItemPlace& place) const {
    return AfterJob(place.Job).Items[place.Item];
}

TVxPlanDiff VxComparePlans(const TVxPlan& before, const TVxPlan& after) {
    TVxPlanDiff diff;
    diff.Before = before;
    diff.After = after;
    // The flat views point into the diff's own copies, which live on.
    TComparer comparer(diff.Before, diff.After);
    comparer.run(diff);
    return diff;
}
