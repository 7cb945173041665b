// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Number patterns of display formats, and money, as grids and printouts show
// them. QtCore only.

#include <QString>

// Formats value with a number pattern:
//   0  a digit, always shown      #  a digit, shown when significant
//   .  the decimal point          ,  thousands separators in the integer part
//   E+ E- e+ e-  scientific notation, the 0s after it giving the exponent's
//                least digits (E+ always shows the sign, E- only a minus)
//   "..." '...'  literal text     ;  sections: positive;negative;zero
// Any other character is copied. A negative value in its own section is
// written without a minus (the section says how it looks). The decimal point
// and the thousands separator are the program's locale's (QLocale's
// default, the chosen language's). Rounds halves away
// from zero, as the written decimal figure would be read.
QString VxFormatFloat(const QString& format, double value);

// The value in the program locale's currency format, two decimals.
QString VxFormatCurrency(double value);

// Fixed-point text with the locale's decimal point and no thousands
// separators ("%.*f").
QString VxFixedText(double value, int decimals);
