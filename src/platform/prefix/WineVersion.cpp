#include "platform/prefix/WineVersion.h"

#include <algorithm>
#include <array>
#include <string>

namespace galemend {

namespace {

constexpr std::uint32_t kWin32s = 0;
constexpr std::uint32_t kWindows9x = 1;
constexpr std::uint32_t kWindowsNt = 2;

struct NamedVersion {
    std::u16string_view name;
    std::uint32_t platform;
    std::uint32_t major;
    std::uint32_t minor;
};

// Wine 8.0's names and what each reports (it has no "win11").
constexpr std::array<NamedVersion, 26> kVersions{{
    {u"win20", kWin32s, 2, 0},        {u"win30", kWin32s, 3, 0},
    {u"win31", kWin32s, 3, 10},       {u"win95", kWindows9x, 4, 0},
    {u"win98", kWindows9x, 4, 10},    {u"winme", kWindows9x, 4, 90},
    {u"nt351", kWindowsNt, 3, 51},    {u"nt40", kWindowsNt, 4, 0},
    {u"win2000", kWindowsNt, 5, 0},   {u"win2k", kWindowsNt, 5, 0},
    {u"nt2k", kWindowsNt, 5, 0},      {u"nt2000", kWindowsNt, 5, 0},
    {u"winxp", kWindowsNt, 5, 1},     {u"winxp64", kWindowsNt, 5, 2},
    {u"win2003", kWindowsNt, 5, 2},   {u"win2k3", kWindowsNt, 5, 2},
    {u"vista", kWindowsNt, 6, 0},     {u"winvista", kWindowsNt, 6, 0},
    {u"win2008", kWindowsNt, 6, 0},   {u"win2k8", kWindowsNt, 6, 0},
    {u"win2008r2", kWindowsNt, 6, 1}, {u"win2k8r2", kWindowsNt, 6, 1},
    {u"win7", kWindowsNt, 6, 1},      {u"win8", kWindowsNt, 6, 2},
    {u"win81", kWindowsNt, 6, 3},     {u"win10", kWindowsNt, 10, 0},
}};

constexpr VersionRecord kDefaultVersion{true, kWindowsNt, 6, 1};

// Wine reads these values into a small buffer: data longer than this is not read at all.
constexpr std::size_t kVersionDataLimit = 51;

std::u16string UnitsUpToNul(std::string_view bytes) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return units.substr(0, units.find(u'\0'));
}

// A value's text as Wine's version code reads it, whatever its type; nothing when the value
// is missing or too long.
std::optional<std::u16string> ValueText(const RegistryKey* key, std::u16string_view name,
                                        std::size_t limit) {
    const RegistryKey::Value* value = key == nullptr ? nullptr : key->FindValue(name);
    if (value == nullptr || value->data.bytes.size() > limit) {
        return std::nullopt;
    }
    return UnitsUpToNul(value->data.bytes);
}

std::optional<VersionRecord> NamedIn(const RegistryKey* key) {
    // The name is read into a buffer of 57 characters.
    const auto name = ValueText(key, u"Version", 114);
    return name ? WineVersionNamed(*name) : std::nullopt;
}

// "major.minor[.build]": the numbers before and after the first full stop.
std::optional<VersionRecord> NumberedIn(const RegistryKey* key, std::u16string_view name,
                                        std::uint32_t platform) {
    const auto text = ValueText(key, name, kVersionDataLimit);
    if (!text) {
        return std::nullopt;
    }
    const std::size_t dot = text->find(u'.');
    VersionRecord version{true, platform, WineDecimal(text->substr(0, dot)), 0};
    if (dot != std::u16string::npos) {
        const std::u16string_view rest = std::u16string_view(*text).substr(dot + 1);
        version.minor = WineDecimal(rest.substr(0, rest.find(u'.')));
    }
    if (version.major == 0) {
        return std::nullopt;
    }
    return version;
}

bool IsSpace(char16_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// The digit a character stands for, in the scripts Wine's number reader knows; -1 for none.
int DigitOf(char16_t c) {
    constexpr std::array<char16_t, 18> kZeros{0x0030, 0x0660, 0x06F0, 0x0966, 0x09E6, 0x0A66,
                                              0x0AE6, 0x0B66, 0x0C66, 0x0CE6, 0x0D66, 0x0E50,
                                              0x0ED0, 0x0F20, 0x1040, 0x17E0, 0x1810, 0xFF10};
    for (const char16_t zero : kZeros) {
        if (c >= zero && c <= zero + 9) {
            return c - zero;
        }
    }
    return -1;
}

}  // namespace

std::uint32_t WineDecimal(std::u16string_view text) {
    std::size_t at = 0;
    while (at < text.size() && IsSpace(text[at])) {
        ++at;
    }
    const bool negative = at < text.size() && text[at] == u'-';
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) {
        ++at;
    }
    std::uint64_t value = 0;
    for (; at < text.size() && DigitOf(text[at]) >= 0; ++at) {
        value = std::min<std::uint64_t>(value * 10 + DigitOf(text[at]), 0xFFFFFFFFu);
    }
    const auto number = static_cast<std::uint32_t>(value);
    return negative ? 0u - number : number;
}

std::optional<VersionRecord> WineVersionNamed(std::u16string_view name) {
    const auto found = std::find_if(kVersions.begin(), kVersions.end(),
                                    [&](const NamedVersion& v) { return v.name == name; });
    if (found == kVersions.end()) {
        return std::nullopt;
    }
    return VersionRecord{true, found->platform, found->major, found->minor};
}

VersionRecord WineRegistryVersion(const WineRegistry& registry, std::string_view programName) {
    if (const RegistryKey* wine = registry.FindKey("HKCU\\Software\\Wine")) {
        // The program's own settings, found by its file name in any case.
        const RegistryKey* own =
            OpenKeyPath(registry.Root(), *wine, u"AppDefaults\\" + Utf16FromUtf8(programName));
        if (const auto version = NamedIn(own)) {
            return *version;
        }
        if (const auto version = NamedIn(wine)) {
            return *version;
        }
    }
    if (const auto nt =
            NumberedIn(registry.FindKey("HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion"),
                       u"CurrentVersion", kWindowsNt)) {
        return *nt;
    }
    if (const auto nineX =
            NumberedIn(registry.FindKey("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion"),
                       u"VersionNumber", kWindows9x)) {
        return *nineX;
    }
    return kDefaultVersion;
}

VersionRecord VersionSeenByProgram(VersionRecord version) {
    if (version.major > 6 || (version.major == 6 && version.minor >= 3)) {
        version.major = 6;
        version.minor = 2;
    }
    return version;
}

}  // namespace galemend
