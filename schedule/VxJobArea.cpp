// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxSched.h"

#include "VxDecorationPainter.h"
#include "VxDragTracker.h"
#include "VxJobPainter.h"
#include "VxSchedMetrics.h"
#include "VxScrollBar.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

TVxJobArea::TVxJobArea(TVxJobSchedule* schedule)
    : QAbstractScrollArea(schedule), m_schedule(schedule) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The policy first: a bar put into place while it may show is laid out
    // at once, which costs a column most of its making.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBar(new TVxScrollBar(Qt::Vertical));
    setFocusPolicy(Qt::NoFocus);
    verticalScrollBar()->setSingleStep(kScrollLineStep);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(true);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, palette().color(QPalette::Button));
    viewport()->setPalette(pal);
}

int TVxJobArea::ContentHeight() const {
    int bottom = 0;
    const int count = m_schedule->JobCount();
    if (count > 0) {
        const TVxJob* last = m_schedule->m_jobs.Last();
        bottom = last->Top() + last->Height();
    }
    return bottom;
}

void TVxJobArea::UpdateScrollRange() {
    QScrollBar* bar = verticalScrollBar();
    const int page = std::max(1, viewport()->height());
    const int maximum = std::max(0, ContentHeight() + kFreeStripHeight - viewport()->height());
    if (bar->maximum() == maximum && bar->pageStep() == page) return;
    // The scroll area reacts to a range change through a queued call; with
    // one per added job or item a bulk load would flood the event queue, so
    // set the range quietly and show or hide the bar here.
    const int before = bar->value();
    {
        const QSignalBlocker quiet(bar);
        bar->setPageStep(page);
        bar->setRange(0, maximum);
    }
    const Qt::ScrollBarPolicy policy = maximum > 0 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (verticalScrollBarPolicy() != policy) setVerticalScrollBarPolicy(policy);
    if (bar->value() != before) viewport()->update();
}

int TVxJobArea::ScrollPos() const {
    return verticalScrollBar()->value();
}

void TVxJobArea::SetScrollPos(int pos) {
    verticalScrollBar()->setValue(pos);
}

QPoint TVxJobArea::JobOrigin(const TVxJob* job) const {
    return QPoint(job->Left(), job->Top() - ScrollPos());
}

void TVxJobArea::scrollContentsBy(int, int) {
    viewport()->update();
}

bool TVxJobArea::event(QEvent* event) {
    // The sunken frame, drawn with fills rather than the style's lines.
    if (event->type() == QEvent::Paint) {
        QPainter painter(this);
        TVxJobPainter::DrawPanelFrame(painter, static_cast<QPaintEvent*>(event)->region(), rect(),
                                      palette(), true, lineWidth());
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void TVxJobArea::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    TVxJobPainter jobPainter(painter, palette());
    const QRect exposed = event->rect();
    const int offset = ScrollPos();
    // Jobs are stacked in list order: start at the first one reaching the
    // exposed area and stop at the first one below it.
    auto it = std::partition_point(
        m_schedule->m_jobs.begin(), m_schedule->m_jobs.end(),
        [&](const TVxJob* job) { return job->Top() + job->Height() - offset <= exposed.top(); });
    for (; it != m_schedule->m_jobs.end(); ++it) {
        const TVxJob* job = *it;
        if (job->Top() - offset > exposed.bottom()) break;
        jobPainter.Paint(*job, JobOrigin(job), exposed);
    }
    paintMarks(painter, exposed);
    TVxDecorationPainter::PaintJobArea(painter, *m_schedule, viewport()->rect(), offset, palette());
    const TVxDropMarker& marker = m_schedule->DropMarker();
    if (marker.Refused)
        TVxDecorationPainter::PaintRefusedPlace(painter, marker.Rect.translated(0, -offset));
    else if (!marker.Rect.isEmpty())
        TVxJobPainter::DrawDropMarker(painter, marker.Rect.translated(0, -offset), marker.Frame);
    paintSelection(painter);
}

void TVxJobArea::paintMarks(QPainter& painter, const QRect& exposed) const {
    const TVxColumnMarks& marks = m_schedule->Marks();
    const int count = m_schedule->JobCount();
    for (const TVxColumnMarks::TMark& mark : marks.Marks) {
        if (mark.Job < 0 || mark.Job >= count) continue;
        const TVxJob* job = m_schedule->Jobs(mark.Job);
        QRect r(0, 0, job->Width(), job->Height());
        if (mark.Item >= 0) {
            if (mark.Item >= job->ItemCount() || !job->Expanded()) continue;
            r = job->Items(mark.Item)->BoundsRect();
        }
        r.translate(JobOrigin(job));
        if (r.intersects(exposed)) TVxJobPainter::DrawMark(painter, r, mark.Color);
    }
    for (const TVxColumnMarks::TGhost& ghost : marks.Ghosts) {
        QRect line;
        if (ghost.Job < 0) {
            line = m_schedule->JobDropLine(nullptr, ghost.Before).translated(0, -ScrollPos());
        } else {
            if (ghost.Job >= count || !m_schedule->Jobs(ghost.Job)->Expanded()) continue;
            const TVxJob* job = m_schedule->Jobs(ghost.Job);
            line = job->ItemDropLine(nullptr, ghost.Before).translated(JobOrigin(job));
        }
        if (line.intersects(exposed)) TVxJobPainter::DrawGhost(painter, line, ghost.Color);
    }
}

void TVxJobArea::paintSelection(QPainter& painter) const {
    const TVxJob* job = m_schedule->SelectedJob();
    if (!job || job->Schedule() != m_schedule) return;
    const TVxJobItem* item = m_schedule->SelectedItem();
    if (item && !(job->Expanded() && item->Visible())) return;
    const QRect bounds = item ? item->BoundsRect() : QRect(0, 0, job->Width(), job->Height());
    TVxJobPainter::DrawFocusFrame(painter, bounds.translated(JobOrigin(job)), palette());
}

TVxJob* TVxJobArea::HitTest(const QPoint& viewportPos, TVxJobPart* part, TVxJobItem** item) const {
    if (item) *item = nullptr;
    if (part) *part = TVxJobPart::None;
    TVxJob* job = m_schedule->JobAt(viewportPos.y() + ScrollPos());
    if (!job) return nullptr;
    const TVxJobPart hit = job->PartAt(viewportPos - JobOrigin(job), item);
    if (hit == TVxJobPart::None) return nullptr;
    if (part) *part = hit;
    return job;
}

QObject* TVxJobArea::elementAt(const QPoint& viewportPos, QPoint* relative) const {
    TVxJobPart part;
    TVxJobItem* item;
    TVxJob* job = HitTest(viewportPos, &part, &item);
    if (!job) {
        *relative = viewportPos;
        return m_schedule;
    }
    const QPoint jobPos = viewportPos - JobOrigin(job);
    *relative = jobPos - job->PartRect(part, item).topLeft();
    if (item) return item;
    return job;
}

QObject* TVxJobArea::dragSourceAt(const QPoint& viewportPos) const {
    TVxJobPart part;
    TVxJobItem* item;
    TVxJob* job = HitTest(viewportPos, &part, &item);
    if (!job) return m_schedule;
    switch (part) {
    case TVxJobPart::Item:
        return item;
    case TVxJobPart::UpperCaption:
    case TVxJobPart::LowerCaption:
    case TVxJobPart::Status:
        return job;
    default:
        return nullptr;
    }
}

void TVxJobArea::mousePressEvent(QMouseEvent* event) {
    m_skipClick = false;
    m_pressPos = event->position().toPoint();
    m_pressSource =
        event->button() == Qt::LeftButton ? dragSourceAt(event->position().toPoint()) : nullptr;
    QPoint relative;
    QObject* sender = elementAt(event->position().toPoint(), &relative);
    // The pressed element keeps the mouse until the release, as a control
    // holding the capture: the mouse-up goes to it and only a release over
    // it makes a click.
    m_pressElement = sender;
    m_pressOrigin = event->position().toPoint() - relative + QPoint(0, ScrollPos());
    // A press chooses what the keys act on: a job, an item, or nothing.
    m_schedule->Select(sender == m_schedule ? nullptr : sender, false);
    if (m_schedule->OnMouseDown)
        VxGuard(m_schedule, [&] {
            m_schedule->OnMouseDown(sender, event->button(), event->modifiers(), relative.x(),
                                    relative.y());
        });
}

void TVxJobArea::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        if (!VxScheduleDragActive() && m_pressSource &&
            (event->position().toPoint() - m_pressPos).manhattanLength() >=
                QApplication::startDragDistance()) {
            QObject* source = m_pressSource;
            m_pressSource = nullptr;
            // Neither a drop nor a cancelled drag ends in a click.
            m_skipClick = true;
            VxDragBegin(source, viewport(), event->globalPosition().toPoint());
        } else if (VxScheduleDragActive()) {
            VxDragMove(event->globalPosition().toPoint());
        }
        return;
    }
    QPoint relative;
    QObject* sender = elementAt(event->position().toPoint(), &relative);
    if (m_schedule->OnMouseMove)
        VxGuard(m_schedule, [&] {
            m_schedule->OnMouseMove(sender, event->buttons(), event->modifiers(), relative.x(),
                                    relative.y());
        });
}

void TVxJobArea::mouseReleaseEvent(QMouseEvent* event) {
    m_pressSource = nullptr;
    if (VxScheduleDragActive() && event->button() == Qt::LeftButton) {
        // A drag ends here; the release belongs to the drop: no mouse-up
        // and no click (so a refusal shown during the drag stays readable).
        m_skipClick = false;
        VxDragDrop(event->globalPosition().toPoint());
        return;
    }
    QPointer<TVxJobSchedule> schedule(m_schedule);
    const QPoint pos = event->position().toPoint();
    QPoint relative;
    QObject* sender = m_pressElement;
    if (!sender)
        sender = elementAt(pos, &relative);
    else if (sender == m_schedule)
        relative = pos;
    else
        relative = pos + QPoint(0, ScrollPos()) - m_pressOrigin;
    if (m_schedule->OnMouseUp)
        VxGuard(m_schedule, [&] {
            m_schedule->OnMouseUp(sender, event->button(), event->modifiers(), relative.x(),
                                  relative.y());
        });
    if (!schedule) return;
    if (m_schedule->Box()) m_schedule->Box()->ScrollTimer->stop();
    if (event->button() == Qt::LeftButton && !m_skipClick && m_pressElement &&
        viewport()->rect().contains(pos)) {
        // Re-hit: the mouse-up handler may have changed the jobs.
        QObject* released = elementAt(pos, &relative);
        if (released == m_pressElement)
            VxGuard(m_schedule, [&] { m_schedule->DispatchClick(released); });
    }
    m_skipClick = false;
}

void TVxJobArea::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
    m_pressSource = nullptr; // the second press of a double click starts no drag
    m_skipClick = true;
    if (event->button() != Qt::LeftButton) return;
    TVxJobPart part;
    TVxJobItem* item;
    TVxJob* job = HitTest(event->position().toPoint(), &part, &item);
    VxGuard(m_schedule, [&] {
        if (!job) {
            if (VxCaptionUsable(m_schedule->MenuCaptions().AddJob)) m_schedule->ExecuteAddJob();
        } else if (part == TVxJobPart::Item) {
            if (VxCaptionUsable(item->MenuCaptions().EditItem)) item->ExecuteEditItem();
        } else if (part == TVxJobPart::UpperCaption || part == TVxJobPart::LowerCaption ||
                   part == TVxJobPart::Status) {
            if (VxCaptionUsable(job->MenuCaptions().EditJob)) job->ExecuteEditJob();
        }
    });
}

void TVxJobArea::contextMenuEvent(QContextMenuEvent* event) {
    TVxJobPart part;
    TVxJobItem* item;
    TVxJob* job = HitTest(event->pos(), &part, &item);
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (item)
        item->BuildMenu(menu);
    else if (job)
        job->BuildMenu(menu);
    else
        m_schedule->BuildMenu(menu);
    menu->popup(event->globalPos());
}

// The dates row's hint when the application shows it; for any row a text
// cut at the column's edge, in full; over the job's own rows and frame the
// hint of its gauges.
QString TVxJobArea::tipFor(const TVxJob& job, TVxJobPart part, const TVxJobItem* item) const {
    if (part == TVxJobPart::Dates && job.DatesRow.ShowHint && !job.DatesRow.Hint.isEmpty())
        return job.DatesRow.Hint;
    QStringList tip;
    if (TVxJobPainter::TextCut(job, part, item)) tip << TVxJobPainter::RowText(job, part, item);
    if (part != TVxJobPart::Dates && part != TVxJobPart::Item && !job.GaugeHint().isEmpty())
        tip << job.GaugeHint();
    return tip.join(QLatin1Char('\n'));
}

bool TVxJobArea::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        TVxJobPart part;
        TVxJobItem* item;
        TVxJob* job = HitTest(help->pos(), &part, &item);
        // A column that takes nothing says why, wherever the pointer rests.
        const QString& reason = m_schedule->Decoration().Reason;
        if (m_schedule->Decoration().Verdict == TVxColumnVerdict::Closed && !reason.isEmpty()) {
            QToolTip::showText(help->globalPos(), reason, viewport());
            return true;
        }
        const QString tip = job ? tipFor(*job, part, item) : QString();
        if (!tip.isEmpty()) {
            const QRect r = job->PartRect(part, item).translated(JobOrigin(job));
            QToolTip::showText(help->globalPos(), tip, viewport(), r);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    if (event->type() == QEvent::Resize) {
        const bool result = QAbstractScrollArea::viewportEvent(event);
        UpdateScrollRange();
        // The width rule looks at the job area's height, which the toolkit
        // may settle only after the schedule's own resize (on first show).
        m_schedule->ResizeSchedule();
        return result;
    }
    return QAbstractScrollArea::viewportEvent(event);
}
