// Converting 1,000 maps of 2,000 lines (edition "u": structure and fix pass) against copying
// the same tree with cp -r.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchFolder.h"
#include "controls/BusyGuard.h"
#include "controls/Label.h"
#include "controls/TextBox.h"
#include "conversion/FixGalaxies.h"
#include "conversion/LineFiles.h"
#include "platform/posix/PosixFileSystem.h"

namespace galemend {
namespace {

namespace fs = std::filesystem;

constexpr int kFolders = 20;
constexpr int kMapsPerFolder = 50;
constexpr int kBlocksPerMap = 399;  // five lines each, after a two-line header

std::string Text(std::initializer_list<std::string> lines) {
    std::string text;
    for (const auto& line : lines) {
        AppendLine(text, line);
    }
    return text;
}

struct Tree {
    BenchFolder folder;
    PosixFileSystem disk;
    fs::path pristine = fs::path(folder.Path()) / "pristine";
    fs::path work = fs::path(folder.Path()) / "work";
    std::vector<std::string> galaxyList;

    Tree() {
        fs::create_directories(pristine);
        const fs::path templates = folder.Path();
        disk.WriteFile((templates / "unewstruct0.txt").string(), Text({"N", "format 5"}));
        disk.WriteFile((templates / "uoldstruct4.txt").string(),
                       Text({"T", "fmt$1", "format", "ship$4", "name", "size", "owner", "speed"}));
        disk.WriteFile((templates / "unewstruct4.txt").string(),
                       Text({"T", "fmt$1", "format 5", "ship$5", "name &", "size ##", "owner #",
                             "speed ##", "armor 0"}));
        disk.WriteFile((templates / "uoldstructfix5.txt").string(),
                       Text({"F", "grp$3", "size", "owner", "speed"}));
        disk.WriteFile((templates / "unewstructfix5.txt").string(),
                       Text({"F", "grp$3", "size ##", "owner #", "speed ##"}));

        std::string map = Text({"galaxy", "format 4"});
        for (int b = 0; b < kBlocksPerMap; ++b) {
            AppendLine(map, "name Ship number " + std::to_string(b));
            AppendLine(map, "size 12");
            AppendLine(map, "owner 3");
            AppendLine(map, "speed 40");
            AppendLine(map, "; a comment about ship " + std::to_string(b));
        }
        for (int f = 0; f < kFolders; ++f) {
            const fs::path sub = pristine / ("sector" + std::to_string(f));
            fs::create_directories(sub);
            for (int m = 0; m < kMapsPerFolder; ++m) {
                const std::string name = "map" + std::to_string(m) + ".galaxy";
                disk.WriteFile((sub / name).string(), map);
                galaxyList.push_back((work / sub.filename() / name).string());
            }
        }
        galaxyList.emplace_back();
        fs::current_path(templates);
    }

    void ResetWork() const {
        fs::remove_all(work);
        fs::copy(pristine, work, fs::copy_options::recursive);
    }
};

Tree& Shared() {
    static Tree tree;
    return tree;
}

void BM_ConvertThousandMaps(benchmark::State& state) {
    Tree& tree = Shared();
    for (auto _ : state) {
        state.PauseTiming();
        tree.ResetWork();
        TemplateState templates;
        Label label4("0"), label8("0");
        TextBox text2;
        Busy busy;
        state.ResumeTiming();
        const auto result =
            FixGalaxies(tree.disk, templates, ConversionSettings{"u", false}, tree.galaxyList,
                        ConversionControls{label4, label8, text2, busy});
        if (!result || result->converted != kFolders * kMapsPerFolder) {
            state.SkipWithError("the maps were not all converted");
        }
    }
    state.SetItemsProcessed(state.iterations() * kFolders * kMapsPerFolder);
}
BENCHMARK(BM_ConvertThousandMaps)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_CopyTreeWithCp(benchmark::State& state) {
    Tree& tree = Shared();
    const std::string command =
        "cp -r '" + tree.pristine.string() + "' '" + tree.work.string() + "'";
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(tree.work);
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("cp failed");
        }
    }
    state.SetItemsProcessed(state.iterations() * kFolders * kMapsPerFolder);
}
BENCHMARK(BM_CopyTreeWithCp)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace galemend
