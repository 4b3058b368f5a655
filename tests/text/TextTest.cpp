#include <gtest/gtest.h>

#include <random>

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

// The split reads eight bytes at a time; texts of every length, with CR, LF and CR LF falling
// on either side of a word's edge, must split as the plain rule says.
TEST(SplitLines, AgreesWithThePlainRuleAcrossWordEdges) {
    const auto plain = [](std::string_view text) {
        while (text.ends_with("\r\n")) {
            text.remove_suffix(2);
        }
        LineList lines;
        for (size_t start = 0; !text.empty();) {
            const size_t end = text.find("\r\n", start);
            lines.emplace_back(text.substr(start, end - start));
            if (end == std::string_view::npos) {
                break;
            }
            start = end + 2;
        }
        return lines;
    };
    std::mt19937 random(8);
    for (int round = 0; round < 2000; ++round) {
        std::string text(std::uniform_int_distribution<size_t>(0, 40)(random), 'a');
        for (char& c : text) {
            c = "a\r\n\x8a"[std::uniform_int_distribution<int>(0, 3)(random)];
        }
        const LineList lines = plain(text);
        ASSERT_EQ(SplitLines(text), lines) << "round " << round;
        // The second line alone, as a map's format revision is read before the rest.
        const auto second = SecondLine(text);
        ASSERT_EQ(second.has_value(), lines.size() >= 2) << "round " << round;
        if (second) {
            ASSERT_EQ(*second, lines[1]) << "round " << round;
        }
    }
}

}  // namespace

}  // namespace galemend
