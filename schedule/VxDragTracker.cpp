// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxDragTracker.h"

#include "VxDropPlace.h"
#include "VxSched.h"
#include "VxSchedMetrics.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <optional>

// Drag and drop, tracked by the component itself from the mouse events of
// the widget that was pressed (it keeps the implicit mouse grab), so no
// nested platform drag loop runs and offscreen tests can drive it.

class TVxDragTracker : public QObject {
public:
    static TVxDragTracker& Instance() {
        static TVxDragTracker tracker;
        return tracker;
    }

    bool Active() const { return m_active; }
    bool KeyMoveActive() const { return m_keyMove; }
    QObject* Source() const { return m_active ? m_source.data() : nullptr; }
    QObject* MoveSource() const { return m_active || m_keyMove ? m_source.data() : nullptr; }
    bool Accepted() const { return m_accept; }

    void Begin(QObject* source, QWidget* grabber, const QPoint& global) {
        if (m_active) end();
        if (m_keyMove) endKeys();
        m_active = true;
        m_source = source;
        m_grabber = grabber;
        m_accept = false;
        m_last = Target();
        QApplication::setOverrideCursor(Qt::ForbiddenCursor);
        qApp->installEventFilter(this);
        notifyBegin();
        Move(global);
    }

    void Move(const QPoint& global) {
        if (!m_active) return;
        if (!m_source) {
            end();
            return;
        }
        const Target target = find(global);
        if (m_last.kind != Kind::None && !m_last.sameElement(target)) leave(m_last);
        const TVxDragState state =
            m_last.sameElement(target) ? TVxDragState::DragMove : TVxDragState::DragEnter;
        autoScroll(target, global);
        m_accept = dragOver(target, state);
        m_last = target;
        showMarker(target.schedule, markerFor(target));
        // A header or footer may accept a job, but a drop there moves nothing.
        const bool lands = m_accept && target.kind != Kind::Header && target.kind != Kind::Footer;
        QApplication::changeOverrideCursor(lands ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
        notifyPlace(target.schedule, placeOf(target));
    }

    void Drop(const QPoint& global) {
        if (!m_active) return;
        Move(global);
        const Target target = m_last;
        const bool accept = m_accept && m_source;
        QPointer<QObject> source = m_source;
        end();
        if (accept && source) doDrop(target, source);
    }

    void Cancel() {
        if (m_active) end();
    }

    // One step of a move with the keys: from where the element stands, or
    // from where the move waiting for confirmation would put it.
    bool KeyStep(QObject* element, TVxKeyStep step) {
        if (m_active || !element) return false;
        if (m_keyMove && m_source != element) endKeys();
        const TVxDropPlace from = m_keyMove ? m_keyPlace : TVxDropPlace::Home(element);
        const std::optional<TVxDropPlace> next = from.Step(element, step);
        if (!next) return false;
        if (!m_keyMove) beginKeys(element);
        showKeyPlace(*next);
        return true;
    }

    // Makes the move with the keys where it stands, if it is accepted there.
    void ConfirmKeys() {
        if (!m_keyMove) return;
        QPointer<QObject> source = m_source;
        const TVxDropPlace place = m_keyPlace;
        const bool accept = m_accept && !place.IsHome(source);
        endKeys();
        TVxJobSchedule* s = place.Schedule;
        if (!accept || !source || !s) return;
        if (auto* item = dynamic_cast<TVxJobItem*>(source.data())) {
            if (!place.Job) return;
            VxGuard(s, [&] {
                itemDropAt(place.Job, place.Index, item);
                s->ResizeSchedule();
            });
        } else if (auto* job = dynamic_cast<TVxJob*>(source.data())) {
            VxGuard(s, [&] { jobDropAt(s, place.Index, job); });
        }
        reselect(source);
    }

    void CancelKeys() {
        if (m_keyMove) endKeys();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_active && event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            Cancel();
            return true;
        }
        if (m_keyMove) return keyMoveFilter(event);
        return QObject::eventFilter(watched, event);
    }

    // While a move with the keys waits: Alt released or Enter makes it,
    // Escape drops it, and so does anything else the planner turns to.
    bool keyMoveFilter(QEvent* event) {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride: {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool press = event->type() == QEvent::KeyPress;
            if (key->key() == Qt::Key_Escape) {
                if (press) CancelKeys();
                return true;
            }
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                if (press) ConfirmKeys();
                return true;
            }
            if (isModifier(key->key()) ||
                (isArrow(key->key()) && key->modifiers() & Qt::AltModifier))
                return false;
            CancelKeys();
            return false;
        }
        case QEvent::KeyRelease:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Alt) ConfirmKeys();
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::WindowDeactivate:
            CancelKeys();
            return false;
        default:
            return false;
        }
    }

    static bool isModifier(int key) {
        return key == Qt::Key_Alt || key == Qt::Key_Shift || key == Qt::Key_Control ||
               key == Qt::Key_Meta || key == Qt::Key_AltGr;
    }
    static bool isArrow(int key) {
        return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left ||
               key == Qt::Key_Right;
    }

private:
    enum class Kind { None, Item, JobRow, JobFrame, JobArea, Header, Footer, ScheduleFrame, Box };
    struct Target {
        Kind kind = Kind::None;
        QPointer<TVxJobSchedule> schedule;
        QPointer<TVxJob> job;
        QPointer<TVxJobItem> item;
        QPointer<TVxScheduleBox> box;
        TVxJobPart part = TVxJobPart::None;
        QPoint pos;    // relative to the element under the mouse
        int areaY = 0; // in job-area coordinates, for the auto-scroll test
        bool sameElement(const Target& other) const {
            return kind == other.kind && schedule == other.schedule && job == other.job &&
                   item == other.item && box == other.box && part == other.part;
        }
    };

    // Where a release over the target would put the dragged thing.
    TVxDropPlace placeOf(const Target& t) const {
        TVxDropPlace place;
        place.Schedule = t.schedule;
        TVxJobSchedule* s = t.schedule;
        if (!s) return place;
        switch (t.kind) {
        case Kind::Item:
        case Kind::JobRow:
            if (TVxJobItem* item = sourceItem()) {
                place.Job = t.job;
                place.Index = itemPlace(t.job, itemIndexFor(t.job, t.item), item);
            } else if (TVxJob* job = sourceJob()) {
                place.Index = jobPlace(s, jobIndexFor(s, t.job), job);
            }
            break;
        case Kind::JobArea:
        case Kind::ScheduleFrame:
            if (TVxJob* job = sourceJob()) place.Index = jobPlace(s, s->JobCount(), job);
            break;
        default:
            break;
        }
        return place;
    }

    static TVxScheduleBox* boxOf(QObject* source) {
        if (auto* item = dynamic_cast<TVxJobItem*>(source)) source = item->Job();
        if (auto* job = dynamic_cast<TVxJob*>(source)) source = job->Schedule();
        auto* schedule = qobject_cast<TVxJobSchedule*>(source);
        return schedule ? schedule->Box() : nullptr;
    }

    void notifyBegin() {
        m_told.reset();
        m_box = boxOf(m_source);
        TVxScheduleBox* box = m_box;
        QObject* source = m_source;
        if (box && box->OnDragBegin) VxGuard(box, [&] { box->OnDragBegin(source); });
    }

    // Tells the owner where the drag is when that changes.
    void notifyPlace(TVxJobSchedule* schedule, const TVxDropPlace& place) {
        TVxScheduleBox* box = m_box;
        if (!box || !box->OnDragPlace) return;
        const bool accept = m_accept && place.Index >= 0;
        const TVxDropPlace told{schedule, place.Job, place.Index};
        if (m_told && *m_told == told && m_toldAccept == accept) return;
        m_told = told;
        m_toldAccept = accept;
        VxGuard(box, [&] { box->OnDragPlace(schedule, place.Job, place.Index, accept); });
    }

    void notifyEnd() {
        TVxScheduleBox* box = m_box;
        m_box = nullptr;
        if (box && box->OnDragEnd) VxGuard(box, [&] { box->OnDragEnd(box); });
    }

    // ------------------------------------------------------------------
    // The move with the keys: a place stepped to one key at a time.

    void beginKeys(QObject* element) {
        m_keyMove = true;
        m_source = element;
        m_accept = false;
        qApp->installEventFilter(this);
        notifyBegin();
    }

    // The drag-over question at a place, as the mouse over it would ask it.
    Target keyTarget(const TVxDropPlace& place) const {
        Target t;
        t.schedule = place.Schedule;
        TVxJobSchedule* s = place.Schedule;
        TVxJob* job = place.Job;
        t.kind = Kind::JobRow;
        t.part = TVxJobPart::UpperCaption;
        if (TVxJobItem* item = sourceItem()) {
            t.job = job;
            // Within its job the question names the item it passes.
            if (item->Job() == job && place.Index < job->ItemCount() &&
                job->Items(place.Index) != item) {
                t.kind = Kind::Item;
                t.item = job->Items(place.Index);
                t.part = TVxJobPart::Item;
            }
        } else if (place.Index < s->JobCount()) {
            t.job = s->Jobs(place.Index);
        } else {
            t.kind = Kind::JobArea;
            t.part = TVxJobPart::None;
        }
        return t;
    }

    void showKeyPlace(const TVxDropPlace& place) {
        m_keyPlace = place;
        QObject* source = m_source;
        const bool home = place.IsHome(source);
        m_accept = !home && dragOver(keyTarget(place), TVxDragState::DragEnter);
        TVxJobSchedule* s = place.Schedule;
        if (!s) return;
        showMarker(s, place.Marker(source, m_accept));
        // The place is shown where the planner looks.
        s->JobArea()->ShowRange(std::max(0, place.Level(source) - kBoxRowHeight),
                                2 * kBoxRowHeight);
        if (s->Box()) s->Box()->ShowSchedule(s);
        notifyPlace(s, home ? TVxDropPlace{s, nullptr, -1} : place);
    }

    void endKeys() {
        if (m_markerSchedule) m_markerSchedule->SetDropMarker({});
        m_markerSchedule = nullptr;
        qApp->removeEventFilter(this);
        m_keyMove = false;
        m_accept = false;
        notifyEnd();
        m_source = nullptr;
        m_keyPlace = TVxDropPlace();
    }

    // The moved job or item keeps the frame, and its column the keys.
    static void reselect(QObject* element) {
        if (!element) return;
        TVxJob* job = dynamic_cast<TVxJob*>(element);
        if (auto* item = dynamic_cast<TVxJobItem*>(element)) job = item->Job();
        TVxJobSchedule* s = job ? job->Schedule() : nullptr;
        if (!s) return;
        const bool hadKeys = QApplication::focusWidget() &&
                             qobject_cast<TVxJobSchedule*>(QApplication::focusWidget());
        if (s->Selected() != element) s->Select(element);
        if (hadKeys) s->setFocus(Qt::OtherFocusReason);
    }

    TVxJobItem* sourceItem() const { return dynamic_cast<TVxJobItem*>(m_source.data()); }
    TVxJob* sourceJob() const { return dynamic_cast<TVxJob*>(m_source.data()); }
    bool movesJobOrItem() const { return sourceItem() || sourceJob(); }

    Target find(const QPoint& global) const {
        Target t;
        if (!m_grabber) return t;
        QWidget* window = m_grabber->window();
        const QPoint windowPos = window->mapFromGlobal(global);
        if (!window->rect().contains(windowPos)) return t;
        QWidget* w = window->childAt(windowPos);
        for (; w; w = w->parentWidget()) {
            if (auto* strip = qobject_cast<TVxScheduleStrip*>(w)) {
                t.kind = strip->IsHeader() ? Kind::Header : Kind::Footer;
                t.schedule = strip->Schedule();
                t.pos = strip->mapFromGlobal(global);
                return t;
            }
            if (auto* area = qobject_cast<TVxJobArea*>(w)) {
                t.schedule = area->Schedule();
                t.areaY = area->mapFromGlobal(global).y();
                const QPoint viewportPos = area->viewport()->mapFromGlobal(global);
                TVxJobItem* item = nullptr;
                TVxJob* job = area->viewport()->rect().contains(viewportPos)
                                  ? area->HitTest(viewportPos, &t.part, &item)
                                  : nullptr;
                if (!job) {
                    t.kind = Kind::JobArea;
                    t.part = TVxJobPart::None;
                    t.pos = area->mapFromGlobal(global);
                    return t;
                }
                t.job = job;
                t.item = item;
                t.kind = t.part == TVxJobPart::Item    ? Kind::Item
                         : t.part == TVxJobPart::Frame ? Kind::JobFrame
                                                       : Kind::JobRow;
                t.pos = viewportPos - area->JobOrigin(job) - job->PartRect(t.part, item).topLeft();
                return t;
            }
            if (auto* schedule = qobject_cast<TVxJobSchedule*>(w)) {
                t.kind = Kind::ScheduleFrame;
                t.schedule = schedule;
                t.pos = schedule->mapFromGlobal(global);
                return t;
            }
            if (auto* box = qobject_cast<TVxScheduleBox*>(w)) {
                t.kind = Kind::Box;
                t.box = box;
                t.pos = box->mapFromGlobal(global);
                return t;
            }
        }
        return t;
    }

    // Standard handling of a drag of anything but a job or an item: accepted
    // only by an assigned OnDragOver, so the cursor never promises a drop
    // that nothing would take.
    static bool standardOver(const TVxDragOverEvent& handler, QObject* sender, QObject* source,
                             const QPoint& pos, TVxDragState state) {
        bool accept = false;
        if (handler) {
            accept = true;
            handler(sender, source, pos.x(), pos.y(), state, accept);
        }
        return accept;
    }

    void leave(const Target& last) {
        QObject* source = m_source;
        if (movesJobOrItem() || !source) return;
        bool ignored = false;
        if (last.kind == Kind::Box && last.box && last.box->OnDragOver)
            VxGuard(last.box, [&] {
                last.box->OnDragOver(last.box, source, last.pos.x(), last.pos.y(),
                                     TVxDragState::DragLeave, ignored);
            });
        else if (last.schedule && last.schedule->OnDragOver)
            VxGuard(last.schedule, [&] {
                QObject* sender = last.job ? static_cast<QObject*>(last.job.data())
                                           : static_cast<QObject*>(last.schedule.data());
                last.schedule->OnDragOver(sender, source, last.pos.x(), last.pos.y(),
                                          TVxDragState::DragLeave, ignored);
            });
    }

    // Starts a scroll timer unless it runs: restarting it at every mouse
    // move would hold back its ticks for as long as the hand trembles.
    static void keepRunning(QTimer* timer, bool run) {
        if (!run)
            timer->stop();
        else if (!timer->isActive())
            timer->start();
    }

    void autoScroll(const Target& t, const QPoint& global) {
        if (m_last.schedule && m_last.schedule != t.schedule) m_last.schedule->ScrollTimer->stop();
        if (TVxJobSchedule* s = t.schedule) {
            if (t.kind == Kind::Header || t.kind == Kind::Footer) {
                s->ScrollUp = t.kind == Kind::Header;
                keepRunning(s->ScrollTimer, true);
            } else if (t.kind != Kind::ScheduleFrame && movesJobOrItem()) {
                // Anywhere over the job area, jobs included: near its edges.
                const int height = s->JobArea()->height();
                s->ScrollUp = t.areaY < 5;
                keepRunning(s->ScrollTimer, t.areaY < 5 || t.areaY > height - 7);
            }
        }
        if (movesJobOrItem()) boxAutoScroll(t, global);
    }

    // The box scrolls while the mouse is within 5 pixels of its visible left
    // edge or 7 of its right one, and also past them (a hand pushed against
    // the board's edge overshoots onto the splitter or the pane beside it).
    void boxAutoScroll(const Target& t, const QPoint& global) {
        TVxScheduleBox* box = t.box ? t.box.data() : t.schedule ? t.schedule->Box() : sourceBox();
        if (!box) return;
        const QRect visible = box->visibleRegion().boundingRect();
        const QPoint pos = box->mapFromGlobal(global);
        if (visible.isEmpty() || pos.y() < visible.top() || pos.y() > visible.bottom()) {
            box->ScrollTimer->stop();
            return;
        }
        const int x = pos.x() - visible.left();
        box->ScrollLeft = x < 5;
        keepRunning(box->ScrollTimer, x < 5 || x > visible.width() - 7);
    }

    TVxScheduleBox* sourceBox() const {
        TVxJob* job = sourceJob();
        if (TVxJobItem* item = sourceItem()) job = item->Job();
        return job && job->Schedule() ? job->Schedule()->Box() : nullptr;
    }

    bool dragOver(const Target& t, TVxDragState state) {
        QObject* source = m_source;
        bool accept = true;
        QWidget* guardParent = t.schedule ? static_cast<QWidget*>(t.schedule.data()) : nullptr;
        const bool ok = VxGuard(guardParent, [&] {
            switch (t.kind) {
            case Kind::None:
            case Kind::JobFrame:
                accept = false;
                break;
            case Kind::Item:
                if (source == t.item || !t.item->Job())
                    accept = false;
                else
                    jobOver(t, state, accept);
                break;
            case Kind::JobRow:
                jobOver(t, state, accept);
                break;
            case Kind::JobArea:
            case Kind::Header:
            case Kind::Footer:
            case Kind::ScheduleFrame:
                if (sourceItem())
                    accept = false;
                else if (TVxJob* job = sourceJob()) {
                    if (t.schedule->OnJobDragOver)
                        t.schedule->OnJobDragOver(t.schedule, job, -1, accept);
                } else
                    accept = standardOver(t.schedule->OnDragOver, t.schedule, source, t.pos, state);
                break;
            case Kind::Box:
                accept = standardOver(t.box->OnDragOver, t.box, source, t.pos, state);
                break;
            }
        });
        return ok && accept;
    }

    void jobOver(const Target& t, TVxDragState state, bool& accept) {
        TVxJob* job = t.job;
        TVxJobSchedule* s = t.schedule;
        if (TVxJobItem* item = sourceItem()) {
            const int index = t.item ? job->IndexOfItem(t.item) : -1;
            if (s->OnItemDragOver) s->OnItemDragOver(s, job, item, index, accept);
        } else if (TVxJob* dragged = sourceJob()) {
            if (dragged == job)
                accept = false;
            else if (s->OnJobDragOver)
                s->OnJobDragOver(s, dragged, s->IndexOfJob(job), accept);
        } else {
            accept = standardOver(s->OnDragOver, job, m_source, t.pos, state);
        }
    }

    // Where a drop lands: the item's place in its new job, the job's place
    // in its column (the end when dropped on no job).
    static int itemIndexFor(TVxJob* target, TVxJobItem* under) {
        return under && under->Job() == target ? target->IndexOfItem(under) + 1 : 0;
    }
    static int jobIndexFor(TVxJobSchedule* s, TVxJob* target) {
        return target ? s->IndexOfJob(target) : s->JobCount();
    }
    // The same as the drop events give them: among the jobs or items
    // without the moved one where it is, clamped to the end.
    static int jobPlace(TVxJobSchedule* s, int newIndex, TVxJob* job) {
        return std::min(newIndex, TVxDropPlace::JobRoom(s, job));
    }
    static int itemPlace(TVxJob* target, int newIndex, TVxJobItem* item) {
        return std::min(newIndex, TVxDropPlace::ItemRoom(target, item));
    }

    // The marker of where the drop at this position would land; none where
    // it would be refused.
    TVxDropMarker markerFor(const Target& t) const {
        TVxDropMarker marker;
        TVxJobSchedule* s = t.schedule;
        if (!m_accept || !s) return marker;
        switch (t.kind) {
        case Kind::Item:
        case Kind::JobRow:
            if (TVxJobItem* item = sourceItem(); item && t.job->Expanded())
                marker.Rect = t.job->ItemDropLine(item, itemIndexFor(t.job, t.item))
                                  .translated(0, t.job->Top());
            else if (TVxJob* job = sourceJob())
                marker.Rect = s->JobDropLine(job, jobIndexFor(s, t.job));
            else {
                // An item into a collapsed job, or a foreign object: the job.
                marker.Rect = t.job->BoundsRect();
                marker.Frame = true;
            }
            break;
        case Kind::JobArea:
        case Kind::ScheduleFrame:
            if (TVxJob* job = sourceJob()) marker.Rect = s->JobDropLine(job, s->JobCount());
            break;
        default:
            break;
        }
        return marker;
    }

    void showMarker(TVxJobSchedule* schedule, const TVxDropMarker& marker) {
        TVxJobSchedule* s = marker.Rect.isEmpty() ? nullptr : schedule;
        if (m_markerSchedule && m_markerSchedule != s) m_markerSchedule->SetDropMarker({});
        m_markerSchedule = s;
        if (s) s->SetDropMarker(marker);
    }

    static void stopTimers(TVxJobSchedule* s) {
        s->ScrollTimer->stop();
        if (s->Box()) s->Box()->ScrollTimer->stop();
    }

    static void doDrop(const Target& t, QObject* source) {
        auto* item = dynamic_cast<TVxJobItem*>(source);
        auto* job = dynamic_cast<TVxJob*>(source);
        TVxJobSchedule* s = t.schedule;
        switch (t.kind) {
        case Kind::Item:
        case Kind::JobRow:
            VxGuard(s, [&] {
                if (item)
                    itemDrop(t.job, t.item, item);
                else if (job)
                    jobDrop(s, t.job, job);
                else if (s->OnDragDrop)
                    s->OnDragDrop(t.job, source, t.pos.x(), t.pos.y());
                s->ResizeSchedule();
            });
            break;
        case Kind::JobArea:
        case Kind::ScheduleFrame:
            VxGuard(s, [&] {
                s->ScrollTimer->stop();
                if (job)
                    jobDrop(s, nullptr, job);
                else if (s->OnDragDrop)
                    s->OnDragDrop(s, source, t.pos.x(), t.pos.y());
            });
            break;
        case Kind::Box:
            VxGuard(t.box, [&] {
                if (t.box->OnDragDrop) t.box->OnDragDrop(t.box, source, t.pos.x(), t.pos.y());
            });
            break;
        case Kind::Header:
        case Kind::Footer:
        case Kind::JobFrame:
        case Kind::None:
            break;
        }
    }

    static void itemDrop(TVxJob* target, TVxJobItem* under, TVxJobItem* item) {
        itemDropAt(target, itemIndexFor(target, under), item);
    }

    static void itemDropAt(TVxJob* target, int newIndex, TVxJobItem* item) {
        TVxJobSchedule* s = target->Schedule();
        TVxJob* oldJob = item->Job();
        if (s->OnDoItemDrop) {
            stopTimers(s);
            s->OnDoItemDrop(s, target, item, itemPlace(target, newIndex, item));
            return;
        }
        if (oldJob == target)
            target->MoveItem(target->IndexOfItem(item), newIndex);
        else
            target->InsertItemAt(newIndex, item);
        stopTimers(s);
        if (s->OnItemDragDrop) s->OnItemDragDrop(s, oldJob, item);
    }

    static void jobDrop(TVxJobSchedule* s, TVxJob* target, TVxJob* job) {
        jobDropAt(s, jobIndexFor(s, target), job);
    }

    static void jobDropAt(TVxJobSchedule* s, int newIndex, TVxJob* job) {
        stopTimers(s);
        if (s->OnDoJobDrop) {
            // A move within the column takes the job out first and puts it
            // at newIndex (clamped to the end), as MoveJob does.
            s->OnDoJobDrop(s, job, jobPlace(s, newIndex, job));
            return;
        }
        if (job->Schedule() == s) {
            s->MoveJob(s->IndexOfJob(job), newIndex);
        } else {
            s->InsertJobAt(newIndex, job);
            job->SetWidth(s->JobWidth());
        }
        s->ResizeSchedule();
        if (s->OnJobDragDrop) s->OnJobDragDrop(s, job);
    }

    void end() {
        // The source's end of drag, and the target's timers as well: no
        // column keeps scrolling once the drag is over.
        TVxJobSchedule* sourceSchedule = nullptr;
        if (TVxJobItem* item = sourceItem())
            sourceSchedule = item->Job() ? item->Job()->Schedule() : nullptr;
        else if (TVxJob* job = sourceJob())
            sourceSchedule = job->Schedule();
        else
            sourceSchedule = qobject_cast<TVxJobSchedule*>(m_source.data());
        if (sourceSchedule) stopTimers(sourceSchedule);
        if (m_last.schedule) stopTimers(m_last.schedule);
        if (m_last.box) m_last.box->ScrollTimer->stop();
        if (m_markerSchedule) m_markerSchedule->SetDropMarker({});
        m_markerSchedule = nullptr;
        qApp->removeEventFilter(this);
        QApplication::restoreOverrideCursor();
        m_active = false;
        notifyEnd();
        m_source = nullptr;
        m_grabber = nullptr;
        m_last = Target();
    }

    bool m_active = false;
    bool m_keyMove = false;
    bool m_accept = false;
    TVxDropPlace m_keyPlace;
    QPointer<TVxScheduleBox> m_box;
    // The place the owner was last told of.
    std::optional<TVxDropPlace> m_told;
    bool m_toldAccept = false;
    QPointer<QObject> m_source;
    QPointer<QWidget> m_grabber;
    Target m_last;
    QPointer<TVxJobSchedule> m_markerSchedule;
};

bool VxScheduleDragActive() {
    return TVxDragTracker::Instance().Active();
}
QObject* VxScheduleDragSource() {
    return TVxDragTracker::Instance().Source();
}
bool VxScheduleDragAccepted() {
    return TVxDragTracker::Instance().Accepted();
}

void VxDragBegin(QObject* source, QWidget* grabber, const QPoint& global) {
    TVxDragTracker::Instance().Begin(source, grabber, global);
}
void VxDragMove(const QPoint& global) {
    TVxDragTracker::Instance().Move(global);
}
void VxDragDrop(const QPoint& global) {
    TVxDragTracker::Instance().Drop(global);
}
bool VxScheduleKeyMoveActive() {
    return TVxDragTracker::Instance().KeyMoveActive();
}
QObject* VxScheduleMoveSource() {
    return TVxDragTracker::Instance().MoveSource();
}
bool VxKeyMoveStep(QObject* element, TVxKeyStep step) {
    return TVxDragTracker::Instance().KeyStep(element, step);
}
void VxKeyMoveConfirm() {
    TVxDragTracker::Instance().ConfirmKeys();
}
void VxKeyMoveCancel() {
    TVxDragTracker::Instance().CancelKeys();
}
