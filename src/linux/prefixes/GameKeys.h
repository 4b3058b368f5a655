#pragma once

#include <string>

namespace galemend {

// What a prefix's registry says of the game, read as galemend3.exe reads it there.
struct GameKeys {
    // The families whose installation galemend3.exe would find: "corv/concord",
    // "sundering" or both, comma-separated; empty when it would find none.
    std::string editions;
    // The game's keys exist, but only where galemend3.exe does not look (a 64-bit prefix
    // with them under Software\ rather than Software\Wow6432Node\).
    bool keysOutOfView = false;
};

// Reads the prefix's system.reg (and user.reg, for the Windows version it sets). A registry
// that cannot be read, or a prefix without drives, holds no game.
GameKeys ReadGameKeys(const std::string& prefix);

}  // namespace galemend
