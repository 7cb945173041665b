// The database thread the program's scenario store runs on, against the
// PostgreSQL test server: a connection that breaks is opened again and the
// work run again; a server that stops answering is cut off at the time
// limit or at the planner's Cancel, with the caller's events flowing meanwhile.

#include "PlanBuild.h"
#include "SchedData.h"
#include "ThreadedScenarioStore.h"
#include "VxDbError.h"
#include "VxPromptLog.h"
#include "VxScratchDb.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <QtTest>
#include <csignal>

using namespace planbuild;

class TstDbThread : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    TVxPromptLog m_log;
    std::unique_ptr<vxtest::TScratchDb> m_db;
    std::unique_ptr<TVxDbSession> m_session;
    std::unique_ptr<TSchedData> m_data;

    // The backend of the database thread's connection: the one that is
    // neither the test's nor the main connection's.
    qint64 threadBackend() {
        QSqlQuery q(m_db->Db());
        q.exec(QString("select pid from pg_stat_activity where datname = '%1' and pid <> "
                       "pg_backend_pid() order by backend_start desc")
                   .arg(m_db->Name()));
        return q.next() ? q.value(0).toLongLong() : 0;
    }

private slots:
    void init() {
        if (!vxtest::pgConfigured()) QSKIP(vxtest::NoPgServerReason);
        m_db = std::make_unique<vxtest::TScratchDb>(true);
        QVERIFY2(m_db->Error().isEmpty(), qPrintable(m_db->Error()));
        const QString aliases = m_tmp.filePath("aliases.ini");
        QFile::remove(aliases);
        vxtest::writeAliasFile(aliases, true, m_db->Name(), vxtest::env("PLEXIWEAVE_PG_USER"));
        m_session = std::make_unique<TVxDbSession>(aliases);
        m_log.clear();
        m_log.passwords.push_back(vxtest::env("PLEXIWEAVE_PG_PASSWORD"));
        m_data = std::make_unique<TSchedData>(*m_session, m_log.prompts());
        m_data->SchedDB.Open();
    }
    void cleanup() {
        m_data.reset();
        m_session.reset();
        m_db.reset();
    }

    void serverFaults_data();
    void serverFaults();
};

void TstDbThread::serverFaults_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("outcome"); // saved, timed out, cancelled
    QTest::newRow("connection broken: opened again, saved") << "broken"
                                                            << "saved";
    QTest::newRow("server frozen: cut off at the time limit") << "frozen"
                                                              << "timed out";
    QTest::newRow("server frozen: the planner cancels") << "frozen, cancel"
                                                        << "cancelled";
}

void TstDbThread::serverFaults() {
    QFETCH(QString, fault);
    QFETCH(QString, outcome);
    TVxDbThread& thread = m_data->StoreThread();
    thread.SetTimeLimitMs(1500);
    TThreadedScenarioStore store(thread);
    QCOMPARE(store.List().size(), 0);
    const qint64 backend = threadBackend();
    QVERIFY(backend > 0);
    if (fault == "broken")
        QSqlQuery(m_db->Db()).exec(QString("select pg_terminate_backend(%1)").arg(backend));
    else
        QCOMPARE(::kill(pid_t(backend), SIGSTOP), 0);
    const auto resume = [backend] { ::kill(pid_t(backend), SIGCONT); };
    const auto resumeOnFailure = qScopeGuard(resume);

    int polls = 0;
    QElapsedTimer clock;
    clock.start();
    store.Poll = [&] {
        ++polls;
        if (fault.endsWith("cancel") && clock.elapsed() > 200) throw EVxAbort();
    };
    QString result = "saved";
    try {
        store.Save(1, "Plan", plan({loom(101, {reed(1, 2400, 46000)})}, 2, 1),
                   TScenarioSaveMode::New);
    } catch (const EVxDbError& e) {
        result = e.Fault() == TVxDbFault::TimedOut ? "timed out" : e.message();
    } catch (const EVxAbort&) {
        result = "cancelled";
    }
    QCOMPARE(result, outcome);
    QCOMPARE(store.Reconnections(), fault == "broken" ? 1 : 0);
    if (fault != "broken") QVERIFY(polls > 5); // the caller's events went on meanwhile
    QVERIFY(clock.elapsed() < 6000);
    resume();
    store.Poll = nullptr;
    // Whatever happened, the next call finds its way to the server.
    QCOMPARE(store.List().size(), outcome == "saved" ? 1 : 0);
}

QTEST_GUILESS_MAIN(TstDbThread)
#include "tst_dbthread.moc"
