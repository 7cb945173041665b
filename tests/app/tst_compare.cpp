// SPDX-License-Identifier: GPL-3.0-or-later
// The board compared with a stored scenario from the tool bar, in Local mode
// on an SQLite file and in Server mode on the PostgreSQL test server: the
// change list beside the board and the marks on it, a change chosen from the
// list, an edit compared again, the export through the print options, and
// leaving the comparison. The board never changes.

#include "AppWindows.h"
#include "BoardMarks.h"
#include "ComparePanel.h"
#include "LoadForm.h"
#include "MainForm.h"
#include "ModeForm.h"
#include "PlanBuild.h"
#include "PrintForm.h"
#include "ScenarioGrid.h"
#include "VxDialogDriving.h"
#include "VxDialogs.h"
#include "VxPlanCommand.h"
#include "VxPlanDocument.h"
#include "VxSched.h"
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

    // The marks over a column: "job 1: moved", "gap before 2: removed", ...
    QStringList marks(int column) const {
        const TVxColumnMarks& m = m_main->ScheduleBox->Schedules(column)->Marks();
        const QMap<QRgb, QString> names{{TBoardMarks::Added.rgb(), "added"},
                                        {TBoardMarks::Moved.rgb(), "moved"},
                                        {TBoardMarks::Edited.rgb(), "edited"},
                                        {TBoardMarks::Redated.rgb(), "re-dated"},
                                        {TBoardMarks::Removed.rgb(), "removed"}};
        QStringList texts;
        for (const TVxColumnMarks::TMark& mark : m.Marks)
            texts << QStringLiteral("job %1%2: %3")
                         .arg(mark.Job)
                         .arg(mark.Item < 0 ? QString() : QStringLiteral(" item %1").arg(mark.Item))
                         .arg(names.value(mark.Color.rgb()));
        for (const TVxColumnMarks::TGhost& ghost : m.Ghosts)
            texts << QStringLiteral("gap before %1%2: %3")
                         .arg(ghost.Before)
                         .arg(ghost.Job < 0 ? QString()
                                            : QStringLiteral(" in job %1").arg(ghost.Job))
                         .arg(names.value(ghost.Color.rgb()));
        return texts;
    }

private slots:
    void initTestCase_data() { vxtest::addEngineRows(); }
    void init() {
        QFETCH_GLOBAL(bool, postgres);
        if (postgres && !vxtest::pgConfigured()) QSKIP(vxtest::NoPgServerReason);
        m_db = std::make_unique<vxtest::TScratchDb>(postgres);
        QVERIFY2(m_db->Error().isEmpty(), qPrintable(m_db->Error()));
        const QString aliases = m_tmp.filePath("aliases.ini");
        m_db->WriteAliasFile(aliases);
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

    void compareMarkSelectPrintAndLeave() {
        {
            VxDialogScript script;
            script.dialogs.push_back(pickScenario(1));
            m_main->LoadButtonClick();
        }
        // The downtime removed; the warp moved to the second loom with one
        // piece more.
        TVxPlanDocument& doc = *m_main->Document;
        doc.Push(new TVxRemoveJobsCommand(doc, {0, 2}));
        doc.Push(new TVxMoveJobCommand(doc, {0, 1}, 1, 1));
        doc.Push(new TVxEditItemCommand(doc, {1, 1}, 0, 4));
        const TVxPlan board = doc.plan();
        const QStringList changes{"R01 190cm: Removed", "R02 190cm: Moved", "R02 190cm: Pieces"};
        TComparePanel* panel = m_main->ComparePanel;

        // The loaded scenario as last saved, straight from the button's menu.
        {
            VxDialogScript script;
            m_main->CompareMenu->actions().value(1)->trigger();
            QVERIFY(script.dialogTitles.isEmpty());
        }
        QVERIFY(panel->isVisible());
        QCOMPARE(changeTexts(panel->ChangeTree), changes);
        // A ghost where the downtime stood; the warp marked moved, its
        // fabric edited.
        QCOMPARE(marks(0), QStringList{"gap before 1: removed"});
        QCOMPARE(marks(1), (QStringList{"job 1: moved", "job 1 item 0: edited"}));

        // A click on a change chooses its job on the board.
        const QModelIndex moved = panel->ChangeTree->model()->index(3, 0);
        QTest::mouseClick(panel->ChangeTree->viewport(), Qt::LeftButton, {},
                          panel->ChangeTree->visualRect(moved).center());
        QCOMPARE(m_main->ScheduleBox->Schedules(1)->SelectedJob(),
                 m_main->ScheduleBox->Schedules(1)->Jobs(1));

        // An edit while comparing is compared again: the fabric's change is
        // undone, its mark goes.
        m_main->UndoButtonClick();
        QTRY_COMPARE(marks(1), QStringList{"job 1: moved"});
        // Redone just before printing: the printout has it all the same.
        m_main->RedoButtonClick();

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
            "R02 190cm,2:  A-WHT 3000m,P001 : WHT/4pcs,Pieces,3,4,number"));

        // Leaving takes the panel and the marks away; the board is as it was.
        QTest::mouseClick(panel->CloseButton, Qt::LeftButton);
        QVERIFY(!panel->isVisible());
        QCOMPARE(marks(0) + marks(1), QStringList());
        QCOMPARE(doc.plan(), board);

        // The menu's dialog starts on the loaded scenario and deletes nothing.
        {
            VxDialogScript script;
            script.dialogs.push_back([](QDialog* dialog) {
                auto* form = qobject_cast<TLoadForm*>(dialog);
                return form->DeleteButton->isVisible() ? int(QDialog::Rejected)
                                                       : pickScenario(0)(dialog);
            });
            m_main->CompareMenu->actions().value(0)->trigger();
            QCOMPARE(script.dialogTitles, QStringList{"Compare With"});
        }
        QVERIFY(panel->isVisible());
        QCOMPARE(changeTexts(panel->ChangeTree), changes);
    }
};

QTEST_MAIN(TstCompare)
#include "tst_compare.moc"
