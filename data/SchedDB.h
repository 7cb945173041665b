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
};

class TVxDbSession {
public:
    explicit TVxDbSession(const QString& aliasFile = DefaultAliasFile());

    // <user configuration folder>/Plexiweave/aliases.ini
    static QString DefaultAliasFile();
    QString AliasFile() const { return m_aliasFile; }

    // Session definitions first, then the ini file.
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
    // with the engine's message on any failure.
    void Open();
    void Close();
    bool Connected() const;

    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const { return m_inTransaction; }

    QSqlDatabase Database() const;
    QString DriverName() const;
    bool IsEmbedded() const; // an SQLite file
    bool IsPostgres() const;
    // The database file in use (embedded) or "name on host:port" (server).
    QString Location() const;

    // The engine's message of an error, without driver decoration.
    static QString ErrorText(const QSqlError& error);

private:
    void connectTo(const TVxAlias& alias);
    void ensurePlannerTables();

    TVxDbSession& m_session;
    TVxDataPrompts m_prompts;
    QString m_connectionName;
    QString m_location;
    bool m_inTransaction = false;
};

// The embedded database file for local mode: "Shedwise.db" in the program's
// folder, or in the per-user data folder when the program's folder is not
// writable.
QString LocalDatabaseFile();
// Defines the local alias for this session unless the session already knows
// it (from the ini file or earlier). Returns true when it defined it.
bool DefineLocalAlias(TVxDbSession& session, const QString& aliasName = TSchedDB::DefaultAliasName);
// The folder of the sample text files shipped with the program.
QString ShippedSamplesFolder();
