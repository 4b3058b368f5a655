#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/prefix/ProcessorFacts.h"
#include "platform/prefix/WineRegistry.h"

// The environment block Wine 8 gives a program it starts from Unix (no Windows parent): the
// Unix environment, Wine's own variables, then the registry's, as ntdll builds it. Text is
// UTF-8.
namespace galemend {

// An environment block: names compared ignoring case, the first of equal names found, a
// variable set anew going to the end.
class ProcessEnvironment {
  public:
    std::optional<std::string> Find(std::string_view name) const;
    // Removes the first variable of that name, then appends the new value unless it is none.
    void Set(std::string_view name, std::optional<std::string> value);
    // Adds a variable at the end, whatever is there.
    void Append(std::string name, std::string value);

    // %NAME% replaced by the variable's value where there is one, as
    // ExpandEnvironmentStringsW does: an unknown name stays as written with its percent
    // signs, a percent sign with no partner is kept, and so is the rest after it.
    std::string Expand(std::string_view text) const;

    const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }

  private:
    std::vector<std::pair<std::string, std::string>> entries_;
};

// A registry key's values as Wine enumerates them: name, type, and the text up to the first
// NUL (the data read as UTF-16, whatever its type).
struct EnvironmentValue {
    std::string name;
    std::uint32_t type = kRegSz;
    std::string text;
};
std::vector<EnvironmentValue> EnvironmentValuesOf(const RegistryKey* key);

// Registry data as text: the bytes read as UTF-16LE (an odd last byte dropped), up to the
// first NUL.
std::string RegistryText(std::string_view bytes);

// Sets a value as wineboot's writes do (REG_SZ), in the key's order of names.
void SetEnvironmentValue(std::vector<EnvironmentValue>& values, const std::string& name,
                         const std::string& text);

// What the environment is built from.
struct EnvironmentSources {
    const WineRegistry* registry = nullptr;
    std::vector<std::string> unixEnvironment;  // "NAME=value", in the process's order
    std::string userName;                      // Wine's user (WINEUSERNAME)
    // The values wineboot writes at the start of the session, which the final reading sees.
    std::vector<EnvironmentValue> machineAfterBoot;   // Session Manager\Environment
    std::vector<EnvironmentValue> volatileAfterBoot;  // HKCU\Volatile Environment
};

// The environment before wineboot has run: Unix, Wine's own, then one reading of the
// registry as the prefix's files hold it. wineboot itself runs with it.
ProcessEnvironment EnvironmentBeforeBoot(const EnvironmentSources& sources);

// The program's environment: the same block read over the registry again once wineboot has
// written its values (PATH first set back to the Unix one), then adjusted for a 64-bit
// process (PROCESSOR_ARCHITEW6432 taken as PROCESSOR_ARCHITECTURE, ProgramW6432 as
// ProgramFiles).
ProcessEnvironment ProgramEnvironment(const EnvironmentSources& sources, PrefixArch arch);

// Wine's user name: USER, else the password database's name for this user, else "wine"; the
// part after the last "/" or "\".
std::string WineUserName(const std::vector<std::string>& unixEnvironment);

// The value of a Unix variable of exactly that name, if set.
std::optional<std::string> UnixVariable(const std::vector<std::string>& unixEnvironment,
                                        std::string_view name);

}  // namespace galemend
