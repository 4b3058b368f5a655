#pragma once

#include <array>
#include <string>

#include "conversion/LineList.h"

namespace galemend {

// What start-up learns about the system and the game, and what the edition buttons change
// later. Strings start empty and flags false.
struct InstallationState {
    std::string systemDrive;  // "C:" from the Windows folder's path
    LineList targetVersionLines;
    bool diagnosticMode = false;
    bool infoLogOn = false;
    bool dataFileMissing = false;  // never cleared
    bool silentMode = false;

    std::string homeFolder;
    std::string corvRegPath;
    std::string concordRegPath;
    std::string sunderingRegPath;
    bool sunderingFolderExists = false;
    bool corvInstalled = false;
    bool sunderingInstalled = false;
    bool bothEditions = false;
    bool sunderingChosen = false;

    std::string gameFolder;
    std::array<std::string, 2> pathlist;  // 0: user space, 1: program space
    std::string editionLetter;            // "c", "u", or empty while no edition is chosen
    std::string corvversion;

    // Both families are installed and the player has not picked one yet.
    bool EditionPending() const { return bothEditions && editionLetter.empty(); }
};

}  // namespace galemend
