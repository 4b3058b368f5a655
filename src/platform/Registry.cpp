#include "platform/Registry.h"

#include <algorithm>
#include <vector>

#include "text/CodePage.h"
#include "text/Text.h"

namespace galemend {

namespace {

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The UTF-16LE units of stored bytes (an odd last byte is no unit).
std::u16string UnitsOf(std::string_view bytes) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return units;
}

std::u16string UpToNul(std::u16string text) {
    return text.substr(0, text.find(u'\0'));
}

std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            text += ' ';
        }
        text += items[i];
    }
    return text;
}

}  // namespace

std::string Utf8FromUtf16(std::u16string_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char16_t c = text[at];
        if (IsHighSurrogate(c) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
            AppendCharacter(utf8, 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
                                      (static_cast<char32_t>(text[++at]) - 0xDC00));
        } else {
            AppendCharacter(utf8, c);
        }
    }
    return utf8;
}

std::u16string Utf16FromUtf8(std::string_view text) {
    std::u16string utf16;
    utf16.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Character c = CharacterAt(text, at);
        at += c.length;
        if (c.value >= kLoneByte) {
            utf16 += u'\uFFFD';
        } else if (c.value >= 0x10000) {
            utf16 += static_cast<char16_t>(0xD800 + ((c.value - 0x10000) >> 10));
            utf16 += static_cast<char16_t>(0xDC00 + ((c.value - 0x10000) & 0x3FF));
        } else {
            utf16 += static_cast<char16_t>(c.value);
        }
    }
    return utf16;
}

std::string RegistryDataText(std::uint32_t type, std::string_view bytes,
                             const EnvironmentExpander& expand) {
    switch (type) {
        case kRegSz:
            return Utf8FromUtf16(UpToNul(UnitsOf(bytes)));
        case kRegExpandSz:
            return expand(Utf8FromUtf16(UpToNul(UnitsOf(bytes))));
        case kRegDword: {
            if (bytes.size() != 4) {
                throw RegistryError("malformed REG_DWORD value");
            }
            std::uint32_t number = 0;
            for (int i = 3; i >= 0; --i) {
                number = number << 8 | static_cast<unsigned char>(bytes[i]);
            }
            return std::to_string(static_cast<std::int32_t>(number));
        }
        case kRegBinary: {
            std::vector<std::string> items;
            for (const char byte : bytes) {
                items.push_back(std::to_string(static_cast<unsigned char>(byte)));
            }
            return Joined(items);
        }
        case kRegMultiSz: {
            const std::u16string text = UnitsOf(bytes);
            std::vector<std::string> items;
            std::size_t at = 0;
            while (at < text.size() && text[at] != u'\0') {
                const std::size_t end = std::min(text.find(u'\0', at), text.size());
                items.push_back(Utf8FromUtf16(std::u16string_view(text).substr(at, end - at)));
                at = end + 1;
            }
            return Joined(items);
        }
        default:
            throw RegistryError("the value has no text form");
    }
}

std::optional<RegistryKeyPath> SplitRegistryKeyPath(std::string_view keyPath) {
    const std::size_t first = keyPath.find('\\');
    if (first == std::string_view::npos || first == 0) {
        return std::nullopt;
    }
    const std::size_t last = keyPath.rfind('\\');
    RegistryKeyPath path;
    path.root = std::string(keyPath.substr(0, first));
    if (last > first) {
        path.subKey = std::string(keyPath.substr(first + 1, last - first - 1));
    }
    path.valueName = std::string(keyPath.substr(last + 1));
    path.namesKey = last + 1 == keyPath.size();
    return path;
}

RegistryValue RegistryAccess(SystemProbe& probe, const std::string& operation,
                             const std::string& keyPath, const std::string& value,
                             const std::string& type) {
    const std::string word = LowerCase(operation);
    RegistryValue result;
    // Each step is tried on its own and a refusal only abandons that step. The words are
    // tested in this order; at most one matches.
    if (word == "write") {
        try {
            probe.RegWrite(keyPath, value, type);
        } catch (const RegistryError&) {
        }
    }
    if (word == "read") {
        try {
            result = probe.RegRead(keyPath);
        } catch (const RegistryError&) {
        }
    }
    if (word == "delete") {
        try {
            probe.RegDelete(keyPath);
        } catch (const RegistryError&) {
        }
    }
    return result;
}

}  // namespace galemend
