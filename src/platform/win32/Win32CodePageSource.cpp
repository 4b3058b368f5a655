// The code pages of Windows, asked one character at a time through the system's own
// conversion functions.
#include <windows.h>

#include <array>
#include <string>

#include "platform/CodePages.h"

namespace galemend {

namespace {

// The UTF-16 form of a character.
std::wstring Utf16(char32_t c) {
    if (c < 0x10000) {
        return std::wstring(1, static_cast<wchar_t>(c));
    }
    c -= 0x10000;
    return {static_cast<wchar_t>(0xD800 + (c >> 10)), static_cast<wchar_t>(0xDC00 + (c & 0x3FF))};
}

class Win32Source : public CodePageSource {
  public:
    Win32Source(unsigned number, bool doubleByte) : number_(number), doubleByte_(doubleByte) {}

    Kind PageKind() const override { return doubleByte_ ? Kind::DoubleByte : Kind::SingleByte; }

    bool IsLeadByte(unsigned char byte) const override {
        return ::IsDBCSLeadByteEx(number_, byte) != FALSE;
    }

    std::optional<char32_t> Decode(std::string_view bytes) const override {
        std::array<wchar_t, 4> wide{};
        const int count =
            ::MultiByteToWideChar(number_, MB_ERR_INVALID_CHARS, bytes.data(),
                                  static_cast<int>(bytes.size()), wide.data(), wide.size());
        if (count == 1 && (wide[0] < 0xD800 || wide[0] > 0xDFFF)) {
            return static_cast<char32_t>(wide[0]);
        }
        if (count == 2 && wide[0] >= 0xD800 && wide[0] <= 0xDBFF && wide[1] >= 0xDC00 &&
            wide[1] <= 0xDFFF) {
            return 0x10000 + ((static_cast<char32_t>(wide[0]) - 0xD800) << 10) +
                   (static_cast<char32_t>(wide[1]) - 0xDC00);
        }
        return std::nullopt;
    }

    std::optional<std::string> Encode(char32_t c) const override {
        BOOL usedDefault = FALSE;
        std::string bytes = Convert(c, WC_NO_BEST_FIT_CHARS, &usedDefault);
        if (bytes.empty() || usedDefault) {
            return std::nullopt;
        }
        return bytes;
    }

    // WideCharToMultiByte as programs call it: best fit, else the code page's default.
    std::string Unmapped(char32_t c) const override { return Convert(c, 0, nullptr); }

  private:
    std::string Convert(char32_t c, DWORD flags, BOOL* usedDefault) const {
        const std::wstring wide = Utf16(c);
        std::array<char, 8> bytes{};
        const int length =
            ::WideCharToMultiByte(number_, flags, wide.data(), static_cast<int>(wide.size()),
                                  bytes.data(), bytes.size(), nullptr, usedDefault);
        return std::string(bytes.data(), length > 0 ? static_cast<size_t>(length) : 0);
    }

    unsigned number_;
    bool doubleByte_;
};

}  // namespace

std::unique_ptr<CodePageSource> SystemCodePageSource(unsigned number) {
    CPINFOEXW info{};
    if (!::IsValidCodePage(number) || !::GetCPInfoExW(number, 0, &info) || info.MaxCharSize > 2) {
        return nullptr;  // unknown, or a code page with shift states or longer characters
    }
    return std::make_unique<Win32Source>(number, info.MaxCharSize == 2);
}

}  // namespace galemend
