#pragma once

#include "controls/Form1Controls.h"
#include "conversion/TemplateState.h"
#include "platform/FileSystem.h"
#include "platform/SystemProbe.h"
#include "startup/DiagnosticLog.h"
#include "startup/InstallationState.h"

namespace galemend {

// What start-up and the edition buttons read and write.
struct InstallationContext {
    SystemProbe& probe;
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

// Line n (counted from 1) of a line list, or empty when the list is shorter.
std::string LineAt(const LineList& lines, size_t n);

}  // namespace galemend
