#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "conversion/Rewriting.h"
#include "conversion/Templates.h"
#include "platform/CodePages.h"

namespace galemend {
namespace {

using ::testing::HasSubstr;

class Rewriting : public ::testing::Test {
  protected:
    TemplateState state{SystemCodePage(kWesternCodePage)};

    void Templates(LineList oldLines, LineList newLines) {
        AssignOldTemplate(state, "old.txt", std::move(oldLines));
        AssignNewTemplate(state, "new.txt", std::move(newLines));
    }
    // The output goes into a reused text: what it held before must not show.
    std::string Structure(const LineList& map) {
        std::string out(64, '?');
        StructurePass(state, LineViews(map.begin(), map.end()), out);
        return out;
    }
    std::string Fix(const LineList& map) {
        std::string out(64, '?');
        FixPass(state, LineViews(map.begin(), map.end()), out);
        return out;
    }
    std::string ErrorOf(const std::function<void()>& pass) {
        try {
            pass();
        } catch (const ConversionError& error) {
            return error.what();
        }
        ADD_FAILURE() << "no ConversionError";
        return {};
    }
};

TEST_F(Rewriting, WorkedExampleGivesItsSixLines) {
    Templates({"T", "hull$2", "name", "size"}, {"T", "hull$3", "name &", "size ##", "armor 0"});
    EXPECT_EQ(Structure({"X", "version 4", "name Bob", "size 12", "end"}),
              "X\r\nversion 4\r\nname  Bob\r\nsize 12\r\narmor 0\r\nend\r\n");
}

TEST_F(Rewriting, MarkersCarryValuesFromTheMap) {
    Templates({"T", "h$4", "owner", "size", "label", "tag"},
              {"T", "h$6", "owner #", "size ##", "label &", "[settings]", "bad x#", "bad x&"});
    EXPECT_EQ(Structure({"owner 7", "size 7", "label Big One", "tag"}),
              "owner 7\r\nsize  7\r\nlabel  7\r\n[settings]\r\n")
        << "& always reads the block's first line; x# and x& write nothing";
    EXPECT_EQ(Structure({"label Big One", "size 12", "x", "y"}),
              "owner e\r\nsize 12\r\nlabel  Big One\r\n[settings]\r\n");
}

TEST_F(Rewriting, ShortMapLinesGiveWhatTheyHave) {
    Templates({"T", "h$2", "a", ""}, {"T", "h$3", "v ##", "z #", "w &"});
    // A one-character line gives itself to ##, an empty one nothing to #; & past line j's end
    // adds nothing.
    EXPECT_EQ(Structure({"a", ""}), "v a\r\nz \r\nw \r\n");
}

TEST_F(Rewriting, UnmatchedLinesAndLineZeroMatchesAreCopied) {
    Templates({"zero", "h$1", "key"}, {"zero", "h$1", "new key"});
    EXPECT_EQ(Structure({"zero point", "other", "", "key 1"}),
              "zero point\r\nother\r\n\r\nnew key\r\n");
}

TEST_F(Rewriting, TheHighestMatchingTemplateLineDecidesTheSection) {
    Templates({"T", "a$1", "name", "b$1", "name long"}, {"T", "a$1", "from a", "b$1", "from b"});
    EXPECT_EQ(FindTemplateLine(state, "name long one"), 4u);
    EXPECT_EQ(FindTemplateLine(state, "name short"), 2u);
    EXPECT_EQ(Structure({"name long one", "name short"}), "from b\r\nfrom a\r\n");
}

TEST_F(Rewriting, FindSectionPlacesHeadsInTheSectionBefore) {
    Templates({"T", "a", "b", "h$1", "x", "h$1", "y"}, {"T"});
    ASSERT_EQ(state.oldTemplate->sections, (std::vector<size_t>{3, 5}));
    EXPECT_EQ(FindSection(state, 1), 0u);
    EXPECT_EQ(FindSection(state, 3), 0u);
    EXPECT_EQ(FindSection(state, 4), 0u);
    EXPECT_EQ(FindSection(state, 5), 0u);
    EXPECT_EQ(FindSection(state, 6), 1u);
}

TEST_F(Rewriting, EmptyTemplateLineMatchesEverything) {
    Templates({"T", "h$1", ""}, {"T", "h$1", "same"});
    EXPECT_EQ(Structure({"a", "b"}), "same\r\nsame\r\n");
}

TEST_F(Rewriting, BlockRunningPastTheEndOfTheMapEndsTheScan) {
    Templates({"T", "h$3", "start"}, {"T", "h$1", "replaced"});
    EXPECT_EQ(Structure({"keep", "start"}), "keep\r\nreplaced\r\n");
}

TEST_F(Rewriting, FixPassNeedsThreeMatchingLinesAndCopiesTheLastTwo) {
    Templates({"T", "h$3", "a", "b", "c"}, {"T", "h$1", "abc"});
    EXPECT_EQ(Fix({"a", "b", "c", "x", "y"}), "abc\r\nx\r\ny\r\n");
    EXPECT_EQ(Fix({"x", "a", "x", "b", "c"}), "x\r\na\r\nx\r\nb\r\nc\r\n")
        << "a single matching line between others is copied";
    EXPECT_EQ(Fix({"a", "b"}), "a\r\nb\r\n") << "two lines: the loop does not run";
    EXPECT_EQ(Fix({"a"}), "a\r\n");
    EXPECT_EQ(Fix({}), "");
    EXPECT_EQ(Fix({"x", "a", "b", "c"}), "x\r\nabc\r\n") << "a block that reaches the end";
    EXPECT_EQ(Fix({"a", "b", "c", "a"}), "abc\r\na\r\n");
}

TEST_F(Rewriting, NoMatchCopiesEveryLine) {
    Templates({"T", "h$1", "zzz"}, {"T", "h$1", "q"});
    const LineList map{"one", "two", "", "three"};
    EXPECT_EQ(Structure(map), "one\r\ntwo\r\n\r\nthree\r\n");
    EXPECT_EQ(Fix(map), "one\r\ntwo\r\n\r\nthree\r\n");
}

TEST_F(Rewriting, BadHeadCountsStopThePassWithTheirLocation) {
    Templates({"T", "h$0", "a"}, {"T", "h$1", "x"});
    EXPECT_THAT(ErrorOf([&] {
                    Structure({"m", "a"});
                }),
                AllOf(HasSubstr("old.txt line 2"), HasSubstr("map line 2")));

    Templates({"T", "h$1.5", "a"}, {"T", "h$1", "x"});
    EXPECT_THAT(ErrorOf([&] { Structure({"a"}); }), HasSubstr("old.txt line 2"));

    Templates({"T", "h$-2", "a"}, {"T", "h$1", "x"});
    EXPECT_THAT(ErrorOf([&] { Structure({"a"}); }), HasSubstr("old.txt line 2"));

    Templates({"T", "h$1", "a"}, {"T", "h$0", "x"});
    EXPECT_THAT(ErrorOf([&] { Structure({"a"}); }),
                AllOf(HasSubstr("new.txt line 2"), HasSubstr("map line 1")));

    Templates({"T", "h$1", "a"}, LineList(11));
    EXPECT_THAT(ErrorOf([&] { Structure({"a"}); }), HasSubstr("new.txt line 1"))
        << "a missing new template reads as empty lines with count 0";
}

TEST_F(Rewriting, MissingSectionsAndMapLinesStopThePass) {
    Templates({"T", "h$1", "a", "g$1", "b"}, {"T", "h$1", "x"});
    EXPECT_THAT(ErrorOf([&] { Structure({"b"}); }), HasSubstr("no section head for section 1"));

    Templates({"T", "h$1", "a"}, {"T", "h$3", "x"});
    EXPECT_THAT(ErrorOf([&] { Structure({"a"}); }), HasSubstr("new.txt line 2"));

    Templates({"T", "h$2", "a"}, {"T", "h$2", "v #", "w ##"});
    EXPECT_THAT(ErrorOf([&] {
                    Structure({"m", "a"});
                }),
                AllOf(HasSubstr("new.txt line 4"), HasSubstr("map line 3")));

    Templates({"T", "h$1", "a"}, {});
    EXPECT_THAT(ErrorOf([&] { Structure({"a"}); }), HasSubstr("no section head"));
}

TEST_F(Rewriting, SectionHeadsStandAfterTheFirstCharacter) {
    EXPECT_EQ(SectionHeads({"$5", "a$5", "b", "c$", "d$5$6"}), (std::vector<size_t>{1, 3, 4}));
    EXPECT_EQ(SectionHeads({"x", "y"}), (std::vector<size_t>{0}));
    EXPECT_EQ(SectionHeads({"t", "", "", "h$1", "", "", "", "", "", "", "h$2"}),
              (std::vector<size_t>{3, 10}));
    EXPECT_EQ(HeadCount("a$5"), 5);
    EXPECT_EQ(HeadCount("a$"), 0);
    EXPECT_EQ(HeadCount("a$5$6"), 5);
    EXPECT_EQ(HeadCount("7 lines"), 7) << "a line without $ counts from its start";
}

TEST_F(Rewriting, HeadsBeyondSixteenBitsWork) {
    LineList oldLines(40000, "filler");
    oldLines[0] = "T";
    oldLines[39000] = "h$1";
    oldLines[39001] = "far";
    LineList newLines(36000, "pad");
    newLines[0] = "T";
    newLines[35000] = "h$1";
    newLines[35001] = "near";
    Templates(std::move(oldLines), std::move(newLines));
    EXPECT_EQ(Structure({"far away"}), "near\r\n");
}

}  // namespace
}  // namespace galemend
