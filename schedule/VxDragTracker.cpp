#include "VxDragTracker.h"

#include "VxSched.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

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
    QObject* Source() const { return m_source; }
    bool Accepted() const { return m_accept; }

    void Begin(QObject* source, QWidget* grabber, const QPoint& global) {
        if (m_active) end();
        m_active = true;
        m_source = source;
        m_grabber = grabber;
        m_accept = false;
        m_last = Target();
        QApplication::setOverrideCursor(Qt::ForbiddenCursor);
        qApp->installEventFilter(this);
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
        showMarker(target);
        // A header or footer may accept a job, but a drop there moves nothing.
        const bool lands = m_accept && target.kind != Kind::Header && target.kind != Kind::Footer;
        QApplication::changeOverrideCursor(lands ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
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

    bool KeyMoveJob(TVxJob* job, TVxJobSchedule* s, int index) {
        Target t;
        t.schedule = s;
        if (index < s->JobCount()) {
            t.kind = Kind::JobRow;
            t.job = s->Jobs(index);
            t.part = TVxJobPart::UpperCaption;
        } else {
            t.kind = Kind::JobArea;
        }
        if (!keyOver(job, t)) return false;
        doDrop(t, job);
        return true;
    }

    bool KeyMoveItem(TVxJobItem* item, TVxJob* job, int index) {
        TVxJobSchedule* s = job->Schedule();
        if (!s) return false;
        Target t;
        t.schedule = s;
        t.job = job;
        t.kind = Kind::JobRow;
        t.part = TVxJobPart::UpperCaption;
        // Within its job the question names the item it passes; the drop
        // puts it exactly one place on, which no point under a mouse does.
        if (item->Job() == job && index < job->ItemCount() && job->Items(index) != item) {
            t.kind = Kind::Item;
            t.item = job->Items(index);
            t.part = TVxJobPart::Item;
        }
        if (!keyOver(item, t)) return false;
        VxGuard(s, [&] {
            itemDropAt(job, index, item);
            s->ResizeSchedule();
        });
        return true;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_active && event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            Cancel();
            return true;
        }
        return QObject::eventFilter(watched, event);
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

    // The drag-over question for a move made without the mouse.
    bool keyOver(QObject* source, const Target& t) {
        if (m_active) return false;
        m_source = source;
        const bool accept = dragOver(t, TVxDragState::DragEnter);
        m_source = nullptr;
        return accept;
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

    void showMarker(const Target& t) {
        const TVxDropMarker marker = markerFor(t);
        TVxJobSchedule* s = marker.Rect.isEmpty() ? nullptr : t.schedule.data();
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
            // The place among the items without the moved one, as a move
            // within the job leaves it.
            const int count = target->ItemCount() - (oldJob == target ? 1 : 0);
            stopTimers(s);
            s->OnDoItemDrop(s, target, item, std::min(newIndex, count));
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
        stopTimers(s);
        const int newIndex = jobIndexFor(s, target);
        if (s->OnDoJobDrop) {
            // A move within the column takes the job out first and puts it
            // at newIndex (clamped to the end), as MoveJob does.
            const int count = s->JobCount() - (job->Schedule() == s ? 1 : 0);
            s->OnDoJobDrop(s, job, std::min(newIndex, count));
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
        m_source = nullptr;
        m_grabber = nullptr;
        m_last = Target();
    }

    bool m_active = false;
    bool m_accept = false;
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
bool VxKeyMoveJob(TVxJob* job, TVxJobSchedule* schedule, int index) {
    return TVxDragTracker::Instance().KeyMoveJob(job, schedule, index);
}
bool VxKeyMoveItem(TVxJobItem* item, TVxJob* job, int index) {
    return TVxDragTracker::Instance().KeyMoveItem(item, job, index);
}
