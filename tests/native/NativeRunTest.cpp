// The Linux program's own part: its command line, the silent run's report, and the dry run,
// on a player's machine in temporary folders with a fake probe.
#include "linux/NativeRun.h"

#include <gmock/gmock.h>

#include <sstream>

#include "StartupFixture.h"
#include "linux/DryRun.h"

namespace galemend::test {
namespace {

using ::testing::HasSubstr;
using Arguments = std::vector<std::string>;

TEST(NativeArguments, SilentRunsAreNativeAndEverythingElseIsGalemend3Exes) {
    const NativeOptions run =
        ParseNativeArguments({"--prefix", "/p", "--edition", "sundering", "/S"});
    EXPECT_FALSE(run.window);
    EXPECT_TRUE(run.silent);
    EXPECT_EQ(run.prefix, "/p");
    EXPECT_EQ(run.edition, Edition::Sundering);
    const NativeOptions dry = ParseNativeArguments({"--dry-run", "--diff", "--appid", "7"});
    EXPECT_TRUE(dry.silent && dry.dryRun && dry.diff && !dry.window);
    EXPECT_EQ(dry.appId, "7");
    EXPECT_TRUE(ParseNativeArguments({"--list"}).list);

    // The window, and --exe runs, are galemend3.exe's: its arguments pass as they are.
    const NativeOptions window = ParseNativeArguments({"--appid", "7", "extra"});
    EXPECT_TRUE(window.window);
    EXPECT_EQ(window.exeArguments, (Arguments{"extra"}));
    EXPECT_EQ(ParseNativeArguments({"--exe", "--prefix", "/p", "/s"}).exeArguments,
              (Arguments{"/s"}));

    for (const Arguments& wrong :
         {Arguments{"--prefix", "/p", "/s", "/x"}, Arguments{"--prefix", "/p", "--appid", "7"},
          Arguments{"--appid", "7a", "/s"}, Arguments{"--list", "/s"},
          Arguments{"--prefix", "/p", "--edition", "base", "/s"}, Arguments{"--edition", "corv"},
          Arguments{"--prefix", "/p", "--diff", "/s"}, Arguments{"/s", "--prefix"}}) {
        EXPECT_THROW(ParseNativeArguments(wrong), UsageError) << ::testing::PrintToString(wrong);
    }
}

constexpr const char* kOldMap = "X\r\nformat 4\r\nname Bob\r\n";
const std::string kUser = "C:\\Users\\Player\\AppData\\Local\\Halberd Games\\Corvane Expanse\\";
const std::string kSundering =
    "C:\\Users\\Player\\Documents\\My Games\\Halberd Games\\Corvane Expanse Sundering\\";

// Both families installed, their templates beside the program, old and current maps.
class NativeRunTest : public StartupTest {
  protected:
    NativeRunTest() {
        UseWindows(5, 1);
        Install("corv", "C:\\Games\\Corv");
        GameExe("C:\\Games\\Corv", "Corvane Expanse.exe", "1.0.0.0");
        Install("corvsundering", "C:\\Games\\Sun");
        GameExe("C:\\Games\\Sun", "Corvane Expanse Sundering.exe", "2.0.0.0");
        TargetVersions("1.0.0.0", "2.0.0.0");
        probe.commandLine = "/s";
        fs.WriteFile("original corv galaxies.txt", "home.galaxy\r\n");
        for (const char* letter : {"c", "u"}) {
            fs.WriteFile(std::string(letter) + "newstruct0.txt", "N\r\nformat 5\r\n");
            fs.WriteFile(std::string(letter) + "oldstruct4.txt", "T\r\nf$1\r\nformat\r\n");
            fs.WriteFile(std::string(letter) + "newstruct4.txt", "T\r\nf$1\r\nformat 5\r\n");
        }
        fs.WriteFile("uoldstructfix5.txt", "T\r\ns$1\r\nname\r\n");
        fs.WriteFile("unewstructfix5.txt", "T\r\ns$1\r\nname ##\r\n");
        MakeFolder(kUser);
        MakeFolder(kSundering);
        fs.WriteFile(kUser + "mine.galaxy", kOldMap);
        fs.WriteFile(kUser + "home.galaxy", kOldMap);
        fs.WriteFile(kUser + "new.galaxy", "X\r\nformat 5\r\n");
        fs.WriteFile(kUser + "cut.galaxy", "X\r\n");
        fs.WriteFile(kSundering + "far.galaxy", kOldMap);
    }

    unsigned Run(std::optional<Edition> edition, FileSystem& on) {
        out.str("");
        err.str("");
        return RunSilently(probe, on, edition, out, err);
    }

    std::ostringstream out, err;
};

TEST_F(NativeRunTest, ReportsEveryMapWithWhatHappenedToItAndEndsWithGalemendsStatus) {
    EXPECT_EQ(Run(std::nullopt, fs), static_cast<unsigned>(ExitStatus::NoEditionChosen));
    EXPECT_EQ(fs.ReadFile(kUser + "mine.galaxy"), kOldMap);

    EXPECT_EQ(Run(Edition::BaseOrConcord, fs), static_cast<unsigned>(ExitStatus::MapsNotConverted));
    EXPECT_EQ(fs.ReadFile(kUser + "mine.galaxy"), "X\r\nformat 5\r\nname Bob\r\n");
    EXPECT_EQ(out.str(),
              "NOT CONVERTED: " + kUser +
                  "cut.galaxy - the map has no second line to read its "
                  "format revision from\n"
                  "left alone     " +
                  kUser +
                  "home.galaxy (one of the game's own maps)\n"
                  "converted      " +
                  kUser +
                  "mine.galaxy\n"
                  "left alone     " +
                  kUser +
                  "new.galaxy (already format 5)\n"
                  "Maps found: 4, converted: 1, left alone: 2, not converted: 1; folders not "
                  "searched: 0\n");

    EXPECT_EQ(Run(Edition::Sundering, fs), 0u);
    EXPECT_THAT(out.str(), HasSubstr("converted      " + kSundering + "far.galaxy\n"));
    EXPECT_EQ(fs.ReadFile(kSundering + "far.galaxy"), "X\r\nformat 5\r\nname Bob\r\n");
}

TEST_F(NativeRunTest, ADryRunReportsTheSameAndWritesNothing) {
    DryRunFileSystem dry(fs);
    EXPECT_EQ(Run(Edition::Sundering, dry), 0u) << err.str();
    const std::string report = out.str();
    EXPECT_EQ(fs.ReadFile(kSundering + "far.galaxy"), kOldMap);
    EXPECT_TRUE(FirstFile(fs, kSundering + "far.galold").empty());
    EXPECT_EQ(dry.Contents(kSundering + "far.galaxy"), "X\r\nformat 5\r\nname Bob\r\n");
    EXPECT_EQ(dry.Contents(kSundering + "far.galold"), kOldMap);
    EXPECT_EQ(dry.Contents(kSundering + "far.galfix"), "X\r\nformat 5\r\nname Bob\r\n");

    EXPECT_EQ(Run(Edition::Sundering, fs), 0u);
    EXPECT_EQ(out.str(), report);
}

}  // namespace
}  // namespace galemend::test
