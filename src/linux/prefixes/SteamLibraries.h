#pragma once

#include <string>
#include <vector>

namespace galemend {

// Where Steam keeps its files on this machine. A root is where Steam is installed; each root
// is a library itself and names the others in libraryfolders.vdf.
struct SteamPlaces {
    std::string home;
    std::string steamDir;     // $STEAM_DIR, when set
    std::string xdgDataHome;  // $XDG_DATA_HOME, or ~/.local/share
};

// The roots to look in, in order: $STEAM_DIR, the native install, the Flatpak's, the Snap's
// and the ~/.steam links. Those without a steamapps folder are left out later.
std::vector<std::string> SteamRootCandidates(const SteamPlaces& places);

// The entry of folder whose name equals name without regard to ASCII case (Steam accepts
// SteamApps as well as steamapps), as a path through folder; "" when there is none.
std::string ChildIgnoringCase(const std::string& folder, const std::string& name);

// The libraries libraryfolders.vdf names, in either of the formats Steam has written:
// "libraryfolders" { "0" { "path" "/x" ... } } today, "LibraryFolders" { "1" "/x" } before.
// A file that cannot be read as KeyValues adds a line to problems naming it.
std::vector<std::string> LibrariesNamedIn(const std::string& vdfFile,
                                          std::vector<std::string>& problems);

// The prefix folders a library holds: <steamapps>/compatdata/<app id>/pfx, for each app id of
// digits, reached through the library's own spelling of the folders.
std::vector<std::string> CompatDataPrefixes(const std::string& library);

}  // namespace galemend
