// SPDX-License-Identifier: GPL-3.0-or-later
// The job painter: its frames against the toolkit's own shaded panels, the
// on-screen copy against the direct drawing (also after a change), drawing
// confined to the exposed area, and the same drawing sent to a PDF.

#include "VxJobPainter.h"
#include "VxSched.h"

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <qdrawutil.h>

namespace {
const QColor kUntouched(255, 0, 255);

int differingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

QImage blank(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(kUntouched);
    return image;
}

// A job in a schedule (so it has its width), built from a short recipe:
// "L" a lower caption, "S" a status row, "C" collapsed, "W" a caption wider
// than the job, digits a number of items.
std::unique_ptr<TVxJobSchedule> jobFrom(const QString& recipe, TVxJob** job) {
    auto schedule = std::make_unique<TVxJobSchedule>();
    const QString upper = recipe.contains('W') ? QStringLiteral("1234: A-WHT 3000m and far more")
                                               : QStringLiteral("12: A-WHT");
    *job = schedule->AddJob(1, upper, recipe.contains('L') ? QStringLiteral("R2400") : QString(),
                            46082, 46085);
    int items = 0;
    for (QChar c : recipe)
        if (c.isDigit()) items = c.digitValue();
    for (int i = 0; i < items; ++i)
        (*job)
            ->AddItem(i, QStringLiteral("ABRED : NAT/%1pcs").arg(i + 1))
            ->SetColor(i % 2 ? QColor(255, 255, 200) : QColor(255, 255, 255));
    if (recipe.contains('S')) (*job)->SetStatusText(QStringLiteral("Rem: 2362m / 212kg"));
    if (recipe.contains('C')) schedule->SetExpanded(false);
    return schedule;
}

// The job drawn at a margin into an image of its own (margin 0 for
// comparing pixels: text placement may round differently at other origins).
// At a pixel ratio above 1 the image has ratio times the pixels, as a sharp
// screen has.
QImage drawn(const TVxJob& job, bool viaCopy, const QRect& exposed = QRect(), int margin = 0,
             int ratio = 1) {
    const QSize size(job.Width() + 2 * margin, job.Height() + 2 * margin);
    QImage image = blank(size * ratio);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    TVxJobPainter jobPainter(painter, QApplication::palette());
    const QRect area = exposed.isNull() ? QRect(QPoint(), size) : exposed;
    if (viaCopy)
        jobPainter.Paint(job, QPoint(margin, margin), area);
    else
        jobPainter.Draw(job, QPoint(margin, margin), area);
    return image;
}
} // namespace

class TestSchedPaint : public QObject {
    Q_OBJECT
private slots:
    // The status row is information: its text is drawn dark, not in the grey
    // of a disabled control.
    void statusRowReadsAsInformation() {
        TVxJob* job = nullptr;
        const auto schedule = jobFrom(QStringLiteral("S1"), &job);
        const QImage image = drawn(*job, false);
        const QRect text = job->PartRect(TVxJobPart::Status).adjusted(3, 2, -2, -2);
        int darkest = 255;
        for (int y = text.top(); y <= text.bottom(); ++y)
            for (int x = text.left(); x <= text.right(); ++x)
                darkest = std::min(darkest, qGray(image.pixel(x, y)));
        QVERIFY2(darkest < 96, qPrintable(QString::number(darkest)));
    }

    void panelFramesMatchTheToolkit_data() {
        QTest::addColumn<bool>("sunken");
        QTest::addColumn<int>("lineWidth");
        QTest::newRow("job panel: raised, 1") << false << 1;
        QTest::newRow("column: raised, 1") << false << 1;
        QTest::newRow("job area: sunken, 2") << true << 2;
        QTest::newRow("raised, 2") << false << 2;
        QTest::newRow("sunken, 3") << true << 3;
    }
    void panelFramesMatchTheToolkit() {
        QFETCH(bool, sunken);
        QFETCH(int, lineWidth);
        const QPalette palette = QApplication::palette();
        for (const QRect r : {QRect(3, 4, 40, 30), QRect(0, 0, 9, 7)}) {
            QImage expected = blank(QSize(50, 40));
            QImage actual = expected;
            {
                QPainter painter(&expected);
                qDrawShadePanel(&painter, r, palette, sunken, lineWidth);
            }
            {
                QPainter painter(&actual);
                TVxJobPainter::DrawPanelFrame(painter, r, palette, sunken, lineWidth);
            }
            QCOMPARE(actual, expected);
        }
    }

    void copyMatchesTheDrawing_data() {
        QTest::addColumn<QString>("recipe");
        QTest::newRow("captions only") << "";
        QTest::newRow("lower caption, items, status") << "L4S";
        QTest::newRow("collapsed") << "L4SC";
        QTest::newRow("caption cut at the edge") << "W2";
    }
    void copyMatchesTheDrawing() {
        QFETCH(QString, recipe);
        TVxJob* job = nullptr;
        auto schedule = jobFrom(recipe, &job);
        QCOMPARE(drawn(*job, true), drawn(*job, false));
        // A later change reaches the screen, also one written straight into
        // a row: the copy is the one of a job built that way from the start.
        const QImage before = drawn(*job, true);
        job->StatusRow.Text = QStringLiteral("Rem: 0m");
        job->DatesRow.Text = QStringLiteral("01 Mar - 02 Mar");
        job->SetCaptionColor(Qt::darkGreen);
        TVxJob* twin = nullptr;
        auto twinSchedule = jobFrom(recipe, &twin);
        twin->StatusRow.Text = job->StatusRow.Text;
        twin->DatesRow.Text = job->DatesRow.Text;
        twin->SetCaptionColor(Qt::darkGreen);
        QCOMPARE(drawn(*job, true), drawn(*twin, true));
        QVERIFY(differingPixels(drawn(*job, true), before) > 200);
    }

    // A sharp screen gets a picture of its own pixel ratio: the copy is the
    // drawing at that ratio, not the ordinary picture enlarged.
    void sharpScreensGetSharpPictures_data() {
        QTest::addColumn<int>("ratio");
        QTest::newRow("ordinary screen") << 1;
        QTest::newRow("twice as sharp") << 2;
        QTest::newRow("three times") << 3;
    }
    void sharpScreensGetSharpPictures() {
        QFETCH(int, ratio);
        TVxJob* job = nullptr;
        auto schedule = jobFrom(QStringLiteral("L4S"), &job);
        const QImage& picture = TVxJobPainter::Picture(*job, QApplication::palette(), ratio);
        QCOMPARE(picture.devicePixelRatio(), qreal(ratio));
        QCOMPARE(picture.size(), QSize(job->Width(), job->Height()) * ratio);
        const QImage copy = drawn(*job, true, QRect(), 0, ratio);
        QCOMPARE(copy, drawn(*job, false, QRect(), 0, ratio));
        if (ratio == 1) return;
        const QImage enlarged = drawn(*job, false).scaled(copy.size());
        QVERIFY(differingPixels(copy, enlarged) > 500);
    }

    void onlyTheExposedAreaIsTouched_data() {
        QTest::addColumn<bool>("viaCopy");
        QTest::newRow("copy") << true;
        QTest::newRow("drawing") << false;
    }
    void onlyTheExposedAreaIsTouched() {
        QFETCH(bool, viaCopy);
        TVxJob* job = nullptr;
        auto schedule = jobFrom(QStringLiteral("L4S"), &job);
        const QRect exposed(20, 40, 30, 20);
        const QImage image = drawn(*job, viaCopy, exposed, 10);
        const QImage full = drawn(*job, viaCopy, QRect(), 10);
        int inside = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                if (exposed.contains(x, y))
                    inside += image.pixel(x, y) != full.pixel(x, y);
                else if (image.pixelColor(x, y) != kUntouched)
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 outside").arg(x).arg(y)));
            }
        QCOMPARE(inside, 0);
    }

    void theSameDrawingGoesToAPdf() {
        TVxJob* job = nullptr;
        auto schedule = jobFrom(QStringLiteral("L2S"), &job);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("job.pdf"));
        {
            QPdfWriter writer(pdf);
            writer.setResolution(96);
            QPainter painter(&writer);
            TVxJobPainter jobPainter(painter, QApplication::palette());
            jobPainter.Paint(*job, QPoint(20, 20), QRect(0, 0, 400, 400));
        }
        QProcess text;
        text.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished());
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        const QStringList texts = {"12: A-WHT",          "R2400",
                                   "ABRED : NAT/1pcs",   "ABRED : NAT/2pcs",
                                   "Rem: 2362m / 212kg", job->DatesRow.Text};
        for (const QString& expected : texts)
            QVERIFY2(out.contains(expected), qPrintable(expected + " in " + out));
    }
};

QTEST_MAIN(TestSchedPaint)
#include "tst_schedpaint.moc"
