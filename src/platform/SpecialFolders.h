#pragma once

#include <string>

#include "platform/SystemProbe.h"

namespace galemend {

// The user's local application-data folder, created when missing; empty after a failure.
std::string GetLocalAppDataPath(SystemProbe& probe);
// The user's documents folder, created when missing; empty after a failure.
std::string GetMyDocumentsPath(SystemProbe& probe);

}  // namespace galemend
