#pragma once

#include <string>
#include <vector>

namespace galemend {

// The drive list's entries, one per drive in letter order: the lower-case letter and colon
// ("c:"), followed for a fixed drive by its volume label in brackets when it has one.
std::vector<std::string> DriveEntries();

// The drive of the process's current folder ("c:"), or "" when it has none.
std::string CurrentDrive();

}  // namespace galemend
