// The board compared with a stored scenario from the tool bar, in Local mode
// on an SQLite file and in Server mode on the PostgreSQL test server: the
// change list beside the board, its printout and export through the print
// options, and leaving the comparison. The board never changes.

#include "AppUnit.h"
#include "ComparePanel.h"
#include "LoadUnit.h"
#include "MainUnit.h"
#include "ModeUnit.h"
#include "PlanBuild.h"
#include "PrnUnit.h"
#include "ScenarioGrid.h"
#include "VxDialogDriving.h"
#include "VxDialogs.h"
#include "VxScratchDb.h"

#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

using namespace planbuild;

namespace {
const double kMon = 46000;

TVxPlan saved() {
    return plan(
        {loom(101, {reed(1, 2400, kMon, kMon),
                    warp(2, "A", "WHT", 3000, kMon, kMon + 5, {item(1, "P", "001", "WHT", 3)}),
                    downtime(3, "Planned maintenance", kMon + 5, kMon + 6)}),
         loom(102, {reed(4, 2400, kMon, kMon)})},
        5, 2);
}

// The downtime gone; the warp moved to the second loom with one piece more.
TVxPlan edited() {
    TVxPlan p = saved();
    p.Looms[0].Jobs.removeLast();
    p.Looms[1].Jobs << p.Looms[0].Jobs.takeLast();
    p.Looms[1].Jobs.last().Items[0].Pieces = 4;
    return p;
}

// Presses OK on the scenario of that number (0: on the row the dialog
// starts on).
std::function<int(QDialog*)> pickScenario(int number) {
    return [number](QDialog* dialog) {
        auto* form = qobject_cast<TLoadForm*>(dialog);
        if (!form || (number && !form->ScenarioGrid->SelectScenario(number)))
            return int(QDialog::Rejected);
        QTest::mouseClick(form->OKButton, Qt::LeftButton);
        return -1;
    };
}

// "Loom: change" for every change row of the change list, under the last
// loom named.
QStringList changeTexts(const QTreeView* tree) {
    const QAbstractItemModel* m = tree->model();
    QStringList texts;
    QString loom;
    for (int r = 0; r < m->rowCount(); ++r) {
        const QString change = m->index(r, 2).data().toString();
        if (change.isEmpty())
            loom = m->index(r, 0).data().toString();
        else
            texts << loom + ": " + change;
    }
    return texts;
}
} // namespace

class TstCompare : public QObject {
    Q_OBJECT

    std::unique_ptr<vxtest::TScratchDb> m_db;
    std::unique_ptr<TAppWindows> m_windows;
    TMainForm* m_main = nullptr;
    QTemporaryDir m_tmp;

private slots:
    void initTestCase_data() {
        QTest::addColumn<bool>("postgres");
        QTest::newRow("sqlite") << false;
        QTest::newRow("postgres") << true;
    }
    void init() {
        QFETCH_GLOBAL(bool, postgres);
        if (postgres && !vxtest::pgConfigured()) QSKIP(vxtest::NoPgServerReason);
        m_db = std::make_unique<vxtest::TScratchDb>(postgres);
        QVERIFY2(m_db->Error().isEmpty(), qPrintable(m_db->Error()));
        const QString aliases = m_tmp.filePath("aliases.ini");
        QFile::remove(aliases);
        vxtest::writeAliasFile(aliases, postgres, m_db->Name(), vxtest::env("PLEXIWEAVE_PG_USER"));
        m_windows = std::make_unique<TAppWindows>();
        m_main = m_windows->MainForm.get();
        m_main->Session = std::make_unique<TVxDbSession>(aliases);
        VxDialogScript script;
        script.dialogs.push_back([postgres](QDialog* dialog) {
            auto* form = qobject_cast<TModeForm*>(dialog);
            (postgres ? form->ServerRadio : form->LocalRadio)->setChecked(true);
            return int(QDialog::Accepted);
        });
        if (postgres)
            script.dialogs.push_back(vxtest::loginDriver(vxtest::env("PLEXIWEAVE_PG_PASSWORD")));
        m_main->FormShow();
        QVERIFY2(m_main->Connected(), qPrintable(script.texts().join("; ")));
        TScenarioStore(m_db->Db()).Save(1, "Week 12", saved(), TScenarioSaveMode::New);
        m_main->show();
    }
    void cleanup() {
        m_windows.reset();
        m_db.reset();
    }

    void compareListPrintAndLeave() {
        {
            VxDialogScript script;
            script.dialogs.push_back(pickScenario(1));
            m_main->LoadButtonClick();
        }
        m_main->ShowPlan(edited());
        const TVxPlan board = m_main->CurrentPlan();
        const QStringList changes{"R01 190cm : RAPIER: Removed", "R02 190cm : RAPIER: Moved",
                                  "R02 190cm : RAPIER: Pieces"};
        TComparePanel* panel = m_main->ComparePanel;

        // The loaded scenario as last saved, straight from the button's menu.
        {
            VxDialogScript script;
            m_main->CompareMenu->actions().value(1)->trigger();
            QVERIFY(script.dialogTitles.isEmpty());
        }
        QVERIFY(panel->isVisible());
        QCOMPARE(changeTexts(panel->ChangeTree), changes);
        QTest::mouseClick(panel->CloseButton, Qt::LeftButton);
        QVERIFY(!panel->isVisible());

        // The menu's dialog starts on the loaded scenario.
        {
            VxDialogScript script;
            script.dialogs.push_back(pickScenario(0));
            m_main->CompareMenu->actions().value(0)->trigger();
            QCOMPARE(script.dialogTitles, QStringList{"Compare With"});
        }
        QVERIFY(panel->isVisible());
        QCOMPARE(changeTexts(panel->ChangeTree), changes);

        // Printed to a delimited file through the print options.
        const QString file = m_tmp.filePath("compare.txt");
        {
            VxDialogScript script;
            script.dialogs.push_back([](QDialog* dialog) {
                auto* form = qobject_cast<TPrintForm*>(dialog);
                form->FileRadio->setChecked(true);
                QTest::mouseClick(form->StartButton, Qt::LeftButton);
                return -1;
            });
            script.fileNames.push_back(file);
            QTest::mouseClick(panel->PrintButton, Qt::LeftButton);
            QCOMPARE(script.fileRequests.value(0).proposedName, "Compare with Week 12.txt");
        }
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().contains(
            "R02 190cm : RAPIER,2:  A-WHT 3000m,P001 : WHT/4pcs,Pieces,3,4,number"));
        QCOMPARE(m_main->CurrentPlan(), board);
    }
};

QTEST_MAIN(TstCompare)
#include "tst_compare.moc"
