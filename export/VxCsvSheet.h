// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A sheet as a comma-separated file (RFC 4180): UTF-8 with a byte order
// mark (without one a common spreadsheet reads the file in a legacy code
// page), the header row first, records ended by CR LF. Text goes through
// VxDelimitedField, as in the scenario export; numbers are written plainly
// with a decimal point, dates as yyyy-mm-dd, which every spreadsheet reads
// as a date whatever its locale.

#include "VxSheet.h"

#include <QByteArray>

QByteArray VxCsvBytes(const TVxSheet& sheet);

// Writes the file through a temporary file that replaces fileName only once
// complete. Throws EVxError with the system's message, leaving fileName as
// it was.
void VxWriteCsv(const QString& fileName, const TVxSheet& sheet);
