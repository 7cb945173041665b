// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxDelimited.h"

namespace {
bool startsFormula(const QString& text) {
    if (text.isEmpty()) return false;
    const QChar first = text.front();
    if (first == QLatin1Char('=') || first == QLatin1Char('+') || first == QLatin1Char('@') ||
        first == QLatin1Char('\t'))
        return true;
    if (first != QLatin1Char('-')) return false;
    // Separator lines of hyphens only are plain text to a spreadsheet.
    for (QChar c : text)
        if (c != QLatin1Char('-')) return true;
    return false;
}
} // namespace

QString VxDelimitedField(const QString& text) {
    QString field = startsFormula(text) ? QLatin1Char('\'') + text : text;
    static const QString needsQuotes = QStringLiteral(",\"\r\n");
    for (QChar c : needsQuotes) {
        if (field.contains(c)) {
            field.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            return QLatin1Char('"') + field + QLatin1Char('"');
        }
    }
    return field;
}
