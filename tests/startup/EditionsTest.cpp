#include <gmock/gmock.h>

#include "StartupFixture.h"
#include "startup/Editions.h"

namespace galemend::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr const char* kBase = "C:\\Games\\Corv";
constexpr const char* kConcord = "C:\\Games\\Concord";
constexpr const char* kSundering = "C:\\Games\\Sundering";
constexpr const char* kAppData = "C:\\Users\\Player\\AppData\\Local";
constexpr const char* kDocuments = "C:\\Users\\Player\\Documents";
const std::string kBaseUser = std::string(kAppData) + "\\Halberd Games\\Corvane Expanse\\";
const std::string kSunderingUser =
    std::string(kDocuments) + "\\My Games\\Halberd Games\\Corvane Expanse Sundering";

class Discovery : public StartupTest {
  protected:
    std::optional<unsigned> Discover() {
        ReadSystemFacts(Context());
        return Ends([&] { DiscoverInstallation(Context()); });
    }
};

TEST_F(Discovery, NothingInstalledTakesTheBaseBranchAndFailsTheCheck) {
    UseWindows(5, 1);
    TargetVersions("1.0.0.0", "2.0.0.0");
    fs.WriteFile("original corv galaxies.txt", "a.galaxy\r\n");
    EXPECT_EQ(Discover(), 3u);
    EXPECT_EQ(installation.editionLetter, "c");
    EXPECT_EQ(installation.gameFolder, "");
    EXPECT_EQ(installation.pathlist[0], kBaseUser);
    EXPECT_EQ(installation.pathlist[1], "C:\\app\\") << "the user folder holds no file";
    EXPECT_FALSE(form.Command6.Enabled());
    EXPECT_FALSE(form.Command7.Enabled());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0],
              "found corv version ::\r\n need corv version :1.0.0.0:\r\nin the default location "
              "of\r\n\r\nlocal apps is\r\n" +
                  std::string(kAppData) + ":\r\nand the corv user directory is\r\nC:\\app\\");
}

TEST_F(Discovery, BaseGameOnXpWithMapsSearchesGameAndUserFolders) {
    UseWindows(5, 1);
    Install("corv", kBase);
    GameExe(kBase, "Corvane Expanse.exe", "1.0.5.12");
    TargetVersions("1.0.5.12", "9.9.9.9");
    MakeFolder(kBaseUser);
    fs.WriteFile(kBaseUser + "mine.galaxy", "");
    fs.WriteFile("original corv galaxies.txt", "home.galaxy\r\n");

    EXPECT_EQ(Discover(), std::nullopt);
    EXPECT_TRUE(form.Command6.Enabled());
    EXPECT_EQ(installation.gameFolder, std::string(kBase) + "\\");
    EXPECT_EQ(installation.pathlist[1], std::string(kBase) + "\\");
    EXPECT_EQ(installation.pathlist[0], kBaseUser);
    EXPECT_EQ(form.Command4.ToolTip(), installation.pathlist[1]);
    EXPECT_EQ(form.Command5.ToolTip(), installation.pathlist[0]);
    EXPECT_EQ(installation.corvversion, "1.0.5.12");
    EXPECT_THAT(templates.originalMaps, ::testing::ElementsAre("home.galaxy"));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Discovery, ConcordWinsOverTheBaseGameAndWindows7SearchesTheUserFolderTwice) {
    Install("corv", kBase);
    Install("corvconcord", kConcord);
    GameExe(kConcord, "Corvane Expanse.exe", "1.1.0.0");
    TargetVersions("1.1.0.0", "");
    MakeFolder(kBaseUser);
    fs.WriteFile(kBaseUser + "mine.galaxy", "");
    EXPECT_EQ(Discover(), std::nullopt);
    EXPECT_EQ(installation.gameFolder, std::string(kConcord) + "\\");
    EXPECT_EQ(installation.pathlist[0], kBaseUser);
    EXPECT_EQ(installation.pathlist[1], kBaseUser);
}

TEST_F(Discovery, LaterWindowsKeepsTheGameFolder) {
    UseWindows(6, 2);
    Install("corvconcord", kConcord);
    GameExe(kConcord, "Corvane Expanse.exe", "1.1.0.0");
    TargetVersions("1.1.0.0", "");
    MakeFolder(kBaseUser);
    fs.WriteFile(kBaseUser + "mine.galaxy", "");
    EXPECT_EQ(Discover(), std::nullopt);
    EXPECT_EQ(installation.pathlist[1], std::string(kConcord) + "\\");
}

TEST_F(Discovery, SunderingAloneUsesDocumentsAndLineFive) {
    UseWindows(6, 1);
    Install("corvsundering", kSundering);
    GameExe(kSundering, "Corvane Expanse Sundering.exe", "2.1.0.0");
    TargetVersions("9.9.9.9", "2.1.0.0");
    EXPECT_EQ(Discover(), std::nullopt);
    EXPECT_TRUE(form.Command7.Enabled());
    EXPECT_FALSE(form.Command6.Enabled());
    EXPECT_EQ(installation.editionLetter, "u");
    EXPECT_EQ(installation.homeFolder, kDocuments);
    EXPECT_EQ(installation.pathlist[0], kSunderingUser);
    EXPECT_EQ(installation.pathlist[1], "C:\\app\\")
        << "a folder named without a closing backslash holds no file for the lookup";
    EXPECT_EQ(installation.corvversion, "2.1.0.0");
}

TEST_F(Discovery, SunderingVersionMismatchNamesLineFive) {
    Install("corvsundering", kSundering);
    GameExe(kSundering, "Corvane Expanse Sundering.exe", "2.0.0.0");
    TargetVersions("2.0.0.0", "2.1");
    fs.WriteFile("original corv galaxies.txt", "a.galaxy\r\n");
    EXPECT_EQ(Discover(), 3u);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_THAT(host.messages[0], ::testing::StartsWith("found corv version :2.0.0.0:\r\n need "
                                                        "corv version :2.1:\r\n"));
    EXPECT_THAT(host.messages[0], ::testing::EndsWith("is\r\nC:\\app\\"));
}

TEST_F(Discovery, BothFamiliesLeaveTheChoiceOpenAndSkipTheCheck) {
    Install("corv", kBase);
    Install("corvsundering", kSundering);
    TargetVersions("1.0.0.0", "2.0.0.0");
    EXPECT_EQ(Discover(), std::nullopt);
    EXPECT_TRUE(installation.bothEditions);
    EXPECT_TRUE(installation.EditionPending());
    EXPECT_TRUE(form.Command6.Enabled() && form.Command7.Enabled());
    EXPECT_TRUE(form.Command6.Visible() && form.Command7.Visible());
    EXPECT_EQ(installation.pathlist[0], "");
    EXPECT_EQ(installation.pathlist[1], "");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Discovery, ThirtyTwoBitWindowsReadsTheNativeView) {
    UseWindows(5, 1, false);
    probe.registry["HKEY_LOCAL_MACHINE\\SOFTWARE\\Brightforge\\Vantorhub\\corv\\Path"] = kBase;
    MakeFolder(kBase);
    EXPECT_EQ(Discover(), std::nullopt) << "no target file: no check";
    EXPECT_TRUE(installation.corvInstalled);
}

TEST_F(Discovery, SixtyFourBitWindowsReadsOnlyTheWowView) {
    probe.registry["HKEY_LOCAL_MACHINE\\SOFTWARE\\Brightforge\\Vantorhub\\corv\\Path"] = kBase;
    MakeFolder(kBase);
    Discover();
    EXPECT_FALSE(installation.corvInstalled);
}

TEST_F(Discovery, DriveRootCandidatesCountOnlyForSundering) {
    Install("corv", "C:\\");
    EXPECT_EQ(Discover(), std::nullopt);
    EXPECT_FALSE(installation.corvInstalled) << "C:\\ plus a backslash has only 4 characters";
}

TEST_F(Discovery, SunderingOnADriveRootPassesTheLengthTest) {
    Install("corvsundering", "C:\\");
    Discover();
    EXPECT_TRUE(installation.sunderingInstalled);
    EXPECT_EQ(installation.sunderingRegPath, "C:\\\\");
}

TEST_F(Discovery, TwoPartTargetNeverMatches) {
    Install("corv", kBase);
    GameExe(kBase, "Corvane Expanse.exe", "1.0.0.0");
    TargetVersions("1.0", "");
    fs.WriteFile("original corv galaxies.txt", "a.galaxy\r\n");
    EXPECT_EQ(Discover(), 3u);
}

TEST_F(Discovery, MissingListOrTargetFileSkipsTheCheck) {
    Install("corv", kBase);
    TargetVersions("1.0.0.0", "");
    EXPECT_EQ(Discover(), std::nullopt) << "original corv galaxies.txt is missing";
    EXPECT_TRUE(installation.dataFileMissing);
    EXPECT_THAT(templates.originalMaps, ::testing::ElementsAre(""));
}

TEST_F(Discovery, ShortTargetFileReadsMissingLinesAsEmpty) {
    Install("corv", kBase);
    fs.WriteFile("targetcorvver.txt", "1.0.0.0\r\n");
    fs.WriteFile("original corv galaxies.txt", "a.galaxy\r\n");
    GameExe(kBase, "Corvane Expanse.exe", "1.0.0.0");
    EXPECT_EQ(Discover(), std::nullopt);
    EXPECT_FALSE(installation.diagnosticMode);
}

TEST_F(Discovery, DiagnosticModeLogsEverythingAndSkipsTheCheck) {
    UseWindows(6, 1);
    Install("corvsundering", kSundering);
    GameExe(kSundering, "Corvane Expanse Sundering.exe", "2.0.0.0");
    TargetVersions("1.0.0.0", "9.9.9.9", "PrObE");
    probe.environment["PROCESSOR_ARCHITECTURE"] = "AMD64";
    probe.environment["NUMBER_OF_PROCESSORS"] = "2";
    probe.environment["PROCESSOR_IDENTIFIER"] = "Family 6";
    EXPECT_EQ(Discover(), std::nullopt);
    EXPECT_TRUE(installation.diagnosticMode);
    EXPECT_TRUE(installation.dataFileMissing);
    EXPECT_EQ(installation.pathlist[0], "") << "the Sundering branch leaves the folders unset";
    EXPECT_EQ(form.Caption.Caption(), "merrow's corv & Sundering map updater DeBuGgInG M O D E!");
    EXPECT_EQ(dir.Read("app/info.txt"),
              "win7, 64 bit ?True\r\n"
              "AMD64 type2 coresFamily 6 ID\r\n"
              "\r\n"
              "C:\\Users\\Player\\AppData\\Local\r\n"
              "pathlist(1)\r\n"
              "pathlist(0)\r\n"
              "home C:\\Users\\Player\\Documents\r\n"
              "App_Path()C:\\app\\\r\n"
              "\r\n"
              "Dir(pathlist(1))\r\n"
              "Dir(pathlist(0))\r\n"
              "Dir(App_Path())info.txt\r\n"
              "C:\\Games\\Sundering\\\r\n"
              "\r\n"
              "C:\\Games\\Sundering\\\r\n"
              "corvversion2.0.0.0\r\n");
}

TEST_F(Discovery, ThirtyTwoBitXpLabelsAndUnsetVariables) {
    UseWindows(5, 1, false);
    ReadSystemFacts(Context());
    EXPECT_EQ(form.Label16.Caption(), " 32 bit");
    EXPECT_EQ(form.Label15.Caption(), "WinXP");
    // An unset variable leaves only the label's suffix.
    EXPECT_EQ(form.Label11.Caption(), " type");
    EXPECT_EQ(form.Label17.Caption(), " cores");
    EXPECT_EQ(form.Label18.Caption(), " O.S.");
}

TEST_F(Discovery, WindowsSevenWithoutAUserFolderSearchesTheProgramFolder) {
    // The Vista/7 rule sets program space to the user folder; the missing user folder then
    // sends it to the program's own folder, in that order.
    UseWindows(6, 1);
    Install("corv", kBase);
    GameExe(kBase, "Corvane Expanse.exe", "1.0.0.0");
    TargetVersions("1.0.0.0", "");
    fs.WriteFile("original corv galaxies.txt", "a.galaxy\r\n");
    EXPECT_EQ(Discover(), std::nullopt);
    EXPECT_EQ(installation.pathlist[0], kBaseUser);
    EXPECT_EQ(installation.pathlist[1], "C:\\app\\");
}

TEST_F(Discovery, LogIsWrittenForPeopleInTheAnsiCodePage) {
    fs.WriteFile("info.txt", "kept \x83\r\n");
    DiagnosticLog western(fs, SystemCodePage(1252));
    western.OpenForAppending();
    western.Line({"C:\\Caf\u00e9\\", "\u661f\u6d77"});
    EXPECT_EQ(dir.Read("app/info.txt"), "kept \x83\r\nC:\\Caf\xE9\\??\r\n")
        << "earlier bytes stay; a character without a form is written as the system does";
}

TEST_F(Discovery, DiagnosticMarkerMustStandAlone) {
    TargetVersions("", "", "probe ");
    Discover();
    EXPECT_FALSE(installation.diagnosticMode);
    EXPECT_FALSE(dir.Exists("app/info.txt"));
}

// Both families installed, so start-up leaves the choice to the buttons.
class EditionButtons : public StartupTest {
  protected:
    void Start(unsigned major, unsigned minor, const std::string& marker = "") {
        UseWindows(major, minor);
        Install("corv", kBase);
        Install("corvsundering", kSundering);
        GameExe(kBase, "Corvane Expanse.exe", "1.0.0.0");
        GameExe(kSundering, "Corvane Expanse Sundering.exe", "2.0.0.0");
        TargetVersions("1.0.0.0", "2.0.0.0", marker);
        fs.WriteFile("original corv galaxies.txt", "home.galaxy\r\n");
        ASSERT_EQ(RunFormLoad(), std::nullopt);
        ASSERT_TRUE(installation.EditionPending());
    }
    void Pick(Edition edition) { SelectEdition(Context(), ButtonRule(edition)); }
    bool Locked() const { return !form.Command6.Enabled() && !form.Command7.Enabled(); }
};

TEST_F(EditionButtons, BaseOnXpSearchesTheGameAndTheUserFolder) {
    Start(5, 1);
    MakeFolder(kBaseUser);
    fs.WriteFile(kBaseUser + "mine.galaxy", "");
    Pick(Edition::BaseOrConcord);
    const auto& s = installation;
    EXPECT_EQ(s.editionLetter, "c");
    EXPECT_EQ(s.pathlist[1], std::string(kBase) + "\\");
    EXPECT_EQ(s.pathlist[0], kBaseUser);
    EXPECT_EQ(form.Command4.ToolTip(), s.pathlist[1]);
    EXPECT_EQ(form.Dir1.Path(), kBaseUser.substr(0, kBaseUser.size() - 1));
    EXPECT_EQ(host.repaints, 1);
    EXPECT_EQ(s.corvversion, "1.0.0.0");
    EXPECT_THAT(templates.originalMaps, ElementsAre("home.galaxy"));
    EXPECT_TRUE(Locked());
}

TEST_F(EditionButtons, BaseOnSevenUsesTheUserFolderTwice) {
    Start(6, 1);
    MakeFolder(kBaseUser);
    fs.WriteFile(kBaseUser + "mine.galaxy", "");
    Pick(Edition::BaseOrConcord);
    EXPECT_EQ(installation.pathlist[1], kBaseUser);
}

TEST_F(EditionButtons, BaseWithAnEmptyUserFolderSearchesTheProgramFolder) {
    Start(5, 1);
    MakeFolder(kBaseUser + "only a subfolder");
    Pick(Edition::BaseOrConcord);
    EXPECT_EQ(installation.pathlist[1], "C:\\app\\");
}

TEST_F(EditionButtons, SunderingOnXpKeepsItsInstallationFolder) {
    Start(5, 1);
    Pick(Edition::Sundering);
    const auto& s = installation;
    EXPECT_EQ(s.editionLetter, "u");
    EXPECT_EQ(s.homeFolder, "C:\\Users\\Player\\Documents");
    EXPECT_EQ(s.pathlist[0], kSunderingUser);
    EXPECT_EQ(s.pathlist[1], std::string(kSundering) + "\\");
    EXPECT_EQ(s.corvversion, "2.0.0.0");
    EXPECT_EQ(form.Dir1.Path(), "") << "no user folder yet: the list stays";
    EXPECT_TRUE(Locked());
}

TEST_F(EditionButtons, SunderingOnSevenSearchesTheUserFolderTwice) {
    Start(6, 1);
    MakeFolder(kSunderingUser);
    Pick(Edition::Sundering);
    EXPECT_EQ(installation.pathlist[1], kSunderingUser);
    EXPECT_EQ(form.Dir1.Path(), kSunderingUser);
}

TEST_F(EditionButtons, DiagnosticModeAppendsAReport) {
    Start(5, 1, "probe");
    const std::string before = dir.Read("app/info.txt");
    Pick(Edition::Sundering);
    EXPECT_EQ(dir.Read("app/info.txt"),
              before + "C:\\Games\\Sundering\\\r\n" + kSunderingUser + "\r\n" +
                  "C:\\Users\\Player\\Documents\r\nC:\\app\\\r\n\r\ninfo.txt\r\n" +
                  "C:\\Games\\Sundering\\\r\n2.0.0.0\r\n");
}

}  // namespace
}  // namespace galemend::test
