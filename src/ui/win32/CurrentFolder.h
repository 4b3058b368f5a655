#pragma once

#include <string>

#include "controls/FolderList.h"

namespace galemend {

// The process's current folder, or "" when it cannot be read.
std::string CurrentFolder();

// The folder list starts in the current folder, as the window was designed; a folder that
// cannot be listed leaves it empty.
void ShowCurrentFolder(FolderList& dir1);

}  // namespace galemend
