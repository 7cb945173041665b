// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxDbError.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <cstring>

namespace {
bool anyOf(const QString& text, std::initializer_list<const char*> parts) {
    for (const char* part : parts)
        if (text.contains(QLatin1String(part), Qt::CaseInsensitive)) return true;
    return false;
}
} // namespace

TVxDbFault VxDbFaultOf(const QSqlDatabase& db, const QSqlError& error) {
    const QString code = error.nativeErrorCode();
    const QString text = error.databaseText() + QLatin1Char(' ') + error.driverText();
    if (db.driverName() == QLatin1String("QSQLITE")) {
        // SQLITE_BUSY and SQLITE_LOCKED: the wait for another writer ran out.
        if (code == QLatin1String("5") || code == QLatin1String("6") ||
            anyOf(text, {"database is locked", "database table is locked"}))
            return TVxDbFault::Busy;
        return TVxDbFault::Refused;
    }
    // A server drops a connection that failed for good; so do its SQLSTATE
    // classes 08 (connection exception) and 57P (operator intervention).
    if (error.type() == QSqlError::ConnectionError || !db.isOpen() ||
        code.startsWith(QLatin1String("08")) || code.startsWith(QLatin1String("57P")) ||
        anyOf(text, {"server closed the connection", "no connection to the server",
                     "could not receive data", "could not send data", "connection refused",
                     "terminating connection"}))
        return TVxDbFault::Lost;
    // query_canceled (a statement timeout) and lock_not_available.
    if (code == QLatin1String("57014") || code == QLatin1String("55P03"))
        return TVxDbFault::TimedOut;
    return TVxDbFault::Refused;
}

QString VxDbErrorText(const QSqlError& error) {
    QString text = error.databaseText().trimmed();
    if (text.isEmpty()) text = error.driverText().trimmed();
    // PostgreSQL prefixes its severity ("ERROR:  ", "FATAL:  ").
    for (const char* prefix : {"ERROR:", "FATAL:"})
        if (text.startsWith(QLatin1String(prefix))) text = text.mid(int(strlen(prefix))).trimmed();
    // The PostgreSQL driver appends the SQLSTATE in brackets, and "()" when
    // there is none (a connection that broke).
    static const QRegularExpression code(QStringLiteral("\\s*\\([0-9A-Z]{0,5}\\)$"));
    text.remove(code);
    return text.isEmpty() ? QCoreApplication::translate("VxDbError", "Unknown database error")
                          : text;
}

QString VxDbFaultText(TVxDbFault fault) {
    switch (fault) {
    case TVxDbFault::Busy:
        return QCoreApplication::translate(
            "VxDbError", "Another planner is saving to this database, and it stayed busy "
                         "for longer than the planner waits.");
    case TVxDbFault::TimedOut:
        return QCoreApplication::translate("VxDbError",
                                           "The database took longer than its time limit.");
    case TVxDbFault::Lost:
        return QCoreApplication::translate("VxDbError",
                                           "The database server could not be reached.");
    case TVxDbFault::Refused:
        break;
    }
    return QCoreApplication::translate("VxDbError", "The database refused the change.");
}

EVxDbError VxDbError(const QSqlDatabase& db, const QSqlError& error) {
    const TVxDbFault fault = VxDbFaultOf(db, error);
    return EVxDbError(fault, VxDbFaultText(fault), VxDbErrorText(error));
}
