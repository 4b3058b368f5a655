#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "startup/FormLoad.h"

namespace galemend {

// The two edition families of the game.
enum class Edition { BaseOrConcord, Sundering };

// What picking an edition family does to the search folders, the game folder, the tool tips
// and the report. Start-up picks the one installed family; the edition buttons let the
// player pick. The fields say where the two pickers differ.
struct EditionRule {
    Edition edition;
    // Start-up in diagnostic mode leaves the Sundering game and search folders unset.
    bool keepFoldersInDiagnosticMode = false;
    // A user folder without ordinary files sends program space to the program's own folder;
    // the Sundering button has no such rule.
    bool programFolderForEmptyUserFolder = true;
    // Start-up writes labelled lines to the log it keeps open; a button opens info.txt for
    // appending and writes the bare values.
    bool labelledReport = true;
    // The Sundering button leaves the first files of the two search folders out of its report.
    bool reportSearchFolderFiles = true;
    // A button locks the choice, shows user space in the folder list and repaints at once.
    bool fromButton = false;
    // The game executable whose version is read and logged here; nullptr when the caller
    // reads the version itself. Start-up's Sundering branch reads the base game's name,
    // which its caller's version step then replaces.
    const char* versionExe = nullptr;
};

// The rule start-up applies when only this family is installed (or nothing is: the base
// family), and the rule of the family's button.
EditionRule StartUpRule(Edition edition);
EditionRule ButtonRule(Edition edition);

// Sets editionLetter, homeFolder (documents for Sundering), gameFolder, pathlist, the
// folder buttons' tool tips and the diagnostic report, then reloads the game's own maps.
void SelectEdition(const InstallationContext& context, const EditionRule& rule);

// Whether a registry candidate of the base game or the concord edition names an
// installation: longer than a drive root, and an existing folder.
bool CountsAsFound(const FileSystem& fs, const std::string& candidate);

// The base game's or the concord edition's folder, whichever counts as found; the concord
// edition wins. Empty when neither does.
std::string ChosenBaseFolder(const FileSystem& fs, const InstallationState& state);

}  // namespace galemend
