// SPDX-License-Identifier: GPL-3.0-or-later
// A comparison on paper and in a delimited file: the file's exact text with
// its quoting, and a real PDF read back word by word (pdftotext -bbox):
// nothing overprints, nothing leaves the page, a long table carries on over
// pages under its headings.

#include "PlanBuild.h"
#include "VxComparePrn.h"

#include <QFile>
#include <QPdfWriter>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace planbuild;

namespace {
const QDateTime kPrinted(QDate(2026, 3, 2), QTime(14, 5));

TVxCompareReport report(int extraLooms) {
    TVxPlan before =
        plan({loom(1, {reed(1, 2400, 46000, 46000),
                       warp(2, "A", "WHT", 3000, 46000, 46010, {item(1, "P", "001", "WHT", 2)}),
                       downtime(3, "=cmd|' /C calc'!A0", 46010, 46012)})});
    TVxPlan after = before;
    after.Looms[0].Jobs[1].WarpLen = 2500;
    after.Looms[0].Jobs[1].Items[0].Pieces = 3;
    after.Looms[0].Jobs[2].Descr = "Cleaning, oiling";
    for (int l = 2; l <= extraLooms + 1; ++l) {
        before.Looms << loom(l, {warp(10 * l, "A", "WHT", 3000, 46000, 46010)});
        after.Looms << loom(l, {});
    }
    TVxCompareNames names;
    names.Loom = [](int no) { return QStringLiteral("Loom %1 with a long name").arg(no); };
    names.Job = [](const TVxPlanJob& j) { return QStringLiteral("%1: job").arg(j.JobNo); };
    names.Item = [](const TVxPlanItem& i) { return QStringLiteral("item \"%1\"").arg(i.ItemNo); };
    const TVxPlanDiff diff = VxComparePlans(before, after);
    TVxOutputRates rates;
    rates.Warps.insert("A", {3000, 150});
    return {"Board compared with scenario 3", "Scenario 3", "Board", VxChangeRows(diff, names),
            VxCompareOutput(before, after, rates, names.Loom)};
}

struct TWord {
    QRectF Box;
    QString Text;
    int Page;
};

// Every word of the PDF with its box, and the page size.
QVector<TWord> words(const QString& pdf, QSizeF& page) {
    QProcess run;
    run.start("pdftotext", {"-bbox", pdf, "-"});
    run.waitForFinished(20000);
    const QString html = QString::fromUtf8(run.readAllStandardOutput());
    QVector<TWord> found;
    int pageNo = 0;
    const QRegularExpression tag(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" )re"
        R"re(xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (auto m = tag.globalMatch(html); m.hasNext();) {
        const auto w = m.next();
        if (!w.captured(1).isEmpty()) {
            page = QSizeF(w.captured(1).toDouble(), w.captured(2).toDouble());
            ++pageNo;
            continue;
        }
        found.append({QRectF(QPointF(w.captured(3).toDouble(), w.captured(4).toDouble()),
                             QPointF(w.captured(5).toDouble(), w.captured(6).toDouble())),
                      w.captured(7), pageNo});
    }
    return found;
}
} // namespace

class TstComparePrint : public QObject {
    Q_OBJECT
private slots:
    void fileHoldsEveryTableQuoted() {
        QTemporaryDir dir;
        const QString name = dir.filePath("compare.txt");
        VxWriteCompareFile(name, report(0), kPrinted);
        QFile file(name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n");
        QCOMPARE(
            lines.mid(0, 9),
            (QStringList{
                "Board compared with scenario 3,Printed: 02/03/2026 02:05 pm", "", "Changes",
                "Loom,Job,Item,Change,Was,Now,Matched by",
                "Loom 1 with a long name,2: job,,Length,3000,2500,number",
                R"(Loom 1 with a long name,2: job,"item ""1""",Pieces,2,3,number)",
                R"(Loom 1 with a long name,3: job,,Description,'=cmd|' /C calc'!A0,"Cleaning, oiling",number)",
                "", "Looms"}));
        QVERIFY(lines.contains("Warp type,Colour,Warps (Scenario 3),Warps (Board),Difference,"
                               "Yarn weight (Scenario 3),Yarn weight (Board),Difference"));
        // Signed figures stay numbers; the same sign on a text is guarded.
        QVERIFY(lines.contains("A,WHT,1,1,,150,125,-25"));
        QVERIFY(lines.contains("P,001,2,3,+1,,,"));
    }

    void paperNeitherOverprintsNorLeavesThePage() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext not found");
        QTemporaryDir dir;
        const QString pdf = dir.filePath("compare.pdf");
        {
            QPdfWriter writer(pdf);
            writer.setPageSize(QPageSize(QPageSize::A5));
            VxPrintCompare(&writer, report(60), kPrinted);
        }
        QSizeF page;
        const QVector<TWord> all = words(pdf, page);
        QVERIFY(!all.isEmpty());
        int headingPages = 0;
        for (int i = 0; i < all.size(); ++i) {
            const TWord& w = all[i];
            QVERIFY2(QRectF(QPointF(0, 0), page).contains(w.Box), qPrintable(w.Text));
            for (int j = i + 1; j < all.size(); ++j)
                QVERIFY2(all[j].Page != w.Page ||
                             !all[j].Box.adjusted(0.5, 0.5, -0.5, -0.5).intersects(w.Box),
                         qPrintable(w.Text + " / " + all[j].Text));
            headingPages += w.Text == "Matched";
        }
        // Sixty removed warps run the change list over a second A5 page.
        QVERIFY(all.last().Page >= 3);
        QVERIFY(headingPages >= 2);
    }
};

QTEST_MAIN(TstComparePrint)
#include "tst_compareprint.moc"
