#include "conversion/Templates.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/SystemFacts.h"
#include "startup/Editions.h"
#include "startup/FormLoad.h"

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
    } else {
        SelectEdition(
            c, StartUpRule(s.sunderingInstalled ? Edition::Sundering : Edition::BaseOrConcord));
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
        s.targetVersionLines = ReadTextLines(c.fs, kTargetVersionFile, c.templates.codePage);
    }
    const std::string expected = LineAt(s.targetVersionLines, s.sunderingChosen ? 5 : 1);
    if (!s.dataFileMissing && !s.diagnosticMode && expected != s.corvversion) {
        c.host.ShowMessage(VersionMessage(s, expected));
        c.host.Terminate(static_cast<unsigned>(ExitStatus::VersionMismatch));
    }
}

}  // namespace galemend
