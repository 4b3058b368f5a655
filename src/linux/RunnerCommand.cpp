// Commands on the host: found on its PATH, asked for an answer, started and waited for, and
// written out as a shell would read them back. Nothing goes through a shell.
#include "linux/RunnerCommand.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "linux/NativeRun.h"
#include "platform/posix/PosixFiles.h"

extern char** environ;

namespace galemend {
namespace {

namespace fs = std::filesystem;
using Variables = std::vector<std::pair<std::string, std::string>>;

constexpr int kNoRunner = static_cast<int>(NativeStatus::NoRunner);

class FileActions {
  public:
    FileActions() { ::posix_spawn_file_actions_init(&actions_); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
    ~FileActions() { ::posix_spawn_file_actions_destroy(&actions_); }
    posix_spawn_file_actions_t* Get() { return &actions_; }

  private:
    posix_spawn_file_actions_t actions_;
};

std::vector<char*> Pointers(std::vector<std::string>& words) {
    std::vector<char*> pointers;
    for (std::string& word : words) {
        pointers.push_back(word.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Starts file with these arguments in folder (unless empty), the variables set over this
// process's environment, a later one over an earlier one of the same name. With out, its output
// goes there, and it reads and reports nothing. The process's id, or -1 when it cannot be started.
pid_t Start(const std::string& file, std::vector<std::string> arguments, const Variables& variables,
            const std::string& folder, int out = -1) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        environment.emplace_back(*entry);
    }
    for (const auto& [name, value] : variables) {
        const std::string assignment = name + "=" + value;
        const auto same =
            std::find_if(environment.begin(), environment.end(), [&](const std::string& entry) {
                return entry.compare(0, name.size() + 1, name + "=") == 0;
            });
        if (same != environment.end()) {
            *same = assignment;
        } else {
            environment.push_back(assignment);
        }
    }
    FileActions actions;
    if (!folder.empty()) {
        ::posix_spawn_file_actions_addchdir_np(actions.Get(), folder.c_str());
    }
    if (out >= 0) {
        ::posix_spawn_file_actions_addopen(actions.Get(), 0, "/dev/null", O_RDONLY, 0);
        ::posix_spawn_file_actions_adddup2(actions.Get(), out, 1);
        ::posix_spawn_file_actions_addopen(actions.Get(), 2, "/dev/null", O_WRONLY, 0);
    }
    // A program asked for an answer gets a process group of its own, so that all it started
    // can be stopped with it; the window's runner stays in the terminal's.
    posix_spawnattr_t attributes;
    ::posix_spawnattr_init(&attributes);
    if (out >= 0) {
        ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
        ::posix_spawnattr_setpgroup(&attributes, 0);
    }
    pid_t pid = -1;
    const int started = ::posix_spawn(&pid, file.c_str(), actions.Get(), &attributes,
                                      Pointers(arguments).data(), Pointers(environment).data());
    ::posix_spawnattr_destroy(&attributes);
    return started == 0 ? pid : -1;
}

int Wait(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return kNoRunner;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

// Inside single quotes nothing is special but the quote itself, written '\''.
std::string ShellWord(const std::string& word) {
    constexpr std::string_view plain =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_./:=+,@%-";
    if (!word.empty() && word.find_first_not_of(plain) == std::string::npos) {
        return word;
    }
    std::string quoted = "'";
    for (const char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

bool IsProgram(const std::string& file) {
    std::error_code error;
    return fs::is_regular_file(file, error) && ::access(file.c_str(), X_OK) == 0;
}

std::string FindProgram(const std::string& name, const std::string& path) {
    if (name.empty() || name.find('/') != std::string::npos) {
        return IsProgram(name) ? name : "";
    }
    for (std::size_t start = 0;;) {
        const std::size_t end = path.find(':', start);
        const std::string folder = path.substr(start, end - start);
        const fs::path file = fs::path(folder.empty() ? "." : folder) / name;
        if (IsProgram(file.string())) {
            return file.string();
        }
        if (end == std::string::npos) {
            return "";
        }
        start = end + 1;
    }
}

HostAnswer AskProgram(const std::string& file, const std::vector<std::string>& arguments,
                      const RunnerHost& host) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return {};
    }
    Descriptor from{ends[0]}, to{ends[1]};
    std::vector<std::string> argv{file};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const pid_t pid = Start(file, argv, {{"PATH", host.path}, {"LC_ALL", "C"}}, "", to.fd);
    to.Close();
    if (pid < 0) {
        return {};
    }
    HostAnswer answer;
    std::array<char, 4096> buffer;
    pollfd ready{from.fd, POLLIN, 0};
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(host.answerMilliseconds);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const int polled =
            left.count() <= 0 ? 0 : ::poll(&ready, 1, static_cast<int>(left.count()));
        if (polled == 0) {
            // No answer in time: the program is stopped and counts as not answering.
            ::kill(-pid, SIGKILL);
            Wait(pid);
            return {};
        }
        const ssize_t count = polled < 0 ? -1 : ::read(from.fd, buffer.data(), buffer.size());
        if (count > 0) {
            answer.out.append(buffer.data(), static_cast<std::size_t>(count));
        } else if (count == 0 || errno != EINTR) {
            break;
        }
    }
    answer.status = Wait(pid);
    return answer;
}

std::string RunnerCommand::Text() const {
    std::string text = folder.empty() ? "" : "cd " + ShellWord(folder) + " &&";
    const auto append = [&text](const std::string& word) {
        text += (text.empty() ? "" : " ") + word;
    };
    for (const auto& [name, value] : environment) {
        append(name + "=" + ShellWord(value));
    }
    for (const std::string& argument : arguments) {
        append(ShellWord(argument));
    }
    return text;
}

RunnerHost RunnerHost::OfThisProcess() {
    const char* path = std::getenv("PATH");
    const char* wine = std::getenv("WINE");
    return {path != nullptr ? path : "/bin:/usr/bin", wine != nullptr ? wine : ""};
}

int RunCommand(const RunnerCommand& command, const RunnerHost& host) {
    const std::string file =
        command.arguments.empty() ? "" : FindProgram(command.arguments.front(), host.path);
    if (file.empty()) {
        return kNoRunner;
    }
    Variables variables{{"PATH", host.path}};
    variables.insert(variables.end(), command.environment.begin(), command.environment.end());
    const pid_t pid = Start(file, command.arguments, variables, command.folder);
    return pid < 0 ? kNoRunner : Wait(pid);
}

}  // namespace galemend
