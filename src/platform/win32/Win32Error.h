#pragma once

#include <windows.h>

#include <string>

#include "platform/RuntimeError.h"

namespace galemend {

// The runtime error that a failed Win32 call stands for.
RuntimeError Win32RuntimeError(DWORD error, const std::string& detail);

}  // namespace galemend
