// SPDX-License-Identifier: GPL-3.0-or-later
// Reference tables from the text files: key splits, field reading, the four
// builders with their messages, bad input, and the shipped sample files.

#include "RefText.h"
#include "VxPromptLog.h"
#include "VxTestDb.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <set>
#include <sys/stat.h>

using vxtest::samplesDir;

namespace {
// The loom-type table read the plain way, each step a scan of the lines:
// the yardstick for the indexed build.
QList<QPair<QString, QList<QPair<QString, QStringList>>>>
plainLoomTypes(const QStringList& loomLines, const QStringList& struLines,
               const QStringList& fabricLines) {
    QList<QPair<QString, QList<QPair<QString, QStringList>>>> types;
    auto has = [](const auto& list, const QString& key) {
        for (const auto& entry : list)
            if (QString::compare(entry.first, key, Qt::CaseInsensitive) == 0) return true;
        return false;
    };
    for (const QString& loomLine : loomLines) {
        const QString type = GetCsvField(loomLine, 3);
        if (type.isEmpty() || has(types, type)) continue;
        QStringList strus;
        for (const QString& line : struLines)
            if (GetCsvField(line, 2) == type) strus << GetCsvField(line, 1);
        QList<QPair<QString, QStringList>> warps;
        for (const QString& line : fabricLines) {
            if (!strus.contains(GetCsvField(line, 1), Qt::CaseInsensitive)) continue;
            const QString key = MakeWarpKey(GetCsvField(line, 3), GetCsvField(line, 4));
            if (has(warps, key)) continue;
            QStringList fabrics;
            for (const QString& other : fabricLines)
                if (strus.contains(GetCsvField(other, 1), Qt::CaseInsensitive) &&
                    GetCsvField(other, 3) == GetCsvField(line, 3) &&
                    GetCsvField(other, 4) == GetCsvField(line, 4))
                    fabrics << MakeFabricKey(GetCsvField(other, 1), GetCsvField(other, 2),
                                             GetCsvField(other, 7));
            warps.append({key, fabrics});
        }
        types.append({type, warps});
    }
    return types;
}
} // namespace

class TstRefText : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    TVxPromptLog m_log; // what the loaders showed, since init()

    void write(const QString& name, const QByteArray& content) {
        QFile f(m_dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }
    TRefTextLoader loader() { return TRefTextLoader(m_dir.path(), m_log.prompts()); }

private slots:
    void init() {
        m_log.clear();
        for (const QString& name : QDir(m_dir.path()).entryList(QDir::Files | QDir::System))
            QFile::remove(m_dir.filePath(name));
        for (const QString& name : QDir(m_dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            QDir(m_dir.filePath(name)).removeRecursively();
    }

    void warpKeySplits_data();
    void warpKeySplits();
    void fabricKeySplits_data();
    void fabricKeySplits();
    void csvFields_data();
    void csvFields();
    void keyListLookups();
    void keyListFoldsCaseLikeCompare_data();
    void keyListFoldsCaseLikeCompare();

    void warpInfosReadCommaTerminated_data();
    void warpInfosReadCommaTerminated();
    void warpInfosUseUserDecimalSeparator();
    void fabricInfosFirstLineDecides();
    void loomTypesFollowTheFiles();
    void loomTypesMatchLineByLineReading_data();
    void loomTypesMatchLineByLineReading();
    void loomRecordsInLineOrder();
    void downtimeDescriptions();

    void allFilesMissingGivesMessagesInOrder();
    void badInputEndsReadingAndKeepsWhatWasRead_data();
    void badInputEndsReadingAndKeepsWhatWasRead();
    void outOfRangeNumbersNameFileLineAndColumn_data();
    void outOfRangeNumbersNameFileLineAndColumn();

    void samplesLoadCleanly();
    void samplesReachEveryRule();
};

void TstRefText::warpKeySplits_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("col");
    QTest::newRow("plain") << "A-WHT"
                           << "A"
                           << "WHT";
    QTest::newRow("no hyphen") << "AWHT"
                               << ""
                               << "";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
    QTest::newRow("second hyphen stays in colour") << "A-WH-T"
                                                   << "A"
                                                   << "WH-T";
    QTest::newRow("caption keeps the blank") << "A-WHT 3000m"
                                             << "A"
                                             << "WHT ";
    QTest::newRow("hyphen last") << "AB-"
                                 << "AB"
                                 << "";
}

void TstRefText::warpKeySplits() {
    QFETCH(QString, key);
    QFETCH(QString, type);
    QFETCH(QString, col);
    QCOMPARE(WarpTypeOf(key), type);
    QCOMPARE(WarpColOf(key), col);
}

void TstRefText::fabricKeySplits_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stru");
    QTest::addColumn<QString>("col");
    QTest::addColumn<QString>("weft");
    QTest::newRow("one-char structure") << MakeFabricKey("B", "001", "NAT") << "B"
                                        << "001"
                                        << "NAT";
    QTest::newRow("two-char structure") << MakeFabricKey("BX", "RED", "NAT") << "BX"
                                        << "RED"
                                        << "NAT";
    QTest::newRow("uppercase colour reads as structure") << MakeFabricKey("B", "RED", "NAT") << "BR"
                                                         << "ED"
                                                         << "NAT";
    QTest::newRow("lowercase second letter") << "Bred : NAT"
                                             << "B"
                                             << "red"
                                             << "NAT";
    QTest::newRow("empty colour") << "BX : NAT"
                                  << "BX"
                                  << ""
                                  << "NAT";
    QTest::newRow("no separator") << "B001"
                                  << "B"
                                  << "001"
                                  << "";
    QTest::newRow("weft with blanks") << "P001 : NAT : X"
                                      << "P"
                                      << "001"
                                      << "NAT : X";
    QTest::newRow("single char") << "P"
                                 << "P"
                                 << ""
                                 << "";
    QTest::newRow("empty") << ""
                           << ""
                           << ""
                           << "";
}

void TstRefText::fabricKeySplits() {
    QFETCH(QString, key);
    QFETCH(QString, stru);
    QFETCH(QString, col);
    QFETCH(QString, weft);
    QCOMPARE(FabricStruOf(key), stru);
    QCOMPARE(FabricColOf(key), col);
    QCOMPARE(WeftColOf(key), weft);
}

void TstRefText::csvFields_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("byPosition"); // fields 1..4
    QTest::addColumn<QStringList>("terminated");
    QTest::newRow("trailing comma")
        << "a,b,c," << QStringList{"a", "b", "c", ""} << QStringList{"a", "b", "c"};
    QTest::newRow("no trailing comma")
        << "a,b,c" << QStringList{"a", "b", "c", ""} << QStringList{"a", "b"};
    QTest::newRow("blanks kept") << " a , b" << QStringList{" a ", " b", "", ""}
                                 << QStringList{" a "};
    QTest::newRow("empty fields") << ",,x" << QStringList{"", "", "x", ""} << QStringList{"", ""};
    QTest::newRow("empty line") << "" << QStringList{"", "", "", ""} << QStringList{};
}

void TstRefText::csvFields() {
    QFETCH(QString, line);
    QFETCH(QStringList, byPosition);
    for (int n = 1; n <= 4; ++n)
        QCOMPARE(GetCsvField(line, n), byPosition[n - 1]);
    QFETCH(QStringList, terminated);
    QCOMPARE(CommaTerminatedFields(line), terminated);
}

void TstRefText::keyListLookups() {
    TVxKeyList<TWarpInfo> list;
    auto first = std::make_unique<TWarpInfo>();
    first->TotalEnds = 1;
    TWarpInfo* firstPtr = first.get();
    list.Add("A-WHT", std::move(first));
    list.Add("a-wht", std::make_unique<TWarpInfo>());
    list.Add("B-NAT");
    QCOMPARE(list.IndexOf("a-WhT"), 0);
    QCOMPARE(list.Find("A-wht"), firstPtr);
    QCOMPARE(list.IndexOf("B-NAT"), 2);
    QCOMPARE(list.Object(2), nullptr);
    QCOMPARE(list.IndexOf("C"), -1);
    QCOMPARE(list.Find("C"), nullptr);
    QVERIFY_THROWS_EXCEPTION(EVxListIndexError, list.Key(3));
    QVERIFY_THROWS_EXCEPTION(EVxListIndexError, list.Object(-1));
}

void TstRefText::warpInfosReadCommaTerminated_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("ends");
    QTest::addColumn<float>("greige");
    QTest::addColumn<int>("len");
    QTest::addColumn<float>("wgt");
    QTest::newRow("every field followed by a comma")
        << QByteArray("A,1200,6.5,2.5,95,3000,150,\n") << 1200 << 0.95f << 3000 << 150.0f;
    QTest::newRow("CRLF") << QByteArray("A,1200,6.5,2.5,95,3000,150,\r\n") << 1200 << 0.95f << 3000
                          << 150.0f;
    QTest::newRow("no trailing comma loses WARPWGT")
        << QByteArray("A,1200,6.5,2.5,95,3000,150") << 1200 << 0.95f << 3000 << 0.0f;
    QTest::newRow("percentage keeps decimals")
        << QByteArray("A,1200,6.5,2.5,94.5,3000,150,") << 1200 << 0.945f << 3000 << 150.0f;
    // The nearest single value of 0.901, not that of 90.1f * 0.01f.
    QTest::newRow("percentage scaled before narrowing")
        << QByteArray("A,1200,6.5,2.5,90.1,3000,150,") << 1200 << 0.901f << 3000 << 150.0f;
    QTest::newRow("extra fields ignored")
        << QByteArray("A,1200,6.5,2.5,95,3000,150,x,y,") << 1200 << 0.95f << 3000 << 150.0f;
    QTest::newRow("type only") << QByteArray("A,") << 0 << 0.0f << 0 << 0.0f;
}

void TstRefText::warpInfosReadCommaTerminated() {
    QFETCH(QByteArray, content);
    write(WarpTypeFile, content);
    const TWarpInfoList warps = loader().BuildWarpInfos();
    QCOMPARE(m_log.messages.size(), 0);
    QCOMPARE(warps.Count(), 1);
    QCOMPARE(warps.Key(0), QString("A"));
    const TWarpInfo* w = warps.Object(0);
    QFETCH(int, ends);
    QFETCH(float, greige);
    QFETCH(int, len);
    QFETCH(float, wgt);
    QCOMPARE(w->TotalEnds, ends);
    // Exact: a fuzzy compare would let a wrong last bit pass.
    QVERIFY2(w->GreigeFraction == greige, qPrintable(QString::number(w->GreigeFraction, 'g', 9)));
    QCOMPARE(w->WarpLen, len);
    QCOMPARE(w->WarpWgt, wgt);
    if (w->TotalEnds) {
        QCOMPARE(w->DentsPerCm, 6.5f);
        QCOMPARE(w->AveHrs, 2.5f);
    }
}

void TstRefText::warpInfosUseUserDecimalSeparator() {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    write(WarpTypeFile, "A,1200,6;5,2;5,95,3000,150,\nB,1200,6.5,2,95,3000,150,\n");
    // Commas separate fields, so a comma-decimal user's file is unusable as
    // such; the point is that "." is not accepted as a decimal there.
    TWarpInfoList warps = loader().BuildWarpInfos();
    QLocale::setDefault(saved);
    QCOMPARE(m_log.messages, QStringList{"File \"WarpType.csv\", line 1, column 3 (DENTSPERCM): "
                                         "\"6;5\" is not a number"});
    QCOMPARE(warps.Count(), 1);
    QCOMPARE(warps.Object(0)->TotalEnds, 1200);
    QCOMPARE(warps.Object(0)->DentsPerCm, 0.0f);
    QCOMPARE(CsvToFloat("6.5"), 6.5f); // back in the default locale
}

void TstRefText::fabricInfosFirstLineDecides() {
    write(FabricTypeFile, "P,001,A,WHT,40/1,Z,WHT,60,2.6,2.9,3.5,\n"
                          "p,002,A,WHT,40/1,Z,NAT,99,9,9,9,\n"
                          "BX,RED,E,WHT,16/1,Z,RED,40,2.3,2.9,2.5,\n");
    const TFabricInfoList fabrics = loader().BuildFabricInfos();
    QCOMPARE(m_log.messages.size(), 0);
    QCOMPARE(fabrics.Keys(), (QStringList{"P", "BX"}));
    QCOMPARE(fabrics.Find("p")->PieceLen, 60);
    QCOMPARE(fabrics.Find("P")->HrsPerPiece, 3.5f);
    QCOMPARE(fabrics.Find("bx")->WarpPceWgt, 2.3f);
}

void TstRefText::loomTypesFollowTheFiles() {
    write(LoomSpecFile, "1,101,RAP,Loom 1,\n"
                        "2,102,,No type,\n"
                        "3,103,AIR,Loom 3,\n"
                        "4,104,rap,Same type other case,\n"
                        "5,105,BARE,No structures,\n");
    write(StruLoomFile, "P,RAP,\nbx,RAP,\nP,AIR,\nT,air,\n");
    write(FabricTypeFile, "P,001,A,WHT,x,x,WHT,60,1,1,1,\n"
                          "T,001,A,WHT,x,x,WHT,60,1,1,1,\n"
                          "BX,red,C,BLU,x,x,NAT,60,1,1,1,\n"
                          "P,001,A,WHT,x,x,WHT,60,1,1,1,\n"
                          "P,002,A,wht,x,x,NAT,60,1,1,1,\n");
    const TLoomTypeList types = loader().BuildLoomTypes();
    QCOMPARE(m_log.messages.size(), 0);
    // Entered once at the first line; empty TYPE adds nothing; case-insensitive.
    QCOMPARE(types.Keys(), (QStringList{"RAP", "AIR", "BARE"}));

    const TWarpList* rap = types.Find("rap");
    // StruLoom structures match fabric lines ignoring case. A-wht is the
    // warp A-WHT for the list lookup, but its fabrics match the warp fields
    // exactly, so P002 of warp colour "wht" joins no list.
    QCOMPARE(rap->Keys(), (QStringList{"A-WHT", "C-BLU"}));
    QCOMPARE(rap->Find("a-wht")->Keys(), (QStringList{"P001 : WHT", "P001 : WHT"}));
    QCOMPARE(rap->Object(1)->Keys(), QStringList{"BXred : NAT"});

    // LOOMTYPE matches exactly: "air" does not give T to AIR.
    const TWarpList* air = types.Find("AIR");
    QCOMPARE(air->Keys(), QStringList{"A-WHT"});
    QCOMPARE(air->Object(0)->Keys(), (QStringList{"P001 : WHT", "P001 : WHT"}));

    QVERIFY(types.Find("BARE")->IsEmpty());
}

void TstRefText::loomRecordsInLineOrder() {
    write(LoomSpecFile, "1,101,RAP,Loom 1,extra,\r\n2,101,,No type\r\n\r\n3,7,AIR,Loom 3,\r\n");
    const std::vector<TLoomRecord> looms = loader().ReadLoomRecords();
    QCOMPARE(m_log.messages.size(), 0);
    QCOMPARE(looms.size(), size_t(3));
    QCOMPARE(looms[0].Posn, 101);
    QCOMPARE(looms[0].Descr, QString("Loom 1"));
    QCOMPARE(looms[1].Posn, 101);
    QCOMPARE(looms[1].Type, QString());
    QCOMPARE(looms[1].Descr, QString("No type"));
    QCOMPARE(looms[2].Posn, 7);
    QCOMPARE(looms[2].Type, QString("AIR"));
}

void TstRefText::downtimeDescriptions() {
    write(DowntimeTypeFile, "Repair,\nCleaning, oiling,\n\n,\nHoliday\nTwo commas,,\n");
    const TDowntimeList downs = loader().BuildDowntimeTypes();
    QCOMPARE(m_log.messages.size(), 0);
    QCOMPARE(downs.Keys(), (QStringList{"Repair", "Cleaning, oiling", "Holiday", "Two commas,"}));
}

// Each file's message comes once, though two builders read LoomSpec.csv and
// FabricType.csv.
void TstRefText::allFilesMissingGivesMessagesInOrder() {
    const TRefTextLoader l = loader();
    QVERIFY(l.BuildLoomTypes().IsEmpty());
    QVERIFY(l.BuildWarpInfos().IsEmpty());
    QVERIFY(l.BuildFabricInfos().IsEmpty());
    QVERIFY(l.BuildDowntimeTypes().IsEmpty());
    QVERIFY(l.ReadLoomRecords().empty());
    QCOMPARE(m_log.errors,
             (QStringList{"File \"StruLoom.csv\" not found", "File \"FabricType.csv\" not found",
                          "File \"LoomSpec.csv\" not found", "File \"WarpType.csv\" not found",
                          "File \"DowntimeType.csv\" not found"}));
    QCOMPARE(m_log.messages, m_log.errors);
}

// Damaged files. Each row: a file, its content (or what stands in its
// place), the one message it gives, naming what is wrong and where, and
// what the loader of that file keeps.
void TstRefText::badInputEndsReadingAndKeepsWhatWasRead_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("expected");

    const QByteArray longLine = QByteArray(TRefLineReader::MaxLineBytes + 1, 'x') + ",\n";
    static const char binaryBytes[] = "\x7f"
                                      "ELF\x02\x01\x01\x00\x00\x00,\xff\xfe\n";
    const QByteArray binary(binaryBytes, sizeof binaryBytes - 1); // without the final NUL
    const QString warp = "File \"WarpType.csv\", ";

    QTest::newRow("warp: letters in TOTALENDS")
        << WarpTypeFile << QByteArray("A,2400,7.5,2.5,95,3000,150,\nB,many,7.5,\nC,2400,\n")
        << warp + "line 2, column 2 (TOTALENDS): \"many\" is not a whole number"
        << QStringList{"A", "B"};
    QTest::newRow("warp: empty number")
        << WarpTypeFile << QByteArray("A,,7.5,\nC,1,\n")
        << warp + "line 1, column 2 (TOTALENDS): the number is missing" << QStringList{"A"};
    QTest::newRow("warp: quoted number")
        << WarpTypeFile << QByteArray("A,\"2400\",7.5,\n")
        << warp + "line 1, column 2 (TOTALENDS): \"\"2400\"\" is not a whole number"
        << QStringList{"A"};
    QTest::newRow("warp: nan") << WarpTypeFile << QByteArray("A,2400,nan,\n")
                               << warp + "line 1, column 3 (DENTSPERCM): \"nan\" is not a number"
                               << QStringList{"A"};
    QTest::newRow("warp: binary")
        << WarpTypeFile << QByteArray("A,2400,\n") + binary + "C,1,\n"
        << warp + "line 2, column 1: byte 0x7f is no text; is this a reference file?"
        << QStringList{"A"};
    QTest::newRow("warp: NUL in a number")
        << WarpTypeFile
        << QByteArray("A,24\x00"
                      "0,\n",
                      8)
        << warp + "line 1, column 2: byte 0x00 is no text; is this a reference file?"
        << QStringList{};
    QTest::newRow("warp: over-long line")
        << WarpTypeFile << QByteArray("A,2400,\n") + longLine
        << warp + "line 2: the line is longer than 8192 bytes; is this a reference file?"
        << QStringList{"A"};
    QTest::newRow("warp: Latin-1")
        << WarpTypeFile << QByteArray("A,1,\nB,1,7.5,bl\xe9,\n")
        << warp + "line 2, column 4: the text is not UTF-8 (byte 0xe9); save the file as UTF-8 text"
        << QStringList{"A"};
    QTest::newRow("warp: number too big")
        << WarpTypeFile << QByteArray("A,99999999999,\nB,1,\n")
        << warp + "line 1, column 2 (TOTALENDS): 99999999999 is out of range (0 to 1000000)"
        << QStringList{"A"};
    QTest::newRow("warp: UTF-16") << WarpTypeFile
                                  << QByteArray("\xff\xfe"
                                                "A\0,\0",
                                                6)
                                  << "File \"WarpType.csv\" is UTF-16 text; save it as UTF-8 text"
                                  << QStringList{};
    QTest::newRow("warp: empty") << WarpTypeFile << QByteArray() << "File \"WarpType.csv\" is empty"
                                 << QStringList{};
    QTest::newRow("warp: folder") << WarpTypeFile << QByteArray("<folder>")
                                  << "File \"WarpType.csv\" is a folder, not a plain file, so it "
                                     "was not read"
                                  << QStringList{};
    QTest::newRow("fabric: letters in PIECELEN")
        << FabricTypeFile
        << QByteArray("P,001,A,WHT,x,x,WHT,60,1,1,1,\nT,001,A,WHT,x,x,WHT,sixty,1,1,1,\n"
                      "S,001,A,WHT,x,x,WHT,60,1,1,1,\n")
        << "File \"FabricType.csv\", line 2, column 8 (PIECELEN): \"sixty\" is not a whole number"
        << QStringList{"P", "T"};
    QTest::newRow("fabric: truncated UTF-8 at end")
        << FabricTypeFile << QByteArray("P,001,A,WHT,x,x,WHT,60,1,1,1,\nT,\xe2\x82")
        << "File \"FabricType.csv\", line 2, column 2: the text is not UTF-8 (byte 0xe2); save "
           "the file as UTF-8 text"
        << QStringList{"P"};
    QTest::newRow("downtime: over-long")
        << DowntimeTypeFile << longLine
        << "File \"DowntimeType.csv\", line 1: the line is longer than 8192 bytes; is this a "
           "reference file?"
        << QStringList{};
    QTest::newRow("loom records: letters in POSN")
        << LoomSpecFile << QByteArray("1,101,RAP,L1,\n2,x12,RAP,L2,\n3,103,AIR,L3,\n")
        << "File \"LoomSpec.csv\", line 2, column 2 (POSN): \"x12\" is not a whole number"
        << QStringList{"L1"};
    QTest::newRow("loom records: named pipe")
        << LoomSpecFile << QByteArray("<fifo>")
        << "File \"LoomSpec.csv\" is a named pipe, not a plain file, so it was not read"
        << QStringList{};
    QTest::newRow("loom records: /dev/zero")
        << LoomSpecFile << QByteArray("<dev/zero>")
        << "File \"LoomSpec.csv\" is a device, not a plain file, so it was not read"
        << QStringList{};
    QTest::newRow("loom records: one line beyond the limit")
        << LoomSpecFile << QByteArray("1,101,RAP,L1,\n").repeated(TRefLineReader::MaxLines + 1)
        << "File \"LoomSpec.csv\" has more than 100000 lines, so it was not read" << QStringList{};
    QTest::newRow("loom types: binary in StruLoom")
        << QString("types:") + StruLoomFile << QByteArray("P,RAP,\n") + binary
        << "File \"StruLoom.csv\", line 2, column 1: byte 0x7f is no text; is this a reference "
           "file?"
        << QStringList{"RAP"};
}

void TstRefText::badInputEndsReadingAndKeepsWhatWasRead() {
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    const bool loomTypes = file.startsWith("types:");
    const QString name = loomTypes ? file.mid(6) : file;
    if (loomTypes) { // the other two loom-type files present and sound
        write(LoomSpecFile, "1,101,RAP,L1,\n");
        write(StruLoomFile, "P,RAP,\n");
        write(FabricTypeFile, "P,001,A,WHT,x,x,WHT,60,1,1,1,\n");
    }
    const QString path = m_dir.filePath(name);
    if (content == "<folder>")
        QVERIFY(QDir(m_dir.path()).mkdir(name));
    else if (content == "<fifo>")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (content == "<dev/zero>")
        QVERIFY(QFile::link("/dev/zero", path));
    else
        write(name, content);

    QStringList keys;
    const TRefTextLoader l = loader();
    if (loomTypes)
        keys = l.BuildLoomTypes().Keys();
    else if (name == WarpTypeFile)
        keys = l.BuildWarpInfos().Keys();
    else if (name == FabricTypeFile)
        keys = l.BuildFabricInfos().Keys();
    else if (name == DowntimeTypeFile)
        keys = l.BuildDowntimeTypes().Keys();
    else
        for (const TLoomRecord& r : l.ReadLoomRecords())
            keys << r.Descr;
    QFETCH(QString, message);
    QCOMPARE(m_log.messages, QStringList{message});
    QFETCH(QStringList, expected);
    QCOMPARE(keys, expected);
}

void TstRefText::keyListFoldsCaseLikeCompare_data() {
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("probes");
    QTest::newRow("ASCII") << QStringList{"A-WHT", "a-wht", "B-NAT"}
                           << QStringList{"a-WhT", "B-nat", "C", "", "A-WHT "};
    QTest::newRow("Greek sigmas") << QStringList{QString::fromUtf8("ΣΑΣ"), "x"}
                                  << QStringList{QString::fromUtf8("σας"),
                                                 QString::fromUtf8("ςασ")};
    // Sharp s folds to itself one character at a time, never to "ss".
    QTest::newRow("sharp s") << QStringList{QString::fromUtf8("STRAßE"), "STRASSE"}
                             << QStringList{QString::fromUtf8("straße"), "strasse",
                                            QString::fromUtf8("STRAẞE")};
    QTest::newRow("Kelvin sign and dotted I")
        << QStringList{QString::fromUtf8("\u212A"), QString::fromUtf8("\u0130")}
        << QStringList{"k", "K", "i", "I", QString::fromUtf8("\u0131")};
    QTest::newRow("beyond the BMP")
        << QStringList{QString::fromUtf8("\U00010400-WHT"), "Z"}
        << QStringList{QString::fromUtf8("\U00010428-wht"), QString::fromUtf8("\U00010400")};
    QTest::newRow("empty key") << QStringList{"", "A"} << QStringList{"", "a"};
}

// The index must find exactly what a front-to-back scan with the
// case-insensitive compare finds.
void TstRefText::keyListFoldsCaseLikeCompare() {
    QFETCH(QStringList, keys);
    QFETCH(QStringList, probes);
    // Short lists scan, long ones look up their index: both must agree.
    for (int fillers : {0, 40}) {
        TFabricList list;
        for (const QString& key : keys)
            list.Add(key);
        for (int i = 0; i < fillers; ++i)
            list.Add(QString("#%1").arg(i));
        for (const QString& probe : keys + probes) {
            int expected = -1;
            for (int i = 0; i < keys.size() && expected < 0; ++i)
                if (QString::compare(keys[i], probe, Qt::CaseInsensitive) == 0) expected = i;
            QVERIFY2(list.IndexOf(probe) == expected, qPrintable(probe));
        }
        if (fillers) QCOMPARE(list.IndexOf("#39"), int(keys.size()) + 39);
        list.Clear();
        QCOMPARE(list.IndexOf(keys.first()), -1);
        list.Add("again");
        QCOMPARE(list.IndexOf("AGAIN"), 0);
    }
}

void TstRefText::loomTypesMatchLineByLineReading_data() {
    QTest::addColumn<uint>("seed");
    QTest::addColumn<int>("fabricLines");
    for (uint seed : {1u, 2u, 3u, 4u})
        QTest::addRow("seed %u", seed) << seed << 300;
    QTest::newRow("no fabric lines") << 5u << 0;
}

// Random files over small alphabets with mixed letter case, so that
// structures, warp keys and loom types repeat, differ only in case and
// match or miss in every way.
void TstRefText::loomTypesMatchLineByLineReading() {
    QFETCH(uint, seed);
    QFETCH(int, fabricLines);
    QRandomGenerator random(seed);
    auto pick = [&](const QStringList& from) { return from[int(random.bounded(from.size()))]; };
    const QStringList types{"RAP", "rap", "AIR", "PRO", "Air", "", "JET"};
    const QStringList strus{"P", "p", "DB", "db", "S", "T", "BX"};
    const QStringList warpTypes{"A", "a", "B", "C"};
    const QStringList colours{"WHT", "wht", "NAT", "BLU", ""};
    QStringList loomLines, struLines, fabricLinesText;
    for (int i = 0; i < 20; ++i)
        loomLines << QString("L%1,%1,%2,Loom %1,").arg(i).arg(pick(types));
    for (int i = 0; i < 25; ++i)
        struLines << QString("%1,%2,").arg(pick(strus), pick(types));
    for (int i = 0; i < fabricLines; ++i)
        fabricLinesText << QString("%1,%2,%3,%4,x,Z,%5,60,1,1,1,")
                               .arg(pick(strus), pick(colours), pick(warpTypes), pick(colours),
                                    pick(colours));
    write(LoomSpecFile, loomLines.join('\n').toUtf8());
    write(StruLoomFile, struLines.join('\n').toUtf8());
    write(FabricTypeFile, fabricLinesText.join('\n').toUtf8());

    const TLoomTypeList built = loader().BuildLoomTypes();
    QCOMPARE(m_log.messages,
             fabricLines ? QStringList{} : QStringList{"File \"FabricType.csv\" is empty"});
    const auto expected = plainLoomTypes(loomLines, struLines, fabricLinesText);
    QCOMPARE(built.Count(), int(expected.size()));
    for (int t = 0; t < built.Count(); ++t) {
        QCOMPARE(built.Key(t), expected[t].first);
        const TWarpList* warps = built.Object(t);
        QCOMPARE(warps->Count(), int(expected[t].second.size()));
        for (int w = 0; w < warps->Count(); ++w) {
            QCOMPARE(warps->Key(w), expected[t].second[w].first);
            QCOMPARE(warps->Object(w)->Keys(), expected[t].second[w].second);
        }
    }
}

// Numbers beyond what any plant holds are refused where they are read, with
// the file, line and column; what was read before them stays.
void TstRefText::outOfRangeNumbersNameFileLineAndColumn_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("greige percentage") << WarpTypeFile
                                       << QByteArray("A,2400,7.5,2.5,95,3000,150,\n"
                                                     "B,2400,7.5,3,1e30,2500,140,\n"
                                                     "C,2640,8.25,3,93,4000,230,\n")
                                       << "File \"WarpType.csv\", line 2, column 5 "
                                          "(GREIGELENPERCENT): 1e+30 is out of range (0 to 1000)"
                                       << QStringList{"A", "B"};
    QTest::newRow("warp weight at single max")
        << WarpTypeFile << QByteArray("A,2400,7.5,2.5,95,3000,3.4e38,\n")
        << "File \"WarpType.csv\", line 1, column 7 (WARPWGT): 3.4e+38 is out of range (0 to "
           "10000000)"
        << QStringList{"A"};
    QTest::newRow("ends beyond any reed")
        << WarpTypeFile << QByteArray("A,99999999,7.5,\n")
        << "File \"WarpType.csv\", line 1, column 2 (TOTALENDS): 99999999 is out of range (0 to "
           "1000000)"
        << QStringList{"A"};
    QTest::newRow("piece weight")
        << FabricTypeFile
        << QByteArray("P,001,A,WHT,x,x,WHT,60,2.6,2.9,3.5,\nDB,WHT,A,WHT,x,x,WHT,60,3.4e38,1,1,\n")
        << "File \"FabricType.csv\", line 2, column 9 (WARPPCEWGT): 3.4e+38 is out of range (0 to "
           "1000000)"
        << QStringList{"P", "DB"};
    QTest::newRow("negative piece length")
        << FabricTypeFile << QByteArray("P,001,A,WHT,x,x,WHT,-60,2.6,2.9,3.5,\n")
        << "File \"FabricType.csv\", line 1, column 8 (PIECELEN): -60 is out of range (0 to "
           "1000000)"
        << QStringList{"P"};
    QTest::newRow("hours at the limit pass")
        << FabricTypeFile << QByteArray("P,001,A,WHT,x,x,WHT,1000000,0,0,1000000,\n") << QString()
        << QStringList{"P"};
}

void TstRefText::outOfRangeNumbersNameFileLineAndColumn() {
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QFETCH(QStringList, kept);
    write(file, content);
    const QStringList keys = file == WarpTypeFile ? loader().BuildWarpInfos().Keys()
                                                  : loader().BuildFabricInfos().Keys();
    QCOMPARE(m_log.messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(keys, kept);
}

void TstRefText::samplesLoadCleanly() {
    const TRefTextLoader l(samplesDir(), m_log.prompts());
    const TLoomTypeList types = l.BuildLoomTypes();
    const TWarpInfoList warps = l.BuildWarpInfos();
    const TFabricInfoList fabrics = l.BuildFabricInfos();
    const TDowntimeList downs = l.BuildDowntimeTypes();
    const std::vector<TLoomRecord> looms = l.ReadLoomRecords();
    QCOMPARE(m_log.messages, QStringList{});

    QVERIFY(looms.size() >= 12);
    QVERIFY(types.Count() >= 3);
    for (const TLoomRecord& loom : looms)
        QVERIFY(types.Contains(loom.Type));
    QVERIFY(warps.Count() >= 5);
    std::set<int> ends;
    for (int i = 0; i < warps.Count(); ++i) {
        const TWarpInfo* w = warps.Object(i);
        ends.insert(w->TotalEnds);
        QVERIFY2(w->WarpLen >= 2000 && w->WarpLen <= 4000, qPrintable(warps.Key(i)));
        QVERIFY(w->GreigeFraction >= 0.9f && w->GreigeFraction < 1.0f);
        QVERIFY(w->WarpWgt > 0 && w->DentsPerCm > 0 && w->AveHrs > 0);
    }
    QVERIFY(ends.size() >= 3);
    QVERIFY(downs.Count() >= 4);
    for (int i = 0; i < fabrics.Count(); ++i) {
        const TFabricInfo* f = fabrics.Object(i);
        QVERIFY(f->PieceLen >= 40 && f->PieceLen <= 120);
        QVERIFY(f->WarpPceWgt > 0 && f->WeftPceWgt > 0 && f->HrsPerPiece > 0);
    }
}

void TstRefText::samplesReachEveryRule() {
    const TRefTextLoader l(samplesDir(), m_log.prompts());
    const QStringList fabricLines = l.ReadTextLines(FabricTypeFile);
    const TLoomTypeList types = l.BuildLoomTypes();
    const TWarpInfoList warps = l.BuildWarpInfos();
    const TFabricInfoList fabrics = l.BuildFabricInfos();
    QCOMPARE(m_log.messages, QStringList{});
    QVERIFY(fabricLines.size() >= 15);

    // Rows of one structure agree on its piece data, so the text path (first
    // line decides) and the database path (first distinct row) agree.
    for (const QString& line : fabricLines) {
        const TFabricInfo* f = fabrics.Find(GetCsvField(line, 1));
        QCOMPARE(QString::number(f->PieceLen), GetCsvField(line, 8));
        QCOMPARE(f->HrsPerPiece, CsvToFloat(GetCsvField(line, 11)));
    }

    bool oneChar = false, twoChar = false, weightFirst = false;
    std::set<QString> wovenSomewhere;
    for (const QString& line : fabricLines) {
        const QString stru = GetCsvField(line, 1);
        const QString key = MakeFabricKey(stru, GetCsvField(line, 2), GetCsvField(line, 7));
        // Every fabric key splits back into the fields it was made of.
        QCOMPARE(FabricStruOf(key), stru);
        QCOMPARE(FabricColOf(key), GetCsvField(line, 2));
        QCOMPARE(WeftColOf(key), GetCsvField(line, 7));
        (stru.size() == 1 ? oneChar : twoChar) = true;

        // Warp weight per greige metre against the fabric's need per metre.
        const TWarpInfo* w = warps.Find(GetCsvField(line, 3));
        const TFabricInfo* f = fabrics.Find(stru);
        QVERIFY2(w && f, qPrintable(line));
        const double warpKgPerM = w->WarpWgt / double(w->WarpLen);
        if (f->WarpPceWgt / double(f->PieceLen) > warpKgPerM) weightFirst = true;

        bool woven = false;
        for (int t = 0; t < types.Count(); ++t) {
            const TFabricList* list =
                types.Object(t)->Find(MakeWarpKey(GetCsvField(line, 3), GetCsvField(line, 4)));
            if (list && list->Contains(key)) woven = true;
        }
        QVERIFY2(woven, qPrintable(line));
        wovenSomewhere.insert(key);
    }
    QVERIFY(oneChar && twoChar && weightFirst);

    // Some loom type cannot weave some fabric.
    bool someoneCannot = false;
    for (int t = 0; t < types.Count(); ++t) {
        size_t count = 0;
        const TWarpList* list = types.Object(t);
        for (int w = 0; w < list->Count(); ++w)
            count += size_t(list->Object(w)->Count());
        if (count < wovenSomewhere.size()) someoneCannot = true;
    }
    QVERIFY(someoneCannot);
}

QTEST_MAIN(TstRefText)
#include "tst_reftext.moc"
