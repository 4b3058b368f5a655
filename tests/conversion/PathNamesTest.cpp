#include "text/Text.h"

#include <gtest/gtest.h>

namespace galemend {
namespace {

TEST(PositionAfterLast, FindsTheStartOfTheFileName) {
    EXPECT_EQ(PositionAfterLast("C:\\maps\\a.galaxy", "\\"), 9u);
    EXPECT_EQ(PositionAfterLast("a.galaxy", "\\"), 1u);
    EXPECT_EQ(PositionAfterLast("maps\\", "\\"), 1u)
        << "an occurrence ending the text is not examined";
    EXPECT_EQ(PositionAfterLast("a\\b\\", "\\"), 3u);
    EXPECT_EQ(PositionAfterLast("", "\\"), 1u);
    EXPECT_EQ(PositionAfterLast("xabyab", "ab"), 3u) << "the final ab ends the text";
    EXPECT_EQ(PositionAfterLast("xabyabz", "ab"), 6u);
}

TEST(FileNameMatches, ComparesTheNamePartIgnoringCaseWithoutTrimming) {
    EXPECT_TRUE(FileNameMatches("D:\\Maps\\Big One.GALAXY", "big one.galaxy"));
    EXPECT_FALSE(FileNameMatches("D:\\Maps\\Big One.GALAXY", " big one.galaxy"));
    EXPECT_FALSE(FileNameMatches("D:\\Maps\\Big One.GALAXY", "big one.galaxy "));
    EXPECT_TRUE(FileNameMatches("plain.galaxy", "PLAIN.galaxy"));
    EXPECT_FALSE(FileNameMatches("D:\\Maps\\a.galaxy", "maps\\a.galaxy"));
}

TEST(FileNamePart, TakesTheCharactersAfterTheLastBackslash) {
    EXPECT_EQ(FileNamePart("C:\\M\\Sub\\x.galaxy"), "x.galaxy");
    EXPECT_EQ(FileNamePart("x.galaxy"), "x.galaxy");
}

}  // namespace
}  // namespace galemend
