#pragma once

#include <array>
#include <functional>
#include <string>

#include "controls/Form1Controls.h"
#include "conversion/Templates.h"
#include "platform/FileSystem.h"
#include "platform/SystemProbe.h"
#include "startup/DiagnosticLog.h"
#include "text/Text.h"

namespace galemend {

// How the process ends. The window's own ends (exit, closing it) and a silent run that
// converted every old map end with Normal.
enum class ExitStatus : unsigned {
    Normal = 0,
    RuntimeError = 1,      // an unexpected error was reported and ended the program
    InvalidArgument = 2,   // the command line held something other than a silent switch
    VersionMismatch = 3,   // the installed game is not the version the templates are for
    MapsNotConverted = 4,  // a silent run could not convert some map, or could not start
    NoEditionChosen = 5,   // a silent run with both editions installed and none chosen
};

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

// What start-up and the edition buttons read and write.
struct InstallationContext {
    SystemProbe& probe;
    Host& host;
    FileSystem& fs;
    Form1Controls& controls;
    InstallationState& installation;
    TemplateState& templates;
    DiagnosticLog& log;
};

// Data files opened by bare name from the current folder.
inline constexpr const char* kTargetVersionFile = "targetcorvver.txt";

// Fixed names of the game's files and folders.
inline constexpr const char* kBaseGameExe = "Corvane Expanse.exe";
inline constexpr const char* kSunderingExe = "Corvane Expanse Sundering.exe";
inline constexpr const char* kBaseUserFolder = "\\Halberd Games\\Corvane Expanse\\";
inline constexpr const char* kSunderingUserFolder =
    "\\My Games\\Halberd Games\\Corvane Expanse Sundering";

// The silent run's search and conversion, done by the caller; returns how the process ends.
using SilentWork = std::function<ExitStatus()>;

// The whole start-up, before the window is first shown: system facts and diagnostic mode,
// installation discovery and the version check, then the command line. It may end the
// process through the host (version mismatch, invalid argument, end of a silent run).
void Form_Load(const InstallationContext& context, const SilentWork& silentRun);

// Steps of start-up, in the order Form_Load runs them.
void ReadSystemFacts(const InstallationContext& context);
void DiscoverInstallation(const InstallationContext& context);
void CommandLineStage(const InstallationContext& context, const SilentWork& silentRun);

}  // namespace galemend
