#include <algorithm>
#include <cctype>

#include "conversion/LineFiles.h"
#include "discovery/FindGalaxies.h"
#include "platform/SpecialFolders.h"
#include "platform/WindowsBitness.h"
#include "platform/WindowsVersion.h"
#include "startup/FormLoad.h"

namespace galemend {

namespace {

constexpr const char* kDiagnosticMarker = "probe";
constexpr const char* kDiagnosticCaption = " DeBuGgInG M O D E!";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

void ReadSystemFacts(const InstallationContext& c) {
    InstallationState& state = c.installation;
    Form1Controls& form = c.controls;
    const auto env = [&](const char* name) { return c.probe.EnvironmentVariable(name); };

    state.systemDrive = env("windir").substr(0, 2);

    state.targetVersionLines = ReadTextLines(c.fs, kTargetVersionFile);
    // A short file simply has no marker line.
    state.diagnosticMode = Lower(LineAt(state.targetVersionLines, 7)) == kDiagnosticMarker;
    state.infoLogOn = state.diagnosticMode;
    if (state.diagnosticMode) {
        form.Caption.SetCaption(form.Caption.Caption() + kDiagnosticCaption);
    }

    form.Label11.SetCaption(env("PROCESSOR_ARCHITECTURE") + " type");
    form.Label12.SetCaption(env("PROCESSOR_IDENTIFIER") + " ID");
    form.Label13.SetCaption(env("PROCESSOR_LEVEL") + " Level");
    form.Label14.SetCaption(env("PROCESSOR_REVISION") + " revision");
    form.Label15.SetCaption(GetWindowsShortName(c.probe));
    form.Label16.SetCaption(" 32 bit");
    if (Is64BitWindows(c.probe, c.fs, state.systemDrive)) {
        form.Label16.SetCaption(" 64 bit");
    }
    form.Label17.SetCaption(env("NUMBER_OF_PROCESSORS") + " cores");
    form.Label18.SetCaption(env("OS") + " O.S.");

    if (state.infoLogOn) {
        c.log.Create();
        c.log.Line({GetWindowsShortName(c.probe), ", 64 bit ?",
                    FlagText(Is64BitWindows(c.probe, c.fs, state.systemDrive))});
        c.log.Line({form.Label11.Caption(), form.Label17.Caption(), form.Label12.Caption()});
        c.log.Line({});
    }

    state.homeFolder = GetLocalAppDataPath(c.probe);
    c.log.Line({state.homeFolder});

    form.File1.SetPattern(std::string(kGalaxyPattern));
}

}  // namespace galemend
