// SPDX-License-Identifier: GPL-3.0-or-later
// The views beside the board on the shown window: the timeline and the
// board select the same job whichever is clicked, find highlights on both
// and steps with the keys, the warps' capacity gauges, and the timeline's
// printout through the print options dialog. Real clicks and keys.

#include "FindBar.h"
#include "PlanBuild.h"
#include "PlantViews.h"
#include "PrintForm.h"
#include "TimelinePane.h"
#include "VxTimelineView.h"
#include "VxWarpGauge.h"
#include "WeavePlant.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>
#include <QStandardPaths>

using namespace planbuild;

namespace {
const double kDay = VxEncodeDate(2027, 3, 1);

// The dates as the rules would settle them (a piece of XA weaves 12 hours).
// Loom 1: reed 1, warp 2 (W-RED, fabric #1), downtime 3, warp 4 (G-RED, #2).
// Loom 2: reed 5, warp 6 (V-RED, #3), warp 7 (G-BLU, #4), warp 10 (W-RED,
// #6, over-filled). Loom 3 (the other loom type): reed 8, warp 9 (G-RED, #5).
TVxPlan testPlan() {
    const double d = kDay;
    return plan(
        {loom(1, {reed(1, 2400, d, d),
                  warp(2, "W", "RED", 100, d, d + 2, {item(1, "B", "001", "002", 9)}),
                  downtime(3, "Planned maintenance", d + 2, d + 3),
                  warp(4, "G", "RED", 1000, d + 3, d + 13, {item(2, "XA", "RED", "NAT", 20)})}),
         loom(2, {reed(5, 2400, d, d),
                  warp(6, "V", "RED", 1000, d, d + 4, {item(3, "XA", "RED", "NAT", 2)}),
                  warp(7, "G", "BLU", 1000, d + 4, d + 6, {item(4, "Y", "BLU", "BLU", 30)}),
                  warp(10, "W", "RED", 100, d + 6, d + 7, {item(6, "B", "001", "002", 11)})}),
         loom(3, {reed(8, 2400, d + 1, d + 1),
                  warp(9, "G", "RED", 1000, d + 1, d + 13, {item(5, "XA", "RED", "NAT", 23)})})},
        11, 7);
}

QString colourName(const QColor& c) {
    if (c == VxFillColor(0, 1)) return "green";
    if (c == VxFillColor(95, 100)) return "amber";
    if (c == VxFillColor(2, 1)) return "red";
    return c.name();
}

// "loom.job" of the board's chosen job, "" for none.
QString boardChoice(TMainForm* main) {
    const TVxJob* job = main->ScheduleBox->Schedules(0)->SelectedJob();
    if (!job) return QString();
    return QStringLiteral("%1.%2")
        .arg(main->Board->LoomOf(job->Schedule()))
        .arg(job->Schedule()->IndexOfJob(job));
}

void press(TMainForm* main, int key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(main->windowHandle(), Qt::Key(key), modifiers);
}
} // namespace

class TestPlantViews : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void selectionFollowsBetweenViews_data();
    void selectionFollowsBetweenViews();
    void doubleClickOpensTheJob();
    void findHighlightsAndSteps_data();
    void findHighlightsAndSteps();
    void findFollowsTheMatchThroughAnEdit();
    void gauges_data();
    void gauges();
    void changesReachTheTimeline();
    void timelinePrintsToPdf();

private:
    TVxTimelineView* timeline() const { return m_plant->Main->Views->Timeline->View; }
    // The centre of a job's bar on the timeline.
    QPoint barCentre(int loom, int job) const {
        return timeline()
            ->Geometry()
            .BarRect(loom, m_plant->Main->Document->plan().Looms[loom].Jobs[job])
            .center();
    }
    std::unique_ptr<ShownPlant> m_plant;
};

void TestPlantViews::init() {
    m_plant = std::make_unique<ShownPlant>();
    m_plant->Main->resize(1000, 760);
    showPlan(m_plant->Main, testPlan());
    m_plant->Main->Views->TimelineAction->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(timeline()));
    timeline()->SetPeriod(kDay - 1, kDay + 13);
    timeline()->SetDayWidth(48);
    timeline()->ScrollToDate(kDay - 1);
}

void TestPlantViews::cleanup() {
    m_plant.reset();
}

void TestPlantViews::selectionFollowsBetweenViews_data() {
    QTest::addColumn<int>("loom");
    QTest::addColumn<int>("job");
    QTest::addColumn<int>("boardLoom");
    QTest::addColumn<int>("boardJob");
    QTest::newRow("a reed's mark, then a warp on the board") << 0 << 0 << 1 << 2;
    QTest::newRow("a warp, then the reed of another loom") << 0 << 3 << 2 << 0;
    QTest::newRow("a downtime, then a warp on its own loom") << 0 << 2 << 0 << 1;
    QTest::newRow("the last warp of a loom") << 1 << 3 << 0 << 2;
}

void TestPlantViews::selectionFollowsBetweenViews() {
    QFETCH(int, loom);
    QFETCH(int, job);
    QFETCH(int, boardLoom);
    QFETCH(int, boardJob);
    QTest::mouseClick(timeline()->viewport(), Qt::LeftButton, {}, barCentre(loom, job));
    QCOMPARE(boardChoice(m_plant->Main), QStringLiteral("%1.%2").arg(loom).arg(job));
    QCOMPARE(timeline()->Scene().Selected, TVxTimelineJob(loom, job));
    // And back: a click on the board marks the job on the timeline.
    TVxJob* onBoard = m_plant->Loom(boardLoom)->Jobs(boardJob);
    QWidget* area = onBoard->Schedule()->JobArea()->viewport();
    m_plant->Loom(boardLoom)->ShowElement(onBoard);
    mousePress(area, partPos(onBoard));
    mouseRelease(area, partPos(onBoard));
    QCOMPARE(timeline()->Scene().Selected, TVxTimelineJob(boardLoom, boardJob));
    QVERIFY(timeline()->viewport()->rect().contains(barCentre(boardLoom, boardJob)));
}

void TestPlantViews::doubleClickOpensTheJob() {
    VxDialogScript script;
    script.dialogs.push_back([](QDialog*) { return int(QDialog::Rejected); });
    QTest::mouseDClick(timeline()->viewport(), Qt::LeftButton, {}, barCentre(0, 3));
    QCOMPARE(script.dialogTitles, QStringList{"Edit G-RED On Loom 1 : LOOMA"});
    QCOMPARE(boardChoice(m_plant->Main), QStringLiteral("0.3"));
}

void TestPlantViews::findHighlightsAndSteps_data() {
    QTest::addColumn<QString>("query");
    // The matches in board order as loom.job or loom.job/item; then the
    // count shown after F3, F3, Shift+F3 and where the board stands.
    QTest::addColumn<QStringList>("found");
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("fabric code") << "XA" << QStringList{"0.3/0", "1.1/0", "2.1/0"}
                                 << QStringList{"2 of 3 1.1", "3 of 3 2.1", "2 of 3 1.1"};
    QTest::newRow("warp type") << "G" << QStringList{"0.3", "1.2", "2.1"}
                               << QStringList{"2 of 3 1.2", "3 of 3 2.1", "2 of 3 1.2"};
    QTest::newRow("a colour: warps and fabric")
        << "red" << QStringList{"0.1", "0.3", "0.3/0", "1.1", "1.1/0", "1.3", "2.1", "2.1/0"}
        << QStringList{"2 of 8 0.3", "3 of 8 0.3", "2 of 8 0.3"};
    QTest::newRow("fabric structure and colour as words")
        << "Y BLU" << QStringList{"1.2/0"} << QStringList{"1 of 1 1.2", "1 of 1 1.2", "1 of 1 1.2"};
    QTest::newRow("job number, round at the end")
        << "7" << QStringList{"1.2"} << QStringList{"1 of 1 1.2", "1 of 1 1.2", "1 of 1 1.2"};
    QTest::newRow("downtime") << "maint" << QStringList{"0.2"}
                              << QStringList{"1 of 1 0.2", "1 of 1 0.2", "1 of 1 0.2"};
    QTest::newRow("nothing") << "Z-GRN" << QStringList{}
                             << QStringList{"No match", "No match", "No match"};
}

void TestPlantViews::findHighlightsAndSteps() {
    QFETCH(QString, query);
    QFETCH(QStringList, found);
    QFETCH(QStringList, steps);
    TMainForm* main = m_plant->Main;
    TFindBar* bar = main->Views->FindBar;
    press(main, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(bar->isVisible());
    QTest::keyClicks(bar->FindEdit, query);
    // Highlighted on the board: exactly the matches.
    QStringList marked;
    QSet<TVxTimelineJob> jobs;
    for (int l = 0; l < main->ScheduleBox->ScheduleCount(); ++l)
        for (int j = 0; j < m_plant->Loom(l)->JobCount(); ++j) {
            TVxJob* job = m_plant->Loom(l)->Jobs(j);
            if (job->Marked()) marked << QStringLiteral("%1.%2").arg(l).arg(j);
            for (int i = 0; i < job->ItemCount(); ++i)
                if (job->Items(i)->Marked())
                    marked << QStringLiteral("%1.%2/%3").arg(l).arg(j).arg(i);
        }
    QCOMPARE(marked, found);
    // On the timeline: the jobs, a fabric by its warp.
    for (const QString& hit : found)
        jobs.insert(
            {hit.section('.', 0, 0).toInt(), hit.section('.', 1).section('/', 0, 0).toInt()});
    QCOMPARE(timeline()->Scene().Found, jobs);
    QStringList shown;
    for (Qt::KeyboardModifiers modifiers : {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(),
                                            Qt::KeyboardModifiers(Qt::ShiftModifier)}) {
        press(main, Qt::Key_F3, modifiers);
        shown << (found.isEmpty() ? bar->CountLabel->text()
                                  : bar->CountLabel->text() + " " + boardChoice(main));
    }
    QCOMPARE(shown, steps);
    press(main, Qt::Key_Escape);
    QVERIFY(!bar->isVisible());
    QVERIFY(timeline()->Scene().Found.isEmpty());
    for (int j = 0; j < m_plant->Loom(0)->JobCount(); ++j)
        QVERIFY(!m_plant->Loom(0)->Jobs(j)->Marked());
}

void TestPlantViews::findFollowsTheMatchThroughAnEdit() {
    TMainForm* main = m_plant->Main;
    TFindBar* bar = main->Views->FindBar;
    press(main, Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(bar->FindEdit, "G");
    press(main, Qt::Key_F3);
    QCOMPARE(bar->CountLabel->text(), QString("2 of 3"));
    // Warp 7, the current match, moves to the end of loom 1: still the
    // second of three, highlighted where it went.
    TVxJobSchedule* target = m_plant->Loom(0);
    VxGuard(main, [&] { target->OnDoJobDrop(target, m_plant->Loom(1)->Jobs(2), 4); });
    QCOMPARE(bar->CountLabel->text(), QString("2 of 3"));
    QCOMPARE(timeline()->Scene().Current, TVxTimelineJob(0, 4));
    QVERIFY(m_plant->Loom(0)->Jobs(4)->Marked());
    QVERIFY(!m_plant->Loom(1)->Jobs(2)->Marked());
}

void TestPlantViews::gauges_data() {
    QTest::addColumn<int>("loom");
    QTest::addColumn<int>("job");
    QTest::addColumn<QStringList>("colours");
    QTest::addColumn<QString>("hint");
    QTest::newRow("90 % of the length still fits")
        << 0 << 1 << QStringList{"green"}
        << "Length used: 90 of 100 m (90 %)\nWeight used: 4 of 5 kg (80 %)";
    QTest::newRow("the weight limits: both shown")
        << 0 << 3 << QStringList{"green", "amber"}
        << "Length used: 800 of 1000 m (80 %)\nWeight used: 48 of 50 kg (96 %)";
    QTest::newRow("weight full to the kilogram")
        << 1 << 1 << QStringList{"green", "amber"}
        << "Length used: 80 of 1000 m (8 %)\nWeight used: 5 of 5 kg (100 %)";
    QTest::newRow("length and weight alike: the length")
        << 1 << 2 << QStringList{"green"}
        << "Length used: 300 of 1000 m (30 %)\nWeight used: 15 of 50 kg (30 %)";
    QTest::newRow("over by weight")
        << 2 << 1 << QStringList{"amber", "red"}
        << "Length used: 920 of 1000 m (92 %)\nWeight used: 55 of 50 kg (110 %), 5 kg over";
    QTest::newRow("over by both") << 1 << 3 << QStringList{"red", "red"}
                                  << "Length used: 110 of 100 m (110 %), 10 m over\nWeight used: 6 "
                                     "of 5 kg (120 %), 1 kg over";
    QTest::newRow("a reed has none") << 1 << 0 << QStringList{} << "";
}

void TestPlantViews::gauges() {
    QFETCH(int, loom);
    QFETCH(int, job);
    QFETCH(QStringList, colours);
    QFETCH(QString, hint);
    const TVxJob* drawn = m_plant->Loom(loom)->Jobs(job);
    QStringList shown;
    for (const TVxJobGauge& gauge : drawn->Gauges())
        shown << colourName(gauge.Color);
    QCOMPARE(shown, colours);
    QCOMPARE(drawn->GaugeHint(), hint);
}

void TestPlantViews::changesReachTheTimeline() {
    TMainForm* main = m_plant->Main;
    const QPoint loom1(20, timeline()->Geometry().RowTop(0) + 5);
    const QPoint loom2(20, timeline()->Geometry().RowTop(1) + 5);
    QVERIFY(timeline()->TipAt(loom1).contains("Weaving 80 % of the period"));
    QVERIFY(timeline()->TipAt(loom2).contains("Weaving 47 % of the period"));
    // Warp 7 of loom 2 dropped at the end of loom 1: loom 1 weaves a day
    // more within the period, loom 2 two days less.
    TVxJobSchedule* target = m_plant->Loom(0);
    VxGuard(main, [&] { target->OnDoJobDrop(target, m_plant->Loom(1)->Jobs(2), 4); });
    QCOMPARE(main->Document->plan().Looms[0].Jobs.size(), 5);
    QVERIFY(timeline()->TipAt(loom1).contains("Weaving 87 % of the period"));
    QVERIFY(timeline()->TipAt(loom2).contains("Weaving 33 % of the period"));
    QVERIFY(timeline()->TipAt(barCentre(0, 4)).startsWith("7:  G-BLU 1000m"));
}

void TestPlantViews::timelinePrintsToPdf() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext not found");
    QTemporaryDir dir;
    const QString pdf = dir.filePath("plant.pdf");
    VxDialogScript script;
    script.fileNames.push_back(pdf);
    script.dialogs.push_back([](QDialog* d) {
        auto* form = static_cast<TPrintForm*>(d);
        // The drawing goes to a PDF, not to a text file.
        if (!form->FileRadio->isHidden() || form->PdfRadio->isHidden())
            return int(QDialog::Rejected);
        // On the buttons' circles: a click beyond a short text misses.
        for (QRadioButton* radio : {form->PdfRadio, form->FitRadio})
            QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
        QTest::mouseClick(form->StartButton, Qt::LeftButton);
        return -1;
    });
    m_plant->Main->Views->PrintTimelineAction->trigger();
    QCOMPARE(script.dialogTitles, QStringList{"Print Options"});
    QCOMPARE(script.fileRequests.value(0).proposedName, QString("Timeline.pdf"));
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    QVERIFY(text.waitForFinished());
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    for (const char* expected : {"Timeline 28/02/27 \u2013 14/03/27", "Page 1 of 1", "Loom 1",
                                 "Loom 3", "March 2027", "4 G-RED"})
        QVERIFY2(printed.contains(QString::fromUtf8(expected)), expected);
}

QTEST_MAIN(TestPlantViews)
#include "tst_plantviews.moc"
