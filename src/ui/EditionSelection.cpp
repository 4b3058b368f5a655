#include "conversion/TemplateLoaders.h"
#include "platform/AppPath.h"
#include "platform/FileVersion.h"
#include "platform/RuntimeError.h"
#include "platform/SpecialFolders.h"
#include "platform/WindowsVersion.h"
#include "startup/EditionFolders.h"
#include "ui/Form1.h"

namespace galemend {

namespace {

bool VistaOr7(const SystemProbe& probe) {
    return IsWindowsVista(probe) || IsWindows7(probe);
}

void LockChoice(Form1& form) {
    form.controls.Command6.SetEnabled(false);
    form.controls.Command7.SetEnabled(false);
}

void ShowToolTips(Form1& form) {
    form.controls.Command4.SetToolTip(form.installation.pathlist[1]);
    form.controls.Command5.SetToolTip(form.installation.pathlist[0]);
}

// The report both buttons start with in diagnostic mode; the log then stays open.
void OpenReport(Form1& form, bool withSearchFolders) {
    if (!form.installation.infoLogOn) {
        return;
    }
    const auto& s = form.installation;
    const std::string appPath = App_Path(form.probe);
    form.log.OpenForAppending();
    form.log.Line({s.pathlist[1]});
    form.log.Line({s.pathlist[0]});
    form.log.Line({s.homeFolder});
    form.log.Line({appPath});
    form.log.Line({});
    if (withSearchFolders) {
        form.log.Line({FirstFile(form.fs, s.pathlist[1])});
        form.log.Line({FirstFile(form.fs, s.pathlist[0])});
    }
    form.log.Line({FirstFile(form.fs, appPath)});
}

// Shows the user-space folder and reloads the game's own maps and the installed version.
void Finish(Form1& form, const char* exe) {
    auto& s = form.installation;
    try {
        form.controls.Dir1.SetPath(s.pathlist[0]);
    } catch (const RuntimeError&) {
        // The game has not been run by this player yet: the list stays where it was.
    }
    if (form.repaint) {
        form.repaint();
    }
    loadoriginalmaps(form.templates, form.fs, s.dataFileMissing);
    form.log.Line({s.gameFolder});
    s.corvversion = GetFileVersionString(form.probe, s.gameFolder + exe);
    form.log.Line({s.corvversion});
}

}  // namespace

void Command6_Click(Form1& form) {
    if (form.busy.Running()) {
        return;
    }
    auto& s = form.installation;
    s.editionLetter = "c";
    LockChoice(form);
    s.gameFolder = ChosenBaseFolder(form.fs, s);
    s.pathlist[1] = s.gameFolder;
    s.pathlist[0] = s.homeFolder + kBaseUserFolder;
    if (VistaOr7(form.probe)) {
        s.pathlist[1] = s.homeFolder + kBaseUserFolder;
    }
    if (FirstFile(form.fs, s.pathlist[0]).empty()) {
        s.pathlist[1] = App_Path(form.probe);
    }
    ShowToolTips(form);
    OpenReport(form, true);
    Finish(form, kBaseGameExe);
}

void Command7_Click(Form1& form) {
    if (form.busy.Running()) {
        return;
    }
    auto& s = form.installation;
    s.pathlist[1] = s.sunderingRegPath;
    s.gameFolder = s.sunderingRegPath;
    LockChoice(form);
    s.homeFolder = GetMyDocumentsPath(form.probe);
    s.editionLetter = "u";
    s.pathlist[0] = s.homeFolder + kSunderingUserFolder;
    if (VistaOr7(form.probe)) {
        s.pathlist[1] = s.pathlist[0];
    }
    ShowToolTips(form);
    OpenReport(form, false);
    Finish(form, kSunderingExe);
}

}  // namespace galemend
