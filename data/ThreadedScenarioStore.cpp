// SPDX-License-Identifier: GPL-3.0-or-later
#include "ThreadedScenarioStore.h"

#include <atomic>

TThreadedScenarioStore::TThreadedScenarioStore(TVxDbThread& thread)
    : TScenarioStore(QSqlDatabase()), m_thread(thread) {}

template <class Body>
auto TThreadedScenarioStore::call(Body&& body, const std::function<void()>& poll) const
    -> decltype(body(std::declval<TScenarioStore&>())) {
    std::optional<decltype(body(std::declval<TScenarioStore&>()))> result;
    m_thread.Run(
        [&](QSqlDatabase& db, TVxDbThread::TBeat& beat) {
            TScenarioStore store(db);
            store.RowsPerInsert = RowsPerInsert;
            store.BeforeStatement = [&beat] { beat.Statement(); };
            result = body(store);
        },
        [&] {
            if (poll) poll();
            if (Poll) Poll();
        });
    return std::move(*result);
}

int TThreadedScenarioStore::MaxScenarioNo() const {
    return call([](TScenarioStore& store) { return store.MaxScenarioNo(); });
}

QVector<TScenarioInfo> TThreadedScenarioStore::List() const {
    return call([](TScenarioStore& store) { return store.List(); });
}

std::optional<TScenarioInfo> TThreadedScenarioStore::Find(int scenarioNo) const {
    return call([scenarioNo](TScenarioStore& store) { return store.Find(scenarioNo); });
}

TScenarioStamp TThreadedScenarioStore::Save(int scenarioNo, const QString& descr,
                                            const TVxPlan& plan, TScenarioSaveMode mode,
                                            const Progress& progress,
                                            const std::optional<TScenarioStamp>& known) {
    // The loom under way, written on the thread and shown here: its index
    // and its number in one value, so both always belong together.
    std::atomic<qint64> step{-1};
    qint64 shown = -1;
    const int count = int(plan.Looms.size());
    const auto showStep = [&] {
        const qint64 now = step;
        if (!progress || now < 0 || now == shown) return;
        shown = now;
        progress(int(now >> 32), count, int(now & 0xffffffff));
    };
    const TScenarioStamp stamp = call(
        [&](TScenarioStore& store) {
            return store.Save(
                scenarioNo, descr, plan, mode,
                [&step](int index, int, int scheduleNo) {
                    step = (qint64(index) << 32) | quint32(scheduleNo);
                },
                known);
        },
        showStep);
    return stamp;
}

TVxPlan TThreadedScenarioStore::Load(int scenarioNo, const QVector<int>& scheduleNos,
                                     QMap<int, int>* missingLooms, TScenarioStamp* stamp) const {
    return call([&](TScenarioStore& store) {
        // Counted afresh should the read run again on a new connection.
        QMap<int, int> missing;
        TVxPlan plan = store.Load(scenarioNo, scheduleNos, &missing, stamp);
        if (missingLooms) *missingLooms = missing;
        return plan;
    });
}

void TThreadedScenarioStore::Describe(int scenarioNo, const QString& descr) {
    call([&](TScenarioStore& store) {
        store.Describe(scenarioNo, descr);
        return true;
    });
}

void TThreadedScenarioStore::Delete(int scenarioNo) {
    call([&](TScenarioStore& store) {
        store.Delete(scenarioNo);
        return true;
    });
}
