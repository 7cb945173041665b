#include "ScenarioFailure.h"

namespace {
const QString kServerKept =
    QStringLiteral("The board is kept: save it again once the server is back, or save to the "
                   "local database.");
} // namespace

QString ScenarioSaveFailure(const EVxDbError& error) {
    switch (error.Fault()) {
    case TVxDbFault::Lost:
        return QStringLiteral("The database server could not be reached, so the scenario was "
                              "not saved.\n\n") +
               kServerKept;
    case TVxDbFault::TimedOut:
        return error.message() + QStringLiteral(" The scenario was not saved.\n\n") + kServerKept;
    case TVxDbFault::Busy:
        return error.message() +
               QStringLiteral(" The scenario was not saved; the board is kept. Save it again in a "
                              "moment.");
    case TVxDbFault::Refused:
        break;
    }
    return QStringLiteral("The database refused the scenario, so it was not saved. The board is "
                          "kept.");
}

QString ScenarioLoadFailure(const EVxDbError& error) {
    const QString asItWas = QStringLiteral(" The board is as it was.");
    switch (error.Fault()) {
    case TVxDbFault::Lost:
        return QStringLiteral("The database server could not be reached, so no scenario was "
                              "loaded.") +
               asItWas;
    case TVxDbFault::TimedOut:
    case TVxDbFault::Busy:
        return error.message() + QStringLiteral(" No scenario was loaded.") + asItWas;
    case TVxDbFault::Refused:
        break;
    }
    return QStringLiteral("The database refused to read the scenario.") + asItWas;
}
