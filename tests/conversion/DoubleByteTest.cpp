// The character rules on the double-byte code pages: a character of two bytes is one
// character, whatever its second byte, and bytes that no template rewrites come back as
// they were, even those the code page does not define.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ConversionFixture.h"
#include "conversion/Rewriting.h"
#include "conversion/Templates.h"
#include "platform/CodePages.h"

namespace galemend {
namespace {

using test::ConversionFixture;
using ::testing::ElementsAre;
using ::testing::Pair;

TEST(DoubleByte, JapaneseMapConvertsCharacterByCharacter) {
    ConversionFixture f("c");
    f.state.codePage = SystemCodePage(932);
    // ソ is 83 5C and 表 is 95 5C; the target revision ends the line before ソ.
    f.dir.Write("cnewstruct0.txt", "N\r\nformat 5\x83\x5C\r\n");
    f.dir.Write("coldstruct4.txt", "T\r\nfmt$1\r\nformat\r\nown$3\r\nowner\r\nsize\r\nlabel\r\n");
    f.dir.Write("cnewstruct4.txt",
                "T\r\nfmt$1\r\nformat 5\r\nown$3\r\nowner #\r\nsize ##\r\n\x95\x5C &\r\n");
    // A lone lead byte, bytes that may be undefined and an undefined pair pass unchanged.
    const std::string map =
        "X\r\nformat 4\r\nowner \x83\x5C\r\nsize 12\x95\x5C\x83\x5C\r\nlabel x\r\n"
        "end \x83\r\nodd \x80\xA0\xFD\xFF\x85\x40\r\n";
    f.dir.Write("maps/jp.galaxy", map);

    ASSERT_TRUE(f.Run({"jp.galaxy"})->Complete());
    EXPECT_THAT(f.Snapshot(),
                ElementsAre(Pair("jp.galaxy",
                                 "X\r\nformat 5\r\nowner \x83\x5C\r\nsize \x95\x5C\x83\x5C\r\n"
                                 "\x95\x5C wner \x83\x5C\r\nend \x83\r\n"
                                 "odd \x80\xA0\xFD\xFF\x85\x40\r\n"),
                            Pair("jp.galold", map)))
        << "# and ## take whole characters; & counts the characters of its template line";
}

TEST(DoubleByte, GameMapNamedWithATrailByte5CIsLeftAlone) {
    ConversionFixture f("c");
    f.state.codePage = SystemCodePage(932);
    f.dir.Write("original corv galaxies.txt", "\x95\x5C.galaxy\r\n");
    bool dataFileMissing = false;
    loadoriginalmaps(f.state, *f.fs, dataFileMissing);
    // Were it not recognised, the missing file would be reported as not converted.
    const auto result = f.Run({"\u8868.galaxy"});
    EXPECT_TRUE(result->Complete());
    EXPECT_EQ(result->converted, 0);
}

TEST(DoubleByte, WesternMapConvertsByteForByteAsBefore) {
    ConversionFixture f("c");
    // E9 is é; 81 is undefined in code page 1252 for some systems and U+0081 for others.
    f.dir.Write("maps/w.galaxy", "X\r\nformat 4\r\nname caf\xE9\x81\r\nsize 1\xE9\r\nend\r\n");
    ASSERT_TRUE(f.Run({"w.galaxy"})->Complete());
    EXPECT_EQ(f.dir.Read("maps/w.galaxy"),
              "X\r\nformat 5\r\nname  caf\xE9\x81\r\nsize 1\xE9\r\narmor 0\r\nend\r\n");
}

// The structure pass on lines read in a code page, and its output as written in it.
std::string Converted(unsigned codePage, const std::vector<std::string>& oldLines,
                      const std::vector<std::string>& newLines,
                      const std::vector<std::string>& mapLines) {
    TemplateState state{SystemCodePage(codePage)};
    const auto decoded = [&](const std::vector<std::string>& lines) {
        LineList text;
        for (const auto& line : lines) {
            text.push_back(state.codePage.Decode(line));
        }
        return text;
    };
    AssignOldTemplate(state, "old", decoded(oldLines));
    AssignNewTemplate(state, "new", decoded(newLines));
    const LineList map = decoded(mapLines);
    std::string out;
    StructurePass(state, LineViews(map.begin(), map.end()), out);
    return state.codePage.Encode(out);
}

TEST(DoubleByte, ChineseAndKoreanMarkersCountCharacters) {
    // 許 B3 5C, 功 A5 5C, 蓋 BB 5C in code page 950.
    EXPECT_EQ(Converted(950, {"T", "h$3", "\xBB\x5C"}, {"T", "h$3", "ab &", "\xA5\x5C &", "v ##"},
                        {"\xBB\x5C\xB3\x5Cxyz", "-", "9\xB3\x5C\xBB\x5C"}),
              "ab xyz\r\n\xA5\x5C \xB3\x5Cxyz\r\nv \xB3\x5C\xBB\x5C\r\n")
        << "& counts the characters of its template line and of the map line; ## takes two";
    // 별 is BA B0 in code page 949.
    EXPECT_EQ(Converted(949, {"T", "h$1", "owner"}, {"T", "h$1", "owner #"}, {"owner \xBA\xB0"}),
              "owner \xBA\xB0\r\n");
}

// A lead byte and the byte after it are one character, as the system counts them, also when
// the pair is undefined or decodes to a character written back as other bytes: NEC-selected
// IBM kanji (ED 9F, EE 40) and NEC row 13 (87 90 ≒) in 932, a duplicate form of 十 (A2 CC) in
// 950. Otherwise its second byte would start a character and swallow the next one.
TEST(DoubleByte, PairsThatDoNotComeBackAsThemselvesAreStillOneCharacter) {
    EXPECT_EQ(
        Converted(932, {"T", "h$1", "owner"}, {"T", "h$1", "owner #"}, {"owner \xED\x9F\x82\xA0"}),
        "owner \x82\xA0\r\n");
    EXPECT_EQ(
        Converted(932, {"T", "h$1", "size"}, {"T", "h$1", "size ##"}, {"size \x87\x90\xEE\x40"}),
        "size \x87\x90\xEE\x40\r\n");
    EXPECT_EQ(
        Converted(950, {"T", "h$1", "owner"}, {"T", "h$1", "owner #"}, {"owner \xA2\xCC\xA4\x40"}),
        "owner \xA4\x40\r\n");
}

// The index walks UTF-8 bytes; UTF-8 is prefix-free, so a byte prefix is a character prefix.
TEST(DoubleByte, TemplatePrefixesAreWholeCharacters) {
    EXPECT_EQ(Converted(932, {"T", "h$1", "owner \x83"}, {"T", "h$1", "lone"}, {"owner \x83\x5C"}),
              "owner \x83\x5C\r\n")
        << "a lone lead byte is no prefix of the character it starts";
    EXPECT_EQ(Converted(932, {"T", "h$1", "\x83\x5C"}, {"T", "h$1", "hit"}, {"\x83\x5Cx"}),
              "hit\r\n");
}

}  // namespace
}  // namespace galemend
