// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's windows started in text mode on a plant of rapier looms, for
// the benchmarks that work on the board itself (they link vxapp).

#include "AppWindows.h"
#include "BenchSupport.h"
#include "MainForm.h"
#include "VxDialogs.h"

#include <QDialog>
#include <QTemporaryDir>

namespace benchsupport {

// Writes the plant of `looms` rapiers into folder and starts the windows on
// it; false, after saying why, when the sample reference files are missing.
inline bool startRapierBoard(TAppWindows& windows, const QTemporaryDir& folder, int looms) {
    if (!writeRapierPlant(folder.path(), looms)) return false;
    TMainForm& main = *windows.MainForm;
    main.TextFolder = folder.path();
    VxDialogScript script;
    script.dialogs.push_back([](QDialog*) { return int(QDialog::Accepted); });
    main.FormShow();
    return true;
}

} // namespace benchsupport
