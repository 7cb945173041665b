// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxSheetReadBack.h"

#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

namespace vxtest {

namespace {
const char* const kReader = R"(
import csv, datetime, json, sys
path = sys.argv[1]
out = {"freeze": "", "filter": "", "rows": []}
def tag(v):
    if v is None or v == "": return ""
    if isinstance(v, bool): return "s:" + str(v)
    if isinstance(v, (int, float)): return "n:" + repr(v)
    if isinstance(v, datetime.datetime): return "d:" + v.date().isoformat()
    return "s:" + str(v)
if path.lower().endswith(".xlsx"):
    import openpyxl
    ws = openpyxl.load_workbook(path).worksheets[0]
    out["freeze"] = ws.freeze_panes or ""
    out["filter"] = ws.auto_filter.ref or ""
    out["rows"] = [[tag(v) for v in row] for row in ws.iter_rows(values_only=True)]
else:
    with open(path, encoding="utf-8-sig", newline="") as f:
        out["rows"] = [[tag(c) for c in row] for row in csv.reader(f, strict=True)]
print(json.dumps(out))
)";

// Debian's own interpreter first: the one its python3-openpyxl serves.
QString python() {
    return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                             : QStringLiteral("python3");
}
} // namespace

TSheetReadBack readSheetBack(const QString& file) {
    TSheetReadBack back;
    QProcess run;
    run.start(python(), {QStringLiteral("-c"), QString::fromLatin1(kReader), file});
    if (!run.waitForFinished(60000) || run.exitCode() != 0) {
        back.Error = QStringLiteral("python3 could not read %1 (python3-openpyxl installed?): %2")
                         .arg(file, QString::fromUtf8(run.readAllStandardError()));
        return back;
    }
    const QJsonObject json = QJsonDocument::fromJson(run.readAllStandardOutput()).object();
    back.FreezePanes = json.value("freeze").toString();
    back.AutoFilter = json.value("filter").toString();
    for (const QJsonValue& row : json.value("rows").toArray()) {
        QStringList cells;
        for (const QJsonValue& cell : row.toArray())
            cells << cell.toString();
        back.Rows << cells;
    }
    return back;
}

QString shownCell(const QString& tagged) {
    const QString value = tagged.mid(2);
    if (tagged.startsWith("n:")) return QString::number(value.toDouble());
    static const QRegularExpression isoDate("^\\d{4}-\\d{2}-\\d{2}$");
    if (tagged.startsWith("d:") || isoDate.match(value).hasMatch())
        return QDate::fromString(value, Qt::ISODate).toString("dd/MM/yyyy");
    return value;
}

} // namespace vxtest
