// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up in the two database modes: an SQLite file and the PostgreSQL test
// server (scripts/pg-test-server.sh; PLEXIWEAVE_PG_* name it), reached
// through a connection alias, with the login prompt scripted.

#include "AppWindows.h"
#include "BoardController.h"
#include "JobForm.h"
#include "LoginDlg.h"
#include "MainForm.h"
#include "ModeForm.h"
#include "SchedData.h"
#include "VxAboutForm.h"
#include "VxDialogDriving.h"
#include "VxDialogs.h"
#include "VxTestDb.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using vxtest::env;
using vxtest::pgConfigured;
using vxtest::sampleLines;

namespace {
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

} // namespace

class TestAppDb : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    int m_counter = 0;
    QString m_database; // file (SQLite) or database name (PostgreSQL)
    QString m_aliasFile;

    bool pg() const {
        QFETCH_GLOBAL(QString, engine);
        return engine == "postgres";
    }

    // A connection of the test's own, to look behind the planner's back.
    QSqlDatabase admin(const QString& database) { return vxtest::adminConnection(pg(), database); }

    void writeAliasFile() {
        m_aliasFile = m_tmp.filePath(QString("aliases%1.ini").arg(m_counter));
        vxtest::writeAliasFile(m_aliasFile, pg(), m_database, env("PLEXIWEAVE_PG_USER"));
    }

    // Prepares a main window whose session reads this test's alias file.
    std::unique_ptr<TAppWindows> windowsOnAlias() {
        auto windows = std::make_unique<TAppWindows>();
        windows->MainForm->Session = std::make_unique<TVxDbSession>(m_aliasFile);
        return windows;
    }

    // Local mode for SQLite (the alias is known already, so it is used),
    // Server mode with the right password for PostgreSQL.
    void scriptStartUp(VxDialogScript& script) {
        if (pg()) {
            script.dialogs.push_back(chooseMode(&TModeForm::ServerRadio));
            script.dialogs.push_back(vxtest::loginDriver(env("PLEXIWEAVE_PG_PASSWORD"), true));
            script.answers.push_back(QMessageBox::Yes); // create the planner tables
        } else {
            script.dialogs.push_back(chooseMode(&TModeForm::LocalRadio));
        }
    }

    static void verifyFailedStartUp(TMainForm& main) {
        QVERIFY(!main.StartedUp());
        QVERIFY(!main.LoadButton->isEnabled());
        QVERIFY(!main.MaintButton->isEnabled());
        QVERIFY(main.ExitButton->isEnabled());
        QVERIFY(!main.AboutForm->isVisible());
        QCOMPARE(main.AboutForm->windowTitle(), QString("About"));
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
        if (pg()) {
            if (!pgConfigured()) QSKIP(vxtest::NoPgServerReason);
            m_database = QString("plexiweave_app%1_%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(m_counter);
            const QString error = vxtest::createServerDatabase(m_database);
            QVERIFY2(error.isEmpty(), qPrintable(error));
        } else {
            m_database = m_tmp.filePath(QString("Shedwise%1.db").arg(m_counter));
        }
        writeAliasFile();
    }

    void cleanup() {
        vxtest::dropAdminConnection(m_database);
        if (pg() && pgConfigured()) vxtest::dropServerDatabase(m_database);
    }

    void startUpBuildsLoomsFromDatabase() {
        auto windows = windowsOnAlias();
        TMainForm& main = *windows->MainForm;
        VxDialogScript script;
        scriptStartUp(script);
        main.FormShow();

        QVERIFY2(script.messages.size() <= (pg() ? 1 : 0), qPrintable(script.texts().join("; ")));
        QVERIFY(main.Connected());
        QVERIFY(main.StartedUp());

        // One column per LOOMSPEC row in REF order: the sample file is in REF
        // order and seeded the table.
        const QStringList looms = sampleLines("LoomSpec.csv");
        QCOMPARE(main.ScheduleBox->ScheduleCount(), looms.size());
        for (int i = 0; i < looms.size(); ++i) {
            const QStringList f = looms[i].split(',');
            TVxJobSchedule* s = main.ScheduleBox->Schedules(i);
            QCOMPARE(s->ScheduleNo, f[1].toInt());
            QCOMPARE(s->Header(), f[3] + " : " + f[2]);
            QVERIFY(s->Tag >= 0);
            QCOMPARE(main.LoomTypes.Key(s->Tag), f[2]);
        }

        // Each total-ends value once, in warp type order as text mode lists
        // them; the default length as the database answers it.
        QSqlDatabase db = admin(m_database);
        QSqlQuery q(db);
        QStringList ends;
        for (const QString& line : sampleLines("WarpType.csv"))
            ends << line.section(',', 1, 1);
        ends.removeDuplicates();
        QStringList shown;
        for (int i = 0; i < windows->JobForm->EndsCombo->count(); ++i)
            shown << windows->JobForm->EndsCombo->itemText(i);
        QCOMPARE(shown, ends);
        QVERIFY(q.exec("select warplen from warptype"));
        QVERIFY(q.next());
        QCOMPARE(main.Controller->DefaultWarpLen, q.value(0).toInt());
        QVERIFY(main.Controller->DefaultWarpLen > 0);

        QVERIFY(main.LoadButton->isEnabled());
        QVERIFY(main.MaintButton->isEnabled());
        for (QToolButton* b : {main.SaveButton, main.ClearButton, main.PrintButton,
                               main.ReqmtsButton, main.OutputButton})
            QVERIFY2(!b->isEnabled(), qPrintable(b->text()));
        QVERIFY(!main.AboutForm->isVisible());
        QCOMPARE(main.AboutForm->windowTitle(), QString("About"));
        QVERIFY(main.DatabaseLabel->text().contains(pg() ? m_database
                                                         : QFileInfo(m_database).fileName()));
    }

    // The second start finds the tables filled and adds nothing; each
    // window closes its connection when it goes.
    void restartUsesTheStoredDataAndClosesTheConnection() {
        const QStringList before = QSqlDatabase::connectionNames();
        for (int run = 0; run < 2; ++run) {
            {
                auto windows = windowsOnAlias();
                VxDialogScript script;
                scriptStartUp(script);
                windows->MainForm->FormShow();
                QVERIFY(windows->MainForm->Connected());
                QCOMPARE(windows->MainForm->ScheduleBox->ScheduleCount(),
                         sampleLines("LoomSpec.csv").size());
            }
            QCOMPARE(QSqlDatabase::connectionNames(), before);
        }
    }

    void serverWithoutTablesAnsweredNo() {
        if (!pg()) QSKIP("An SQLite file gets its tables without a question");
        auto windows = windowsOnAlias();
        TMainForm& main = *windows->MainForm;
        VxDialogScript script;
        script.dialogs.push_back(chooseMode(&TModeForm::ServerRadio));
        script.dialogs.push_back(vxtest::loginDriver(env("PLEXIWEAVE_PG_PASSWORD"), true));
        script.answers.push_back(QMessageBox::No);
        main.FormShow();

        QCOMPARE(script.texts(VxMsgKind::Confirmation),
                 QStringList{"The database has no planner tables. Create them now?"});
        QVERIFY(script.texts(VxMsgKind::Error).isEmpty());
        verifyFailedStartUp(main);
        QCOMPARE(main.ScheduleBox->ScheduleCount(), 0);
        QVERIFY(admin(m_database).tables().isEmpty());
    }

    void serverLoginRefused_data() {
        QTest::addColumn<bool>("pressOk");
        QTest::addColumn<QString>("message");
        QTest::newRow("wrong password") << true << QString();
        QTest::newRow("cancel") << false << QString("Cannot connect to database 'Shedwise'");
    }

    void serverLoginRefused() {
        if (!pg()) QSKIP("An SQLite file has no login");
        QFETCH(bool, pressOk);
        QFETCH(QString, message);
        auto windows = windowsOnAlias();
        TMainForm& main = *windows->MainForm;
        VxDialogScript script;
        script.dialogs.push_back(chooseMode(&TModeForm::ServerRadio));
        bool splashShown = false;
        script.dialogs.push_back(vxtest::loginDriver("not-the-password", pressOk, [&] {
            splashShown = main.AboutForm->isVisible() && main.AboutForm->IsSplash();
        }));
        main.FormShow();

        QVERIFY(splashShown);
        const QStringList errors = script.texts(VxMsgKind::Error);
        QCOMPARE(errors.size(), 1);
        if (message.isEmpty())
            QVERIFY2(errors[0].contains("password", Qt::CaseInsensitive), qPrintable(errors[0]));
        else
            QCOMPARE(errors[0], message);
        QVERIFY(!main.Connected());
        verifyFailedStartUp(main);
        // The modes are offered again; the script cancels, so the program ends.
        QCOMPARE(script.dialogTitles.count("Scheduling Demo"), 2);
        QVERIFY(main.Terminated);
    }

    // The user's database file that cannot be written opens as it is, with
    // its scenarios, says so, and offers nothing that writes.
    void readOnlyLocalFileWarnsAndWritesNothing() {
        if (pg()) QSKIP("About the local file");
        {
            TVxDbSession session(m_aliasFile);
            TSchedData data(session);
            data.SchedDB.Open();
            data.OpenScenarioTables();
            data.Scenario.Insert();
            data.Scenario.SetAsInteger("SCENARIONO", 3);
            data.Scenario.SetAsString("DESCR", "Kept plan");
            data.Scenario.Post();
        }
        auto windows = std::make_unique<TAppWindows>();
        TMainForm& main = *windows->MainForm;
        main.Session = std::make_unique<TVxDbSession>(m_tmp.filePath("none.ini"));
        QVERIFY(DefineLocalAlias(*main.Session, TVxLocalDatabase{m_database, true}));
        VxDialogScript script;
        script.dialogs.push_back(chooseMode(&TModeForm::LocalRadio));
        main.FormShow();

        const QString file = QFileInfo(m_database).absoluteFilePath();
        QCOMPARE(script.texts(VxMsgKind::Warning),
                 QStringList{QString("The database file %1 cannot be written, so it is open "
                                     "read-only. Stored scenarios can be loaded, printed and "
                                     "reported on, but nothing can be saved and the data cannot "
                                     "be maintained.")
                                 .arg(file)});
        QCOMPARE(main.DatabaseLabel->text(), QString("Database: %1 (read-only)").arg(file));
        QVERIFY(main.Connected() && !main.CanWriteDatabase());
        QVERIFY(main.LoadButton->isEnabled());
        QVERIFY(!main.MaintButton->isEnabled());
        QVERIFY(!main.SaveButton->isEnabled());
        QCOMPARE(main.ScheduleBox->ScheduleCount(), int(sampleLines("LoomSpec.csv").size()));
        QCOMPARE(main.Data->Scenario.RecordCount(), 1);
        QCOMPARE(main.Data->Scenario.AsString("DESCR"), QString("Kept plan"));
    }

    void unusableDatabaseFileFailsCleanly() {
        if (pg()) QSKIP("About the local file");
        // A folder where the file should be: the engine cannot open it.
        QVERIFY(QDir().mkpath(m_database));
        auto windows = windowsOnAlias();
        TMainForm& main = *windows->MainForm;
        VxDialogScript script;
        script.dialogs.push_back(chooseMode(&TModeForm::LocalRadio));
        main.FormShow();

        QCOMPARE(script.texts(VxMsgKind::Error).size(), 1);
        QCOMPARE(main.ScheduleBox->ScheduleCount(), 0);
        verifyFailedStartUp(main);
    }
};

QTEST_MAIN(TestAppDb)
#include "tst_appdb.moc"
