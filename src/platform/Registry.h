#pragma once

#include <cstdint>
#include <functional>
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

// The value types the registry numbers, of those RegRead gives a text form.
enum RegistryType : std::uint32_t {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiSz = 7,
};

// Replaces the %NAME% references of a text by the environment's values, as
// ExpandEnvironmentStringsW does.
using EnvironmentExpander = std::function<std::string(const std::string&)>;

// How registry values become text, the same way on every registry route: text as stored up to
// its first NUL (an expandable string expanded), a number in signed decimal, a list
// (multi-string items up to the first empty one, the bytes of binary data) as the text forms
// of its items separated by single blanks. bytes are the value's data as the registry holds
// it, text in UTF-16LE. Throws RegistryError for a value that has no text form (other types,
// a REG_DWORD that is not four bytes).
std::string RegistryDataText(std::uint32_t type, std::string_view bytes,
                             const EnvironmentExpander& expand);

// Registry names and text are UTF-16; the program's strings UTF-8. A lone surrogate keeps its
// three-byte form both ways, so every UTF-16 text survives the round trip; a byte that is no
// UTF-8 becomes U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text);
std::u16string Utf16FromUtf8(std::string_view text);

// Runs the registry operation the word names ("read", "write" or "delete", in any case) on
// the value at keyPath ("HKEY_LOCAL_MACHINE\SOFTWARE\...\ValueName"). value and type are
// used by "write" only. Returns what "read" found; nothing for every other word, and for any
// operation the registry refused: refusals are absorbed without a message.
RegistryValue RegistryAccess(SystemProbe& probe, const std::string& operation,
                             const std::string& keyPath, const std::string& value,
                             const std::string& type);

}  // namespace galemend
