#include "startup/Editions.h"

#include "conversion/Templates.h"
#include "platform/RuntimeError.h"
#include "platform/SystemFacts.h"

namespace galemend {

namespace {

const char* UserFolder(Edition edition) {
    return edition == Edition::Sundering ? kSunderingUserFolder : kBaseUserFolder;
}

const char* GameExe(Edition edition) {
    return edition == Edition::Sundering ? kSunderingExe : kBaseGameExe;
}

void SetFolders(const InstallationContext& c, const EditionRule& rule) {
    InstallationState& s = c.installation;
    s.gameFolder =
        rule.edition == Edition::Sundering ? s.sunderingRegPath : ChosenBaseFolder(c.fs, s);
    s.pathlist[1] = s.gameFolder;
    s.pathlist[0] = s.homeFolder + UserFolder(rule.edition);
    if (IsWindowsVista(c.probe) || IsWindows7(c.probe)) {
        s.pathlist[1] = s.pathlist[0];
    }
    if (rule.programFolderForEmptyUserFolder && FirstFile(c.fs, s.pathlist[0]).empty()) {
        s.pathlist[1] = App_Path(c.probe);
    }
}

void Report(const InstallationContext& c, const EditionRule& rule) {
    const InstallationState& s = c.installation;
    if (rule.labelledReport ? !c.log.IsOpen() : !s.infoLogOn) {
        return;
    }
    // Start-up labels each value; a button writes the bare values.
    const auto label = [&](const char* text) { return rule.labelledReport ? text : ""; };
    const std::string appPath = App_Path(c.probe);
    if (!rule.labelledReport) {
        c.log.OpenForAppending();
    }
    c.log.Line({label("pathlist(1)"), s.pathlist[1]});
    c.log.Line({label("pathlist(0)"), s.pathlist[0]});
    c.log.Line({label("home "), s.homeFolder});
    c.log.Line({label("App_Path()"), appPath});
    c.log.Line({});
    if (rule.reportSearchFolderFiles) {
        c.log.Line({label("Dir(pathlist(1))"), FirstFile(c.fs, s.pathlist[1])});
        c.log.Line({label("Dir(pathlist(0))"), FirstFile(c.fs, s.pathlist[0])});
    }
    c.log.Line({label("Dir(App_Path())"), FirstFile(c.fs, appPath)});
}

}  // namespace

EditionRule StartUpRule(Edition edition) {
    EditionRule rule{edition};
    if (edition == Edition::Sundering) {
        rule.keepFoldersInDiagnosticMode = true;
        rule.versionExe = kBaseGameExe;
    }
    return rule;
}

EditionRule ButtonRule(Edition edition) {
    EditionRule rule{edition};
    rule.labelledReport = false;
    rule.fromButton = true;
    rule.versionExe = GameExe(edition);
    if (edition == Edition::Sundering) {
        rule.programFolderForEmptyUserFolder = false;
        rule.reportSearchFolderFiles = false;
    }
    return rule;
}

void SelectEdition(const InstallationContext& c, const EditionRule& rule) {
    InstallationState& s = c.installation;
    s.editionLetter = rule.edition == Edition::Sundering ? "u" : "c";
    if (rule.fromButton) {
        c.controls.Command6.SetEnabled(false);
        c.controls.Command7.SetEnabled(false);
    }
    if (rule.edition == Edition::Sundering) {
        s.homeFolder = GetMyDocumentsPath(c.probe, c.host);
    }
    if (!(rule.keepFoldersInDiagnosticMode && s.diagnosticMode)) {
        SetFolders(c, rule);
    }
    c.controls.Command4.SetToolTip(s.pathlist[1]);
    c.controls.Command5.SetToolTip(s.pathlist[0]);
    Report(c, rule);

    if (rule.fromButton) {
        try {
            c.controls.Dir1.SetPath(s.pathlist[0]);
        } catch (const RuntimeError&) {
            // The game has not been run by this player yet: the list stays where it was.
        }
        c.host.RepaintWindows();
    }
    loadoriginalmaps(c.templates, c.fs, s.dataFileMissing);
    if (rule.versionExe != nullptr) {
        c.log.Line({s.gameFolder});
        s.corvversion = GetFileVersionString(c.probe, s.gameFolder + rule.versionExe);
        c.log.Line({s.corvversion});
    }
}

bool CountsAsFound(const FileSystem& fs, const std::string& candidate) {
    return candidate.size() > 4 && FolderExists(fs, candidate);
}

std::string ChosenBaseFolder(const FileSystem& fs, const InstallationState& state) {
    std::string folder;
    if (CountsAsFound(fs, state.corvRegPath)) {
        folder = state.corvRegPath;
    }
    if (CountsAsFound(fs, state.concordRegPath)) {
        folder = state.concordRegPath;
    }
    return folder;
}

}  // namespace galemend
