// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxPlantLoad.h"

#include <algorithm>
#include <cmath>

void TVxPlantLoad::Reset(const TVxPlan& plan, int first, int last) {
    m_first = first;
    m_busy = QVector<int>(std::max(0, last - first + 1), 0);
    m_share = QVector<double>(plan.Looms.size(), 0.0);
    m_spans = QVector<QVector<QPair<double, double>>>(plan.Looms.size());
    QVector<int> all;
    for (int i = 0; i < plan.Looms.size(); ++i)
        all << i;
    Update(plan, all);
}

void TVxPlantLoad::Update(const TVxPlan& plan, const QVector<int>& looms) {
    if (plan.Looms.size() != m_share.size()) {
        Reset(plan, m_first, m_first + DayCount() - 1);
        return;
    }
    const double length = DayCount();
    for (int loom : looms) {
        if (loom < 0 || loom >= plan.Looms.size()) continue;
        count(loom, m_spans[loom], -1);
        m_spans[loom] = weaving(plan.Looms[loom]);
        count(loom, m_spans[loom], +1);
        double weaving = 0;
        for (const auto& span : m_spans[loom])
            weaving += span.second - span.first;
        m_share[loom] = length > 0 ? weaving / length : 0;
    }
}

QVector<QPair<double, double>> TVxPlantLoad::weaving(const TVxPlanLoom& loom) const {
    const double from = m_first;
    const double to = m_first + DayCount();
    QVector<QPair<double, double>> spans;
    for (const TVxPlanJob& job : loom.Jobs) {
        if (job.Kind != TVxPlanJobKind::Warp) continue;
        const double start = std::max(job.StartDate, from);
        const double finish = std::min(job.FinishDate, to);
        if (finish > start) spans.push_back({start, finish});
    }
    // Warps follow one another; merging keeps an overlap (from odd data)
    // from counting twice.
    std::sort(spans.begin(), spans.end());
    QVector<QPair<double, double>> merged;
    for (const auto& span : spans) {
        if (!merged.isEmpty() && span.first <= merged.last().second)
            merged.last().second = std::max(merged.last().second, span.second);
        else
            merged.push_back(span);
    }
    return merged;
}

void TVxPlantLoad::count(int, const QVector<QPair<double, double>>& spans, int sign) {
    int lastDay = -1;
    for (const auto& span : spans) {
        // Every day the span reaches into; a day two warps share counts once.
        const int from = std::max(int(std::floor(span.first)) - m_first, lastDay + 1);
        const int to = int(std::ceil(span.second)) - m_first - 1;
        for (int d = from; d <= to && d < m_busy.size(); ++d)
            m_busy[d] += sign;
        lastDay = std::max(lastDay, to);
    }
}
