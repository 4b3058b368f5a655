#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/Text.h"

namespace galemend {
namespace {

TEST(FoldCase, PairsTheLettersOfEveryTableBlock) {
    const std::vector<std::pair<char32_t, char32_t>> pairs = {
        {U'Q', U'q'}, {U'É', U'é'}, {U'Þ', U'þ'}, {U'Ÿ', U'ÿ'},  {U'Ā', U'ā'},
        {U'Ł', U'ł'}, {U'Ő', U'ő'}, {U'Ž', U'ž'}, {U'Ŋ', U'ŋ'},  {U'Σ', U'σ'},
        {U'ς', U'σ'}, {U'Ά', U'ά'}, {U'Ώ', U'ώ'}, {U'Ё', U'ё'},  {U'Я', U'я'},
        {U'Ђ', U'ђ'}, {U'Ґ', U'ґ'}, {U'Ӂ', U'ӂ'}, {U'Ａ', U'ａ'}};
    for (const auto& [capital, small] : pairs) {
        EXPECT_EQ(FoldCase(capital), small) << static_cast<unsigned>(capital);
        EXPECT_EQ(FoldCase(small), small) << static_cast<unsigned>(small);
    }
    for (const char32_t unchanged : {U'×', U'ß', U'ı', U'İ', U'ĸ', U'7', U'星', U'ｶ'}) {
        EXPECT_EQ(FoldCase(unchanged), unchanged) << static_cast<unsigned>(unchanged);
    }
}

TEST(FoldCase, ComparesLettersBeyondAsciiAndInvalidBytesAsThemselves) {
    EXPECT_EQ(LowerCase("ÉTOILE \xff Карта 星海"), "étoile \xff карта 星海");
    EXPECT_TRUE(FileNameMatches("C:\\Maps\\Étoile.galaxy", "étoile.galaxy"));
    EXPECT_TRUE(FileNameMatches("C:\\Карты\\Карта.galaxy", "карта.GALAXY"));
    EXPECT_FALSE(EqualIgnoringCase("étoile", "etoile")) << "an accent is no case";
    EXPECT_TRUE(EqualIgnoringCase("\xc9t\xff", "\xc9T\xff"));
    EXPECT_FALSE(EqualIgnoringCase("\xc9", "\xe9")) << "lone bytes have no case";
    EXPECT_FALSE(EqualIgnoringCase("\xc9", "É"));
    EXPECT_FALSE(EqualIgnoringCase("\xd0", "\xd0\xb0")) << "a cut sequence is no letter";
}

TEST(WildcardMatch, QuestionMarkTakesOneCharacterOfAnyLength) {
    EXPECT_TRUE(WildcardMatch("?.galaxy", "星.galaxy"));
    EXPECT_FALSE(WildcardMatch("??.galaxy", "星.galaxy"));
    EXPECT_TRUE(WildcardMatch("*.GALAXY", "Карта.galaxy"));
    EXPECT_TRUE(WildcardMatch("карта.*", "КАРТА.galaxy"));
    EXPECT_TRUE(WildcardMatch("*ö*", "Ölen Östra"));
    EXPECT_TRUE(WildcardMatch("a?b",
                              "a\xff"
                              "b"))
        << "a lone byte is one character";
}

// The order of names is the one Windows gives; the platform tests check the same names
// against the system's own comparison.
TEST(CompareNamesIgnoringCase, SortsAsWindowsDoes) {
    std::vector<std::string> names = {
        "Zeta",   "карта", "étoile", "Карта", "Etoile", "co-op",   "1x",      "coop",    "Anders",
        "Ändern", "Łódź",  "Lz",     "_x",    "Straße", "Strasse", "Σίσυφος", "σισυφος", "Ёлка",
        "Жук",    "Ґанок", "Гуси",   "Йод",   "Иоф",    "Ａｂｃ",  "abd"};
    SortNamesIgnoringCase(names);
    EXPECT_EQ(names, (std::vector<std::string>{
                         "_x",    "1x",      "Ａｂｃ",  "abd",  "Ändern", "Anders",  "coop",
                         "co-op", "Etoile",  "étoile",  "Łódź", "Lz",     "Strasse", "Straße",
                         "Zeta",  "σισυφος", "Σίσυφος", "Гуси", "Ґанок",  "Ёлка",    "Жук",
                         "Йод",   "Иоф",     "Карта",   "карта"}));
    EXPECT_EQ(CompareNamesIgnoringCase("Карта", "карта"), 0);
    EXPECT_LT(CompareNamesIgnoringCase("Etoile", "étoile"), 0);
}

}  // namespace
}  // namespace galemend
