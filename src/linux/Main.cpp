// galemend for Linux: finds the prefixes that hold the game, makes the silent run of
// galemend3.exe natively on the chosen prefix's own files with no Wine running, and opens the
// window by running galemend3.exe there with the prefix's own runner.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "linux/NativeRun.h"
#include "linux/PrefixChoice.h"
#include "linux/PrefixRun.h"
#include "linux/WindowRunner.h"
#include "startup/FormLoad.h"

namespace {

using namespace galemend;
namespace fs = std::filesystem;

fs::path OwnFolder() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path() : self.parent_path();
}

// galemend3.exe in the chosen prefix, with its runner; the runner's exit status.
int RunWindow(const GamePrefix& prefix, const SearchResult& search, const NativeOptions& options) {
    const std::string folder = OwnFolder().string();
    if (!fs::exists(fs::path(folder) / "galemend3.exe")) {
        std::cerr << "galemend: galemend3.exe is not beside this program in " << folder << '\n';
        return 1;
    }
    const RunnerHost host = RunnerHost::OfThisProcess();
    const RunnerPlan plan =
        PlanWindowRun(prefix, search.prefixes, folder, options.exeArguments, host);
    for (const std::string& problem : plan.problems) {
        std::cerr << "galemend: " << problem << '\n';
    }
    if (!plan.problems.empty()) {
        return static_cast<int>(NativeStatus::NoRunner);
    }
    std::cerr << "galemend: " << plan.announcement << '\n';
    return RunCommand(plan.command, host);
}

}  // namespace

int main(int argc, char** argv) {
    NativeOptions options;
    try {
        options = ParseNativeArguments(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        std::cerr << "galemend: " << error.what() << "\nTry 'galemend --help'.\n";
        return static_cast<int>(NativeStatus::Usage);
    }
    if (options.help) {
        std::cout << NativeUsage();
        return 0;
    }
    const SearchPlaces places = SearchPlaces::OfThisProcess();
    // A native run in a named prefix needs no search: the kind of prefix does not matter to
    // it. The window's runner does, and so do the prefix's namesakes in other libraries.
    const bool searchNeeded = options.list || options.window || options.prefix.empty();
    const SearchResult search = searchNeeded ? FindGamePrefixes(places) : SearchResult{};
    if (options.list) {
        return static_cast<int>(ListPrefixes(search, places, std::cout, std::cerr));
    }
    const std::optional<GamePrefix> chosen = ChoosePrefix(options, search, places, std::cerr);
    if (options.window) {
        return chosen ? RunWindow(*chosen, search, options)
                      : static_cast<int>(NativeStatus::BadPrefix);
    }
    if (!chosen && options.prefix.empty()) {
        return static_cast<int>(NativeStatus::BadPrefix);
    }
    if (chosen) {
        options.prefix = chosen->path;
    }
    // Like galemend3.exe, the run reads its data files from the current folder.
    const fs::path own = OwnFolder();
    std::error_code error;
    if (!fs::exists(kTargetVersionFile, error) && fs::exists(own / kTargetVersionFile, error) &&
        !fs::equivalent(own, fs::current_path(), error)) {
        std::cerr << "galemend: the data files are not in this folder; galemend reads them from "
                     "the folder it is started in: cd "
                  << own.string() << " first\n";
    }
    return static_cast<int>(RunInPrefix(options, own.string(), std::cout, std::cerr));
}
