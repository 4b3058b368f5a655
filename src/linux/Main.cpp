// galemend for Linux: the silent run of galemend3.exe made natively on a Wine or Proton
// prefix's own files, with no Wine running; the window and --exe runs go to galemend-wine,
// which runs galemend3.exe in the prefix under its own runner.
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "linux/NativeRun.h"
#include "linux/PrefixRun.h"

extern char** environ;

namespace {

using namespace galemend;
namespace fs = std::filesystem;

fs::path OwnFolder() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path() : self.parent_path();
}

// Hands the arguments to the launcher beside this program; its exit status.
int RunThroughWine(const std::vector<std::string>& arguments) {
    const std::string launcher = (OwnFolder() / "galemend-wine").string();
    std::vector<char*> argv{const_cast<char*>(launcher.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    int status = 0;
    if (::posix_spawn(&pid, launcher.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        std::cerr << "galemend: " << launcher << ": cannot be started\n";
        return static_cast<int>(NativeStatus::NoRunner);
    }
    while (::waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
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
    return static_cast<int>(RunInPrefix(options, OwnFolder().string(), std::cout, std::cerr));
}
