#pragma once

#include <optional>
#include <string>

#include "platform/SystemProbe.h"

namespace galemend {

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
