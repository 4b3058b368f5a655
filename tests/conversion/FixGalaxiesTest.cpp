#include "conversion/FixGalaxies.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ConversionFixture.h"
#include "conversion/Templates.h"
#include "support/FaultyFileSystem.h"

namespace galemend {
namespace {

using test::ConversionFixture;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Pair;

TEST(FixGalaxies, BaseEditionKeepsTheOldCopyAndRewritesTheMap) {
    ConversionFixture f("c");
    f.dir.Write("maps/Big.galaxy", ConversionFixture::kOldMap);
    const auto result = f.Run({"Big.galaxy"});
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->Complete());
    EXPECT_THAT(f.Snapshot(), ElementsAre(Pair("Big.galaxy", ConversionFixture::kConverted),
                                          Pair("Big.galold", ConversionFixture::kOldMap)));
    EXPECT_EQ(f.Label4.Caption(), " 1");
    EXPECT_EQ(f.Label8.Caption(), " 1");
    EXPECT_EQ(f.Text2.Text(), "Big.galaxy\r\n");
}

TEST(FixGalaxies, SunderingEditionAlsoKeepsTheFixCopy) {
    ConversionFixture f("u");
    f.dir.Write("maps/Big.galaxy", ConversionFixture::kOldMap);
    ASSERT_TRUE(f.Run({"Big.galaxy"})->Complete());
    EXPECT_THAT(f.Snapshot(), ElementsAre(Pair("Big.galaxy", ConversionFixture::kFixed),
                                          Pair("Big.galfix", ConversionFixture::kConverted),
                                          Pair("Big.galold", ConversionFixture::kOldMap)));
}

TEST(FixGalaxies, DiagnosticModeWritesOnlyTheTestFile) {
    ConversionFixture base("c");
    base.dir.Write("maps/Big.galaxy", ConversionFixture::kOldMap);
    base.Run({"Big.galaxy"}, true);
    EXPECT_THAT(base.Snapshot(), ElementsAre(Pair("Big.galaxy", ConversionFixture::kOldMap),
                                             Pair("Big.galtst", ConversionFixture::kConverted)));

    // The fix pass runs on the untouched map and replaces the structure pass's output.
    ConversionFixture sundering("u");
    sundering.dir.Write("maps/Big.galaxy", ConversionFixture::kOldMap);
    sundering.Run({"Big.galaxy"}, true);
    EXPECT_THAT(sundering.Snapshot(), ElementsAre(Pair("Big.galaxy", ConversionFixture::kOldMap),
                                                  Pair("Big.galtst", ConversionFixture::kOldMap)));
    EXPECT_EQ(sundering.Label4.Caption(), " 1");

    // A map the fix templates change as it is: the test file holds their output on the
    // original, not on the structure pass's result (which says "format 5").
    ConversionFixture fixable("u");
    fixable.dir.Write("maps/Fix.galaxy",
                      "X\r\nformat 4\r\nname Al\r\nsize 7\r\narmor 0\r\nend\r\n");
    fixable.Run({"Fix.galaxy"}, true);
    EXPECT_EQ(fixable.Snapshot().at("Fix.galtst"),
              "X\r\nformat 4\r\nname  Al\r\nsize  7\r\narmor 1\r\nend\r\n");
}

TEST(FixGalaxies, GameMapsAndCurrentMapsAreLeftAloneAndNotCounted) {
    ConversionFixture f("c");
    f.dir.Write("original corv galaxies.txt", "home.GALAXY\r\nspaced.galaxy \r\n");
    bool dataFileMissing = false;
    loadoriginalmaps(f.state, *f.fs, dataFileMissing);
    f.dir.Write("maps/Home.galaxy", ConversionFixture::kOldMap);
    f.dir.Write("maps/sub/home.galaxy", ConversionFixture::kOldMap);
    f.dir.Write("maps/spaced.galaxy", ConversionFixture::kOldMap);
    f.dir.Write("maps/cur.galaxy", ConversionFixture::kCurrentMap);
    f.dir.Write("maps/newer.galaxy", "X\r\nformat 12\r\n");

    const auto result =
        f.Run({"Home.galaxy", "sub\\home.galaxy", "spaced.galaxy", "cur.galaxy", "newer.galaxy"});
    EXPECT_EQ(result->converted, 1);
    EXPECT_TRUE(result->Complete());
    EXPECT_EQ(f.Text2.Text(), "spaced.galaxy\r\n")
        << "a list line with a trailing blank matches nothing";
    const auto files = f.Snapshot();
    EXPECT_EQ(
        files.count("Home.galold") + files.count("sub/home.galold") + files.count("cur.galold"),
        0u);
}

TEST(FixGalaxies, RevisionTextComesFromTheEndOfTheSecondLine) {
    ConversionFixture f("c");
    // "a4" reads as revision 0 and asks for templates named after a4, which do not exist.
    f.dir.Write("maps/letter.galaxy", "X\r\nformat a4\r\n");
    f.dir.Write("maps/blank.galaxy", "X\r\nformat 4\r\n");
    const auto result = f.Run({"letter.galaxy", "blank.galaxy"});
    EXPECT_EQ(result->converted, 1);
    ASSERT_EQ(result->notConverted.size(), 1u);
    EXPECT_THAT(result->notConverted[0].reason, HasSubstr("coldstructa4.txt"));
    EXPECT_EQ(f.dir.Read("maps/letter.galaxy"), "X\r\nformat a4\r\n");
}

TEST(FixGalaxies, EmptyListStillMovesTheStageOn) {
    ConversionFixture f("c");
    f.Label8.SetCaption(" 1");
    const auto result = f.Run({});
    EXPECT_EQ(result->converted, 0);
    EXPECT_EQ(f.Label4.Caption(), " 0");
    EXPECT_EQ(f.Label8.Caption(), " 2");
    EXPECT_EQ(f.Text2.Text(), "");
}

TEST(FixGalaxies, MissingTargetFileConvertsNothing) {
    ConversionFixture f("c");
    f.dir.Write("maps/Big.galaxy", ConversionFixture::kOldMap);
    std::filesystem::remove(f.dir.Host() / "cnewstruct0.txt");
    const auto result = f.Run({"Big.galaxy"});
    EXPECT_EQ(result->converted, 0);
    EXPECT_TRUE(result->Complete());
    EXPECT_THAT(f.Snapshot(), ElementsAre(Pair("Big.galaxy", ConversionFixture::kOldMap)));
}

TEST(FixGalaxies, TargetFileWithoutSecondLineTouchesNoMap) {
    ConversionFixture f("u");
    f.dir.Write("maps/Big.galaxy", ConversionFixture::kOldMap);
    f.dir.Write("unewstruct0.txt", "only\r\n");
    const auto result = f.Run({"Big.galaxy"});
    ASSERT_TRUE(result->runError);
    EXPECT_THAT(f.Text2.Text(), HasSubstr("unewstruct0.txt"));
    EXPECT_THAT(f.Text2.Text(), HasSubstr(kNotConvertedMark));
    EXPECT_THAT(f.Snapshot(), ElementsAre(Pair("Big.galaxy", ConversionFixture::kOldMap)));
}

TEST(FixGalaxies, MapsThatCannotBeConvertedAreListedAndKeptAsTheyWere) {
    ConversionFixture f("u");
    f.dir.Write("maps/short.galaxy", "one line only\r\n");
    f.dir.Write("maps/empty.galaxy", "");
    f.dir.Write("maps/kept.galaxy", ConversionFixture::kOldMap);
    f.dir.Write("maps/kept.galold", "from an earlier run");
    f.dir.Write("maps/fixed.galaxy", ConversionFixture::kOldMap);
    f.dir.Write("maps/fixed.galfix", "from an earlier run");
    f.dir.Write("maps/ok.galaxy", ConversionFixture::kOldMap);
    const auto before = f.Snapshot();

    const auto result = f.Run({"short.galaxy", "gone.galaxy", "empty.galaxy", "kept.galaxy",
                               "fixed.galaxy", "ok.galaxy"});
    EXPECT_EQ(result->converted, 1);
    ASSERT_EQ(result->notConverted.size(), 5u);
    EXPECT_THAT(result->notConverted[0].reason, HasSubstr("second line"));
    EXPECT_THAT(result->notConverted[1].reason, HasSubstr("no longer exists"));
    EXPECT_THAT(result->notConverted[3].reason, HasSubstr("kept.galold exists"));
    EXPECT_THAT(result->notConverted[4].reason, HasSubstr("fixed.galfix exists"));

    auto after = f.Snapshot();
    after.erase("ok.galaxy");
    after.erase("ok.galold");
    after.erase("ok.galfix");
    auto expected = before;
    expected.erase("ok.galaxy");
    EXPECT_EQ(after, expected);
    EXPECT_EQ(f.Label4.Caption(), " 1");
    // Converted names first, then one marked line per map that was not converted.
    EXPECT_THAT(f.Text2.Text(),
                ::testing::StartsWith("ok.galaxy\r\n" + std::string(kNotConvertedMark)));
}

TEST(FixGalaxies, MissingTemplatesAreCheckedBeforeTheMapIsTouched) {
    ConversionFixture f("u");
    std::filesystem::remove(f.dir.Host() / "unewstructfix5.txt");
    f.dir.Write("maps/Big.galaxy", ConversionFixture::kOldMap);
    const auto result = f.Run({"Big.galaxy"});
    ASSERT_EQ(result->notConverted.size(), 1u);
    EXPECT_THAT(result->notConverted[0].reason, HasSubstr("unewstructfix5.txt is missing"));
    EXPECT_THAT(f.Snapshot(), ElementsAre(Pair("Big.galaxy", ConversionFixture::kOldMap)));
}

TEST(FixGalaxies, NoSecondRunWhileOneIsGoingOn) {
    ConversionFixture f("c");
    f.dir.Write("maps/Big.galaxy", ConversionFixture::kOldMap);
    const auto running = f.busy.TryStart();
    EXPECT_FALSE(f.Run({"Big.galaxy"}));
    EXPECT_EQ(f.Label8.Caption(), "0");
    EXPECT_THAT(f.Snapshot(), ElementsAre(Pair("Big.galaxy", ConversionFixture::kOldMap)));
}

TEST(FixGalaxies, ASecondRunSkipsWhatTheFirstConverted) {
    ConversionFixture f("c");
    f.dir.Write("maps/Big.galaxy", ConversionFixture::kOldMap);
    f.Run({"Big.galaxy"});
    const auto second = f.Run({"Big.galaxy"});
    EXPECT_EQ(second->converted, 0);
    EXPECT_TRUE(second->Complete());
    EXPECT_EQ(f.Label8.Caption(), " 2");
    EXPECT_EQ(f.Text2.Text(), "Big.galaxy\r\n");
}

// Templates are read again for every map, and a map's passes may start before that with the
// templates of the map before: an edit made while the run goes on applies from the next read.
TEST(FixGalaxies, TemplatesEditedDuringARunApplyFromTheirNextRead) {
    // Edits the new templates as the second map is renamed to its copies.
    class EditingFileSystem : public test::FaultyFileSystem {
      public:
        EditingFileSystem(ConversionFixture& f) : FaultyFileSystem(*f.fs, 0), f_(f) {}
        void Rename(const std::string& from, const std::string& to) override {
            FaultyFileSystem::Rename(from, to);
            if (to == f_.dir.Path("maps\\b.galold")) {
                f_.dir.Write("unewstruct4.txt",
                             "T\r\nfmt$1\r\nformat 5\r\nhull$3\r\nname &\r\n"
                             "size ##\r\narmor 7\r\n");
            } else if (to == f_.dir.Path("maps\\b.galfix")) {
                f_.dir.Write("unewstructfix5.txt",
                             "F\r\ngrp$3\r\nname &\r\nsize ##\r\narmor 9\r\n");
            }
        }

      private:
        ConversionFixture& f_;
    };
    ConversionFixture f("u");
    for (const char* map : {"maps/a.galaxy", "maps/b.galaxy", "maps/c.galaxy"}) {
        f.dir.Write(map, ConversionFixture::kOldMap);
    }
    EditingFileSystem editing(f);
    ASSERT_TRUE(f.Run(editing, {"a.galaxy", "b.galaxy", "c.galaxy"})->Complete());
    const std::string structured = "X\r\nformat 5\r\nname  Bob\r\nsize 12\r\narmor 7\r\nend\r\n";
    const std::string fixed = "X\r\nformat 5\r\nname   Bob\r\nsize 12\r\narmor 9\r\nend\r\n";
    const auto files = f.Snapshot();
    EXPECT_EQ(files.at("a.galfix"), ConversionFixture::kConverted);
    EXPECT_EQ(files.at("a.galaxy"), ConversionFixture::kFixed);
    for (const char* map : {"b", "c"}) {
        EXPECT_EQ(files.at(std::string(map) + ".galfix"), structured) << map;
        EXPECT_EQ(files.at(std::string(map) + ".galaxy"), fixed) << map;
    }
}

}  // namespace
}  // namespace galemend
