// SPDX-License-Identifier: GPL-3.0-or-later
#include "RefText.h"

#include "VxAbort.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <map>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>

const QString LoomSpecFile = QStringLiteral("LoomSpec.csv");
const QString WarpTypeFile = QStringLiteral("WarpType.csv");
const QString FabricTypeFile = QStringLiteral("FabricType.csv");
const QString StruLoomFile = QStringLiteral("StruLoom.csv");
const QString DowntimeTypeFile = QStringLiteral("DowntimeType.csv");

QString GetCsvField(const QString& line, int n) {
    if (n < 1) return QString();
    int start = 0;
    for (int i = 1; i < n; ++i) {
        const int comma = line.indexOf(QLatin1Char(','), start);
        if (comma < 0) return QString();
        start = comma + 1;
    }
    const int end = line.indexOf(QLatin1Char(','), start);
    return end < 0 ? line.mid(start) : line.mid(start, end - start);
}

QStringList CommaTerminatedFields(const QString& line) {
    QStringList fields = line.split(QLatin1Char(','));
    fields.removeLast(); // the text after the last comma is never taken
    return fields;
}

int32_t CsvToInt(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        throw EVxError(
            QCoreApplication::translate("RefText", "'%1' is not a valid integer value").arg(text));
    return value;
}

double CsvToDouble(const QString& text) {
    QString point = QLocale::system().decimalPoint();
    if (point.isEmpty()) point = QStringLiteral(".");
    QString plain = text.trimmed();
    // A "." is only a decimal point where the user's settings say so.
    bool ok = point == QLatin1String(".") || !plain.contains(QLatin1Char('.'));
    plain.replace(point, QStringLiteral("."));
    double value = 0;
    if (ok) value = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
        throw EVxError(
            QCoreApplication::translate("RefText", "'%1' is not a valid floating point value")
                .arg(text));
    return value;
}

float CsvToFloat(const QString& text) {
    return static_cast<float>(CsvToDouble(text));
}

QString FileNotFoundMessage(const QString& fileName) {
    return QCoreApplication::translate("RefText", "File \"%1\" not found").arg(fileName);
}

ERefFieldError::ERefFieldError(int field, const QString& column, const QString& problem)
    : EVxError(QCoreApplication::translate("RefText", "column %1 (%2): %3")
                   .arg(field)
                   .arg(column, problem)) {}

void CheckRefField(int n, const QString& column, double value) {
    try {
        CheckRefValue(column, value);
    } catch (const EVxError& e) {
        throw ERefFieldError(n, column, e.message());
    }
}

ERefFieldError RefNumberError(int n, const QString& column, const QString& text, bool whole) {
    if (text.isEmpty())
        return ERefFieldError(n, column,
                              QCoreApplication::translate("RefText", "the number is missing"));
    return ERefFieldError(
        n, column,
        QCoreApplication::translate("RefText", "\"%1\" is not %2")
            .arg(text, whole ? QCoreApplication::translate("RefText", "a whole number")
                             : QCoreApplication::translate("RefText", "a number")));
}

namespace {
int32_t refInt(const QString& text, int n, const QString& column) {
    int32_t value = 0;
    try {
        value = CsvToInt(text);
    } catch (const EVxError&) {
        // A whole number too big for the program is out of the column's range.
        bool whole = false;
        const double big = double(text.toLongLong(&whole));
        if (whole) CheckRefField(n, column, big);
        throw RefNumberError(n, column, text, true);
    }
    CheckRefField(n, column, value);
    return value;
}
// Comma-terminated field n (from 1) as a checked reference number.
int32_t refInt(const QStringList& fields, int n, const QString& column) {
    return refInt(fields[n - 1], n, column);
}
double refDouble(const QStringList& fields, int n, const QString& column) {
    double value = 0;
    try {
        value = CsvToDouble(fields[n - 1]);
    } catch (const EVxError&) {
        throw RefNumberError(n, column, fields[n - 1], false);
    }
    CheckRefField(n, column, value);
    return value;
}
} // namespace

int32_t RefIntField(const QString& line, int n, const QString& column) {
    return refInt(GetCsvField(line, n), n, column);
}

// ---------------------------------------------------------------------------

class TRefLineReader::Impl {
public:
    QFile file;
    QString fileName;
    int lineCount = 0;
    QByteArray buffer; // reused for every line
};

namespace {
QString fileMessage(const QString& fileName, const QString& problem) {
    return QCoreApplication::translate("RefText", "File \"%1\" %2").arg(fileName, problem);
}

// What a path that is not a plain file is, in words.
QString kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return QCoreApplication::translate("RefText", "a folder");
    if (S_ISFIFO(mode)) return QCoreApplication::translate("RefText", "a named pipe");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return QCoreApplication::translate("RefText", "a device");
    if (S_ISSOCK(mode)) return QCoreApplication::translate("RefText", "a socket");
    return QCoreApplication::translate("RefText", "not a file");
}

// The first byte that is not part of well-formed UTF-8 (the last byte when
// only the end of the text is cut short).
qsizetype firstNonUtf8(const QByteArray& bytes) {
    const auto at = [&bytes](qsizetype i) { return static_cast<unsigned char>(bytes.at(i)); };
    for (qsizetype i = 0; i < bytes.size();) {
        const unsigned char c = at(i);
        int more = 0;
        unsigned char low = 0x80, high = 0xBF; // the range of the second byte
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            if (c == 0xE0) low = 0xA0;
            if (c == 0xED) high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            if (c == 0xF0) low = 0x90;
            if (c == 0xF4) high = 0x8F;
        } else {
            return i;
        }
        for (int k = 1; k <= more; ++k) {
            if (i + k >= bytes.size()) return i; // cut short at the end
            const unsigned char next = at(i + k);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return i;
        }
        i += more + 1;
    }
    return bytes.size() - 1;
}

// The field (from 1) in which byte offset lies: commas are single bytes in
// UTF-8, so they count the same in bytes as in characters.
int fieldAt(const QByteArray& bytes, qsizetype offset) {
    return int(std::count(bytes.constBegin(), bytes.constBegin() + offset, ',')) + 1;
}
} // namespace

TRefLineReader::TRefLineReader(const QString& path, const QString& fileName) : d(new Impl) {
    std::unique_ptr<Impl> owner(d);
    d->fileName = fileName;
    // Opened without waiting: a named pipe would hold the program until
    // something wrote to it. What is not a plain file is refused unread.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        throw EVxError(
            error == ENOENT || error == ENOTDIR
                ? FileNotFoundMessage(fileName)
                : fileMessage(fileName, QCoreApplication::translate("RefText", "cannot be read: %1")
                                            .arg(QString::fromLocal8Bit(std::strerror(error)))));
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw EVxError(fileMessage(
            fileName,
            QCoreApplication::translate("RefText", "is %1, not a plain file, so it was not read")
                .arg(kindOf(info.st_mode))));
    }
    if (info.st_size == 0) {
        ::close(fd);
        throw EVxError(fileMessage(fileName, QCoreApplication::translate("RefText", "is empty")));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!d->file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw EVxError(
            fileMessage(fileName, QCoreApplication::translate("RefText", "cannot be read")));
    }
    checkWhole();
    owner.release();
}

TRefLineReader::~TRefLineReader() {
    delete d;
}

void TRefLineReader::checkWhole() {
    const QByteArray start = d->file.peek(4);
    const bool utf16 = start.startsWith("\xFF\xFE") || start.startsWith("\xFE\xFF") ||
                       (start.size() >= 2 && (start[0] == 0) != (start[1] == 0));
    if (utf16)
        throw EVxError(fileMessage(
            d->fileName, QCoreApplication::translate("RefText", "is UTF-16 text; save it as "
                                                                "UTF-8 text")));
    // A limit that fires stops the load: nothing of a file beyond it is used.
    qint64 lines = 0;
    char last = '\n';
    QByteArray chunk(1 << 16, Qt::Uninitialized);
    for (qint64 n; (n = d->file.read(chunk.data(), chunk.size())) > 0;) {
        lines += std::count(chunk.constBegin(), chunk.constBegin() + n, '\n');
        last = chunk[int(n - 1)];
        if (lines > MaxLines) break;
    }
    if (last != '\n') ++lines;
    if (lines > MaxLines)
        throw EVxError(fileMessage(
            d->fileName, QCoreApplication::translate("RefText", "has more than %1 lines, so it "
                                                                "was not read")
                             .arg(MaxLines)));
    if (!d->file.seek(0))
        throw EVxError(
            fileMessage(d->fileName, QCoreApplication::translate("RefText", "cannot be read")));
}

void TRefLineReader::failLine(int column, const QString& problem) const {
    const QString where = column > 0
                              ? QCoreApplication::translate("RefText", "line %1, column %2")
                                    .arg(d->lineCount)
                                    .arg(column)
                              : QCoreApplication::translate("RefText", "line %1").arg(d->lineCount);
    throw EVxError(QCoreApplication::translate("RefText", "File \"%1\", %2: %3")
                       .arg(d->fileName, where, problem));
}

bool TRefLineReader::Next(QString& line) {
    if (d->file.atEnd()) {
        if (d->file.error() != QFileDevice::NoError)
            throw EVxError(
                fileMessage(d->fileName, QCoreApplication::translate("RefText", "cannot be read")));
        return false;
    }
    // One byte more than allowed, plus room for the line break, tells an
    // over-long line from one that just fits; one more holds the final NUL.
    d->buffer.resize(MaxLineBytes + 4);
    const qint64 length = d->file.readLine(d->buffer.data(), d->buffer.size());
    ++d->lineCount;
    if (length < 0) failLine(0, QCoreApplication::translate("RefText", "cannot be read"));
    QByteArray bytes(d->buffer.constData(), length);
    const QString tooLong =
        QCoreApplication::translate("RefText",
                                    "the line is longer than %1 bytes; is this a reference file?")
            .arg(MaxLineBytes);
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    else if (!d->file.atEnd())
        failLine(0, tooLong);
    if (bytes.endsWith('\r')) bytes.chop(1);
    if (bytes.size() > MaxLineBytes) failLine(0, tooLong);
    if (d->lineCount == 1 && bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if ((c < 0x20 && c != '\t') || c == 0x7F)
            failLine(fieldAt(bytes, i),
                     QCoreApplication::translate("RefText",
                                                 "byte 0x%1 is no text; is this a reference file?")
                         .arg(c, 2, 16, QLatin1Char('0')));
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    line = decoder.decode(bytes);
    if (decoder.hasError()) {
        const qsizetype bad = firstNonUtf8(bytes);
        failLine(fieldAt(bytes, bad),
                 QCoreApplication::translate(
                     "RefText", "the text is not UTF-8 (byte 0x%1); save the file as UTF-8 text")
                     .arg(static_cast<unsigned char>(bytes.at(bad)), 2, 16, QLatin1Char('0')));
    }
    return true;
}

// ---------------------------------------------------------------------------

TRefTextLoader::TRefTextLoader(const QString& folder, TVxDataPrompts prompts)
    : m_folder(folder), m_prompts(std::move(prompts)) {}

QString TRefTextLoader::PathOf(const QString& fileName) const {
    return m_folder.isEmpty() ? fileName : QDir(m_folder).filePath(fileName);
}

template <class F> void TRefTextLoader::eachLine(const QString& fileName, F&& perLine) const {
    int lineNo = 0;
    try {
        TRefLineReader reader(PathOf(fileName), fileName);
        QString line;
        while (reader.Next(line)) {
            ++lineNo;
            perLine(line);
        }
    } catch (const ERefFieldError& e) {
        report(QCoreApplication::translate("RefText", "File \"%1\", line %2, %3")
                   .arg(fileName)
                   .arg(lineNo)
                   .arg(e.message()));
    } catch (const EVxError& e) {
        report(e.message());
    } catch (const std::exception&) {
        report(FileNotFoundMessage(fileName));
    }
}

void TRefTextLoader::report(const QString& message) const {
    if (m_reported.contains(message)) return;
    m_reported << message;
    m_prompts.Error(message);
}

QStringList TRefTextLoader::ReadTextLines(const QString& fileName) const {
    QStringList lines;
    eachLine(fileName, [&](const QString& line) { lines << line; });
    return lines;
}

namespace {
// What the loom-type table needs of one FabricType line, worked out once.
struct TFabricLine {
    QString fabricKey; // structure, colour, " : ", weft colour
    QString warpType, warpCol;
    int exactWarp = 0; // the same number for the same warp type and colour
    int warpEntry = 0; // the same number for warp keys equal ignoring case
};

// The loom-type build, indexed so that each file line is visited a bounded
// number of times however many warps and loom types there are.
class TLoomTypeIndex {
public:
    TLoomTypeIndex(const QStringList& struLines, const QStringList& fabricLines) {
        for (const QString& line : struLines)
            m_strusOfType[GetCsvField(line, 2)] << GetCsvField(line, 1);
        QHash<QString, int> exactWarps, warpEntries;
        m_fabrics.reserve(size_t(fabricLines.size()));
        for (const QString& line : fabricLines) {
            TFabricLine f;
            const QString stru = GetCsvField(line, 1);
            f.fabricKey = MakeFabricKey(stru, GetCsvField(line, 2), GetCsvField(line, 7));
            f.warpType = GetCsvField(line, 3);
            f.warpCol = GetCsvField(line, 4);
            // A line break never occurs inside a field: it separates them.
            f.exactWarp = numberOf(exactWarps, f.warpType + QLatin1Char('\n') + f.warpCol);
            f.warpEntry =
                numberOf(warpEntries, TWarpList::FoldedKey(MakeWarpKey(f.warpType, f.warpCol)));
            m_linesOfStru[TFabricList::FoldedKey(stru)].push_back(int(m_fabrics.size()));
            m_fabrics.push_back(std::move(f));
        }
    }

    // Warps of one loom type in order of first appearance; each warp's
    // fabrics are the lines of a structure the type weaves (ignoring case)
    // with exactly the warp's type and colour, in line order.
    TWarpList WarpListOf(const QString& loomType) const {
        const std::vector<int> lines = linesWovenOn(loomType);
        std::unordered_map<int, QStringList> fabricsOf; // by exact warp
        std::vector<int> warpOrder;                     // a line per warp entry
        std::unordered_set<int> entries;
        fabricsOf.reserve(lines.size());
        entries.reserve(lines.size());
        for (int i : lines) {
            const TFabricLine& f = m_fabrics[size_t(i)];
            fabricsOf[f.exactWarp] << f.fabricKey;
            if (entries.insert(f.warpEntry).second) warpOrder.push_back(i);
        }
        TWarpList warps;
        for (int i : warpOrder) {
            const TFabricLine& f = m_fabrics[size_t(i)];
            auto fabrics = std::make_unique<TFabricList>();
            for (const QString& key : fabricsOf[f.exactWarp])
                fabrics->Add(key);
            warps.Add(MakeWarpKey(f.warpType, f.warpCol), std::move(fabrics));
        }
        return warps;
    }

private:
    // The number of key in numbers, a new one for a new key.
    static int numberOf(QHash<QString, int>& numbers, const QString& key) {
        auto it = numbers.find(key);
        if (it == numbers.end()) it = numbers.insert(key, int(numbers.size()));
        return *it;
    }

    // FabricType lines whose structure a StruLoom line gives to loomType
    // (exact match of the type), in line order, each once.
    std::vector<int> linesWovenOn(const QString& loomType) const {
        std::vector<int> lines;
        const auto strus = m_strusOfType.find(loomType);
        if (strus == m_strusOfType.end()) return lines;
        std::set<QString> seen;
        for (const QString& stru : strus->second) {
            const QString folded = TFabricList::FoldedKey(stru);
            if (!seen.insert(folded).second) continue;
            const auto it = m_linesOfStru.find(folded);
            if (it != m_linesOfStru.end())
                lines.insert(lines.end(), it->second.begin(), it->second.end());
        }
        std::sort(lines.begin(), lines.end());
        return lines;
    }

    std::map<QString, QStringList> m_strusOfType;
    std::map<QString, std::vector<int>> m_linesOfStru; // folded structure -> lines
    std::vector<TFabricLine> m_fabrics;
};
} // namespace

TLoomTypeList TRefTextLoader::BuildLoomTypes() const {
    const QStringList struLines = ReadTextLines(StruLoomFile); // read first: message order
    const TLoomTypeIndex index(struLines, ReadTextLines(FabricTypeFile));
    TLoomTypeList loomTypes;
    eachLine(LoomSpecFile, [&](const QString& line) {
        const QString type = GetCsvField(line, 3);
        if (type.isEmpty() || loomTypes.Contains(type)) return;
        loomTypes.Add(type, std::make_unique<TWarpList>(index.WarpListOf(type)));
    });
    return loomTypes;
}

TWarpInfoList TRefTextLoader::BuildWarpInfos() const {
    TWarpInfoList warpInfos;
    eachLine(WarpTypeFile, [&](const QString& line) {
        const QStringList f = CommaTerminatedFields(line);
        if (f.isEmpty()) return;
        TWarpInfo* info = warpInfos.Object(warpInfos.Add(f[0], std::make_unique<TWarpInfo>()));
        // Fields convert one by one, so a failure keeps those before it.
        if (f.size() > 1) info->TotalEnds = refInt(f, 2, QStringLiteral("TOTALENDS"));
        if (f.size() > 2) info->DentsPerCm = float(refDouble(f, 3, QStringLiteral("DENTSPERCM")));
        if (f.size() > 3) info->AveHrs = float(refDouble(f, 4, QStringLiteral("AVEHRS")));
        // Scaled before narrowing: a single-precision percentage times 0.01
        // can miss the nearest single value of the fraction (90.1 -> 0.901).
        if (f.size() > 4)
            info->GreigeFraction =
                static_cast<float>(refDouble(f, 5, QStringLiteral("GREIGELENPERCENT")) * 0.01);
        if (f.size() > 5) info->WarpLen = refInt(f, 6, QStringLiteral("WARPLEN"));
        if (f.size() > 6) info->WarpWgt = float(refDouble(f, 7, QStringLiteral("WARPWGT")));
    });
    return warpInfos;
}

TFabricInfoList TRefTextLoader::BuildFabricInfos() const {
    TFabricInfoList fabricInfos;
    eachLine(FabricTypeFile, [&](const QString& line) {
        const QStringList f = CommaTerminatedFields(line);
        if (f.isEmpty() || fabricInfos.Contains(f[0])) return; // the first line decides
        TFabricInfo* info =
            fabricInfos.Object(fabricInfos.Add(f[0], std::make_unique<TFabricInfo>()));
        if (f.size() > 7) info->PieceLen = refInt(f, 8, QStringLiteral("PIECELEN"));
        if (f.size() > 8) info->WarpPceWgt = float(refDouble(f, 9, QStringLiteral("WARPPCEWGT")));
        if (f.size() > 9) info->WeftPceWgt = float(refDouble(f, 10, QStringLiteral("WEFTPCEWGT")));
        if (f.size() > 10)
            info->HrsPerPiece = float(refDouble(f, 11, QStringLiteral("HRSPERPIECE")));
    });
    return fabricInfos;
}

TDowntimeList TRefTextLoader::BuildDowntimeTypes() const {
    TDowntimeList downtimes;
    eachLine(DowntimeTypeFile, [&](const QString& line) {
        QString descr = line;
        if (descr.endsWith(QLatin1Char(','))) descr.chop(1);
        if (!descr.isEmpty()) downtimes.Add(descr); // an empty line describes nothing
    });
    return downtimes;
}

std::vector<TLoomRecord> TRefTextLoader::ReadLoomRecords() const {
    std::vector<TLoomRecord> looms;
    eachLine(LoomSpecFile, [&](const QString& line) {
        if (line.isEmpty()) return; // a blank line is no loom
        looms.push_back(TLoomRecord{RefIntField(line, 2, QStringLiteral("POSN")),
                                    GetCsvField(line, 3), GetCsvField(line, 4)});
    });
    return looms;
}
