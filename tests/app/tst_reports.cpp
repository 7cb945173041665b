// SPDX-License-Identifier: GPL-3.0-or-later
// The yarn requirements and greige output windows on a scenario stored for
// the purpose, on an SQLite file and on the PostgreSQL test server: each view
// chosen with the combo boxes, its grid, totals and sub-title, its printout
// read back from a real PDF (with the board's, by word boxes) and its exports
// read back from the files.

#include "MainForm.h"
#include "OutputForm.h"
#include "ReportData.h"
#include "ReqmtsForm.h"
#include "SchedData.h"
#include "VxDBGrid.h"
#include "VxDatPrn.h"
#include "VxDialogDriving.h"
#include "VxDialogs.h"
#include "VxPromptLog.h"
#include "VxScenPage.h"
#include "VxScratchDb.h"
#include "VxSheetReadBack.h"

#include <QUndoStack>

#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QtTest>

namespace {
// Every row of a grid as its cells joined with "|".
QStringList gridRows(const TVxDBGrid* grid) {
    QStringList rows;
    const QAbstractItemModel* m = grid->model();
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m->columnCount(); ++c)
            cells << m->index(r, c).data().toString();
        rows << cells.join('|');
    }
    return rows;
}

QString pdfText(const QString& file) {
    QProcess run;
    run.start("pdftotext", {"-layout", file, "-"});
    run.waitForFinished(20000);
    return QString::fromUtf8(run.readAllStandardOutput());
}

// A printed line: the cells of a grid row (or the words of a totals line)
// in order, blanks between.
QRegularExpression printedLine(const QString& row) {
    QStringList cells = row.split(QRegularExpression("[| ]+"), Qt::SkipEmptyParts);
    for (QString& c : cells)
        c = QRegularExpression::escape(c);
    return QRegularExpression("^ *" + cells.join(" +") + " *$",
                              QRegularExpression::MultilineOption);
}

const int kOutput = -1; // the type column's value for the output window

// What is wrong with a PDF on paper: a word off its page, over another (by
// more than line heights round to), or closer to the next on its line than
// a fifth of its height (a blank is a quarter). The words go to words.
QStringList paperFaults(const QString& pdf, QStringList& words) {
    QProcess run;
    run.start("pdftotext", {"-bbox", pdf, "-"});
    run.waitForFinished(60000);
    static const QRegularExpression tag("<(page|word) \\w+=\"([\\d.]+)\" \\w+=\"([\\d.]+)\"(?: "
                                        "xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*))?");
    QRectF page;
    QList<QRectF> boxes; // of the page
    QStringList faults;
    for (const QRegularExpressionMatch& m : tag.globalMatch(run.readAllStandardOutput())) {
        auto at = [&m](int i) { return m.captured(i).toDouble(); };
        const QRectF a(QPointF(at(2), at(3)), QPointF(at(4), at(5)));
        if (m.captured(1) == "page") {
            page = QRectF(-.01, -.01, at(2) + .02, at(3) + .02);
            boxes.clear();
            continue;
        }
        words << m.captured(6);
        if (!page.contains(a)) faults << words.last() + " leaves its page";
        for (const QRectF& b : boxes) {
            const double height = std::min(a.height(), b.height());
            const double across = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top());
            const double apart = std::max(a.left(), b.left()) - std::min(a.right(), b.right());
            if ((across > height / 20 && apart < -.01) ||
                (across > height / 2 && apart < height / 5))
                faults << words.last() + " against a word before it";
        }
        boxes << a;
    }
    return faults;
}
} // namespace

class TstReports : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    std::unique_ptr<vxtest::TScratchDb> m_db;
    std::unique_ptr<TVxDbSession> m_session;
    std::unique_ptr<TSchedData> m_data;
    TVxPromptLog m_log;

    bool pg() const {
        QFETCH_GLOBAL(bool, postgres);
        return postgres;
    }

    void exec(const QString& sql, const QVariantList& values = {}) {
        QSqlQuery q(m_db->Db());
        QVERIFY2(q.prepare(sql), qPrintable(q.lastError().text()));
        for (const QVariant& v : values)
            q.addBindValue(v);
        QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
    }
    void warp(int job, const char* type, const char* col, int len, QDate start, QDate end) {
        exec(
            "insert into weavejob (scenariono, loomno, jobno, placeno, warptype, warpcol, warplen, "
            "startdate, enddate) values (7, ?, ?, 0, ?, ?, ?, ?, ?)",
            {100 + job, job, type, col, len, start, end});
    }
    void item(int job, int itemNo, const char* stru, const char* col, const char* weft,
              int pieces) {
        exec("insert into weaveitem (scenariono, scheduleno, jobno, itemno, placeno, fabricstru, "
             "fabriccol, weftcol, weftpcs) values (7, ?, ?, ?, 0, ?, ?, ?, ?)",
             {100 + job, job, itemNo, stru, col, weft, pieces});
    }

    // Scenario 7: two identical warps on one day on two looms; a warp of
    // 2,500 on a 3,000 standard; a warp type without a standard length; a
    // fabric missing from FABRICTYPE; a weft colour no fabric row has.
    // Scenario 0: no warp jobs at all.
    void storeScenarios() {
        exec("insert into warptype (warptype, warplen, warpwgt) values ('Z', 0, 100)");
        exec("insert into scenario (scenariono, descr) values (7, 'Report test')");
        exec("insert into scenario (scenariono, descr) values (0, 'Empty')");
        const QDate d1(2026, 3, 2), d2(2026, 3, 9);
        warp(3, "A", "NAT", 2500, d2, QDate(2026, 3, 20)); // stored first, dated last
        warp(1, "A", "WHT", 3000, d1, QDate(2026, 3, 12));
        warp(2, "A", "WHT", 3000, d1, QDate(2026, 3, 12));
        warp(6, "Z", "WHT", 1000, d2, QDate(2026, 3, 10));
        item(1, 1, "P", "001", "WHT", 10);
        item(2, 2, "P", "001", "WHT", 6);
        item(3, 3, "P", "003", "NAT", 4);
        item(3, 4, "ZZ", "999", "WHT", 3); // no such fabric
        item(3, 5, "P", "001", "BLU", 2);  // no fabric row with a blue weft
    }

private slots:
    void initTestCase_data() { vxtest::addEngineRows(); }
    void initTestCase() {
        QVERIFY2(!QStandardPaths::findExecutable("pdftotext").isEmpty(),
                 "pdftotext (poppler-utils) reads the printouts back");
    }

    void init() {
        if (pg() && !vxtest::pgConfigured()) QSKIP(vxtest::NoPgServerReason);
        m_db = std::make_unique<vxtest::TScratchDb>(pg());
        QVERIFY2(m_db->Error().isEmpty(), qPrintable(m_db->Error()));
        const QString ini = m_tmp.filePath("aliases.ini");
        m_db->WriteAliasFile(ini);
        m_session = std::make_unique<TVxDbSession>(ini);
        m_log.clear();
        m_data = std::make_unique<TSchedData>(*m_session, m_log.prompts());
        if (pg()) m_log.passwords.push_back(vxtest::env("PLEXIWEAVE_PG_PASSWORD"));
        m_data->SchedDB.Open();
        storeScenarios();
    }
    void cleanup() {
        m_data.reset();
        m_session.reset();
        m_db.reset();
    }

    void viewsShowAndPrintTheSameFigures_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("grouping");
        QTest::addColumn<QString>("subTitle");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("totals");
        // 2,500 of a 3,000 standard weighing 150 weighs 125; both warps of
        // the same day count; a standard length of 0 leaves the weight empty.
        QTest::newRow("warp by date")
            << 0 << 0 << "Warp Reqmts By Date"
            << QStringList{"02/03/2026|A|WHT|3000|150", "02/03/2026|A|WHT|3000|150",
                           "09/03/2026|A|NAT|2500|125", "09/03/2026|Z|WHT|1000|"}
            << "Total length: 9500   Total weight: 425";
        QTest::newRow("warp by job")
            << 0 << 1 << "Warp Reqmts By Job"
            << QStringList{"1|02/03/2026|A|WHT|3000|150", "2|02/03/2026|A|WHT|3000|150",
                           "3|09/03/2026|A|NAT|2500|125", "6|09/03/2026|Z|WHT|1000|"}
            << "Total length: 9500   Total weight: 425";
        // The weft of the unknown fabric and of the blue weft drop out;
        // 16 x 2.9 = 46.4 -> 46.
        QTest::newRow("weft by date")
            << 1 << 0 << "Weft Reqmts By Date"
            << QStringList{"02/03/2026|40/1|Z|WHT|16|46", "09/03/2026|40/1|Z|NAT|4|12"}
            << "Total pieces: 20   Total weight: 58";
        QTest::newRow("weft by job")
            << 1 << 1 << "Weft Reqmts By Job"
            << QStringList{"1|02/03/2026|40/1|Z|WHT|10|29", "2|02/03/2026|40/1|Z|WHT|6|17",
                           "3|09/03/2026|40/1|Z|NAT|4|12"}
            << "Total pieces: 20   Total weight: 58";
        // A fabric missing from FABRICTYPE has no length.
        QTest::newRow("output by date")
            << kOutput << 0 << "By Date"
            << QStringList{"12/03/2026|P|001|16|960", "20/03/2026|P|001|2|120",
                           "20/03/2026|P|003|4|240", "20/03/2026|ZZ|999|3|"}
            << "Total pieces: 25   Total length: 1320";
        QTest::newRow("output by job")
            << kOutput << 1 << "By Job"
            << QStringList{"1|12/03/2026|P|001|10|600", "2|12/03/2026|P|001|6|360",
                           "3|20/03/2026|P|001|2|120", "3|20/03/2026|P|003|4|240",
                           "3|20/03/2026|ZZ|999|3|"}
            << "Total pieces: 25   Total length: 1320";
    }
    void viewsShowAndPrintTheSameFigures() {
        QFETCH(int, type);
        QFETCH(int, grouping);
        QFETCH(QString, subTitle);
        QFETCH(QStringList, rows);
        QFETCH(QString, totals);
        TVxDataPrinter printer;
        const QString pdf = m_tmp.filePath("report.pdf");
        printer.Printer()->setOutputFileName(pdf);
        std::unique_ptr<TReportForm> form;
        if (type == kOutput)
            form = std::make_unique<TOutputForm>();
        else
            form = std::make_unique<TReqmtsForm>();
        form->Printer = &printer;
        form->SetDatabase(&m_data->SchedDB);

        QStringList shownRows;
        QString shownTotals, shownSubTitle;
        VxDialogScript script;
        script.dialogs.push_back([&](QDialog*) {
            if (auto* reqs = qobject_cast<TReqmtsForm*>(form.get())) {
                vxtest::chooseEntry(reqs->TypeCombo, type);
                vxtest::chooseEntry(reqs->GroupCombo, grouping);
            } else {
                vxtest::chooseEntry(static_cast<TOutputForm*>(form.get())->GroupCombo, grouping);
            }
            shownRows = gridRows(form->DBGrid1);
            shownTotals = form->TotalsLabel->text();
            shownSubTitle = form->SubTitle();
            for (const char* suffix : {"xlsx", "csv"}) {
                VxDialogScript::current()->fileNames.push_back(m_tmp.filePath("report.") + suffix);
                QTest::mouseClick(form->ExportButton, Qt::LeftButton);
            }
            // The print dialog, confirmed.
            VxDialogScript::current()->dialogs.push_front(
                [](QDialog*) { return int(QDialog::Accepted); });
            QTest::mouseClick(form->PrintButton, Qt::LeftButton);
            QTest::mouseClick(form->ExitButton, Qt::LeftButton);
            return -1;
        });
        form->Execute(7, "Report test");
        const QString caption = (type == kOutput ? "Greige Output - " : "Yarn Requirements - ") +
                                QString("Report test");
        QCOMPARE(form->windowTitle(), caption);
        QCOMPARE(shownSubTitle, subTitle);
        QCOMPARE(shownRows, rows);
        QCOMPARE(shownTotals, totals);
        QVERIFY(!form->ShownQuery()->Active()); // closed with the window

        // Both exports read back as the grid shows the rows, under its labels.
        QStringList labels;
        for (int c = 0; c < form->DBGrid1->model()->columnCount(); ++c)
            labels << form->DBGrid1->model()->headerData(c, Qt::Horizontal).toString();
        for (const char* suffix : {"xlsx", "csv"}) {
            const vxtest::TSheetReadBack back =
                vxtest::readSheetBack(m_tmp.filePath("report.") + suffix);
            QVERIFY2(back.Error.isEmpty(), qPrintable(back.Error));
            QStringList read;
            for (const QStringList& row : back.Rows) {
                QStringList cells;
                for (const QString& cell : row)
                    cells << vxtest::shownCell(cell);
                read << cells.join('|');
            }
            QCOMPARE(read, QStringList(labels.join('|')) + rows);
        }

        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(caption) && text.contains(subTitle), qPrintable(text));
        for (const QString& line : rows + QStringList{totals})
            QVERIFY2(text.contains(printedLine(line)), qPrintable(line + "\n" + text));
    }

    // Every printout on paper, the reports through the main window's printer.
    void nothingOverprints_data() {
        QTest::addColumn<QString>("printout");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QStringList>("words"); // each printed as a word of its own
        QTest::newRow("board, portrait: long texts") << "board" << false << QStringList{"116kg"};
        QTest::newRow("board, landscape") << "board" << true << QStringList{"RAPIER"};
        QTest::newRow("warp requirements by job") << "reqmts" << false << QStringList{"3"};
        QTest::newRow("a table without display widths") << "looms" << true << QStringList{"190cm"};
    }
    void nothingOverprints() {
        QFETCH(QString, printout);
        QFETCH(bool, landscape);
        QFETCH(QStringList, words);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(m_tmp.filePath("paper.pdf"));
        printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        TMainForm main;
        TReqmtsData reqmts(m_data->SchedDB);
        reqmts.SetScenarioNo(7);
        TVxPrintJob board;
        for (int i = 1; i <= 9; ++i)
            board.AddColumn(QString("Rapier 190cm east hall 0%1 : RAPIER").arg(i),
                            {{QString("%1:  Planned maintenance").arg(i), true, i},
                             {"Start: 02/03/2026"},
                             {"Rem: 2250m / 116kg"}});
        if (printout == "board") {
            VxPrintScenario(&printer, board, QDateTime::currentDateTime());
        } else {
            TVxDataSet* shown = &m_data->LoomSpec;
            if (printout == "reqmts") shown = &reqmts.WarpReqJobQuery;
            shown->Open();
            main.DataPrinter->SetPrinter(&printer);
            main.DataPrinter->SetDataSet(shown);
            main.DataPrinter->DoPrintDialog = false;
            main.DataPrinter->Print();
        }

        QStringList printed;
        const QStringList faults = paperFaults(printer.outputFileName(), printed);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.mid(0, 5).join('\n')));
        for (const QString& word : words)
            QVERIFY2(printed.contains(word), qPrintable(word + " in " + printed.join(' ')));
    }

    // Every query of a scenario without warp jobs is empty.
    void scenarioWithoutWarpsGivesEmptyLists() {
        TReqmtsData reqs(m_data->SchedDB);
        TOutputData out(m_data->SchedDB);
        reqs.SetScenarioNo(0);
        out.SetScenarioNo(0);
        for (TVxQuery* q : {&reqs.WarpReqDateQuery, &reqs.WarpReqJobQuery, &reqs.WeftReqDateQuery,
                            &reqs.WeftReqJobQuery, &out.OutDateQuery, &out.OutJobQuery}) {
            q->Open();
            QVERIFY2(q->IsEmpty(), qPrintable(q->Name()));
        }
    }

    // The main window opens a report of its current scenario only when
    // nothing is unsaved, with the report fonts on its printer.
    void mainWindowOpensReportsOfSavedWork() {
        TMainForm main;
        TReqmtsForm reqs(&main);
        TOutputForm out(&main);
        main.ReqmtsForm = &reqs;
        main.OutputForm = &out;
        const QFont header = main.DataPrinter->HeaderFont;
        QVERIFY(header.family() == "Arial" && header.bold() && header.underline());
        QCOMPARE(main.DataPrinter->DataFont.family(), QString("Courier New"));
        main.Data = std::move(m_data);
        main.Data->OpenScenarioTables();
        main.Document->SetScenarioLink({0, "Empty"}); // 0 numbers a scenario like any integer
        for (QToolButton* b : {main.ReqmtsButton, main.OutputButton})
            b->setEnabled(true);

        VxDialogScript script;
        main.Document->undoStack()->resetClean();
        QTest::mouseClick(main.ReqmtsButton, Qt::LeftButton);
        QTest::mouseClick(main.OutputButton, Qt::LeftButton);
        QCOMPARE(script.texts(VxMsgKind::Error),
                 QStringList({"First save your changes", "First save your changes"}));
        QVERIFY(script.dialogTitles.isEmpty());

        main.Document->SetClean();
        QStringList captions;
        for (int i = 0; i < 2; ++i)
            script.dialogs.push_back([&](QDialog* d) {
                captions << d->windowTitle();
                return int(QDialog::Rejected);
            });
        QTest::mouseClick(main.ReqmtsButton, Qt::LeftButton);
        QTest::mouseClick(main.OutputButton, Qt::LeftButton);
        QCOMPARE(captions, QStringList({"Yarn Requirements - Empty", "Greige Output - Empty"}));
        m_data = std::move(main.Data);
    }
};

QTEST_MAIN(TstReports)
#include "tst_reports.moc"
