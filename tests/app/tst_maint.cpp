// SPDX-License-Identifier: GPL-3.0-or-later
// The maintenance window against a real SQLite file and the PostgreSQL test
// server (scripts/pg-test-server.sh; PLEXIWEAVE_PG_* name it), driven with
// mouse clicks and keys; message boxes are scripted.

#include "AppWindows.h"
#include "MainForm.h"
#include "MaintData.h"
#include "MaintForm.h"
#include "ModeForm.h"
#include "SchedData.h"
#include "VxDBGrid.h"
#include "VxDBNav.h"
#include "VxDialogDriving.h"
#include "VxDialogs.h"
#include "VxPromptLog.h"
#include "VxTestDb.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {
using vxtest::env;
using vxtest::pgConfigured;

std::function<int(QDialog*)> chooseMode(QRadioButton* TModeForm::*radio) {
    return [radio](QDialog* dialog) {
        auto* form = qobject_cast<TModeForm*>(dialog);
        if (!form) return int(QDialog::Rejected);
        QRadioButton* r = form->*radio;
        QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(8, r->height() / 2));
        QTest::mouseClick(form->OKButton, Qt::LeftButton);
        return -1;
    };
}

enum Page { Looms, Warps, Fabrics, StruLoom, Downtimes };

QStringList titles(const TVxDBGrid* grid) {
    QStringList t;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        t << grid->model()->headerData(c, Qt::Horizontal).toString();
    return t;
}

int columnOf(const TVxDBGrid* grid, const QString& title) {
    return int(titles(grid).indexOf(title));
}

// The grid row showing value in the titled column, -1 when none does.
int rowOf(const TVxDBGrid* grid, const QString& title, const QString& value) {
    const int c = columnOf(grid, title);
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        if (grid->model()->index(r, c).data().toString() == value) return r;
    return -1;
}

void clickCell(TVxDBGrid* grid, int row, int column) {
    const QModelIndex index = grid->model()->index(row, column);
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
}

// F2 on the cell, the text typed over what it held, Enter.
void typeInto(TVxDBGrid* grid, int row, int column, const QString& text) {
    clickCell(grid, row, column);
    QTest::keyClick(grid, Qt::Key_F2);
    QLineEdit* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget()))
        editor = combo->lineEdit();
    QVERIFY2(editor, "no cell editor");
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!grid->CellEditorOpen());
}
} // namespace

class TstMaint : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    int m_counter = 0;
    QString m_database;
    QString m_aliasFile;
    std::unique_ptr<TVxDbSession> m_session;
    std::unique_ptr<TSchedData> m_data;
    std::unique_ptr<TMaintForm> m_form;

    bool pg() const {
        QFETCH_GLOBAL(QString, engine);
        return engine == "postgres";
    }

    TVxPromptLog m_log; // the data layer's prompts, answered and logged

    QSqlDatabase admin(const QString& database) { return vxtest::adminConnection(pg(), database); }

    // The first column of a query on a connection of the test's own.
    QStringList stored(const QString& sql) {
        QSqlQuery q(admin(m_database));
        if (!q.exec(sql)) return {"error: " + q.lastError().text()};
        QStringList values;
        while (q.next())
            values << q.value(0).toString();
        return values;
    }

    // The main window's login prompt and create question, as dialogs.
    void scriptLogin(VxDialogScript& script) {
        if (pg()) script.dialogs.push_back(vxtest::loginDriver(env("PLEXIWEAVE_PG_PASSWORD")));
        script.answers.push_back(QMessageBox::Yes);
    }

    TMaintForm& showForm() {
        m_form = std::make_unique<TMaintForm>();
        m_form->SetDatabase(&m_data->SchedDB);
        m_form->show();
        m_form->activateWindow();
        if (!QTest::qWaitForWindowActive(m_form.get())) qWarning("maintenance window not active");
        return *m_form;
    }

    void clickTab(TMaintForm& form, int page) {
        QTabBar* bar = form.PageCtrl->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
    }

    static void clickNav(TVxDBNavigator* nav, TVxNavButton which) {
        QToolButton* b = nav->Button(which);
        QVERIFY2(b->isEnabled(), qPrintable(TVxDBNavigator::Hint(which)));
        QTest::mouseClick(b, Qt::LeftButton);
    }

    TVxDBGrid* pageGrid(TMaintForm& form, int page) {
        TVxDBGrid* grids[] = {form.LoomSpecGrid, form.WarpTypeGrid, form.FabricsGrid,
                              form.StruLoomGrid, form.DBGrid4};
        return grids[page];
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void initTestCase_data() {
        QTest::addColumn<QString>("engine");
        QTest::newRow("sqlite") << "sqlite";
        QTest::newRow("postgres") << "postgres";
    }

    void init() {
        ++m_counter;
        m_log.clear();
        if (pg()) {
            if (!pgConfigured()) QSKIP(vxtest::NoPgServerReason);
            m_database = QString("plexiweave_maint%1_%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(m_counter);
            const QString error = vxtest::createServerDatabase(m_database);
            QVERIFY2(error.isEmpty(), qPrintable(error));
        } else {
            m_database = m_tmp.filePath(QString("Shedwise%1.db").arg(m_counter));
        }
        m_aliasFile = m_tmp.filePath(QString("aliases%1.ini").arg(m_counter));
        vxtest::writeAliasFile(m_aliasFile, pg(), m_database,
                               pg() ? env("PLEXIWEAVE_PG_USER") : "");
        m_session = std::make_unique<TVxDbSession>(m_aliasFile);
        m_data = std::make_unique<TSchedData>(*m_session, m_log.prompts());
        if (pg()) m_log.passwords.push_back(env("PLEXIWEAVE_PG_PASSWORD"));
        m_log.answers.push_back(true); // create the planner tables
        m_data->SchedDB.Open();
    }

    void cleanup() {
        m_form.reset();
        m_data.reset();
        m_session.reset();
        vxtest::dropAdminConnection(m_database);
        if (pg() && pgConfigured()) vxtest::dropServerDatabase(m_database);
    }

    void openingStartsOnLoomsWithBothNavigators();
    void pagesShowTheirTables_data();
    void pagesShowTheirTables();
    void pageAndCloseGuard();
    void typedInputRefusedThenCorrected_data();
    void typedInputRefusedThenCorrected();
    void referenceIntegrity_data();
    void referenceIntegrity();
    void insertCancelAndDeleteWithKeys();
    void fabricLoomAddAndRemove();
    void refusedCombinationLeavesNoRowBehind();
    void newWarpTypeInThePickList();
    void mainWindowKeepsItsDataUntilRestart();
};

void TstMaint::openingStartsOnLoomsWithBothNavigators() {
    for (int opening = 0; opening < 2; ++opening) {
        TMaintForm& form = opening == 0 ? showForm() : *m_form;
        if (opening == 1) form.show();
        QCOMPARE(form.windowTitle(), QString("Data Maintenance"));
        QCOMPARE(form.PageCtrl->currentIndex(), int(Looms));
        QCOMPARE(form.NavButtons->DataSource(), form.LoomSpecSource);
        QCOMPARE(form.EditButtons->DataSource(), form.LoomSpecSource);
        QVERIFY(form.EditButtons->isVisible());
        QVERIFY(form.ExitButton->isEnabled());
        QVERIFY(form.Data()->LoomSpec.Active());
        QCOMPARE(form.LoomSpecGrid->model()->rowCount(), stored("select ref from loomspec").size());
        // The second opening starts on the Looms page again.
        clickTab(form, Downtimes);
        QCOMPARE(form.PageCtrl->currentIndex(), int(Downtimes));
        QTest::mouseClick(form.ExitButton, Qt::LeftButton);
        QVERIFY(!form.isVisible());
        for (TVxTable* t : form.Data()->Tables())
            QVERIFY2(!t->Active(), qPrintable(t->TableName()));
        QVERIFY(!form.Data()->FabricStruQuery.Active());
    }
}

void TstMaint::pagesShowTheirTables_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("widthTitle"); // a column with a width of its own
    QTest::addColumn<int>("width");          // in characters
    QTest::newRow("looms") << int(Looms) << "Looms"
                           << QStringList{"Ref", "Position", "Type", "Descr"} << "Descr" << 20;
    QTest::newRow("warps") << int(Warps) << "Warps"
                           << QStringList{"Type",    "Ends",   "Dents/cm", "Ave Hrs",
                                          "Wastage", "Length", "Weight"}
                           << "Dents/cm" << 8;
    QTest::newRow("fabrics") << int(Fabrics) << "Fabrics"
                             << QStringList{"Stru",        "Colour",      "Warp Type", "Warp Col",
                                            "Weft Stru",   "Weft Twist",  "Weft Col",  "Piece Len",
                                            "Warp Pce Wt", "Weft Pce Wt", "Hrs/Pce"}
                             << "Hrs/Pce" << 6;
    QTest::newRow("fabric:loom") << int(StruLoom) << "Fa&bric:Loom"
                                 << QStringList{"Fabric Stru", "Loom Type"} << "Loom Type" << 15;
    QTest::newRow("downtimes") << int(Downtimes) << "Downtimes" << QStringList{"Descr"} << "" << 0;
}

void TstMaint::pagesShowTheirTables() {
    QFETCH(int, page);
    QFETCH(QString, tab);
    QFETCH(QStringList, titles);
    QFETCH(QString, widthTitle);
    QFETCH(int, width);
    TMaintForm& form = showForm();
    clickTab(form, page);
    QCOMPARE(form.PageCtrl->currentIndex(), page);
    QCOMPARE(form.PageCtrl->tabText(page), tab);
    TVxDBGrid* grid = pageGrid(form, page);
    QCOMPARE(::titles(grid), titles);
    if (width > 0)
        QCOMPARE(grid->columnWidth(columnOf(grid, widthTitle)),
                 width * grid->fontMetrics().averageCharWidth() + 8);

    // Both navigators follow the page's table; on Fabric:Loom the edit
    // navigator is hidden and combinations change only through Add and Remove.
    const bool pairs = page == StruLoom;
    QCOMPARE(form.NavButtons->DataSource(), form.PageSource(page));
    QCOMPARE(form.EditButtons->DataSource(), pairs ? nullptr : form.PageSource(page));
    QCOMPARE(form.EditButtons->isVisible(), !pairs);
    QCOMPARE(grid->editTriggers() == QAbstractItemView::NoEditTriggers, pairs);
    for (int p = 0; p < 5; ++p)
        QCOMPARE(form.PageSource(p)->DataSet()->Active(), p == page);
    QCOMPARE(form.Data()->FabricStruQuery.Active(), pairs);
    QCOMPARE(form.Data()->LoomTypeQuery.Active(), pairs);
    if (pairs) {
        QCOMPARE(::titles(form.FabricStruGrid), QStringList{"Fabric Stru"});
        QCOMPARE(::titles(form.LoomTypeGrid), QStringList{"Loom Type"});
        QCOMPARE(form.AddButton->text(), QString(">>  &Add  >"));
        QCOMPARE(form.RemoveButton->text(), QString("&Remove <"));
    }
    if (page == Fabrics) { // hours per piece with two decimals
        const QModelIndex hrs = grid->model()->index(0, columnOf(grid, "Hrs/Pce"));
        QVERIFY2(QRegularExpression("^\\d+\\.\\d\\d$").match(hrs.data().toString()).hasMatch(),
                 qPrintable(hrs.data().toString()));
    }
}

void TstMaint::pageAndCloseGuard() {
    TMaintForm& form = showForm();
    TVxTable& looms = form.Data()->LoomSpec;
    const QString before = stored("select descr from loomspec order by ref").first();
    typeInto(form.LoomSpecGrid, 0, columnOf(form.LoomSpecGrid, "Descr"), "Changed");
    QCOMPARE(looms.State(), TVxDataSetState::Edit);
    QVERIFY(m_data->SchedDB.InTransaction());
    QVERIFY(!form.ExitButton->isEnabled());

    VxDialogScript script;
    clickTab(form, Warps);
    form.close();
    QCOMPARE(script.texts(VxMsgKind::Error), QStringList(2, "First save or cancel your edits"));
    QCOMPARE(form.PageCtrl->currentIndex(), int(Looms));
    QVERIFY(form.isVisible());
    QCOMPARE(looms.State(), TVxDataSetState::Edit);

    // Escape cancels the row; nothing was stored and the transaction is gone.
    form.LoomSpecGrid->setFocus();
    QTest::keyClick(form.LoomSpecGrid, Qt::Key_Escape);
    QCOMPARE(looms.State(), TVxDataSetState::Browse);
    QVERIFY(form.isVisible());
    QVERIFY(!m_data->SchedDB.InTransaction());
    QVERIFY(form.ExitButton->isEnabled());
    QCOMPARE(stored("select descr from loomspec order by ref").first(), before);
    clickTab(form, Warps);
    QCOMPARE(form.PageCtrl->currentIndex(), int(Warps));
    QCOMPARE(script.messages.size(), 2);
}

void TstMaint::typedInputRefusedThenCorrected_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sqliteText");
    QTest::addColumn<QString>("pgText");
    QTest::addColumn<QString>("corrected");
    QTest::addColumn<QString>("check"); // reads the corrected value back
    QTest::newRow("letter in a whole number") << int(Looms) << "Position"
                                              << "1O1"
                                              << "Position: \"1O1\" is not a whole number"
                                              << "Position: \"1O1\" is not a whole number"
                                              << "111"
                                              << "select posn from loomspec where posn = 111";
    QTest::newRow("code longer than its column")
        << int(Warps) << "Type"
        << "AB"
        << "Type: \"AB\" is longer than 1 character"
        << "Type: \"AB\" is longer than 1 character"
        << "Q"
        << "select warptype from warptype where warptype = 'Q'";
    QTest::newRow("empty required column") << int(Looms) << "Descr"
                                           << ""
                                           << "Descr must not be empty"
                                           << "Descr must not be empty"
                                           << "Renamed"
                                           << "select descr from loomspec where descr = 'Renamed'";
    QTest::newRow("letter in a decimal")
        << int(Fabrics) << "Hrs/Pce"
        << "1.5h"
        << "Hrs/Pce: \"1.5h\" is not a number"
        << "Hrs/Pce: \"1.5h\" is not a number"
        << "1.75"
        << "select hrsperpiece from fabrictype where hrsperpiece = 1.75";
}

// The row stays in editing with what was typed; the corrected row posts in
// the same transaction, which then commits.
void TstMaint::typedInputRefusedThenCorrected() {
    QFETCH(int, page);
    QFETCH(QString, column);
    QFETCH(QString, typed);
    QFETCH(QString, sqliteText);
    QFETCH(QString, pgText);
    QFETCH(QString, corrected);
    QFETCH(QString, check);
    TMaintForm& form = showForm();
    clickTab(form, page);
    TVxDBGrid* grid = pageGrid(form, page);
    const int c = columnOf(grid, column);
    auto* table = dynamic_cast<TVxTable*>(form.PageSource(page)->DataSet());
    const int rows = table->RecordCount();

    typeInto(grid, 0, c, typed);
    VxDialogScript script;
    clickNav(form.EditButtons, TVxNavButton::Post);
    QCOMPARE(script.messages.size(), 1);
    QCOMPARE(script.messages[0].kind, VxMsgKind::Error);
    QVERIFY2(script.messages[0].text.contains(pg() ? pgText : sqliteText),
             qPrintable(script.messages[0].text));
    QCOMPARE(table->State(), TVxDataSetState::Edit);
    QCOMPARE(grid->model()->index(0, c).data().toString(), typed);
    QVERIFY(m_data->SchedDB.InTransaction());
    QVERIFY(!form.ExitButton->isEnabled());

    typeInto(grid, 0, c, corrected);
    clickNav(form.EditButtons, TVxNavButton::Post);
    QCOMPARE(script.messages.size(), 1);
    QCOMPARE(table->State(), TVxDataSetState::Browse);
    QVERIFY(!m_data->SchedDB.InTransaction());
    QVERIFY(form.ExitButton->isEnabled());
    QCOMPARE(table->RecordCount(), rows);
    QCOMPARE(stored(check).size(), 1);
}

// One row typed, edited or deleted through the grid, then the window
// closed: what was said, and what the database holds afterwards. Three
// stored scenarios have jobs on loom 101 (L01, "R01 190cm").
void TstMaint::referenceIntegrity_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("key");       // the row edited or deleted; empty: a new row
    QTest::addColumn<QStringList>("typed"); // "Title=text" per cell; empty: delete the row
    QTest::addColumn<int>("answer");        // to the question asked, if any
    QTest::addColumn<QStringList>("said");
    QTest::addColumn<QStringList>("check"); // a query, and its first value afterwards
    const QString used = "Loom L01 (R01 190cm) is used by 3 stored scenarios: ";
    const QString later = "New and changed reference data is used from the next start";
    const QStringList newLoom{"Ref=L15", "Position=150", "Type=RAPIER", "Descr=R15"};
    auto with = [](QStringList cells, const QString& cell) {
        cells[cells.indexOf(QRegularExpression("^" + cell.section('=', 0, 0) + "=.*"))] = cell;
        return cells;
    };
    QTest::newRow("a new loom on R01's position")
        << int(Looms) << "" << with(newLoom, "Position=101") << 0
        << QStringList{"Position 101 is already used by loom L01 (R01 190cm)"}
        << QStringList{"select count(*) from loomspec where posn = 101", "1"};
    QTest::newRow("a new loom with R01's Ref")
        << int(Looms) << "" << with(newLoom, "Ref=L01") << 0
        << QStringList{"Ref L01 is already used by the loom at position 101 (R01 190cm)"}
        << QStringList{"select count(*) from loomspec where ref = 'L01'", "1"};
    QTest::newRow("R01 renumbered while scenarios use it")
        << int(Looms) << "L01" << QStringList{"Position=110"} << 0
        << QStringList{used + "its position 101 cannot change while they hold jobs on it"}
        << QStringList{"select posn from loomspec where ref = 'L01'", "101"};
    QTest::newRow("R02 renumbered: no stored jobs")
        << int(Looms) << "L02" << QStringList{"Position=110"} << 0 << QStringList{later}
        << QStringList{"select posn from loomspec where ref = 'L02'", "110"};
    QTest::newRow("R01 deleted while scenarios use it")
        << int(Looms) << "L01" << QStringList{} << int(QMessageBox::Yes)
        << QStringList{"Delete record?", used + "it cannot be deleted while they hold jobs on it"}
        << QStringList{"select count(*) from loomspec where ref = 'L01'", "1"};
    const QString rapire = "No loom has the type RAPIRE yet, and no fabric structure can go on "
                           "it. Enter RAPIRE as a new loom type?";
    QTest::newRow("a mistyped loom type, not meant")
        << int(Looms) << "" << with(newLoom, "Type=RAPIRE") << int(QMessageBox::No)
        << QStringList{rapire}
        << QStringList{"select count(*) from loomspec where type = 'RAPIRE'", "0"};
    QTest::newRow("a loom type in small letters takes the list's spelling")
        << int(Looms) << "" << with(newLoom, "Type=rapier") << 0 << QStringList{later}
        << QStringList{"select type from loomspec where ref = 'L15'", "RAPIER"};
    QTest::newRow("a greige percentage of 250")
        << int(Warps) << "A" << QStringList{"Wastage=250"} << 0
        << QStringList{"Wastage: 250 is out of range (1 to 100)"}
        << QStringList{"select greigelenpercent from warptype where warptype = 'A'", "95"};
    QTest::newRow("a fabric on warp type Q")
        << int(Fabrics) << ""
        << QStringList{"Stru=P",      "Colour=009",   "Warp Type=Q",  "Warp Col=WHT",
                       "Weft Stru=C", "Weft Twist=Z", "Weft Col=WHT", "Piece Len=60"}
        << 0
        << QStringList{"Warp Type: there is no warp type Q. The warp types are A, B, C, D, E, F; "
                       "add a new one on the Warps page first."}
        << QStringList{"select count(*) from fabrictype where fabriccol = '009'", "0"};
}

void TstMaint::referenceIntegrity() {
    QFETCH(int, page);
    QFETCH(QString, key);
    QFETCH(QStringList, typed);
    QFETCH(int, answer);
    QFETCH(QStringList, said);
    QFETCH(QStringList, check);
    {
        QSqlQuery q(admin(m_database));
        for (int scenario = 1; scenario <= 3; ++scenario)
            QVERIFY(q.exec(QString("insert into scenario values (%1, 'Plan %1')").arg(scenario)) &&
                    q.exec(QString("insert into reedjob (scenariono, loomno, jobno, placeno, "
                                   "totalends, dentspercm) values (%1, 101, 1, 0, 2400, 7.5)")
                               .arg(scenario)));
    }
    TMaintForm& form = showForm();
    clickTab(form, page);
    TVxDBGrid* grid = pageGrid(form, page);
    const int row = key.isEmpty() ? -1 : rowOf(grid, titles(grid).first(), key);
    VxDialogScript script;
    if (answer) script.answers.push_back(QMessageBox::StandardButton(answer));
    if (typed.isEmpty()) {
        clickCell(grid, row, 0);
        clickNav(form.EditButtons, TVxNavButton::Delete);
    } else {
        if (key.isEmpty()) clickNav(form.EditButtons, TVxNavButton::Insert);
        for (const QString& cell : typed)
            typeInto(grid, key.isEmpty() ? grid->model()->rowCount() - 1 : row,
                     columnOf(grid, cell.section('=', 0, 0)), cell.section('=', 1));
        clickNav(form.EditButtons, TVxNavButton::Post);
    }
    if (!form.ExitButton->isEnabled()) clickNav(form.EditButtons, TVxNavButton::Cancel);
    QTest::mouseClick(form.ExitButton, Qt::LeftButton);
    QCOMPARE(script.texts(), said);
    QCOMPARE(stored(check[0]).value(0), check[1]);
}

void TstMaint::insertCancelAndDeleteWithKeys() {
    TMaintForm& form = showForm();
    clickTab(form, Downtimes);
    TVxDBGrid* grid = form.DBGrid4;
    TVxTable& kinds = form.Data()->DowntimeType;
    const int rows = kinds.RecordCount();
    grid->setFocus();

    // Insert adds a row after the last; Escape takes it away again.
    QTest::keyClick(grid, Qt::Key_Insert);
    QCOMPARE(kinds.State(), TVxDataSetState::Insert);
    QCOMPARE(grid->model()->rowCount(), rows + 1);
    QCOMPARE(grid->currentIndex().row(), rows);
    QVERIFY(m_data->SchedDB.InTransaction());
    QVERIFY(form.EditButtons->Button(TVxNavButton::Post)->isEnabled());
    QVERIFY(!form.EditButtons->Button(TVxNavButton::Delete)->isEnabled());
    QTest::keyClick(grid, Qt::Key_Escape);
    QCOMPARE(kinds.State(), TVxDataSetState::Browse);
    QCOMPARE(grid->model()->rowCount(), rows);
    QVERIFY(!m_data->SchedDB.InTransaction());

    // Typing into the new row; leaving it for another row posts it.
    QTest::keyClick(grid, Qt::Key_Insert);
    typeInto(grid, rows, 0, "Monsoon");
    clickCell(grid, 0, 0);
    QCOMPARE(kinds.State(), TVxDataSetState::Browse);
    QVERIFY(!m_data->SchedDB.InTransaction());
    QVERIFY(stored("select descr from downtimetype").contains("Monsoon"));

    // Ctrl+Delete asks first; No keeps the row, Yes deletes it.
    const int row = rowOf(grid, "Descr", "Monsoon");
    clickCell(grid, row, 0);
    VxDialogScript script;
    script.answers = {QMessageBox::No, QMessageBox::Yes};
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(kinds.RecordCount(), rows + 1);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(script.texts(VxMsgKind::Confirmation), QStringList(2, "Delete record?"));
    QCOMPARE(kinds.RecordCount(), rows);
    QVERIFY(!stored("select descr from downtimetype").contains("Monsoon"));

    // The navigator's delete asks the same.
    script.answers = {QMessageBox::No};
    clickNav(form.EditButtons, TVxNavButton::Delete);
    QCOMPARE(script.messages.size(), 3);
    QCOMPARE(kinds.RecordCount(), rows);
}

void TstMaint::fabricLoomAddAndRemove() {
    TMaintForm& form = showForm();
    clickTab(form, StruLoom);
    TMaintData& data = *form.Data();
    QVERIFY(!form.AddButton->isEnabled());
    QVERIFY(!form.RemoveButton->isEnabled());

    struct Pick {
        QString stru, type;
        bool combined;
    };
    for (const Pick& pick : {Pick{"P", "AIRJET", true}, Pick{"DB", "AIRJET", false},
                             Pick{"TW", "RAPIER", true}, Pick{"OX", "RAPIER", false}}) {
        clickCell(form.LoomTypeGrid, rowOf(form.LoomTypeGrid, "Loom Type", pick.type), 0);
        clickCell(form.FabricStruGrid, rowOf(form.FabricStruGrid, "Fabric Stru", pick.stru), 0);
        QCOMPARE(form.NavButtons->DataSource(), form.FabricStruSource);
        QCOMPARE(form.AddButton->isEnabled(), !pick.combined);
        QCOMPARE(form.RemoveButton->isEnabled(), pick.combined);
        QCOMPARE(form.StruLoomHighlighted(), pick.combined);
        if (pick.combined) {
            QCOMPARE(data.StruLoom.AsString("FABRICSTRU"), pick.stru);
            QCOMPARE(data.StruLoom.AsString("LOOMTYPE"), pick.type);
            QCOMPARE(form.StruLoomGrid->currentIndex().row(), data.StruLoom.RecNo());
        }
    }

    // OX on RAPIER is new: Add stores it and shows it as the current pair.
    QTest::mouseClick(form.AddButton, Qt::LeftButton);
    QVERIFY(!form.AddButton->isEnabled());
    QVERIFY(form.RemoveButton->isEnabled());
    QCOMPARE(data.StruLoom.AsString("FABRICSTRU"), QString("OX"));
    QCOMPARE(data.StruLoom.AsString("LOOMTYPE"), QString("RAPIER"));
    QCOMPARE(data.FabricStruQuery.AsString("FABRICSTRU"), QString("OX"));
    QCOMPARE(data.LoomTypeQuery.AsString("TYPE"), QString("RAPIER"));
    QCOMPARE(form.NavButtons->DataSource(), form.StruLoomSource);
    QVERIFY(form.StruLoomHighlighted());
    QVERIFY(!m_data->SchedDB.InTransaction());
    QCOMPARE(
        stored("select fabricstru from struloom where loomtype = 'RAPIER' and fabricstru = 'OX'"),
        QStringList{"OX"});

    // Remove asks first; No keeps the pair, Yes deletes it.
    VxDialogScript script;
    script.answers = {QMessageBox::No, QMessageBox::Yes};
    QTest::mouseClick(form.RemoveButton, Qt::LeftButton);
    const QString oxOnRapier =
        "select fabricstru from struloom where loomtype = 'RAPIER' and fabricstru = 'OX'";
    QCOMPARE(stored(oxOnRapier).size(), 1);
    QTest::mouseClick(form.RemoveButton, Qt::LeftButton);
    QCOMPARE(script.texts(VxMsgKind::Confirmation),
             QStringList(2, "Delete this fabric:loom combination?"));
    QCOMPARE(stored(oxOnRapier).size(), 0);
    QCOMPARE(stored("select loomtype from struloom where fabricstru = 'OX' order by loomtype"),
             (QStringList{"AIRJET", "PROJECTILE"}));

    QTest::mouseClick(form.HelpButton, Qt::LeftButton);
    QCOMPARE(script.texts(VxMsgKind::Information).value(0).split('\n'),
             (QStringList{"Specify what fabric structures can go on a loom type by adding the "
                          "combinations.",
                          "Note that the add button is only enabled when a combination does not "
                          "already exist (when it is not highlighted).",
                          "Tip: To see which fabrics are not defined for a loom type, select "
                          "that loom type and scroll through the available fabric structures."}));
}

// A pair stored meanwhile by someone else is refused with the engine's
// message; no half-inserted row locks the page.
void TstMaint::refusedCombinationLeavesNoRowBehind() {
    TMaintForm& form = showForm();
    clickTab(form, StruLoom);
    clickCell(form.LoomTypeGrid, rowOf(form.LoomTypeGrid, "Loom Type", "AIRJET"), 0);
    clickCell(form.FabricStruGrid, rowOf(form.FabricStruGrid, "Fabric Stru", "DB"), 0);
    QVERIFY(form.AddButton->isEnabled());
    QSqlQuery q(admin(m_database));
    QVERIFY(q.exec("insert into struloom (fabricstru, loomtype) values ('DB', 'AIRJET')"));

    VxDialogScript script;
    QTest::mouseClick(form.AddButton, Qt::LeftButton);
    QCOMPARE(script.messages.size(), 1);
    QVERIFY2(script.messages[0].text.contains(pg() ? "duplicate key" : "UNIQUE constraint"),
             qPrintable(script.messages[0].text));
    QCOMPARE(form.Data()->StruLoom.State(), TVxDataSetState::Browse);
    QVERIFY(!m_data->SchedDB.InTransaction());
    QVERIFY(form.ExitButton->isEnabled());
    clickTab(form, Looms);
    QCOMPARE(form.PageCtrl->currentIndex(), int(Looms));
    QCOMPARE(script.messages.size(), 1);
}

void TstMaint::newWarpTypeInThePickList() {
    TMaintForm& form = showForm();
    clickTab(form, Fabrics);
    QCOMPARE(form.FabricsGrid->PickList("WARPTYPE"), (QStringList{"A", "B", "C", "D", "E", "F"}));
    clickTab(form, Warps);
    TVxDBGrid* grid = form.WarpTypeGrid;
    clickNav(form.EditButtons, TVxNavButton::Insert);
    const int row = grid->model()->rowCount() - 1;
    typeInto(grid, row, columnOf(grid, "Type"), "G");
    typeInto(grid, row, columnOf(grid, "Ends"), "2400");
    clickNav(form.EditButtons, TVxNavButton::Post);
    QVERIFY(!m_data->SchedDB.InTransaction());
    QCOMPARE(stored("select totalends from warptype where warptype = 'G'"), QStringList{"2400"});

    clickTab(form, Fabrics);
    QCOMPARE(form.FabricsGrid->PickList("WARPTYPE"),
             (QStringList{"A", "B", "C", "D", "E", "F", "G"}));
    // The Warp Type cell edits with a drop-down of the codes.
    clickCell(form.FabricsGrid, 0, columnOf(form.FabricsGrid, "Warp Type"));
    QTest::keyClick(form.FabricsGrid, Qt::Key_Return);
    auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
    QVERIFY(combo);
    QCOMPARE(combo->count(), 7);
    QCOMPARE(combo->itemText(6), QString("G"));
}

// Loom, warp, fabric and compatibility edits reach the planner at its next
// start; the open main window keeps what it read.
void TstMaint::mainWindowKeepsItsDataUntilRestart() {
    m_data.reset(); // the main window opens its own connection
    auto start = [this] {
        auto windows = std::make_unique<TAppWindows>();
        windows->MainForm->Session = std::make_unique<TVxDbSession>(m_aliasFile);
        VxDialogScript script;
        script.dialogs.push_back(
            chooseMode(pg() ? &TModeForm::ServerRadio : &TModeForm::LocalRadio));
        scriptLogin(script);
        windows->MainForm->FormShow();
        return windows;
    };
    auto windows = start();
    TMainForm& main = *windows->MainForm;
    QVERIFY(main.Connected());
    const int looms = main.ScheduleBox->ScheduleCount();
    QVERIFY(!main.WarpInfos.Contains("G"));

    VxDialogScript script;
    script.dialogs.push_back([&](QDialog* dialog) {
        auto* form = qobject_cast<TMaintForm*>(dialog);
        if (!form) return int(QDialog::Rejected);
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form)) qWarning("maintenance window not active");
        TMaintData& d = *form->Data();
        d.LoomSpec.Insert();
        d.LoomSpec.SetAsString("REF", "L99");
        d.LoomSpec.SetAsString("POSN", "199");
        d.LoomSpec.SetAsString("TYPE", "RAPIER");
        d.LoomSpec.SetAsString("DESCR", "R99 new");
        d.LoomSpec.Post();
        clickTab(*form, Warps);
        d.WarpType.Insert();
        for (auto [f, v] : {std::pair{"WARPTYPE", "G"}, {"TOTALENDS", "2400"}, {"WARPLEN", "3000"}})
            d.WarpType.SetAsString(f, v);
        d.WarpType.Post();
        clickTab(*form, Fabrics);
        d.FabricType.Insert();
        for (auto [f, v] : {std::pair{"FABRICSTRU", "Z"},
                            {"FABRICCOL", "001"},
                            {"WARPTYPE", "G"},
                            {"WARPCOL", "WHT"},
                            {"WEFTSTRU", "C20"},
                            {"WEFTTWIST", "S"},
                            {"WEFTCOL", "RED"},
                            {"PIECELEN", "50"}})
            d.FabricType.SetAsString(f, v);
        d.FabricType.Post();
        clickTab(*form, StruLoom);
        clickCell(form->LoomTypeGrid, rowOf(form->LoomTypeGrid, "Loom Type", "RAPIER"), 0);
        clickCell(form->FabricStruGrid, rowOf(form->FabricStruGrid, "Fabric Stru", "Z"), 0);
        QTest::mouseClick(form->AddButton, Qt::LeftButton);
        QTest::mouseClick(form->ExitButton, Qt::LeftButton);
        return -1;
    });
    script.answers.push_back(QMessageBox::Yes); // Z is meant as a new structure
    QTest::mouseClick(main.MaintButton, Qt::LeftButton);
    QCOMPARE(script.dialogTitles, QStringList{"Data Maintenance"});
    QCOMPARE(script.texts(),
             (QStringList{"No fabric has the structure Z yet. Enter Z as a new fabric structure?",
                          "New and changed reference data is used from the next start"}));
    QCOMPARE(main.ScheduleBox->ScheduleCount(), looms);
    QVERIFY(!main.WarpInfos.Contains("G"));
    QVERIFY(!main.LoomTypes.Object(main.LoomTypes.IndexOf("RAPIER"))->Contains("G-WHT"));

    windows.reset();
    windows = start();
    TMainForm& again = *windows->MainForm;
    QCOMPARE(again.ScheduleBox->ScheduleCount(), looms + 1);
    QCOMPARE(again.ScheduleBox->Schedules(looms)->Header(), QString("R99 new : RAPIER"));
    TFabricList* fabrics = again.LoomTypes.Object(again.LoomTypes.IndexOf("RAPIER"))->Find("G-WHT");
    QVERIFY(fabrics);
    QVERIFY(fabrics->Contains("Z001 : RED"));
    QVERIFY(again.WarpInfos.Contains("G"));
}

QTEST_MAIN(TstMaint)
#include "tst_maint.moc"
