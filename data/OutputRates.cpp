// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutputRates.h"

#include "SchedDB.h"
#include "VxAbort.h"
#include "VxDbError.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {
QSqlQuery select(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(sql)) throw EVxError(VxDbErrorText(q.lastError()));
    return q;
}
} // namespace

TVxOutputRates ReadOutputRates(const QSqlDatabase& db) {
    TVxOutputRates rates;
    // A type without a length or weight gives no weight, as in the report.
    QSqlQuery warps =
        select(db, QStringLiteral("select warptype, warplen, warpwgt from warptype "
                                  "where warplen is not null and warpwgt is not null"));
    while (warps.next())
        rates.Warps.insert(warps.value(0).toString(),
                           {warps.value(1).toDouble(), warps.value(2).toDouble()});
    // The output report looks a fabric up by structure and colour and takes
    // the first row it finds.
    QSqlQuery fabrics =
        select(db, QStringLiteral("select fabricstru, fabriccol, piecelen "
                                  "from fabrictype order by fabricstru, fabriccol"));
    while (fabrics.next()) {
        const QString key =
            TVxOutputRates::FabricKey(fabrics.value(0).toString(), fabrics.value(1).toString());
        if (!rates.PieceLengths.contains(key))
            rates.PieceLengths.insert(key, fabrics.value(2).toDouble());
    }
    return rates;
}
