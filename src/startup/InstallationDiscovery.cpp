#include "conversion/LineFiles.h"
#include "conversion/TemplateLoaders.h"
#include "platform/AppPath.h"
#include "platform/FileVersion.h"
#include "platform/FolderExists.h"
#include "platform/RegistryAccess.h"
#include "platform/SpecialFolders.h"
#include "platform/WindowsBitness.h"
#include "platform/WindowsVersion.h"
#include "startup/EditionFolders.h"
#include "startup/FormLoad.h"
#include "startup/PathLog.h"

namespace galemend {

namespace {

constexpr const char* kNativeRoot = "HKEY_LOCAL_MACHINE\\SOFTWARE\\";
constexpr const char* kWow64Root = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\";
constexpr const char* kVendorKeys = "Brightforge\\Vantorhub\\";

// An installation folder from the registry with "\" appended; a missing value gives "\".
std::string Candidate(const InstallationContext& c, const char* edition) {
    const bool wow64 = Is64BitWindows(c.probe, c.fs, c.installation.systemDrive);
    const std::string key =
        std::string(wow64 ? kWow64Root : kNativeRoot) + kVendorKeys + edition + "\\Path";
    return RegistryAccess(c.probe, "read", key, "Path", "string").value_or("") + "\\";
}

std::string VersionMessage(const InstallationState& s, const std::string& expected) {
    return "found corv version :" + s.corvversion + ":\r\n" +  //
           " need corv version :" + expected + ":\r\n" +       //
           "in the default location of\r\n" +                  //
           s.gameFolder + "\r\n" +                             //
           "local apps is\r\n" +                               //
           s.homeFolder + ":\r\n" +                            //
           "and the corv user directory is\r\n" +              //
           s.pathlist[1];
}

void Sundering(const InstallationContext& c) {
    InstallationState& s = c.installation;
    const bool diagnostic = s.diagnosticMode;
    if (!diagnostic) {
        s.pathlist[1] = s.sunderingRegPath;
        s.gameFolder = s.sunderingRegPath;
    }
    s.editionLetter = "u";
    s.homeFolder = GetMyDocumentsPath(c.probe);
    if (!diagnostic) {
        s.pathlist[0] = s.homeFolder + kSunderingUserFolder;
    }
    if ((IsWindowsVista(c.probe) || IsWindows7(c.probe)) && !diagnostic) {
        s.pathlist[1] = s.homeFolder + kSunderingUserFolder;
    }
    if (FirstFile(c.fs, s.pathlist[0]).empty() && !diagnostic) {
        s.pathlist[1] = App_Path(c.probe);
    }
    ShowPathsAndLogThem(c);
    loadoriginalmaps(c.templates, c.fs, s.dataFileMissing);
    c.log.Line({s.gameFolder});
    s.corvversion = GetFileVersionString(c.probe, s.gameFolder + kBaseGameExe);
    c.log.Line({s.corvversion});
}

void BaseOrConcord(const InstallationContext& c) {
    InstallationState& s = c.installation;
    s.editionLetter = "c";
    s.gameFolder = ChosenBaseFolder(c.fs, s);
    s.pathlist[1] = s.gameFolder;
    s.pathlist[0] = s.homeFolder + kBaseUserFolder;
    if (IsWindowsVista(c.probe) || IsWindows7(c.probe)) {
        s.pathlist[1] = s.pathlist[0];
    }
    if (FirstFile(c.fs, s.pathlist[0]).empty()) {
        s.pathlist[1] = App_Path(c.probe);
    }
    ShowPathsAndLogThem(c);
    loadoriginalmaps(c.templates, c.fs, s.dataFileMissing);
}

}  // namespace

void DiscoverInstallation(const InstallationContext& c) {
    InstallationState& s = c.installation;
    Form1Controls& form = c.controls;

    s.sunderingRegPath = Candidate(c, "corvsundering");
    if (s.sunderingRegPath.size() > 3) {
        s.sunderingFolderExists = FolderExists(c.fs, s.sunderingRegPath);
    }
    s.corvRegPath = Candidate(c, "corv");
    s.concordRegPath = Candidate(c, "corvconcord");

    if (CountsAsFound(c.fs, s.corvRegPath)) {
        form.Command6.SetEnabled(true);
        s.corvInstalled = true;
    }
    if (CountsAsFound(c.fs, s.concordRegPath)) {
        form.Command6.SetEnabled(true);
        s.corvInstalled = true;
    }
    if (s.sunderingFolderExists && FolderExists(c.fs, s.sunderingRegPath)) {
        form.Command7.SetEnabled(true);
        s.sunderingInstalled = true;
    }

    if (s.corvInstalled && !s.sunderingInstalled) {
        s.gameFolder = ChosenBaseFolder(c.fs, s);
    }
    if (s.sunderingInstalled && !s.corvInstalled) {
        s.gameFolder = s.sunderingRegPath;
        s.sunderingChosen = true;
    }
    if (s.corvInstalled && s.sunderingInstalled) {
        s.bothEditions = true;
        form.Command6.SetVisible(true);
        form.Command7.SetVisible(true);
    } else if (s.sunderingInstalled) {
        Sundering(c);
    } else {
        BaseOrConcord(c);
    }

    // The installed version; with both families found the user's pick reads it again.
    c.log.Line({s.gameFolder});
    if (s.sunderingInstalled) {
        s.corvversion = GetFileVersionString(c.probe, s.gameFolder + kSunderingExe);
    }
    if (s.corvInstalled) {
        s.corvversion = GetFileVersionString(c.probe, s.gameFolder + kBaseGameExe);
    }
    c.log.Line({"corvversion", s.corvversion});

    if (s.bothEditions) {
        return;
    }
    if (FirstFile(c.fs, kTargetVersionFile).empty() || s.diagnosticMode) {
        s.dataFileMissing = true;
    }
    if (!s.dataFileMissing) {
        s.targetVersionLines = ReadTextLines(c.fs, kTargetVersionFile);
    }
    const std::string expected = LineAt(s.targetVersionLines, s.sunderingChosen ? 5 : 1);
    if (!s.dataFileMissing && !s.diagnosticMode && expected != s.corvversion) {
        c.probe.ShowMessage(VersionMessage(s, expected));
        c.probe.Terminate(static_cast<unsigned>(ExitStatus::VersionMismatch));
    }
}

}  // namespace galemend
