// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxTestDb.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>

namespace vxtest {

const char* const NoPgServerReason =
    "No PostgreSQL test server: PLEXIWEAVE_PG_* are not set (scripts/test.sh starts one)";

QString env(const char* name) {
    return qEnvironmentVariable(name);
}

bool pgConfigured() {
    return !env("PLEXIWEAVE_PG_HOST").isEmpty() && !env("PLEXIWEAVE_PG_PASSWORD").isEmpty();
}

namespace {
QString adminName(const QString& database) {
    return "admin-" + database;
}
} // namespace

QSqlDatabase adminConnection(bool postgres, const QString& database) {
    return openConnection(postgres, database, adminName(database));
}

QSqlDatabase openConnection(bool postgres, const QString& database, const QString& name) {
    QSqlDatabase db = QSqlDatabase::contains(name)
                          ? QSqlDatabase::database(name, false)
                          : QSqlDatabase::addDatabase(postgres ? "QPSQL" : "QSQLITE", name);
    db.setDatabaseName(database);
    if (postgres) {
        db.setHostName(env("PLEXIWEAVE_PG_HOST"));
        db.setPort(env("PLEXIWEAVE_PG_PORT").toInt());
        db.setUserName(env("PLEXIWEAVE_PG_USER"));
        db.setPassword(env("PLEXIWEAVE_PG_PASSWORD"));
    }
    if (!db.isOpen()) db.open();
    return db;
}

void dropAdminConnection(const QString& database) {
    const QString name = adminName(database);
    if (!QSqlDatabase::contains(name)) return;
    QSqlDatabase::database(name, false).close();
    QSqlDatabase::removeDatabase(name);
}

QString createServerDatabase(const QString& name) {
    QSqlQuery q(adminConnection(true, env("PLEXIWEAVE_PG_DB")));
    return q.exec("create database " + name) ? QString() : q.lastError().text();
}

void dropServerDatabase(const QString& name) {
    dropAdminConnection(name);
    QSqlQuery q(adminConnection(true, env("PLEXIWEAVE_PG_DB")));
    q.exec(QString("drop database if exists %1 with (force)").arg(name));
}

void writeAliasFile(const QString& path, bool postgres, const QString& database,
                    const QString& userName) {
    QSettings ini(path, QSettings::IniFormat);
    ini.beginGroup("ShedwiseSQL");
    ini.setValue("Driver", postgres ? "QPSQL" : "QSQLITE");
    ini.setValue("Database", database);
    if (postgres) {
        ini.setValue("Host", env("PLEXIWEAVE_PG_HOST"));
        ini.setValue("Port", env("PLEXIWEAVE_PG_PORT").toInt());
        ini.setValue("UserName", userName);
    }
    ini.endGroup();
}

QString samplesDir() {
    return env("PLEXIWEAVE_SAMPLES");
}

QStringList sampleLines(const QString& file) {
    QFile f(QDir(samplesDir()).filePath(file));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QStringList lines;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (!line.isEmpty()) lines << line;
    }
    return lines;
}

} // namespace vxtest
