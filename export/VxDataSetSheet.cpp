// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxDataSetSheet.h"

#include "VxDataSet.h"

namespace {
TVxCell cellOf(const TVxField& field, const QVariant& value) {
    if (value.isNull()) return TVxCell();
    if (field.IsNumeric()) return TVxCell::FromNumber(TVxDataSet::VariantToFloat(value));
    if (field.Kind == TVxFieldKind::DateTime)
        return TVxCell::FromDate(TVxDataSet::VariantToDate(value));
    const QString text = value.toString();
    return text.isEmpty() ? TVxCell() : TVxCell::FromText(text);
}
} // namespace

TVxSheet VxDataSetSheet(const TVxDataSet& dataSet, const QString& name) {
    TVxSheet sheet;
    sheet.Name = name;
    QVector<int> columns;
    const QList<TVxField>& fields = dataSet.Fields();
    for (int c = 0; c < fields.size(); ++c) {
        if (!fields[c].Visible) continue;
        columns << c;
        sheet.Headers << (fields[c].DisplayLabel.isEmpty() ? fields[c].FieldName
                                                           : fields[c].DisplayLabel);
    }
    sheet.Rows.reserve(dataSet.RecordCount());
    for (int r = 0; r < dataSet.RecordCount(); ++r) {
        TVxSheetRow row;
        row.reserve(columns.size());
        for (int c : columns)
            row << cellOf(fields[c], dataSet.RowValue(r, c));
        sheet.Rows << row;
    }
    return sheet;
}
