#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <vector>

#include "startup/FormLoad.h"

namespace galemend {

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

bool IsSilentSwitch(std::string token) {
    std::transform(token.begin(), token.end(), token.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::find(kSilentSwitches.begin(), kSilentSwitches.end(), token) !=
           kSilentSwitches.end();
}

}  // namespace

void CommandLineStage(const InstallationContext& c, const SilentWork& silentRun) {
    Form1Controls& form = c.controls;
    for (const auto& token : Tokens(c.probe.CommandLine())) {
        if (!IsSilentSwitch(token)) {
            c.probe.ShowMessage("Invalid argument: " + token);
            c.probe.Terminate(static_cast<unsigned>(ExitStatus::InvalidArgument));
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
        c.probe.Terminate(static_cast<unsigned>(silentRun()));
    }
    form.Command2.SetEnabled(false);
}

}  // namespace galemend
