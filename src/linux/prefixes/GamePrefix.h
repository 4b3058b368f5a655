#pragma once

#include <string>
#include <vector>

namespace galemend {

// How a prefix must be run, from the most bound to Proton to the least. A Proton or umu prefix is
// kept at its Proton's version by that Proton alone: another Wine would update it to its own
// version and can break the game.
enum class PrefixKind {
    Proton,  // Steam's: compatdata/<app id>/pfx of a Steam library, run by protontricks
    Umu,     // Proton outside Steam (Heroic, Lutris, umu itself), run by umu-run
    Wine,    // plain Wine (~/.wine, Lutris, Heroic, Bottles), run by $WINE or wine
};

// A Wine prefix found on this machine, described from the path it was found at: symbolic
// links are resolved only to tell two roads to the same prefix apart.
struct GamePrefix {
    PrefixKind kind = PrefixKind::Wine;
    std::string tool;        // who made it: Steam, Heroic, Lutris, umu, Bottles or Wine
    std::string path;        // the Wine prefix itself: the folder with drive_c and system.reg
    std::string compatData;  // Proton and umu: the folder Proton keeps pfx.lock and version in
    std::string appId;       // Steam: the app id of compatdata/<app id>
    std::string library;     // Steam: the library (the folder that holds steamapps)
    std::string proton;      // umu: the Proton that last ran the prefix, empty when unknown
    std::string editions;    // the game's families installed there: "corv/concord, sundering"
};

// The kind's name as --list prints it.
const char* KindName(PrefixKind kind);

}  // namespace galemend
