#include "platform/prefix/RegistryFileText.h"

#include <string_view>

namespace galemend {

namespace {

// The C library's classes in the "C" locale: bytes above 127 are none of them.
bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
unsigned HexDigit(char c) {
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}
bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

// The character of a C escape (\n, \t, ...); 0 for a letter that is none.
char16_t ControlEscape(char c) {
    static constexpr std::string_view kLetters = "abefnrtv";
    static constexpr char16_t kCharacters[] = {0x07, 0x08, 0x1B, 0x0C, 0x0A, 0x0D, 0x09, 0x0B};
    const std::size_t at = kLetters.find(c);
    return c == '\0' || at == std::string_view::npos ? 0 : kCharacters[at];
}

// Appends the character whose UTF-8 form starts with lead (p just past it), as Wine decodes
// it: a byte that starts no sequence is dropped, and so is a sequence cut short, too long a
// form or a value above U+10FFFF; what follows a cut sequence is read again.
void AppendUtf8Character(unsigned char lead, const char*& p, std::u16string& out) {
    const int following = lead >= 0xF0   ? (lead <= 0xF4 ? 3 : 0)
                          : lead >= 0xE0 ? 2
                          : lead >= 0xC2 ? 1
                                         : 0;
    if (following == 0) {
        return;
    }
    static constexpr unsigned kMask[] = {0x7F, 0x1F, 0x0F, 0x07};
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    char32_t value = lead & kMask[following];
    for (int i = 0; i < following; ++i) {
        const unsigned next = static_cast<unsigned char>(*p) ^ 0x80u;
        if (next >= 0x40) {
            return;
        }
        value = value << 6 | next;
        ++p;
    }
    if (value < kSmallest[following] || value > 0x10FFFF) {
        return;
    }
    if (value <= 0xFFFF) {
        out += static_cast<char16_t>(value);
    } else {
        out += static_cast<char16_t>(0xD800 | ((value - 0x10000) >> 10));
        out += static_cast<char16_t>(0xDC00 | ((value - 0x10000) & 0x3FF));
    }
}

}  // namespace

std::optional<ParsedText> ParseRegistryString(const char* source, char delimiter) {
    std::u16string text;
    const char* p = source;
    while (*p != '\0' && *p != delimiter) {
        if (*p == '\\') {
            ++p;
            if (*p == '\0') {
                break;
            }
            if (const char16_t control = ControlEscape(*p); control != 0) {
                text += control;
                ++p;
                continue;
            }
            if (*p == 'x') {
                ++p;
                if (!IsHexDigit(*p)) {
                    text += u'x';
                    continue;
                }
                unsigned unit = 0;
                for (int digits = 0; digits < 4 && IsHexDigit(*p); ++digits) {
                    unit = unit * 16 + HexDigit(*p++);
                }
                text += static_cast<char16_t>(unit);
                continue;
            }
            if (IsOctalDigit(*p)) {
                unsigned unit = *p++ - '0';
                for (int digits = 1; digits < 3 && IsOctalDigit(*p); ++digits) {
                    unit = unit * 8 + (*p++ - '0');
                }
                text += static_cast<char16_t>(unit);
                continue;
            }
            // Any other escaped character stands for itself: \\, \", \[, \].
        }
        const auto c = static_cast<unsigned char>(*p++);
        if (c < 0x80) {
            text += static_cast<char16_t>(c);
        } else {
            AppendUtf8Character(c, p, text);
        }
    }
    if (*p == '\0') {
        return std::nullopt;
    }
    return ParsedText{std::move(text), static_cast<std::size_t>(p + 1 - source)};
}

}  // namespace galemend
