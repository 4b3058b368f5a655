#pragma once

#include <string>

#include "platform/SystemProbe.h"

namespace galemend {

// Short label of the running Windows ("WinXP", "win7", ...); empty when the version query
// fails or the version has no label. Asks the platform afresh on every call.
std::string GetWindowsShortName(const SystemProbe& probe);

// Exactly Windows Vista (NT 6.0) / exactly Windows 7 (NT 6.1). False when the query fails.
bool IsWindowsVista(const SystemProbe& probe);
bool IsWindows7(const SystemProbe& probe);

}  // namespace galemend
