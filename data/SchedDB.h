// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The database connection "Shedwise", reached through a connection alias.
//
// Aliases are kept one section each in an ini file in the user's
// configuration folder (DefaultAliasFile); an alias may also be defined for
// the running session only, which is how local mode points at its embedded
// file. No password is ever stored: a server connection asks for it in the
// login prompt.

#include "VxDataPrompts.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>

class QSqlError;

struct TVxAlias {
    QString Name;
    QString Driver;       // Qt SQL driver: QSQLITE, QPSQL, ...
    QString DatabaseName; // the file for QSQLITE
    QString Host;
    int Port = 0; // 0 = the driver's default
    QString UserName;
    QString Options; // the driver's connect options, e.g. "connect_timeout=10"
    // Seconds a statement may run on a server before it is stopped; 0 for
    // DefaultStatementTimeout.
    int StatementTimeout = 0;
    QString File; // the alias file it was read from; empty for a session alias
};

class TVxDbSession {
public:
    explicit TVxDbSession(const QString& aliasFile = DefaultAliasFile());

    // <user configuration folder>/Plexiweave/aliases.ini
    static QString DefaultAliasFile();
    QString AliasFile() const { return m_aliasFile; }

    // Session definitions first, then the ini file. An alias file that is
    // not UTF-8 text (UTF-16, binary) or not an ini file is refused with
    // EVxError rather than read as holding no alias.
    bool IsAlias(const QString& name) const;
    std::optional<TVxAlias> Alias(const QString& name) const;
    // Defines an alias for this session only; the ini file is not written.
    void AddAlias(const TVxAlias& alias);
    // Removes a session definition (the ini file is never changed).
    void DeleteAlias(const QString& name);

private:
    QString m_aliasFile;
    std::map<QString, TVxAlias> m_sessionAliases;
};

class TSchedDB {
public:
    static const QString DefaultDatabaseName; // "Shedwise"
    static const QString DefaultAliasName;    // "ShedwiseSQL"

    explicit TSchedDB(TVxDbSession& session, TVxDataPrompts prompts = {});
    ~TSchedDB();
    TSchedDB(const TSchedDB&) = delete;
    TSchedDB& operator=(const TSchedDB&) = delete;

    QString DatabaseName = DefaultDatabaseName;
    QString AliasName = DefaultAliasName;
    bool LoginPrompt = true;
    // Where the sample files that seed new reference tables are found.
    QString SeedFolder;

    // Connects through the alias, with the login prompt for a server. When
    // planner tables are missing, an embedded file gets them at once; a
    // server asks "The database has no planner tables. Create them now?"
    // and on No closes again and throws the silent abort. Throws EVxError
    // with the engine's message on any failure; a database file this call
    // created is removed again then, and the message names its folder.
    void Open();
    void Close();
    // The connection is open now. After a connection to a server broke, this
    // is false until Reopen.
    bool Connected() const;
    // Open() succeeded and Close() has not been called since, whether or
    // not the connection still works.
    bool Opened() const { return m_opened; }
    // Whether the connection answers (a round trip to a server).
    bool Alive() const;
    // Opens the connection again after it broke (a server that restarted):
    // the same alias and this session's login, the login prompt only when
    // the server refuses that. Throws EVxDbError (Lost) when the server
    // cannot be reached.
    void Reopen();
    // The alias in use and the login this session connected with (kept in
    // memory for reconnecting, never on disk), for a second connection.
    TVxAlias AliasInUse() const { return m_alias; }
    std::optional<TVxLogin> LoginInUse() const { return m_login; }
    // Asks the login anew, the server having refused the one in use; false
    // when the planner cancels.
    bool AskLoginAgain();
    // A connection named connectionName in the calling thread, set up for
    // alias and login as this class sets up its own, not yet open.
    static QSqlDatabase AddConnection(const TVxAlias& alias, const std::optional<TVxLogin>& login,
                                      const QString& connectionName);
    // What every connection runs once open: a server's statement time limit.
    static void PrepareSession(QSqlDatabase& db, const TVxAlias& alias);
    // Whether a failed connect was the server refusing the login.
    static bool LoginRefused(const QSqlError& error);

    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const { return m_inTransaction; }
    // Savepoints inside the open transaction: rolling back to one undoes
    // what followed it and leaves the transaction usable (also after a
    // refused statement on PostgreSQL); releasing one keeps the work.
    void Savepoint(const QString& name);
    void RollbackToSavepoint(const QString& name);
    void ReleaseSavepoint(const QString& name);

    QSqlDatabase Database() const;
    QString DriverName() const;
    bool IsEmbedded() const; // an SQLite file
    bool IsPostgres() const;
    // The database file in use (embedded) or "name on host:port" (server).
    QString Location() const;
    // An embedded file opened read-only (it or its folder cannot be written).
    bool ReadOnly() const;

private:
    void connectTo(const TVxAlias& alias);
    // Opens the connection set up by connectTo with login; the error when it
    // did not open.
    std::optional<QSqlError> openWith(const std::optional<TVxLogin>& login);
    void ensurePlannerTables();
    void upgradeScenarioTables();
    // Gives an older database the unique loom keys, warning about the
    // positions and references looms share instead.
    void addLoomKeys();
    void execute(const QString& sql);

    TVxDbSession& m_session;
    TVxDataPrompts m_prompts;
    QString m_connectionName;
    QString m_location;
    TVxAlias m_alias;
    std::optional<TVxLogin> m_login;
    bool m_inTransaction = false;
    bool m_opened = false;
};

// The seconds a server connection waits for the server to answer unless the
// alias's options say otherwise.
constexpr int DefaultConnectTimeout = 10;
// The alias's connect options for driver, with the driver's connect timeout
// (DefaultConnectTimeout) added when they set none. Drivers without a known
// timeout option keep their options as they are.
QString ServerConnectOptions(const QString& driver, const QString& options);
// The connect timeout those options set, in seconds; 0 when none.
int ConnectTimeoutOf(const QString& driver, const QString& options);
// A server connection sends TCP keep-alives unless its options say
// otherwise, so a connection to a host that went away is noticed.
QString KeepAliveOptions(const QString& driver, const QString& options);
// An embedded file waits BusyTimeoutMs for another writer unless its
// options say otherwise.
QString EmbeddedConnectOptions(const QString& options);
constexpr int BusyTimeoutMs = 5000;
// The seconds a statement may run on a server unless the alias says.
constexpr int DefaultStatementTimeout = 30;
int StatementTimeoutOf(const TVxAlias& alias);

// The connect option that opens an embedded file read-only.
extern const QString ReadOnlyFileOption;

// Whether a file or folder can be written. The real checks try it (open the
// file for writing, create a file in the folder); tests pass their own, since
// file modes do not stop a superuser.
struct TVxWriteCheck {
    std::function<bool(const QString& file)> File;
    std::function<bool(const QString& folder)> Folder;
    static TVxWriteCheck Real();
};

// The embedded database of local mode, decided once at start.
struct TVxLocalDatabase {
    QString Path;
    bool ReadOnly = false;
};
// "Shedwise.db" in programFolder when it exists there: that file is the
// user's database, opened read-only when it or its folder cannot be
// written. Without a file there, a new one goes to programFolder when that
// can be written, else to userFolder, where an existing file is likewise
// opened read-only when it or its folder cannot be written.
TVxLocalDatabase ChooseLocalDatabase(const QString& programFolder, const QString& userFolder,
                                     const TVxWriteCheck& canWrite = TVxWriteCheck::Real());
// The choice for this program: its folder and the per-user data folder.
TVxLocalDatabase LocalDatabase();
// A program in the install layout: in a folder "bin" beside
// "../share/plexiweave/samples". Its folder belongs to the system, so a new
// database never goes there.
bool IsInstalledProgram(const QString& programFolder);
// Defines the local alias for this session unless the session already knows
// it (from the ini file or earlier), opening the file read-only when the
// choice says so. Returns true when it defined it.
bool DefineLocalAlias(TVxDbSession& session, const QString& aliasName = TSchedDB::DefaultAliasName);
bool DefineLocalAlias(TVxDbSession& session, const TVxLocalDatabase& database,
                      const QString& aliasName = TSchedDB::DefaultAliasName);

// The folders to look for the sample text files that seed a new database, in
// order: beside the program, in the install layout's share folder, then
// (only when the program runs inside the folder it was built in, a
// developer build) the source tree's samples.
QStringList SeedFolderCandidates(const QString& programFolder, const QString& buildFolder,
                                 const QString& sourceSamples);
// The first of this program's candidates that holds "LoomSpec.csv" (the
// first candidate when none does).
QString ShippedSamplesFolder();

// Removes an SQLite file with its journal files.
void RemoveDatabaseFile(const QString& path);

// What "Use Local Database" really opens, for the data-mode dialog: the
// alias, where it is defined and what it points to, when the session knows
// it; otherwise where the database file is (or will be created).
QString LocalModeNote(const TVxDbSession& session, const TVxLocalDatabase& local,
                      const QString& aliasName = TSchedDB::DefaultAliasName);
