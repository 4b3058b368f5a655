// The one conversion between the program's UTF-8 and the system's UTF-16, and the path form
// the W functions are given.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Win32Support.h"

namespace galemend {
namespace {

TEST(Win32Text, Utf8AndUtf16RoundTripEveryName) {
    const std::wstring wide = L"C:\\Games\\星海 Corvane\\Карта \U0001F30C.galaxy";
    const std::string utf8 = "C:\\Games\\星海 Corvane\\Карта \U0001F30C.galaxy";
    EXPECT_EQ(Utf8FromWide(wide), utf8);
    EXPECT_EQ(WideFromUtf8(utf8), wide);

    // A lone surrogate is a valid Windows file name; it must come back as it went.
    const std::wstring lone = std::wstring(L"a") + wchar_t(0xDC81) + L"b";
    EXPECT_EQ(Utf8FromWide(lone),
              "a\xed\xb2\x81"
              "b");
    EXPECT_EQ(WideFromUtf8(Utf8FromWide(lone)), lone);

    EXPECT_EQ(WideFromUtf8("x\xff"
                           "y\xc3"),
              L"x\xFFFDy\xFFFD")
        << "invalid bytes";
}

TEST(Win32Text, LongPathsTakeTheFormWithoutLimit) {
    EXPECT_EQ(SystemPath("C:\\Games\\Maps\\."), L"C:\\Games\\Maps\\.") << "short: as it is";
    const std::string folder(250, 'f');
    EXPECT_EQ(SystemPath("C:\\Maps\\" + folder + "\\..\\x\\*.galaxy"),
              L"\\\\?\\C:\\Maps\\x\\*.galaxy");
    EXPECT_EQ(SystemPath("C:\\Maps\\" + folder + "\\."),
              L"\\\\?\\C:\\Maps\\" + std::wstring(250, L'f'));
    EXPECT_EQ(SystemPath("\\\\server\\share\\" + folder + "\\a.galaxy"),
              L"\\\\?\\UNC\\server\\share\\" + std::wstring(250, L'f') + L"\\a.galaxy");
    const std::string prefixed = "\\\\?\\C:\\" + folder;
    EXPECT_EQ(SystemPath(prefixed), WideFromUtf8(prefixed)) << "already without limit";
}

}  // namespace
}  // namespace galemend
