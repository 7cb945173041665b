// Every printout on paper, read back from a real PDF with pdftotext -bbox:
// no text over another or off its page, and the texts that must stand apart
// print as words of their own. The board of a plant with long texts goes
// through the print button, the reports through their windows on a stored
// scenario of an SQLite file.

#include "PrnUnit.h"
#include "ReqUnit.h"
#include "SchedDB.h"
#include "VxDatPrn.h"
#include "VxDataSet.h"
#include "VxDialogDriving.h"
#include "VxPdfWords.h"
#include "VxScratchDb.h"
#include "WeavePlant.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSqlQuery>

namespace {
enum TPrintout { Board, Reqmts, Table };

// Nine rapier looms with descriptions as long as the table takes.
QByteArray longLooms() {
    QByteArray spec;
    for (int i = 1; i <= 9; ++i)
        spec += QStringLiteral("L%1,10%1,RAPIER,Rapier 190cm east hall 0%1,\n").arg(i).toUtf8();
    return spec;
}

// The print dialog's answer: this PDF file, in this orientation.
std::function<int(QDialog*)> toPdf(const QString& file, QPageLayout::Orientation orientation) {
    return [=](QDialog* d) {
        auto* dialog = qobject_cast<QPrintDialog*>(d);
        if (!dialog) return int(QDialog::Rejected);
        dialog->printer()->setOutputFileName(file);
        dialog->printer()->setPageOrientation(orientation);
        return int(QDialog::Accepted);
    };
}
} // namespace

class TestPaper : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;

    // The board through "&Print", the options dialog and its printer set-up.
    void printBoard(Plant& p, const QString& pdf, QPageLayout::Orientation orientation) {
        for (int i = 0; i < 9; i += 2) {
            p.Add(p.Loom(i), "R2400");
            p.Add(p.Loom(i), "A-WHT:3000");
            p.AddFabric(p.Loom(i)->Jobs(1), "P001 : WHT", "10");
            p.Add(p.Loom(i), "Planned maintenance");
        }
        VxDialogScript script;
        script.dialogs.push_back([&](QDialog* d) {
            auto* form = static_cast<TPrintForm*>(d);
            VxDialogScript::current()->dialogs.push_front(toPdf(pdf, orientation));
            vxtest::click(form->SetupButton);
            vxtest::click(form->StartButton);
            return -1;
        });
        QTest::mouseClick(p.Main->PrintButton, Qt::LeftButton);
        QVERIFY2(script.messages.isEmpty(), qPrintable(script.texts().join("; ")));
    }

    // Warp job 10 of scenario 1 starts on 9 December 2026; the yarn
    // requirements by job through their window, or the loom table printed
    // as it is, through the main window's report printer.
    void printReport(Plant& p, TPrintout printout, const QString& pdf,
                     QPageLayout::Orientation orientation) {
        vxtest::TScratchDb db(false);
        QVERIFY2(db.Error().isEmpty(), qPrintable(db.Error()));
        QSqlQuery q(db.Db());
        QVERIFY(q.exec("insert into scenario (scenariono, descr) values (1, 'Long plant')"));
        QVERIFY(q.exec("insert into weavejob (scenariono, loomno, jobno, placeno, warptype, "
                       "warpcol, warplen, startdate, enddate) values "
                       "(1, 101, 10, 0, 'A', 'WHT', 3000, '2026-12-09', '2026-12-20')"));
        const QString aliases = m_tmp.filePath("aliases.ini");
        QFile::remove(aliases);
        vxtest::writeAliasFile(aliases, false, db.Name(), QString());
        TVxDbSession session(aliases);
        TSchedDB schedDb(session);
        schedDb.Open();
        TVxDataPrinter* printer = p.Main->DataPrinter;
        VxDialogScript script;
        if (printout == Table) {
            TVxTable looms(schedDb, "LOOMSPEC", {"REF"});
            looms.Open();
            printer->SetDataSet(&looms);
            script.dialogs.push_back(toPdf(pdf, orientation));
            QVERIFY(printer->Print());
            return;
        }
        TReqmtsForm form;
        form.SetDatabase(&schedDb);
        form.Printer = printer;
        script.dialogs.push_back([&](QDialog*) {
            vxtest::chooseEntry(form.GroupCombo, 1);
            VxDialogScript::current()->dialogs.push_front(toPdf(pdf, orientation));
            vxtest::click(form.PrintButton);
            vxtest::click(form.ExitButton);
            return -1;
        });
        form.Execute(1, "Long plant");
        QVERIFY2(script.messages.isEmpty(), qPrintable(script.texts().join("; ")));
    }

private slots:
    void initTestCase() {
        QVERIFY2(!QStandardPaths::findExecutable("pdftotext").isEmpty(),
                 "pdftotext (poppler-utils) reads the printouts back");
    }

    void nothingOverprints_data() {
        QTest::addColumn<int>("printout");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QStringList>("words"); // each matches a whole printed word
        const QString date = "\\d\\d/\\d\\d/\\d{4}";
        QTest::newRow("board, portrait: headers and job texts kept to their column")
            << int(Board) << false << QStringList{"Start:", date, "maintenance", "116kg"};
        QTest::newRow("board, landscape") << int(Board) << true << QStringList{"End:", "RAPIER"};
        QTest::newRow("yarn requirements by job: number and date apart")
            << int(Reqmts) << false << QStringList{"10", "09/12/2026", "3000"};
        QTest::newRow("a table without display widths: texts whole")
            << int(Table) << true << QStringList{"REF", "POSN", "190cm", "RAPIER"};
    }
    void nothingOverprints() {
        QFETCH(int, printout);
        QFETCH(bool, landscape);
        QFETCH(QStringList, words);
        Plant p(samplesDir(), longLooms());
        const QString pdf = m_tmp.filePath(QString("%1.pdf").arg(QTest::currentDataTag()));
        const auto orientation = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
        if (printout == Board)
            printBoard(p, pdf, orientation);
        else
            printReport(p, TPrintout(printout), pdf, orientation);

        const vxtest::TPdfWords paper = vxtest::readPdfWords(pdf);
        QVERIFY2(!paper.Pages.isEmpty(), qPrintable(pdf));
        QCOMPARE(paper.Pages[0].width() > paper.Pages[0].height(), landscape);
        const QStringList faults = paper.Faults();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.mid(0, 5).join('\n')));
        const QStringList printed = paper.Texts();
        for (const QString& word : words)
            QVERIFY2(printed.indexOf(QRegularExpression("^" + word + "$")) >= 0,
                     qPrintable(word + " in " + printed.join(' ')));
    }
};

QTEST_MAIN(TestPaper)
#include "tst_paper.moc"
