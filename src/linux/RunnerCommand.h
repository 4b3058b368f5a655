#pragma once

#include <string>
#include <utility>
#include <vector>

namespace galemend {

// A command as it will be started: environment set on top of this process's, the program
// (looked up on the host's PATH) and its arguments, and the folder it starts in.
struct RunnerCommand {
    std::vector<std::pair<std::string, std::string>> environment;
    std::vector<std::string> arguments;
    std::string folder;
    // As a POSIX shell reads it back, for a player to copy: cd 'folder' && VAR='v' prog 'arg'
    // ..., with only the words that need it quoted.
    std::string Text() const;
};

// What the host offers: the PATH to look programs up in and $WINE (empty when unset).
struct RunnerHost {
    std::string path;
    std::string wine;
    // How long a program asked for an answer may take before it is stopped: the Flatpak's
    // first start in a session is slow, and one that never answers must not hang galemend.
    int answerMilliseconds = 60'000;
    static RunnerHost OfThisProcess();
};

// A word as a POSIX shell reads it back: as it is when no character in it is special, else in
// single quotes.
std::string ShellWord(const std::string& word);

// Whether the file is there and may be run.
bool IsProgram(const std::string& file);

// The file a program's name stands for: the name itself when it holds a "/", else the first
// program of that name in a folder of path (an empty entry is the current folder). Empty when
// there is none.
std::string FindProgram(const std::string& name, const std::string& path);

struct HostAnswer {
    int status = -1;  // the exit status; -1 when it could not be started
    std::string out;  // what it wrote to its output
};

// What a program answers to these arguments: run with PATH set to host.path and in the C
// locale (so that its words are not translated), reading nothing, its messages dropped. One
// that takes longer than host.answerMilliseconds is stopped and answers nothing.
HostAnswer AskProgram(const std::string& file, const std::vector<std::string>& arguments,
                      const RunnerHost& host);

// Starts the command (its program looked up on host.path, in its folder, its environment
// added and PATH set to host.path), waits, and returns its exit status (128 + signal when it
// was killed); NativeStatus::NoRunner when it cannot be started.
int RunCommand(const RunnerCommand& command, const RunnerHost& host);

}  // namespace galemend
