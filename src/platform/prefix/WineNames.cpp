#include "platform/prefix/WineNames.h"

#include <locale.h>
#include <wctype.h>

#include <array>
#include <cstdlib>
#include <memory>

#include "text/Text.h"

namespace galemend {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// The C library's case tables for Unicode, which follow the same simple mappings as Wine's.
locale_t UnicodeLocale() {
    static const locale_t locale = [] {
        for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
            if (const locale_t found = ::newlocale(LC_CTYPE_MASK, name, nullptr)) {
                return found;
            }
        }
        return locale_t{};
    }();
    return locale;
}

char16_t MapUnit(char16_t c, bool upper) {
    if (c < 0x80) {
        if (upper) {
            return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
        }
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c;
    }
    const locale_t locale = UnicodeLocale();
    if ((c >= 0xD800 && c <= 0xDFFF) || locale == locale_t{}) {
        return c;
    }
    const wint_t mapped = upper ? ::towupper_l(c, locale) : ::towlower_l(c, locale);
    return mapped <= 0xFFFF ? static_cast<char16_t>(mapped) : c;
}

char16_t WineLower(char16_t c) {
    return MapUnit(c, false);
}

// A character Wine replaces by "_" in a short name: non-ASCII, or one DOS does not allow.
bool IsInvalidShortNameCharacter(char16_t c) {
    return c > 0x7F ||
           std::u16string_view(u"*?<>|\"+=,;[] ~.").find(c) != std::u16string_view::npos;
}

}  // namespace

std::u16string Utf16Of(std::string_view utf8) {
    std::u16string wide;
    wide.reserve(utf8.size());
    for (size_t at = 0; at < utf8.size();) {
        const Character c = CharacterAt(utf8, at);
        at += c.length;
        if (c.value >= kLoneByte) {
            wide.push_back(kReplacement);
        } else if (c.value >= 0x10000) {
            const char32_t v = c.value - 0x10000;
            wide.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
            wide.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            wide.push_back(static_cast<char16_t>(c.value));
        }
    }
    return wide;
}

char16_t WineUpper(char16_t c) {
    // One table for the whole BMP: listings compare every unit of every name.
    static const std::unique_ptr<std::array<char16_t, 0x10000>> table = [] {
        auto made = std::make_unique<std::array<char16_t, 0x10000>>();
        for (size_t unit = 0; unit < made->size(); ++unit) {
            (*made)[unit] = MapUnit(static_cast<char16_t>(unit), true);
        }
        return made;
    }();
    return (*table)[c];
}

std::u16string WineUpper(std::u16string_view text) {
    std::u16string upper(text);
    for (char16_t& c : upper) {
        c = WineUpper(c);
    }
    return upper;
}

int CompareListingNames(std::u16string_view a, std::u16string_view b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const int x = WineUpper(a[i]);
        const int y = WineUpper(b[i]);
        if (x != y) {
            return x - y;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    return a.compare(b);
}

bool MaskMatches(std::u16string_view mask, std::u16string_view name) {
    const auto same = [](char16_t x, char16_t y) { return WineUpper(x) == WineUpper(y); };
    size_t m = 0;
    size_t n = 0;
    size_t joker = std::u16string_view::npos;  // the mask unit after the last run of stars
    size_t retry = 0;                          // where the name is taken up again after it
    while (n < name.size() && m < mask.size()) {
        if (mask[m] == u'*') {
            while (m < mask.size() && mask[m] == u'*') {
                ++m;
            }
            if (m == mask.size()) {
                return true;
            }
            joker = m;
            while (n < name.size() && !same(name[n], mask[m])) {
                ++n;
            }
            retry = n;
        } else if (mask[m] == u'?') {
            ++m;
            ++n;
        } else if (same(mask[m], name[n])) {
            ++m;
            ++n;
            if (m == mask.size()) {
                if (n == name.size()) {
                    return true;
                }
                if (joker != std::u16string_view::npos) {
                    m = joker;
                }
            }
        } else if (joker != std::u16string_view::npos) {
            m = joker;
            n = ++retry;
        } else {
            return false;
        }
    }
    while (m < mask.size() && (mask[m] == u'.' || mask[m] == u'*')) {
        ++m;
    }
    return n == name.size() && m == mask.size();
}

bool IsLegalShortName(std::u16string_view name) {
    if (name.size() > 12) {
        return false;
    }
    if (!name.empty() && name[0] == u'.') {
        return name == u"." || name == u"..";
    }
    size_t dot = std::u16string_view::npos;
    for (size_t i = 0; i < name.size(); ++i) {
        const char16_t c = name[i];
        if (c > 0x7F ||
            std::u16string_view(u"*?<>|\"+=,;[] :/\\").find(c) != std::u16string_view::npos) {
            return false;
        }
        if (c == u'.') {
            if (dot != std::u16string_view::npos) {
                return false;
            }
            dot = i;
        }
    }
    if (dot == std::u16string_view::npos) {
        return name.size() <= 8;
    }
    const size_t extension = name.size() - dot - 1;
    return dot <= 8 && extension >= 1 && extension <= 3;
}

std::u16string ShortNameOf(std::u16string_view name) {
    if (name.empty() || IsLegalShortName(name)) {
        return {};
    }
    uint16_t hash = 0xBEEF;
    for (size_t i = 0; i + 1 < name.size(); ++i) {
        hash = static_cast<uint16_t>((hash << 3) ^ (hash >> 5) ^ WineLower(name[i]) ^
                                     (WineLower(name[i + 1]) << 8));
    }
    hash = static_cast<uint16_t>((hash << 3) ^ (hash >> 5) ^ WineLower(name.back()));

    // The extension starts at the last dot, a dot in first or last place aside.
    size_t extension = std::u16string_view::npos;
    for (size_t i = 1; i + 1 < name.size(); ++i) {
        if (name[i] == u'.') {
            extension = i;
        }
    }
    const auto shortUnit = [](char16_t c) {
        return IsInvalidShortNameCharacter(c) ? u'_' : MapUnit(c, true);
    };
    std::u16string made;
    for (size_t i = 0; i < 4 && i < name.size() && i != extension; ++i) {
        made.push_back(shortUnit(name[i]));
    }
    made.append(5 - made.size(), u'~');
    static constexpr std::u16string_view kHashCharacters = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
    made.push_back(kHashCharacters[(hash >> 10) & 0x1F]);
    made.push_back(kHashCharacters[(hash >> 5) & 0x1F]);
    made.push_back(kHashCharacters[hash & 0x1F]);
    if (extension != std::u16string_view::npos) {
        made.push_back(u'.');
        for (size_t i = extension + 1; i < name.size() && i <= extension + 3; ++i) {
            made.push_back(shortUnit(name[i]));
        }
    }
    return made;
}

unsigned DosAttributeBits(std::string_view value) {
    if (value.size() <= 2 || value.size() > kDosAttributeMaxBytes || value[0] != '0' ||
        value[1] != 'x') {
        return 0;
    }
    // strtol as Wine calls it: the whole text up to an optional NUL must be the number.
    const std::string text(value);
    char* end = nullptr;
    const long bits = std::strtol(text.c_str(), &end, 16);
    return *end == '\0' ? static_cast<unsigned>(bits) & (kHiddenAttribute | kSystemAttribute) : 0;
}

bool IsDotHidden(std::string_view name) {
    return !name.empty() && name[0] == '.' && name != "." && name != "..";
}

}  // namespace galemend
