// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScenarioStore.h"

#include "SchedDB.h"
#include "VxAbort.h"
#include "VxDataSet.h"
#include "VxDate.h"
#include "VxDbError.h"
#include "VxNumbers.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <map>

namespace {
bool isSqlite(const QSqlDatabase& db) {
    return db.driverName() == QLatin1String("QSQLITE");
}

// Now in UTC, as a day number with the time of day as its fraction.
double nowUtc() {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    return VxDayOf(now.date()) + now.time().msecsSinceStartOfDay() / 86400000.0;
}

// A UTC day number as the planner's local time.
QDateTime localTimeOf(double utcDay) {
    const double whole = std::floor(utcDay);
    const QDateTime utc(
        VxDateOf(whole),
        QTime::fromMSecsSinceStartOfDay(int(std::lround((utcDay - whole) * 86400000.0))), Qt::UTC);
    return utc.toLocalTime();
}

// Whole days only; day 0 (none) stays empty.
QVariant dateValue(TDateTime day) {
    const double whole = std::trunc(day);
    return whole == 0 ? QVariant() : QVariant(VxDateOf(whole));
}

QVariant nullIfEmpty(const QString& text) {
    return text.isEmpty() ? QVariant() : QVariant(text);
}

QString marks(int count) {
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("?");
    return list.join(QStringLiteral(", "));
}

// Rows gathered into multi-row inserts: one statement (one round trip to a
// server) per batch, each statement prepared once.
class TBatchInsert {
public:
    using Fail = std::function<void(const QSqlError&)>;

    TBatchInsert(const QSqlDatabase& db, const Fail& fail, const std::function<void()>& beat,
                 const QString& table, const QStringList& columns, int rowsPerStatement)
        : m_db(db), m_fail(fail), m_beat(beat),
          m_head(QStringLiteral("insert into %1 (%2) values ")
                     .arg(table, columns.join(QStringLiteral(", ")))),
          m_columns(int(columns.size())), m_rowsPerStatement(std::max(1, rowsPerStatement)) {
        m_values.reserve(m_columns * m_rowsPerStatement);
    }

    void add(std::initializer_list<QVariant> row) {
        for (const QVariant& v : row)
            m_values << v;
        if (m_values.size() == m_columns * m_rowsPerStatement) flush();
    }

    void flush() {
        const int rows = int(m_values.size()) / m_columns;
        if (rows == 0) return;
        QSqlQuery& q = statementFor(rows);
        m_beat();
        for (int i = 0; i < m_values.size(); ++i)
            q.bindValue(i, m_values[i]);
        if (!q.exec()) m_fail(q.lastError());
        m_values.clear();
    }

private:
    QSqlQuery& statementFor(int rows) {
        auto found = m_statements.find(rows);
        if (found != m_statements.end()) return found->second;
        const QString one = QLatin1Char('(') + marks(m_columns) + QLatin1Char(')');
        QStringList all;
        for (int i = 0; i < rows; ++i)
            all << one;
        QSqlQuery q(m_db);
        if (!q.prepare(m_head + all.join(QStringLiteral(", ")))) m_fail(q.lastError());
        return m_statements.emplace(rows, std::move(q)).first->second;
    }

    QSqlDatabase m_db;
    Fail m_fail;
    std::function<void()> m_beat;
    QString m_head;
    int m_columns;
    int m_rowsPerStatement;
    QVariantList m_values;
    std::map<int, QSqlQuery> m_statements;
};

// A job as read, before it finds its place on its loom.
struct TReadJob {
    int LoomNo;
    int PlaceNo;
    TVxPlanJob Job;
};
struct TReadItem {
    int PlaceNo;
    TVxPlanItem Item;
};
} // namespace

EScenarioConflict::EScenarioConflict(const TScenarioStamp& stored)
    : EVxError([&stored] {
          const QDateTime when = localTimeOf(stored.SavedAt);
          const QString time = when.toString(QStringLiteral("HH:mm"));
          if (when.date() == QDate::currentDate())
              return QCoreApplication::translate(
                         "TScenarioStore",
                         "Scenario %1 was saved at %2 by another planner since you loaded it")
                  .arg(stored.ScenarioNo)
                  .arg(time);
          return QCoreApplication::translate("TScenarioStore",
                                             "Scenario %1 was saved on %2 at %3 by another "
                                             "planner since you loaded it")
              .arg(stored.ScenarioNo)
              .arg(VxDateToStr(VxDayOf(when.date())), time);
      }()),
      Stored(stored) {}

// Rolled back unless committed, so a failure or an exception anywhere in a
// write leaves the stored data as it was. A write takes SQLite's write lock
// at once: a transaction that reads first and then wants to write fails at
// once when another writer holds the lock, instead of waiting its turn. A
// read on a server sees one snapshot from its first statement to its end.
class TScenarioStore::TTransaction {
public:
    enum Kind { Read, Write };

    TTransaction(const TScenarioStore& store, Kind kind) : m_store(store), m_db(store.m_db) {
        m_store.beat();
        bool begun = false;
        QSqlError error;
        if (kind == Write && isSqlite(m_db)) {
            QSqlQuery begin(m_db);
            begun = begin.exec(QStringLiteral("begin immediate"));
            error = begin.lastError();
        } else {
            begun = m_db.transaction();
            error = m_db.lastError();
        }
        if (!begun) throw VxDbError(m_db, error);
        m_open = true;
        m_store.m_open = this;
        if (kind == Read && m_db.driverName() == QLatin1String("QPSQL")) {
            // Not a statement a server prepares: run as it stands.
            QSqlQuery snapshot(m_db);
            if (!snapshot.exec(
                    QStringLiteral("set transaction isolation level repeatable read, read only")))
                m_store.fail(snapshot.lastError());
        }
    }
    ~TTransaction() {
        rollback();
        m_store.m_open = nullptr;
    }
    void rollback() {
        if (m_open) m_db.rollback();
        m_open = false;
    }
    void commit() {
        m_store.beat();
        if (!m_db.commit()) m_store.fail(m_db.lastError());
        m_open = false;
    }
    TTransaction(const TTransaction&) = delete;
    TTransaction& operator=(const TTransaction&) = delete;

private:
    const TScenarioStore& m_store;
    QSqlDatabase m_db;
    bool m_open = false;
};

TScenarioStore::TScenarioStore(const QSqlDatabase& db) : m_db(db) {}

void TScenarioStore::fail(const QSqlError& error) const {
    // Rolled back at once: a server refuses even the clean-up of the
    // statements inside a failed transaction.
    const EVxDbError failure = VxDbError(m_db, error);
    if (m_open) m_open->rollback();
    throw failure;
}

void TScenarioStore::beat() const {
    if (BeforeStatement) BeforeStatement();
}

QSqlQuery TScenarioStore::run(const QString& sql, const QVariantList& binds) const {
    beat();
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.prepare(sql)) fail(q.lastError());
    for (int i = 0; i < binds.size(); ++i)
        q.bindValue(i, binds[i]);
    if (!q.exec()) fail(q.lastError());
    return q;
}

bool TScenarioStore::hasStamps() const {
    // Older databases, and read-only ones that could not be brought up to
    // date, keep their scenarios without them.
    if (!m_stamps) m_stamps = !m_db.record(QStringLiteral("scenariosave")).isEmpty();
    return *m_stamps;
}

TScenarioStamp TScenarioStore::readStamp(int scenarioNo) const {
    if (!hasStamps()) return TScenarioStamp{scenarioNo, 0, 0};
    QSqlQuery q =
        run(QStringLiteral("select saveno, savedat from scenariosave where scenariono = ?"),
            {scenarioNo});
    if (!q.next()) return TScenarioStamp{scenarioNo, 0, 0};
    return TScenarioStamp{scenarioNo, q.value(0).toInt(), q.value(1).toDouble()};
}

void TScenarioStore::writeStamp(const TScenarioStamp& stamp) {
    if (!hasStamps()) return;
    run(QStringLiteral("delete from scenariosave where scenariono = ?"), {stamp.ScenarioNo});
    run(QStringLiteral("insert into scenariosave (scenariono, saveno, savedat) values (?, ?, ?)"),
        {stamp.ScenarioNo, stamp.SaveNo, stamp.SavedAt});
}

int TScenarioStore::MaxScenarioNo() const {
    QSqlQuery q = run(QStringLiteral("select max(scenariono) from scenario"), {});
    return q.next() ? TVxDataSet::VariantToInt(q.value(0)) : 0;
}

QVector<TScenarioInfo> TScenarioStore::List() const {
    QSqlQuery q =
        run(QStringLiteral("select scenariono, descr from scenario order by scenariono"), {});
    QVector<TScenarioInfo> list;
    while (q.next())
        list.append({q.value(0).toInt(), q.value(1).toString()});
    return list;
}

std::optional<TScenarioInfo> TScenarioStore::Find(int scenarioNo) const {
    QSqlQuery q =
        run(QStringLiteral("select descr from scenario where scenariono = ?"), {scenarioNo});
    if (!q.next()) return std::nullopt;
    return TScenarioInfo{scenarioNo, q.value(0).toString()};
}

void TScenarioStore::checkDescr(const QString& descr) const {
    if (descr.size() > DescrLength)
        throw EVxError(QCoreApplication::translate("TScenarioStore",
                                                   "A description holds at most %1 characters")
                           .arg(DescrLength));
}

std::optional<TScenarioStamp> TScenarioStore::lockScenario(int scenarioNo) {
    // SQLite's write lock covers the whole database already.
    const QString lock = isSqlite(m_db) ? QString() : QStringLiteral(" for update");
    if (!run(QStringLiteral("select scenariono from scenario where scenariono = ?") + lock,
             {scenarioNo})
             .next())
        return std::nullopt;
    return readStamp(scenarioNo);
}

void TScenarioStore::insertScenario(int scenarioNo, const QString& descr,
                                    const TScenarioStamp& stamp) {
    const QString already =
        QCoreApplication::translate("TScenarioStore",
                                    "Scenario number %1 is already stored: another planner has "
                                    "just saved under it. Save again under another number.")
            .arg(scenarioNo);
    // Under the write lock on SQLite; a server's key check below catches
    // the save of another planner that is still under way.
    if (Find(scenarioNo)) throw EVxError(already);
    beat();
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("insert into scenario (scenariono, descr) values (?, ?)"));
    q.addBindValue(scenarioNo);
    q.addBindValue(nullIfEmpty(descr));
    if (!q.exec()) {
        if (q.lastError().nativeErrorCode() != QLatin1String("23505")) fail(q.lastError());
        // unique_violation: that save was committed first.
        if (m_open) m_open->rollback();
        throw EVxError(already, VxDbErrorText(q.lastError()));
    }
    writeStamp(stamp);
}

TScenarioStamp TScenarioStore::Save(int scenarioNo, const QString& descr, const TVxPlan& plan,
                                    TScenarioSaveMode mode, const Progress& progress,
                                    const std::optional<TScenarioStamp>& known) {
    checkDescr(descr);
    TTransaction transaction(*this, TTransaction::Write);
    TScenarioStamp stamp{scenarioNo, 1, nowUtc()};
    if (mode == TScenarioSaveMode::New) {
        insertScenario(scenarioNo, descr, stamp);
    } else {
        const std::optional<TScenarioStamp> stored = lockScenario(scenarioNo);
        if (!stored)
            throw EVxError(
                QCoreApplication::translate("TScenarioStore", "Scenario number %1 not found")
                    .arg(scenarioNo));
        if (known && known->ScenarioNo == scenarioNo && hasStamps() &&
            stored->SaveNo != known->SaveNo)
            throw EScenarioConflict(*stored);
        QVector<int> looms;
        for (const TVxPlanLoom& loom : plan.Looms)
            looms << loom.ScheduleNo;
        deleteLoomRows(scenarioNo, looms);
        // The count wraps round rather than overflow: only a change matters.
        stamp.SaveNo = stored->SaveNo == std::numeric_limits<int>::max() ? 1 : stored->SaveNo + 1;
        run(QStringLiteral("update scenario set descr = ? where scenariono = ?"),
            {nullIfEmpty(descr), scenarioNo});
        writeStamp(stamp);
    }
    writeJobs(scenarioNo, plan, progress);
    transaction.commit();
    if (!hasStamps()) stamp = TScenarioStamp{scenarioNo, 0, 0};
    return stamp;
}

void TScenarioStore::deleteLoomRows(int scenarioNo, const QVector<int>& scheduleNos) {
    // Bound loom lists in slices, well under every engine's parameter limit.
    const int slice = 500;
    for (int from = 0; from < scheduleNos.size(); from += slice) {
        const QVector<int> part = scheduleNos.mid(from, slice);
        QVariantList binds{scenarioNo};
        for (int no : part)
            binds << no;
        const QString in = QStringLiteral("loomno in (") + marks(int(part.size())) + ')';
        // Items follow their warp jobs, so they go first.
        run(QStringLiteral("delete from weaveitem where scenariono = ? and jobno in "
                           "(select jobno from weavejob where scenariono = ? and ") +
                in + ')',
            QVariantList{scenarioNo} + binds);
        for (const char* table : {"weavejob", "reedjob", "downtimejob"})
            run(QStringLiteral("delete from %1 where scenariono = ? and ")
                        .arg(QLatin1String(table)) +
                    in,
                binds);
    }
}

void TScenarioStore::writeJobs(int scenarioNo, const TVxPlan& plan, const Progress& progress) {
    const TBatchInsert::Fail failed = [this](const QSqlError& error) { fail(error); };
    const std::function<void()> beating = [this] { beat(); };
    TBatchInsert reeds(m_db, failed, beating, QStringLiteral("reedjob"),
                       {"scenariono", "loomno", "jobno", "placeno", "totalends", "dentspercm",
                        "startdate", "enddate"},
                       RowsPerInsert);
    TBatchInsert warps(m_db, failed, beating, QStringLiteral("weavejob"),
                       {"scenariono", "loomno", "jobno", "placeno", "warptype", "warpcol",
                        "warplen", "startdate", "enddate"},
                       RowsPerInsert);
    TBatchInsert downtimes(
        m_db, failed, beating, QStringLiteral("downtimejob"),
        {"scenariono", "loomno", "jobno", "placeno", "descr", "startdate", "enddate"},
        RowsPerInsert);
    TBatchInsert items(m_db, failed, beating, QStringLiteral("weaveitem"),
                       {"scenariono", "scheduleno", "jobno", "itemno", "placeno", "fabricstru",
                        "fabriccol", "weftcol", "weftpcs"},
                       RowsPerInsert);
    const int count = int(plan.Looms.size());
    for (int l = 0; l < count; ++l) {
        const TVxPlanLoom& loom = plan.Looms[l];
        if (progress) progress(l, count, loom.ScheduleNo);
        for (int p = 0; p < loom.Jobs.size(); ++p) {
            const TVxPlanJob& job = loom.Jobs[p];
            const QVariant start = dateValue(job.StartDate), finish = dateValue(job.FinishDate);
            switch (job.Kind) {
            case TVxPlanJobKind::Reed:
                reeds.add({scenarioNo, loom.ScheduleNo, job.JobNo, p, job.TotalEnds,
                           double(job.DentsPerCm), start, finish});
                break;
            case TVxPlanJobKind::Downtime:
                downtimes.add({scenarioNo, loom.ScheduleNo, job.JobNo, p, nullIfEmpty(job.Descr),
                               start, finish});
                break;
            case TVxPlanJobKind::Warp:
                warps.add({scenarioNo, loom.ScheduleNo, job.JobNo, p, nullIfEmpty(job.WarpType),
                           nullIfEmpty(job.WarpCol), job.WarpLen, start, finish});
                for (int q = 0; q < job.Items.size(); ++q) {
                    const TVxPlanItem& item = job.Items[q];
                    items.add({scenarioNo, loom.ScheduleNo, job.JobNo, item.ItemNo, q,
                               nullIfEmpty(item.FabricStru), nullIfEmpty(item.FabricCol),
                               nullIfEmpty(item.WeftCol), item.Pieces});
                }
                break;
            }
        }
    }
    // Jobs before items, so a server checking keys sees the warps first.
    for (TBatchInsert* batch : {&reeds, &downtimes, &warps, &items})
        batch->flush();
}

TVxPlan TScenarioStore::Load(int scenarioNo, const QVector<int>& scheduleNos,
                             QMap<int, int>* missingLooms, TScenarioStamp* stamp) const {
    TTransaction transaction(*this, TTransaction::Read);
    if (stamp) *stamp = readStamp(scenarioNo);
    TVxPlan plan;
    QHash<int, int> loomIndex; // loom number -> position in plan.Looms
    for (int no : scheduleNos) {
        loomIndex.insert(no, int(plan.Looms.size()));
        TVxPlanLoom loom;
        loom.ScheduleNo = no;
        plan.Looms.append(loom);
    }
    int maxJobNo = 0, maxItemNo = 0;
    std::vector<TReadJob> jobs;
    auto readJobs = [&](const QString& sql, TVxPlanJobKind kind,
                        const std::function<void(const QSqlQuery&, TVxPlanJob&)>& fill) {
        QSqlQuery q = run(sql, {scenarioNo});
        while (q.next()) {
            const int jobNo = q.value(1).toInt();
            maxJobNo = std::max(maxJobNo, jobNo);
            TReadJob read{q.value(0).toInt(), q.value(2).toInt(), {}};
            read.Job.Kind = kind;
            read.Job.JobNo = jobNo;
            read.Job.StartDate = TVxDataSet::VariantToDate(q.value(3));
            read.Job.FinishDate = TVxDataSet::VariantToDate(q.value(4));
            fill(q, read.Job);
            if (loomIndex.contains(read.LoomNo))
                jobs.push_back(std::move(read));
            else if (missingLooms)
                ++(*missingLooms)[read.LoomNo];
        }
    };
    // Reeds, then downtimes, then warps: the order places fall back on when
    // two jobs claim the same place.
    readJobs(QStringLiteral("select loomno, jobno, placeno, startdate, enddate, totalends, "
                            "dentspercm from reedjob where scenariono = ?"),
             TVxPlanJobKind::Reed, [](const QSqlQuery& q, TVxPlanJob& job) {
                 job.TotalEnds = q.value(5).toInt();
                 job.DentsPerCm = float(q.value(6).toDouble());
             });
    readJobs(QStringLiteral("select loomno, jobno, placeno, startdate, enddate, descr "
                            "from downtimejob where scenariono = ?"),
             TVxPlanJobKind::Downtime,
             [](const QSqlQuery& q, TVxPlanJob& job) { job.Descr = q.value(5).toString(); });
    readJobs(QStringLiteral("select loomno, jobno, placeno, startdate, enddate, warptype, "
                            "warpcol, warplen from weavejob where scenariono = ?"),
             TVxPlanJobKind::Warp, [](const QSqlQuery& q, TVxPlanJob& job) {
                 job.WarpType = q.value(5).toString();
                 job.WarpCol = q.value(6).toString();
                 job.WarpLen = q.value(7).toInt();
             });

    // Items are matched to their warp by job number alone.
    QHash<int, std::vector<TReadItem>> itemsOfJob;
    {
        QSqlQuery q = run(QStringLiteral("select jobno, placeno, itemno, fabricstru, fabriccol, "
                                         "weftcol, weftpcs from weaveitem where scenariono = ?"),
                          {scenarioNo});
        while (q.next()) {
            TReadItem read{q.value(1).toInt(), {}};
            read.Item.ItemNo = q.value(2).toInt();
            read.Item.FabricStru = q.value(3).toString();
            read.Item.FabricCol = q.value(4).toString();
            read.Item.WeftCol = q.value(5).toString();
            read.Item.Pieces = q.value(6).toInt();
            maxItemNo = std::max(maxItemNo, read.Item.ItemNo);
            itemsOfJob[q.value(0).toInt()].push_back(std::move(read));
        }
    }

    std::stable_sort(jobs.begin(), jobs.end(), [](const TReadJob& a, const TReadJob& b) {
        return a.LoomNo != b.LoomNo ? a.LoomNo < b.LoomNo : a.PlaceNo < b.PlaceNo;
    });
    for (TReadJob& read : jobs) {
        if (read.Job.Kind == TVxPlanJobKind::Warp) {
            auto found = itemsOfJob.find(read.Job.JobNo);
            if (found != itemsOfJob.end()) {
                std::vector<TReadItem>& items = *found;
                std::stable_sort(
                    items.begin(), items.end(),
                    [](const TReadItem& a, const TReadItem& b) { return a.PlaceNo < b.PlaceNo; });
                read.Job.Items.reserve(int(items.size()));
                for (TReadItem& item : items)
                    read.Job.Items.append(std::move(item.Item));
            }
        }
        plan.Looms[loomIndex.value(read.LoomNo)].Jobs.append(std::move(read.Job));
    }
    transaction.commit();
    plan.NextJobNo = VxNextAfter(maxJobNo);
    plan.NextItemNo = VxNextAfter(maxItemNo);
    return plan;
}

QString TScenarioStore::MissingLoomsText(const QMap<int, int>& missingLooms) {
    QStringList lines;
    for (auto it = missingLooms.cbegin(); it != missingLooms.cend(); ++it)
        lines << (it.value() == 1 ? QCoreApplication::translate(
                                        "TScenarioStore",
                                        "1 job of this scenario is on loom %1, which no longer "
                                        "exists; it was not loaded")
                                        .arg(it.key())
                                  : QCoreApplication::translate(
                                        "TScenarioStore",
                                        "%1 jobs of this scenario are on loom %2, which no longer "
                                        "exists; they were not loaded")
                                        .arg(it.value())
                                        .arg(it.key()));
    if (lines.isEmpty()) return QString();
    return lines.join(QLatin1Char('\n')) +
           QCoreApplication::translate(
               "TScenarioStore",
               "\n\nThey stay stored: a loom given that position again shows them.");
}

void TScenarioStore::Describe(int scenarioNo, const QString& descr) {
    checkDescr(descr);
    TTransaction transaction(*this, TTransaction::Write);
    QSqlQuery q = run(QStringLiteral("update scenario set descr = ? where scenariono = ?"),
                      {nullIfEmpty(descr), scenarioNo});
    if (q.numRowsAffected() == 0)
        throw EVxError(QCoreApplication::translate("TScenarioStore", "Scenario number %1 not found")
                           .arg(scenarioNo));
    transaction.commit();
}

void TScenarioStore::Delete(int scenarioNo) {
    TTransaction transaction(*this, TTransaction::Write);
    // Waits for a save of the scenario under way, which would otherwise
    // leave its rows behind without their scenario.
    lockScenario(scenarioNo);
    for (const char* table : {"weaveitem", "weavejob", "reedjob", "downtimejob", "scenario"})
        run(QStringLiteral("delete from %1 where scenariono = ?").arg(QLatin1String(table)),
            {scenarioNo});
    if (hasStamps())
        run(QStringLiteral("delete from scenariosave where scenariono = ?"), {scenarioNo});
    transaction.commit();
}
