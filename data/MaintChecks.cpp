// SPDX-License-Identifier: GPL-3.0-or-later
#include "MaintChecks.h"

#include "SchedDB.h"
#include "VxAbort.h"
#include "VxDataSet.h"
#include "VxDbError.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <vector>

namespace {
// A reference column that names a key.
struct TKeyColumn {
    const char* Table;
    const char* Field;
    const char* KeysSql;
    // "<label>: the <what> is written <key>, not <value>".
    const char* Misspelt;
    // The question before a new key is entered; without one, a value
    // missing from Refusal's keys is refused ("<label>", value, the keys).
    const char* NewKey;
    const char* Refusal = nullptr;
};

const TKeyColumn KeyColumns[] = {
    {"LOOMSPEC", "TYPE", "select type from loomspec union select loomtype from struloom",
     QT_TRANSLATE_NOOP("TMaintChecks", "%1: the loom type is written %2, not %3"),
     QT_TRANSLATE_NOOP("TMaintChecks", "No loom has the type %1 yet, and no fabric structure can "
                                       "go on it. Enter %1 as a new loom type?")},
    {"FABRICTYPE", "FABRICSTRU", "select fabricstru from fabrictype",
     QT_TRANSLATE_NOOP("TMaintChecks", "%1: the fabric structure is written %2, not %3"),
     QT_TRANSLATE_NOOP("TMaintChecks",
                       "No fabric has the structure %1 yet. Enter %1 as a new fabric structure?")},
    {"FABRICTYPE", "WARPTYPE", "select warptype from warptype",
     QT_TRANSLATE_NOOP("TMaintChecks", "%1: the warp type is written %2, not %3"), nullptr,
     QT_TRANSLATE_NOOP("TMaintChecks", "%1: there is no warp type %2. The warp types are %3; add "
                                       "a new one on the Warps page first.")},
    {"FABRICTYPE", "WARPCOL", "select warpcol from fabrictype",
     QT_TRANSLATE_NOOP("TMaintChecks", "%1: the warp colour is written %2, not %3"),
     QT_TRANSLATE_NOOP("TMaintChecks", "No fabric is woven on a warp of colour %1 yet. Enter %1 "
                                       "as a new warp colour?")},
};

struct TLoomRow {
    QString Ref;
    int Posn = 0;
    QString Descr;
    QString Name() const { return QStringLiteral("%1 (%2)").arg(Ref, Descr); }
};

QSqlQuery run(TSchedDB& db, const QString& sql, const QVariantList& binds = {}) {
    QSqlQuery q(db.Database());
    q.setForwardOnly(true);
    bool ok = q.prepare(sql);
    for (int i = 0; ok && i < binds.size(); ++i)
        q.bindValue(i, binds[i]);
    if (!ok || !q.exec()) throw EVxError(VxDbErrorText(q.lastError()));
    return q;
}

// The looms with this position or reference, other than the row being
// edited (whose stored values are oldRef and oldPosn).
std::vector<TLoomRow> otherLooms(TSchedDB& db, int posn, const QString& ref, const QVariant& oldRef,
                                 const QVariant& oldPosn) {
    QSqlQuery q = run(db,
                      QStringLiteral("select ref, posn, descr from loomspec "
                                     "where posn = ? or ref = ? order by ref"),
                      {posn, ref});
    std::vector<TLoomRow> looms;
    bool skipped = oldRef.isNull();
    while (q.next()) {
        TLoomRow loom{q.value(0).toString(), q.value(1).toInt(), q.value(2).toString()};
        if (!skipped && loom.Ref == oldRef.toString() && loom.Posn == oldPosn.toInt()) {
            skipped = true;
            continue;
        }
        looms.push_back(loom);
    }
    return looms;
}

QString labelOf(const TVxTable& table, const QString& field) {
    const int i = table.FieldIndex(field);
    return i < 0 ? field : table.Fields()[i].DisplayLabel;
}

bool changed(const TVxTable& table, const QString& field) {
    return table.State() == TVxDataSetState::Insert ||
           table.OldValue(field).toString() != table.Value(field).toString();
}
} // namespace

TMaintChecks::TMaintChecks(TSchedDB& db) : m_db(db) {}

QStringList TMaintChecks::Choices(const QString& table, const QString& field) const {
    for (const TKeyColumn& column : KeyColumns) {
        if (table != QLatin1String(column.Table) || field != QLatin1String(column.Field)) continue;
        QSqlQuery q = run(m_db, QLatin1String(column.KeysSql));
        QStringList keys;
        while (q.next())
            if (!q.value(0).toString().isEmpty()) keys << q.value(0).toString();
        // Sorted here: a server sorts by its own collation.
        keys.sort();
        keys.removeDuplicates();
        return keys;
    }
    return {};
}

int TMaintChecks::ScenariosOnLoom(int posn) const {
    QSqlQuery q = run(m_db,
                      QStringLiteral("select count(*) from (select scenariono from reedjob where "
                                     "loomno = ? union select scenariono from weavejob where "
                                     "loomno = ? union select scenariono from downtimejob where "
                                     "loomno = ?) used"),
                      {posn, posn, posn});
    return q.next() ? q.value(0).toInt() : 0;
}

TMaintVerdict TMaintChecks::BeforePost(const TVxTable& table) const {
    if (table.TableName() == QLatin1String("LOOMSPEC")) {
        QString refusal = loomRefusal(table);
        if (refusal.isEmpty() && table.State() == TVxDataSetState::Edit &&
            changed(table, QStringLiteral("POSN")))
            refusal = inUseRefusal(table, tr("its position %1 cannot change")
                                              .arg(table.OldValue(QStringLiteral("POSN")).toInt()));
        if (!refusal.isEmpty()) return {refusal, {}};
    }
    return keyVerdict(table);
}

TMaintVerdict TMaintChecks::BeforeDelete(const TVxTable& table) const {
    if (table.TableName() != QLatin1String("LOOMSPEC") || table.IsEmpty()) return {};
    return {inUseRefusal(table, tr("it cannot be deleted")), {}};
}

QString TMaintChecks::loomRefusal(const TVxTable& looms) const {
    const int posn = looms.AsInteger(QStringLiteral("POSN"));
    const QString ref = looms.AsString(QStringLiteral("REF"));
    for (const TLoomRow& other : otherLooms(m_db, posn, ref, looms.OldValue(QStringLiteral("REF")),
                                            looms.OldValue(QStringLiteral("POSN")))) {
        if (other.Posn == posn)
            return tr("Position %1 is already used by loom %2")
                .arg(QString::number(posn), other.Name());
        if (other.Ref == ref)
            return tr("Ref %1 is already used by the loom at position %2 (%3)")
                .arg(ref, QString::number(other.Posn), other.Descr);
    }
    return QString();
}

QString TMaintChecks::inUseRefusal(const TVxTable& looms, const QString& action) const {
    const QVariant oldRef = looms.OldValue(QStringLiteral("REF"));
    const QVariant oldPosn = looms.OldValue(QStringLiteral("POSN"));
    // Another loom sharing the position keeps the stored jobs on a loom.
    for (const TLoomRow& other : otherLooms(m_db, oldPosn.toInt(), QString(), oldRef, oldPosn))
        if (other.Posn == oldPosn.toInt()) return QString();
    const int scenarios = ScenariosOnLoom(oldPosn.toInt());
    if (scenarios == 0) return QString();
    const TLoomRow loom{oldRef.toString(), oldPosn.toInt(),
                        looms.OldValue(QStringLiteral("DESCR")).toString()};
    return (scenarios == 1
                ? tr("Loom %1 is used by %2 stored scenario: %3 while they hold jobs on it")
                : tr("Loom %1 is used by %2 stored scenarios: %3 while they hold jobs on it"))
        .arg(loom.Name(), QString::number(scenarios), action);
}

TMaintVerdict TMaintChecks::keyVerdict(const TVxTable& table) const {
    TMaintVerdict verdict;
    for (const TKeyColumn& column : KeyColumns) {
        const QString field = QLatin1String(column.Field);
        if (table.TableName() != QLatin1String(column.Table) || !changed(table, field)) continue;
        const QString value = table.AsString(field);
        const QStringList keys = Choices(table.TableName(), field);
        if (value.isEmpty() || keys.contains(value)) continue;
        const QString label = labelOf(table, field);
        const QString* spelt = nullptr;
        for (const QString& key : keys)
            if (key.compare(value, Qt::CaseInsensitive) == 0) spelt = &key;
        if (spelt)
            verdict.Refusal = tr(column.Misspelt).arg(label, *spelt, value);
        else if (!column.NewKey)
            verdict.Refusal = tr(column.Refusal).arg(label, value, keys.join(QStringLiteral(", ")));
        else
            verdict.Questions << tr(column.NewKey).arg(value);
        if (!verdict.Refusal.isEmpty()) return verdict;
    }
    return verdict;
}
