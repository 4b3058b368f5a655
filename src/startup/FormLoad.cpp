#include "startup/FormLoad.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <vector>

#include "discovery/FindGalaxies.h"
#include "platform/FileSystem.h"
#include "platform/SystemFacts.h"

namespace galemend {

void Form_Load(const InstallationContext& context, const SilentWork& silentRun) {
    ReadSystemFacts(context);
    DiscoverInstallation(context);
    CommandLineStage(context, silentRun);
}

namespace {

constexpr const char* kDiagnosticMarker = "probe";
constexpr const char* kDiagnosticCaption = " DeBuGgInG M O D E!";

}  // namespace

void ReadSystemFacts(const InstallationContext& c) {
    InstallationState& state = c.installation;
    Form1Controls& form = c.controls;
    const auto env = [&](const char* name) { return c.probe.EnvironmentVariable(name); };

    state.systemDrive = env("windir").substr(0, 2);

    state.targetVersionLines = ReadTextLines(c.fs, kTargetVersionFile, c.templates.codePage);
    // A short file simply has no marker line.
    state.diagnosticMode = LowerCase(LineAt(state.targetVersionLines, 7)) == kDiagnosticMarker;
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

    state.homeFolder = GetLocalAppDataPath(c.probe, c.host);
    c.log.Line({state.homeFolder});

    form.File1.SetPattern(std::string(kGalaxyPattern));
}

namespace {

constexpr std::array<std::string_view, 4> kSilentSwitches{"-s", "/s", "/silent", "-silent"};

// Every single space separates: two in a row give an empty token; quotes are ordinary.
std::vector<std::string> Tokens(const std::string& commandLine) {
    std::vector<std::string> tokens;
    if (commandLine.empty()) {
        return tokens;
    }
    size_t start = 0;
    while (true) {
        const size_t space = commandLine.find(' ', start);
        tokens.push_back(commandLine.substr(start, space - start));
        if (space == std::string::npos) {
            return tokens;
        }
        start = space + 1;
    }
}

bool IsSilentSwitch(const std::string& token) {
    return std::find(kSilentSwitches.begin(), kSilentSwitches.end(), LowerCase(token)) !=
           kSilentSwitches.end();
}

}  // namespace

void CommandLineStage(const InstallationContext& c, const SilentWork& silentRun) {
    Form1Controls& form = c.controls;
    for (const auto& token : Tokens(c.probe.CommandLine())) {
        if (!IsSilentSwitch(token)) {
            c.host.ShowMessage("Invalid argument: " + token);
            c.host.Terminate(static_cast<unsigned>(ExitStatus::InvalidArgument));
        }
        for (Button* button :
             {&form.Command1, &form.Command2, &form.Command3, &form.Command4, &form.Command5}) {
            button->SetEnabled(false);
        }
        form.Label19.SetVisible(true);
        c.installation.silentMode = true;
    }
    if (c.installation.infoLogOn) {
        c.log.Close();
    }
    if (c.installation.silentMode) {
        c.host.Terminate(static_cast<unsigned>(silentRun()));
    }
    form.Command2.SetEnabled(false);
}

}  // namespace galemend
