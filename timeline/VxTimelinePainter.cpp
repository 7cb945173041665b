// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxTimelinePainter.h"

#include "VxDate.h"
#include "VxPlantLoad.h"
#include "VxTimeScale.h"
#include "VxWeaPlan.h"

#include <QCoreApplication>
#include <QDate>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QStaticText>
#include <algorithm>
#include <cmath>

namespace {
const QColor kChart(255, 255, 255);
const QColor kPanel(236, 236, 236);
const QColor kRule(160, 160, 160);
const QColor kRowLine(228, 228, 228);
const QColor kMinorLine(236, 236, 236);
const QColor kMajorLine(196, 196, 196);
const QColor kWeekend(240, 240, 242);
const QColor kIdle(255, 226, 222);
const QColor kBusy(86, 126, 186);
const QColor kToday(220, 0, 0);
const QColor kReed(0, 128, 0);
const QColor kDowntime(128, 0, 128);
const QColor kDowntimeFill(236, 214, 236);
// Light enough that the downtime's text reads over it.
const QColor kDowntimeHatch(200, 150, 200);
const QColor kUnknownWarp(70, 110, 180);
const QColor kSelected(0, 84, 200);
const QColor kFound(255, 214, 0);
const QColor kCurrent(255, 128, 0);
const QColor kRunsOut(255, 208, 200);
const QColor kRunsOutSoon(255, 236, 180);

// Texts laid out once and kept across paints, for one font: the same
// labels come back on every paint, and laying text out is the costly part
// of drawing it.
class TLabelCache {
public:
    const QStaticText& Prepared(const QString& text, const QFont& font) {
        if (font != m_font) {
            m_texts.clear();
            m_font = font;
        }
        auto it = m_texts.find(text);
        if (it != m_texts.end()) return *it;
        if (m_texts.size() > 20000) m_texts.clear();
        QStaticText label(text);
        label.setTextFormat(Qt::PlainText);
        label.setPerformanceHint(QStaticText::AggressiveCaching);
        label.prepare(QTransform(), font);
        return *m_texts.insert(text, label);
    }

private:
    QFont m_font;
    QHash<QString, QStaticText> m_texts;
};

TLabelCache& labels(bool bold) {
    static TLabelCache caches[2];
    return caches[bold ? 1 : 0];
}

// A position on whole pixels.
int px(double x) {
    return int(std::lround(x));
}

// Light fills take dark text, dark fills white.
QColor textOn(const QColor& fill) {
    return qGray(fill.rgb()) < 140 ? QColor(255, 255, 255) : QColor(0, 0, 0);
}

// A frame of width w just outside r.
void frameAround(QPainter& painter, const QRect& r, int w, const QColor& color) {
    const QRect o = r.adjusted(-w, -w, w, w);
    painter.fillRect(QRect(o.left(), o.top(), o.width(), w), color);
    painter.fillRect(QRect(o.left(), r.bottom() + 1, o.width(), w), color);
    painter.fillRect(QRect(o.left(), r.top(), w, r.height()), color);
    painter.fillRect(QRect(r.right() + 1, r.top(), w, r.height()), color);
}

// The Monday after the week holding day, and the one after that.
double weekEnd(double day, int weeks) {
    const double whole = std::floor(day);
    return whole - (VxDateOf(whole).dayOfWeek() - 1) + 7 * weeks;
}
} // namespace

TVxTimelinePainter::TVxTimelinePainter(QPainter& painter, const TVxTimelineGeometry& geometry,
                                       const TVxTimelineScene& scene, const QSize& size)
    : m_painter(painter), m_geometry(geometry), m_scene(scene), m_size(size), m_font(TextFont()),
      m_bold(TextFont(true)) {
    const QFontMetricsF metrics(m_font);
    m_digitWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    m_blankWidth = metrics.horizontalAdvance(QLatin1Char(' '));
    m_capHeight = metrics.capHeight();
    m_ascent = metrics.ascent();
}

QFont TVxTimelinePainter::TextFont(bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

QColor TVxTimelinePainter::WarpColor(const QString& warpCol) {
    // The colour codes plants write on their warp types.
    static const QHash<QString, QColor> colours = {
        {QStringLiteral("WHT"), QColor(250, 250, 246)},
        {QStringLiteral("NAT"), QColor(224, 208, 172)},
        {QStringLiteral("ECR"), QColor(238, 226, 196)},
        {QStringLiteral("CRM"), QColor(248, 238, 208)},
        {QStringLiteral("BEI"), QColor(226, 210, 180)},
        {QStringLiteral("BLU"), QColor(58, 98, 196)},
        {QStringLiteral("NAV"), QColor(24, 42, 110)},
        {QStringLiteral("BLK"), QColor(40, 40, 40)},
        {QStringLiteral("GRY"), QColor(150, 150, 150)},
        {QStringLiteral("RED"), QColor(200, 40, 40)},
        {QStringLiteral("GRN"), QColor(40, 150, 70)},
        {QStringLiteral("OLV"), QColor(128, 128, 32)},
        {QStringLiteral("YEL"), QColor(240, 212, 48)},
        {QStringLiteral("ORG"), QColor(240, 140, 32)},
        {QStringLiteral("BRN"), QColor(130, 84, 44)},
        {QStringLiteral("PNK"), QColor(240, 156, 186)},
        {QStringLiteral("PUR"), QColor(120, 52, 140)},
    };
    const auto it = colours.constFind(warpCol);
    return it != colours.constEnd() ? *it
                                    : colours.value(warpCol.trimmed().toUpper(), kUnknownWarp);
}

QColor TVxTimelinePainter::KindColor(const TVxPlanJob& job) {
    switch (job.Kind) {
    case TVxPlanJobKind::Reed:
        return kReed;
    case TVxPlanJobKind::Downtime:
        return kDowntime;
    case TVxPlanJobKind::Warp:
        break;
    }
    return WarpColor(job.WarpCol);
}

QString TVxTimelinePainter::BarText(const TVxPlanJob& job, double width) const {
    if (job.Kind == TVxPlanJobKind::Reed) return QString();
    // Measured without laying the text out: a thousand bars may be drawn
    // at once. Digits are all as wide as a zero; the names are few.
    const QString number = QString::number(job.JobNo);
    const double room = width - 6;
    const double numberWidth = number.size() * m_digitWidth;
    if (numberWidth > room) return QString();
    const QString name = job.Kind == TVxPlanJobKind::Warp ? PlanWarpKey(job) : job.Descr;
    return numberWidth + m_blankWidth + textWidth(name, false) <= room
               ? number + QLatin1Char(' ') + name
               : number;
}

double TVxTimelinePainter::textWidth(const QString& text, bool bold) const {
    return labels(bold).Prepared(text, bold ? m_bold : m_font).size().width();
}

void TVxTimelinePainter::drawLabel(const QPointF& baselineStart, const QString& text, bool bold) {
    const QFont& font = bold ? m_bold : m_font;
    m_painter.setFont(font);
    m_painter.drawStaticText(QPointF(baselineStart.x(), baselineStart.y() - m_ascent),
                             labels(bold).Prepared(text, font));
}

QColor TVxTimelinePainter::RunOutColor(const TVxPlanLoom& loom, double today) {
    double last = 0;
    for (const TVxPlanJob& job : loom.Jobs)
        last = std::max(last, TVxTimelineGeometry::BarEnd(job));
    if (last < weekEnd(today, 1)) return kRunsOut;
    if (last < weekEnd(today, 2)) return kRunsOutSoon;
    return QColor();
}

QRect TVxTimelinePainter::chartRect() const {
    return QRect(m_geometry.NamesWidth, m_geometry.ChartTop(),
                 m_size.width() - m_geometry.NamesWidth, m_size.height() - m_geometry.ChartTop());
}

void TVxTimelinePainter::Paint(const QRect& area) {
    const TVxTimeScale scale(m_geometry.DayWidth);
    const QRect chart = chartRect();
    const QRect strip(chart.left(), m_geometry.ScaleHeight, chart.width(), m_geometry.StripHeight);
    const QRect top(chart.left(), 0, chart.width(), m_geometry.ScaleHeight);
    const QRect names(0, chart.top(), m_geometry.NamesWidth, chart.height());
    m_painter.save();
    for (const QRect& part : {chart, strip, top, names}) {
        const QRect shown = area & part;
        if (shown.isEmpty()) continue;
        m_painter.setClipRect(shown);
        if (part == chart) {
            paintChart(shown);
            paintGrid(shown, scale);
            for (int loom = std::max(0, m_geometry.LoomAt(shown.top()));
                 loom >= 0 && loom < m_geometry.LoomCount &&
                 m_geometry.RowTop(loom) <= shown.bottom();
                 ++loom)
                paintRow(loom, shown);
        } else if (part == strip) {
            paintStrip(shown);
        } else if (part == top) {
            paintScale(shown, scale);
        } else {
            paintNames(shown);
        }
        if (part != names) paintToday(shown);
    }
    const QRect corner(0, 0, m_geometry.NamesWidth, m_geometry.ChartTop());
    if (area.intersects(corner)) {
        m_painter.setClipRect(area & corner);
        paintCorner();
    }
    m_painter.restore();
}

void TVxTimelinePainter::paintChart(const QRect& area) {
    m_painter.fillRect(area, kChart);
}

void TVxTimelinePainter::paintGrid(const QRect& area, const TVxTimeScale& scale) {
    const double from = m_geometry.DateAt(area.left());
    const double to = m_geometry.DateAt(area.right() + 1);
    if (scale.ShowsDays() && m_geometry.DayWidth >= 12) {
        for (double day = std::floor(from); day < to; ++day) {
            const int weekday = VxDateOf(day).dayOfWeek();
            if (weekday >= 6)
                m_painter.fillRect(QRect(px(m_geometry.X(day)), area.top(),
                                         px(m_geometry.X(day + 1)) - px(m_geometry.X(day)),
                                         area.height()),
                                   kWeekend);
        }
    }
    for (const TVxScaleMark& mark : scale.Lower(from, to, false))
        m_painter.fillRect(QRect(px(m_geometry.X(mark.Date)), area.top(), 1, area.height()),
                           kMinorLine);
    for (const TVxScaleMark& mark : scale.Upper(from, to, false))
        m_painter.fillRect(QRect(px(m_geometry.X(mark.Date)), area.top(), 1, area.height()),
                           kMajorLine);
}

void TVxTimelinePainter::paintRow(int loom, const QRect& area) {
    const TVxPlanLoom& plan = m_scene.Plan->Looms[loom];
    const int top = m_geometry.RowTop(loom);
    m_painter.fillRect(QRect(area.left(), top + m_geometry.RowHeight - 1, area.width(), 1),
                       kRowLine);
    paintIdle(loom, area);
    // Jobs well outside the area are passed over by their dates; the bar's
    // own rectangle decides for those near it.
    const double margin = 12 / m_geometry.DayWidth;
    const double from = m_geometry.DateAt(area.left()) - margin;
    const double to = m_geometry.DateAt(area.right() + 1) + margin;
    for (bool reeds : {false, true})
        for (int j = 0; j < plan.Jobs.size(); ++j) {
            const TVxPlanJob& job = plan.Jobs[j];
            if ((job.Kind == TVxPlanJobKind::Reed) != reeds) continue;
            if (TVxTimelineGeometry::BarEnd(job) < from || job.StartDate > to) continue;
            const QRect bar = m_geometry.BarRect(loom, job);
            if (bar.adjusted(-4, -4, 4, 4).intersects(area)) paintBar(loom, j, bar);
        }
}

void TVxTimelinePainter::paintIdle(int loom, const QRect& area) {
    // From the end of the loom's last job to the end of the period the loom
    // has nothing to do.
    const TVxPlanLoom& plan = m_scene.Plan->Looms[loom];
    double last = m_geometry.PeriodStart;
    for (const TVxPlanJob& job : plan.Jobs)
        last = std::max(last, TVxTimelineGeometry::BarEnd(job));
    const double left = std::max(m_geometry.X(last), double(area.left()));
    const double right = std::min(m_geometry.X(m_geometry.PeriodEnd), double(area.right() + 1));
    if (right <= left) return;
    const int top = m_geometry.RowTop(loom);
    m_painter.fillRect(QRect(px(left), top + 2, px(right) - px(left), m_geometry.RowHeight - 5),
                       kIdle);
}

void TVxTimelinePainter::paintBar(int loom, int index, const QRect& bar) {
    const TVxPlanJob& job = m_scene.Plan->Looms[loom].Jobs[index];
    const QColor color = KindColor(job);
    if (job.Kind == TVxPlanJobKind::Reed) {
        paintReed(bar);
    } else {
        // The edge, then the fill inside it: two fills where four edges
        // would take five.
        const QColor fill = job.Kind == TVxPlanJobKind::Warp ? color : kDowntimeFill;
        const QColor edge = job.Kind == TVxPlanJobKind::Warp ? color.darker(170) : kDowntime;
        const QRect inside = bar.adjusted(1, 1, -1, -1);
        m_painter.fillRect(bar, edge);
        m_painter.fillRect(inside, fill);
        if (job.Kind == TVxPlanJobKind::Downtime)
            m_painter.fillRect(inside, QBrush(kDowntimeHatch, Qt::BDiagPattern));
        const QString text = BarText(job, bar.width());
        if (!text.isEmpty()) {
            m_painter.setPen(job.Kind == TVxPlanJobKind::Warp ? textOn(fill)
                                                              : kDowntime.darker(150));
            drawLabel(QPointF(bar.left() + 3, bar.center().y() + m_capHeight / 2), text, false);
        }
    }
    paintMarks(loom, index, bar);
}

void TVxTimelinePainter::paintReed(const QRect& bar) {
    // A flag on a pole where the reed goes in, and a low band while it is
    // being fitted.
    const int x = bar.left();
    const int low = bar.top() + bar.height() * 3 / 5;
    m_painter.fillRect(QRect(x, low, bar.width(), bar.bottom() + 1 - low), kReed.lighter(170));
    m_painter.fillRect(QRect(x, bar.top(), 2, bar.height()), kReed);
    const QPoint flag[3] = {{x + 2, bar.top()}, {x + 7, bar.top() + 3}, {x + 2, bar.top() + 6}};
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(kReed);
    m_painter.drawPolygon(flag, 3);
}

void TVxTimelinePainter::paintMarks(int loom, int job, const QRect& bar) {
    const TVxTimelineJob place(loom, job);
    if (place == m_scene.Current)
        frameAround(m_painter, bar, 3, kCurrent);
    else if (m_scene.Found.contains(place))
        frameAround(m_painter, bar, 2, kFound);
    if (place == m_scene.Selected) {
        frameAround(m_painter, bar.adjusted(1, 1, -1, -1), 2, kSelected);
    }
}

void TVxTimelinePainter::paintToday(const QRect& area) {
    const double x = m_geometry.X(m_scene.Today);
    if (x < m_geometry.NamesWidth || x < area.left() - 2 || x > area.right() + 2) return;
    m_painter.fillRect(QRect(px(x) - 1, area.top(), 2, area.height()), kToday);
}

void TVxTimelinePainter::paintStrip(const QRect& area) {
    m_painter.fillRect(area, QColor(248, 248, 250));
    const int bottom = m_geometry.ScaleHeight + m_geometry.StripHeight - 1;
    m_painter.fillRect(QRect(area.left(), bottom, area.width(), 1), kRule);
    const TVxPlantLoad* load = m_scene.Load;
    if (!load || load->LoomCount() == 0) return;
    const double room = m_geometry.StripHeight - 5;
    const int first = std::max(load->FirstDay(), int(std::floor(m_geometry.DateAt(area.left()))));
    const int last = std::min(load->FirstDay() + load->DayCount() - 1,
                              int(std::floor(m_geometry.DateAt(area.right() + 1))));
    const int width = std::max(1, px(m_geometry.DayWidth) - (m_geometry.DayWidth >= 6 ? 1 : 0));
    for (int day = first; day <= last; ++day) {
        const double h = room * load->BusyOn(day) / load->LoomCount();
        if (h <= 0) continue;
        m_painter.fillRect(QRect(px(m_geometry.X(day)), bottom - px(h), width, px(h)), kBusy);
    }
}

void TVxTimelinePainter::paintScale(const QRect& area, const TVxTimeScale& scale) {
    m_painter.fillRect(area, kPanel);
    const int line = m_geometry.ScaleHeight / 2;
    const double from = m_geometry.DateAt(std::max(area.left(), m_geometry.NamesWidth));
    const double to = m_geometry.DateAt(area.right() + 1);
    m_painter.setPen(Qt::black);
    const QVector<TVxScaleMark> upper = scale.Upper(from, to);
    for (int i = 0; i < upper.size(); ++i) {
        const double x = m_geometry.X(upper[i].Date);
        m_painter.fillRect(QRect(px(x), 0, 1, m_geometry.ScaleHeight), kRule);
        // The label of a unit begun off to the left stays in sight until the
        // next one pushes it away, shortened when it no longer fits whole.
        const double next = i + 1 < upper.size() ? m_geometry.X(upper[i + 1].Date) : 1e9;
        const double left = std::max(x, double(m_geometry.NamesWidth)) + 4;
        for (const QString& label : {upper[i].Label, upper[i].Short}) {
            const double width = textWidth(label, true);
            if (left + width + 4 > next && label != upper[i].Short) continue;
            drawLabel(QPointF(std::min(left, next - width - 4), line - 4), label, true);
            break;
        }
    }
    const QVector<TVxScaleMark> lower = scale.Lower(from, to);
    for (int i = 0; i < lower.size(); ++i) {
        const double x = m_geometry.X(lower[i].Date);
        const double next =
            i + 1 < lower.size() ? m_geometry.X(lower[i + 1].Date) : x + m_geometry.DayWidth * 7;
        m_painter.fillRect(QRect(px(x), line, 1, line), kRule);
        if (textWidth(lower[i].Label, false) + 4 <= next - x)
            drawLabel(QPointF(x + 3, m_geometry.ScaleHeight - 5), lower[i].Label, false);
    }
    m_painter.fillRect(QRect(area.left(), m_geometry.ScaleHeight - 1, area.width(), 1), kRule);
}

void TVxTimelinePainter::paintNames(const QRect& area) {
    m_painter.fillRect(area, kChart);
    const int width = m_geometry.NamesWidth;
    for (int loom = std::max(0, m_geometry.LoomAt(area.top()));
         loom >= 0 && loom < m_geometry.LoomCount && m_geometry.RowTop(loom) <= area.bottom();
         ++loom) {
        const TVxPlanLoom& plan = m_scene.Plan->Looms[loom];
        const int top = m_geometry.RowTop(loom);
        const QRect row(0, top, width, m_geometry.RowHeight);
        const QColor runsOut = RunOutColor(plan, m_scene.Today);
        if (runsOut.isValid()) m_painter.fillRect(row, runsOut);
        m_painter.fillRect(QRect(0, row.bottom(), width, 1), kRowLine);
        const double baseline = row.center().y() + m_capHeight / 2 + 1;
        const QString share =
            m_scene.Load
                ? QStringLiteral("%1 %").arg(VxRound(100 * m_scene.Load->WeavingShare(loom)))
                : QString();
        const double shareWidth = textWidth(share, false);
        m_painter.setPen(QColor(60, 60, 60));
        drawLabel(QPointF(width - 6 - shareWidth, baseline), share, false);
        m_painter.setPen(Qt::black);
        const double room = width - 16 - shareWidth;
        drawLabel(QPointF(5, baseline),
                  textWidth(plan.Name, true) <= room
                      ? plan.Name
                      : QFontMetricsF(m_bold).elidedText(plan.Name, Qt::ElideRight, room),
                  true);
    }
    m_painter.fillRect(QRect(width - 1, area.top(), 1, area.height()), kRule);
}

void TVxTimelinePainter::paintCorner() {
    const int width = m_geometry.NamesWidth;
    m_painter.fillRect(QRect(0, 0, width, m_geometry.ChartTop()), kPanel);
    m_painter.fillRect(QRect(width - 1, 0, 1, m_geometry.ChartTop()), kRule);
    m_painter.fillRect(QRect(0, m_geometry.ChartTop() - 1, width, 1), kRule);
    m_painter.fillRect(QRect(0, m_geometry.ScaleHeight - 1, width, 1), kRule);
    m_painter.setPen(Qt::black);
    m_painter.setFont(m_font);
    const QFontMetricsF metrics(m_font);
    const QString busy = QCoreApplication::translate("VxTimelinePainter", "Looms weaving");
    m_painter.drawText(QPointF(width - 6 - metrics.horizontalAdvance(busy),
                               m_geometry.ScaleHeight + m_geometry.StripHeight / 2 + 4),
                       busy);
    const QString period = VxFormatDate(QStringLiteral("dd/mm/yy"), m_geometry.PeriodStart) +
                           QStringLiteral(" \u2013 ") +
                           VxFormatDate(QStringLiteral("dd/mm/yy"), m_geometry.PeriodEnd - 1);
    m_painter.setFont(m_bold);
    m_painter.drawText(QPointF(5, m_geometry.ScaleHeight / 2 + 4), period);
}
