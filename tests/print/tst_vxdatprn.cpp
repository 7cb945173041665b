// SPDX-License-Identifier: GPL-3.0-or-later
// The data printer: where every text lands (recorded through a page device),
// the events around it, the dataset's position afterwards, and a real PDF of
// a table of the SQLite database read back with pdftotext.

#include "PageRecorder.h"
#include "SchedDB.h"
#include "VxAbort.h"
#include "VxDataSet.h"
#include "VxDialogs.h"
#include "VxFieldFormat.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Field settings of the test table, as a report would give them.
TVxField display(const char* name, const char* label, int width, const char* format = "",
                 bool visible = true) {
    TVxField f;
    f.FieldName = QLatin1String(name);
    f.DisplayLabel = QLatin1String(label);
    f.DisplayWidth = width;
    f.DisplayFormat = QLatin1String(format);
    f.Visible = visible;
    return f;
}

QString eventName(const QString& name, int arg = -1) {
    return arg < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(arg);
}
} // namespace

class TstVxDatPrn : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    int m_counter = 0;
    std::unique_ptr<TVxDbSession> m_session;
    std::unique_ptr<TSchedDB> m_db;
    std::unique_ptr<TVxQuery> m_query;
    std::unique_ptr<TPageRecorder> m_pages;
    std::unique_ptr<TVxDataPrinter> m_printer;
    QStringList m_events;

    // Rows 1..count: ID, NAME, QTY, WEIGHT, PRICE, DAY, NOTE (hidden), CODE.
    void fillRows(int count) {
        QSqlQuery q(m_db->Database());
        QVERIFY(q.exec("delete from printrows"));
        m_db->Database().transaction();
        QVERIFY(q.prepare("insert into printrows values (?, ?, ?, ?, ?, ?, ?, ?)"));
        for (int i = 1; i <= count; ++i) {
            q.addBindValue(i);
            q.addBindValue(QString("Row%1").arg(i, 4, 10, QChar('0')));
            q.addBindValue(i * 10);
            q.addBindValue(i + 0.125);
            q.addBindValue(i * 2.5);
            q.addBindValue(QDate(2026, 1, 1).addDays(i));
            q.addBindValue("hidden");
            q.addBindValue("ABCDE");
            QVERIFY(q.exec());
        }
        m_db->Database().commit();
        m_query->Close();
        m_query->Open();
    }

    QFontMetrics metrics(const QFont& font) const {
        return QFontMetrics(QFont(font, m_pages.get()));
    }
    int charWidth() const { return metrics(m_printer->DataFont).horizontalAdvance("a"); }
    int rowHeight() const { return metrics(m_printer->DataFont).height(); }
    int headerGap() const { return rowHeight() + rowHeight() / 3; }

    void logEvents() {
        TVxDataPrinter& p = *m_printer;
        auto row = [this](const char* name) {
            return [this, name](TVxDataPrinter* sender, int&) {
                QCOMPARE(sender, m_printer.get());
                m_events << eventName(name);
            };
        };
        p.BeforeStartPrint = row("BeforeStartPrint");
        p.AfterFinishPrint = row("AfterFinishPrint");
        p.BeforeRowPrint = row("BeforeRowPrint");
        p.AfterRowPrint = row("AfterRowPrint");
        p.BeforeColPrint = [this](TVxDataPrinter*, int i) { m_events << eventName("Before", i); };
        p.AfterColPrint = [this](TVxDataPrinter*, int i) { m_events << eventName("After", i); };
        p.OnRowPrintQuery = [this](TVxDataPrinter*, bool& canPrint) {
            QVERIFY(canPrint);
            m_events << "Query";
        };
    }

private slots:
    void init() {
        const QString ini = m_tmp.filePath(QString("a%1.ini").arg(++m_counter));
        {
            QSettings s(ini, QSettings::IniFormat);
            s.setValue("ShedwiseSQL/Driver", "QSQLITE");
            s.setValue("ShedwiseSQL/Database", m_tmp.filePath(QString("p%1.db").arg(m_counter)));
        }
        m_session = std::make_unique<TVxDbSession>(ini);
        m_db = std::make_unique<TSchedDB>(*m_session);
        m_db->Open();
        QSqlQuery q(m_db->Database());
        QVERIFY(q.exec("create table printrows (id integer, name varchar(20), qty integer, "
                       "weight double precision, price double precision, day date, "
                       "note varchar(10), code varchar(5))"));
        m_query = std::make_unique<TVxQuery>(*m_db, "PrintQuery",
                                             QStringList{"select * from printrows", "order by id"});
        m_query->SetFieldDisplay(display("ID", "No", 3));
        m_query->SetFieldDisplay(display("NAME", "Name of row", 2)); // label wider than width
        m_query->SetFieldDisplay(display("QTY", "Quantity", 6));
        m_query->SetFieldDisplay(display("WEIGHT", "Weight", 8, "###0.00"));
        TVxField price = display("PRICE", "Price", 7);
        price.Precision = 2;
        m_query->SetFieldDisplay(price);
        m_query->SetFieldDisplay(display("DAY", "Day", 10, "dd/mm/yyyy"));
        m_query->SetFieldDisplay(display("NOTE", "Note", 6, "", false));
        m_query->SetFieldDisplay(display("CODE", "Cd", 3));
        m_query->Open();

        m_pages = std::make_unique<TPageRecorder>(2400, 800);
        m_printer = std::make_unique<TVxDataPrinter>();
        m_printer->SetPageDevice(m_pages.get());
        m_printer->DoPrintDialog = false;
        m_printer->SetDataSet(m_query.get());
        m_events.clear();
    }
    void cleanup() {
        m_printer.reset();
        m_query.reset();
        m_db.reset();
        m_session.reset();
    }

    void defaults() {
        TVxDataPrinter p;
        QCOMPARE(p.About(), QString("Version 1.3"));
        p.SetAbout("Version 9");
        QCOMPARE(p.About(), QString("Version 1.3"));
        QVERIFY(!p.DataSet());
        QVERIFY(p.Title.isEmpty() && p.SubTitles.isEmpty());
        QCOMPARE(p.StampFormat, QString("dd/mm/yyyy hh:mm am/pm"));
        QVERIFY(p.DoTimeStamp && p.DoPageNumbers && p.DoPrintDialog && p.DoColHeaders);
        QVERIFY(p.AutoOpen && p.AutoClose);
        QCOMPARE(int(p.Margin), 50);
        QCOMPARE(int(p.Spacing), 8);
        auto font = [](const QFont& f) {
            return QString("%1 %2%3%4")
                .arg(f.family())
                .arg(f.pointSize())
                .arg(f.bold() ? " bold" : "")
                .arg(f.underline() ? " underlined" : "");
        };
        QCOMPARE(font(p.TitleFont), QString("Arial 12 bold"));
        QCOMPARE(font(p.SubTitleFont), QString("Arial 10"));
        QCOMPARE(font(p.HeaderFont), QString("Courier New 10 underlined"));
        QCOMPARE(font(p.DataFont), QString("Courier New 10"));
        // Arial and Courier New resolve to their metric twins where missing.
        QCOMPARE(QFontInfo(p.DataFont).fixedPitch(), true);
        QVERIFY(!p.BeforeStartPrint && !p.OnRowPrintQuery && !p.AfterColPrint);

        // The printer forgets a dataset that goes away.
        auto query = std::make_unique<TVxQuery>(*m_db, "Gone", QStringList{"select 1"});
        p.SetDataSet(query.get());
        query.reset();
        QVERIFY(!p.DataSet());
    }

    void refusedBeforeAnythingPrints_data() {
        QTest::addColumn<int>("setup");
        QTest::addColumn<QString>("error");
        QTest::newRow("no dataset") << 0 << "Inaccessable dataset";
        QTest::newRow("closed dataset") << 1 << "Inaccessable dataset";
        QTest::newRow("65 fields")
            << 2 << "Cannot print Wide: it has 65 fields, and at most 64 fit";
    }
    void refusedBeforeAnythingPrints() {
        QFETCH(int, setup);
        QFETCH(QString, error);
        QStringList columns;
        for (int i = 0; i < 65; ++i)
            columns << QString("%1 as c%1").arg(i);
        TVxQuery wide(*m_db, "Wide", {"select " + columns.join(", ")});
        if (setup == 0) m_printer->SetDataSet(nullptr);
        if (setup == 1) m_query->Close();
        if (setup == 2) {
            wide.Open();
            m_printer->SetDataSet(&wide);
        }
        logEvents();
        m_printer->DoPrintDialog = true;
        VxDialogScript script;
        try {
            m_printer->Print();
            QFAIL("printed");
        } catch (const EVxError& e) {
            QCOMPARE(e.message(), error);
        }
        QVERIFY(script.dialogTitles.isEmpty());
        QVERIFY(m_events.isEmpty());
        QVERIFY(m_pages->Texts.isEmpty());
        QVERIFY(!m_printer->Printing());
    }

    void printDialogDecides() {
        fillRows(2);
        logEvents();
        m_printer->DoPrintDialog = true;
        VxDialogScript script;
        QPrintDialog* shown = nullptr;
        script.dialogs.push_back([&](QDialog* d) {
            shown = qobject_cast<QPrintDialog*>(d);
            return int(QDialog::Rejected);
        });
        QCOMPARE(m_printer->Print(), false);
        QVERIFY(shown);
        QVERIFY(m_events.isEmpty() && m_pages->Texts.isEmpty());

        script.dialogs.push_back([](QDialog*) { return int(QDialog::Accepted); });
        QCOMPARE(m_printer->Print(), true);
        QCOMPARE(m_events.count("BeforeRowPrint"), 2);
        QCOMPARE(script.dialogTitles.size(), 2);
    }

    void columnsAndFieldTexts() {
        fillRows(1);
        m_printer->DoTimeStamp = false;
        m_printer->Print();
        const int cw = charWidth();
        // Widths in characters: the display width, or the label's width in
        // the data font when that is larger; NOTE is hidden and takes none.
        // Columns stand a character apart.
        struct Column {
            QString header, text;
            int chars;
        };
        const QList<Column> columns = {
            {" No", "  1", 3},
            {"Name of row", "Row0001    ", 11}, // label wider than its display width
            {"Quantity", "      10", 8},
            {"  Weight", "    1.13", 8}, // "###0.00", halves away from zero
            {"  Price", "   2.50", 7},   // precision 2
            {"Day       ", "02/01/2026", 10},
            {"Cd ", "ABC", 3}, // cut to the display width
        };
        int x = m_printer->Margin;
        const int headerTop = metrics(m_printer->TitleFont).height();
        for (const Column& c : columns) {
            const TDrawnText* header = m_pages->Find(c.header.trimmed());
            QVERIFY2(header, qPrintable(c.header));
            QCOMPARE(header->Text, c.header);
            QCOMPARE(header->TopLeft, QPoint(x, headerTop));
            QVERIFY(header->Font.underline());
            const TDrawnText* text = m_pages->Find(c.text.trimmed());
            QVERIFY2(text, qPrintable(c.text));
            QCOMPARE(text->Text, c.text);
            QCOMPARE(text->TopLeft, QPoint(x, headerTop + headerGap()));
            x += (c.chars + 1) * cw;
        }
        QVERIFY(!m_pages->Find("hidden"));
        QVERIFY(!m_pages->Find("Note"));
    }

    void fieldTexts_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("precision");
        QTest::addColumn<bool>("currency");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        const int flt = int(TVxFieldKind::Float), num = int(TVxFieldKind::Integer),
                  day = int(TVxFieldKind::DateTime), str = int(TVxFieldKind::String);
        QTest::newRow("format, right-aligned")
            << flt << "######0" << 15 << false << QVariant(41.5) << "    42";
        QTest::newRow("format wider than the column is cut")
            << flt << "###0.00" << 15 << false << QVariant(123456.0) << "123456";
        QTest::newRow("currency") << flt << "" << 15 << true << QVariant(1234.5)
                                  << VxFormatCurrency(1234.5).rightJustified(6);
        QTest::newRow("precision below 15: its decimals")
            << flt << "" << 3 << false << QVariant(2.0) << " 2.000";
        QTest::newRow("default precision: no decimals")
            << flt << "" << 15 << false << QVariant(2.75) << "     3";
        QTest::newRow("integer") << num << "" << 15 << false << QVariant(7) << "     7";
        QTest::newRow("integer wider than the column: not cut")
            << num << "" << 15 << false << QVariant(12345678) << "12345678";
        QTest::newRow("empty number: blank, not 0")
            << num << "" << 15 << false << QVariant() << "      ";
        QTest::newRow("date with format, not padded")
            << day << "dd/mm/yyyy" << 15 << false << QVariant(QDate(2026, 3, 5)) << "05/03/2026";
        QTest::newRow("date as ISO text")
            << day << "dd/mm/yyyy" << 15 << false << QVariant("2026-03-05") << "05/03/2026";
        QTest::newRow("date without format: display text")
            << day << "" << 15 << false << QVariant(QDate(2026, 3, 5)) << "05/03/26";
        QTest::newRow("text, left-aligned")
            << str << "" << 15 << false << QVariant("WHT") << "WHT   ";
        QTest::newRow("text cut") << str << "" << 15 << false << QVariant("WHITE-BLUE") << "WHITE-";
    }
    void fieldTexts() {
        QFETCH(int, kind);
        QFETCH(QString, format);
        QFETCH(int, precision);
        QFETCH(bool, currency);
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        VxSetShortDateFormat("dd/mm/yy");
        TVxField field;
        field.Kind = TVxFieldKind(kind);
        field.DisplayFormat = format;
        field.Precision = precision;
        field.Currency = currency;
        QCOMPARE(TVxDataPrinter::FieldText(field, value, 6), text);
    }

    void titleBlock_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("stamp");
        QTest::addColumn<QString>("stampFormat");
        QTest::addColumn<bool>("pages");
        QTest::addColumn<bool>("headers");
        QTest::addColumn<bool>("lineReserved");
        QTest::newRow("everything")
            << "Yarn" << true << "dd/mm/yyyy hh:mm am/pm" << true << true << true;
        QTest::newRow("nothing on the first line: sub-titles at the top")
            << "" << false << "" << false << true << false;
        QTest::newRow("stamp on with no format: nothing drawn, the line kept")
            << "" << true << "" << false << true << true;
        QTest::newRow("page numbers alone keep the line")
            << "" << false << "x" << true << true << true;
        QTest::newRow("no headers: the gap stays")
            << "Yarn" << true << "yyyy" << true << false << true;
    }
    void titleBlock() {
        QFETCH(QString, title);
        QFETCH(bool, stamp);
        QFETCH(QString, stampFormat);
        QFETCH(bool, pages);
        QFETCH(bool, headers);
        QFETCH(bool, lineReserved);
        fillRows(1);
        TVxDataPrinter& p = *m_printer;
        p.Title = title;
        p.DoTimeStamp = stamp;
        p.StampFormat = stampFormat;
        p.DoPageNumbers = pages;
        p.DoColHeaders = headers;
        p.SubTitles = QStringList{"Warp Reqmts By Date", "second"};
        p.Print();

        const int width = m_pages->width();
        int line = 0;
        if (!title.isEmpty()) {
            const TDrawnText* t = m_pages->Find(title);
            QVERIFY(t);
            QCOMPARE(t->TopLeft, QPoint(p.Margin, 0));
            QCOMPARE(t->Font.bold(), true);
        }
        const QString stampText = VxFormatDate(stampFormat, VxToday());
        const TDrawnText* stampDrawn =
            stampFormat.isEmpty() ? nullptr : m_pages->Find(stampText.left(5));
        QCOMPARE(bool(stampDrawn), stamp && !stampFormat.isEmpty());
        if (stampDrawn) QCOMPARE(stampDrawn->TopLeft, QPoint(width - 960, 0)); // 60 % across
        const TDrawnText* page = m_pages->Find("Page 1");
        QCOMPARE(bool(page), pages);
        if (page) {
            QCOMPARE(page->TopLeft.x(),
                     width - metrics(p.SubTitleFont).horizontalAdvance("Page 1") - 50);
            QCOMPARE(page->Font.pointSize(), 10);
            QCOMPARE(page->Font.family(), p.SubTitleFont.family());
        }
        if (lineReserved) line += metrics(p.TitleFont).height();

        const int subHeight = metrics(p.SubTitleFont).height();
        QCOMPARE(m_pages->Find("Warp Reqmts")->TopLeft, QPoint(p.Margin, line));
        QCOMPARE(m_pages->Find("second")->TopLeft, QPoint(p.Margin, line + subHeight));
        line += 2 * subHeight + subHeight / 2;
        QCOMPARE(bool(m_pages->Find("Quantity")), headers);
        if (headers) QCOMPARE(m_pages->Find("Quantity")->TopLeft.y(), line);
        QCOMPARE(m_pages->Find("Row0001")->TopLeft.y(), line + headerGap());
    }

    void eventsInOrder_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("expected");
        QStringList cols;
        for (int i = 0; i < 8; ++i) // the hidden NOTE (6) fires too
            cols << eventName("Before", i) << eventName("After", i);
        const QStringList record =
            QStringList{"Query", "BeforeRowPrint"} + cols + QStringList{"AfterRowPrint"};
        QTest::newRow("empty dataset: start and finish only")
            << 0 << QStringList{"BeforeStartPrint", "AfterFinishPrint"};
        QTest::newRow("two records")
            << 2
            << QStringList{"BeforeStartPrint"} + record + record + QStringList{"AfterFinishPrint"};
    }
    void eventsInOrder() {
        QFETCH(int, rows);
        QFETCH(QStringList, expected);
        fillRows(rows);
        logEvents();
        QVERIFY(m_printer->Print());
        QCOMPARE(m_events, expected);
        QVERIFY(m_pages->Find("Quantity")); // headers even without records
        QVERIFY(!m_printer->Printing());
    }

    void pageBreaks_data() {
        QTest::addColumn<int>("skipped"); // record skipped through the query, 0 none
        QTest::addColumn<int>("rowTopShift");
        QTest::newRow("every record printed") << 0 << 0;
        QTest::newRow("records after a skipped one close up") << 5 << 0;
        QTest::newRow("handler moves the line down") << 0 << 7;
    }
    void pageBreaks() {
        QFETCH(int, skipped);
        QFETCH(int, rowTopShift);
        m_pages = std::make_unique<TPageRecorder>(2400, 1400);
        m_printer->SetPageDevice(m_pages.get());
        fillRows(40);
        TVxDataPrinter& p = *m_printer;
        p.Title = "Output";
        p.OnRowPrintQuery = [&](TVxDataPrinter*, bool& canPrint) {
            canPrint = m_query->AsInteger("ID") != skipped;
        };
        p.BeforeRowPrint = [&](TVxDataPrinter*, int& rowTop) { rowTop += rowTopShift; };
        p.Print();

        const int h = rowHeight();
        const int firstTop = metrics(p.TitleFont).height() + headerGap();
        const int perFirstPage = (m_pages->height() - firstTop - h) / (h + rowTopShift) + 1;
        // Page 2 opens with its number in the data font, then the headers.
        const QList<TDrawnText> page2 = m_pages->OnPage(2);
        QVERIFY(page2.size() > 3);
        QCOMPARE(page2[0].Text, QString("Page 2"));
        QCOMPARE(
            page2[0].TopLeft,
            QPoint(m_pages->width() - metrics(p.DataFont).horizontalAdvance("Page 2") - 50, 0));
        QCOMPARE(page2[0].Font.family(), p.DataFont.family());
        QCOMPARE(m_pages->Find("Quantity", 2)->TopLeft.y(), 2 * h);
        QVERIFY(!m_pages->Find("Output", 2));
        QCOMPARE(m_pages->Pages, 2);

        const int secondTop = 2 * h + headerGap();
        for (int id = 1; id <= 40; ++id) {
            const QString name = QString("Row%1").arg(id, 4, 10, QChar('0'));
            const TDrawnText* t = m_pages->Find(name);
            if (id == skipped) {
                QVERIFY(!t);
                continue;
            }
            QVERIFY2(t, qPrintable(name));
            const int before = id - 1 - (skipped > 0 && id > skipped); // printed before it
            const bool first = before < perFirstPage;
            QCOMPARE(t->Page, first ? 1 : 2);
            const int index = first ? before : before - perFirstPage;
            const int top =
                (first ? firstTop : secondTop) + index * (h + rowTopShift) + rowTopShift;
            QCOMPARE(t->TopLeft.y(), top);
        }
    }

    // The page-break test runs before the query: a skipped record arriving
    // at the bottom of a page still opens the next one.
    void skippedRecordAtPageEndBreaksThePage() {
        const int h = rowHeight();
        const int firstTop = metrics(m_printer->TitleFont).height() + headerGap();
        const int perFirstPage = (m_pages->height() - firstTop - h) / h + 1;
        fillRows(perFirstPage + 1);
        m_printer->OnRowPrintQuery = [&](TVxDataPrinter*, bool& canPrint) {
            canPrint = m_query->AsInteger("ID") <= perFirstPage;
        };
        m_printer->Print();
        QCOMPARE(m_pages->Pages, 2);
        QStringList page2;
        for (const TDrawnText& t : m_pages->OnPage(2))
            page2 << t.Text.trimmed();
        QCOMPARE(page2.first(), QString("Page 2"));
        QVERIFY(page2.contains("Quantity"));
        QCOMPARE(page2.filter("Row").size(), 0);
        QVERIFY(m_pages->Find(QString("Row%1").arg(perFirstPage, 4, 10, QChar('0')), 1));
    }

    void datasetRestored_data() {
        QTest::addColumn<int>("failure");
        QTest::newRow("finished") << 0;
        QTest::newRow("row event throws") << 1;
        QTest::newRow("printer refuses a new page") << 2;
        QTest::newRow("finish event throws") << 3;
    }
    void datasetRestored() {
        QFETCH(int, failure);
        fillRows(40);
        m_query->MoveTo(6);
        int scrolls = 0;
        m_query->AddLink(this, [&](TVxDataEvent e) {
            if (e == TVxDataEvent::Scrolled) ++scrolls;
        });
        bool disabledDuringScan = false;
        m_printer->BeforeRowPrint = [&](TVxDataPrinter*, int&) {
            disabledDuringScan = m_query->ControlsDisabled();
            if (failure == 1 && m_query->AsInteger("ID") == 3) throw EVxError("handler failed");
        };
        m_printer->AfterFinishPrint = [&](TVxDataPrinter*, int&) {
            if (failure == 3) throw EVxError("handler failed");
        };
        if (failure == 2) m_pages->FailAtPage = 2;
        QString error;
        try {
            m_printer->Print();
        } catch (const EVxError& e) {
            error = e.message();
        }
        m_query->RemoveLink(this);
        const QStringList errors = {"", "handler failed", "Cannot start a new page",
                                    "handler failed"};
        QCOMPARE(error, errors[failure]);
        QVERIFY(disabledDuringScan);
        QVERIFY(!m_query->ControlsDisabled());
        QCOMPARE(m_query->RecNo(), 6);
        QCOMPARE(scrolls, 0); // grids saw nothing of the scan
        QVERIFY(!m_printer->Printing());
        QVERIFY(!m_pages->Active); // the document was ended
    }

    void severalDatasetsInOneDocument() {
        fillRows(2);
        TVxDataPrinter& p = *m_printer;
        p.AutoOpen = p.AutoClose = false;
        p.BeginDoc();
        p.Print();
        p.NewPage();
        p.Title = "Second";
        p.Print();
        QVERIFY(p.Printing());
        p.EndDoc();
        QCOMPARE(m_pages->Find("Second")->Page, 2);
        QCOMPARE(m_pages->Find("Page 2")->Page, 2);
        QCOMPARE(m_pages->Find("Row0002")->Page, 1);
    }

    // A real table of the SQLite file, printed to a PDF of several pages.
    void realPdfOfManyPages() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext missing");
        fillRows(150);
        TVxDataPrinter printer;
        printer.SetDataSet(m_query.get());
        printer.Title = "Print test";
        printer.SubTitles = QStringList{"All rows"};
        const QString pdf = m_tmp.filePath("rows.pdf");
        printer.Printer()->setOutputFileName(pdf);
        VxDialogScript script;
        script.dialogs.push_back([](QDialog*) { return int(QDialog::Accepted); });
        QVERIFY(printer.Print());

        QProcess run;
        run.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(run.waitForFinished(20000));
        const QString text = QString::fromUtf8(run.readAllStandardOutput());
        const QStringList pages = text.split(QChar('\f'), Qt::SkipEmptyParts);
        QVERIFY2(pages.size() >= 3, qPrintable(QString::number(pages.size())));
        QCOMPARE(text.count("Print test"), 1);
        QCOMPARE(text.count("All rows"), 1);
        QVERIFY(QRegularExpression("\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d [ap]m")
                    .match(pages[0])
                    .hasMatch());
        for (int i = 0; i < pages.size(); ++i) {
            QVERIFY2(pages[i].contains(
                         QRegularExpression("No +Name of row +Quantity +Weight +Price +Day +Cd")),
                     qPrintable(QString("headers on page %1").arg(i + 1)));
            QVERIFY(pages[i].contains(QString("Page %1").arg(i + 1)));
        }
        for (int i = 1; i <= 150; ++i) {
            const QString row = QString("Row%1").arg(i, 4, 10, QChar('0'));
            QCOMPARE(text.count(row), 1);
        }
        QVERIFY(text.contains(
            QRegularExpression("150 +Row0150 +1500 +150.13 +375.00 +31/05/2026 +ABC")));
    }
};

QTEST_MAIN(TstVxDatPrn)
#include "tst_vxdatprn.moc"
