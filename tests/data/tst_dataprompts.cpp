// SPDX-License-Identifier: GPL-3.0-or-later
// The data layer's prompts as the program shows them: error and question
// boxes through VxDialogs and the login form, typed into and clicked.

#include "LoginDlg.h"
#include "RefText.h"
#include "VxDialogDriving.h"
#include "VxDialogPrompts.h"
#include "VxDialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(std::optional<TVxLogin>)

class TstDataPrompts : public QObject {
    Q_OBJECT
private slots:
    void login_data();
    void login();
    void questionsAndErrors_data();
    void questionsAndErrors();
    void loaderErrorsComeAsBoxesInOrder();
    void parentGoneShowsWithoutParent();
};

void TstDataPrompts::login_data() {
    QTest::addColumn<QString>("proposed");
    QTest::addColumn<QString>("typedUser"); // empty: the proposal is kept
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("expectedUser"); // empty with !ok: cancelled
    QTest::newRow("password for the proposed user") << "planner"
                                                    << ""
                                                    << "s3cret" << true << "planner";
    QTest::newRow("other user typed") << "planner"
                                      << "boss"
                                      << "pw" << true << "boss";
    QTest::newRow("no proposal") << ""
                                 << "clerk"
                                 << "pw" << true << "clerk";
    QTest::newRow("cancelled") << "planner"
                               << ""
                               << "s3cret" << false << "";
}

void TstDataPrompts::login() {
    QFETCH(QString, proposed);
    QFETCH(QString, typedUser);
    QFETCH(QString, password);
    QFETCH(bool, ok);
    QFETCH(QString, expectedUser);
    QWidget owner;
    const TVxDataPrompts prompts = VxDialogPrompts(&owner);
    VxDialogScript script;
    QString shownDb, focused;
    QWidget* parent = nullptr;
    script.dialogs.push_back(vxtest::loginDriver(password, ok, [&] {
        auto* form = qobject_cast<TVxLoginForm*>(QApplication::activeModalWidget());
        if (!form) form = owner.findChild<TVxLoginForm*>();
        QVERIFY(form);
        parent = form->parentWidget();
        shownDb = form->DatabaseLabel->text();
        focused = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
        QCOMPARE(form->UserNameEdit->text(), proposed);
        if (!typedUser.isEmpty()) vxtest::typeInto(form->UserNameEdit, typedUser);
        form->PasswordEdit->setFocus();
    }));
    const std::optional<TVxLogin> login = prompts.Login("Shedwise", proposed);
    QCOMPARE(script.dialogTitles, QStringList{"Database Login"});
    QCOMPARE(shownDb, QString("Database: Shedwise"));
    QCOMPARE(parent, &owner);
    // The password is what is missing once a user name is proposed.
    QCOMPARE(focused, QString(proposed.isEmpty() ? "UserNameEdit" : "PasswordEdit"));
    QCOMPARE(login.has_value(), ok);
    if (!ok) return;
    QCOMPARE(login->UserName, expectedUser);
    QCOMPARE(login->Password, password);
}

void TstDataPrompts::questionsAndErrors_data() {
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << QMessageBox::Yes << true;
    QTest::newRow("No") << QMessageBox::No << false;
    QTest::newRow("closed") << QMessageBox::Cancel << false;
}

void TstDataPrompts::questionsAndErrors() {
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, yes);
    const TVxDataPrompts prompts = VxDialogPrompts();
    VxDialogScript script;
    script.answers = {QMessageBox::Ok, answer, QMessageBox::Ok};
    prompts.Error("first");
    QCOMPARE(prompts.Confirm("Create them now?"), yes);
    prompts.Error("last");
    QCOMPARE(script.messages.size(), 3);
    QCOMPARE(script.texts(), (QStringList{"first", "Create them now?", "last"}));
    QCOMPARE(script.messages[0].kind, VxMsgKind::Error);
    QCOMPARE(script.messages[0].buttons, VxButtons::Ok);
    QCOMPARE(script.messages[1].kind, VxMsgKind::Confirmation);
    QCOMPARE(script.messages[1].buttons, VxButtons::YesNo);
    QCOMPARE(script.messages[2].kind, VxMsgKind::Error);
}

// The text loader through the program's prompts: one error box per failing
// read, in the order the files are read.
void TstDataPrompts::loaderErrorsComeAsBoxesInOrder() {
    QTemporaryDir empty;
    const TRefTextLoader loader(empty.path(), VxDialogPrompts());
    VxDialogScript script;
    QVERIFY(loader.BuildLoomTypes().IsEmpty());
    QCOMPARE(script.texts(VxMsgKind::Error),
             (QStringList{FileNotFoundMessage(StruLoomFile), FileNotFoundMessage(FabricTypeFile),
                          FileNotFoundMessage(LoomSpecFile)}));
}

void TstDataPrompts::parentGoneShowsWithoutParent() {
    auto* owner = new QWidget;
    const TVxDataPrompts prompts = VxDialogPrompts(owner);
    delete owner;
    VxDialogScript script;
    QWidget* parent = owner;
    script.dialogs.push_back([&](QDialog* dialog) {
        parent = dialog->parentWidget();
        return int(QDialog::Rejected);
    });
    QVERIFY(!prompts.Login("Shedwise", "planner"));
    QCOMPARE(parent, nullptr);
    prompts.Error("still shown");
    QCOMPARE(script.texts(), QStringList{"still shown"});
}

QTEST_MAIN(TstDataPrompts)
#include "tst_dataprompts.moc"
