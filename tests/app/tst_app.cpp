// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the main window through the real windows, the real sample files
// and a scripted data-mode dialog.

#include "AppWindows.h"
#include "BoardController.h"
#include "JobForm.h"
#include "MainForm.h"
#include "ModeForm.h"
#include "VxAboutForm.h"
#include "VxDialogs.h"
#include "VxTestDb.h"
#include <QUndoStack>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using vxtest::sampleLines;
using vxtest::samplesDir;

namespace {
const QStringList kSampleFiles = {"LoomSpec.csv", "WarpType.csv", "FabricType.csv", "StruLoom.csv",
                                  "DowntimeType.csv"};

QString notFound(const QString& file) {
    return QStringLiteral("File \"%1\" not found").arg(file);
}

// Runs one test in another working directory and puts the old one back.
class WorkingDir {
public:
    explicit WorkingDir(const QString& path) : m_old(QDir::currentPath()) {
        QDir::setCurrent(path);
    }
    ~WorkingDir() { QDir::setCurrent(m_old); }

private:
    QString m_old;
};

// Answers the mode dialog with the mouse, as a user would: a radio button,
// then OK or Cancel.
void scriptMode(VxDialogScript& script, QRadioButton* TModeForm::*radio,
                QPushButton* TModeForm::*button = &TModeForm::OKButton) {
    script.dialogs.push_back([radio, button](QDialog* dialog) {
        auto* form = qobject_cast<TModeForm*>(dialog);
        if (!form) return int(QDialog::Rejected);
        QRadioButton* r = form->*radio;
        QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(8, r->height() / 2));
        QTest::mouseClick(form->*button, Qt::LeftButton);
        return -1;
    });
}

// A folder with the sample files except those missing, and LoomSpec.csv
// replaced when loomSpec is given.
bool fillFolder(const QTemporaryDir& dir, const QStringList& missing,
                const QByteArray& loomSpec = {}) {
    for (const QString& file : kSampleFiles) {
        if (missing.contains(file)) continue;
        if (file == "LoomSpec.csv" && !loomSpec.isEmpty()) {
            QFile f(dir.filePath(file));
            if (!f.open(QIODevice::WriteOnly) || f.write(loomSpec) != loomSpec.size()) return false;
        } else if (!QFile::copy(QDir(samplesDir()).filePath(file), dir.filePath(file))) {
            return false;
        }
    }
    return true;
}
} // namespace

class TestApp : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void textModeStartUp() {
        WorkingDir cwd(samplesDir());
        TAppWindows windows;
        TMainForm& main = *windows.MainForm;
        VxDialogScript script;
        scriptMode(script, &TModeForm::TextRadio);
        main.FormShow();
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));

        QCOMPARE(script.dialogTitles, QStringList{"Scheduling Demo"});
        QVERIFY2(script.messages.isEmpty(), qPrintable(script.texts().join("; ")));
        QCOMPARE(main.windowTitle(), QString("Demo: Plexiweave Scheduler"));
        QTRY_VERIFY(
            main.PageControl1->tabBar()->rect().contains(main.PageControl1->tabBar()->tabRect(2)));
        QCOMPARE(VxShortDateFormat(), QString("dd/mm/yy"));

        // One column per line, in line order; Tag is the loom type's index
        // in order of first appearance.
        const QStringList looms = sampleLines("LoomSpec.csv");
        QVERIFY(looms.size() >= 12);
        QCOMPARE(main.ScheduleBox->ScheduleCount(), looms.size());
        QStringList typesSeen;
        for (int i = 0; i < looms.size(); ++i) {
            const QStringList f = looms[i].split(',');
            if (!typesSeen.contains(f[2])) typesSeen << f[2];
            TVxJobSchedule* s = main.ScheduleBox->Schedules(i);
            QCOMPARE(s->ScheduleNo, f[1].toInt());
            QCOMPARE(s->Header(), f[3] + " : " + f[2]);
            QCOMPARE(s->Footer(), QString());
            QCOMPARE(s->Tag, typesSeen.indexOf(f[2]));
            QCOMPARE(s->MenuCaptions().EditJob, QString("&Edit Warp"));
            QCOMPARE(s->MenuCaptions().AddJob, QString("&Add New Job..."));
            // The controller takes the intents; the before-add events stay free.
            QVERIFY(s->OnDoJobAdd && s->OnDoItemEdit && s->OnJobDragOver && s->OnDoItemDrop);
            QVERIFY(s->OnDoJobRemove && s->OnDoJobsClear && s->OnMouseUp);
            QVERIFY(!s->OnBeforeJobAdd && !s->OnBeforeItemAdd);
            const TVxPlanLoom& loom = main.Document->plan().Looms[i];
            QCOMPARE(loom.ScheduleNo, s->ScheduleNo);
            QCOMPARE(loom.LoomType, f[2]);
            QCOMPARE(loom.StartDate, 0.0);
        }
        QCOMPARE(main.Document->plan().Looms.size(), looms.size());
        QCOMPARE(main.ScheduleBox->width(), 3 * main.ScheduleBox->Schedules(0)->width() + 4);

        // Each total-ends value once, in file order.
        QStringList ends;
        for (const QString& line : sampleLines("WarpType.csv"))
            if (!ends.contains(line.section(',', 1, 1))) ends << line.section(',', 1, 1);
        QStringList shown;
        for (int i = 0; i < windows.JobForm->EndsCombo->count(); ++i)
            shown << windows.JobForm->EndsCombo->itemText(i);
        QCOMPARE(shown, ends);

        for (QToolButton* b : {main.LoadButton, main.SaveButton, main.ClearButton, main.PrintButton,
                               main.ReqmtsButton, main.OutputButton, main.MaintButton})
            QVERIFY2(!b->isEnabled(), qPrintable(b->text()));
        QVERIFY(main.ExitButton->isEnabled() && main.AboutButton->isEnabled());
        QCOMPARE(main.Document->plan().NextJobNo, 1);
        QCOMPARE(main.Document->plan().NextItemNo, 1);
        QCOMPARE(main.Controller->DefaultWarpLen, 0);
        QVERIFY(!main.Modified() && !main.Connected());
    }

    void missingFilesAreReportedInOrder_data() {
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<QStringList>("messages");
        // Each file once, though LoomSpec.csv and FabricType.csv are read twice.
        QTest::newRow("no LoomSpec")
            << QStringList{"LoomSpec.csv"} << QStringList{notFound("LoomSpec.csv")};
        QTest::newRow("no WarpType")
            << QStringList{"WarpType.csv"} << QStringList{notFound("WarpType.csv")};
        QTest::newRow("none at all")
            << kSampleFiles
            << QStringList{notFound("StruLoom.csv"), notFound("FabricType.csv"),
                           notFound("LoomSpec.csv"), notFound("WarpType.csv"),
                           notFound("DowntimeType.csv")};
    }

    void missingFilesAreReportedInOrder() {
        QFETCH(QStringList, missing);
        QFETCH(QStringList, messages);
        QTemporaryDir dir;
        QVERIFY(fillFolder(dir, missing));
        WorkingDir cwd(dir.path());
        TAppWindows windows;
        TMainForm& main = *windows.MainForm;
        VxDialogScript script;
        scriptMode(script, &TModeForm::TextRadio);
        main.FormShow();

        QCOMPARE(script.texts(VxMsgKind::Error), messages);
        QCOMPARE(script.texts(), messages);
        QCOMPARE(main.ScheduleBox->ScheduleCount() > 0, !missing.contains("LoomSpec.csv"));
        // Start-up goes on with what was read.
        QVERIFY(main.StartedUp());
        QCOMPARE(main.Document->plan().NextJobNo, 1);
    }

    void loomRecordsWithOddFields() {
        QTemporaryDir dir;
        // The same POSN twice, an empty TYPE, a type no fabric is allowed on.
        QVERIFY(fillFolder(dir, {}, "1,7,RAPIER,Loom A,\r\n2,7,,Loom B,\r\n3,9,DOBBY,Loom C,\r\n"));
        WorkingDir cwd(dir.path());
        TAppWindows windows;
        TMainForm& main = *windows.MainForm;
        VxDialogScript script;
        scriptMode(script, &TModeForm::TextRadio);
        main.FormShow();

        QVERIFY2(script.messages.isEmpty(), qPrintable(script.texts().join("; ")));
        QCOMPARE(main.ScheduleBox->ScheduleCount(), 3);
        const QStringList headers = {"Loom A : RAPIER", "Loom B : ", "Loom C : DOBBY"};
        const QList<int> numbers = {7, 7, 9};
        const QList<int> tags = {0, -1, 1};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(main.ScheduleBox->Schedules(i)->Header(), headers[i]);
            QCOMPARE(main.ScheduleBox->Schedules(i)->ScheduleNo, numbers[i]);
            QCOMPARE(main.ScheduleBox->Schedules(i)->Tag, tags[i]);
        }
        QCOMPARE(main.LoomTypes.Find("DOBBY")->Count(), 0);
    }

    void cancelReadsNothing() {
        QTemporaryDir dir;
        WorkingDir cwd(dir.path());
        TAppWindows windows;
        TMainForm& main = *windows.MainForm;
        VxDialogScript script;
        scriptMode(script, &TModeForm::LocalRadio, &TModeForm::CancelButton);
        main.FormShow();

        // In an empty folder any loader would complain: no message means no
        // file was read, and no database file was created either.
        QVERIFY2(script.messages.isEmpty(), qPrintable(script.texts().join("; ")));
        QVERIFY(main.Terminated);
        QVERIFY(!main.StartedUp() && !main.Connected());
        QCOMPARE(main.ScheduleBox->ScheduleCount(), 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }

    // No alias: the message says where to define it, and the mode dialog
    // comes back so the user can go on in another mode, or leave.
    void serverWithoutAliasOffersModesAgain_data() {
        QTest::addColumn<bool>("thenText");
        QTest::newRow("then text mode") << true;
        QTest::newRow("then cancel") << false;
    }
    void serverWithoutAliasOffersModesAgain() {
        QFETCH(bool, thenText);
        QTemporaryDir dir;
        WorkingDir cwd(samplesDir());
        TAppWindows windows;
        TMainForm& main = *windows.MainForm;
        main.Session = std::make_unique<TVxDbSession>(dir.filePath("aliases.ini"));
        VxDialogScript script;
        scriptMode(script, &TModeForm::ServerRadio);
        if (thenText)
            scriptMode(script, &TModeForm::TextRadio);
        else
            scriptMode(script, &TModeForm::TextRadio, &TModeForm::CancelButton);
        main.FormShow();

        QCOMPARE(script.dialogTitles, QStringList({"Scheduling Demo", "Scheduling Demo"}));
        QCOMPARE(script.texts(VxMsgKind::Error).size(), 1);
        const QString message = script.texts()[0];
        QVERIFY2(message.contains("[ShedwiseSQL]") &&
                     message.contains(dir.filePath("aliases.ini")) && message.contains("Driver") &&
                     message.contains("UserName"),
                 qPrintable(message));
        QVERIFY(!main.Connected());
        QCOMPARE(main.Terminated, !thenText);
        QCOMPARE(main.DataMode, thenText ? TDataMode::Text : TDataMode::Server);
        QCOMPARE(main.ScheduleBox->ScheduleCount(),
                 thenText ? sampleLines("LoomSpec.csv").size() : 0);
        QVERIFY(!main.LoadButton->isEnabled() && !main.MaintButton->isEnabled());
        QVERIFY(!main.AboutForm->isVisible());
    }

    // The looms take the width of a wider window, and the window comes back
    // at the size and splitter position it was left at.
    void boardTakesWidthAndLayoutIsKept() {
        QTemporaryDir dir;
        WorkingDir cwd(samplesDir());
        QList<int> leftAt;
        int firstWidth = 0;
        {
            TAppWindows windows;
            TMainForm& main = *windows.MainForm;
            main.LayoutFile = dir.filePath("window.ini");
            VxDialogScript script;
            scriptMode(script, &TModeForm::TextRadio);
            main.show();
            QVERIFY(QTest::qWaitForWindowExposed(&main));
            QTRY_VERIFY(main.StartedUp());
            firstWidth = main.width();
            const int board = main.ScheduleBox->width();
            const int pane = main.PageControl1->width();
            main.resize(main.width() + 400, 700);
            QTRY_COMPARE(main.ScheduleBox->width(), board + 400);
            QCOMPARE(main.PageControl1->width(), pane);
            main.Splitter->setSizes({700, main.Splitter->width() - 700});
            leftAt = main.Splitter->sizes();
            main.close();
        }
        TAppWindows windows;
        TMainForm& main = *windows.MainForm;
        main.LayoutFile = dir.filePath("window.ini");
        VxDialogScript script;
        scriptMode(script, &TModeForm::TextRadio);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QTRY_VERIFY(main.StartedUp());
        QTRY_COMPARE(main.size(), QSize(firstWidth + 400, 700));
        QCOMPARE(main.Splitter->sizes(), leftAt);
    }

    void closingInTextModeNeverAsks_data() {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("Exit clicked") << false;
        QTest::newRow("Alt+X") << true;
    }

    void closingInTextModeNeverAsks() {
        QFETCH(bool, byKey);
        WorkingDir cwd(samplesDir());
        TAppWindows windows;
        TMainForm& main = *windows.MainForm;
        VxDialogScript script;
        scriptMode(script, &TModeForm::TextRadio);
        main.FormShow();
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        main.Document->undoStack()->resetClean();

        if (byKey) {
            main.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&main));
            QTest::keyClick(&main, Qt::Key_X, Qt::AltModifier);
        } else {
            QTest::mouseClick(main.ExitButton, Qt::LeftButton);
        }
        // A mnemonic presses the button with a short animation first.
        QTRY_VERIFY(!main.isVisible());
        QCOMPARE(script.messages.size(), 0);
    }

    void showingStartsUpAndAboutOpens() {
        WorkingDir cwd(samplesDir());
        TAppWindows windows;
        TMainForm& main = *windows.MainForm;
        VxDialogScript script;
        scriptMode(script, &TModeForm::TextRadio);
        QString shownText;
        script.dialogs.push_back([&](QDialog* d) {
            auto* about = qobject_cast<TVxAboutForm*>(d);
            if (!about) return int(QDialog::Rejected);
            shownText = about->ProgramLabel->text() + " " + about->VersionLabel->text() + " " +
                        about->LicenceLabel->text();
            QTest::mouseClick(about->OKButton, Qt::LeftButton);
            return -1;
        });
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QTRY_VERIFY(main.StartedUp());

        QTest::mouseClick(main.AboutButton, Qt::LeftButton);
        QCOMPARE(script.dialogTitles, (QStringList{"Scheduling Demo", "About"}));
        QVERIFY(shownText.startsWith("Plexiweave Version "));
        QVERIFY(shownText.contains("GNU General Public License, version 3 or later"));
    }

    // "Use Local Database" says what it opens (here the alias of the alias
    // file), and the mode chosen is proposed at the next start.
    void modeDialogNamesTheLocalDatabaseAndKeepsTheChoice() {
        QTemporaryDir dir;
        const QString aliases = dir.filePath("aliases.ini");
        vxtest::writeAliasFile(aliases, false, dir.filePath("plan.db"), QString());
        QStringList notes;
        QList<TDataMode> proposed;
        for (QPushButton* TModeForm::*button : {&TModeForm::OKButton, &TModeForm::CancelButton}) {
            TAppWindows windows;
            windows.ModeForm->SettingsFile = dir.filePath("window.ini");
            windows.MainForm->Session = std::make_unique<TVxDbSession>(aliases);
            VxDialogScript script;
            script.dialogs.push_back([&](QDialog* dialog) {
                auto* form = qobject_cast<TModeForm*>(dialog);
                notes << form->LocalLabel->text().remove(QChar(0x200B));
                proposed << form->DataMode();
                QTest::mouseClick(form->LocalRadio, Qt::LeftButton, {}, QPoint(8, 8));
                QTest::mouseClick(form->*button, Qt::LeftButton);
                return -1;
            });
            windows.MainForm->FormShow();
        }
        QCOMPARE(notes, QStringList(2, QString("(Uses the alias ShedwiseSQL from %1: the database "
                                               "file %2)")
                                           .arg(aliases, dir.filePath("plan.db"))));
        QCOMPARE(proposed, (QList<TDataMode>{TDataMode::Text, TDataMode::Local}));
    }

    // The program's title is its name. A display name set on its own would
    // be appended by the window system to every caption ("Demo: Plexiweave
    // Scheduler \u2014 Plexiweave", "About \u2014 Plexiweave"), so the display
    // name must follow the name rather than be fixed.
    void applicationTitleLeavesCaptionsAlone() {
        const QString oldName = QCoreApplication::applicationName();
        const QFont oldFont = QApplication::font();
        PlexiweaveInitApplication(*qApp);
        QCOMPARE(QCoreApplication::applicationName(), QString("Plexiweave"));
        QCOMPARE(QGuiApplication::applicationDisplayName(), QString("Plexiweave"));
        QCoreApplication::setApplicationName("probe");
        const QString followed = QGuiApplication::applicationDisplayName();
        QCoreApplication::setApplicationName(oldName);
        QApplication::setFont(oldFont);
        QCOMPARE(followed, QString("probe"));
    }
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
