// The window's runner: the program that starts galemend3.exe in a prefix without changing the
// prefix's Wine, chosen from what the programs on the host's PATH answer themselves.
#include "linux/WindowRunner.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string_view>

namespace galemend {
namespace {

namespace fs = std::filesystem;

constexpr const char* kProgram = "galemend3.exe";
constexpr const char* kFlatpakApp = "com.github.Matoking.protontricks";

struct Version {
    std::array<int, 3> number{};  // major, minor, patch
    std::string text;
};

// The first version number in text: "1.14.1" of "protontricks (1.14.1)".
std::optional<Version> FindVersion(std::string_view text) {
    const std::size_t start = text.find_first_of("0123456789");
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    Version version;
    std::size_t at = start, part = 0;
    while (at < text.size() && part < version.number.size()) {
        int& value = version.number[part];
        for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
            value = std::min(value * 10 + (text[at] - '0'), 99999);
        }
        ++part;
        if (at + 1 >= text.size() || text[at] != '.' || text[at + 1] < '0' || text[at + 1] > '9') {
            break;
        }
        ++at;
    }
    version.text = std::string(text.substr(start, at - start));
    return version;
}

std::string Launcher(const GamePrefix& prefix) {
    return prefix.tool.empty() ? "its launcher" : prefix.tool;
}

void AddWouldRun(RunnerPlan& plan) {
    plan.problems.push_back("galemend would run:");
    plan.problems.push_back("  " + plan.command.Text());
}

// A protontricks found on the host: on PATH or as the Flatpak.
struct Protontricks {
    bool flatpak = false;
    std::string where;  // the protontricks-launch on PATH, or the Flatpak's name
    std::optional<Version> version;
    bool seesProgram = true;  // the Flatpak's sandbox sees galemend3.exe

    std::string Name() const {
        return "protontricks " + (version ? version->text + " " : "") + "(" + where + ")";
    }
};

// protontricks-launch on PATH, its version told by the protontricks beside it or on PATH.
std::optional<Protontricks> ProtontricksOnPath(const RunnerHost& host) {
    const std::string launch = FindProgram("protontricks-launch", host.path);
    if (launch.empty()) {
        return std::nullopt;
    }
    std::string protontricks = (fs::path(launch).parent_path() / "protontricks").string();
    if (!IsProgram(protontricks)) {
        protontricks = FindProgram("protontricks", host.path);
    }
    Protontricks found{false, launch, std::nullopt};
    const HostAnswer answer =
        protontricks.empty() ? HostAnswer{} : AskProgram(protontricks, {"--version"}, host);
    if (answer.status == 0) {
        found.version = FindVersion(answer.out);
    }
    return found;
}

// The Flatpak when it is installed: its version from flatpak info, and whether its sandbox
// sees the program (by default it sees only Steam's folders).
std::optional<Protontricks> ProtontricksFlatpak(const std::string& program,
                                                const RunnerHost& host) {
    const std::string flatpak = FindProgram("flatpak", host.path);
    const HostAnswer info =
        flatpak.empty() ? HostAnswer{} : AskProgram(flatpak, {"info", kFlatpakApp}, host);
    if (info.status != 0) {
        return std::nullopt;
    }
    Protontricks found{true, "Flatpak", std::nullopt};
    std::istringstream lines(info.out);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t start = line.find_first_not_of(" \t");
        if (start != std::string::npos && line.compare(start, 8, "Version:") == 0) {
            found.version = FindVersion(std::string_view(line).substr(start + 8));
        }
    }
    const std::vector<std::string> test{"run", "--command=test", kFlatpakApp, "-r", program};
    found.seesProgram = AskProgram(flatpak, test, host).status == 0;
    return found;
}

RunnerCommand ProtonCommand(const GamePrefix& prefix, bool flatpak, const std::string& program,
                            const std::string& folder, const std::vector<std::string>& arguments) {
    // protontricks 1.14 and later run the prefix this names, whichever library holds it.
    const std::string variable = "STEAM_COMPAT_DATA_PATH";
    RunnerCommand command;
    command.folder = folder;
    if (flatpak) {
        command.arguments = {"flatpak", "run", "--env=" + variable + "=" + prefix.compatData,
                             "--command=protontricks-launch", kFlatpakApp};
    } else {
        command.environment = {{variable, prefix.compatData}};
        command.arguments = {"protontricks-launch"};
    }
    command.arguments.insert(command.arguments.end(), {"--appid", prefix.appId, program});
    command.arguments.insert(command.arguments.end(), arguments.begin(), arguments.end());
    return command;
}

bool SameFolder(const std::string& one, const std::string& other) {
    std::error_code error;
    return one == other || fs::equivalent(one, other, error);
}

// Why this protontricks cannot run galemend in the prefix; nothing when it can.
std::vector<std::string> ProtontricksProblems(const Protontricks& protontricks,
                                              const GamePrefix& prefix,
                                              const std::vector<GamePrefix>& found,
                                              const std::string& folder) {
    std::vector<std::string> problems;
    const std::string name = protontricks.Name();
    const std::optional<Version>& version = protontricks.version;
    if (!version) {
        problems.push_back(name + " does not tell its version; galemend needs 1.12 or later");
    } else if (version->number < std::array{1, 12, 0}) {
        problems.push_back(name +
                           " is older than 1.12: it would start galemend in the game's folder, "
                           "away from its data files");
    } else if (version->number < std::array{1, 14, 0}) {
        // Before 1.14 it runs the compatdata whose pfx.lock is newest.
        for (const GamePrefix& other : found) {
            if (other.kind == PrefixKind::Proton && other.appId == prefix.appId &&
                !SameFolder(other.compatData, prefix.compatData)) {
                problems.push_back("Steam app " + prefix.appId + " has a Proton prefix in " +
                                   prefix.compatData + " and in " + other.compatData + "; " +
                                   "protontricks " + version->text +
                                   " cannot be told which; update it to 1.14 or later");
                break;
            }
        }
    }
    if (!problems.empty()) {
        problems.push_back(protontricks.flatpak
                               ? std::string("update it from Discover, or with: flatpak update ") +
                                     kFlatpakApp
                               : "update it with your distribution's package manager, or with: "
                                 "pipx upgrade protontricks");
    }
    if (!protontricks.seesProgram) {
        problems.push_back(
            "the protontricks Flatpak cannot see galemend's folder; let it with: "
            "flatpak override --user " +
            ShellWord("--filesystem=" + folder) + " " + kFlatpakApp);
    }
    return problems;
}

RunnerPlan PlanProton(const GamePrefix& prefix, const std::vector<GamePrefix>& found,
                      const std::string& program, const std::string& folder,
                      const std::vector<std::string>& arguments, const RunnerHost& host) {
    RunnerPlan plan;
    std::optional<bool> firstFlatpak;
    // The one on PATH first; the Flatpak when that one is missing or cannot run galemend.
    for (const bool flatpak : {false, true}) {
        const std::optional<Protontricks> protontricks =
            flatpak ? ProtontricksFlatpak(program, host) : ProtontricksOnPath(host);
        if (!protontricks) {
            continue;
        }
        std::vector<std::string> problems =
            ProtontricksProblems(*protontricks, prefix, found, folder);
        if (problems.empty()) {
            plan.problems.clear();
            plan.command = ProtonCommand(prefix, flatpak, program, folder, arguments);
            plan.announcement = "running in the Proton prefix of Steam app " + prefix.appId + " (" +
                                prefix.compatData + ") with " + protontricks->Name();
            return plan;
        }
        firstFlatpak = firstFlatpak.value_or(flatpak);
        plan.problems.insert(plan.problems.end(), problems.begin(), problems.end());
    }
    if (!firstFlatpak) {
        plan.problems = {
            "this prefix belongs to Steam app " + prefix.appId +
                "; galemend runs there only with the game's own Proton, through protontricks "
                "(1.12 or later), which is not installed",
            std::string("on Steam Deck, install Protontricks from Discover, or with: "
                        "flatpak install flathub ") +
                kFlatpakApp,
            "elsewhere, install your distribution's protontricks package, or with: "
            "pipx install protontricks"};
    }
    plan.command = ProtonCommand(prefix, firstFlatpak.value_or(false), program, folder, arguments);
    AddWouldRun(plan);
    return plan;
}

RunnerPlan PlanUmu(const GamePrefix& prefix, const std::string& program, const std::string& folder,
                   const std::vector<std::string>& arguments, const RunnerHost& host) {
    RunnerPlan plan;
    plan.command.folder = folder;
    plan.command.environment = {{"WINEPREFIX", prefix.compatData}, {"PROTONPATH", prefix.proton}};
    plan.command.arguments = {"umu-run", program};
    plan.command.arguments.insert(plan.command.arguments.end(), arguments.begin(), arguments.end());
    const std::string startOnce = "; start the game once from " + Launcher(prefix) +
                                  ", which records it, then run galemend again";
    std::error_code error;
    if (prefix.proton.empty()) {
        plan.problems.push_back("the prefix " + prefix.compatData +
                                " does not record which Proton runs it" + startOnce);
    } else if (!fs::exists(fs::path(prefix.proton) / "proton", error)) {
        plan.problems.push_back("the Proton that last ran the prefix " + prefix.compatData + ", " +
                                prefix.proton + ", is gone (it has no proton)" + startOnce);
    }
    if (FindProgram("umu-run", host.path).empty()) {
        plan.problems.push_back(
            "this prefix is Proton's, from " + Launcher(prefix) +
            "; galemend runs there only with umu-run, which is not installed: install "
            "umu-launcher (your distribution's package, or from its releases)");
        AddWouldRun(plan);
    } else if (plan.problems.empty()) {
        plan.announcement = "running in the umu prefix " + prefix.compatData + " (" +
                            Launcher(prefix) + ") with umu-run and " + prefix.proton;
    }
    return plan;
}

RunnerPlan PlanWine(const GamePrefix& prefix, const std::string& program, const std::string& folder,
                    const std::vector<std::string>& arguments, const RunnerHost& host) {
    const std::string wine = host.wine.empty() ? "wine" : host.wine;
    RunnerPlan plan;
    plan.command.folder = folder;
    plan.command.environment = {{"WINEPREFIX", prefix.path}};
    plan.command.arguments = {wine, program};
    plan.command.arguments.insert(plan.command.arguments.end(), arguments.begin(), arguments.end());
    if (FindProgram(wine, host.path).empty()) {
        plan.problems.push_back(
            (host.wine.empty()
                 ? "no Wine to run galemend with: wine is not on PATH"
                 : "no Wine to run galemend with: WINE names " + wine + ", which is no program") +
            "; install Wine, or set WINE to the Wine " + Launcher(prefix) +
            " runs this prefix with");
        AddWouldRun(plan);
    } else {
        plan.announcement = "running in the Wine prefix " + prefix.path + " (" + Launcher(prefix) +
                            ") with " + wine;
    }
    return plan;
}

}  // namespace

RunnerPlan PlanWindowRun(const GamePrefix& prefix, const std::vector<GamePrefix>& found,
                         const std::string& programFolder,
                         const std::vector<std::string>& arguments, const RunnerHost& host) {
    const std::string program = (fs::path(programFolder) / kProgram).string();
    std::error_code error;
    if (!fs::is_regular_file(program, error)) {
        RunnerPlan plan;
        plan.problems.push_back(std::string(kProgram) + " is not in " + programFolder +
                                ", the folder of galemend and its data files");
        return plan;
    }
    switch (prefix.kind) {
        case PrefixKind::Proton:
            return PlanProton(prefix, found, program, programFolder, arguments, host);
        case PrefixKind::Umu:
            return PlanUmu(prefix, program, programFolder, arguments, host);
        case PrefixKind::Wine:
            break;
    }
    return PlanWine(prefix, program, programFolder, arguments, host);
}

}  // namespace galemend