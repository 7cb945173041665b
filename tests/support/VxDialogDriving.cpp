// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxDialogDriving.h"

#include "LoginDlg.h"
#include "VxDialogs.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace vxtest {

int runDialog(QDialog* dialog, std::function<void()> drive) {
    VxDialogScript::current()->dialogs.push_back([drive](QDialog*) {
        drive();
        return -1;
    });
    return VxDialogs::exec(dialog);
}

void typeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void chooseEntry(QComboBox* combo, int index) {
    QTest::mouseClick(combo, Qt::LeftButton);
    QAbstractItemView* view = combo->view();
    QVERIFY(view->isVisible());
    for (int steps = 0; steps < 50 && view->currentIndex().row() != index; ++steps)
        QTest::keyClick(view, view->currentIndex().row() < index ? Qt::Key_Down : Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(combo->currentIndex(), index);
}

void stepToEntry(QComboBox* combo, int index) {
    combo->setFocus();
    if (combo->currentIndex() > index) QTest::keyClick(combo, Qt::Key_Home);
    while (combo->currentIndex() < index)
        QTest::keyClick(combo, Qt::Key_Down);
}

void click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
}

std::function<int(QDialog*)> loginDriver(const QString& password, bool ok,
                                         std::function<void()> whileShown) {
    return [=](QDialog* dialog) {
        auto* form = qobject_cast<TVxLoginForm*>(dialog);
        if (!form) return int(QDialog::Rejected);
        if (whileShown) whileShown();
        QTest::keyClicks(form->PasswordEdit, password);
        auto* box = form->findChild<QDialogButtonBox*>();
        QTest::mouseClick(box->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                          Qt::LeftButton);
        return -1;
    };
}

} // namespace vxtest
