// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxCsvSheet.h"

#include "VxDelimited.h"
#include "VxSaveFile.h"

#include <QLocale>

namespace {
QString cellText(const TVxCell& cell) {
    switch (cell.Kind) {
    case TVxCell::TKind::Empty:
        return QString();
    case TVxCell::TKind::Text:
        return VxDelimitedField(cell.Text);
    case TVxCell::TKind::Number:
        // The shortest text that reads back as the same number.
        return QString::number(cell.Number, 'g', QLocale::FloatingPointShortest);
    case TVxCell::TKind::Date:
        return VxDateOf(cell.Number).toString(Qt::ISODate);
    }
    return QString();
}

void appendRecord(QString& out, const QStringList& fields) {
    out += fields.join(QLatin1Char(','));
    out += QStringLiteral("\r\n");
}
} // namespace

QByteArray VxCsvBytes(const TVxSheet& sheet) {
    QString out;
    QStringList fields;
    for (const QString& header : sheet.Headers)
        fields << VxDelimitedField(header);
    appendRecord(out, fields);
    for (const TVxSheetRow& row : sheet.Rows) {
        fields.clear();
        for (const TVxCell& cell : row)
            fields << cellText(cell);
        appendRecord(out, fields);
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + out.toUtf8();
}

void VxWriteCsv(const QString& fileName, const TVxSheet& sheet) {
    VxSaveFileBytes(fileName, VxCsvBytes(sheet));
}
