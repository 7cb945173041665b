// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxKnockOn.h"

#include "VxDate.h"

#include <QCoreApplication>
#include <QHash>
#include <algorithm>
#include <cmath>

namespace {
// Jobs are known by kind and number wherever the edit puts them.
using TJobKey = QPair<int, int>;
TJobKey keyOf(const TVxPlanJob& job) {
    return {int(job.Kind), job.JobNo};
}

QString dayText(double day) {
    return day == 0 ? QCoreApplication::translate("VxKnockOn", "none") : VxDateToStr(day);
}

int days(double from, double to) {
    return int(std::lround(to - from));
}

QString daysText(int count) {
    return count == 1 ? QCoreApplication::translate("VxKnockOn", "1 day")
                      : QCoreApplication::translate("VxKnockOn", "%1 days").arg(count);
}

// The same kept on one line where a narrow column wraps the text.
QString daysTextWhole(int count) {
    return daysText(count).replace(QLatin1Char(' '), QChar::Nbsp);
}

double lastFinish(const TVxPlanLoom& loom) {
    return loom.Jobs.isEmpty() ? 0 : loom.Jobs.last().FinishDate;
}

// "6 jobs later by 2 days", "1 job earlier by 1 to 3 days".
QString shiftPart(const QVector<int>& amounts, bool later) {
    const auto [low, high] = std::minmax_element(amounts.begin(), amounts.end());
    const QString jobs =
        amounts.size() == 1
            ? QCoreApplication::translate("VxKnockOn", "1 job")
            : QCoreApplication::translate("VxKnockOn", "%1 jobs").arg(amounts.size());
    const QString by =
        *low == *high
            ? daysText(*low)
            : QCoreApplication::translate("VxKnockOn", "%1 to %2").arg(*low).arg(daysText(*high));
    return (later ? QCoreApplication::translate("VxKnockOn", "%1 later by %2")
                  : QCoreApplication::translate("VxKnockOn", "%1 earlier by %2"))
        .arg(jobs, by);
}
} // namespace

QString TVxLoomKnockOn::FooterText() const {
    const QString before = dayText(FinishBefore);
    if (FinishBefore == FinishAfter)
        return QCoreApplication::translate("VxKnockOn", "finishes %1, unchanged").arg(before);
    QString text = QCoreApplication::translate("VxKnockOn", "finishes %1 → %2")
                       .arg(before, dayText(FinishAfter));
    if (FinishBefore != 0 && FinishAfter != 0) {
        const int change = days(FinishBefore, FinishAfter);
        text +=
            QStringLiteral(", %1%2").arg(change > 0 ? "+" : "-", daysTextWhole(std::abs(change)));
    }
    return text;
}

QString TVxLoomKnockOn::ChangeText() const {
    QVector<int> later;
    QVector<int> earlier;
    for (int shift : Shifts) {
        if (shift > 0) later << shift;
        if (shift < 0) earlier << -shift;
    }
    QStringList parts;
    if (!later.isEmpty()) parts << shiftPart(later, true);
    if (!earlier.isEmpty()) parts << shiftPart(earlier, false);
    if (parts.isEmpty() && FinishBefore != 0 && FinishAfter != 0 && FinishBefore != FinishAfter) {
        const int change = days(FinishBefore, FinishAfter);
        parts << (change > 0 ? QCoreApplication::translate("VxKnockOn", "finishes %1 later")
                             : QCoreApplication::translate("VxKnockOn", "finishes %1 earlier"))
                     .arg(daysText(std::abs(change)));
    }
    return parts.join(QStringLiteral(", "));
}

TVxKnockOn::TVxKnockOn(const TVxPlan& before, const QVector<int>& looms,
                       const QVector<TVxPlanLoom>& after, const TVxWeaveRefs& refs) {
    // Where each job stands after the edit: its loom (by order in looms)
    // and the job itself.
    QMultiHash<TJobKey, QPair<int, const TVxPlanJob*>> placed;
    for (int l = 0; l < after.size(); ++l)
        for (const TVxPlanJob& job : after[l].Jobs)
            placed.insert(keyOf(job), {l, &job});
    for (int l = 0; l < looms.size() && l < after.size(); ++l) {
        const TVxPlanLoom& was = before.Looms.at(looms[l]);
        TVxLoomKnockOn loom;
        loom.Loom = looms[l];
        loom.Name = was.Name;
        loom.FinishBefore = lastFinish(was);
        loom.FinishAfter = lastFinish(after[l]);
        for (const TVxPlanJob& job : was.Jobs) {
            TVxJobKnockOn knock;
            const auto found = placed.constFind(keyOf(job));
            if (found != placed.constEnd()) {
                const TVxPlanJob& now = *found->second;
                knock.Redated = now.StartDate != job.StartDate || now.FinishDate != job.FinishDate;
                knock.StartDate = now.StartDate;
                knock.FinishDate = now.FinishDate;
                knock.Remaining = PlanWarpRemaining(now, refs);
                knock.Refilled = !(knock.Remaining == PlanWarpRemaining(job, refs));
                if (knock.Redated && found->first == l)
                    loom.Shifts << (now.StartDate != job.StartDate
                                        ? days(job.StartDate, now.StartDate)
                                        : days(job.FinishDate, now.FinishDate));
            }
            loom.Jobs << knock;
        }
        m_looms << loom;
    }
}

const TVxLoomKnockOn* TVxKnockOn::Loom(int loom) const {
    for (const TVxLoomKnockOn& knock : m_looms)
        if (knock.Loom == loom) return &knock;
    return nullptr;
}

QString TVxKnockOn::Summary(int first) const {
    QStringList parts;
    for (const TVxLoomKnockOn& loom : m_looms) {
        const QString shift = loom.ChangeText();
        if (shift.isEmpty()) continue;
        const QString part = loom.Name + QStringLiteral(": ") + shift;
        if (loom.Loom == first)
            parts.prepend(part);
        else
            parts << part;
    }
    return parts.isEmpty() ? QCoreApplication::translate("VxKnockOn", "No dates change")
                           : parts.join(QStringLiteral("; "));
}
