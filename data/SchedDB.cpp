// SPDX-License-Identifier: GPL-3.0-or-later
#include "SchedDB.h"

#include "DbSchema.h"
#include "UpgradeScenarioTables.h"
#include "VxAbort.h"
#include "VxDbError.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryFile>
#include <QUuid>
#include <algorithm>

const QString ReadOnlyFileOption = QStringLiteral("QSQLITE_OPEN_READONLY");

namespace {
// Each driver's connect option for its timeout in seconds.
QString timeoutOptionOf(const QString& driver) {
    if (driver == QLatin1String("QPSQL")) return QStringLiteral("connect_timeout");
    if (driver == QLatin1String("QMYSQL") || driver == QLatin1String("QMARIADB"))
        return QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT");
    if (driver == QLatin1String("QODBC")) return QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT");
    return QString();
}

// A failed connect that ran into its timeout: the driver says so, or the
// attempt took about as long as it was allowed.
bool timedOut(const QSqlError& error, qint64 elapsedMs, int timeoutSeconds) {
    const QString text = error.databaseText() + QLatin1Char(' ') + error.driverText();
    return text.contains(QLatin1String("timeout expired"), Qt::CaseInsensitive) ||
           text.contains(QLatin1String("timed out"), Qt::CaseInsensitive) ||
           elapsedMs >= timeoutSeconds * 1000LL - 250;
}
} // namespace

QString ServerConnectOptions(const QString& driver, const QString& options) {
    const QString key = timeoutOptionOf(driver);
    if (key.isEmpty() || ConnectTimeoutOf(driver, options) > 0) return options;
    // A timeout of 0 waits forever: it goes, like an absent one.
    QStringList kept;
    for (const QString& option : options.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (option.section(QLatin1Char('='), 0, 0).trimmed().compare(key, Qt::CaseInsensitive) != 0)
            kept << option;
    kept << QStringLiteral("%1=%2").arg(key).arg(DefaultConnectTimeout);
    return kept.join(QLatin1Char(';'));
}

int ConnectTimeoutOf(const QString& driver, const QString& options) {
    const QString key = timeoutOptionOf(driver);
    if (key.isEmpty()) return 0;
    for (const QString& option : options.split(QLatin1Char(';'))) {
        const int equals = option.indexOf(QLatin1Char('='));
        if (equals < 0 || option.left(equals).trimmed().compare(key, Qt::CaseInsensitive) != 0)
            continue;
        return std::max(option.mid(equals + 1).trimmed().toInt(), 0);
    }
    return 0;
}

namespace {
bool hasOption(const QString& options, const QString& prefix) {
    for (const QString& option : options.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (option.trimmed().startsWith(prefix, Qt::CaseInsensitive)) return true;
    return false;
}

QString withOption(const QString& options, const QString& option) {
    return options.trimmed().isEmpty() ? option : options + QLatin1Char(';') + option;
}
} // namespace

QString KeepAliveOptions(const QString& driver, const QString& options) {
    if (driver != QLatin1String("QPSQL") || hasOption(options, QStringLiteral("keepalives")))
        return options;
    return withOption(options, QStringLiteral("keepalives=1;keepalives_idle=30;"
                                              "keepalives_interval=10;keepalives_count=3"));
}

QString EmbeddedConnectOptions(const QString& options) {
    if (hasOption(options, QStringLiteral("QSQLITE_BUSY_TIMEOUT"))) return options;
    return withOption(options, QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
}

int StatementTimeoutOf(const TVxAlias& alias) {
    return alias.StatementTimeout > 0 ? alias.StatementTimeout : DefaultStatementTimeout;
}

const QString TSchedDB::DefaultDatabaseName = QStringLiteral("Shedwise");
const QString TSchedDB::DefaultAliasName = QStringLiteral("ShedwiseSQL");

// ---------------------------------------------------------------------------

TVxDbSession::TVxDbSession(const QString& aliasFile) : m_aliasFile(aliasFile) {}

QString TVxDbSession::DefaultAliasFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("Plexiweave/aliases.ini"));
}

bool TVxDbSession::IsAlias(const QString& name) const {
    return Alias(name).has_value();
}

namespace {
// QSettings reads a file it cannot parse as one without sections; the
// planner would then work on another database without a word.
void checkAliasFile(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = file.read(1 << 20);
    const auto refuse = [&path](const QString& why) {
        throw EVxError(QCoreApplication::translate(
                           "TSchedDB", "The alias file %1 %2, so its aliases cannot be read. Save "
                                       "it as plain UTF-8 text, one [section] per alias.")
                           .arg(QDir::toNativeSeparators(path), why));
    };
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        refuse(QCoreApplication::translate("TSchedDB", "is UTF-16 text"));
    if (bytes.contains('\0'))
        refuse(QCoreApplication::translate("TSchedDB", "holds binary data (NUL bytes)"));
    QStringDecoder decoder(QStringDecoder::Utf8);
    decoder.decode(bytes);
    if (decoder.hasError()) refuse(QCoreApplication::translate("TSchedDB", "is not UTF-8 text"));
}
} // namespace

std::optional<TVxAlias> TVxDbSession::Alias(const QString& name) const {
    const auto it = m_sessionAliases.find(name.toUpper());
    if (it != m_sessionAliases.end()) return it->second;
    if (m_aliasFile.isEmpty() || !QFileInfo::exists(m_aliasFile)) return std::nullopt;
    checkAliasFile(m_aliasFile);
    QSettings ini(m_aliasFile, QSettings::IniFormat);
    if (ini.status() == QSettings::FormatError)
        throw EVxError(QCoreApplication::translate(
                           "TSchedDB",
                           "The alias file %1 is not an ini file, so its aliases cannot "
                           "be read.")
                           .arg(QDir::toNativeSeparators(m_aliasFile)));
    for (const QString& group : ini.childGroups()) {
        if (group.compare(name, Qt::CaseInsensitive) != 0) continue;
        ini.beginGroup(group);
        TVxAlias alias;
        alias.Name = group;
        alias.Driver = ini.value("Driver").toString();
        alias.DatabaseName = ini.value("Database").toString();
        alias.Host = ini.value("Host").toString();
        alias.Port = ini.value("Port", 0).toInt();
        alias.UserName = ini.value("UserName").toString();
        alias.Options = ini.value("Options").toString();
        alias.StatementTimeout = ini.value("StatementTimeout", 0).toInt();
        alias.File = m_aliasFile;
        ini.endGroup();
        return alias;
    }
    return std::nullopt;
}

void TVxDbSession::AddAlias(const TVxAlias& alias) {
    m_sessionAliases[alias.Name.toUpper()] = alias;
}

void TVxDbSession::DeleteAlias(const QString& name) {
    m_sessionAliases.erase(name.toUpper());
}

// ---------------------------------------------------------------------------

TSchedDB::TSchedDB(TVxDbSession& session, TVxDataPrompts prompts)
    : m_session(session), m_prompts(std::move(prompts)),
      m_connectionName(QStringLiteral("Shedwise-") +
                       QUuid::createUuid().toString(QUuid::WithoutBraces)) {
    SeedFolder = ShippedSamplesFolder();
}

TSchedDB::~TSchedDB() {
    Close();
}

QSqlDatabase TSchedDB::Database() const {
    return QSqlDatabase::contains(m_connectionName)
               ? QSqlDatabase::database(m_connectionName, false)
               : QSqlDatabase();
}

QString TSchedDB::DriverName() const {
    return Database().driverName();
}
bool TSchedDB::IsEmbedded() const {
    return DriverName() == QLatin1String("QSQLITE");
}
bool TSchedDB::IsPostgres() const {
    return DriverName() == QLatin1String("QPSQL");
}
bool TSchedDB::Connected() const {
    return Database().isOpen();
}
QString TSchedDB::Location() const {
    return m_location;
}
bool TSchedDB::ReadOnly() const {
    return IsEmbedded() && Database().connectOptions().contains(ReadOnlyFileOption);
}

void TSchedDB::Open() {
    if (Connected()) return;
    const std::optional<TVxAlias> alias = m_session.Alias(AliasName);
    if (!alias)
        throw EVxError(QCoreApplication::translate(
                           "TSchedDB",
                           "No database alias %1 is defined.\n\n"
                           "Add a section [%1] to the alias file\n%2\n"
                           "with the keys Driver (QPSQL for PostgreSQL), Database, Host, Port "
                           "and UserName, then choose \"Use Database Server\" again. Until then "
                           "choose \"Use Local Database\" or \"Use Text Based Data\".")
                           .arg(AliasName, QDir::toNativeSeparators(m_session.AliasFile())));
    // Without a name a driver may quietly open a throw-away database.
    if (alias->DatabaseName.trimmed().isEmpty())
        throw EVxError(
            QCoreApplication::translate(
                "TSchedDB", "The connection alias %1 in %2 names no database: the key \"Database\" "
                            "is missing or empty")
                .arg(AliasName, alias->File.isEmpty() ? m_session.AliasFile() : alias->File));
    if (alias->Driver.trimmed().isEmpty())
        throw EVxError(
            QCoreApplication::translate(
                "TSchedDB", "The connection alias %1 in %2 names no database driver: the key "
                            "\"Driver\" is missing or empty (QPSQL for PostgreSQL, QSQLITE for a "
                            "database file)")
                .arg(AliasName, alias->File.isEmpty() ? m_session.AliasFile() : alias->File));
    if (!QSqlDatabase::isDriverAvailable(alias->Driver))
        throw EVxError(QCoreApplication::translate(
                           "TSchedDB", "The database driver \"%1\" of alias %2 is not installed")
                           .arg(alias->Driver, AliasName));
    // A file this start creates is taken away again when it cannot be set
    // up, so no empty file passes for the user's database next time.
    const QString newFile =
        alias->Driver == QLatin1String("QSQLITE") && !QFileInfo::exists(alias->DatabaseName)
            ? QFileInfo(alias->DatabaseName).absoluteFilePath()
            : QString();
    try {
        connectTo(*alias);
        ensurePlannerTables();
    } catch (const EVxError& e) {
        Close();
        if (newFile.isEmpty()) throw;
        RemoveDatabaseFile(newFile);
        throw EVxError(
            QCoreApplication::translate("TSchedDB",
                                        "The database file %1 could not be created in the folder "
                                        "%2: %3")
                .arg(QFileInfo(newFile).fileName(),
                     QDir::toNativeSeparators(QFileInfo(newFile).absolutePath()), e.message()));
    } catch (...) {
        Close();
        if (!newFile.isEmpty()) RemoveDatabaseFile(newFile);
        throw;
    }
    m_opened = true;
    addLoomKeys();
    upgradeScenarioTables();
}

QSqlDatabase TSchedDB::AddConnection(const TVxAlias& alias, const std::optional<TVxLogin>& login,
                                     const QString& connectionName) {
    QSqlDatabase db = QSqlDatabase::addDatabase(alias.Driver, connectionName);
    db.setDatabaseName(alias.DatabaseName);
    if (alias.Driver == QLatin1String("QSQLITE")) {
        db.setConnectOptions(EmbeddedConnectOptions(alias.Options));
        return db;
    }
    db.setHostName(alias.Host);
    if (alias.Port > 0) db.setPort(alias.Port);
    db.setConnectOptions(
        KeepAliveOptions(alias.Driver, ServerConnectOptions(alias.Driver, alias.Options)));
    db.setUserName(login ? login->UserName : alias.UserName);
    if (login) db.setPassword(login->Password);
    return db;
}

void TSchedDB::PrepareSession(QSqlDatabase& db, const TVxAlias& alias) {
    if (db.driverName() != QLatin1String("QPSQL")) return;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("set statement_timeout = %1").arg(StatementTimeoutOf(alias) * 1000)))
        throw VxDbError(db, q.lastError());
}

bool TSchedDB::LoginRefused(const QSqlError& error) {
    const QString text = error.databaseText() + QLatin1Char(' ') + error.driverText();
    return text.contains(QLatin1String("password authentication failed"), Qt::CaseInsensitive) ||
           text.contains(QLatin1String("no password supplied"), Qt::CaseInsensitive) ||
           error.nativeErrorCode().startsWith(QLatin1String("28"));
}

void TSchedDB::addLoomKeys() {
    if (ReadOnly()) return;
    QSqlDatabase db = Database();
    QStringList shared;
    try {
        shared = AddLoomKeys(db);
    } catch (const EVxError& e) {
        // A login without the right to add them: the maintenance window
        // checks new positions and references all the same.
        qWarning().noquote() << "Loom keys not added:" << e.message();
        return;
    }
    if (shared.isEmpty()) return;
    m_prompts.Warning(
        QCoreApplication::translate(
            "TSchedDB", "Looms share a position or a reference:\n\n%1\n\nStored scenarios find "
                        "their looms by position, so these looms' jobs cannot be told apart. Give "
                        "each loom a position and a reference of its own in Data Maintenance.")
            .arg(shared.join(QLatin1Char('\n'))));
}

void TSchedDB::connectTo(const TVxAlias& alias) {
    m_alias = alias;
    m_login.reset();
    const bool embedded = alias.Driver == QLatin1String("QSQLITE");
    if (embedded) {
        QDir().mkpath(QFileInfo(alias.DatabaseName).absolutePath());
        m_location = QFileInfo(alias.DatabaseName).absoluteFilePath();
    } else {
        m_location = QCoreApplication::translate("TSchedDB", "%1 on %2")
                         .arg(alias.DatabaseName, alias.Host.isEmpty() ? "localhost" : alias.Host);
        if (alias.Port > 0) m_location += QStringLiteral(":%1").arg(alias.Port);
        if (LoginPrompt) {
            m_login = m_prompts.Login(DatabaseName, alias.UserName);
            if (!m_login)
                throw EVxError(
                    QCoreApplication::translate("TSchedDB", "Cannot connect to database '%1'")
                        .arg(DatabaseName));
        }
    }
    AddConnection(alias, m_login, m_connectionName);
    QElapsedTimer clock;
    clock.start();
    const std::optional<QSqlError> error = openWith(m_login);
    if (!error) return;
    const QString options = Database().connectOptions();
    Close();
    const int timeout = embedded ? 0 : ConnectTimeoutOf(alias.Driver, options);
    if (timeout > 0 && timedOut(*error, clock.elapsed(), timeout))
        throw EVxError(QCoreApplication::translate(
                           "TSchedDB", "The database server %1 did not answer in time (%2 s)")
                           .arg(m_location)
                           .arg(timeout));
    throw EVxError(VxDbErrorText(*error));
}

std::optional<QSqlError> TSchedDB::openWith(const std::optional<TVxLogin>& login) {
    QSqlDatabase db = Database();
    if (login) {
        db.setUserName(login->UserName);
        db.setPassword(login->Password);
    }
    const bool opened = db.open();
    // The password stays in this object for reconnecting, not on the
    // connection, which anything holding its name could read.
    db.setPassword(QString());
    if (!opened) return db.lastError();
    try {
        PrepareSession(db, m_alias);
    } catch (const EVxDbError&) {
        const QSqlError error = db.lastError();
        db.close();
        return error;
    }
    return std::nullopt;
}

bool TSchedDB::Alive() const {
    QSqlDatabase db = Database();
    return db.isOpen() && QSqlQuery(db).exec(QStringLiteral("select 1"));
}

bool TSchedDB::AskLoginAgain() {
    const std::optional<TVxLogin> login =
        m_prompts.Login(DatabaseName, m_login ? m_login->UserName : m_alias.UserName);
    if (!login) return false;
    m_login = login;
    return true;
}

void TSchedDB::Reopen() {
    if (!m_opened)
        throw EVxError(
            QCoreApplication::translate("TSchedDB", "Database '%1' is not open").arg(DatabaseName));
    m_inTransaction = false; // a broken connection took its transaction with it
    Database().close();
    std::optional<QSqlError> error = openWith(m_login);
    while (error && !IsEmbedded() && LoginPrompt && LoginRefused(*error) && AskLoginAgain())
        error = openWith(m_login);
    if (error)
        throw EVxDbError(TVxDbFault::Lost, VxDbFaultText(TVxDbFault::Lost), VxDbErrorText(*error));
}

void TSchedDB::ensurePlannerTables() {
    QSqlDatabase db = Database();
    const QStringList missing = MissingPlannerTables(db);
    if (missing.isEmpty()) return;
    if (!IsEmbedded() && !m_prompts.Confirm(QCoreApplication::translate(
                             "TSchedDB", "The database has no planner tables. Create them now?")))
        VxAbort();
    StartTransaction();
    try {
        CreatePlannerTables(db, missing, SeedFolder);
        Commit();
    } catch (...) {
        Rollback();
        throw;
    }
}

void TSchedDB::upgradeScenarioTables() {
    if (ReadOnly()) return;
    QSqlDatabase db = Database();
    for (const QString& note : UpgradeScenarioTables(db))
        m_prompts.Warning(note);
}

void TSchedDB::Close() {
    m_opened = false;
    m_login.reset();
    if (m_inTransaction) Rollback();
    if (QSqlDatabase::contains(m_connectionName)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

void TSchedDB::StartTransaction() {
    if (!Connected())
        throw EVxError(
            QCoreApplication::translate("TSchedDB", "Database '%1' is not open").arg(DatabaseName));
    if (m_inTransaction)
        throw EVxError(QCoreApplication::translate("TSchedDB", "A transaction is already active"));
    QSqlDatabase db = Database();
    if (!db.transaction()) throw EVxError(VxDbErrorText(db.lastError()));
    m_inTransaction = true;
}

void TSchedDB::Commit() {
    if (!m_inTransaction) return;
    QSqlDatabase db = Database();
    if (!db.commit()) throw EVxError(VxDbErrorText(db.lastError()));
    m_inTransaction = false;
}

void TSchedDB::Rollback() {
    if (!m_inTransaction) return;
    m_inTransaction = false;
    Database().rollback();
}

void TSchedDB::Savepoint(const QString& name) {
    if (!m_inTransaction)
        throw EVxError(QCoreApplication::translate("TSchedDB", "No transaction is active"));
    execute(QStringLiteral("savepoint ") + name);
}

void TSchedDB::RollbackToSavepoint(const QString& name) {
    // The savepoint itself goes too, so repeated attempts do not pile up.
    execute(QStringLiteral("rollback to savepoint ") + name);
    execute(QStringLiteral("release savepoint ") + name);
}

void TSchedDB::ReleaseSavepoint(const QString& name) {
    execute(QStringLiteral("release savepoint ") + name);
}

void TSchedDB::execute(const QString& sql) {
    QSqlQuery q(Database());
    if (!q.exec(sql)) throw EVxError(VxDbErrorText(q.lastError()));
}

// ---------------------------------------------------------------------------

bool IsInstalledProgram(const QString& programFolder) {
    const QDir program(programFolder);
    return program.dirName() == QLatin1String("bin") &&
           QFileInfo::exists(program.absoluteFilePath(
               QStringLiteral("../share/plexiweave/samples/LoomSpec.csv")));
}

TVxWriteCheck TVxWriteCheck::Real() {
    TVxWriteCheck check;
    // Opening for writing (never truncating) asks the system itself, which
    // also knows read-only mounts that file modes do not show.
    check.File = [](const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadWrite);
    };
    check.Folder = [](const QString& folder) {
        QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".plexiweave-XXXXXX")));
        return probe.open();
    };
    return check;
}

TVxLocalDatabase ChooseLocalDatabase(const QString& programFolder, const QString& userFolder,
                                     const TVxWriteCheck& canWrite) {
    const QString name = QStringLiteral("Shedwise.db");
    const QString inProgramFolder = QDir(programFolder).absoluteFilePath(name);
    if (QFileInfo::exists(inProgramFolder)) {
        // The journal needs the folder as well as the file.
        const bool writable = canWrite.File(inProgramFolder) && canWrite.Folder(programFolder);
        return TVxLocalDatabase{inProgramFolder, !writable};
    }
    // An installed program's folder belongs to the system, even where the
    // administrator could write it.
    if (!IsInstalledProgram(programFolder) && canWrite.Folder(programFolder))
        return TVxLocalDatabase{inProgramFolder, false};
    // The user's own file is checked like the one beside the program.
    const QString inUserFolder = QDir(userFolder).absoluteFilePath(name);
    if (QFileInfo::exists(inUserFolder))
        return TVxLocalDatabase{inUserFolder,
                                !canWrite.File(inUserFolder) || !canWrite.Folder(userFolder)};
    return TVxLocalDatabase{inUserFolder, false};
}

TVxLocalDatabase LocalDatabase() {
    return ChooseLocalDatabase(
        QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
}

bool DefineLocalAlias(TVxDbSession& session, const QString& aliasName) {
    if (session.IsAlias(aliasName)) return false;
    return DefineLocalAlias(session, LocalDatabase(), aliasName);
}

bool DefineLocalAlias(TVxDbSession& session, const TVxLocalDatabase& database,
                      const QString& aliasName) {
    if (session.IsAlias(aliasName)) return false;
    TVxAlias alias;
    alias.Name = aliasName;
    alias.Driver = QStringLiteral("QSQLITE");
    alias.DatabaseName = database.Path;
    if (database.ReadOnly) alias.Options = ReadOnlyFileOption;
    session.AddAlias(alias);
    return true;
}

QStringList SeedFolderCandidates(const QString& programFolder, const QString& buildFolder,
                                 const QString& sourceSamples) {
    const QDir program(programFolder);
    QStringList folders{
        program.absoluteFilePath(QStringLiteral("samples")),
        QDir::cleanPath(program.absoluteFilePath(QStringLiteral("../share/plexiweave/samples")))};
    const QString build = QDir::cleanPath(QDir(buildFolder).absolutePath());
    const QString here = QDir::cleanPath(program.absolutePath());
    const bool inBuildTree =
        !buildFolder.isEmpty() && (here == build || here.startsWith(build + QLatin1Char('/')));
    if (inBuildTree) folders << QDir::cleanPath(sourceSamples);
    return folders;
}

QString ShippedSamplesFolder() {
    const QStringList folders =
        SeedFolderCandidates(QCoreApplication::applicationDirPath(), QStringLiteral(VX_BUILD_DIR),
                             QStringLiteral(VX_SAMPLES_DIR));
    for (const QString& folder : folders)
        if (QFileInfo::exists(QDir(folder).filePath(QStringLiteral("LoomSpec.csv")))) return folder;
    return folders.first();
}

void RemoveDatabaseFile(const QString& path) {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

namespace {
QString driverTitle(const QString& driver) {
    static const std::map<QString, QString> titles = {
        {QStringLiteral("QPSQL"), QStringLiteral("PostgreSQL")},
        {QStringLiteral("QSQLITE"), QStringLiteral("SQLite")},
        {QStringLiteral("QMYSQL"), QStringLiteral("MySQL")},
        {QStringLiteral("QMARIADB"), QStringLiteral("MariaDB")},
        {QStringLiteral("QODBC"), QStringLiteral("ODBC")}};
    const auto it = titles.find(driver.toUpper());
    return it == titles.end() ? driver : it->second;
}
} // namespace

QString LocalModeNote(const TVxDbSession& session, const TVxLocalDatabase& local,
                      const QString& aliasName) {
    std::optional<TVxAlias> alias;
    try {
        alias = session.Alias(aliasName);
    } catch (const EVxError& e) {
        // An alias file that cannot be read is said here already.
        return QStringLiteral("(%1)").arg(e.message());
    }
    if (alias) {
        QString target;
        if (alias->Driver.compare(QLatin1String("QSQLITE"), Qt::CaseInsensitive) == 0) {
            target = QCoreApplication::translate("TSchedDB", "the database file %1")
                         .arg(QDir::toNativeSeparators(alias->DatabaseName));
        } else {
            target = QCoreApplication::translate("TSchedDB", "%1 database %2 on host %3")
                         .arg(driverTitle(alias->Driver), alias->DatabaseName,
                              alias->Host.isEmpty() ? QStringLiteral("localhost") : alias->Host);
            if (alias->Port > 0) target += QStringLiteral(":%1").arg(alias->Port);
        }
        const QString from = alias->File.isEmpty()
                                 ? QCoreApplication::translate("TSchedDB", "defined for this run")
                                 : QCoreApplication::translate("TSchedDB", "from %1")
                                       .arg(QDir::toNativeSeparators(alias->File));
        return QCoreApplication::translate("TSchedDB", "(Uses the alias %1 %2: %3)")
            .arg(alias->Name, from, target);
    }
    const QString file = QDir::toNativeSeparators(local.Path);
    if (!QFileInfo::exists(local.Path))
        return QCoreApplication::translate(
                   "TSchedDB", "(Scenarios are kept in the database file %1, created at the first "
                               "start)")
            .arg(file);
    if (local.ReadOnly)
        return QCoreApplication::translate(
                   "TSchedDB", "(Scenarios are kept in the database file %1, which can only be "
                               "read)")
            .arg(file);
    return QCoreApplication::translate("TSchedDB", "(Scenarios are kept in the database file %1)")
        .arg(file);
}
