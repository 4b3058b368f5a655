#pragma once

#include <windows.h>

#include <ole2.h>

#include <cstdint>
#include <string>

namespace galemend {

// How registry values become text, the same way on both registry routes: text as stored
// (an expandable string expanded), a number in signed decimal, a list (multi-string items,
// the bytes of binary data) as the text forms of its items separated by single blanks.
// Throws RegistryError for a value that has no text form.

// A value as the scripting host hands it back.
std::string TextOfVariant(const VARIANT& value);
// A value as the registry stores it: its type (REG_SZ, ...) and its bytes.
std::string TextOfRegistryData(DWORD type, const std::string& bytes);

// The number a REG_DWORD write stores for the text, by the scripting host's conversion rules.
std::int32_t NumberOfText(const std::string& text);

}  // namespace galemend
