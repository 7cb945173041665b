// SPDX-License-Identifier: GPL-3.0-or-later
// Grids over datasets: the selection and the current row move together, and
// values show with their display formats. Runs on a real SQLite file.

#include "SchedData.h"
#include "VxDBGrid.h"
#include "VxDialogs.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TstVxDBGrid : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    std::unique_ptr<TVxDbSession> m_session;
    std::unique_ptr<TSchedData> m_data;
    int m_counter = 0;

    void clickRow(TVxDBGrid& grid, int row) {
        const QRect cell = grid.visualRect(grid.model()->index(row, 1));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    }

private slots:
    void init() {
        const QString ini = m_tmp.filePath(QString("a%1.ini").arg(++m_counter));
        {
            QSettings s(ini, QSettings::IniFormat);
            s.setValue("ShedwiseSQL/Driver", "QSQLITE");
            s.setValue("ShedwiseSQL/Database", m_tmp.filePath(QString("g%1.db").arg(m_counter)));
        }
        m_session = std::make_unique<TVxDbSession>(ini);
        m_data = std::make_unique<TSchedData>(*m_session);
        m_data->SchedDB.Open();
        m_data->OpenScenarioTables();
        for (int n : {1, 2, 3}) {
            m_data->Scenario.Insert();
            m_data->Scenario.SetAsInteger("SCENARIONO", n);
            m_data->Scenario.SetAsString("DESCR", QString("Plan %1").arg(n));
            m_data->Scenario.Post();
            for (int job = 0; job < n; ++job) {
                m_data->DowntimeJob.Insert();
                for (auto [f, v] : {std::pair{"LOOMNO", 101}, {"JOBNO", job + 1}, {"PLACENO", job}})
                    m_data->DowntimeJob.SetAsInteger(f, v);
                m_data->DowntimeJob.SetAsString("DESCR", "Repair");
                m_data->DowntimeJob.Post();
            }
        }
        m_data->Scenario.First();
    }
    void cleanup() {
        m_data.reset();
        m_session.reset();
    }

    void selectionAndCurrentRowMoveTogether() {
        TVxTable& scenario = m_data->Scenario;
        scenario.FieldDef("SCENARIONO")->DisplayLabel = "Number";
        scenario.FieldDef("DESCR")->DisplayLabel = "Description";
        TVxDataSource source(&scenario);
        int dataChanges = 0;
        source.OnDataChange = [&](TVxDataSource&) { ++dataChanges; };
        TVxDBGrid grid;
        grid.SetDataSource(&source);
        grid.resize(400, 300);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));

        QCOMPARE(source.rowCount(), 3);
        QCOMPARE(source.headerData(0, Qt::Horizontal).toString(), QString("Number"));
        QCOMPARE(source.headerData(1, Qt::Horizontal).toString(), QString("Description"));
        QCOMPARE(grid.currentIndex().row(), 0);

        clickRow(grid, 2);
        QCOMPARE(scenario.RecNo(), 2);
        QCOMPARE(scenario.AsString("DESCR"), QString("Plan 3"));
        QCOMPARE(m_data->DowntimeJob.RecordCount(), 3); // the detail follows
        QVERIFY(dataChanges >= 1);

        QTest::keyClick(grid.viewport(), Qt::Key_Up);
        QCOMPARE(scenario.AsInteger("SCENARIONO"), 2);
        QCOMPARE(m_data->DowntimeJob.RecordCount(), 2);

        // The dataset's own moves move the selection.
        QVERIFY(scenario.FindKey({1}));
        QCOMPARE(grid.currentIndex().row(), 0);
        scenario.Delete();
        QCOMPARE(source.rowCount(), 2);
        QCOMPARE(grid.currentIndex().row(), scenario.RecNo());
        scenario.Close();
        QCOMPARE(source.rowCount(), 0);
    }

    void editingCellsPutsTheRowIntoEdit() {
        TVxTable& scenario = m_data->Scenario;
        TVxDataSource source(&scenario);
        source.ReadOnly = false;
        QStringList states;
        source.OnStateChange = [&](TVxDataSource& s) {
            states << (s.DataSet()->State() == TVxDataSetState::Edit ? "edit" : "other");
        };
        TVxDBGrid grid;
        grid.SetDataSource(&source);
        grid.resize(400, 300);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));

        const QRect cell = grid.visualRect(source.index(1, 1));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, "Renamed");
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits the editor's text from the event loop.
        QTRY_COMPARE(scenario.State(), TVxDataSetState::Edit);
        QCOMPARE(scenario.AsString("DESCR"), QString("Renamed"));
        QCOMPARE(source.data(source.index(1, 1)).toString(), QString("Renamed"));
        QCOMPARE(states, QStringList{"edit"});
        scenario.Post();
        scenario.Close();
        scenario.Open();
        QVERIFY(scenario.FindKey({2}));
        QCOMPARE(scenario.AsString("DESCR"), QString("Renamed"));
    }

    void displayFormats_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("shown");
        QTest::newRow("two decimals") << QVariant(7.456) << "###0.00"
                                      << "7.46";
        QTest::newRow("whole number") << QVariant(1234.6) << "######0"
                                      << "1235";
        QTest::newRow("integer with decimals") << QVariant(12) << "0.0"
                                               << "12.0";
        QTest::newRow("date value") << QVariant(QDate(2026, 12, 8)) << "dd/mm/yyyy"
                                    << "08/12/2026";
        QTest::newRow("date stored as text") << QVariant("2026-12-08") << "dd/mm/yyyy"
                                             << "08/12/2026";
        QTest::newRow("empty") << QVariant() << "###0"
                               << "";
        QTest::newRow("plain float") << QVariant(7.5) << ""
                                     << "7.5";
        QTest::newRow("plain text") << QVariant("R01") << ""
                                    << "R01";
        // Number patterns as the reports and the printer use them.
        QTest::newRow("half rounds away from zero") << QVariant(2.5) << "######0"
                                                    << "3";
        QTest::newRow("thousands") << QVariant(1234567.891) << "#,##0.00"
                                   << "1,234,567.89";
        QTest::newRow("optional decimals") << QVariant(1.5) << "0.0#"
                                           << "1.5";
        QTest::newRow("optional decimals cut") << QVariant(1.2345) << "0.0#"
                                               << "1.23";
        QTest::newRow("zero with # only") << QVariant(0.0) << "#"
                                          << "";
        QTest::newRow("fraction without integer zero") << QVariant(0.5) << "#.##"
                                                       << ".5";
        QTest::newRow("negative") << QVariant(-42.0) << "###0.00"
                                  << "-42.00";
        QTest::newRow("rounds to zero: no minus") << QVariant(-0.001) << "0.00"
                                                  << "0.00";
        QTest::newRow("negative section") << QVariant(-42.0) << "0;(0)"
                                          << "(42)";
        QTest::newRow("zero section") << QVariant(0.0) << "0;(0);'nil'"
                                      << "nil";
        QTest::newRow("literals") << QVariant(12.0) << "'kg '0' net'"
                                  << "kg 12 net";
        QTest::newRow("scientific") << QVariant(1234.0) << "0.00E+00"
                                    << "1.23E+03";
        QTest::newRow("scientific, small") << QVariant(0.000123) << "0.0E-0"
                                           << "1.2E-4";
        QTest::newRow("least integer digits") << QVariant(7.0) << "000"
                                              << "007";
    }
    void displayFormats() {
        QFETCH(QVariant, value);
        QFETCH(QString, format);
        QFETCH(QString, shown);
        QCOMPARE(TVxDataSet::FormatValue(value, format), shown);
    }
};

QTEST_MAIN(TstVxDBGrid)
#include "tst_vxdbgrid.moc"
