// SPDX-License-Identifier: GPL-3.0-or-later
// Printing and exporting the board from the main window: the print options
// dialog driven by mouse, the save dialog's request, the delimited file of a
// small plant compared line by line, a failed write, and a PDF through the
// printer set-up.

#include "PrintForm.h"
#include "VxDate.h"
#include "WeavePlant.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QToolButton>

namespace {
QString dateText(double day) {
    return VxDateOf(day).toString("dd/MM/yyyy");
}

// The plant of every case here: a reed and a warp with two pieces on loom 1,
// a downtime, a reed and a collapsed warp on loom 2, loom 3 empty.
struct PrintPlant : Plant {
    PrintPlant() {
        Add(Loom(0), "R2400");
        Add(Loom(0), "W-RED:100");
        AddFabric(Loom(0)->Jobs(1), "XARED : NAT", "2");
        Add(Loom(1), "Planned maintenance");
        Add(Loom(1), "R2400");
        Add(Loom(1), "W-RED:100");
        AddFabric(Loom(1)->Jobs(2), "B001 : 002", "1");
        Loom(1)->SetExpanded(false);
    }
    QString start(int loom, int job) const {
        return "Start: " + dateText(Loom(loom)->Jobs(job)->StartDate());
    }
    QString end(int loom, int job) const {
        return "End:  " + dateText(Loom(loom)->Jobs(job)->FinishDate());
    }
    // The delimited fields of each loom, as the board shows it.
    QList<QStringList> expectedColumns() const {
        return {{"<1:  Reed 2400>", start(0, 0), end(0, 0), "", "<2:  W-RED 100m>", start(0, 1),
                 end(0, 1), "------------------", "XARED : NAT/2pcs", "Rem: 20m / 0kg", ""},
                {"<3:  Planned maintenance>", start(1, 0), end(1, 0), "", "<4:  Reed 2400>",
                 start(1, 1), end(1, 1), "", "<5:  W-RED 100m>", start(1, 2), end(1, 2),
                 "Rem: 90m / 5kg", ""},
                {}};
    }
};

// Presses "&Print" and drives the options dialog while it is shown.
int pressPrint(Plant& p, const std::function<void(TPrintForm*)>& drive, VxDialogScript& script) {
    int shownResult = -2;
    script.dialogs.push_front([&](QDialog* d) {
        drive(static_cast<TPrintForm*>(d));
        shownResult = d->isVisible() ? -1 : d->result();
        return -1;
    });
    QTest::mouseClick(p.Main->PrintButton, Qt::LeftButton);
    return shownResult;
}

void click(QAbstractButton* button) {
    QVERIFY2(button->isEnabled(), qPrintable(button->text()));
    QTest::mouseClick(button, Qt::LeftButton);
}

QStringList fileLines(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QString text = QString::fromUtf8(file.readAll());
    if (!text.endsWith("\r\n")) return {"(no CR LF at the end)"};
    return text.chopped(2).split("\r\n");
}

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

class TestPrint : public QObject {
    Q_OBJECT
private slots:
    void dialogKeepsTheLastChoice();
    void exportWritesTheBoard();
    void failedExportLeavesNoFile();
    void printerSetupToPdf();
    void noPrinterSetUp();
};

void TestPrint::dialogKeepsTheLastChoice() {
    Plant p;
    p.Add(p.Loom(0), "R2400");
    VxDialogScript script;
    const int cancelled = pressPrint(
        p,
        [](TPrintForm* form) {
            QCOMPARE(form->windowTitle(), QString("Print Options"));
            QVERIFY(form->PrinterRadio->isChecked());
            QVERIFY(form->SetupButton->isEnabled());
            click(form->FileRadio);
            QVERIFY(!form->SetupButton->isEnabled());
            click(form->PrinterRadio);
            QVERIFY(form->SetupButton->isEnabled());
            click(form->FileRadio);
            click(form->BitBtn3);
        },
        script);
    QCOMPARE(cancelled, int(QDialog::Rejected));
    QVERIFY(script.fileRequests.isEmpty());

    // Reopened on the file choice; cancelling the save dialog writes nothing.
    pressPrint(
        p,
        [](TPrintForm* form) {
            QVERIFY(form->FileRadio->isChecked());
            QVERIFY(!form->SetupButton->isEnabled());
            click(form->StartButton);
        },
        script);
    QCOMPARE(script.fileRequests.size(), 1);
    const VxFileRequest request = script.fileRequests[0];
    QCOMPARE(request.caption, QString("Print To Comma Delimited File"));
    QCOMPARE(request.filters, QStringList({"Text file (txt) (*.txt)", "Any file (*)"}));
    QCOMPARE(request.defaultSuffix, QString("txt"));
    QCOMPARE(request.proposedName, QString(".txt"));
    QCOMPARE(script.dialogTitles, QStringList({"Print Options", "Print Options"}));
    QVERIFY(script.messages.isEmpty());
}

void TestPrint::exportWritesTheBoard() {
    PrintPlant p;
    QVERIFY2(p.Messages.isEmpty(), qPrintable(p.Messages.join("; ")));
    QTemporaryDir dir;
    VxDialogScript script;
    script.fileNames.push_back(dir.filePath("plan"));
    const int result = pressPrint(
        p,
        [](TPrintForm* form) {
            click(form->FileRadio);
            click(form->StartButton);
        },
        script);
    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY2(script.messages.isEmpty(), qPrintable(script.texts().join("; ")));

    const QStringList lines = fileLines(dir.filePath("plan.txt"));
    QVERIFY(lines.size() >= 3);
    QVERIFY2(QRegularExpression("^Print Options         Printed: \\d\\d/\\d\\d/\\d{4} "
                                "(0[1-9]|1[0-2]):[0-5]\\d [ap]m,$")
                 .match(lines[0])
                 .hasMatch(),
             qPrintable(lines[0]));
    QStringList expected = {"<<Loom 1 : LOOMA>>,<<Loom 2 : LOOMA>>,<<Loom 3 : LOOMB>>,", ",,,"};
    const QList<QStringList> columns = p.expectedColumns();
    for (int r = 0; r < 13; ++r) {
        QString row;
        for (const QStringList& column : columns)
            row += column.value(r) + ",";
        expected << row;
    }
    QCOMPARE(lines.mid(1), expected);
}

void TestPrint::failedExportLeavesNoFile() {
    Plant p;
    p.Add(p.Loom(0), "R2400");
    QTemporaryDir dir;
    VxDialogScript script;
    script.fileNames.push_back(dir.filePath("missing/plan.txt"));
    bool closed = false;
    pressPrint(
        p,
        [&closed](TPrintForm* form) {
            click(form->FileRadio);
            click(form->StartButton);
            closed = !form->isVisible();
        },
        script);
    QVERIFY(closed);
    const QStringList errors = script.texts(VxMsgKind::Error);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains("No such file or directory"), qPrintable(errors[0]));
    QVERIFY(QDir(dir.path()).isEmpty());
}

void TestPrint::printerSetupToPdf() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext not found");
    PrintPlant p;
    QTemporaryDir dir;
    const QString pdf = dir.filePath("plan.pdf");
    VxDialogScript script;
    // The set-up dialog, as a user picking a PDF file as the printer.
    script.dialogs.push_back([&pdf](QDialog* d) {
        auto* setup = qobject_cast<QPrintDialog*>(d);
        if (!setup) return int(QDialog::Rejected);
        setup->printer()->setOutputFileName(pdf);
        return int(QDialog::Accepted);
    });
    pressPrint(
        p,
        [](TPrintForm* form) {
            click(form->PrinterRadio);
            click(form->SetupButton);
            click(form->StartButton);
        },
        script);
    QVERIFY2(script.messages.isEmpty(), qPrintable(script.texts().join("; ")));
    QCOMPARE(script.dialogTitles, QStringList({"Print Options", "Printer Setup"}));

    const QString text = run("pdftotext", {"-layout", pdf, "-"});
    QVERIFY2(text.contains("Print Options") && text.contains("Page 1"), qPrintable(text));
    for (const char* heading : {"Loom 1 : LOOMA", "Loom 2 : LOOMA", "Loom 3 : LOOMB"})
        QCOMPARE(text.count(heading), 1);
    for (const QStringList& column : p.expectedColumns())
        for (const QString& field : column) {
            if (!field.startsWith('<')) continue;
            // The text reader gives single spaces.
            const QString caption = field.mid(1, field.size() - 2).simplified();
            QCOMPARE(
                text.count(QRegularExpression("(^|\\s)" + QRegularExpression::escape(caption))), 1);
        }
    QCOMPARE(text.count("XARED : NAT/2pcs"), 1);
    QCOMPARE(text.count("B001 : 002"), 0); // its warp is collapsed
    QVERIFY(run("pdffonts", {pdf}).contains("LiberationSans-Bold"));
}

void TestPrint::noPrinterSetUp() {
    Plant p;
    p.Add(p.Loom(0), "R2400");
    if (!p.Windows.PrintForm->Printer()->printerName().isEmpty())
        QSKIP("this machine has a printer: the case needs none");
    VxDialogScript script;
    pressPrint(
        p,
        [](TPrintForm* form) {
            click(form->PrinterRadio);
            click(form->StartButton);
        },
        script);
    QCOMPARE(script.texts(VxMsgKind::Error),
             QStringList{"No printer is set up: choose a printer or a PDF file under Printer "
                         "Setup..."});
}

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
