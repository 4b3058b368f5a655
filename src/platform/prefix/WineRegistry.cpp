#include "platform/prefix/WineRegistry.h"

#include <array>
#include <utility>

#include "text/Text.h"

namespace galemend {

namespace {

// wineserver's user: every prefix's HKEY_CURRENT_USER is this user's branch, whatever the
// comment at the top of user.reg says.
constexpr std::u16string_view kMachineBranch = u"Machine";
constexpr std::u16string_view kUserBranch = u"User\\S-1-5-21-0-0-0-1000";

constexpr std::u16string_view kRegistryName = u"REGISTRY";

bool SameIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return FoldedName(a) == FoldedName(b);
}

// The scripting host's roots, tried in this order against the start of the path, letter case
// and all: "HKCUX\..." is HKEY_CURRENT_USER too.
struct RootName {
    std::string_view name;
    std::u16string_view path;  // below REGISTRY
};
constexpr std::array<RootName, 8> kRoots{{
    {"HKEY_CURRENT_USER", kUserBranch},
    {"HKCU", kUserBranch},
    {"HKEY_LOCAL_MACHINE", kMachineBranch},
    {"HKLM", kMachineBranch},
    {"HKEY_CLASSES_ROOT", u"Machine\\Software\\Classes"},
    {"HKCR", u"Machine\\Software\\Classes"},
    {"HKEY_USERS", u"User"},
    {"HKEY_CURRENT_CONFIG", u"Machine\\System\\CurrentControlSet\\Hardware Profiles\\Current"},
}};

}  // namespace

RegistryFileError::RegistryFileError(std::string file, int line, const std::string& reason)
    : std::runtime_error(file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " +
                         reason),
      file_(std::move(file)),
      line_(line) {}

std::u16string FoldedName(std::u16string_view name) {
    std::u16string folded(name);
    for (char16_t& unit : folded) {
        if (unit < 0xD800 || unit > 0xDFFF) {
            unit = static_cast<char16_t>(FoldCase(static_cast<char32_t>(unit)));
        }
    }
    return folded;
}

std::u16string_view NextKeyName(std::u16string_view path, std::size_t& at) {
    while (at < path.size() && path[at] == u'\\') {
        ++at;
    }
    const std::size_t start = at;
    while (at < path.size() && path[at] != u'\\') {
        ++at;
    }
    return path.substr(start, at - start);
}

const RegistryKey* RegistryKey::Subkey(std::u16string_view name) const {
    const auto found = subkeys_.find(FoldedName(name));
    return found == subkeys_.end() ? nullptr : found->second.get();
}

RegistryKey* RegistryKey::Subkey(std::u16string_view name) {
    const auto found = subkeys_.find(FoldedName(name));
    return found == subkeys_.end() ? nullptr : found->second.get();
}

RegistryKey& RegistryKey::AddSubkey(std::u16string name) {
    auto key = std::make_unique<RegistryKey>();
    key->name_ = std::move(name);
    auto& slot = subkeys_[FoldedName(key->name_)];
    slot = std::move(key);
    return *slot;
}

const RegistryKey::Value* RegistryKey::FindValue(std::u16string_view name) const {
    const auto found = values_.find(FoldedName(name));
    return found == values_.end() ? nullptr : &found->second;
}

const RegistryKey* FollowLink(const RegistryKey& root, const RegistryKey* key, int depth) {
    if (depth > 16) {
        return nullptr;
    }
    if (!key->IsLink()) {
        return key;
    }
    const RegistryKey::Value* target = key->FindValue(u"SymbolicLinkValue");
    if (target == nullptr) {
        return nullptr;
    }
    // The target's UTF-16 units, whatever the value's type; an odd last byte is dropped.
    const std::string& bytes = target->data.bytes;
    std::u16string path(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < path.size(); ++i) {
        path[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    // An object path from the top of Wine's namespace, where REGISTRY holds the keys.
    std::size_t at = 0;
    if (path.empty() || path.front() != u'\\' ||
        !SameIgnoringCase(NextKeyName(path, at), kRegistryName)) {
        return nullptr;
    }
    // The link leads nowhere unless every name of its target is there.
    const RegistryKey* found = &root;
    for (std::u16string_view name = NextKeyName(path, at); !name.empty();
         name = NextKeyName(path, at)) {
        found = found->Subkey(name);
        if (found == nullptr) {
            return nullptr;
        }
        found = FollowLink(root, found, depth + 1);
        if (found == nullptr) {
            return nullptr;
        }
    }
    return found;
}

const RegistryKey* OpenKeyPath(const RegistryKey& root, const RegistryKey& start,
                               std::u16string_view path) {
    if (!path.empty() && path.front() == u'\\') {
        return nullptr;
    }
    const RegistryKey* key = &start;
    std::size_t at = 0;
    for (std::u16string_view name = NextKeyName(path, at); !name.empty();
         name = NextKeyName(path, at)) {
        key = key->Subkey(name);
        if (key == nullptr) {
            return nullptr;
        }
        key = FollowLink(root, key);
        if (key == nullptr) {
            return nullptr;
        }
    }
    return key;
}

WineRegistry::WineRegistry() : root_(std::make_unique<RegistryKey>()) {
    root_->name_ = kRegistryName;
    root_->AddSubkey(std::u16string(kMachineBranch));
    root_->AddSubkey(u"User").AddSubkey(u"S-1-5-21-0-0-0-1000");
}

WineRegistry WineRegistry::FromPrefix(const std::string& prefixFolder) {
    WineRegistry registry;
    const std::string folder =
        prefixFolder.empty() || prefixFolder.back() == '/' ? prefixFolder : prefixFolder + "/";
    // wineserver reads system.reg first: its "#arch=" line decides the prefix's.
    registry.LoadFile(folder + "system.reg", Hive::LocalMachine);
    registry.LoadFile(folder + "user.reg", Hive::CurrentUser);
    return registry;
}

RegistryKey& WineRegistry::Branch(Hive hive) {
    if (hive == Hive::LocalMachine) {
        return *root_->Subkey(kMachineBranch);
    }
    return *root_->Subkey(u"User")->Subkey(u"S-1-5-21-0-0-0-1000");
}

const RegistryKey* WineRegistry::RootKey(std::string_view keyPath) const {
    for (const RootName& root : kRoots) {
        if (keyPath.substr(0, root.name.size()) == root.name) {
            return OpenKeyPath(*root_, *root_, root.path);
        }
    }
    throw RegistryError(std::string(keyPath) + ": unknown root key");
}

const RegistryKey* WineRegistry::FindKey(std::string_view keyPath) const {
    const RegistryKey* root = nullptr;
    try {
        root = RootKey(keyPath);
    } catch (const RegistryError&) {
        return nullptr;
    }
    const std::size_t first = keyPath.find('\\');
    if (root == nullptr || first == std::string_view::npos) {
        return root;
    }
    return OpenKeyPath(*root_, *root, Utf16FromUtf8(keyPath.substr(first + 1)));
}

RegistryData WineRegistry::Query(std::string_view keyPath) const {
    // The host reads the path as a C string.
    keyPath = keyPath.substr(0, keyPath.find('\0'));
    const auto refuse = [&](const char* reason) {
        return RegistryError(std::string(keyPath) + ": " + reason);
    };
    const RegistryKey* root = RootKey(keyPath);
    const std::size_t first = keyPath.find('\\');
    if (first == std::string_view::npos) {
        throw refuse("no key path");
    }
    // "ROOT\Key\" names the key's default value, the backslash at the end kept in the key
    // path. Otherwise the value's name follows the last backslash; with no key between the two
    // the key path keeps its leading backslash, which the registry refuses.
    std::string_view subKey;
    std::string_view valueName;
    if (keyPath.back() == '\\') {
        subKey = keyPath.substr(first + 1);
    } else {
        const std::size_t last = keyPath.rfind('\\');
        subKey =
            last - first > 1 ? keyPath.substr(first + 1, last - first - 1) : keyPath.substr(first);
        valueName = keyPath.substr(last + 1);
    }
    const RegistryKey* key =
        root == nullptr ? nullptr : OpenKeyPath(*root_, *root, Utf16FromUtf8(subKey));
    if (key == nullptr) {
        throw refuse("no such key");
    }
    const RegistryKey::Value* value = key->FindValue(Utf16FromUtf8(valueName));
    if (value == nullptr) {
        throw refuse("no such value");
    }
    return value->data;
}

std::string WineRegistry::Read(std::string_view keyPath, const EnvironmentExpander& expand) const {
    RegistryData data = Query(keyPath);
    switch (data.type) {
        case kRegSz:
        case kRegExpandSz:
        case kRegMultiSz:
            // Wine's registry query puts a NUL after text that has an odd number of bytes,
            // which makes the last byte a character of its own.
            if (data.bytes.size() % 2 != 0) {
                data.bytes += '\0';
            }
            break;
        case kRegDword:
            // The host takes the first four bytes, whatever the size. Wine reads past a
            // shorter value; here the missing bytes are zeros.
            data.bytes.resize(4, '\0');
            break;
        default:
            break;
    }
    return RegistryDataText(data.type, data.bytes, expand);
}

}  // namespace galemend
