#pragma once

#include <optional>
#include <string>
#include <string_view>

// The text rules Wine's shell applies to folder paths.
namespace galemend {

// PathAppendW: more joined to path with one backslash between (more's leading backslashes
// dropped; more alone when path is empty or more starts with a drive), "." and ".." elements
// resolved, never above the drive's root. Empty when the result would not fit MAX_PATH.
std::string ShellPathAppend(const std::string& path, std::string more);

// The folder an XDG_*_DIR line of a user-dirs.dirs file names, as Wine reads it: "/..." or
// "$HOME/..." in double quotes, a backslash escaping the next character. The first line that
// names the variable with a quoted value decides; nothing when there is none.
std::optional<std::string> XdgUserFolder(const std::string& file, std::string_view variable);

}  // namespace galemend
