// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxDecorationPainter.h"

#include "VxDragTracker.h"
#include "VxSched.h"
#include "VxSchedMetrics.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

namespace {
// A deep green frame: dark in grey as well, apart from every job colour.
const QColor kOpenColor(0, 120, 60);
// The preview: dark amber text on a pale ground, framed in the same amber.
const QColor kPreviewColor(150, 70, 0);
const QColor kPreviewGround(255, 244, 200);
const QColor kOldText(96, 96, 96);
const QColor kAlertColor(200, 0, 0);
const QColor kRefusedColor(64, 64, 64);
const int kOpenFrame = 3;

// A pale wash with diagonal hatching: what takes nothing looks switched off.
void dim(QPainter& painter, const QRect& r, const QPalette& palette) {
    QColor wash = palette.color(QPalette::Window);
    wash.setAlpha(170);
    painter.fillRect(r, wash);
    painter.fillRect(r, QBrush(QColor(110, 110, 110), Qt::BDiagPattern));
}

void frame(QPainter& painter, const QRect& r, const QColor& color, int width) {
    painter.fillRect(r.left(), r.top(), r.width(), width, color);
    painter.fillRect(r.left(), r.bottom() + 1 - width, r.width(), width, color);
    painter.fillRect(r.left(), r.top(), width, r.height(), color);
    painter.fillRect(r.right() + 1 - width, r.top(), width, r.height(), color);
}

QFont rowFont(bool bold, bool struck = false) {
    QFont font = VxRowFont(bold);
    font.setStrikeOut(struck);
    return font;
}

void textLine(QPainter& painter, const QRect& r, const QString& text, const QFont& font,
              const QColor& color) {
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(r.adjusted(2, 0, -1, 0), Qt::AlignCenter | Qt::TextSingleLine,
                     QFontMetrics(font).elidedText(text, Qt::ElideRight, r.width() - 3));
}

// A box of preview lines laid over rows of a job.
void previewBox(QPainter& painter, const QRect& box, const QColor& edge = kPreviewColor,
                int width = 1) {
    painter.fillRect(box, kPreviewGround);
    frame(painter, box, edge, width);
}

QRect rowRect(const TVxJob& job, const TVxJobRow& row) {
    return QRect(kJobInset, row.Top, job.Width() - 2 * kJobInset, row.Height);
}

// The row right below the dates row, unless it is the status row that
// shows its own preview.
QRect rowBelowDates(const TVxJob& job, bool statusShown) {
    if (!job.Expanded()) return QRect();
    for (int i = 0; i < job.ItemCount(); ++i)
        if (job.Items(i)->Visible()) return job.Items(i)->BoundsRect();
    if (job.StatusRow.Visible && !statusShown) return rowRect(job, job.StatusRow);
    return QRect();
}

// A job as the drop would leave it, in job coordinates.
void paintJobPreview(QPainter& painter, const TVxJob& job, const TVxJobPreview& preview) {
    const bool alert = !preview.Alert.isEmpty();
    const bool status = !preview.Status.isEmpty() && job.Expanded() && job.StatusRow.Visible;
    if (preview.Redated && job.DatesRow.Visible) {
        const QRect dates = rowRect(job, job.DatesRow);
        const QString now = TVxJob::DatesText(preview.StartDate, preview.FinishDate);
        QRect old = rowBelowDates(job, status);
        QRect fresh = dates;
        // Over the caption the box keeps the caption's colour as its edge,
        // so the kind of job still shows.
        bool overCaption = false;
        if (!old.isEmpty()) {
            // Old dates where they are, struck through; the new ones below.
            fresh = old;
            old = dates;
        } else if (!alert) {
            // Nothing below: the caption row takes the old dates.
            old = rowRect(job, job.UpperRow);
            overCaption = true;
        }
        previewBox(painter, old.isEmpty() ? fresh : (old | fresh),
                   overCaption ? job.CaptionColor() : kPreviewColor, overCaption ? 2 : 1);
        if (!old.isEmpty())
            textLine(painter, old, job.DatesRow.Text, rowFont(false, true), kOldText);
        textLine(painter, fresh, now, rowFont(true), kPreviewColor);
    }
    if (status) {
        // The whole panel's width: a status row's figures are long for it.
        const QRect r = rowRect(job, job.StatusRow).adjusted(-kJobInset, 0, kJobInset, 0);
        previewBox(painter, r);
        textLine(painter, r, preview.Status, rowFont(false), alert ? kAlertColor : kPreviewColor);
    }
    if (alert) {
        const QRect r = rowRect(job, job.UpperRow);
        painter.fillRect(r, kAlertColor);
        textLine(painter, r, preview.Alert, rowFont(true), Qt::white);
    }
}

} // namespace

// A place no drop may go: a dashed rule across the gap with a "no entry"
// sign in its middle.
void TVxDecorationPainter::PaintRefusedPlace(QPainter& painter, const QRect& line) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPen dashes(kRefusedColor, 1, Qt::DashLine);
    painter.setPen(dashes);
    const int y = line.center().y();
    painter.drawLine(line.left() + 2, y, line.right() - 2, y);
    const QPointF centre(line.center().x() + 0.5, y + 0.5);
    const qreal radius = 5.5;
    painter.setBrush(Qt::white);
    painter.setPen(QPen(kRefusedColor, 2));
    painter.drawEllipse(centre, radius, radius);
    const qreal d = radius * 0.7;
    painter.drawLine(centre + QPointF(-d, d), centre + QPointF(d, -d));
    painter.restore();
}

namespace {

void paintFooter(QPainter& painter, const QString& text, const QRect& view) {
    const QFont font = rowFont(false);
    const QFontMetrics metrics(font);
    const QRect room = view.adjusted(4, 0, -4, 0);
    const QRect needed = metrics.boundingRect(room, Qt::AlignHCenter | Qt::TextWordWrap, text);
    QRect box(view.left(), view.bottom() - needed.height() - 5, view.width(), needed.height() + 6);
    previewBox(painter, box);
    painter.setFont(font);
    painter.setPen(kPreviewColor);
    painter.drawText(box.adjusted(4, 3, -4, -3), Qt::AlignCenter | Qt::TextWordWrap, text);
}
} // namespace

void TVxDecorationPainter::PaintJobArea(QPainter& painter, const TVxJobSchedule& column,
                                        const QRect& view, int scrollPos, const QPalette& palette) {
    const TVxColumnDecoration& d = column.Decoration();
    if (d == TVxColumnDecoration()) return;
    painter.save();
    if (d.Verdict == TVxColumnVerdict::Closed) dim(painter, view, palette);
    auto shown = [&](int index) -> const TVxJob* {
        if (index < 0 || index >= column.JobCount()) return nullptr;
        const TVxJob* job = column.Jobs(index);
        const QRect r = job->BoundsRect().translated(0, -scrollPos);
        return r.intersects(view) ? job : nullptr;
    };
    for (int index : d.RefusedJobs)
        if (const TVxJob* job = shown(index))
            dim(painter, job->BoundsRect().translated(0, -scrollPos), palette);
    for (const auto& [index, preview] : d.Jobs)
        if (const TVxJob* job = shown(index)) {
            painter.save();
            painter.translate(0, job->Top() - scrollPos);
            paintJobPreview(painter, *job, preview);
            painter.restore();
        }
    if (auto* dragged = dynamic_cast<const TVxJob*>(VxScheduleMoveSource()))
        for (int place : d.RefusedPlaces) {
            const QRect line = column.JobDropLine(dragged, place).translated(0, -scrollPos);
            if (line.adjusted(0, -8, 0, 8).intersects(view)) PaintRefusedPlace(painter, line);
        }
    if (!d.Footer.isEmpty()) paintFooter(painter, d.Footer, view);
    if (d.Verdict == TVxColumnVerdict::Open) frame(painter, view, kOpenColor, kOpenFrame);
    painter.restore();
}

void TVxDecorationPainter::PaintStrip(QPainter& painter, const TVxJobSchedule& column,
                                      const QRect& strip, const QPalette& palette) {
    if (column.Decoration().Verdict == TVxColumnVerdict::Closed) dim(painter, strip, palette);
}
