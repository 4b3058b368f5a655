#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "startup/InstallationState.h"

namespace galemend {

// Whether a registry candidate of the base game or the concord edition names an
// installation: longer than a drive root, and an existing folder.
bool CountsAsFound(const FileSystem& fs, const std::string& candidate);

// The base game's or the concord edition's folder, whichever counts as found; the concord
// edition wins. Empty when neither does.
std::string ChosenBaseFolder(const FileSystem& fs, const InstallationState& state);

}  // namespace galemend
