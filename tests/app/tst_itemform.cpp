// SPDX-License-Identifier: GPL-3.0-or-later
// The fabric item dialog, driven as a user drives it: entries chosen with the
// keyboard, text typed, buttons clicked, the dialog run modally through
// VxDialogs with a script.

#include "ItemForm.h"
#include "RefText.h"
#include "VxAbort.h"
#include "VxDate.h"
#include "VxDialogDriving.h"
#include "VxDialogs.h"
#include "VxUpDown.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <functional>

using vxtest::click;
using vxtest::runDialog;
using vxtest::stepToEntry;
using vxtest::typeInto;

namespace {
// The sample reference data, read from the real text files.
struct SampleTables {
    TWarpInfoList warps;
    TFabricInfoList fabrics;
    TVxWeaveRefs refs;
    SampleTables() {
        const QString folder = qEnvironmentVariable("PLEXIWEAVE_SAMPLES");
        TRefTextLoader loader(folder);
        warps = loader.BuildWarpInfos();
        fabrics = loader.BuildFabricInfos();
        refs.WarpInfos = &warps;
        refs.FabricInfos = &fabrics;
    }
};
} // namespace

class TestItemForm : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { VxSetShortDateFormat(QStringLiteral("dd/mm/yy")); }

    // Fabric item dialog
    void itemOkEnabling();
    void itemUpDown_data();
    void itemUpDown();
    void itemCapacityOnOk_data();
    void itemCapacityOnOk();
};

// ------------------------------------------------------------ item dialog

void TestItemForm::itemOkEnabling() {
    VxDialogScript script;
    TItemForm form;
    form.SetFabrics({"P001 : WHT", "P002 : NAT"});
    form.PiecesEdit->setText("1");
    runDialog(&form, [&] {
        QVERIFY(!form.OKButton->isEnabled());
        QCOMPARE(QApplication::focusWidget(), form.TypeCombo);
        stepToEntry(form.TypeCombo, 1);
        QCOMPARE(form.SelectedFabric(), QString("P002 : NAT"));
        QVERIFY(form.OKButton->isEnabled());
        QCOMPARE(QApplication::focusWidget(), form.PiecesEdit);
        // The count arrives selected: typing replaces it.
        QTest::keyClicks(form.PiecesEdit, "2");
        QCOMPARE(form.PiecesEdit->text(), QString("2"));
        typeInto(form.PiecesEdit, "");
        QVERIFY(!form.OKButton->isEnabled());
        QTest::keyClicks(form.PiecesEdit, "2");
        QVERIFY(form.OKButton->isEnabled());
        click(form.CancelButton);
    });

    // Editing: the fabric is fixed and OK waits for a change of pieces, even
    // on the second opening of the same dialog.
    form.SetFixedFabric("P001 : WHT");
    form.PiecesEdit->setText("3");
    runDialog(&form, [&] {
        QVERIFY(!form.TypeCombo->isEnabled());
        QVERIFY(!form.OKButton->isEnabled());
        QTest::keyClick(form.PiecesEdit, Qt::Key_Up);
        QCOMPARE(form.PiecesEdit->text(), QString("4"));
        QVERIFY(form.OKButton->isEnabled());
        click(form.CancelButton);
    });
}

void TestItemForm::itemUpDown_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("result");
    QTest::newRow("up from 1") << "1"
                               << "up button"
                               << "2";
    QTest::newRow("down at 1 stays") << "1"
                                     << "down button"
                                     << "1";
    QTest::newRow("up at 50 stays") << "50"
                                    << "up button"
                                    << "50";
    QTest::newRow("arrow key steps from typed") << "7"
                                                << "up key"
                                                << "8";
    QTest::newRow("down key") << "7"
                              << "down key"
                              << "6";
    QTest::newRow("typed beyond 50 comes back in range") << "60"
                                                         << "down button"
                                                         << "49";
    QTest::newRow("garbage starts from last position") << "x"
                                                       << "up button"
                                                       << "2";
}

void TestItemForm::itemUpDown() {
    QFETCH(QString, start);
    QFETCH(QString, action);
    QFETCH(QString, result);
    TItemForm form;
    form.show();
    typeInto(form.PiecesEdit, start);
    QCOMPARE(form.PiecesEdit->text(), start); // typing is not limited
    if (action == "up button")
        click(form.PiecesUpDown->UpButton());
    else if (action == "down button")
        click(form.PiecesUpDown->DownButton());
    else
        QTest::keyClick(form.PiecesEdit, action == "up key" ? Qt::Key_Up : Qt::Key_Down);
    QCOMPARE(form.PiecesEdit->text(), result);
}

void TestItemForm::itemCapacityOnOk_data() {
    QTest::addColumn<int>("remLen");
    QTest::addColumn<int>("remWgt");
    QTest::addColumn<int>("oldPieces");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("error");
    // Fabric P of the samples: 60 m and 2.6 kg of warp per piece.
    QTest::newRow("fits") << 100 << 500 << 0 << "1"
                          << "";
    QTest::newRow("too long") << 100 << 500 << 0 << "2"
                              << "Length over capacity by 20m";
    QTest::newRow("weight fits (5.2 -> 5)") << 1000 << 5 << 0 << "2"
                                            << "";
    QTest::newRow("too heavy (7.8 -> 8)") << 1000 << 5 << 0 << "3"
                                          << "Weight over capacity by 3kg";
    QTest::newRow("edit 3 to 5 checks 2") << 119 << 500 << 3 << "5"
                                          << "Length over capacity by 1m";
    QTest::newRow("edit 5 to 3 passes") << 0 << 0 << 5 << "3"
                                        << "";
    QTest::newRow("more than 50 typed") << 5000 << 500 << 0 << "60"
                                        << "";
    QTest::newRow("not a number") << 100 << 500 << 0 << "2x"
                                  << "'2x' is not a valid integer value";
    QTest::newRow("no pieces") << 100 << 500 << 0 << "0"
                               << "The number of pieces must be at least 1";
    QTest::newRow("negative") << 100 << 500 << 3 << "-2"
                              << "The number of pieces must be at least 1";
    // Counts beyond what an item holds are over capacity, never wrapped.
    QTest::newRow("beyond 32 bits") << 100 << 500 << 0 << "99999999999"
                                    << "Length over capacity by 5999999999840m";
    QTest::newRow("largest from a negative stored count")
        << 100 << 500 << -5 << "2147483647"
        << "Length over capacity by 128849019020m";
}

void TestItemForm::itemCapacityOnOk() {
    QFETCH(int, remLen);
    QFETCH(int, remWgt);
    QFETCH(int, oldPieces);
    QFETCH(QString, typed);
    QFETCH(QString, error);
    SampleTables tables;
    VxDialogScript script;
    TItemForm form;
    form.Refs = tables.refs;
    form.Left = {remLen, remWgt};
    form.OldPieces = oldPieces;
    form.SetFabrics({"P001 : WHT", "DBWHT : WHT"});
    form.PiecesEdit->setText("1");
    const int result = runDialog(&form, [&] {
        stepToEntry(form.TypeCombo, 0);
        typeInto(form.PiecesEdit, typed);
        click(form.OKButton);
        if (!error.isEmpty()) {
            QVERIFY2(form.isVisible(), "the dialog stays open");
            QCOMPARE(QApplication::focusWidget(), form.PiecesEdit);
            // The refused count is selected, ready to be typed over.
            QTest::keyClicks(form.PiecesEdit, "1");
            QCOMPARE(form.PiecesEdit->text(), QString("1"));
            click(form.CancelButton);
        }
    });
    QCOMPARE(script.texts(VxMsgKind::Error), error.isEmpty() ? QStringList() : QStringList{error});
    QCOMPARE(result, error.isEmpty() ? int(QDialog::Accepted) : int(QDialog::Rejected));
    if (error.isEmpty()) QCOMPARE(form.Pieces(), typed.toInt());
}

QTEST_MAIN(TestItemForm)
#include "tst_itemform.moc"
