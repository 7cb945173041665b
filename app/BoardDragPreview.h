// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shows, while a job or fabric is dragged (or moved with the keys before
// the move is confirmed), where it may go and what the drop would do:
// every loom marked as taking it somewhere or dimmed with the reason, the
// refused places of the loom under the pointer, and over an accepted place
// the jobs whose dates would change, each loom's finish before and after,
// what the warps would keep, and a summary in the status bar.
//
// The verdicts are the drag rules on plan values (TVxDragOutlook), worked
// out once a drag; the preview is the document's Preview of the command the
// drop would push (TBoardController::JobDropCommand), so it shows what the
// drop does. The columns draw what is computed here (TVxColumnDecoration).

#include "VxColumnDecoration.h"
#include "VxDragOutlook.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>
#include <vector>

class TBoardController;
class TBoardView;
class TVxJob;
class TVxJobSchedule;
class TVxKnockOn;
class TVxPlanDocument;
class TVxScheduleBox;

class TBoardDragPreview : public QObject {
    Q_OBJECT
public:
    TBoardDragPreview(TVxPlanDocument& doc, TBoardView& view, TBoardController& controller,
                      QObject* parent = nullptr);

    // Follows the drags of the box's columns.
    void Bind(TVxScheduleBox* box);

    // The status bar's summary, kept while the preview shows (an empty
    // text takes it away).
    std::function<void(const QString&)> ShowSummary;

    // The summary shown for the place under the pointer; empty for none.
    const QString& Summary() const { return m_summary; }

    // The box's drag events.
    void DragBegin(QObject* Source);
    void DragPlace(TVxJobSchedule* Schedule, TVxJob* Job, int Index, bool Accept);
    void DragEnd();

private:
    struct Place {
        QPointer<TVxJobSchedule> Schedule;
        QPointer<TVxJob> Job;
        int Index = -1;
        bool Accept = false;
        bool operator==(const Place& other) const {
            return Schedule == other.Schedule && Job == other.Job && Index == other.Index &&
                   Accept == other.Accept;
        }
    };
    // The loom under the pointer with its refused places.
    void markPlaces(int loom, std::vector<TVxColumnDecoration>& shown) const;
    // What the drop at the place would do; a fabric refused for want of
    // room still shows how far the warp would overrun.
    std::optional<TVxKnockOn> knockOn(const Place& place, int loom) const;
    void previewDrop(const TVxKnockOn& knock, bool accepted, int loom,
                     std::vector<TVxColumnDecoration>& shown) const;
    void decorateColumns(const std::vector<TVxColumnDecoration>& shown);
    void setSummary(const QString& text);

    TVxPlanDocument& m_doc;
    TBoardView& m_view;
    TBoardController& m_controller;
    QPointer<QObject> m_source;
    std::optional<TVxDragOutlook> m_outlook;
    // Each loom's verdict for the whole drag, the ground of every step.
    std::vector<TVxColumnDecoration> m_base;
    std::optional<Place> m_place;
    QString m_summary;
};
