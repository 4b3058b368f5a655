#pragma once

#include <string>

#include "platform/SystemProbe.h"

namespace galemend {

// The folder of the running executable, ending in exactly one backslash.
std::string App_Path(const SystemProbe& probe);

}  // namespace galemend
