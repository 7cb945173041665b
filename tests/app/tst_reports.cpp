// The yarn requirements and greige output windows on a scenario stored for
// the purpose, on an SQLite file and on the PostgreSQL test server: the grids
// driven through their combo boxes, the totals, and the printouts read back
// from real PDFs.

#include "MainUnit.h"
#include "OutUnit.h"
#include "ReportData.h"
#include "ReqUnit.h"
#include "SchedData.h"
#include "VxDBGrid.h"
#include "VxDatPrn.h"
#include "VxDialogDriving.h"
#include "VxDialogs.h"
#include "VxPromptLog.h"
#include "VxTestDb.h"

#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {
using vxtest::env;

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

// The printed line of a grid row (or of a totals line): its cells (words) in
// order, blanks between.
QRegularExpression printedLine(const QString& row) {
    QStringList cells = row.split(QRegularExpression("[| ]+"), Qt::SkipEmptyParts);
    for (QString& c : cells)
        c = QRegularExpression::escape(c);
    return QRegularExpression("^ *" + cells.join(" +") + " *$",
                              QRegularExpression::MultilineOption);
}
} // namespace

class TstReports : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    int m_counter = 0;
    QString m_dbName;
    std::unique_ptr<TVxDbSession> m_session;
    std::unique_ptr<TSchedData> m_data;
    TVxDataPrinter* m_printer = nullptr;

    TVxPromptLog m_log;

    bool pg() const {
        QFETCH_GLOBAL(QString, engine);
        return engine == "postgres";
    }

    void exec(const QString& sql, const QVariantList& values) {
        QSqlQuery q(m_data->SchedDB.Database());
        QVERIFY2(q.prepare(sql), qPrintable(q.lastError().text()));
        for (const QVariant& v : values)
            q.addBindValue(v);
        QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
    }
    void warp(int job, int loom, const char* type, const char* col, int len, QDate start,
              QDate end) {
        exec(
            "insert into weavejob (scenariono, loomno, jobno, placeno, warptype, warpcol, warplen, "
            "startdate, enddate) values (7, ?, ?, 0, ?, ?, ?, ?, ?)",
            {loom, job, type, col, len, start, end});
    }
    void item(int job, int loom, int itemNo, const char* stru, const char* col, const char* weft,
              int pieces) {
        exec("insert into weaveitem (scenariono, scheduleno, jobno, itemno, placeno, fabricstru, "
             "fabriccol, weftcol, weftpcs) values (7, ?, ?, ?, 0, ?, ?, ?, ?)",
             {loom, job, itemNo, stru, col, weft, pieces});
    }

    // Scenario 7: two identical warps on one day on two looms; a warp of
    // 2,500 on a 3,000 standard; a warp type without a standard length; a
    // fabric missing from FABRICTYPE; a weft colour no fabric row has.
    // Scenario 8: no warp jobs at all.
    void storeScenarios() {
        exec("insert into warptype (warptype, warplen, warpwgt) values ('Z', 0, 100)", {});
        exec("insert into scenario (scenariono, descr) values (7, 'Report test')", {});
        exec("insert into scenario (scenariono, descr) values (8, 'Empty')", {});
        const QDate d1(2026, 3, 2), d2(2026, 3, 9);
        warp(3, 103, "A", "NAT", 2500, d2, QDate(2026, 3, 20)); // stored first, dated last
        warp(1, 101, "A", "WHT", 3000, d1, QDate(2026, 3, 12));
        warp(2, 102, "A", "WHT", 3000, d1, QDate(2026, 3, 12));
        warp(6, 104, "Z", "WHT", 1000, d2, QDate(2026, 3, 10));
        item(1, 101, 1, "P", "001", "WHT", 10);
        item(2, 102, 2, "P", "001", "WHT", 6);
        item(3, 103, 3, "P", "003", "NAT", 4);
        item(3, 103, 4, "ZZ", "999", "WHT", 3); // no such fabric
        item(3, 103, 5, "P", "001", "BLU", 2);  // no fabric row with a blue weft
    }

private slots:
    void initTestCase_data() {
        QTest::addColumn<QString>("engine");
        QTest::newRow("sqlite") << "sqlite";
        QTest::newRow("postgres") << "postgres";
    }

    void init() {
        ++m_counter;
        m_log.clear();
        if (pg()) {
            if (!vxtest::pgConfigured()) QSKIP(vxtest::NoPgServerReason);
            m_dbName =
                QString("plexiweave_r%1_%2").arg(QCoreApplication::applicationPid()).arg(m_counter);
            const QString error = vxtest::createServerDatabase(m_dbName);
            QVERIFY2(error.isEmpty(), qPrintable(error));
        } else {
            m_dbName = m_tmp.filePath(QString("r%1.db").arg(m_counter));
        }
        const QString ini = m_tmp.filePath(QString("a%1.ini").arg(m_counter));
        vxtest::writeAliasFile(ini, pg(), m_dbName, pg() ? env("PLEXIWEAVE_PG_USER") : QString());
        m_session = std::make_unique<TVxDbSession>(ini);
        m_data = std::make_unique<TSchedData>(*m_session, m_log.prompts());
        if (pg()) m_log.passwords.push_back(env("PLEXIWEAVE_PG_PASSWORD"));
        m_log.answers.push_back(true);
        m_data->SchedDB.Open();
        storeScenarios();
    }
    void cleanup() {
        m_data.reset();
        m_session.reset();
        if (pg() && vxtest::pgConfigured()) vxtest::dropServerDatabase(m_dbName);
    }

    void requirementsFollowBothCombos() {
        TVxDataPrinter printer;
        TReqmtsForm form;
        form.Printer = &printer;
        form.SetDatabase(&m_data->SchedDB);
        QStringList pdfs;
        struct Shown {
            QString subTitle;
            QStringList rows;
            QString totals;
        };
        QList<Shown> shown;
        auto look = [&](TReqmtsForm& f) {
            shown.append({f.SubTitle(), gridRows(f.DBGrid1), f.TotalsLabel->text()});
            const QString pdf =
                m_tmp.filePath(QString("req%1_%2.pdf").arg(m_counter).arg(pdfs.size()));
            printer.Printer()->setOutputFileName(pdf);
            VxDialogScript::current()->dialogs.push_front(
                [](QDialog*) { return int(QDialog::Accepted); });
            QTest::mouseClick(f.PrintButton, Qt::LeftButton);
            pdfs << pdf;
        };
        VxDialogScript script;
        script.dialogs.push_back([&](QDialog* d) {
            auto& f = *static_cast<TReqmtsForm*>(d);
            look(f); // Warp Reqmts, By Date
            vxtest::chooseEntry(f.GroupCombo, 1);
            look(f); // Warp Reqmts, By Job
            vxtest::chooseEntry(f.TypeCombo, 1);
            look(f); // Weft Reqmts keeps By Job
            vxtest::chooseEntry(f.GroupCombo, 0);
            look(f); // Weft Reqmts, By Date
            QTest::mouseClick(f.ExitButton, Qt::LeftButton);
            return -1;
        });
        form.Execute(7, "Report test");
        QCOMPARE(form.windowTitle(), QString("Yarn Requirements - Report test"));
        QVERIFY(!form.ShownQuery()->Active()); // closed with the window

        // 2,500 of a 3,000 standard weighing 150 weighs 125; both warps of
        // the same day count.
        const QList<Shown> expected = {
            // A standard length of 0 leaves the weight empty.
            {"Warp Reqmts By Date",
             {"02/03/2026|A|WHT|3000|150", "02/03/2026|A|WHT|3000|150", "09/03/2026|A|NAT|2500|125",
              "09/03/2026|Z|WHT|1000|"},
             "Total length: 9500   Total weight: 425"},
            {"Warp Reqmts By Job",
             {"1|02/03/2026|A|WHT|3000|150", "2|02/03/2026|A|WHT|3000|150",
              "3|09/03/2026|A|NAT|2500|125", "6|09/03/2026|Z|WHT|1000|"},
             "Total length: 9500   Total weight: 425"},
            // The weft of the unknown fabric and of the blue weft drop out.
            {"Weft Reqmts By Job",
             {"1|02/03/2026|40/1|Z|WHT|10|29", "2|02/03/2026|40/1|Z|WHT|6|17",
              "3|09/03/2026|40/1|Z|NAT|4|12"},
             "Total pieces: 20   Total weight: 58"},
            {"Weft Reqmts By Date",
             {"02/03/2026|40/1|Z|WHT|16|46", "09/03/2026|40/1|Z|NAT|4|12"},
             "Total pieces: 20   Total weight: 58"},
        };
        QCOMPARE(shown.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(shown[i].subTitle, expected[i].subTitle);
            QCOMPARE(shown[i].rows, expected[i].rows);
            QCOMPARE(shown[i].totals, expected[i].totals);
            if (QStandardPaths::findExecutable("pdftotext").isEmpty()) continue;
            const QString text = pdfText(pdfs[i]);
            QVERIFY(text.contains("Yarn Requirements - Report test"));
            QVERIFY(text.contains(expected[i].subTitle));
            for (const QString& row : expected[i].rows)
                QVERIFY2(text.contains(printedLine(row)), qPrintable(row + "\n" + text));
            QVERIFY2(text.contains(printedLine(expected[i].totals)), qPrintable(text));
        }
    }

    void outputShowsEmptyLengthForUnknownFabric() {
        TVxDataPrinter printer;
        TOutputForm form;
        form.Printer = &printer;
        form.SetDatabase(&m_data->SchedDB);
        QList<QStringList> rows;
        QStringList totals, subTitles;
        QString pdf = m_tmp.filePath(QString("out%1.pdf").arg(m_counter));
        VxDialogScript script;
        script.dialogs.push_back([&](QDialog* d) {
            auto& f = *static_cast<TOutputForm*>(d);
            rows << gridRows(f.DBGrid1);
            totals << f.TotalsLabel->text();
            subTitles << f.SubTitle();
            vxtest::chooseEntry(f.GroupCombo, 1);
            rows << gridRows(f.DBGrid1);
            totals << f.TotalsLabel->text();
            subTitles << f.SubTitle();
            printer.Printer()->setOutputFileName(pdf);
            VxDialogScript::current()->dialogs.push_front(
                [](QDialog*) { return int(QDialog::Accepted); });
            QTest::mouseClick(f.PrintButton, Qt::LeftButton);
            return int(QDialog::Accepted);
        });
        form.Execute(7, "Report test");
        QCOMPARE(form.windowTitle(), QString("Greige Output - Report test"));
        QCOMPARE(subTitles, QStringList({"By Date", "By Job"}));
        QCOMPARE(rows[0], QStringList({"12/03/2026|P|001|16|960", "20/03/2026|P|001|2|120",
                                       "20/03/2026|P|003|4|240", "20/03/2026|ZZ|999|3|"}));
        QCOMPARE(rows[1], QStringList({"1|12/03/2026|P|001|10|600", "2|12/03/2026|P|001|6|360",
                                       "3|20/03/2026|P|001|2|120", "3|20/03/2026|P|003|4|240",
                                       "3|20/03/2026|ZZ|999|3|"}));
        QCOMPARE(totals, QStringList({"Total pieces: 25   Total length: 1320",
                                      "Total pieces: 25   Total length: 1320"}));
        QVERIFY(!form.Data()->OutDateQuery.Active() && !form.Data()->OutJobQuery.Active());
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) return;
        const QString text = pdfText(pdf);
        QVERIFY(text.contains(QRegularExpression("Job No +Date +Struct +Colour +Pieces +Length")));
        for (const QString& row : rows[1])
            QVERIFY2(text.contains(printedLine(row)), qPrintable(row + "\n" + text));
        QVERIFY2(text.contains(printedLine(totals[1])), qPrintable(text));
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
        QCOMPARE(main.DataPrinter->StampFormat, QString("dd/mm/yyyy hh:mm am/pm"));
        main.Data = std::move(m_data);
        main.Data->OpenScenarioTables();
        QVERIFY(main.Data->Scenario.FindKey({7}));
        for (QToolButton* b : {main.ReqmtsButton, main.OutputButton})
            b->setEnabled(true);

        VxDialogScript script;
        main.Modified = true;
        QTest::mouseClick(main.ReqmtsButton, Qt::LeftButton);
        QTest::mouseClick(main.OutputButton, Qt::LeftButton);
        QCOMPARE(script.texts(VxMsgKind::Error),
                 QStringList({"First save your changes", "First save your changes"}));
        QVERIFY(script.dialogTitles.isEmpty());

        main.Modified = false;
        QString caption;
        int rows = -1;
        script.dialogs.push_back([&](QDialog* d) {
            caption = d->windowTitle();
            rows = static_cast<TReqmtsForm*>(d)->DBGrid1->model()->rowCount();
            return int(QDialog::Rejected);
        });
        script.dialogs.push_back([&](QDialog* d) {
            caption += " / " + d->windowTitle();
            return int(QDialog::Rejected);
        });
        QTest::mouseClick(main.ReqmtsButton, Qt::LeftButton);
        QTest::mouseClick(main.OutputButton, Qt::LeftButton);
        QCOMPARE(caption, QString("Yarn Requirements - Report test / Greige Output - Report test"));
        QCOMPARE(rows, 4);
        QCOMPARE(script.messages.size(), 2);
        m_data = std::move(main.Data);
    }

    // A scenario without warp jobs: empty lists; the printout holds the
    // title block and the headers only.
    void scenarioWithoutWarpsGivesEmptyReports() {
        TReqmtsData reqs(m_data->SchedDB);
        TOutputData out(m_data->SchedDB);
        reqs.SetScenarioNo(8);
        out.SetScenarioNo(8);
        QList<TVxQuery*> queries = {&reqs.WarpReqDateQuery, &reqs.WarpReqJobQuery,
                                    &reqs.WeftReqDateQuery, &reqs.WeftReqJobQuery,
                                    &out.OutDateQuery,      &out.OutJobQuery};
        for (TVxQuery* q : queries) {
            q->Open();
            QVERIFY2(q->IsEmpty(), qPrintable(q->Name()));
        }
        QCOMPARE(reqs.TotalsText(reqs.WarpReqDateQuery),
                 QString("Total length: 0   Total weight: 0"));

        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) return;
        TVxDataPrinter printer;
        printer.DoPrintDialog = false;
        printer.Title = "Yarn Requirements - Empty";
        printer.SetDataSet(&reqs.WeftReqJobQuery);
        const QString pdf = m_tmp.filePath(QString("empty%1.pdf").arg(m_counter));
        printer.Printer()->setOutputFileName(pdf);
        QVERIFY(printer.Print());
        const QStringList lines = pdfText(pdf).split('\n', Qt::SkipEmptyParts);
        QStringList content;
        for (const QString& l : lines)
            if (!l.trimmed().isEmpty() && l.trimmed() != "\f") content << l.simplified();
        QCOMPARE(content.size(), 2);
        QVERIFY(content[0].startsWith("Yarn Requirements - Empty"));
        QCOMPARE(content[1], QString("Job No Date Struct Twist Colour Pieces Weight"));
    }
};

QTEST_MAIN(TstReports)
#include "tst_reports.moc"
