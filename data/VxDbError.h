// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Database failures in the planner's words. The engine's own text, which a
// planner rarely understands but a database administrator needs, goes into
// the error's details (error boxes show it under "Details").

#include "VxAbort.h"

class QSqlDatabase;
class QSqlError;

enum class TVxDbFault {
    Refused,  // the database refused the statement (a key, a constraint, a table)
    Busy,     // another planner held the database longer than the wait allows
    TimedOut, // the statement ran out of time
    Lost,     // the server could not be reached, or the connection to it broke
};

class EVxDbError : public EVxError {
public:
    EVxDbError(TVxDbFault fault, const QString& message, const QString& details)
        : EVxError(message, details), m_fault(fault) {}
    TVxDbFault Fault() const { return m_fault; }

private:
    TVxDbFault m_fault;
};

// What went wrong with a statement or a connect on db: its kind, a sentence
// for the planner and the engine's text as details.
EVxDbError VxDbError(const QSqlDatabase& db, const QSqlError& error);
TVxDbFault VxDbFaultOf(const QSqlDatabase& db, const QSqlError& error);
// The engine's message of an error, without driver decoration.
QString VxDbErrorText(const QSqlError& error);
// The planner's sentence for a fault.
QString VxDbFaultText(TVxDbFault fault);
