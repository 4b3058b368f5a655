// galemend for Linux: the silent run of galemend3.exe made natively on a Wine or Proton
// prefix's own files, with no Wine running; the window and --exe runs go to galemend-wine,
// which runs galemend3.exe in the prefix under its own runner.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "linux/DryRun.h"
#include "linux/NativeRun.h"
#include "platform/prefix/PrefixFileSystem.h"
#include "platform/prefix/PrefixSystemProbe.h"
#include "text/Text.h"

extern char** environ;

namespace {

using namespace galemend;
namespace fs = std::filesystem;

fs::path OwnFolder() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path() : self.parent_path();
}

// Runs a program with its arguments, its output going where ours goes; its exit status, or
// nothing when it could not be started.
std::optional<int> Run(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& word : command) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    std::cout.flush();
    pid_t pid = 0;
    if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        return std::nullopt;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A map's content as lines of text for a terminal: decoded, with LF line ends.
std::string TerminalText(const std::string& bytes, const CodePage& codePage) {
    std::string text;
    for (const std::string& line : SplitLines(codePage.Decode(bytes))) {
        text += line + '\n';
    }
    return text;
}

// Prints what a dry run would change in a map as a unified diff.
void PrintDiff(const DryRunFileSystem& run, const FileSystem& disk, const std::string& map,
               bool diagnosticMode, const CodePage& codePage) {
    const std::string output = diagnosticMode ? map.substr(0, map.size() - 3) + "tst" : map;
    const fs::path folder =
        fs::temp_directory_path() / ("galemend-diff-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "before", std::ios::binary)
        << TerminalText(disk.ReadFile(map), codePage);
    std::ofstream(folder / "after", std::ios::binary)
        << TerminalText(run.Contents(output).value_or(""), codePage);
    if (!Run({"diff", "-u", "--label", map, "--label", output, (folder / "before").string(),
              (folder / "after").string()})) {
        std::cerr << "galemend: no diff program to show the changes with (install diffutils)\n";
    }
    fs::remove_all(folder);
}

// Why a folder is no prefix galemend can work in, or nothing.
std::string PrefixProblem(const std::string& prefix) {
    std::error_code error;
    if (!fs::is_directory(prefix, error)) {
        return "no such folder";
    }
    for (const char* needed : {"dosdevices", "system.reg", "user.reg"}) {
        if (!fs::exists(fs::path(prefix) / needed, error)) {
            return std::string("no Wine prefix: it has no ") + needed;
        }
    }
    return {};
}

int RunThroughWine(const std::vector<std::string>& arguments) {
    const fs::path launcher = OwnFolder() / "galemend-wine";
    std::vector<std::string> command{launcher.string()};
    command.insert(command.end(), arguments.begin(), arguments.end());
    const std::optional<int> status = Run(command);
    if (!status) {
        std::cerr << "galemend: " << launcher.string() << ": cannot be started\n";
        return static_cast<int>(NativeStatus::NoRunner);
    }
    return *status;
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
    if (options.viaWine) {
        return RunThroughWine(options.wineArguments);
    }
    try {
        const std::string problem = PrefixProblem(options.prefix);
        if (!problem.empty()) {
            std::cerr << "galemend: " << options.prefix << ": " << problem << '\n';
            return static_cast<int>(NativeStatus::BadPrefix);
        }
        PrefixFileSystem disk(options.prefix);
        // What galemend3.exe beside this program would be told by Wine.
        const PrefixProcess process{disk.WindowsPathOf((OwnFolder() / "galemend3.exe").string()),
                                    "/s", disk.CurrentFolder()};
        PrefixSystemProbe probe = PrefixSystemProbe::Open(
            options.prefix, process,
            [&disk](const std::string& path) { return disk.UnixPathOf(path); });
        if (!options.dryRun) {
            return static_cast<int>(
                RunSilently(probe, disk, options.edition, std::cout, std::cerr));
        }
        DryRunFileSystem run(disk);
        ConvertedMap diff;
        if (options.diff) {
            diff = [&](const std::string& map, bool diagnosticMode, const CodePage& codePage) {
                PrintDiff(run, disk, map, diagnosticMode, codePage);
            };
        }
        return static_cast<int>(
            RunSilently(probe, run, options.edition, std::cout, std::cerr, diff));
    } catch (const RegistryFileError& error) {
        std::cerr << "galemend: " << error.what() << '\n';
        return static_cast<int>(NativeStatus::BadPrefix);
    }
}
