#pragma once

#include <string>
#include <string_view>

#include "platform/RuntimeError.h"

namespace galemend {

// "C:\" and the like: the one folder path that keeps its trailing backslash.
bool IsDriveRoot(std::string_view path);

// A folder path as the lists show it: trailing backslashes removed except from a drive
// root; a bare drive ("C:") becomes its root.
std::string NormalFolderPath(std::string_view path);

// The path of an entry of a folder given in normal form: one backslash between them.
std::string PathInFolder(std::string_view folder, std::string_view name);

// The error to report when a folder cannot be listed: Path not found when it does not
// exist, the listing's own error otherwise.
RuntimeError FolderListingError(const RuntimeError& error, const std::string& folder);

}  // namespace galemend
