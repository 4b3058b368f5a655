#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace galemend {

// A registry address in the scripting host's notation: "ROOT\Sub\Key\ValueName" names a
// value; a path that ends in "\" ("ROOT\Sub\Key\") names the key itself, whose unnamed
// default value a read or write then uses.
struct RegistryKeyPath {
    std::string root;       // as written, e.g. "HKEY_LOCAL_MACHINE" or "HKLM"
    std::string subKey;     // empty for a value directly under the root
    std::string valueName;  // empty when the path names a key
    bool namesKey = false;  // the path ends in "\"
};

// Splits a key path; nothing when it has no root part (no backslash at all).
std::optional<RegistryKeyPath> SplitRegistryKeyPath(std::string_view keyPath);

}  // namespace galemend
