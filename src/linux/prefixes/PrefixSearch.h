#pragma once

#include <optional>
#include <string>
#include <vector>

#include "linux/prefixes/GamePrefix.h"

namespace galemend {

// Where the search looks: the home and the variables that move things elsewhere.
struct SearchPlaces {
    std::string home;         // $HOME
    std::string winePrefix;   // $WINEPREFIX
    std::string steamDir;     // $STEAM_DIR
    std::string xdgDataHome;  // $XDG_DATA_HOME, or ~/.local/share
    static SearchPlaces OfThisProcess();
};

struct SearchResult {
    std::vector<GamePrefix> prefixes;  // each prefix that holds the game, once
    std::vector<std::string> notes;    // files that could not be read, prefixes passed over
};

// Every prefix on this machine that holds the game: Steam's Proton prefixes in every library
// of every Steam install, then $WINEPREFIX, ~/.wine, Heroic's, umu's, Lutris's and Bottles'.
// A prefix reached by several roads is listed once, as the first road found it.
SearchResult FindGamePrefixes(const SearchPlaces& places);

// A folder the player named, described as the search would describe it; the folder may be a
// compatdata folder or Heroic's game folder, whose pfx is the prefix. Nothing when it is no
// Wine prefix. Its editions are read, but it need not hold the game.
std::optional<GamePrefix> DescribePrefix(const std::string& folder, const std::string& tool);

// The whole path with every link resolved, for telling roads to one folder apart; the path
// itself when it cannot be resolved.
std::string CanonicalPath(const std::string& path);

// One prefix as --list prints it: a line with its kind, then its path and its editions.
std::string ListEntry(const GamePrefix& prefix);

// The places the search looked in, one per line, for a player who expected a prefix there.
std::string PlacesLookedIn(const SearchPlaces& places);

}  // namespace galemend
