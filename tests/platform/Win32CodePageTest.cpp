// The double-byte code pages against the system's own rules, for every string of two bytes:
// the characters the program counts are those CharNextExA steps over, and what it writes
// back is exactly what it read. Under Wine, with the system's tables.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/CodePages.h"
#include "platform/win32/Win32Support.h"

namespace galemend {
namespace {

// Characters as the system walks a string: a lead byte steps over the next byte too, unless
// that is the NUL that would end the string.
size_t SystemCharacterCount(unsigned codePage, const std::string& bytes) {
    const std::string terminated = bytes + '\0';
    size_t count = 0;
    for (const char* at = terminated.c_str(); at < terminated.c_str() + bytes.size(); ++count) {
        const char* next = ::CharNextExA(static_cast<WORD>(codePage), at, 0);
        at = next == at ? at + 1 : next;  // a NUL of the string's own
    }
    return count;
}

// The text as MultiByteToWideChar decodes the whole string, in UTF-8.
std::string SystemDecoding(unsigned codePage, const std::string& bytes) {
    wchar_t wide[4] = {};
    const int length =
        ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide, 4);
    return Utf8FromWide(std::wstring(wide, length > 0 ? static_cast<size_t>(length) : 0));
}

bool HoldsEscapes(const std::string& text) {
    // Escapes are the only characters the program holds at U+DC80..U+DCFF or in plane 16.
    for (size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if ((b == 0xED && i + 1 < text.size() &&
             (static_cast<unsigned char>(text[i + 1]) & 0xF0) == 0xB0) ||
            b == 0xF4) {
            return true;
        }
    }
    return false;
}

TEST(DoubleByteCodePages, EveryTwoByteStringCountsAndComesBackAsTheSystemHasIt) {
    for (const unsigned number : {932u, 936u, 949u, 950u}) {
        const CodePage page = SystemCodePage(number);
        size_t decodedAsSystem = 0;
        for (unsigned first = 0; first < 256; ++first) {
            for (unsigned second = 0; second < 256; ++second) {
                const std::string bytes{static_cast<char>(first), static_cast<char>(second)};
                const std::string text = page.Decode(bytes);
                ASSERT_EQ(CharacterCount(text), SystemCharacterCount(number, bytes))
                    << number << ": " << first << " " << second;
                ASSERT_EQ(page.Encode(text), bytes) << number << ": " << first << " " << second;
                if (!HoldsEscapes(text)) {
                    ASSERT_EQ(text, SystemDecoding(number, bytes))
                        << number << ": " << first << " " << second;
                    ++decodedAsSystem;
                }
            }
        }
        EXPECT_GT(decodedAsSystem, 20000u) << number << ": most pairs are characters";
    }
}

}  // namespace
}  // namespace galemend
