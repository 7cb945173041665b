// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxPlanCommand.h"

#include "VxAbort.h"
#include "VxNumbers.h"
#include "VxWeaPlan.h"

namespace {
QString jobLabel(const TVxPlanJob& job) {
    return PlanJobLabel(job);
}

void takeFirstStart(TVxPlanLoom& loom) {
    loom.StartDate = loom.Jobs.isEmpty() ? 0 : loom.Jobs.first().StartDate;
}

QVector<int> allLooms(const TVxPlan& plan) {
    QVector<int> looms;
    for (int i = 0; i < plan.Looms.size(); ++i)
        looms << i;
    return looms;
}

QVector<int> oneOrTwo(int a, int b) {
    return a == b ? QVector<int>{a} : QVector<int>{a, b};
}
} // namespace

TVxPlanLoom& TVxPlanEdit::Loom(int planIndex) {
    const int i = LoomIndexes.indexOf(planIndex);
    if (i < 0)
        throw EVxError(TVxPlanCommand::tr("Loom %1 is not part of this edit").arg(planIndex));
    return Looms[i];
}

// ---------------------------------------------------------------------------
// TVxPlanCommand

TVxPlanCommand::TVxPlanCommand(TVxPlanDocument& doc, const QVector<int>& looms)
    : m_doc(doc), m_looms(looms) {
    for (int loom : looms)
        if (loom < 0 || loom >= doc.plan().Looms.size())
            throw EVxError(TVxPlanCommand::tr("No loom at position %1").arg(loom));
}

TVxPlanCommand::~TVxPlanCommand() = default;

const TVxPlanJob& TVxPlanCommand::jobAt(const TVxJobPlace& place) const {
    if (place.Loom < 0 || place.Loom >= plan().Looms.size())
        throw EVxError(TVxPlanCommand::tr("No loom at position %1").arg(place.Loom));
    const TVxPlanLoom& loom = plan().Looms[place.Loom];
    if (place.Index < 0 || place.Index >= loom.Jobs.size())
        throw EVxError(
            TVxPlanCommand::tr("No job at position %1 on %2").arg(place.Index).arg(loom.Name));
    return loom.Jobs[place.Index];
}

void TVxPlanCommand::checkItem(const TVxJobPlace& place, int item) const {
    const TVxPlanJob& job = jobAt(place);
    if (item < 0 || item >= job.Items.size())
        throw EVxError(
            TVxPlanCommand::tr("No fabric at position %1 on %2").arg(item).arg(jobLabel(job)));
}

TVxPlanEdit TVxPlanCommand::Edited(const TVxPlan& plan, const TVxWeaveRefs& refs) const {
    TVxPlanEdit edit;
    edit.LoomIndexes = m_looms;
    for (int loom : m_looms)
        edit.Looms << plan.Looms.at(loom);
    edit.NextJobNo = plan.NextJobNo;
    edit.NextItemNo = plan.NextItemNo;
    apply(edit);
    if (settles())
        for (TVxPlanLoom& loom : edit.Looms)
            SettleLoom(loom, refs);
    return edit;
}

QVector<TVxPlanLoom> TVxPlanCommand::PreviewLooms() const {
    return Edited(m_doc.plan(), m_doc.Refs()).Looms;
}

bool TVxPlanCommand::prepare() {
    const TVxPlan& now = m_doc.plan();
    const TVxPlanEdit edit = Edited(now, m_doc.Refs());
    m_before.clear();
    for (int loom : m_looms)
        m_before << now.Looms[loom];
    m_after = edit.Looms;
    m_jobNoBefore = now.NextJobNo;
    m_itemNoBefore = now.NextItemNo;
    m_jobNoAfter = edit.NextJobNo;
    m_itemNoAfter = edit.NextItemNo;
    m_linkBefore = m_doc.ScenarioLink();
    m_cleanAfterKept = linkAfter().has_value();
    return m_after != m_before || m_jobNoAfter != m_jobNoBefore ||
           m_itemNoAfter != m_itemNoBefore || (linkAfter() && *linkAfter() != m_linkBefore) ||
           m_cleanAfterKept;
}

void TVxPlanCommand::redo() {
    m_doc.putLooms(m_looms, m_after, m_jobNoAfter, m_itemNoAfter);
    if (const std::optional<TVxScenarioLink> link = linkAfter()) m_doc.putLink(*link);
}

void TVxPlanCommand::undo() {
    m_doc.putLooms(m_looms, m_before, m_jobNoBefore, m_itemNoBefore);
    if (linkAfter()) m_doc.putLink(m_linkBefore);
}

// ---------------------------------------------------------------------------
// Jobs

TVxAddJobCommand::TVxAddJobCommand(TVxPlanDocument& doc, int loom, const TVxPlanJob& job)
    : TVxPlanCommand(doc, {loom}), m_loom(loom), m_job(job) {
    VxRequireNextNumber(plan().NextJobNo, TVxNumbered::Job);
    TVxPlanJob numbered = job;
    numbered.JobNo = plan().NextJobNo;
    setText(TVxPlanCommand::tr("Add %1 to %2").arg(jobLabel(numbered), loomName(loom)));
}

void TVxAddJobCommand::apply(TVxPlanEdit& edit) const {
    TVxPlanLoom& loom = edit.Loom(m_loom);
    TVxPlanJob job = m_job;
    job.JobNo = VxTakeNumber(edit.NextJobNo, TVxNumbered::Job);
    if (loom.Jobs.isEmpty()) loom.StartDate = job.StartDate;
    loom.Jobs.append(job);
}

TVxEditJobCommand::TVxEditJobCommand(TVxPlanDocument& doc, const TVxJobPlace& place,
                                     const TVxPlanJob& job)
    : TVxPlanCommand(doc, {place.Loom}), m_place(place), m_job(job) {
    setText(TVxPlanCommand::tr("Edit %1").arg(jobLabel(jobAt(place))));
}

void TVxEditJobCommand::apply(TVxPlanEdit& edit) const {
    TVxPlanLoom& loom = edit.Loom(m_place.Loom);
    TVxPlanJob& job = loom.Jobs[m_place.Index];
    const int jobNo = job.JobNo;
    const QVector<TVxPlanItem> items = job.Items;
    job = m_job;
    job.JobNo = jobNo;
    job.Items = items;
    if (m_place.Index == 0) loom.StartDate = job.StartDate;
}

TVxMoveJobCommand::TVxMoveJobCommand(TVxPlanDocument& doc, const TVxJobPlace& from, int toLoom,
                                     int toIndex)
    : TVxPlanCommand(doc, oneOrTwo(from.Loom, toLoom)), m_from(from), m_toLoom(toLoom),
      m_toIndex(toIndex) {
    const TVxPlanJob& job = jobAt(from);
    const int room = plan().Looms[toLoom].Jobs.size() - (toLoom == from.Loom ? 1 : 0);
    if (toIndex < 0 || toIndex > room)
        throw EVxError(TVxPlanCommand::tr("No place %1 on %2").arg(toIndex).arg(loomName(toLoom)));
    setText(toLoom == from.Loom
                ? TVxPlanCommand::tr("Move %1 within %2").arg(jobLabel(job), loomName(toLoom))
                : TVxPlanCommand::tr("Move %1 to %2").arg(jobLabel(job), loomName(toLoom)));
}

void TVxMoveJobCommand::apply(TVxPlanEdit& edit) const {
    TVxPlanLoom& source = edit.Loom(m_from.Loom);
    const TVxPlanJob job = source.Jobs.takeAt(m_from.Index);
    TVxPlanLoom& target = edit.Loom(m_toLoom);
    if (m_toLoom != m_from.Loom) {
        takeFirstStart(source);
        if (target.Jobs.isEmpty()) target.StartDate = job.StartDate;
    }
    target.Jobs.insert(m_toIndex, job);
}

TVxRemoveJobsCommand::TVxRemoveJobsCommand(TVxPlanDocument& doc, const TVxJobPlace& first,
                                           int count, bool clearing)
    : TVxPlanCommand(doc, {first.Loom}), m_first(first), m_count(count) {
    const TVxPlanJob& job = jobAt(first);
    const int jobs = plan().Looms[first.Loom].Jobs.size();
    if (count < 1 || first.Index + count > jobs)
        throw EVxError(
            TVxPlanCommand::tr("No %1 jobs to remove on %2").arg(count).arg(loomName(first.Loom)));
    if (clearing && count == jobs)
        setText(TVxPlanCommand::tr("Clear %1").arg(loomName(first.Loom)));
    else if (count == 1)
        setText(TVxPlanCommand::tr("Remove %1").arg(jobLabel(job)));
    else
        setText(TVxPlanCommand::tr("Remove %1 jobs from %2").arg(count).arg(loomName(first.Loom)));
}

void TVxRemoveJobsCommand::apply(TVxPlanEdit& edit) const {
    TVxPlanLoom& loom = edit.Loom(m_first.Loom);
    loom.Jobs.remove(m_first.Index, m_count);
    // The jobs left keep their dates until the next re-dating.
    takeFirstStart(loom);
}

// ---------------------------------------------------------------------------
// Fabric items

TVxAddItemCommand::TVxAddItemCommand(TVxPlanDocument& doc, const TVxJobPlace& job,
                                     const TVxPlanItem& item)
    : TVxPlanCommand(doc, {job.Loom}), m_job(job), m_item(item) {
    const TVxPlanJob& warp = jobAt(job);
    if (warp.Kind != TVxPlanJobKind::Warp)
        throw EVxError(TVxPlanCommand::tr("Fabric can only go on a warp"));
    VxRequireNextNumber(plan().NextItemNo, TVxNumbered::Item);
    setText(TVxPlanCommand::tr("Add %1 to %2").arg(PlanFabricLabel(item), jobLabel(warp)));
}

void TVxAddItemCommand::apply(TVxPlanEdit& edit) const {
    TVxPlanItem item = m_item;
    item.ItemNo = VxTakeNumber(edit.NextItemNo, TVxNumbered::Item);
    edit.Loom(m_job.Loom).Jobs[m_job.Index].Items.append(item);
}

TVxEditItemCommand::TVxEditItemCommand(TVxPlanDocument& doc, const TVxJobPlace& job, int item,
                                       int32_t pieces)
    : TVxPlanCommand(doc, {job.Loom}), m_job(job), m_item(item), m_pieces(pieces) {
    checkItem(job, item);
    TVxPlanItem after = jobAt(job).Items[item];
    after.Pieces = pieces;
    setText(TVxPlanCommand::tr("Edit %1").arg(PlanFabricLabel(after)));
}

void TVxEditItemCommand::apply(TVxPlanEdit& edit) const {
    edit.Loom(m_job.Loom).Jobs[m_job.Index].Items[m_item].Pieces = m_pieces;
}

TVxMoveItemCommand::TVxMoveItemCommand(TVxPlanDocument& doc, const TVxJobPlace& from, int item,
                                       const TVxJobPlace& to, int toIndex)
    : TVxPlanCommand(doc, oneOrTwo(from.Loom, to.Loom)), m_from(from), m_item(item), m_to(to),
      m_toIndex(toIndex) {
    checkItem(from, item);
    const TVxPlanJob& target = jobAt(to);
    if (target.Kind != TVxPlanJobKind::Warp)
        throw EVxError(TVxPlanCommand::tr("Fabric can only go on a warp"));
    const bool sameJob = from.Loom == to.Loom && from.Index == to.Index;
    const int room = target.Items.size() - (sameJob ? 1 : 0);
    if (toIndex < 0 || toIndex > room)
        throw EVxError(TVxPlanCommand::tr("No place %1 on %2").arg(toIndex).arg(jobLabel(target)));
    const TVxPlanItem& moved = jobAt(from).Items[item];
    setText(
        (sameJob ? TVxPlanCommand::tr("Move %1 within %2") : TVxPlanCommand::tr("Move %1 to %2"))
            .arg(PlanFabricLabel(moved), jobLabel(target)));
}

void TVxMoveItemCommand::apply(TVxPlanEdit& edit) const {
    const TVxPlanItem item = edit.Loom(m_from.Loom).Jobs[m_from.Index].Items.takeAt(m_item);
    edit.Loom(m_to.Loom).Jobs[m_to.Index].Items.insert(m_toIndex, item);
}

TVxRemoveItemsCommand::TVxRemoveItemsCommand(TVxPlanDocument& doc, const TVxJobPlace& job, int item)
    : TVxPlanCommand(doc, {job.Loom}), m_job(job), m_item(item) {
    const TVxPlanJob& warp = jobAt(job);
    if (item >= 0) {
        checkItem(job, item);
        setText(TVxPlanCommand::tr("Remove %1").arg(PlanFabricLabel(warp.Items[item])));
    } else {
        setText(TVxPlanCommand::tr("Clear fabrics of %1").arg(jobLabel(warp)));
    }
}

void TVxRemoveItemsCommand::apply(TVxPlanEdit& edit) const {
    QVector<TVxPlanItem>& items = edit.Loom(m_job.Loom).Jobs[m_job.Index].Items;
    if (m_item >= 0)
        items.remove(m_item);
    else
        items.clear();
}

// ---------------------------------------------------------------------------
// The whole scenario

TVxClearScenarioCommand::TVxClearScenarioCommand(TVxPlanDocument& doc)
    : TVxPlanCommand(doc, allLooms(doc.plan())) {
    setText(TVxPlanCommand::tr("Clear all jobs"));
}

void TVxClearScenarioCommand::apply(TVxPlanEdit& edit) const {
    for (TVxPlanLoom& loom : edit.Looms) {
        loom.Jobs.clear();
        loom.StartDate = 0;
    }
    edit.NextJobNo = 1;
    edit.NextItemNo = 1;
}

TVxLoadCommand::TVxLoadCommand(TVxPlanDocument& doc, const TVxPlan& loaded,
                               const TVxScenarioLink& link)
    : TVxPlanCommand(doc, allLooms(doc.plan())), m_loaded(loaded), m_link(link) {
    setText(TVxPlanCommand::tr("Load %1").arg(link.Name));
}

void TVxLoadCommand::apply(TVxPlanEdit& edit) const {
    for (TVxPlanLoom& loom : edit.Looms) {
        const TVxPlanLoom* stored = m_loaded.Loom(loom.ScheduleNo);
        loom.Jobs = stored ? stored->Jobs : QVector<TVxPlanJob>();
        takeFirstStart(loom);
    }
    edit.NextJobNo = m_loaded.NextJobNo;
    edit.NextItemNo = m_loaded.NextItemNo;
}
