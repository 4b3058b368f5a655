#pragma once

#include <array>
#include <string>
#include <string_view>

#include "controls/BusyGuard.h"
#include "controls/FileList.h"
#include "controls/FolderList.h"
#include "controls/Label.h"
#include "controls/PendingEvents.h"
#include "controls/TextBox.h"
#include "discovery/SearchState.h"

namespace galemend {

inline constexpr std::string_view kGalaxyPattern = "*.galaxy";

// The window's parts that the search reads and writes.
struct SearchControls {
    FolderList& Dir1;
    FileList& File1;
    TextBox& Text1;  // found map names, one per line; never cleared
    Label& Label6;   // number of maps found
    Label& Label8;   // stage counter
    PendingEvents& pendingEvents;
    Busy& busy;  // shared with the conversion
};

// The whole search: replaces galaxyList by the "*.galaxy" files below pathlist[0] and then
// pathlist[1] (an empty entry or a missing folder finds nothing), moves the stage counter
// on by one, appends the found file names to Text1 and shows their number in Label6.
// Returns false, doing nothing, when a search or conversion is already running.
bool FindGalaxies(const std::array<std::string, 2>& pathlist, SearchState& state,
                  const SearchControls& controls);

}  // namespace galemend
