#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "controls/Controls.h"
#include "controls/Lists.h"
#include "platform/SystemProbe.h"

namespace galemend {

// What the galaxy search leaves for the conversion: the found map paths in walk order,
// followed by one empty entry. A fresh state (no search yet) holds only the empty entry.
struct SearchState {
    std::vector<std::string> galaxyList{std::string()};
};

// The window's lists that a walk moves through the folder tree, and its event hook.
struct FolderWalk {
    FolderList& Dir1;
    FileList& File1;
    Host& host;  // processes pending events before each descent
};

// Appends to list the paths of the files below and in folder that match pattern: each
// subfolder's tree first (by name ascending, ignoring case), then the folder's own files
// (likewise ordered). The list's trailing empty entry stays last. Pending events are
// processed before each descent. Dir1 is moved into every folder walked and ends on the
// parent of folder. An empty folder text, or a folder that does not exist, adds nothing and
// leaves Dir1 where it was; other listing failures are thrown.
void FindFilesRecursive(const std::string& pattern, const std::string& folder,
                        std::vector<std::string>& list, const FolderWalk& walk);

inline constexpr std::string_view kGalaxyPattern = "*.galaxy";

// The window's parts that the search reads and writes.
struct SearchControls {
    FolderList& Dir1;
    FileList& File1;
    TextBox& Text1;  // found map names, one per line; never cleared
    Label& Label6;   // number of maps found
    Label& Label8;   // stage counter
    Host& host;      // processes pending events before each descent
    Busy& busy;      // shared with the conversion
};

// The whole search: replaces galaxyList by the "*.galaxy" files below pathlist[0] and then
// pathlist[1] (an empty entry or a missing folder finds nothing), moves the stage counter
// on by one, appends the found file names to Text1 and shows their number in Label6.
// Returns false, doing nothing, when a search or conversion is already running.
bool FindGalaxies(const std::array<std::string, 2>& pathlist, SearchState& state,
                  const SearchControls& controls);

}  // namespace galemend
