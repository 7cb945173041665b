// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds the five reference files, damaged at random, to every reader: the
// text loaders, the seeding of a new database and the database loaders,
// then runs the capacity and weaving-time arithmetic over what was read.
// Built to run under the sanitizers (scripts/sanitize.sh), which report any
// memory error or undefined arithmetic; the harness itself checks that every
// failure reaches the user as one of the readers' messages.
//
//   fuzz_reffiles [iterations [first seed]]
//
// Iteration i uses seed first+i, printed on failure, so a finding replays
// with "fuzz_reffiles 1 <seed>".

#include "RefText.h"
#include "SchedData.h"
#include "VxWeaPlan.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <limits>

namespace {
// A function, not a global: the names are globals of another file.
QStringList allFiles() {
    return {LoomSpecFile, WarpTypeFile, FabricTypeFile, StruLoomFile, DowntimeTypeFile};
}

QString samplesDir() {
    const QString env = qEnvironmentVariable("PLEXIWEAVE_SAMPLES");
    return env.isEmpty() ? ShippedSamplesFolder() : env;
}

class TFuzzer {
public:
    explicit TFuzzer(quint32 seed) : m_random(seed), m_seed(seed) {}

    // Writes the five files into folder, each missing, as shipped, damaged
    // or made up.
    void writeFiles(const QString& folder) {
        for (const QString& name : allFiles()) {
            const int mode = int(m_random.bounded(20));
            if (mode == 0) continue; // missing
            QFile sample(QDir(samplesDir()).filePath(name));
            if (!sample.open(QIODevice::ReadOnly)) fail("cannot read the sample " + name);
            QByteArray content = sample.readAll();
            if (mode < 4)
                ; // as shipped
            else if (mode < 16)
                content = damaged(content);
            else
                content = madeUp();
            QFile out(QDir(folder).filePath(name));
            if (!out.open(QIODevice::WriteOnly)) fail("cannot write " + name);
            out.write(content);
        }
    }

    [[noreturn]] void fail(const QString& what) const {
        std::fprintf(stderr, "fuzz_reffiles: seed %u: %s\n", m_seed, qPrintable(what));
        std::abort();
    }

    QRandomGenerator& random() { return m_random; }

private:
    QByteArray token() {
        static const QList<QByteArray> tokens{"",
                                              ",",
                                              ",,",
                                              "\r",
                                              "\n",
                                              "\r\n",
                                              "-",
                                              "1e30",
                                              "3.4e38",
                                              "-3.4e38",
                                              "1e308",
                                              "nan",
                                              "inf",
                                              "-1",
                                              "0",
                                              "99999999999",
                                              "2147483647",
                                              "-2147483648",
                                              "0x10",
                                              "1.5",
                                              "1,5",
                                              " 7 ",
                                              "\xef\xbb\xbf",
                                              "\xff\xfe",
                                              "\xc3\x28",
                                              QByteArray(1, '\0'),
                                              "\t",
                                              "A-",
                                              " : ",
                                              "RAPIER",
                                              "P",
                                              "DB",
                                              "WHT",
                                              "a-wht",
                                              "1e-320"};
        return tokens[int(m_random.bounded(tokens.size()))];
    }

    QByteArray damaged(QByteArray content) {
        const int edits = 1 + int(m_random.bounded(8));
        for (int e = 0; e < edits; ++e) {
            const int at = content.isEmpty() ? 0 : int(m_random.bounded(content.size() + 1));
            switch (m_random.bounded(6)) {
            case 0: // flip a byte
                if (at < content.size()) content[at] = char(m_random.bounded(256));
                break;
            case 1: // insert a telling token
                content.insert(at, token());
                break;
            case 2: // cut a stretch
                content.remove(at, int(m_random.bounded(40)));
                break;
            case 3: { // repeat a line many times
                const int start = content.lastIndexOf('\n', at > 0 ? at - 1 : 0) + 1;
                const int end = content.indexOf('\n', at);
                const QByteArray line = content.mid(start, end < 0 ? -1 : end - start + 1);
                content.insert(start, line.repeated(int(m_random.bounded(200))));
                break;
            }
            case 4: // stop early
                content.truncate(at);
                break;
            default: // replace a field with a token
                content.replace(at, int(m_random.bounded(6)), token());
                break;
            }
        }
        return content;
    }

    QByteArray madeUp() {
        QByteArray content;
        const int lines = int(m_random.bounded(60));
        for (int l = 0; l < lines; ++l) {
            const int fields = int(m_random.bounded(14));
            for (int f = 0; f < fields; ++f)
                content += token() + ',';
            content += m_random.bounded(4) == 0 ? "\r\n" : "\n";
        }
        return content;
    }

    QRandomGenerator m_random;
    quint32 m_seed;
};

// Every message a reader shows names the file it was reading.
void checkMessages(TFuzzer& fuzzer, const QStringList& messages) {
    for (const QString& text : messages) {
        bool named = false;
        for (const QString& name : allFiles())
            named = named || text.startsWith(QStringLiteral("File \"%1\" ").arg(name)) ||
                    text.startsWith(QStringLiteral("File \"%1\", line ").arg(name));
        if (!named) fuzzer.fail("unexpected message: " + text);
    }
}

// Capacity, weaving time and the capacity check for each warp with each
// fabric, with ordinary and absurd piece counts and warp lengths.
void runArithmetic(TFuzzer& fuzzer, const TWarpInfoList& warps, const TFabricInfoList& fabrics) {
    TVxWeaveRefs refs;
    refs.WarpInfos = &warps;
    refs.FabricInfos = &fabrics;
    const QList<int> counts{1, 7, 1000000, std::numeric_limits<int32_t>::max(), -3};
    for (int w = 0; w < std::min(warps.Count(), 8); ++w) {
        TVxPlanJob warp;
        warp.Kind = TVxPlanJobKind::Warp;
        warp.WarpType = warps.Key(w);
        warp.WarpLen = fuzzer.random().bounded(2) ? 3000 : std::numeric_limits<int32_t>::max();
        warp.StartDate = 46000;
        warp.FinishDate = 46002;
        for (int f = 0; f < std::min(fabrics.Count(), 8); ++f) {
            const int pieces = counts[int(fuzzer.random().bounded(counts.size()))];
            warp.Items.append({f + 1, fabrics.Key(f), "001", "WHT", pieces});
            PlanWarpRemaining(warp, refs);
            StretchForWeaveTime(warp, refs);
            try {
                CheckCapacity(warp, fabrics.Key(f), pieces, refs);
            } catch (const EVxError&) {
            }
        }
    }
}

// A new database seeded from the folder, then read back as at start-up.
void runDatabase(const QString& folder) {
    TVxDbSession session(QDir(folder).filePath(QStringLiteral("none.ini")));
    TVxAlias alias;
    alias.Name = TSchedDB::DefaultAliasName;
    alias.Driver = QStringLiteral("QSQLITE");
    alias.DatabaseName = QDir(folder).filePath(QStringLiteral("fuzz.db"));
    session.AddAlias(alias);
    TSchedData data(session);
    data.SchedDB.SeedFolder = folder;
    try {
        data.SchedDB.Open();
        data.OpenScenarioTables();
        data.BuildLoomTypes();
        data.BuildWarpInfos();
        data.BuildFabricInfos();
        data.BuildDowntimeTypes();
        data.ReadLoomRecords();
        data.EndsList();
        data.ReadDefaultWarpLen();
    } catch (const EVxError&) {
        // A refused file or row is a message for the user, not a finding.
    }
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int iterations = argc > 1 ? QByteArray(argv[1]).toInt() : 200;
    const quint32 firstSeed = argc > 2 ? QByteArray(argv[2]).toUInt() : 1;
    for (int i = 0; i < iterations; ++i) {
        TFuzzer fuzzer(firstSeed + quint32(i));
        QTemporaryDir dir;
        fuzzer.writeFiles(dir.path());
        QStringList messages;
        TVxDataPrompts prompts;
        prompts.showError = [&messages](const QString& text) { messages << text; };
        const TRefTextLoader loader(dir.path(), prompts);
        const TLoomTypeList types = loader.BuildLoomTypes();
        const TWarpInfoList warps = loader.BuildWarpInfos();
        const TFabricInfoList fabrics = loader.BuildFabricInfos();
        const TDowntimeList downtimes = loader.BuildDowntimeTypes();
        const std::vector<TLoomRecord> looms = loader.ReadLoomRecords();
        checkMessages(fuzzer, messages);
        for (int t = 0; t < types.Count(); ++t) {
            const TWarpList* list = types.Object(t);
            for (int w = 0; w < list->Count(); ++w) {
                WarpTypeOf(list->Key(w));
                WarpColOf(list->Key(w));
                for (const QString& key : list->Object(w)->Keys()) {
                    FabricStruOf(key);
                    FabricColOf(key);
                    WeftColOf(key);
                }
            }
        }
        runArithmetic(fuzzer, warps, fabrics);
        if (i % 4 == 0) runDatabase(dir.path());
    }
    std::printf("fuzz_reffiles: %d iterations from seed %u, no finding\n", iterations, firstSeed);
    return 0;
}
