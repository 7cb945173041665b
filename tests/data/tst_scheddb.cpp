// SPDX-License-Identifier: GPL-3.0-or-later
// The database layer against a real SQLite file and a real PostgreSQL server
// (the one scripts/pg-test-server.sh starts; PLEXIWEAVE_PG_* name it).
// Every test runs once per engine.

#include "DbSchema.h"
#include "RefText.h"
#include "SchedData.h"
#include "VxPromptLog.h"
#include "VxTestDb.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>
#include <set>

using vxtest::env;
using vxtest::pgConfigured;

class TstSchedDB : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    int m_counter = 0;
    QString m_dbName; // database (PostgreSQL) or file (SQLite) of this test
    QString m_aliasFile;
    TVxPromptLog m_log; // the data layer's prompts, answered and logged

    bool pg() const {
        QFETCH_GLOBAL(QString, engine);
        return engine == "postgres";
    }

    void writeAlias(const QString& user) {
        m_aliasFile = m_tmp.filePath(QString("aliases%1.ini").arg(m_counter));
        vxtest::writeAliasFile(m_aliasFile, pg(), m_dbName, user);
    }

    // A connection for checking behind the layer's back.
    QSqlDatabase admin(const QString& database) { return vxtest::adminConnection(pg(), database); }
    void dropAdmin(const QString& database) { vxtest::dropAdminConnection(database); }

    // Opens the data layer, answering the login prompt (server) with the
    // right password and the create question with Yes.
    void open(TSchedData& data) {
        if (pg()) m_log.passwords.push_back(env("PLEXIWEAVE_PG_PASSWORD"));
        m_log.answers.push_back(true);
        data.SchedDB.Open();
    }

private slots:
    void initTestCase_data() {
        QTest::addColumn<QString>("engine");
        QTest::newRow("sqlite") << "sqlite";
        QTest::newRow("postgres") << "postgres";
    }

    void init() {
        ++m_counter;
        m_log.clear();
        if (pg()) {
            if (!pgConfigured()) QSKIP(vxtest::NoPgServerReason);
            m_dbName =
                QString("plexiweave_t%1_%2").arg(QCoreApplication::applicationPid()).arg(m_counter);
            const QString error = vxtest::createServerDatabase(m_dbName);
            QVERIFY2(error.isEmpty(), qPrintable(error));
        } else {
            m_dbName = m_tmp.filePath(QString("test%1.db").arg(m_counter));
        }
        writeAlias(pg() ? env("PLEXIWEAVE_PG_USER") : QString());
    }

    void cleanup() {
        dropAdmin(m_dbName);
        if (pg() && pgConfigured()) vxtest::dropServerDatabase(m_dbName);
    }

    void newDatabaseIsCreatedAndSeeded();
    void referenceTablesFromDatabase();
    void aggregatesReadZeroOverNoRows();
    void detailShowsOnlyItsMastersRows();
    void refusedRowsKeepEditing_data();
    void refusedRowsKeepEditing();
    void editCancelDeleteAndFindKey();
    void rowsMovedBehindTheTablesBack_data();
    void rowsMovedBehindTheTablesBack();
    void transactionsCommitAndRollBack();
    void datesHoldWholeDays();
    void queryParametersAndCalculatedFields();
    void loginPrompt_data();
    void loginPrompt();
    void missingTablesAnsweredNoCreateNothing();
    void existingTablesAreKept();
    void badSampleFileCreatesNothing_data();
    void badSampleFileCreatesNothing();
    void outOfRangeReferenceRowsAreRefused_data();
    void outOfRangeReferenceRowsAreRefused();
    void foreignFileIsLeftAlone();
    void localAliasOnlyWhenUndefined();
    void olderDatabaseGetsLoomKeys_data();
    void olderDatabaseGetsLoomKeys();
};

void TstSchedDB::newDatabaseIsCreatedAndSeeded() {
    TVxDbSession session(m_aliasFile);
    TSchedData data(session, m_log.prompts());
    if (pg()) m_log.passwords.push_back(env("PLEXIWEAVE_PG_PASSWORD"));
    m_log.answers.push_back(true);
    data.SchedDB.Open();
    QVERIFY(data.SchedDB.Connected());
    // An embedded file is created silently; a server asks first.
    QCOMPARE(m_log.messages,
             pg() ? QStringList{"The database has no planner tables. Create them now?"}
                  : QStringList{});
    QCOMPARE(m_log.loginUsers.size(), pg() ? 1 : 0);
    QCOMPARE(MissingPlannerTables(data.SchedDB.Database()), QStringList{});
    if (!pg()) QCOMPARE(data.SchedDB.Location(), QFileInfo(m_dbName).absoluteFilePath());

    // Loom records in REF order, as the sample file lists them.
    TRefTextLoader text(ShippedSamplesFolder());
    const std::vector<TLoomRecord> fromFile = text.ReadLoomRecords();
    const std::vector<TLoomRecord> fromDb = data.ReadLoomRecords();
    QCOMPARE(fromDb.size(), fromFile.size());
    for (size_t i = 0; i < fromDb.size(); ++i) {
        QCOMPARE(fromDb[i].Posn, fromFile[i].Posn);
        QCOMPARE(fromDb[i].Type, fromFile[i].Type);
        QCOMPARE(fromDb[i].Descr, fromFile[i].Descr);
    }
    QVERIFY(!data.LoomSpec.Active());

    // In warp type order, as text mode lists them, on every engine.
    QCOMPARE(data.EndsList(), (QStringList{"2400", "2640", "3120"}));
    QCOMPARE(data.ReadDefaultWarpLen(), 3000);

    // Decimals are stored as the files write them, not as their nearest
    // single values (2.6 would read back as 2.5999999046325684).
    QSqlQuery q(data.SchedDB.Database());
    QVERIFY(q.exec("select warppcewgt, weftpcewgt, hrsperpiece from fabrictype "
                   "where fabricstru = 'P' and fabriccol = '001'") &&
            q.next());
    QVERIFY2(q.value(0).toDouble() == 2.6, qPrintable(q.value(0).toString()));
    QVERIFY2(q.value(1).toDouble() == 2.9, qPrintable(q.value(1).toString()));
    QVERIFY2(q.value(2).toDouble() == 3.5, qPrintable(q.value(2).toString()));
    QVERIFY(q.exec("select dentspercm, greigelenpercent from warptype where warptype = 'C'") &&
            q.next());
    QVERIFY2(q.value(0).toDouble() == 8.25, qPrintable(q.value(0).toString()));
    QVERIFY2(q.value(1).toDouble() == 93.0, qPrintable(q.value(1).toString()));
    q.finish();

    // Opening the same database again creates and asks nothing.
    data.CloseAll();
    m_log.clear();
    if (pg()) m_log.passwords.push_back(env("PLEXIWEAVE_PG_PASSWORD"));
    data.SchedDB.Open();
    QCOMPARE(m_log.messages.size(), 0);
    data.LoomSpec.Open();
    QCOMPARE(data.LoomSpec.RecordCount(), int(fromFile.size()));
}

void TstSchedDB::referenceTablesFromDatabase() {
    TVxDbSession session(m_aliasFile);
    TSchedData data(session, m_log.prompts());
    open(data);

    const TLoomTypeList types = data.BuildLoomTypes();
    const QStringList typeKeys = types.Keys();
    QCOMPARE(std::set<QString>(typeKeys.begin(), typeKeys.end()),
             (std::set<QString>{"RAPIER", "AIRJET", "PROJECTILE"}));
    // Warps ordered by type and colour; fabrics by structure and colour, distinct.
    const TWarpList* rapier = types.Find("rapier");
    QCOMPARE(rapier->Keys(),
             (QStringList{"A-NAT", "A-WHT", "B-WHT", "C-BLU", "C-WHT", "D-NAT", "E-BLK"}));
    QCOMPARE(rapier->Find("A-WHT")->Keys(),
             (QStringList{"DBWHT : WHT", "P001 : WHT", "P002 : NAT"}));
    QVERIFY(!types.Find("AIRJET")->Contains("D-NAT")); // air-jets weave no satin

    const TWarpInfoList warps = data.BuildWarpInfos();
    QCOMPARE(warps.Keys(), (QStringList{"A", "B", "C", "D", "E", "F"}));
    // The stored percentage is the plant's figure, used as it stands (94.5 is
    // not rounded): the same capacities as the text files give.
    QCOMPARE(warps.Find("B")->GreigeFraction, 0.945f);
    const TWarpInfoList fromText = TRefTextLoader(ShippedSamplesFolder()).BuildWarpInfos();
    for (const QString& key : fromText.Keys())
        QCOMPARE(warps.Find(key)->GreigeFraction, fromText.Find(key)->GreigeFraction);
    QCOMPARE(warps.Find("C")->DentsPerCm, 8.25f);
    QCOMPARE(warps.Find("F")->WarpWgt, 210.0f);
    QCOMPARE(warps.Find("D")->TotalEnds, 2640);

    const TFabricInfoList fabrics = data.BuildFabricInfos();
    QCOMPARE(fabrics.Count(), 9);
    QCOMPARE(fabrics.Find("DB")->WarpPceWgt, 3.6f);
    QCOMPARE(fabrics.Find("OX")->PieceLen, 120);

    const TDowntimeList downs = data.BuildDowntimeTypes();
    QVERIFY(data.DowntimeType.Active()); // start-up closes it
    QCOMPARE(downs.Count(), 6);
    QVERIFY(downs.Contains("Cleaning, oiling"));
    QStringList sorted = downs.Keys();
    sorted.sort();
    QCOMPARE(downs.Keys(), sorted);
}

void TstSchedDB::aggregatesReadZeroOverNoRows() {
    TVxDbSession session(m_aliasFile);
    TSchedData data(session, m_log.prompts());
    open(data);
    QCOMPARE(TSchedData::AggregateValue(data.MaxScenarioNoQuery), 0);
    data.MaxJobNoQuery.SetParamByIndex(0, 7);
    QCOMPARE(TSchedData::AggregateValue(data.MaxJobNoQuery), 0);

    data.OpenScenarioTables();
    data.Scenario.Insert();
    data.Scenario.SetAsInteger("SCENARIONO", 7);
    data.Scenario.Post();
    for (int job : {3, 12}) {
        data.WeaveJob.Insert();
        for (auto [f, v] :
             {std::pair{"LOOMNO", 101}, {"JOBNO", job}, {"PLACENO", 0}, {"WARPLEN", 3000}})
            data.WeaveJob.SetAsInteger(f, v);
        data.WeaveJob.SetAsString("WARPTYPE", "A");
        data.WeaveJob.SetAsString("WARPCOL", "WHT");
        data.WeaveJob.Post();
    }
    QCOMPARE(TSchedData::AggregateValue(data.MaxScenarioNoQuery), 7);
    QCOMPARE(TSchedData::AggregateValue(data.MaxJobNoQuery), 12);
    data.MaxJobNoQuery.SetParam("scenariono", 8);
    QCOMPARE(TSchedData::AggregateValue(data.MaxJobNoQuery), 0);
    data.MaxItemNoQuery.SetParam("ScenarioNo", 7);
    QCOMPARE(TSchedData::AggregateValue(data.MaxItemNoQuery), 0);
}

void TstSchedDB::detailShowsOnlyItsMastersRows() {
    TVxDbSession session(m_aliasFile);
    TSchedData data(session, m_log.prompts());
    open(data);
    data.OpenScenarioTables();
    QVERIFY(data.Scenario.IsEmpty());
    QCOMPARE(data.ReedJob.RecordCount(), 0);

    // Grids title the master's columns "Number" (8 wide) and "Description"
    // (30 wide), from the first opening on; the details keep their names.
    for (int opening = 0; opening < 2; ++opening) {
        const QList<TVxField>& fields = data.Scenario.Fields();
        QCOMPARE(fields.size(), 2);
        QCOMPARE(fields[0].DisplayLabel, QString("Number"));
        QCOMPARE(fields[0].DisplayWidth, 8);
        QCOMPARE(fields[1].DisplayLabel, QString("Description"));
        QCOMPARE(fields[1].DisplayWidth, 30);
        data.Scenario.Close();
        data.Scenario.Open();
    }
    QCOMPARE(data.ReedJob.FieldDef("SCENARIONO")->DisplayLabel, QString("SCENARIONO"));

    for (int scenario : {2, 1}) {
        data.Scenario.Insert();
        data.Scenario.SetAsInteger("SCENARIONO", scenario);
        data.Scenario.SetAsString("DESCR", QString("Scenario %1").arg(scenario));
        data.Scenario.Post();
        // A detail row takes its master's number.
        for (int job = 1; job <= scenario + 1; ++job) {
            data.ReedJob.Insert();
            QCOMPARE(data.ReedJob.AsInteger("SCENARIONO"), scenario);
            for (auto [f, v] : {std::pair{"LOOMNO", 101},
                                {"JOBNO", job},
                                {"PLACENO", job - 1},
                                {"TOTALENDS", 2400}})
                data.ReedJob.SetAsInteger(f, v);
            data.ReedJob.SetAsFloat("DENTSPERCM", 7.5);
            data.ReedJob.Post();
        }
        QCOMPARE(data.ReedJob.RecordCount(), scenario + 1);
    }
    // The master reads in SCENARIONO order; details follow its current row.
    data.Scenario.First();
    QCOMPARE(data.Scenario.AsInteger("SCENARIONO"), 1);
    QCOMPARE(data.ReedJob.RecordCount(), 2);
    data.ReedJob.Last();
    data.Scenario.Next();
    QCOMPARE(data.Scenario.AsInteger("SCENARIONO"), 2);
    QCOMPARE(data.ReedJob.RecordCount(), 3);
    QCOMPARE(data.ReedJob.RecNo(), 0);
    for (data.ReedJob.First(); !data.ReedJob.Eof(); data.ReedJob.Next())
        QCOMPARE(data.ReedJob.AsInteger("SCENARIONO"), 2);
    QCOMPARE(data.WeaveJob.RecordCount(), 0);

    // Without a master row the details show nothing.
    data.Scenario.Delete();
    data.Scenario.Delete();
    QVERIFY(data.Scenario.IsEmpty());
    QCOMPARE(data.ReedJob.RecordCount(), 0);
    QVERIFY(data.ReedJob.Eof());
    // ... though the rows are still stored.
    QSqlQuery q(data.SchedDB.Database());
    QVERIFY(q.exec("select count(*) from reedjob") && q.next());
    QCOMPARE(q.value(0).toInt(), 5);
}

void TstSchedDB::refusedRowsKeepEditing_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QString>("sqliteText");
    QTest::addColumn<QString>("pgText");
    QTest::addColumn<QVariant>("corrected"); // for the first field named in the message
    QTest::addColumn<QString>("fixField");
    QTest::newRow("required TYPE empty")
        << "LOOMSPEC" << QStringList{"REF", "POSN", "TYPE", "DESCR"}
        << QVariantList{"L99", 999, "", "Loom 99"} << "TYPE must not be empty"
        << "TYPE must not be empty" << QVariant("RAPIER") << "TYPE";
    QTest::newRow("duplicate scenario number")
        << "SCENARIO" << QStringList{"SCENARIONO", "DESCR"} << QVariantList{1, "Again"}
        << "UNIQUE constraint failed"
        << "duplicate key value" << QVariant(2) << "SCENARIONO";
    QTest::newRow("duplicate fabric:loom pair")
        << "STRULOOM" << QStringList{"FABRICSTRU", "LOOMTYPE"} << QVariantList{"P", "RAPIER"}
        << "UNIQUE constraint failed"
        << "duplicate key value" << QVariant("JACQUARD") << "LOOMTYPE";
    QTest::newRow("duplicate warp job number")
        << "WEAVEJOB"
        << QStringList{"SCENARIONO", "LOOMNO", "JOBNO", "PLACENO", "WARPTYPE", "WARPCOL", "WARPLEN"}
        << QVariantList{1, 102, 1, 0, "B", "WHT", 2500} << "UNIQUE constraint failed"
        << "duplicate key value" << QVariant(2) << "JOBNO";
    // Typed values the layer checks itself, alike on both engines.
    QTest::newRow("warp type code too long")
        << "WARPTYPE" << QStringList{"WARPTYPE", "WARPLEN"} << QVariantList{"AB", 3000}
        << "WARPTYPE: \"AB\" is longer than 1 character"
        << "WARPTYPE: \"AB\" is longer than 1 character" << QVariant("Z") << "WARPTYPE";
    QTest::newRow("letter in a whole number")
        << "LOOMSPEC" << QStringList{"REF", "POSN", "TYPE", "DESCR"}
        << QVariantList{"L99", "9O9", "RAPIER", "Loom 99"} << "POSN: \"9O9\" is not a whole number"
        << "POSN: \"9O9\" is not a whole number" << QVariant("909") << "POSN";
    QTest::newRow("letter in a decimal")
        << "WARPTYPE" << QStringList{"WARPTYPE", "DENTSPERCM"} << QVariantList{"Z", "7,5x"}
        << "DENTSPERCM: \"7,5x\" is not a number"
        << "DENTSPERCM: \"7,5x\" is not a number" << QVariant("7.25") << "DENTSPERCM";
    QTest::newRow("greige percentage out of range")
        << "WARPTYPE" << QStringList{"WARPTYPE", "GREIGELENPERCENT"} << QVariantList{"Z", "1e30"}
        << "GREIGELENPERCENT: 1e+30 is out of range (0 to 1000)"
        << "GREIGELENPERCENT: 1e+30 is out of range (0 to 1000)" << QVariant("94.5")
        << "GREIGELENPERCENT";
}

// A refused row stays in editing inside its transaction; the corrected row
// then posts and commits on both engines (PostgreSQL would otherwise refuse
// every later statement of the spoilt transaction).
void TstSchedDB::refusedRowsKeepEditing() {
    QFETCH(QString, table);
    QFETCH(QStringList, fields);
    QFETCH(QVariantList, values);
    QFETCH(QString, sqliteText);
    QFETCH(QString, pgText);
    QFETCH(QVariant, corrected);
    QFETCH(QString, fixField);

    TVxDbSession session(m_aliasFile);
    TSchedData data(session, m_log.prompts());
    open(data);
    { // the rows the duplicates collide with
        QSqlQuery q(data.SchedDB.Database());
        QVERIFY(q.exec("insert into scenario (scenariono, descr) values (1, 'First')"));
        QVERIFY(q.exec("insert into weavejob (scenariono, loomno, jobno, placeno, warptype, "
                       "warpcol, warplen) values (1, 101, 1, 0, 'A', 'WHT', 3000)"));
    }
    TVxTable t(data.SchedDB, table, {fields.first()});
    t.Open();
    const int rows = t.RecordCount();
    QString reported;
    t.OnPostError = [&](TVxTable&, const QString& message) { reported = message; };
    data.SchedDB.StartTransaction();
    t.Insert();
    for (int i = 0; i < fields.size(); ++i) {
        if (values[i].typeId() == QMetaType::QString)
            t.SetAsString(fields[i], values[i].toString());
        else
            t.SetValue(fields[i], values[i]);
    }
    for (int attempt = 0; attempt < 2; ++attempt) { // refused twice in a row
        try {
            t.Post();
            QFAIL("the row was accepted");
        } catch (const EVxError& e) {
            QVERIFY2(e.message().contains(pg() ? pgText : sqliteText), qPrintable(e.message()));
            QCOMPARE(reported, e.message());
        }
        QCOMPARE(t.State(), TVxDataSetState::Insert);
        QVERIFY(data.SchedDB.InTransaction());
    }
    if (corrected.typeId() == QMetaType::QString)
        t.SetAsString(fixField, corrected.toString());
    else
        t.SetValue(fixField, corrected);
    t.Post();
    data.SchedDB.Commit();
    QCOMPARE(t.State(), TVxDataSetState::Browse);

    TVxTable again(data.SchedDB, table, {fields.first()});
    again.Open();
    QCOMPARE(again.RecordCount(), rows + 1);
    QVERIFY(again.Locate({fixField}, {corrected}));
    // Typed text is stored as the column's type.
    if (again.FieldDef(fixField)->DataType != TVxFieldType::Text)
        QCOMPARE(again.AsFloat(fixField), corrected.toDouble());
}

void TstSchedDB::editCancelDeleteAndFindKey() {
    TVxDbSession session(m_aliasFile);
    TSchedData data(session, m_log.prompts());
    open(data);
    TVxTable& s = data.Scenario;
    s.Open();
    QStringList events;
    s.BeforeEdit = [&](TVxDataSet&) { events << "BeforeEdit"; };
    s.BeforeInsert = [&](TVxDataSet&) { events << "BeforeInsert"; };
    s.AfterPost = [&](TVxDataSet&) { events << "AfterPost"; };
    s.AfterCancel = [&](TVxDataSet&) { events << "AfterCancel"; };
    for (int n : {30, 10, 20}) {
        s.Insert();
        s.SetAsInteger("SCENARIONO", n);
        s.SetAsString("DESCR", QString("S%1").arg(n));
        s.Post();
        QCOMPARE(s.AsInteger("SCENARIONO"), n); // the posted row is current
    }
    QCOMPARE(events.count("AfterPost"), 3);
    // Posted rows take their index place.
    QStringList order;
    for (s.First(); !s.Eof(); s.Next())
        order << s.AsString("DESCR");
    QCOMPARE(order, (QStringList{"S10", "S20", "S30"}));

    QVERIFY(s.FindKey({20}));
    s.Edit();
    s.SetAsString("DESCR", "Changed");
    QCOMPARE(s.AsString("DESCR"), QString("Changed"));
    s.Cancel();
    QCOMPARE(s.AsString("DESCR"), QString("S20"));
    s.Edit();
    s.SetAsString("DESCR", "Kept");
    s.Post();
    QVERIFY(!s.FindKey({99}));

    s.Close();
    s.Open();
    QVERIFY(s.FindKey({20}));
    QCOMPARE(s.AsString("DESCR"), QString("Kept"));
    s.Delete();
    QCOMPARE(s.RecordCount(), 2);
    QCOMPARE(s.AsInteger("SCENARIONO"), 30);
    s.Refresh();
    QVERIFY(!s.FindKey({20}));
    QCOMPARE(events,
             (QStringList{"BeforeInsert", "AfterPost", "BeforeInsert", "AfterPost", "BeforeInsert",
                          "AfterPost", "BeforeEdit", "AfterCancel", "BeforeEdit", "AfterPost"}));
}

void TstSchedDB::rowsMovedBehindTheTablesBack_data() {
    QTest::addColumn<QString>("move");   // what another client or a vacuum does
    QTest::addColumn<QString>("table");  // WEAVEJOB has a key, DOWNTIMETYPE none
    QTest::addColumn<QString>("action"); // on the first row, through the layer
    QTest::addColumn<QString>("error");  // empty: the change lands on its row
    const QString changed = "DOWNTIMETYPE: The row was changed or deleted";
    QTest::newRow("keyed row moved: the edit lands") << "move"
                                                     << "WEAVEJOB"
                                                     << "edit"
                                                     << "";
    QTest::newRow("keyed row moved: the delete lands") << "move"
                                                       << "WEAVEJOB"
                                                       << "delete"
                                                       << "";
    QTest::newRow("keyed rows swapped addresses: the edit reads back its own row") << "swap"
                                                                                   << "WEAVEJOB"
                                                                                   << "edit"
                                                                                   << "";
    QTest::newRow("unkeyed row moved: the delete is reported, nothing lost") << "move"
                                                                             << "DOWNTIMETYPE"
                                                                             << "delete" << changed;
    QTest::newRow("unkeyed row moved: the edit is reported") << "move"
                                                             << "DOWNTIMETYPE"
                                                             << "edit" << changed;
    QTest::newRow("unkeyed rows swapped addresses: the other row is safe") << "swap"
                                                                           << "DOWNTIMETYPE"
                                                                           << "delete" << changed;
}

// Rows are named by their key where the table has one, else by their address
// and original values: a row that moved is never lost or mistaken for another.
void TstSchedDB::rowsMovedBehindTheTablesBack() {
    QFETCH(QString, move);
    QFETCH(QString, table);
    QFETCH(QString, action);
    QFETCH(QString, error);
    if (move == "swap" && pg()) QSKIP("the server hands out row addresses itself");
    TVxDbSession session(m_aliasFile);
    TSchedData data(session, m_log.prompts());
    open(data);
    QSqlQuery q(data.SchedDB.Database());
    auto run = [&](const QString& sql) { QVERIFY2(q.exec(sql), qPrintable(q.lastError().text())); };
    run("insert into weavejob (scenariono, loomno, jobno, placeno, warptype, warpcol, warplen) "
        "values (1, 101, 1, 0, 'A', 'WHT', 3000)");
    run("insert into weavejob (scenariono, loomno, jobno, placeno, warptype, warpcol, warplen) "
        "values (1, 101, 2, 1, 'B', 'WHT', 3000)");
    auto dump = [&] {
        QStringList rows;
        const QString order = table == "DOWNTIMETYPE" ? "descr" : "jobno";
        q.exec(QString("select * from %1 order by %2").arg(table, order));
        while (q.next()) {
            QStringList values;
            for (int i = 0; i < q.record().count(); ++i)
                values << q.value(i).toString();
            rows << values.join(',');
        }
        return rows;
    };

    const QStringList index =
        table == "DOWNTIMETYPE" ? QStringList{"DESCR"} : QStringList{"SCENARIONO", "JOBNO"};
    TVxTable t(data.SchedDB, table, index);
    t.Open();
    QVERIFY(t.RecordCount() >= 2);
    const QStringList before = dump();

    if (move == "swap") { // the first two rows trade addresses
        run(QString("update %1 set rowid = -1 where rowid = 1").arg(table));
        run(QString("update %1 set rowid = 1 where rowid = 2").arg(table));
        run(QString("update %1 set rowid = 2 where rowid = -1").arg(table));
    } else if (pg()) { // every row gets a new version at a new address
        run(QString("update %1 set %2 = %2").arg(table, index.first()));
    } else {
        run(QString("update %1 set rowid = rowid + 1000").arg(table));
    }

    QString message;
    QStringList expected = before;
    try {
        t.First();
        if (action == "edit") {
            const QString column = table == "WEAVEJOB" ? "WARPCOL" : "DESCR";
            const QString old = t.AsString(column);
            t.Edit();
            t.SetAsString(column, "RED");
            t.Post();
            expected[0].replace(old, "RED");
        } else {
            t.Delete();
            expected.removeFirst();
        }
    } catch (const EVxError& e) {
        message = e.message();
        expected = before;
        t.Cancel(); // a refused post keeps the row in editing
    }
    QCOMPARE(message, error);
    QCOMPARE(dump(), expected);
    QStringList kept; // what the table holds in memory
    for (int row = 0; row < t.RecordCount(); ++row) {
        QStringList values;
        for (int column = 0; column < t.Fields().size(); ++column)
            values << t.RowValue(row, column).toString();
        kept << values.join(',');
    }
    QCOMPARE(kept, expected);
}

void TstSchedDB::transactionsCommitAndRollBack() {
    TVxDbSession session(m_aliasFile);
    TSchedData data(session, m_log.prompts());
    open(data);
    TVxTable& s = data.Scenario;
    s.Open();
    data.SchedDB.StartTransaction();
    QVERIFY_THROWS_EXCEPTION(EVxError, data.SchedDB.StartTransaction());
    s.Insert();
    s.SetAsInteger("SCENARIONO", 1);
    s.Post();
    data.SchedDB.Rollback();
    s.Refresh();
    QVERIFY(s.IsEmpty());

    data.SchedDB.StartTransaction();
    s.Insert();
    s.SetAsInteger("SCENARIONO", 2);
    s.Post();
    data.SchedDB.Commit();
    QVERIFY(!data.SchedDB.InTransaction());
    s.Refresh();
    QCOMPARE(s.RecordCount(), 1);
}

void TstSchedDB::datesHoldWholeDays() {
    TVxDbSession session(m_aliasFile);
    TSchedData data(session, m_log.prompts());
    open(data);
    data.OpenScenarioTables();
    data.Scenario.Insert();
    data.Scenario.SetAsInteger("SCENARIONO", 1);
    data.Scenario.Post();
    const TDateTime start = VxEncodeDate(2026, 12, 8);
    data.DowntimeJob.Insert();
    for (auto [f, v] : {std::pair{"LOOMNO", 101}, {"JOBNO", 1}, {"PLACENO", 0}})
        data.DowntimeJob.SetAsInteger(f, v);
    data.DowntimeJob.SetAsString("DESCR", "Public holiday");
    data.DowntimeJob.SetAsDate("STARTDATE", start + 0.75); // the time of day is dropped
    data.DowntimeJob.SetAsDate("ENDDATE", 0);              // no finish
    data.DowntimeJob.Post();
    data.DowntimeJob.Close();
    data.DowntimeJob.Open();
    QCOMPARE(data.DowntimeJob.AsDate("STARTDATE"), start);
    QCOMPARE(data.DowntimeJob.AsDate("ENDDATE"), 0.0);
    QVERIFY(data.DowntimeJob.IsNull("ENDDATE"));
}

void TstSchedDB::queryParametersAndCalculatedFields() {
    TVxDbSession session(m_aliasFile);
    TSchedData data(session, m_log.prompts());
    open(data);
    TVxQuery q(data.SchedDB, "Pieces",
               {"select fabricstru, fabriccol, piecelen from fabrictype",
                "where warptype = :WarpType and piecelen >= :Len and warpcol <> ':NotAParam'",
                "order by fabricstru, fabriccol"});
    QCOMPARE(q.ParamNames(), (QStringList{"WarpType", "Len"}));
    TVxField doubled;
    doubled.FieldName = "DOUBLELEN";
    q.AddCalcField(doubled);
    q.OnCalcFields = [](TVxDataSet& ds) {
        ds.SetCalcValue("DOUBLELEN", ds.AsInteger("PIECELEN") * 2);
    };
    q.SetParam("warptype", "A");
    q.SetParamByIndex(1, 60);
    q.Open();
    QStringList rows;
    for (; !q.Eof(); q.Next())
        rows << q.AsString("FABRICSTRU") + q.AsString("FABRICCOL") + "=" + q.AsString("DOUBLELEN");
    QCOMPARE(rows, (QStringList{"DBNAT=120", "DBWHT=120", "P001=120", "P002=120", "P003=120"}));
    QCOMPARE(q.Fields().last().Calculated, true);
    QVERIFY_THROWS_EXCEPTION(EVxError, q.SetParam("Missing", 1));
    QVERIFY_THROWS_EXCEPTION(EVxError, q.AsString("NOSUCHFIELD"));
    q.Close();
    // A value that would break SQL text is only ever a parameter.
    q.SetParam("WarpType", "A' or '1'='1");
    q.Open();
    QVERIFY(q.IsEmpty());
}

void TstSchedDB::loginPrompt_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("error"); // empty: connects
    QTest::newRow("right password") << env("PLEXIWEAVE_PG_PASSWORD") << true << "";
    QTest::newRow("wrong password") << "wrong" << true << "password authentication failed";
    QTest::newRow("cancel") << "" << false << "Cannot connect to database 'Shedwise'";
}

void TstSchedDB::loginPrompt() {
    if (!pg()) QSKIP("an embedded database file has no login");
    QFETCH(QString, password);
    QFETCH(bool, ok);
    QFETCH(QString, error);
    TVxDbSession session(m_aliasFile);
    TSchedData data(session, m_log.prompts());
    m_log.passwords.push_back(ok ? std::optional<QString>(password) : std::nullopt);
    m_log.answers.push_back(true);
    try {
        data.SchedDB.Open();
        QVERIFY2(error.isEmpty(), "connected with a wrong login");
        QVERIFY(data.SchedDB.Connected());
    } catch (const EVxError& e) {
        QVERIFY2(!error.isEmpty(), qPrintable(e.message()));
        QVERIFY2(e.message().contains(error), qPrintable(e.message()));
        QVERIFY(!data.SchedDB.Connected());
    }
    // Asked once, for the database's own name, proposing the alias's user.
    QCOMPARE(m_log.loginDatabases, QStringList{"Shedwise"});
    QCOMPARE(m_log.loginUsers, QStringList{env("PLEXIWEAVE_PG_USER")});
}

void TstSchedDB::missingTablesAnsweredNoCreateNothing() {
    if (!pg()) QSKIP("an embedded file creates its tables without asking");
    TVxDbSession session(m_aliasFile);
    TSchedData data(session, m_log.prompts());
    m_log.passwords.push_back(env("PLEXIWEAVE_PG_PASSWORD"));
    m_log.answers.push_back(false);
    QVERIFY_THROWS_EXCEPTION(EVxAbort, data.SchedDB.Open());
    QVERIFY(!data.SchedDB.Connected());
    QCOMPARE(m_log.questions, QStringList{"The database has no planner tables. Create them now?"});
    QCOMPARE(admin(m_dbName).tables().size(), 0);
}

void TstSchedDB::existingTablesAreKept() {
    {
        QSqlQuery q(admin(m_dbName));
        QVERIFY(
            q.exec("create table scenario (scenariono integer, descr varchar(25), extra integer)"));
        QVERIFY(q.exec("insert into scenario values (4, 'Old', 1)"));
        QVERIFY(q.exec("create table warptype (warptype varchar(1), warplen integer, warpwgt "
                       "float, totalends integer, dentspercm float, avehrs float, "
                       "greigelenpercent float)"));
    }
    dropAdmin(m_dbName);
    TVxDbSession session(m_aliasFile);
    TSchedData data(session, m_log.prompts());
    open(data);
    data.Scenario.Open();
    QCOMPARE(data.Scenario.RecordCount(), 1);
    QCOMPARE(data.Scenario.AsInteger("EXTRA"), 1); // not altered
    data.WarpType.Open();
    QVERIFY(data.WarpType.IsEmpty()); // an existing table is not seeded
    data.LoomSpec.Open();
    QCOMPARE(data.LoomSpec.RecordCount(), 14); // a new one is
    QCOMPARE(data.ReadDefaultWarpLen(), 0);
}

void TstSchedDB::badSampleFileCreatesNothing_data() {
    QTest::addColumn<QByteArray>("warpTypes");
    QTest::addColumn<QString>("message");
    QTest::newRow("letters in a number")
        << QByteArray("A,2400,7.5,2.5,95,3000,150,\nB,lots,7.5,3,94.5,2500,140,\n")
        << "Cannot fill WARPTYPE from \"WarpType.csv\", line 2: 'lots' is not a valid integer "
           "value";
    QTest::newRow("number out of range")
        << QByteArray("A,2400,7.5,2.5,95,3000,150,\nB,2400,7.5,3,1e30,2500,140,\n")
        << "Cannot fill WARPTYPE from \"WarpType.csv\", line 2: column 5 (GREIGELENPERCENT): "
           "1e+30 is out of range (0 to 1000)";
}

void TstSchedDB::badSampleFileCreatesNothing() {
    QFETCH(QByteArray, warpTypes);
    QFETCH(QString, message);
    QTemporaryDir seeds;
    for (const QString& f : {LoomSpecFile, StruLoomFile, FabricTypeFile, DowntimeTypeFile})
        QVERIFY(QFile::copy(QDir(ShippedSamplesFolder()).filePath(f), seeds.filePath(f)));
    QFile warp(seeds.filePath(WarpTypeFile));
    QVERIFY(warp.open(QIODevice::WriteOnly));
    warp.write(warpTypes);
    warp.close();

    TVxDbSession session(m_aliasFile);
    TSchedData data(session, m_log.prompts());
    data.SchedDB.SeedFolder = seeds.path();
    if (pg()) m_log.passwords.push_back(env("PLEXIWEAVE_PG_PASSWORD"));
    m_log.answers.push_back(true);
    try {
        data.SchedDB.Open();
        QFAIL("opened with a bad sample file");
    } catch (const EVxError& e) {
        QVERIFY2(e.message().endsWith(message), qPrintable(e.message()));
        // A new file goes again, and the message names its folder.
        if (!pg()) QVERIFY2(e.message().contains(m_tmp.path()), qPrintable(e.message()));
    }
    if (!pg()) QVERIFY(!QFile::exists(m_dbName));
    QVERIFY(!data.SchedDB.Connected());
    QCOMPARE(admin(m_dbName).tables().size(), 0);
}

// A reference row changed behind the program's back (another tool, a typo in
// a grid) is refused at start-up with the table, row and column.
void TstSchedDB::outOfRangeReferenceRowsAreRefused_data() {
    QTest::addColumn<QString>("update");
    QTest::addColumn<QString>("message");
    QTest::newRow("greige percentage")
        << "update warptype set greigelenpercent = 1e30 where warptype = 'C'"
        << "Table WARPTYPE, row 3 (C), column GREIGELENPERCENT: 1e+30 is out of range (0 to 1000)";
    QTest::newRow("negative warp length")
        << "update warptype set warplen = -3000 where warptype = 'A'"
        << "Table WARPTYPE, row 1 (A), column WARPLEN: -3000 is out of range (0 to 10000000)";
    QTest::newRow("piece weight")
        << "update fabrictype set warppcewgt = 3.4e38 where fabricstru = 'DB'"
        << "Table FABRICTYPE, structure DB, column WARPPCEWGT: 3.4e+38 is out of range (0 to "
           "1000000)";
}

void TstSchedDB::outOfRangeReferenceRowsAreRefused() {
    QFETCH(QString, update);
    QFETCH(QString, message);
    TVxDbSession session(m_aliasFile);
    TSchedData data(session, m_log.prompts());
    open(data);
    {
        QSqlQuery q(data.SchedDB.Database());
        QVERIFY2(q.exec(update), qPrintable(q.lastError().text()));
    }
    try {
        if (update.contains("fabrictype"))
            data.BuildFabricInfos();
        else
            data.BuildWarpInfos();
        QFAIL("read an out-of-range value");
    } catch (const EVxError& e) {
        QCOMPARE(e.message(), message);
    }
    QVERIFY(!data.WarpType.Active() && !data.FabricStructQuery.Active());
}

void TstSchedDB::foreignFileIsLeftAlone() {
    if (pg()) QSKIP("a database file is the embedded engine's");
    QFile file(m_dbName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray content = "Not a database but someone's notes.\n";
    file.write(content.repeated(200));
    file.close();
    TVxDbSession session(m_aliasFile);
    TSchedData data(session, m_log.prompts());
    QVERIFY_THROWS_EXCEPTION(EVxError, data.SchedDB.Open());
    QVERIFY(!data.SchedDB.Connected());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), content.repeated(200));
}

void TstSchedDB::localAliasOnlyWhenUndefined() {
    if (pg()) QSKIP("local mode is the embedded engine");
    TVxDbSession configured(m_aliasFile);
    QVERIFY(!DefineLocalAlias(configured));
    QCOMPARE(configured.Alias("shedwisesql")->DatabaseName, m_dbName);

    TVxDbSession bare(m_tmp.filePath("none.ini"));
    QVERIFY(DefineLocalAlias(bare));
    QCOMPARE(bare.Alias("ShedwiseSQL")->Driver, QString("QSQLITE"));
    QVERIFY(bare.Alias("ShedwiseSQL")->DatabaseName.endsWith("/Shedwise.db"));
    QVERIFY(!QFile::exists(m_tmp.filePath("none.ini"))); // never written
    bare.DeleteAlias("ShedwiseSQL");
    QVERIFY(!bare.IsAlias("ShedwiseSQL"));

    TSchedData data(bare, m_log.prompts());
    QVERIFY_THROWS_EXCEPTION(EVxError, data.SchedDB.Open());
}

// A database made before loom positions and references were unique gets
// their keys at start-up, unless looms share them: then it says which, and
// starts all the same.
void TstSchedDB::olderDatabaseGetsLoomKeys_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("shared");
    QTest::newRow("looms of their own: both keys") << ""
                                                   << "";
    QTest::newRow("a shared position") << "update loomspec set posn = 101 where ref = 'L06'"
                                       << "position 101: L01 (R01 190cm), L06 (A01 190cm)";
    QTest::newRow("a shared reference") << "update loomspec set ref = 'L01' where ref = 'L06'"
                                        << "reference L01: L01 (R01 190cm), L01 (A01 190cm)";
}

void TstSchedDB::olderDatabaseGetsLoomKeys() {
    QFETCH(QString, change);
    QFETCH(QString, shared);
    for (int start = 0; start < 2; ++start) {
        m_log.clear();
        TVxDbSession session(m_aliasFile);
        TSchedData data(session, m_log.prompts());
        open(data);
        QSqlQuery q(data.SchedDB.Database());
        if (start == 0) { // made older, then changed
            for (const QString& sql : {QString("drop index LOOMSPEC_POSN_KEY"),
                                       QString("drop index LOOMSPEC_REF_KEY"), change})
                QVERIFY2(sql.isEmpty() || q.exec(sql), qPrintable(q.lastError().text()));
            continue;
        }
        QCOMPARE(m_log.warnings.size(), int(!shared.isEmpty()));
        QVERIFY(shared.isEmpty() || m_log.warnings[0].contains("\n" + shared + "\n"));
        // A key in place refuses a loom sharing its value; one left out not.
        QCOMPARE(q.exec("insert into loomspec values ('L77', 102, 'RAPIER', 'x')"),
                 shared.startsWith("position"));
        QCOMPARE(q.exec("insert into loomspec values ('L02', 777, 'RAPIER', 'x')"),
                 shared.startsWith("reference"));
    }
}

QTEST_MAIN(TstSchedDB)
#include "tst_scheddb.moc"
