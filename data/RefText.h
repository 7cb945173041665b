// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reference tables from the five comma-separated text files (text mode).
//
// Fields are the exact text between commas: no quoting, no trimming. Each
// builder reports a failing file with one error box saying what is wrong
// and where (file, line and column), stops reading that file at the failing
// line, and keeps what it built. A file that is missing keeps the message
// 'File "X" not found'. Only plain files are read: a folder, a named pipe or
// a device is refused without being opened for reading, and so is an empty
// file and one beyond the line limit (nothing of it is used).

#include "RefData.h"
#include "VxDataPrompts.h"

#include <QString>
#include <QStringList>
#include <vector>

// Field n (from 1) by position; empty when the line has fewer fields.
QString GetCsvField(const QString& line, int n);
// The fields that a comma follows, in order: the last field of a line counts
// only when the line ends with a comma.
QStringList CommaTerminatedFields(const QString& line);

// Number fields. Decimals use the system's decimal separator
// (QLocale::system(), "." when none is set), whatever language the program
// shows; CsvToDouble keeps the text's full precision for
// database columns and further arithmetic. All throw EVxError when the text
// is not such a number (decimals also when beyond single range).
int32_t CsvToInt(const QString& text);
double CsvToDouble(const QString& text);
float CsvToFloat(const QString& text);

// The message shown for a reference file that does not exist.
QString FileNotFoundMessage(const QString& fileName);

// A number of a reference file outside its column's range (RefColumnRange);
// the message names the field: "column 5 (GREIGELENPERCENT): 1e+30 is out
// of range (0 to 1000)". Readers put the file and line before it.
class ERefFieldError : public EVxError {
public:
    ERefFieldError(int field, const QString& column, const QString& problem);
};
// Throws ERefFieldError when value, read from field n as column, is out of
// range.
void CheckRefField(int n, const QString& column, double value);

// A number field that does not convert, read from field n as column.
ERefFieldError RefNumberError(int n, const QString& column, const QString& text, bool whole);
// Field n of line as a 32-bit integer; throws ERefFieldError naming column.
int32_t RefIntField(const QString& line, int n, const QString& column);

// Reads a text file line by line, LF or CRLF, as UTF-8. Throws EVxError with a
// message naming the file (and the line and column where there is one) when
// the file is missing, not a plain file, empty, unreadable, UTF-16, has more
// than MaxLines lines, or a line is binary, not valid UTF-8 or longer than
// MaxLineBytes.
class TRefLineReader {
public:
    static constexpr int MaxLineBytes = 8192;
    static constexpr int MaxLines = 100000;

    TRefLineReader(const QString& path, const QString& fileName);
    ~TRefLineReader();
    TRefLineReader(const TRefLineReader&) = delete;
    TRefLineReader& operator=(const TRefLineReader&) = delete;

    // Next line without its line break; false at the end of the file.
    bool Next(QString& line);

private:
    // Counts the lines (up to one past the limit) and looks at the start for
    // UTF-16; the file is read from its start afterwards.
    void checkWhole();
    [[noreturn]] void failLine(int column, const QString& problem) const;

    class Impl;
    Impl* d;
};

// Builds the reference tables from the files in one folder (the current
// working directory when empty). Messages go to prompts.
class TRefTextLoader {
public:
    explicit TRefTextLoader(const QString& folder = QString(), TVxDataPrompts prompts = {});

    // Every line of fileName in order; on failure shows its message and
    // returns the lines read before it.
    QStringList ReadTextLines(const QString& fileName) const;

    TLoomTypeList BuildLoomTypes() const;
    TWarpInfoList BuildWarpInfos() const;
    TFabricInfoList BuildFabricInfos() const;
    TDowntimeList BuildDowntimeTypes() const;
    // Loom records of "LoomSpec.csv" in line order (POSN, TYPE, DESCR).
    std::vector<TLoomRecord> ReadLoomRecords() const;

    QString PathOf(const QString& fileName) const;

private:
    // Calls perLine for each line of fileName; any failure shows the file's
    // message and ends the reading.
    template <class F> void eachLine(const QString& fileName, F&& perLine) const;
    // Shows a message once: the builders that read one file again do not
    // repeat what is wrong with it.
    void report(const QString& message) const;

    QString m_folder;
    TVxDataPrompts m_prompts;
    mutable QStringList m_reported;
};

extern const QString LoomSpecFile;
extern const QString WarpTypeFile;
extern const QString FabricTypeFile;
extern const QString StruLoomFile;
extern const QString DowntimeTypeFile;
