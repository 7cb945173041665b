// SPDX-License-Identifier: GPL-3.0-or-later
// The timeline against the calendar: bars where their dates put them at any
// zoom and scroll, the pixel painted there, the job the mouse finds there
// and the tooltip all the same job; zooming about the pointer; and the
// printout, tiled or fitted, read back from a real PDF.

#include "PlanBuild.h"
#include "RefText.h"
#include "VxDate.h"
#include "VxPlanCommand.h"
#include "VxTimelinePrint.h"
#include "VxTimelineView.h"
#include "VxWeaPlan.h"

#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>

using namespace planbuild;

namespace {
const double kFirst = VxEncodeDate(2027, 3, 1);

// A word of a PDF page read back, in points from the page's top left.
struct Word {
    QString Text;
    QRectF Box;
};
using Page = QVector<Word>;

QVector<Page> readPdf(const QString& file) {
    QProcess run;
    run.start("pdftotext", {"-bbox", file, "-"});
    run.waitForFinished();
    const QString html = QString::fromUtf8(run.readAllStandardOutput());
    QVector<Page> pages;
    static const QRegularExpression tag(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith("<page")) {
            pages << Page();
            continue;
        }
        pages.last() << Word{m.captured(5),
                             QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                    QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))};
    }
    return pages;
}

// The first word of that text between the heights (points).
const Word* find(const Page& page, const QString& text, double top = 0, double bottom = 1e9) {
    for (const Word& word : page)
        if (word.Text == text && word.Box.top() >= top && word.Box.bottom() <= bottom) return &word;
    return nullptr;
}

// The number after "Page" on the title line.
int pageNumber(const Page& page) {
    for (int i = 0; i + 1 < page.size(); ++i)
        if (page[i].Text == "Page") return page[i + 1].Text.toInt();
    return 0;
}
} // namespace

Q_DECLARE_METATYPE(TVxPlanJob)

class TestTimeline : public QObject {
    Q_OBJECT
public:
    TestTimeline() {
        TRefTextLoader loader(qEnvironmentVariable("PLEXIWEAVE_SAMPLES"));
        m_loomTypes = loader.BuildLoomTypes();
        m_warps = loader.BuildWarpInfos();
        m_fabrics = loader.BuildFabricInfos();
        m_downtimes = loader.BuildDowntimeTypes();
        m_doc.SetRefs({&m_loomTypes, &m_warps, &m_fabrics, &m_downtimes});
    }

private slots:
    void barGeometry_data();
    void barGeometry();
    void paintHitAndTipAgree_data();
    void paintHitAndTipAgree();
    void zoomKeepsThePointedDate_data();
    void zoomKeepsThePointedDate();
    void printRepeatsNamesAndScale_data();
    void printRepeatsNamesAndScale();

private:
    // looms looms of a warp every six days for two months after a reed, a
    // downtime on the second loom.
    void showPlant(int looms);

    TLoomTypeList m_loomTypes;
    TWarpInfoList m_warps;
    TFabricInfoList m_fabrics;
    TDowntimeList m_downtimes;
    TVxPlanDocument m_doc;
};

void TestTimeline::showPlant(int looms) {
    TVxPlan p;
    int jobNo = 1;
    for (int l = 0; l < looms; ++l) {
        TVxPlanLoom row = loom(l + 1, {reed(jobNo++, 2400, kFirst, kFirst)});
        row.Name = QStringLiteral("R%1").arg(l + 1, 2, 10, QChar('0'));
        row.LoomType = "RAPIER";
        for (double d = kFirst; d < kFirst + 60; d += 6)
            row.Jobs << (l == 1 && d == kFirst + 12
                             ? downtime(jobNo++, "Cleaning, oiling", d, d + 6)
                             : warp(jobNo++, "A", l % 2 ? "NAT" : "BLU", 3000, d, d + 6));
        p.Looms << row;
    }
    m_doc.Reset(p);
}

void TestTimeline::barGeometry_data() {
    QTest::addColumn<double>("dayWidth");
    QTest::addColumn<int>("scrollX");
    QTest::addColumn<TVxPlanJob>("job");
    QTest::addColumn<QRect>("bar");
    // Loom 2 of the chart: its row starts 60 + 22 pixels down; the chart 170
    // pixels in from the names.
    const double d = kFirst;
    QTest::newRow("ten days at a week's zoom")
        << 8.0 << 0 << warp(7, "A", "WHT", 3000, d + 2, d + 12) << QRect(186, 85, 80, 16);
    QTest::newRow("a shift at an hour's zoom, scrolled three days")
        << 576.0 << 3 * 576 << warp(7, "A", "WHT", 3000, d + 3 + 6 / 24.0, d + 3 + 14 / 24.0)
        << QRect(314, 85, 192, 16);
    QTest::newRow("downtime: a band in the middle of its row")
        << 24.0 << 0 << downtime(3, "Breakdown repair", d + 1, d + 2) << QRect(194, 87, 24, 12);
    QTest::newRow("a reed fitted on a day: a mark")
        << 24.0 << 0 << reed(1, 2400, d + 5, d + 5) << QRect(290, 84, 7, 18);
    QTest::newRow("no finish: a sliver at the start")
        << 24.0 << 0 << warp(7, "A", "WHT", 3000, d + 5, 0) << QRect(290, 85, 3, 16);
    QTest::newRow("a year's zoom: half a pixel a day")
        << 0.5 << 0 << warp(7, "A", "WHT", 3000, d + 10, d + 30) << QRect(175, 85, 10, 16);
    QTest::newRow("before the period: left of the chart")
        << 24.0 << 0 << warp(7, "A", "WHT", 3000, d - 2, d) << QRect(122, 85, 48, 16);
    QTest::newRow("half pixels round to the nearest")
        << 3.0 << 0 << warp(7, "A", "WHT", 3000, d + 0.5, d + 1.5) << QRect(172, 85, 3, 16);
}

void TestTimeline::barGeometry() {
    QFETCH(double, dayWidth);
    QFETCH(int, scrollX);
    QFETCH(TVxPlanJob, job);
    QFETCH(QRect, bar);
    TVxTimelineGeometry g;
    g.PeriodStart = kFirst;
    g.PeriodEnd = kFirst + 365;
    g.DayWidth = dayWidth;
    g.ScrollX = scrollX;
    g.LoomCount = 3;
    QCOMPARE(g.BarRect(1, job), bar);
    // Dates to x and back, and every pixel of the row back to its loom.
    for (double date : {job.StartDate, job.FinishDate})
        QVERIFY(qAbs(g.DateAt(g.X(date)) - date) < 1e-9);
    for (int y = g.RowTop(1); y < g.RowTop(2); ++y)
        QCOMPARE(g.LoomAt(y), 1);
    TVxPlanLoom row = loom(2, {job});
    QCOMPARE(g.JobAt(1, row, bar.center()), 0);
    QCOMPARE(g.JobAt(1, row, bar.topLeft() - QPoint(1, 0)), -1);
}

void TestTimeline::paintHitAndTipAgree_data() {
    QTest::addColumn<double>("dayWidth");
    QTest::addColumn<int>("loom");
    QTest::addColumn<int>("job");
    for (double dayWidth : {3.0, 48.0, 576.0}) {
        const QString zoom = QString::number(dayWidth) + " px a day: ";
        QTest::newRow(qPrintable(zoom + "reed")) << dayWidth << 0 << 0;
        QTest::newRow(qPrintable(zoom + "blue warp")) << dayWidth << 0 << 3;
        QTest::newRow(qPrintable(zoom + "natural warp")) << dayWidth << 1 << 2;
        QTest::newRow(qPrintable(zoom + "downtime")) << dayWidth << 1 << 3;
    }
}

void TestTimeline::paintHitAndTipAgree() {
    QFETCH(double, dayWidth);
    QFETCH(int, loom);
    QFETCH(int, job);
    showPlant(4);
    TVxTimelineView view(m_doc);
    view.resize(900, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.SetPeriod(kFirst - 3, kFirst + 70);
    view.SetDayWidth(dayWidth);
    const TVxPlanJob& planJob = m_doc.plan().Looms[loom].Jobs[job];
    view.ScrollToDate(planJob.StartDate - 1);
    const QRect bar = view.Geometry().BarRect(loom, planJob);
    // Inside the fill, under the text; a reed on its pole.
    const QPoint at =
        planJob.Kind == TVxPlanJobKind::Reed
            ? QPoint(bar.left(), bar.center().y())
            : QPoint(std::min(bar.center().x(), view.viewport()->width() - 20), bar.bottom() - 1);
    const QColor painted = view.viewport()->grab().toImage().pixelColor(at);
    if (planJob.Kind == TVxPlanJobKind::Downtime)
        QVERIFY2(painted.red() > painted.green() && painted.blue() > painted.green(),
                 qPrintable(painted.name()));
    else
        QCOMPARE(painted, TVxTimelinePainter::KindColor(planJob));
    QCOMPARE(view.JobAt(at), TVxTimelineJob(loom, job));
    QVERIFY(view.TipAt(at).startsWith(PlanJobCaption(planJob) + "\n"));
    TVxTimelineJob clicked{-1, -1};
    view.OnJobClick = [&](const TVxTimelineJob& j) { clicked = j; };
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(clicked, TVxTimelineJob(loom, job));
}

void TestTimeline::zoomKeepsThePointedDate_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("steps");
    QTest::newRow("near the names, to hours and back") << 200 << 12;
    QTest::newRow("mid chart, a few steps") << 520 << 3;
    QTest::newRow("right edge, to hours and back") << 880 << 12;
}

void TestTimeline::zoomKeepsThePointedDate() {
    QFETCH(int, x);
    QFETCH(int, steps);
    showPlant(3);
    TVxTimelineView view(m_doc);
    view.resize(900, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.SetPeriod(kFirst, kFirst + 364);
    view.FitPeriod();
    view.ScrollToDate(kFirst);
    const double startWidth = view.DayWidth();
    const QPointF pointer(x, 150);
    const double pointed = view.Geometry().DateAt(x);
    auto wheel = [&](int delta) {
        QWheelEvent event(pointer, view.viewport()->mapToGlobal(pointer), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(view.viewport(), &event);
        // Within a pixel of where it was, at every step.
        QVERIFY(qAbs(view.Geometry().DateAt(x) - pointed) <= 1 / view.DayWidth());
    };
    for (int i = 0; i < steps; ++i)
        wheel(120);
    QVERIFY(view.DayWidth() > startWidth);
    for (int i = 0; i < steps; ++i)
        wheel(-120);
    // Out no further than the period fitted to the width; 0 fits it again.
    QCOMPARE(view.DayWidth(), startWidth);
    QTest::keyClick(&view, Qt::Key_Plus);
    QTest::keyClick(&view, Qt::Key_0);
    QCOMPARE(view.DayWidth(), startWidth);
}

void TestTimeline::printRepeatsNamesAndScale_data() {
    QTest::addColumn<bool>("fitWidth");
    QTest::addColumn<int>("across");
    QTest::newRow("tiled at the screen's zoom") << false << 2;
    QTest::newRow("fitted to the page width") << true << 1;
}

void TestTimeline::printRepeatsNamesAndScale() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext not found");
    QFETCH(bool, fitWidth);
    QFETCH(int, across);
    showPlant(40);
    TVxPlantLoad load;
    load.Reset(m_doc.plan(), int(kFirst), int(kFirst) + 59);
    TVxTimelinePrintJob job;
    job.Title = "Timeline";
    job.Geometry.PeriodStart = kFirst;
    job.Geometry.PeriodEnd = kFirst + 60;
    job.Geometry.DayWidth = 24;
    job.Geometry.LoomCount = 40;
    job.Scene.Plan = &m_doc.plan();
    job.Scene.Load = &load;
    job.Scene.Today = kFirst + 20;
    job.FitWidth = fitWidth;
    QTemporaryDir dir;
    dir.setAutoRemove(false);
    const QString file = dir.filePath("timeline.pdf");
    QPdfWriter writer(file);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                     QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    VxPrintTimeline(&writer, job, QDateTime(QDate(2027, 3, 5), QTime(9, 0)));
    const double pt = 72.0 / 96; // points per screen pixel
    const QRectF paper = writer.pageLayout().paintRectPoints();
    const TVxTimelinePages pages(job, QSize(int(paper.width() / pt), int(paper.height() / pt)));
    QCOMPARE(pages.Across(), across);
    const QVector<Page> read = readPdf(file);
    QCOMPARE(read.size(), pages.Count());
    for (int p = 0; p < read.size(); ++p) {
        const TVxTimelineGeometry& g = pages.Page(p);
        QCOMPARE(pageNumber(read[p]), p + 1);
        auto rowTop = [&](int l) {
            return paper.top() + (TVxTimelinePages::TitleHeight + g.RowTop(l)) * pt;
        };
        // The names of the page's rows, each in its row.
        const int first = g.ScrollY / g.RowHeight;
        for (int l = first; l < std::min(40, first + 5); ++l) {
            const QString name = QStringLiteral("R%1").arg(l + 1, 2, 10, QChar('0'));
            QVERIFY2(find(read[p], name, rowTop(l), rowTop(l + 1)),
                     qPrintable(QString("page %1 loom %2").arg(p + 1).arg(l + 1)));
        }
        // The scale on top of every page.
        QVERIFY(find(read[p], "2027", 0, rowTop(first)));
        // A bar's label starts where the geometry puts the bar.
        const TVxPlanJob& warp = m_doc.plan().Looms[first].Jobs[2];
        const double x = g.X(warp.StartDate);
        if (x < g.NamesWidth || x + 40 > pages.Area(p).width()) continue;
        const Word* label =
            find(read[p], QString::number(warp.JobNo), rowTop(first), rowTop(first + 1));
        QVERIFY2(label, qPrintable(QString("job %1 on page %2").arg(warp.JobNo).arg(p + 1)));
        QVERIFY(qAbs(label->Box.left() - (paper.left() + (x + 3) * pt)) < 1.5);
    }
}

QTEST_MAIN(TestTimeline)
#include "tst_timeline.moc"
