// Wine 8's rules for names and paths. The expected values are what Wine 8.0 (Debian's
// 8.0~repack-4) answered a probe program in a fresh prefix on this machine: the order and
// cAlternateFileName of FindFirstFileW/FindNextFileW, which names a mask found, and which
// paths CreateFileW opened.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/prefix/WineNames.h"
#include "platform/prefix/WinePaths.h"

namespace galemend {
namespace {

TEST(WineNames, ListingOrderComparesUpperCaseUnitsThenTheUnitsThemselves) {
    // Wine's listing of these names, in its order: "[", "^", "_" and "`" come after "Z"
    // because the names are compared in upper case; "A" before "a" only breaks a tie.
    const std::vector<std::u16string> wine = {
        u"1",  u"A",  u"a",  u"b",  u"B2", u"E.txt", u"f.TXT", u"Z", u"Zeta", u"zz",
        u"[x", u"^c", u"_a", u"`d", u"~t", u"ä",     u"é.txt", u"Ω", u"ω2"};
    std::vector<std::u16string> sorted(wine.rbegin(), wine.rend());
    std::sort(sorted.begin(), sorted.end(),
              [](const auto& a, const auto& b) { return CompareListingNames(a, b) < 0; });
    EXPECT_EQ(sorted, wine);
}

TEST(WineNames, MasksMatchAsWine8Matches) {
    EXPECT_TRUE(MaskMatches(u"*.*", u"1")) << "trailing dots and stars of a mask are ignored";
    EXPECT_TRUE(MaskMatches(u"?", u"."));
    EXPECT_FALSE(MaskMatches(u"?", u".."));
    EXPECT_TRUE(MaskMatches(u"??", u".."));
    EXPECT_FALSE(MaskMatches(u"?", u"")) << "? is exactly one unit";
    EXPECT_TRUE(MaskMatches(u"*a", u"Zeta"));
    EXPECT_TRUE(MaskMatches(u"*.GALAXY", u"Big Map.galaxy"));
    EXPECT_TRUE(MaskMatches(u"*.galaxy", u"a.galaxy.galaxy"));
    EXPECT_FALSE(MaskMatches(u"*.galaxy", u"map.galaxy1"));
    EXPECT_TRUE(MaskMatches(u"КАРТА*", u"карта.galaxy"));
    EXPECT_TRUE(MaskMatches(u"Ω?", u"ω2"));
    // After a star Wine looks for the mask's next unit literally, even a "?".
    EXPECT_FALSE(MaskMatches(u"*?", u"ab"));
}

TEST(WineNames, ShortNamesAreTheOnesWine8MakesUp) {
    const std::vector<std::pair<std::u16string, std::u16string>> wine = {
        {u"c10.txt~", u"C10~~CTT.TXT"},
        {u"Spiral.galaxy", u"SPIR~W1B.GAL"},
        {u"Big Map.galaxy", u"BIG_~MGB.GAL"},
        {u"map.galaxy1", u"MAP~~PY0.GAL"},
        {u"x.galaxy", u"X~~~~JRH.GAL"},
        {u"c3.txt.bak", u"C3_T~T5A.BAK"},
        {u".dot", u"_DOT~JW4"},
        {u"a.", u"A_~~~YNZ"},
        {u"[x", u"_X~~~UUO"},
        {u"ä", u"_~~~~2TL"},
        {u"ω2", u"_2~~~HAY"},
        {u"Ω", u"_~~~~2KG"},
        {u"é.txt", u"_~~~~XHP.TXT"}};
    for (const auto& [name, shortName] : wine) {
        EXPECT_EQ(ShortNameOf(name), shortName);
    }
    for (const std::u16string legal : {u"c2.txt", u"~t", u"ABC.TXT", u"12345678.abc"}) {
        EXPECT_EQ(ShortNameOf(legal), u"") << "a legal 8.3 name has no short name";
    }
}

TEST(WineNames, DosAttributesComeFromSambasTextForm) {
    EXPECT_EQ(DosAttributeBits("0x2"), kHiddenAttribute);
    EXPECT_EQ(DosAttributeBits("0x4"), kSystemAttribute);
    EXPECT_EQ(DosAttributeBits("0x27"), kHiddenAttribute | kSystemAttribute) << "others dropped";
    EXPECT_EQ(DosAttributeBits(std::string("0x2\0binary", 10)), kHiddenAttribute)
        << "Samba 4 writes the text, a NUL and more";
    for (const char* unread : {"2", "0X2", "0x2 ", "0x", "0xg"}) {
        EXPECT_EQ(DosAttributeBits(unread), 0u) << unread;
    }
    EXPECT_EQ(DosAttributeBits("0x2" + std::string(70, 'a')), 0u)
        << "Wine reads at most 64 bytes; a longer value fails to read";
    EXPECT_TRUE(IsDotHidden(".dot"));
    EXPECT_FALSE(IsDotHidden("."));
    EXPECT_FALSE(IsDotHidden(".."));
    EXPECT_FALSE(IsDotHidden("x."));
}

TEST(WinePaths, FullPathsAsWineMakesThem) {
    const std::string cwd = "Z:\\tmp\\work\\";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"info.txt", "Z:\\tmp\\work\\info.txt"},
        {"C:x", "C:\\x"},
        {"z:x", "Z:\\tmp\\work\\x"},
        {"\\x", "Z:\\x"},
        {"C:/a//b", "C:\\a\\b"},
        {"C:\\a\\.\\b\\..\\c", "C:\\a\\c"},
        {"C:\\a\\..\\..\\..\\c", "C:\\c"},
        {"C:\\a\\.", "C:\\a"},
        {"C:\\..", "C:\\"},
        {"C:\\a.\\x", "C:\\a\\x"},  // a folder "a." cannot be reached by its name
        {"C:\\a..\\x", "C:\\a.\\x"},
        {"C:\\b \\x", "C:\\b \\x"},
        {"C:\\x.txt. .", "C:\\x.txt"},
        {"C:\\Maps\\", "C:\\Maps\\"},
    };
    for (const auto& [path, full] : cases) {
        EXPECT_EQ(FullPathOf(path, cwd).value_or("none"), full) << path;
    }
    EXPECT_FALSE(FullPathOf("   ", cwd));
    EXPECT_FALSE(FullPathOf("\\\\server\\share\\x", cwd));
}

TEST(WinePaths, DosDevicesAreRecognisedInTheLastElement) {
    EXPECT_EQ(DosDeviceOf("C:\\Maps\\con.galaxy").value_or("none"), "con");
    EXPECT_EQ(DosDeviceOf("NUL").value_or("none"), "NUL");
    EXPECT_EQ(DosDeviceOf("C:\\x\\Com1 .txt").value_or("none"), "Com1");
    for (const char* plain : {"C:\\con\\x.galaxy", "com0", "console.txt", "C:\\Maps\\nul2"}) {
        EXPECT_FALSE(DosDeviceOf(plain)) << plain;
    }
}

}  // namespace
}  // namespace galemend
