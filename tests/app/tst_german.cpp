// SPDX-License-Identifier: GPL-3.0-or-later
// The planner in German: the real windows started on a local database, once
// in English and once in German. Every text the windows carry must change
// with the language, unless it is reference data, holds no words, or the
// translation keeps it as it is.

#include "AppWindows.h"
#include "ItemForm.h"
#include "JobForm.h"
#include "LoadForm.h"
#include "LoginDlg.h"
#include "MainForm.h"
#include "MaintForm.h"
#include "ModeForm.h"
#include "OutputForm.h"
#include "PrintForm.h"
#include "ProgramLanguage.h"
#include "ReqmtsForm.h"
#include "SaveForm.h"
#include "VxAboutForm.h"
#include "VxCalend.h"
#include "VxDialogs.h"
#include "VxPlanCommand.h"
#include "VxScenPrn.h"
#include "VxTestDb.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>
#include <QXmlStreamReader>
#include <QtTest>

namespace {
// The texts of a window and its children, in a fixed order.
void collect(QWidget* widget, QStringList& out) {
    out << widget->windowTitle() << widget->toolTip();
    if (auto* label = qobject_cast<QLabel*>(widget)) out << label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) out << button->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget)) out << group->title();
    if (auto* browser = qobject_cast<QTextBrowser*>(widget)) out << browser->toPlainText();
    if (auto* tabs = qobject_cast<QTabWidget*>(widget))
        for (int i = 0; i < tabs->count(); ++i)
            out << tabs->tabText(i);
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
    if (auto* view = qobject_cast<QAbstractItemView*>(widget); view && view->model())
        for (int c = 0; c < view->model()->columnCount(); ++c)
            out << view->model()->headerData(c, Qt::Horizontal).toString();
    if (auto* tool = qobject_cast<QToolButton*>(widget); tool && tool->menu())
        for (QAction* action : tool->menu()->actions()) {
            out << action->text();
            if (action->menu())
                for (QAction* sub : action->menu()->actions())
                    out << sub->text();
        }
    for (QWidget* child : widget->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        collect(child, out);
}

// What the translation keeps as it is ("OK", "Position", "Version %1"), as
// patterns of the whole text.
QList<QRegularExpression> keptAsTheyAre() {
    QFile file(QStringLiteral(VX_TS_FILE));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QList<QRegularExpression> kept;
    QXmlStreamReader xml(&file);
    QString source;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (xml.name() == QLatin1String("source")) source = xml.readElementText();
        if (xml.name() == QLatin1String("translation") && xml.readElementText() == source) {
            QStringList parts = QString(source).remove('&').split(QRegularExpression("%\\d"));
            for (QString& part : parts)
                part = QRegularExpression::escape(part);
            kept << QRegularExpression(QRegularExpression::anchoredPattern(parts.join(".*")));
        }
    }
    return kept;
}

// The fields of the sample files and the loom headers (reference data), the
// program's name and the languages' own names.
QSet<QString> referenceData() {
    QSet<QString> data{QStringLiteral("Plexiweave")};
    for (const TLanguageChoice& language : TProgramLanguage::Available())
        data << "&" + language.Name;
    for (const char* file :
         {"LoomSpec.csv", "WarpType.csv", "FabricType.csv", "StruLoom.csv", "DowntimeType.csv"})
        for (const QString& line : vxtest::sampleLines(file)) {
            const QStringList fields = line.split(',');
            data += QSet<QString>(fields.begin(), fields.end());
            data << line.chopped(1);
            if (QLatin1String(file) == QLatin1String("LoomSpec.csv"))
                data << fields.value(3) + " : " + fields.value(2);
        }
    return data;
}

bool hasWords(const QString& text) {
    return text.contains(QRegularExpression(QStringLiteral("[A-Za-z]{2}")));
}
} // namespace

class TestGerman : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // The windows of the program in language, started in Local mode, with a
    // reed, a warp and a fabric on the first loom and the maintenance window
    // open on the database.
    std::unique_ptr<TAppWindows> start(const QString& language, VxDialogScript& script) {
        TProgramLanguage::Install(language);
        const QString database = m_dir.filePath(language + ".db");
        const QString aliases = m_dir.filePath(language + ".ini");
        vxtest::writeAliasFile(aliases, false, database, QString());
        auto windows = std::make_unique<TAppWindows>();
        TMainForm& main = *windows->MainForm;
        main.Session = std::make_unique<TVxDbSession>(aliases);
        script.dialogs.push_back([](QDialog* dialog) {
            qobject_cast<TModeForm*>(dialog)->LocalRadio->setChecked(true);
            return int(QDialog::Accepted);
        });
        script.answers.push_back(QMessageBox::Yes); // create the planner tables
        main.FormShow();
        TVxPlanJob reed;
        reed.Kind = TVxPlanJobKind::Reed;
        reed.TotalEnds = 2400;
        reed.StartDate = reed.FinishDate = VxEncodeDate(2026, 3, 2);
        TVxPlanJob warp;
        warp.Kind = TVxPlanJobKind::Warp;
        warp.WarpType = "A";
        warp.WarpCol = "WHT";
        warp.WarpLen = 3000;
        warp.StartDate = reed.FinishDate;
        warp.FinishDate = warp.StartDate + 10;
        TVxPlanItem fabric;
        fabric.FabricStru = "P";
        fabric.FabricCol = "001";
        fabric.WeftCol = "WHT";
        fabric.Pieces = 3;
        main.Document->Push(new TVxAddJobCommand(*main.Document, 0, reed));
        main.Document->Push(new TVxAddJobCommand(*main.Document, 0, warp));
        main.Document->Push(new TVxAddItemCommand(*main.Document, {0, 1}, fabric));
        windows->MaintForm->SetDatabase(&main.Data->SchedDB);
        windows->MaintForm->show();
        return windows;
    }

    QStringList texts(TAppWindows& windows) {
        QStringList out;
        for (QWidget* window : QList<QWidget*>{
                 windows.MainForm.get(), windows.JobForm.get(), windows.ItemForm.get(),
                 windows.LoadForm.get(), windows.SaveForm.get(), windows.ReqmtsForm.get(),
                 windows.OutputForm.get(), windows.AboutForm.get(), windows.PrintForm.get(),
                 windows.ModeForm.get(), windows.MaintForm.get()})
            collect(window, out);
        TVxJobSchedule* loom = windows.MainForm->ScheduleBox->Schedules(0);
        const TVxScheduleMenuCaptions& menu = loom->MenuCaptions();
        out << loom->Footer() << menu.AddItem << menu.EditItem << menu.RemoveItem << menu.ClearItems
            << menu.AddJob << menu.EditJob << menu.RemoveJob << menu.ClearJobs << menu.Expanded;
        TVxLoginForm login("Shedwise", "planner");
        collect(&login, out);
        return out;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanupTestCase() { TProgramLanguage::Install("en"); }

    void handfulOfTexts_data() {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("german");
        VxDialogScript script;
        auto windows = start("de", script);
        TMainForm& main = *windows->MainForm;
        const TVxJobSchedule* loom = main.ScheduleBox->Schedules(0);
        QTest::newRow("caption") << main.windowTitle() << "Demo: Plexiweave-Planer";
        QTest::newRow("tool bar") << main.MaintButton->text() << "S&tammdaten...";
        QTest::newRow("information pane") << main.PageControl1->tabText(1) << "Begriffe";
        QTest::newRow("mode dialog")
            << windows->ModeForm->LocalRadio->text() << "&Lokale Datenbank verwenden";
        QTest::newRow("reed") << loom->Jobs(0)->UpperCaption() << "1:  Blatt 2400";
        QTest::newRow("dates") << loom->Jobs(1)->DatesRow.Text << "02 Mär - 12 Mär";
        QTest::newRow("fabric") << loom->Jobs(1)->Items(0)->Caption() << "P001 : WHT/3Stk";
        QTest::newRow("capacity") << loom->Jobs(1)->StatusText().left(5) << "Rest:";
        QTest::newRow("footer") << loom->Footer() << "Ende: 12/03/26";
        QTest::newRow("undo") << main.UndoButton->toolTip()
                              << "Rückgängig: Gewebe P001 : "
                                 "WHT/3Stk zu Kette 2 hinzufügen";
        QTest::newRow("calendar") << windows->JobForm->Calendar->Headers().Week << "KW";
        QTest::newRow("maintenance")
            << windows->MaintForm->PageCtrl->tabText(3) << "&Bindung:Webstuhl";
        QTest::newRow("printout") << VxScheduleLines(main.Document->plan().Looms[0],
                                                     PlanJobTexts(main.Document->Refs()))[1]
                                         .Text
                                  << "Beginn: 02/03/2026";
        VxDialogScript asked;
        QTest::mouseClick(main.ClearButton, Qt::LeftButton);
        QTest::newRow("question") << asked.texts().value(0) << "Alle Aufträge löschen?";
        QTest::newRow("rules") << VxReedRequired() << "Blatt erforderlich";
    }

    void handfulOfTexts() {
        QFETCH(QString, shown);
        QFETCH(QString, german);
        QCOMPARE(shown, german);
    }

    // A text left out of the translation reads the same in both languages.
    void nothingStaysEnglish() {
        VxDialogScript englishScript;
        auto english = start("en", englishScript);
        const QStringList before = texts(*english);
        VxDialogScript germanScript;
        auto german = start("de", germanScript);
        const QStringList after = texts(*german);
        QCOMPARE(after.size(), before.size());
        const QList<QRegularExpression> kept = keptAsTheyAre();
        QVERIFY(!kept.isEmpty());
        const QSet<QString> data = referenceData();
        QStringList untranslated;
        for (int i = 0; i < before.size(); ++i) {
            const QString text = QString(before[i]).remove('&');
            if (before[i] != after[i] || !hasWords(text) || data.contains(before[i])) continue;
            if (std::none_of(kept.begin(), kept.end(), [&](const QRegularExpression& re) {
                    return re.match(text).hasMatch();
                }))
                untranslated << before[i];
        }
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(" | ")));
        QVERIFY(englishScript.messages.isEmpty() && germanScript.messages.isEmpty());
    }

    void languageIsChosenAndKept_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QStringList>("system");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("German system") << "" << QStringList{"de-AT", "de"} << "de";
        QTest::newRow("other system") << "" << QStringList{"fr-FR", "fr"} << "en";
        QTest::newRow("chosen German") << "de" << QStringList{"en-GB"} << "de";
        QTest::newRow("chosen English") << "en" << QStringList{"de-DE"} << "en";
        QTest::newRow("unknown choice") << "xx" << QStringList{"de-CH"} << "de";
    }

    void languageIsChosenAndKept() {
        QFETCH(QString, setting);
        QFETCH(QStringList, system);
        QFETCH(QString, spoken);
        QCOMPARE(TProgramLanguage::Resolve(setting, system), spoken);
        // The About button's menu keeps the choice for the next start.
        TProgramLanguage::Install("en");
        TAppWindows windows;
        windows.MainForm->LayoutFile = m_dir.filePath("window.ini");
        VxDialogScript script;
        windows.MainForm->ChooseLanguage(setting);
        QCOMPARE(TProgramLanguage::Setting(windows.MainForm->LayoutFile), setting);
        QCOMPARE(TProgramLanguage::Current(), QString("en"));
    }
};

QTEST_MAIN(TestGerman)
#include "tst_german.moc"
