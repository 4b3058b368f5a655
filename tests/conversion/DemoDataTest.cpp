// The sample installation that ships for trying the program converts as its guide says.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "controls/Controls.h"
#include "conversion/FixGalaxies.h"
#include "conversion/Templates.h"
#include "platform/CodePages.h"
#include "support/HostFileSystem.h"
#include "support/ScopedCurrentFolder.h"
#include "support/ScopedTempDir.h"

namespace galemend {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class DemoData : public ::testing::Test {
  protected:
    DemoData() {
        fs::copy(fs::path(GALEMEND_DEMO_DIR), dir.Host() / "demo", fs::copy_options::recursive);
    }

    ConversionResult Convert(const std::string& edition, const std::vector<std::string>& maps) {
        test::ScopedCurrentFolder current(dir.Host() / "demo" / "data");
        bool dataFileMissing = false;
        loadoriginalmaps(templates, *disk, dataFileMissing);
        std::vector<std::string> galaxyList;
        for (const auto& map : maps) {
            galaxyList.push_back(dir.Path("demo\\" + map));
        }
        galaxyList.emplace_back();
        return *FixGalaxies(*disk, templates, ConversionSettings{edition, false}, galaxyList,
                            ConversionControls{label4, label8, text2, busy});
    }
    std::string Map(const std::string& map) { return dir.Read("demo/" + map); }

    test::ScopedTempDir dir;
    std::unique_ptr<FileSystem> disk = test::MakeHostFileSystem();
    TemplateState templates{SystemCodePage(kWesternCodePage)};
    Label label4{"0"}, label8{"0"};
    TextBox text2;
    Busy busy;
};

TEST_F(DemoData, BaseGameMapsConvertToFormatFive) {
    const auto result =
        Convert("c", {"user/corv/Campaign/Already New.galaxy",
                      "user/corv/Campaign/Border Wars.galaxy", "user/corv/Broken.galaxy",
                      "user/corv/My First Map.galaxy", "game/corv/Downloaded Spiral.galaxy",
                      "game/corv/Orion Reach.galaxy", "game/corv/Twin Suns.galaxy"});
    EXPECT_EQ(result.converted, 3);
    ASSERT_EQ(result.notConverted.size(), 1u);
    EXPECT_THAT(result.notConverted[0].path, HasSubstr("Broken.galaxy"));
    EXPECT_EQ(text2.Text().substr(0, text2.Text().find("NOT")),
              "Border Wars.galaxy\r\nMy First Map.galaxy\r\nDownloaded Spiral.galaxy\r\n");
    EXPECT_EQ(Map("user/corv/My First Map.galaxy"),
              "[galaxy]\r\nformat 5\r\nedition corv\r\nname My First Map\r\nstars 120\r\n"
              "banner Red Dawn\r\nowner 1\r\ncolour 03\r\nships 12\r\nmorale 50\r\n"
              "banner Blue Tide\r\nowner 2\r\ncolour 05\r\nships 20\r\nmorale 50\r\n[end]\r\n");
    EXPECT_THAT(
        Map("user/corv/Campaign/Border Wars.galaxy"),
        HasSubstr("banner Ember Host\r\nowner 3\r\ncolour 09\r\nships 10\r\nmorale 50\r\n"));
    EXPECT_FALSE(dir.Exists("demo/game/corv/Orion Reach.galold")) << "the game's own map";
}

TEST_F(DemoData, SunderingMapsGetBothPasses) {
    const auto result =
        Convert("u", {"user/sundering/Duel.galaxy", "user/sundering/Frontier.galaxy"});
    EXPECT_EQ(result.converted, 2);
    EXPECT_TRUE(result.Complete());
    EXPECT_EQ(Map("user/sundering/Duel.galaxy"),
              "[galaxy]\r\nformat 6\r\nedition sundering\r\nname Duel\r\nstars 120\r\n"
              "pennant Lone Star\r\nowner 1\r\ncolour 04\r\nflag plain\r\nships 40\r\n"
              "pennant Far Light\r\nowner 2\r\ncolour 06\r\nflag plain\r\nships 40\r\n[end]\r\n");
    EXPECT_TRUE(dir.Exists("demo/user/sundering/Duel.galfix"));
    EXPECT_TRUE(dir.Exists("demo/user/sundering/Duel.galold"));
}

}  // namespace
}  // namespace galemend
