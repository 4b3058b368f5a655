#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "platform/SystemProbe.h"

namespace galemend {

// A 64-bit Windows: the NT family with a "program files (x86)" folder on the system drive
// (systemDrive is "C:" or the like, possibly empty). Asks afresh on every call.
bool Is64BitWindows(const SystemProbe& probe, const FileSystem& fileSystem,
                    const std::string& systemDrive);

}  // namespace galemend
