#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace galemend {

// The diagnostic log "info.txt" in the current folder. A line is its items written one
// after another with nothing between them, then CR LF. Each line reaches the disk at once,
// so the log is complete even when the program is ended abruptly.
class DiagnosticLog {
  public:
    explicit DiagnosticLog(FileSystem& fs) : fs_(fs) {}

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
    std::string text_;
    bool open_ = false;
};

// A flag as the log writes it.
inline const char* FlagText(bool flag) {
    return flag ? "True" : "False";
}

}  // namespace galemend
