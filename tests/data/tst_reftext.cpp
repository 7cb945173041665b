// Reference tables from the text files: key splits, field reading, the four
// builders with their messages, bad input, and the shipped sample files.

#include "RefText.h"
#include "VxPromptLog.h"
#include "VxTestDb.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>
#include <set>

using vxtest::samplesDir;

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
        for (const QString& name : QDir(m_dir.path()).entryList(QDir::Files))
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

    void warpInfosReadCommaTerminated_data();
    void warpInfosReadCommaTerminated();
    void warpInfosUseUserDecimalSeparator();
    void fabricInfosFirstLineDecides();
    void loomTypesFollowTheFiles();
    void loomRecordsInLineOrder();
    void downtimeDescriptions();

    void allFilesMissingGivesMessagesInOrder();
    void badInputEndsReadingAndKeepsWhatWasRead_data();
    void badInputEndsReadingAndKeepsWhatWasRead();
    void folderInPlaceOfFileIsReported();

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
    QCOMPARE(m_log.messages, QStringList{"File \"WarpType.csv\" not found"});
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

void TstRefText::allFilesMissingGivesMessagesInOrder() {
    const TRefTextLoader l = loader();
    QVERIFY(l.BuildLoomTypes().IsEmpty());
    QVERIFY(l.BuildWarpInfos().IsEmpty());
    QVERIFY(l.BuildFabricInfos().IsEmpty());
    QVERIFY(l.BuildDowntimeTypes().IsEmpty());
    QVERIFY(l.ReadLoomRecords().empty());
    QCOMPARE(
        m_log.errors,
        (QStringList{"File \"StruLoom.csv\" not found", "File \"FabricType.csv\" not found",
                     "File \"LoomSpec.csv\" not found", "File \"WarpType.csv\" not found",
                     "File \"FabricType.csv\" not found", "File \"DowntimeType.csv\" not found",
                     "File \"LoomSpec.csv\" not found"}));
    QCOMPARE(m_log.messages, m_log.errors);
}

// Each row: a file, its content, and what the loader of that file keeps.
// Every row must give exactly one message for that file.
void TstRefText::badInputEndsReadingAndKeepsWhatWasRead_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("expected");

    const QByteArray longLine = QByteArray(TRefLineReader::MaxLineBytes + 1, 'x') + ",\n";
    const QByteArray binary("\x7f"
                            "ELF\x02\x01\x01\x00\x00\x00,\xff\xfe\n",
                            16);

    QTest::newRow("warp: letters in TOTALENDS")
        << WarpTypeFile << QByteArray("A,2400,7.5,2.5,95,3000,150,\nB,many,7.5,\nC,2400,\n")
        << QStringList{"A", "B"};
    QTest::newRow("warp: empty number")
        << WarpTypeFile << QByteArray("A,,7.5,\nC,1,\n") << QStringList{"A"};
    QTest::newRow("warp: binary") << WarpTypeFile << QByteArray("A,2400,\n") + binary + "C,1,\n"
                                  << QStringList{"A"};
    QTest::newRow("warp: over-long line")
        << WarpTypeFile << QByteArray("A,2400,\n") + longLine << QStringList{"A"};
    QTest::newRow("warp: invalid UTF-8")
        << WarpTypeFile << QByteArray("A,1,\n\xc3\x28,1,\n") << QStringList{"A"};
    QTest::newRow("warp: number too big")
        << WarpTypeFile << QByteArray("A,99999999999,\nB,1,\n") << QStringList{"A"};
    QTest::newRow("warp: infinite decimal")
        << WarpTypeFile << QByteArray("A,1,inf,\nB,1,\n") << QStringList{"A"};
    QTest::newRow("fabric: letters in PIECELEN")
        << FabricTypeFile
        << QByteArray("P,001,A,WHT,x,x,WHT,60,1,1,1,\nT,001,A,WHT,x,x,WHT,sixty,1,1,1,\n"
                      "S,001,A,WHT,x,x,WHT,60,1,1,1,\n")
        << QStringList{"P", "T"};
    QTest::newRow("fabric: truncated UTF-8 at end")
        << FabricTypeFile << QByteArray("P,001,A,WHT,x,x,WHT,60,1,1,1,\nT,\xe2\x82")
        << QStringList{"P"};
    QTest::newRow("downtime: binary")
        << DowntimeTypeFile << QByteArray("Repair,\n") + binary + "Holiday,\n"
        << QStringList{"Repair"};
    QTest::newRow("downtime: over-long") << DowntimeTypeFile << longLine << QStringList{};
    QTest::newRow("loom records: letters in POSN")
        << LoomSpecFile << QByteArray("1,101,RAP,L1,\n2,x12,RAP,L2,\n3,103,AIR,L3,\n")
        << QStringList{"L1"};
    QTest::newRow("loom records: binary")
        << LoomSpecFile << QByteArray("1,101,RAP,L1,\n") + binary << QStringList{"L1"};
    QTest::newRow("loom types: binary in LoomSpec")
        << QString("types:") + LoomSpecFile << QByteArray("1,101,RAP,L1,\n") + binary
        << QStringList{"RAP"};
    QTest::newRow("loom types: binary in StruLoom")
        << QString("types:") + StruLoomFile << QByteArray("P,RAP,\n") + binary
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
    QCOMPARE(m_log.messages, QStringList{FileNotFoundMessage(name)});
    QFETCH(QStringList, expected);
    QCOMPARE(keys, expected);
}

void TstRefText::folderInPlaceOfFileIsReported() {
    QVERIFY(QDir(m_dir.path()).mkdir(WarpTypeFile));
    QVERIFY(loader().BuildWarpInfos().IsEmpty());
    QCOMPARE(m_log.messages, QStringList{FileNotFoundMessage(WarpTypeFile)});
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
