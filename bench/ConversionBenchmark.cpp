// Converting 1,000 maps of 2,000 lines (edition "u": structure and fix pass), against replaying
// the file operations of the same conversion without its own work, and against copying the
// tree with cp -r. Each runs on the disk (the build folder) and, where it can be written, on
// the RAM file system /dev/shm; the suffix of a name says which. Every timed run's tree is
// compared with the tree it must leave, after the timed part, and a mismatch fails the
// benchmark. CPU time is the whole process's (user + system); cp's own is not in it.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "BenchFolder.h"
#include "RecordingFileSystem.h"
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
constexpr int kMaps = kFolders * kMapsPerFolder;
constexpr int kBlocksPerMap = 399;  // five lines each, after a two-line header
constexpr int kIterations = 3;      // each one a whole tree; repetitions come from the command

// Where a tree lives. Used copies stay on the disk, since ext4 is slow to hand out inodes right
// after many were freed, which would time the file system, not us; in RAM they are removed to
// give the memory back.
struct Storage {
    std::string suffix;
    fs::path parent;
    bool keepUsedCopies;
};

std::string Text(std::initializer_list<std::string> lines) {
    std::string text;
    for (const auto& line : lines) {
        AppendLine(text, line);
    }
    return text;
}

// Every folder and file under a root, by relative path, with a hash of each file's bytes: enough
// to tell two trees apart without keeping their bytes.
using TreeDigest = std::map<std::string, size_t>;

TreeDigest Digest(const FileSystem& fs, const fs::path& root) {
    TreeDigest entries;
    std::string bytes;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = entry.path().lexically_relative(root).string();
        if (entry.is_directory()) {
            entries[name + "/"];
        } else {
            fs.ReadFileInto(entry.path().string(), bytes);
            entries[name] = std::hash<std::string>{}(bytes);
        }
    }
    return entries;
}

// The first path where two trees differ, or empty.
std::string FirstDifference(const TreeDigest& expected, const TreeDigest& actual) {
    auto e = expected.begin();
    auto a = actual.begin();
    for (; e != expected.end() && a != actual.end(); ++e, ++a) {
        if (e->first != a->first) {
            return std::min(e->first, a->first);
        }
        if (e->second != a->second) {
            return e->first;
        }
    }
    return e != expected.end() ? e->first : a != actual.end() ? a->first : std::string();
}

// Writes back what the untimed setup left and gives the kernel's own follow-up work (journal
// commits, freeing) a moment, so that neither lands in the timed part: a conversion uses the
// second core for its passes, which the kernel's background work would otherwise take.
void Settle() {
    ::sync();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

// The window's parts and the template state of one conversion run.
struct ConversionRun {
    TemplateState templates{SystemCodePage(kWesternCodePage)};
    Label label4{"0"}, label8{"0"};
    TextBox text2;
    Busy busy;

    bool Convert(FileSystem& fs, const std::vector<std::string>& galaxyList) {
        const auto result = FixGalaxies(fs, templates, ConversionSettings{"u", false}, galaxyList,
                                        ConversionControls{label4, label8, text2, busy});
        return result && result->converted == kMaps && result->Complete();
    }
};

// The file operations of one real conversion, and whether replaying them is faithful.
struct Recording {
    std::vector<FileOperation> log;
    std::string root;      // the copy the conversion ran on
    TreeDigest converted;  // the tree it left
    std::string problem;   // why the replay cannot stand for the conversion; empty when it can
};

class Tree {
  public:
    explicit Tree(const Storage& storage) : folder_(storage.parent), storage_(storage) {
        fs::create_directories(pristine_);
        const fs::path templates = folder_.Path();
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
            const fs::path sub = pristine_ / ("sector" + std::to_string(f));
            fs::create_directories(sub);
            for (int m = 0; m < kMapsPerFolder; ++m) {
                const std::string name = "map" + std::to_string(m) + ".galaxy";
                disk.WriteFile((sub / name).string(), map);
                maps_.push_back((sub.filename() / name).string());
            }
        }
        pristineDigest_ = Digest(disk, pristine_);
    }

    PosixFileSystem disk;

    const fs::path& Pristine() const { return pristine_; }
    const TreeDigest& PristineDigest() const { return pristineDigest_; }

    // The conversion reads its templates by name from the current folder.
    void Enter() const { fs::current_path(folder_.Path()); }

    // Removes the copies handed out so far, unless this storage keeps them.
    void Recycle() {
        if (!storage_.keepUsedCopies) {
            for (const auto& used : used_) {
                fs::remove_all(used);
            }
            used_.clear();
        }
    }

    // A folder that no run has used yet.
    fs::path FreshFolder() {
        used_.push_back(fs::path(folder_.Path()) / ("copy" + std::to_string(copies_++)));
        return used_.back();
    }

    // A fresh copy of the maps.
    fs::path FreshCopy() {
        const fs::path work = FreshFolder();
        fs::copy(pristine_, work, fs::copy_options::recursive);
        return work;
    }

    // The search's list of the maps of a copy, with its empty spare.
    std::vector<std::string> GalaxyList(const fs::path& work) const {
        std::vector<std::string> galaxyList;
        for (const auto& map : maps_) {
            galaxyList.push_back((work / map).string());
        }
        galaxyList.emplace_back();
        return galaxyList;
    }

    // Records one real conversion, then replays it on another copy and compares the trees.
    const Recording& Recorded() {
        if (!recording_) {
            recording_ = Record();
        }
        return *recording_;
    }

  private:
    Recording Record() {
        Recording recording;
        const fs::path converted = FreshCopy();
        recording.root = converted.string();
        RecordingFileSystem recorder(disk);
        ConversionRun run;
        if (!run.Convert(recorder, GalaxyList(converted))) {
            recording.problem = "the recorded conversion did not convert every map";
            return recording;
        }
        recording.log = recorder.Log();
        recording.converted = Digest(disk, converted);
        const fs::path replayed = FreshCopy();
        try {
            ReplayPlan(recording.log, recording.root, replayed.string()).Run(disk);
        } catch (const std::exception& error) {
            recording.problem = error.what();
            return recording;
        }
        const std::string differs = FirstDifference(recording.converted, Digest(disk, replayed));
        if (!differs.empty()) {
            recording.problem = "the replay left another tree than the conversion at " + differs;
        }
        return recording;
    }

    BenchFolder folder_;
    Storage storage_;
    fs::path pristine_ = fs::path(folder_.Path()) / "pristine";
    TreeDigest pristineDigest_;
    std::vector<std::string> maps_;  // relative to a copy of the tree
    std::vector<fs::path> used_;
    int copies_ = 0;
    std::optional<Recording> recording_;
};

Tree& TreeOn(const Storage& storage) {
    static std::map<std::string, std::unique_ptr<Tree>> trees;
    auto& tree = trees[storage.suffix];
    if (!tree) {
        tree = std::make_unique<Tree>(storage);
    }
    return *tree;
}

// Ends a timed run: outside the timing, compares the tree it left with the expected one and
// fails the benchmark on a difference. Returns whether the benchmark goes on.
bool Checked(benchmark::State& state, const Tree& tree, const fs::path& work,
             const TreeDigest& expected, std::string problem = {}) {
    state.PauseTiming();
    if (problem.empty()) {
        const std::string differs = FirstDifference(expected, Digest(tree.disk, work));
        if (!differs.empty()) {
            problem = "the run left another tree than expected at " + differs;
        }
    }
    if (!problem.empty()) {
        state.SkipWithError(problem.c_str());
        return false;
    }
    state.ResumeTiming();
    return true;
}

void ConvertThousandMaps(benchmark::State& state, const Storage* storage) {
    Tree& tree = TreeOn(*storage);
    tree.Enter();
    const Recording& recording = tree.Recorded();
    if (recording.converted.empty()) {
        state.SkipWithError(recording.problem.c_str());
        return;
    }
    std::vector<std::string> galaxyList;
    std::optional<ConversionRun> run;
    for (auto _ : state) {
        state.PauseTiming();
        tree.Recycle();
        const fs::path work = tree.FreshCopy();
        galaxyList = tree.GalaxyList(work);
        run.emplace();
        Settle();
        state.ResumeTiming();
        const bool converted = run->Convert(tree.disk, galaxyList);
        if (!Checked(state, tree, work, recording.converted,
                     converted ? "" : "the maps were not all converted")) {
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kMaps);
}

void ReplayThousandMaps(benchmark::State& state, const Storage* storage) {
    Tree& tree = TreeOn(*storage);
    tree.Enter();
    const Recording& recording = tree.Recorded();
    if (!recording.problem.empty()) {
        state.SkipWithError(recording.problem.c_str());
        return;
    }
    std::optional<ReplayPlan> plan;
    for (auto _ : state) {
        state.PauseTiming();
        tree.Recycle();
        const fs::path work = tree.FreshCopy();
        plan.emplace(recording.log, recording.root, work.string());
        Settle();
        state.ResumeTiming();
        plan->Run(tree.disk);
        if (!Checked(state, tree, work, recording.converted)) {
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kMaps);
}

void CopyTreeWithCp(benchmark::State& state, const Storage* storage) {
    Tree& tree = TreeOn(*storage);
    for (auto _ : state) {
        state.PauseTiming();
        tree.Recycle();
        const fs::path work = tree.FreshFolder();
        const std::string command =
            "cp -r '" + tree.Pristine().string() + "' '" + work.string() + "'";
        Settle();
        state.ResumeTiming();
        const int status = std::system(command.c_str());
        if (!Checked(state, tree, work, tree.PristineDigest(), status == 0 ? "" : "cp failed")) {
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kMaps);
}

const std::vector<Storage>& Storages() {
    static const std::vector<Storage> storages = [] {
        std::vector<Storage> found{
            {"disk", fs::read_symlink("/proc/self/exe").parent_path(), true}};
        if (fs::is_directory("/dev/shm") && ::access("/dev/shm", W_OK) == 0) {
            found.push_back({"shm", "/dev/shm", false});
        }
        return found;
    }();
    return storages;
}

[[maybe_unused]] const bool registered = [] {
    for (const Storage& storage : Storages()) {
        for (const auto& [name, function] :
             {std::pair{"BM_ConvertThousandMaps/", &ConvertThousandMaps},
              std::pair{"BM_ReplayThousandMaps/", &ReplayThousandMaps},
              std::pair{"BM_CopyTreeWithCp/", &CopyTreeWithCp}}) {
            benchmark::RegisterBenchmark((name + storage.suffix).c_str(), function, &storage)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->MeasureProcessCPUTime()
                ->Iterations(kIterations);
        }
    }
    return true;
}();

}  // namespace
}  // namespace galemend
