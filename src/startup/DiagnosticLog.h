#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "text/CodePage.h"

namespace galemend {

// The diagnostic log "info.txt" in the current folder. A line is its items written one
// after another with nothing between them, then CR LF. Each line reaches the disk at once,
// so the log is complete even when the program is ended abruptly. The log is written for
// people in the ANSI code page; a character without a form there is written as the
// system's conversion writes it.
class DiagnosticLog {
  public:
    DiagnosticLog(FileSystem& fs, CodePage codePage) : fs_(fs), codePage_(std::move(codePage)) {}

    // Starts a new log, replacing an earlier one.
    void Create();
    // Opens the existing log to add to it (a missing one is started).
    void OpenForAppending();
    void Close() { open_ = false; }
    bool IsOpen() const { return open_; }

    // Adds a line; does nothing while the log is closed.
    void Line(std::initializer_list<std::string_view> items);

    static constexpr const char* kFileName = "info.txt";

  private:
    FileSystem& fs_;
    CodePage codePage_;
    std::string text_;  // the file's bytes
    bool open_ = false;
};

// A flag as the log writes it.
inline const char* FlagText(bool flag) {
    return flag ? "True" : "False";
}

}  // namespace galemend
