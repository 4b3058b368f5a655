// The native code pages are tables of Wine's own conversion (the wine test TableCodePages
// checks every entry against the system). Pinned here: one case of each kind where glibc's
// iconv, which the native builds used before, answered otherwise.
#include "platform/posix/CodePageTables.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/CodePages.h"
#include "platform/prefix/LocaleCodePage.h"

namespace galemend {
namespace {

std::string Text(char32_t c) {
    std::string out;
    AppendCharacter(out, c);
    return out;
}

struct Case {
    unsigned page;
    std::string bytes;
    std::string text;
    const char* what;
};

TEST(CodePageTables, DecodeAsWineWhereIconvDiffered) {
    const Case cases[] = {
        {949, "\xC9\xA1", "\ue000", "C9 and FE lead pairs of the user-defined area"},
        {950, "\x81\x40", "\ueeb8", "81 to A0 lead pairs of the user-defined area"},
        {936, "\xA1\x40", "\ue4c6", "a pair of the user-defined area"},
        {950, "\xA2\xA4", Text(EscapeOf(0xA2, 0xA4)), "U+2550, written as F9F9"},
        {950, "\xF9\xF9", "\u2550", "the form Wine writes for U+2550"},
        {932, "\x80", "\u0080", "an undefined byte Wine maps to a C1 control"},
        {1252, "\x81", "\u0081", "an undefined byte Wine maps to a C1 control"},
        {1258, "\xC3\xD2", "\u0102\u0309", "1258 as bytes to characters, no composing"},
    };
    for (const Case& c : cases) {
        const CodePage page = SystemCodePage(c.page);
        EXPECT_EQ(page.Decode(c.bytes), c.text) << c.page << ": " << c.what;
        EXPECT_EQ(page.Encode(c.text), c.bytes) << c.page << ": " << c.what;
    }
}

TEST(CodePageTables, WriteCharactersWithoutAFormAsWineDoes) {
    const Case cases[] = {
        {1252, "A", "\u0100", "best fit"},
        {932, "\\", "\u00a5", "best fit to a byte that is a character of its own"},
        {936, "\xA6\xCC", "\u00b5", "best fit to a pair"},
        {1255, "\xD9", "\uf88d", "a form Wine writes though the byte does not decode"},
        {1251, "??", "\U0001f600", "a default character for each UTF-16 unit"},
        {1252, "?", Text(0xD800), "a lone surrogate is one unit"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SystemCodePage(c.page).Encode(c.text), c.bytes) << c.page << ": " << c.what;
    }
}

TEST(CodePageTables, EveryPageAWineLocaleGivesHasOne) {
    for (const char* locale : {"th", "ja", "zh-CN", "ko", "zh-TW", "cs", "ru", "en-US", "el", "tr",
                               "he", "ar", "lt", "vi"}) {
        const unsigned number = AnsiCodePageOfLocale(locale);
        EXPECT_NE(TableCodePageSource(number), nullptr) << locale << ": " << number;
        EXPECT_EQ(SystemCodePage(number).Number(), number) << locale;
    }
    EXPECT_EQ(TableCodePageSource(437), nullptr) << "an OEM code page has none";
}

}  // namespace
}  // namespace galemend
