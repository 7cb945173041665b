// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxChangeRows.h"

#include "VxDate.h"

#include <QCoreApplication>
#include <QHash>

namespace {
QString dates(const TVxPlanJob& job) {
    return VxDayText(job.StartDate) + QStringLiteral(" - ") +
           (job.FinishDate != 0 ? VxDayText(job.FinishDate) : QString());
}

QString placeText(int place) {
    return QCoreApplication::translate("VxChangeRows", "place %1").arg(place + 1);
}

QString reedText(const TVxPlanJob& reed) {
    return QCoreApplication::translate("VxChangeRows", "%1 ends, %2/cm")
        .arg(reed.TotalEnds)
        .arg(double(reed.DentsPerCm));
}

class TRowWriter {
public:
    TRowWriter(const TVxPlanDiff& diff, const TVxCompareNames& names)
        : m_diff(diff), m_names(names) {}

    QVector<TVxChangeRow> rows() {
        for (int l = 0; l < m_diff.Looms.size(); ++l)
            for (int j = 0; j < m_diff.Looms[l].Jobs.size(); ++j)
                writeJob(l, j);
        return m_rows;
    }

private:
    // Asked once per loom: a long list names the same looms many times.
    QString loomName(int scheduleNo) {
        auto found = m_loomNames.find(scheduleNo);
        if (found == m_loomNames.end())
            found = m_loomNames.insert(scheduleNo, m_names.Loom ? m_names.Loom(scheduleNo)
                                                                : VxLoomName(m_diff, scheduleNo));
        return *found;
    }
    QString loomName(const TVxPlan& plan, int loom) {
        return loomName(plan.Looms[loom].ScheduleNo);
    }
    QString where(const TVxPlan& plan, const TVxJobPlace& place) {
        return loomName(plan, place.Loom) + QStringLiteral(", ") + placeText(place.Index);
    }
    static QString matched(TVxMatch match) {
        switch (match) {
        case TVxMatch::Number:
            return QCoreApplication::translate("VxChangeRows", "number");
        case TVxMatch::Content:
            return QCoreApplication::translate("VxChangeRows", "content");
        case TVxMatch::None:
            break;
        }
        return {};
    }

    void add(const QString& change, const QString& was, const QString& now) {
        TVxChangeRow row = m_current;
        row.Change = change;
        row.Was = was;
        row.Now = now;
        m_rows.append(row);
    }

    void writeJob(int l, int j) {
        const TVxLoomDiff& loom = m_diff.Looms[l];
        const TVxJobDiff& d = loom.Jobs[j];
        const bool removed = d.Changes.testFlag(TVxChange::Removed);
        const TVxPlanJob& job = removed ? m_diff.BeforeJob(d.Before) : m_diff.AfterJob(d.After);
        m_current = TVxChangeRow();
        m_current.Loom = l;
        m_current.Job = j;
        m_current.LoomName = loomName(loom.ScheduleNo);
        m_current.JobText = m_names.Job ? m_names.Job(job) : QString::number(job.JobNo);
        m_current.MatchedBy = matched(d.Match);
        if (d.Changes.testFlag(TVxChange::Added))
            add(QCoreApplication::translate("VxChangeRows", "Added"), {},
                where(m_diff.After, d.After));
        if (removed)
            add(QCoreApplication::translate("VxChangeRows", "Removed"),
                where(m_diff.Before, d.Before), {});
        if (d.Changes.testFlag(TVxChange::Moved))
            add(QCoreApplication::translate("VxChangeRows", "Moved"),
                where(m_diff.Before, d.Before), where(m_diff.After, d.After));
        if (d.Changes.testFlag(TVxChange::Redated))
            add(QCoreApplication::translate("VxChangeRows", "Re-dated"),
                dates(m_diff.BeforeJob(d.Before)), dates(job));
        if (d.Changes.testFlag(TVxChange::Edited))
            writeEdits(d.Edits, m_diff.BeforeJob(d.Before), job);
        const TVxChangeRow jobRow = m_current;
        for (int i = 0; i < d.Items.size(); ++i) {
            const TVxItemDiff& item = d.Items[i];
            // Items that came or went with their warp need no row.
            if ((d.Changes & item.Changes & (TVxChange::Added | TVxChange::Removed))) continue;
            m_current = jobRow;
            writeItem(i, item, d.Before);
        }
    }

    void writeEdits(TVxEdits edits, const TVxPlanJob& was, const TVxPlanJob& now) {
        if (edits.testFlag(TVxEdit::WarpType))
            add(QCoreApplication::translate("VxChangeRows", "Warp type"), was.WarpType,
                now.WarpType);
        if (edits.testFlag(TVxEdit::WarpCol))
            add(QCoreApplication::translate("VxChangeRows", "Colour"), was.WarpCol, now.WarpCol);
        if (edits.testFlag(TVxEdit::WarpLen))
            add(QCoreApplication::translate("VxChangeRows", "Length"), QString::number(was.WarpLen),
                QString::number(now.WarpLen));
        if (edits.testFlag(TVxEdit::Ends))
            add(QCoreApplication::translate("VxChangeRows", "Reed"), reedText(was), reedText(now));
        if (edits.testFlag(TVxEdit::Descr))
            add(QCoreApplication::translate("VxChangeRows", "Description"), was.Descr, now.Descr);
    }

    QString itemWhere(const TVxPlan& plan, const TVxItemPlace& place, bool withWarp) const {
        if (!withWarp) return placeText(place.Item);
        const TVxPlanJob& warp = plan.Looms[place.Job.Loom].Jobs[place.Job.Index];
        return (m_names.Job ? m_names.Job(warp) : QString::number(warp.JobNo)) +
               QStringLiteral(", ") + placeText(place.Item);
    }

    // warpBefore: where the warp listing the item stood before.
    void writeItem(int i, const TVxItemDiff& d, const TVxJobPlace& warpBefore) {
        const bool removed = d.Changes.testFlag(TVxChange::Removed);
        const TVxPlanItem& item = removed ? m_diff.BeforeItem(d.Before) : m_diff.AfterItem(d.After);
        m_current.Item = i;
        m_current.ItemText = m_names.Item ? m_names.Item(item) : QString::number(item.ItemNo);
        m_current.MatchedBy = matched(d.Match);
        if (d.Changes.testFlag(TVxChange::Added))
            add(QCoreApplication::translate("VxChangeRows", "Added"), {}, placeText(d.After.Item));
        if (removed)
            add(QCoreApplication::translate("VxChangeRows", "Removed"), placeText(d.Before.Item),
                {});
        if (d.Changes.testFlag(TVxChange::Moved)) {
            // Another warp is named; a new place on the same warp is enough.
            const bool otherWarp = !(d.Before.Job == warpBefore);
            add(QCoreApplication::translate("VxChangeRows", "Moved"),
                itemWhere(m_diff.Before, d.Before, otherWarp), placeText(d.After.Item));
        }
        if (d.Edits.testFlag(TVxEdit::Fabric)) {
            const TVxPlanItem& was = m_diff.BeforeItem(d.Before);
            add(QCoreApplication::translate("VxChangeRows", "Fabric"),
                m_names.Item ? m_names.Item(was) : QString(), m_current.ItemText);
        }
        if (d.Edits.testFlag(TVxEdit::Pieces))
            add(QCoreApplication::translate("VxChangeRows", "Pieces"),
                QString::number(m_diff.BeforeItem(d.Before).Pieces), QString::number(item.Pieces));
    }

    const TVxPlanDiff& m_diff;
    const TVxCompareNames& m_names;
    TVxChangeRow m_current;
    QVector<TVxChangeRow> m_rows;
    QHash<int, QString> m_loomNames;
};
} // namespace

QString VxLoomName(const TVxPlanDiff& diff, int scheduleNo) {
    for (const TVxPlan* plan : {&diff.After, &diff.Before})
        if (const TVxPlanLoom* loom = plan->Loom(scheduleNo); loom && !loom->Name.isEmpty())
            return loom->Name;
    return QString::number(scheduleNo);
}

QVector<TVxChangeRow> VxChangeRows(const TVxPlanDiff& diff, const TVxCompareNames& names) {
    return TRowWriter(diff, names).rows();
}
