// SPDX-License-Identifier: GPL-3.0-or-later
#include "VxXlsxSheet.h"

#include "VxAbort.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <xlsxwriter.h>

namespace {
// Worksheet names: at most 31 characters, none of []:*?/\ .
QString worksheetName(const QString& name) {
    QString cleaned = name;
    for (QChar c : QStringLiteral("[]:*?/\\"))
        cleaned.replace(c, QLatin1Char(' '));
    cleaned = cleaned.trimmed().left(31);
    return cleaned.isEmpty() ? QStringLiteral("Sheet1") : cleaned;
}

// Width in characters: the longest text of the column (dates 10), within
// reason.
QVector<int> columnWidths(const TVxSheet& sheet) {
    QVector<int> widths;
    for (const QString& header : sheet.Headers)
        widths << header.size() + 3; // room for the filter button
    for (const TVxSheetRow& row : sheet.Rows)
        for (int c = 0; c < row.size() && c < widths.size(); ++c) {
            const TVxCell& cell = row[c];
            int length = 0;
            if (cell.Kind == TVxCell::TKind::Text) length = cell.Text.size();
            if (cell.Kind == TVxCell::TKind::Date) length = 10;
            if (cell.Kind == TVxCell::TKind::Number) length = 8;
            widths[c] = std::max(widths[c], length + 1);
        }
    for (int& width : widths)
        width = std::min(width, 50);
    return widths;
}

class TWorkbook {
public:
    TWorkbook(const QString& path, const QString& fileName)
        : m_path(QFile::encodeName(path)), m_fileName(fileName) {
        lxw_workbook_options options = {};
        // Rows go straight to disk as they are written: the plant's sheet
        // needs no more memory than one row.
        options.constant_memory = LXW_TRUE;
        m_workbook = workbook_new_opt(m_path.constData(), &options);
        if (!m_workbook) fail(LXW_ERROR_MEMORY_MALLOC_FAILED);
    }
    ~TWorkbook() {
        // Closing also frees; a workbook abandoned on an error is closed too.
        if (m_workbook) workbook_close(m_workbook);
    }

    void write(const TVxSheet& sheet) {
        const QByteArray name = worksheetName(sheet.Name).toUtf8();
        lxw_worksheet* ws = workbook_add_worksheet(m_workbook, name.constData());
        if (!ws) fail(LXW_ERROR_MEMORY_MALLOC_FAILED);
        lxw_format* bold = workbook_add_format(m_workbook);
        format_set_bold(bold);
        lxw_format* date = workbook_add_format(m_workbook);
        format_set_num_format(date, "dd/mm/yyyy");
        const QVector<int> widths = columnWidths(sheet);
        for (int c = 0; c < widths.size(); ++c)
            check(worksheet_set_column(ws, c, c, widths[c], nullptr));
        // Frozen and filtered before any row: in constant-memory mode rows
        // are final once written.
        worksheet_freeze_panes(ws, 1, 0);
        const int lastColumn = std::max(0, int(sheet.Headers.size()) - 1);
        check(worksheet_autofilter(ws, 0, 0, sheet.Rows.size(), lastColumn));
        for (int c = 0; c < sheet.Headers.size(); ++c)
            check(worksheet_write_string(ws, 0, c, sheet.Headers[c].toUtf8().constData(), bold));
        for (int r = 0; r < sheet.Rows.size(); ++r)
            writeRow(ws, r + 1, sheet.Rows[r], date);
    }

    void close() {
        const lxw_error error = workbook_close(m_workbook);
        m_workbook = nullptr;
        if (error != LXW_NO_ERROR) fail(error);
    }

private:
    void writeRow(lxw_worksheet* ws, lxw_row_t r, const TVxSheetRow& row, lxw_format* date) {
        for (int c = 0; c < row.size(); ++c) {
            const TVxCell& cell = row[c];
            switch (cell.Kind) {
            case TVxCell::TKind::Empty:
                break;
            case TVxCell::TKind::Text:
                check(worksheet_write_string(ws, r, c, cell.Text.toUtf8().constData(), nullptr));
                break;
            case TVxCell::TKind::Number:
                check(worksheet_write_number(ws, r, c, cell.Number, nullptr));
                break;
            case TVxCell::TKind::Date:
                // Spreadsheet dates count days from 30 December 1899, as
                // ours do.
                check(worksheet_write_number(ws, r, c, cell.Number, date));
                break;
            }
        }
    }

    void check(lxw_error error) const {
        if (error != LXW_NO_ERROR) fail(error);
    }
    [[noreturn]] void fail(lxw_error error) const {
        throw EVxError(
            QCoreApplication::translate("VxSheetFile", "Cannot write %1: %2")
                .arg(QDir::toNativeSeparators(m_fileName), QString::fromUtf8(lxw_strerror(error))));
    }

    QByteArray m_path;
    QString m_fileName;
    lxw_workbook* m_workbook = nullptr;
};
} // namespace

void VxWriteXlsx(const QString& fileName, const TVxSheet& sheet) {
    const QFileInfo target(fileName);
    QTemporaryFile temporary(target.absoluteDir().filePath(QStringLiteral(".export-XXXXXX.xlsx")));
    if (!temporary.open())
        throw EVxError(QCoreApplication::translate("VxSheetFile", "Cannot write %1: %2")
                           .arg(QDir::toNativeSeparators(fileName), temporary.errorString()));
    temporary.close();
    TWorkbook workbook(temporary.fileName(), fileName);
    workbook.write(sheet);
    workbook.close();
    // The workbook takes the permissions a new file gets, not the private
    // ones of a temporary file.
    temporary.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                             QFile::ReadOther);
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        throw EVxError(QCoreApplication::translate("VxSheetFile", "Cannot write %1: %2")
                           .arg(QDir::toNativeSeparators(fileName),
                                QString::fromLocal8Bit(std::strerror(errno))));
    temporary.setAutoRemove(false);
}
