#include "ui/Form1.h"

#include <gmock/gmock.h>

#include "StartupFixture.h"

namespace galemend::test {
namespace {

using ::testing::HasSubstr;

constexpr const char* kGame = "C:\\Games\\Corv";
const std::string kUser = "C:\\Users\\Player\\AppData\\Local\\Halberd Games\\Corvane Expanse\\";
constexpr const char* kOldMap = "X\r\nformat 4\r\nname Bob\r\n";

// The base game on Windows XP with its templates (revision 4 to 5) beside the program.
class Form1Test : public StartupTest {
  protected:
    Form1Test() {
        UseWindows(5, 1);
        Install("corv", kGame);
        GameExe(kGame, "Corvane Expanse.exe", "1.0.0.0");
        TargetVersions("1.0.0.0", "");
        fs.WriteFile("original corv galaxies.txt", "home.galaxy\r\n");
        fs.WriteFile("cnewstruct0.txt", "N\r\nformat 5\r\n");
        fs.WriteFile("coldstruct4.txt", "T\r\nf$1\r\nformat\r\n");
        fs.WriteFile("cnewstruct4.txt", "T\r\nf$1\r\nformat 5\r\n");
        MakeFolder(kUser + "sub");
        fs.WriteFile(kUser + "mine.galaxy", kOldMap);
        fs.WriteFile(kUser + "sub\\home.galaxy", kOldMap);
        fs.WriteFile(std::string(kGame) + "\\shipped.galaxy", kOldMap);
    }

    std::optional<unsigned> Load(const std::string& commandLine) {
        probe.commandLine = commandLine;
        return Ends([&] { LoadForm(window); });
    }
    std::optional<unsigned> Click(void (*handler)(Form1&)) {
        return Ends([&] { handler(window); });
    }

    Form1 window{probe, host, fs};
};

TEST_F(Form1Test, SilentRunConvertsEveryOldMapAndEnds) {
    EXPECT_EQ(Load("/S"), 0u);
    EXPECT_EQ(fs.ReadFile(kUser + "mine.galaxy"), "X\r\nformat 5\r\nname Bob\r\n");
    EXPECT_EQ(fs.ReadFile(kUser + "mine.galold"), kOldMap);
    EXPECT_EQ(fs.ReadFile(kUser + "sub\\home.galaxy"), kOldMap) << "the game's own map";
    EXPECT_EQ(fs.ReadFile(std::string(kGame) + "\\shipped.galaxy"),
              "X\r\nformat 5\r\nname Bob\r\n");
    EXPECT_TRUE(window.controls.Label19.Visible());
    EXPECT_EQ(window.controls.Label8.Caption(), " 2");
    EXPECT_EQ(window.controls.Label4.Caption(), " 2");
}

TEST_F(Form1Test, SilentRunWithAMapLeftUnconvertedEndsWithItsOwnStatus) {
    fs.WriteFile(kUser + "mine.galold", "left from an earlier run");
    EXPECT_EQ(Load("-s"), static_cast<unsigned>(ExitStatus::MapsNotConverted));
    EXPECT_EQ(fs.ReadFile(kUser + "mine.galaxy"), kOldMap);
}

TEST_F(Form1Test, FindAndFixAlternate) {
    EXPECT_EQ(Load(""), std::nullopt);
    const Form1Controls& c = window.controls;
    EXPECT_TRUE(c.Command1.Enabled());
    EXPECT_FALSE(c.Command2.Enabled());
    EXPECT_EQ(c.File1.Pattern(), "*.galaxy");

    Click(Command1_Click);
    EXPECT_FALSE(c.Command1.Enabled());
    EXPECT_TRUE(c.Command2.Enabled());
    EXPECT_EQ(c.Label6.Caption(), "3");
    EXPECT_EQ(c.Text1.Text(), "home.galaxy\r\nmine.galaxy\r\nshipped.galaxy\r\n");

    Click(Command2_Click);
    EXPECT_TRUE(c.Command1.Enabled());
    EXPECT_FALSE(c.Command2.Enabled());
    EXPECT_EQ(c.Text2.Text(), "mine.galaxy\r\nshipped.galaxy\r\n");
    EXPECT_EQ(c.Label8.Caption(), " 2");

    Click(Command1_Click);
    EXPECT_EQ(c.Label8.Caption(), " 3") << "the stage counter passes 2";
}

TEST_F(Form1Test, FolderButtonsShowTheSearchFoldersOrSayTheyAreGone) {
    Load("");
    Click(Command4_Click);
    EXPECT_EQ(window.controls.Dir1.Path(), std::string(kGame));
    EXPECT_THAT(window.controls.File1.List(0), "shipped.galaxy");

    window.installation.pathlist[0] = "C:\\Nowhere";
    Click(Command5_Click);
    EXPECT_EQ(window.controls.Dir1.Path(), std::string(kGame)) << "the list stays";
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_THAT(host.messages[0], HasSubstr("C:\\Nowhere"));
}

TEST_F(Form1Test, ExitEndsAtOnce) {
    EXPECT_EQ(Click(Command3_Click), 0u);
}

TEST_F(Form1Test, BothEditionsWithoutAChoiceSearchNothing) {
    Install("corvsundering", "C:\\Games\\Sundering");
    EXPECT_EQ(Load(""), std::nullopt);
    Click(Command1_Click);
    EXPECT_THAT(host.messages, ::testing::ElementsAre(kChooseEditionFirst));
    EXPECT_EQ(window.controls.Label8.Caption(), "0");
    EXPECT_TRUE(window.controls.Command1.Enabled());

    Form1 silent{probe, host, fs};
    probe.commandLine = "/s";
    EXPECT_EQ(Ends([&] { LoadForm(silent); }), static_cast<unsigned>(ExitStatus::NoEditionChosen));
    EXPECT_EQ(fs.ReadFile(kUser + "mine.galaxy"), kOldMap);
}

TEST_F(Form1Test, VersionMismatchEndsBeforeTheWindowShows) {
    GameExe(kGame, "Corvane Expanse.exe", "1.0.0.1");
    EXPECT_EQ(Load("/s"), static_cast<unsigned>(ExitStatus::VersionMismatch));
    EXPECT_EQ(fs.ReadFile(kUser + "mine.galaxy"), kOldMap);
}

TEST_F(Form1Test, InvalidArgumentEndsWithItsStatus) {
    EXPECT_EQ(Load("/x"), static_cast<unsigned>(ExitStatus::InvalidArgument));
}

}  // namespace
}  // namespace galemend::test
