#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace galemend {

// True when the path names a visible entry, folder or ordinary file; the last element may
// hold * and ?. "folder\." asks for the folder itself. Never throws: a path that cannot be
// examined (a drive that is not ready, a malformed name) answers false.
bool FolderExists(const FileSystem& fileSystem, const std::string& path);

}  // namespace galemend
