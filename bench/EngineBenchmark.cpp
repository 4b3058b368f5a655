// The structure pass on a 20,000-line map with a 2,000-line template pair, against reading
// and writing the same bytes unchanged, and against a pass that scans the whole template
// for every map line. CPU time is the whole process's (user + system).
#include <benchmark/benchmark.h>

#include <string>

#include "BenchFolder.h"
#include "conversion/Rewriting.h"
#include "conversion/Templates.h"
#include "platform/CodePages.h"
#include "platform/FileSystem.h"
#include "platform/posix/PosixFileSystem.h"

namespace galemend {
namespace {

constexpr int kSections = 200;
constexpr int kPatternsPerSection = 9;
constexpr int kMapBlocks = 4000;  // five map lines each

struct Fixture {
    BenchFolder folder;
    PosixFileSystem fs;
    TemplateState state{SystemCodePage(kWesternCodePage)};
    std::string mapPath = folder.Path() + "/map.galaxy";
    std::string outPath = folder.Path() + "/out.galaxy";

    Fixture() {
        LineList oldLines{"T"}, newLines{"T"};
        for (int s = 0; s < kSections; ++s) {
            const std::string key = "f" + std::to_string(s) + "k";
            oldLines.push_back("S" + std::to_string(s) + "$4");
            for (int k = 0; k < kPatternsPerSection; ++k) {
                oldLines.push_back(key + std::to_string(k) + "=");
            }
            newLines.push_back("S" + std::to_string(s) + "$5");
            newLines.push_back(key + "0= #");
            newLines.push_back(key + "1= ##");
            newLines.push_back(key + "2= &");
            newLines.push_back("const" + std::to_string(s));
            newLines.push_back(key + "3= #");
        }
        AssignOldTemplate(state, "old", std::move(oldLines));
        AssignNewTemplate(state, "new", std::move(newLines));

        std::string map;
        for (int b = 0; b < kMapBlocks; ++b) {
            const std::string key = "f" + std::to_string((b * 37) % kSections) + "k";
            AppendLine(map, key + "0=1");
            AppendLine(map, key + "1=22");
            AppendLine(map, key + "2=a longer name here");
            AppendLine(map, key + "3=4");
            AppendLine(map, "comment line " + std::to_string(b));
        }
        fs.WriteFile(mapPath, map);
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

// The buffers a conversion keeps from map to map: bytes, text, lines and output.
struct Buffers {
    std::string bytes, decoded, out, encoded;
    LineViews lines;

    const LineViews& Read(const Fixture& f) {
        f.fs.ReadFileInto(f.mapPath, bytes);
        SplitLines(f.state.codePage.Decode(bytes, decoded), lines);
        return lines;
    }
    void Write(Fixture& f) { f.fs.WriteFile(f.outPath, f.state.codePage.Encode(out, encoded)); }
};

void BM_ReadStructurePassWrite(benchmark::State& state) {
    Fixture& f = Shared();
    Buffers b;
    for (auto _ : state) {
        const LineViews& lines = b.Read(f);
        StructurePass(f.state, lines, b.out);
        b.Write(f);
    }
    state.SetItemsProcessed(state.iterations() * kMapBlocks * 5);
}
BENCHMARK(BM_ReadStructurePassWrite)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_ReadWriteUnchanged(benchmark::State& state) {
    Fixture& f = Shared();
    Buffers b;
    for (auto _ : state) {
        const LineViews& lines = b.Read(f);
        {
            // Written the way the passes write, so that only the pass's own work differs.
            LineWriter out(b.out);
            for (const auto line : lines) {
                out.Line(line);
            }
        }
        b.Write(f);
    }
    state.SetItemsProcessed(state.iterations() * kMapBlocks * 5);
}
BENCHMARK(BM_ReadWriteUnchanged)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The structure pass with the template scanned line by line for every lookup.
size_t ScanTemplate(const LineList& lines, std::string_view text) {
    size_t result = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (text.substr(0, lines[i].size()) == lines[i]) {
            result = i;
        }
    }
    return result;
}

void BM_ReadStructurePassWritePlainScan(benchmark::State& state) {
    Fixture& f = Shared();
    Buffers b;
    for (auto _ : state) {
        const LineViews& lines = b.Read(f);
        {
            LineWriter out(b.out);
            size_t j = 0;
            while (j < lines.size()) {
                const size_t t = ScanTemplate(f.state.oldTemplate->lines, lines[j]);
                if (t == 0) {
                    out.Line(lines[j++]);
                } else {
                    j += ApplyStructure(f.state, FindSection(f.state, t), j, lines, out);
                }
            }
        }
        b.Write(f);
    }
    state.SetItemsProcessed(state.iterations() * kMapBlocks * 5);
}
BENCHMARK(BM_ReadStructurePassWritePlainScan)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

// Cost per map line must not grow with the map: the same pass on a map ten times larger.
void BM_StructurePassScaling(benchmark::State& state) {
    Fixture& f = Shared();
    Buffers b;
    const LineViews& base = b.Read(f);
    LineViews lines;
    for (int64_t copy = 0; copy < state.range(0); ++copy) {
        lines.insert(lines.end(), base.begin(), base.end());
    }
    for (auto _ : state) {
        std::string out;
        StructurePass(f.state, lines, out);
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines.size()));
}
BENCHMARK(BM_StructurePassScaling)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace galemend
