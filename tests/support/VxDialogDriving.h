// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Driving dialogs as a user does, with real mouse and key events, while
// VxDialogs runs them modally under a VxDialogScript.

#include <QString>
#include <functional>

class QComboBox;
class QDialog;
class QLineEdit;
class QWidget;

namespace vxtest {

// Runs dialog modally through VxDialogs under the current VxDialogScript;
// drive gets it while it is shown. Returns the dialog's result.
int runDialog(QDialog* dialog, std::function<void()> drive);

// Focuses edit, clears it with the keyboard and types text.
void typeInto(QLineEdit* edit, const QString& text);

// Opens the combo's list with the mouse, walks to the entry with the arrow
// keys and takes it with Return, so only the chosen entry counts as a change.
void chooseEntry(QComboBox* combo, int index);
// Steps the closed combo to the entry with Home and Down, each step a change.
void stepToEntry(QComboBox* combo, int index);

void click(QWidget* widget);

// A driver for the login form: runs whileShown, types the password and
// presses OK (or Cancel). Any other dialog is rejected.
std::function<int(QDialog*)> loginDriver(const QString& password, bool ok = true,
                                         std::function<void()> whileShown = {});

} // namespace vxtest
