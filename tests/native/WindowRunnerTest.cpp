// The window's runner on a host of stand-in programs: sh scripts in a temporary folder that is
// the host's PATH. A stand-in wine noting every call is always there, and no Proton or umu
// prefix may reach it, whether its plan runs or is refused.
#include "linux/WindowRunner.h"

#include <gmock/gmock.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "support/ScopedTempDir.h"

namespace galemend::test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
namespace fs = std::filesystem;

class WindowRunnerTest : public ::testing::Test {
  protected:
    WindowRunnerTest() {
        fs::create_directories(folder_);
        std::ofstream(exe_) << "MZ";
        Recorder("bin/wine", {"WINEPREFIX"});
    }
    void TearDown() override {
        if (!wineMayRun_) {
            EXPECT_FALSE(fs::exists(Log("wine"))) << "a Proton or umu prefix got wine";
        }
    }

    fs::path Root() const { return fs::canonical(temp_.Host()); }
    // A stand-in program at Root()/relative: sh running body.
    void Program(const std::string& relative, const std::string& body) const {
        const fs::path file = Root() / relative;
        fs::create_directories(file.parent_path());
        std::ofstream(file) << "#!/bin/sh\n" << body << "\n";
        ::chmod(file.c_str(), 0755);
    }
    // A stand-in noting in <name>.log the folder it runs in, the variables and its arguments.
    void Recorder(const std::string& relative, const std::vector<std::string>& variables) const {
        std::string words;
        for (const std::string& name : variables) {
            words += " \"" + name + "=${" + name + "-unset}\"";
        }
        Program(relative, "{ pwd -P; printf '%s\\n'" + words + " \"$@\"; } >>'" +
                              Log(fs::path(relative).filename()) + "'");
    }
    std::string Log(const std::string& name) const { return (Root() / (name + ".log")).string(); }
    std::vector<std::string> Lines(const std::string& name) const {
        std::ifstream in(Log(name));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }
    // protontricks-launch and the protontricks that tells its version, in folder.
    void Protontricks(const std::string& folder, const std::string& version) const {
        Recorder(folder + "/protontricks-launch", {"STEAM_COMPAT_DATA_PATH"});
        Program(folder + "/protontricks", "printf 'protontricks (%s)\\n' '" + version + "'");
    }
    RunnerPlan Plan(const GamePrefix& prefix, const std::vector<GamePrefix>& found = {}) const {
        return PlanWindowRun(prefix, found, folder_.string(), {"/s"}, host_);
    }
    std::string FirstProblem(const GamePrefix& prefix, const std::vector<GamePrefix>& found = {}) {
        const RunnerPlan plan = Plan(prefix, found);
        return plan.problems.empty() ? "(none)" : plan.problems.front();
    }

    ScopedTempDir temp_;
    fs::path folder_ = Root() / "galemend's $folder";
    // The folder as a shell word, its closing quote left out.
    std::string quotedFolder_ = "'" + Root().string() + "/galemend'\\''s $folder";
    std::string exe_ = (folder_ / "galemend3.exe").string();
    RunnerHost host_{(Root() / "bin").string(), ""};
    bool wineMayRun_ = false;
};

GamePrefix Prefix(PrefixKind kind, const std::string& tool, const std::string& compatData,
                  const std::string& appId = "") {
    GamePrefix prefix;
    prefix.kind = kind;
    prefix.tool = tool;
    prefix.compatData = compatData;
    prefix.path = compatData + "/pfx";
    prefix.appId = appId;
    return prefix;
}

const GamePrefix kSteamA =
    Prefix(PrefixKind::Proton, "Steam", "/a/steamapps/compatdata/2280", "2280");
const GamePrefix kSteamB =
    Prefix(PrefixKind::Proton, "Steam", "/b/steamapps/compatdata/2280", "2280");

TEST_F(WindowRunnerTest, CommandTextIsReadBackByAShellWordForWord) {
    EXPECT_EQ((RunnerCommand{{{"WINEPREFIX", "/p/pfx"}}, {"wine", "/g/galemend3.exe", "/s"}, "/g"})
                  .Text(),
              "cd /g && WINEPREFIX=/p/pfx wine /g/galemend3.exe /s");
    const RunnerCommand command{{{"V", "a 'b' $c"}},
                                {"/bin/sh", "-c", "pwd -P; printf '[%s]\\n' \"$V\" \"$@\"", "sh",
                                 "two words", "", "$PATH", "x\"y\\z"},
                                folder_.string()};
    EXPECT_EQ(AskProgram("/bin/sh", {"-c", command.Text()}, host_).out,
              folder_.string() + "\n[a 'b' $c]\n[two words]\n[]\n[$PATH]\n[x\"y\\z]\n");
}

// Where it starts and what it is given, each runner's test shows.
TEST_F(WindowRunnerTest, RunCommandPassesBackTheExitStatusOrSaysItCouldNotStart) {
    Program("bin/seven", "exit 7");
    Program("bin/killed", "kill -TERM $$");
    EXPECT_EQ(RunCommand({{}, {"seven"}, folder_.string()}, host_), 7);
    EXPECT_EQ(RunCommand({{}, {"killed"}, ""}, host_), 128 + SIGTERM);
    EXPECT_EQ(RunCommand({{}, {"absent"}, ""}, host_), 11);
    EXPECT_EQ(RunCommand({{}, {"seven"}, (Root() / "gone").string()}, host_), 11);
}

TEST_F(WindowRunnerTest, ProtontricksRunsThePrefixItIsToldOfFromGalemendsFolder) {
    Protontricks("bin", "1.14.1");
    // 1.14 takes the prefix from STEAM_COMPAT_DATA_PATH, so another library's does not matter.
    const RunnerPlan plan = Plan(kSteamA, {kSteamB, kSteamA});
    EXPECT_THAT(plan.problems, IsEmpty());
    EXPECT_EQ(plan.announcement,
              "running in the Proton prefix of Steam app 2280 (/a/steamapps/compatdata/2280) "
              "with protontricks 1.14.1 (" +
                  host_.path + "/protontricks-launch)");
    EXPECT_EQ(RunCommand(plan.command, host_), 0);
    EXPECT_THAT(Lines("protontricks-launch"),
                ElementsAre(folder_.string(), "STEAM_COMPAT_DATA_PATH=" + kSteamA.compatData,
                            "--appid", "2280", exe_, "/s"));
}

TEST_F(WindowRunnerTest, ProtontricksBefore112OrOfNoVersionOrBefore114WithTwoPrefixesIsRefused) {
    Protontricks("bin", "1.11.3");
    const RunnerPlan plan = Plan(kSteamA);
    EXPECT_THAT(plan.problems, ElementsAre(HasSubstr("1.11.3 (" + host_.path +
                                                     "/protontricks-launch) is older than 1.12"),
                                           HasSubstr("pipx upgrade protontricks"),
                                           "galemend would run:", "  " + plan.command.Text()));
    Protontricks("bin", "unknown");
    EXPECT_THAT(FirstProblem(kSteamA), HasSubstr("does not tell its version"));
    // One that never answers is stopped when its time is up, and has told nothing.
    Program("bin/protontricks", "/bin/sleep 30; echo 'protontricks (1.14.1)'");
    host_.answerMilliseconds = 200;
    EXPECT_THAT(FirstProblem(kSteamA), HasSubstr("does not tell its version"));
    host_.answerMilliseconds = RunnerHost{}.answerMilliseconds;

    Protontricks("bin", "1.12.0");
    EXPECT_EQ(FirstProblem(kSteamA, {kSteamA, kSteamB}),
              "Steam app 2280 has a Proton prefix in " + kSteamA.compatData + " and in " +
                  kSteamB.compatData +
                  "; protontricks 1.12.0 cannot be told which; update it to 1.14 or later");
    EXPECT_EQ(RunCommand(Plan(kSteamA, {kSteamA}).command, host_), 0);
    EXPECT_THAT(Lines("protontricks-launch"), Contains("--appid"));

    // The protontricks beside protontricks-launch tells the version, not an older one on PATH.
    Protontricks("newer", "1.14.0");
    fs::remove(Root() / "bin/protontricks-launch");
    host_.path += ":" + (Root() / "newer").string();
    EXPECT_THAT(Plan(kSteamA, {kSteamA, kSteamB}).problems, IsEmpty());
}

TEST_F(WindowRunnerTest, WithoutProtontricksThePlayerIsToldHowToInstallItAndWhatWouldRun) {
    Program("bin/flatpak", "exit 1");  // Flatpak, but not the protontricks app
    const RunnerPlan plan = Plan(kSteamA);
    EXPECT_THAT(plan.problems,
                Contains(HasSubstr("flatpak install flathub com.github.Matoking.protontricks")));
    EXPECT_THAT(plan.problems, Contains(HasSubstr("pipx install protontricks")));
    EXPECT_EQ(plan.problems.back(),
              "  cd " + quotedFolder_ + "' && STEAM_COMPAT_DATA_PATH=" + kSteamA.compatData +
                  " protontricks-launch --appid 2280 " + quotedFolder_ + "/galemend3.exe' /s");

    EXPECT_THAT(PlanWindowRun(kSteamA, {}, Root().string(), {}, host_).problems,
                ElementsAre("galemend3.exe is not in " + Root().string() +
                            ", the folder of galemend and its data files"));
}

TEST_F(WindowRunnerTest, TheFlatpakRunsOnceItsSandboxSeesGalemendsFolder) {
    Protontricks("bin", "1.11.0");  // too old: the Flatpak is taken instead
    std::string flatpak = R"(case "$1 $2 $3 $4" in
"info com.github.Matoking.protontricks  ") printf 'Ref: app/x\n      Version: 1.14.1\n' ;;
"run --command=test com.github.Matoking.protontricks -r") [ -e ROOT/sees ] && test -r "$5" ;;
run*) { pwd -P; printf '%s\n' "$@"; } >>ROOT/flatpak.log ;;
*) exit 1 ;;
esac)";
    for (std::size_t at; (at = flatpak.find("ROOT")) != std::string::npos;) {
        flatpak.replace(at, 4, Root().string());
    }
    Program("bin/flatpak", flatpak);
    EXPECT_THAT(Plan(kSteamA).problems,
                Contains("the protontricks Flatpak cannot see galemend's folder; let it with: "
                         "flatpak override --user '--filesystem=" +
                         quotedFolder_.substr(1) + "' com.github.Matoking.protontricks"));

    std::ofstream(Root() / "sees");
    const RunnerPlan plan = Plan(kSteamA);
    EXPECT_THAT(plan.problems, IsEmpty());
    EXPECT_THAT(plan.announcement, HasSubstr("with protontricks 1.14.1 (Flatpak)"));
    EXPECT_EQ(RunCommand(plan.command, host_), 0);
    EXPECT_THAT(
        Lines("flatpak"),
        ElementsAre(folder_.string(), "run", "--env=STEAM_COMPAT_DATA_PATH=" + kSteamA.compatData,
                    "--command=protontricks-launch", "com.github.Matoking.protontricks", "--appid",
                    "2280", exe_, "/s"));
    EXPECT_FALSE(fs::exists(Log("protontricks-launch")));
}

TEST_F(WindowRunnerTest, UmuRunsThePrefixWithTheProtonThatLastRanIt) {
    GamePrefix prefix = Prefix(PrefixKind::Umu, "Heroic", "/h/Game");
    prefix.proton = (Root() / "GE-Proton9").string();
    Program("GE-Proton9/proton", "");
    Recorder("bin/umu-run", {"WINEPREFIX", "PROTONPATH"});
    EXPECT_EQ(RunCommand(Plan(prefix).command, host_), 0);
    EXPECT_THAT(Lines("umu-run"), ElementsAre(folder_.string(), "WINEPREFIX=/h/Game",
                                              "PROTONPATH=" + prefix.proton, exe_, "/s"));

    fs::remove(Root() / "bin/umu-run");
    EXPECT_THAT(Plan(prefix).problems, ElementsAre(HasSubstr("install umu-launcher"),
                                                   "galemend would run:", HasSubstr("umu-run")));
    prefix.proton = (Root() / "GE-Proton8").string();
    EXPECT_THAT(FirstProblem(prefix),
                HasSubstr(prefix.proton + ", is gone (it has no proton); start the game once "
                                          "from Heroic, which records it"));
    prefix.proton.clear();
    EXPECT_THAT(FirstProblem(prefix), HasSubstr("does not record which Proton runs it"));
}

TEST_F(WindowRunnerTest, AWinePrefixRunsWithWineOrTheWineThatWINENames) {
    wineMayRun_ = true;
    const GamePrefix prefix = Prefix(PrefixKind::Wine, "Lutris", "/games/corv");
    EXPECT_EQ(RunCommand(Plan(prefix).command, host_), 0);
    EXPECT_THAT(Lines("wine"),
                ElementsAre(folder_.string(), "WINEPREFIX=/games/corv/pfx", exe_, "/s"));

    host_.wine = (Root() / "lutris/wine").string();
    EXPECT_THAT(FirstProblem(prefix), HasSubstr("WINE names " + host_.wine +
                                                ", which is no program; install Wine, or set "
                                                "WINE to the Wine Lutris runs this prefix with"));
    Program("lutris/wine", "");
    EXPECT_EQ(Plan(prefix).announcement,
              "running in the Wine prefix /games/corv/pfx (Lutris) with " + host_.wine);
}

}  // namespace
}  // namespace galemend::test
