// SPDX-License-Identifier: GPL-3.0-or-later
// The schedule model: list operations, their event orders, job texts and
// the failure cases, through the public API only.

#include "EventLog.h"
#include "VxDialogs.h"
#include "VxSched.h"

#include <QtTest>
#include <memory>

namespace {
// Three jobs "P", "Q", "R" in a schedule, each with an item per caption.
TVxJobSchedule* makeSchedule(const QString& header, const QStringList& jobs = {}) {
    auto* s = new TVxJobSchedule;
    s->SetHeader(header);
    for (const QString& caption : jobs)
        s->AddJob(0, caption, QString(), 0, 0);
    return s;
}

QString jobOrder(const TVxJobSchedule* s) {
    QStringList names;
    for (int i = 0; i < s->JobCount(); ++i)
        names << s->Jobs(i)->UpperCaption();
    return names.join(QString());
}

QString itemOrder(const TVxJob* job) {
    QStringList names;
    for (int i = 0; i < job->ItemCount(); ++i)
        names << job->Items(i)->Caption();
    return names.join(QString());
}
} // namespace

class TestSchedModel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void addJobRaisesOnceAfterFieldsAreSet() {
        std::unique_ptr<TVxJobSchedule> s(makeSchedule("A"));
        QStringList seen;
        s->OnAfterJobAdd = [&](TVxJobSchedule* sched, TVxJob* job) {
            QCOMPARE(sched, s.get());
            seen << QString("%1|%2|%3|%4|%5")
                        .arg(job->JobNo)
                        .arg(job->UpperCaption(), job->LowerCaption())
                        .arg(job->StartDate())
                        .arg(job->FinishDate());
        };
        TVxJob* job = s->AddJob(7, "Up", "Low", 46000, 46002);
        QCOMPARE(seen, QStringList{"7|Up|Low|46000|46002"});
        QCOMPARE(s->IndexOfJob(job), 0);
        QCOMPARE(job->Schedule(), s.get());

        seen.clear();
        TVxJob* plain = s->NewJob();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(plain->JobNo, 0);
        QCOMPARE(plain->StartDate(), VxToday());
        QVERIFY(!plain->DatesRow.Visible);
    }

    void insertJobFromAnotherSchedule() {
        std::unique_ptr<TVxJobSchedule> s0(makeSchedule("S0", {"P"}));
        std::unique_ptr<TVxJobSchedule> s1(makeSchedule("S1"));
        s1->SetJobWidth(150);
        s1->SetExpanded(false);
        s1->MenuCaptions().EditJob = "Change";
        EventLog log;
        log.attach(s0.get());
        log.attach(s1.get());
        TVxJob* job = s0->Jobs(0);
        s1->InsertJob(job);
        QCOMPARE(log.joined(), QString("S0:BeforeJobRemove,S0:AfterJobRemove,S1:AfterJobAdd"));
        QCOMPARE(s0->JobCount(), 0);
        QCOMPARE(job->Schedule(), s1.get());
        QCOMPARE(job->Width(), 150);
        QVERIFY(!job->Expanded());
        QCOMPARE(job->MenuCaptions().EditJob, QString("Change"));

        log.clear();
        s1->InsertJob(job); // already there: nothing at all
        s1->InsertJob(nullptr);
        QCOMPARE(log.lines, QStringList());
        QCOMPARE(s1->JobCount(), 1);
    }

    void insertJobAtRaisesAfterTheMove() {
        std::unique_ptr<TVxJobSchedule> s(makeSchedule("S", {"P", "Q"}));
        int indexSeen = -2;
        s->OnAfterJobAdd = [&](TVxJobSchedule* sched, TVxJob* job) {
            indexSeen = sched->IndexOfJob(job);
        };
        auto* job = new TVxJob;
        job->SetUpperCaption("X");
        s->InsertJobAt(1, job);
        QCOMPARE(indexSeen, 1);
        QCOMPARE(jobOrder(s.get()), QString("PXQ"));
        QVERIFY(!s->AddingJob);
    }

    void insertAtOfAMemberMovesThatMember() {
        std::unique_ptr<TVxJobSchedule> s(makeSchedule("S", {"P", "Q", "R"}));
        TVxJob* job = s->Jobs(0);
        job->AddItem(0, "A");
        job->AddItem(0, "B");
        job->AddItem(0, "C");
        EventLog log;
        log.attach(s.get());
        s->InsertJobAt(2, s->Jobs(0));
        s->InsertJobAt(0, nullptr);
        job->InsertItemAt(2, job->Items(0));
        job->InsertItemAt(0, nullptr);
        QCOMPARE(jobOrder(s.get()), QString("QRP"));
        QCOMPARE(itemOrder(job), QString("BCA"));
        QVERIFY(log.lines.isEmpty());
    }

    void deleteJobEvents_data() {
        QTest::addColumn<bool>("freeIt");
        QTest::addColumn<QString>("events");
        QTest::newRow("free")
            << true << "S:BeforeJobRemove,S:BeforeJobFree,S:AfterJobRemove,S:AfterJobFree";
        QTest::newRow("keep") << false << "S:BeforeJobRemove,S:AfterJobRemove";
    }
    void deleteJobEvents() {
        QFETCH(bool, freeIt);
        QFETCH(QString, events);
        std::unique_ptr<TVxJobSchedule> s(makeSchedule("S", {"P", "Q"}));
        EventLog log;
        log.attach(s.get());
        QPointer<TVxJob> job = s->Jobs(0);
        QCOMPARE(s->RemoveJob(job, freeIt), 0);
        QCOMPARE(log.joined(), events);
        QCOMPARE(jobOrder(s.get()), QString("Q"));
        QCOMPARE(s->Jobs(0)->Top(), 0);
        QCOMPARE(job.isNull(), freeIt);
        if (job) {
            QCOMPARE(job->Schedule(), nullptr);
            delete job.data();
        }
    }

    void vetoFromBeforeJobFreeKeepsTheJob() {
        std::unique_ptr<TVxJobSchedule> s(makeSchedule("S", {"P", "Q"}));
        EventLog log;
        log.attach(s.get());
        s->OnBeforeJobFree = [&](TVxJobSchedule*, TVxJob* job) {
            log.lines << "S:BeforeJobFree";
            if (job->UpperCaption() == "P") VxAbort();
        };
        TVxJob* p = s->Jobs(0);
        QVERIFY(!VxGuard(nullptr, [&] { p->ExecuteRemoveJob(); }));
        QCOMPARE(log.joined(), QString("S:BeforeJobRemove,S:BeforeJobFree"));
        QCOMPARE(jobOrder(s.get()), QString("PQ"));
        QCOMPARE(p->Schedule(), s.get());

        // ClearJobs stops at the vetoed job, which is the first.
        VxDialogScript script;
        QVERIFY(!VxGuard(nullptr, [&] { s->ClearJobs(true); }));
        QCOMPARE(s->JobCount(), 2);
        QVERIFY(script.messages.isEmpty());
    }

    void moveJob_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("order");
        QTest::newRow("first to beyond end") << 0 << 99 << "QRP";
        QTest::newRow("last to first") << 2 << 0 << "RPQ";
        QTest::newRow("middle to itself") << 1 << 1 << "PQR";
    }
    void moveJob() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, order);
        std::unique_ptr<TVxJobSchedule> s(makeSchedule("S", {"P", "Q", "R"}));
        EventLog log;
        log.attach(s.get());
        s->MoveJob(from, to);
        QCOMPARE(jobOrder(s.get()), order);
        QVERIFY(log.lines.isEmpty());
        int top = 0;
        for (int i = 0; i < s->JobCount(); ++i) {
            QCOMPARE(s->Jobs(i)->Top(), top);
            top += s->Jobs(i)->Height();
        }
    }

    void addItemRaisesOnceAfterFieldsAreSet() {
        std::unique_ptr<TVxJobSchedule> s(makeSchedule("S", {"P"}));
        QStringList seen;
        s->OnAfterItemAdd = [&](TVxJobSchedule*, TVxJob* job, TVxJobItem* item) {
            QCOMPARE(item->Job(), job);
            seen << QString("%1|%2").arg(item->ItemNo).arg(item->Caption());
        };
        TVxJob* job = s->Jobs(0);
        job->AddItem(5, "A");
        job->NewItem();
        QCOMPARE(seen, (QStringList{"5|A", "0|"}));
        QVERIFY(!job->AddingItem);
    }

    void insertItemAtFromAnotherJob() {
        std::unique_ptr<TVxJobSchedule> s0(makeSchedule("S0", {"J0"}));
        std::unique_ptr<TVxJobSchedule> s1(makeSchedule("S1", {"J1"}));
        s1->MenuCaptions().RemoveItem = "Drop it";
        TVxJob* j0 = s0->Jobs(0);
        TVxJob* j1 = s1->Jobs(0);
        TVxJobItem* x = j0->AddItem(1, "X");
        j1->AddItem(2, "A");
        j1->AddItem(3, "B");
        EventLog log;
        log.attach(s0.get());
        log.attach(s1.get());
        int indexAtAdd = -2;
        s1->OnAfterItemAdd = [&](TVxJobSchedule*, TVxJob* job, TVxJobItem* item) {
            log.lines << "S1:AfterItemAdd";
            indexAtAdd = job->IndexOfItem(item);
        };
        j1->InsertItemAt(0, x);
        QCOMPARE(log.joined(), QString("S0:BeforeItemRemove,S0:AfterItemRemove,S1:AfterItemAdd"));
        QCOMPARE(indexAtAdd, 2);
        QCOMPARE(itemOrder(j1), QString("XAB"));
        QCOMPARE(x->Job(), j1);
        QCOMPARE(j0->ItemCount(), 0);
        QCOMPARE(x->MenuCaptions().RemoveItem, QString("Drop it"));
    }

    void deleteItemEvents_data() {
        QTest::addColumn<bool>("freeIt");
        QTest::addColumn<QString>("events");
        QTest::newRow("free") << true
                              << "S:BeforeItemRemove,S:BeforeItemFree,S:AfterItemRemove,"
                                 "S:AfterItemFree";
        QTest::newRow("keep") << false << "S:BeforeItemRemove,S:AfterItemRemove";
    }
    void deleteItemEvents() {
        QFETCH(bool, freeIt);
        QFETCH(QString, events);
        std::unique_ptr<TVxJobSchedule> s(makeSchedule("S", {"P"}));
        TVxJob* job = s->Jobs(0);
        QPointer<TVxJobItem> a = job->AddItem(0, "A");
        job->AddItem(0, "B");
        const int height = job->Height();
        EventLog log;
        log.attach(s.get());
        QCOMPARE(job->RemoveItem(a, freeIt), 0);
        QCOMPARE(log.joined(), events);
        QCOMPARE(itemOrder(job), QString("B"));
        QCOMPARE(job->Height(), height - 15);
        QCOMPARE(a.isNull(), freeIt);
        delete a.data();
        log.clear();
        QCOMPARE(job->RemoveItem(nullptr, true), -1);
        QVERIFY(log.lines.isEmpty());
    }

    void datesRow_data() {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("finish");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("visible");
        const double mar5 = VxEncodeDate(2026, 3, 5);
        const double mar9 = VxEncodeDate(2026, 3, 9);
        QTest::newRow("range") << mar5 << mar9 << "05 Mar - 09 Mar" << true;
        QTest::newRow("no start") << 0.0 << mar9 << "? - 09 Mar" << true;
        QTest::newRow("no finish") << mar5 << 0.0 << "05 Mar" << true;
        QTest::newRow("neither") << 0.0 << 0.0 << "" << false;
    }
    void datesRow() {
        QFETCH(double, start);
        QFETCH(double, finish);
        QFETCH(QString, text);
        QFETCH(bool, visible);
        std::unique_ptr<TVxJobSchedule> s(makeSchedule("S"));
        TVxJob* job = s->AddJob(0, "P", QString(), start, finish);
        QCOMPARE(job->DatesRow.Visible, visible);
        if (visible) QCOMPARE(job->DatesRow.Text, text);
        QCOMPARE(job->Height(), visible ? 34 : 19);
    }

    void rowVisibilityRestacks() {
        std::unique_ptr<TVxJobSchedule> s(makeSchedule("S", {"P", "Q"}));
        TVxJob* p = s->Jobs(0);
        TVxJob* q = s->Jobs(1);
        QCOMPARE(q->Top(), 19);
        p->SetLowerCaption("low");
        QCOMPARE(q->Top(), 32);
        p->SetStatusText("status");
        QCOMPARE(q->Top(), 47);
        QCOMPARE(p->StatusRow.Top, 29);
        p->SetStatusText("other"); // text only, no re-layout needed
        QCOMPARE(q->Top(), 47);
        p->SetLowerCaption(QString());
        p->SetStatusText(QString());
        QCOMPARE(q->Top(), 19);
    }

    void layoutNumbers() {
        std::unique_ptr<TVxJobSchedule> s(makeSchedule("S"));
        TVxJob* job = s->AddJob(0, "P", QString(), VxEncodeDate(2026, 1, 2), 0);
        job->AddItem(0, "A");
        job->AddItem(0, "B");
        QCOMPARE(job->DatesRow.Top, 16);
        QCOMPARE(job->Items(0)->Top(), 31);
        QCOMPARE(job->Items(1)->Top(), 46);
        QCOMPARE(job->Height(), 64);
        QCOMPARE(job->Items(0)->Width(), 112 - 6);

        // Collapsed: ends 3 below the dates row; adding keeps it collapsed.
        s->SetExpanded(false);
        QCOMPARE(job->Height(), 34);
        job->SetStatusText("st");
        QVERIFY(!job->StatusRow.Visible);
        job->AddItem(0, "C");
        QCOMPARE(job->Height(), 34);
        QVERIFY(!job->AddItemEnabled());
        s->SetExpanded(true);
        QVERIFY(job->StatusRow.Visible);
        QCOMPARE(job->Height(), 16 + 15 + 3 * 15 + 15 + 3);
    }

    void captionsAndWidthAreCopiedOnInsertOnly() {
        std::unique_ptr<TVxJobSchedule> s(makeSchedule("S", {"P"}));
        TVxJob* job = s->Jobs(0);
        TVxJobItem* item = job->AddItem(0, "A");
        QCOMPARE(job->MenuCaptions().AddItem, QString("&Add Item..."));
        QCOMPARE(item->MenuCaptions().EditItem, QString("&Edit Item..."));
        s->MenuCaptions().AddItem = "More";
        s->MenuCaptions().EditItem = "Change";
        s->SetJobWidth(200);
        QCOMPARE(job->MenuCaptions().AddItem, QString("&Add Item..."));
        QCOMPARE(item->MenuCaptions().EditItem, QString("&Edit Item..."));
        QCOMPARE(job->Width(), 112);
        TVxJob* later = s->AddJob(0, "Q", QString(), 0, 0);
        QCOMPARE(later->Width(), 200);
        QCOMPARE(later->MenuCaptions().AddItem, QString("More"));
    }

    void destroyingRaisesNoEvents() {
        auto* s = makeSchedule("S", {"P", "Q"});
        s->Jobs(0)->AddItem(0, "A");
        QPointer<TVxJob> job = s->Jobs(1);
        EventLog log;
        log.attach(s);
        delete s;
        QVERIFY(job.isNull());
        QVERIFY(log.lines.isEmpty());
    }

    void deletingAJobDirectlyLeavesItsSchedule() {
        std::unique_ptr<TVxJobSchedule> s(makeSchedule("S", {"P", "Q"}));
        delete s->Jobs(0);
        QCOMPARE(jobOrder(s.get()), QString("Q"));
        QCOMPARE(s->Jobs(0)->Top(), 0);
    }

    void indexErrors_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("Jobs(-1)") << 0;
        QTest::newRow("DeleteJob(5)") << 2;
        QTest::newRow("Items(0) of empty job") << 3;
        QTest::newRow("MoveJob from 3") << 4;
    }
    void indexErrors() {
        QFETCH(int, which);
        std::unique_ptr<TVxJobSchedule> s(makeSchedule("S", {"P", "Q"}));
        TVxJob* job = s->Jobs(0);
        auto act = [&] {
            switch (which) {
            case 0:
                s->Jobs(-1);
                break;
            case 2:
                s->DeleteJob(5, true);
                break;
            case 3:
                job->Items(0);
                break;
            case 4:
                s->MoveJob(3, 0);
                break;
            }
        };
        QVERIFY_THROWS_EXCEPTION(EVxListIndexError, act());
        QCOMPARE(s->JobCount(), 2);
    }

    // A target before the start fails before anything moves: the object
    // stays where it was and no event is raised.
    void negativeInsertTargetsChangeNothing_data() {
        QTest::addColumn<bool>("jobs");
        QTest::newRow("InsertJobAt(-1)") << true;
        QTest::newRow("InsertItemAt(-1)") << false;
    }
    void negativeInsertTargetsChangeNothing() {
        QFETCH(bool, jobs);
        std::unique_ptr<TVxJobSchedule> s0(makeSchedule("S0", {"X"}));
        std::unique_ptr<TVxJobSchedule> s1(makeSchedule("S1", {"P"}));
        TVxJob* x = s0->Jobs(0);
        TVxJobItem* a = x->AddItem(0, "A");
        EventLog log;
        log.attach(s0.get());
        log.attach(s1.get());
        if (jobs) {
            QVERIFY_THROWS_EXCEPTION(EVxListIndexError, s1->InsertJobAt(-1, x));
            QCOMPARE(x->Schedule(), s0.get());
            QCOMPARE(s1->JobCount(), 1);
        } else {
            QVERIFY_THROWS_EXCEPTION(EVxListIndexError, s1->Jobs(0)->InsertItemAt(-1, a));
            QCOMPARE(a->Job(), x);
            QCOMPARE(s1->Jobs(0)->ItemCount(), 0);
        }
        QVERIFY(!s1->AddingJob);
        QVERIFY(log.lines.isEmpty());
    }

    void itemsOfACollapsedJobStayHidden() {
        std::unique_ptr<TVxJobSchedule> s(makeSchedule("S", {"P", "Q"}));
        TVxJob* p = s->Jobs(0);
        TVxJob* q = s->Jobs(1);
        TVxJobItem* a = p->AddItem(0, "A");
        s->SetExpanded(false);
        QVERIFY(!a->Visible());
        const int height = q->Height();
        TVxJobItem* b = q->AddItem(0, "B");
        q->InsertItemAt(0, a);
        QVERIFY(!a->Visible());
        QVERIFY(!b->Visible());
        QCOMPARE(q->Height(), height);
        s->SetExpanded(true);
        QVERIFY(a->Visible());
        QVERIFY(b->Visible());
        QCOMPARE(q->Height(), height + 2 * 15);
    }

    void ownerChecks_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("message");
        QTest::newRow("edit job") << 0 << "Job not owned by schedule!";
        QTest::newRow("add item") << 1 << "Job not owned by schedule!";
        QTest::newRow("remove job") << 2 << "Job not owned by schedule!";
        QTest::newRow("edit loose item") << 3 << "Item not owned by job!";
        QTest::newRow("remove loose item") << 4 << "Item not owned by job!";
        QTest::newRow("edit item of loose job") << 5 << "Job not owned by schedule!";
    }
    void ownerChecks() {
        QFETCH(int, which);
        QFETCH(QString, message);
        TVxJob job;
        TVxJobItem* owned = job.AddItem(0, "A");
        TVxJobItem loose;
        VxDialogScript script;
        const bool ok = VxGuard(nullptr, [&] {
            switch (which) {
            case 0:
                job.ExecuteEditJob();
                break;
            case 1:
                job.ExecuteAddItem();
                break;
            case 2:
                job.ExecuteRemoveJob();
                break;
            case 3:
                loose.ExecuteEditItem();
                break;
            case 4:
                loose.ExecuteRemoveItem();
                break;
            case 5:
                owned->ExecuteEditItem();
                break;
            }
        });
        QVERIFY(!ok);
        QCOMPARE(script.texts(VxMsgKind::Error), QStringList{message});
        QVERIFY(script.inputCaptions.isEmpty());
        QVERIFY(script.dialogTitles.isEmpty());
    }
};

QTEST_MAIN(TestSchedModel)
#include "tst_schedmodel.moc"
