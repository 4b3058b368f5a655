#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/SystemProbe.h"
#include "platform/prefix/WineRegistry.h"

// The Windows version Wine 8 reports to a program in a prefix, from the prefix's registry.
namespace galemend {

// The version Wine's settings name ("winxp", "win7", "win10", ...), as Wine 8 knows them: the
// name must be spelt exactly so, in lower case. Nothing for any other text.
std::optional<VersionRecord> WineVersionNamed(std::u16string_view name);

// The version Wine decides on for a program of this file name ("galemend3.exe"): the Version
// value of HKCU\Software\Wine\AppDefaults\<name>, else that of HKCU\Software\Wine, when it
// names a version; else the version the machine's registry describes (CurrentVersion of
// Windows NT, else VersionNumber of Windows 9x); else Windows 7.
VersionRecord WineRegistryVersion(const WineRegistry& registry, std::string_view programName);

// What GetVersionExA then gives the program: a version from Windows 8.1 on is reported as
// Windows 8 (6.2) to a program whose manifest declares no later Windows, as ours does.
VersionRecord VersionSeenByProgram(VersionRecord version);

// Wine's reading of a decimal number in version text (wcstoul): leading blanks, a sign, then
// digits of any script Wine knows, stopping at the first other character; 0 when there are
// none, 0xFFFFFFFF past that.
std::uint32_t WineDecimal(std::u16string_view text);

}  // namespace galemend
