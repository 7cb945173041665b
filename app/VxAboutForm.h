// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About window. Opened modally from the main window's About button, and
// once as a borderless splash while a database connection opens.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class TVxAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TVxAboutForm(QWidget* parent = nullptr);

    // Shows the window without waiting, as a passive splash: no caption, no
    // border, no OK button, 398 x 244, raised bevel.
    void ShowAsSplash();
    // Closes the splash and puts back the ordinary About look.
    void CloseSplash();
    bool IsSplash() const { return windowTitle().isEmpty(); }

    QFrame* Bevel;
    QLabel* ProgramLabel;
    QLabel* VersionLabel;
    QLabel* NoteLabel;
    // Copyright and licence: the GPL asks a program to say so where it
    // shows its name.
    QLabel* LicenceLabel;
    QPushButton* OKButton;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void RestoreAboutLook();
};
