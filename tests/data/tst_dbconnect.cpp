// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing and reaching the database: the local file beside the program (and
// when it must be opened read-only), aliases without a database name, the
// server connect timeout, and where the seed files are looked for.

#include "SchedData.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// A TCP listener on 127.0.0.1 that accepts connections (the system does, from
// its backlog) but never answers: a server that hangs.
class TSilentListener {
public:
    TSilentListener() {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::listen(m_fd, 8) != 0 ||
            ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        m_port = ntohs(address.sin_port);
    }
    ~TSilentListener() {
        if (m_fd >= 0) ::close(m_fd);
    }
    TSilentListener(const TSilentListener&) = delete;
    TSilentListener& operator=(const TSilentListener&) = delete;
    int Port() const { return m_port; }

private:
    int m_fd = -1;
    int m_port = 0;
};

// Write checks that answer from fixed sets instead of asking the system,
// which lets a superuser write anywhere.
TVxWriteCheck pretend(bool fileWritable, bool folderWritable) {
    TVxWriteCheck check;
    check.File = [=](const QString&) { return fileWritable; };
    check.Folder = [=](const QString&) { return folderWritable; };
    return check;
}
// The same for the program's folder, with the user's own folder writable
// and its file as userFile says.
TVxWriteCheck pretend(bool fileWritable, bool folderWritable, const QString& userFolder,
                      bool userFile) {
    TVxWriteCheck check = pretend(fileWritable, folderWritable);
    const auto inUser = [userFolder](const QString& path) { return path.startsWith(userFolder); };
    check.File = [=](const QString& file) { return inUser(file) ? userFile : fileWritable; };
    check.Folder = [=](const QString& folder) { return inUser(folder) || folderWritable; };
    return check;
}
} // namespace

class TstDbConnect : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;

    QString writeAlias(const QString& name, const QVariantMap& keys) {
        const QString file = m_tmp.filePath(name + ".ini");
        QSettings ini(file, QSettings::IniFormat);
        ini.beginGroup("ShedwiseSQL");
        for (auto it = keys.begin(); it != keys.end(); ++it)
            ini.setValue(it.key(), it.value());
        return file;
    }

private slots:
    void aliasWithoutDatabaseNameIsRefused_data();
    void aliasWithoutDatabaseNameIsRefused();
    void connectTimeoutIsAddedUnlessSet_data();
    void connectTimeoutIsAddedUnlessSet();
    void silentServerFailsInTime();
    void localDatabaseChoice_data();
    void localDatabaseChoice();
    void readOnlyFileKeepsItsScenariosAndRefusesWrites();
    void localModeNote_data();
    void localModeNote();
    void realWriteChecks();
};

// Each row: the alias file's keys, or its raw bytes, and the message that
// refuses it.
void TstDbConnect::aliasWithoutDatabaseNameIsRefused_data() {
    QTest::addColumn<QVariantMap>("keys");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message"); // %1: the alias file
    const QString noName = "The connection alias ShedwiseSQL in %1 names no database: the key "
                           "\"Database\" is missing or empty";
    const QString unreadable = "The alias file %1 %2, so its aliases cannot be read. Save it as "
                               "plain UTF-8 text, one [section] per alias.";
    QTest::newRow("no Database key")
        << QVariantMap{{"Driver", "QSQLITE"}} << QByteArray() << noName;
    QTest::newRow("misspelt key") << QVariantMap{{"Driver", "QSQLITE"}, {"Databse", "x.db"}}
                                  << QByteArray() << noName;
    QTest::newRow("blank name") << QVariantMap{{"Driver", "QSQLITE"}, {"Database", "  "}}
                                << QByteArray() << noName;
    QTest::newRow("server without name")
        << QVariantMap{{"Driver", "QPSQL"}, {"Host", "127.0.0.1"}, {"UserName", "planner"}}
        << QByteArray() << noName;
    QTest::newRow("no Driver key")
        << QVariantMap{{"Database", "x.db"}} << QByteArray()
        << "The connection alias ShedwiseSQL in %1 names no database driver: the key \"Driver\" "
           "is missing or empty (QPSQL for PostgreSQL, QSQLITE for a database file)";
    QTest::newRow("UTF-16 file") << QVariantMap() << QByteArray("\xff\xfe[\0S\0]\0\n\0", 10)
                                 << unreadable.arg("%1", "is UTF-16 text");
    QTest::newRow("binary file") << QVariantMap()
                                 << QByteArray("\x7f"
                                               "ELF\x02\x01\0\0\n",
                                               9)
                                 << unreadable.arg("%1", "holds binary data (NUL bytes)");
}

// SQLite opens a private temporary database for an empty name, deleted at
// exit: the planner would seem to work and keep nothing. A file that cannot
// be read would leave local mode on the file beside the program.
void TstDbConnect::aliasWithoutDatabaseNameIsRefused() {
    QFETCH(QVariantMap, keys);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QString file = writeAlias(QTest::currentDataTag(), keys);
    if (!bytes.isEmpty()) {
        QFile raw(file);
        QVERIFY(raw.open(QIODevice::WriteOnly | QIODevice::Truncate));
        raw.write(bytes);
    }
    TVxDbSession session(file);
    TSchedData data(session);
    data.SchedDB.LoginPrompt = false;
    try {
        DefineLocalAlias(session);
        data.SchedDB.Open();
        QFAIL("opened an alias that names no database");
    } catch (const EVxError& e) {
        QCOMPARE(e.message(), message.arg(file));
    }
    QVERIFY(!data.SchedDB.Connected());
}

void TstDbConnect::connectTimeoutIsAddedUnlessSet_data() {
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QString>("options");
    QTest::addColumn<QString>("used");
    QTest::addColumn<int>("seconds");
    QTest::newRow("none set") << "QPSQL"
                              << ""
                              << "connect_timeout=10" << 10;
    QTest::newRow("other options kept") << "QPSQL"
                                        << "sslmode=require"
                                        << "sslmode=require;connect_timeout=10" << 10;
    QTest::newRow("the alias's own") << "QPSQL"
                                     << "connect_timeout=3;sslmode=disable"
                                     << "connect_timeout=3;sslmode=disable" << 3;
    QTest::newRow("spelt with blanks") << "QPSQL"
                                       << " connect_timeout = 4 "
                                       << " connect_timeout = 4 " << 4;
    QTest::newRow("zero waits forever: replaced") << "QPSQL"
                                                  << "sslmode=disable;connect_timeout=0"
                                                  << "sslmode=disable;connect_timeout=10" << 10;
    QTest::newRow("MySQL") << "QMYSQL"
                           << ""
                           << "MYSQL_OPT_CONNECT_TIMEOUT=10" << 10;
    QTest::newRow("an embedded file has none") << "QSQLITE"
                                               << ""
                                               << "" << 0;
}

void TstDbConnect::connectTimeoutIsAddedUnlessSet() {
    QFETCH(QString, driver);
    QFETCH(QString, options);
    QFETCH(QString, used);
    QFETCH(int, seconds);
    QCOMPARE(ServerConnectOptions(driver, options), used);
    QCOMPARE(ConnectTimeoutOf(driver, used), seconds);
}

// A server that accepts the connection and never answers ends the attempt
// after the alias's timeout with a message that says so.
void TstDbConnect::silentServerFailsInTime() {
    if (!QSqlDatabase::isDriverAvailable("QPSQL")) QSKIP("the PostgreSQL driver is not installed");
    TSilentListener server;
    QVERIFY(server.Port() > 0);
    const QString file = writeAlias("silent", {{"Driver", "QPSQL"},
                                               {"Database", "shedwise"},
                                               {"Host", "127.0.0.1"},
                                               {"Port", server.Port()},
                                               {"Options", "connect_timeout=2"}});
    TVxDbSession session(file);
    TSchedData data(session);
    data.SchedDB.LoginPrompt = false;
    QElapsedTimer clock;
    clock.start();
    try {
        data.SchedDB.Open();
        QFAIL("connected to a server that never answers");
    } catch (const EVxError& e) {
        QCOMPARE(
            e.message(),
            QString("The database server shedwise on 127.0.0.1:%1 did not answer in time (2 s)")
                .arg(server.Port()));
    }
    QVERIFY2(clock.elapsed() < 8000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!data.SchedDB.Connected());
}

void TstDbConnect::localDatabaseChoice_data() {
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("fileWritable");
    QTest::addColumn<bool>("folderWritable");
    QTest::addColumn<QString>("where"); // program or user folder
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<int>("userFile"); // -1 none, 0 read-only, 1 writable
    QTest::newRow("existing, all writable") << true << true << true << "program" << false << -1;
    QTest::newRow("existing file read-only") << true << false << true << "program" << true << -1;
    QTest::newRow("existing file in a read-only folder")
        << true << true << false << "program" << true << -1;
    QTest::newRow("existing, nothing writable")
        << true << false << false << "program" << true << -1;
    QTest::newRow("new, folder writable") << false << true << true << "program" << false << -1;
    QTest::newRow("new, folder read-only") << false << true << false << "user" << false << -1;
    QTest::newRow("the user's own file") << false << true << false << "user" << false << 1;
    QTest::newRow("the user's own file read-only") << false << true << false << "user" << true << 0;
}

void TstDbConnect::localDatabaseChoice() {
    QFETCH(bool, exists);
    QFETCH(bool, fileWritable);
    QFETCH(bool, folderWritable);
    QFETCH(QString, where);
    QFETCH(bool, readOnly);
    QFETCH(int, userFile);
    QTemporaryDir program, user;
    for (const QString& folder :
         {exists ? program.path() : QString(), userFile >= 0 ? user.path() : QString()}) {
        if (folder.isEmpty()) continue;
        QFile file(QDir(folder).filePath("Shedwise.db"));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const TVxLocalDatabase chosen =
        ChooseLocalDatabase(program.path(), user.path(),
                            pretend(fileWritable, folderWritable, user.path(), userFile == 1));
    QCOMPARE(
        chosen.Path,
        QDir(where == "program" ? program.path() : user.path()).absoluteFilePath("Shedwise.db"));
    QCOMPARE(chosen.ReadOnly, readOnly);
}

// The user's database that cannot be written is opened as it is: its stored
// scenarios are there, and a write is refused instead of going elsewhere.
void TstDbConnect::readOnlyFileKeepsItsScenariosAndRefusesWrites() {
    QTemporaryDir program, user;
    const QString path = program.filePath("Shedwise.db");
    {
        TVxDbSession session(m_tmp.filePath("none.ini"));
        QVERIFY(DefineLocalAlias(session, TVxLocalDatabase{path, false}));
        TSchedData data(session);
        data.SchedDB.Open(); // creates and seeds the file
        data.OpenScenarioTables();
        data.Scenario.Insert();
        data.Scenario.SetAsInteger("SCENARIONO", 7);
        data.Scenario.SetAsString("DESCR", "Stored plan");
        data.Scenario.Post();
    }
    QFile original(path);
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    original.close();

    const TVxLocalDatabase chosen =
        ChooseLocalDatabase(program.path(), user.path(), pretend(false, true));
    QCOMPARE(chosen.Path, path);
    QVERIFY(chosen.ReadOnly);
    TVxDbSession session(m_tmp.filePath("none.ini"));
    QVERIFY(DefineLocalAlias(session, chosen));
    TSchedData data(session);
    data.SchedDB.Open();
    QVERIFY(data.SchedDB.ReadOnly());
    QCOMPARE(data.SchedDB.Location(), QFileInfo(path).absoluteFilePath());
    data.OpenScenarioTables();
    QCOMPARE(data.Scenario.RecordCount(), 1);
    QCOMPARE(data.Scenario.AsString("DESCR"), QString("Stored plan"));
    QVERIFY(!data.BuildLoomTypes().IsEmpty());

    data.Scenario.Insert();
    data.Scenario.SetAsInteger("SCENARIONO", 8);
    QVERIFY_THROWS_EXCEPTION(EVxError, data.Scenario.Post());
    data.Scenario.Cancel();
    data.CloseAll();
    QVERIFY(original.open(QIODevice::ReadOnly));
    QCOMPARE(original.readAll(), before);
    QVERIFY(QDir(user.path()).isEmpty()); // nothing went to the per-user folder
}

// What the mode dialog says "Use Local Database" opens (a file alias is
// checked where the dialog shows it); %A is the alias file, %D the file.
void TstDbConnect::localModeNote_data() {
    QTest::addColumn<QVariantMap>("alias"); // empty: none defined
    QTest::addColumn<QString>("note");
    QTest::newRow("server alias") << QVariantMap{{"Driver", "QPSQL"},
                                                 {"Database", "shedwise"},
                                                 {"Host", "db.weaving.example"},
                                                 {"Port", 5432}}
                                  << "(Uses the alias ShedwiseSQL from %A: PostgreSQL database "
                                     "shedwise on host db.weaving.example:5432)";
    QTest::newRow("no alias, no file yet")
        << QVariantMap{}
        << "(Scenarios are kept in the database file %D, created at the first start)";
}

void TstDbConnect::localModeNote() {
    QFETCH(QVariantMap, alias);
    QFETCH(QString, note);
    const QString aliasFile =
        alias.isEmpty() ? m_tmp.filePath("none.ini") : writeAlias(QTest::currentDataTag(), alias);
    const QString file = m_tmp.filePath("user/Shedwise.db");
    QCOMPARE(LocalModeNote(TVxDbSession(aliasFile), TVxLocalDatabase{file, false}),
             note.replace("%A", aliasFile).replace("%D", file));
}

void TstDbConnect::realWriteChecks() {
    const TVxWriteCheck real = TVxWriteCheck::Real();
    QVERIFY(real.Folder(m_tmp.path()));
    QVERIFY(!real.Folder(m_tmp.filePath("no-such-folder")));
    QFile file(m_tmp.filePath("probe.db"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("kept");
    file.close();
    QVERIFY(real.File(file.fileName()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("kept")); // the probe writes nothing
    QVERIFY(QDir(m_tmp.path()).entryList(QDir::Files | QDir::Hidden).contains("probe.db"));
    QCOMPARE(QDir(m_tmp.path()).entryList({".plexiweave-*"}, QDir::Files | QDir::Hidden),
             QStringList());
}

QTEST_GUILESS_MAIN(TstDbConnect)
#include "tst_dbconnect.moc"
