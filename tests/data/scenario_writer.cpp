// SPDX-License-Identifier: GPL-3.0-or-later
// Overwrites scenario 1 of an SQLite file with the other of two plans, again
// and again, until it is killed. Says "ready" once the file is open and
// "saved" after every save. Used by the crash-safety test.

#include "CrashPlans.h"
#include "ScenarioStore.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) return 2;
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE");
    db.setDatabaseName(QString::fromLocal8Bit(argv[1]));
    if (!db.open()) return 1;
    TScenarioStore store(db);
    const TVxPlan plans[2] = {crashplans::build(0), crashplans::build(1)};
    int next = store.Load(1, crashplans::looms()) == plans[0] ? 1 : 0;
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) {
        store.Save(1, next == 0 ? "Old" : "New", plans[next], TScenarioSaveMode::Overwrite);
        next = 1 - next;
        std::printf("saved\n");
        std::fflush(stdout);
    }
}
