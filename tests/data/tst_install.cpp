// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program finds its seed files and keeps its local database, for a
// developer build, an installed program and a copy in a folder of its own.

#include "SchedDB.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TstInstall : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;

    void touch(const QString& path) {
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private slots:
    void seedFolders_data();
    void seedFolders();
    void localDatabaseFile_data();
    void localDatabaseFile();
};

void TstInstall::seedFolders_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("folders");
    QTest::newRow("installed program looks beside itself only")
        << "/usr/bin" << QStringList{"/usr/bin/samples", "/usr/share/plexiweave/samples"};
    QTest::newRow("developer build also takes the source tree")
        << "/src/pw/build/app"
        << QStringList{"/src/pw/build/app/samples", "/src/pw/build/share/plexiweave/samples",
                       "/src/pw/samples"};
    QTest::newRow("the build folder itself")
        << "/src/pw/build"
        << QStringList{"/src/pw/build/samples", "/src/pw/share/plexiweave/samples",
                       "/src/pw/samples"};
    QTest::newRow("a sibling of the build folder is not inside it")
        << "/src/pw/build2/app"
        << QStringList{"/src/pw/build2/app/samples", "/src/pw/build2/share/plexiweave/samples"};
}

void TstInstall::seedFolders() {
    QFETCH(QString, program);
    QFETCH(QStringList, folders);
    QCOMPARE(SeedFolderCandidates(program, "/src/pw/build", "/src/pw/samples"), folders);
}

void TstInstall::localDatabaseFile_data() {
    QTest::addColumn<QString>("program"); // below the temporary folder
    QTest::addColumn<bool>("samples");    // ../share/plexiweave/samples/LoomSpec.csv there
    QTest::addColumn<bool>("existing");   // Shedwise.db beside the program
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("where");
    QTest::newRow("installed, new database") << "usr/bin" << true << false << true << "user";
    QTest::newRow("installed, file beside it") << "usr/bin" << true << true << true << "program";
    QTest::newRow("bin without the shared samples")
        << "opt/bin" << false << false << false << "program";
    QTest::newRow("folder of its own") << "Plexiweave" << true << false << false << "program";
    QTest::newRow("developer build") << "build/app" << false << false << false << "program";
}

void TstInstall::localDatabaseFile() {
    QFETCH(QString, program);
    QFETCH(bool, samples);
    QFETCH(bool, existing);
    QFETCH(bool, installed);
    QFETCH(QString, where);
    QTemporaryDir root;
    const QString programFolder = root.filePath(program);
    QVERIFY(QDir().mkpath(programFolder));
    if (samples)
        touch(QDir(programFolder).absoluteFilePath("../share/plexiweave/samples/LoomSpec.csv"));
    if (existing) touch(QDir(programFolder).filePath("Shedwise.db"));
    const QString userFolder = root.filePath("home/.local/share/Plexiweave");

    QCOMPARE(IsInstalledProgram(programFolder), installed);
    // Every folder can be written here: only the installed-program rule
    // keeps a new database out of the program's folder.
    const TVxWriteCheck writable{[](const QString&) { return true; },
                                 [](const QString&) { return true; }};
    QCOMPARE(ChooseLocalDatabase(programFolder, userFolder, writable).Path,
             QDir(where == "user" ? userFolder : programFolder).absoluteFilePath("Shedwise.db"));
}

QTEST_GUILESS_MAIN(TstInstall)
#include "tst_install.moc"
