#pragma once

#include <windows.h>

#include <ole2.h>

#include <cstdint>
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

// How registry values become text, the same way on both registry routes (RegistryDataText in
// platform/Registry.h). Each throws RegistryError for a value that has no text form.

// A value as the scripting host hands it back.
std::string TextOfVariant(const VARIANT& value);
// A value as the registry stores it: its type (REG_SZ, ...) and its bytes as the W functions
// give them (text in UTF-16), an expandable string expanded in this process's environment.
std::string TextOfRegistryData(DWORD type, const std::string& bytes);

// The number a REG_DWORD write stores for the text, by the scripting host's conversion rules.
std::int32_t NumberOfText(const std::string& text);

}  // namespace galemend
