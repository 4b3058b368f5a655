#include "linux/PrefixRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>

#include "linux/DryRun.h"
#include "platform/prefix/PrefixFileSystem.h"
#include "platform/prefix/PrefixSystemProbe.h"
#include "platform/prefix/WineRegistry.h"
#include "text/Text.h"

extern char** environ;

namespace galemend {

namespace {

namespace fs = std::filesystem;

bool Accepts(const std::string& socketPath) {
    sockaddr_un address{};
    if (socketPath.size() >= sizeof address.sun_path) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    const bool connected =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

// A map's content as lines of text for a terminal: decoded, with LF line ends.
std::string TerminalText(const std::string& bytes, const CodePage& codePage) {
    std::string text;
    for (const std::string& line : SplitLines(codePage.Decode(bytes))) {
        text += line + '\n';
    }
    return text;
}

// Prints what a dry run would change in a map as a unified diff, by the system's diff.
void PrintDiff(const DryRunFileSystem& run, const FileSystem& disk, const std::string& map,
               bool diagnosticMode, const CodePage& codePage, std::ostream& out,
               std::ostream& err) {
    const std::string output = diagnosticMode ? map.substr(0, map.size() - 3) + "tst" : map;
    const fs::path folder =
        fs::temp_directory_path() / ("galemend-diff-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string before = (folder / "before").string(), after = (folder / "after").string();
    std::ofstream(before, std::ios::binary) << TerminalText(disk.ReadFile(map), codePage);
    std::ofstream(after, std::ios::binary)
        << TerminalText(run.Contents(output).value_or(""), codePage);
    // The names go to diff as arguments, never through a shell.
    const char* argv[] = {"diff",         "-u",           "--label",     map.c_str(), "--label",
                          output.c_str(), before.c_str(), after.c_str(), nullptr};
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        return;
    }
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    pid_t pid = 0;
    const int started =
        ::posix_spawnp(&pid, "diff", &actions, nullptr, const_cast<char* const*>(argv), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    char buffer[4096];
    for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        out.write(buffer, got);
    }
    ::close(pipeEnds[0]);
    if (started != 0) {
        err << "galemend: no diff program to show the changes with (install diffutils)\n";
    } else {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0) {
        }
    }
    fs::remove_all(folder);
}

}  // namespace

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

bool PrefixInUse(const std::string& prefix) {
    struct stat info {};
    if (::stat(prefix.c_str(), &info) != 0) {
        return false;
    }
    char server[64];
    std::snprintf(server, sizeof server, "server-%llx-%llx",
                  static_cast<unsigned long long>(info.st_dev),
                  static_cast<unsigned long long>(info.st_ino));
    const std::string user = ".wine-" + std::to_string(::getuid());
    std::vector<fs::path> folders{fs::path("/tmp") / user};
    std::string named;
    if (std::ifstream file{fs::path(prefix) / "wineserver"}; file >> named) {
        const char* tmp = std::getenv("TMPDIR");
        folders.push_back(fs::path(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") / named);
    }
    for (const fs::path& folder : folders) {
        if (Accepts((folder / server / "socket").string())) {
            return true;
        }
    }
    return false;
}

unsigned RunInPrefix(const NativeOptions& options, const std::string& programFolder,
                     std::ostream& out, std::ostream& err) {
    const std::string& prefix = options.prefix;
    if (const std::string problem = PrefixProblem(prefix); !problem.empty()) {
        err << "galemend: " << prefix << ": " << problem << '\n';
        return static_cast<unsigned>(NativeStatus::BadPrefix);
    }
    if (PrefixInUse(prefix)) {
        err << "galemend: " << prefix << ": Wine is running in this prefix, so the game or "
            << "another program may hold a map open; close them and run galemend again\n";
        return static_cast<unsigned>(NativeStatus::InUse);
    }
    try {
        // What galemend3.exe beside this program would be told by Wine. The probe maps paths
        // with a file system of its own: opening it makes the session's folders, as Wine
        // does, and the program's own file system lists folders only after that.
        const PrefixFileSystem paths(prefix);
        const PrefixProcess process{
            paths.WindowsPathOf((fs::path(programFolder) / "galemend3.exe").string()), "/s",
            paths.CurrentFolder()};
        PrefixSystemProbe probe = PrefixSystemProbe::Open(
            prefix, process, [&paths](const std::string& path) { return paths.UnixPathOf(path); });
        PrefixFileSystem disk(prefix);
        DryRunFileSystem run(disk);
        ConvertedMap diff;
        if (options.diff) {
            diff = [&](const std::string& map, bool diagnosticMode, const CodePage& codePage) {
                PrintDiff(run, disk, map, diagnosticMode, codePage, out, err);
            };
        }
        const unsigned status = options.dryRun
                                    ? RunSilently(probe, run, options.edition, out, err, diff)
                                    : RunSilently(probe, disk, options.edition, out, err);
        for (const std::string& problem : probe.Problems()) {
            err << "galemend: " << problem << '\n';
        }
        return status;
    } catch (const RegistryFileError& error) {
        err << "galemend: " << error.what() << '\n';
        return static_cast<unsigned>(NativeStatus::BadPrefix);
    }
}

}  // namespace galemend
