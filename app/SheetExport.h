// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The save dialog and the writing shared by "Export Plan Data..." and the
// report windows' "Export...".

#include "VxSheet.h"

#include <functional>

class QWidget;

// Asks for an .xlsx or .csv file (proposing proposedName) and writes the
// sheet that make builds there. Returns false when the user cancelled;
// throws EVxError when the file cannot be written.
bool ExportSheetAs(QWidget* parent, const QString& caption, const QString& proposedName,
                   const std::function<TVxSheet()>& make);
