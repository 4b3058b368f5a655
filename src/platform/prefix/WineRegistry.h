#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace galemend {

// A registry file that cannot be used at all: it cannot be read, does not start with Wine's
// header, or names an architecture Wine refuses. line is 0 when the file could not be read.
class RegistryFileError : public std::runtime_error {
  public:
    RegistryFileError(std::string file, int line, const std::string& reason);

    const std::string& File() const { return file_; }
    int Line() const { return line_; }

  private:
    std::string file_;
    int line_;
};

// A line that wineserver's loader complains about and passes over (its own words: "Malformed
// value", "Unrecognized input", ...). A malformed value still leaves an empty REG_NONE value
// of its name, as Wine's does.
struct RegistryFileProblem {
    std::string file;
    int line = 0;
    std::string message;
    std::string Text() const { return file + ":" + std::to_string(line) + ": " + message; }
};

// One value as the registry holds it.
struct RegistryData {
    std::uint32_t type = kRegNone;
    std::string bytes;  // text in UTF-16LE, with the terminating NUL it was stored with
    bool operator==(const RegistryData&) const = default;
};

// A key of the tree: its name as first spelled, its values and subkeys. Names are compared
// ignoring case, code unit by code unit; the maps keep the order Wine saves them in.
class RegistryKey {
  public:
    struct Value {
        std::u16string name;  // empty for the default value
        RegistryData data;
    };

    const std::u16string& Name() const { return name_; }
    // A symbolic link ("#link"): opening it opens the key its SymbolicLinkValue names.
    bool IsLink() const { return link_; }
    const RegistryKey* Subkey(std::u16string_view name) const;
    const Value* FindValue(std::u16string_view name) const;
    const std::map<std::u16string, std::unique_ptr<RegistryKey>>& Subkeys() const {
        return subkeys_;
    }
    const std::map<std::u16string, Value>& Values() const { return values_; }

  private:
    friend class WineRegistry;
    friend class RegistryFileLoader;

    RegistryKey* Subkey(std::u16string_view name);
    RegistryKey& AddSubkey(std::u16string name);

    std::u16string name_;
    bool link_ = false;
    std::map<std::u16string, std::unique_ptr<RegistryKey>> subkeys_;  // by folded name
    std::map<std::u16string, Value> values_;                          // by folded name
};

enum class PrefixArch { Win32, Win64 };

// A Wine prefix's registry, read from its text files with no Wine running, and the answers
// the scripting host's RegRead gives the 64-bit program in that prefix: the same keys, the
// same values, the same refusals. Nothing here writes a registry file.
class WineRegistry {
  public:
    enum class Hive { LocalMachine, CurrentUser };

    // The two branches exist, empty: REGISTRY\Machine and REGISTRY\User\<Wine's user>.
    WineRegistry();

    // system.reg (HKEY_LOCAL_MACHINE) and user.reg (HKEY_CURRENT_USER) of a prefix folder.
    // Throws RegistryFileError.
    static WineRegistry FromPrefix(const std::string& prefixFolder);

    // Loads a registry file into a branch, as wineserver does when it starts: keys and values
    // merge with those already there, later lines replacing earlier values. fileName only
    // names the file in problems and errors. Throws RegistryFileError.
    void LoadFile(const std::string& path, Hive hive);
    void LoadText(std::string_view text, Hive hive, const std::string& fileName);

    // From the first file's "#arch=" line; a file without one makes a 32-bit prefix.
    PrefixArch Arch() const { return arch_.value_or(PrefixArch::Win32); }
    const std::vector<RegistryFileProblem>& Problems() const { return problems_; }

    // REGISTRY, the key above Machine and User.
    const RegistryKey& Root() const { return *root_; }

    // A key in RegRead's notation without a value part ("HKLM\Software\Wine"), links
    // followed; nothing when there is none.
    const RegistryKey* FindKey(std::string_view keyPath) const;

    // The value that RegRead reads for "ROOT\Key\...\ValueName" ("ROOT\Key\" for the key's
    // default value), found as Wine's scripting host finds it: the root names HKEY_CURRENT_USER,
    // HKCU, HKEY_LOCAL_MACHINE, HKLM, HKEY_CLASSES_ROOT, HKCR, HKEY_USERS, HKEY_CURRENT_CONFIG,
    // with exactly that case, start the path; key and value names ignore case; the path ends
    // at its first NUL. Throws RegistryError when RegRead fails (unknown root, no key or value).
    RegistryData Query(std::string_view keyPath) const;

    // RegRead's text of that value (RegistryDataText), with an expandable string expanded by
    // expand. Throws RegistryError.
    std::string Read(std::string_view keyPath, const EnvironmentExpander& expand) const;

  private:
    friend class RegistryFileLoader;

    const RegistryKey* RootKey(std::string_view keyPath) const;
    RegistryKey& Branch(Hive hive);

    std::unique_ptr<RegistryKey> root_;
    std::optional<PrefixArch> arch_;
    std::vector<RegistryFileProblem> problems_;
};

// Name comparisons of the tree: the name with every code unit in lower case.
std::u16string FoldedName(std::u16string_view name);

// The next name of a key path at or after at, past any backslashes; empty at the end.
std::u16string_view NextKeyName(std::u16string_view path, std::size_t& at);

// Follows a key's symbolic link as wineserver does: its SymbolicLinkValue names the target from
// the top of Wine's namespace ("\Registry\Machine\..."), links of links are followed too (at
// most 16 deep). The key itself when it is no link, nothing when its target is missing.
const RegistryKey* FollowLink(const RegistryKey& root, const RegistryKey* key, int depth = 0);

// Opens a path of subkeys ("A\B\\C\", runs of backslashes between names, one at the end
// ignored) below a key, following every link on the way; nothing when a key is missing or
// the path starts with a backslash (the registry functions refuse it).
const RegistryKey* OpenKeyPath(const RegistryKey& root, const RegistryKey& start,
                               std::u16string_view path);

}  // namespace galemend
