// Wine's registry file loader on any text. Whatever it loads must survive being written back
// the way wineserver writes it (escapes, str/dword/hex forms, continued hex lines) and loaded
// again: the same keys, links and values, with no line complained about. And RegRead must find
// every value of the tree by its path, in another letter case, and refuse the values right
// under the root, which its path rules cannot name.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/prefix/WineRegistry.h"
#include "text/Text.h"

namespace {

using namespace galemend;

void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

bool IsHexDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// A name or text escaped as wineserver writes it, with the two characters that close it.
std::string Escaped(std::u16string_view text, std::string_view closers) {
    static constexpr std::string_view kEscapes = ".......abtnvfr.............e....";
    std::string out;
    char buffer[16];
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool more = i + 1 < text.size();
        if (c > 127) {
            const bool hexFollows = more && text[i + 1] < 128 && IsHexDigit(text[i + 1]);
            std::snprintf(buffer, sizeof buffer, hexFollows ? "\\x%04x" : "\\x%x", unsigned{c});
            out += buffer;
        } else if (c < 32) {
            const bool octalFollows = more && text[i + 1] >= u'0' && text[i + 1] <= u'7';
            if (kEscapes[c] != '.') {
                std::snprintf(buffer, sizeof buffer, "\\%c", kEscapes[c]);
            } else {
                std::snprintf(buffer, sizeof buffer, octalFollows ? "\\%03o" : "\\%o", unsigned{c});
            }
            out += buffer;
        } else {
            if (c == u'\\' || c == closers[0] || c == closers[1]) {
                out += '\\';
            }
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string ValueLine(const RegistryKey::Value& value) {
    std::string line = value.name.empty() ? "@=" : "\"" + Escaped(value.name, "\"\"") + "\"=";
    const std::string& bytes = value.data.bytes;
    const std::uint32_t type = value.data.type;
    char buffer[32];
    if ((type == kRegSz || type == kRegExpandSz || type == kRegMultiSz) && bytes.size() >= 2 &&
        bytes.size() % 2 == 0 && bytes[bytes.size() - 1] == 0 && bytes[bytes.size() - 2] == 0) {
        std::u16string text;
        for (std::size_t i = 0; i + 2 < bytes.size(); i += 2) {
            text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8);
        }
        if (type != kRegSz) {
            std::snprintf(buffer, sizeof buffer, "str(%x):", type);
            line += buffer;
        }
        return line + "\"" + Escaped(text, "\"\"") + "\"\n";
    }
    if (type == kRegDword && bytes.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i) {
            number = number << 8 | static_cast<unsigned char>(bytes[i]);
        }
        std::snprintf(buffer, sizeof buffer, "dword:%08x\n", number);
        return line + buffer;
    }
    if (type == kRegBinary) {
        line += "hex:";
    } else {
        std::snprintf(buffer, sizeof buffer, "hex(%x):", type);
        line += buffer;
    }
    std::size_t column = line.size();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, "%02x", static_cast<unsigned char>(bytes[i]));
        line += buffer;
        column += 2;
        if (i + 1 < bytes.size()) {
            line += ',';
            if (++column > 76) {
                line += "\\\n  ";
                column = 2;
            }
        }
    }
    return line + "\n";
}

// The keys below a key, each after its subkeys: a key's "#link" then comes after every line
// that makes a key below it, so loading follows no link the first load did not follow.
void Write(const RegistryKey& key, const std::u16string& path, std::string& out) {
    for (const auto& [folded, subkey] : key.Subkeys()) {
        Write(*subkey, path.empty() ? subkey->Name() : path + u"\\" + subkey->Name(), out);
    }
    if (key.Values().empty() && !key.Subkeys().empty() && !key.IsLink()) {
        return;
    }
    // A name that starts with NUL would name the branch itself: a leading backslash, which
    // the loader skips, keeps it a name.
    out += path.empty() || path.front() != u'\0' ? "[" : "[\\\\";
    out += Escaped(path, "[]") + "] 1700000000\n";
    out += key.IsLink() ? "#link\n" : "";
    for (const auto& [folded, value] : key.Values()) {
        out += ValueLine(value);
    }
}

bool SameTree(const RegistryKey& a, const RegistryKey& b) {
    if (a.Name() != b.Name() || a.IsLink() != b.IsLink() ||
        a.Values().size() != b.Values().size() || a.Subkeys().size() != b.Subkeys().size()) {
        return false;
    }
    for (const auto& [folded, value] : a.Values()) {
        const RegistryKey::Value* other = b.FindValue(value.name);
        if (other == nullptr || other->name != value.name || !(other->data == value.data)) {
            return false;
        }
    }
    for (const auto& [folded, subkey] : a.Subkeys()) {
        const RegistryKey* other = b.Subkey(subkey->Name());
        if (other == nullptr || !SameTree(*subkey, *other)) {
            return false;
        }
    }
    return true;
}

// Every value reached by a path without links, found by RegRead's path in lower case.
void CheckLookups(const WineRegistry& registry, const RegistryKey& key, const std::string& path) {
    for (const auto& [folded, value] : key.Values()) {
        const std::string name = Utf8FromUtf16(value.name);
        if (name.find_first_of(std::string_view("\\\0", 2)) != std::string::npos) {
            continue;
        }
        if (path.empty()) {
            if (!name.empty()) {
                try {
                    registry.Query("HKLM\\" + name);
                    Require(false);
                } catch (const RegistryError&) {
                }
            }
            continue;
        }
        const std::string tail = LowerCase(path + "\\" + name);
        Require(registry.Query("HKEY_LOCAL_MACHINE\\" + tail) == value.data);
        try {
            registry.Read("HKLM\\" + tail, [](const std::string& text) { return text; });
        } catch (const RegistryError&) {
        }
    }
    for (const auto& [folded, subkey] : key.Subkeys()) {
        const std::string name = Utf8FromUtf16(subkey->Name());
        if (!subkey->IsLink() && name.find('\0') == std::string::npos) {
            CheckLookups(registry, *subkey, path.empty() ? name : path + "\\" + name);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    WineRegistry registry;
    try {
        registry.LoadText(text, WineRegistry::Hive::LocalMachine, "system.reg");
    } catch (const RegistryFileError& error) {
        Require(error.Line() >= 1 && error.File() == "system.reg");
        return 0;
    }
    for (const RegistryFileProblem& problem : registry.Problems()) {
        Require(problem.line >= 1 && !problem.message.empty());
    }
    const RegistryKey& machine = *registry.Root().Subkey(u"Machine");
    std::string written = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n";
    Write(machine, u"", written);
    WineRegistry again;
    again.LoadText(written, WineRegistry::Hive::LocalMachine, "written.reg");
    Require(again.Problems().empty());
    Require(SameTree(machine, *again.Root().Subkey(u"Machine")));
    if (!machine.IsLink()) {
        CheckLookups(registry, machine, "");
    }
    return 0;
}
