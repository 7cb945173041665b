// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A sheet to a file, in the format its name ends with.

#include "VxSheet.h"

#include <QStringList>

// The save dialog's file types: an Excel workbook first, then CSV.
QStringList VxSheetFileFilters();
// "xlsx", the suffix a name typed without one gets.
QString VxSheetDefaultSuffix();

// Writes sheet as .xlsx or .csv by fileName's suffix (any case). Throws
// EVxError for another suffix, and for any failure to write (fileName is
// then left as it was).
void VxWriteSheet(const QString& fileName, const TVxSheet& sheet);
