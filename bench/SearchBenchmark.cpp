// The galaxy search over a generated tree of 50,000 files in 5,000 folders, against
// `find DIR -iname '*.galaxy'` on the same tree. The search's counter "vs_find" is its time
// per search divided by find's.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/Controls.h"
#include "controls/Lists.h"
#include "discovery/FindGalaxies.h"
#include "platform/SystemProbe.h"
#include "platform/posix/PosixFileSystem.h"

extern char** environ;

namespace galemend {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kFolders = 5000;
constexpr int kFilesPerFolder = 10;
constexpr int kFanOut = 8;

// A private folder holding "tree": folders in a kFanOut-ary tree, each with kFilesPerFolder
// files, one in eight of them a map (some with the extension in capitals), a few kept copies.
class GeneratedTree {
  public:
    GeneratedTree()
        : host_(fs::temp_directory_path() / ("galemend-bench-" + std::to_string(::getpid()))) {
        const fs::path root = host_ / "tree";
        std::vector<fs::path> folders{root};
        fs::create_directories(root);
        for (int k = 1; k < kFolders; ++k) {
            const fs::path& parent = folders[static_cast<size_t>((k - 1) / kFanOut)];
            folders.push_back(parent / ((k % 3 == 0 ? "Region" : "region") + std::to_string(k)));
            fs::create_directory(folders.back());
        }
        static const char* const kExtensions[] = {".galaxy", ".txt", ".galold", ".dat",
                                                  ".bmp",    ".ini", ".GALAXY", ".log"};
        int file = 0;
        for (const fs::path& folder : folders) {
            for (int j = 0; j < kFilesPerFolder; ++j, ++file) {
                const char* extension = kExtensions[file % 8];
                maps_ += (std::string(extension) == ".galaxy" || extension[1] == 'G') ? 1 : 0;
                std::ofstream(folder / ("map" + std::to_string(file) + extension)) << "x\r\n";
            }
        }
    }
    GeneratedTree(const GeneratedTree&) = delete;
    GeneratedTree& operator=(const GeneratedTree&) = delete;
    ~GeneratedTree() {
        std::error_code ignored;
        fs::remove_all(host_, ignored);
    }

    // The folder that drive C: stands for; the tree is C:\tree.
    std::string DriveFolder() const { return host_.string(); }
    std::string HostTree() const { return (host_ / "tree").string(); }
    size_t Maps() const { return maps_; }

  private:
    fs::path host_;
    size_t maps_ = 0;
};

const GeneratedTree& Tree() {
    static const GeneratedTree tree;
    return tree;
}

// Seconds for one run of find over the tree, its output thrown away.
double RunFind(const std::string& folder) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = "find";
    std::string dir = folder;
    std::string option = "-iname";
    std::string pattern = "*.galaxy";
    char* argv[] = {program.data(), dir.data(), option.data(), pattern.data(), nullptr};
    const auto start = Clock::now();
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, "find", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (failed != 0 || ::waitpid(pid, &status, 0) != pid || status != 0) {
        throw std::runtime_error("find failed");
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The median of a few find runs: the yardstick for the search.
double FindSeconds() {
    static const double seconds = [] {
        std::vector<double> runs;
        for (int i = 0; i < 9; ++i) {
            runs.push_back(RunFind(Tree().HostTree()));
        }
        std::nth_element(runs.begin(), runs.begin() + 4, runs.end());
        return runs[4];
    }();
    return seconds;
}

// No window: nothing waits to be processed or repainted.
class HeadlessHost final : public Host {
  public:
    void ShowMessage(const std::string&) override {}
    void ProcessPendingEvents() override {}
    void RepaintWindows() override {}
    [[noreturn]] void Terminate(unsigned status) override { std::exit(static_cast<int>(status)); }
};

void BM_FindGalaxies(benchmark::State& state) {
    const GeneratedTree& tree = Tree();
    const double findSeconds = FindSeconds();
    PosixFileSystem disk({{'C', tree.DriveFolder()}});
    FolderList dir1(disk);
    FileList file1(disk, "*.galaxy");
    TextBox text1;
    Label label6("0");
    Label label8("0");
    HeadlessHost events;
    Busy busy;
    SearchState search;
    const SearchControls controls{dir1, file1, text1, label6, label8, events, busy};

    double seconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        FindGalaxies({"C:\\tree", ""}, search, controls);
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        state.PauseTiming();
        text1.SetText({});  // the box would otherwise grow with every iteration
        state.ResumeTiming();
    }
    if (search.galaxyList.size() - 1 != tree.Maps()) {
        state.SkipWithError("the search found a different number of maps");
    }
    state.counters["maps"] = static_cast<double>(tree.Maps());
    state.counters["vs_find"] = seconds / static_cast<double>(state.iterations()) / findSeconds;
}
BENCHMARK(BM_FindGalaxies)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FindCommand(benchmark::State& state) {
    const std::string folder = Tree().HostTree();
    for (auto _ : state) {
        RunFind(folder);
    }
}
BENCHMARK(BM_FindCommand)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace galemend
