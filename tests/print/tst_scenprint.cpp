// SPDX-License-Identifier: GPL-3.0-or-later
// The scenario listing without a window: the lines of a loom, the delimited
// file (read back by an independent CSV parser), failed writes, the page
// breaks, and a plan wider and longer than a page printed to a real PDF.

#include "VxAbort.h"
#include "VxDate.h"
#include "VxScenPage.h"
#include "VxScenPrn.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(TVxPlanLoom)
Q_DECLARE_METATYPE(TVxPrintJob)

namespace {
const QDateTime kPrinted(QDate(2026, 3, 5), QTime(15, 7));
const QString kStampLine = QStringLiteral("Print Options         Printed: 05/03/2026 03:07 pm,");

TVxPlanJob job(int jobNo, double start, double finish, int items = 0, bool expanded = true) {
    TVxPlanJob j;
    j.JobNo = jobNo;
    j.StartDate = start;
    j.FinishDate = finish;
    j.Expanded = expanded;
    for (int i = 0; i < items; ++i) {
        TVxPlanItem item;
        item.ItemNo = i + 1;
        j.Items.append(item);
    }
    return j;
}

// Texts per job number, as a board would show them.
TVxJobTextSource textsFrom(const QHash<int, TVxJobTexts>& texts) {
    return [texts](const TVxPlanJob& j) { return texts.value(j.JobNo); };
}

// A line as "[n]text" when it is job n's caption line.
QStringList shown(const TVxPrintLines& lines) {
    QStringList out;
    for (const TVxPrintLine& line : lines)
        out << (line.JobCaption ? QStringLiteral("[%1]").arg(line.JobNo) : QString()) + line.Text;
    return out;
}

TVxPrintLines plain(const QStringList& texts, int captionEvery = 0) {
    TVxPrintLines lines;
    for (int i = 0; i < texts.size(); ++i) {
        const bool caption = captionEvery > 0 && i % captionEvery == 0;
        lines.append({texts[i], caption, caption ? i + 1 : 0});
    }
    return lines;
}

TVxPrintJob printJob(const QStringList& headings, const QList<TVxPrintLines>& columns) {
    TVxPrintJob job;
    job.Title = QStringLiteral("Print Options");
    for (int i = 0; i < headings.size(); ++i)
        job.AddColumn(headings[i], columns.value(i));
    return job;
}

// Parses a file with Python's csv module: an independent reading of the
// quoting, as a spreadsheet would do it.
QList<QStringList> readCsv(const QString& fileName) {
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv, json, sys\n"
                                 "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                                 "    print(json.dumps(list(csv.reader(f))))"),
                  fileName});
    if (!python.waitForFinished(30000) || python.exitCode() != 0) return {};
    QList<QStringList> rows;
    const QJsonArray array = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    for (const QJsonValue& row : array) {
        QStringList fields;
        for (const QJsonValue& field : row.toArray())
            fields << field.toString();
        rows << fields;
    }
    return rows;
}

QString pdfText(const QString& fileName) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {fileName, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int occurrences(const QString& text, const QString& word) {
    const QRegularExpression re(QStringLiteral("\\b") + QRegularExpression::escape(word) +
                                QStringLiteral("\\b"));
    int n = 0;
    for (auto it = re.globalMatch(text); it.hasNext(); it.next())
        ++n;
    return n;
}
} // namespace

class TestScenPrint : public QObject {
    Q_OBJECT
private slots:
    void scheduleLines_data() {
        QTest::addColumn<TVxPlanLoom>("loom");
        QTest::addColumn<QStringList>("expected");
        const double d1 = VxEncodeDate(2026, 3, 2), d2 = VxEncodeDate(2026, 3, 9);
        const QStringList fabrics = {"AB12 : NAT/1pc", "C7 : RED/3pcs"};
        auto loomOf = [](const QVector<TVxPlanJob>& jobs) {
            TVxPlanLoom loom;
            loom.Jobs = jobs;
            return loom;
        };

        QTest::newRow("no jobs: no lines") << loomOf({}) << QStringList();
        QTest::newRow("caption, dates and the empty line")
            << loomOf({job(1, d1, d2)})
            << QStringList{"[1]1:  Reed 2400", "Start: 02/03/2026", "End:  09/03/2026", ""};
        QTest::newRow("lower caption after the caption, status before the empty line")
            << loomOf({job(4, d1, d2)})
            << QStringList{"[4]4:  Overhaul",  "second row",    "Start: 02/03/2026",
                           "End:  09/03/2026", "Rem: 5m / 1kg", ""};
        QTest::newRow("expanded warp: separator, then its fabrics")
            << loomOf({job(2, d1, d2, 2)}) << QStringList{"[2]2:  A-WHT 500m", "Start: 02/03/2026",
                                                          "End:  09/03/2026",  "------------------",
                                                          fabrics[0],          fabrics[1],
                                                          "Rem: 20m / 0kg",    ""};
        QTest::newRow("collapsed warp: no fabric block")
            << loomOf({job(2, d1, d2, 2, false)})
            << QStringList{"[2]2:  A-WHT 500m", "Start: 02/03/2026", "End:  09/03/2026",
                           "Rem: 20m / 0kg", ""};
        QTest::newRow("expanded warp without fabric: no separator")
            << loomOf({job(3, d1, 0)})
            << QStringList{"[3]3:  B-RED 100m", "Start: 02/03/2026", "End:  30/12/1899", ""};
        QTest::newRow("jobs in loom order")
            << loomOf({job(3, d1, 0), job(1, d2, d2 + 1)})
            << QStringList{"[3]3:  B-RED 100m", "Start: 02/03/2026", "End:  30/12/1899", "",
                           "[1]1:  Reed 2400",  "Start: 09/03/2026", "End:  10/03/2026", ""};
    }
    void scheduleLines() {
        QFETCH(TVxPlanLoom, loom);
        QFETCH(QStringList, expected);
        const QHash<int, TVxJobTexts> texts = {
            {1, {"1:  Reed 2400", "", "", {}}},
            {2, {"2:  A-WHT 500m", "", "Rem: 20m / 0kg", {"AB12 : NAT/1pc", "C7 : RED/3pcs"}}},
            {3, {"3:  B-RED 100m", "", "", {}}},
            {4, {"4:  Overhaul", "second row", "Rem: 5m / 1kg", {}}},
        };
        QCOMPARE(shown(VxScheduleLines(loom, textsFrom(texts))), expected);
    }

    void printedStamp_data() {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("stamp");
        QTest::newRow("afternoon") << QTime(15, 7) << "05/03/2026 03:07 pm";
        QTest::newRow("midnight") << QTime(0, 0) << "05/03/2026 12:00 am";
        QTest::newRow("noon") << QTime(12, 30) << "05/03/2026 12:30 pm";
        QTest::newRow("last minute") << QTime(23, 59, 59) << "05/03/2026 11:59 pm";
    }
    void printedStamp() {
        QFETCH(QTime, time);
        QFETCH(QString, stamp);
        QCOMPARE(VxPrintedStamp(QDateTime(QDate(2026, 3, 5), time)), stamp);
    }

    void delimitedField_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << "Start: 02/03/2026"
                               << "Start: 02/03/2026";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("job caption markers") << "<3:  Breakdown>"
                                             << "<3:  Breakdown>";
        QTest::newRow("comma") << "Repair, east wall"
                               << "\"Repair, east wall\"";
        QTest::newRow("double quote") << "The \"big\" one"
                                      << "\"The \"\"big\"\" one\"";
        QTest::newRow("line feed") << "two\nrows"
                                   << "\"two\nrows\"";
        QTest::newRow("carriage return") << "two\rrows"
                                         << "\"two\rrows\"";
        QTest::newRow("equals") << "=SUM(A1:A9)"
                                << "'=SUM(A1:A9)";
        QTest::newRow("plus") << "+1"
                              << "'+1";
        QTest::newRow("at") << "@cmd"
                            << "'@cmd";
        QTest::newRow("tab") << "\tx"
                             << "'\tx";
        QTest::newRow("minus and a digit") << "-5"
                                           << "'-5";
        QTest::newRow("minus formula with a comma") << "-1,2"
                                                    << "\"'-1,2\"";
        QTest::newRow("the separator stays") << "------------------"
                                             << "------------------";
        QTest::newRow("a lone hyphen stays") << "-"
                                             << "-";
        QTest::newRow("equals inside") << "a=b"
                                       << "a=b";
        QTest::newRow("formula in markers is inert") << "<=1+1>"
                                                     << "<=1+1>";
    }
    void delimitedField() {
        QFETCH(QString, text);
        QFETCH(QString, field);
        QCOMPARE(VxDelimitedField(text), field);
    }

    void delimitedText_data() {
        QTest::addColumn<TVxPrintJob>("job");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("no looms") << printJob({}, {}) << QStringList{kStampLine, "", ""};
        QTest::newRow("empty scenario: lines 1 to 3 only")
            << printJob({"Loom 1 : A", "Loom 2 : B"}, {})
            << QStringList{kStampLine, "<<Loom 1 : A>>,<<Loom 2 : B>>,", ",,"};
        QTest::newRow("columns of different lengths")
            << printJob({"L1", "L2", "L3"}, {plain({"cap", "x", "", "cap2", "y"}, 3), plain({}),
                                             plain({"cap3", "z"}, 2)})
            << QStringList{kStampLine,  "<<L1>>,<<L2>>,<<L3>>,",
                           ",,,",       "<cap>,,<cap3>,",
                           "x,,z,",     ",,,",
                           "<cap2>,,,", "y,,,"};
        QTest::newRow("markers and quoting together")
            << printJob({"Loom, east"}, {plain({"1:  Fix \"A\", B", "=2"}, 2)})
            << QStringList{kStampLine, "\"<<Loom, east>>\",", ",", "\"<1:  Fix \"\"A\"\", B>\",",
                           "'=2,"};
    }
    void delimitedText() {
        QFETCH(TVxPrintJob, job);
        QFETCH(QStringList, lines);
        const QString text = VxDelimitedText(job, kPrinted);
        QVERIFY(text.endsWith("\r\n"));
        QCOMPARE(text.count("\r\n"), lines.size());
        QCOMPARE(text.chopped(2).split("\r\n"), lines);
    }

    // What a spreadsheet reads is the text the board shows, column for column.
    void csvReadBack() {
        if (QStandardPaths::findExecutable("python3").isEmpty()) QSKIP("python3 not found");
        QTemporaryDir dir;
        const QString fileName = dir.filePath("plan.txt");
        const QString tricky = "=HYPERLINK(\"x\"), \"quoted\"";
        const TVxPrintJob job = printJob(
            {"Loom 1 : A", "Loom, 2"},
            {plain({"7:  " + tricky, "Start: 02/03/2026", "------------------", "-3 pcs"}, 4),
             plain({"=cmd|' /C calc'!A0", "a\nb"})});
        VxWriteDelimitedFile(fileName, job, kPrinted);
        const QList<QStringList> rows = readCsv(fileName);
        const QList<QStringList> expected = {
            {"Print Options         Printed: 05/03/2026 03:07 pm", ""},
            {"<<Loom 1 : A>>", "<<Loom, 2>>", ""},
            {"", "", ""},
            {"<7:  " + tricky + ">", "'=cmd|' /C calc'!A0", ""},
            {"Start: 02/03/2026", "a\nb", ""},
            {"------------------", "", ""},
            {"'-3 pcs", "", ""},
        };
        QCOMPARE(rows, expected);
    }

    void failedWrite_data() {
        QTest::addColumn<QString>("relativePath");
        QTest::addColumn<QString>("checkedPath");
        QTest::newRow("missing folder") << "nowhere/plan.txt"
                                        << "nowhere";
        QTest::newRow("a file where the folder should be") << "blocker/plan.txt"
                                                           << "blocker";
        QTest::newRow("a folder where the file should be") << "folder"
                                                           << "folder";
    }
    void failedWrite() {
        QFETCH(QString, relativePath);
        QFETCH(QString, checkedPath);
        QTemporaryDir dir;
        {
            QFile blocker(dir.filePath("blocker"));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            blocker.write("keep");
        }
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        const QStringList before =
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        QString message;
        try {
            VxWriteDelimitedFile(dir.filePath(relativePath), printJob({"L1"}, {}), kPrinted);
        } catch (const EVxError& e) {
            message = e.message();
        }
        QVERIFY2(!message.isEmpty(), "a failed write reports its error");
        // Nothing left behind, nothing else touched.
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QVERIFY(QDir(dir.filePath("folder")).isEmpty());
        QFile blocker(dir.filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::ReadOnly));
        QCOMPARE(blocker.readAll(), QByteArray("keep"));
        Q_UNUSED(checkedPath);
    }

    // A shorter file replaces a longer one whole: no tail of the old one.
    void overwriteReplacesWholeFile() {
        QTemporaryDir dir;
        const QString fileName = dir.filePath("plan.txt");
        VxWriteDelimitedFile(fileName, printJob({"L1"}, {plain(QStringList(50, "long line"))}),
                             kPrinted);
        VxWriteDelimitedFile(fileName, printJob({"L1"}, {}), kPrinted);
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), kStampLine + "\r\n<<L1>>,\r\n,\r\n");
    }

    // Every line lands on exactly one page; a plan that fits stays one page.
    void pages_data() {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pagesDown");
        QTest::addColumn<int>("pagesAcross");
        QTest::newRow("no looms: title page") << 0 << 0 << 1 << 1;
        QTest::newRow("looms without jobs: one page") << 3 << 0 << 1 << 1;
        QTest::newRow("fits one page") << 4 << 40 << 1 << 1;
        QTest::newRow("longer than a page") << 4 << 200 << 3 << 1;
        QTest::newRow("wider than a page") << 20 << 40 << 1 << 3;
        QTest::newRow("wider and longer") << 20 << 200 << 3 << 3;
    }
    void pages() {
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(int, pagesDown);
        QFETCH(int, pagesAcross);
        QTemporaryDir dir;
        QPdfWriter pdf(dir.filePath("x.pdf"));
        pdf.setResolution(600);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        TVxPrintJob job;
        // Columns of falling length: the last ones end early.
        for (int d = 0; d < columns; ++d)
            job.AddColumn(QString::number(d), plain(QStringList(qMax(0, rows - d), "x"), 5));
        const TVxScenarioLayout layout(job, &pdf);
        // An A4 page takes 7 columns of twelve "A" at 10 points, and some
        // 80 rows at 9 points.
        QCOMPARE(layout.Pages()[0].ColumnCount, std::min(columns, 7));
        QVERIFY2(layout.RowsPerPage() > 67 && layout.RowsPerPage() < 100,
                 qPrintable(QString::number(layout.RowsPerPage())));

        const QVector<TVxPrintPage>& pages = layout.Pages();
        QCOMPARE(pages.size(), pagesDown * pagesAcross);
        QHash<QPair<int, int>, int> printed;
        for (int i = 0; i < pages.size(); ++i) {
            const TVxPrintPage& page = pages[i];
            QCOMPARE(page.Number, i + 1);
            QVERIFY(page.ColumnCount <= 7);
            QVERIFY(page.RowCount <= layout.RowsPerPage());
            for (int d = page.FirstColumn; d < page.FirstColumn + page.ColumnCount; ++d)
                for (int r = page.FirstRow; r < page.FirstRow + page.RowCount; ++r)
                    if (r < job.Columns[d].size()) ++printed[{d, r}];
        }
        int lines = 0;
        for (const TVxPrintLines& column : job.Columns)
            lines += column.size();
        QCOMPARE(printed.size(), lines);
        for (int count : printed)
            QCOMPARE(count, 1);
        if (pages.size() == 1) QCOMPARE(pages[0], (TVxPrintPage{1, 0, columns, 0, job.RowCount}));
    }

    // Down then across, each page with the title line, its number and the
    // headings of its own columns; every caption once; bold captions.
    void pdfOfWideLongPlan() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext not found");
        QTemporaryDir dir;
        const QString fileName = dir.filePath("plan.pdf");
        TVxPrintJob job;
        job.Title = "Print Options";
        QStringList captions;
        for (int d = 0; d < 10; ++d) {
            QStringList texts;
            for (int r = 0; r < 130 + 10 * d; ++r) {
                if (r % 5 == 0) {
                    captions << QStringLiteral("J%1x%2").arg(d).arg(r, 3, 10, QChar('0'));
                    texts << captions.last();
                } else {
                    texts << QStringLiteral("line");
                }
            }
            job.AddColumn(QStringLiteral("Loom%1").arg(d, 2, 10, QChar('0')), plain(texts, 5));
        }
        QPdfWriter pdf(fileName);
        pdf.setResolution(600);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        const TVxScenarioLayout layout(job, &pdf);
        VxPrintScenario(&pdf, job, kPrinted);

        const QStringList pageTexts = pdfText(fileName).split('\f', Qt::SkipEmptyParts);
        QCOMPARE(pageTexts.size(), layout.Pages().size());
        QVERIFY(pageTexts.size() >= 4);
        const QString all = pageTexts.join('\n');
        for (const QString& caption : captions)
            QCOMPARE(occurrences(all, caption), 1);
        for (const TVxPrintPage& page : layout.Pages()) {
            const QString& text = pageTexts[page.Number - 1];
            QVERIFY(text.contains("Print Options"));
            QVERIFY(text.contains("Printed: 05/03/2026 03:07 pm"));
            QCOMPARE(occurrences(text, QStringLiteral("Page %1").arg(page.Number)), 1);
            for (int d = 0; d < job.Headings.size(); ++d) {
                const bool own = d >= page.FirstColumn && d < page.FirstColumn + page.ColumnCount;
                QCOMPARE(occurrences(text, job.Headings[d]), own ? 1 : 0);
            }
        }
        // Regular and bold faces of the metric-compatible font.
        QProcess fonts;
        fonts.start("pdffonts", {fileName});
        fonts.waitForFinished(30000);
        const QString fontList = QString::fromUtf8(fonts.readAllStandardOutput());
        QVERIFY2(fontList.contains("LiberationSans-Bold"), qPrintable(fontList));
        QVERIFY2(fontList.contains(QRegularExpression("LiberationSans(-Regular)?\\b")),
                 qPrintable(fontList));
    }
};

QTEST_MAIN(TestScenPrint)
#include "tst_scenprint.moc"
