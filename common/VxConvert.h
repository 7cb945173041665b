// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text to number conversions that the dialogs and rules share.

#include <QString>

// A whole number in 32 bits, blanks around it allowed. Anything else throws
// EVxError "'<text>' is not a valid integer value".
int VxStrToInt(const QString& text);
