// Start-up of the main window through the real windows, the real sample files
// and a scripted data-mode dialog.

#include "AboutUnit.h"
#include "AppUnit.h"
#include "JobUnit.h"
#include "MainUnit.h"
#include "ModeUnit.h"
#include "VxDialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

namespace {
const QStringList kSampleFiles = {"LoomSpec.csv", "WarpType.csv", "FabricType.csv", "StruLoom.csv",
                                  "DowntimeType.csv"};

QString samplesDir() {
    return qEnvironmentVariable("PLEXIWEAVE_SAMPLES");
}

QString notFound(const QString& file) {
    return QStringLiteral("File \"%1\" not found").arg(file);
}

// A dialog driver that picks a radio button and presses a button, with the
// mouse, as a user would.
std::function<int(QDialog*)> chooseMode(QRadioButton* TModeForm::*radio,
                                        QPushButton* TModeForm::*button) {
    return [radio, button](QDialog* dialog) {
        auto* form = qobject_cast<TModeForm*>(dialog);
        if (!form) return int(QDialog::Rejected);
        QRadioButton* r = form->*radio;
        QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(8, r->height() / 2));
        QTest::mouseClick(form->*button, Qt::LeftButton);
        return -1;
    };
}

QStringList fieldsOf(const QString& line) {
    return line.split(QLatin1Char(','));
}

QStringList sampleLines(const QString& file) {
    QFile f(QDir(samplesDir()).filePath(file));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QStringList lines;
    while (!f.atEnd()) {
        QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (!line.isEmpty()) lines << line;
    }
    return lines;
}

// Runs the working directory elsewhere for one test and puts it back.
class WorkingDir {
public:
    explicit WorkingDir(const QString& path) : m_old(QDir::currentPath()) {
        QDir::setCurrent(path);
    }
    ~WorkingDir() { QDir::setCurrent(m_old); }

private:
    QString m_old;
};
} // namespace

class TestApp : public QObject {
    Q_OBJECT
private slots:
    void textModeBuildsOneColumnPerLoom();
    void textModeButtonsAndState();
    void endsListHoldsEachValueOnceInFileOrder();
    void missingFilesAreReportedInOrder_data();
    void missingFilesAreReportedInOrder();
    void loomRecordsWithOddFields();
    void cancelReadsNothing();
    void databaseModeWithoutDatabaseFailsCleanly_data();
    void databaseModeWithoutDatabaseFailsCleanly();
    void closingInTextModeNeverAsks();
    void aboutButtonShowsAboutBox();
    void splashRestoresAboutLook();
    void infoPaneHasItsPages();
};

void TestApp::textModeBuildsOneColumnPerLoom() {
    WorkingDir cwd(samplesDir());
    TAppWindows windows;
    TMainForm& main = *windows.MainForm;
    VxDialogScript script;
    script.dialogs.push_back(chooseMode(&TModeForm::TextRadio, &TModeForm::OKButton));
    main.FormShow();

    QCOMPARE(script.dialogTitles, QStringList{"Scheduling Demo"});
    QVERIFY2(script.messages.isEmpty(), qPrintable(script.texts().join("; ")));
    QCOMPARE(main.DataMode, TDataMode::Text);

    const QStringList looms = sampleLines("LoomSpec.csv");
    QVERIFY(looms.size() >= 12);
    QCOMPARE(main.ScheduleBox->ScheduleCount(), looms.size());
    QStringList typesSeen;
    for (int i = 0; i < looms.size(); ++i) {
        const QStringList f = fieldsOf(looms[i]);
        if (!typesSeen.contains(f[2])) typesSeen << f[2];
        TVxJobSchedule* s = main.ScheduleBox->Schedules(i);
        QCOMPARE(s->ScheduleNo, f[1].toInt());
        QCOMPARE(s->Header(), f[3] + " : " + f[2]);
        QCOMPARE(s->Footer(), QString());
        QCOMPARE(s->Tag, typesSeen.indexOf(f[2]));
        QCOMPARE(main.LoomTypes.Key(s->Tag), f[2]);
        QCOMPARE(s->MenuCaptions().AddItem, QString("&Add Fabric..."));
        QCOMPARE(s->MenuCaptions().EditJob, QString("&Edit Warp"));
        QCOMPARE(s->MenuCaptions().ClearJobs, QString("&Clear All"));
        QCOMPARE(s->MenuCaptions().AddJob, QString("&Add New Job..."));
        // The weaving rules decide adds, edits and drops; the before-add
        // events stay free.
        QVERIFY(s->OnDoJobAdd && s->OnDoJobEdit && s->OnDoItemAdd && s->OnDoItemEdit);
        QVERIFY(s->OnJobDragOver && s->OnItemDragOver && s->OnJobDragDrop && s->OnItemDragDrop);
        QVERIFY(s->OnBeforeJobFree && s->OnAfterJobAdd && s->OnAfterJobEdit && s->OnAfterJobFree);
        QVERIFY(s->OnAfterJobRemove && s->OnAfterItemAdd && s->OnAfterItemEdit);
        QVERIFY(s->OnAfterItemFree && s->OnAfterItemRemove && s->OnMouseUp);
        QVERIFY(!s->OnBeforeJobAdd && !s->OnBeforeItemAdd);
    }
    QCOMPARE(main.LoomTypes.Count(), typesSeen.size());
}

void TestApp::textModeButtonsAndState() {
    WorkingDir cwd(samplesDir());
    TAppWindows windows;
    TMainForm& main = *windows.MainForm;
    VxDialogScript script;
    script.dialogs.push_back(chooseMode(&TModeForm::TextRadio, &TModeForm::OKButton));
    main.FormShow();
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));

    for (QToolButton* b : {main.LoadButton, main.SaveButton, main.ClearButton, main.PrintButton,
                           main.ReqmtsButton, main.OutputButton, main.MaintButton})
        QVERIFY2(!b->isEnabled(), qPrintable(b->text()));
    QVERIFY(main.ExitButton->isEnabled());
    QVERIFY(main.AboutButton->isEnabled());

    QCOMPARE(main.windowTitle(), QString("Demo: Plexiweave Scheduler"));
    QCOMPARE(main.width(), 602);
    QCOMPARE(VxShortDateFormat(), QString("dd/mm/yy"));
    QCOMPARE(main.NextJobNo, 1);
    QCOMPARE(main.NextItemNo, 1);
    QCOMPARE(main.DefaultWarpLen, 0);
    QVERIFY(!main.Modified && !main.BulkUpdate);
    QVERIFY(!main.Connected());

    QVERIFY(main.LoomStartDates);
    QCOMPARE(main.LoomStartDates->Count(), main.ScheduleBox->ScheduleCount());
    for (int i = 0; i < main.LoomStartDates->Count(); ++i) {
        QCOMPARE(main.LoomStartDates->Schedule(i), main.ScheduleBox->Schedules(i));
        QCOMPARE(main.LoomStartDates->Date(i), QString("0"));
    }

    const int columnWidth = main.ScheduleBox->Schedules(0)->width();
    QCOMPARE(main.ScheduleBox->width(), 3 * columnWidth + 4);
}

void TestApp::endsListHoldsEachValueOnceInFileOrder() {
    WorkingDir cwd(samplesDir());
    TAppWindows windows;
    VxDialogScript script;
    script.dialogs.push_back(chooseMode(&TModeForm::TextRadio, &TModeForm::OKButton));
    windows.MainForm->FormShow();

    QStringList expected;
    for (const QString& line : sampleLines("WarpType.csv")) {
        const QString ends = fieldsOf(line).value(1);
        if (!expected.contains(ends)) expected << ends;
    }
    QVERIFY(expected.size() >= 3);
    QStringList actual;
    for (int i = 0; i < windows.JobForm->EndsCombo->count(); ++i)
        actual << windows.JobForm->EndsCombo->itemText(i);
    QCOMPARE(actual, expected);
}

void TestApp::missingFilesAreReportedInOrder_data() {
    QTest::addColumn<QStringList>("missing");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("columns");
    QTest::newRow("all present") << QStringList{} << QStringList{} << true;
    QTest::newRow("no LoomSpec") << QStringList{"LoomSpec.csv"}
                                 << QStringList{notFound("LoomSpec.csv"), notFound("LoomSpec.csv")}
                                 << false;
    QTest::newRow("no WarpType") << QStringList{"WarpType.csv"}
                                 << QStringList{notFound("WarpType.csv")} << true;
    QTest::newRow("no DowntimeType")
        << QStringList{"DowntimeType.csv"} << QStringList{notFound("DowntimeType.csv")} << true;
    QTest::newRow("none at all") << kSampleFiles << QStringList{notFound("StruLoom.csv"),
                                                                notFound("FabricType.csv"),
                                                                notFound("LoomSpec.csv"),
                                                                notFound("WarpType.csv"),
                                                                notFound("FabricType.csv"),
                                                                notFound("DowntimeType.csv"),
                                                                notFound("LoomSpec.csv")}
                                 << false;
}

void TestApp::missingFilesAreReportedInOrder() {
    QFETCH(QStringList, missing);
    QFETCH(QStringList, messages);
    QFETCH(bool, columns);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString& file : kSampleFiles)
        if (!missing.contains(file))
            QVERIFY(QFile::copy(QDir(samplesDir()).filePath(file), dir.filePath(file)));
    WorkingDir cwd(dir.path());

    TAppWindows windows;
    TMainForm& main = *windows.MainForm;
    VxDialogScript script;
    script.dialogs.push_back(chooseMode(&TModeForm::TextRadio, &TModeForm::OKButton));
    main.FormShow();

    QCOMPARE(script.texts(VxMsgKind::Error), messages);
    QCOMPARE(script.texts(), messages);
    QCOMPARE(main.ScheduleBox->ScheduleCount() > 0, columns);
    // Start-up goes on with what was read.
    QVERIFY(main.LoomStartDates);
    QCOMPARE(main.NextJobNo, 1);
}

void TestApp::loomRecordsWithOddFields() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString& file : kSampleFiles)
        if (file != "LoomSpec.csv")
            QVERIFY(QFile::copy(QDir(samplesDir()).filePath(file), dir.filePath(file)));
    {
        QFile spec(dir.filePath("LoomSpec.csv"));
        QVERIFY(spec.open(QIODevice::WriteOnly));
        // Same POSN twice, an empty TYPE, a type no fabric is allowed on.
        spec.write("1,7,RAPIER,Loom A,\r\n2,7,,Loom B,\r\n3,9,DOBBY,Loom C,\r\n");
    }
    WorkingDir cwd(dir.path());
    TAppWindows windows;
    TMainForm& main = *windows.MainForm;
    VxDialogScript script;
    script.dialogs.push_back(chooseMode(&TModeForm::TextRadio, &TModeForm::OKButton));
    main.FormShow();

    QVERIFY2(script.messages.isEmpty(), qPrintable(script.texts().join("; ")));
    QCOMPARE(main.ScheduleBox->ScheduleCount(), 3);
    const QStringList headers = {"Loom A : RAPIER", "Loom B : ", "Loom C : DOBBY"};
    const QList<int> numbers = {7, 7, 9};
    const QList<int> tags = {0, -1, 1};
    for (int i = 0; i < 3; ++i) {
        TVxJobSchedule* s = main.ScheduleBox->Schedules(i);
        QCOMPARE(s->Header(), headers[i]);
        QCOMPARE(s->ScheduleNo, numbers[i]);
        QCOMPARE(s->Tag, tags[i]);
    }
    QCOMPARE(main.LoomTypes.Find("DOBBY")->Count(), 0);
}

void TestApp::cancelReadsNothing() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    WorkingDir cwd(dir.path());
    TAppWindows windows;
    TMainForm& main = *windows.MainForm;
    VxDialogScript script;
    script.dialogs.push_back(chooseMode(&TModeForm::LocalRadio, &TModeForm::CancelButton));
    main.FormShow();

    // An empty folder would make any loader complain: no message means no
    // file was read, and no database file was created either.
    QVERIFY2(script.messages.isEmpty(), qPrintable(script.texts().join("; ")));
    QVERIFY(main.Terminated);
    QCOMPARE(main.ScheduleBox->ScheduleCount(), 0);
    QVERIFY(!main.LoomStartDates);
    QVERIFY(!main.Connected());
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void TestApp::databaseModeWithoutDatabaseFailsCleanly_data() {
    QTest::addColumn<bool>("local");
    QTest::newRow("local") << true;
    QTest::newRow("server") << false;
}

void TestApp::databaseModeWithoutDatabaseFailsCleanly() {
    QFETCH(bool, local);
    WorkingDir cwd(samplesDir());
    TAppWindows windows;
    TMainForm& main = *windows.MainForm;
    VxDialogScript script;
    script.dialogs.push_back(
        chooseMode(local ? &TModeForm::LocalRadio : &TModeForm::ServerRadio, &TModeForm::OKButton));
    main.FormShow();

    QCOMPARE(script.messages.size(), 1);
    QCOMPARE(script.messages[0].kind, VxMsgKind::Error);
    QVERIFY(!main.Terminated);
    QVERIFY(!main.LoomStartDates);
    QVERIFY(!main.LoadButton->isEnabled());
    QVERIFY(!main.MaintButton->isEnabled());
    QVERIFY(main.ExitButton->isEnabled());
}

void TestApp::closingInTextModeNeverAsks() {
    WorkingDir cwd(samplesDir());
    TAppWindows windows;
    TMainForm& main = *windows.MainForm;
    VxDialogScript script;
    script.dialogs.push_back(chooseMode(&TModeForm::TextRadio, &TModeForm::OKButton));
    main.FormShow();
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    main.Modified = true;

    QTest::mouseClick(main.ExitButton, Qt::LeftButton);
    QVERIFY(!main.isVisible());
    QCOMPARE(script.messages.size(), 0);
}

void TestApp::aboutButtonShowsAboutBox() {
    WorkingDir cwd(samplesDir());
    TAppWindows windows;
    TMainForm& main = *windows.MainForm;
    VxDialogScript script;
    // Showing the window starts up: the mode dialog comes first.
    script.dialogs.push_back(chooseMode(&TModeForm::TextRadio, &TModeForm::OKButton));
    QString shownText;
    script.dialogs.push_back([&](QDialog* d) {
        auto* about = qobject_cast<TVxAboutForm*>(d);
        if (!about) return int(QDialog::Rejected);
        shownText = about->ProgramLabel->text() + " " + about->VersionLabel->text();
        QTest::mouseClick(about->OKButton, Qt::LeftButton);
        return -1;
    });
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QTRY_VERIFY(main.LoomStartDates);

    QTest::mouseClick(main.AboutButton, Qt::LeftButton);
    QCOMPARE(script.dialogTitles, (QStringList{"Scheduling Demo", "About"}));
    QVERIFY(shownText.startsWith("Plexiweave Version "));
}

void TestApp::splashRestoresAboutLook() {
    TVxAboutForm about;
    about.ShowAsSplash();
    QVERIFY(about.isVisible());
    QVERIFY(about.windowTitle().isEmpty());
    QVERIFY(!about.OKButton->isVisible());
    QCOMPARE(about.size(), QSize(398, 244));
    QCOMPARE(about.Bevel->frameShadow(), QFrame::Raised);

    about.CloseSplash();
    QVERIFY(!about.isVisible());
    QCOMPARE(about.windowTitle(), QString("About"));
    QCOMPARE(about.size(), QSize(402, 313));
    QCOMPARE(about.Bevel->frameShape(), QFrame::NoFrame);
    QVERIFY(!about.OKButton->isHidden());
}

void TestApp::infoPaneHasItsPages() {
    TMainForm main;
    QCOMPARE(main.PageControl1->count(), 3);
    const QStringList titles = {"Introduction", "Terminology", "Tutorial"};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(main.PageControl1->tabText(i), titles[i]);
        auto* memo = qobject_cast<QTextBrowser*>(main.PageControl1->widget(i));
        QVERIFY(memo && memo->isReadOnly());
        QVERIFY(memo->toPlainText().size() > 500);
    }
}

QTEST_MAIN(TestApp)
#include "tst_app.moc"
