// SPDX-License-Identifier: GPL-3.0-or-later
// The save and load dialogs over a real scenario store (an SQLite file),
// driven with the mouse and keyboard; questions answered by a dialog script.

#include "LoadForm.h"
#include "PlanBuild.h"
#include "SaveForm.h"
#include "ScenarioGrid.h"
#include "VxDialogs.h"
#include "VxScratchDb.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace planbuild;

namespace {
const QString kFirstQuestion =
    QStringLiteral("Overwrite scenario \"First\" stored under the same number?");
}

class TstScenarioForms : public QObject {
    Q_OBJECT

    std::unique_ptr<vxtest::TScratchDb> m_db;
    std::unique_ptr<TScenarioStore> m_store;

    // Scenarios 1 "First" (one reed) and 3 "Third".
    void storeTwo() {
        m_store->Save(1, "First", plan({loom(1, {reed(1, 2400, 46000)})}), TScenarioSaveMode::New);
        m_store->Save(3, "Third", plan({}), TScenarioSaveMode::New);
    }
    std::unique_ptr<TSaveForm> shownSaveForm() {
        auto form = std::make_unique<TSaveForm>();
        form->Prepare(m_store.get(), m_store->MaxScenarioNo() + 1);
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get())) return nullptr;
        return form;
    }
    static void clickRow(TScenarioGrid* grid, int row, bool twice = false) {
        const QPoint at = grid->RowRect(row).center();
        if (twice) {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
        } else {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        }
    }
    static void retype(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

private slots:
    void init() {
        m_db = std::make_unique<vxtest::TScratchDb>(false);
        QVERIFY2(m_db->Error().isEmpty(), qPrintable(m_db->Error()));
        m_store = std::make_unique<TScenarioStore>(m_db->Db());
    }
    void cleanup() {
        m_store.reset();
        m_db.reset();
    }

    void proposalsAndMenuEnabling();
    void okButton_data();
    void okButton();
    void rowsCopyIntoTheEdits();
    void menuEditAndDelete_data();
    void menuEditAndDelete();
    void descriptionStopsAtTheColumnWidth();
    void loadForm();
};

void TstScenarioForms::proposalsAndMenuEnabling() {
    auto form = shownSaveForm();
    QVERIFY(form);
    QCOMPARE(form->NumberEdit->text(), QString("1"));
    QCOMPARE(form->DescrEdit->text(), QString("Scenario 1"));
    QVERIFY(!form->EditItem->isEnabled());
    QVERIFY(!form->DeleteItem->isEnabled());
    form->close();

    storeTwo();
    form = shownSaveForm();
    QCOMPARE(form->NumberEdit->text(), QString("4"));
    QCOMPARE(form->DescrEdit->text(), QString("Scenario 4"));
    QVERIFY(form->EditItem->isEnabled());
    QVERIFY(form->DeleteItem->isEnabled());
    // The grid's right button opens the menu.
    const QPoint at = form->ScenarioGrid->RowRect(0).center();
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at,
                           form->ScenarioGrid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(form->ScenarioGrid->viewport(), &menu);
    QTRY_VERIFY(form->ScenarioMenu->isVisible());
    form->ScenarioMenu->close();
}

void TstScenarioForms::okButton_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("descr");
    QTest::addColumn<QList<int>>("answers"); // to the overwrite question
    QTest::addColumn<bool>("open");          // the dialog stays open
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("numberAfter");
    QTest::addColumn<QString>("descrAfter");
    QTest::addColumn<QStringList>("messages");

    const int kNew = TSaveForm::SaveNew, kOver = TSaveForm::SaveOverwrite;
    QTest::newRow("a new number") << "7"
                                  << "Mine" << QList<int>{} << false << kNew << "7"
                                  << "Mine" << QStringList{};
    QTest::newRow("zero and negatives are numbers too")
        << "-3"
        << "Minus" << QList<int>{} << false << kNew << "-3"
        << "Minus" << QStringList{};
    QTest::newRow("not a number keeps the dialog open")
        << "12a"
        << "Mine" << QList<int>{} << true << 0 << "12a"
        << "Mine" << QStringList{"A valid number must be entered."};
    QTest::newRow("a stored number, Yes: overwritten under its stored description")
        << "1"
        << "New text" << QList<int>{QMessageBox::Yes} << false << kOver << "1"
        << "First" << QStringList{kFirstQuestion};
    QTest::newRow("a stored number, No: the next available one is proposed")
        << "1"
        << "New text" << QList<int>{QMessageBox::No} << true << 0 << "4"
        << "Scenario 4" << QStringList{kFirstQuestion};
    QTest::newRow("a stored number, Cancel")
        << "1"
        << "New text" << QList<int>{QMessageBox::Cancel} << false << int(QDialog::Rejected) << "1"
        << "First" << QStringList{kFirstQuestion};
}

void TstScenarioForms::okButton() {
    QFETCH(QString, number);
    QFETCH(QString, descr);
    QFETCH(QList<int>, answers);
    QFETCH(bool, open);
    QFETCH(int, result);
    QFETCH(QString, numberAfter);
    QFETCH(QString, descrAfter);
    QFETCH(QStringList, messages);
    storeTwo();
    auto form = shownSaveForm();
    QVERIFY(form);
    VxDialogScript script;
    for (int a : answers)
        script.answers.push_back(QMessageBox::StandardButton(a));
    retype(form->NumberEdit, number);
    retype(form->DescrEdit, descr);
    QTest::mouseClick(form->OKButton, Qt::LeftButton);

    QCOMPARE(script.texts(), messages);
    QCOMPARE(form->isVisible(), open);
    if (!open) QCOMPARE(form->result(), result);
    QCOMPARE(form->NumberEdit->text(), numberAfter);
    QCOMPARE(form->DescrEdit->text(), descrAfter);
    if (messages.value(0) == "A valid number must be entered.")
        QCOMPARE(QApplication::focusWidget(), form->NumberEdit);
    if (!open && result != QDialog::Rejected) {
        QCOMPARE(form->ScenarioNo(), numberAfter.toInt());
        QCOMPARE(form->Descr(), descrAfter);
    }
}

void TstScenarioForms::rowsCopyIntoTheEdits() {
    storeTwo();
    auto form = shownSaveForm();
    QVERIFY(form);
    // The proposal stands until a row is picked.
    QCOMPARE(form->NumberEdit->text(), QString("4"));
    clickRow(form->ScenarioGrid, 1);
    QCOMPARE(form->NumberEdit->text(), QString("3"));
    QCOMPARE(form->DescrEdit->text(), QString("Third"));
    // Clicking the current row again copies it again over typed text.
    retype(form->DescrEdit, "Typed");
    clickRow(form->ScenarioGrid, 1);
    QCOMPARE(form->DescrEdit->text(), QString("Third"));
    // The keyboard moves the row as well.
    form->ScenarioGrid->setFocus();
    QTest::keyClick(form->ScenarioGrid, Qt::Key_Up);
    QCOMPARE(form->NumberEdit->text(), QString("1"));

    // A double click asks to overwrite the row's scenario.
    VxDialogScript script;
    script.answers.push_back(QMessageBox::Yes);
    clickRow(form->ScenarioGrid, 0, true);
    QCOMPARE(script.texts(), QStringList{kFirstQuestion});
    QVERIFY(!form->isVisible());
    QCOMPARE(form->result(), int(TSaveForm::SaveOverwrite));
    QCOMPARE(form->ScenarioNo(), 1);
}

void TstScenarioForms::menuEditAndDelete_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("locked"); // another connection holds the file
    QTest::addColumn<QVector<TScenarioInfo>>("stored");
    QTest::addColumn<QString>("numberAfter");
    QTest::addColumn<QString>("descrAfter");
    QTest::addColumn<QStringList>("messages");

    const QVector<TScenarioInfo> both{{1, "First"}, {3, "Third"}};
    QTest::newRow("rename") << "edit" << QList<int>{} << "Renamed" << false
                            << QVector<TScenarioInfo>{{1, "Renamed"}, {3, "Third"}} << "1"
                            << "Renamed" << QStringList{};
    QTest::newRow("rename beyond the column is refused")
        << "edit" << QList<int>{} << QString(26, 'x') << false << both << "1"
        << "First" << QStringList{"A description holds at most 25 characters"};
    QTest::newRow("delete: a new number is proposed, no row to overwrite")
        << "delete" << QList<int>{QMessageBox::Yes} << "" << false
        << QVector<TScenarioInfo>{{3, "Third"}} << "4"
        << "Scenario 4" << QStringList{"Delete this scenario?"};
    QTest::newRow("delete answered No")
        << "delete" << QList<int>{QMessageBox::No} << "" << false << both << "1"
        << "First" << QStringList{"Delete this scenario?"};
    QTest::newRow("a failed delete says why")
        << "delete" << QList<int>{QMessageBox::Yes} << "" << true << both << "1"
        << "First"
        << QStringList{"Delete this scenario?",
                       "Another planner is saving to this database, and "
                       "it stayed busy for longer than the planner waits."};
}

void TstScenarioForms::menuEditAndDelete() {
    QFETCH(QString, action);
    QFETCH(QList<int>, answers);
    QFETCH(QString, input);
    QFETCH(bool, locked);
    QFETCH(QVector<TScenarioInfo>, stored);
    QFETCH(QString, numberAfter);
    QFETCH(QString, descrAfter);
    QFETCH(QStringList, messages);
    storeTwo();
    m_db->Db().close();
    m_db->Db().setConnectOptions("QSQLITE_BUSY_TIMEOUT=1");
    m_db->Db().open();

    QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other");
    other.setDatabaseName(m_db->Name());
    QVERIFY(other.open());
    if (locked) QVERIFY(QSqlQuery(other).exec("begin immediate"));

    auto form = shownSaveForm();
    QVERIFY(form);
    clickRow(form->ScenarioGrid, 0);
    VxDialogScript script;
    for (int a : answers)
        script.answers.push_back(QMessageBox::StandardButton(a));
    script.inputs.push_back(input);
    (action == "edit" ? form->EditItem : form->DeleteItem)->trigger();

    QCOMPARE(script.texts(), messages);
    if (action == "edit") {
        QCOMPARE(script.inputCaptions, QStringList{"Edit Scenario Description"});
        QCOMPARE(script.inputPrompts, QStringList{"Description"});
    }
    if (locked) QSqlQuery(other).exec("rollback");
    other.close();
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase("other");

    QCOMPARE(m_store->List(), stored);
    QCOMPARE(form->NumberEdit->text(), numberAfter);
    QCOMPARE(form->DescrEdit->text(), descrAfter);
    QCOMPARE(form->DeleteItem->isEnabled(), !stored.isEmpty());
}

void TstScenarioForms::descriptionStopsAtTheColumnWidth() {
    auto form = shownSaveForm();
    QVERIFY(form);
    retype(form->DescrEdit, QString(30, 'd'));
    QCOMPARE(form->DescrEdit->text(), QString(25, 'd'));
    // The last scenario deleted: nothing left to edit or delete.
    m_store->Save(1, "Only", plan({}), TScenarioSaveMode::New);
    form->Prepare(m_store.get(), 2);
    form->ScenarioGrid->SelectRow(0);
    VxDialogScript script;
    script.answers.push_back(QMessageBox::Yes);
    form->DeleteItem->trigger();
    QVERIFY(m_store->List().isEmpty());
    QVERIFY(!form->EditItem->isEnabled());
    QVERIFY(!form->DeleteItem->isEnabled());
}

void TstScenarioForms::loadForm() {
    TLoadForm form;
    form.Prepare(m_store.get());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(!form.OKButton->isEnabled());
    QTest::mouseDClick(form.ScenarioGrid->viewport(), Qt::LeftButton, {}, QPoint(20, 30));
    QVERIFY(form.isVisible());

    storeTwo();
    form.Prepare(m_store.get(), 3);
    QVERIFY(form.OKButton->isEnabled());
    QCOMPARE(form.Selected()->ScenarioNo, 3);
    clickRow(form.ScenarioGrid, 0, true);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(*form.Selected(), (TScenarioInfo{1, "First"}));

    // A current scenario no longer stored: the first row is offered.
    form.Prepare(m_store.get(), 9);
    QCOMPARE(form.Selected()->ScenarioNo, 1);
}

QTEST_MAIN(TstScenarioForms)
#include "tst_scenarioforms.moc"
