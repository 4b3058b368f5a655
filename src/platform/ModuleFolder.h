#pragma once

#include <string>
#include <string_view>

namespace galemend {

// The folder part of an executable's full path ("C:\Games\x.exe" gives "C:\Games"): without
// a trailing backslash, except at a drive root, which keeps it ("C:\x.exe" gives "C:\").
std::string FolderOfModule(std::string_view modulePath);

}  // namespace galemend
