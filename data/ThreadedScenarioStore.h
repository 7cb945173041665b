// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scenario store as the program uses it: every call runs on the
// database thread (TVxDbThread), so a slow or silent server never freezes
// the window, and ends in a message within the time limit.

#include "ScenarioStore.h"
#include "VxDbThread.h"

class TThreadedScenarioStore : public TScenarioStore {
public:
    explicit TThreadedScenarioStore(TVxDbThread& thread);

    // Called on the calling thread while a call waits for the database
    // (about every 20 ms): it may show progress, and cancels by throwing.
    std::function<void()> Poll;

    int MaxScenarioNo() const override;
    QVector<TScenarioInfo> List() const override;
    std::optional<TScenarioInfo> Find(int scenarioNo) const override;
    // The progress is reported on the calling thread too.
    TScenarioStamp Save(int scenarioNo, const QString& descr, const TVxPlan& plan,
                        TScenarioSaveMode mode, const Progress& progress = {},
                        const std::optional<TScenarioStamp>& known = std::nullopt) override;
    TVxPlan Load(int scenarioNo, const QVector<int>& scheduleNos,
                 QMap<int, int>* missingLooms = nullptr,
                 TScenarioStamp* stamp = nullptr) const override;
    void Describe(int scenarioNo, const QString& descr) override;
    void Delete(int scenarioNo) override;

    // How many times its thread had to open the connection again.
    int Reconnections() const { return m_thread.Reconnections(); }

private:
    template <class Body>
    auto call(Body&& body, const std::function<void()>& poll = {}) const
        -> decltype(body(std::declval<TScenarioStore&>()));

    TVxDbThread& m_thread;
};
