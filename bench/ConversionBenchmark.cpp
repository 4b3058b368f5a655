// Converting 1,000 maps of 2,000 lines (edition "u": structure and fix pass) against copying
// the same tree with cp -r.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchFolder.h"
#include "controls/Controls.h"
#include "conversion/FixGalaxies.h"
#include "platform/CodePages.h"
#include "platform/FileSystem.h"
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
    std::vector<std::string> maps;  // relative to a copy of the tree
    int copies = 0;

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
                maps.push_back((sub.filename() / name).string());
            }
        }
        fs::current_path(templates);
    }

    // A folder that no run has used yet. Every run works on new files: ext4 is slow to hand
    // out inodes right after many were freed, which would time the file system, not us.
    fs::path FreshFolder() { return fs::path(folder.Path()) / ("copy" + std::to_string(copies++)); }

    // A fresh copy of the maps, and its galaxy list.
    std::vector<std::string> FreshWork() {
        const fs::path work = FreshFolder();
        fs::copy(pristine, work, fs::copy_options::recursive);
        std::vector<std::string> galaxyList;
        for (const auto& map : maps) {
            galaxyList.push_back((work / map).string());
        }
        galaxyList.emplace_back();
        return galaxyList;
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
        const std::vector<std::string> galaxyList = tree.FreshWork();
        ::sync();  // the copy's writeback must not land in the timed part
        TemplateState templates{SystemCodePage(kWesternCodePage)};
        Label label4("0"), label8("0");
        TextBox text2;
        Busy busy;
        state.ResumeTiming();
        const auto result =
            FixGalaxies(tree.disk, templates, ConversionSettings{"u", false}, galaxyList,
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
    for (auto _ : state) {
        state.PauseTiming();
        const std::string command =
            "cp -r '" + tree.pristine.string() + "' '" + tree.FreshFolder().string() + "'";
        ::sync();
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
