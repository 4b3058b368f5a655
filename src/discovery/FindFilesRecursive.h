#pragma once

#include <string>
#include <vector>

#include "controls/FileList.h"
#include "controls/FolderList.h"
#include "controls/PendingEvents.h"

namespace galemend {

// The window's lists that a walk moves through the folder tree, and its event hook.
struct FolderWalk {
    FolderList& Dir1;
    FileList& File1;
    PendingEvents& pendingEvents;
};

// Appends to list the paths of the files below and in folder that match pattern: each
// subfolder's tree first (by name ascending, ignoring case), then the folder's own files
// (likewise ordered). The list's trailing empty entry stays last. Pending events are
// processed before each descent. Dir1 is moved into every folder walked and ends on the
// parent of folder. An empty folder text, or a folder that does not exist, adds nothing and
// leaves Dir1 where it was; other listing failures are thrown.
void FindFilesRecursive(const std::string& pattern, const std::string& folder,
                        std::vector<std::string>& list, const FolderWalk& walk);

}  // namespace galemend
