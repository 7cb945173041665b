// SPDX-License-Identifier: GPL-3.0-or-later
#include "DbSchema.h"

#include "RefText.h"
#include "SchedDB.h"
#include "VxAbort.h"
#include "VxDbError.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <functional>

namespace {
// Text columns carry a length check too, so SQLite refuses over-long text as
// PostgreSQL does.
QString text(const char* name, int size, bool required) {
    return QStringLiteral("%1 varchar(%2)%3 check (length(%1) <= %2)")
        .arg(QLatin1String(name))
        .arg(size)
        .arg(required ? QStringLiteral(" not null") : QString());
}
QString integer(const char* name, bool required) {
    return QLatin1String(name) + QStringLiteral(" integer") +
           (required ? QStringLiteral(" not null") : QString());
}
QString real(const char* name, bool required) {
    return QLatin1String(name) + QStringLiteral(" double precision") +
           (required ? QStringLiteral(" not null") : QString());
}
QString date(const char* name) {
    return QLatin1String(name) + QStringLiteral(" date");
}

// Stored scenarios find a loom by its position, and the planner knows it by
// its reference: two looms never share either.
const struct {
    const char* Index;
    const char* Column;
} LoomKeys[] = {{"LOOMSPEC_POSN_KEY", "POSN"}, {"LOOMSPEC_REF_KEY", "REF"}};

QString uniqueIndex(const char* index, const char* table, const char* column) {
    return QStringLiteral("create unique index %1 on %2 (%3)")
        .arg(QLatin1String(index), QLatin1String(table), QLatin1String(column));
}

TDbTableDef table(const char* name, const QStringList& columns, bool reference,
                  const QStringList& indexes = {}) {
    TDbTableDef def{QLatin1String(name), {}, reference};
    def.Statements
        << QStringLiteral("create table %1 (%2)").arg(def.Name, columns.join(QStringLiteral(", ")));
    for (const QString& index : indexes) {
        const QString columnsOf = index;
        QString indexName =
            def.Name + QLatin1Char('_') + QString(index).remove(' ').replace(',', '_');
        def.Statements
            << QStringLiteral("create index %1 on %2 (%3)").arg(indexName, def.Name, columnsOf);
    }
    return def;
}

TDbTableDef loomSpecTable() {
    TDbTableDef def = table("LOOMSPEC",
                            {text("REF", 12, true), integer("POSN", true), text("TYPE", 25, true),
                             text("DESCR", 25, true)},
                            true);
    for (const auto& key : LoomKeys)
        def.Statements << uniqueIndex(key.Index, "LOOMSPEC", key.Column);
    return def;
}

[[noreturn]] void throwSql(const QSqlQuery& q) {
    throw EVxError(VxDbErrorText(q.lastError()));
}

void exec(QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql)) throwSql(q);
}

// Reads one sample file line by line and inserts one row per non-empty line.
// Fields are taken by position; an empty optional number is stored empty.
class TSeeder {
public:
    TSeeder(QSqlDatabase& db, const QString& folder) : m_db(db), m_folder(folder) {}

    using Field = std::function<QVariant(const QString& line)>;

    void seed(const QString& table, const QString& fileName, const QStringList& columns,
              const QList<Field>& fields) {
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i)
            marks << QStringLiteral("?");
        QSqlQuery insert(m_db);
        if (!insert.prepare(QStringLiteral("insert into %1 (%2) values (%3)")
                                .arg(table, columns.join(", "), marks.join(", "))))
            throwSql(insert);
        TRefTextLoader loader(m_folder);
        TRefLineReader reader(loader.PathOf(fileName), fileName);
        QString line;
        int lineNo = 0;
        while (reader.Next(line)) {
            ++lineNo;
            if (line.isEmpty()) continue;
            try {
                for (const Field& f : fields)
                    insert.addBindValue(f(line));
            } catch (const EVxError& e) {
                throw EVxError(QCoreApplication::translate(
                                   "DbSchema", "Cannot fill %1 from \"%2\", line %3: %4")
                                   .arg(table, fileName)
                                   .arg(lineNo)
                                   .arg(e.message()));
            }
            if (!insert.exec())
                throw EVxError(QCoreApplication::translate(
                                   "DbSchema", "Cannot fill %1 from \"%2\", line %3: %4")
                                   .arg(table, fileName)
                                   .arg(lineNo)
                                   .arg(VxDbErrorText(insert.lastError())));
        }
    }

    static Field str(int n) {
        return [n](const QString& line) {
            const QString v = GetCsvField(line, n);
            return v.isEmpty() ? QVariant() : QVariant(v);
        };
    }
    static Field num(int n, bool isInt, const QString& column) {
        return [n, isInt, column](const QString& line) {
            const QString v = GetCsvField(line, n);
            if (v.isEmpty()) return QVariant();
            const QVariant value = isInt ? QVariant(CsvToInt(v)) : QVariant(CsvToDouble(v));
            CheckRefField(n, column, value.toDouble());
            return value;
        };
    }
    // Downtime descriptions: the whole line without one trailing comma.
    static Field wholeLine() {
        return [](const QString& line) {
            QString v = line;
            if (v.endsWith(QLatin1Char(','))) v.chop(1);
            return v.isEmpty() ? QVariant() : QVariant(v);
        };
    }

private:
    QSqlDatabase& m_db;
    QString m_folder;
};

void seedTable(QSqlDatabase& db, const QString& table, const QString& folder) {
    TSeeder s(db, folder);
    using S = TSeeder;
    if (table == "LOOMSPEC")
        s.seed(table, LoomSpecFile, {"REF", "POSN", "TYPE", "DESCR"},
               {S::str(1), S::num(2, true, "POSN"), S::str(3), S::str(4)});
    else if (table == "WARPTYPE")
        s.seed(table, WarpTypeFile,
               {"WARPTYPE", "TOTALENDS", "DENTSPERCM", "AVEHRS", "GREIGELENPERCENT", "WARPLEN",
                "WARPWGT"},
               {S::str(1), S::num(2, true, "TOTALENDS"), S::num(3, false, "DENTSPERCM"),
                S::num(4, false, "AVEHRS"), S::num(5, false, "GREIGELENPERCENT"),
                S::num(6, true, "WARPLEN"), S::num(7, false, "WARPWGT")});
    else if (table == "FABRICTYPE")
        s.seed(table, FabricTypeFile,
               {"FABRICSTRU", "FABRICCOL", "WARPTYPE", "WARPCOL", "WEFTSTRU", "WEFTTWIST",
                "WEFTCOL", "PIECELEN", "WARPPCEWGT", "WEFTPCEWGT", "HRSPERPIECE"},
               {S::str(1), S::str(2), S::str(3), S::str(4), S::str(5), S::str(6), S::str(7),
                S::num(8, true, "PIECELEN"), S::num(9, false, "WARPPCEWGT"),
                S::num(10, false, "WEFTPCEWGT"), S::num(11, false, "HRSPERPIECE")});
    else if (table == "STRULOOM")
        s.seed(table, StruLoomFile, {"FABRICSTRU", "LOOMTYPE"}, {S::str(1), S::str(2)});
    else if (table == "DOWNTIMETYPE")
        s.seed(table, DowntimeTypeFile, {"DESCR"}, {S::wholeLine()});
}
} // namespace

const QList<TDbTableDef>& PlannerTables() {
    static const QList<TDbTableDef> tables = {
        loomSpecTable(),
        table("WARPTYPE",
              {text("WARPTYPE", 1, true), integer("WARPLEN", false), real("WARPWGT", false),
               integer("TOTALENDS", false), real("DENTSPERCM", false), real("AVEHRS", false),
               real("GREIGELENPERCENT", false)},
              true, {"WARPTYPE"}),
        table("FABRICTYPE",
              {text("FABRICSTRU", 2, true), text("FABRICCOL", 3, true), text("WARPTYPE", 2, true),
               text("WARPCOL", 3, true), text("WEFTSTRU", 4, true), text("WEFTTWIST", 2, true),
               text("WEFTCOL", 3, true), integer("PIECELEN", true), real("WARPPCEWGT", false),
               real("WEFTPCEWGT", false), real("HRSPERPIECE", false)},
              true, {"FABRICSTRU, FABRICCOL"}),
        table("STRULOOM",
              {text("FABRICSTRU", 2, true), text("LOOMTYPE", 25, true),
               "primary key (FABRICSTRU, LOOMTYPE)"},
              true),
        table("DOWNTIMETYPE", {text("DESCR", 20, true)}, true, {"DESCR"}),
        table("SCENARIO",
              {integer("SCENARIONO", true), text("DESCR", 25, false), "primary key (SCENARIONO)"},
              false),
        table("REEDJOB",
              {integer("SCENARIONO", true), integer("LOOMNO", true), integer("JOBNO", true),
               integer("PLACENO", true), integer("TOTALENDS", true), real("DENTSPERCM", true),
               date("STARTDATE"), date("ENDDATE")},
              false, {"SCENARIONO"}),
        table("WEAVEJOB",
              {integer("SCENARIONO", true), integer("LOOMNO", true), integer("JOBNO", true),
               integer("PLACENO", true), text("WARPTYPE", 2, true), text("WARPCOL", 3, true),
               integer("WARPLEN", true), date("STARTDATE"), date("ENDDATE"),
               "primary key (SCENARIONO, JOBNO)"},
              false, {"SCENARIONO"}),
        table("DOWNTIMEJOB",
              {integer("SCENARIONO", true), integer("LOOMNO", true), integer("JOBNO", true),
               integer("PLACENO", true), text("DESCR", 20, true), date("STARTDATE"),
               date("ENDDATE")},
              false, {"SCENARIONO"}),
        table("WEAVEITEM",
              {integer("SCENARIONO", true), integer("SCHEDULENO", true), integer("JOBNO", true),
               integer("ITEMNO", true), integer("PLACENO", true), text("FABRICSTRU", 2, true),
               text("FABRICCOL", 3, true), text("WEFTCOL", 3, true), integer("WEFTPCS", true)},
              false, {"SCENARIONO"}),
    };
    return tables;
}

QStringList MissingPlannerTables(const QSqlDatabase& db) {
    const QStringList present = db.tables(QSql::Tables);
    QStringList missing;
    for (const TDbTableDef& def : PlannerTables())
        if (!present.contains(def.Name, Qt::CaseInsensitive)) missing << def.Name;
    return missing;
}

void CreatePlannerTables(QSqlDatabase& db, const QStringList& missing, const QString& seedFolder) {
    for (const TDbTableDef& def : PlannerTables()) {
        if (!missing.contains(def.Name)) continue;
        for (const QString& sql : def.Statements)
            exec(db, sql);
        if (def.Reference) seedTable(db, def.Name, seedFolder);
    }
}

namespace {
bool indexExists(const QSqlDatabase& db, const QString& index) {
    QSqlQuery q(db);
    if (db.driverName() == QLatin1String("QSQLITE"))
        q.prepare(QStringLiteral("select 1 from sqlite_master where type = 'index' and "
                                 "lower(name) = lower(?)"));
    else
        q.prepare(QStringLiteral("select 1 from pg_indexes where schemaname = current_schema() "
                                 "and indexname = lower(?)"));
    q.addBindValue(index);
    if (!q.exec()) throwSql(q);
    return q.next();
}

// "position 101: L01 (R01 190cm), L15 (A06 190cm)" for each shared value.
QStringList sharedLoomValues(const QSqlDatabase& db, const char* column) {
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("select %1, ref, descr from loomspec where %1 in (select %1 from "
                               "loomspec group by %1 having count(*) > 1) order by %1, ref")
                    .arg(QLatin1String(column))))
        throwSql(q);
    const QString line = QLatin1String(column) == QLatin1String("POSN")
                             ? QCoreApplication::translate("DbSchema", "position %1: %2")
                             : QCoreApplication::translate("DbSchema", "reference %1: %2");
    QStringList shared;
    QString value;
    QStringList looms;
    auto flush = [&] {
        if (!looms.isEmpty()) shared << line.arg(value, looms.join(QStringLiteral(", ")));
        looms.clear();
    };
    while (q.next()) {
        if (q.value(0).toString() != value) flush();
        value = q.value(0).toString();
        looms << QStringLiteral("%1 (%2)").arg(q.value(1).toString(), q.value(2).toString());
    }
    flush();
    return shared;
}
} // namespace

QStringList AddLoomKeys(QSqlDatabase& db) {
    const QString driver = db.driverName();
    if (driver != QLatin1String("QSQLITE") && driver != QLatin1String("QPSQL")) return {};
    QStringList shared;
    for (const auto& key : LoomKeys) {
        if (indexExists(db, QLatin1String(key.Index))) continue;
        const QStringList values = sharedLoomValues(db, key.Column);
        if (values.isEmpty())
            exec(db, uniqueIndex(key.Index, "LOOMSPEC", key.Column));
        else
            shared << values;
    }
    return shared;
}
