#include <gtest/gtest.h>

#include "text/Text.h"

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

namespace {

TEST(WildcardMatch, ExtensionPatternIgnoresCase) {
    EXPECT_TRUE(WildcardMatch("*.galaxy", "Spiral.galaxy"));
    EXPECT_TRUE(WildcardMatch("*.galaxy", "MAP.GALAXY"));
    EXPECT_TRUE(WildcardMatch("*.galaxy", ".galaxy"));
    EXPECT_FALSE(WildcardMatch("*.galaxy", "Spiral.galold"));
    EXPECT_FALSE(WildcardMatch("*.galaxy", "Spiral.galaxy.bak"));
    EXPECT_FALSE(WildcardMatch("*.galaxy", "galaxy"));
}

TEST(WildcardMatch, StarsAndQuestionMarks) {
    EXPECT_TRUE(WildcardMatch("*", ""));
    EXPECT_TRUE(WildcardMatch("a?c", "abc"));
    EXPECT_FALSE(WildcardMatch("a?c", "ac"));
    EXPECT_TRUE(WildcardMatch("*a*b*", "xxaYYbzz"));
    EXPECT_FALSE(WildcardMatch("*a*b", "xxaYYbzz"));
    EXPECT_TRUE(WildcardMatch("exact.txt", "EXACT.TXT"));
    EXPECT_FALSE(WildcardMatch("exact.txt", "exact.tx"));
}

}  // namespace

namespace {

TEST(CommandLineText, DropsTheProgramNameAndTheBlanksAfterIt) {
    EXPECT_EQ(ArgumentsAfterProgramName("galemend3.exe /s"), "/s");
    EXPECT_EQ(ArgumentsAfterProgramName("C:\\Games\\galemend3.exe \t  -silent"), "-silent");
    EXPECT_EQ(ArgumentsAfterProgramName("galemend3.exe"), "");
    EXPECT_EQ(ArgumentsAfterProgramName("galemend3.exe   "), "");
    EXPECT_EQ(ArgumentsAfterProgramName(""), "");
}

TEST(CommandLineText, QuotedProgramPathMayHoldBlanks) {
    EXPECT_EQ(ArgumentsAfterProgramName("\"C:\\Program Files\\galemend\\galemend3.exe\" /s"), "/s");
    EXPECT_EQ(ArgumentsAfterProgramName("\"C:\\Program Files\\g\"alemend3.exe /s"), "/s");
    EXPECT_EQ(ArgumentsAfterProgramName("\"C:\\Program Files\\galemend3.exe\""), "");
    EXPECT_EQ(ArgumentsAfterProgramName("\"C:\\unclosed quote /s"), "");
}

TEST(CommandLineText, ArgumentsKeepTheirBlanksQuotesAndCase) {
    EXPECT_EQ(ArgumentsAfterProgramName("g.exe /S  \"-s\" x "), "/S  \"-s\" x ");
}

}  // namespace

}  // namespace galemend
