#pragma once

#include <string>

namespace galemend {

// The scripting host's registry methods rebuilt on the native registry functions, for a
// system where that host cannot be created or lacks a method: the same key-path notation
// (full root names or HKCU, HKLM, HKCR; a trailing "\" names a key), the same type names
// (REG_SZ, REG_EXPAND_SZ, REG_DWORD, REG_BINARY) and the same text forms of what is read.
// Each method throws RegistryError when the registry refuses.
class NativeRegistry {
  public:
    std::string Read(const std::string& keyPath) const;
    void Write(const std::string& keyPath, const std::string& value, const std::string& type) const;
    void Delete(const std::string& keyPath) const;
};

}  // namespace galemend
