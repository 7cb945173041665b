#include "RefText.h"

#include "VxAbort.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStringDecoder>
#include <cmath>
#include <limits>

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
    if (!ok) throw EVxError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

double CsvToDouble(const QString& text) {
    QString point = QLocale().decimalPoint();
    if (point.isEmpty()) point = QStringLiteral(".");
    QString plain = text.trimmed();
    // A "." is only a decimal point where the user's settings say so.
    bool ok = point == QLatin1String(".") || !plain.contains(QLatin1Char('.'));
    plain.replace(point, QStringLiteral("."));
    double value = 0;
    if (ok) value = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
        throw EVxError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return value;
}

float CsvToFloat(const QString& text) {
    return static_cast<float>(CsvToDouble(text));
}

QString FileNotFoundMessage(const QString& fileName) {
    return QStringLiteral("File \"%1\" not found").arg(fileName);
}

// ---------------------------------------------------------------------------

class TRefLineReader::Impl {
public:
    QFile file;
    QString fileName;
    int lineCount = 0;
};

TRefLineReader::TRefLineReader(const QString& path, const QString& fileName) : d(new Impl) {
    d->file.setFileName(path);
    d->fileName = fileName;
    if (QFileInfo(path).isDir() || !d->file.open(QIODevice::ReadOnly)) {
        delete d;
        throw EVxError(FileNotFoundMessage(fileName));
    }
}

TRefLineReader::~TRefLineReader() {
    delete d;
}

void TRefLineReader::fail() const {
    throw EVxError(FileNotFoundMessage(d->fileName));
}

bool TRefLineReader::Next(QString& line) {
    if (d->file.atEnd()) {
        if (d->file.error() != QFileDevice::NoError) fail();
        return false;
    }
    // One byte more than allowed, plus room for the line break, tells an
    // over-long line from one that just fits.
    const QByteArray raw = d->file.readLine(MaxLineBytes + 3);
    if (raw.isEmpty() && d->file.error() != QFileDevice::NoError) fail();
    if (++d->lineCount > MaxLines) fail();
    QByteArray bytes = raw;
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    else if (!d->file.atEnd())
        fail(); // line longer than the limit
    if (bytes.endsWith('\r')) bytes.chop(1);
    if (bytes.size() > MaxLineBytes) fail();
    if (d->lineCount == 1 && bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    for (char c : bytes)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) fail();
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    line = decoder.decode(bytes);
    if (decoder.hasError()) fail();
    return true;
}

// ---------------------------------------------------------------------------

TRefTextLoader::TRefTextLoader(const QString& folder, TVxDataPrompts prompts)
    : m_folder(folder), m_prompts(std::move(prompts)) {}

QString TRefTextLoader::PathOf(const QString& fileName) const {
    return m_folder.isEmpty() ? fileName : QDir(m_folder).filePath(fileName);
}

template <class F> void TRefTextLoader::eachLine(const QString& fileName, F&& perLine) const {
    try {
        TRefLineReader reader(PathOf(fileName), fileName);
        QString line;
        while (reader.Next(line))
            perLine(line);
    } catch (const std::exception&) {
        m_prompts.Error(FileNotFoundMessage(fileName));
    }
}

QStringList TRefTextLoader::ReadTextLines(const QString& fileName) const {
    QStringList lines;
    eachLine(fileName, [&](const QString& line) { lines << line; });
    return lines;
}

namespace {
// Fabric keys of the FabricType lines whose structure is in strus and whose
// warp is (warpType, warpCol), in line order; duplicates kept.
TFabricList fabricListOf(const QStringList& fabricLines, const QStringList& strus,
                         const QString& warpType, const QString& warpCol) {
    TFabricList fabrics;
    for (const QString& line : fabricLines) {
        if (!strus.contains(GetCsvField(line, 1), Qt::CaseInsensitive)) continue;
        if (GetCsvField(line, 3) != warpType || GetCsvField(line, 4) != warpCol) continue;
        fabrics.Add(
            MakeFabricKey(GetCsvField(line, 1), GetCsvField(line, 2), GetCsvField(line, 7)));
    }
    return fabrics;
}

TWarpList warpListOf(const QString& loomType, const QStringList& struLines,
                     const QStringList& fabricLines) {
    QStringList strus;
    for (const QString& line : struLines)
        if (GetCsvField(line, 2) == loomType) strus << GetCsvField(line, 1);

    TWarpList warps;
    for (const QString& line : fabricLines) {
        if (!strus.contains(GetCsvField(line, 1), Qt::CaseInsensitive)) continue;
        const QString warpType = GetCsvField(line, 3);
        const QString warpCol = GetCsvField(line, 4);
        const QString key = MakeWarpKey(warpType, warpCol);
        if (warps.Contains(key)) continue;
        warps.Add(key, std::make_unique<TFabricList>(
                           fabricListOf(fabricLines, strus, warpType, warpCol)));
    }
    return warps;
}
} // namespace

TLoomTypeList TRefTextLoader::BuildLoomTypes() const {
    const QStringList struLines = ReadTextLines(StruLoomFile);
    const QStringList fabricLines = ReadTextLines(FabricTypeFile);
    TLoomTypeList loomTypes;
    eachLine(LoomSpecFile, [&](const QString& line) {
        const QString type = GetCsvField(line, 3);
        if (type.isEmpty() || loomTypes.Contains(type)) return;
        loomTypes.Add(type, std::make_unique<TWarpList>(warpListOf(type, struLines, fabricLines)));
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
        if (f.size() > 1) info->TotalEnds = CsvToInt(f[1]);
        if (f.size() > 2) info->DentsPerCm = CsvToFloat(f[2]);
        if (f.size() > 3) info->AveHrs = CsvToFloat(f[3]);
        // Scaled before narrowing: a single-precision percentage times 0.01
        // can miss the nearest single value of the fraction (90.1 -> 0.901).
        if (f.size() > 4) info->GreigeFraction = static_cast<float>(CsvToDouble(f[4]) * 0.01);
        if (f.size() > 5) info->WarpLen = CsvToInt(f[5]);
        if (f.size() > 6) info->WarpWgt = CsvToFloat(f[6]);
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
        if (f.size() > 7) info->PieceLen = CsvToInt(f[7]);
        if (f.size() > 8) info->WarpPceWgt = CsvToFloat(f[8]);
        if (f.size() > 9) info->WeftPceWgt = CsvToFloat(f[9]);
        if (f.size() > 10) info->HrsPerPiece = CsvToFloat(f[10]);
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
        looms.push_back(TLoomRecord{CsvToInt(GetCsvField(line, 2)), GetCsvField(line, 3),
                                    GetCsvField(line, 4)});
    });
    return looms;
}
