// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A sheet as an Excel workbook (.xlsx) of one worksheet: numbers as
// numbers, dates as dates (dd/mm/yyyy), texts as texts, never as formulas;
// the header row bold and frozen, an auto-filter over all rows, columns as
// wide as their texts.

#include "VxSheet.h"

// Writes a temporary file beside fileName and puts it in fileName's place
// once complete. Throws EVxError naming the file and the reason, leaving
// fileName as it was.
void VxWriteXlsx(const QString& fileName, const TVxSheet& sheet);
