#pragma once

#include <string>
#include <string_view>

#include "ui/Form1.h"

namespace galemend {

// The root folder a drive-list entry stands for: its first two characters (the drive letter
// and the colon) followed by "\".
std::string DriveRootOf(std::string_view entry);

// The user picked another drive: Dir1 (and through it File1) moves to that drive's root. A
// drive that cannot be listed (no disk, not ready) is reported by name and nothing changes.
// Returns whether Dir1 moved.
bool Drive1_Change(Form1& form, std::string_view entry);

}  // namespace galemend
