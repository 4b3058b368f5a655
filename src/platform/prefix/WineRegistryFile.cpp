// Wine's registry files, read the way wineserver's loader reads them at start-up. It passes
// over lines it cannot make sense of, which the loader here records as problems.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

#include "platform/prefix/RegistryFileText.h"
#include "platform/prefix/WineRegistry.h"

namespace galemend {

namespace {

constexpr const char* kHeader = "WINE REGISTRY Version 2";
constexpr std::size_t kMaxKeyNameLength = 256;      // code units, each name of a key path
constexpr std::size_t kMaxValueNameLength = 16383;  // code units

// The C library's classes in the "C" locale: bytes above 127 are none of them.
bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
const char* SkipSpaces(const char* p) {
    while (IsSpace(*p)) {
        ++p;
    }
    return p;
}

std::string BytesOfText(const std::u16string& text) {
    std::string bytes;
    bytes.reserve(text.size() * 2 + 2);
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    bytes.append(2, '\0');  // the terminating NUL the string is stored with
    return bytes;
}

}  // namespace

// One file's lines into one branch of the tree.
class RegistryFileLoader {
  public:
    RegistryFileLoader(WineRegistry& registry, RegistryKey& base, std::string_view text,
                       std::string fileName)
        : registry_(registry), base_(base), text_(text), file_(std::move(fileName)) {}

    void Load() {
        if (!NextLine() || line_ != kHeader) {
            throw RegistryFileError(
                file_, 1, std::string("not a Wine registry file: no \"") + kHeader + "\" line");
        }
        RegistryKey* key = nullptr;
        while (NextLine()) {
            const char* p = SkipSpaces(line_.c_str());
            switch (*p) {
                case '[':
                    key = LoadKey(p + 1);
                    if (key == nullptr) {
                        Complain("Error creating key");
                    }
                    break;
                case '@':
                case '"':
                    if (key != nullptr) {
                        LoadValue(*key, p);
                    } else {
                        Complain("Value without key");
                    }
                    break;
                case '#':
                    // Key options: only "#link" matters here (#time and #class do not).
                    if (key != nullptr) {
                        key->link_ = key->link_ || std::strncmp(p, "#link", 5) == 0;
                    } else {
                        GlobalOption(p);
                    }
                    break;
                case ';':
                case '\0':
                    break;
                default:
                    Complain("Unrecognized input");
                    break;
            }
        }
        if (!text_.empty() && text_.back() != '\n') {
            registry_.problems_.push_back(
                {file_, lineNumber_ - 1, "the last line has no line end: the file may be cut off"});
        }
    }

  private:
    // The next line without its line end (and a carriage return before it), cut at a NUL.
    bool NextLine() {
        ++lineNumber_;
        if (at_ >= text_.size()) {
            return false;
        }
        const std::size_t end = text_.find('\n', at_);
        const std::string_view raw =
            text_.substr(at_, end == std::string_view::npos ? std::string_view::npos : end - at_);
        at_ = end == std::string_view::npos ? text_.size() : end + 1;
        const std::size_t nul = raw.find('\0');
        line_.assign(raw.substr(0, nul));
        if (end != std::string_view::npos && nul == std::string_view::npos && !line_.empty() &&
            line_.back() == '\r') {
            line_.pop_back();
        }
        return true;
    }

    void Complain(const char* message) {
        registry_.problems_.push_back({file_, lineNumber_, message});
    }

    // "[Name\\Of\\Key] 1700000000": the key, made with every key missing on its way.
    RegistryKey* LoadKey(const char* buffer) {
        const std::optional<ParsedText> name = ParseRegistryString(buffer, ']');
        if (!name) {
            Complain("Malformed key");
            return nullptr;
        }
        if (name->text.empty() || name->text.front() == u'\0') {
            return &base_;
        }
        // Empty names (a backslash at the start, two in a row) stay on the same key. Keys
        // already there are followed through their links, as when the key is opened; the keys
        // made before a name that is too long stay.
        const std::u16string_view path = name->text;
        RegistryKey* key = &base_;
        std::size_t at = 0;
        for (std::u16string_view next = NextKeyName(path, at); !next.empty();
             next = NextKeyName(path, at)) {
            if (next.size() > kMaxKeyNameLength) {
                return nullptr;
            }
            RegistryKey* existing = key->Subkey(next);
            if (existing == nullptr) {
                key = &key->AddSubkey(std::u16string(next));
                continue;
            }
            // The loader owns the tree it walks.
            key = const_cast<RegistryKey*>(FollowLink(registry_.Root(), existing));
            if (key == nullptr) {
                return nullptr;
            }
        }
        return key;
    }

    // "Name"=data or @=data. The value is there before its data is read: data that cannot be
    // read leaves it empty, of type REG_NONE.
    void LoadValue(RegistryKey& key, const char* buffer) {
        std::u16string name;
        std::size_t used = 1;
        if (buffer[0] != '@') {
            std::optional<ParsedText> parsed = ParseRegistryString(buffer + 1, '"');
            if (!parsed) {
                Complain("Malformed value name");
                return;
            }
            name = std::move(parsed->text);
            used += parsed->length;
        }
        const char* p = SkipSpaces(buffer + used);
        if (*p != '=') {
            Complain("Malformed value name");
            return;
        }
        p = SkipSpaces(p + 1);
        const std::u16string folded = FoldedName(name);
        auto found = key.values_.find(folded);
        if (found == key.values_.end()) {
            if (name.size() > kMaxValueNameLength) {
                return;
            }
            found = key.values_.emplace(folded, RegistryKey::Value{std::move(name), {}}).first;
        }
        std::optional<RegistryData> data = ParseData(p);
        if (!data) {
            Complain("Malformed value");
        }
        found->second.data = data.value_or(RegistryData{});
    }

    // "text", str:"text", str(2):"...", str(7):"...", hex:bytes, hex(N):bytes, dword:number.
    std::optional<RegistryData> ParseData(const char* p) {
        static constexpr struct {
            const char* tag;
            std::uint32_t type;
        } kTextTags[] = {{"\"", kRegSz},
                         {"str:\"", kRegSz},
                         {"str(2):\"", kRegExpandSz},
                         {"str(7):\"", kRegMultiSz}};
        for (const auto& tag : kTextTags) {
            const std::size_t length = std::strlen(tag.tag);
            if (std::strncmp(p, tag.tag, length) == 0) {
                const std::optional<ParsedText> text = ParseRegistryString(p + length, '"');
                if (!text) {
                    return std::nullopt;
                }
                return RegistryData{tag.type, BytesOfText(text->text)};
            }
        }
        if (std::strncmp(p, "hex:", 4) == 0) {
            return ParseBytes(kRegBinary, p + 4);
        }
        if (std::strncmp(p, "dword:", 6) == 0) {
            // Whatever strtoul makes of it: no digits are 0, too many are all ones.
            const auto number = static_cast<std::uint32_t>(std::strtoul(p + 6, nullptr, 16));
            std::string bytes(4, '\0');
            for (int i = 0; i < 4; ++i) {
                bytes[i] = static_cast<char>(number >> (8 * i) & 0xFF);
            }
            return RegistryData{kRegDword, bytes};
        }
        if (std::strncmp(p, "hex(", 4) == 0) {
            char* end = nullptr;
            const auto type = static_cast<std::uint32_t>(std::strtoul(p + 4, &end, 16));
            if (std::strncmp(end, "):", 2) != 0) {
                return std::nullopt;
            }
            return ParseBytes(type, end + 2);
        }
        return std::nullopt;
    }

    // Comma-separated hex bytes; a backslash at the end of a line continues them on the next
    // line, whatever else follows the backslash.
    std::optional<RegistryData> ParseBytes(std::uint32_t type, const char* p) {
        std::string bytes;
        for (;;) {
            while (IsHexDigit(*p)) {
                char* end = nullptr;
                const unsigned long byte = std::strtoul(p, &end, 16);
                if (end == p || byte > 0xFF) {
                    return std::nullopt;
                }
                bytes += static_cast<char>(byte);
                p = SkipSpaces(end);
                if (*p == ',') {
                    p = SkipSpaces(p + 1);
                }
            }
            p = SkipSpaces(p);
            if (*p == '\0') {
                return RegistryData{type, std::move(bytes)};
            }
            if (*p != '\\' || !NextLine()) {
                return std::nullopt;
            }
            p = SkipSpaces(line_.c_str());
        }
    }

    void GlobalOption(const char* p) {
        if (std::strncmp(p, "#arch=", 6) != 0) {
            return;
        }
        const std::string_view name(p + 6);
        if (name != "win32" && name != "win64") {
            throw RegistryFileError(file_, lineNumber_, "Unknown architecture");
        }
        const PrefixArch arch = name == "win32" ? PrefixArch::Win32 : PrefixArch::Win64;
        if (registry_.arch_ && *registry_.arch_ != arch) {
            throw RegistryFileError(file_, lineNumber_, "Mismatched architecture");
        }
        registry_.arch_ = arch;
    }

    WineRegistry& registry_;
    RegistryKey& base_;
    std::string_view text_;
    std::string file_;
    std::size_t at_ = 0;
    int lineNumber_ = 0;
    std::string line_;
};

void WineRegistry::LoadText(std::string_view text, Hive hive, const std::string& fileName) {
    RegistryFileLoader(*this, Branch(hive), text, fileName).Load();
}

void WineRegistry::LoadFile(const std::string& path, Hive hive) {
    const auto fail = [&path] { return RegistryFileError(path, 0, std::strerror(errno)); };
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    const std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw fail();
    }
    std::string text;
    char buffer[65536];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        text.append(buffer, count);
    }
    if (std::ferror(file.get()) != 0) {
        throw fail();
    }
    LoadText(text, hive, path);
}

}  // namespace galemend
