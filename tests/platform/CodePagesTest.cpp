// The system's code pages: Wine's tables natively, the Win32 conversion functions under Wine.
#include "platform/CodePages.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace galemend {
namespace {

TEST(SystemCodePage, KnowsTheCharactersOfEachAnsiCodePage) {
    EXPECT_EQ(SystemCodePage(1252).Decode("caf\xE9"), "caf\u00e9");
    EXPECT_EQ(SystemCodePage(1251).Decode("\xCA\xE0\xF0\xF2\xE0"),
              "\u041a\u0430\u0440\u0442\u0430");
    // Japanese, Traditional Chinese and Korean characters whose second byte is 5C or B0.
    EXPECT_EQ(SystemCodePage(932).Decode("\x83\x5C\x95\x5C"), "\u30bd\u8868");
    EXPECT_EQ(SystemCodePage(950).Decode("\xB3\x5C\xA5\x5C\xBB\x5C"), "\u8a31\u529f\u84cb");
    EXPECT_EQ(SystemCodePage(949).Decode("\xBA\xB0"), "\ubcc4");
    EXPECT_EQ(SystemCodePage(932).Encode("owner \u30bd"), "owner \x83\x5C");
    EXPECT_EQ(SystemCodePage(1252).Encode("caf\u00e9 \u30bd"), "caf\xE9 ?")
        << "a character without a form is written as the default character";
    EXPECT_EQ(SystemCodePage(932).Number(), 932u);
    EXPECT_THROW(SystemCodePage(4), std::invalid_argument);
}

TEST(SystemCodePage, AnyOneOrTwoBytesComeBackExactly) {
    for (const unsigned number : {1252u, 1251u, 932u, 950u, 949u, kUtf8CodePage}) {
        const CodePage page = SystemCodePage(number);
        for (unsigned first = 0; first < 256; ++first) {
            const std::string lone(1, static_cast<char>(first));
            ASSERT_EQ(page.Encode(page.Decode(lone)), lone) << number << ": " << first;
            for (unsigned second = 0; second < 256; ++second) {
                const std::string bytes = lone + static_cast<char>(second);
                ASSERT_EQ(page.Encode(page.Decode(bytes)), bytes)
                    << number << ": " << first << " " << second;
            }
        }
    }
}

TEST(SystemCodePage, Utf8KeepsItsFormsAndEscapesTheRest) {
    const CodePage page = SystemCodePage(kUtf8CodePage);
    EXPECT_EQ(page.Decode("\u30bd"), "\u30bd");
    EXPECT_EQ(page.Decode("a\xE3\x82"), "a\xED\xB3\xA3\xED\xB2\x82");
    EXPECT_EQ(page.Decode("\xED\xB3\xA3"), "\xED\xB3\xAD\xED\xB2\xB3\xED\xB2\xA3")
        << "an escape's own form in a file is three bytes that do not decode";
}

}  // namespace
}  // namespace galemend
