// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxJobPainter.h"

#include "VxJob.h"
#include "VxSchedMetrics.h"

#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {
const QColor kCaptionText(255, 255, 255);
const QColor kDatesColor(0, 255, 255);
// Dark blue on the face colour: the status row informs; grey text there
// read as a disabled control.
const QColor kStatusText(0, 48, 112);
// Red stands apart from every job colour (blue, green, purple, aqua).
const QColor kDropMarker(220, 0, 0);
// A found job or item: the yellow of a highlighter pen.
const QColor kMarked(255, 214, 0);
// What a gauge has still free.
const QColor kGaugeTrack(96, 96, 96);

// Everything a job's picture is drawn from; equal keys draw equal pixels.
size_t pictureKey(const TVxJob& job, const QPalette& palette, int ratio) {
    size_t seed =
        qHashMulti(0, job.Width(), job.Height(), job.Expanded(), ratio, job.CaptionColor().rgba(),
                   job.CaptionFont(), palette.cacheKey(), job.Marked());
    for (const TVxJobGauge& gauge : job.Gauges())
        seed = qHashMulti(seed, gauge.Fill, gauge.Color.rgba());
    for (const TVxJobRow* row : {&job.UpperRow, &job.LowerRow, &job.DatesRow, &job.StatusRow})
        seed = qHashMulti(seed, row->Text, row->Visible, row->Top, row->Height);
    for (int i = 0; i < job.ItemCount(); ++i) {
        const TVxJobItem* item = job.Items(i);
        seed = qHashMulti(seed, item->Top(), item->Width(), item->Caption(), item->Color().rgba(),
                          item->Marked());
    }
    return seed;
}

// The pictures of the jobs painted lately. Scrolling, hovering and drags
// repaint the same jobs over and over; a job's rows then cost one copy
// instead of a few dozen fills and text runs. Bounded: when full it starts
// again from the jobs in view.
class TVxJobPictures {
public:
    const QImage& Get(const TVxJob& job, const QPalette& palette, int ratio) {
        const size_t key = pictureKey(job, palette, ratio);
        auto it = m_pictures.find(key);
        if (it != m_pictures.end()) return it->second;
        // Made at the screen's pixel ratio, so a sharp screen gets a sharp
        // copy rather than an enlarged one.
        QImage picture(job.Width() * ratio, job.Height() * ratio,
                       QImage::Format_ARGB32_Premultiplied);
        picture.setDevicePixelRatio(ratio);
        {
            QPainter painter(&picture);
            TVxJobPainter(painter, palette)
                .Draw(job, QPoint(0, 0), QRect(0, 0, job.Width(), job.Height()));
        }
        if (m_bytes + picture.sizeInBytes() > kBudget) {
            m_pictures.clear();
            m_bytes = 0;
        }
        m_bytes += picture.sizeInBytes();
        return m_pictures.emplace(key, std::move(picture)).first->second;
    }

private:
    static constexpr qsizetype kBudget = 24 * 1024 * 1024;
    std::unordered_map<size_t, QImage> m_pictures;
    qsizetype m_bytes = 0;
};

TVxJobPictures& jobPictures() {
    static TVxJobPictures pictures;
    return pictures;
}
} // namespace

// One line of text in a row, clipped to it. Drawn at a computed baseline
// rather than laid out in a rectangle: thousands of rows are painted at once
// and the text layout machinery is the costly part.
const QStaticText& TVxTextCache::Get(const QString& text, const QFont& font) const {
    if (!m_text) {
        m_text = std::make_unique<QStaticText>(text);
        m_text->setTextFormat(Qt::PlainText);
        m_text->setPerformanceHint(QStaticText::AggressiveCaching);
    } else if (m_text->text() == text && m_font == font) {
        return *m_text;
    } else {
        m_text->setText(text);
    }
    // Laid out in the row's own font before it is measured: unprepared, the
    // size is that of the application font and a centred text sits askew
    // on its first paint.
    m_font = font;
    m_text->prepare(QTransform(), font);
    return *m_text;
}

QString TVxJobPainter::RowText(const TVxJob& job, TVxJobPart part, const TVxJobItem* item) {
    switch (part) {
    case TVxJobPart::UpperCaption:
        return job.UpperRow.Text;
    case TVxJobPart::LowerCaption:
        return job.LowerRow.Text;
    case TVxJobPart::Dates:
        return job.DatesRow.Text;
    case TVxJobPart::Status:
        return job.StatusRow.Text;
    case TVxJobPart::Item:
        return item ? item->Caption() : QString();
    default:
        return QString();
    }
}

bool TVxJobPainter::TextCut(const TVxJob& job, TVxJobPart part, const TVxJobItem* item) {
    const QString text = RowText(job, part, item);
    if (text.isEmpty()) return false;
    const bool caption = part == TVxJobPart::UpperCaption || part == TVxJobPart::LowerCaption;
    const QFont& font = part == TVxJobPart::UpperCaption ? job.CaptionFont() : VxRowFont(caption);
    const int room = textRect(job.PartRect(part, item), !caption).width();
    return QFontMetrics(font).horizontalAdvance(text) > room;
}

TVxJobPainter::TVxJobPainter(QPainter& painter, const QPalette& palette)
    : m_painter(painter), m_palette(palette) {}

void TVxJobPainter::DrawShadeFrame(QPainter& painter, const QRect& r, const QColor& topLeft,
                                   const QColor& bottomRight, int lineWidth) {
    // The lines of a shaded panel, as rectangles: each upper line i runs
    // from the left to one pixel short of the previous, each lower one from
    // i to the right; the lower lines are drawn last. The long sides are one
    // band each, plus their short stepped ends.
    const int x = r.x(), y = r.y(), w = r.width(), h = r.height(), lw = lineWidth;
    if (w <= 0 || h <= 0 || lw <= 0) return;
    for (int i = 0; i < lw; ++i) {
        painter.fillRect(x, y + i, w - 1 - i, 1, topLeft);
        if (i > 0) painter.fillRect(x + i, y + lw - i, 1, i, topLeft);
    }
    painter.fillRect(x, y + lw, lw, h - 1 - lw, topLeft);
    for (int i = 0; i < lw; ++i) {
        painter.fillRect(x + i, y + h - 1 - i, w - i, 1, bottomRight);
        if (i < lw - 1) painter.fillRect(x + w - 1 - i, y + i, 1, lw - 1 - i, bottomRight);
    }
    painter.fillRect(x + w - lw, y + lw - 1, lw, h - 2 * lw + 1, bottomRight);
}

namespace {
// A frame of w pixels just inside r, in four fills.
void fillFrame(QPainter& painter, const QRect& r, int w, const QColor& color) {
    painter.fillRect(r.left(), r.top(), r.width(), w, color);
    painter.fillRect(r.left(), r.bottom() + 1 - w, r.width(), w, color);
    painter.fillRect(r.left(), r.top(), w, r.height(), color);
    painter.fillRect(r.right() + 1 - w, r.top(), w, r.height(), color);
}
} // namespace

void TVxJobPainter::DrawDropMarker(QPainter& painter, const QRect& r, bool frame) {
    if (frame)
        fillFrame(painter, r, 2, kDropMarker);
    else
        painter.fillRect(r, kDropMarker);
}

void TVxJobPainter::DrawMark(QPainter& painter, const QRect& r, const QColor& color) {
    fillFrame(painter, r, 1, color);
    painter.fillRect(r.left(), r.top(), std::min(4, r.width()), r.height(), color);
}

void TVxJobPainter::DrawGhost(QPainter& painter, const QRect& line, const QColor& color) {
    for (int x = line.left(); x <= line.right(); x += 8)
        painter.fillRect(x, line.top(), std::min(5, line.right() + 1 - x), line.height(), color);
}

void TVxJobPainter::DrawPanelFrame(QPainter& painter, const QRect& r, const QPalette& palette,
                                   bool sunken, int lineWidth) {
    const QColor light = palette.color(QPalette::Light);
    const QColor dark = palette.color(QPalette::Dark);
    DrawShadeFrame(painter, r, sunken ? dark : light, sunken ? light : dark, lineWidth);
}

void TVxJobPainter::DrawFocusFrame(QPainter& painter, const QRect& r, const QPalette& palette) {
    fillFrame(painter, r, std::min({2, r.width(), r.height()}), palette.color(QPalette::Highlight));
}

void TVxJobPainter::DrawPanelFrame(QPainter& painter, const QRegion& exposed, const QRect& r,
                                   const QPalette& palette, bool sunken, int lineWidth) {
    const QRect inner = r.adjusted(lineWidth, lineWidth, -lineWidth, -lineWidth);
    painter.save();
    for (const QRect& part : exposed) {
        if (inner.contains(part)) continue;
        painter.setClipRect(part, Qt::ReplaceClip);
        DrawPanelFrame(painter, r, palette, sunken, lineWidth);
    }
    painter.restore();
}

// A job panel: a 1-pixel raised frame around the face colour (the
// highlighter's yellow round a found job, whose dates row is yellow too).
void TVxJobPainter::drawRaisedPanel(const QRect& r, bool marked) {
    DrawPanelFrame(m_painter, r, m_palette, false, 1);
    m_painter.fillRect(r.adjusted(1, 1, -1, -1),
                       marked ? kMarked : m_palette.color(QPalette::Button));
}

void TVxJobPainter::drawGauges(const TVxJob& job) {
    const QVector<TVxJobGauge>& gauges = job.Gauges();
    const QRect band = job.GaugeBand();
    if (gauges.isEmpty() || !band.intersects(m_local)) return;
    const int gap = 2;
    const int width = (band.width() - gap * (gauges.size() - 1)) / gauges.size();
    for (int i = 0; i < gauges.size(); ++i) {
        const QRect track(band.left() + i * (width + gap), band.top(), width, band.height());
        const double fill = std::clamp(gauges[i].Fill, 0.0, 1.0);
        const int filled = int(fill * width + 0.5);
        m_painter.fillRect(track, kGaugeTrack);
        m_painter.fillRect(track.left(), track.top(), filled, track.height(), gauges[i].Color);
    }
}

// A text box's 2-pixel sunken border around its fill.
void TVxJobPainter::drawSunkenBox(const QRect& r, const QColor& fill) {
    DrawShadeFrame(m_painter, r, m_palette.color(QPalette::Mid), m_palette.color(QPalette::Light),
                   1);
    DrawShadeFrame(m_painter, r.adjusted(1, 1, -1, -1), m_palette.color(QPalette::Shadow),
                   m_palette.color(QPalette::Midlight), 1);
    m_painter.fillRect(r.adjusted(2, 2, -2, -2), fill);
}

void TVxJobPainter::drawRowText(const QRect& r, const QString& text, bool centred,
                                const TVxTextCache& cache) {
    if (text.isEmpty()) return;
    const QStaticText& laidOut = cache.Get(text, m_painter.font());
    const QSizeF size = laidOut.size();
    const int x = centred ? r.left() + int(r.width() - size.width()) / 2 : r.left();
    const int y = r.top() + int(r.height() - size.height() + 1) / 2;
    // Clip only text that overflows its row: a clip costs more than the text.
    const bool overflows = size.width() > r.width() || size.height() > r.height();
    if (overflows) {
        m_painter.save();
        m_painter.setClipRect(r, Qt::IntersectClip);
    }
    m_painter.drawStaticText(QPoint(std::max(x, r.left()), y), laidOut);
    if (overflows) m_painter.restore();
}

void TVxJobPainter::captionRow(const QRect& r, const QString& text, const QColor& back,
                               const QFont& font, const TVxTextCache& cache) {
    if (!r.intersects(m_local)) return;
    m_painter.fillRect(r, back);
    m_painter.setFont(font);
    m_painter.setPen(kCaptionText);
    drawRowText(r, text, true, cache);
}

void TVxJobPainter::boxRow(const QRect& r, const QString& text, const QColor& back,
                           const QColor& textColor, bool centred, const TVxTextCache& cache) {
    if (!r.intersects(m_local)) return;
    drawSunkenBox(r, back);
    m_painter.setFont(VxRowFont(false));
    m_painter.setPen(textColor);
    drawRowText(textRect(r, true), text, centred, cache);
}

const QImage& TVxJobPainter::Picture(const TVxJob& job, const QPalette& palette, int ratio) {
    return jobPictures().Get(job, palette, std::max(1, ratio));
}

int TVxJobPainter::copyRatio() const {
    // Pixel-exact copies only: the raster engine without a transform of its
    // own, at a whole pixel ratio. At 1.5 a panel's edges fall between
    // device pixels, so there the drawing itself is sharper than any copy.
    const QPaintEngine* engine = m_painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster ||
        m_painter.worldTransform().type() > QTransform::TxTranslate)
        return 0;
    const qreal ratio = m_painter.device()->devicePixelRatio();
    return ratio == std::floor(ratio) ? int(ratio) : 0;
}

void TVxJobPainter::Paint(const TVxJob& job, const QPoint& origin, const QRect& exposed) {
    const int ratio = copyRatio();
    if (ratio == 0) {
        Draw(job, origin, exposed);
        return;
    }
    const QRect shown = exposed & QRect(origin, QSize(job.Width(), job.Height()));
    if (shown.isEmpty()) return;
    const QImage& picture = Picture(job, m_palette, ratio);
    const QRect source = shown.translated(-origin);
    const QPainter::CompositionMode mode = m_painter.compositionMode();
    // The panel is opaque: copy, no blending. The source is counted in the
    // picture's own pixels.
    m_painter.setCompositionMode(QPainter::CompositionMode_Source);
    m_painter.drawImage(shown.topLeft(), picture,
                        QRect(source.topLeft() * ratio, source.size() * ratio));
    m_painter.setCompositionMode(mode);
}

void TVxJobPainter::Draw(const TVxJob& job, const QPoint& origin, const QRect& exposed) {
    const QRect panel(0, 0, job.Width(), job.Height());
    m_local = exposed.translated(-origin) & panel;
    if (m_local.isEmpty()) return;
    m_painter.save();
    m_painter.translate(origin);
    // A job cut by the exposed area: keep its panel inside it too.
    if (m_local != panel) m_painter.setClipRect(m_local, Qt::IntersectClip);
    drawRaisedPanel(panel, job.Marked());
    const int rowWidth = job.Width() - 6;
    auto rowRect = [&](const TVxJobRow& row) {
        return QRect(kJobInset, row.Top, rowWidth, row.Height);
    };
    captionRow(rowRect(job.UpperRow), job.UpperRow.Text, job.CaptionColor(), job.CaptionFont(),
               job.UpperRow.Painted);
    if (job.LowerRow.Visible)
        captionRow(rowRect(job.LowerRow), job.LowerRow.Text, job.CaptionColor(), VxRowFont(true),
                   job.LowerRow.Painted);
    if (job.DatesRow.Visible)
        boxRow(QRect(kJobInset, job.DatesRow.Top, rowWidth, kBoxRowHeight), job.DatesRow.Text,
               job.Marked() ? kMarked : kDatesColor, Qt::black, true, job.DatesRow.Painted);
    if (job.Expanded()) {
        for (int i = 0; i < job.ItemCount(); ++i) {
            const TVxJobItem* item = job.Items(i);
            if (item->Top() > m_local.bottom()) break;
            boxRow(item->BoundsRect(), item->Caption(), item->Marked() ? kMarked : item->Color(),
                   Qt::black, false, item->Painted);
        }
        if (job.StatusRow.Visible)
            boxRow(QRect(kJobInset, job.StatusRow.Top, rowWidth, kBoxRowHeight), job.StatusRow.Text,
                   m_palette.color(QPalette::Midlight), kStatusText, false, job.StatusRow.Painted);
    }
    drawGauges(job);
    m_painter.restore();
}
