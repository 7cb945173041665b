// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardDragPreview.h"

#include "BoardController.h"
#include "BoardView.h"
#include "VxAbort.h"
#include "VxKnockOn.h"
#include "VxPlanCommand.h"
#include "VxSched.h"

TBoardDragPreview::TBoardDragPreview(TVxPlanDocument& doc, TBoardView& view,
                                     TBoardController& controller, QObject* parent)
    : QObject(parent), m_doc(doc), m_view(view), m_controller(controller) {
    // The verdicts hold for the plan they were worked out on; an edit while
    // a drag shows them (none is made from the board then) ends the show.
    connect(&doc, &TVxPlanDocument::LoomsChanged, this, [this] {
        if (m_outlook) DragEnd();
    });
}

void TBoardDragPreview::Bind(TVxScheduleBox* box) {
    box->OnDragBegin = [this](QObject* source) { DragBegin(source); };
    box->OnDragPlace = [this](TVxJobSchedule* schedule, TVxJob* job, int index, bool accept) {
        DragPlace(schedule, job, index, accept);
    };
    box->OnDragEnd = [this](QObject*) { DragEnd(); };
}

void TBoardDragPreview::DragBegin(QObject* Source) {
    DragEnd();
    auto* item = dynamic_cast<TVxJobItem*>(Source);
    TVxJob* job = item ? item->Job() : dynamic_cast<TVxJob*>(Source);
    if (!job || m_view.LoomOf(job->Schedule()) < 0) return;
    // The marks and previews are per job as the columns show them.
    if (!m_view.Drawn()) m_view.DrawAll();
    const TVxPlan& plan = m_doc.plan();
    const TVxJobPlace from = m_view.PlaceOf(job);
    m_outlook = item ? TVxDragOutlook::ForItem(plan, m_doc.Rules(), from, m_view.ItemIndexOf(item))
                     : TVxDragOutlook::ForJob(plan, m_doc.Rules(), from);
    m_source = Source;
    m_base.assign(size_t(plan.Looms.size()), TVxColumnDecoration());
    for (int loom = 0; loom < plan.Looms.size(); ++loom) {
        const TVxLoomOutlook& outlook = m_outlook->Loom(loom);
        m_base[size_t(loom)].Verdict =
            outlook.Open ? TVxColumnVerdict::Open : TVxColumnVerdict::Closed;
        m_base[size_t(loom)].Reason = outlook.Reason;
    }
    decorateColumns(m_base);
}

void TBoardDragPreview::DragPlace(TVxJobSchedule* Schedule, TVxJob* Job, int Index, bool Accept) {
    if (!m_outlook || !m_source) return;
    const Place place{Schedule, Job, Index, Accept};
    if (m_place && *m_place == place) return;
    m_place = place;
    std::vector<TVxColumnDecoration> shown = m_base;
    const int loom = m_view.LoomOf(Schedule);
    std::optional<TVxKnockOn> knock;
    if (loom >= 0 && loom < int(shown.size())) {
        markPlaces(loom, shown);
        if (Index >= 0) knock = knockOn(place, loom);
        if (knock) previewDrop(*knock, Accept, loom, shown);
    }
    decorateColumns(shown);
    setSummary(knock && Accept ? knock->Summary(loom) : QString());
}

void TBoardDragPreview::DragEnd() {
    const size_t looms = m_base.size();
    m_outlook.reset();
    m_place.reset();
    m_source = nullptr;
    m_base.clear();
    if (looms > 0) decorateColumns(std::vector<TVxColumnDecoration>(looms));
    setSummary(QString());
}

void TBoardDragPreview::markPlaces(int loom, std::vector<TVxColumnDecoration>& shown) const {
    TVxColumnDecoration& decoration = shown[size_t(loom)];
    // A loom that takes nothing is dimmed as a whole already.
    if (decoration.Verdict != TVxColumnVerdict::Open) return;
    const std::vector<TVxDragVerdict>& places = m_outlook->Places(loom);
    QVector<int>& refused =
        m_outlook->DragsItem() ? decoration.RefusedJobs : decoration.RefusedPlaces;
    for (int i = 0; i < int(places.size()); ++i)
        if (!places[size_t(i)].Accept) refused << i;
}

std::optional<TVxKnockOn> TBoardDragPreview::knockOn(const Place& place, int loom) const {
    auto* item = dynamic_cast<TVxJobItem*>(m_source.data());
    auto* job = dynamic_cast<TVxJob*>(m_source.data());
    if (!place.Accept) {
        // Only a fabric the warp would take but for its room shows anything.
        if (!item || !place.Job) return std::nullopt;
        const int target = m_view.PlaceOf(place.Job).Index;
        const std::vector<TVxDragVerdict>& places = m_outlook->Places(loom);
        if (target >= int(places.size()) || places[size_t(target)].Reason != VxNoCapacityLeft())
            return std::nullopt;
    }
    std::unique_ptr<TVxPlanCommand> command;
    if (item && place.Job)
        command = m_controller.ItemDropCommand(place.Job, item, place.Index);
    else if (job && place.Schedule)
        command = m_controller.JobDropCommand(place.Schedule, job, place.Index);
    else
        return std::nullopt;
    return TVxKnockOn(m_doc.plan(), command->Looms(), m_doc.Preview(*command), m_doc.Refs());
}

void TBoardDragPreview::previewDrop(const TVxKnockOn& knock, bool accepted, int loom,
                                    std::vector<TVxColumnDecoration>& shown) const {
    // A refused fabric shows only the warp under the pointer.
    const int target = accepted || !m_place->Job ? -1 : m_view.PlaceOf(m_place->Job).Index;
    for (const TVxLoomKnockOn& touched : knock.Looms()) {
        if (touched.Loom < 0 || touched.Loom >= int(shown.size())) continue;
        TVxColumnDecoration& decoration = shown[size_t(touched.Loom)];
        if (accepted) decoration.Footer = touched.FooterText();
        for (int j = 0; j < touched.Jobs.size(); ++j) {
            if (!accepted && (touched.Loom != loom || j != target)) continue;
            const TVxJobKnockOn& job = touched.Jobs[j];
            TVxJobPreview preview;
            if (accepted && job.Redated) {
                preview.Redated = true;
                preview.StartDate = job.StartDate;
                preview.FinishDate = job.FinishDate;
            }
            if (job.Refilled) {
                preview.Status = VxWarpStatusText(job.Remaining);
                if (job.OverCapacity()) preview.Alert = tr("over capacity");
            }
            if (!(preview == TVxJobPreview())) decoration.Jobs[j] = preview;
        }
    }
}

void TBoardDragPreview::decorateColumns(const std::vector<TVxColumnDecoration>& shown) {
    for (int loom = 0; loom < int(shown.size()); ++loom)
        if (TVxJobSchedule* column = m_view.Column(loom))
            column->SetDecoration(shown[size_t(loom)]);
}

void TBoardDragPreview::setSummary(const QString& text) {
    if (text == m_summary) return;
    m_summary = text;
    if (ShowSummary) ShowSummary(text);
}
