#include <gmock/gmock.h>

#include "StartupFixture.h"
#include "ui/Form1.h"

namespace galemend::test {
namespace {

using ::testing::ElementsAre;

constexpr const char* kBase = "C:\\Games\\Corv";
constexpr const char* kSundering = "C:\\Games\\Sundering";
const std::string kBaseUser = "C:\\Users\\Player\\AppData\\Local\\Halberd Games\\Corvane Expanse\\";
const std::string kSunderingUser =
    "C:\\Users\\Player\\Documents\\My Games\\Halberd Games\\Corvane Expanse Sundering";

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
        ASSERT_EQ(Ends([&] { Form_Load(window); }), std::nullopt);
        ASSERT_TRUE(window.installation.EditionPending());
    }
    bool Locked() const {
        return !window.controls.Command6.Enabled() && !window.controls.Command7.Enabled();
    }

    Form1 window{probe, fs};
};

TEST_F(EditionButtons, BaseOnXpSearchesTheGameAndTheUserFolder) {
    Start(5, 1);
    MakeFolder(kBaseUser);
    fs.WriteFile(kBaseUser + "mine.galaxy", "");
    int repaints = 0;
    window.repaint = [&] { ++repaints; };
    Command6_Click(window);
    const auto& s = window.installation;
    EXPECT_EQ(s.editionLetter, "c");
    EXPECT_EQ(s.pathlist[1], std::string(kBase) + "\\");
    EXPECT_EQ(s.pathlist[0], kBaseUser);
    EXPECT_EQ(window.controls.Command4.ToolTip(), s.pathlist[1]);
    EXPECT_EQ(window.controls.Dir1.Path(), kBaseUser.substr(0, kBaseUser.size() - 1));
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(s.corvversion, "1.0.0.0");
    EXPECT_THAT(window.templates.originalMaps, ElementsAre("home.galaxy"));
    EXPECT_TRUE(Locked());
}

TEST_F(EditionButtons, BaseOnSevenUsesTheUserFolderTwice) {
    Start(6, 1);
    MakeFolder(kBaseUser);
    fs.WriteFile(kBaseUser + "mine.galaxy", "");
    Command6_Click(window);
    EXPECT_EQ(window.installation.pathlist[1], kBaseUser);
}

TEST_F(EditionButtons, BaseWithAnEmptyUserFolderSearchesTheProgramFolder) {
    Start(5, 1);
    MakeFolder(kBaseUser + "only a subfolder");
    Command6_Click(window);
    EXPECT_EQ(window.installation.pathlist[1], "C:\\app\\");
}

TEST_F(EditionButtons, SunderingOnXpKeepsItsInstallationFolder) {
    Start(5, 1);
    Command7_Click(window);
    const auto& s = window.installation;
    EXPECT_EQ(s.editionLetter, "u");
    EXPECT_EQ(s.homeFolder, "C:\\Users\\Player\\Documents");
    EXPECT_EQ(s.pathlist[0], kSunderingUser);
    EXPECT_EQ(s.pathlist[1], std::string(kSundering) + "\\");
    EXPECT_EQ(s.corvversion, "2.0.0.0");
    EXPECT_EQ(window.controls.Dir1.Path(), "") << "no user folder yet: the list stays";
    EXPECT_TRUE(Locked());
}

TEST_F(EditionButtons, SunderingOnSevenSearchesTheUserFolderTwice) {
    Start(6, 1);
    MakeFolder(kSunderingUser);
    Command7_Click(window);
    EXPECT_EQ(window.installation.pathlist[1], kSunderingUser);
    EXPECT_EQ(window.controls.Dir1.Path(), kSunderingUser);
}

TEST_F(EditionButtons, DiagnosticModeAppendsAReport) {
    Start(5, 1, "probe");
    const std::string before = dir.Read("app/info.txt");
    Command7_Click(window);
    EXPECT_EQ(dir.Read("app/info.txt"),
              before + "C:\\Games\\Sundering\\\r\n" + kSunderingUser + "\r\n" +
                  "C:\\Users\\Player\\Documents\r\nC:\\app\\\r\n\r\ninfo.txt\r\n" +
                  "C:\\Games\\Sundering\\\r\n2.0.0.0\r\n");
}

}  // namespace
}  // namespace galemend::test
