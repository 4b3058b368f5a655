#pragma once

#include <string>

#include "startup/InstallationContext.h"

namespace galemend {

// Puts the two search folders in the folder buttons' tool tips and writes them, the home
// folder, the program's folder and the first file of each to the diagnostic log.
void ShowPathsAndLogThem(const InstallationContext& context);

}  // namespace galemend
