// SPDX-License-Identifier: GPL-3.0-or-later
// Save, clear and load of the board on the sample data, in Local mode on an
// SQLite file and in Server mode on the PostgreSQL test server, with every
// question and dialog scripted.

#include "AppWindows.h"
#include "LoadForm.h"
#include "MainForm.h"
#include "ModeForm.h"
#include "PlanBuild.h"
#include "SaveForm.h"
#include "ScenarioGrid.h"
#include "ScenarioSession.h"
#include "ShowPlan.h"
#include "VxDialogDriving.h"
#include "VxDialogs.h"
#include "VxScratchDb.h"

#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <csignal>

using namespace planbuild;
Q_DECLARE_METATYPE(QList<int>)

namespace {
const double kMon = 46000;
const QString kCaption = QStringLiteral("Demo: Plexiweave Scheduler");

// Downtime, reed, warp, reed, warp on the first loom (each warp under its
// own reed, fabric of its warp type), a reed and warp on the second.
TVxPlan samplePlan() {
    return plan({loom(101, {downtime(1, "Planned maintenance", kMon, kMon + 1),
                            reed(2, 2400, kMon + 1, kMon + 1),
                            warp(3, "A", "WHT", 3000, kMon + 1, kMon + 6,
                                 {item(1, "P", "001", "WHT", 3), item(2, "P", "002", "NAT", 1)}),
                            reed(4, 2640, kMon + 6, kMon + 6),
                            warp(5, "C", "BLU", 4000, kMon + 6, kMon + 12,
                                 {item(3, "T", "010", "WHT", 2)})}),
                 loom(102, {reed(6, 2400, kMon, kMon), warp(7, "B", "WHT", 2500, kMon, kMon + 4,
                                                            {item(4, "T", "001", "WHT", 1)})})},
                8, 5);
}

std::function<int(QDialog*)> chooseMode(QRadioButton* TModeForm::*radio) {
    return [radio](QDialog* dialog) {
        auto* form = qobject_cast<TModeForm*>(dialog);
        if (!form) return int(QDialog::Rejected);
        QTest::mouseClick(form->*radio, Qt::LeftButton, {},
                          QPoint(8, (form->*radio)->height() / 2));
        QTest::mouseClick(form->OKButton, Qt::LeftButton);
        return -1;
    };
}

// Types a number (empty: keeps the proposal) and presses OK.
std::function<int(QDialog*)> saveAs(const QString& number) {
    return [=](QDialog* dialog) {
        auto* form = qobject_cast<TSaveForm*>(dialog);
        if (!form) return int(QDialog::Rejected);
        if (!number.isEmpty()) {
            form->NumberEdit->selectAll();
            QTest::keyClicks(form->NumberEdit, number);
        }
        QTest::mouseClick(form->OKButton, Qt::LeftButton);
        return -1;
    };
}

// Picks the row of the scenario number and presses OK.
std::function<int(QDialog*)> loadNumber(int number) {
    return [=](QDialog* dialog) {
        auto* form = qobject_cast<TLoadForm*>(dialog);
        if (!form || !form->ScenarioGrid->SelectScenario(number)) return int(QDialog::Rejected);
        QTest::mouseClick(form->OKButton, Qt::LeftButton);
        return -1;
    };
}

std::function<int(QDialog*)> cancel() {
    return [](QDialog*) { return int(QDialog::Rejected); };
}

QStringList footers(const TMainForm& main) {
    QStringList list;
    for (int i = 0; i < main.ScheduleBox->ScheduleCount(); ++i)
        list << main.ScheduleBox->Schedules(i)->Footer();
    return list;
}
} // namespace

class TstScenarios : public QObject {
    Q_OBJECT

    std::unique_ptr<vxtest::TScratchDb> m_db;
    std::unique_ptr<TAppWindows> m_windows;
    TMainForm* m_main = nullptr;
    QTemporaryDir m_tmp;

    bool pg() const {
        QFETCH_GLOBAL(bool, postgres);
        return postgres;
    }

    // Starts the program on the scratch database through the alias, in
    // Local mode (SQLite) or Server mode (PostgreSQL).
    void startUp() {
        const QString aliases = m_tmp.filePath("aliases.ini");
        m_db->WriteAliasFile(aliases);
        m_windows = std::make_unique<TAppWindows>();
        m_main = m_windows->MainForm.get();
        m_main->Session = std::make_unique<TVxDbSession>(aliases);
        VxDialogScript script;
        script.dialogs.push_back(
            chooseMode(pg() ? &TModeForm::ServerRadio : &TModeForm::LocalRadio));
        if (pg())
            script.dialogs.push_back(vxtest::loginDriver(vxtest::env("PLEXIWEAVE_PG_PASSWORD")));
        m_main->FormShow();
        QVERIFY2(m_main->Connected(), qPrintable(script.texts().join("; ")));
    }

    // The sample plan on the board as a planner's unsaved work.
    void buildPlan() {
        showPlan(m_main, samplePlan());
        m_main->Document->undoStack()->resetClean();
        m_main->SaveButton->setEnabled(true);
        m_main->ClearButton->setEnabled(true);
    }

    void save(const QString& number, QList<QMessageBox::StandardButton> answers = {}) {
        VxDialogScript script;
        script.dialogs.push_back(saveAs(number));
        script.answers.assign(answers.begin(), answers.end());
        m_main->SaveButtonClick();
    }

    TScenarioStore store() const { return TScenarioStore(m_db->Db()); }

private slots:
    void initTestCase_data() {
        QTest::addColumn<bool>("postgres");
        QTest::newRow("local") << false;
        QTest::newRow("server") << true;
    }
    void init() {
        if (pg() && !vxtest::pgConfigured())
            QSKIP("No PostgreSQL test server: PLEXIWEAVE_PG_* are not set");
        m_db = std::make_unique<vxtest::TScratchDb>(pg());
        QVERIFY2(m_db->Error().isEmpty(), qPrintable(m_db->Error()));
        startUp();
    }
    void cleanup() {
        m_windows.reset();
        m_main = nullptr;
        m_db.reset();
    }

    void saveClearLoadShowsTheSameBoard();
    void overwriteLeavesOneSetOfRows();
    void loadAsksFirstToSave_data();
    void loadAsksFirstToSave();
    void failedSaveKeepsTheState();
    void loadNamesJobsWithoutTheirLoom();
    void serverFaultKeepsTheBoard_data();
    void serverFaultKeepsTheBoard();
};

void TstScenarios::saveClearLoadShowsTheSameBoard() {
    buildPlan();
    const TVxPlan before = m_main->Document->plan();
    const QStringList footersBefore = footers(*m_main);
    save(QString());
    QCOMPARE(m_main->windowTitle(), kCaption + " - Scenario 1");
    QVERIFY(!m_main->Modified());
    QVERIFY(m_main->ReqmtsButton->isEnabled());
    QVERIFY(m_main->OutputButton->isEnabled());
    QCOMPARE(m_main->Scenarios->CurrentScenarioNo(), std::optional<int>(1));

    {
        VxDialogScript script;
        script.answers.push_back(QMessageBox::Yes);
        m_main->ClearButtonClick();
        QCOMPARE(script.texts(), QStringList{"Clear all jobs?"});
    }
    QCOMPARE(m_main->windowTitle(), kCaption);
    QCOMPARE(m_main->Document->plan().JobCount(), 0);
    QCOMPARE(store().Load(1, {101, 102}).JobCount(), before.JobCount()); // stored data untouched
    QVERIFY(!m_main->ReqmtsButton->isEnabled());

    // Undoing the clear gives back the stored scenario, linked as it was;
    // redoing it clears the link again.
    for (int round = 0; round < 2; ++round) {
        m_main->UndoButtonClick();
        QCOMPARE(m_main->windowTitle(), kCaption + " - Scenario 1");
        QCOMPARE(m_main->Document->plan().Looms, before.Looms);
        QVERIFY(!m_main->Modified());
        QVERIFY(m_main->ReqmtsButton->isEnabled() && m_main->OutputButton->isEnabled());
        m_main->RedoButtonClick();
        QCOMPARE(m_main->windowTitle(), kCaption);
        QVERIFY(!m_main->Modified());
        QVERIFY(!m_main->ReqmtsButton->isEnabled() && !m_main->OutputButton->isEnabled());
    }

    // Nothing to save after a clear: no question, straight to the list.
    VxDialogScript script;
    script.dialogs.push_back(loadNumber(1));
    m_main->LoadButtonClick();
    QCOMPARE(script.texts(), QStringList{});
    QCOMPARE(script.dialogTitles, QStringList{"Load Scenario"});
    QCOMPARE(m_main->windowTitle(), kCaption + " - Scenario 1");
    TVxPlan after = m_main->Document->plan();
    QCOMPARE(after.Looms, before.Looms);
    QCOMPARE(footers(*m_main), footersBefore);
    QCOMPARE(m_main->Document->plan().NextJobNo, 8);
    QCOMPARE(m_main->Document->plan().NextItemNo, 5);
    QVERIFY(!m_main->Modified());
    for (QToolButton* b : {m_main->SaveButton, m_main->ClearButton, m_main->PrintButton,
                           m_main->ReqmtsButton, m_main->OutputButton})
        QVERIFY2(b->isEnabled(), qPrintable(b->text()));

    // Deleted in the load dialog, the scenario leaves the board unlinked.
    script.answers.push_back(QMessageBox::Yes);
    script.dialogs.push_back([](QDialog* d) {
        QTest::keyClick(static_cast<TLoadForm*>(d)->ScenarioGrid, Qt::Key_Delete);
        return int(QDialog::Rejected);
    });
    m_main->LoadButtonClick();
    QCOMPARE(script.messages.value(0).defaultButton, QMessageBox::No);
    QVERIFY(store().List().isEmpty());
    QCOMPARE(m_main->windowTitle(), kCaption);
    QVERIFY(!m_main->ReqmtsButton->isEnabled() && m_main->Modified());
}

void TstScenarios::overwriteLeavesOneSetOfRows() {
    buildPlan();
    save(QString());
    const int rows = m_db->Count("select count(*) from weaveitem") +
                     m_db->Count("select count(*) from weavejob");
    m_main->Document->undoStack()->resetClean();
    // The stored number again: the stored description comes back with the
    // overwrite question.
    save("1", {QMessageBox::Yes});
    QCOMPARE(m_db->Count("select count(*) from weaveitem") +
                 m_db->Count("select count(*) from weavejob"),
             rows);
    QCOMPARE(store().List(), (QVector<TScenarioInfo>{{1, "Scenario 1"}}));
    QVERIFY(!m_main->Modified());
}

void TstScenarios::loadAsksFirstToSave_data() {
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<bool>("saveCancelled");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<int>("stored");

    QTest::newRow("Cancel: nothing") << QList<int>{QMessageBox::Cancel} << false << false << 1;
    QTest::newRow("No: loaded without saving") << QList<int>{QMessageBox::No} << false << true << 1;
    QTest::newRow("Yes: saved, then loaded") << QList<int>{QMessageBox::Yes} << false << true << 2;
    QTest::newRow("Yes, but the save is cancelled: the board stays")
        << QList<int>{QMessageBox::Yes} << true << false << 1;
}

void TstScenarios::loadAsksFirstToSave() {
    QFETCH(QList<int>, answers);
    QFETCH(bool, saveCancelled);
    QFETCH(bool, loaded);
    QFETCH(int, stored);
    store().Save(1, "Stored", plan({loom(101, {reed(1, 2400, kMon, kMon)})}, 2, 1),
                 TScenarioSaveMode::New);
    buildPlan();
    m_main->LoadButton->setEnabled(true);

    VxDialogScript script;
    for (int a : answers)
        script.answers.push_back(QMessageBox::StandardButton(a));
    if (answers.first() == QMessageBox::Yes)
        script.dialogs.push_back(saveCancelled ? cancel() : saveAs(QString()));
    script.dialogs.push_back(loadNumber(1));
    m_main->LoadButtonClick();

    QCOMPARE(script.texts().value(0), QString("Do you want to first save the current scenario?"));
    QCOMPARE(store().List().size(), stored);
    QCOMPARE(m_main->Document->plan().JobCount(), loaded ? 1 : samplePlan().JobCount());
    QCOMPARE(m_main->Modified(), !loaded && answers.first() != QMessageBox::No);
    QCOMPARE(m_main->windowTitle(), loaded ? kCaption + " - Stored" : kCaption);
}

void TstScenarios::failedSaveKeepsTheState() {
    buildPlan();
    // A second warp numbered as the first is refused by the table's key.
    TVxPlan clash = samplePlan();
    clash.Looms[1].Jobs[1].JobNo = 3;
    showPlan(m_main, clash);
    m_main->Document->undoStack()->resetClean();
    VxDialogScript script;
    script.dialogs.push_back(saveAs(QString()));
    m_main->SaveButtonClick();
    QCOMPARE(script.texts(VxMsgKind::Error).size(), 1);
    QVERIFY(!script.texts(VxMsgKind::Error).first().isEmpty());
    QVERIFY(store().List().isEmpty());
    QCOMPARE(m_main->windowTitle(), kCaption);
    QVERIFY(m_main->Modified());
    QVERIFY(!m_main->ReqmtsButton->isEnabled());
    const TVxPlan board = m_main->Document->plan();
    for (const TVxPlanLoom& loom : clash.Looms)
        QCOMPARE(board.Loom(loom.ScheduleNo)->Jobs, loom.Jobs);
}

// Jobs stored on loom numbers no loom has any more are not shown, and the
// planner is told how many and where.
void TstScenarios::loadNamesJobsWithoutTheirLoom() {
    store().Save(1, "Stored",
                 plan({loom(101, {reed(1, 2400, kMon, kMon)}),
                       loom(110, {downtime(2, "Breakdown repair", kMon, kMon + 1),
                                  reed(3, 2400, kMon + 1, kMon + 1),
                                  warp(4, "A", "WHT", 3000, kMon + 1, kMon + 3,
                                       {item(1, "P", "001", "WHT", 2)})}),
                       loom(999, {reed(5, 2640, kMon, kMon)})},
                      6, 2),
                 TScenarioSaveMode::New);
    VxDialogScript script;
    script.dialogs.push_back(loadNumber(1));
    m_main->LoadButtonClick();
    QCOMPARE(script.texts(VxMsgKind::Warning),
             QStringList{"3 jobs of this scenario are on loom 110, which no longer exists; they "
                         "were not loaded\n1 job of this scenario is on loom 999, which no "
                         "longer exists; it was not loaded\n\nThey stay stored: a loom given "
                         "that position again shows them."});
    QCOMPARE(m_main->Document->plan().JobCount(), 1);
    QCOMPARE(m_main->windowTitle(), kCaption + " - Stored");
}

// The database fails in the middle of the work: the planner is told in plain
// words what happened and what became of the board, the window keeps
// painting meanwhile, the board stays unsaved (closing asks) until a save
// goes through, and the save once the database is back does.
void TstScenarios::serverFaultKeepsTheBoard_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("told");
    const QString kept = "The board is kept: save it again once the server is back, or save "
                         "to the local database.";
    QTest::newRow("server restarted: opened again and saved")
        << "broken"
        << "The connection to the database server had broken (the server may have restarted). "
           "It was opened again, and the scenario is saved.";
    QTest::newRow("server unreachable")
        << "unreachable"
        << "The database server could not be reached, so the scenario was not saved.\n\n" + kept;
    QTest::newRow("server frozen") << "frozen"
                                   << "The database server did not answer within 2 seconds. The "
                                      "scenario was not saved.\n\n" +
                                          kept;
    QTest::newRow("server frozen: the planner cancels")
        << "frozen, cancel"
        << "Saving was cancelled: nothing was saved, the board is kept";
    QTest::newRow("file held by another planner")
        << "held"
        << "Another planner is saving to this database, and it stayed busy for longer than the "
           "planner waits. The scenario was not saved; the board is kept. Save it again in a "
           "moment.";
}

void TstScenarios::serverFaultKeepsTheBoard() {
    QFETCH(QString, fault);
    QFETCH(QString, told);
    if (pg() != (fault != "held")) QSKIP("A fault of the other engine");
    buildPlan();
    const TVxPlan board = m_main->Document->plan();
    // The planner's own database work so far, then the fault.
    QCOMPARE(m_main->Scenarios->Store()->List().size(), 0);
    QSqlDatabase admin = m_db->Db();
    // A database's connections are barred from another one.
    QSqlDatabase server =
        pg() ? vxtest::adminConnection(true, vxtest::env("PLEXIWEAVE_PG_DB")) : QSqlDatabase();
    QList<qint64> backends;
    QSqlQuery q(admin);
    if (pg()) {
        QVERIFY(q.exec(QString("select pid from pg_stat_activity where datname = '%1' and pid "
                               "<> pg_backend_pid()")
                           .arg(m_db->Name())));
        while (q.next())
            backends << q.value(0).toLongLong();
        QCOMPARE(backends.size(), 2); // the window's connection and its database thread's
    }
    bool resumed = false;
    const auto resume = [&] {
        if (std::exchange(resumed, true)) return;
        if (fault.startsWith("frozen"))
            for (qint64 pid : backends)
                ::kill(pid_t(pid), SIGCONT);
        if (fault == "unreachable")
            QSqlQuery(server).exec(
                QString("alter database %1 allow_connections true").arg(m_db->Name()));
        if (fault == "held") QSqlQuery(admin).exec("rollback");
    };
    const auto resumeOnFailure = qScopeGuard(resume);
    if (fault == "unreachable")
        QVERIFY(QSqlQuery(server).exec(
            QString("alter database %1 allow_connections false").arg(m_db->Name())));
    if (fault == "unreachable" || fault == "broken") {
        for (qint64 pid : backends)
            QVERIFY(q.exec(QString("select pg_terminate_backend(%1)").arg(pid)));
    } else if (fault.startsWith("frozen")) {
        m_main->Data->StoreThread().SetTimeLimitMs(2000);
        for (qint64 pid : backends)
            QCOMPARE(::kill(pid_t(pid), SIGSTOP), 0);
    } else {
        QVERIFY(q.exec("begin immediate"));
    }
    if (fault.endsWith("cancel"))
        QTimer::singleShot(1000, m_main, [this] {
            for (QProgressDialog* progress : m_main->findChildren<QProgressDialog*>())
                if (progress->isVisible()) progress->cancel();
        });

    int paints = 0;
    QTimer repaint;
    QObject::connect(&repaint, &QTimer::timeout, [&] {
        ++paints;
        m_main->ScheduleBox->viewport()->repaint();
    });
    repaint.start(100);
    {
        VxDialogScript script;
        script.dialogs.push_back(saveAs(QString()));
        QElapsedTimer clock;
        clock.start();
        m_main->SaveButtonClick();
        QVERIFY(clock.elapsed() < 15000);
        if (clock.elapsed() > 500) QVERIFY(paints > 0);
        const QStringList texts = script.texts();
        QCOMPARE(texts.isEmpty() ? m_main->statusBar()->currentMessage() : texts.join('\n'), told);
        if (!script.texts(VxMsgKind::Error).isEmpty())
            QVERIFY(!script.messages.last().details.isEmpty());
    }
    repaint.stop();
    if (fault != "broken") {
        QVERIFY(m_main->Modified());
        QCOMPARE(m_main->windowTitle(), kCaption);
        QCOMPARE(m_main->Document->plan().Looms, board.Looms);
        {
            VxDialogScript script; // closing asks, and No keeps the window
            script.answers.push_back(QMessageBox::No);
            m_main->show();
            QVERIFY(!m_main->close());
            QCOMPARE(script.texts(), QStringList{"Close without saving your changes?"});
        }
        resume();
        VxDialogScript script;
        script.dialogs.push_back(saveAs(QString()));
        m_main->SaveButtonClick();
        QCOMPARE(script.texts(VxMsgKind::Error), QStringList());
    }
    QVERIFY(!m_main->Modified());
    QCOMPARE(m_main->windowTitle(), kCaption + " - Scenario 1");
    const TVxPlan stored = store().Load(1, loomNos(board));
    for (int l = 0; l < board.Looms.size(); ++l)
        QCOMPARE(stored.Looms[l].Jobs, board.Looms[l].Jobs);
}

QTEST_MAIN(TstScenarios)
#include "tst_scenarios.moc"
