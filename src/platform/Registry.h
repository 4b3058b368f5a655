#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/SystemProbe.h"

namespace galemend {

// A registry operation that the registry refused. RegistryAccess absorbs it.
class RegistryError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

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

// A value read from the registry; nothing when no read took place or the read failed.
using RegistryValue = std::optional<std::string>;

// Runs the registry operation the word names ("read", "write" or "delete", in any case) on
// the value at keyPath ("HKEY_LOCAL_MACHINE\SOFTWARE\...\ValueName"). value and type are
// used by "write" only. Returns what "read" found; nothing for every other word, and for any
// operation the registry refused: refusals are absorbed without a message.
RegistryValue RegistryAccess(SystemProbe& probe, const std::string& operation,
                             const std::string& keyPath, const std::string& value,
                             const std::string& type);

}  // namespace galemend
