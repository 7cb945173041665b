// SPDX-License-Identifier: GPL-3.0-or-later
// A process overwriting a stored scenario is killed outright at random
// moments; after every kill the file must be sound and the scenario must read
// back as one of the two plans, whole.

#include "CrashPlans.h"
#include "ScenarioStore.h"
#include "VxScratchDb.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

class TstScenarioCrash : public QObject {
    Q_OBJECT
private slots:
    void killedWriterLeavesOldOrNew();
};

void TstScenarioCrash::killedWriterLeavesOldOrNew() {
    const TVxPlan plans[2] = {crashplans::build(0), crashplans::build(1)};
    QString file;
    auto scratch = std::make_unique<vxtest::TScratchDb>(false);
    QVERIFY2(scratch->Error().isEmpty(), qPrintable(scratch->Error()));
    file = scratch->Name();
    TScenarioStore(scratch->Db()).Save(1, "Old", plans[0], TScenarioSaveMode::New);
    scratch->Db().close();

    QRandomGenerator random(20261208);
    const int kills = 60;
    int seen[2] = {0, 0};
    int midWrite = 0;
    qint64 saveMs = 50; // a running estimate of one save's duration
    QElapsedTimer clock;
    clock.start();
    for (int k = 0; k < kills; ++k) {
        QProcess writer;
        writer.start(QStringLiteral(SCENARIO_WRITER), {file});
        QVERIFY(writer.waitForReadyRead(10000)); // "ready": the file is open
        QElapsedTimer saving;
        saving.start();
        // Every other writer first completes a save; then the kill falls at
        // a random moment within about one save's time.
        if (k % 2 == 1) {
            while (!writer.readAll().contains("saved"))
                QVERIFY(writer.waitForReadyRead(10000));
            saveMs = std::max<qint64>(saveMs / 2 + saving.elapsed() / 2, 1);
        }
        QTest::qWait(int(random.bounded(qint64(0), saveMs + 1)));
        writer.kill(); // SIGKILL
        QVERIFY(writer.waitForFinished(10000));
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
        // A journal left behind: the kill fell inside a transaction.
        if (QFile::exists(file + "-journal") && QFileInfo(file + "-journal").size() > 0) ++midWrite;

        QVERIFY(scratch->Db().open());
        QSqlQuery check(scratch->Db());
        QVERIFY(check.exec("pragma integrity_check") && check.next());
        QCOMPARE(check.value(0).toString(), QString("ok"));
        const TVxPlan back = TScenarioStore(scratch->Db()).Load(1, crashplans::looms());
        const int which = back == plans[0] ? 0 : back == plans[1] ? 1 : -1;
        QVERIFY2(
            which >= 0,
            qPrintable(QString("kill %1 left a mixture of %2 jobs").arg(k).arg(back.JobCount())));
        QCOMPARE(TScenarioStore(scratch->Db()).Find(1)->Descr, QString(which == 0 ? "Old" : "New"));
        ++seen[which];
        check = QSqlQuery();
        scratch->Db().close();
    }
    // The kills fell while the writer was at work, not only before it began.
    QVERIFY2(seen[1] > 0, "no overwrite was ever completed before a kill");
    QVERIFY2(midWrite > 0, "no kill fell inside a transaction");
    qInfo("%d kills in %lld ms, %d inside a transaction: old %d times, new %d times", kills,
          clock.elapsed(), midWrite, seen[0], seen[1]);
}

QTEST_GUILESS_MAIN(TstScenarioCrash)
#include "tst_scenariocrash.moc"
