// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScenarioFailure.h"

#include <QCoreApplication>

namespace {
QString tx(const char* text) {
    return QCoreApplication::translate("ScenarioFailure", text);
}
} // namespace

QString ScenarioSaveFailure(const EVxDbError& error) {
    const QString kept =
        tx(QT_TRANSLATE_NOOP("ScenarioFailure", "The board is kept: save it again once the server "
                                                "is back, or save to the local database."));
    switch (error.Fault()) {
    case TVxDbFault::Lost:
        return tx(QT_TRANSLATE_NOOP("ScenarioFailure", "The database server could not be reached, "
                                                       "so the scenario was not saved.\n\n%1"))
            .arg(kept);
    case TVxDbFault::TimedOut:
        return tx(QT_TRANSLATE_NOOP("ScenarioFailure", "%1 The scenario was not saved.\n\n%2"))
            .arg(error.message(), kept);
    case TVxDbFault::Busy:
        return tx(QT_TRANSLATE_NOOP("ScenarioFailure", "%1 The scenario was not saved; the board "
                                                       "is kept. Save it again in a moment."))
            .arg(error.message());
    case TVxDbFault::Refused:
        break;
    }
    return tx(QT_TRANSLATE_NOOP("ScenarioFailure",
                                "The database refused the scenario, so it was not saved. The "
                                "board is kept."));
}

QString ScenarioLoadFailure(const EVxDbError& error) {
    switch (error.Fault()) {
    case TVxDbFault::Lost:
        return tx(QT_TRANSLATE_NOOP("ScenarioFailure",
                                    "The database server could not be reached, so no scenario "
                                    "was loaded. The board is as it was."));
    case TVxDbFault::TimedOut:
    case TVxDbFault::Busy:
        return tx(QT_TRANSLATE_NOOP("ScenarioFailure",
                                    "%1 No scenario was loaded. The board is as it was."))
            .arg(error.message());
    case TVxDbFault::Refused:
        break;
    }
    return tx(QT_TRANSLATE_NOOP("ScenarioFailure",
                                "The database refused to read the scenario. The board is as it "
                                "was."));
}
