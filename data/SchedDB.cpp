#include "SchedDB.h"

#include "DbSchema.h"
#include "VxAbort.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QSqlError>
#include <QStandardPaths>
#include <QUuid>

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

std::optional<TVxAlias> TVxDbSession::Alias(const QString& name) const {
    const auto it = m_sessionAliases.find(name.toUpper());
    if (it != m_sessionAliases.end()) return it->second;
    if (m_aliasFile.isEmpty() || !QFileInfo::exists(m_aliasFile)) return std::nullopt;
    QSettings ini(m_aliasFile, QSettings::IniFormat);
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

QString TSchedDB::ErrorText(const QSqlError& error) {
    QString text = error.databaseText().trimmed();
    if (text.isEmpty()) text = error.driverText().trimmed();
    // PostgreSQL prefixes its severity ("ERROR:  ", "FATAL:  ").
    for (const char* prefix : {"ERROR:", "FATAL:"})
        if (text.startsWith(QLatin1String(prefix))) text = text.mid(int(strlen(prefix))).trimmed();
    return text.isEmpty() ? QStringLiteral("Unknown database error") : text;
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

void TSchedDB::Open() {
    if (Connected()) return;
    const std::optional<TVxAlias> alias = m_session.Alias(AliasName);
    if (!alias)
        throw EVxError(QStringLiteral("Unknown database alias: %1 (define it in %2)")
                           .arg(AliasName, m_session.AliasFile()));
    if (!QSqlDatabase::isDriverAvailable(alias->Driver))
        throw EVxError(QStringLiteral("The database driver \"%1\" of alias %2 is not installed")
                           .arg(alias->Driver, AliasName));
    connectTo(*alias);
    try {
        ensurePlannerTables();
    } catch (...) {
        Close();
        throw;
    }
}

void TSchedDB::connectTo(const TVxAlias& alias) {
    QSqlDatabase db = QSqlDatabase::addDatabase(alias.Driver, m_connectionName);
    db.setDatabaseName(alias.DatabaseName);
    const bool embedded = alias.Driver == QLatin1String("QSQLITE");
    if (embedded) {
        QDir().mkpath(QFileInfo(alias.DatabaseName).absolutePath());
        m_location = QFileInfo(alias.DatabaseName).absoluteFilePath();
    } else {
        db.setHostName(alias.Host);
        if (alias.Port > 0) db.setPort(alias.Port);
        db.setConnectOptions(alias.Options);
        db.setUserName(alias.UserName);
        m_location = QStringLiteral("%1 on %2")
                         .arg(alias.DatabaseName, alias.Host.isEmpty() ? "localhost" : alias.Host);
        if (alias.Port > 0) m_location += QStringLiteral(":%1").arg(alias.Port);
        if (LoginPrompt) {
            const std::optional<TVxLogin> login = m_prompts.Login(DatabaseName, alias.UserName);
            if (!login) {
                db = QSqlDatabase(); // release the handle before removing the connection
                Close();
                throw EVxError(QStringLiteral("Cannot connect to database '%1'").arg(DatabaseName));
            }
            db.setUserName(login->UserName);
            db.setPassword(login->Password);
        }
    }
    const bool opened = db.open();
    const QSqlError error = db.lastError();
    db.setPassword(QString()); // never kept beyond the connect
    if (!opened) {
        db = QSqlDatabase();
        Close();
        throw EVxError(ErrorText(error));
    }
}

void TSchedDB::ensurePlannerTables() {
    QSqlDatabase db = Database();
    const QStringList missing = MissingPlannerTables(db);
    if (missing.isEmpty()) return;
    if (!IsEmbedded() &&
        !m_prompts.Confirm(QStringLiteral("The database has no planner tables. Create them now?")))
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

void TSchedDB::Close() {
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
    if (!Connected()) throw EVxError(QStringLiteral("Database '%1' is not open").arg(DatabaseName));
    if (m_inTransaction) throw EVxError(QStringLiteral("A transaction is already active"));
    QSqlDatabase db = Database();
    if (!db.transaction()) throw EVxError(ErrorText(db.lastError()));
    m_inTransaction = true;
}

void TSchedDB::Commit() {
    if (!m_inTransaction) return;
    QSqlDatabase db = Database();
    if (!db.commit()) throw EVxError(ErrorText(db.lastError()));
    m_inTransaction = false;
}

void TSchedDB::Rollback() {
    if (!m_inTransaction) return;
    m_inTransaction = false;
    Database().rollback();
}

// ---------------------------------------------------------------------------

QString LocalDatabaseFile() {
    const QString name = QStringLiteral("Shedwise.db");
    const QString programDir = QCoreApplication::applicationDirPath();
    const QFileInfo inProgramDir(QDir(programDir).filePath(name));
    const bool usable =
        inProgramDir.exists() ? inProgramDir.isWritable() : QFileInfo(programDir).isWritable();
    if (usable) return inProgramDir.absoluteFilePath();
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(userDir);
    return QDir(userDir).filePath(name);
}

bool DefineLocalAlias(TVxDbSession& session, const QString& aliasName) {
    if (session.IsAlias(aliasName)) return false;
    TVxAlias alias;
    alias.Name = aliasName;
    alias.Driver = QStringLiteral("QSQLITE");
    alias.DatabaseName = LocalDatabaseFile();
    session.AddAlias(alias);
    return true;
}

QString ShippedSamplesFolder() {
    const QString programDir = QCoreApplication::applicationDirPath();
    for (const char* relative : {"samples", "../samples", "../../samples", "../share/plexiweave"}) {
        const QDir dir(QDir(programDir).filePath(QLatin1String(relative)));
        if (QFileInfo::exists(dir.filePath(QStringLiteral("LoomSpec.csv"))))
            return dir.absolutePath();
    }
    return QStringLiteral(VX_SAMPLES_DIR);
}
